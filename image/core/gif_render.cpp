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
  bool masked = false;
  const int step = FLeftToRight ? 1 : -1;
  const std::int32_t* above = FCurrent.data();  // what the row before spread into this one
  std::int32_t* below = FNext.data();
  // The shares a pixel spreads travel in registers until no later pixel adds to them: carry is the 7/16 for the
  // next pixel of the row, near what the slot of this pixel holds so far (1/16 of the pixel behind), far what
  // the slot behind it holds (1/16 and 5/16). So each slot of the next row is written once, the two at the end
  // after the loop, and the row needs no clearing. A transparent pixel drops the carry and spreads nothing.
  std::int32_t carry[3] = {0, 0, 0}, near[3] = {0, 0, 0}, far[3] = {0, 0, 0};
  int x = FLeftToRight ? 0 : FWidth - 1;
  for (int n = 0; n < FWidth; ++n, x += step) {
    const int index = indices[x];
    const TGIFColor& color = FColors[index];
    // Slots of this pixel and of the one behind it in the row's direction.
    const int slot = 3 * (x + 1), behind = slot - 3 * step;
    if (maskRow != nullptr && index == transparentIndex) {
      SetMaskBit(maskRow, x);
      masked = true;
      out[x] = static_cast<std::uint8_t>(CubeIndexOf(color.Red, color.Green, color.Blue));
      for (int channel = 0; channel < 3; ++channel) {
        below[behind + channel] = far[channel];
        far[channel] = near[channel];
        near[channel] = carry[channel] = 0;
      }
      continue;
    }
    const int value[3] = {color.Red, color.Green, color.Blue};
    int cube = 0;
    for (int channel = 0; channel < 3; ++channel) {
      const int adjusted = value[channel] + (above[slot + channel] + carry[channel]) / kErrorScale;
      const int level = CubeLevel(adjusted);
      // The error is (adjusted - level x 51) x 1024, so its sixteenths are whole: 7/16 of it is 448 a unit.
      const std::int32_t residual = adjusted - level * kCubeStep;
      carry[channel] = residual * (kErrorScale * 7 / 16);
      below[behind + channel] = far[channel] + residual * (kErrorScale * 3 / 16);
      far[channel] = near[channel] + residual * (kErrorScale * 5 / 16);
      near[channel] = residual * (kErrorScale * 1 / 16);
      cube = cube * 6 + level;
    }
    out[x] = static_cast<std::uint8_t>(cube);
  }
  // x is one pixel past the row: what is left goes to the slots of the last pixel and of the one past it.
  const int last = 3 * (x - step + 1);
  for (int channel = 0; channel < 3; ++channel) {
    below[last + channel] = far[channel];
    below[last + 3 * step + channel] = near[channel];
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
