// TDropdownList: the owner window of open dropdown menus.
#include "toolbars/dropdown_list.h"

#include <algorithm>
#include <utility>

#include "classlib/win/application.h"
#include "classlib/win/forms.h"
#include "classlib/win/menus.h"
#include "classlib/win/screen.h"
#include "classlib/win/util_window.h"

namespace tbr {
namespace {

TDropdownList* list = nullptr;

void FreeDropdownList() {
  cl::FreeAndNil(list);
}

// Offers a message to the menus until one takes it. A handler may free menus (and with the last one this window):
// the walk goes over weak copies, stops at the first taker and steps over menus that are gone.
template <class Takes>
void OfferToMenus(const std::vector<cl::TPopupMenu*>& listed, Takes&& takes) {
  const std::vector<cl::Weak<cl::TPopupMenu>> menus(listed.begin(), listed.end());
  for (const cl::Weak<cl::TPopupMenu>& menu : menus) {
    if (menu && takes(*menu.get())) return;
  }
}

}  // namespace

TDropdownList* DropdownList() {
  if (!list) {
    list = cl::New<TDropdownList>(nullptr);
    cl::AddExitProc(FreeDropdownList);
  }
  return list;
}

TDropdownList* ExistingDropdownList() {
  return list;
}

void TDropdownList::BeforeDestruction() {
  inherited::BeforeDestruction();
  for (cl::TPopupMenu* menu : FMenus) menu->RemoveFreeNotification(this);
  FMenus.clear();
  if (FWindow) cl::DeallocateHWnd(std::exchange(FWindow, nullptr));
}

void TDropdownList::RegisterMenu(cl::TPopupMenu* menu) {
  if (!menu || std::find(FMenus.begin(), FMenus.end(), menu) != FMenus.end()) return;
  if (!FWindow) FWindow = cl::AllocateHWnd([this](cl::TMessage& message) { WndProc(message); });
  FMenus.push_back(menu);
  menu->FreeNotification(this);
}

void TDropdownList::Notification(cl::TComponent* component, cl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation != cl::opRemove) return;
  std::erase(FMenus, component);
  if (FMenus.empty() && FWindow) cl::DeallocateHWnd(std::exchange(FWindow, nullptr));
}

void TDropdownList::WndProc(cl::TMessage& message) {
  switch (message.Msg) {
    case WM_COMMAND:
      OfferToMenus(FMenus, [&](cl::TPopupMenu& menu) { return menu.DispatchCommand(LOWORD(message.WParam)); });
      break;
    case WM_INITMENUPOPUP:
      OfferToMenus(FMenus,
                   [&](cl::TPopupMenu& menu) { return menu.DispatchPopup(reinterpret_cast<HMENU>(message.WParam)); });
      break;
    case WM_MENUSELECT: {
      const cl::TMenuItem* selected = nullptr;
      for (cl::TPopupMenu* menu : FMenus) {
        if ((selected = menu->FindSelectedItem(message.WParam, message.LParam))) break;
      }
      cl::ShowMenuItemHint(selected);
      break;
    }
    case WM_HELP:
      Help(*reinterpret_cast<const HELPINFO*>(message.LParam));
      break;
    default:
      break;
  }
  message.Result = DefWindowProcA(FWindow, message.Msg, message.WParam, message.LParam);
}

void TDropdownList::Help(const HELPINFO& info) {
  const auto itemHandle = reinterpret_cast<uintptr_t>(info.hItemHandle);
  const cl::TMenuItem* item = nullptr;
  for (cl::TPopupMenu* menu : FMenus) {
    // The item lies in the menu itself or in one of its submenus.
    if (reinterpret_cast<uintptr_t>(menu->Handle()) != itemHandle && !menu->FindItem(itemHandle, cl::fkHandle)) {
      continue;
    }
    item = menu->FindItem(static_cast<uintptr_t>(info.iCtrlId), cl::fkCommand);
    if (!item) item = menu->FindItem(itemHandle, cl::fkHandle);
    break;
  }
  // Help about nothing this list knows gives none.
  cl::TForm* form = cl::Screen ? cl::Screen->ActiveForm() : nullptr;
  if (!item || !form || !cl::Application) return;
  if (form->BorderIcons().Contains(cl::biHelp)) {
    cl::Application->HelpCommand(HELP_CONTEXTPOPUP, static_cast<ULONG_PTR>(item->HelpContext()));
  } else {
    cl::Application->HelpContext(item->HelpContext());
  }
}

}  // namespace tbr
