// DibImage pixel access and checked creation.
#include "formatlib/core/dib_image.h"

#include <algorithm>
#include <new>

namespace fl {

bool DibImage::IsSupportedDepth(int bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24 || bitCount == 32;
}

size_t DibImage::StrideFor(int32_t width, int bitCount) {
  return ((static_cast<size_t>(width) * static_cast<size_t>(bitCount) + 31) / 32) * 4;
}

uint32_t DibImage::IndexAt(int32_t x, int32_t y) const {
  const uint8_t* row = Row(y);
  switch (bitCount) {
    case 1:
      return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
      return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    default:
      return row[x];
  }
}

void DibImage::SetIndexAt(int32_t x, int32_t y, uint32_t index) {
  uint8_t* row = Row(y);
  switch (bitCount) {
    case 1: {
      uint8_t mask = static_cast<uint8_t>(0x80 >> (x & 7));
      row[x >> 3] = static_cast<uint8_t>((index & 1) ? (row[x >> 3] | mask) : (row[x >> 3] & ~mask));
      break;
    }
    case 4:
      if (x & 1) {
        row[x >> 1] = static_cast<uint8_t>((row[x >> 1] & 0xF0) | (index & 0x0F));
      } else {
        row[x >> 1] = static_cast<uint8_t>((row[x >> 1] & 0x0F) | ((index & 0x0F) << 4));
      }
      break;
    default:
      row[x] = static_cast<uint8_t>(index);
  }
}

RgbQuad DibImage::ColorAt(int32_t x, int32_t y) const {
  if (HasPalette()) {
    uint32_t index = IndexAt(x, y);
    if (index >= palette.size()) return RgbQuad{};
    RgbQuad color = palette[index];
    color.reserved = 0;
    return color;
  }
  const uint8_t* pixel = Row(y) + static_cast<size_t>(x) * (bitCount / 8);
  return RgbQuad{pixel[0], pixel[1], pixel[2], bitCount == 32 ? pixel[3] : uint8_t{0}};
}

void DibImage::SetColorAt(int32_t x, int32_t y, RgbQuad color) {
  uint8_t* pixel = Row(y) + static_cast<size_t>(x) * (bitCount / 8);
  pixel[0] = color.blue;
  pixel[1] = color.green;
  pixel[2] = color.red;
  if (bitCount == 32) pixel[3] = color.reserved;
}

void CopyPixel(const DibImage& from, int32_t fromX, int32_t fromY, DibImage& to, int32_t toX, int32_t toY) {
  if (from.HasPalette()) {
    to.SetIndexAt(toX, toY, from.IndexAt(fromX, fromY));
    return;
  }
  size_t bytesPerPixel = static_cast<size_t>(from.bitCount / 8);
  const uint8_t* source = from.Row(fromY) + static_cast<size_t>(fromX) * bytesPerPixel;
  std::copy_n(source, bytesPerPixel, to.Row(toY) + static_cast<size_t>(toX) * bytesPerPixel);
}

ErrorCode CheckImageSize(int64_t width, int64_t height, int bitCount) {
  if (!DibImage::IsSupportedDepth(bitCount)) return kUnsupportedDepth;
  if (width < 1 || height < 1) return kBadDimensions;
  if (width > kMaxDimension || height > kMaxDimension || width * height > kMaxPixels) return kImageTooLarge;
  return kOk;
}

ErrorCode CheckImage(const DibImage& image) {
  if (CheckImageSize(image.width, image.height, image.bitCount) != kOk) return kBadDib;
  if (image.bits.size() != image.Stride() * static_cast<size_t>(image.height)) return kBadDib;
  size_t maxPaletteSize = image.HasPalette() ? size_t{1} << image.bitCount : 0;
  if (image.palette.size() > maxPaletteSize) return kBadDib;
  return kOk;
}

ErrorCode CreateDibImage(int64_t width, int64_t height, int bitCount, DibImage& image) {
  image = DibImage{};
  if (ErrorCode error = CheckImageSize(width, height, bitCount); error != kOk) return error;
  try {
    image.bits.assign(DibImage::StrideFor(static_cast<int32_t>(width), bitCount) * static_cast<size_t>(height), 0);
  } catch (const std::bad_alloc&) {
    image = DibImage{};
    return kOutOfMemory;
  }
  image.width = static_cast<int32_t>(width);
  image.height = static_cast<int32_t>(height);
  image.bitCount = bitCount;
  return kOk;
}

std::vector<RgbQuad> GrayPalette(int bitCount) {
  int entries = 1 << bitCount;
  std::vector<RgbQuad> palette(entries);
  for (int i = 0; i < entries; ++i) {
    auto level = static_cast<uint8_t>(i * 255 / (entries - 1));
    palette[i] = MakeRgb(level, level, level);
  }
  return palette;
}

uint8_t Luminance(RgbQuad color) {
  return static_cast<uint8_t>((color.red * 299 + color.green * 587 + color.blue * 114 + 500) / 1000);
}

}  // namespace fl
