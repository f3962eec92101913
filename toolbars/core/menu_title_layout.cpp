#include "toolbars/core/menu_title_layout.h"

#include "classlib/core/numbers.h"

namespace tbr::menus {
namespace {

constexpr int kBandMargin = 2;

uint8_t StripeChannel(int index, uint8_t begin, uint8_t end) {
  // end + (begin - end + 1) * i / 256 stays within 0..255 for every i of 0..255.
  return static_cast<uint8_t>(end + cl::Round(static_cast<long double>(index) * (begin - end + 1) / kTitleStripes));
}

}  // namespace

cl::TRect TitleBandRect(TTitleAlign align, int titleWidth, int windowWidth, int windowHeight) {
  if (align == alLeft) return cl::Rect(kBandMargin, kBandMargin, titleWidth + kBandMargin, windowHeight - kBandMargin);
  return cl::Rect(windowWidth - titleWidth - kBandMargin, kBandMargin, windowWidth - kBandMargin,
                  windowHeight - kBandMargin);
}

TitleStripe TitleGradientStripe(int index, int height, RgbColor begin, RgbColor end) {
  TitleStripe stripe;
  stripe.Top = static_cast<int>(cl::Round(static_cast<long double>(index) * height / kTitleStripes));
  stripe.Bottom = static_cast<int>(cl::Round(static_cast<long double>(index + 1) * height / kTitleStripes));
  stripe.Color = RgbColor{StripeChannel(index, begin.R, end.R), StripeChannel(index, begin.G, end.G),
                          StripeChannel(index, begin.B, end.B)};
  return stripe;
}

cl::TPoint TitleBitmapPosition(TTitleTextAlignment alignment, cl::TPoint band, cl::TPoint bitmap) {
  const int x = (band.X - bitmap.X) / 2;
  switch (alignment) {
    case ttLeftJustify:
      return cl::Point(x, band.Y - bitmap.Y);
    case ttRightJustify:
      return cl::Point(x, 0);
    case ttCenter:
      break;
  }
  return cl::Point(x, (band.Y - bitmap.Y) / 2);
}

cl::TPoint TitleTextPosition(TTitleTextAlignment alignment, bool readsUpwards, cl::TPoint band, int textWidth,
                             int textHeight) {
  int along = 0;  // from the top for text reading upwards, from the bottom otherwise
  switch (alignment) {
    case ttLeftJustify:
      along = band.Y - 10;
      break;
    case ttRightJustify:
      along = textWidth + 30;
      break;
    case ttCenter:
      along = (band.Y + textWidth) / 2 + 10;
      break;
  }
  if (readsUpwards) return cl::Point((band.X - textHeight) / 2 - 2, along);
  return cl::Point((textHeight + band.X) / 2 + 2, band.Y - along);
}

}  // namespace tbr::menus
