// TGA writing: 8-bit colour-mapped for palette pictures, 24-bit true-colour for the others.
#include "formatlib/core/tga_codec.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "classlib/core/byte_reader.h"
#include "formatlib/core/tga_layout.h"

namespace fl {
namespace {

constexpr int32_t kMaxSide = 65535;
constexpr size_t kTrueColorBytes = 3;

// One row as stored: palette indices, or blue, green, red triples.
void StoredRow(const DibImage& image, int32_t y, std::vector<uint8_t>& row) {
  if (image.HasPalette()) {
    for (int32_t x = 0; x < image.width; ++x) row[x] = static_cast<uint8_t>(image.IndexAt(x, y));
    return;
  }
  const uint8_t* pixel = image.Row(y);
  size_t bytesPerPixel = static_cast<size_t>(image.bitCount / 8);
  for (int32_t x = 0; x < image.width; ++x, pixel += bytesPerPixel) {
    std::copy_n(pixel, kTrueColorBytes, row.begin() + x * kTrueColorBytes);
  }
}

bool SamePixel(const uint8_t* a, const uint8_t* b, size_t bytesPerPixel) {
  return std::memcmp(a, b, bytesPerPixel) == 0;
}

// Run-length packets for one row; packets never cross the end of the row.
void EncodeRow(const std::vector<uint8_t>& row, size_t bytesPerPixel, std::vector<uint8_t>& file) {
  size_t pixels = row.size() / bytesPerPixel;
  size_t position = 0;
  while (position < pixels) {
    const uint8_t* first = row.data() + position * bytesPerPixel;
    size_t run = 1;
    while (position + run < pixels && run < tga::kMaxPacketPixels &&
           SamePixel(first, first + run * bytesPerPixel, bytesPerPixel)) {
      ++run;
    }
    if (run > 1) {
      file.push_back(static_cast<uint8_t>(tga::kRunPacket | (run - 1)));
      file.insert(file.end(), first, first + bytesPerPixel);
      position += run;
      continue;
    }
    // A literal packet runs until two equal pixels start a run worth its own packet.
    size_t literal = 1;
    while (position + literal < pixels && literal < tga::kMaxPacketPixels) {
      const uint8_t* next = first + literal * bytesPerPixel;
      if (position + literal + 1 < pixels && SamePixel(next, next + bytesPerPixel, bytesPerPixel)) break;
      ++literal;
    }
    file.push_back(static_cast<uint8_t>(literal - 1));
    file.insert(file.end(), first, first + literal * bytesPerPixel);
    position += literal;
  }
}

}  // namespace

ErrorCode WriteTga(const DibImage& image, const TgaWriteOptions& options, std::vector<uint8_t>& file) {
  if (ErrorCode error = CheckImage(image); error != kOk) return error;
  if (image.width > kMaxSide || image.height > kMaxSide) return kImageTooLarge;
  bool colorMapped = image.HasPalette();
  size_t bytesPerPixel = colorMapped ? 1 : kTrueColorBytes;
  uint8_t type = colorMapped ? tga::kTypeColorMapped : tga::kTypeTrueColor;
  if (options.runLength) type = static_cast<uint8_t>(type + tga::kRunLengthTypeOffset);
  uint16_t mapEntries = colorMapped ? static_cast<uint16_t>(1u << image.bitCount) : 0;
  try {
    file.clear();
    file.reserve(tga::kHeaderSize + 3 * mapEntries + static_cast<size_t>(image.width) * image.height * bytesPerPixel);
    file.insert(file.end(), {0, colorMapped ? tga::kHasColorMap : tga::kNoColorMap, type});
    cl::le::AppendU16(file, 0);
    cl::le::AppendU16(file, mapEntries);
    file.push_back(colorMapped ? 24 : 0);
    cl::le::AppendU16(file, 0);
    cl::le::AppendU16(file, 0);
    cl::le::AppendU16(file, static_cast<uint16_t>(image.width));
    cl::le::AppendU16(file, static_cast<uint16_t>(image.height));
    file.insert(file.end(), {static_cast<uint8_t>(8 * bytesPerPixel), options.topDown ? tga::kTopDown : uint8_t{0}});
    for (uint16_t i = 0; i < mapEntries; ++i) {
      RgbQuad entry = i < image.palette.size() ? image.palette[i] : RgbQuad{};
      file.insert(file.end(), {entry.blue, entry.green, entry.red});
    }
    std::vector<uint8_t> row(static_cast<size_t>(image.width) * bytesPerPixel);
    for (int32_t i = 0; i < image.height; ++i) {
      StoredRow(image, options.topDown ? i : image.height - 1 - i, row);
      if (options.runLength) {
        EncodeRow(row, bytesPerPixel, file);
      } else {
        file.insert(file.end(), row.begin(), row.end());
      }
    }
  } catch (const std::bad_alloc&) {
    file.clear();
    return kOutOfMemory;
  }
  return kOk;
}

}  // namespace fl
