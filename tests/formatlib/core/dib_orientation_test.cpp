#include "formatlib/core/dib_orientation.h"

#include <gtest/gtest.h>

#include "pattern_image.h"

namespace fl {
namespace {

using test::DescribePixelDifference;
using test::MakePatternImage;

class OrientationAtDepth : public testing::TestWithParam<int> {
 protected:
  // Odd sizes put pixels into every bit position of the padded rows.
  DibImage source_ = MakePatternImage(13, 7, GetParam());
};

TEST_P(OrientationAtDepth, FourQuarterTurnsGiveTheSamePicture) {
  DibImage turned = source_;
  for (int i = 0; i < 4; ++i) {
    DibImage next;
    ASSERT_EQ(Rotate90(turned, next), kOk);
    turned = next;
  }
  EXPECT_EQ(turned, source_);
}

TEST_P(OrientationAtDepth, ClockwiseThenCounterClockwiseGivesTheSamePicture) {
  DibImage clockwise, back;
  ASSERT_EQ(Rotate90(source_, clockwise), kOk);
  EXPECT_EQ(clockwise.width, source_.height);
  EXPECT_EQ(clockwise.height, source_.width);
  ASSERT_EQ(Rotate270(clockwise, back), kOk);
  EXPECT_EQ(back, source_);
}

TEST_P(OrientationAtDepth, QuarterTurnClockwiseMovesTheTopLeftToTheTopRight) {
  DibImage turned;
  ASSERT_EQ(Rotate90(source_, turned), kOk);
  for (int32_t y = 0; y < source_.height; ++y) {
    for (int32_t x = 0; x < source_.width; ++x) {
      ASSERT_EQ(turned.ColorAt(source_.height - 1 - y, x), source_.ColorAt(x, y)) << x << "," << y;
    }
  }
}

TEST_P(OrientationAtDepth, TwoFlipsAndTwoInversionsGiveTheSamePicture) {
  DibImage image = source_;
  FlipHorizontal(image);
  EXPECT_NE(image, source_);
  FlipHorizontal(image);
  EXPECT_EQ(image, source_);
  FlipVertical(image);
  EXPECT_NE(image, source_);
  FlipVertical(image);
  EXPECT_EQ(image, source_);
  Invert(image);
  EXPECT_NE(image, source_);
  Invert(image);
  EXPECT_EQ(image, source_);
}

TEST_P(OrientationAtDepth, HalfTurnIsBothFlips) {
  DibImage halfTurn = source_;
  Rotate180(halfTurn);
  DibImage flipped = source_;
  FlipHorizontal(flipped);
  FlipVertical(flipped);
  EXPECT_EQ(halfTurn, flipped);
  EXPECT_EQ(halfTurn.ColorAt(0, 0), source_.ColorAt(source_.width - 1, source_.height - 1));
}

TEST_P(OrientationAtDepth, InvertComplementsEveryColourButKeepsTheReservedByte) {
  DibImage inverted = source_;
  Invert(inverted);
  for (int32_t y = 0; y < source_.height; ++y) {
    for (int32_t x = 0; x < source_.width; ++x) {
      RgbQuad before = source_.ColorAt(x, y);
      RgbQuad after = inverted.ColorAt(x, y);
      ASSERT_EQ(after.red, 255 - before.red);
      ASSERT_EQ(after.green, 255 - before.green);
      ASSERT_EQ(after.blue, 255 - before.blue);
      ASSERT_EQ(after.reserved, before.reserved);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllDepths, OrientationAtDepth, testing::Values(1, 4, 8, 24, 32));

TEST(Orientation, QuarterTurnOfAMalformedImageFails) {
  DibImage broken = MakePatternImage(5, 5, 24);
  broken.bits.resize(3);
  DibImage result;
  EXPECT_EQ(Rotate90(broken, result), kBadDib);
  EXPECT_EQ(Rotate270(broken, result), kBadDib);
}

}  // namespace
}  // namespace fl
