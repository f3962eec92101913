// Rotation by any angle and skew of a DibImage, by nearest-pixel back mapping.
#include "formatlib/core/dib_geometry.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <numbers>

#include "formatlib/core/dib_orientation.h"

namespace fl {
namespace {

constexpr double kMaxSkewDegrees = 89.0;
// Slack for sizes computed with sines and cosines, so that 30.0000000001 pixels count as 30.
constexpr double kSizeTolerance = 1e-6;

// A new image of the source's depth and palette, every pixel set to the background.
ErrorCode CreateFilled(const DibImage& source, int64_t width, int64_t height, RgbQuad background, DibImage& result) {
  if (ErrorCode error = CreateDibImage(width, height, source.bitCount, result); error != kOk) return error;
  result.palette = source.palette;
  uint32_t backgroundIndex = NearestPaletteIndex(result.palette, background);
  for (int32_t y = 0; y < result.height; ++y) {
    for (int32_t x = 0; x < result.width; ++x) {
      if (result.HasPalette()) {
        result.SetIndexAt(x, y, backgroundIndex);
      } else {
        result.SetColorAt(x, y, background);
      }
    }
  }
  return kOk;
}

ErrorCode CopyOf(const DibImage& source, DibImage& result) {
  try {
    result = source;
  } catch (const std::bad_alloc&) {
    return kOutOfMemory;
  }
  return kOk;
}

}  // namespace

uint32_t NearestPaletteIndex(const std::vector<RgbQuad>& palette, RgbQuad color) {
  uint32_t best = 0;
  int bestDistance = -1;
  for (uint32_t i = 0; i < palette.size(); ++i) {
    int red = palette[i].red - color.red;
    int green = palette[i].green - color.green;
    int blue = palette[i].blue - color.blue;
    int distance = red * red + green * green + blue * blue;
    if (bestDistance < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

ErrorCode RotateByAngle(const DibImage& source, double degrees, RgbQuad background, DibImage& result,
                        PixelPoint* sourceOrigin) {
  if (!std::isfinite(degrees)) return kInvalidArgument;
  if (ErrorCode error = CheckImage(source); error != kOk) return error;
  double turn = std::fmod(degrees, 360.0);
  if (turn < 0) turn += 360.0;
  double radians = turn * std::numbers::pi / 180.0;
  double cosine = std::cos(radians);
  double sine = std::sin(radians);
  double width = std::ceil(std::abs(source.width * cosine) + std::abs(source.height * sine) - kSizeTolerance);
  double height = std::ceil(std::abs(source.width * sine) + std::abs(source.height * cosine) - kSizeTolerance);
  if (sourceOrigin != nullptr) {
    // The forward turn of the corner's offset (-w/2, -h/2) from the centre.
    double cornerX = -source.width / 2.0;
    double cornerY = -source.height / 2.0;
    sourceOrigin->x = static_cast<int32_t>(std::lround(cornerX * cosine + cornerY * sine + width / 2.0));
    sourceOrigin->y = static_cast<int32_t>(std::lround(-cornerX * sine + cornerY * cosine + height / 2.0));
  }
  // Quarter turns move pixels exactly instead of through rounded sines.
  if (turn == 0.0) return CopyOf(source, result);
  if (turn == 90.0) return Rotate270(source, result);
  if (turn == 270.0) return Rotate90(source, result);
  if (turn == 180.0) {
    if (ErrorCode error = CopyOf(source, result); error != kOk) return error;
    Rotate180(result);
    return kOk;
  }

  if (ErrorCode error =
          CreateFilled(source, static_cast<int64_t>(width), static_cast<int64_t>(height), background, result);
      error != kOk) {
    return error;
  }
  // Screen rows grow downwards, so a counter-clockwise turn maps an output offset (u, v) from the centre back to
  // the source offset (u cos - v sin, u sin + v cos).
  double sourceCentreX = source.width / 2.0;
  double sourceCentreY = source.height / 2.0;
  for (int32_t y = 0; y < result.height; ++y) {
    double v = y + 0.5 - result.height / 2.0;
    for (int32_t x = 0; x < result.width; ++x) {
      double u = x + 0.5 - result.width / 2.0;
      double sourceX = std::floor(u * cosine - v * sine + sourceCentreX);
      double sourceY = std::floor(u * sine + v * cosine + sourceCentreY);
      if (sourceX < 0 || sourceY < 0 || sourceX >= source.width || sourceY >= source.height) continue;
      CopyPixel(source, static_cast<int32_t>(sourceX), static_cast<int32_t>(sourceY), result, x, y);
    }
  }
  return kOk;
}

ErrorCode Skew(const DibImage& source, double degrees, RgbQuad background, DibImage& result, PixelPoint* sourceOrigin) {
  if (!std::isfinite(degrees) || std::abs(degrees) > kMaxSkewDegrees) return kInvalidArgument;
  if (ErrorCode error = CheckImage(source); error != kOk) return error;
  double slope = std::tan(degrees * std::numbers::pi / 180.0);
  auto spread = static_cast<int64_t>(std::ceil(std::abs(slope) * (source.height - 1) - kSizeTolerance));
  if (ErrorCode error = CreateFilled(source, source.width + spread, source.height, background, result); error != kOk) {
    return error;
  }
  for (int32_t y = 0; y < source.height; ++y) {
    auto shift = static_cast<int64_t>(std::lround(slope * (source.height - 1 - y)));
    int64_t start = slope < 0 ? spread + shift : shift;
    start = std::clamp<int64_t>(start, 0, spread);
    if (y == 0 && sourceOrigin != nullptr) *sourceOrigin = PixelPoint{static_cast<int32_t>(start), 0};
    for (int32_t x = 0; x < source.width; ++x) CopyPixel(source, x, y, result, static_cast<int32_t>(start + x), y);
  }
  return kOk;
}

}  // namespace fl
