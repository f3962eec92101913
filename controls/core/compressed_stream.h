// The compressed stream: an Int32 total (the bytes that follow it), then the input cut into blocks of
// kLZRWBlockSize bytes, each written as an Int32 length and one compressed block. All integers little-endian.
#pragma once

#include <cstdint>

namespace cl {
class TStream;
}

namespace ctl {

// Compresses count bytes from source's current position into dest at its current position and leaves dest after
// what it wrote.
void WriteCompressedStream(cl::TStream* source, cl::TStream* dest, int64_t count);

// The most one compressed stream may expand to: more than any bitmap, text or sound of a container item needs,
// and little enough that a hostile stream (a block of 39 bytes expands to 32,782) cannot take the memory.
constexpr int64_t kMaxExpandedSize = int64_t{256} << 20;

// Reads one compressed stream from source's current position and appends what it holds to dest. A total past
// the source's end, a block length outside 1..kLZRWMaxBlockLength, a total that disagrees with its blocks, damaged
// blocks and an expansion past kMaxExpandedSize raise EReadError, before anything reaches dest.
void ReadCompressedStream(cl::TStream* source, cl::TStream* dest);

}  // namespace ctl
