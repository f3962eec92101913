// TControl: stored properties, their notifications, and the mouse protocol (press, move, release, click).
#include "classlib/win/controls.h"

#include "classlib/core/exceptions.h"
#include "classlib/core/format.h"
#include "classlib/win/gdi.h"
#include "classlib/win/graphics_tools.h"
#include "classlib/win/menus.h"
#include "classlib/win/win_control.h"

namespace cl {
namespace {

// The graphic control holding the capture through its parent's window.
TControl* captureControl = nullptr;

}  // namespace

TControl* CaptureControl() {
  return captureControl;
}

TShiftState MouseKeysToShiftState(WPARAM keys) {
  TShiftState shift;
  if (keys & MK_SHIFT) shift.Include(ssShift);
  if (keys & MK_CONTROL) shift.Include(ssCtrl);
  if (keys & MK_LBUTTON) shift.Include(ssLeft);
  if (keys & MK_RBUTTON) shift.Include(ssRight);
  if (keys & MK_MBUTTON) shift.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
  return shift;
}

TShiftState KeyboardShiftState() {
  TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
  return shift;
}

TControl::TControl(TComponent* owner) : TComponent(owner), FFont(New<TFont>()) {
  FFont->SetOnChange(TNotifyEvent([this](TObject*) {
    FParentFont = false;
    Perform(CM_FONTCHANGED);
  }));
}

void TControl::BeforeDestruction() {
  if (captureControl == this) SetMouseCapture(false);
  inherited::BeforeDestruction();
  if (FParent) FParent->RemoveControl(this);
  FFont->SetOnChange(nullptr);
  FreeAndNil(FFont);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (menu == FPopupMenu) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = menu;
  if (menu) menu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == opRemove && component == FPopupMenu) FPopupMenu = nullptr;
}

bool TControl::ContextPopup(int x, int y) {
  if (!FPopupMenu || !FPopupMenu->AutoPopup()) return false;
  if (x == -1 && y == -1) {
    TPoint origin = ClientToScreen(Point(0, 0));
    x = origin.X;
    y = origin.Y;
  }
  FPopupMenu->SetPopupComponent(this);
  FPopupMenu->Popup(x, y);
  return true;
}

void TControl::SetFont(const TFont* font) {
  FFont->Assign(font);
}

void TControl::SetParentFont(bool parentFont) {
  if (parentFont == FParentFont) return;
  FParentFont = parentFont;
  if (FParent && parentFont) Perform(CM_PARENTFONTCHANGED);
}

void TControl::TakeParentFont() {
  // Copies without giving up ParentFont: the change handler would clear it.
  FFont->Assign(FParent->Font());
  FParentFont = true;
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::StoreBounds(int left, int top, int width, int height) {
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  const bool resized = width != FWidth || height != FHeight;
  if (FParent && !FParent->FreeStarted()) InvalidatePlace();  // the old place, for the parent to paint
  StoreBounds(left, top, width, height);
  BoundsChanged(resized);
  RequestAlign();
  if (FParent) FParent->ControlBoundsChanged(this);
}

void TControl::BoundsChanged(bool resized) {
  Invalidate();
  if (resized) Resize();
}

void TControl::Resize() {
  if (FOnResize) FOnResize(this);
}

void TControl::RequestAlign() {
  if (FParent && FAlign != alNone) FParent->Realign();
}

TRect TControl::ClientRect() const {
  return Rect(0, 0, FWidth, FHeight);
}

void TControl::SetClientSize(int width, int height) {
  TRect client = ClientRect();
  SetBounds(FLeft, FTop, FWidth - client.Width() + width, FHeight - client.Height() + height);
}

TPoint TControl::ClientOrigin() const {
  if (!FParent) throw EInvalidOperation(Format("Control '%s' has no parent window", {Name()}));
  TPoint origin = FParent->ClientOrigin();
  return Point(origin.X + FLeft, origin.Y + FTop);
}

TPoint TControl::ClientToScreen(TPoint point) const {
  TPoint origin = ClientOrigin();
  return Point(point.X + origin.X, point.Y + origin.Y);
}

TPoint TControl::ScreenToClient(TPoint point) const {
  TPoint origin = ClientOrigin();
  return Point(point.X - origin.X, point.Y - origin.Y);
}

void TControl::SetAlign(TAlign align) {
  if (align == FAlign) return;
  FAlign = align;
  if (FParent) FParent->Realign();
}

void TControl::SetVisible(bool visible) {
  if (visible == FVisible) return;
  if (!visible) InvalidatePlace();  // the place it leaves, for the parent to paint
  FVisible = visible;
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
  if (FParent) {
    Invalidate();
    FParent->Realign();
  }
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const std::string& text) {
  if (text == GetText()) return;
  FText = text;
  Perform(CM_TEXTCHANGED);
}

void TControl::SetColor(TColor color) {
  if (color == FColor) {
    FParentColor = false;
    return;
  }
  FColor = color;
  FParentColor = false;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool parentColor) {
  if (parentColor == FParentColor) return;
  FParentColor = parentColor;
  if (FParent && parentColor) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetShowHint(bool showHint) {
  FParentShowHint = false;
  if (showHint == FShowHint) return;
  FShowHint = showHint;
  ShowHintChanged();
}

void TControl::SetParentShowHint(bool parentShowHint) {
  if (parentShowHint == FParentShowHint) return;
  FParentShowHint = parentShowHint;
  if (FParent && parentShowHint) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::ShowHintChanged() {
  auto* self = dynamic_cast<TWinControl*>(this);
  if (!self) return;
  TMessage parentShowHint{CM_PARENTSHOWHINTCHANGED, 0, 0, 0};
  self->Broadcast(parentShowHint);
}

bool TControl::Showing() const {
  return FVisible && FParent && FParent->Showing();
}

void TControl::Invalidate() {
  if (!FParent || !FParent->HandleAllocated() || !FVisible) return;
  RECT r{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
  InvalidateRect(FParent->Handle(), &r, !FControlStyle.Contains(csOpaque));
}

void TControl::InvalidatePlace() {
  if (!FParent || !FParent->HandleAllocated() || !FVisible) return;
  RECT r{FLeft, FTop, FLeft + FWidth, FTop + FHeight};
  InvalidateRect(FParent->Handle(), &r, TRUE);  // erased: an opaque control leaves it too
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

bool TControl::PaletteChanged(bool foreground) {
  if (!FVisible) return false;
  HPALETTE palette = GetPalette();
  if (!palette) return false;
  // Realized in the window the control draws on: its own, or its parent's for a graphic control.
  auto* windowed = dynamic_cast<TWinControl*>(this);
  TWinControl* host = windowed ? windowed : FParent;
  if (!host || !host->HandleAllocated()) return true;
  const HWND wnd = host->Handle();
  HDC dc = gdi::AcquireDC(wnd);
  bool changed = false;
  {
    gdi::PaletteGuard realized(dc, palette, !foreground);
    changed = realized.Changed() > 0;
  }
  gdi::FreeAcquiredDC(wnd, dc);
  if (changed) Invalidate();
  return true;
}

void TControl::SetZOrder(bool topMost) {
  if (!FParent) return;
  if (topMost) {
    TWinControl* parent = FParent;
    parent->RemoveControl(this);
    parent->InsertControl(this);
    return;
  }
  std::vector<TControl*>& list = FParent->FControls;
  std::erase(list, this);
  list.insert(list.begin(), this);
  Invalidate();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  DispatchScope scope(this);
  WndProc(message);
  return message.Result;
}

bool TControl::MouseCapture() const {
  return captureControl == this;
}

void TControl::SetMouseCapture(bool capture) {
  if (capture == MouseCapture()) return;
  captureControl = capture ? this : nullptr;
  auto* self = dynamic_cast<TWinControl*>(this);
  HWND wnd = self ? (self->HandleAllocated() ? self->Handle() : nullptr)
                  : (FParent && FParent->HandleAllocated() ? FParent->Handle() : nullptr);
  if (capture && wnd) {
    SetCapture(wnd);
  } else if (!capture && wnd && GetCapture() == wnd) {
    ReleaseCapture();
  }
}

void TControl::WndProc(TMessage& message) {
  if (message.Msg == WM_CANCELMODE || message.Msg == WM_CAPTURECHANGED) {
    if (captureControl == this) captureControl = nullptr;
  }
  Dispatch(message);
}

void TControl::HandleMouseButton(TMessage& message, TMouseButton button, bool down, bool doubleClick) {
  TWMMouse mouse(message);
  TShiftState shift = MouseKeysToShiftState(mouse.Keys);
  if (down) {
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (button == mbLeft && FControlStyle.Contains(csClickEvents)) FClickPending = true;
    if (doubleClick && FControlStyle.Contains(csDoubleClicks)) {
      shift.Include(ssDouble);
      DblClick();
      if (ComponentState().Contains(csDestroying)) return;
    }
    MouseDown(button, shift, mouse.XPos, mouse.YPos);
    return;
  }
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
  if (button == mbLeft && FClickPending) {
    FClickPending = false;
    TRect client = ClientRect();
    if (mouse.XPos >= client.Left && mouse.XPos < client.Right && mouse.YPos >= client.Top &&
        mouse.YPos < client.Bottom) {
      Click();
      if (ComponentState().Contains(csDestroying)) return;
    }
  }
  MouseUp(button, shift, mouse.XPos, mouse.YPos);
}

void TControl::Dispatch(TMessage& message) {
  // The window's own procedure sees mouse messages first (a system button clicks itself from them).
  if (message.Msg >= WM_MOUSEMOVE && message.Msg <= WM_MBUTTONDBLCLK && message.Msg != WM_MOUSEWHEEL) {
    DefaultHandler(message);
  }
  switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      HandleMouseButton(message, mbLeft, true, message.Msg == WM_LBUTTONDBLCLK);
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      HandleMouseButton(message, mbRight, true, message.Msg == WM_RBUTTONDBLCLK);
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      HandleMouseButton(message, mbMiddle, true, message.Msg == WM_MBUTTONDBLCLK);
      break;
    case WM_LBUTTONUP:
      HandleMouseButton(message, mbLeft, false, false);
      break;
    case WM_RBUTTONUP:
      HandleMouseButton(message, mbRight, false, false);
      // A window's default procedure asks for its context menu on this release; a graphic control has no window,
      // so it asks through its parent's, which opens this control's PopupMenu or its own.
      if (!dynamic_cast<TWinControl*>(this) && FParent && FParent->HandleAllocated() && !FreeStarted()) {
        TWMMouse mouse(message);
        TPoint screen = ClientToScreen(Point(mouse.XPos, mouse.YPos));
        HWND parent = FParent->Handle();
        SendMessageA(parent, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(parent), MAKELPARAM(screen.X, screen.Y));
      }
      break;
    case WM_MBUTTONUP:
      HandleMouseButton(message, mbMiddle, false, false);
      break;
    case WM_MOUSEMOVE: {
      TWMMouse mouse(message);
      MouseMove(MouseKeysToShiftState(mouse.Keys), mouse.XPos, mouse.YPos);
      break;
    }
    case CM_VISIBLECHANGED:
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
    case CM_COLORCHANGED:
      Invalidate();
      break;
    case CM_PARENTFONTCHANGED:
      if (FParentFont && FParent) TakeParentFont();
      break;
    case CM_FONTCHANGED:
      Invalidate();
      break;
    case WM_CONTEXTMENU:
      if (ContextPopup(static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam)))) {
        message.Result = 1;
      } else {
        DefaultHandler(message);
      }
      break;
    case CM_PARENTSHOWHINTCHANGED:
      if (FParentShowHint && FParent && FShowHint != FParent->ShowHint()) {
        FShowHint = FParent->ShowHint();
        ShowHintChanged();
      }
      break;
    case CM_PARENTCOLORCHANGED:
      if (FParentColor && FParent) {
        FColor = FParent->Color();
        Invalidate();
      }
      break;
    default:
      DefaultHandler(message);
  }
}

void TControl::DefaultHandler(TMessage& message) {}

void TControl::Click() {
  if (FOnClick) FOnClick(this);
}

void TControl::DblClick() {
  if (FOnDblClick) FOnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (FOnMouseDown) FOnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (FOnMouseMove) FOnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (FOnMouseUp) FOnMouseUp(this, button, shift, x, y);
}

void TControl::Publish(rtti::Builder& b) {
  b.Prop("Left", rtti::tiInteger, &TControl::Left, &TControl::SetLeft);
  b.Prop("Top", rtti::tiInteger, &TControl::Top, &TControl::SetTop);
  b.Prop("Width", rtti::tiInteger, &TControl::Width, &TControl::SetWidth);
  b.Prop("Height", rtti::tiInteger, &TControl::Height, &TControl::SetHeight);
  b.Prop("Color", rtti::tiColor, &TControl::Color, &TControl::SetColor);
  b.Prop("Cursor", rtti::tiCursor, &TControl::Cursor, &TControl::SetCursor);
  b.Prop("Enabled", rtti::tiBoolean, &TControl::Enabled, &TControl::SetEnabled);
  b.Prop("Visible", rtti::tiBoolean, &TControl::Visible, &TControl::SetVisible);
  b.Prop("Hint", rtti::tiString, &TControl::Hint, &TControl::SetHint);
  b.Prop("ShowHint", rtti::tiBoolean, &TControl::ShowHint, &TControl::SetShowHint);
  b.Prop("Font", rtti::ClassInfo<TFont>(), &TControl::Font, &TControl::SetFont);
  b.Prop("OnClick", rtti::MethodInfo<TNotifyEvent>(), &TControl::OnClick, &TControl::SetOnClick);
}

}  // namespace cl
