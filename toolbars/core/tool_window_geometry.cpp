// The geometry of a tool window's frame.
#include "toolbars/core/tool_window_geometry.h"

#include <algorithm>

namespace tbr {
namespace {

constexpr char kEllipsis[] = "...";
// A cut caption keeps at least one character before the ellipsis.
constexpr size_t kShortestCutCaption = 4;

// The sizing code of a point of a sizable floating frame, or 0 inside it.
int SizingHitCode(const HitTestRequest& r) {
  const int x = r.Point.X;
  const int y = r.Point.Y;
  const int fx = r.Frame.FrameX;
  const int fy = r.Frame.FrameY;
  const bool left = x < fx;
  const bool right = x >= r.WindowWidth - fx - 1;
  const bool top = y < fy;
  const bool bottom = y >= r.WindowHeight - fy - 1;
  if (!r.EightWaySizing) {
    if (top) return kHtTop;
    if (bottom) return kHtBottom;
    if (left) return kHtLeft;
    if (right) return kHtRight;
    return 0;
  }
  // Along an edge, the first and last stretch of this length make a corner.
  const int corner = r.Frame.SmallCaptionHeight + fx - 1;
  const bool nearTop = y < corner;
  const bool nearBottom = y >= r.WindowHeight - corner;
  const bool nearLeft = x < corner;
  const bool nearRight = x >= r.WindowWidth - corner;
  if (left) return nearTop ? kHtTopLeft : nearBottom ? kHtBottomLeft : kHtLeft;
  if (right) return nearTop ? kHtTopRight : nearBottom ? kHtBottomRight : kHtRight;
  if (top) return nearLeft ? kHtTopLeft : nearRight ? kHtTopRight : kHtTop;
  if (bottom) return nearLeft ? kHtBottomLeft : nearRight ? kHtBottomRight : kHtBottom;
  return 0;
}

bool Contains(const cl::TRect& r, cl::TPoint p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

}  // namespace

bool Intersects(const cl::TRect& a, const cl::TRect& b) {
  return std::max(a.Left, b.Left) < std::min(a.Right, b.Right) && std::max(a.Top, b.Top) < std::min(a.Bottom, b.Bottom);
}

FrameMargins DockedMargins(TDockOrientation orientation, bool withGrip) {
  FrameMargins margins{kDockedBorder, kDockedBorder, kDockedBorder, kDockedBorder};
  if (withGrip && orientation == doVertical) margins.Top += kDragGripSize;
  if (withGrip && orientation != doVertical) margins.Left += kDragGripSize;
  return margins;
}

FrameMargins FloatingMargins(int frameX, int frameY, int smallCaptionHeight) {
  return FrameMargins{frameX, frameY + smallCaptionHeight, frameX, frameY};
}

cl::TRect CaptionRect(const FloatingFrame& frame, bool withoutCloseButton) {
  cl::TRect r = cl::Rect(frame.FrameX, frame.FrameY, frame.FrameX + frame.ClientWidth,
                         frame.FrameY + frame.SmallCaptionHeight - 1);
  if (withoutCloseButton) r.Right -= frame.SmallCaptionHeight - 1;
  return r;
}

cl::TRect CloseButtonRect(const FloatingFrame& frame) {
  cl::TRect r = CaptionRect(frame, false);
  r.Left = r.Right - frame.SmallCaptionHeight + 1;
  return r;
}

int ToolWindowHitTest(const HitTestRequest& r) {
  if (r.Docked) return r.Inherited == kHtNowhere ? kHtClient : r.Inherited;
  if (r.Inherited == kHtClient) return kHtClient;
  if (Contains(CaptionRect(r.Frame, false), r.Point)) {
    return r.CloseButton && Contains(CloseButtonRect(r.Frame), r.Point) ? kHtClose : kHtClient;
  }
  int result = IsSizingHitCode(r.Inherited) ? kHtNowhere : r.Inherited;
  if (r.SizableFrame) {
    if (const int code = SizingHitCode(r)) result = code;
  }
  return result;
}

std::string FitCaption(const std::string& caption, int width, const std::function<int(const std::string&)>& measure) {
  if (measure(caption) <= width) return caption;
  std::string cut = caption + kEllipsis;
  const size_t ellipsis = sizeof(kEllipsis) - 1;
  while (cut.size() > kShortestCutCaption && measure(cut) > width) cut.erase(cut.size() - ellipsis - 1, 1);
  return cut;
}

cl::TRect KeepRectOnScreen(const cl::TRect& bounds, const cl::TRect& workArea, bool onlyIfFullyOffscreen) {
  if (onlyIfFullyOffscreen && Intersects(bounds, workArea)) return bounds;
  int dx = 0;
  int dy = 0;
  if (bounds.Right > workArea.Right) dx = workArea.Right - bounds.Right;
  if (bounds.Bottom > workArea.Bottom) dy = workArea.Bottom - bounds.Bottom;
  if (bounds.Left + dx < workArea.Left) dx = workArea.Left - bounds.Left;
  if (bounds.Top + dy < workArea.Top) dy = workArea.Top - bounds.Top;
  return cl::Bounds(bounds.Left + dx, bounds.Top + dy, bounds.Width(), bounds.Height());
}

}  // namespace tbr
