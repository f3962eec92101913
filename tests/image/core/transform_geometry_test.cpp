// Sizes the image control's resampling, fit to width, printing and grid work out, with the rounding of the 6-byte
// real factor, the extended products of unstored ratios, and the truncated division of the display scale.
#include "image/core/transform_geometry.h"

#include <gtest/gtest.h>

namespace img {
namespace {

TEST(ScaledPictureSizeTest, TruncatesThroughTheStoredFactorThenStepsUpToEight) {
  EXPECT_EQ(ScaledPictureSize(100, 50, 100).Width, 104);
  EXPECT_EQ(ScaledPictureSize(100, 50, 100).Height, 56);
  EXPECT_EQ(ScaledPictureSize(96, 48, 100).Width, 104);
  EXPECT_EQ(ScaledPictureSize(96, 48, 100).Height, 56);
  // The stored 0.27 and 0.33 lie just below the exact values: 215 and 263 before the step, not 216 and 264.
  EXPECT_EQ(ScaledPictureSize(800, 8, 27).Width, 216);
  EXPECT_EQ(ScaledPictureSize(800, 8, 33).Width, 264);
  EXPECT_EQ(ScaledPictureSize(100, 8, 27).Width, 32);
}

TEST(ScaledPictureSizeTest, HugePercentagesGiveTheirTrueSizeInsteadOfWrapping) {
  const PictureSize size = ScaledPictureSize(40000, 30000, 1000);
  EXPECT_EQ(size.Width, 400008);
  EXPECT_EQ(size.Height, 300008);
}

TEST(RatioTimesTest, TruncatesTheExtendedProductOfTheRoundedRatio) {
  // 700 / 300 rounds below 7/3 and 106 / 100 below 1.06: one less than the exact products 238 and 636.
  EXPECT_EQ(RatioTimesTruncated(700, 300, 102), 237);
  EXPECT_EQ(RatioTimesTruncated(106, 100, 600), 635);
  EXPECT_EQ(RatioTimesTruncated(102, 300, 700), 238);  // this ratio rounds up: the exact product
  EXPECT_EQ(RatioTimesTruncated(-700, 300, 3), -7);
  EXPECT_EQ(RatioTimesTruncated(5, 0, 3), 0);
}

TEST(FitWidthAndPrintTest, HeightsFollowTheExtendedProducts) {
  // A picture of 300 x 102 fitted to a box 700 wide: 237 less the margin of 50.
  const DesignedBox box = FitWidthBox(300, 102, 700);
  EXPECT_EQ(box.Width, 696);
  EXPECT_EQ(box.Height, 187);
  // A picture of 100 x 106 across a page 600 wide is 635 high, less the offset y.
  const PrintPlacement placement = PlacePrint(100, 106, 10, 20, false, cl::TRect{}, 600);
  EXPECT_EQ(placement.DestWidth, 590);
  EXPECT_EQ(placement.DestHeight, 615);
}

TEST(GridLinesTest, EachLineFollowsOneInsideTheSide) {
  EXPECT_EQ(GridLines(250), (std::vector<int>{100, 200, 300}));
  EXPECT_EQ(GridLines(200), (std::vector<int>{100, 200}));
  EXPECT_TRUE(GridLines(0).empty());
}

TEST(Real48DivideTest, TruncatesTheExtendedQuotient) {
  const Real48 scale = Real48::FromRatio(8, 5);  // stored a little above 1.6
  EXPECT_EQ(scale.DivideTruncated(160), 99);
  EXPECT_EQ(scale.DivideTruncated(161), 100);
  EXPECT_EQ(Real48::One().DivideTruncated(-37), -37);
  EXPECT_EQ(Real48::FromRatio(1, 2).DivideTruncated(21), 42);
  EXPECT_EQ(Real48().DivideTruncated(5), 0);
}

}  // namespace
}  // namespace img
