// Framing of the block compressor's output into a stream with its total length in front.
#include "controls/core/compressed_stream.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <span>
#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "controls/core/item_framing.h"
#include "controls/core/lzrw.h"

namespace ctl {
namespace {

constexpr int64_t kLengthFieldSize = 4;

[[noreturn]] void ReadError() {
  throw cl::EReadError("Stream read error");
}

// Reads the blocks that follow a total of `total` bytes and hands each one's expansion to take.
void ExpandBlocks(cl::TStream* source, int64_t total, const std::function<void(std::span<const uint8_t>)>& take) {
  std::vector<uint8_t> block(kLZRWMaxBlockLength);
  std::vector<uint8_t> output(kLZRWBlockSize);
  while (total > 0) {
    const int32_t length = ReadInt32(source);
    if (length < 1 || static_cast<size_t>(length) > kLZRWMaxBlockLength || kLengthFieldSize + length > total) {
      ReadError();
    }
    source->ReadBuffer(block.data(), length);
    take({output.data(), LZRWDecompress({block.data(), static_cast<size_t>(length)}, output)});
    total -= kLengthFieldSize + length;
  }
}

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
  const int64_t total = ReadInt32(source);
  if (total < 0 || total > source->Size() - source->Position()) ReadError();
  const int64_t blocksStart = source->Position();
  // A first pass only counts what the blocks expand to, so that a stream is refused before anything of it is kept
  // when it is damaged anywhere or would expand past the budget.
  int64_t expanded = 0;
  ExpandBlocks(source, total, [&](std::span<const uint8_t> bytes) {
    expanded += static_cast<int64_t>(bytes.size());
    if (expanded > kMaxExpandedSize) ReadError();
  });
  source->SetPosition(blocksStart);
  ExpandBlocks(source, total, [&](std::span<const uint8_t> bytes) {
    dest->WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  });
}

}  // namespace ctl
