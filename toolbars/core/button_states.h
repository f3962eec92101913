// How a toolbar button's look and mouse flags change: the mouse coming and going (hot tracking), a left press and
// its tracking until release, clicks, Down in a group, and enabling. Each step says what the button must do about
// it (repaint, tell its handlers, click); the button runs the timers, hooks and events.
#pragma once

#include <optional>

#include "classlib/core/types.h"
#include "toolbars/core/glyph_layout.h"
#include "toolbars/core/dock_layout.h"

namespace tbr {

// The arrow part at the right end of a DropdownCombo button.
constexpr int kComboArrowWidth = 11;

struct ButtonState {
  TButtonDrawState State = bsUp;
  bool Down = false;
  bool MouseInside = false;
  bool PressTracking = false;  // the left button went down on the main part and is not released yet
  bool ArrowPressed = false;   // the press was on the dropdown part
};

// What the look depends on besides the state.
struct ButtonLook {
  bool Enabled = true;
  int GroupIndex = 0;
  bool AllowAllUp = false;
  bool Flat = true;
  int NumGlyphs = 1;
  bool HasDropdown = false;
  bool DropdownCombo = false;
};

// The look of a button that nothing presses: disabled, held down (exclusive) or up.
TButtonDrawState RestingState(const ButtonLook& look, bool down);

// The value Down takes for a request, or none when nothing changes: a button outside a group is never down, and
// the down button of a group that may not be all up stays down.
std::optional<bool> DownAfterRequest(bool requested, bool down, const ButtonLook& look);

struct HotChange {
  bool Changed = false;  // the mouse came in (or went out): the matching event fires
  bool Repaint = false;
  bool Erase = false;
};
// The mouse came over an enabled button.
HotChange EnterHot(ButtonState& state, const ButtonLook& look);
// The mouse left an enabled button that is not being pressed; inside a click the pressed look stays.
HotChange LeaveHot(ButtonState& state, const ButtonLook& look, bool clicking);

// Inside the main part (all of the button, or all but the arrow part of a DropdownCombo button with a menu).
bool InMainPart(cl::TPoint point, cl::TPoint size, const ButtonLook& look);

struct PressChange {
  bool Entered = false;  // the mouse counted as inside only now
  bool Repaint = false;
};
// A left press on an enabled button at point: on the arrow part of a button with a menu the menu opens at once;
// elsewhere the press is tracked until release.
PressChange PressLeft(ButtonState& state, const ButtonLook& look, cl::TPoint point, cl::TPoint size);
// The mouse moved while a press is tracked: pressed looking while on the main part. True when the look changed.
bool TrackPress(ButtonState& state, bool inMainPart);

struct ReleaseChange {
  bool Click = false;  // released on the main part of a button that does not repeat
  bool Repaint = false;
};
// The left button went up while a press was tracked.
ReleaseChange ReleaseLeft(ButtonState& state, const ButtonLook& look, bool inMainPart, bool repeating);

// The look while a click runs (the button looks pressed), and afterwards.
bool StartClickLook(ButtonState& state);
void EndClickLook(ButtonState& state);

// Enabled changed: a disabled button forgets the mouse and any press.
void EnabledChanged(ButtonState& state, const ButtonLook& look);

// The width of a button switched to or from DropdownCombo (never below 1).
int ComboSwitchedWidth(int width, bool combo);

// The exclusive (held down) look fills with a checkerboard: highlight where x and y have the same parity.
constexpr bool IsExclusivePatternHighlight(int x, int y) {
  return (x & 1) == (y & 1);
}

// Where a button's dropdown menu opens, relative to the button: below it; beside it on a left or right dock.
struct DropdownPlacement {
  cl::TPoint Point;
  bool RightAligned = false;  // the menu's right edge at the point
};
DropdownPlacement DropdownPlacementFor(bool docked, TDockPosition position, cl::TPoint size);

}  // namespace tbr
