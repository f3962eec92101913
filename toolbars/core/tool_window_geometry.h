// The geometry of a tool window's frame: the non-client margins docked and floating, the floating caption and its
// close button, the answers of hit-testing, the caption cut to its width, and keeping a floating bar on screen.
// Hit-test codes carry the system's values.
#pragma once

#include <functional>
#include <string>

#include "classlib/core/types.h"
#include "toolbars/core/dock_layout.h"

namespace tbr {

constexpr int kHtNowhere = 0;
constexpr int kHtClient = 1;
constexpr int kHtLeft = 10;
constexpr int kHtRight = 11;
constexpr int kHtTop = 12;
constexpr int kHtTopLeft = 13;
constexpr int kHtTopRight = 14;
constexpr int kHtBottom = 15;
constexpr int kHtBottomLeft = 16;
constexpr int kHtBottomRight = 17;
constexpr int kHtClose = 20;

constexpr bool IsSizingHitCode(int code) {
  return code >= kHtLeft && code <= kHtBottomRight;
}

// A docked bar's frame is this wide on every side, plus the drag grip on the leading side.
constexpr int kDockedBorder = 2;
constexpr int kDragGripSize = 9;

struct FrameMargins {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Horizontal() const { return Left + Right; }
  int Vertical() const { return Top + Bottom; }
  bool operator==(const FrameMargins&) const = default;
};

// Docked: 2 on every side, and the grip on the left of a horizontal dock or the top of a vertical one.
FrameMargins DockedMargins(TDockOrientation orientation, bool withGrip);
// Floating: the frame on the sides and the bottom, the frame and the small caption on top.
FrameMargins FloatingMargins(int frameX, int frameY, int smallCaptionHeight);

// The metrics of a floating frame, in window coordinates from the window's top-left.
struct FloatingFrame {
  int FrameX = 0;
  int FrameY = 0;
  int SmallCaptionHeight = 0;
  int ClientWidth = 0;
};
// The caption strip: to the end of the client width, or short of the close button.
cl::TRect CaptionRect(const FloatingFrame& frame, bool withoutCloseButton);
// The square at the caption's right end.
cl::TRect CloseButtonRect(const FloatingFrame& frame);

struct HitTestRequest {
  cl::TPoint Point;  // relative to the window's top-left
  int WindowWidth = 0;
  int WindowHeight = 0;
  int Inherited = kHtNowhere;  // what the system answered
  bool Docked = false;
  FloatingFrame Frame;  // floating bars: the frame (FrameX/FrameY are the sizing frame)
  bool CloseButton = false;
  bool SizableFrame = false;
  bool EightWaySizing = false;
};
// Docked: the border and grip answer HTCLIENT, so that a press there reaches the bar. Floating: the caption
// answers HTCLIENT (the bar drags itself) or HTCLOSE on the close button; the bar decides the sizing codes itself.
int ToolWindowHitTest(const HitTestRequest& request);

// The caption as it fits into width: unchanged when it fits, else "..." after as many characters as fit, never
// fewer than one (the string stays at least 4 characters long even when that does not fit).
std::string FitCaption(const std::string& caption, int width, const std::function<int(const std::string&)>& measure);

// Whether the two rectangles share a pixel.
bool Intersects(const cl::TRect& a, const cl::TRect& b);

// A floating bar moved back onto the work area: left until its right edge is inside, up until its bottom is, then
// right until its left is and down until its top is (so a bar larger than the work area ends at its top-left).
// With onlyIfFullyOffscreen a bar that still meets the work area stays where it is.
cl::TRect KeepRectOnScreen(const cl::TRect& bounds, const cl::TRect& workArea, bool onlyIfFullyOffscreen);

}  // namespace tbr
