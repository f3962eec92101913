// The block compressor: a single pass with a direct-mapped hash of three bytes (no chains), a run check before the
// match search, and the stored form for blocks that would not shrink.
#include "controls/core/lzrw.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "classlib/core/exceptions.h"

namespace ctl {
namespace {

constexpr size_t kHashSize = 4096;
constexpr size_t kItemsPerGroup = 16;
constexpr size_t kMaxOffset = 4095;
constexpr size_t kMinMatch = 3;
constexpr size_t kMaxMatch = 18;
constexpr size_t kMinRun = 16;
constexpr size_t kMaxRun = 4095;
constexpr size_t kControlWordSize = 2;
constexpr size_t kMatchItemSize = 2;
constexpr size_t kRunItemSize = 4;

[[noreturn]] void ReadError() {
  throw cl::EReadError("Stream read error");
}

// Bytes past the end of the block count as 0; the output does not depend on them.
uint32_t HashAt(const uint8_t* in, size_t count, size_t position) {
  const uint32_t b0 = in[position];
  const uint32_t b1 = position + 1 < count ? in[position + 1] : 0;
  const uint32_t b2 = position + 2 < count ? in[position + 2] : 0;
  return (((((b0 << 4) ^ b1) << 4) ^ b2) * 40543u >> 4) & 0xFFF;
}

void StoreBigEndian(uint8_t* out, uint32_t value) {
  out[0] = static_cast<uint8_t>(value >> 8);
  out[1] = static_cast<uint8_t>(value);
}

}  // namespace

size_t LZRWCompress(std::span<const uint8_t> source, std::span<uint8_t> dest) {
  const size_t count = source.size();
  if (count > kLZRWBlockSize || dest.size() < count + kLZRWOverrun) throw cl::EInvalidPointer("LZRW Error!");
  const uint8_t* in = source.data();
  uint8_t* out = dest.data();

  // Positions up to 32,781 are kept whole, so that every position of a block can be matched.
  std::array<int32_t, kHashSize> table;
  table.fill(-1);

  out[0] = kLZRWCompressed;
  size_t controlSlot = 1;
  size_t o = 1 + kControlWordSize;
  size_t i = 0;
  uint32_t control = 0;
  size_t items = 0;
  while (i < count && o <= count) {
    if (items == kItemsPerGroup) {
      StoreBigEndian(out + controlSlot, control);
      controlSlot = o;
      o += kControlWordSize;
      control = 0;
      items = 0;
    }
    const uint8_t current = in[i];
    const size_t runLimit = std::min(count - i, kMaxRun);
    size_t run = 1;
    while (run < runLimit && in[i + run] == current) ++run;

    uint32_t flag = 1;
    if (run >= kMinRun) {
      out[o] = 0;
      StoreBigEndian(out + o + 1, static_cast<uint32_t>(run - kMinRun));
      out[o + 3] = current;
      o += kRunItemSize;
      i += run;
    } else {
      const uint32_t hash = HashAt(in, count, i);
      const int32_t candidate = table[hash];
      table[hash] = static_cast<int32_t>(i);
      size_t length = 0;
      if (candidate >= 0 && i - static_cast<size_t>(candidate) <= kMaxOffset) {
        while (length < kMaxMatch && i + length < count && in[candidate + length] == in[i + length]) ++length;
      }
      if (length >= kMinMatch) {
        StoreBigEndian(out + o, static_cast<uint32_t>((i - candidate) * 16 + (length - kMinMatch)));
        o += kMatchItemSize;
        i += length;
      } else {
        out[o++] = current;
        ++i;
        flag = 0;
      }
    }
    control = (control << 1) | flag;
    ++items;
  }
  StoreBigEndian(out + controlSlot, control << (kItemsPerGroup - items));

  if (o > count) {
    out[0] = kLZRWStored;
    if (count > 0) std::memcpy(out + 1, in, count);
    return count + 1;
  }
  return o;
}

size_t LZRWDecompress(std::span<const uint8_t> block, std::span<uint8_t> dest) {
  if (block.empty()) ReadError();
  const size_t length = block.size();
  const uint8_t* in = block.data();
  uint8_t* out = dest.data();
  const size_t capacity = dest.size();

  if (in[0] == kLZRWStored) {
    if (length - 1 > capacity) ReadError();
    if (length > 1) std::memcpy(out, in + 1, length - 1);
    return length - 1;
  }
  if (in[0] != kLZRWCompressed || length < 1 + kControlWordSize) ReadError();

  uint32_t control = (uint32_t{in[1]} << 8) | in[2];
  size_t bitsLeft = kItemsPerGroup;
  size_t r = 1 + kControlWordSize;
  size_t o = 0;
  while (r < length) {
    if (bitsLeft == 0) {
      if (length - r < kControlWordSize) ReadError();
      control = (uint32_t{in[r]} << 8) | in[r + 1];
      r += kControlWordSize;
      bitsLeft = kItemsPerGroup;
      continue;
    }
    if (control & 0x8000) {
      if (length - r < kMatchItemSize) ReadError();
      const size_t offset = (size_t{in[r]} << 4) | (in[r + 1] >> 4);
      if (offset != 0) {
        const size_t count = (in[r + 1] & 0x0F) + kMinMatch;
        if (offset > o || count > capacity - o) ReadError();
        // Byte by byte: a reference may overlap the bytes it produces.
        for (size_t k = 0; k < count; ++k) out[o + k] = out[o - offset + k];
        o += count;
        r += kMatchItemSize;
      } else {
        if (length - r < kRunItemSize) ReadError();
        const size_t count = ((size_t{in[r + 1]} << 8) | in[r + 2]) + kMinRun;
        if (count > capacity - o) ReadError();
        std::memset(out + o, in[r + 3], count);
        o += count;
        r += kRunItemSize;
      }
    } else {
      if (o >= capacity) ReadError();
      out[o++] = in[r++];
    }
    control = (control << 1) & 0xFFFF;
    --bitsLeft;
  }
  return o;
}

}  // namespace ctl
