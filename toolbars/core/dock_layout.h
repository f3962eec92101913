// The row layout of a dock: which bar goes in which row, at which offset along it, how thick each row is and how
// thick the dock becomes; the row lookups a drag and the designer-free bar moves use; and where tiling of a
// background bitmap starts. All in dock client pixels, "along" the dock and "across" it.
#pragma once

#include <vector>

#include "classlib/core/types.h"

namespace tbr {

enum TDockPosition { dpTop, dpBottom, dpLeft, dpRight };

// The orientation of a dock (none for a floating bar).
enum TDockOrientation { doNone, doHorizontal, doVertical };

constexpr TDockOrientation OrientationOfPosition(TDockPosition position) {
  return position == dpTop || position == dpBottom ? doHorizontal : doVertical;
}

// Rows are at least this thick, and each takes this much more for the frame of its bars.
constexpr int kMinRowSize = 8;
constexpr int kRowGap = 4;
// A drop this close to the border between two rows opens a new row there.
constexpr int kDropSeam = 5;

// One bar as the layout sees it: its place and its extent for this dock's orientation.
struct DockedBar {
  int Id = 0;  // the caller's handle on the bar; the layout never reads it
  int Row = 0;
  int Pos = -1;
  bool FullSize = false;
  int Length = 0;     // along the dock (width on a horizontal dock)
  int Thickness = 0;  // across the dock (the bar's thickness for this orientation)
};

struct DockLayout {
  std::vector<DockedBar> Bars;    // in the new list order, Row and Pos updated
  std::vector<cl::TRect> Bounds;  // the bounds of each of Bars in dock client coordinates
  std::vector<int> RowSizes;      // one per row
  int ClientThickness = 0;        // the client thickness the dock needs: every row's size plus the gap
};

// Lays out the bars of a dock, given in the dock's list order, on a client of clientLength along the dock: sorts
// them by row and offset, packs rows (LimitToOneRow puts all in row 0), removes blank rows, gives FullSize bars a
// row of their own and the full length, keeps bars from overlapping and from running past the end where they can.
DockLayout LayoutDock(std::vector<DockedBar> bars, TDockOrientation orientation, int clientLength, bool limitToOneRow);

// The row whose band holds offset pos across the dock; past the last row, the next row; 0 for an empty dock.
int RowAtOffset(const std::vector<int>& rowSizes, int pos);

struct DropRow {
  int Row = 0;
  bool NewRow = false;  // open a new row at Row (the others move on) instead of joining it
};
// Where a bar dropped with its middle at offset pos across the dock goes: within kDropSeam pixels of the start of
// a row it opens a new row there, inside a row it joins it.
DropRow RowForDrop(const std::vector<int>& rowSizes, int pos);

// The first start at or before clip of tiles of size laid from origin on (the same phase as from origin itself),
// so that tiling a far-off or small area does not walk every tile from the origin.
int TileStart(int origin, int size, int clip);

}  // namespace tbr
