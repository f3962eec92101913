// The string table is an open-addressing hash of 8009 slots with double hashing; one slot packs the 20-bit
// string key (prefix code << 8 | pixel) and its 12-bit code. A clear code is written once the next free code
// reaches 4095, so the table never fills and the code width never exceeds 12 bits.
#include "image/core/gif_lzw_encoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "image/core/gif_color_map.h"

namespace img {
namespace {

constexpr int kHashSlots = 8009;
constexpr std::uint32_t kFreeSlot = 0xFFFFF000;  // a slot value at or above this is free
constexpr int kLastCode = 4095;                  // reaching it writes a clear code instead of a new entry
constexpr int kMaxCodeWidth = 12;
constexpr std::size_t kSubBlockSize = 254;

class HashTable {
 public:
  void Clear() { std::memset(slots_.data(), 0xFF, sizeof(slots_)); }

  void Insert(std::uint32_t key, int code) {
    int slot = HashKey(key);
    while (slots_[slot] < kFreeSlot) slot = NextSlot(slot);
    slots_[slot] = (key << 12) | (static_cast<std::uint32_t>(code) & 0xFFF);
  }

  // The code stored under key, or -1.
  int Lookup(std::uint32_t key) const {
    int slot = HashKey(key);
    while (slots_[slot] < kFreeSlot) {
      if ((slots_[slot] & 0xFFFFF000) == key << 12) return static_cast<int>(slots_[slot] & 0xFFF);
      slot = NextSlot(slot);
    }
    return -1;
  }

 private:
  static int HashKey(std::uint32_t key) { return static_cast<int>((key ^ (key >> 4)) % kHashSlots); }
  static int NextSlot(int slot) {
    const int step = slot == 0 ? 1 : kHashSlots - slot;
    slot -= step;
    return slot < 0 ? slot + kHashSlots : slot;
  }

  std::array<std::uint32_t, kHashSlots> slots_;
};

// Walks the pixels in file order: row by row, or the rows of the four interlace passes.
class PixelWalk {
 public:
  explicit PixelWalk(const GIFPixelSource& source) : source_(source) {
    const std::size_t width = static_cast<std::size_t>(source.width);
    left_ = source.interlaced ? width : width * static_cast<std::size_t>(source.height);
    pointer_ = source.pixels;
  }

  std::uint8_t Take() { return *pointer_++; }

  bool More() {
    if (--left_ > 0) return true;
    if (!source_.interlaced) return false;
    static constexpr int kPassStep[4] = {8, 8, 4, 2};
    static constexpr int kNextPassFirstRow[4] = {4, 2, 1, 0};
    row_ += kPassStep[pass_];
    while (row_ >= source_.height && pass_ < 3) {
      row_ = kNextPassFirstRow[pass_];
      ++pass_;
    }
    if (row_ >= source_.height) return false;
    left_ = static_cast<std::size_t>(source_.width);
    pointer_ = source_.pixels + static_cast<std::size_t>(row_) * left_;
    return true;
  }

 private:
  const GIFPixelSource& source_;
  const std::uint8_t* pointer_;
  std::size_t left_;
  int pass_ = 0, row_ = 0;
};

class LzwEncoder {
 public:
  LzwEncoder(int initialWidth, std::vector<std::uint8_t>& out)
      : initialWidth_(initialWidth), width_(initialWidth), out_(out) {
    maxCode_ = (1 << width_) - 1;
    clearCode_ = 1 << (initialWidth - 1);
    endCode_ = clearCode_ + 1;
  }

  void Encode(const GIFPixelSource& source) {
    ClearTable();
    const std::size_t count = static_cast<std::size_t>(source.width) * static_cast<std::size_t>(source.height);
    if (source.pixels != nullptr && count > 0) {
      PixelWalk walk(source);
      int prefix = walk.Take();
      while (walk.More()) {
        const std::uint8_t pixel = walk.Take();
        const std::uint32_t key = (static_cast<std::uint32_t>(prefix) << 8) | pixel;
        const int code = table_.Lookup(key);
        if (code >= 0) {
          prefix = code;
          continue;
        }
        Output(prefix);
        prefix = pixel;
        if (nextFreeCode_ >= kLastCode) {
          ClearTable();
        } else {
          table_.Insert(key, nextFreeCode_++);
        }
      }
      Output(prefix);
    }
    Output(endCode_);
  }

 private:
  void ClearTable() {
    table_.Clear();
    nextFreeCode_ = clearCode_ + 2;
    clearFlag_ = true;
    Output(clearCode_);
  }

  // Writes code at the width in force, then adjusts the width for the codes that follow.
  void Output(int code) {
    bucket_ |= static_cast<std::uint32_t>(code) << bitCount_;
    bitCount_ += width_;
    while (bitCount_ >= 8) {
      block_[blockLength_++] = static_cast<std::uint8_t>(bucket_);
      bucket_ >>= 8;
      bitCount_ -= 8;
      if (blockLength_ == kSubBlockSize) FlushBlock();
    }
    if (nextFreeCode_ > maxCode_ || clearFlag_) {
      if (clearFlag_) {
        width_ = initialWidth_;
        maxCode_ = (1 << width_) - 1;
        clearFlag_ = false;
      } else {
        ++width_;
        maxCode_ = width_ == kMaxCodeWidth ? kLastCode + 1 : (1 << width_) - 1;
      }
    }
    if (code == endCode_) {
      while (bitCount_ > 0) {
        block_[blockLength_++] = static_cast<std::uint8_t>(bucket_);
        bucket_ >>= 8;
        bitCount_ -= 8;
        if (blockLength_ == kSubBlockSize) FlushBlock();
      }
      bitCount_ = 0;
      FlushBlock();
    }
  }

  void FlushBlock() {
    if (blockLength_ == 0) return;
    out_.push_back(static_cast<std::uint8_t>(blockLength_));
    out_.insert(out_.end(), block_.begin(), block_.begin() + static_cast<std::ptrdiff_t>(blockLength_));
    blockLength_ = 0;
  }

  const int initialWidth_;
  int width_, maxCode_, clearCode_, endCode_;
  int nextFreeCode_ = 0;
  bool clearFlag_ = false;
  std::uint32_t bucket_ = 0;
  int bitCount_ = 0;
  std::array<std::uint8_t, kSubBlockSize> block_{};
  std::size_t blockLength_ = 0;
  HashTable table_;
  std::vector<std::uint8_t>& out_;
};

// The depth the codes need: the colour map's, widened when a pixel lies beyond it.
int CodeDepth(const GIFPixelSource& source, int bitsPerPixel) {
  if (source.pixels == nullptr) return bitsPerPixel;
  const std::size_t count = static_cast<std::size_t>(source.width) * static_cast<std::size_t>(source.height);
  const std::uint8_t largest = count == 0 ? 0 : *std::max_element(source.pixels, source.pixels + count);
  return std::max(bitsPerPixel, BitsForColorCount(largest + 1));
}

}  // namespace

void EncodeGIFImageData(const GIFPixelSource& source, int bitsPerPixel, std::vector<std::uint8_t>& out) {
  const int depth = CodeDepth(source, bitsPerPixel);
  const int minimumCodeSize = depth <= 1 ? 2 : depth;
  out.push_back(static_cast<std::uint8_t>(minimumCodeSize));
  auto encoder = std::make_unique<LzwEncoder>(minimumCodeSize + 1, out);
  encoder->Encode(source);
  out.push_back(0);
}

}  // namespace img
