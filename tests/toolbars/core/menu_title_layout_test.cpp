// The side title band: its rectangle, the gradient stripes pinned channel by channel, and where bitmap and
// rotated text go.
#include "toolbars/core/menu_title_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace tbr::menus {
namespace {

constexpr RgbColor kBlack{0, 0, 0};
constexpr RgbColor kNavy{0, 0, 128};

TEST(MenuTitleLayoutTest, BandLiesTwoPixelsInsideItsSide) {
  EXPECT_EQ(TitleBandRect(alLeft, 50, 200, 120), cl::Rect(2, 2, 52, 118));
  EXPECT_EQ(TitleBandRect(alRight, 50, 200, 120), cl::Rect(148, 2, 198, 118));
}

TEST(MenuTitleLayoutTest, GradientRunsFromTheEndColourAtTheTopToTheBeginColourAtTheBottom) {
  struct Case {
    int Index;
    RgbColor Color;
  };
  // Begin black, end navy: blue falls from 128; red and green climb from 0, rounded halves to even.
  for (const Case& c : std::vector<Case>{{0, {0, 0, 128}},
                                         {128, {0, 0, 64}},  // 0.5 -> 0 and -63.5 -> -64
                                         {129, {1, 1, 64}},  // 129 / 256 rounds up
                                         {200, {1, 1, 29}},  // 200 * -127 / 256 = -99.2
                                         {255, {1, 1, 1}}}) {
    EXPECT_EQ(TitleGradientStripe(c.Index, 256, kBlack, kNavy).Color, c.Color) << c.Index;
  }
  // Stripes cover the band without gaps.
  int next = 0;
  for (int i = 0; i < kTitleStripes; ++i) {
    const TitleStripe stripe = TitleGradientStripe(i, 100, kBlack, kNavy);
    EXPECT_EQ(stripe.Top, next);
    next = stripe.Bottom;
  }
  EXPECT_EQ(next, 100);
}

TEST(MenuTitleLayoutTest, BitmapAndTextFollowTheAlignment) {
  const cl::TPoint band = cl::Point(50, 200);
  EXPECT_EQ(TitleBitmapPosition(ttLeftJustify, band, cl::Point(32, 40)), cl::Point(9, 160));
  EXPECT_EQ(TitleBitmapPosition(ttRightJustify, band, cl::Point(32, 40)), cl::Point(9, 0));
  EXPECT_EQ(TitleBitmapPosition(ttCenter, band, cl::Point(32, 40)), cl::Point(9, 80));
  // Text 80 long and 30 high across the band.
  EXPECT_EQ(TitleTextPosition(ttLeftJustify, true, band, 80, 30), cl::Point(8, 190));
  EXPECT_EQ(TitleTextPosition(ttRightJustify, true, band, 80, 30), cl::Point(8, 110));
  EXPECT_EQ(TitleTextPosition(ttCenter, true, band, 80, 30), cl::Point(8, 150));
  EXPECT_EQ(TitleTextPosition(ttLeftJustify, false, band, 80, 30), cl::Point(42, 10));
}

}  // namespace
}  // namespace tbr::menus
