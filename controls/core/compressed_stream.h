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

// Reads one compressed stream from source's current position and appends what it holds to dest. A block length
// outside 1..kLZRWMaxBlockLength, a total that disagrees with its blocks, damaged blocks and truncated input raise
// EReadError.
void ReadCompressedStream(cl::TStream* source, cl::TStream* dest);

}  // namespace ctl
