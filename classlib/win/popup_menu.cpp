// TPopupMenu and the owner window its TrackPopupMenu calls share. The window exists while at least one popup
// menu does and has shown itself once; it finds the item a menu message means among all listed popup menus.
#include <utility>
#include <vector>

#include "classlib/win/menus.h"
#include "classlib/win/util_window.h"

namespace cl {
namespace {

// The listed popup menus and their owner window; a plain pointer keeps static storage trivial.
struct PopupList {
  std::vector<TPopupMenu*> Menus;
  HWND Window = nullptr;
};
PopupList* popupList = nullptr;

void RoutePopupMessage(TMessage& message);

void AddPopupMenu(TPopupMenu* menu) {
  if (!popupList) popupList = new PopupList;
  popupList->Menus.push_back(menu);
}

void RemovePopupMenu(TPopupMenu* menu) {
  if (!popupList) return;
  std::erase(popupList->Menus, menu);
  if (!popupList->Menus.empty()) return;
  DeallocateHWnd(popupList->Window);  // safe inside the window's own message
  delete std::exchange(popupList, nullptr);
}

HWND PopupOwnerWindow() {
  if (!popupList->Window) popupList->Window = AllocateHWnd(RoutePopupMessage);
  return popupList->Window;
}

// Offers the message to each listed menu until one finds its item; a click may free menus, so a copy is walked
// and the walk ends at the first taker.
template <class Handles>
bool OfferToMenus(Handles&& handles) {
  const std::vector<TPopupMenu*> menus = popupList->Menus;
  for (TPopupMenu* menu : menus) {
    DispatchScope scope(menu);
    if (handles(*menu)) return true;
  }
  return false;
}

void RoutePopupMessage(TMessage& message) {
  HWND window = popupList ? popupList->Window : nullptr;
  switch (message.Msg) {
    case WM_COMMAND:
      if (OfferToMenus([&](TPopupMenu& menu) { return menu.DispatchCommand(LOWORD(message.WParam)); })) return;
      break;
    case WM_INITMENUPOPUP:
      if (OfferToMenus([&](TPopupMenu& menu) { return menu.DispatchPopup(reinterpret_cast<HMENU>(message.WParam)); })) {
        return;
      }
      break;
    case WM_MENUSELECT: {
      TMenuItem* selected = nullptr;
      for (const TPopupMenu* menu : popupList->Menus) {
        selected = menu->FindSelectedItem(message.WParam, message.LParam);
        if (selected) break;
      }
      ShowMenuItemHint(selected);
      return;
    }
  }
  message.Result = DefWindowProcA(window, message.Msg, message.WParam, message.LParam);
}

UINT AlignmentFlag(TPopupAlignment alignment) {
  switch (alignment) {
    case paRight:
      return TPM_RIGHTALIGN;
    case paCenter:
      return TPM_CENTERALIGN;
    default:
      return TPM_LEFTALIGN;
  }
}

}  // namespace

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {
  AddPopupMenu(this);
}

void TPopupMenu::BeforeDestruction() {
  RemovePopupMenu(this);
  inherited::BeforeDestruction();
}

void TPopupMenu::SetPopupComponent(TComponent* component) {
  if (component == FPopupComponent) return;
  if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = component;
  if (FPopupComponent) FPopupComponent->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == opRemove && component == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::DoPopup() {
  if (FOnPopup) FOnPopup(this);
}

void TPopupMenu::Popup(int x, int y) {
  DispatchScope scope(this);  // OnPopup or a submenu's click may free the menu
  DoPopup();
  if (FreeStarted()) return;
  TrackPopupMenu(Handle(), AlignmentFlag(FAlignment), x, y, 0, PopupOwnerWindow(), nullptr);
}

}  // namespace cl
