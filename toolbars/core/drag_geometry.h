// The arithmetic of moving and sizing a tool window with the mouse: where the outline of a dragged bar lies for
// the cursor (keeping the grab point's proportion), whether a dock takes the bar at a cursor position, how a
// floating outline is kept reachable, and the rectangle of a floating bar whose edges follow the cursor. All in
// screen pixels.
#pragma once

#include "classlib/core/types.h"

namespace tbr {

// Where the bar was grabbed: the point relative to its window's top-left and the window's size less one in each
// direction (the grab point's proportion is kept for outlines of other sizes).
struct DragGrab {
  cl::TPoint Point;
  int WidthLess1 = 0;
  int HeightLess1 = 0;
};

// The outline of size placed so that the grab point keeps its proportion under the cursor. A bar one pixel wide or
// high has no proportion to keep on that axis: the outline starts at the cursor there.
cl::TRect PlaceOutline(cl::TPoint cursor, cl::TPoint size, const DragGrab& grab);

struct DockingTestRequest {
  cl::TPoint Cursor;
  cl::TRect DockRect;  // the dock's client area on the screen
  bool Vertical = false;
  cl::TPoint OutlineSize;  // the bar's outer size on this dock
  DragGrab Grab;
};
// Whether the dock takes the bar: the cursor must be near the dock (a band reaching up to 32 pixels before it
// across x and 20 across y, in the grab point's proportion; on a vertical dock the cursor must be inside its
// height), and the outline the bar would have there must meet the dock. A dock empty in one direction counts one
// pixel wider on each side across it, so that an empty dock still draws bars dragged over its edge.
bool DockTakesBar(const DockingTestRequest& request);

// A floating outline moved back until part of it stays on the work area (shrunk by the frame and 4 pixels), and
// its caption no higher than 4 pixels less frame and caption above the work area's top.
cl::TRect KeepOutlineReachable(const cl::TRect& outline, const cl::TRect& workArea, cl::TPoint frame,
                               int smallCaptionHeight);

// The edges of a floating bar that follow the cursor for a sizing hit code.
struct SizingEdges {
  bool Horizontal = false;  // the left or right edge moves
  bool LeftMoves = false;
  bool Vertical = false;  // the top or bottom edge moves
  bool TopMoves = false;
};
SizingEdges SizingEdgesOf(int hitCode);

// The start rectangle with its moving edges shifted by the cursor's travel; a side shorter than the minimum is
// put back to it by its moving edge.
cl::TRect SizedRect(const cl::TRect& start, const SizingEdges& edges, cl::TPoint travel, cl::TPoint minimum);

}  // namespace tbr
