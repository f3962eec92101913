// TDropdownList: the window that owns toolbar buttons' dropdown popup menus while they are open, and hands the
// menu messages to the menu they belong to: commands and submenu openings to the menu, the selected item's hint to
// the application, and help requests (F1 on an item) to the application's help.
#pragma once

#include <windows.h>

#include <vector>

#include "classlib/core/component.h"
#include "classlib/win/messages.h"

namespace cl {
class TPopupMenu;
}

namespace tbr {

class TDropdownList : public cl::TComponent {
  CL_CLASS(TDropdownList, cl::TComponent)
 public:
  explicit TDropdownList(cl::TComponent* owner) : cl::TComponent(owner) {}
  void BeforeDestruction() override;

  // Lists the menu (once); the window is made with the first menu and goes with the last, when menus are freed.
  void RegisterMenu(cl::TPopupMenu* menu);
  // Null while no menu is listed.
  HWND Handle() const { return FWindow; }
  int MenuCount() const { return static_cast<int>(FMenus.size()); }

 protected:
  void Notification(cl::TComponent* component, cl::TOperation operation) override;

 private:
  void WndProc(cl::TMessage& message);
  void Help(const HELPINFO& info);

  std::vector<cl::TPopupMenu*> FMenus;
  HWND FWindow = nullptr;
};

// The buttons' shared list, made on first use and freed when the library ends.
TDropdownList* DropdownList();
// The list when it was made, else null.
TDropdownList* ExistingDropdownList();

}  // namespace tbr
