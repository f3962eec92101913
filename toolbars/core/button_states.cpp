// The look and mouse flags of a toolbar button.
#include "toolbars/core/button_states.h"

#include <algorithm>

namespace tbr {
namespace {

// Glyphs with a hot image of their own change their picture, not only their border, under the mouse.
bool HasHotImage(const ButtonLook& look) {
  return look.NumGlyphs > 4;
}

}  // namespace

TButtonDrawState RestingState(const ButtonLook& look, bool down) {
  if (!look.Enabled) return bsDisabled;
  return down && look.GroupIndex != 0 ? bsExclusive : bsUp;
}

std::optional<bool> DownAfterRequest(bool requested, bool down, const ButtonLook& look) {
  if (look.GroupIndex == 0) requested = false;
  if (requested == down || (down && !look.AllowAllUp)) return std::nullopt;
  return requested;
}

HotChange EnterHot(ButtonState& state, const ButtonLook& look) {
  HotChange change;
  if (!look.Enabled || state.MouseInside) return change;
  state.MouseInside = true;
  if (state.State == bsUp) state.State = bsHot;
  change.Changed = true;
  change.Repaint = look.Flat || HasHotImage(look);
  change.Erase = state.Down || HasHotImage(look);
  return change;
}

HotChange LeaveHot(ButtonState& state, const ButtonLook& look, bool clicking) {
  HotChange change;
  if (!look.Enabled || !state.MouseInside || state.PressTracking) return change;
  state.MouseInside = false;
  const TButtonDrawState before = state.State;
  if (before == bsHot || (before == bsPressed && !clicking)) state.State = RestingState(look, state.Down);
  change.Changed = true;
  change.Repaint = look.Flat || HasHotImage(look) || (before != bsHot && before != state.State);
  return change;
}

bool InMainPart(cl::TPoint point, cl::TPoint size, const ButtonLook& look) {
  const int width = look.DropdownCombo && look.HasDropdown ? size.X - kComboArrowWidth : size.X;
  return point.X >= 0 && point.X < width && point.Y >= 0 && point.Y < size.Y;
}

PressChange PressLeft(ButtonState& state, const ButtonLook& look, cl::TPoint point, cl::TPoint size) {
  PressChange change;
  if (!state.MouseInside) {
    state.MouseInside = true;
    change.Entered = true;
  }
  state.ArrowPressed = look.HasDropdown && (!look.DropdownCombo || point.X >= size.X - kComboArrowWidth);
  if (!state.Down) {
    state.State = bsPressed;
    change.Repaint = true;
  } else {
    change.Repaint = look.AllowAllUp;
  }
  state.PressTracking = !state.ArrowPressed;
  return change;
}

bool TrackPress(ButtonState& state, bool inMainPart) {
  const TButtonDrawState before = state.State;
  state.State = state.Down ? bsExclusive : inMainPart ? bsPressed : bsUp;
  return state.State != before;
}

ReleaseChange ReleaseLeft(ButtonState& state, const ButtonLook& look, bool inMainPart, bool repeating) {
  ReleaseChange change;
  state.PressTracking = false;
  if (inMainPart && !repeating) {
    change.Click = true;
    return change;
  }
  if (state.State == bsPressed) {
    state.State = RestingState(look, state.Down);
    change.Repaint = true;
  }
  return change;
}

bool StartClickLook(ButtonState& state) {
  if (state.State != bsUp && state.State != bsHot) return false;
  state.State = bsPressed;
  return true;
}

void EndClickLook(ButtonState& state) {
  if (state.State == bsPressed) state.State = bsUp;
}

void EnabledChanged(ButtonState& state, const ButtonLook& look) {
  if (!look.Enabled) {
    state.State = bsDisabled;
    state.MouseInside = false;
    state.PressTracking = false;
  } else if (state.State == bsDisabled) {
    state.State = RestingState(look, state.Down);
  }
}

int ComboSwitchedWidth(int width, bool combo) {
  return combo ? width + kComboArrowWidth : std::max(width - kComboArrowWidth, 1);
}

DropdownPlacement DropdownPlacementFor(bool docked, TDockPosition position, cl::TPoint size) {
  if (docked && position == dpLeft) return DropdownPlacement{cl::Point(size.X, 0), false};
  if (docked && position == dpRight) return DropdownPlacement{cl::Point(0, 0), true};
  return DropdownPlacement{cl::Point(0, size.Y), false};
}

}  // namespace tbr
