// Native menus: TMenuItem trees shown through real HMENUs, TMainMenu on a form's menu bar and TPopupMenu.
// An item's Handle holds its visible sub-items in order and is rebuilt after every change (entries the system
// adds itself, such as the MDI window list, stay where they are). WM_COMMAND finds the item by its command id and
// clicks it; WM_INITMENUPOPUP clicks the item whose submenu opens, so a top-level OnClick fires when its menu
// opens; a shortcut key clicks its item through its enabled ancestors. An MDI frame's main menu shows the active
// child's menu merged into it by GroupIndex.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/core/component.h"
#include "classlib/core/events.h"
#include "classlib/win/controls.h"

namespace cl {

using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

TShortCut ShortCut(WORD key, TShiftState shift);
// English key names: "Ctrl+O", "F9", "Shift+Del", "Alt+BkSp"; "" for 0.
std::string ShortCutToText(TShortCut shortCut);
// The shortcut such a text names, modifiers in any order and case ignored; 0 when the text names no key.
TShortCut TextToShortCut(std::string_view text);

class TMenu;

class TMenuItem : public TComponent {
  CL_CLASS(TMenuItem, TComponent)
 public:
  explicit TMenuItem(TComponent* owner);
  void BeforeDestruction() override;

  // "-" is a separator. Returned exactly as set.
  const std::string& Caption() const { return FCaption; }
  virtual void SetCaption(const std::string& caption);
  TShortCut ShortCut() const { return FShortCut; }
  virtual void SetShortCut(TShortCut shortCut);
  bool Checked() const { return FChecked; }
  virtual void SetChecked(bool checked);
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool enabled);
  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool visible);
  bool Default() const { return FDefault; }
  virtual void SetDefault(bool isDefault);
  bool RadioItem() const { return FRadioItem; }
  virtual void SetRadioItem(bool radioItem);
  bool Break() const { return FBreak; }
  virtual void SetBreak(bool lineBreak);
  uint8_t GroupIndex() const { return FGroupIndex; }
  virtual void SetGroupIndex(uint8_t groupIndex);
  const std::string& Hint() const { return FHint; }
  virtual void SetHint(const std::string& hint);
  const TNotifyEvent& OnClick() const { return FOnClick; }
  virtual void SetOnClick(const TNotifyEvent& handler);
  // The help file's context number for help on this item.
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int context) { FHelpContext = context; }

  virtual void Click();
  // The unique command id (1..0xEFFF) WM_COMMAND carries.
  UINT Command() const { return FCommand; }
  // The submenu holding the visible sub-items; made on first use.
  HMENU Handle();

  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const;
  TMenuItem* Parent() const { return FParent; }
  void Add(TMenuItem* item) { Insert(Count(), item); }
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  void Delete(int index);
  void Clear();
  int IndexOf(const TMenuItem* item) const;
  int MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
  // The menu this item belongs to (through its parents), or null.
  TMenu* Menu() const;

 protected:
  // Rebuilds the parent's handle after a change that shows.
  void Changed();

 private:
  friend class TMenu;
  // Refills the handle; a merged menu's root also refills the root it shows in.
  void RebuildHandle();
  void RefillHandle();
  // Takes out what the last refill put in and returns the position it started at.
  UINT RemoveShownItems();
  std::string DisplayText() const;

  std::string FCaption;
  TShortCut FShortCut = 0;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FDefault = false;
  bool FRadioItem = false;
  bool FBreak = false;
  uint8_t FGroupIndex = 0;
  std::string FHint;
  TNotifyEvent FOnClick;
  int FHelpContext = 0;
  UINT FCommand = 0;
  HMENU FHandle = nullptr;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item only
  std::vector<TMenuItem*> FItems;
  // The ids the handle got at its last rebuild: the next one removes exactly these, so entries that others put
  // into the same HMENU (the MDI window list, a maximised child's window buttons) stay.
  std::vector<UINT> FShownCommands;
};

// Adds an item of class T named name (owned by the parent's owner) at the end of parent, as forms built in code
// make their menus; "-" makes a separator.
template <class T = TMenuItem>
T* AddMenuItem(TMenuItem* parent, const std::string& name, const std::string& caption, TShortCut shortCut = 0,
               const TNotifyEvent& onClick = nullptr) {
  auto* item = Make<T>(parent->Owner(), name);
  item->SetCaption(caption);
  item->SetShortCut(shortCut);
  item->SetOnClick(onClick);
  parent->Add(item);
  return item;
}

enum TFindItemKind { fkCommand, fkHandle, fkShortCut };

class TMenu : public TComponent {
  CL_CLASS(TMenu, TComponent)
 public:
  explicit TMenu(TComponent* owner);
  void BeforeDestruction() override;

  TMenuItem* Items() const { return FItems; }
  HMENU Handle() { return FItems->Handle(); }
  // Depth-first, pre-order, over the items as shown: with a merged menu, its groups in place of this one's.
  TMenuItem* FindItem(uintptr_t value, TFindItemKind kind) const;
  // Clicks the item with this command id; false when none has it.
  bool DispatchCommand(UINT command);
  // Clicks the item whose submenu this is; false when none.
  bool DispatchPopup(HMENU submenu);
  // Clicks the item of this shortcut (ancestors first); false when none takes it.
  bool IsShortCut(WORD key, TShiftState shift);
  // The item a WM_MENUSELECT names (a command, or a submenu by its position in its menu), or null: the menu
  // closed, or the entry is none of this menu's (the system menu, the MDI window list).
  TMenuItem* FindSelectedItem(WPARAM wParam, LPARAM lParam) const;

  // The window whose menu bar shows this menu, for DrawMenuBar after changes.
  HWND WindowHandle() const { return FWindowHandle; }
  void SetWindowHandle(HWND wnd) { FWindowHandle = wnd; }

 protected:
  // The kind of HMENU the root needs: a menu bar or a popup.
  virtual bool IsMenuBar() const { return false; }
  void Notification(TComponent* component, TOperation operation) override;
  TMenu* Merged() const { return FMerged; }
  // Shows menu's top-level items in this one's (null: only its own); see TMainMenu::Merge.
  void SetMerged(TMenu* menu);

 private:
  friend class TMenuItem;
  // The top-level items in the order they show, merged ones included.
  std::vector<TMenuItem*> ShownItems() const;
  // Redraws the menu bars that show this menu's items.
  void RedrawMenuBars() const;

  TMenuItem* FItems;
  HWND FWindowHandle = nullptr;
  TMenu* FMerged = nullptr;      // the menu whose items show in this one
  TMenu* FMergedInto = nullptr;  // the menu this one's items show in
};

class TMainMenu : public TMenu {
  CL_CLASS(TMainMenu, TMenu)
 public:
  explicit TMainMenu(TComponent* owner) : TMenu(owner) {}

  // Shows menu's top-level items in this menu (an active MDI child's menu in its frame's): each group of this menu
  // whose GroupIndex menu also uses gives way to menu's items, and the groups show ordered by GroupIndex. Lookups
  // (FindItem, commands, submenu clicks, shortcuts) see the same view. One menu merges at a time, into one menu at
  // a time; null undoes the merge.
  void Merge(TMainMenu* menu) { SetMerged(menu); }
  // Undoes Merge(menu); a different merged menu stays.
  void Unmerge(TMainMenu* menu);

 protected:
  bool IsMenuBar() const override { return true; }
};

// Puts the long hint of the item a menu shows as selected on Application->Hint; "" for none.
void ShowMenuItemHint(const TMenuItem* item);

enum TPopupAlignment { paLeft, paRight, paCenter };

// A menu shown at a point. Every popup menu is listed with one shared, hidden owner window that routes the
// messages of the open menu: WM_COMMAND clicks the chosen item (posted, so the click follows Popup's return),
// WM_INITMENUPOPUP clicks the item whose submenu opens, WM_MENUSELECT shows the item's hint.
class TPopupMenu : public TMenu {
  CL_CLASS(TPopupMenu, TMenu)
 public:
  explicit TPopupMenu(TComponent* owner);
  void BeforeDestruction() override;

  // Fires OnPopup, then shows the menu with its Alignment at the screen point (x, y) until it closes.
  virtual void Popup(int x, int y);
  // The control the menu was last opened for (set by whoever opens it); cleared when that control is freed.
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* component);
  // Whether a right click on a control that names this menu opens it; the control reads it.
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool autoPopup) { FAutoPopup = autoPopup; }
  // Where the point lies on the menu: its left edge, right edge or centre.
  TPopupAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment alignment) { FAlignment = alignment; }
  const TNotifyEvent& OnPopup() const { return FOnPopup; }
  void SetOnPopup(const TNotifyEvent& handler) { FOnPopup = handler; }

 protected:
  // Fires OnPopup with the menu as Sender.
  virtual void DoPopup();
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TComponent* FPopupComponent = nullptr;
  bool FAutoPopup = true;
  TPopupAlignment FAlignment = paLeft;
  TNotifyEvent FOnPopup;
};

}  // namespace cl
