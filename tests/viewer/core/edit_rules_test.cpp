// The editing commands' rules: zoom sizes, the first selection, the grey palette and the rotate dialog's choices.
#include <gtest/gtest.h>

#include "classlib/core/exceptions.h"
#include "viewer/core/gray_palette.h"
#include "viewer/core/rotate_choice.h"
#include "viewer/core/zoom_steps.h"

namespace viewer {
namespace {

TEST(ZoomSteps, TheMenusCarryTheirPercentagesInOrder) {
  const int in[] = {200, 300, 400, 500, 600, 700, 800, 900, 1000};
  const int out[] = {50, 33, 25, 20, 16, 14, 13, 11, 10};
  for (size_t i = 0; i < kZoomInSteps.size(); ++i) {
    EXPECT_EQ(kZoomInSteps[i].Percent, in[i]);
    EXPECT_EQ(kZoomOutSteps[i].Percent, out[i]);
    EXPECT_EQ(kZoomOutSteps[i].Caption, "1:" + std::to_string(i + 2));
  }
  EXPECT_STREQ(kZoomInSteps[8].Caption, "10:1");
}

TEST(ZoomSteps, SizesRoundToTheNearestWithHalvesToEven) {
  struct Case {
    int Percent, Side, Size;
  } cases[] = {{50, 101, 50},   {50, 103, 52},   {33, 150, 50}, {33, 50, 16}, {14, 100, 14},
               {1000, 37, 370}, {100, 640, 640}, {13, 77, 10},  {16, 1, 0}};
  for (const Case& c : cases) EXPECT_EQ(ZoomSize(c.Percent, c.Side), c.Size) << c.Percent << " of " << c.Side;
  EXPECT_EQ(FitSize(400), 382);
}

TEST(ZoomSteps, TheFirstSelectionIsTheMiddleHalfOfTheSmallerControl) {
  const ControlExtent box{400, 300, 396, 296};
  // A picture larger than the box: the box's visible part.
  EXPECT_EQ(InitialSelection(box, {800, 600, 800, 600}), cl::Rect(100, 74, 297, 222));
  // A smaller picture: the image control itself.
  EXPECT_EQ(InitialSelection(box, {200, 100, 200, 100}), cl::Rect(50, 25, 150, 75));
  // Each direction on its own: wide but low.
  EXPECT_EQ(InitialSelection(box, {800, 100, 800, 100}), cl::Rect(100, 25, 297, 75));
}

TEST(GrayPalette, EntriesFollowTheDisplaysColourBits) {
  EXPECT_EQ(GrayPaletteSize(GrayPaletteBits(false, 0, 24, 1)), 256);
  EXPECT_EQ(GrayPaletteSize(GrayPaletteBits(false, 0, 32, 1)), 1024);
  EXPECT_EQ(GrayPaletteSize(GrayPaletteBits(false, 0, 16, 1)), 32);
  EXPECT_EQ(GrayPaletteSize(GrayPaletteBits(false, 0, 4, 2)), 4);
  EXPECT_EQ(GrayPaletteSize(GrayPaletteBits(true, 18, 8, 1)), 64);
  EXPECT_EQ(GrayPaletteSize(GrayPaletteBits(false, 0, 64, 1)), 1024);
  // Fewer than three bits: one entry, black, and no division by zero.
  EXPECT_EQ(GrayPaletteSize(2), 1);
  EXPECT_EQ(GrayPaletteLevels(1), std::vector<uint8_t>{0});
  const std::vector<uint8_t> levels = GrayPaletteLevels(1024);
  EXPECT_EQ(levels[4], 0);
  EXPECT_EQ(levels[5], 1);
  EXPECT_EQ(levels[1023], 255);
}

TEST(GrayPalette, GreysWeighTheChannelsAndTakeTheNearestEntry) {
  EXPECT_EQ(GrayOfColor(255, 255, 255), 255);
  EXPECT_EQ(GrayOfColor(255, 0, 0), 76);
  EXPECT_EQ(GrayOfColor(0, 255, 0), 150);
  EXPECT_EQ(GrayOfColor(0, 0, 255), 28);
  // With 256 or 1,024 entries every grey has an entry of its own value.
  for (int entries : {256, 1024}) {
    const std::vector<uint8_t> levels = GrayPaletteLevels(entries);
    const std::vector<uint16_t> nearest = NearestGrayIndexes(levels);
    for (int grey = 0; grey < 256; ++grey) ASSERT_EQ(levels[nearest[grey]], grey) << entries;
  }
  // 32 entries step by about 8: 100 lies nearer 98 than 106; 12 lies between 8 and 16, and the lower entry wins.
  const std::vector<uint16_t> nearest = NearestGrayIndexes(GrayPaletteLevels(32));
  EXPECT_EQ(nearest[100], 12);
  EXPECT_EQ(nearest[12], 1);
  EXPECT_EQ(NearestGrayIndexes(GrayPaletteLevels(1))[200], 0);
}

TEST(RotateChoice, DirectionsOfferTheirButtons) {
  const RotateButtons left = ButtonsForDirection(rdLeft, dg180);
  EXPECT_TRUE(left.Check90 && left.EnableFree);
  EXPECT_FALSE(left.Enable180 || left.Enable270);
  const RotateButtons right = ButtonsForDirection(rdRight, dg270);
  EXPECT_TRUE(right.Enable180 && right.Enable270);
  EXPECT_FALSE(right.EnableFree || right.Check90);
  // Back on Right with Free checked, 90 takes the check.
  EXPECT_TRUE(ButtonsForDirection(rdRight, dgFree).Check90);
}

TEST(RotateChoice, EachChoiceAsksForItsTurn) {
  struct Case {
    RotateDirection Direction;
    RotateDegrees Degrees;
    RotateTurn Turn;
  } cases[] = {{rdRight, dg90, RotateTurn::Clockwise90},         {rdRight, dg180, RotateTurn::Half},
               {rdRight, dg270, RotateTurn::CounterClockwise90}, {rdRight, dgFree, RotateTurn::None},
               {rdLeft, dg90, RotateTurn::CounterClockwise90},   {rdLeft, dg180, RotateTurn::None}};
  for (const Case& c : cases) EXPECT_EQ(RotateCommandFor(c.Direction, c.Degrees, "").Turn, c.Turn);
  const RotateCommand free = RotateCommandFor(rdLeft, dgFree, "45");
  EXPECT_EQ(free.Turn, RotateTurn::Free);
  EXPECT_EQ(free.Angle, 45);
  EXPECT_THROW(RotateCommandFor(rdLeft, dgFree, "forty"), cl::EConvertError);
}

}  // namespace
}  // namespace viewer
