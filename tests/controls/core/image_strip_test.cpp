// Image strip geometry: where frames lie, what a new size does, and the growth limits.
#include <gtest/gtest.h>

#include "classlib/core/exceptions.h"
#include "controls/core/image_strip.h"

namespace ctl {
namespace {

TEST(ImageStrip, PlacesFramesSideBySide) {
  TImageStrip strip;
  strip.Reset(3);
  EXPECT_EQ(strip.StripWidth(), 48);
  EXPECT_EQ(strip.FrameRect(2), cl::Rect(32, 0, 48, 16));
  EXPECT_FALSE(strip.ValidIndex(3));
  EXPECT_FALSE(strip.ValidIndex(-1));
}

TEST(ImageStrip, NewSizeEmptiesItAndNonPositiveSizesAreIgnored) {
  TImageStrip strip;
  strip.Reset(2);
  EXPECT_FALSE(strip.SetSize(0, 20));
  EXPECT_FALSE(strip.SetSize(20, -1));
  EXPECT_FALSE(strip.SetSize(16, 16));
  EXPECT_EQ(strip.Count(), 2);
  EXPECT_TRUE(strip.SetSize(24, 20));
  EXPECT_EQ(strip.Count(), 0);
  EXPECT_EQ(strip.Width(), 24);
  EXPECT_EQ(strip.Height(), 20);
}

TEST(ImageStrip, AppendsOnlyFramesOfItsSizeUpToTheWidthLimit) {
  TImageStrip strip;
  strip.Reset(1);
  strip.Append(16, 16, 2);
  EXPECT_EQ(strip.Count(), 3);
  EXPECT_EQ(strip.FrameRect(2).Left, 32);
  try {
    strip.Append(16, 15, 1);
    ADD_FAILURE();
  } catch (const cl::EInvalidGraphicOperation& e) {
    EXPECT_EQ(e.Message(), "Invalid image size");
  }
  strip.Append(16, 16, 2048 - 3);
  EXPECT_EQ(strip.StripWidth(), kMaxStripExtent);
  try {
    strip.Append(16, 16, 1);
    ADD_FAILURE();
  } catch (const cl::EInvalidGraphicOperation& e) {
    EXPECT_EQ(e.Message(), "Too many images");
  }
  EXPECT_EQ(strip.Count(), 2048);
}

}  // namespace
}  // namespace ctl
