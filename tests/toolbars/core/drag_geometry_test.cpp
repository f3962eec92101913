// Moving and sizing a tool window: outlines, the docking test, the floating clamp and sized rectangles.
#include "toolbars/core/drag_geometry.h"

#include <gtest/gtest.h>

#include "toolbars/core/tool_window_geometry.h"

namespace tbr {
namespace {

// A bar 101 x 21 outside, grabbed at (x, y).
DragGrab GrabAt(int x, int y) {
  return DragGrab{cl::Point(x, y), 100, 20};
}

TEST(DragGeometryTest, OutlinesKeepTheGrabPointsProportion) {
  EXPECT_EQ(PlaceOutline(cl::Point(500, 300), cl::Point(101, 21), GrabAt(50, 10)), cl::Bounds(450, 290, 101, 21));
  // Twice the size: the cursor stays at the middle.
  EXPECT_EQ(PlaceOutline(cl::Point(500, 300), cl::Point(201, 41), GrabAt(50, 10)), cl::Bounds(400, 280, 201, 41));
  // MulDiv rounds halves away from zero: 40 * 15 / 20 = 30, 200 * 33 / 100 = 66.
  EXPECT_EQ(PlaceOutline(cl::Point(0, 0), cl::Point(201, 41), GrabAt(33, 15)), cl::Bounds(-66, -30, 201, 41));
}

TEST(DragGeometryTest, AOnePixelBarHasNoProportionToKeepAndDividesByNothing) {
  const DragGrab grab{cl::Point(0, 0), 0, 0};
  EXPECT_EQ(PlaceOutline(cl::Point(500, 300), cl::Point(101, 21), grab), cl::Bounds(500, 300, 101, 21));
  EXPECT_TRUE(DockTakesBar({cl::Point(10, 10), cl::Rect(0, 0, 400, 30), false, cl::Point(101, 21), grab}));
}

struct DockingCase {
  const char* Name;
  cl::TPoint Cursor;
  cl::TRect Dock;
  bool Vertical;
  cl::TPoint Grab;
  bool Takes;
};

class DockingTestTable : public testing::TestWithParam<DockingCase> {};

TEST_P(DockingTestTable, DecidesWhetherTheDockTakesTheBar) {
  const DockingCase& c = GetParam();
  EXPECT_EQ(DockTakesBar({c.Cursor, c.Dock, c.Vertical, cl::Point(101, 21), GrabAt(c.Grab.X, c.Grab.Y)}), c.Takes);
}

// A top dock (0, 0)-(400, 30) and a left dock (0, 0)-(30, 300). Grabbed at the top-left the reach band runs 32
// pixels before the dock across x and 20 across y; grabbed at the bottom-right it runs past the dock instead.
INSTANTIATE_TEST_SUITE_P(
    Bands, DockingTestTable,
    testing::Values(
        DockingCase{"InsideTheDock", {10, 10}, {0, 0, 400, 30}, false, {0, 0}, true},
        DockingCase{"AtTheLeftEndOfTheReach", {-32, 10}, {0, 0, 400, 30}, false, {0, 0}, true},
        DockingCase{"OnePixelBeforeTheReach", {-33, 10}, {0, 0, 400, 30}, false, {0, 0}, false},
        DockingCase{"AboveTheDockWithinTheReach", {10, -20}, {0, 0, 400, 30}, false, {0, 0}, true},
        DockingCase{"AboveTheReach", {10, -21}, {0, 0, 400, 30}, false, {0, 0}, false},
        DockingCase{"BelowTheDock", {10, 30}, {0, 0, 400, 30}, false, {0, 0}, false},
        DockingCase{"LastRowOfTheDock", {10, 29}, {0, 0, 400, 30}, false, {0, 0}, true},
        DockingCase{"GrabbedAtTheEndReachesPastTheRight", {431, 10}, {0, 0, 400, 30}, false, {100, 20}, true},
        DockingCase{"GrabbedAtTheEndOnePixelTooFar", {432, 10}, {0, 0, 400, 30}, false, {100, 20}, false},
        DockingCase{"GrabbedAtTheEndReachesBelow", {200, 49}, {0, 0, 400, 30}, false, {100, 20}, true},
        DockingCase{"GrabbedAtTheEndNotAtTheLeftEdge", {-1, 10}, {0, 0, 400, 30}, false, {100, 20}, false},
        DockingCase{"VerticalDockInside", {10, 100}, {0, 0, 30, 300}, true, {0, 0}, true},
        DockingCase{"VerticalDockNeedsTheCursorWithinItsHeight", {10, 300}, {0, 0, 30, 300}, true, {100, 20}, false},
        DockingCase{"EmptyHorizontalDockTakesABarOverItsEdge", {100, 100}, {0, 100, 400, 100}, false, {0, 0}, true},
        DockingCase{
            "EmptyHorizontalDockUnderABarGrabbedAtItsBottom", {100, 110}, {0, 100, 400, 100}, false, {0, 20}, true},
        DockingCase{"EmptyVerticalDockTakesABarOverItsEdge", {100, 50}, {100, 0, 100, 300}, true, {0, 0}, true},
        DockingCase{"EmptyVerticalDockFarAway", {160, 50}, {100, 0, 100, 300}, true, {0, 0}, false}),
    [](const testing::TestParamInfo<DockingCase>& info) { return info.param.Name; });

struct ClampCase {
  const char* Name;
  cl::TRect Outline;
  cl::TRect Expected;
};

class ReachableOutlineTable : public testing::TestWithParam<ClampCase> {};

// Work area (0, 0)-(1280, 1000), frame 4 by 4, small caption 15: the outline keeps a part on (8, 8)-(1272, 992),
// and its top stays at -15 or below.
TEST_P(ReachableOutlineTable, KeepsAPartOnTheWorkArea) {
  const ClampCase& c = GetParam();
  EXPECT_EQ(KeepOutlineReachable(c.Outline, cl::Rect(0, 0, 1280, 1000), cl::Point(4, 4), 15), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sides, ReachableOutlineTable,
    testing::Values(ClampCase{"OnTheWorkAreaStays", {100, 100, 200, 150}, {100, 100, 200, 150}},
                    ClampCase{"OffTheLeftComesBack", {-500, 100, -400, 150}, {-92, 100, 8, 150}},
                    ClampCase{"OffTheRightComesBack", {1400, 100, 1500, 150}, {1272, 100, 1372, 150}},
                    ClampCase{"BelowComesBack", {100, 1200, 200, 1250}, {100, 992, 200, 1042}},
                    ClampCase{"AboveKeepsItsCaptionReachable", {100, -300, 200, -250}, {100, -15, 200, 35}},
                    ClampCase{"PartlyAboveStillTooHigh", {100, -20, 200, 30}, {100, -15, 200, 35}},
                    ClampCase{"JustHighEnough", {100, -15, 200, 35}, {100, -15, 200, 35}}),
    [](const testing::TestParamInfo<ClampCase>& info) { return info.param.Name; });

TEST(DragGeometryTest, SizingCodesChooseTheEdgesThatFollowTheMouse) {
  struct Case {
    int Code;
    SizingEdges Edges;
  };
  const Case cases[] = {
      {kHtLeft, {true, true, false, false}},      {kHtRight, {true, false, false, false}},
      {kHtTop, {false, false, true, true}},       {kHtBottom, {false, false, true, false}},
      {kHtTopLeft, {true, true, true, true}},     {kHtTopRight, {true, false, true, true}},
      {kHtBottomLeft, {true, true, true, false}}, {kHtBottomRight, {true, false, true, false}},
      {kHtClient, {false, false, false, false}},
  };
  for (const Case& c : cases) {
    const SizingEdges edges = SizingEdgesOf(c.Code);
    EXPECT_EQ(edges.Horizontal, c.Edges.Horizontal) << c.Code;
    EXPECT_EQ(edges.LeftMoves, c.Edges.LeftMoves) << c.Code;
    EXPECT_EQ(edges.Vertical, c.Edges.Vertical) << c.Code;
    EXPECT_EQ(edges.TopMoves, c.Edges.TopMoves) << c.Code;
  }
}

TEST(DragGeometryTest, SizedRectsFollowTheCursorDownToTheMinimum) {
  const cl::TRect start = cl::Rect(100, 100, 300, 200);
  const cl::TPoint minimum = cl::Point(50, 30);
  EXPECT_EQ(SizedRect(start, SizingEdgesOf(kHtRight), cl::Point(40, 9), minimum), cl::Rect(100, 100, 340, 200));
  EXPECT_EQ(SizedRect(start, SizingEdgesOf(kHtLeft), cl::Point(40, 9), minimum), cl::Rect(140, 100, 300, 200));
  EXPECT_EQ(SizedRect(start, SizingEdgesOf(kHtTopLeft), cl::Point(-10, -20), minimum), cl::Rect(90, 80, 300, 200));
  // Past the far edge: the moving edge stops at the minimum from the fixed one.
  EXPECT_EQ(SizedRect(start, SizingEdgesOf(kHtLeft), cl::Point(500, 0), minimum), cl::Rect(250, 100, 300, 200));
  EXPECT_EQ(SizedRect(start, SizingEdgesOf(kHtBottom), cl::Point(0, -500), minimum), cl::Rect(100, 100, 300, 130));
}

}  // namespace
}  // namespace tbr
