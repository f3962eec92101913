// Glyph images per state and the layout of glyph, caption and arrow in a button.
#include "toolbars/core/glyph_layout.h"

#include <gtest/gtest.h>

namespace tbr {
namespace {

TEST(GlyphImagesTest, NumGlyphsFollowsTheGlyphsProportions) {
  struct Case {
    int Width, Height, NumGlyphs;
  };
  for (const Case& c : {Case{64, 16, 4}, Case{80, 16, 5}, Case{96, 16, 1}, Case{50, 16, 1}, Case{16, 16, 1},
                        Case{0, 0, 1}, Case{16, 0, 1}, Case{8, 16, 1}}) {
    EXPECT_EQ(NumGlyphsOfGlyph(c.Width, c.Height), c.NumGlyphs) << c.Width << "x" << c.Height;
  }
}

TEST(GlyphImagesTest, StatesWithoutACellOfTheirOwnUseTheFirstButDisabledKeepsItsColumn) {
  EXPECT_EQ(StateImageColumn(bsHot, 1), 0);
  EXPECT_EQ(SourceCellColumn(bsHot, 1), 0);
  EXPECT_EQ(StateImageColumn(bsDisabled, 1), 1);
  EXPECT_EQ(SourceCellColumn(bsDisabled, 1), 0);
  EXPECT_EQ(StateImageColumn(bsPressed, 3), 2);
  EXPECT_EQ(SourceCellColumn(bsPressed, 3), 2);
  EXPECT_EQ(StateImageColumn(bsExclusive, 3), 0);
  EXPECT_EQ(StateImageColumn(bsHot, 5), 4);
}

TEST(GlyphImagesTest, ACellNarrowerThanAPixelMeansNoGlyph) {
  EXPECT_EQ(GlyphCellSize(64, 16, 4), (CellSize{16, 16}));
  EXPECT_EQ(GlyphCellSize(65, 16, 4), (CellSize{16, 16}));
  EXPECT_TRUE(GlyphCellSize(3, 16, 5).Empty());
  EXPECT_TRUE(GlyphCellSize(16, 0, 1).Empty());
  EXPECT_EQ(GlyphCellSize(16, 16, 0), (CellSize{16, 16}));
}

// A caption 30 wide and 10 high, whatever the width offered.
cl::TPoint Caption30x10(int) {
  return cl::Point(30, 10);
}

ButtonLayoutRequest Request(TButtonLayout layout, int margin, int spacing, int width = 100, int height = 20) {
  ButtonLayoutRequest r;
  r.Client = cl::Rect(0, 0, width, height);
  r.GlyphWidth = 16;
  r.GlyphHeight = 16;
  r.HasText = true;
  r.Layout = layout;
  r.Margin = margin;
  r.Spacing = spacing;
  return r;
}

TEST(ButtonLayoutTest, AutomaticMarginAndSpacingMakeThreeEqualGaps) {
  const ButtonLayout l = LayOutButton(Request(blGlyphLeft, -1, -1), Caption30x10);
  const int left = l.Glyph.X;
  const int middle = l.Text.Left - (l.Glyph.X + 16);
  const int right = 100 - l.Text.Right;
  EXPECT_EQ(left, 18);
  EXPECT_EQ(middle, 18);
  EXPECT_EQ(right, 18);
  EXPECT_EQ(l.Glyph.Y, 2);
  EXPECT_EQ(l.Text.Top, 5);
}

TEST(ButtonLayoutTest, PlacesGlyphCaptionAndArrowForEachLayout) {
  struct Case {
    TButtonLayout Layout;
    int Margin, Spacing, Width, Height;
    bool Arrow;
    cl::TPoint Glyph;
    cl::TRect Text;
    cl::TPoint ArrowAt;
  };
  const Case cases[] = {
      // Automatic margin centres the content: (100 - (16 + 30 + 4) + 1) div 2 = 25.
      {blGlyphLeft, -1, 4, 100, 20, false, {25, 2}, cl::Bounds(45, 5, 30, 10), {75, 8}},
      {blGlyphLeft, 3, 4, 100, 20, true, {3, 2}, cl::Bounds(23, 5, 30, 10), {53, 8}},
      {blGlyphRight, 2, 4, 100, 20, true, {73, 2}, cl::Bounds(39, 5, 30, 10), {89, 8}},
      // Automatic spacing: (100 - 2 - 46) div 2 = 26.
      {blGlyphRight, 2, -1, 100, 20, false, {82, 2}, cl::Bounds(26, 5, 30, 10), {98, 8}},
      {blGlyphTop, -1, 4, 40, 50, false, {12, 10}, cl::Bounds(5, 30, 30, 10), {28, 16}},
      {blGlyphTop, -1, 4, 40, 50, true, {8, 10}, cl::Bounds(5, 30, 30, 10), {24, 16}},
      {blGlyphBottom, 2, -1, 40, 50, false, {12, 32}, cl::Bounds(5, 11, 30, 10), {28, 38}},
  };
  for (const Case& c : cases) {
    ButtonLayoutRequest r = Request(c.Layout, c.Margin, c.Spacing, c.Width, c.Height);
    r.DrawArrow = c.Arrow;
    const ButtonLayout l = LayOutButton(r, Caption30x10);
    EXPECT_EQ(l.Glyph, c.Glyph) << c.Layout << "/" << c.Margin << "/" << c.Spacing << "/" << c.Arrow;
    EXPECT_EQ(l.Text, c.Text) << c.Layout << "/" << c.Margin << "/" << c.Spacing << "/" << c.Arrow;
    EXPECT_EQ(l.Arrow, c.ArrowAt) << c.Layout << "/" << c.Margin << "/" << c.Spacing << "/" << c.Arrow;
  }
}

TEST(ButtonLayoutTest, AVerticalLayoutWithoutAGlyphLaysOutLikeGlyphLeft) {
  ButtonLayoutRequest r = Request(blGlyphTop, 2, 4);
  r.GlyphWidth = r.GlyphHeight = 0;
  r.DrawArrow = true;
  const ButtonLayout l = LayOutButton(r, Caption30x10);
  EXPECT_EQ(l.Text, cl::Bounds(2, 5, 30, 10));  // no spacing without a glyph
  EXPECT_EQ(l.Arrow, cl::Point(32, 8));         // centred on the caption
}

TEST(ButtonLayoutTest, CentringTruncatesTowardZeroWhenTheContentIsLargerThanTheButton) {
  ButtonLayoutRequest r = Request(blGlyphLeft, -1, 4, 10, 11);
  r.HasText = false;
  const ButtonLayout l = LayOutButton(r, Caption30x10);
  EXPECT_EQ(l.Glyph, cl::Point(-2, -2));  // (10 - 16 + 1) div 2 and (11 - 16 + 1) div 2
}

TEST(ButtonLayoutTest, WordWrapOffersTheCaptionTheWidthLeftBesideGlyphArrowAndMargins) {
  ButtonLayoutRequest r = Request(blGlyphLeft, 3, 5);
  r.WordWrap = true;
  r.DrawArrow = true;
  int offered = 0;
  LayOutButton(r, [&](int width) {
    offered = width;
    return cl::Point(10, 10);
  });
  EXPECT_EQ(offered, 100 - 9 - (16 + 5) - 2 * 3);
  r.Margin = -1;
  r.Spacing = -1;
  LayOutButton(r, [&](int width) {
    offered = width;
    return cl::Point(10, 10);
  });
  EXPECT_EQ(offered, 100 - 9 - (16 + 4) - 2 * 4);
  r.WordWrap = false;
  LayOutButton(r, [&](int width) {
    offered = width;
    return cl::Point(10, 10);
  });
  EXPECT_EQ(offered, 100 - 9);
}

TEST(ButtonLayoutTest, EverythingMovesByTheRectanglesOriginAndThePushOffset) {
  ButtonLayoutRequest r = Request(blGlyphLeft, 3, 4);
  r.Client = cl::Rect(10, 20, 110, 40);
  r.Offset = cl::Point(1, 1);
  const ButtonLayout l = LayOutButton(r, Caption30x10);
  EXPECT_EQ(l.Glyph, cl::Point(14, 23));
  EXPECT_EQ(l.Text, cl::Bounds(34, 26, 30, 10));
}

}  // namespace
}  // namespace tbr
