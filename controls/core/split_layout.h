// The geometry of a split control: where its bars lie and how far they may move, the panes between them, which bar
// the mouse is over, and the drag of one bar (or of two at once) with its limits.
#pragma once

#include <cstdint>
#include <vector>

#include "classlib/core/cursors.h"
#include "classlib/core/types.h"
#include "controls/core/draw_placement.h"

namespace ctl {

// sdVertical: an upright bar that moves left and right; sdHorizontal: a lying bar that moves up and down.
enum TCtlSplitDirection { sdHorizontal, sdVertical };
// Where the second bar of a three-pane control lies: ossOdd left of (or above) the main bar, ossEven right of (or
// below) it.
enum TCtlSplitterPlace { ossEven, ossOdd };

// Hit-test and drag indexes: no bar, and both bars at once.
constexpr int kNoSplitter = -1;
constexpr int kBothSplitters = 11;

// One bar: its settings (which the layout may clamp) and the rectangles the layout computes.
struct TSplitterGeometry {
  int32_t Min = 0;
  int32_t Max = 0;  // the least distance between the bar's far edge and the control's far edge
  int32_t Position = 50;
  int32_t Width = 3;
  TCtlSplitDirection Direction = sdVertical;
  cl::TRect Bar;
  cl::TRect Limit;  // how far the bar may move along its axis
};

// The main bar across the whole control of width x height: Max, Min and Position pulled inside the control, then
// the bar and its limits.
void CalcMainSplitter(TSplitterGeometry& main, int32_t width, int32_t height);
// The second bar of a three-pane control, across the part of the control place gives it beside the main bar.
void CalcSecondSplitter(TSplitterGeometry& second, const TSplitterGeometry& main, TCtlSplitterPlace place,
                        int32_t width, int32_t height);
// The pane rectangles in pane order: two panes around the main bar, or three around both bars.
std::vector<cl::TRect> CalcPaneRects(const TSplitterGeometry& main, const TSplitterGeometry* second,
                                     TCtlSplitterPlace place, int32_t width, int32_t height);
// Where a pane's window goes inside its rectangle, leaving room for the frame of the border style.
cl::TRect PaneWindowRect(const cl::TRect& pane, TCtlBorderStyle style);

// The bar at a point: its index, kBothSplitters where two bars overlap (only in a four-pane control; otherwise
// the main bar wins), or kNoSplitter. Bars are grown by the border width on every side.
int SplitterHitTest(const std::vector<const TSplitterGeometry*>& splitters, int32_t borderWidth, int paneCount,
                    cl::TPoint point);
// The cursor over a hit: crCross over both bars, crHSplit over an upright bar, crVSplit over a lying one;
// crDefault for no bar.
cl::TCursor SplitterCursor(int hit, const std::vector<const TSplitterGeometry*>& splitters);
// True for the cursors SplitterCursor gives over a bar.
bool IsSplitterCursor(cl::TCursor cursor);
// The area the drag bar inverts for a bar, in the control's coordinates.
cl::TRect DragBarRect(const TSplitterGeometry& splitter, int32_t borderWidth);

// The drag of one bar (or both): the bars move with the mouse inside their limits, and the positions they end at
// are taken only when the drag ends.
class TSplitDrag {
 public:
  bool Active() const { return FIndex != kNoSplitter; }
  int Index() const { return FIndex; }
  // The dragged bars' indexes, the main bar first.
  std::vector<int> Dragged() const;
  // The bars as dragged so far (the splitters' own bars are not touched).
  const std::vector<TSplitterGeometry>& Bars() const { return FBars; }

  // Starts dragging bar index (or kBothSplitters) of splitters at point.
  void Begin(int index, const std::vector<const TSplitterGeometry*>& splitters, cl::TPoint point);
  // Moves the dragged bars with the mouse: each bar's coordinate along its axis is clamped into its limits and
  // carried on to the next bar; the clamped point becomes the one the next move is measured from.
  void Move(cl::TPoint point);
  // The position each dragged bar ends at, in Dragged() order; ends the drag.
  std::vector<int32_t> End();
  // Ends the drag without taking anything.
  void Cancel();

 private:
  int FIndex = kNoSplitter;
  cl::TPoint FLast;
  std::vector<int> FDragged;
  std::vector<TSplitterGeometry> FBars;
};

}  // namespace ctl
