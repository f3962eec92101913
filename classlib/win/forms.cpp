// TForm: load protocol, window styles, showing, closing, release and the modal loop.
#include "classlib/win/forms.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/win/application.h"
#include "classlib/win/colors.h"
#include "classlib/win/menus.h"
#include "classlib/win/modal_seam.h"
#include "classlib/win/screen.h"

namespace cl {
namespace {

struct DisableContext {
  HWND Keep;
  std::vector<HWND> Disabled;
};

BOOL CALLBACK CollectEnabledWindow(HWND wnd, LPARAM data) noexcept {
  auto* context = reinterpret_cast<DisableContext*>(data);
  if (wnd != context->Keep && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
    // push_back may throw; a window left enabled is the lesser harm inside a callback.
    try {
      context->Disabled.push_back(wnd);
    } catch (...) {
    }
  }
  return TRUE;
}

// Disables the thread's other enabled, visible top-level windows for a modal form; returns them.
std::vector<HWND> DisableOtherWindows(HWND keep) {
  DisableContext context{keep, {}};
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&context));
  for (HWND wnd : context.Disabled) EnableWindow(wnd, FALSE);
  return context.Disabled;
}

void EnableWindows(const std::vector<HWND>& windows) {
  for (HWND wnd : windows) {
    if (IsWindow(wnd)) EnableWindow(wnd, TRUE);
  }
}

// Set while a wheel message is passed on, so that one the target hands back up is not passed on again.
bool gPassingWheelOn = false;

// The wheel reaches the focused window, which is mostly the form itself; a turn over one of the form's windows
// (a scroll box) is passed on to that window. True when it was.
bool PassWheelToWindowUnderMouse(HWND form, const TMessage& message) {
  if (gPassingWheelOn) return false;
  const POINT at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  HWND target = WindowFromPoint(at);
  if (!target || target == form || !IsChild(form, target)) return false;
  gPassingWheelOn = true;
  SendMessageA(target, message.Msg, message.WParam, message.LParam);
  gPassingWheelOn = false;
  return true;
}

}  // namespace

TForm* GetParentForm(const TControl* control) {
  while (control && control->Parent()) control = control->Parent();
  return dynamic_cast<TForm*>(const_cast<TControl*>(control));
}

TForm::TForm(TComponent* owner) : TCustomControl(owner) {
  StoreVisible(false);
  StoreBounds(0, 0, 320, 240);
  FControlStyle.Include(csAcceptsControls);
  SetColor(clBtnFace);
  if (Screen) Screen->AddForm(this);
}

void TForm::AfterConstruction() {
  inherited::AfterConstruction();
  if (!FCreatingNew) {
    LoadFromCode();
    Realign();
  }
  DoCreate();
  if (FreeStarted()) return;
  if (FFormStyle == fsMDIChild) StoreVisible(true);
  if (Visible()) ShowingChanged();
}

void TForm::BeforeDestruction() {
  Destroying();
  if (FOnDestroy) {
    try {
      FOnDestroy(this);
    } catch (...) {
      if (Application) Application->HandleException(this);
    }
  }
  if (Screen) Screen->RemoveForm(this);
  inherited::BeforeDestruction();
}

void TForm::DoCreate() {
  if (!FOnCreate) return;
  try {
    FOnCreate(this);
  } catch (...) {
    if (!Application) throw;
    Application->HandleException(this);
  }
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == FBorderStyle) return;
  FBorderStyle = style;
  RecreateWnd();
}

void TForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == FBorderIcons) return;
  FBorderIcons = icons;
  RecreateWnd();
}

void TForm::SetFormStyle(TFormStyle style) {
  if (style == FFormStyle) return;
  FFormStyle = style;
  RecreateWnd();
}

void TForm::CreateParams(TCreateParams& params) {
  inherited::CreateParams(params);
  if (Parent()) return;  // a form placed inside another control is an ordinary child window
  params.Style &= ~(WS_VISIBLE | WS_POPUP);
  params.Style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  switch (FBorderStyle) {
    case bsNone:
      params.Style |= WS_POPUP;
      break;
    case bsSingle:
      params.Style |= WS_CAPTION | WS_BORDER;
      break;
    case bsSizeable:
      params.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case bsDialog:
      params.Style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
      params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case bsToolWindow:
      params.Style |= WS_CAPTION;
      params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      params.Style |= WS_CAPTION | WS_THICKFRAME;
      params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (FBorderStyle != bsNone && FBorderIcons.Contains(biSystemMenu)) {
    params.Style |= WS_SYSMENU;
    const bool framed = FBorderStyle == bsSingle || FBorderStyle == bsSizeable;
    if (framed && FBorderIcons.Contains(biMinimize)) params.Style |= WS_MINIMIZEBOX;
    if (framed && FBorderIcons.Contains(biMaximize)) params.Style |= WS_MAXIMIZEBOX;
    if (FBorderIcons.Contains(biHelp)) params.ExStyle |= WS_EX_CONTEXTHELP;
  }
  if (FFormStyle == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
  if (Application && Application->MainForm() == this) params.ExStyle |= WS_EX_APPWINDOW;
  if (FPosition == poDefault || FPosition == poDefaultPosOnly) {
    params.X = CW_USEDEFAULT;
    params.Y = CW_USEDEFAULT;
  }
  if (FPosition == poDefault) {
    params.Width = CW_USEDEFAULT;
    params.Height = CW_USEDEFAULT;
  }
  if (FFormStyle == fsMDIChild) MDIChildParams(params);
}

TWindowState TForm::WindowState() const {
  if (HandleAllocated() && Visible()) {
    HWND wnd = const_cast<TForm*>(this)->Handle();
    if (IsIconic(wnd)) return wsMinimized;
    if (IsZoomed(wnd)) return wsMaximized;
    return wsNormal;
  }
  return FWindowState;
}

void TForm::SetWindowState(TWindowState state) {
  FWindowState = state;
  if (!HandleAllocated() || !Visible()) return;
  static constexpr int kShow[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
  ShowWindow(Handle(), kShow[state]);
}

void TForm::Show() {
  SetVisible(true);
  if (HandleAllocated()) SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TForm::SetFirstShowPosition() {
  if (FShownOnce) return;
  FShownOnce = true;
  if (FPosition == poScreenCenter && !Parent() && Screen) {
    SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
  }
}

void TForm::ShowingChanged() {
  if (ComponentState().Contains(csLoading)) return;  // the load protocol shows the form at its end
  if (Visible()) {
    DoShow();  // before the window appears
    if (FreeStarted() || !Visible()) return;
    HandleNeeded();
    SetFirstShowPosition();
    static constexpr int kShow[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    // OnShow may have shown the window already in the state it wants (a restored placement); it stays so.
    if (!IsWindowVisible(Handle())) ShowWindow(Handle(), Parent() ? SW_SHOWNA : kShow[FWindowState]);
  } else {
    DoHide();
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
  }
}

void TForm::DoShow() {
  if (FOnShow) FOnShow(this);
}

void TForm::DoHide() {
  if (FOnHide) FOnHide(this);
}

void TForm::Activate() {
  if (FOnActivate) FOnActivate(this);
}

void TForm::Deactivate() {
  if (FOnDeactivate) FOnDeactivate(this);
}

bool TForm::CloseQuery() {
  // A frame closes only when every child agrees; the first that refuses ends the asking.
  if (FFormStyle == fsMDIForm) {
    for (TForm* child : MDIChildList())
      if (!child->CloseQuery()) return false;
  }
  bool canClose = true;
  if (FOnCloseQuery) FOnCloseQuery(this, canClose);
  return canClose;
}

void TForm::DoClose(TCloseAction& action) {
  if (FOnClose) FOnClose(this, action);
}

void TForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  if (FFormStyle == fsMDIChild) action = FBorderIcons.Contains(biMinimize) ? caMinimize : caNone;
  DoClose(action);
  if (action == caNone || FreeStarted()) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  switch (action) {
    case caHide:
      Hide();
      break;
    case caMinimize:
      SetWindowState(wsMinimized);
      break;
    default:
      Release();
  }
}

void TForm::Release() {
  if (FReleasing || ComponentState().Contains(csDestroying)) return;
  FReleasing = true;
  PostDeferred(Weak<TObject>(this), [this] { Free(); });
}

void TForm::SetActiveControl(TWinControl* control) {
  StoreActiveControl(control);
  if (control && HandleAllocated() && Visible() && control->CanFocus()) control->SetFocus();
}

void TForm::FocusChanged(TWinControl* control) {
  if (control != this) StoreActiveControl(control);
}

void TForm::StoreActiveControl(TWinControl* control) {
  if (control == FActiveControl) return;
  if (FActiveControl) FActiveControl->RemoveFreeNotification(this);
  FActiveControl = control;
  if (FActiveControl) FActiveControl->FreeNotification(this);
}

TModalResult TForm::ShowModal() {
  if (Visible() || !Enabled() || FModal) throw EInvalidOperation("Cannot make a visible window modal");
  seam::ModalAnswer answer;
  if (seam::ModalResponder* responder = seam::CurrentResponder()) answer = responder->AnswerModal(*this);
  if (answer.How == seam::ModalAnswer::Kind::Result) {
    FModalResult = answer.Result;
    return FModalResult;
  }
  if (HWND captured = GetCapture()) SendMessageA(captured, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  // Freeing the form inside its own modal loop is postponed until ShowModal returns.
  DispatchScope scope(this);
  FModal = true;
  FModalResult = mrNone;
  std::vector<HWND> disabled = DisableOtherWindows(Handle());
  try {
    Show();
    if (answer.Script) PostDeferred(Weak<TObject>(this), answer.Script);
    RunModalLoop();
  } catch (...) {
    FModal = false;
    EnableWindows(disabled);
    throw;
  }
  FModal = false;
  EnableWindows(disabled);
  if (!FreeStarted()) Hide();
  return FModalResult;
}

TModalResult TForm::RunModalLoop() {
  for (;;) {
    try {
      Application->HandleMessage();
    } catch (...) {
      Application->HandleException(this);
    }
    if (FreeStarted()) return FModalResult;
    if (Application->Terminated()) {
      FModalResult = mrCancel;
      return FModalResult;
    }
    if (FModalResult == mrNone) continue;
    // A result closes the form unless OnCloseQuery or OnClose (caNone) refuse.
    TCloseAction action = caHide;
    const bool canClose = CloseQuery();
    if (canClose) DoClose(action);
    if (FreeStarted() || (canClose && action != caNone)) return FModalResult;
    FModalResult = mrNone;
  }
}

bool TForm::IsShortCut(WORD key, TShiftState shift) {
  if (FFormStyle == fsMDIChild) {
    TForm* frame = MDIFrame();
    if (frame && frame->FMenu) return frame->IsShortCut(key, shift);
  }
  return FMenu && FMenu->IsShortCut(key, shift);
}

void TForm::SetMenu(TMainMenu* menu) {
  if (menu == FMenu) return;
  if (FMenu) {
    if (FFormStyle == fsMDIChild) MergeMenu(false);
    if (FFormStyle == fsMDIForm) FMenu->Merge(nullptr);
    FMenu->SetWindowHandle(nullptr);
    FMenu->RemoveFreeNotification(this);
  }
  FMenu = menu;
  if (FMenu) FMenu->FreeNotification(this);
  if (FFormStyle == fsMDIChild) {
    if (FActive) MergeMenu(true);
    return;
  }
  if (HandleAllocated() && !Parent()) ShowMenuBar();
  if (TForm* child = FFormStyle == fsMDIForm ? ActiveMDIChild() : nullptr) child->MergeMenu(true);
}

void TForm::SetWindowMenu(TMenuItem* item) {
  if (item == FWindowMenu) return;
  if (FWindowMenu) FWindowMenu->RemoveFreeNotification(this);
  FWindowMenu = item;
  if (FWindowMenu) FWindowMenu->FreeNotification(this);
  if (FFormStyle == fsMDIForm && FMenu && HandleAllocated()) ShowMenuBar();
}

void TForm::ShowMenuBar() {
  HMENU bar = FMenu ? FMenu->Handle() : nullptr;
  if (FFormStyle == fsMDIForm && FClientHandle && bar) {
    // The client window sets the bar and appends the window list to the window menu.
    HMENU windowMenu = FWindowMenu ? FWindowMenu->Handle() : nullptr;
    SendMessageA(FClientHandle, WM_MDISETMENU, reinterpret_cast<WPARAM>(bar), reinterpret_cast<LPARAM>(windowMenu));
    DrawMenuBar(Handle());
  } else {
    ::SetMenu(Handle(), bar);
  }
  if (FMenu) FMenu->SetWindowHandle(Handle());
}

void TForm::MergeMenu(bool merge) {
  TForm* frame = MDIFrame();
  if (!frame || !frame->FMenu) return;
  if (merge) {
    frame->FMenu->Merge(FMenu);  // a child without a menu leaves the frame's own
  } else {
    frame->FMenu->Unmerge(FMenu);
  }
}

void TForm::CreateWnd() {
  inherited::CreateWnd();
  if (Parent() || FFormStyle == fsMDIChild) return;
  if (FFormStyle == fsMDIForm) CreateMDIClient();
  if (FMenu) ShowMenuBar();
}

void TForm::DestroyWnd() {
  // The menu bar's HMENU belongs to the menu object: take it off before the window goes.
  if (FMenu && HandleAllocated() && FFormStyle != fsMDIChild) {
    ::SetMenu(Handle(), nullptr);
    FMenu->SetWindowHandle(nullptr);
  }
  FClientHandle = nullptr;  // destroyed with the frame's window
  HWND client = HandleAllocated() && FFormStyle == fsMDIChild ? GetParent(Handle()) : nullptr;
  if (client && IsWindow(client)) {
    MergeMenu(false);        // the last child's closing leaves no activation message to undo it
    Canvas()->FreeHandle();  // the window's DC goes with the window
    SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(Handle()), 0);
    return;
  }
  inherited::DestroyWnd();
}

void TForm::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FMenu) FMenu = nullptr;
  if (component == FWindowMenu) FWindowMenu = nullptr;
  if (component == FActiveControl) FActiveControl = nullptr;
}

namespace {
void CollectTabStops(const TWinControl* parent, std::vector<TWinControl*>& stops) {
  std::vector<TWinControl*> children;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    if (auto* child = dynamic_cast<TWinControl*>(parent->Controls(i))) children.push_back(child);
  }
  std::stable_sort(children.begin(), children.end(),
                   [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
  for (TWinControl* child : children) {
    if (child->TabStop() && child->CanFocus()) stops.push_back(child);
    CollectTabStops(child, stops);
  }
}
}  // namespace

void TForm::SelectNext(bool forward) {
  std::vector<TWinControl*> stops;
  CollectTabStops(this, stops);
  if (stops.empty()) return;
  TWinControl* focused = FindControl(GetFocus());
  auto it = std::find(stops.begin(), stops.end(), focused);
  size_t index = 0;
  if (it != stops.end()) {
    const size_t current = static_cast<size_t>(it - stops.begin());
    index = forward ? (current + 1) % stops.size() : (current + stops.size() - 1) % stops.size();
  } else if (!forward) {
    index = stops.size() - 1;
  }
  stops[index]->SetFocus();
  StoreActiveControl(stops[index]);
}

void TForm::Paint() {
  if (FOnPaint) FOnPaint(this);
}

void TForm::HandleActivate(TMessage& message) {
  // An MDI child learns its activation from WM_MDIACTIVATE only.
  if (FFormStyle == fsMDIChild) return;
  SetActive(LOWORD(message.WParam) != WA_INACTIVE);
}

void TForm::SetActive(bool active) {
  if (active == FActive) return;
  FActive = active;
  if (active) {
    if (Screen) Screen->FormActivated(this);
    Activate();
  } else {
    if (Screen) Screen->FormDeactivated(this);
    Deactivate();
  }
}

void TForm::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CM_VISIBLECHANGED:
      ShowingChanged();
      return;
    case WM_CLOSE:
      Close();
      return;
    case WM_COMMAND:
      // A menu command (no control handle): the menu's item clicks.
      if (message.LParam == 0 && FMenu && FMenu->DispatchCommand(LOWORD(message.WParam))) return;
      inherited::Dispatch(message);
      return;
    case WM_INITMENUPOPUP:
      if (FMenu) FMenu->DispatchPopup(reinterpret_cast<HMENU>(message.WParam));
      DefaultHandler(message);
      return;
    case WM_SETTEXT:
      inherited::Dispatch(message);
      // The system leaves a renamed child's entry in the window list as it was.
      if (FFormStyle == fsMDIChild) RefreshWindowList();
      return;
    case WM_MENUSELECT:
      if (FMenu) ShowMenuItemHint(FMenu->FindSelectedItem(message.WParam, message.LParam));
      DefaultHandler(message);
      return;
    case CM_DIALOGKEY:
      if (message.WParam == VK_TAB && GetKeyState(VK_MENU) >= 0) {
        SelectNext(GetKeyState(VK_SHIFT) >= 0);
        message.Result = 1;
        return;
      }
      inherited::Dispatch(message);
      return;
    case WM_ACTIVATE:
      // The system gives the focus to the form's own window; the control that had it takes it back. An MDI frame
      // leaves it to the system, which passes it on to the active child.
      DefaultHandler(message);
      if (LOWORD(message.WParam) != WA_INACTIVE && !IsIconic(BoundWindow()) && FFormStyle != fsMDIForm &&
          FActiveControl && FActiveControl->CanFocus()) {
        FActiveControl->SetFocus();
      }
      HandleActivate(message);
      return;
    case WM_MDIACTIVATE:
      DefaultHandler(message);
      if (FFormStyle == fsMDIChild) {
        const bool active = reinterpret_cast<HWND>(message.LParam) == BoundWindow();
        MergeMenu(active);  // before OnActivate, which may set up the merged items
        SetActive(active);
      }
      return;
    case WM_SIZE:
      // The state follows a shown window however it changed (its caption's buttons, a placement), so that the
      // form comes back as it was when it is hidden and shown again.
      if (IsWindowVisible(BoundWindow())) {
        if (message.WParam == SIZE_RESTORED) FWindowState = wsNormal;
        if (message.WParam == SIZE_MINIMIZED) FWindowState = wsMinimized;
        if (message.WParam == SIZE_MAXIMIZED) FWindowState = wsMaximized;
      }
      inherited::Dispatch(message);
      return;
    case WM_SHOWWINDOW:
      // Another path showed or hid the window (ShowWindow, SetWindowPlacement): Visible follows.
      if (message.LParam == 0) StoreVisible(message.WParam != 0);
      DefaultHandler(message);
      return;
    case WM_QUERYNEWPALETTE:
      // Becoming active: the form's controls may take the colours they need.
      message.Result = PaletteChanged(true) ? TRUE : FALSE;
      return;
    case WM_PALETTECHANGED:
      // Another window took colours: the controls realize theirs again as well as they can.
      if (reinterpret_cast<HWND>(message.WParam) != BoundWindow()) PaletteChanged(false);
      DefaultHandler(message);
      return;
    case WM_DROPFILES:
      // Nobody took the drop: its memory goes back.
      DragFinish(reinterpret_cast<HDROP>(message.WParam));
      return;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      if (PassWheelToWindowUnderMouse(Handle(), message)) return;
      inherited::Dispatch(message);
      return;
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(message.LParam);
      if (pos->flags & SWP_SHOWWINDOW) StoreVisible(true);
      if (pos->flags & SWP_HIDEWINDOW) StoreVisible(false);
      inherited::Dispatch(message);
      return;
    }
    default:
      inherited::Dispatch(message);
  }
}

void TForm::Publish(rtti::Builder& b) {
  b.Prop("Caption", rtti::tiString, &TControl::Caption, &TControl::SetCaption);
  b.Prop("WindowState", TWindowStateInfo, &TForm::WindowState, &TForm::SetWindowState);
  b.Prop("OnCreate", rtti::MethodInfo<TNotifyEvent>(), &TForm::OnCreate, &TForm::SetOnCreate);
  b.Prop("OnShow", rtti::MethodInfo<TNotifyEvent>(), &TForm::OnShow, &TForm::SetOnShow);
  b.Prop("OnDestroy", rtti::MethodInfo<TNotifyEvent>(), &TForm::OnDestroy, &TForm::SetOnDestroy);
}

}  // namespace cl
