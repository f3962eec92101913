#include "formatlib/core/dib_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "formatlib/core/dib_orientation.h"
#include "pattern_image.h"

namespace fl {
namespace {

using test::MakePatternImage;

constexpr RgbQuad kRed = MakeRgb(255, 0, 0);

class GeometryAtDepth : public testing::TestWithParam<int> {
 protected:
  DibImage source_ = MakePatternImage(11, 6, GetParam());
};

TEST_P(GeometryAtDepth, WholeTurnsGiveTheSamePicture) {
  for (double degrees : {0.0, 360.0, -720.0}) {
    DibImage result;
    ASSERT_EQ(RotateByAngle(source_, degrees, kRed, result), kOk);
    EXPECT_EQ(result, source_) << degrees;
  }
}

TEST_P(GeometryAtDepth, PositiveAnglesTurnCounterClockwise) {
  DibImage byAngle, quarter;
  ASSERT_EQ(RotateByAngle(source_, 90, kRed, byAngle), kOk);
  ASSERT_EQ(Rotate270(source_, quarter), kOk);
  EXPECT_EQ(byAngle, quarter);
  ASSERT_EQ(RotateByAngle(source_, -90, kRed, byAngle), kOk);
  ASSERT_EQ(Rotate90(source_, quarter), kOk);
  EXPECT_EQ(byAngle, quarter);
}

TEST_P(GeometryAtDepth, SkewByZeroGivesTheSamePicture) {
  DibImage result;
  ASSERT_EQ(Skew(source_, 0, kRed, result), kOk);
  EXPECT_EQ(result, source_);
}

INSTANTIATE_TEST_SUITE_P(AllDepths, GeometryAtDepth, testing::Values(1, 4, 8, 24, 32));

TEST(RotateByAngle, GrowsToHoldTheTurnedPictureAndFillsTheCornersWithTheBackground) {
  DibImage source;
  ASSERT_EQ(CreateDibImage(20, 20, 24, source), kOk);
  for (int32_t y = 0; y < 20; ++y) {
    for (int32_t x = 0; x < 20; ++x) source.SetColorAt(x, y, MakeRgb(0, 0, 200));
  }
  DibImage result;
  PixelPoint origin;
  ASSERT_EQ(RotateByAngle(source, 45, kRed, result, &origin), kOk);
  // The top-left corner ends up in the middle of the left side.
  EXPECT_EQ(origin.x, 0);
  EXPECT_NEAR(origin.y, 14.5, 0.5);
  EXPECT_EQ(result.width, 29);  // ceil(20 * sqrt(2))
  EXPECT_EQ(result.height, 29);
  EXPECT_EQ(result.ColorAt(0, 0), kRed);
  EXPECT_EQ(result.ColorAt(28, 28), kRed);
  EXPECT_EQ(result.ColorAt(14, 14), MakeRgb(0, 0, 200));
  EXPECT_EQ(result.ColorAt(14, 1), MakeRgb(0, 0, 200));
}

TEST(RotateByAngle, UsesTheNearestPaletteEntryAsBackground) {
  DibImage source = MakePatternImage(8, 8, 8);
  source.palette[77] = MakeRgb(250, 3, 2);
  DibImage result;
  ASSERT_EQ(RotateByAngle(source, 30, kRed, result), kOk);
  EXPECT_EQ(result.IndexAt(0, 0), 77u);
  EXPECT_EQ(result.palette, source.palette);
}

TEST(RotateByAngle, RefusesResultsOverThePixelBudgetAndBadAngles) {
  DibImage source;
  ASSERT_EQ(CreateDibImage(8192, 8192, 1, source), kOk);
  DibImage result;
  EXPECT_EQ(RotateByAngle(source, 45, kRed, result), kImageTooLarge);
  EXPECT_EQ(RotateByAngle(MakePatternImage(3, 3, 8), std::nan(""), kRed, result), kInvalidArgument);
}

TEST(Skew, ShiftsEachRowByItsHeightAboveTheBottom) {
  DibImage source = MakePatternImage(4, 3, 24);
  DibImage result;
  PixelPoint origin;
  ASSERT_EQ(Skew(source, 45, kRed, result, &origin), kOk);
  EXPECT_EQ(origin, (PixelPoint{2, 0}));
  ASSERT_EQ(result.width, 6);
  ASSERT_EQ(result.height, 3);
  for (int32_t y = 0; y < 3; ++y) {
    int32_t shift = 2 - y;
    for (int32_t x = 0; x < 6; ++x) {
      bool inside = x >= shift && x < shift + 4;
      EXPECT_EQ(result.ColorAt(x, y), inside ? source.ColorAt(x - shift, y) : kRed) << x << "," << y;
    }
  }
  ASSERT_EQ(Skew(source, -45, kRed, result), kOk);
  EXPECT_EQ(result.ColorAt(0, 0), source.ColorAt(0, 0));
  EXPECT_EQ(result.ColorAt(2, 2), source.ColorAt(0, 2));
}

TEST(Skew, RefusesRightAnglesAndBeyond) {
  DibImage result;
  EXPECT_EQ(Skew(MakePatternImage(3, 3, 8), 90, kRed, result), kInvalidArgument);
  EXPECT_EQ(Skew(MakePatternImage(3, 3, 8), -135, kRed, result), kInvalidArgument);
}

}  // namespace
}  // namespace fl
