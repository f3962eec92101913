// TDock: a strip along one edge of a form that holds tool windows in rows. It decides which bar goes in which row
// and where along it, how thick each row is and how thick the dock itself becomes; it can tile a background
// bitmap behind itself and its bars, and draw one-pixel bound lines on any of its sides.
#pragma once

#include <vector>

#include "classlib/win/custom_controls.h"
#include "toolbars/core/dock_layout.h"

namespace cl {
class TBitmap;
}

namespace tbr {

class TCustomToolWindow;

enum TDockBoundLine { blTop, blBottom, blLeft, blRight };
using TDockBoundLines = cl::Set<TDockBoundLine>;

using TInsertRemoveEvent = cl::Event<void(cl::TObject* Sender, bool Inserting, TCustomToolWindow* Bar)>;
using TRequestDockEvent = cl::Event<void(cl::TObject* Sender, TCustomToolWindow* Bar, bool& Accept)>;

class TDock : public cl::TCustomControl {
  CL_CLASS(TDock, cl::TCustomControl)
 public:
  explicit TDock(cl::TComponent* owner);
  void BeforeDestruction() override;

  // Whether bars on this dock can be dragged (they show a grip).
  bool AllowDrag() const { return FAllowDrag; }
  void SetAllowDrag(bool allowDrag);
  // Tiled behind the dock (and its bars with BackgroundOnToolbars); the setter copies.
  cl::TBitmap* Background() const { return FBackground; }
  void SetBackground(const cl::TBitmap* background);
  bool BackgroundOnToolbars() const { return FBackgroundOnToolbars; }
  void SetBackgroundOnToolbars(bool onToolbars);
  // The background's pixels of its bottom-left colour show the dock's Color.
  bool BackgroundTransparent() const { return FBackgroundTransparent; }
  void SetBackgroundTransparent(bool transparent);
  TDockBoundLines BoundLines() const { return FBoundLines; }
  void SetBoundLines(TDockBoundLines lines);
  // An empty dock keeps one pixel instead of none.
  bool FixAlign() const { return FFixAlign; }
  void SetFixAlign(bool fixAlign);
  // Read by the next layout.
  bool LimitToOneRow() const { return FLimitToOneRow; }
  void SetLimitToOneRow(bool limit) { FLimitToOneRow = limit; }
  // The edge; setting any value raises EInvalidOperation once the dock holds controls.
  TDockPosition Position() const { return FPosition; }
  void SetPosition(TDockPosition position);
  TDockOrientation Orientation() const { return OrientationOfPosition(FPosition); }

  const TInsertRemoveEvent& OnInsertRemoveBar() const { return FOnInsertRemoveBar; }
  void SetOnInsertRemoveBar(const TInsertRemoveEvent& e) { FOnInsertRemoveBar = e; }
  // Asked by a bar dragged over the dock whether it may dock here.
  const TRequestDockEvent& OnRequestDock() const { return FOnRequestDock; }
  void SetOnRequestDock(const TRequestDockEvent& e) { FOnRequestDock = e; }

  // A tool window or another dock as parent raises EInvalidOperation.
  void SetParent(cl::TWinControl* parent) override;

  // Lays the bars out in rows and gives the dock the thickness they need. Put off while the layout is locked or
  // the dock loads; a layout asked for while one runs follows it.
  void LayoutBars();
  void LockLayout() { ++FLayoutLock; }
  // Lays out when the last lock goes and a layout was asked for meanwhile.
  void UnlockLayout();
  // Takes a bar into the layout (when visible) or out of it; on a change the dock lays out, the bar fits itself
  // and OnInsertRemoveBar fires.
  void UpdateBarList(bool insert, TCustomToolWindow* bar, bool barVisible);
  // The bars taking part in the layout, in layout order.
  const std::vector<TCustomToolWindow*>& DockList() const { return FDockList; }
  int RowCount() const { return static_cast<int>(FRowSizes.size()); }

  // The size of row after the last layout; for a row not laid out yet, bar's thickness (or 0 without a bar).
  int RowThickness(int row, TCustomToolWindow* bar);
  int RowAtOffset(int pos) const { return tbr::RowAtOffset(FRowSizes, pos); }
  DropRow RowForDrop(int pos) const { return tbr::RowForDrop(FRowSizes, pos); }
  // Every bar in row or below it moves one row on.
  void OpenRowAt(int row);
  int BarsInRow(int row, TCustomToolWindow* except) const;

  // Tiles the background over drawRect (its top-left is where the tiles start) inside clip, leaving exclude (when
  // given) untouched. The dock and its bars all start at the top-left of the dock's parent's client area, so the
  // pattern runs on across them.
  void TileBackground(HDC dc, const cl::TRect& clip, const cl::TRect* exclude, const cl::TRect& drawRect);
  bool HasBackground() const;
  // The top-left of the dock's parent's client area in the client coordinates of control.
  cl::TPoint TilingOrigin(cl::TWinControl* control);

  // The background's palette, which the form realizes for the dock and its bars.
  HPALETTE GetPalette() override;
  void Dispatch(cl::TMessage& message) override;

 protected:
  void CreateParams(cl::TCreateParams& params) override;
  void Loaded() override;
  void AlignControls(cl::TControl* control, cl::TRect& rect) override;
  void ControlBoundsChanged(cl::TControl* control) override;
  void Paint() override;

 private:
  void ArrangeBars();
  // Gives the dock the outer thickness across its edge, keeping the edge it is aligned to.
  void SetThickness(int thickness);
  int BoundLineThickness() const;
  void BackgroundChanged();
  void DropBackgroundCache();
  // Repaints the dock and every bar on it (their frames too).
  void RepaintWithBars();
  void NonClientCalcSize(cl::TMessage& message);
  void NonClientPaint(cl::TMessage& message);

  bool FAllowDrag = true;
  cl::TBitmap* FBackground;
  cl::TBitmap* FBackgroundCache = nullptr;
  bool FBackgroundOnToolbars = true;
  bool FBackgroundTransparent = false;
  TDockBoundLines FBoundLines;
  bool FFixAlign = false;
  bool FLimitToOneRow = false;
  TDockPosition FPosition = dpTop;
  std::vector<TCustomToolWindow*> FDockList;
  std::vector<int> FRowSizes;
  int FLayoutLock = 0;
  bool FLayoutNeeded = false;
  bool FPlacingBars = false;  // the layout is setting the bars' bounds itself
  TInsertRemoveEvent FOnInsertRemoveBar;
  TRequestDockEvent FOnRequestDock;
};

}  // namespace tbr
