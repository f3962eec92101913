// Menu items, their HMENUs, command ids, shortcuts and dispatch.
#include "classlib/win/menus.h"

#include <algorithm>
#include <bitset>
#include <utility>

#include "classlib/core/exceptions.h"
#include "classlib/core/format.h"
#include "classlib/core/string_utils.h"
#include "classlib/win/application.h"
#include "classlib/win/hint_window.h"

namespace cl {
namespace {

constexpr UINT kFirstCommand = 1;
constexpr UINT kLastCommand = 0xEFFF;

// Command ids in use; allocated once, never freed (a plain pointer keeps static storage trivial).
std::vector<bool>* usedCommands = nullptr;

UINT AllocateCommand() {
  if (!usedCommands) usedCommands = new std::vector<bool>(kLastCommand + 1, false);
  for (UINT id = kFirstCommand; id <= kLastCommand; ++id) {
    if (!(*usedCommands)[id]) {
      (*usedCommands)[id] = true;
      return id;
    }
  }
  throw EOutOfResources("Out of menu command ids");
}

void ReleaseCommand(UINT id) {
  if (usedCommands && id >= kFirstCommand && id <= kLastCommand) (*usedCommands)[id] = false;
}

std::string KeyName(WORD key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F12) return Format("F%d", {key - VK_F1 + 1});
  switch (key) {
    case VK_BACK:
      return "BkSp";
    case VK_TAB:
      return "Tab";
    case VK_RETURN:
      return "Enter";
    case VK_ESCAPE:
      return "Esc";
    case VK_SPACE:
      return "Space";
    case VK_PRIOR:
      return "PgUp";
    case VK_NEXT:
      return "PgDn";
    case VK_END:
      return "End";
    case VK_HOME:
      return "Home";
    case VK_LEFT:
      return "Left";
    case VK_UP:
      return "Up";
    case VK_RIGHT:
      return "Right";
    case VK_DOWN:
      return "Down";
    case VK_INSERT:
      return "Ins";
    case VK_DELETE:
      return "Del";
    default:
      return "";
  }
}

}  // namespace

TShortCut ShortCut(WORD key, TShiftState shift) {
  TShortCut result = key & 0xFF;
  if (shift.Contains(ssShift)) result |= scShift;
  if (shift.Contains(ssCtrl)) result |= scCtrl;
  if (shift.Contains(ssAlt)) result |= scAlt;
  return result;
}

std::string ShortCutToText(TShortCut shortCut) {
  std::string name = KeyName(shortCut & 0xFF);
  if (name.empty()) return "";
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + name;
}

TShortCut TextToShortCut(std::string_view text) {
  static constexpr std::pair<std::string_view, TShortCut> kModifiers[] = {
      {"Shift+", scShift}, {"Ctrl+", scCtrl}, {"Alt+", scAlt}};
  TShortCut modifiers = 0;
  for (bool found = true; found;) {
    found = false;
    for (const auto& [prefix, flag] : kModifiers) {
      if (text.size() > prefix.size() && SameText(text.substr(0, prefix.size()), prefix)) {
        modifiers |= flag;
        text.remove_prefix(prefix.size());
        found = true;
      }
    }
  }
  for (WORD key = 1; key <= 0xFF; ++key) {
    if (const std::string name = KeyName(key); !name.empty() && SameText(name, text)) return modifiers | key;
  }
  return 0;
}

// --- TMenuItem ---

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), FCommand(AllocateCommand()) {}

void TMenuItem::BeforeDestruction() {
  inherited::BeforeDestruction();
  // Children first, then out of the parent's menu, then the (now empty) submenu.
  while (!FItems.empty()) {
    TMenuItem* child = FItems.back();
    Remove(child);
    if (!child->FreeStarted()) child->Free();
  }
  if (FParent) FParent->Remove(this);
  if (FHandle) {
    DestroyMenu(FHandle);
    FHandle = nullptr;
  }
  ReleaseCommand(std::exchange(FCommand, 0));
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", {index}));
  return FItems[index];
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item->FParent) throw EInvalidOperation("Menu inserted twice");
  index = std::clamp(index, 0, Count());
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
  RebuildHandle();
  Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  item->FParent = nullptr;
  RebuildHandle();
  Changed();
}

void TMenuItem::Delete(int index) {
  Remove(Items(index));
}

void TMenuItem::Clear() {
  while (!FItems.empty()) Items(Count() - 1)->Free();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenu* TMenuItem::Menu() const {
  const TMenuItem* root = this;
  while (root->FParent) root = root->FParent;
  return root->FMenu;
}

HMENU TMenuItem::Handle() {
  if (!FHandle) {
    TMenu* menu = FParent ? nullptr : FMenu;
    FHandle = (menu && menu->IsMenuBar()) ? CreateMenu() : CreatePopupMenu();
    if (!FHandle) throw EOutOfResources();
    RefillHandle();
  }
  return FHandle;
}

std::string TMenuItem::DisplayText() const {
  std::string shortCut = ShortCutToText(FShortCut);
  return shortCut.empty() ? FCaption : FCaption + "\t" + shortCut;
}

void TMenuItem::RebuildHandle() {
  RefillHandle();
  if (!FParent && FMenu && FMenu->FMergedInto) FMenu->FMergedInto->FItems->RefillHandle();
}

UINT TMenuItem::RemoveShownItems() {
  UINT first = 0;
  for (int position = GetMenuItemCount(FHandle) - 1; position >= 0; --position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID;
    if (!GetMenuItemInfoA(FHandle, position, TRUE, &info)) continue;
    if (std::find(FShownCommands.begin(), FShownCommands.end(), info.wID) == FShownCommands.end()) continue;
    // RemoveMenu, not DeleteMenu: the submenus belong to their items.
    RemoveMenu(FHandle, position, MF_BYPOSITION);
    first = position;
  }
  FShownCommands.clear();
  return first;
}

void TMenuItem::RefillHandle() {
  if (!FHandle) return;
  const std::vector<TMenuItem*> items = FParent || !FMenu ? FItems : FMenu->ShownItems();
  UINT position = RemoveShownItems();
  for (TMenuItem* item : items) {
    if (!item->FVisible) continue;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE;
    info.wID = item->FCommand;
    std::string text = item->DisplayText();
    if (item->FCaption == "-") {
      info.fType = MFT_SEPARATOR;
    } else {
      info.fMask |= MIIM_STRING;
      info.dwTypeData = text.data();
      if (item->FRadioItem) info.fType |= MFT_RADIOCHECK;
      if (item->FBreak) info.fType |= MFT_MENUBREAK;
      info.fState =
          (item->FChecked ? MFS_CHECKED : 0) | (item->FEnabled ? 0 : MFS_GRAYED) | (item->FDefault ? MFS_DEFAULT : 0);
    }
    if (!item->FItems.empty()) {
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = item->Handle();
    }
    if (InsertMenuItemA(FHandle, position, TRUE, &info)) {
      ++position;
      FShownCommands.push_back(item->FCommand);
    }
  }
}

void TMenuItem::Changed() {
  if (FParent) FParent->RebuildHandle();
  if (TMenu* menu = Menu()) menu->RedrawMenuBars();
}

void TMenuItem::SetCaption(const std::string& caption) {
  if (caption == FCaption) return;
  FCaption = caption;
  Changed();
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
  if (shortCut == FShortCut) return;
  FShortCut = shortCut;
  Changed();
}

void TMenuItem::SetChecked(bool checked) {
  if (checked == FChecked) return;
  FChecked = checked;
  Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  Changed();
}

void TMenuItem::SetVisible(bool visible) {
  if (visible == FVisible) return;
  FVisible = visible;
  Changed();
}

void TMenuItem::SetDefault(bool isDefault) {
  if (isDefault == FDefault) return;
  FDefault = isDefault;
  Changed();
}

void TMenuItem::SetRadioItem(bool radioItem) {
  if (radioItem == FRadioItem) return;
  FRadioItem = radioItem;
  Changed();
}

void TMenuItem::SetBreak(bool lineBreak) {
  if (lineBreak == FBreak) return;
  FBreak = lineBreak;
  Changed();
}

void TMenuItem::SetGroupIndex(uint8_t groupIndex) {
  if (groupIndex == FGroupIndex) return;
  FGroupIndex = groupIndex;
  Changed();  // a merged view orders and replaces by group
}

void TMenuItem::SetHint(const std::string& hint) {
  FHint = hint;
}

void TMenuItem::SetOnClick(const TNotifyEvent& handler) {
  FOnClick = handler;
}

void TMenuItem::Click() {
  DispatchScope scope(this);  // a handler may free the item
  if (FEnabled && FOnClick) FOnClick(this);
}

// --- TMenu ---

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(New<TMenuItem>(nullptr)) {
  FItems->FMenu = this;
}

void TMenu::BeforeDestruction() {
  inherited::BeforeDestruction();  // a menu this one is merged into lets go of it here
  SetMerged(nullptr);              // the merged menu's submenus must not go down with this menu's handle
  if (FWindowHandle && IsWindow(FWindowHandle) && GetMenu(FWindowHandle) == FItems->FHandle) {
    SetMenu(FWindowHandle, nullptr);
  }
  FItems->FMenu = nullptr;  // the root's items go one by one now, each rebuilding the root on its own
  FreeAndNil(FItems);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FMerged) SetMerged(nullptr);
  if (component == FMergedInto) FMergedInto = nullptr;
}

std::vector<TMenuItem*> TMenu::ShownItems() const {
  std::vector<TMenuItem*> items = FItems->FItems;
  if (!FMerged) return items;
  const std::vector<TMenuItem*>& merged = FMerged->FItems->FItems;
  std::bitset<256> mergedGroups;
  for (const TMenuItem* item : merged) mergedGroups.set(item->GroupIndex());
  std::erase_if(items, [&](const TMenuItem* item) { return mergedGroups.test(item->GroupIndex()); });
  items.insert(items.end(), merged.begin(), merged.end());
  std::stable_sort(items.begin(), items.end(),
                   [](const TMenuItem* a, const TMenuItem* b) { return a->GroupIndex() < b->GroupIndex(); });
  return items;
}

void TMenu::SetMerged(TMenu* menu) {
  if (menu == FMerged || menu == this) return;
  if (FMerged) {
    FMerged->FMergedInto = nullptr;
    RemoveFreeNotification(FMerged);
  }
  if (menu && menu->FMergedInto) menu->FMergedInto->SetMerged(nullptr);
  FMerged = menu;
  if (FMerged) {
    FMerged->FMergedInto = this;
    FreeNotification(FMerged);
  }
  FItems->RefillHandle();
  RedrawMenuBars();
}

void TMenu::RedrawMenuBars() const {
  if (FWindowHandle) DrawMenuBar(FWindowHandle);
  if (FMergedInto && FMergedInto->FWindowHandle) DrawMenuBar(FMergedInto->FWindowHandle);
}

void TMainMenu::Unmerge(TMainMenu* menu) {
  if (menu && Merged() == menu) SetMerged(nullptr);
}

TMenuItem* TMenu::FindItem(uintptr_t value, TFindItemKind kind) const {
  const std::vector<TMenuItem*> shown = ShownItems();
  std::vector<TMenuItem*> pending(shown.rbegin(), shown.rend());
  while (!pending.empty()) {
    TMenuItem* item = pending.back();
    pending.pop_back();
    const bool found = (kind == fkCommand && item->FCommand == value) ||
                       (kind == fkHandle && item->FHandle && reinterpret_cast<uintptr_t>(item->FHandle) == value) ||
                       (kind == fkShortCut && item->FShortCut != 0 && item->FShortCut == value);
    if (found) return item;
    pending.insert(pending.end(), item->FItems.rbegin(), item->FItems.rend());
  }
  return nullptr;
}

bool TMenu::DispatchCommand(UINT command) {
  TMenuItem* item = FindItem(command, fkCommand);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMenu::DispatchPopup(HMENU submenu) {
  TMenuItem* item = FindItem(reinterpret_cast<uintptr_t>(submenu), fkHandle);
  if (!item) return false;
  item->Click();
  return true;
}

TMenuItem* TMenu::FindSelectedItem(WPARAM wParam, LPARAM lParam) const {
  const UINT flags = HIWORD(wParam);
  const UINT idOrPosition = LOWORD(wParam);
  HMENU menu = reinterpret_cast<HMENU>(lParam);
  if (flags == 0xFFFF && !menu) return nullptr;  // the menu closed
  if (!(flags & MF_POPUP)) return FindItem(idOrPosition, fkCommand);
  HMENU submenu = menu ? GetSubMenu(menu, static_cast<int>(idOrPosition)) : nullptr;
  return submenu ? FindItem(reinterpret_cast<uintptr_t>(submenu), fkHandle) : nullptr;
}

void ShowMenuItemHint(const TMenuItem* item) {
  if (Application) Application->SetHint(item ? GetLongHint(item->Hint()) : "");
}

bool TMenu::IsShortCut(WORD key, TShiftState shift) {
  const TShortCut shortCut = cl::ShortCut(key, shift);
  if ((shortCut & 0xFF) == 0) return false;
  // A handler may change the item's shortcut: then the search runs once more.
  for (int attempt = 0; attempt < 2; ++attempt) {
    TMenuItem* item = FindItem(shortCut, fkShortCut);
    if (!item) return false;
    Weak<TMenuItem> target(item);
    std::vector<TMenuItem*> ancestors;
    // Up to, not including, the root: a merged item's root is another menu's.
    for (TMenuItem* p = item->Parent(); p && p->Parent(); p = p->Parent()) ancestors.push_back(p);
    // Ancestors are clicked from the top-level item down while enabled; a disabled one stops.
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
      if (!(*it)->Enabled()) return true;
      (*it)->Click();
      if (!target) return true;
    }
    if (item->ShortCut() != shortCut) continue;
    if (item->Enabled() && item->Visible()) item->Click();
    return true;
  }
  return true;
}

}  // namespace cl
