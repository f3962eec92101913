// Moving and sizing a tool window with the mouse: outlines, the docking test and the floating clamp.
#include "toolbars/core/drag_geometry.h"

#include "classlib/core/numbers.h"
#include "toolbars/core/tool_window_geometry.h"

namespace tbr {
namespace {

// How near a dock the cursor must come, across x and across y, at the grab point's far end.
constexpr int kDockReachX = 32;
constexpr int kDockReachY = 20;
// How much of a floating outline stays on the work area, beyond the frame.
constexpr int kReachableMargin = 4;

// part of length in the proportion grab : whole; without a whole (a bar one pixel long) there is no proportion.
int Proportion(int length, int grab, int whole) {
  return whole <= 0 ? 0 : cl::MulDiv(length, grab, whole);
}

}  // namespace

cl::TRect PlaceOutline(cl::TPoint cursor, cl::TPoint size, const DragGrab& grab) {
  const int left = cursor.X - Proportion(size.X - 1, grab.Point.X, grab.WidthLess1);
  const int top = cursor.Y - Proportion(size.Y - 1, grab.Point.Y, grab.HeightLess1);
  return cl::Bounds(left, top, size.X, size.Y);
}

bool DockTakesBar(const DockingTestRequest& r) {
  cl::TRect dock = r.DockRect;
  if (dock.Width() <= 0 || dock.Height() <= 0) {
    if (r.Vertical) {
      --dock.Left;
      ++dock.Right;
    } else {
      --dock.Top;
      ++dock.Bottom;
    }
  }
  const int reachX = Proportion(kDockReachX, r.Grab.Point.X, r.Grab.WidthLess1);
  const int reachY = Proportion(kDockReachY, r.Grab.Point.Y, r.Grab.HeightLess1);
  const cl::TPoint c = r.Cursor;
  if (c.X < dock.Left + reachX - kDockReachX || c.X > dock.Right + reachX - 1) return false;
  if (r.Vertical && (c.Y < dock.Top || c.Y >= dock.Bottom)) return false;
  if (c.Y < dock.Top + reachY - kDockReachY || c.Y > dock.Bottom + reachY - 1) return false;
  return Intersects(PlaceOutline(c, r.OutlineSize, r.Grab), dock);
}

cl::TRect KeepOutlineReachable(const cl::TRect& outline, const cl::TRect& workArea, cl::TPoint frame,
                               int smallCaptionHeight) {
  const cl::TRect inner =
      cl::Rect(workArea.Left + frame.X + kReachableMargin, workArea.Top + frame.Y + kReachableMargin,
               workArea.Right - frame.X - kReachableMargin, workArea.Bottom - frame.Y - kReachableMargin);
  int dx = 0;
  int dy = 0;
  if (outline.Bottom < inner.Top) dy = inner.Top - outline.Bottom;
  if (outline.Top > inner.Bottom) dy = inner.Bottom - outline.Top;
  if (outline.Right < inner.Left) dx = inner.Left - outline.Right;
  if (outline.Left > inner.Right) dx = inner.Right - outline.Left;
  const int highestTop = workArea.Top + kReachableMargin - frame.Y - smallCaptionHeight;
  if (outline.Top + dy < highestTop) dy = highestTop - outline.Top;
  return cl::Bounds(outline.Left + dx, outline.Top + dy, outline.Width(), outline.Height());
}

SizingEdges SizingEdgesOf(int hitCode) {
  SizingEdges edges;
  switch (hitCode) {
    case kHtLeft:
    case kHtTopLeft:
    case kHtBottomLeft:
      edges.LeftMoves = true;
      edges.Horizontal = true;
      break;
    case kHtRight:
    case kHtTopRight:
    case kHtBottomRight:
      edges.Horizontal = true;
      break;
    default:
      break;
  }
  edges.Vertical = hitCode >= kHtTop && hitCode <= kHtBottomRight;
  edges.TopMoves = hitCode == kHtTop || hitCode == kHtTopLeft || hitCode == kHtTopRight;
  return edges;
}

cl::TRect SizedRect(const cl::TRect& start, const SizingEdges& edges, cl::TPoint travel, cl::TPoint minimum) {
  cl::TRect r = start;
  if (edges.Horizontal) (edges.LeftMoves ? r.Left : r.Right) += travel.X;
  if (edges.Vertical) (edges.TopMoves ? r.Top : r.Bottom) += travel.Y;
  if (r.Width() < minimum.X) {
    if (edges.LeftMoves) {
      r.Left = r.Right - minimum.X;
    } else {
      r.Right = r.Left + minimum.X;
    }
  }
  if (r.Height() < minimum.Y) {
    if (edges.TopMoves) {
      r.Top = r.Bottom - minimum.Y;
    } else {
      r.Bottom = r.Top + minimum.Y;
    }
  }
  return r;
}

}  // namespace tbr
