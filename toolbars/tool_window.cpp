// TCustomToolWindow: the change between docked and floating, the floating parent, fitting the bar to its content,
// and keeping floating bars visible, owned and activated in step with their forms.
#include "toolbars/tool_window.h"

#include <algorithm>
#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/core/finally.h"
#include "classlib/core/format.h"
#include "classlib/win/application.h"
#include "classlib/win/screen.h"
#include "toolbars/dock.h"
#include "toolbars/window_frame.h"

namespace tbr {
namespace {

constexpr UINT kShowFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
// Where a double click docks a floating bar on its default dock: the first row, before every bar there.
constexpr int kDefaultDockRow = 0;
constexpr int kDefaultDockPos = -8;

// The bars floating now, for the hook callback; made on demand, freed when empty.
std::vector<TCustomToolWindow*>* floatingBars = nullptr;

void LeaveFloatingBars(TCustomToolWindow* bar) {
  if (!floatingBars) return;
  std::erase(*floatingBars, bar);
  if (floatingBars->empty()) {
    delete floatingBars;
    floatingBars = nullptr;
  }
}

void ShowWindowQuietly(HWND wnd, bool show) {
  SetWindowPos(wnd, nullptr, 0, 0, 0, 0, kShowFlags | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

// A window that shows: visible and not empty. Placed under one that does not (a floating parent has no size), a
// bar can end up beneath its form on Wine's display.
bool ShowsOnScreen(HWND wnd) {
  RECT r;
  return IsWindowVisible(wnd) && GetWindowRect(wnd, &r) && r.right > r.left && r.bottom > r.top;
}

HWND OwnerOf(HWND wnd) {
  return reinterpret_cast<HWND>(GetWindowLongPtrA(wnd, GWLP_HWNDPARENT));
}

// Owned by owner directly or through owners of owners.
bool IsOwnedBy(HWND wnd, HWND owner) {
  for (HWND w = GetWindow(wnd, GW_OWNER); w; w = GetWindow(w, GW_OWNER)) {
    if (w == owner) return true;
  }
  return false;
}

struct OtherWindowSearch {
  HWND Exclude;
  HWND First = nullptr;
  HWND FirstNotTopmost = nullptr;
};

BOOL CALLBACK FindOtherWindow(HWND wnd, LPARAM data) noexcept {
  auto* search = reinterpret_cast<OtherWindowSearch*>(data);
  const HWND application = cl::Application ? cl::Application->Handle() : nullptr;
  if (wnd == search->Exclude || wnd == application || !IsWindowVisible(wnd) || !IsWindowEnabled(wnd)) return TRUE;
  if (!search->First) search->First = wnd;
  if (!(GetWindowLongPtrA(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
    search->FirstNotTopmost = wnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

// Keeps floating bars in step with the windows around them: activation of the program shows or hides them, a
// form shown, hidden or reframed refreshes its bars, and a dying owner hands its bars back to their floating
// parents so that they are not destroyed with it.
void ToolWindowHook(THookEventKind kind, HWND wnd, WPARAM wParam, LPARAM lParam) {
  if (!floatingBars) return;
  if (kind == hkWindowPosChanged &&
      !(reinterpret_cast<const WINDOWPOS*>(lParam)->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED))) {
    return;
  }
  std::vector<cl::Weak<TCustomToolWindow>> bars(floatingBars->begin(), floatingBars->end());
  for (const cl::Weak<TCustomToolWindow>& weak : bars) {
    TCustomToolWindow* bar = weak.get();
    if (!bar || !floatingBars || std::find(floatingBars->begin(), floatingBars->end(), bar) == floatingBars->end()) {
      continue;
    }
    switch (kind) {
      case hkActivateApp:
        bar->RefreshVisibility();
        break;
      case hkWindowPosChanged: {
        cl::TForm* form = bar->BarForm();
        if (form && form->HandleAllocated() && (form->Handle() == wnd || IsChild(wnd, form->Handle()))) {
          bar->RefreshVisibility();
        }
        break;
      }
      case hkWindowDestroying:
        if (bar->HandleAllocated() && bar->FFloatParent && OwnerOf(bar->Handle()) == wnd) {
          SetWindowLongPtrA(bar->Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(bar->FFloatParent->Handle()));
        }
        break;
      case hkMouseMove:
        break;
    }
  }
}

int SmallCaptionHeight() {
  // The library always has new-style controls: the small caption of the system.
  return GetSystemMetrics(SM_CYSMCAPTION);
}

cl::TPoint FloatingFrameSize(bool sizableFrame) {
  if (sizableFrame) return cl::Point(GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME));
  return cl::Point(GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME));
}

cl::TRect WorkArea() {
  RECT r;
  if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0)) return cl::Rect(r.left, r.top, r.right, r.bottom);
  return cl::Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

void TFloatingWindowParent::Dispatch(cl::TMessage& message) {
  switch (message.Msg) {
    case cl::CM_VISIBLECHANGED:
    case cl::CM_SHOWINGCHANGED:
      // Shown and hidden without ever taking the activation.
      if (Visible()) HandleNeeded();
      if (HandleAllocated()) ShowWindowQuietly(Handle(), Visible());
      return;
    case cl::CM_DIALOGKEY:
      if (message.WParam == VK_ESCAPE && cl::KeyboardShiftState().Empty() && FBarForm && FBarForm->CanFocus()) {
        FBarForm->SetFocus();
        message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  inherited::Dispatch(message);
}

TCustomToolWindow::TCustomToolWindow(cl::TComponent* owner) : cl::TCustomControl(owner) {
  FControlStyle += {cl::csAcceptsControls, cl::csClickEvents, cl::csSetCaption, cl::csDoubleClicks};
  FControlStyle -= {cl::csCaptureMouse, cl::csOpaque};
  AddHookClient(ToolWindowHook, {hkActivateApp, hkWindowPosChanged, hkWindowDestroying}, false);
  SetColor(cl::clBtnFace);
}

void TCustomToolWindow::AfterConstruction() {
  BehaviourSwitches(FAlignChildren, FEightWaySizing, FClipCursorWhileSizing);
  inherited::AfterConstruction();
}

void TCustomToolWindow::BeforeDestruction() {
  // The hook callback must not find a bar whose window is going.
  LeaveFloatingBars(this);
  inherited::BeforeDestruction();
  FDockedTo = nullptr;
  cl::FreeAndNil(FFloatParent);
  RemoveHookClient(ToolWindowHook);
}

void TCustomToolWindow::BehaviourSwitches(bool& alignChildren, bool& eightWaySizing, bool& clipCursorWhileSizing) {
  alignChildren = true;
  eightWaySizing = true;
  clipCursorWhileSizing = true;
}

bool TCustomToolWindow::Loading() const {
  // A form built in code loads its components' settings: a bar of a loading form counts as loading too.
  if (ComponentState().Contains(cl::csLoading)) return true;
  return Owner() && Owner()->ComponentState().Contains(cl::csLoading);
}

TDockOrientation TCustomToolWindow::Orientation() const {
  return FDockedTo ? FDockedTo->Orientation() : doNone;
}

cl::TForm* TCustomToolWindow::BarForm() const {
  if (Floating()) return FFloatParent->BarForm();
  return cl::GetParentForm(this);
}

cl::TForm* TCustomToolWindow::FrameForm() const {
  cl::TForm* form = BarForm();
  if (!form || form->FormStyle() != cl::fsMDIChild || !form->HandleAllocated() || !cl::Screen) return form;
  for (int i = 0; i < cl::Screen->FormCount(); ++i) {
    cl::TForm* frame = cl::Screen->Forms(i);
    if (frame->FormStyle() == cl::fsMDIForm && frame->HandleAllocated() && IsChild(frame->Handle(), form->Handle())) {
      return frame;
    }
  }
  return form;
}

FrameMargins TCustomToolWindow::NonClientMargins() const {
  if (FDockedTo) return DockedMargins(FDockedTo->Orientation(), FDockedTo->AllowDrag() && FDragHandle);
  const cl::TPoint frame = FloatingFrameSize(FSizableFrame);
  return FloatingMargins(frame.X, frame.Y, SmallCaptionHeight());
}

void TCustomToolWindow::SetParent(cl::TWinControl* parent) {
  auto* dock = dynamic_cast<TDock*>(parent);
  auto* form = dynamic_cast<cl::TForm*>(parent);
  if (parent && !dock && !form) {
    throw cl::EInvalidOperation("A tool window can only be placed on a TDock or directly on the form");
  }
  // A floating parent stands for its form.
  if (auto* floating = dynamic_cast<TFloatingWindowParent*>(form)) {
    form = floating->BarForm();
    parent = form;
  }
  cl::DispatchScope scope(this);  // an event handler that frees the bar leaves it whole until this returns

  // A form as parent means floating on a hidden parent of that form, kept while the bar floats there.
  cl::TWinControl* realParent = parent;
  TFloatingWindowParent* madeParent = nullptr;
  cl::Finally dropUnused([&] { cl::Free(madeParent); });
  if (form) {
    if (FFloatParent && FFloatParent->BarForm() == form) {
      realParent = FFloatParent;
    } else {
      madeParent = cl::CreateNew<TFloatingWindowParent>(nullptr);
      madeParent->SetBarForm(form);
      madeParent->SetBorderStyle(cl::bsNone);
      madeParent->SetBounds(0, 0, 0, 0);
      madeParent->SetVisible(true);
      form->FreeNotification(this);
      realParent = madeParent;
    }
  }
  if (realParent == Parent()) {
    SetDockedToFromParent();
    UpdateFloatingList();
    return;
  }

  if (form && !FFloatPosSet) {
    // Never floated before: the bar floats where it stands now, or at its form's top-left.
    RECT r{form->Left(), form->Top(), 0, 0};
    if (HandleAllocated()) GetWindowRect(Handle(), &r);
    SetFloatPos(cl::Point(r.left, r.top));
  }
  const bool destroying = Destroying();
  if (!destroying) {
    if (parent && FOnDockChanging) FOnDockChanging(this);
    if (Parent() && FOnRecreating && !FreeStarted()) FOnRecreating(this);
    if (FreeStarted()) return;
  }
  {
    // Counts and locks go in reverse order, each release doing the work put off meanwhile.
    ++FHiddenWhileChanging;
    ++FMoveSuppressed;
    cl::Finally counts([&] {
      --FMoveSuppressed;
      --FHiddenWhileChanging;
    });
    RefreshVisibility();
    if (dock) dock->LockLayout();
    cl::Finally dockLock([&] {
      if (dock) dock->UnlockLayout();
    });
    ++FInternalBounds;
    cl::Finally internal([&] { --FInternalBounds; });
    if (FLastOrientationValid && parent) LayoutChildren(true, FLastOrientation, dock);
    LockArrange();
    cl::Finally arrange([&] { UnlockArrange(); });

    if (FDockedTo) FDockedTo->UpdateBarList(false, this, false);
    inherited::SetParent(nullptr);
    FDockedTo = dock;
    // The new floating parent is known before the window is made again: it decides the window's style.
    TFloatingWindowParent* previous = FFloatParent;
    FFloatParent = form ? static_cast<TFloatingWindowParent*>(realParent) : nullptr;
    try {
      inherited::SetParent(realParent);
    } catch (...) {
      SetDockedToFromParent();
      FFloatParent = previous;
      throw;
    }
    madeParent = nullptr;
    if (previous != FFloatParent) cl::Free(previous);
    if (dock) dock->UpdateBarList(true, this, Visible());
    UpdateFloatingList();
    FLastOrientation = Orientation();
    FLastOrientationValid = true;
    FArrangeNeeded = true;  // fits itself to its new place when the lock goes
  }
  RefreshVisibility();

  if (Parent()) DoMove();
  if (parent && !destroying && !FreeStarted()) {
    if (FOnRecreated) FOnRecreated(this);
    if (FOnDockChanged && !FreeStarted()) FOnDockChanged(this);
  }
}

void TCustomToolWindow::SetDockedToFromParent() {
  FDockedTo = dynamic_cast<TDock*>(Parent());
}

void TCustomToolWindow::UpdateFloatingList() {
  const bool floating = Floating();
  if (!floating) {
    LeaveFloatingBars(this);
    return;
  }
  if (!floatingBars) floatingBars = new std::vector<TCustomToolWindow*>;
  if (std::find(floatingBars->begin(), floatingBars->end(), this) == floatingBars->end()) {
    floatingBars->push_back(this);
  }
  // A bar still being built keeps the place it was given.
  if (!Loading()) SetBoundsInternal(cl::Bounds(FFloatPos.X, FFloatPos.Y, Width(), Height()));
}

void TCustomToolWindow::SetDockedTo(TDock* dock) {
  if (dock) {
    SetParent(dock);
    return;
  }
  cl::TForm* form = BarForm();
  if (!form) throw cl::EInvalidOperation(cl::Format("Control '%s' has no parent window", {Name()}));
  SetParent(form);
}

void TCustomToolWindow::SetDockPos(int pos) {
  FDockPos = pos;
  if (FDockedTo) FDockedTo->LayoutBars();
}

void TCustomToolWindow::SetDockRow(int row) {
  FDockRow = row;
  if (FDockedTo) FDockedTo->LayoutBars();
}

void TCustomToolWindow::SetDragHandle(bool dragHandle) {
  if (dragHandle == FDragHandle) return;
  FDragHandle = dragHandle;
  if (!FDockedTo) return;
  RecalculateFrame(this);
  FitToContent();
}

void TCustomToolWindow::SetFullSize(bool fullSize) {
  if (fullSize == FFullSize) return;
  FFullSize = fullSize;
  FitToContent();
}

void TCustomToolWindow::SetCloseButton(bool closeButton) {
  if (closeButton == FCloseButton) return;
  FCloseButton = closeButton;
  RedrawCaption();
}

void TCustomToolWindow::SetHideWhenInactive(bool hide) {
  if (hide == FHideWhenInactive) return;
  FHideWhenInactive = hide;
  RefreshVisibility();
}

void TCustomToolWindow::SetDefaultDock(TDock* dock) {
  if (dock == FDefaultDock) return;
  if (FDefaultDock) FDefaultDock->RemoveFreeNotification(this);
  FDefaultDock = dock;
  if (dock) dock->FreeNotification(this);
}

void TCustomToolWindow::AddExtraDockForm(cl::TForm* form) {
  if (!form || std::find(FExtraDockForms.begin(), FExtraDockForms.end(), form) != FExtraDockForms.end()) return;
  FExtraDockForms.push_back(form);
  form->FreeNotification(this);
}

void TCustomToolWindow::RemoveExtraDockForm(cl::TForm* form) {
  std::erase(FExtraDockForms, form);
}

void TCustomToolWindow::Notification(cl::TComponent* component, cl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation != cl::opRemove) return;
  if (component == FDefaultDock) FDefaultDock = nullptr;
  std::erase(FExtraDockForms, component);
  if (FFloatParent && component == FFloatParent->BarForm()) {
    if (Floating()) SetParent(nullptr);
    cl::FreeAndNil(FFloatParent);
  }
}

void TCustomToolWindow::UnlockArrange() {
  if (--FArrangeLock == 0 && FArrangeNeeded) FitToContent();
}

void TCustomToolWindow::FitToContent() {
  if (FArrangeLock > 0 || Loading() || Destroying() || !Parent() ||
      Parent()->ComponentState().Contains(cl::csDestroying)) {
    FArrangeNeeded = true;
    return;
  }
  FArrangeNeeded = false;
  cl::TPoint size = LayoutChildren(true, Orientation(), FDockedTo);
  const FrameMargins margins = NonClientMargins();
  if (FDockedTo) {
    const int row = FDockedTo->RowThickness(FDockRow, this);
    const cl::TRect dockClient = FDockedTo->ClientRect();
    if (FDockedTo->Orientation() == doHorizontal) {
      size.Y = std::max(size.Y, row);
      if (FFullSize) size.X = dockClient.Width() - margins.Horizontal();
    } else {
      size.X = std::max(size.X, row);
      if (FFullSize) size.Y = dockClient.Height() - margins.Vertical();
    }
  }
  const int width = size.X + margins.Horizontal();
  const int height = size.Y + margins.Vertical();
  if (width != Width() || height != Height()) SetBoundsInternal(cl::Bounds(Left(), Top(), width, height));
}

void TCustomToolWindow::AlignControls(cl::TControl* control, cl::TRect& rect) {
  if (FAlignChildren) inherited::AlignControls(control, rect);
  FitToContent();
}

void TCustomToolWindow::SetBoundsInternal(const cl::TRect& bounds) {
  ++FInternalBounds;
  cl::Finally internal([&] { --FInternalBounds; });
  SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
}

void TCustomToolWindow::SetBounds(int left, int top, int width, int height) {
  if (FInternalBounds == 0 && (width != Width() || height != Height())) BeforeResize(width, height);
  inherited::SetBounds(left, top, width, height);
  if (Floating() && !Loading() && FInternalBounds == 0) {
    SetFloatPos(cl::Point(left, top));
  }
}

void TCustomToolWindow::KeepOnScreen(bool onlyIfFullyOffscreen) {
  if (!Floating()) return;
  const cl::TRect bounds = KeepRectOnScreen(BoundsRect(), WorkArea(), onlyIfFullyOffscreen);
  if (bounds != BoundsRect()) SetBoundsRect(bounds);
}

void TCustomToolWindow::Loaded() {
  inherited::Loaded();
  if (Floating()) {
    // Built with its form, a floating bar's place was given in the form's client coordinates.
    if (cl::TForm* form = BarForm()) {
      const cl::TPoint origin = form->HandleAllocated() ? form->ClientOrigin() : cl::Point(form->Left(), form->Top());
      SetBounds(Left() + origin.X, Top() + origin.Y, Width(), Height());
    }
    KeepOnScreen(false);
  }
  AfterLoad();
  FitToContent();
}

void TCustomToolWindow::DoMove() {
  if (!Loading() && FMoveSuppressed == 0 && FOnMove) FOnMove(this);
}

void TCustomToolWindow::MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  inherited::MouseDown(button, shift, x, y);
  if (button != cl::mbLeft || FreeStarted() || (FDockedTo && !FDockedTo->AllowDrag())) return;
  // A press on a child (a disabled one too) is the child's, unless the child passes it on.
  cl::TControl* child = ControlAtPos(cl::Point(x, y), true, true);
  if (child && !ChildPassesDrag(child)) return;
  // A single press drags the bar; a double click floats a docked bar, or docks a floating one on its default dock.
  if (!shift.Contains(cl::ssDouble)) {
    BeginMoving(x, y);
    return;
  }
  if (FDockedTo) {
    if (cl::TForm* form = BarForm()) SetParent(form);
  } else if (FDefaultDock) {
    FDockRow = kDefaultDockRow;
    FDockPos = kDefaultDockPos;
    SetParent(FDefaultDock);
  }
}

void TCustomToolWindow::Paint() {
  if (!FDockedTo || !FDockedTo->HasBackground() || !FDockedTo->BackgroundOnToolbars()) return;
  const cl::TRect client = ClientRect();
  const cl::TPoint origin = FDockedTo->TilingOrigin(this);
  FDockedTo->TileBackground(Canvas()->Handle(), client, nullptr,
                            cl::Rect(origin.X, origin.Y, client.Right, client.Bottom));
}

bool TCustomToolWindow::WantsVisible() const {
  if (!Visible() || !Parent() || FHiddenWhileChanging > 0) return false;
  if (FDockedTo) return true;
  if (!Floating()) return Parent()->Showing();
  cl::TForm* form = BarForm();
  cl::TForm* frame = FrameForm();
  if (!form || !form->HandleAllocated() || !frame || !frame->HandleAllocated()) return false;
  if (cl::Application && IsIconic(cl::Application->Handle())) return false;
  for (cl::TForm* f : {form, frame}) {
    if (!f->Visible() || IsIconic(f->Handle())) return false;
  }
  return !FHideWhenInactive || AppHasActiveWindow();
}

void TCustomToolWindow::RefreshVisibility() {
  const bool inactive = !FDockedTo && !FHideWhenInactive && !AppHasActiveWindow();
  if (inactive != FInactiveCaption) {
    FInactiveCaption = inactive;
    RedrawCaption();
  }
  if (!HandleAllocated()) return;
  const bool shown = (GetWindowLongPtrA(Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown != WantsVisible()) Perform(cl::CM_SHOWINGCHANGED);
}

void TCustomToolWindow::ShowingChanged() {
  if (!HandleAllocated()) return;
  const HWND wnd = Handle();
  const bool show = WantsVisible();
  cl::TForm* form = BarForm();
  if (show && Floating() && form && form->HandleAllocated()) {
    // Owned by its form, and just above it: below the nearest window over the form that shows and that the form
    // does not own.
    const HWND formWnd = form->Handle();
    if (OwnerOf(wnd) != formWnd) SetWindowLongPtrA(wnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(formWnd));
    HWND above = GetWindow(formWnd, GW_HWNDPREV);
    while (above && (above == wnd || IsOwnedBy(above, formWnd) || !ShowsOnScreen(above)))
      above = GetWindow(above, GW_HWNDPREV);
    SetWindowPos(wnd, above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  const bool wasActive = GetActiveWindow() == wnd;
  ShowWindowQuietly(wnd, show);
  if (!show && wasActive) ActivateOtherWindow();
}

void TCustomToolWindow::ActivateOtherWindow() {
  OtherWindowSearch search{HandleAllocated() ? Handle() : nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindOtherWindow, reinterpret_cast<LPARAM>(&search));
  const HWND other = search.FirstNotTopmost ? search.FirstNotTopmost : search.First;
  if (other) SetActiveWindow(other);
}

void TCustomToolWindow::MouseActivate(cl::TMessage& message) {
  message.Result = MA_NOACTIVATE;
  const HWND wnd = Handle();
  SetWindowPos(wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!FActivateParent || GetActiveWindow() == wnd) return;
  cl::TForm* form = BarForm();
  cl::TForm* frame = FrameForm();
  if (frame && frame->HandleAllocated()) SetActiveWindow(frame->Handle());
  if (form && form != frame && form->HandleAllocated() && form->FormStyle() == cl::fsMDIChild) {
    SendMessageA(GetParent(form->Handle()), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(form->Handle()), 0);
  }
}

void TCustomToolWindow::Activate(cl::TMessage& message) {
  cl::TForm* frame = FrameForm();
  const HWND frameWnd = frame && frame->HandleAllocated() ? frame->Handle() : nullptr;
  const bool active = LOWORD(message.WParam) != WA_INACTIVE;
  if (frameWnd) SendMessageA(frameWnd, WM_NCACTIVATE, active ? TRUE : FALSE, 0);
  if (!active) return;
  if (!IsWindowVisible(Handle())) {
    ActivateOtherWindow();
  } else if (frameWnd && reinterpret_cast<HWND>(message.LParam) != frameWnd) {
    SetActiveWindow(frameWnd);
  }
}

void TCustomToolWindow::Dispatch(cl::TMessage& message) {
  const bool floating = Floating();
  switch (message.Msg) {
    case WM_MOUSEACTIVATE:
      if (!floating) break;
      MouseActivate(message);
      return;
    case WM_ACTIVATE:
      if (!floating) break;
      Activate(message);
      return;
    case WM_CLOSE:
      if (!floating) break;
      // Alt+F4 on a floating bar closes its form.
      if (cl::TForm* frame = FrameForm(); frame && frame->HandleAllocated()) {
        SendMessageA(frame->Handle(), WM_CLOSE, 0, 0);
      }
      return;
    case WM_MOVE:
      inherited::Dispatch(message);
      if (FDockedTo && FDockedTo->HasBackground()) {
        RequestFrameRepaint();
        Invalidate();
      }
      DoMove();
      return;
    case cl::CM_TEXTCHANGED:
      inherited::Dispatch(message);
      RedrawCaption();
      return;
    case cl::CM_COLORCHANGED:
      inherited::Dispatch(message);
      RequestFrameRepaint();
      return;
    case cl::CM_VISIBLECHANGED:
      if (FDockedTo) FDockedTo->UpdateBarList(true, this, Visible());
      RefreshVisibility();
      if (FOnVisibleChanged && !FreeStarted()) FOnVisibleChanged(this);
      return;
    case cl::CM_SHOWINGCHANGED:
      ShowingChanged();
      return;
    case WM_NCCALCSIZE:
      NonClientCalcSize(message);
      return;
    case WM_GETMINMAXINFO: {
      inherited::Dispatch(message);
      auto* info = reinterpret_cast<MINMAXINFO*>(message.LParam);
      info->ptMinTrackSize = POINT{1, 1};
      info->ptMaxTrackSize = POINT{32767, 32767};
      return;
    }
    case WM_NCPAINT:
      NonClientPaint(message.WParam);
      return;
    case WM_NCACTIVATE:
      // The system would draw its own frame over the bar's.
      message.Result = TRUE;
      NonClientPaint(1);
      return;
    case WM_NCHITTEST:
      message.Result = HitTest(message);
      return;
    case WM_NCLBUTTONDOWN:
      NonClientButtonDown(message);
      return;
    case WM_TOOLWINDOW_FRAMEREPAINT: {
      MSG pending;
      while (PeekMessageA(&pending, Handle(), WM_TOOLWINDOW_FRAMEREPAINT, WM_TOOLWINDOW_FRAMEREPAINT,
                          PM_REMOVE | PM_NOYIELD)) {
      }
      if (FDockedTo) NonClientPaint(1);
      return;
    }
    default:
      break;
  }
  inherited::Dispatch(message);
}

}  // namespace tbr
