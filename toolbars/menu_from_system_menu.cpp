// An owner-drawn menu with the items of a window's system menu, for forms whose system menu the owner-drawn menus
// show.
#include <windows.h>

#include <string>
#include <string_view>

#include "classlib/win/forms.h"
#include "classlib/win/menus.h"
#include "toolbars/core/menu_text.h"
#include "toolbars/custom_popup_menu.h"
#include "toolbars/menu_engine.h"
#include "toolbars/menu_item.h"
#include "toolbars/popup_menu_ex.h"

namespace tbr::menus {
namespace {

struct SystemCommandName {
  UINT Command;
  const char* Name;
};
constexpr SystemCommandName kSystemCommandNames[] = {
    {SC_RESTORE, "SYSTEMRESTORE"},   {SC_MOVE, "SYSTEMMOVE"},         {SC_SIZE, "SYSTEMSIZE"},
    {SC_MINIMIZE, "SYSTEMMINIMIZE"}, {SC_MAXIMIZE, "SYSTEMMAXIMIZE"}, {SC_CLOSE, "SYSTEMCLOSE"},
};

const char* SystemCommandItemName(UINT command) {
  for (const SystemCommandName& entry : kSystemCommandNames) {
    if (entry.Command == command) return entry.Name;
  }
  return nullptr;
}

// The commands a window in this state cannot carry out.
bool CommandUnavailable(cl::TWindowState state, UINT command) {
  if (state == cl::wsNormal) return command == SC_RESTORE;
  if (state == cl::wsMaximized) return command == SC_SIZE || command == SC_MOVE || command == SC_MAXIMIZE;
  return false;
}

// The text of a native menu position, asked for by its length; "" for a position without text.
std::string PositionText(HMENU menu, int position) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  if (!GetMenuItemInfoA(menu, position, TRUE, &info) || info.cch == 0) return "";
  std::string text(info.cch + 1, '\0');
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  if (!GetMenuItemInfoA(menu, position, TRUE, &info)) return "";
  text.resize(info.cch);
  return text;
}

// Adds an item to parent for every readable position of the native menu, and the items of its submenus below them.
void ReadSystemMenu(HMENU native, cl::TMenuItem* parent, cl::TComponent* owner, cl::TForm* form) {
  const cl::TWindowState state = form->WindowState();
  const HWND target = form->Handle();
  bool defaultSeen = false;
  const int count = GetMenuItemCount(native);
  for (int position = 0; position < count; ++position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_FTYPE;
    if (!GetMenuItemInfoA(native, position, TRUE, &info)) continue;
    const UINT command = info.wID;
    if (const char* name = SystemCommandItemName(command)) {
      // An item of an earlier reading still has the name: it goes, so that the new one can take it.
      cl::Free(owner->FindComponent(name));
    }
    auto* item = cl::New<TMenuItem>(owner);
    if (const char* name = SystemCommandItemName(command)) item->SetName(name);
    if (info.fType & MFT_SEPARATOR) {
      item->SetCaption("-");
    } else {
      const MenuItemText text = SplitMenuItemText(PositionText(native, position));
      item->SetCaption(text.Caption);
      item->SetShortCut(cl::TextToShortCut(text.ShortCut));
    }
    item->SetEnabled(!CommandUnavailable(state, command));
    const bool isDefault = (info.fState & MFS_DEFAULT) || (command == SC_CLOSE && !defaultSeen);
    defaultSeen = defaultSeen || isDefault;
    item->SetDefault(isDefault);
    item->SetTag(command);
    item->SetOnClick(cl::TNotifyEvent([target](cl::TObject* sender) {
      PostMessageA(target, WM_SYSCOMMAND, static_cast<WPARAM>(static_cast<cl::TComponent*>(sender)->Tag()), 0);
    }));
    if (info.hSubMenu) ReadSystemMenu(info.hSubMenu, item, owner, form);
    parent->Add(item);
  }
}

}  // namespace

TCustomPopupMenuEx* MenuFromSystemMenu(cl::TComponent* owner, cl::TForm* form, TCustomPopupMenuEx* menu) {
  if (!owner || !form) return nullptr;
  HMENU native = GetSystemMenu(form->Handle(), FALSE);
  if (!native) return nullptr;
  if (menu) {
    menu->Items()->Clear();
  } else {
    menu = cl::New<TPopupMenuEx>(owner);
  }
  ReadSystemMenu(native, menu->Items(), owner, form);
  return menu;
}

}  // namespace tbr::menus
