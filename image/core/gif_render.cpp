#include "image/core/gif_render.h"

#include <algorithm>
#include <utility>

#include "classlib/core/numbers.h"

namespace img {
namespace {

constexpr int kCubeStep = 51;      // 255 / 5: the cube's six levels a channel
constexpr int kErrorScale = 1024;  // errors are carried in 1/1024 steps
constexpr std::uint8_t kLeftmostBit = 0x80;

// Round(value / 51) limited to the cube's levels 0 to 5. Halves never occur for integers (51 is odd), so the
// rounding rule does not matter; values below 0 round to level 0 and those above 255 to level 5 as 0 and 255 do.
int CubeLevel(int value) {
  return (2 * std::clamp(value, 0, 255) + kCubeStep) / (2 * kCubeStep);
}

void SetMaskBit(std::uint8_t* maskRow, int x) {
  maskRow[x / 8] |= static_cast<std::uint8_t>(kLeftmostBit >> (x % 8));
}

}  // namespace

bool MarkTransparentPixels(const std::uint8_t* indices, int width, int transparentIndex, std::uint8_t* maskRow) {
  bool any = false;
  for (int x = 0; x < width; ++x) {
    if (indices[x] == transparentIndex) {
      SetMaskBit(maskRow, x);
      any = true;
    }
  }
  return any;
}

int CubeIndexOf(int red, int green, int blue) {
  return CubeLevel(red) * 36 + CubeLevel(green) * 6 + CubeLevel(blue);
}

TGIFDither216::TGIFDither216(int width, const TGIFColorMap& colors)
    : FWidth(width), FCurrent(3 * static_cast<std::size_t>(width + 2)), FNext(FCurrent.size()) {
  // The entries past the map keep their black.
  const int count = std::min(colors.Count(), TGIFColorMap::kMaxColors);
  for (int i = 0; i < count; ++i) FColors[i] = colors.Entry(i);
}

bool TGIFDither216::Row(const std::uint8_t* indices, std::uint8_t* out, std::uint8_t* maskRow, int transparentIndex) {
  std::fill(FNext.begin(), FNext.end(), 0);
  bool masked = false;
  const int step = FLeftToRight ? 1 : -1;
  const std::int32_t* above = FCurrent.data();  // what the row before spread into this one
  std::int32_t* below = FNext.data();
  // The 7/16 share for the next pixel of the row travels in carry rather than through the error row; a
  // transparent pixel drops it, as it drops what lay in its own slot.
  std::int32_t carry[3] = {0, 0, 0};
  for (int n = 0, x = FLeftToRight ? 0 : FWidth - 1; n < FWidth; ++n, x += step) {
    const int index = indices[x];
    const TGIFColor& color = FColors[index];
    if (maskRow != nullptr && index == transparentIndex) {
      SetMaskBit(maskRow, x);
      masked = true;
      out[x] = static_cast<std::uint8_t>(CubeIndexOf(color.Red, color.Green, color.Blue));
      carry[0] = carry[1] = carry[2] = 0;
      continue;
    }
    // Slots of this pixel, of the next one in the row's direction, and of the one behind it.
    const int slot = 3 * (x + 1), ahead = slot + 3 * step, behind = slot - 3 * step;
    const int value[3] = {color.Red, color.Green, color.Blue};
    int cube = 0;
    for (int channel = 0; channel < 3; ++channel) {
      const int adjusted = value[channel] + (above[slot + channel] + carry[channel]) / kErrorScale;
      const int level = CubeLevel(adjusted);
      // The error is (adjusted - level x 51) x 1024, so its sixteenths are whole: 7/16 of it is 448 a unit.
      const std::int32_t residual = adjusted - level * kCubeStep;
      carry[channel] = residual * (kErrorScale * 7 / 16);
      below[behind + channel] += residual * (kErrorScale * 3 / 16);
      below[slot + channel] += residual * (kErrorScale * 5 / 16);
      below[ahead + channel] += residual * (kErrorScale * 1 / 16);
      cube = cube * 6 + level;
    }
    out[x] = static_cast<std::uint8_t>(cube);
  }
  std::swap(FCurrent, FNext);
  FLeftToRight = !FLeftToRight;
  return masked;
}

cl::TRect ScaleFrameRect(const cl::TRect& rect, int left, int top, int width, int height, int screenWidth,
                         int screenHeight) {
  const int w = rect.Width(), h = rect.Height();
  return cl::Rect(rect.Left + cl::MulDiv(left, w, screenWidth), rect.Top + cl::MulDiv(top, h, screenHeight),
                  rect.Left + cl::MulDiv(left + width, w, screenWidth),
                  rect.Top + cl::MulDiv(top + height, h, screenHeight));
}

}  // namespace img
