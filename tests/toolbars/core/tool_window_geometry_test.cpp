// Tool window frames: margins, caption and close button, hit-testing, cut captions and keeping bars on screen.
#include "toolbars/core/tool_window_geometry.h"

#include <gtest/gtest.h>

namespace tbr {
namespace {

TEST(FrameMarginsTest, DockedFramesAreTwoWideWithTheGripOnTheLeadingSide) {
  EXPECT_EQ(DockedMargins(doHorizontal, false), (FrameMargins{2, 2, 2, 2}));
  EXPECT_EQ(DockedMargins(doHorizontal, true), (FrameMargins{11, 2, 2, 2}));
  EXPECT_EQ(DockedMargins(doVertical, true), (FrameMargins{2, 11, 2, 2}));
  EXPECT_EQ(FloatingMargins(4, 3, 15), (FrameMargins{4, 18, 4, 3}));
}

const FloatingFrame kFrame{4, 4, 15, 100};  // a 108 x 123 window for a 100 x 100 client

TEST(FloatingCaptionTest, TheCloseButtonIsTheSquareAtTheCaptionsEnd) {
  EXPECT_EQ(CaptionRect(kFrame, false), cl::Rect(4, 4, 104, 18));
  EXPECT_EQ(CaptionRect(kFrame, true), cl::Rect(4, 4, 90, 18));
  EXPECT_EQ(CloseButtonRect(kFrame), cl::Rect(90, 4, 104, 18));
}

HitTestRequest Floating(int x, int y, int inherited = kHtNowhere) {
  HitTestRequest r;
  r.Point = cl::Point(x, y);
  r.WindowWidth = 108;
  r.WindowHeight = 123;
  r.Inherited = inherited;
  r.Frame = kFrame;
  r.CloseButton = true;
  r.SizableFrame = true;
  r.EightWaySizing = true;
  return r;
}

TEST(ToolWindowHitTestTest, ADockedBarAnswersClientWhereTheSystemFindsNothing) {
  HitTestRequest r = Floating(1, 1, kHtNowhere);
  r.Docked = true;
  EXPECT_EQ(ToolWindowHitTest(r), kHtClient);
  r.Inherited = 18;  // HTBORDER stays
  EXPECT_EQ(ToolWindowHitTest(r), 18);
}

TEST(ToolWindowHitTestTest, TheCaptionDragsTheBarAndTheCloseButtonCloses) {
  EXPECT_EQ(ToolWindowHitTest(Floating(50, 30, kHtClient)), kHtClient);
  EXPECT_EQ(ToolWindowHitTest(Floating(4, 4)), kHtClient);
  EXPECT_EQ(ToolWindowHitTest(Floating(89, 17)), kHtClient);
  EXPECT_EQ(ToolWindowHitTest(Floating(90, 4)), kHtClose);
  EXPECT_EQ(ToolWindowHitTest(Floating(103, 17)), kHtClose);
  HitTestRequest noClose = Floating(95, 10);
  noClose.CloseButton = false;
  EXPECT_EQ(ToolWindowHitTest(noClose), kHtClient);
}

TEST(ToolWindowHitTestTest, EightWaySizingHasCornersAlongEachEdge) {
  // Corners reach small caption height + frame - 1 = 18 pixels along each edge; the right and bottom bands start
  // one pixel early (x >= width - frame - 1).
  struct Case {
    int X, Y, Code;
  };
  for (const Case& c :
       {Case{0, 60, kHtLeft}, Case{3, 17, kHtTopLeft}, Case{3, 18, kHtLeft}, Case{0, 105, kHtBottomLeft},
        Case{0, 104, kHtLeft}, Case{103, 60, kHtRight}, Case{102, 60, kHtNowhere}, Case{107, 0, kHtTopRight},
        Case{107, 122, kHtBottomRight}, Case{50, 0, kHtTop}, Case{17, 2, kHtTopLeft}, Case{90, 2, kHtTopRight},
        Case{50, 118, kHtBottom}, Case{89, 118, kHtBottom}, Case{90, 118, kHtBottomRight}, Case{50, 117, kHtNowhere}}) {
    EXPECT_EQ(ToolWindowHitTest(Floating(c.X, c.Y)), c.Code) << c.X << "," << c.Y;
  }
}

TEST(ToolWindowHitTestTest, FourWaySizingTriesTopBottomLeftRightWithoutCorners) {
  HitTestRequest r = Floating(0, 0);
  r.EightWaySizing = false;
  EXPECT_EQ(ToolWindowHitTest(r), kHtTop);
  r.Point = cl::Point(0, 122);
  EXPECT_EQ(ToolWindowHitTest(r), kHtBottom);
  r.Point = cl::Point(107, 60);
  EXPECT_EQ(ToolWindowHitTest(r), kHtRight);
  r.Point = cl::Point(2, 60);
  EXPECT_EQ(ToolWindowHitTest(r), kHtLeft);
}

TEST(ToolWindowHitTestTest, AFixedFrameLosesTheSystemsSizingCodes) {
  HitTestRequest r = Floating(0, 60, kHtLeft);
  r.SizableFrame = false;
  EXPECT_EQ(ToolWindowHitTest(r), kHtNowhere);
  r.Inherited = 18;
  EXPECT_EQ(ToolWindowHitTest(r), 18);
  r.SizableFrame = true;
  r.Inherited = kHtBottomRight;  // the bar's own answer wins
  EXPECT_EQ(ToolWindowHitTest(r), kHtLeft);
}

// Every character is 6 pixels wide.
int Measure(const std::string& text) {
  return static_cast<int>(text.size()) * 6;
}

TEST(FitCaptionTest, CutsTheCaptionBeforeAnEllipsisButKeepsOneCharacter) {
  EXPECT_EQ(FitCaption("Toolbar", 42, Measure), "Toolbar");
  EXPECT_EQ(FitCaption("Toolbar", 41, Measure), "Too...");
  EXPECT_EQ(FitCaption("Toolbar", 36, Measure), "Too...");
  EXPECT_EQ(FitCaption("Toolbar", 35, Measure), "To...");
  EXPECT_EQ(FitCaption("Toolbar", 0, Measure), "T...");
  EXPECT_EQ(FitCaption("Ab", 11, Measure), "A...");
  EXPECT_EQ(FitCaption("", 0, Measure), "");
}

TEST(KeepRectOnScreenTest, MovesABarBackOntoTheWorkArea) {
  const cl::TRect work = cl::Rect(0, 0, 800, 600);
  struct Case {
    cl::TRect Bounds;
    bool OnlyIfFullyOffscreen;
    cl::TRect Expected;
  };
  for (const Case& c : {
           Case{cl::Bounds(10, 10, 100, 50), false, cl::Bounds(10, 10, 100, 50)},
           Case{cl::Bounds(750, 10, 100, 50), false, cl::Bounds(700, 10, 100, 50)},
           Case{cl::Bounds(750, 10, 100, 50), true, cl::Bounds(750, 10, 100, 50)},
           Case{cl::Bounds(900, 700, 100, 50), true, cl::Bounds(700, 550, 100, 50)},
           Case{cl::Bounds(-200, -80, 100, 50), true, cl::Bounds(0, 0, 100, 50)},
           Case{cl::Bounds(-30, 580, 100, 50), false, cl::Bounds(0, 550, 100, 50)},
           Case{cl::Bounds(100, 100, 1000, 700), false, cl::Bounds(0, 0, 1000, 700)},  // larger: top-left
       }) {
    EXPECT_EQ(KeepRectOnScreen(c.Bounds, work, c.OnlyIfFullyOffscreen), c.Expected);
  }
}

}  // namespace
}  // namespace tbr
