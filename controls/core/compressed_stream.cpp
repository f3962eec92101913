// Framing of the block compressor's output into a stream with its total length in front.
#include "controls/core/compressed_stream.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "controls/core/item_framing.h"
#include "controls/core/lzrw.h"

namespace ctl {
namespace {

constexpr int64_t kLengthFieldSize = 4;

}  // namespace

void WriteCompressedStream(cl::TStream* source, cl::TStream* dest, int64_t count) {
  std::vector<uint8_t> input(kLZRWBlockSize);
  std::vector<uint8_t> output(kLZRWWorkSize);
  const int64_t totalPosition = dest->Position();
  WriteInt32(dest, 0);  // the total, filled in at the end
  int64_t total = 0;
  for (int64_t remaining = count; remaining > 0;) {
    const auto chunk = static_cast<int32_t>(std::min<int64_t>(remaining, kLZRWBlockSize));
    source->ReadBuffer(input.data(), chunk);
    const size_t length = LZRWCompress({input.data(), static_cast<size_t>(chunk)}, output);
    WriteInt32(dest, static_cast<int32_t>(length));
    dest->WriteBuffer(output.data(), static_cast<int32_t>(length));
    total += kLengthFieldSize + static_cast<int64_t>(length);
    remaining -= chunk;
  }
  if (total > std::numeric_limits<int32_t>::max()) throw cl::EWriteError("Stream write error");
  const int64_t end = dest->Position();
  dest->SetPosition(totalPosition);
  WriteInt32(dest, static_cast<int32_t>(total));
  dest->SetPosition(end);
}

void ReadCompressedStream(cl::TStream* source, cl::TStream* dest) {
  std::vector<uint8_t> block(kLZRWMaxBlockLength);
  std::vector<uint8_t> output(kLZRWBlockSize);
  int64_t total = ReadInt32(source);
  if (total < 0) throw cl::EReadError("Stream read error");
  while (total > 0) {
    const int32_t length = ReadInt32(source);
    if (length < 1 || static_cast<size_t>(length) > kLZRWMaxBlockLength || kLengthFieldSize + length > total) {
      throw cl::EReadError("Stream read error");
    }
    source->ReadBuffer(block.data(), length);
    const size_t count = LZRWDecompress({block.data(), static_cast<size_t>(length)}, output);
    dest->WriteBuffer(output.data(), static_cast<int32_t>(count));
    total -= kLengthFieldSize + length;
  }
}

}  // namespace ctl
