// PCX writing: version 5, run-length encoded, 1 bit x 1 or 4 planes, 8 bits x 1 or 3 planes.
#include "formatlib/core/pcx_codec.h"

#include <algorithm>
#include <new>

#include "classlib/core/byte_reader.h"
#include "formatlib/core/pcx_layout.h"

namespace fl {
namespace {

using pcx::kHeaderSize;

// The 16-entry header palette of depths 1 and 4, padded with black.
void PutHeaderPalette(const DibImage& image, std::vector<uint8_t>& file) {
  for (size_t i = 0; i < pcx::kHeaderPaletteEntries; ++i) {
    RgbQuad entry = i < image.palette.size() ? image.palette[i] : RgbQuad{};
    file.insert(file.end(), {entry.red, entry.green, entry.blue});
  }
}

struct PcxLayout {
  int bitsPerPlane;
  int planes;
};

PcxLayout LayoutFor(int bitCount) {
  switch (bitCount) {
    case 1:
      return {1, 1};
    case 4:
      return {1, 4};
    case 8:
      return {8, 1};
    default:
      return {8, 3};
  }
}

// One scan line of the picture split into its planes, each `bytesPerLine` long.
void SplitRow(const DibImage& image, int32_t y, const PcxLayout& layout, size_t bytesPerLine,
              std::vector<uint8_t>& line) {
  std::fill(line.begin(), line.end(), 0);
  const uint8_t* row = image.Row(y);
  switch (image.bitCount) {
    case 1:
    case 8:
      std::copy_n(row, (static_cast<size_t>(image.width) * image.bitCount + 7) / 8, line.begin());
      break;
    case 4:
      for (int32_t x = 0; x < image.width; ++x) {
        uint32_t index = image.IndexAt(x, y);
        for (int plane = 0; plane < layout.planes; ++plane) {
          if (index & (1u << plane)) line[plane * bytesPerLine + (x >> 3)] |= static_cast<uint8_t>(0x80 >> (x & 7));
        }
      }
      break;
    default: {
      size_t bytesPerPixel = static_cast<size_t>(image.bitCount / 8);
      for (int32_t x = 0; x < image.width; ++x) {
        const uint8_t* pixel = row + x * bytesPerPixel;
        line[x] = pixel[2];
        line[bytesPerLine + x] = pixel[1];
        line[2 * bytesPerLine + x] = pixel[0];
      }
    }
  }
}

// Run-length encodes one whole scan line (all planes); runs never cross the end of the line.
void EncodeLine(const std::vector<uint8_t>& line, std::vector<uint8_t>& file) {
  size_t position = 0;
  while (position < line.size()) {
    uint8_t value = line[position];
    size_t run = 1;
    while (position + run < line.size() && run < pcx::kMaxRun && line[position + run] == value) ++run;
    if (run > 1 || value >= pcx::kRunMarker) file.push_back(static_cast<uint8_t>(pcx::kRunMarker | run));
    file.push_back(value);
    position += run;
  }
}

}  // namespace

ErrorCode WritePcx(const DibImage& image, std::vector<uint8_t>& file) {
  if (ErrorCode error = CheckImage(image); error != kOk) return error;
  if (image.width > pcx::kMaxSide || image.height > pcx::kMaxSide) return kImageTooLarge;
  PcxLayout layout = LayoutFor(image.bitCount);
  // Each plane's line holds a whole number of 16-bit words.
  size_t bytesPerLine = ((static_cast<size_t>(image.width) * layout.bitsPerPlane + 15) / 16) * 2;
  try {
    file.clear();
    file.reserve(kHeaderSize + image.bits.size() + pcx::kTrailingPaletteSize);
    file.insert(file.end(), {pcx::kManufacturer, pcx::kVersion5, pcx::kEncodingRunLength,
                             static_cast<uint8_t>(layout.bitsPerPlane)});
    cl::le::AppendU16(file, 0);
    cl::le::AppendU16(file, 0);
    cl::le::AppendU16(file, static_cast<uint16_t>(image.width - 1));
    cl::le::AppendU16(file, static_cast<uint16_t>(image.height - 1));
    cl::le::AppendU16(file, pcx::kDotsPerInch);
    cl::le::AppendU16(file, pcx::kDotsPerInch);
    PutHeaderPalette(image, file);
    file.push_back(0);
    file.push_back(static_cast<uint8_t>(layout.planes));
    cl::le::AppendU16(file, static_cast<uint16_t>(bytesPerLine));
    cl::le::AppendU16(file, pcx::kPaletteInfoColour);
    file.resize(kHeaderSize, 0);

    std::vector<uint8_t> line(bytesPerLine * layout.planes);
    for (int32_t y = 0; y < image.height; ++y) {
      SplitRow(image, y, layout, bytesPerLine, line);
      EncodeLine(line, file);
    }
    if (image.bitCount == 8) {
      file.push_back(pcx::kTrailingPaletteMarker);
      for (size_t i = 0; i < pcx::kTrailingPaletteEntries; ++i) {
        RgbQuad entry = i < image.palette.size() ? image.palette[i] : RgbQuad{};
        file.insert(file.end(), {entry.red, entry.green, entry.blue});
      }
    }
  } catch (const std::bad_alloc&) {
    file.clear();
    return kOutOfMemory;
  }
  return kOk;
}

}  // namespace fl
