#include "toolbars/popup_menu_ex.h"

#include "classlib/win/application.h"
#include "classlib/win/forms.h"
#include "classlib/win/graphics_tools.h"
#include "classlib/win/timer.h"
#include "toolbars/menu_engine.h"
#include "toolbars/popup_menu_form.h"
#include "toolbars/toolbar_button.h"

namespace tbr::menus {
namespace {

// A plain toolbar button (not a menu-bar button) keeps its menu's Popup waiting and closes it when clicked again.
bool IsPlainToolbarButton(cl::TComponent* component) {
  return dynamic_cast<TToolbarButton*>(component) && !dynamic_cast<MenuBarButton*>(component);
}

}  // namespace

TPopupMenuEx::TPopupMenuEx(cl::TComponent* owner) : TCustomPopupMenuEx(owner), FFont(cl::New<cl::TFont>()) {}

void TPopupMenuEx::BeforeDestruction() {
  inherited::BeforeDestruction();
  cl::FreeAndNil(FFont);
}

void TPopupMenuEx::SetFont(const cl::TFont* font) {
  FFont->Assign(font);
}

void TPopupMenuEx::SetParentFont(bool parentFont) {
  FParentFont = parentFont;
  if (parentFont) FSystemFont = false;
}

void TPopupMenuEx::SetSystemFont(bool systemFont) {
  FSystemFont = systemFont;
  if (systemFont) FParentFont = false;
}

void TPopupMenuEx::PrepareWindow(TPopupMenuExForm* window, int x, int y) {
  cl::TMenuItem* item = ShowItem() ? ShowItem() : Items();
  window->SetSourceItem(item);
  window->SetMenuHandle(FNativeMenu ? FNativeMenu : item->Handle());
  if (MenuBarButton* button = BarButton()) window->SetCursor(button->Control()->Cursor());
  auto* ownerForm = dynamic_cast<cl::TForm*>(Owner());
  if (FParentFont && ownerForm) {
    window->SetFont(ownerForm->Font());
  } else if (FSystemFont) {
    cl::Owned<cl::TFont> system = cl::MakeOwned<cl::TFont>();
    system->SetHandle(static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT)));
    window->SetFont(system.get());
  } else {
    window->SetFont(FFont);
  }
  window->SetOpenAnimation(Options()->OpenAnimation());
  window->SetCloseAnimation(Options()->CloseAnimation());
  window->SetOwnerMenu(this);
  window->SetChanged(true);
  window->SubmenuTimer()->SetInterval(SubmenuDelay());
  ApplyItemBitmaps(Owner());
  if (!window->Enabled()) window->SetEnabled(true);
  window->SetBounds(x, y, 0, 0);
  window->BringChainToFront();
}

void TPopupMenuEx::Popup(int x, int y) {
  cl::Weak<TPopupMenuEx> self = this;
  cl::Weak<TPopupMenuExForm> window = Window();
  if (!window) return;
  if (IsPlainToolbarButton(PopupComponent()) && IsOpen()) {
    window->AnimateClose();
    CloseAllMenus(false);
    return;
  }
  CloseAllMenus(false);
  SetActivePopupMenu(this);
  bool opened = false;
  try {
    DoPopup();
    if (!self || !window) return;
    if (auto* owner = dynamic_cast<cl::TControl*>(Owner())) owner->BringToFront();
    PrepareWindow(window.get(), x, y);
    opened = window->AnimateOpen();
  } catch (...) {
    if (window) window->HideMenu();
    if (self && ActivePopupMenu() == this) SetActivePopupMenu(nullptr);
    throw;
  }
  if (!self || !window) return;
  if (!opened) {
    window->HideMenu();
    if (ActivePopupMenu() == this) SetActivePopupMenu(nullptr);
    return;
  }
  if (IsPlainToolbarButton(PopupComponent())) {
    WaitWhileOpen();
    if (window) window->HideMenu();
    if (self && ActivePopupMenu() == this) SetActivePopupMenu(nullptr);
  }
}

void TPopupMenuEx::WaitWhileOpen() {
  cl::Weak<TPopupMenuEx> self = this;
  // HandleMessage sleeps in WaitMessage while nothing happens, so an open menu costs no processor time.
  while (self && IsOpen() && !cl::Application->Terminated()) {
    try {
      cl::Application->HandleMessage();
    } catch (...) {
      cl::Application->HandleException(self.get());
    }
  }
}

}  // namespace tbr::menus
