// The code reader pulls variable-width codes least significant bit first across sub-block boundaries; the
// table decoder writes each code's string straight into the pixels when it fits the row segment being filled,
// and otherwise onto an output stack that the following segments drain.
#include "image/core/gif_lzw_decoder.h"

#include <algorithm>
#include <array>
#include <memory>

#include "image/core/gif_error.h"

namespace img {
namespace {

constexpr int kMaxCodes = 4096;
constexpr int kMaxMinimumCodeSize = 11;  // a clear code of 4096 or more cannot live in the tables
constexpr int kStackSize = 8192;         // a valid chain is at most 4097 values long

// Rows of the four interlace passes: first row and step of each pass.
constexpr int kPassFirstRow[4] = {0, 4, 2, 1};
constexpr int kPassStep[4] = {8, 8, 4, 2};

class LzwDecoder {
 public:
  LzwDecoder(GIFDataSource& source, const GIFWarningSink& warning, int minimumCodeSize)
      : source_(source), warning_(warning) {
    clearCode_ = 1 << minimumCodeSize;
    endCode_ = clearCode_ + 1;
    minimumCodeSize_ = minimumCodeSize;
    codeSize_ = minimumCodeSize + 1;
    wideningLimit_ = 2 * clearCode_;
    nextFreeCode_ = clearCode_ + 2;
  }

  // Fills count pixels at out; false when the codes ran out (or the end code came) first.
  bool Fill(std::uint8_t* out, std::size_t count) {
    while (count > 0) {
      if (stackTop_ > 0) {
        const std::size_t n = std::min<std::size_t>(count, stackTop_);
        for (std::size_t i = 0; i < n; ++i) out[i] = stack_[--stackTop_];
        out += n;
        count -= n;
        continue;
      }
      const int written = DecodeInto(out, count);
      if (written < 0) return false;
      out += written;
      count -= static_cast<std::size_t>(written);
    }
    return true;
  }

  // The one extra pixel request after the frame: reaches an end code that directly follows the last pixel.
  void DrainOnePixel() {
    if (stackTop_ > 0) {
      --stackTop_;
      return;
    }
    std::uint8_t ignored;
    DecodeInto(&ignored, 1);
  }

  // Data can follow the last pixel before the end code; skip it so the next block is read from its start.
  void SkipToTerminator() {
    if (terminatorSeen_) return;
    terminatorSeen_ = true;
    dataEnded_ = true;
    std::uint8_t count = 0;
    while (source_.Read(&count, 1) == 1 && count != 0) source_.Skip(count);
  }

 private:
  // Reads the next sub-block into the block buffer; false when the data has ended (terminator or end of
  // stream). A sub-block that claims more bytes than the stream holds is read as far as it goes.
  bool NextBlock() {
    while (!dataEnded_) {
      std::uint8_t count = 0;
      if (source_.Read(&count, 1) != 1) {
        dataEnded_ = true;
        break;
      }
      if (count == 0) {
        dataEnded_ = true;
        terminatorSeen_ = true;
        break;
      }
      std::size_t length = count;
      const std::int64_t remaining = source_.Remaining();
      if (remaining < count) {
        warning_("Premature end of data");
        length = static_cast<std::size_t>(std::max<std::int64_t>(remaining, 0));
      }
      if (length == 0) continue;
      if (source_.Read(block_.data(), length) != length) RaiseGIFError("Premature end of data");
      blockLength_ = length;
      blockPosition_ = 0;
      return true;
    }
    return false;
  }

  // Next code of the given width; -1 when the bits ran out. Codes continue across sub-block boundaries, also
  // when a sub-block is shorter than one code.
  int ReadCode(int width) {
    if (bitCount_ < width) {
      if (firstCall_) {
        // The data is read as if it began with a clear code.
        firstCall_ = false;
        return clearCode_;
      }
      if (!Refill(width)) return -1;
    }
    const int code = static_cast<int>(bits_ & ((1u << width) - 1));
    bits_ >>= width;
    bitCount_ -= width;
    return code;
  }

  // Tops the bucket up with as many whole bytes as fit; false when fewer than width bits can be had.
  bool Refill(int width) {
    do {
      if (blockPosition_ == blockLength_ && !NextBlock()) {
        // Running dry after the terminator means the codes promised more than the data holds.
        if (terminatorSeen_ && !underRunReported_) {
          underRunReported_ = true;
          warning_("Decoder bit buffer under-run");
        }
        return false;
      }
      const std::size_t take = std::min<std::size_t>(blockLength_ - blockPosition_, (64 - bitCount_) / 8);
      for (std::size_t i = 0; i < take; ++i) {
        bits_ |= static_cast<std::uint64_t>(block_[blockPosition_++]) << bitCount_;
        bitCount_ += 8;
      }
    } while (bitCount_ < width);
    return true;
  }

  // Decodes the next code into out (room for count pixels) and answers the pixels written: the whole string
  // when it fits, else its first pixel with the rest left on the stack. -1 when no more codes can be had, -2
  // at the end code.
  int DecodeInto(std::uint8_t* out, std::size_t count) {
    // Nothing after the end code belongs to this frame; its sub-blocks were skipped when it was read.
    if (endCodeSeen_) return -2;
    int code = ReadCode(codeSize_);
    if (code < 0) return code;
    if (code == clearCode_) {
      ResetTable();
      do {
        code = ReadCode(codeSize_);
      } while (code == clearCode_);
      // The first code after a clear is taken as a pixel as it stands (its low 8 bits).
      firstCode_ = code;
      previousCode_ = code;
      if (code < 0) return code;
      *out = static_cast<std::uint8_t>(code);
      return 1;
    }
    if (code == endCode_) {
      endCodeSeen_ = true;
      SkipToTerminator();
      return -2;
    }
    if (code < clearCode_) {
      // A single pixel: nothing to expand.
      firstCode_ = suffix_[code];
      AddEntry();
      previousCode_ = code;
      *out = static_cast<std::uint8_t>(firstCode_);
      return 1;
    }
    // A code not yet in the table stands for the previous string plus its own first pixel.
    const bool unknown = code >= nextFreeCode_;
    const int length = unknown ? length_[previousCode_] + 1 : length_[code];
    int written = length;
    if (static_cast<std::size_t>(length) > count || !WriteString(out, length, code, unknown)) {
      PushString(code, unknown);
      *out = stack_[--stackTop_];
      written = 1;
    }
    AddEntry();
    previousCode_ = code;
    return written;
  }

  // Writes the string of code (length pixels, as the length table has it) straight into out, last pixel first.
  // False when the chain does not have that length (a damaged table); the stack then takes over.
  bool WriteString(std::uint8_t* out, int length, int code, bool unknown) {
    int position = length - 1;
    if (unknown) {
      out[position--] = static_cast<std::uint8_t>(firstCode_);
      code = previousCode_;
    }
    while (code >= clearCode_) {
      if (position <= 0 || prefix_[code] == code) return false;
      out[position--] = suffix_[code];
      code = prefix_[code];
    }
    if (position != 0) return false;
    out[0] = suffix_[code];
    firstCode_ = out[0];
    return true;
  }

  // Pushes the string of code onto the stack, last pixel first, and notes its first pixel.
  void PushString(int code, bool unknown) {
    // A local top keeps the walk in registers.
    int top = stackTop_;
    if (unknown) {
      stack_[top++] = static_cast<std::uint8_t>(firstCode_);
      code = previousCode_;
    }
    while (code >= clearCode_) {
      // A valid chain is shorter than the stack; a longer one loops through the table.
      if (prefix_[code] == code || top >= kStackSize - 1) RaiseGIFError("Circular decoder table entry");
      stack_[top++] = suffix_[code];
      code = prefix_[code];
    }
    firstCode_ = suffix_[code];
    stack_[top++] = static_cast<std::uint8_t>(firstCode_);
    stackTop_ = top;
  }

  void ResetTable() {
    for (int i = 0; i < kMaxCodes; ++i) {
      prefix_[i] = 0;
      suffix_[i] = static_cast<std::uint8_t>(i < clearCode_ ? i : 0);
      // Codes past the literals expand through prefix 0 to two pixels until they are defined.
      length_[i] = static_cast<std::uint16_t>(i < clearCode_ ? 1 : 2);
    }
    codeSize_ = minimumCodeSize_ + 1;
    wideningLimit_ = 2 * clearCode_;
    nextFreeCode_ = clearCode_ + 2;
    stackTop_ = 0;
  }

  // The previous string plus the first pixel of the current one becomes the next table entry; once the table
  // is full no entries are made until a clear code.
  void AddEntry() {
    if (nextFreeCode_ >= kMaxCodes) return;
    prefix_[nextFreeCode_] = static_cast<std::uint16_t>(previousCode_);
    suffix_[nextFreeCode_] = static_cast<std::uint8_t>(firstCode_);
    // A damaged table can make this disagree with the chain; WriteString checks before it trusts it.
    length_[nextFreeCode_] = static_cast<std::uint16_t>(std::min(length_[previousCode_] + 1, kStackSize));
    ++nextFreeCode_;
    if (nextFreeCode_ >= wideningLimit_ && wideningLimit_ < kMaxCodes) {
      wideningLimit_ *= 2;
      ++codeSize_;
    }
  }

  GIFDataSource& source_;
  const GIFWarningSink& warning_;
  int minimumCodeSize_;
  int clearCode_, endCode_, codeSize_, wideningLimit_, nextFreeCode_;
  int firstCode_ = 0, previousCode_ = 0;
  bool firstCall_ = true, dataEnded_ = false, terminatorSeen_ = false, endCodeSeen_ = false;
  bool underRunReported_ = false;
  std::uint64_t bits_ = 0;
  int bitCount_ = 0;
  std::array<std::uint8_t, 255> block_{};
  std::size_t blockLength_ = 0, blockPosition_ = 0;
  std::array<std::uint16_t, kMaxCodes> prefix_{};
  std::array<std::uint8_t, kMaxCodes> suffix_{};
  std::array<std::uint16_t, kMaxCodes> length_{};
  std::array<std::uint8_t, kStackSize> stack_{};
  int stackTop_ = 0;
};

}  // namespace

void DecodeGIFImageData(GIFDataSource& source, const GIFPixelTarget& target, const GIFWarningSink& warning) {
  std::uint8_t minimumCodeSize = 0;
  if (source.Read(&minimumCodeSize, 1) != 1) return;
  if (minimumCodeSize > kMaxMinimumCodeSize) RaiseGIFError("Invalid GIF data");
  auto decoder = std::make_unique<LzwDecoder>(source, warning, minimumCodeSize);
  const std::size_t width = static_cast<std::size_t>(target.width);
  if (!target.interlaced) {
    decoder->Fill(target.pixels, width * static_cast<std::size_t>(target.height));
  } else {
    bool more = true;
    for (int pass = 0; pass < 4 && more; ++pass) {
      for (int row = kPassFirstRow[pass]; row < target.height && more; row += kPassStep[pass]) {
        more = decoder->Fill(target.pixels + static_cast<std::size_t>(row) * width, width);
      }
    }
  }
  decoder->DrainOnePixel();
  decoder->SkipToTerminator();
}

}  // namespace img
