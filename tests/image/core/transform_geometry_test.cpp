// Sizes the image control's resampling and grid work out, with the rounding of the 6-byte real factor, and the
// truncated division of the display scale. (Fit to width and printing are pinned by the control's Wine tests.)
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
