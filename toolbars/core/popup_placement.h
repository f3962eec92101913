// Where an owner-drawn menu window opens and how it slides open and shut: the animation a window really runs
// (random, smart and popup resolved), its place inside the work area next to what opened it, the pixels it grows
// or shrinks per frame, the frames themselves and the pacing between them. The menu window sets the bounds these
// functions compute.
#pragma once

#include <vector>

#include "classlib/core/types.h"

namespace tbr::menus {

enum TAnimation { anNone, anVSlide, anHSlide, anSmart, anUnfold, anPopup, anRandom };

// What an opening runs, and what the window's opening animation becomes for the submenus that copy it: smart
// slides down and its submenus sideways, popup unfolds and its submenus slide sideways. randomPicksVSlide is the
// draw for anRandom.
struct OpenAnimationChoice {
  TAnimation Kind = anNone;
  TAnimation Inherited = anNone;
};
OpenAnimationChoice ResolveOpenAnimation(TAnimation animation, bool randomPicksVSlide);
// What a closing runs: smart and popup slide a submenu sideways; a top window slides up (smart) or folds (popup).
TAnimation ResolveCloseAnimation(TAnimation animation, bool isSubmenu, bool randomPicksVSlide);

// What a window's placement depends on. Coordinates are the screen's.
struct PopupPlacementInput {
  cl::TRect WorkArea;
  // The wanted top-left corner and the window's full size.
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  // The resolved opening animation.
  TAnimation Kind = anNone;
  // A submenu opens beside its parent window.
  bool IsSubmenu = false;
  int ParentLeft = 0;
  // A top window opened by a menu-bar button: the button's left edge, width and whether it stands upright.
  bool FromBarButton = false;
  int BarButtonLeft = 0;
  int BarButtonWidth = 0;
  bool BarButtonVertical = false;
  // The control that opened the menu, when it is one: its top and height; whether it is a push or tool button.
  bool FromControl = false;
  int ControlTop = 0;
  int ControlHeight = 0;
  bool FromButton = false;
  // A system menu opened from its form's icon (the form is the control above).
  bool SystemMenuFromForm = false;
};

struct PopupPlacement {
  // The corner the opening starts from: the top-left one, or the bottom (right) edge for an upward (leftward)
  // opening.
  int Left = 0;
  int Top = 0;
  bool OpensUpward = false;
  bool OpensLeftward = false;
};

// The window stays inside the work area: past the right edge a submenu goes left of its parent and a top window
// against the edge; past the bottom it opens upward above its button or point when there is room, else it is
// pushed up (beside its bar button). Never at 0 or left or above it.
PopupPlacement PlacePopup(const PopupPlacementInput& input);

// Pixels per frame across and down. Never 0, whatever the item height: every animation loop ends.
struct AnimationSteps {
  int HStep = 1;
  int VStep = 1;
};
AnimationSteps AnimationStepsFor(int width, int height, int itemHeight, bool doubleSpeed, TAnimation kind);

struct FrameBounds {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool operator==(const FrameBounds&) const = default;
};

// An opening from placement to full size: the frames in between and the full bounds at the end. The open sound
// plays on frame SoundFrame (the third), or after the full bounds when fewer frames show (SoundFrame -1).
struct OpenFrames {
  std::vector<FrameBounds> Frames;
  FrameBounds Final;
  int SoundFrame = -1;
};
OpenFrames OpenFrameSequence(const PopupPlacement& placement, int width, int height, TAnimation kind,
                             AnimationSteps steps);

// A closing from the window's bounds: sliding up (left) or folding until the closing side is 0, the edge it
// opened from staying where it is.
std::vector<FrameBounds> CloseFrameSequence(const FrameBounds& from, TAnimation kind, AnimationSteps steps,
                                            bool opensUpward, bool opensLeftward);

// The wait after each frame of an opening: what is left of timeoutMs. Time lost on slow frames is a debt made up
// by skipping waits until it is paid.
class FramePacer {
 public:
  explicit FramePacer(int timeoutMs) : FTimeout(timeoutMs) {}
  // Milliseconds to sleep after a frame that took frameMs.
  int SleepAfter(int frameMs);
  int Debt() const { return FDebt; }

 private:
  int FTimeout;
  int FDebt = 0;  // negative while behind
};

}  // namespace tbr::menus
