// The side title band of a top-level menu window: where it lies, its gradient from the end colour at the top to
// the begin colour at the bottom, and where its bitmap and its rotated text go.
#pragma once

#include <cstdint>

#include "classlib/core/types.h"
#include "toolbars/core/menu_layout.h"

namespace tbr::menus {

// The band in a window of that size: 2 pixels in from the top, the bottom and its side.
cl::TRect TitleBandRect(TTitleAlign align, int titleWidth, int windowWidth, int windowHeight);

struct RgbColor {
  uint8_t R = 0;
  uint8_t G = 0;
  uint8_t B = 0;
  bool operator==(const RgbColor&) const = default;
};

// The gradient is drawn as this many horizontal stripes.
constexpr int kTitleStripes = 256;

// Stripe i covers the rows [Top, Bottom) of a band `height` high and has the colour end + (begin - end + 1) * i /
// 256 per channel, rounded halves to even.
struct TitleStripe {
  int Top = 0;
  int Bottom = 0;
  RgbColor Color;
};
TitleStripe TitleGradientStripe(int index, int height, RgbColor begin, RgbColor end);

// Placement along the band: text and bitmap at the bottom (left justified, as text reading upwards starts there),
// at the top (right justified) or centred.
enum TTitleTextAlignment { ttLeftJustify, ttRightJustify, ttCenter };

// The top-left corner of the bitmap in the band.
cl::TPoint TitleBitmapPosition(TTitleTextAlignment alignment, cl::TPoint band, cl::TPoint bitmap);

// Where the rotated text starts in the band: text reading upwards (direction) or downwards, of the given width
// along the band and height across it.
cl::TPoint TitleTextPosition(TTitleTextAlignment alignment, bool readsUpwards, cl::TPoint band, int textWidth,
                             int textHeight);

}  // namespace tbr::menus
