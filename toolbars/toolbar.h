// TCustomToolbar and TToolbar: the tool window whose children (buttons, separators, any other control) are laid
// out in a line along the dock and centred across it, and, while floating, wrapped into lines at a width the user
// picks by dragging the floating window's edge. TToolbarSep: the gap between groups of buttons, with an etched
// line, where a floating toolbar may break a line.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/win/custom_controls.h"
#include "toolbars/core/toolbar_layout.h"
#include "toolbars/tool_window.h"

namespace tbr {

class FloatingSizer;

class TCustomToolbar : public TCustomToolWindow {
  CL_CLASS(TCustomToolbar, TCustomToolWindow)
 public:
  explicit TCustomToolbar(cl::TComponent* owner);
  ~TCustomToolbar() override;

  // The children in layout order: new children go last.
  const std::vector<cl::TControl*>& ChildOrder() const { return FChildOrder; }
  // The wrap width of the floating layout in client pixels; 0 puts everything on one line. The bar fits itself.
  int FloatRightX() const { return FFloatRightX; }
  void SetFloatRightX(int width);
  // Where the floating layout broke lines at separators: the next line's y, kWrapLineBlank for blank separators.
  const std::vector<uint32_t>& WrapLines() const { return FWrapLines; }
  // The floating wrap width as the integer value "FloatRightX" of the bar (0 when the reader has none).
  void LoadPositionValues(const TPositionReadIntProc& read) override;
  void SavePositionValues(const TPositionWriteIntProc& write) override;

  void Dispatch(cl::TMessage& message) override;

 protected:
  int BarThickness(TDockOrientation orientation) override;
  void MinClientSize(int& width, int& height) override;
  cl::TPoint LayoutChildren(bool canMoveControls, TDockOrientation previousOrientation, TDock* dockingTo) override;
  bool ChildPassesDrag(cl::TControl* control) override;
  void BehaviourSwitches(bool& alignChildren, bool& eightWaySizing, bool& clipCursorWhileSizing) override;
  void AfterLoad() override;
  void SizeLoopStart(int hitCode) override;
  void SizeLoopEnd(bool accepted) override;
  void SizeLoopTrack(cl::TRect& newRect, const cl::TRect& startRect) override;
  void ControlBoundsChanged(cl::TControl* control) override;
  void Paint() override;
  // The sizes the bar may snap to while its border is dragged (null otherwise).
  const FloatingSizer* Sizer() const { return FSizer.get(); }
  // Whether ChildOrder is sorted by the children's positions after loading (so that children placed in order
  // keep it).
  virtual void ToolbarSwitches(bool& sortAfterLoading);

 private:
  friend class TToolbarSep;

  // The visible children in layout order, as the layout sees them, and the controls they stand for.
  std::vector<ToolbarChild> LayoutInput(TDockOrientation orientation, std::vector<cl::TControl*>* controls) const;

  std::vector<cl::TControl*> FChildOrder;
  int FFloatRightX = 0;
  std::vector<uint32_t> FWrapLines;
  std::unique_ptr<FloatingSizer> FSizer;
  int FPlacingChildren = 0;
};

class TToolbar : public TCustomToolbar {
  CL_CLASS(TToolbar, TCustomToolbar)
 public:
  explicit TToolbar(cl::TComponent* owner) : TCustomToolbar(owner) {}
};

class TToolbarSep : public cl::TGraphicControl {
  CL_CLASS(TToolbarSep, cl::TGraphicControl)
 public:
  explicit TToolbarSep(cl::TComponent* owner);

  // No line is drawn, only the gap is left.
  bool Blank() const { return FBlank; }
  void SetBlank(bool blank);
  // The gap's length on a horizontal line and on a vertical one (at least 1); the toolbar fits itself.
  int SizeHorz() const { return FSizeHorz; }
  void SetSizeHorz(int size);
  int SizeVert() const { return FSizeVert; }
  void SetSizeVert(int size);

  // Only a toolbar (or none) may hold a separator: another parent raises EInvalidOperation.
  void SetParent(cl::TWinControl* parent) override;

 protected:
  // A press on a separator drags its toolbar.
  void MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
  void Paint() override;

 private:
  void SizeChanged();

  bool FBlank = false;
  int FSizeHorz = kDefaultSeparatorSize;
  int FSizeVert = kDefaultSeparatorSize;
};

}  // namespace tbr
