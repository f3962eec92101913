// TMainMenuEx: a dockable toolbar that stands in for a form's menu bar. It shows a TMenuBarButton for each visible
// top-level item of its MainMenu and takes the form's native menu away. Each button opens its item's sub-items as
// an owner-drawn menu with the bar's settings. On an MDI frame the active child's menu merges into the bar by
// group index, and a maximised child's icon (with its system menu) stands at the bar's left and its minimise,
// restore and close buttons at the right end.
#pragma once

#include <vector>

#include "classlib/win/menus.h"
#include "toolbars/core/menu_bar_layout.h"
#include "toolbars/menu_engine.h"
#include "toolbars/menu_options.h"
#include "toolbars/toolbar.h"

namespace cl {
class TStatusBar;
}

namespace tbr::menus {

class TMenuBarButton;

class TMainMenuEx : public TToolbar, public MenuBar {
  CL_PUBLISHED_CLASS(TMainMenuEx, TToolbar)
 public:
  explicit TMainMenuEx(cl::TComponent* owner);
  void BeforeDestruction() override;

  // The menu shown. Setting null raises EInvalidOperation "Value cannot be empty"; a new menu rebuilds the bar.
  cl::TMainMenu* MainMenu() const override { return FMainMenu; }
  void SetMainMenu(cl::TMainMenu* menu);
  // The look of the bar's menus; the setters copy.
  TOptions* Options() const { return FOptions; }
  void SetOptions(const TOptions* options) { FOptions->Assign(options); }
  TSubMenus* Submenus() const { return FSubmenus; }
  void SetSubmenus(const TSubMenus* submenus) { FSubmenus->Assign(submenus); }
  // The menus use the system's menu font (ParentFont then goes off).
  bool SystemFont() const { return FSystemFont; }
  void SetSystemFont(bool systemFont);
  // Buttons paint their whole area.
  bool OpaqueButtons() const { return FOpaqueButtons; }
  void SetOpaqueButtons(bool opaque);
  bool GrayWhenInactive() const { return FGrayWhenInactive; }
  void SetGrayWhenInactive(bool gray) { FGrayWhenInactive = gray; }
  // Where the hints of the bar's items go.
  cl::TStatusBar* StatusBar() const override { return FStatusBar; }
  void SetStatusBar(cl::TStatusBar* statusBar);
  int StatusBarIndex() const override { return FStatusBarIndex; }
  void SetStatusBarIndex(int index) { FStatusBarIndex = index; }
  // Given to every menu of the bar.
  const cl::TNotifyEvent& OnPopup() const { return FOnPopup; }
  void SetOnPopup(const cl::TNotifyEvent& handler) { FOnPopup = handler; }
  const cl::TNotifyEvent& OnMenuCommand() const { return FOnMenuCommand; }
  void SetOnMenuCommand(const cl::TNotifyEvent& handler) { FOnMenuCommand = handler; }
  const cl::TNotifyEvent& OnMenuClose() const { return FOnMenuClose; }
  void SetOnMenuClose(const cl::TNotifyEvent& handler) { FOnMenuClose = handler; }

  // Builds the buttons again (open menus close first). Between BeginUpdate and EndUpdate changes wait, and
  // EndUpdate rebuilds once.
  virtual void Rebuild();
  void BeginUpdate() override;
  void EndUpdate() override;
  bool Updating() const override { return FUpdating; }
  // Refreshes the one button that shows item (its caption, state, hint and click).
  void UpdateItemButton(cl::TMenuItem* item) override;
  // Follows the active MDI child: its maximised state (the MDI buttons) and its menu (merged into the bar).
  void CheckMDIChild();
  // Gives a menu of the bar the bar's settings.
  void ApplySettings(TCustomPopupMenuEx* menu);
  // The active MDI child's system menu, built again into the MDI button's menu with the bar's settings; null
  // without a child.
  TCustomPopupMenuEx* MDISystemMenu(TMenuBarButton* button);
  // Closes the active MDI child (a double click on its icon).
  void CloseActiveMDIChild();

  // MenuBar
  cl::TWinControl* Control() override { return this; }
  cl::TForm* OwnerForm() const override;
  std::vector<cl::TMenu*> MergedMenus() const override;
  bool KeyboardMode() const override { return FKeyboardMode; }
  void SetKeyboardMode(bool keyboardMode) override { FKeyboardMode = keyboardMode; }

  // The buttons stand across the bar: it is laid out on a dock at the left or right.
  bool ButtonsAcross() const { return FButtonsAcross; }

  // Keeps the spacer in front of an MDI child's window buttons as wide as the dock leaves room.
  void SetBounds(int left, int top, int width, int height) override;
  void Dispatch(cl::TMessage& message) override;

 protected:
  // Builds the buttons of the menu and takes the form's native menu away.
  void Loaded() override;
  void Notification(cl::TComponent* component, cl::TOperation operation) override;
  // The buttons take their size for the dock first.
  cl::TPoint LayoutChildren(bool canMoveControls, TDockOrientation previousOrientation, TDock* dockingTo) override;
  void ControlBoundsChanged(cl::TControl* control) override;

 private:
  TMenuBarButton* CreateItemButton(cl::TMenuItem* item, bool mdiButton);
  void FreeAllControls();
  void RebuildButtons();
  void UpdateMDIButtons();
  void RemoveNativeMenu();
  // A plain button at the bar's end: a window command of the maximised child, or (without a glyph) a disabled
  // filler.
  cl::TControl* AddPlainButton(const char* glyph, int width, int height, UINT command, const char* hint, bool enabled);
  cl::TForm* ActiveMDIChild() const;
  void SizeSpacer();

  cl::TMainMenu* FMainMenu = nullptr;
  TOptions* FOptions;
  TSubMenus* FSubmenus;
  bool FSystemFont = false;
  bool FOpaqueButtons = true;
  bool FGrayWhenInactive = true;
  cl::TStatusBar* FStatusBar = nullptr;
  int FStatusBarIndex = 0;
  cl::TNotifyEvent FOnPopup;
  cl::TNotifyEvent FOnMenuCommand;
  cl::TNotifyEvent FOnMenuClose;
  bool FUpdating = false;
  bool FKeyboardMode = false;
  std::vector<cl::Weak<cl::TMenu>> FMergedMenus;
  cl::Weak<TMenuBarButton> FMDIButton;
  // The spacer, the window buttons and the gap between them.
  std::vector<cl::Weak<cl::TControl>> FPlainButtons;
  cl::Weak<cl::TControl> FSpacer;
  bool FSizingSpacer = false;
  bool FButtonsAcross = false;
  int FFittingButtons = 0;
};

// Draws the small icon of an MDI child (else of its frame, else the program's, else the system's) at (0, 0).
void DrawSmallFormIcon(cl::TForm* frame, cl::TForm* child, HDC dc);

}  // namespace tbr::menus
