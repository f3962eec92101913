// The menu window's rows, layout, selection, mouse, submenu timer and submenus. Painting is in
// popup_menu_paint.cpp, opening and closing in popup_animation.cpp.
#include "toolbars/popup_menu_form.h"

#include <algorithm>

#include "classlib/core/exceptions.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/menus.h"
#include "classlib/win/screen.h"
#include "classlib/win/timer.h"
#include "toolbars/core/menu_text.h"
#include "toolbars/custom_popup_menu.h"
#include "toolbars/menu_engine.h"
#include "toolbars/menu_hint_window.h"

namespace tbr::menus {
namespace {

// A submenu opens this far left of its parent's right edge.
constexpr int kSubmenuOverlap = 7;
// Rows whose caption starts so stand for the control of that name on the window.
constexpr std::string_view kControlRowPrefix = "::";

// The last mouse position any menu window recorded (screen coordinates); moves too small to matter from it are
// ignored.
cl::TPoint lastMousePoint = cl::Point(-10000, -10000);

// The form above a window in the chain of owners: the owner form, or for an MDI child its frame.
cl::TForm* OwnerFrameForm(cl::TComponent* owner) {
  auto* form = dynamic_cast<cl::TForm*>(owner);
  while (form && form->FormStyle() == cl::fsMDIChild && form->HandleAllocated()) {
    // The child's parent is the frame's MDI client window, whose parent is the frame.
    auto* frame = dynamic_cast<cl::TForm*>(cl::FindControl(GetParent(GetParent(form->Handle()))));
    if (!frame) break;
    form = frame;
  }
  return form;
}

bool IsWindowOfThisProgram(HWND wnd) {
  if (!wnd) return false;
  if (cl::Application && wnd == cl::Application->Handle()) return true;
  if (THintWindowEx* hint = MenuHint(); hint && hint->HandleAllocated() && hint->Handle() == wnd) return true;
  for (int i = 0; i < cl::Screen->FormCount(); ++i) {
    cl::TForm* form = cl::Screen->Forms(i);
    if (form->HandleAllocated() && form->Handle() == wnd) return true;
  }
  return false;
}

}  // namespace

TPopupMenuExForm::TPopupMenuExForm(cl::TComponent* owner) : cl::TForm(owner) {}

void TPopupMenuExForm::AfterConstruction() {
  inherited::AfterConstruction();
  SetBorderStyle(cl::bsNone);
  SetFormStyle(cl::fsStayOnTop);
  FBuffer = cl::New<cl::TBitmap>();
  FDefaultOptions = cl::New<TOptions>();
  FSubmenuTimer = cl::New<cl::TTimer>(this);
  FSubmenuTimer->SetEnabled(false);
  FSubmenuTimer->SetInterval(SubmenuDelay());
  FSubmenuTimer->SetOnTimer(cl::TNotifyEvent([this](cl::TObject* sender) { TimerTick(sender); }));
  SetBounds(0, 0, 0, 0);
  // Shown for good at zero size, without taking the activation from the form the menu belongs to.
  ShowWindow(Handle(), SW_SHOWNA);
  InstallMenuMessageHook();
}

void TPopupMenuExForm::BeforeDestruction() {
  FSourceItem = nullptr;
  HideMenuHint();
  if (TPopupMenuExForm* parent = ParentMenu(); parent && parent->Submenu() == this) parent->FSubmenu = nullptr;
  ReleaseSubmenu();
  inherited::BeforeDestruction();
  cl::FreeAndNil(FBuffer);
  cl::FreeAndNil(FDefaultOptions);
}

void TPopupMenuExForm::SetSourceItem(cl::TMenuItem* item) {
  FSourceItem = item;
}

void TPopupMenuExForm::SetOwnerMenu(TCustomPopupMenuEx* menu) {
  FOwnerMenu = menu;
}

TBaseOptions* TPopupMenuExForm::ActiveOptions() const {
  TCustomPopupMenuEx* menu = OwnerMenu();
  if (!menu) return FDefaultOptions;
  if (TSubmenuOptions* options = menu->Submenus()->OptionsOf(SourceItem())) return options;
  return menu->Options();
}

TPopupMenuExForm* TPopupMenuExForm::DeepestMenu() {
  TPopupMenuExForm* form = this;
  while (TPopupMenuExForm* below = form->Submenu()) form = below;
  return form;
}

cl::TMenuItem* TPopupMenuExForm::SelectedItem() const {
  if (FItemIndex < 0 || FItemIndex >= ItemCount()) return nullptr;
  return FRows[FItemIndex].Item.get();
}

cl::TMenuItem* TPopupMenuExForm::RequireSelectedItem() const {
  cl::TMenuItem* item = SelectedItem();
  if (!item) throw cl::Exception("Cannot find menu item.");
  return item;
}

int TPopupMenuExForm::IndexOfItem(const cl::TMenuItem* item) const {
  for (int i = 0; i < ItemCount(); ++i) {
    if (item && FRows[i].Item.get() == item) return i;
  }
  return -1;
}

std::vector<cl::TMenuItem*> TPopupMenuExForm::VisibleItems() const {
  std::vector<cl::TMenuItem*> items;
  if (cl::TMenuItem* source = SourceItem()) {
    for (int i = 0; i < source->Count(); ++i) {
      if (source->Items(i)->Visible()) items.push_back(source->Items(i));
    }
  }
  return items;
}

TPopupMenuExForm::Row TPopupMenuExForm::ReadRow(int position, const std::vector<cl::TMenuItem*>& items) {
  Row row;
  TBaseOptions* options = ActiveOptions();
  // A record of its own for every read, its text asked for by size: a shared one would keep the last reader's
  // text length and, for a bitmap entry, a handle where the text should go.
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_FTYPE | MIIM_STRING;
  if (!GetMenuItemInfoA(FMenuHandle, position, TRUE, &info)) {
    row.Layout.Kind = rkUnreadable;
    return row;
  }
  std::string text;
  if (!(info.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)) && info.cch > 0) {
    // A second record: a read without MIIM_SUBMENU clears the submenu field.
    MENUITEMINFOA textInfo{};
    textInfo.cbSize = sizeof textInfo;
    textInfo.fMask = MIIM_STRING;
    text.resize(info.cch + 1);
    textInfo.dwTypeData = text.data();
    textInfo.cch = static_cast<UINT>(text.size());
    if (GetMenuItemInfoA(FMenuHandle, position, TRUE, &textInfo)) {
      text.resize(textInfo.cch);
    } else {
      text.clear();
    }
  }
  row.Id = info.wID;
  row.HasSubmenu = info.hSubMenu != nullptr;
  row.CheckedBitmap = info.hbmpChecked;
  row.UncheckedBitmap = info.hbmpUnchecked;
  // The item is found by its command id, so that entries others put into the native menu never shift them.
  for (cl::TMenuItem* item : items) {
    if (item->Command() == info.wID) row.Item = item;
  }
  const MenuItemText split = SplitMenuItemText(text);
  if (cl::TMenuItem* item = row.Item.get()) {
    const MenuItemText caption = SplitMenuItemText(item->Caption());
    row.Caption = caption.Caption;
    row.ShortCut = item->ShortCut() ? cl::ShortCutToText(item->ShortCut()) : caption.ShortCut;
    row.Name = item->Name();
    row.Enabled = item->Enabled();
    row.Checked = item->Checked();
    row.Radio = item->RadioItem();
    row.Default = item->Default();
  } else {
    row.Caption = split.Caption;
    row.ShortCut = split.ShortCut;
    row.Enabled = !(info.fState & (MFS_DISABLED | MFS_GRAYED));
    row.Checked = info.fState & MFS_CHECKED;
    row.Radio = info.fType & MFT_RADIOCHECK;
    row.Default = info.fState & MFS_DEFAULT;
  }
  if ((info.fType & MFT_SEPARATOR) || row.Caption == "-") {
    row.Layout.Kind = rkSeparator;
    row.Layout.Height = options->SeparatorHeight();
    return row;
  }
  row.Layout.Height = options->ItemHeight();
  if (row.Caption.starts_with(kControlRowPrefix)) {
    row.Control = true;
    if (auto* control = dynamic_cast<cl::TControl*>(FindComponent(row.Caption.substr(kControlRowPrefix.size())))) {
      row.Layout.Height = control->Height();
      row.Layout.CaptionWidth = control->Width();
    }
    return row;
  }
  cl::TCanvas* canvas = FBuffer->Canvas();
  cl::TFontStyles style = Font()->Style();
  if (row.Default) style.Include(cl::fsBold);
  canvas->Font()->SetStyle(style);
  row.Layout.CaptionWidth = canvas->TextWidth(DisplayedCaption(row.Caption));
  canvas->Font()->SetStyle(Font()->Style());
  row.Layout.ShortCutWidth = row.ShortCut.empty() ? 0 : canvas->TextWidth(row.ShortCut);
  return row;
}

void TPopupMenuExForm::ReadRows() {
  FRows.clear();
  if (!FMenuHandle) return;
  // The buffer's canvas measures the text, so it needs a DC before the window's size is known.
  if (FBuffer->Empty()) FBuffer->SetSize(1, 1);
  FBuffer->Canvas()->SetFont(Font());
  const std::vector<cl::TMenuItem*> items = VisibleItems();
  const int count = std::max(0, GetMenuItemCount(FMenuHandle));
  for (int position = 0; position < count; ++position) FRows.push_back(ReadRow(position, items));
}

bool TPopupMenuExForm::HasSideTitle() const {
  return !ParentMenu() && ActiveOptions()->Title()->Visible();
}

MenuLayoutOptions TPopupMenuExForm::LayoutOptions() const {
  TBaseOptions* options = ActiveOptions();
  MenuLayoutOptions layout;
  layout.ItemSpace = options->ItemSpace();
  layout.Indent = options->Indent();
  if (HasSideTitle()) {
    layout.TitleWidth = options->Title()->Width();
    layout.TitleAlign = options->Title()->Align();
  }
  layout.FitToBackground = options->FitToBackground();
  layout.BackgroundWidth = options->Background()->Width();
  layout.BackgroundHeight = options->Background()->Height();
  return layout;
}

std::vector<MenuRow> TPopupMenuExForm::RowLayouts() const {
  std::vector<MenuRow> rows;
  rows.reserve(FRows.size());
  for (const Row& row : FRows) rows.push_back(row.Layout);
  return rows;
}

int TPopupMenuExForm::GetContentHeight() {
  if (!FMenuHandle) return 0;
  return LayOutMenu(RowLayouts(), LayoutOptions()).ContentHeight;
}

int TPopupMenuExForm::GetContentWidth() {
  if (!FMenuHandle) return 0;
  const MenuLayout layout = LayOutMenu(RowLayouts(), LayoutOptions());
  FTextWidth = layout.TextWidth;
  return layout.ContentWidth;
}

cl::TPoint TPopupMenuExForm::LayoutSize() {
  const int indent = ActiveOptions()->Indent();
  const int width = GetContentWidth() + 2 * indent + 10;
  const int height = GetContentHeight() + 2 * kMenuEdge;
  return cl::Point(width, height);
}

int TPopupMenuExForm::GetSelectedItemTop() {
  return MenuRowsHeightBefore(RowLayouts(), FItemIndex);
}

int TPopupMenuExForm::ItemAtPoint(int x, int y) {
  if (!FMenuHandle) return -1;
  return MenuRowAtPoint(RowLayouts(), LayoutOptions(), FBuffer->Width(), x, y);
}

void TPopupMenuExForm::PrepareBuffer(cl::TPoint size) {
  FBuffer->SetSize(size.X, size.Y);
  FFullPaint = true;
}

void TPopupMenuExForm::BeginOpening() {
  FAnimating = true;
  FClosing = false;
}

void TPopupMenuExForm::FinishOpening() {
  FAnimating = false;
  FClosing = false;
  if (OwnerMenu()) FSubmenuTimer->SetEnabled(true);
  if (FSelectFirstOnOpen) {
    FSelectFirstOnOpen = false;
    SelectItem(0);
  }
}

void TPopupMenuExForm::RaiseWindow() {
  if (cl::Application && cl::Application->MainForm() && !cl::Application->MainForm()->Visible()) {
    SetForegroundWindow(Handle());
  }
  // A window made before its form was shown can stay below the form on the screen however topmost it is;
  // leaving the topmost band and coming back puts it on top there too.
  SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  HideMenuCaret();
  ShowItemHint(SelectedItem(), false);
}

void TPopupMenuExForm::PrepareKeyboardOpen() {
  FSelectFirstOnOpen = true;
  FSkipMouseMove = true;
}

void TPopupMenuExForm::SelectItem(int index) {
  HideMenuHint();
  if (index == FItemIndex) return;
  FPrevItemIndex = FItemIndex;
  FItemIndex = ResolveMenuSelection(RowLayouts(), index, FPrevItemIndex);
  FChanged = true;
  FKeyboardSelect = true;
  PaintNow();
  ShowItemHint(SelectedItem(), false);
}

void TPopupMenuExForm::ReleaseSubmenu() {
  TPopupMenuExForm* submenu = Submenu();
  if (!submenu) return;
  FSubmenu = nullptr;
  submenu->SetClosing(true);
  submenu->Release();
}

void TPopupMenuExForm::CloseSubmenu() {
  cl::Weak<TPopupMenuExForm> open = Submenu();
  if (!open) return;
  FSubmenu = nullptr;
  open->SetClosing(true);
  // A window still opening ends its opening itself when it sees Closing.
  if (!open->Animating()) {
    open->AnimateClose();  // its OnMenuClose may free windows
    if (open) open->Release();
  }
}

void TPopupMenuExForm::OpenSubmenu() {
  cl::Weak<TPopupMenuExForm> self = this;
  CloseSubmenu();
  if (!self) return;
  DispatchPendingPaints();
  if (!self || FItemIndex < 0 || FItemIndex >= ItemCount()) return;
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE | MIIM_SUBMENU;
  if (!GetMenuItemInfoA(FMenuHandle, FItemIndex, TRUE, &info) || !info.hSubMenu ||
      (info.fState & (MFS_DISABLED | MFS_GRAYED))) {
    return;
  }
  cl::Weak<TPopupMenuExForm> submenu = cl::CreateNew<TPopupMenuExForm>(Owner());
  try {
    submenu->SetFont(Font());
    submenu->FParentMenu = this;
    FSubmenu = submenu.get();
    submenu->FOpenAnimation = FOpenAnimation;
    submenu->FCloseAnimation = FCloseAnimation;
    submenu->FOwnerMenu = FOwnerMenu;
    submenu->FMenuHandle = info.hSubMenu;
    cl::TMenuItem* item = SelectedItem();
    submenu->FSourceItem = item;
    // The item hears that its submenu opens, and may still change its sub-items.
    if (item && item->OnClick()) item->OnClick()(item);
    if (!self || !submenu) return;
    const cl::TPoint corner = ClientToScreen(cl::Point(Width() - kSubmenuOverlap, GetSelectedItemTop()));
    submenu->SetBounds(corner.X, corner.Y, 0, 0);
    // An opening overtaken by another selection ends by itself; a window no longer linked here goes.
    if (!submenu->AnimateOpen() && submenu && (!self || Submenu() != submenu.get())) {
      submenu->HideMenu();
      submenu->Release();
    }
  } catch (...) {
    if (self && Submenu() == submenu.get()) FSubmenu = nullptr;
    if (submenu) submenu->Release();
    throw;
  }
}

void TPopupMenuExForm::HideMenu() {
  FSubmenuTimer->SetEnabled(false);
  ReleaseSubmenu();
  SetBounds(Left(), Top(), 0, 0);
  FItemIndex = -1;
  DispatchPendingPaints();
}

void TPopupMenuExForm::BringChainToFront() {
  for (TPopupMenuExForm* form = this; form; form = form->Submenu()) {
    SetWindowPos(form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (THintWindowEx* hint = MenuHint(); hint && hint->IsHintShowing()) {
    SetWindowPos(hint->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void TPopupMenuExForm::SelectionChanged(int index, bool byKeyboard) {
  FPrevItemIndex = FItemIndex;
  FItemIndex = index;
  FChanged = true;
  FKeyboardSelect = byKeyboard;
  PaintNow();
}

void TPopupMenuExForm::MouseMove(cl::TShiftState shift, int x, int y) {
  if (FAnimating || FClosing) return;
  const cl::TPoint screen = ClientToScreen(cl::Point(x, y));
  if (IsMenuMouseJitter(lastMousePoint, screen)) return;
  lastMousePoint = screen;
  if (FSkipMouseMove) {
    FSkipMouseMove = false;
    return;
  }
  const int index = ItemAtPoint(x, y);
  if (index == FItemIndex) return;
  FSubmenuTimer->SetEnabled(false);
  ShowStatusHint("");
  HideMenuHint();
  SelectionChanged(index, false);
  ShowItemHint(SelectedItem(), false);
  FSubmenuTimer->SetEnabled(true);
}

void TPopupMenuExForm::MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  if (FAnimating || FClosing) return;
  HideMenuHint();
  BringChainToFront();
}

void TPopupMenuExForm::MouseUp(cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  if (FAnimating || FClosing) return;
  ShowStatusHint("");
  HideMenuHint();
  if (Submenu()) {
    if (cl::TForm* owner = OwnerFrameForm(Owner()); owner && owner->Visible() && owner->CanFocus()) owner->SetFocus();
    return;
  }
  RunSelected();
}

void TPopupMenuExForm::RunSelected() {
  if (cl::TMenuItem* item = SelectedItem()) {
    if (item->Count() > 0) {
      OpenSubmenu();
      return;
    }
    if (!item->Enabled() || item->Caption() == "-") return;
    FSubmenuTimer->SetEnabled(false);
    cl::Weak<cl::TMenuItem> chosen = item;
    cl::Weak<TCustomPopupMenuEx> menu = OwnerMenu();
    RunCommand();
    PlayMenuSound(msCommand);
    if (menu && menu->OnMenuCommand()) menu->OnMenuCommand()(chosen.get());
    if (chosen && chosen->OnClick()) chosen->OnClick()(chosen.get());
    return;
  }
  // A position only the native menu has: its command goes to the form as the system menu would send it.
  if (FItemIndex < 0 || FItemIndex >= ItemCount()) return;
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
  if (!GetMenuItemInfoA(FMenuHandle, FItemIndex, TRUE, &info)) return;
  if ((info.fType & MFT_SEPARATOR) || (info.fState & (MFS_DISABLED | MFS_GRAYED))) return;
  if (info.hSubMenu) {
    OpenSubmenu();
    return;
  }
  cl::Weak<TCustomPopupMenuEx> menu = OwnerMenu();
  cl::TForm* owner = OwnerFrameForm(Owner());
  HWND target = owner && owner->HandleAllocated() ? owner->Handle() : nullptr;
  RunCommand();
  PlayMenuSound(msCommand);
  if (menu && menu->OnMenuCommand()) menu->OnMenuCommand()(nullptr);
  if (target) PostMessageA(target, WM_COMMAND, info.wID, 0);
  if (MenuBar* bar = ActiveMenuBar(); bar && bar->Control()->HandleAllocated()) {
    PostMessageA(bar->Control()->Handle(), WM_MENUBAR_MDICHANGED, 0, 0);
  }
}

void TPopupMenuExForm::RunCommand() {
  cl::Weak<TPopupMenuExForm> self = this;
  CloseAllMenus(true);
  if (!self) return;
  FClosing = true;
  if (cl::TForm* owner = OwnerFrameForm(Owner()); owner && owner->HandleAllocated()) {
    SendMessageA(owner->Handle(), WM_NCACTIVATE, TRUE, 0);
  }
  ShowMenuCaret();
}

void TPopupMenuExForm::MouseLeft() {
  if (FAnimating) return;
  const bool submenuRow = FItemIndex >= 0 && FItemIndex < ItemCount() && FRows[FItemIndex].HasSubmenu;
  if (!submenuRow && FItemIndex != -1) SelectionChanged(-1, FKeyboardSelect);
  ShowStatusHint("");
  HideMenuHint();
}

void TPopupMenuExForm::TimerTick(cl::TObject*) {
  cl::Weak<TPopupMenuExForm> self = this;
  FSubmenuTimer->SetEnabled(false);
  if (FChanged) {
    FChanged = false;
    if (!FKeyboardSelect) ShowItemHint(SelectedItem(), true);
    if (!self) return;  // the program's hint handler may close the menus
    TPopupMenuExForm* open = Submenu();
    if (!open || open->SourceItem() != SelectedItem() || !SelectedItem()) OpenSubmenu();
  }
  if (!self) return;
  // Another program came to the front: the menus give way.
  if (!IsWindowOfThisProgram(GetForegroundWindow())) {
    ShowMenuCaret();
    CloseAllMenus(false);
    if (MenuBar* bar = ActiveMenuBar()) bar->SetKeyboardMode(false);
  }
  if (self && !FClosing) FSubmenuTimer->SetEnabled(true);
}

void TPopupMenuExForm::Activated() {
  cl::TForm* owner = OwnerFrameForm(Owner());
  if (owner && owner->Visible() && !owner->ComponentState().Contains(cl::csDestroying) && owner->HandleAllocated()) {
    SendMessageA(owner->Handle(), WM_NCACTIVATE, TRUE, 0);
  }
}

void TPopupMenuExForm::SetZOrder(bool topMost) {
  if (Parent() || !HandleAllocated()) {
    inherited::SetZOrder(topMost);
    return;
  }
  HWND after = topMost ? HWND_TOP : HWND_BOTTOM;
  if (FormStyle() == cl::fsStayOnTop) after = topMost ? HWND_TOPMOST : HWND_NOTOPMOST;
  SetWindowPos(Handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TPopupMenuExForm::Dispatch(cl::TMessage& message) {
  switch (message.Msg) {
    case WM_ACTIVATE:
      if (LOWORD(message.WParam) == WA_ACTIVE && dynamic_cast<cl::TForm*>(Owner())) {
        Activated();
        return;
      }
      break;
    case WM_MOUSEACTIVATE:
      message.Result = MA_NOACTIVATE;
      if (cl::TForm* owner = OwnerFrameForm(Owner()); owner && owner->HandleAllocated()) {
        SetActiveWindow(owner->Handle());
      }
      return;
    case WM_SETFOCUS:
      if (cl::TForm* owner = OwnerFrameForm(Owner()); FAnimating && owner && owner->Visible() && owner->CanFocus()) {
        owner->SetFocus();
        return;
      }
      break;
    case WM_ERASEBKGND:
      // The buffer covers the whole window.
      message.Result = 1;
      return;
    case cl::CM_MOUSELEAVE:
      MouseLeft();
      break;
    case cl::CM_VISIBLECHANGED:
    case cl::CM_SHOWINGCHANGED:
      // A menu window shows and hides without ever taking the activation.
      if (HandleAllocated()) {
        if (Visible()) {
          ShowWindow(Handle(), SW_SHOWNA);
          SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
          ShowWindow(Handle(), SW_HIDE);
        }
      }
      return;
  }
  inherited::Dispatch(message);
}

}  // namespace tbr::menus
