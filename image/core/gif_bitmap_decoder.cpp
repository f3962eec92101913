// The decoder reads through the bounded byte reader, so every short read is "Unexpected EOF"; it stops as soon
// as every row is stored, whatever data follows. Strings are written straight into the row when they fit and
// through a small stack when they cross a row's end.
#include "image/core/gif_bitmap_decoder.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

#include "classlib/core/byte_reader.h"

namespace img {
namespace {

enum : int {
  kNotGif = 2,
  kMissingColorTable = 3,
  kBadData = 4,
  kNoData = 5,
  kUnexpectedEof = 6,
  kBadCodeSize = 7,
  kBadCode = 8,
  kBadBitSize = 9,
};

constexpr const char* kMessages[] = {
    "GIF file not found", "Not a GIF file", "Missing color table", "Bad data",  "No data", "Unexpected EOF",
    "Bad code size",      "Bad code",       "Bad bit size",        "Bad bitmap"};

constexpr uint8_t kImageSeparator = 0x2C;  // ','
constexpr uint8_t kTableFlag = 0x80;
constexpr uint8_t kInterlaceFlag = 0x40;
constexpr int kScreenDescriptorSize = 7;
constexpr int kImageDescriptorSize = 9;  // after the separator
constexpr int kMinCodeSize = 2;
constexpr int kMaxCodeSize = 9;
constexpr int kMaxCodeWidth = 12;
constexpr int kMaxCodes = 1 << kMaxCodeWidth;
constexpr int kColorEntries = 256;

// Rows of the four interlace passes: first row and step of each pass.
constexpr int kPassFirstRow[4] = {0, 4, 2, 1};
constexpr int kPassStep[4] = {8, 8, 4, 2};

struct ColorTable {
  uint8_t Entries[kColorEntries][3]{};
  int Count = 0;
};

void ReadColorTable(cl::ByteReader& reader, uint8_t packed, ColorTable& table) {
  table.Count = 2 << (packed & 7);
  if (!reader.ReadBytes(table.Entries, static_cast<size_t>(table.Count) * 3)) TGif::Fail(kUnexpectedEof);
}

// The LZW decoder and the row writer of one image.
class ImageDecoder {
 public:
  ImageDecoder(cl::ByteReader& reader, const cl::bmp::TDibImage& shape, uint8_t* bits, bool interlaced,
               const std::function<void()>& onRow)
      : FReader(reader), FWidth(shape.Width), FHeight(shape.Height), FStride(shape.Stride()), FPixels(bits),
        FInterlaced(interlaced), FOnRow(onRow) {
    StartRow(0);
  }

  void Run() {
    uint8_t minimumCodeSize = 0;
    if (!FReader.ReadU8(minimumCodeSize)) TGif::Fail(kUnexpectedEof);
    if (minimumCodeSize < kMinCodeSize || minimumCodeSize > kMaxCodeSize) TGif::Fail(kBadCodeSize);
    FMinimumCodeSize = minimumCodeSize;
    FClear = 1 << minimumCodeSize;
    FEnd = FClear + 1;
    for (int code = 0; code < FClear; ++code) {
      FSuffix[code] = FFirst[code] = static_cast<uint8_t>(code);  // a root code stands for itself (its low byte)
      FLength[code] = 1;
    }
    // The data is read as if it began with a clear code, so a missing first clear does no harm.
    ResetTable();
    int code = ReadCode();
    if (code == FEnd) return;
    if (code == FClear)
      Clear();
    else
      FirstAfterClear(code);
    while (!FDone) {
      code = ReadCode();
      if (FTableFull && code != FClear) TGif::Fail(kBadBitSize);
      FTableFull = false;
      if (code == FEnd) break;
      if (code == FClear) {
        Clear();
      } else if (code < FNext) {
        OutputString(code);
        AddEntry(FFirst[code]);
        FPrevious = code;
      } else if (code == FNext) {
        // Not yet in the table: the previous string followed by its own first pixel.
        const uint8_t first = FFirst[FPrevious];
        AddEntry(first);
        OutputString(code);
        FPrevious = code;
      } else {
        TGif::Fail(kBadCode);
      }
    }
  }

 private:
  void ResetTable() {
    FCodeSize = FMinimumCodeSize + 1;
    FNext = FClear + 2;
    FLimit = 1 << FCodeSize;
  }

  void Clear() {
    ResetTable();
    int code;
    do {
      code = ReadCode();
    } while (code == FClear);
    if (code == FEnd) TGif::Fail(kBadCode);
    FirstAfterClear(code);
  }

  // The first code after a clear is a single pixel; one outside the table is taken as 0.
  void FirstAfterClear(int code) {
    if (code >= FNext) code = 0;
    FPrevious = code;
    OutputString(code);
  }

  void AddEntry(uint8_t suffix) {
    if (FNext >= kMaxCodes) return;
    FPrefix[FNext] = static_cast<uint16_t>(FPrevious);
    FSuffix[FNext] = suffix;
    FFirst[FNext] = FFirst[FPrevious];
    FLength[FNext] = static_cast<uint16_t>(FLength[FPrevious] + 1);
    ++FNext;
    if (FNext == FLimit) {
      // A full table must be followed by a clear code; the width stays at 12 bits.
      if (FCodeSize == kMaxCodeWidth) {
        FTableFull = true;
      } else {
        FLimit *= 2;
        ++FCodeSize;
      }
    }
  }

  // Codes are packed least significant bit first across the data sub-blocks.
  int ReadCode() {
    while (FBitCount < FCodeSize) {
      if (FBlockPosition == FBlock.size()) NextBlock();
      FBits |= static_cast<uint32_t>(FBlock[FBlockPosition++]) << FBitCount;
      FBitCount += 8;
    }
    const int code = static_cast<int>(FBits & ((1u << FCodeSize) - 1));
    FBits >>= FCodeSize;
    FBitCount -= FCodeSize;
    return code;
  }

  void NextBlock() {
    uint8_t count = 0;
    if (!FReader.ReadU8(count)) TGif::Fail(kUnexpectedEof);
    if (count == 0) TGif::Fail(kNoData);
    if (!FReader.ReadSpan(count, FBlock)) TGif::Fail(kUnexpectedEof);
    FBlockPosition = 0;
  }

  // Writes the string of code: straight into the row when it fits, else from the stack across rows.
  void OutputString(int code) {
    const int length = FLength[code];
    uint8_t* out;
    if (length <= FLeft) {
      out = FRow + length;
      FRow += length;
      FLeft -= length;
    } else {
      out = FStack + length;
    }
    while (code >= FClear) {
      *--out = FSuffix[code];
      code = FPrefix[code];
    }
    *--out = FSuffix[code];
    if (out == FStack) {
      WriteAcrossRows(length);
    } else if (FLeft == 0) {
      StoreRow();
    }
  }

  void WriteAcrossRows(int length) {
    const uint8_t* from = FStack;
    while (length > 0 && !FDone) {
      const int count = std::min(length, FLeft);
      std::memcpy(FRow, from, static_cast<size_t>(count));
      FRow += count;
      FLeft -= count;
      from += count;
      length -= count;
      if (FLeft == 0) StoreRow();
    }
  }

  void StoreRow() {
    if (FOnRow) FOnRow();
    if (++FRowsStored == FHeight) {
      FDone = true;  // anything after the last row is ignored
      FLeft = 0;
      return;
    }
    int next = FRowNumber + (FInterlaced ? kPassStep[FPass] : 1);
    while (FInterlaced && next >= FHeight && FPass < 3) next = kPassFirstRow[++FPass];
    if (next >= FHeight) {
      FDone = true;
      FLeft = 0;
      return;
    }
    StartRow(next);
  }

  void StartRow(int number) {
    FRowNumber = number;
    FRow = FPixels + FStride * static_cast<size_t>(FHeight - 1 - number);
    FLeft = FWidth;
  }

  cl::ByteReader& FReader;
  const int FWidth;
  const int FHeight;
  const size_t FStride;
  uint8_t* const FPixels;
  const bool FInterlaced;
  const std::function<void()>& FOnRow;

  // Bit reader over the current data sub-block.
  std::span<const uint8_t> FBlock;
  size_t FBlockPosition = 0;
  uint32_t FBits = 0;
  int FBitCount = 0;

  // LZW state.
  int FMinimumCodeSize = 0;
  int FCodeSize = 0;
  int FClear = 0;
  int FEnd = 0;
  int FNext = 0;
  int FLimit = 0;
  int FPrevious = 0;
  bool FTableFull = false;
  uint16_t FPrefix[kMaxCodes]{};
  uint8_t FSuffix[kMaxCodes]{};
  uint8_t FFirst[kMaxCodes]{};
  uint16_t FLength[kMaxCodes]{};
  uint8_t FStack[kMaxCodes + 1]{};

  // Row writer.
  uint8_t* FRow = nullptr;
  int FLeft = 0;
  int FRowNumber = 0;
  int FRowsStored = 0;
  int FPass = 0;
  bool FDone = false;
};

}  // namespace

void TGif::Fail(int number) {
  throw EGifException(kMessages[number - 1]);
}

void TGif::Decode(cl::TStream& stream) {
  const int64_t start = stream.Position();
  const int64_t available = std::max<int64_t>(stream.Size() - start, 0);
  if (available > INT32_MAX) Fail(kBadData);
  // A memory stream is read in place; any other stream is read into memory first.
  std::vector<uint8_t> copy;
  const uint8_t* data = nullptr;
  if (auto* memory = dynamic_cast<cl::TCustomMemoryStream*>(&stream)) {
    if (available > 0) data = static_cast<const uint8_t*>(memory->Memory()) + start;
  } else {
    copy.resize(static_cast<size_t>(available));
    if (!copy.empty()) stream.ReadBuffer(copy.data(), static_cast<int32_t>(copy.size()));
    data = copy.data();
  }
  cl::ByteReader reader(data, static_cast<size_t>(available));

  // The signature is compared case-sensitively; the version is not looked at.
  if (available < 3 || std::memcmp(data, "GIF", 3) != 0) Fail(kNotGif);
  uint8_t screen[kScreenDescriptorSize];
  if (!reader.Skip(6) || !reader.ReadBytes(screen, sizeof screen)) Fail(kUnexpectedEof);
  const uint8_t screenFlags = screen[4], background = screen[5];
  if (!(screenFlags & kTableFlag)) Fail(kMissingColorTable);
  ColorTable global, local;
  ReadColorTable(reader, screenFlags, global);

  uint8_t separator = 0;
  if (!reader.ReadU8(separator)) Fail(kUnexpectedEof);
  if (separator != kImageSeparator) Fail(kBadData);  // an extension before the image is refused too
  uint8_t descriptor[kImageDescriptorSize];
  if (!reader.ReadBytes(descriptor, sizeof descriptor)) Fail(kUnexpectedEof);
  const int width = cl::le::ReadU16(descriptor + 4), height = cl::le::ReadU16(descriptor + 6);
  const uint8_t imageFlags = descriptor[8];
  if (imageFlags & kTableFlag) ReadColorTable(reader, imageFlags, local);
  // Rows without pixels would never fill, and wider rows than the decoder takes are refused before anything is
  // allocated.
  if (width == 0 || height == 0 || width > kMaxWidth) Fail(kBadData);

  // The colour table of the image, else the global one; entries past the table's own are black.
  cl::bmp::TDibImage image;
  image.Width = width;
  image.Height = height;
  image.BitCount = 8;
  const ColorTable& colors = (imageFlags & kTableFlag) ? local : global;
  image.Colors.resize(kColorEntries);
  for (int i = 0; i < colors.Count; ++i)
    image.Colors[i] = {colors.Entries[i][2], colors.Entries[i][1], colors.Entries[i][0], 0};
  const size_t stride = image.Stride();
  uint8_t* bits;
  if (OnAllocateRows) {
    bits = OnAllocateRows(image);
  } else {
    image.Bits.resize(stride * static_cast<size_t>(height));
    bits = image.Bits.data();
  }
  for (size_t row = 0; row < static_cast<size_t>(height); ++row) {
    std::memset(bits + row * stride, background, static_cast<size_t>(width));
    std::memset(bits + row * stride + width, 0, stride - static_cast<size_t>(width));
  }
  ImageDecoder(reader, image, bits, (imageFlags & kInterlaceFlag) != 0, OnRow).Run();

  FImage = std::move(image);
  stream.SetPosition(start + static_cast<int64_t>(reader.Position()));
}

}  // namespace img
