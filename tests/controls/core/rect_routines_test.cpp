// Rectangle and number routines of the control library.
#include "controls/core/rect_routines.h"

#include <gtest/gtest.h>

namespace {

using namespace ctl;
using cl::Rect;

TEST(RectRoutines, FitRectScalesByTheTighterSideAtTheBoxCorner) {
  EXPECT_EQ(FitRect(Rect(0, 0, 200, 100), Rect(10, 20, 110, 120)), Rect(10, 20, 110, 70));
  EXPECT_EQ(FitRect(Rect(0, 0, 30, 90), Rect(0, 0, 100, 100)), Rect(0, 0, 33, 100));  // 33.3 truncated
  EXPECT_EQ(FitRect(Rect(0, 0, 10, 10), Rect(0, 0, 25, 40)), Rect(0, 0, 25, 25));
  // An empty item cannot be scaled: an empty rectangle at the corner, no division by zero.
  EXPECT_EQ(FitRect(Rect(5, 5, 5, 50), Rect(10, 20, 110, 120)), Rect(10, 20, 10, 20));
  EXPECT_EQ(FitRect(Rect(0, 0, 50, 0), Rect(10, 20, 110, 120)), Rect(10, 20, 10, 20));
}

TEST(RectRoutines, RotateRectGivesTheBoundingBoxAtTheOrigin) {
  cl::TRect r = Rect(0, 0, 100, 50);
  RotateRect(r, 90);
  EXPECT_EQ(r, Rect(0, 0, 50, 100));
  r = Rect(10, 10, 110, 60);
  RotateRect(r, 180);
  EXPECT_EQ(r, Rect(0, 0, 100, 50));
  r = Rect(0, 0, 100, 100);
  RotateRect(r, 45);
  EXPECT_EQ(r, Rect(0, 0, 142, 142));  // corners at -20.7 and 120.7, rounded
  // Angle 0 leaves the rectangle where it was.
  r = Rect(10, 10, 110, 60);
  RotateRect(r, 0);
  EXPECT_EQ(r, Rect(10, 10, 110, 60));
}

TEST(RectRoutines, InflateAdjustAndSize) {
  EXPECT_EQ(InflateRectCopy(Rect(10, 10, 20, 20), 2), Rect(8, 8, 22, 22));
  EXPECT_EQ(InflateRectCopy(Rect(10, 10, 20, 20), -3), Rect(13, 13, 17, 17));
  cl::TRect r = Rect(0, 0, 10, 10);
  AdjustRect(r, 1, 2, -3, -4);
  EXPECT_EQ(r, Rect(1, 2, 7, 6));
  int32_t width = 0, height = 0;
  RectSize(r, width, height);
  EXPECT_EQ(width, 6);
  EXPECT_EQ(height, 4);
}

TEST(RectRoutines, ExtremesOfArraysAndOfNone) {
  const int32_t values[] = {3, -7, 12, 0};
  const long double reals[] = {2.5L, -0.25L, 9};
  EXPECT_EQ(MaxIntValue(values), 12);
  EXPECT_EQ(MinIntValue(values), -7);
  EXPECT_EQ(MinValue(reals), -0.25L);
  EXPECT_EQ(MaxIntValue({}), 0);
  EXPECT_EQ(MinIntValue({}), 0);
  EXPECT_EQ(MinValue({}), 0);
}

}  // namespace
