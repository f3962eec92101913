// The crop band's geometry: the first band, the zones a point falls in, drags of every zone and the smallest band.
#include "image/core/crop_band.h"

#include <gtest/gtest.h>

namespace img {
namespace {

const cl::TRect kBand = cl::Rect(100, 75, 200, 150);

TEST(CropBandTest, FirstBandIsAQuarterOfTheVisibleScrollBox) {
  EXPECT_EQ(InitialCropRect(400, 300, 0, 0), kBand);
  EXPECT_EQ(InitialCropRect(400, 300, 30, 40), cl::Rect(130, 115, 230, 190));
}

TEST(CropBandTest, HandlesSitOnTheCornersAndEdgeMiddles) {
  EXPECT_EQ(CropHandleOf(kBand, kTopRightHandle).Square, cl::Rect(201, 70, 206, 75));
  EXPECT_EQ(CropHandleOf(kBand, kTopRightHandle).Zone, cl::Rect(200, 69, 207, 76));
  EXPECT_EQ(CropHandleOf(kBand, kBottomLeftHandle).Zone, cl::Rect(94, 150, 101, 157));
  EXPECT_EQ(CropHandleOf(kBand, kRightEdgeHandle).Square, cl::Rect(202, 110, 206, 115));  // m = 112
  EXPECT_EQ(CropHandleOf(kBand, kTopEdgeHandle).Zone, cl::Rect(147, 69, 154, 75));        // c = 150
  EXPECT_EQ(CropRestoreArea(kBand), cl::Rect(94, 69, 207, 157));
  EXPECT_EQ(CropMoveZone(kBand), cl::Rect(98, 73, 203, 153));
}

TEST(CropBandTest, ZoneAtFindsTheMoveZoneFirstThenTheHandles) {
  EXPECT_EQ(CropZoneAt(kBand, 150, 110), kMoveZone);
  EXPECT_EQ(CropZoneAt(kBand, 99, 74), kMoveZone);  // the move zone reaches 2 beyond the band
  EXPECT_EQ(CropZoneAt(kBand, 204, 71), kTopRightHandle);
  EXPECT_EQ(CropZoneAt(kBand, 96, 71), kTopLeftHandle);
  EXPECT_EQ(CropZoneAt(kBand, 204, 155), kBottomRightHandle);
  EXPECT_EQ(CropZoneAt(kBand, 96, 155), kBottomLeftHandle);
  EXPECT_EQ(CropZoneAt(kBand, 96, 112), kLeftEdgeHandle);
  EXPECT_EQ(CropZoneAt(kBand, 205, 112), kRightEdgeHandle);
  EXPECT_EQ(CropZoneAt(kBand, 150, 71), kTopEdgeHandle);
  EXPECT_EQ(CropZoneAt(kBand, 150, 155), kBottomEdgeHandle);
  // Outside the handles, on the restore area's edge (the tests are strict), and far away.
  EXPECT_EQ(CropZoneAt(kBand, 120, 70), kNoZone);
  EXPECT_EQ(CropZoneAt(kBand, 94, 112), kNoZone);
  EXPECT_EQ(CropZoneAt(kBand, 10, 10), kNoZone);
}

TEST(CropBandTest, DragsMoveTheSidesTheirZoneHolds) {
  EXPECT_EQ(DragCropBand(kBand, kMoveZone, 5, -3), cl::Rect(105, 72, 205, 147));
  EXPECT_EQ(DragCropBand(kBand, kTopRightHandle, 5, -3), cl::Rect(100, 72, 205, 150));
  EXPECT_EQ(DragCropBand(kBand, kTopLeftHandle, 5, -3), cl::Rect(105, 72, 200, 150));
  EXPECT_EQ(DragCropBand(kBand, kBottomRightHandle, 5, -3), cl::Rect(100, 75, 205, 147));
  EXPECT_EQ(DragCropBand(kBand, kBottomLeftHandle, 5, -3), cl::Rect(105, 75, 200, 147));
  EXPECT_EQ(DragCropBand(kBand, kLeftEdgeHandle, 5, -3), cl::Rect(105, 75, 200, 150));
  EXPECT_EQ(DragCropBand(kBand, kRightEdgeHandle, 5, -3), cl::Rect(100, 75, 205, 150));
  EXPECT_EQ(DragCropBand(kBand, kTopEdgeHandle, 5, -3), cl::Rect(100, 72, 200, 150));
  EXPECT_EQ(DragCropBand(kBand, kBottomEdgeHandle, 5, -3), cl::Rect(100, 75, 200, 147));
}

TEST(CropBandTest, ASideDraggedPastItsOppositeLeavesOnePixel) {
  EXPECT_EQ(DragCropBand(kBand, kLeftEdgeHandle, 150, 0), cl::Rect(250, 75, 251, 150));
  EXPECT_EQ(DragCropBand(kBand, kRightEdgeHandle, -150, 0), cl::Rect(49, 75, 50, 150));
  EXPECT_EQ(DragCropBand(kBand, kBottomEdgeHandle, 0, -200), cl::Rect(100, -51, 200, -50));
  EXPECT_EQ(DragCropBand(kBand, kTopEdgeHandle, 0, 75), cl::Rect(100, 150, 200, 151));
}

TEST(CropBandTest, BandsAndPointsOutsideTheControl) {
  EXPECT_TRUE(CropBandAcceptable(cl::Rect(-50, -50, 0, 0), 300, 200));
  EXPECT_FALSE(CropBandAcceptable(cl::Rect(-50, -50, -1, 10), 300, 200));
  EXPECT_FALSE(CropBandAcceptable(cl::Rect(301, 10, 320, 20), 300, 200));
  EXPECT_FALSE(CropPointIgnored(-10, 210, 300, 200));
  EXPECT_TRUE(CropPointIgnored(-11, 0, 300, 200));
  EXPECT_TRUE(CropPointIgnored(0, 211, 300, 200));
}

TEST(CropBandTest, OnlyThePartOnThePictureIsSelected) {
  EXPECT_EQ(PartOnPicture(kBand, 300, 200), kBand);
  EXPECT_EQ(PartOnPicture(cl::Rect(250, 150, 350, 225), 300, 200), cl::Rect(250, 150, 300, 200));
  EXPECT_EQ(PartOnPicture(cl::Rect(-20, -10, 80, 65), 300, 200), cl::Rect(0, 0, 80, 65));
  EXPECT_EQ(PartOnPicture(cl::Rect(300, 10, 320, 20), 300, 200).Width(), 0);
}

}  // namespace
}  // namespace img
