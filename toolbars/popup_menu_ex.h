// TPopupMenuEx: a popup menu whose Popup shows the owner-drawn, animated menu window instead of the system's
// menu. Right clicks and WM_CONTEXTMENU on a control that names it, and dropdown buttons, open it; the menu stays
// open after Popup returns, driven by the engine's hook, except from a plain toolbar button, which stays down
// while Popup waits for the menu to close.
#pragma once

#include <windows.h>

#include "toolbars/custom_popup_menu.h"

namespace cl {
class TFont;
}

namespace tbr::menus {

class TPopupMenuEx : public TCustomPopupMenuEx {
  CL_CLASS(TPopupMenuEx, TCustomPopupMenuEx)
 public:
  explicit TPopupMenuEx(cl::TComponent* owner);
  void BeforeDestruction() override;

  // Opens the menu window at the screen point (x, y), placed inside the work area. From a plain toolbar button
  // whose menu is open, it closes the menu instead.
  void Popup(int x, int y) override;

  // The font of the rows: the owner form's with ParentFont, the system's proportional one with SystemFont, else
  // Font. Each of the two flags clears the other; the setter copies.
  cl::TFont* Font() const { return FFont; }
  void SetFont(const cl::TFont* font);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool parentFont);
  bool SystemFont() const { return FSystemFont; }
  void SetSystemFont(bool systemFont);

  // The item whose sub-items show (a menu-bar button sets its bar item); null: the menu's own Items. And a
  // native menu read in place of that item's.
  cl::TMenuItem* ShowItem() const { return FShowItem.get(); }
  void SetShowItem(cl::TMenuItem* item) { FShowItem = item; }
  HMENU NativeMenu() const { return FNativeMenu; }
  void SetNativeMenu(HMENU menu) { FNativeMenu = menu; }

 private:
  // Gives the window the menu's items, font, animations and timer, at (x, y) with zero size.
  void PrepareWindow(TPopupMenuExForm* window, int x, int y);
  // Handles messages until the menu closes or the program ends.
  void WaitWhileOpen();

  cl::TFont* FFont;
  bool FParentFont = true;
  bool FSystemFont = false;
  cl::Weak<cl::TMenuItem> FShowItem;
  HMENU FNativeMenu = nullptr;
};

}  // namespace tbr::menus
