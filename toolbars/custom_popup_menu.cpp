#include "toolbars/custom_popup_menu.h"

#include "classlib/win/status_bar.h"
#include "toolbars/menu_engine.h"
#include "toolbars/popup_menu_form.h"

namespace tbr::menus {

TCustomPopupMenuEx::TCustomPopupMenuEx(cl::TComponent* owner)
    : cl::TPopupMenu(owner), FOptions(cl::New<TOptions>()), FSubmenus(cl::New<TSubMenus>(this)) {}

void TCustomPopupMenuEx::AfterConstruction() {
  inherited::AfterConstruction();
  // The menus' unit starts with the first menu a program makes.
  InitMenuUnit();
  FWindow = cl::CreateNew<TPopupMenuExForm>(Owner());
}

void TCustomPopupMenuEx::BeforeDestruction() {
  if (ActivePopupMenu() == this) SetActivePopupMenu(nullptr);
  if (TPopupMenuExForm* window = FWindow.get()) window->Free();
  SetStatusBar(nullptr);
  inherited::BeforeDestruction();
  cl::FreeAndNil(FOptions);
  cl::FreeAndNil(FSubmenus);
}

void TCustomPopupMenuEx::SetStatusBar(cl::TStatusBar* statusBar) {
  if (statusBar == FStatusBar) return;
  if (FStatusBar) FStatusBar->RemoveFreeNotification(this);
  FStatusBar = statusBar;
  if (FStatusBar) FStatusBar->FreeNotification(this);
}

void TCustomPopupMenuEx::SetShowHint(bool showHint) {
  if (showHint == FShowHint) return;
  FShowHint = showHint;
  FParentShowHint = false;
}

TPopupMenuExForm* TCustomPopupMenuEx::Window() const {
  return FWindow.get();
}

bool TCustomPopupMenuEx::IsOpen() const {
  TPopupMenuExForm* window = FWindow.get();
  return window && window->IsOpen();
}

MenuBarButton* TCustomPopupMenuEx::BarButton() const {
  return dynamic_cast<MenuBarButton*>(PopupComponent());
}

void TCustomPopupMenuEx::Notification(cl::TComponent* component, cl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == cl::opRemove && component == FStatusBar) FStatusBar = nullptr;
}

}  // namespace tbr::menus
