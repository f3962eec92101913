// TWinControl: window creation and binding, the message path, alignment, painting and mouse routing.
#include "classlib/win/win_control.h"

#include <algorithm>
#include <unordered_map>

#include "classlib/core/exceptions.h"
#include "classlib/win/application.h"
#include "classlib/win/colors.h"
#include "classlib/win/forms.h"
#include "classlib/win/gdi.h"
#include "classlib/win/guard.h"
#include "classlib/win/menus.h"
#include "classlib/win/screen.h"

namespace cl {
namespace {

// The controls bound to the windows of this thread. Every message looks its control up here: a window property
// would cost a round trip to the window server under Wine for each message.
using ControlMap = std::unordered_map<HWND, TWinControl*>;
thread_local ControlMap* boundControls = nullptr;

ControlMap& BoundControls() {
  if (!boundControls) boundControls = new ControlMap();  // lives as long as the thread's windows may
  return *boundControls;
}

TWinControl* BoundControl(HWND wnd) {
  if (!boundControls) return nullptr;
  const auto found = boundControls->find(wnd);
  return found == boundControls->end() ? nullptr : found->second;
}

// The control whose window is being made on this thread: bound at the window's first message of any kind
// (WM_GETMINMAXINFO comes before WM_NCCREATE).
thread_local TWinControl* creatingControl = nullptr;

bool IsMouseMessage(UINT msg) {
  return (msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK) && msg != WM_MOUSEWHEEL;
}

}  // namespace

LRESULT CALLBACK ControlWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  TWinControl* control = BoundControl(wnd);
  if (!control && creatingControl) {
    control = std::exchange(creatingControl, nullptr);
    control->BindWindow(wnd);
  }
  if (!control) return DefWindowProcA(wnd, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  {
    DispatchScope scope(control);
    Guard(control, [&] { control->WndProc(message); });
    if (msg == WM_DESTROY && control->FHandle == wnd) control->FHandle = nullptr;
    if (msg == WM_NCDESTROY) control->ReleaseWindow(wnd);
  }
  return message.Result;
}

TWinControl* FindControl(HWND wnd) {
  if (!wnd) return nullptr;
  DWORD process = 0;
  if (GetWindowThreadProcessId(wnd, &process) != GetCurrentThreadId()) return nullptr;
  return BoundControl(wnd);
}

TControl* FindDragTarget(TPoint screenPos, bool allowDisabled) {
  TWinControl* windowed = nullptr;
  const POINT at{screenPos.X, screenPos.Y};
  for (HWND wnd = WindowFromPoint(at); wnd && !windowed; wnd = GetParent(wnd)) windowed = FindControl(wnd);
  if (!windowed) return nullptr;
  TControl* child = windowed->ControlAtPos(windowed->ScreenToClient(screenPos), allowDisabled);
  return child ? child : windowed;
}

bool PreprocessKeyMessage(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_SYSCHAR) return false;
  // A window without a control of its own (the edit inside a combo box) counts as its parent's.
  for (HWND wnd = msg.hwnd; wnd; wnd = GetParent(wnd)) {
    TWinControl* control = FindControl(wnd);
    if (!control) continue;
    if (msg.message != WM_SYSCHAR) return control->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
    // Alt+character: the form's controls may take it as their accelerator before the menu sees it.
    TForm* form = GetParentForm(control);
    return form && form->Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
  }
  return false;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

void TWinControl::BeforeDestruction() {
  inherited::BeforeDestruction();
  // Children first, last inserted first; then the window.
  while (!FControls.empty()) {
    TControl* child = FControls.back();
    RemoveControl(child);
    if (!child->FreeStarted()) child->Free();
  }
  DestroyHandle();
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle || ComponentState().Contains(csDestroying)) return;
  CreateHandle();
}

void TWinControl::CreateHandle() {
  if (Parent()) Parent()->HandleNeeded();
  if (FHandle) return;  // the parent's creation made it
  CreateWnd();
  for (TControl* child : std::vector<TControl*>(FControls)) {
    if (auto* windowed = dynamic_cast<TWinControl*>(child)) windowed->HandleNeeded();
  }
  Realign();
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Caption = StoredText();
  params.X = Left();
  params.Y = Top();
  params.Width = Width();
  params.Height = Height();
  if (Parent()) {
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    params.WndParent = Parent()->Handle();
  } else {
    // A windowed control without a parent is a popup owned by the application window.
    params.Style = WS_POPUP;
    params.WndParent = Application ? Application->Handle() : nullptr;
  }
  if (FControlStyle.Contains(csAcceptsControls)) params.Style |= WS_CLIPCHILDREN;
  if (Visible()) params.Style |= WS_VISIBLE;
  if (!Enabled()) params.Style |= WS_DISABLED;
  params.ClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  params.WinClassName = ClassName();
}

void TWinControl::RegisterWindowClass(const TCreateParams& params) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  if (!params.SystemClassName.empty()) {
    if (!GetClassInfoA(nullptr, params.SystemClassName.c_str(), &wc)) throw EOutOfResources();
    FDefWndProc = wc.lpfnWndProc;
  } else {
    FDefWndProc = DefWindowProcA;
    wc.style = params.ClassStyle;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    // A form without an icon of its own shows the program's.
    wc.hIcon = MainIconResource();
  }
  WNDCLASSA existing{};
  if (GetClassInfoA(instance, params.WinClassName.c_str(), &existing)) return;
  wc.lpfnWndProc = ControlWindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = params.WinClassName.c_str();
  if (!RegisterClassA(&wc)) throw EOutOfResources();
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  RegisterWindowClass(params);
  creatingControl = this;
  HWND wnd = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style,
                             params.X, params.Y, params.Width, params.Height, params.WndParent, params.Menu,
                             GetModuleHandleA(nullptr), params.Param);
  creatingControl = nullptr;
  if (!wnd) throw EOutOfResources();
  FHandle = wnd;
  SendMessageA(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
  UpdateBounds();
}

void TWinControl::BindWindow(HWND wnd) {
  FHandle = wnd;
  FBoundWnd = wnd;
  BoundControls()[wnd] = this;
}

void TWinControl::ReleaseWindow(HWND wnd) {
  if (BoundControl(wnd) == this) BoundControls().erase(wnd);
  if (FHandle == wnd) FHandle = nullptr;
  if (FBoundWnd == wnd) FBoundWnd = nullptr;
}

void TWinControl::DestroyWnd() {
  if (FHandle) DestroyWindow(FHandle);
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  // Children first, each keeping what only its window held (an edit's text).
  for (TControl* child : FControls) {
    if (auto* windowed = dynamic_cast<TWinControl*>(child)) windowed->DestroyHandle();
  }
  StoreText(GetText());
  HWND wnd = FHandle;
  if (MouseCapture()) SetMouseCapture(false);
  DestroyWnd();
  // A subclass may have swallowed WM_DESTROY or WM_NCDESTROY: the return of DestroyWindow decides.
  if (!IsWindow(wnd)) ReleaseWindow(wnd);
  ClearDeadHandles();
  UpdateShowing();
}

void TWinControl::UpdateShowing() {
  if (ComponentState().Contains(csDestroying)) return;
  const bool showing = Showing();
  if (showing == FShowingNotified) return;
  FShowingNotified = showing;
  Perform(CM_SHOWINGCHANGED);
  // A child's window shows and hides with its parent's without a message of its own.
  for (TControl* child : std::vector<TControl*>(FControls)) {
    if (auto* windowed = dynamic_cast<TWinControl*>(child)) windowed->UpdateShowing();
  }
}

void TWinControl::ClearDeadHandles() {
  for (TControl* child : FControls) {
    auto* windowed = dynamic_cast<TWinControl*>(child);
    if (!windowed) continue;
    if (windowed->FHandle && !IsWindow(windowed->FHandle)) windowed->ReleaseWindow(windowed->FHandle);
    windowed->ClearDeadHandles();
  }
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  DestroyHandle();
  HandleNeeded();
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount()) throw EListError(Format("List index out of bounds (%d)", {index}));
  return FControls[index];
}

void TWinControl::SetZOrder(bool topMost) {
  inherited::SetZOrder(topMost);
  if (!Parent() && FHandle) {
    SetWindowPos(FHandle, topMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

bool TWinControl::PaletteChanged(bool foreground) {
  if (!Visible()) return false;
  bool realized = false;
  // A child's repaint may change the list: the walk goes over a copy, stepping over children that went.
  const std::vector<Weak<TControl>> children(FControls.rbegin(), FControls.rend());
  for (const Weak<TControl>& child : children) {
    if (foreground && realized) return true;
    if (child) realized = child->PaletteChanged(foreground) || realized;
  }
  if (foreground && realized) return true;
  return inherited::PaletteChanged(foreground) || realized;
}

void TWinControl::InsertControl(TControl* control) {
  auto* windowed = dynamic_cast<TWinControl*>(control);
  // A window made without this parent (a popup) is made again as a child.
  if (windowed) windowed->DestroyHandle();
  control->FParent = this;
  FControls.push_back(control);
  if (windowed && FHandle) windowed->HandleNeeded();
  if (control->FParentColor) control->FColor = Color();
  if (control->FParentFont) control->TakeParentFont();
  if (control->FParentShowHint) control->Perform(CM_PARENTSHOWHINTCHANGED);
  control->Invalidate();
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 1);
  Realign();
}

void TWinControl::RemoveControl(TControl* control) {
  auto it = std::find(FControls.begin(), FControls.end(), control);
  if (it == FControls.end()) return;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 0);
  control->Invalidate();
  // Leaving a parent destroys the window; it is made again, from CreateParams, when next needed.
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) windowed->DestroyHandle();
  FControls.erase(std::find(FControls.begin(), FControls.end(), control));
  control->FParent = nullptr;
  if (!FreeStarted()) Realign();
}

TControl* TWinControl::ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* control = *it;
    if (!allowWinControls && dynamic_cast<TWinControl*>(control)) continue;
    if (!control->Visible() || (!control->Enabled() && !allowDisabled)) continue;
    TRect r = control->BoundsRect();
    if (pos.X >= r.Left && pos.X < r.Right && pos.Y >= r.Top && pos.Y < r.Bottom) return control;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
  for (TControl* control : std::vector<TControl*>(FControls)) {
    control->WndProc(message);
    if (message.Result != 0) return;
  }
}

void TWinControl::EnableAlign() {
  if (--FAlignLevel == 0 && FAlignPending) Realign();
}

void TWinControl::Realign() {
  if (FAlignLevel > 0 || FreeStarted()) {
    FAlignPending = true;
    return;
  }
  FAlignPending = false;
  DisableAlign();
  TRect rect = ClientRect();
  AdjustClientRect(rect);
  AlignControls(nullptr, rect);
  --FAlignLevel;
}

void TWinControl::AdjustClientRect(TRect& rect) const {}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
  auto place = [&](TAlign align) {
    std::vector<TControl*> aligned;
    for (TControl* c : FControls) {
      if (c->Align() == align && c->Visible()) aligned.push_back(c);
    }
    // Ties keep the z-order, hence the stable sort.
    std::stable_sort(aligned.begin(), aligned.end(), [align](TControl* a, TControl* b) {
      switch (align) {
        case alTop:
          return a->Top() < b->Top();
        case alBottom:
          return a->Top() + a->Height() > b->Top() + b->Height();
        case alLeft:
          return a->Left() < b->Left();
        case alRight:
          return a->Left() + a->Width() > b->Left() + b->Width();
        default:
          return false;
      }
    });
    for (TControl* c : aligned) {
      const int w = std::max(0, rect.Width());
      const int h = std::max(0, rect.Height());
      switch (align) {
        case alTop:
          c->SetBounds(rect.Left, rect.Top, w, c->Height());
          rect.Top += c->Height();
          break;
        case alBottom:
          c->SetBounds(rect.Left, rect.Bottom - c->Height(), w, c->Height());
          rect.Bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(rect.Left, rect.Top, c->Width(), h);
          rect.Left += c->Width();
          break;
        case alRight:
          c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), h);
          rect.Right -= c->Width();
          break;
        case alClient:
          c->SetBounds(rect.Left, rect.Top, w, h);
          break;
        default:
          break;
      }
    }
  };
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) place(align);
}

bool TWinControl::Showing() const {
  if (!FHandle) return false;
  return IsWindowVisible(FHandle) != FALSE;
}

TRect TWinControl::ClientRect() const {
  if (!FHandle) return TControl::ClientRect();
  RECT r;
  GetClientRect(FHandle, &r);
  return Rect(r.left, r.top, r.right, r.bottom);
}

TPoint TWinControl::ClientOrigin() const {
  if (!FHandle) return TControl::ClientOrigin();
  POINT p{0, 0};
  ::ClientToScreen(FHandle, &p);
  return Point(p.x, p.y);
}

void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

bool TWinControl::CanFocus() const {
  for (const TWinControl* c = this; c; c = c->Parent()) {
    if (!c->Visible() || !c->Enabled()) return false;
  }
  return true;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  ::SetFocus(Handle());
}

void TWinControl::BoundsChanged(bool resized) {
  if (FHandle) {
    // WM_SIZE follows for a size change and realigns.
    SetWindowPos(FHandle, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  if (resized) {
    Realign();
    Resize();
  }
}

void TWinControl::UpdateBounds() {
  if (!FHandle) return;
  RECT r;
  GetWindowRect(FHandle, &r);
  if (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_CHILD) {
    MapWindowPoints(HWND_DESKTOP, GetParent(FHandle), reinterpret_cast<POINT*>(&r), 2);
  }
  StoreBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

std::string TWinControl::GetText() const {
  if (!FHandle) return StoredText();
  std::string text(GetWindowTextLengthA(FHandle) + 1, '\0');
  text.resize(GetWindowTextA(FHandle, text.data(), static_cast<int>(text.size())));
  return text;
}

void TWinControl::ApplyText() {
  if (FHandle) SetWindowTextA(FHandle, StoredText().c_str());
}

bool TWinControl::RouteMouseToChild(TMessage& message) {
  TWMMouse mouse(message);
  TControl* target = CaptureControl();
  if (target && target->Parent() != this) return false;
  if (!target) {
    if (GetCapture() == FHandle && FHandle) return false;  // this window captured for itself
    target = ControlAtPos(Point(mouse.XPos, mouse.YPos), false);
  }
  if (!target) return false;
  UINT msg = message.Msg;
  // A child without double clicks gets a second press instead.
  if (!target->ControlStyle().Contains(csDoubleClicks)) {
    if (msg == WM_LBUTTONDBLCLK) msg = WM_LBUTTONDOWN;
    if (msg == WM_RBUTTONDBLCLK) msg = WM_RBUTTONDOWN;
    if (msg == WM_MBUTTONDBLCLK) msg = WM_MBUTTONDOWN;
  }
  const LPARAM pos =
      MAKELPARAM(static_cast<WORD>(mouse.XPos - target->Left()), static_cast<WORD>(mouse.YPos - target->Top()));
  message.Result = target->Perform(msg, message.WParam, pos);
  return true;
}

void TWinControl::WndProc(TMessage& message) {
  if (IsMouseMessage(message.Msg) && RouteMouseToChild(message)) return;
  if (ReflectToChild(message)) return;
  inherited::WndProc(message);
}

bool TWinControl::DoKeyDown(TMessage& message) {
  WORD key = static_cast<WORD>(message.WParam);
  KeyDown(key, KeyboardShiftState());
  message.WParam = key;
  return key == 0 || ComponentState().Contains(csDestroying);
}

void TWinControl::HandleKeyDown(TMessage& message) {
  // Keys that came through the application loop had their KeyDown in CN_KEYDOWN already.
  if (!std::exchange(FKeyDownDone, false) && DoKeyDown(message)) return;
  DefaultHandler(message);
}

bool TWinControl::IsDialogKey(WORD key, LPARAM keyData) {
  UINT wanted = 0;
  switch (key) {
    case VK_TAB:
      wanted = DLGC_WANTTAB;
      break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      wanted = DLGC_WANTARROWS;
      break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
      wanted = DLGC_WANTALLKEYS;
      break;
    default:
      return false;
  }
  if (Perform(CM_WANTSPECIALKEY, key) != 0 || (Perform(WM_GETDLGCODE) & wanted) != 0) return false;
  TForm* form = GetParentForm(this);
  return form && form->Perform(CM_DIALOGKEY, key, keyData) != 0;
}

bool TWinControl::IsMenuShortCut(WORD key, TShiftState shift) {
  // The pop-up menus of this control and its parents come before the form's menu.
  for (TControl* control = this; control; control = control->Parent()) {
    if (control->PopupMenu() && control->PopupMenu()->IsShortCut(key, shift)) return true;
  }
  TForm* form = GetParentForm(this);
  return form && form->IsShortCut(key, shift);
}

void TWinControl::PreprocessKeyDown(TMessage& message) {
  // Menu shortcuts first, then KeyDown/OnKeyDown, then the dialog keys for the form; any of them may consume it.
  if (IsMenuShortCut(static_cast<WORD>(message.WParam), KeyboardShiftState())) {
    message.Result = 1;
    return;
  }
  if (DoKeyDown(message)) {
    message.Result = 1;
    return;
  }
  FKeyDownDone = true;
  if (IsDialogKey(static_cast<WORD>(message.WParam), message.LParam)) {
    FKeyDownDone = false;
    message.Result = 1;
  }
}

bool TWinControl::ReflectToChild(TMessage& message) {
  HWND child = nullptr;
  switch (message.Msg) {
    case WM_COMMAND:
      child = reinterpret_cast<HWND>(message.LParam);
      break;
    case WM_NOTIFY:
      child = reinterpret_cast<const NMHDR*>(message.LParam)->hwndFrom;
      break;
    case WM_DRAWITEM:
      child = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam)->hwndItem;
      break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_HSCROLL:
    case WM_VSCROLL:
      child = reinterpret_cast<HWND>(message.LParam);
      break;
    default:
      return false;
  }
  TWinControl* control = child && child != FHandle ? FindControl(child) : nullptr;
  if (!control) return false;
  message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
  return true;
}

void TWinControl::EraseBackground(TMessage& message) {
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  RECT r;
  GetClientRect(FBoundWnd, &r);
  gdi::Object<HGDIOBJ> brush(gdi::Track(gdi::Check(CreateSolidBrush(ColorToRGB(Color()) & 0xFFFFFF))));
  FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
  message.Result = 1;
}

void TWinControl::PaintMessage(TMessage& message) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(FBoundWnd, &ps);
  try {
    PaintWindow(dc);
    PaintControls(dc);
  } catch (...) {
    EndPaint(FBoundWnd, &ps);
    throw;
  }
  EndPaint(FBoundWnd, &ps);
}

void TWinControl::PrintClient(TMessage& message) {
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  if (message.LParam & PRF_ERASEBKGND) {
    TMessage erase{WM_ERASEBKGND, message.WParam, 0, 0};
    EraseBackground(erase);
  }
  PaintWindow(dc);
  PaintControls(dc);
}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* control : std::vector<TControl*>(FControls)) {
    if (dynamic_cast<TWinControl*>(control) || !control->Visible()) continue;
    // Only the controls the update region touches are painted: a button repainted on a bar of a hundred
    // paints one control, not the whole bar.
    const RECT bounds{control->Left(), control->Top(), control->Left() + control->Width(),
                      control->Top() + control->Height()};
    if (!RectVisible(dc, &bounds)) continue;
    const int saved = SaveDC(dc);
    POINT oldOrigin;
    OffsetViewportOrgEx(dc, control->Left(), control->Top(), &oldOrigin);
    IntersectClipRect(dc, 0, 0, control->Width(), control->Height());
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
  }
}

void TWinControl::SizeMessage(TMessage& message) {
  UpdateBounds();
  if (message.WParam == SIZE_MINIMIZED) return;
  Realign();
  Resize();
}

void TWinControl::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND:
    case WM_PAINT:
      // A superclassed system control paints itself.
      if (FDefWndProc != DefWindowProcA) {
        DefaultHandler(message);
      } else if (message.Msg == WM_PAINT) {
        PaintMessage(message);
      } else {
        EraseBackground(message);
      }
      return;
    case WM_PRINTCLIENT:
      if (FDefWndProc != DefWindowProcA) {
        DefaultHandler(message);
      } else {
        PrintClient(message);
      }
      return;
    case WM_SIZE:
      DefaultHandler(message);
      SizeMessage(message);
      return;
    case WM_MOVE:
      DefaultHandler(message);
      UpdateBounds();
      return;
    case WM_WINDOWPOSCHANGED:
      DefaultHandler(message);
      if (reinterpret_cast<const WINDOWPOS*>(message.LParam)->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) {
        UpdateShowing();
      }
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      HandleKeyDown(message);
      return;
    case CN_BASE + WM_KEYDOWN:
    case CN_BASE + WM_SYSKEYDOWN:
      PreprocessKeyDown(message);
      return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_SYSCOLORCHANGE:
      Broadcast(message);
      return;
    case WM_SETFOCUS:
      if (TForm* form = GetParentForm(this)) form->FocusChanged(this);
      DefaultHandler(message);
      return;
    case WM_SYSCOLORCHANGE:
      // The system tells top-level windows only; every control below hears of it.
      DefaultHandler(message);
      Perform(CM_SYSCOLORCHANGE);
      return;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(message.WParam);
      KeyUp(key, KeyboardShiftState());
      if (key != 0) DefaultHandler(message);
      return;
    }
    case WM_CHAR: {
      char key = static_cast<char>(message.WParam);
      KeyPress(key);
      if (key == 0 || ComponentState().Contains(csDestroying)) return;
      message.WParam = static_cast<unsigned char>(key);
      DefaultHandler(message);
      return;
    }
    case WM_CONTEXTMENU:
      if (!RouteContextMenuToChild(message)) inherited::Dispatch(message);
      return;
    case WM_SETCURSOR:
      if (!SetCursorMessage(message)) DefaultHandler(message);
      return;
    case CM_TEXTCHANGED:
      ApplyText();
      return;
    case CM_VISIBLECHANGED:
      if (FHandle) ShowWindow(FHandle, Visible() ? SW_SHOWNA : SW_HIDE);
      return;
    case CM_ENABLEDCHANGED:
      if (FHandle) EnableWindow(FHandle, Enabled());
      return;
    case CM_FONTCHANGED: {
      if (FHandle) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
      Invalidate();
      TMessage parentFont{CM_PARENTFONTCHANGED, 0, 0, 0};
      Broadcast(parentFont);
      return;
    }
    case CM_COLORCHANGED: {
      Invalidate();
      TMessage parentColor{CM_PARENTCOLORCHANGED, 0, 0, 0};
      Broadcast(parentColor);
      return;
    }
    default:
      inherited::Dispatch(message);
  }
}

bool TWinControl::RouteContextMenuToChild(TMessage& message) {
  const int x = static_cast<short>(LOWORD(message.LParam));
  const int y = static_cast<short>(HIWORD(message.LParam));
  if ((x == -1 && y == -1) || !FHandle) return false;
  TControl* child = ControlAtPos(ScreenToClient(Point(x, y)), false);
  if (!child || !child->PopupMenu()) return false;
  message.Result = child->Perform(WM_CONTEXTMENU, message.WParam, message.LParam);
  return true;
}

bool TWinControl::SetCursorMessage(TMessage& message) {
  // Only for this window's own client area: a child window without a cursor of its own asks its parent.
  if (reinterpret_cast<HWND>(message.WParam) != FBoundWnd || LOWORD(message.LParam) != HTCLIENT) return false;
  TCursor cursor = Screen ? Screen->Cursor() : crDefault;
  if (cursor == crDefault) {
    POINT pos;
    GetCursorPos(&pos);
    ::ScreenToClient(FBoundWnd, &pos);
    TControl* child = ControlAtPos(Point(pos.x, pos.y), false);
    cursor = child ? child->Cursor() : Cursor();
  }
  if (cursor == crDefault || !Screen) return false;
  ::SetCursor(Screen->Cursors(cursor));
  message.Result = TRUE;
  return true;
}

void TWinControl::DefaultHandler(TMessage& message) {
  if (!FBoundWnd) return;
  message.Result = CallWindowProcA(FDefWndProc, FBoundWnd, message.Msg, message.WParam, message.LParam);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
  if (FOnKeyDown) FOnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
  if (FOnKeyUp) FOnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (FOnKeyPress) FOnKeyPress(this, key);
}

}  // namespace cl
