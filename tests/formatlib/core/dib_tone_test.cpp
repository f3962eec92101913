#include "formatlib/core/dib_tone.h"

#include <gtest/gtest.h>

#include "formatlib/core/alpha_blend.h"

#include "pattern_image.h"

namespace fl {
namespace {

using test::MakePatternImage;

DibImage SolidGray(int32_t width, int32_t height, uint8_t level) {
  DibImage image;
  EXPECT_EQ(CreateDibImage(width, height, 24, image), kOk);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) image.SetColorAt(x, y, MakeRgb(level, level, level));
  }
  return image;
}

TEST(BrightnessContrast, ZeroChangesNothingAtAnyDepth) {
  for (int depth : {1, 4, 8, 24, 32}) {
    DibImage source = MakePatternImage(9, 5, depth);
    DibImage result;
    ASSERT_EQ(AdjustBrightnessContrast(source, 0, 0, result), kOk);
    EXPECT_EQ(result, source) << depth;
  }
}

TEST(BrightnessContrast, FollowsTheDocumentedFormula) {
  DibImage source = SolidGray(2, 2, 200);
  DibImage result;
  ASSERT_EQ(AdjustBrightnessContrast(source, 10, 50, result), kOk);
  // (200 - 128) * 150 / 100 + 128 + 25 = 261 -> 255
  EXPECT_EQ(result.ColorAt(1, 1), MakeRgb(255, 255, 255));
  ASSERT_EQ(AdjustBrightnessContrast(source, -20, -50, result), kOk);
  // (200 - 128) * 50 / 100 + 128 - 51 = 113
  EXPECT_EQ(result.ColorAt(0, 0), MakeRgb(113, 113, 113));
  ASSERT_EQ(AdjustBrightnessContrast(source, 0, -100, result), kOk);
  EXPECT_EQ(result.ColorAt(0, 1), MakeRgb(128, 128, 128));
}

TEST(BrightnessContrast, ChangesThePaletteOfPalettedPictures) {
  DibImage source = MakePatternImage(4, 4, 8);
  DibImage result;
  ASSERT_EQ(AdjustBrightnessContrast(source, 100, 0, result), kOk);
  EXPECT_EQ(result.bits, source.bits);
  EXPECT_EQ(result.palette[0], MakeRgb(255, 255, 255));
}

TEST(BrightnessContrast, RefusesValuesOutsideTheRange) {
  DibImage result;
  EXPECT_EQ(AdjustBrightnessContrast(SolidGray(1, 1, 0), 101, 0, result), kInvalidArgument);
  EXPECT_EQ(AdjustBrightnessContrast(SolidGray(1, 1, 0), 0, -101, result), kInvalidArgument);
}

TEST(AlphaBlend, LaysTransparentColoursOverTheBackground) {
  struct Case {
    uint8_t color, alpha, background, straight, premultiplied;
  };
  for (const Case& c : {Case{200, 255, 10, 200, 200}, Case{0, 0, 255, 255, 255}, Case{100, 128, 255, 177, 227},
                        Case{60, 64, 0, 15, 60}}) {
    SCOPED_TRACE(testing::Message() << int{c.color} << " at alpha " << int{c.alpha});
    EXPECT_EQ(BlendOver(c.color, c.alpha, c.background), c.straight);
    EXPECT_EQ(BlendPremultipliedOver(c.color, c.alpha, c.background), c.premultiplied);
  }
}

TEST(Monochrome, KeepsBlackAndWhiteAndDithersMidGrayToHalfTheDots) {
  DibImage result;
  ASSERT_EQ(ConvertToMonochrome(SolidGray(16, 16, 0), result), kOk);
  EXPECT_EQ(result.bitCount, 1);
  EXPECT_EQ(result.ColorAt(5, 5), MakeRgb(0, 0, 0));
  ASSERT_EQ(ConvertToMonochrome(SolidGray(16, 16, 255), result), kOk);
  EXPECT_EQ(result.ColorAt(5, 5), MakeRgb(255, 255, 255));

  ASSERT_EQ(ConvertToMonochrome(SolidGray(32, 32, 128), result), kOk);
  int whiteDots = 0;
  for (int32_t y = 0; y < 32; ++y) {
    for (int32_t x = 0; x < 32; ++x) whiteDots += static_cast<int>(result.IndexAt(x, y));
  }
  EXPECT_NEAR(whiteDots, 512, 20);
}

TEST(Grayscale, TurnsDitheredDotsBackIntoGrayLevels) {
  DibImage mono, gray;
  ASSERT_EQ(ConvertToMonochrome(SolidGray(30, 30, 100), mono), kOk);
  ASSERT_EQ(ConvertToGrayscale(mono, gray), kOk);
  EXPECT_EQ(gray.bitCount, 8);
  EXPECT_EQ(gray.palette.size(), 256u);
  EXPECT_NEAR(gray.IndexAt(15, 15), 100, 40);
}

TEST(Grayscale, TakesTheLuminanceOfColourPixels) {
  DibImage source = MakePatternImage(5, 5, 24);
  DibImage gray;
  ASSERT_EQ(ConvertToGrayscale(source, gray), kOk);
  EXPECT_EQ(gray.IndexAt(3, 2), Luminance(source.ColorAt(3, 2)));
}

}  // namespace
}  // namespace fl
