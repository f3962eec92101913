// The 6-byte real of the display arithmetic and the display layout of the image control.
#include <gtest/gtest.h>

#include "image/core/display_layout.h"
#include "image/core/real48.h"

namespace img {
namespace {

TEST(Real48Test, StoresWithThe129BiasAndA40BitMantissa) {
  const Real48 one = Real48::One();
  EXPECT_EQ(one.Exponent(), 129);
  EXPECT_EQ(one.Mantissa(), uint64_t{1} << 39);
  EXPECT_EQ(Real48::FromRatio(3, 2).Mantissa(), uint64_t{3} << 38);
  EXPECT_EQ(Real48::FromRatio(-5, 2).ToDouble(), -2.5);
  EXPECT_TRUE(Real48::FromRatio(0, 7).IsZero());
  EXPECT_TRUE(Real48::FromRatio(7, 0).IsZero());
}

TEST(Real48Test, RoundsToNearestWithHalvesAwayFromZero) {
  // 1/3 = 0.0101...: the 41st significant bit is 1, so the stored value lies above the exact one.
  EXPECT_GT(Real48::FromRatio(1, 3).ToDouble(), 1.0 / 3.0);
  // 1 + 2^-40 lies exactly halfway between two 40-bit mantissas and rounds up, away from zero.
  const int64_t denominator = int64_t{1} << 40;
  EXPECT_EQ(Real48::FromRatio(denominator + 1, denominator).Mantissa(), (uint64_t{1} << 39) + 1);
  EXPECT_EQ(Real48::FromRatio(-(denominator + 1), denominator).Mantissa(), (uint64_t{1} << 39) + 1);
  // 160 / 3 is stored just below 53.3333..., so 3 times it truncates to 159.
  const Real48 ratio = Real48::FromRatio(160, 3);
  EXPECT_LT(ratio.ToDouble(), 160.0 / 3.0);
  EXPECT_EQ(ratio.MultiplyTruncated(3), 159);
  EXPECT_EQ(Real48::FromRatio(8, 5).MultiplyTruncated(100), 160);
}

TEST(Real48Test, MultipliesWideValuesWithoutOverflow) {
  EXPECT_EQ(Real48::One().MultiplyTruncated(int64_t{1} << 40), int64_t{1} << 40);
  EXPECT_EQ(Real48::FromRatio(1, 2).MultiplyTruncated(70001), 35000);
  EXPECT_EQ(Real48::FromRatio(-1, 2).MultiplyTruncated(7), -3);
  EXPECT_TRUE(Real48::FromRatio(1, 3) < Real48::FromRatio(1, 2));
  EXPECT_TRUE(Real48::FromRatio(-1, 2) < Real48::FromRatio(1, 3));
}

TEST(ClipSourceRectTest, PullsOutsideSidesToTheQuarterLines) {
  const ClippedSource clipped = ClipSourceRect(cl::Rect(-1, -5, 500, 300), 101, 61);
  EXPECT_EQ(clipped.Rect, cl::Rect(25, 15, 75, 45));
  EXPECT_TRUE(clipped.Valid);
  EXPECT_FALSE(ClipSourceRect(cl::Rect(0, 0, 0, 0), 100, 50).Valid);
  EXPECT_FALSE(ClipSourceRect(cl::Rect(40, 10, 40, 30), 100, 50).Valid);
  EXPECT_EQ(ClipSourceRect(cl::Rect(10, 10, 49, 29), 100, 50).Rect, cl::Rect(10, 10, 49, 29));
}

DisplayRequest Whole(int width, int height, bool actualSize) {
  DisplayRequest request;
  request.PictureWidth = width;
  request.PictureHeight = height;
  request.ActualSize = actualSize;
  return request;
}

TEST(DisplayLayoutTest, FitsIntoTheDesignedBoxAndStepsSidesPastAMultipleOf8) {
  const DisplayLayout layout = ComputeDisplayLayout(Whole(100, 50, false));
  EXPECT_DOUBLE_EQ(layout.Scale.ToDouble(), Real48::FromRatio(8, 5).ToDouble());
  EXPECT_EQ(layout.OutWidth, 168);
  EXPECT_EQ(layout.OutHeight, 88);
  EXPECT_EQ(layout.OffsetX, 0);
  EXPECT_EQ(layout.OffsetY, 36);
  EXPECT_EQ(layout.Bounds, cl::Bounds(0, 36, 168, 88));
  EXPECT_EQ(layout.Draw, DisplayDraw::EnlargeFromWorking);
  EXPECT_TRUE(layout.FitComputed);
}

TEST(DisplayLayoutTest, InexactRatioGivesOnePixelLessBeforeTheStep) {
  const DisplayLayout layout = ComputeDisplayLayout(Whole(3, 3, false));
  EXPECT_EQ(layout.OutWidth, 160);
  EXPECT_EQ(layout.OutHeight, 160);
  EXPECT_EQ(layout.Bounds, cl::Bounds(0, 0, 160, 160));
}

TEST(DisplayLayoutTest, ActualSizeCentresInTheDesignedBox) {
  DisplayRequest request = Whole(100, 50, true);
  request.Box = DesignedBox{10, 20, 160, 160};
  const DisplayLayout layout = ComputeDisplayLayout(request);
  EXPECT_EQ(layout.Scale, Real48::One());
  EXPECT_EQ(layout.OutWidth, 100);
  EXPECT_EQ(layout.OutHeight, 50);
  EXPECT_EQ(layout.OffsetX, 30);
  EXPECT_EQ(layout.OffsetY, 55);
  EXPECT_EQ(layout.Bounds, cl::Bounds(50, 65, 100, 50));
  EXPECT_EQ(layout.Draw, DisplayDraw::ResizeOnly);
  EXPECT_FALSE(layout.FitComputed);
}

TEST(DisplayLayoutTest, ShrinksLargePicturesAndNeverWrapsAt16Bits) {
  const DisplayLayout fit = ComputeDisplayLayout(Whole(3000, 2000, false));
  EXPECT_EQ(fit.Draw, DisplayDraw::ShrinkOntoShown);
  EXPECT_EQ(fit.OutWidth, 168);
  EXPECT_EQ(fit.OutHeight, 112);  // 2000 * 160/3000 = 106.66 -> 106 -> 112
  const DisplayLayout wide = ComputeDisplayLayout(Whole(70000, 40, true));
  EXPECT_EQ(wide.OutWidth, 70000);
  EXPECT_EQ(wide.OffsetX, 0);  // negative offsets are raised to 0
  const DisplayLayout tall = ComputeDisplayLayout(Whole(2, 70000, false));
  EXPECT_EQ(tall.OutHeight, 168);
  EXPECT_EQ(tall.OutWidth, 8);
}

TEST(DisplayLayoutTest, CropTakesTheSourceRectangleInclusive) {
  DisplayRequest request = Whole(100, 50, true);
  request.Source = cl::Rect(10, 10, 49, 29);
  request.ClipValid = true;
  request.Crop = true;
  const DisplayLayout layout = ComputeDisplayLayout(request);
  EXPECT_EQ(layout.SourceX, 10);
  EXPECT_EQ(layout.SourceY, 10);
  EXPECT_EQ(layout.OutWidth, 40);
  EXPECT_EQ(layout.OutHeight, 20);
  EXPECT_EQ(layout.Draw, DisplayDraw::MoveOntoShown);
  request.Crop = false;  // a valid rectangle without crop shows the whole picture
  EXPECT_EQ(ComputeDisplayLayout(request).OutWidth, 100);
  // A rectangle reaching the picture's edge takes nothing beyond it.
  request.Crop = true;
  request.Source = cl::Rect(60, 30, 100, 50);
  EXPECT_EQ(ComputeDisplayLayout(request).OutWidth, 40);
  EXPECT_EQ(ComputeDisplayLayout(request).OutHeight, 20);
}

TEST(DisplayLayoutTest, EmptyPictureOnlyShows) {
  const DisplayLayout layout = ComputeDisplayLayout(Whole(0, 50, false));
  EXPECT_EQ(layout.Draw, DisplayDraw::None);
  EXPECT_FALSE(layout.FitComputed);
}

}  // namespace
}  // namespace img
