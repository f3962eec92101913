// The look and mouse flags of a toolbar button through presses, moves, releases, clicks, Down and enabling.
#include "toolbars/core/button_states.h"

#include <gtest/gtest.h>

namespace tbr {
namespace {

constexpr cl::TPoint kSize{23, 22};

TEST(ButtonStatesTest, DownFollowsTheGroupRules) {
  struct Case {
    bool Requested;
    bool Down;
    int GroupIndex;
    bool AllowAllUp;
    std::optional<bool> Result;
  };
  const Case cases[] = {
      {true, false, 0, true, std::nullopt},  // outside a group a button is never down
      {true, false, 1, false, true},         {true, true, 1, false, std::nullopt},
      {false, true, 1, false, std::nullopt},  // the down button of a group that may not be all up stays down
      {false, true, 1, true, false},         {false, false, 1, true, std::nullopt},
  };
  for (const Case& c : cases) {
    ButtonLook look;
    look.GroupIndex = c.GroupIndex;
    look.AllowAllUp = c.AllowAllUp;
    EXPECT_EQ(DownAfterRequest(c.Requested, c.Down, look), c.Result)
        << c.Requested << c.Down << c.GroupIndex << c.AllowAllUp;
  }
  ButtonLook look;
  look.GroupIndex = 1;
  EXPECT_EQ(RestingState(look, true), bsExclusive);
  EXPECT_EQ(RestingState(look, false), bsUp);
  look.Enabled = false;
  EXPECT_EQ(RestingState(look, true), bsDisabled);
}

TEST(ButtonStatesTest, ReleasingOffTheButtonDoesNotClickButComingBackDoes) {
  const ButtonLook look;
  ButtonState state;
  PressChange press = PressLeft(state, look, cl::Point(5, 5), kSize);
  EXPECT_TRUE(press.Entered);
  EXPECT_TRUE(state.PressTracking);
  EXPECT_EQ(state.State, bsPressed);
  EXPECT_TRUE(TrackPress(state, false));
  EXPECT_EQ(state.State, bsUp);
  EXPECT_FALSE(TrackPress(state, false));
  ReleaseChange release = ReleaseLeft(state, look, false, false);
  EXPECT_FALSE(release.Click);
  EXPECT_FALSE(state.PressTracking);

  PressLeft(state, look, cl::Point(5, 5), kSize);
  TrackPress(state, false);
  EXPECT_TRUE(TrackPress(state, true));
  EXPECT_EQ(state.State, bsPressed);
  EXPECT_TRUE(ReleaseLeft(state, look, true, false).Click);
  // A repeating button clicked while held: the release only restores the look.
  PressLeft(state, look, cl::Point(5, 5), kSize);
  release = ReleaseLeft(state, look, true, true);
  EXPECT_FALSE(release.Click);
  EXPECT_EQ(state.State, bsUp);
}

TEST(ButtonStatesTest, ADownButtonStaysExclusiveWhilePressed) {
  ButtonLook look;
  look.GroupIndex = 1;
  ButtonState state{bsExclusive, true};
  EXPECT_FALSE(PressLeft(state, look, cl::Point(5, 5), kSize).Repaint);  // nothing to show unless it may come up
  EXPECT_EQ(state.State, bsExclusive);
  look.AllowAllUp = true;
  EXPECT_TRUE(PressLeft(state, look, cl::Point(5, 5), kSize).Repaint);
  TrackPress(state, false);
  EXPECT_EQ(state.State, bsExclusive);
}

TEST(ButtonStatesTest, HotTrackingShowsTheMouseOnEnabledButtonsOnly) {
  ButtonLook look;
  ButtonState state;
  HotChange enter = EnterHot(state, look);
  EXPECT_TRUE(enter.Changed && enter.Repaint && !enter.Erase);
  EXPECT_EQ(state.State, bsHot);
  EXPECT_FALSE(EnterHot(state, look).Changed);
  // A held press keeps the mouse inside.
  state.PressTracking = true;
  EXPECT_FALSE(LeaveHot(state, look, false).Changed);
  state.PressTracking = false;
  HotChange leave = LeaveHot(state, look, false);
  EXPECT_TRUE(leave.Changed && leave.Repaint);
  EXPECT_EQ(state.State, bsUp);
  // A 3-D button with a single glyph has nothing to show for the mouse.
  look.Flat = false;
  EXPECT_FALSE(EnterHot(state, look).Repaint);
  look.NumGlyphs = 5;
  state = ButtonState{};
  enter = EnterHot(state, look);
  EXPECT_TRUE(enter.Repaint && enter.Erase);
  look.Enabled = false;
  state = ButtonState{};
  EXPECT_FALSE(EnterHot(state, look).Changed);
}

TEST(ButtonStatesTest, LeavingAPressedButtonRestoresItUnlessItIsClicking) {
  ButtonLook look;
  look.Flat = false;
  ButtonState state{bsPressed, false, true};
  EXPECT_EQ(LeaveHot(state, look, true).Repaint, false);
  EXPECT_EQ(state.State, bsPressed);
  state.MouseInside = true;
  EXPECT_TRUE(LeaveHot(state, look, false).Repaint);  // a change from something other than hot shows
  EXPECT_EQ(state.State, bsUp);
}

TEST(ButtonStatesTest, TheArrowPartOpensTheMenuInsteadOfTrackingThePress) {
  ButtonLook look;
  look.HasDropdown = true;
  ButtonState state;
  PressLeft(state, look, cl::Point(2, 5), kSize);  // a plain dropdown button: all of it opens the menu
  EXPECT_TRUE(state.ArrowPressed);
  EXPECT_FALSE(state.PressTracking);
  look.DropdownCombo = true;
  const cl::TPoint comboSize{34, 22};
  PressLeft(state, look, cl::Point(22, 5), comboSize);
  EXPECT_FALSE(state.ArrowPressed);
  EXPECT_TRUE(state.PressTracking);
  PressLeft(state, look, cl::Point(23, 5), comboSize);
  EXPECT_TRUE(state.ArrowPressed);
  EXPECT_TRUE(InMainPart(cl::Point(22, 21), comboSize, look));
  EXPECT_FALSE(InMainPart(cl::Point(23, 5), comboSize, look));
  EXPECT_FALSE(InMainPart(cl::Point(5, 22), comboSize, look));
  EXPECT_FALSE(InMainPart(cl::Point(-1, 5), comboSize, look));
  look.HasDropdown = false;  // a combo button without a menu has no arrow part
  EXPECT_TRUE(InMainPart(cl::Point(30, 5), comboSize, look));
}

TEST(ButtonStatesTest, AClickLooksPressedWhileItRuns) {
  ButtonState state{bsHot};
  EXPECT_TRUE(StartClickLook(state));
  EXPECT_EQ(state.State, bsPressed);
  EndClickLook(state);
  EXPECT_EQ(state.State, bsUp);
  state.State = bsExclusive;
  EXPECT_FALSE(StartClickLook(state));
  EndClickLook(state);
  EXPECT_EQ(state.State, bsExclusive);
}

TEST(ButtonStatesTest, DisablingForgetsTheMouseAndEnablingRestoresTheLook) {
  ButtonLook look;
  look.GroupIndex = 1;
  ButtonState state{bsPressed, true, true, true};
  look.Enabled = false;
  EnabledChanged(state, look);
  EXPECT_EQ(state.State, bsDisabled);
  EXPECT_FALSE(state.MouseInside || state.PressTracking);
  look.Enabled = true;
  EnabledChanged(state, look);
  EXPECT_EQ(state.State, bsExclusive);
}

TEST(ButtonStatesTest, ComboWidthsAndDropdownPlacesAndThePattern) {
  EXPECT_EQ(ComboSwitchedWidth(23, true), 34);
  EXPECT_EQ(ComboSwitchedWidth(34, false), 23);
  EXPECT_EQ(ComboSwitchedWidth(11, false), 1);
  EXPECT_EQ(ComboSwitchedWidth(4, false), 1);

  const DropdownPlacement below = DropdownPlacementFor(true, dpTop, kSize);
  EXPECT_EQ(below.Point, cl::Point(0, 22));
  EXPECT_FALSE(below.RightAligned);
  EXPECT_EQ(DropdownPlacementFor(false, dpLeft, kSize).Point, cl::Point(0, 22));  // floating: below
  EXPECT_EQ(DropdownPlacementFor(true, dpLeft, kSize).Point, cl::Point(23, 0));
  const DropdownPlacement left = DropdownPlacementFor(true, dpRight, kSize);
  EXPECT_EQ(left.Point, cl::Point(0, 0));
  EXPECT_TRUE(left.RightAligned);

  EXPECT_TRUE(IsExclusivePatternHighlight(0, 0));
  EXPECT_TRUE(IsExclusivePatternHighlight(3, 1));
  EXPECT_FALSE(IsExclusivePatternHighlight(1, 2));
}

}  // namespace
}  // namespace tbr
