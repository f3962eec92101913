// Quarter turns, flips and inversion of a DibImage.
#include "formatlib/core/dib_orientation.h"

#include <algorithm>

namespace fl {
namespace {

// A new image of the source's depth and palette with the sides swapped.
ErrorCode CreateTurned(const DibImage& source, DibImage& result) {
  if (ErrorCode error = CheckImage(source); error != kOk) return error;
  if (ErrorCode error = CreateDibImage(source.height, source.width, source.bitCount, result); error != kOk) {
    return error;
  }
  result.palette = source.palette;
  return kOk;
}

}  // namespace

ErrorCode Rotate90(const DibImage& source, DibImage& result) {
  if (ErrorCode error = CreateTurned(source, result); error != kOk) return error;
  for (int32_t y = 0; y < result.height; ++y) {
    for (int32_t x = 0; x < result.width; ++x) CopyPixel(source, y, source.height - 1 - x, result, x, y);
  }
  return kOk;
}

ErrorCode Rotate270(const DibImage& source, DibImage& result) {
  if (ErrorCode error = CreateTurned(source, result); error != kOk) return error;
  for (int32_t y = 0; y < result.height; ++y) {
    for (int32_t x = 0; x < result.width; ++x) CopyPixel(source, source.width - 1 - y, x, result, x, y);
  }
  return kOk;
}

void Rotate180(DibImage& image) {
  FlipHorizontal(image);
  FlipVertical(image);
}

void FlipHorizontal(DibImage& image) {
  for (int32_t y = 0; y < image.height; ++y) {
    if (image.HasPalette()) {
      for (int32_t left = 0, right = image.width - 1; left < right; ++left, --right) {
        uint32_t leftIndex = image.IndexAt(left, y);
        image.SetIndexAt(left, y, image.IndexAt(right, y));
        image.SetIndexAt(right, y, leftIndex);
      }
      continue;
    }
    size_t bytesPerPixel = static_cast<size_t>(image.bitCount / 8);
    uint8_t* row = image.Row(y);
    for (int32_t left = 0, right = image.width - 1; left < right; ++left, --right) {
      std::swap_ranges(row + left * bytesPerPixel, row + (left + 1) * bytesPerPixel, row + right * bytesPerPixel);
    }
  }
}

void FlipVertical(DibImage& image) {
  size_t stride = image.Stride();
  for (int32_t top = 0, bottom = image.height - 1; top < bottom; ++top, --bottom) {
    std::swap_ranges(image.Row(top), image.Row(top) + stride, image.Row(bottom));
  }
}

void Invert(DibImage& image) {
  if (image.HasPalette()) {
    for (RgbQuad& entry : image.palette) {
      entry.red = static_cast<uint8_t>(255 - entry.red);
      entry.green = static_cast<uint8_t>(255 - entry.green);
      entry.blue = static_cast<uint8_t>(255 - entry.blue);
    }
    return;
  }
  size_t bytesPerPixel = static_cast<size_t>(image.bitCount / 8);
  for (int32_t y = 0; y < image.height; ++y) {
    uint8_t* pixel = image.Row(y);
    for (int32_t x = 0; x < image.width; ++x, pixel += bytesPerPixel) {
      for (int channel = 0; channel < 3; ++channel) pixel[channel] = static_cast<uint8_t>(255 - pixel[channel]);
    }
  }
}

}  // namespace fl
