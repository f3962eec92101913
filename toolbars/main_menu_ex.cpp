#include "toolbars/main_menu_ex.h"

#include <algorithm>

#include "classlib/core/exceptions.h"
#include "classlib/core/finally.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/icon.h"
#include "classlib/win/status_bar.h"
#include "toolbars/custom_popup_menu.h"
#include "toolbars/dock.h"
#include "toolbars/menu_bar_button.h"
#include "toolbars/menu_form.h"
#include "toolbars/popup_menu_ex.h"

namespace tbr::menus {
namespace {

constexpr int kMenuTimeout = 10;
// The MDI button's icon cell, and the window buttons of a maximised child.
constexpr int kMDIGlyphSize = 17;
constexpr int kWindowButtonWidth = 16;
constexpr int kWindowButtonHeight = 14;
constexpr int kWindowButtonGap = 2;

// The active MDI child as the bars saw it last (one child is active at a time in a program).
MDIChildView rememberedChild;

}  // namespace

TMainMenuEx::TMainMenuEx(cl::TComponent* owner)
    : TToolbar(owner), FOptions(cl::New<TOptions>()), FSubmenus(cl::New<TSubMenus>(this)) {
  InitMenuUnit();
  SetCaption("Menu Bar");
  SetFullSize(true);
  FOptions->SetTimeout(kMenuTimeout);
  RegisterMenuBar(this);
  if (cl::TForm* form = OwnerForm(); form && form->FormStyle() == cl::fsMDIForm) InstallMenuCbtHook();
}

// The dock is published, so that a form's settings can keep where its menu bar stands.
void TMainMenuEx::Publish(cl::rtti::Builder& b) {
  b.Prop("DockedTo", cl::rtti::ClassInfo<TDock>(), &TCustomToolWindow::DockedTo, &TCustomToolWindow::SetDockedTo);
}

void TMainMenuEx::BeforeDestruction() {
  UnregisterMenuBar(this);
  SetStatusBar(nullptr);
  if (FMainMenu) FMainMenu->RemoveFreeNotification(this);
  FMainMenu = nullptr;
  inherited::BeforeDestruction();
  cl::FreeAndNil(FOptions);
  cl::FreeAndNil(FSubmenus);
}

cl::TForm* TMainMenuEx::OwnerForm() const {
  return dynamic_cast<cl::TForm*>(Owner());
}

std::vector<cl::TMenu*> TMainMenuEx::MergedMenus() const {
  std::vector<cl::TMenu*> menus;
  for (const cl::Weak<cl::TMenu>& menu : FMergedMenus) {
    if (menu) menus.push_back(menu.get());
  }
  return menus;
}

cl::TForm* TMainMenuEx::ActiveMDIChild() const {
  cl::TForm* form = OwnerForm();
  return form && form->FormStyle() == cl::fsMDIForm ? form->ActiveMDIChild() : nullptr;
}

// ---- Properties ----

void TMainMenuEx::SetMainMenu(cl::TMainMenu* menu) {
  if (!menu) throw cl::EInvalidOperation("Value cannot be empty");
  if (FMainMenu) FMainMenu->RemoveFreeNotification(this);
  FMainMenu = menu;
  FMainMenu->FreeNotification(this);
  if (!ComponentState().Contains(cl::csLoading)) Rebuild();
}

void TMainMenuEx::SetSystemFont(bool systemFont) {
  FSystemFont = systemFont;
  if (FSystemFont) SetParentFont(false);
}

void TMainMenuEx::SetOpaqueButtons(bool opaque) {
  FOpaqueButtons = opaque;
  for (int i = 0; i < ControlCount(); ++i) {
    if (auto* button = dynamic_cast<TMenuBarButton*>(Controls(i)); button && !button->IsMDIButton()) {
      button->SetOpaque(opaque);
    }
  }
}

void TMainMenuEx::SetStatusBar(cl::TStatusBar* statusBar) {
  if (statusBar == FStatusBar) return;
  if (FStatusBar) FStatusBar->RemoveFreeNotification(this);
  FStatusBar = statusBar;
  if (FStatusBar) FStatusBar->FreeNotification(this);
}

void TMainMenuEx::Notification(cl::TComponent* component, cl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation != cl::opRemove) return;
  if (component == FStatusBar) FStatusBar = nullptr;
  if (component == FMainMenu) FMainMenu = nullptr;
}

void TMainMenuEx::ApplySettings(TCustomPopupMenuEx* menu) {
  menu->SetOptions(FOptions);
  menu->SetSubmenus(FSubmenus);
  if (auto* popup = dynamic_cast<TPopupMenuEx*>(menu)) {
    popup->SetFont(Font());
    popup->SetParentFont(ParentFont());
    popup->SetSystemFont(FSystemFont);
  }
  menu->SetStatusBar(FStatusBar);
  menu->SetStatusBarIndex(FStatusBarIndex);
  menu->SetShowHint(ShowHint());
  menu->SetParentShowHint(ParentShowHint());
  menu->SetOnPopup(FOnPopup);
  menu->SetOnMenuCommand(FOnMenuCommand);
  menu->SetOnMenuClose(FOnMenuClose);
}

// ---- Building ----

void TMainMenuEx::Loaded() {
  if (FMainMenu) {
    FreeAllControls();
    for (int i = 0; i < FMainMenu->Items()->Count(); ++i) {
      cl::TMenuItem* item = FMainMenu->Items()->Items(i);
      if (item->Visible()) CreateItemButton(item, false);
    }
    RemoveNativeMenu();
  }
  // After the buttons, so that the bar fits them as it finishes loading.
  inherited::Loaded();
  if (cl::TForm* form = OwnerForm(); form && form->FormStyle() == cl::fsMDIForm) InstallMenuCbtHook();
}

TMenuBarButton* TMainMenuEx::CreateItemButton(cl::TMenuItem* item, bool mdiButton) {
  auto* button = cl::New<TMenuBarButton>(this);
  button->SetFont(Font());
  button->SetParentFont(false);
  button->SetDropdownArrow(false);
  button->SetAllowAllUp(true);
  button->SetShowHint(ShowHint());
  button->SetParentShowHint(false);
  button->SetCursor(Cursor());
  button->SetMDIButton(mdiButton);
  button->SetOpaque(FOpaqueButtons);
  if (item) {
    button->SetItem(item);
    button->SetCaption(item->Caption());
    button->SetEnabled(item->Enabled());
    button->SetHint(item->Hint());
    button->SetOnClick(item->OnClick());
    if (item->Default()) button->Font()->SetStyle({cl::fsBold});
    if (cl::TMenuItem* parent = item->Parent()) {
      // The item's own bitmap (from the form's item bitmaps) as the glyph.
      MENUITEMINFOA info{};
      info.cbSize = sizeof(info);
      info.fMask = MIIM_CHECKMARKS;
      int position = 0;
      for (int i = 0; i < item->MenuIndex(); ++i) position += parent->Items(i)->Visible() ? 1 : 0;
      if (GetMenuItemInfoA(parent->Handle(), position, TRUE, &info) && info.hbmpUnchecked) {
        cl::TBitmap borrowed;
        borrowed.SetHandle(info.hbmpUnchecked);
        button->SetGlyph(&borrowed);
        // The menu keeps its bitmap.
        borrowed.ReleaseHandle();
      }
    }
    if (item->Count() > 0) {
      button->SetGroupIndex(1);
      auto* menu = cl::New<TPopupMenuEx>(Owner());
      ApplySettings(menu);
      button->SetOwnedDropdown(menu);
    }
  }
  button->SetParent(this);
  button->SetAutoSize(true);
  return button;
}

void TMainMenuEx::FreeAllControls() {
  // Each button takes its dropdown menu with it.
  for (int i = ControlCount() - 1; i >= 0; --i) Controls(i)->Free();
}

void TMainMenuEx::RebuildButtons() {
  FMergedMenus.clear();
  cl::TForm* child = ActiveMDIChild();
  cl::TMainMenu* childMenu = child ? child->Menu() : nullptr;
  if (cl::TForm* form = OwnerForm()) ApplyItemBitmaps(form);
  if (child) ApplyItemBitmaps(child);
  FreeAllControls();
  auto view = [](cl::TMainMenu* menu) {
    std::vector<MenuBarItem> items;
    for (int i = 0; menu && i < menu->Items()->Count(); ++i) {
      const cl::TMenuItem* item = menu->Items()->Items(i);
      items.push_back({item->GroupIndex(), item->Visible()});
    }
    return items;
  };
  const std::vector<MenuBarItem> frameItems = view(FMainMenu);
  const std::vector<MenuBarItem> childItems = view(childMenu);
  for (const MenuBarEntry& entry : MergeMenuBarItems(frameItems, childMenu ? &childItems : nullptr)) {
    cl::TMainMenu* menu = entry.FromChild ? childMenu : FMainMenu;
    CreateItemButton(menu->Items()->Items(entry.Index), false);
  }
  if (childMenu) FMergedMenus.emplace_back(childMenu);
}

void TMainMenuEx::Rebuild() {
  if (FUpdating) return;
  BeginUpdate();
  EndUpdate();
}

void TMainMenuEx::BeginUpdate() {
  if (FUpdating) return;
  FUpdating = true;
  LockArrange();
}

void TMainMenuEx::EndUpdate() {
  if (!FUpdating) return;
  CloseAllMenus(false);
  RebuildButtons();
  UpdateMDIButtons();
}

void TMainMenuEx::UpdateItemButton(cl::TMenuItem* item) {
  for (int i = 0; i < ControlCount(); ++i) {
    auto* button = dynamic_cast<TMenuBarButton*>(Controls(i));
    if (!button || button->Item() != item) continue;
    button->SetCaption(item->Caption());
    button->SetEnabled(item->Enabled());
    button->SetHint(item->Hint());
    button->SetOnClick(item->OnClick());
    button->Font()->SetStyle(item->Default() ? cl::TFontStyles{cl::fsBold} : cl::TFontStyles{});
    button->DropImages();
    button->AdjustSize();
    button->Invalidate();
  }
  if (FUpdating) {
    FUpdating = false;
    UnlockArrange();
  }
  RemoveNativeMenu();
}

void TMainMenuEx::RemoveNativeMenu() {
  // The menus' own form keeps the menu it loses.
  tbr::menus::RemoveNativeMenu(OwnerForm());
}

// ---- MDI ----

TCustomPopupMenuEx* TMainMenuEx::MDISystemMenu(TMenuBarButton* button) {
  cl::TForm* child = ActiveMDIChild();
  if (!child) return nullptr;
  TCustomPopupMenuEx* menu = MenuFromSystemMenu(OwnerForm(), child, button->DropdownMenuEx());
  if (!menu) return nullptr;
  if (menu != button->DropdownMenuEx()) button->SetOwnedDropdown(menu);
  ApplySettings(menu);
  // The child's own system menu looks as the child wants it.
  if (auto* form = dynamic_cast<TForm*>(child); form && form->SystemMenu() && form->SystemMenu()->Enabled()) {
    menu->SetOptions(form->SystemMenu()->Options());
  }
  menu->SetPopupComponent(button);
  return menu;
}

void TMainMenuEx::CloseActiveMDIChild() {
  if (cl::TForm* child = ActiveMDIChild()) child->Close();
}

cl::TControl* TMainMenuEx::AddPlainButton(const char* glyph, int width, int height, UINT command, const char* hint,
                                          bool enabled) {
  auto* button = cl::New<TToolbarButton>(this);
  if (glyph) {
    cl::TBitmap picture;
    picture.LoadFromResourceName(GetModuleHandleA(nullptr), glyph);
    button->SetGlyph(&picture);
    button->SetFlat(false);
    button->SetDisplayMode(dmGlyphOnly);
  }
  button->SetBounds(0, 0, width, height);
  button->SetEnabled(enabled);
  button->SetTag(command);
  button->SetHint(hint ? hint : "");
  button->SetShowHint(ShowHint());
  button->SetOnClick(cl::TNotifyEvent([this, command](cl::TObject*) {
    if (cl::TForm* child = ActiveMDIChild()) SendMessageA(child->Handle(), WM_SYSCOMMAND, command, 0);
  }));
  button->SetParent(this);
  FPlainButtons.emplace_back(button);
  return button;
}

void TMainMenuEx::UpdateMDIButtons() {
  if (!FUpdating) return;
  if (TMenuBarButton* old = FMDIButton.get()) old->Free();
  for (const cl::Weak<cl::TControl>& control : FPlainButtons) {
    if (control) control->Free();
  }
  FPlainButtons.clear();
  cl::TForm* child = ActiveMDIChild();
  if (child && child->WindowState() == cl::wsMaximized) {
    TMenuBarButton* mdi = CreateItemButton(nullptr, true);
    FMDIButton = mdi;
    mdi->SetDisplayMode(dmGlyphOnly);
    mdi->SetTag(SC_CLOSE);
    if (TCustomPopupMenuEx* menu = MenuFromSystemMenu(OwnerForm(), child, nullptr)) {
      ApplySettings(menu);
      mdi->SetOwnedDropdown(menu);
    }
    cl::TBitmap icon;
    icon.SetSize(kMDIGlyphSize, kMDIGlyphSize);
    icon.Canvas()->Brush()->SetColor(Color());
    icon.Canvas()->FillRect(cl::Rect(0, 0, kMDIGlyphSize, kMDIGlyphSize));
    DrawSmallFormIcon(OwnerForm(), child, icon.Canvas()->Handle());
    mdi->SetGlyph(&icon);
    mdi->AdjustSize();
    // The icon goes first: the other controls come off the bar and go back on after it, in their order.
    std::vector<cl::TControl*> others;
    for (cl::TControl* control : ChildOrder()) {
      if (control != mdi) others.push_back(control);
    }
    for (cl::TControl* control : others) control->SetParent(nullptr);
    for (cl::TControl* control : others) control->SetParent(this);
    FSpacer = AddPlainButton(nullptr, 1, 1, 0, nullptr, false);
    const cl::TBorderIcons icons = child->BorderIcons();
    if (icons.Contains(cl::biMinimize) || icons.Contains(cl::biMaximize)) {
      AddPlainButton("MINIMIZE_SMALL", kWindowButtonWidth, kWindowButtonHeight, SC_MINIMIZE, "Minimize window",
                     icons.Contains(cl::biMinimize));
      AddPlainButton("RESTORE_SMALL", kWindowButtonWidth, kWindowButtonHeight, SC_RESTORE, "Restore window",
                     icons.Contains(cl::biMaximize));
      AddPlainButton(nullptr, kWindowButtonGap, 0, 0, nullptr, false);
    }
    AddPlainButton("CLOSE_SMALL", kWindowButtonWidth, kWindowButtonHeight, SC_CLOSE, "Close window", true);
    SizeSpacer();
  }
  FUpdating = false;
  UnlockArrange();
  FitToContent();
  SizeSpacer();
  cl::TForm* form = OwnerForm();
  if (form && form->Visible() && form->HandleAllocated() && AppHasActiveWindow()) {
    SetWindowPos(form->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_DRAWFRAME | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RemoveNativeMenu();
  DispatchPendingPaints();
}

void TMainMenuEx::CheckMDIChild() {
  cl::TForm* child = ActiveMDIChild();
  MDIChildView now;
  if (child) {
    now.Maximized = child->WindowState() == cl::wsMaximized;
    now.Menu = child->Menu();
  }
  const MDIChildChange change = DetectMDIChildChange(now, rememberedChild);
  rememberedChild = now;
  if (!change.State && !change.Menu) return;
  BeginUpdate();
  if (change.Menu) {
    CloseAllMenus(false);
    RebuildButtons();
  }
  UpdateMDIButtons();
}

// ---- Size ----

void TMainMenuEx::SizeSpacer() {
  cl::TControl* spacer = FSpacer.get();
  if (!spacer || FSizingSpacer) return;
  FSizingSpacer = true;
  cl::Finally done([this] { FSizingSpacer = false; });
  const TDock* dock = DockedTo();
  if (dock && (dock->Position() == dpTop || dock->Position() == dpBottom)) {
    int others = 0;
    for (int i = 0; i < ControlCount(); ++i) {
      if (Controls(i) != spacer && Controls(i)->Visible()) others += Controls(i)->Width();
    }
    const bool wasPlaceholder = spacer->Width() == 1 && spacer->Height() == 1;
    spacer->SetBounds(spacer->Left(), spacer->Top(), MenuBarSpacerWidth(dock->ClientWidth(), others), 0);
    if (wasPlaceholder) FitToContent();
  } else {
    spacer->SetBounds(spacer->Left(), spacer->Top(), 1, 1);
  }
}

cl::TPoint TMainMenuEx::LayoutChildren(bool canMoveControls, TDockOrientation previousOrientation, TDock* dockingTo) {
  if (canMoveControls) {
    FButtonsAcross = dockingTo && dockingTo->Orientation() == doVertical;
    ++FFittingButtons;
    cl::Finally fitted([this] { --FFittingButtons; });
    for (int i = 0; i < ControlCount(); ++i) {
      if (auto* button = dynamic_cast<TMenuBarButton*>(Controls(i))) button->AdjustSize();
    }
  }
  return inherited::LayoutChildren(canMoveControls, previousOrientation, dockingTo);
}

void TMainMenuEx::ControlBoundsChanged(cl::TControl* control) {
  // The layout that resizes the buttons places them next.
  if (FFittingButtons == 0) inherited::ControlBoundsChanged(control);
}

void TMainMenuEx::SetBounds(int left, int top, int width, int height) {
  inherited::SetBounds(left, top, width, height);
  SizeSpacer();
}

void TMainMenuEx::Dispatch(cl::TMessage& message) {
  if (message.Msg == WM_MENUBAR_MDICHANGED) {
    CheckMDIChild();
    return;
  }
  inherited::Dispatch(message);
}

// ---- Helpers ----

void DrawSmallFormIcon(cl::TForm* frame, cl::TForm* child, HDC dc) {
  auto iconOf = [](cl::TForm* form) -> HICON {
    if (!form || !form->HandleAllocated()) return nullptr;
    for (WPARAM kind : {ICON_BIG, ICON_SMALL}) {
      if (auto icon = reinterpret_cast<HICON>(SendMessageA(form->Handle(), WM_GETICON, kind, 0))) return icon;
    }
    return reinterpret_cast<HICON>(GetClassLongPtrA(form->Handle(), GCLP_HICON));
  };
  HICON icon = iconOf(child);
  if (!icon) icon = iconOf(frame);
  if (!icon && cl::Application->Icon()) icon = cl::Application->Icon()->Handle();
  if (!icon) icon = LoadIconA(nullptr, IDI_APPLICATION);
  const int size = GetSystemMetrics(SM_CXSMICON);
  // The copy at the small size is ours to destroy; an icon that cannot be copied is drawn as it is.
  auto copy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, size, size, LR_COPYFROMRESOURCE));
  DrawIconEx(dc, 0, 0, copy ? copy : icon, size, size, 0, nullptr, DI_NORMAL);
  if (copy) DestroyIcon(copy);
}

}  // namespace tbr::menus
