// TCustomPopupMenuEx: what the menu engine and the menu windows read of an owner-drawn popup menu: its look
// (Options, and Submenus for chosen submenus), where its item hints go, its command and close events, and its
// top-level window. The popup menus of the menu bar, of forms and of controls build their opening on it.
#pragma once

#include "classlib/win/menus.h"
#include "toolbars/menu_options.h"

namespace cl {
class TStatusBar;
}

namespace tbr::menus {

class MenuBarButton;
class TPopupMenuExForm;

class TCustomPopupMenuEx : public cl::TPopupMenu {
  CL_CLASS(TCustomPopupMenuEx, cl::TPopupMenu)
 public:
  explicit TCustomPopupMenuEx(cl::TComponent* owner);
  // Makes the top-level window, owned by the menu's owner.
  void AfterConstruction() override;
  // The engine forgets the menu if it is the open one; the window goes with it.
  void BeforeDestruction() override;

  // The setters copy.
  TOptions* Options() const { return FOptions; }
  void SetOptions(const TOptions* options) { FOptions->Assign(options); }
  TSubMenus* Submenus() const { return FSubmenus; }
  void SetSubmenus(const TSubMenus* submenus) { FSubmenus->Assign(submenus); }

  // The status bar (and its panel, unless it shows one simple text) that shows item hints; null: item hints go
  // to Application->Hint. Cleared when the status bar is freed.
  cl::TStatusBar* StatusBar() const { return FStatusBar; }
  void SetStatusBar(cl::TStatusBar* statusBar);
  int StatusBarIndex() const { return FStatusBarIndex; }
  void SetStatusBarIndex(int index) { FStatusBarIndex = index; }
  // Item hints also show in the menu hint window when the submenu timer fires on an item. A new ShowHint ends
  // ParentShowHint (on at first), which the menus of a bar take from the bar.
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool showHint);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool parentShowHint) { FParentShowHint = parentShowHint; }

  // An item was chosen (Sender: the item, or null for an item only the native menu has).
  const cl::TNotifyEvent& OnMenuCommand() const { return FOnMenuCommand; }
  void SetOnMenuCommand(const cl::TNotifyEvent& handler) { FOnMenuCommand = handler; }
  // A window closes (Sender: its selected item), or all close at once (Sender null).
  const cl::TNotifyEvent& OnMenuClose() const { return FOnMenuClose; }
  void SetOnMenuClose(const cl::TNotifyEvent& handler) { FOnMenuClose = handler; }

  // The top-level window; null once it is gone.
  TPopupMenuExForm* Window() const;
  // The window has a width and a height.
  bool IsOpen() const;
  // The menu-bar button that opened the menu (its popup component when that is one), or null.
  MenuBarButton* BarButton() const;
  // A system menu opened from its form's icon: an upward opening ends just below the form's top.
  virtual bool OpensFromFormIcon() const { return false; }

 protected:
  void Notification(cl::TComponent* component, cl::TOperation operation) override;

 private:
  TOptions* FOptions;
  TSubMenus* FSubmenus;
  cl::TStatusBar* FStatusBar = nullptr;
  int FStatusBarIndex = 0;
  bool FShowHint = false;
  bool FParentShowHint = true;
  cl::TNotifyEvent FOnMenuCommand;
  cl::TNotifyEvent FOnMenuClose;
  cl::Weak<TPopupMenuExForm> FWindow;
};

}  // namespace tbr::menus
