// Where a menu window opens and how it slides: the animation it runs, its place in the work area, its steps, the
// frames of opening and closing and the waits between them.
#include "toolbars/core/popup_placement.h"

#include <gtest/gtest.h>

#include <vector>

namespace tbr::menus {
namespace {

TEST(PopupAnimationKindTest, SmartAndPopupResolvePerLevel) {
  struct Case {
    TAnimation Animation;
    bool RandomPicksVSlide;
    TAnimation Kind, Inherited, CloseTop, CloseSubmenu;
  };
  for (const Case& c : std::vector<Case>{{anSmart, false, anVSlide, anHSlide, anVSlide, anHSlide},
                                         {anPopup, false, anUnfold, anHSlide, anUnfold, anHSlide},
                                         {anRandom, true, anVSlide, anRandom, anVSlide, anVSlide},
                                         {anRandom, false, anHSlide, anRandom, anHSlide, anHSlide},
                                         {anNone, true, anNone, anNone, anNone, anNone},
                                         {anUnfold, true, anUnfold, anUnfold, anUnfold, anUnfold}}) {
    SCOPED_TRACE(c.Animation);
    const OpenAnimationChoice open = ResolveOpenAnimation(c.Animation, c.RandomPicksVSlide);
    EXPECT_EQ(open.Kind, c.Kind);
    EXPECT_EQ(open.Inherited, c.Inherited);
    EXPECT_EQ(ResolveCloseAnimation(c.Animation, false, c.RandomPicksVSlide), c.CloseTop);
    EXPECT_EQ(ResolveCloseAnimation(c.Animation, true, c.RandomPicksVSlide), c.CloseSubmenu);
  }
}

// A 1024 x 738 work area (a taskbar of 30 below) and a menu of 100 x 93.
PopupPlacementInput Menu(int left, int top, TAnimation kind = anVSlide) {
  PopupPlacementInput in;
  in.WorkArea = cl::Rect(0, 0, 1024, 738);
  in.Left = left;
  in.Top = top;
  in.Width = 100;
  in.Height = 93;
  in.Kind = kind;
  return in;
}

TEST(PopupPlacementTest, StaysInsideTheWorkArea) {
  struct Case {
    const char* What;
    PopupPlacementInput In;
    int Left, Top;
    bool Up, Leftward;
  };
  PopupPlacementInput button = Menu(500, 720);
  button.FromControl = button.FromButton = true;
  button.ControlTop = 697;
  button.ControlHeight = 23;
  PopupPlacementInput tallOpener = button;
  tallOpener.ControlHeight = 721;
  PopupPlacementInput tall = Menu(300, 400);
  tall.Height = 500;
  PopupPlacementInput submenu = Menu(1000, 100, anHSlide);
  submenu.IsSubmenu = true;
  submenu.ParentLeft = 900;
  PopupPlacementInput submenuSlidingDown = submenu;
  submenuSlidingDown.Kind = anVSlide;
  PopupPlacementInput verticalBar = Menu(1000, 300);
  verticalBar.FromBarButton = verticalBar.BarButtonVertical = true;
  verticalBar.BarButtonLeft = 1001;
  PopupPlacementInput barButton = Menu(980, 700);
  barButton.FromBarButton = true;
  barButton.BarButtonLeft = 950;
  barButton.BarButtonWidth = 30;
  barButton.Kind = anHSlide;
  PopupPlacementInput narrowBar = barButton;
  narrowBar.Left = 800;
  narrowBar.BarButtonLeft = 770;
  PopupPlacementInput fromIcon = Menu(200, 700);
  fromIcon.FromControl = fromIcon.SystemMenuFromForm = true;
  fromIcon.ControlTop = 400;
  fromIcon.ControlHeight = 300;
  for (const Case& c :
       std::vector<Case>{{"fits", Menu(100, 100), 100, 100, false, false},
                         {"top window past the right edge", Menu(1000, 100), 924, 100, false, false},
                         {"at the left and top edges", Menu(-20, 0), 1, 1, false, false},
                         {"too low opens upward from the point", Menu(300, 700), 300, 700, true, false},
                         {"too low sideways slide is pushed up", Menu(300, 700, anHSlide), 300, 645, false, false},
                         {"too low without room above is pushed up", tall, 300, 238, false, false},
                         {"above its button", button, 500, 695, true, false},
                         {"opener taller than the point is high", tallOpener, 500, 645, false, false},
                         {"submenu grows leftward from its parent", submenu, 906, 100, false, true},
                         {"submenu of full width left of its parent", submenuSlidingDown, 806, 100, false, true},
                         {"vertical bar button", verticalBar, 901, 300, false, false},
                         {"beside its bar button", narrowBar, 830, 645, false, false},
                         {"left of its bar button at the right edge", barButton, 850, 645, false, false},
                         {"system menu from the icon", fromIcon, 200, 403, true, false}}) {
    SCOPED_TRACE(c.What);
    const PopupPlacement out = PlacePopup(c.In);
    EXPECT_EQ(out.Left, c.Left);
    EXPECT_EQ(out.Top, c.Top);
    EXPECT_EQ(out.OpensUpward, c.Up);
    EXPECT_EQ(out.OpensLeftward, c.Leftward);
  }
}

TEST(PopupAnimationStepsTest, StepsFollowTheItemHeightAndAreNeverZero) {
  struct Case {
    int Width, Height, ItemHeight;
    bool DoubleSpeed;
    TAnimation Kind;
    int HStep, VStep;
  };
  for (const Case& c :
       std::vector<Case>{// Base 11: 93 div 11 + 1 = 9 frames, 93 div 9 = 10 -> 15 down; 199 div 9 = 22 -> 34 across.
                         {199, 93, 19, false, anVSlide, 34, 15},
                         // 19 frames across: 4 * 1.5 = 6 down, 10 * 1.5 + 1 = 16 across.
                         {199, 93, 19, false, anUnfold, 16, 6},
                         // Base 23: 5 frames, 18 * 1.5 = 27 down; 39 * 1.5 rounds to even, 58 + 1 across.
                         {199, 93, 19, true, anVSlide, 59, 27},
                         // 3 * 1.5 rounds to even.
                         {100, 30, 19, false, anUnfold, 16, 4},
                         {199, 93, 0, false, anVSlide, 4, 1},
                         {199, 93, 2, false, anUnfold, 1, 1},
                         {400, 10, 1, false, anUnfold, 1, 1},
                         {0, 0, 19, false, anNone, 1, 1}}) {
    SCOPED_TRACE(testing::Message() << c.Width << "x" << c.Height << " item " << c.ItemHeight);
    const AnimationSteps steps = AnimationStepsFor(c.Width, c.Height, c.ItemHeight, c.DoubleSpeed, c.Kind);
    EXPECT_EQ(steps.HStep, c.HStep);
    EXPECT_EQ(steps.VStep, c.VStep);
  }
}

TEST(PopupFrameSequenceTest, OpeningGrowsFromItsAnchorToTheFullBounds) {
  // Sliding down: the width is full throughout, the height grows by the step.
  OpenFrames down = OpenFrameSequence({10, 20, false, false}, 100, 50, anVSlide, {5, 12});
  EXPECT_EQ(down.Frames,
            (std::vector<FrameBounds>{{10, 20, 100, 12}, {10, 20, 100, 24}, {10, 20, 100, 36}, {10, 20, 100, 48}}));
  EXPECT_EQ(down.Final, (FrameBounds{10, 20, 100, 50}));
  EXPECT_EQ(down.SoundFrame, 2);

  // Upward and leftward: the bottom and right edges stay; the upward menu ends a pixel below its anchor.
  OpenFrames up = OpenFrameSequence({300, 200, true, true}, 40, 30, anUnfold, {15, 11});
  EXPECT_EQ(up.Frames, (std::vector<FrameBounds>{{285, 189, 15, 11}, {270, 178, 30, 22}}));
  EXPECT_EQ(up.Final, (FrameBounds{260, 171, 40, 30}));
  EXPECT_EQ(up.SoundFrame, -1);

  // Without animation, or with a step at least the full size, only the full bounds are set, still from the
  // anchor.
  for (TAnimation kind : {anNone, anHSlide}) {
    OpenFrames none = OpenFrameSequence({300, 200, true, true}, 40, 30, kind, {40, 40});
    EXPECT_TRUE(none.Frames.empty());
    EXPECT_EQ(none.Final, (FrameBounds{kind == anHSlide ? 260 : 300, 171, 40, 30}));
  }

  // Steps of 0 still end.
  EXPECT_EQ(OpenFrameSequence({0, 0, false, false}, 3, 3, anUnfold, {0, 0}).Frames.size(), 2u);
}

TEST(PopupFrameSequenceTest, ClosingShrinksTheClosingSideToZero) {
  EXPECT_EQ(CloseFrameSequence({10, 20, 100, 50}, anVSlide, {5, 20}, false, false),
            (std::vector<FrameBounds>{{10, 20, 100, 30}, {10, 20, 100, 10}, {10, 20, 100, 0}}));
  EXPECT_EQ(CloseFrameSequence({10, 20, 30, 50}, anUnfold, {20, 20}, true, true),
            (std::vector<FrameBounds>{{30, 40, 10, 30}, {40, 60, 0, 10}, {40, 70, 0, 0}}));
  EXPECT_TRUE(CloseFrameSequence({10, 20, 30, 50}, anNone, {1, 1}, false, false).empty());
  // A wide one-row menu folding with a height step of 0 still ends.
  EXPECT_EQ(CloseFrameSequence({0, 0, 400, 10}, anUnfold, {200, 0}, false, false).back(), (FrameBounds{0, 0, 0, 0}));
}

TEST(PopupFramePacerTest, SlowFramesAreMadeUpBySkippingWaits) {
  FramePacer pacer(20);
  std::vector<int> sleeps;
  for (int frame : {5, 45, 5, 5, 5}) sleeps.push_back(pacer.SleepAfter(frame));
  EXPECT_EQ(sleeps, (std::vector<int>{15, 0, 0, 0, 15}));
  EXPECT_EQ(pacer.Debt(), 0);
}

}  // namespace
}  // namespace tbr::menus
