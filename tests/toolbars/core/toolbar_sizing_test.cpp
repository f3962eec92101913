// Sizing a floating toolbar: the candidate sizes of a real layout, the snap margin, and where a dragged edge
// snaps while growing, shrinking and turning back.
#include "toolbars/core/toolbar_sizing.h"

#include <gtest/gtest.h>

#include <vector>

#include "toolbars/core/tool_window_geometry.h"
#include "toolbars/core/toolbar_layout.h"

namespace tbr {
namespace {

// Outer sizes add a frame of 4 on each side and a 15-pixel caption.
constexpr cl::TPoint kNonClient{8, 23};

std::vector<SizeCandidate> CandidatesOfButtons(int count, bool vertical) {
  const std::vector<ToolbarChild> buttons(count, ToolbarChild{false, 23, 22});
  return FloatingSizeCandidates([&](int floatRightX) { return LayoutToolbar(buttons, doNone, floatRightX, 22).Size; },
                                kNonClient, ToolbarThickness(buttons, doNone) + kWrapWidthMargin, vertical);
}

TEST(ToolbarSizingTest, CandidatesAreTheNarrowestWidthOfEachNumberOfLines) {
  // Four buttons: one line 100 wide, two lines of two 54 wide, four lines of one 31 wide (three lines lay out
  // like four).
  const std::vector<SizeCandidate> byWidth = CandidatesOfButtons(4, false);
  EXPECT_EQ(byWidth, (std::vector<SizeCandidate>{{{108, 48}, 0}, {{62, 70}, 54}, {{39, 114}, 31}}));
  const std::vector<SizeCandidate> byHeight = CandidatesOfButtons(4, true);
  EXPECT_EQ(byHeight, (std::vector<SizeCandidate>{{{39, 114}, 31}, {{62, 70}, 54}, {{108, 48}, 0}}));
}

TEST(ToolbarSizingTest, CandidateTrialsEndWhateverTheLayoutAnswers) {
  int trials = 0;
  // A layout that never fits its wrap width (a control wider than every trial) would otherwise be tried again
  // from its own, larger width.
  const std::vector<SizeCandidate> candidates = FloatingSizeCandidates(
      [&](int floatRightX) {
        ++trials;
        return floatRightX == 0 ? cl::Point(200, 25) : cl::Point(floatRightX + 10, 47);
      },
      kNonClient, 30, false);
  EXPECT_EQ(candidates, (std::vector<SizeCandidate>{{{208, 48}, 0}}));
  EXPECT_LE(trials, 200);
}

TEST(ToolbarSizingTest, TheSnapMarginNeverReachesANeighbour) {
  const std::vector<SizeCandidate> candidates{{{100, 30}, 0}, {{90, 50}, 82}, {{60, 70}, 52}};
  EXPECT_EQ(FloatingSizer(candidates, kHtRight, cl::Point(90, 50), 82).SnapMargin(), 9);
  EXPECT_EQ(FloatingSizer(candidates, kHtRight, cl::Point(60, 70), 52).SnapMargin(), kMaxSnapMargin);
  EXPECT_EQ(FloatingSizer(candidates, kHtRight, cl::Point(77, 77), 0).SnapMargin(), kMaxSnapMargin);
  const std::vector<SizeCandidate> close{{{61, 30}, 0}, {{60, 50}, 52}};
  EXPECT_EQ(FloatingSizer(close, kHtRight, cl::Point(60, 50), 52).SnapMargin(), 0);
}

class FloatingSizerTest : public testing::Test {
 protected:
  // The four-button toolbar in two lines at (100, 100), its right edge dragged to the given width.
  cl::TRect DragRightTo(int width) {
    cl::TRect r = cl::Rect(start.Left, start.Top, start.Left + width, start.Bottom);
    sizer.Track(r, start);
    return r;
  }

  const cl::TRect start = cl::Bounds(100, 100, 62, 70);
  FloatingSizer sizer{CandidatesOfButtons(4, false), kHtRight, cl::Point(62, 70), 54};
};

TEST_F(FloatingSizerTest, ASmallMoveKeepsTheSize) {
  EXPECT_EQ(DragRightTo(66), start);
  EXPECT_EQ(DragRightTo(51), start);
  EXPECT_EQ(sizer.FloatRightX(), 54);
}

TEST_F(FloatingSizerTest, GrowingTakesTheSmallestSizeBeyondTheCursorAndShrinkingTheLargestWithin) {
  EXPECT_EQ(DragRightTo(80), cl::Bounds(100, 100, 108, 48));
  EXPECT_EQ(sizer.FloatRightX(), 0);
  // Still growing on the way back: the size holds until the cursor turns back past the start.
  EXPECT_EQ(DragRightTo(70), cl::Bounds(100, 100, 108, 48));
  EXPECT_EQ(DragRightTo(58), start);
  EXPECT_EQ(DragRightTo(45), cl::Bounds(100, 100, 39, 114));
  EXPECT_EQ(sizer.FloatRightX(), 31);
  EXPECT_EQ(DragRightTo(10), cl::Bounds(100, 100, 39, 114));   // nothing smaller: the smallest
  EXPECT_EQ(DragRightTo(500), cl::Bounds(100, 100, 108, 48));  // nothing larger: the largest
}

TEST(ToolbarSizingTest, TheMovingEdgeFollowsAndTheOtherStays) {
  const cl::TRect start = cl::Bounds(100, 100, 62, 70);
  FloatingSizer fromLeft(CandidatesOfButtons(4, false), kHtLeft, cl::Point(62, 70), 54);
  cl::TRect r = cl::Rect(60, 100, 162, 170);
  fromLeft.Track(r, start);
  EXPECT_EQ(r, cl::Rect(54, 100, 162, 148));
  FloatingSizer fromTop(CandidatesOfButtons(4, true), kHtTop, cl::Point(62, 70), 54);
  r = cl::Rect(100, 40, 162, 170);
  fromTop.Track(r, start);
  EXPECT_EQ(r, cl::Rect(100, 56, 139, 170));
  EXPECT_EQ(fromTop.FloatRightX(), 31);
}

}  // namespace
}  // namespace tbr
