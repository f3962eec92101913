// The engine's state for the process, shared by its files (menu_engine.cpp, menu_hooks.cpp); not for other
// users, who go through menu_engine.h.
#pragma once

#include <windows.h>

#include <vector>

#include "classlib/core/object.h"
#include "toolbars/menu_engine.h"

namespace tbr::menus {

struct MenuEngineState {
  cl::Weak<TCustomPopupMenuEx> ActivePopupMenu;
  std::vector<MenuBar*> MenuBars;
  cl::Weak<cl::TControl> HotButton;
  cl::Weak<cl::TControl> LastButton;
  // Set when a press of Alt or F10 closed menus or Alt with a letter opened a bar menu, so that the release of
  // Alt that follows does not light up a bar button.
  bool AltConsumed = false;
  int SubmenuDelay = 250;
  cl::Weak<THintWindowEx> MenuHint;
  THintWindowEx* OwnedMenuHint = nullptr;  // the one the unit made
  HBITMAP CheckMarkBitmap = nullptr;
  HBITMAP RadioItemBitmap = nullptr;
  cl::TBitmap* PatternBitmap = nullptr;
  bool Started = false;
  bool CaretHidden = false;
};

// Made on first use; gone with the library's end.
MenuEngineState& EngineState();

// Removes the hooks (the unit's end).
void RemoveMenuHooks();

// The menu-bar button a control is, or null.
MenuBarButton* AsBarButton(cl::TControl* control);

}  // namespace tbr::menus
