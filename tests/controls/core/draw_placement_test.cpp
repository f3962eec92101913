// The drawing procedures' arithmetic: placement under the draw flags, border steps, gradients, alignment, BMP bit
// counts, zoom rectangles and centring.
#include "controls/core/draw_placement.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using namespace ctl;
using cl::Bounds;
using cl::Rect;
using testing::ElementsAre;

TEST(DrawPlacement, TargetsUnderTheFlags) {
  struct Case {
    cl::TRect Dest;
    int32_t SourceWidth, SourceHeight;
    TDrawFlags Flags;
    cl::TRect Target;
  };
  const Case cases[] = {
      {Rect(10, 10, 110, 60), 30, 20, 0, Bounds(10, 10, 30, 20)},
      {Rect(10, 10, 110, 60), 30, 20, dfCenter, Bounds(45, 25, 30, 20)},
      // A larger source is centred with the offset truncated toward zero.
      {Rect(0, 0, 10, 10), 15, 15, dfCenter, Bounds(-2, -2, 15, 15)},
      {Rect(10, 10, 110, 60), 30, 20, dfStretch, Rect(10, 10, 110, 60)},
      // Proportional: the smaller scale, at the destination's top-left corner (not centred).
      {Rect(0, 0, 100, 100), 200, 100, dfStretch | dfProportional, Rect(0, 0, 100, 50)},
      {Rect(0, 0, 100, 100), 30, 90, dfStretch | dfProportional, Rect(0, 0, 33, 100)},
      // Keep the height: width 5 / 2 * 5 = 12.5 rounds half to even.
      {Rect(0, 0, 40, 5), 5, 2, dfStretch | dfKeepHeight, Rect(0, 0, 12, 5)},
      {Rect(0, 0, 7, 40), 2, 5, dfStretch | dfKeepWidth, Rect(0, 0, 7, 18)},  // 17.5 -> 18
  };
  for (const Case& c : cases) {
    EXPECT_THAT(BitmapTargets(c.Dest, c.SourceWidth, c.SourceHeight, c.Flags), ElementsAre(c.Target))
        << "flags " << c.Flags;
  }
}

TEST(DrawPlacement, TilesReachPastTheDestination) {
  const std::vector<cl::TRect> tiles = BitmapTargets(Rect(5, 5, 30, 30), 10, 10, dfTile);
  ASSERT_EQ(tiles.size(), 16u);  // columns and rows 0..3
  EXPECT_EQ(tiles.front(), Bounds(5, 5, 10, 10));
  EXPECT_EQ(tiles[1], Bounds(15, 5, 10, 10));
  EXPECT_EQ(tiles.back(), Bounds(35, 35, 10, 10));
}

TEST(DrawPlacement, NothingForEmptyDestinationsOrSources) {
  EXPECT_TRUE(BitmapTargets(Rect(0, 0, 0, 10), 5, 5, 0).empty());
  for (int flags : {0, int{dfCenter}, dfStretch | dfProportional, dfStretch | dfKeepHeight, int{dfTile}}) {
    EXPECT_TRUE(BitmapTargets(Rect(0, 0, 50, 50), 0, 5, static_cast<TDrawFlags>(flags)).empty()) << flags;
    EXPECT_TRUE(BitmapTargets(Rect(0, 0, 50, 50), 5, 0, static_cast<TDrawFlags>(flags)).empty()) << flags;
  }
}

TEST(DrawPlacement, BorderWidths) {
  EXPECT_EQ(GetBorderWidth(lsNone), 0);
  for (TCtlBorderStyle style : {lsSingle, lsSingleRaised, lsSingleLowered}) EXPECT_EQ(GetBorderWidth(style), 1);
  for (TCtlBorderStyle style : {lsLowered, lsRaised, lsRaisedExt, lsWindowBorder, lsDoubleLowered})
    EXPECT_EQ(GetBorderWidth(style), 2);
  EXPECT_TRUE(BorderSteps(lsNone, 0x10).empty());
}

TEST(DrawPlacement, GradientColoursRunFromFirstToLast) {
  EXPECT_THAT(GradientColors(0x000000, 0x0000FF, 5), ElementsAre(0x00, 0x40, 0x80, 0xBF, 0xFF));
  EXPECT_THAT(GradientColors(0xFF8000, 0x008000, 3), ElementsAre(0xFF8000, 0x7F8000, 0x008000));
  // One colour is the first colour itself, not a division by zero.
  EXPECT_THAT(GradientColors(0x102030, 0xFFFFFF, 1), ElementsAre(0x102030));
  EXPECT_TRUE(GradientColors(0, 0xFFFFFF, 0).empty());
}

TEST(DrawPlacement, GradientShapes) {
  EXPECT_THAT(GradientShapes(0, 10, 4, 3),
              ElementsAre(TGradientShape{gsFill, Rect(0, 0, 3, 4), 0}, TGradientShape{gsFill, Rect(3, 0, 7, 4), 1},
                          TGradientShape{gsFill, Rect(7, 0, 10, 4), 2}));
  EXPECT_THAT(GradientShapes(1, 4, 10, 2),
              ElementsAre(TGradientShape{gsFill, Rect(0, 5, 4, 10), 1}, TGradientShape{gsFill, Rect(0, 0, 4, 5), 0}));
  EXPECT_THAT(GradientShapes(2, 20, 10, 2), ElementsAre(TGradientShape{gsRectangle, Rect(0, 0, 22, 12), 1},
                                                        TGradientShape{gsRectangle, Rect(5, 3, 17, 9), 0}));
  EXPECT_THAT(GradientShapes(3, 14, 14, 1), ElementsAre(TGradientShape{gsEllipse, Rect(-3, -3, 17, 17), 0}));
  EXPECT_EQ(GradientShapes(5, 20, 10, 2).back(), (TGradientShape{gsFill, Rect(10, 0, 20, 5), 0}));
  EXPECT_EQ(GradientShapes(6, 20, 10, 2).back(), (TGradientShape{gsFill, Rect(0, 5, 10, 10), 0}));
  EXPECT_EQ(GradientShapes(7, 20, 10, 2).back(), (TGradientShape{gsFill, Rect(10, 5, 20, 10), 0}));
  EXPECT_TRUE(GradientShapes(4, 20, 10, 0).empty());
}

TEST(DrawPlacement, AlignRectInNinePlaces) {
  const cl::TRect item = Rect(0, 0, 10, 4), box = Rect(100, 200, 131, 215);
  const cl::TRect expected[] = {Bounds(100, 200, 10, 4), Bounds(110, 200, 10, 4), Bounds(121, 200, 10, 4),
                                Bounds(100, 205, 10, 4), Bounds(110, 205, 10, 4), Bounds(121, 205, 10, 4),
                                Bounds(100, 211, 10, 4), Bounds(110, 211, 10, 4), Bounds(121, 211, 10, 4)};
  for (int a = agTopLeft; a <= agBottomRight; ++a)
    EXPECT_EQ(AlignRect(static_cast<TCtlAlignment>(a), item, box), expected[a]) << a;
}

TEST(DrawPlacement, BmpBitCounts) {
  EXPECT_EQ(BmpBitCount(2, 24), 1);
  EXPECT_EQ(BmpBitCount(16, 24), 4);
  EXPECT_EQ(BmpBitCount(256, 32), 8);
  EXPECT_EQ(BmpBitCount(0, 8), 8);
  EXPECT_EQ(BmpBitCount(0, 16), 24);
  EXPECT_EQ(BmpBitCount(0, 32), 24);
}

TEST(DrawPlacement, ZoomRectanglesGrowFromThePointToTheWindow) {
  const std::vector<cl::TRect> rects = ZoomRects(Rect(0, 0, 0, 0), Rect(0, 0, 100, 50), 0);
  ASSERT_EQ(rects.size(), 40u);
  EXPECT_EQ(rects.front(), Rect(0, 0, 2, 1));  // 2.5 and 1.25 truncated
  EXPECT_EQ(rects.back(), Rect(0, 0, 100, 50));
  EXPECT_EQ(ZoomRects(Rect(50, 50, 50, 50), Rect(0, 0, 100, 100), 10).size(), 10u);
  const std::vector<cl::TRect> twoStages = TwoStageZoomRects(cl::Point(0, 0), Rect(100, 100, 300, 200));
  ASSERT_EQ(twoStages.size(), 80u);
  EXPECT_EQ(twoStages[39], Rect(50, 50, 150, 100));  // half the size, halfway to the window's centre
  EXPECT_EQ(twoStages.back(), Rect(100, 100, 300, 200));
}

TEST(DrawPlacement, CentringOverTheOwnerStaysOnTheScreen) {
  EXPECT_EQ(CenteredOver(Rect(100, 100, 500, 400), 200, 100, 1024, 768), cl::Point(200, 200));
  EXPECT_EQ(CenteredOver(Rect(900, 700, 1000, 760), 200, 100, 1024, 768), cl::Point(824, 668));
  EXPECT_EQ(CenteredOver(Rect(-300, -300, -100, -200), 200, 100, 1024, 768), cl::Point(0, 0));
}

}  // namespace
