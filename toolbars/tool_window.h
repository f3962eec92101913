// TCustomToolWindow: a window that lives docked on a TDock or floating above its form as a small captioned popup
// with a close button. Every change between the two is a change of parent: a dock, or a form (which means
// floating on a hidden TFloatingWindowParent of that form). Descendants (the toolbar) lay out their children for a
// given dock orientation; this class keeps the place on the dock, the floating position, visibility and
// activation of floating bars, and draws and hit-tests its own frame.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "classlib/win/forms.h"
#include "toolbars/core/dock_layout.h"
#include "toolbars/core/tool_window_geometry.h"
#include "toolbars/toolbar_common.h"

namespace tbr {

class TDock;

using TDockableTo = cl::Set<TDockPosition>;

// How a caller that keeps bars' places reads and writes a named integer value of a bar (by the bar's name); the
// reader gives the default when it has no value.
using TPositionReadIntProc =
    std::function<int(const std::string& barName, const std::string& valueName, int defaultValue)>;
using TPositionWriteIntProc = std::function<void(const std::string& barName, const std::string& valueName, int value)>;

// The hidden, borderless 0 x 0 form at the screen's origin that carries a floating bar for BarForm. It is shown
// and hidden without ever being activated.
class TFloatingWindowParent : public cl::TForm {
  CL_CLASS(TFloatingWindowParent, cl::TForm)
 public:
  explicit TFloatingWindowParent(cl::TComponent* owner) : cl::TForm(owner) {}
  cl::TForm* BarForm() const { return FBarForm; }
  void SetBarForm(cl::TForm* form) { FBarForm = form; }
  void Dispatch(cl::TMessage& message) override;

 private:
  cl::TForm* FBarForm = nullptr;
};

// Shared metrics of tool window frames.
int SmallCaptionHeight();
// The frame of a floating bar: the sizing frame, or the dialog frame without SizableFrame.
cl::TPoint FloatingFrameSize(bool sizableFrame);
cl::TRect WorkArea();

class TCustomToolWindow : public cl::TCustomControl {
  CL_CLASS(TCustomToolWindow, cl::TCustomControl)
 public:
  explicit TCustomToolWindow(cl::TComponent* owner);
  // Takes the descendant's behaviour switches.
  void AfterConstruction() override;
  // The bar leaves the floating bars and its dock first, then its window goes, then its floating parent and its
  // hook registration.
  void BeforeDestruction() override;

  // Floating: clicking the bar activates its form.
  bool ActivateParent() const { return FActivateParent; }
  void SetActivateParent(bool activate) { FActivateParent = activate; }
  bool CloseButton() const { return FCloseButton; }
  void SetCloseButton(bool closeButton);
  // Where a double click on the floating bar docks it.
  TDock* DefaultDock() const { return FDefaultDock; }
  void SetDefaultDock(TDock* dock);
  TDockableTo DockableTo() const { return FDockableTo; }
  void SetDockableTo(TDockableTo dockableTo) { FDockableTo = dockableTo; }
  // The dock the bar sits on, or null while floating. Setting null floats the bar on its form; EInvalidOperation
  // "Control '%s' has no parent window" when it has none.
  TDock* DockedTo() const { return FDockedTo; }
  void SetDockedTo(TDock* dock);
  bool IsDocked() const { return FDockedTo != nullptr; }
  // The offset along the dock (-1: not placed yet) and the row; a docked bar's dock lays out again.
  int DockPos() const { return FDockPos; }
  void SetDockPos(int pos);
  int DockRow() const { return FDockRow; }
  void SetDockRow(int row);
  bool DragHandle() const { return FDragHandle; }
  void SetDragHandle(bool dragHandle);
  // Docked, the bar takes a row of its own and its whole length.
  bool FullSize() const { return FFullSize; }
  void SetFullSize(bool fullSize);
  // A floating bar hides while the program is not active.
  bool HideWhenInactive() const { return FHideWhenInactive; }
  void SetHideWhenInactive(bool hide);
  bool SizableFrame() const { return FSizableFrame; }
  // The screen position of the floating bar's window. A bar that never floated floats where it stands.
  cl::TPoint FloatPos() const { return FFloatPos; }
  void SetFloatPos(cl::TPoint pos) {
    FFloatPos = pos;
    FFloatPosSet = true;
  }
  // The form the bar belongs to: the one holding it, or the form of its floating parent.
  cl::TForm* BarForm() const;
  // Other forms whose docks the bar may be dragged onto, offered after its own form's in the screen's order of
  // forms; a form leaves the list when it is freed.
  const std::vector<cl::TForm*>& ExtraDockForms() const { return FExtraDockForms; }
  void AddExtraDockForm(cl::TForm* form);
  void RemoveExtraDockForm(cl::TForm* form);
  // Reads and writes the values of the bar's place that the bar keeps itself (none here; a toolbar keeps its
  // floating wrap width), through routines of a caller that stores them.
  virtual void LoadPositionValues(const TPositionReadIntProc& read) {}
  virtual void SavePositionValues(const TPositionWriteIntProc& write) {}
  // The floating caption shows the inactive colours.
  bool InactiveCaption() const { return FInactiveCaption; }

  const cl::TNotifyEvent& OnClose() const { return FOnClose; }
  void SetOnClose(const cl::TNotifyEvent& e) { FOnClose = e; }
  const cl::TNotifyEvent& OnDockChanged() const { return FOnDockChanged; }
  void SetOnDockChanged(const cl::TNotifyEvent& e) { FOnDockChanged = e; }
  const cl::TNotifyEvent& OnDockChanging() const { return FOnDockChanging; }
  void SetOnDockChanging(const cl::TNotifyEvent& e) { FOnDockChanging = e; }
  const cl::TNotifyEvent& OnMove() const { return FOnMove; }
  void SetOnMove(const cl::TNotifyEvent& e) { FOnMove = e; }
  const cl::TNotifyEvent& OnRecreated() const { return FOnRecreated; }
  void SetOnRecreated(const cl::TNotifyEvent& e) { FOnRecreated = e; }
  const cl::TNotifyEvent& OnRecreating() const { return FOnRecreating; }
  void SetOnRecreating(const cl::TNotifyEvent& e) { FOnRecreating = e; }
  const cl::TNotifyEvent& OnVisibleChanged() const { return FOnVisibleChanged; }
  void SetOnVisibleChanged(const cl::TNotifyEvent& e) { FOnVisibleChanged = e; }

  // A dock docks the bar, a form floats it on that form, null takes it off both. Any other parent raises
  // EInvalidOperation "A tool window can only be placed on a TDock or directly on the form".
  void SetParent(cl::TWinControl* parent) override;
  void SetBounds(int left, int top, int width, int height) override;
  // Sizes the bar to its content for where it is: docked, at least its row's thickness (and, FullSize, the dock's
  // length); floating, as its layout asks.
  void FitToContent();
  // Moves a floating bar back onto the work area (with onlyIfFullyOffscreen only when none of it is there).
  void KeepOnScreen(bool onlyIfFullyOffscreen);
  // The non-client margins for where the bar is now.
  FrameMargins NonClientMargins() const;
  // Repaints a docked bar's frame later, from the bar's own queue; requests in between are merged.
  void RequestFrameRepaint();

  // Docked on a dock with a background: the background's palette. When another window changed the colours, a bar
  // with a palette repaints its frame and its client area.
  HPALETTE GetPalette() override;
  bool PaletteChanged(bool foreground) override;

  void Dispatch(cl::TMessage& message) override;

 protected:
  // The bar's thickness across a dock of that orientation, in client pixels.
  virtual int BarThickness(TDockOrientation orientation) = 0;
  // The smallest floating client size while sizing.
  virtual void MinClientSize(int& width, int& height) = 0;
  // Lays the children out for dockingTo (null: floating) and returns the client size that needs; with
  // canMoveControls false only the size is worked out.
  virtual cl::TPoint LayoutChildren(bool canMoveControls, TDockOrientation previousOrientation, TDock* dockingTo) = 0;
  // Before the size changes from outside.
  virtual void BeforeResize(int newWidth, int newHeight) {}
  // Whether a press on this child drags the bar.
  virtual bool ChildPassesDrag(cl::TControl* control) { return false; }
  // Aligning children with the library's alignment, eight-way sizing of a floating bar, the cursor kept on the
  // work area while sizing.
  virtual void BehaviourSwitches(bool& alignChildren, bool& eightWaySizing, bool& clipCursorWhileSizing);
  virtual void AfterLoad() {}
  // Called by the sizing loop of a floating bar: at its start, at its end, and on each move, where the bar may
  // change the new outline.
  virtual void SizeLoopStart(int hitCode) {}
  virtual void SizeLoopEnd(bool accepted) {}
  virtual void SizeLoopTrack(cl::TRect& newRect, const cl::TRect& startRect) {}

  void CreateParams(cl::TCreateParams& params) override;
  void Loaded() override;
  void AlignControls(cl::TControl* control, cl::TRect& rect) override;
  void Notification(cl::TComponent* component, cl::TOperation operation) override;
  void MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
  void Paint() override;

  // While locked the bar does not fit itself to its content; it does when the last lock goes.
  void LockArrange() { ++FArrangeLock; }
  void UnlockArrange();

  // Descendants without a sizing frame clear this in their constructor.
  bool FSizableFrame = true;

 private:
  friend class TDock;
  friend void ToolWindowHook(THookEventKind kind, HWND wnd, WPARAM wParam, LPARAM lParam);

  // Whether the bar's own settings put it on the loading side (its form is still being built).
  bool Loading() const;
  bool Destroying() const { return ComponentState().Contains(cl::csDestroying); }
  // On its floating parent (neither docked nor without a parent).
  bool Floating() const { return FFloatParent && Parent() == FFloatParent; }
  TDockOrientation Orientation() const;
  // The MDI frame of the bar's form when that is an MDI child, else the form.
  cl::TForm* FrameForm() const;
  void SetDockedToFromParent();
  void UpdateFloatingList();
  void SetBoundsInternal(const cl::TRect& bounds);
  void DoMove();

  // Visibility and activation of a floating bar (tool_window.cpp).
  bool WantsVisible() const;
  void RefreshVisibility();
  void ShowingChanged();
  void ActivateOtherWindow();
  void MouseActivate(cl::TMessage& message);
  void Activate(cl::TMessage& message);

  // The frame (tool_window_frame.cpp).
  void NonClientCalcSize(cl::TMessage& message);
  // Paints the frame inside WM_NCPAINT's update region (1: the whole window).
  void NonClientPaint(WPARAM updateRegion);
  void PaintFloatingFrame(HDC dc, bool drawBorder, bool drawCaption, bool drawButton);
  void PaintDockedFrame(HDC dc);
  void PaintCaption(HDC dc, const cl::TRect& caption);
  // withRing: the caption is painted in the same pass, and the button's outer ring takes its colour.
  void PaintCloseButton(HDC dc, bool withRing);
  // Redraws the floating caption (and the close button).
  void RedrawCaption();
  int HitTest(cl::TMessage& message);
  void NonClientButtonDown(cl::TMessage& message);
  void CloseButtonLoop();

  // Moving and sizing with the mouse (tool_window_drag.cpp).
  // The docks of the bar's form that may take it, in the order they are offered.
  std::vector<cl::Weak<TDock>> CandidateDocks();
  // Drags the bar pressed at client point (x, y) until the button goes up, then docks or floats it there.
  void BeginMoving(int x, int y);
  // Docks the bar on target where outline lies (in screen coordinates), or floats it there without a target.
  void FinishMoving(TDock* target, const cl::TRect& outline);
  // Sizes a floating bar from the border of hitCode; true with the new window rectangle when accepted.
  bool SizeLoop(int hitCode, cl::TRect& result);
  FloatingFrame Frame() const;

  bool FAlignChildren = true;
  bool FEightWaySizing = true;
  bool FClipCursorWhileSizing = true;
  bool FActivateParent = true;
  bool FCloseButton = true;
  TDock* FDefaultDock = nullptr;
  TDockableTo FDockableTo = {dpTop, dpBottom, dpLeft, dpRight};
  TDock* FDockedTo = nullptr;
  int FDockPos = -1;
  int FDockRow = 0;
  bool FDragHandle = true;
  bool FFullSize = false;
  bool FHideWhenInactive = true;
  cl::TPoint FFloatPos;
  bool FFloatPosSet = false;
  TDockOrientation FLastOrientation = doNone;
  bool FLastOrientationValid = false;
  bool FInactiveCaption = false;
  bool FCloseButtonDown = false;
  int FInternalBounds = 0;
  int FArrangeLock = 0;
  bool FArrangeNeeded = false;
  int FHiddenWhileChanging = 0;
  int FMoveSuppressed = 0;
  TFloatingWindowParent* FFloatParent = nullptr;
  std::vector<cl::TForm*> FExtraDockForms;
  cl::TNotifyEvent FOnClose;
  cl::TNotifyEvent FOnDockChanged;
  cl::TNotifyEvent FOnDockChanging;
  cl::TNotifyEvent FOnMove;
  cl::TNotifyEvent FOnRecreated;
  cl::TNotifyEvent FOnRecreating;
  cl::TNotifyEvent FOnVisibleChanged;
};

// The private message that repaints a docked bar's frame later.
constexpr UINT WM_TOOLWINDOW_FRAMEREPAINT = 0x17AF;

}  // namespace tbr
