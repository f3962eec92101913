#include "viewer/core/twain_dib.h"

#include "classlib/core/exceptions.h"

namespace viewer {

namespace {

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr char kInvalidImage[] = "The image from the TWAIN source is not a valid bitmap";

uint32_t ColorsOfBitCount(int bitCount) {
  return bitCount <= 8 ? 1u << bitCount : 0;
}

// Entry i: red 32 * (i mod 8), green 32 * ((i div 8) mod 8), blue 64 * (i div 64).
std::vector<cl::bmp::TColorEntry> FixedPalette() {
  std::vector<cl::bmp::TColorEntry> palette(256);
  for (int i = 0; i < 256; ++i) {
    palette[i].Red = static_cast<uint8_t>(32 * (i % 8));
    palette[i].Green = static_cast<uint8_t>(32 * ((i / 8) % 8));
    palette[i].Blue = static_cast<uint8_t>(64 * (i / 64));
  }
  return palette;
}

}  // namespace

TwainDib ReadTwainDib(const uint8_t* block, size_t size) {
  TwainDib dib;
  try {
    dib.Layout = cl::bmp::ReadPackedDibLayout(block, size);
  } catch (const cl::EInvalidGraphic&) {
    throw cl::EInvalidGraphic(kInvalidImage);
  }
  const cl::bmp::TDibImage& image = dib.Layout.Image;
  // The layout read the table the header announces, so its length is the used-colours count when one is given.
  const bool core = dib.Layout.HeaderSize == kCoreHeaderSize;
  dib.ColorCount =
      !core && !image.Colors.empty() ? static_cast<uint32_t>(image.Colors.size()) : ColorsOfBitCount(image.BitCount);
  if (dib.Layout.HeaderSize == kInfoHeaderSize) {
    if (dib.ColorCount > 0) {
      dib.Palette.assign(image.Colors.begin(), image.Colors.begin() + dib.ColorCount);
    } else if (image.BitCount == 24) {
      dib.Palette = FixedPalette();
    }
  }
  return dib;
}

}  // namespace viewer
