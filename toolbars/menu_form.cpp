#include "toolbars/menu_form.h"

#include "classlib/win/application.h"
#include "classlib/win/menus.h"
#include "toolbars/menu_engine.h"
#include "toolbars/system_menu_ex.h"

namespace tbr::menus {
namespace {

// From the icon the menu opens at the client area's top-left corner, this far up; an iconic form's below its
// caption.
constexpr int kIconMenuRaise = 1;
constexpr int kIconicMenuDrop = 20;

bool IsCaptionOrIcon(WPARAM hitTest) {
  return hitTest == HTCAPTION || hitTest == HTSYSMENU;
}

cl::TPoint MessagePoint(const cl::TMessage& message) {
  return cl::Point(static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam)));
}

}  // namespace

void TForm::Loaded() {
  inherited::Loaded();
  if (!SystemMenu()) cl::New<TSystemMenuEx>(this);
}

bool TForm::SystemMenuEnabled() const {
  // A form made without loading has no system menu of its own: the system handles its caption.
  return SystemMenu() && SystemMenu()->Enabled();
}

void TForm::ShowSystemMenuAt(int x, int y, bool fromIcon) {
  if (AnyMenuOpen()) return;
  FFromIcon = fromIcon;
  if (fromIcon) {
    const cl::TPoint origin = ClientOrigin();
    FPopupPoint = cl::Point(origin.X, origin.Y + (IsIconic(Handle()) ? kIconicMenuDrop : -kIconMenuRaise));
  } else {
    FPopupPoint = cl::Point(x, y);
  }
  ShowSystemMenu();
}

void TForm::ShowSystemMenu() {
  cl::TComponent* owner = Owner();
  if (!owner || owner == cl::Application) owner = this;
  // A window without a system menu shows nothing, and keeps the menu it had.
  cl::Weak<TSystemMenuEx> menu = SystemMenu();
  if (!menu || !MenuFromSystemMenu(owner, this, menu.get())) return;
  menu->SetPopupComponent(FFromIcon ? this : nullptr);
  if (menu->OnShow()) menu->OnShow()(this);
  if (!menu) return;
  if (menu->AllowAdjust()) menu->Options()->SetOpenAnimation(FFromIcon ? anSmart : anPopup);
  menu->Popup(FPopupPoint.X, FPopupPoint.Y);
}

bool TForm::NonClientLeftDown(cl::TMessage& message) {
  if (FSkipSystemPress) {
    FSkipSystemPress = false;
    return true;
  }
  if (!SystemMenuEnabled()) return false;
  CloseAllMenus(false);
  if (message.WParam == HTSYSMENU) {
    const cl::TPoint point = MessagePoint(message);
    ShowSystemMenuAt(point.X, point.Y, true);
    return true;
  }
  if (message.WParam == HTCAPTION) {
    // The system's caption loop takes the release; these two come after it, the press to be skipped and the
    // release to open an iconic form's menu.
    FSkipSystemPress = true;
    PostMessageA(Handle(), WM_NCLBUTTONDOWN, HTSYSMENU, message.LParam);
    PostMessageA(Handle(), WM_NCLBUTTONUP, HTCAPTION, message.LParam);
  }
  return false;
}

bool TForm::NonClientLeftUp(cl::TMessage& message) {
  if (!SystemMenuEnabled()) return false;
  MSG waiting;
  if (!PeekMessageA(&waiting, Handle(), WM_NCMOUSEMOVE, WM_NCMOUSEMOVE, PM_NOREMOVE)) return true;
  if (message.WParam == HTCAPTION && IsIconic(Handle())) {
    const cl::TPoint point = MessagePoint(message);
    ShowSystemMenuAt(point.X, point.Y, false);
  }
  return IsCaptionOrIcon(message.WParam);
}

void TForm::Dispatch(cl::TMessage& message) {
  switch (message.Msg) {
    case WM_NCLBUTTONDOWN:
      if (NonClientLeftDown(message)) return;
      break;
    case WM_NCLBUTTONDBLCLK:
      CloseAllMenus(false);
      break;
    case WM_NCLBUTTONUP:
      if (NonClientLeftUp(message)) return;
      break;
    case WM_NCRBUTTONDOWN:
      if (SystemMenuEnabled() && IsCaptionOrIcon(message.WParam)) return;
      break;
    case WM_NCRBUTTONUP:
      if (SystemMenuEnabled() && IsCaptionOrIcon(message.WParam)) {
        const cl::TPoint point = MessagePoint(message);
        ShowSystemMenuAt(point.X, point.Y, false);
        return;
      }
      break;
  }
  inherited::Dispatch(message);
}

void RemoveNativeMenu(cl::TComponent* component) {
  auto* form = dynamic_cast<cl::TForm*>(component);
  if (!form || !form->Menu() || dynamic_cast<cl::TForm*>(form->Owner())) return;
  // Only the menus' own form has a place to keep it.
  if (auto* menuForm = dynamic_cast<TForm*>(form)) menuForm->SetNativeMenu(form->Menu());
  form->SetMenu(nullptr);
}

}  // namespace tbr::menus
