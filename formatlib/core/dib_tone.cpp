// Brightness and contrast, monochrome and grayscale conversion of a DibImage.
#include "formatlib/core/dib_tone.h"

#include <algorithm>
#include <array>
#include <vector>

namespace fl {
namespace {

constexpr int kAdjustLimit = 100;
constexpr int kMidLevel = 128;

using ToneTable = std::array<uint8_t, 256>;

ToneTable MakeBrightnessContrastTable(int brightness, int contrast) {
  ToneTable table{};
  for (int v = 0; v < 256; ++v) {
    int adjusted = (v - kMidLevel) * (100 + contrast) / 100 + kMidLevel + brightness * 255 / 100;
    table[v] = static_cast<uint8_t>(std::clamp(adjusted, 0, 255));
  }
  return table;
}

ErrorCode CreateGray8(const DibImage& source, DibImage& result) {
  if (ErrorCode error = CreateDibImage(source.width, source.height, 8, result); error != kOk) return error;
  result.palette = GrayPalette(8);
  return kOk;
}

// Average luminance of the pixel's 3x3 neighbourhood, the neighbours outside the picture left out.
uint8_t SmoothedLuminance(const DibImage& image, int32_t x, int32_t y) {
  int sum = 0;
  int count = 0;
  for (int32_t ny = std::max(0, y - 1); ny <= std::min(image.height - 1, y + 1); ++ny) {
    for (int32_t nx = std::max(0, x - 1); nx <= std::min(image.width - 1, x + 1); ++nx) {
      sum += Luminance(image.ColorAt(nx, ny));
      ++count;
    }
  }
  return static_cast<uint8_t>((sum + count / 2) / count);
}

}  // namespace

ErrorCode AdjustBrightnessContrastInPlace(DibImage& image, int brightness, int contrast) {
  if (brightness < -kAdjustLimit || brightness > kAdjustLimit || contrast < -kAdjustLimit || contrast > kAdjustLimit) {
    return kInvalidArgument;
  }
  if (ErrorCode error = CheckImage(image); error != kOk) return error;
  ToneTable table = MakeBrightnessContrastTable(brightness, contrast);
  if (image.HasPalette()) {
    for (RgbQuad& entry : image.palette) {
      entry.red = table[entry.red];
      entry.green = table[entry.green];
      entry.blue = table[entry.blue];
    }
    return kOk;
  }
  size_t bytesPerPixel = static_cast<size_t>(image.bitCount / 8);
  for (int32_t y = 0; y < image.height; ++y) {
    uint8_t* pixel = image.Row(y);
    for (int32_t x = 0; x < image.width; ++x, pixel += bytesPerPixel) {
      for (int channel = 0; channel < 3; ++channel) pixel[channel] = table[pixel[channel]];
    }
  }
  return kOk;
}

ErrorCode AdjustBrightnessContrast(const DibImage& source, int brightness, int contrast, DibImage& result) {
  if (ErrorCode error = CheckImage(source); error != kOk) return error;
  try {
    result = source;
  } catch (const std::bad_alloc&) {
    return kOutOfMemory;
  }
  return AdjustBrightnessContrastInPlace(result, brightness, contrast);
}

ErrorCode ConvertToMonochrome(const DibImage& source, DibImage& result) {
  if (ErrorCode error = CheckImage(source); error != kOk) return error;
  if (ErrorCode error = CreateDibImage(source.width, source.height, 1, result); error != kOk) return error;
  result.palette = GrayPalette(1);
  // Errors carried to the current and the next row, with one spare entry on each side.
  std::vector<int> currentErrors(static_cast<size_t>(source.width) + 2, 0);
  std::vector<int> nextErrors(currentErrors.size(), 0);
  for (int32_t y = 0; y < source.height; ++y) {
    std::fill(nextErrors.begin(), nextErrors.end(), 0);
    for (int32_t x = 0; x < source.width; ++x) {
      int wanted = Luminance(source.ColorAt(x, y)) + currentErrors[x + 1] / 16;
      int shown = wanted >= kMidLevel ? 255 : 0;
      result.SetIndexAt(x, y, shown ? 1 : 0);
      int error = wanted - shown;
      currentErrors[x + 2] += error * 7;
      nextErrors[x] += error * 3;
      nextErrors[x + 1] += error * 5;
      nextErrors[x + 2] += error;
    }
    std::swap(currentErrors, nextErrors);
  }
  return kOk;
}

ErrorCode ConvertToGrayscale(const DibImage& source, DibImage& result) {
  if (ErrorCode error = CheckImage(source); error != kOk) return error;
  if (ErrorCode error = CreateGray8(source, result); error != kOk) return error;
  for (int32_t y = 0; y < source.height; ++y) {
    uint8_t* row = result.Row(y);
    for (int32_t x = 0; x < source.width; ++x) {
      row[x] = source.bitCount == 1 ? SmoothedLuminance(source, x, y) : Luminance(source.ColorAt(x, y));
    }
  }
  return kOk;
}

}  // namespace fl
