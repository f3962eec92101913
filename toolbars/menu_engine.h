// The engine the owner-drawn menus share, one per process on the GUI thread: the one menu whose chain of windows
// is open, the menu bars with the button highlighted by the keyboard and the one used last, the get-message hook
// that takes the keyboard (and clicks outside the menus) while a menu is open or a bar is in keyboard mode, the
// menu shortcuts and accelerators, item hints on the status bar and in the hint window, the item bitmaps found by
// name, the sounds and the drawing helpers of the menu windows.
//
// Menu bars and their buttons take part through the interfaces MenuBar and MenuBarButton; an owner-drawn popup
// menu is a TCustomPopupMenuEx (custom_popup_menu.h) whose windows are TPopupMenuExForm (popup_menu_form.h).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "classlib/core/types.h"

namespace cl {
class TCanvas;
class TBitmap;
class TComponent;
class TControl;
class TForm;
class TMainMenu;
class TMenu;
class TMenuItem;
class TStatusBar;
class TWinControl;
}  // namespace cl

namespace tbr::menus {

class MenuBar;
class TCustomPopupMenuEx;
class THintWindowEx;

// A button of a menu bar as the engine drives it. Implemented by a control (its Control()); the engine keeps no
// pointer to a button beyond the control's life.
class MenuBarButton {
 public:
  virtual ~MenuBarButton() = default;
  virtual cl::TControl* Control() = 0;
  virtual MenuBar* Bar() = 0;
  // The bar's button for a maximised MDI child's system menu.
  virtual bool IsMDIButton() const = 0;
  // Shown in its mouse-over state.
  virtual bool IsHot() const = 0;
  virtual void PaintHot() = 0;
  // Repainted as the mouse left it.
  virtual void PaintLeft() = 0;
  // Shows the button pressed or not.
  virtual void SetButtonDown(bool down) = 0;
  // The button's click: opens its menu.
  virtual void Click() = 0;
  // The owner-drawn menu the button opens, or null.
  virtual TCustomPopupMenuEx* DropdownMenuEx() const = 0;
  // Stands upright (on a bar docked left or right): its menu opens beside it. By default, when narrower than high.
  virtual bool IsVertical();
};

// A menu bar as the engine sees it. A bar registers itself for its life (RegisterMenuBar).
class MenuBar {
 public:
  virtual ~MenuBar() = default;
  // The bar as a control: its buttons are among its Controls, in order.
  virtual cl::TWinControl* Control() = 0;
  virtual cl::TForm* OwnerForm() const = 0;
  virtual cl::TMainMenu* MainMenu() const = 0;
  // The menus merged into the bar (an active MDI child's), searched for shortcuts after MainMenu.
  virtual std::vector<cl::TMenu*> MergedMenus() const = 0;
  // Whether the buttons follow the arrow keys.
  virtual bool KeyboardMode() const = 0;
  virtual void SetKeyboardMode(bool keyboardMode) = 0;
  // Where item hints of the bar's menus go.
  virtual cl::TStatusBar* StatusBar() const = 0;
  virtual int StatusBarIndex() const = 0;
  // Batches changes of the bar's items: EndUpdate rebuilds every button; UpdateItemButton refreshes the one
  // button of a top-level item and ends the batch. A bar that keeps no buttons of its own ignores them.
  virtual bool Updating() const { return false; }
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}
  virtual void UpdateItemButton(cl::TMenuItem* item) {}
};

// Posted to the active menu bar when an MDI child may have changed state.
constexpr UINT WM_MENUBAR_MDICHANGED = 0x17B0;

// Starts the unit once: the menu hint window, the check and radio bitmaps; the end follows with the library's
// end (hooks removed, bitmaps and windows freed). Safe to call again.
void InitMenuUnit();

// The menu whose window chain is open (or opening), or null. A menu counts as open when its window has a width
// and a height.
TCustomPopupMenuEx* ActivePopupMenu();
void SetActivePopupMenu(TCustomPopupMenuEx* menu);
bool AnyMenuOpen();

void RegisterMenuBar(MenuBar* bar);
void UnregisterMenuBar(MenuBar* bar);
// The last bar whose form is the active window, else the first bar, else null.
MenuBar* ActiveMenuBar();
bool AnyMenuBar();
// The bar that shows item as a top-level item (of its MainMenu or of a menu merged into it), or null.
MenuBar* MenuBarShowing(const cl::TMenuItem* item);
// The bar button highlighted by the keyboard, and the one used last; null once their controls are gone.
MenuBarButton* HotButton();
void SetHotButton(MenuBarButton* button);
MenuBarButton* LastButton();
void SetLastButton(MenuBarButton* button);

// Milliseconds a hovered item waits before its submenu opens: 250 at first, never less than 50.
int SubmenuDelay();
void SetSubmenuDelay(int ms);

// The hint window of menu items (the first THintWindowEx made), or null.
THintWindowEx* MenuHint();
void HideMenuHint();

// Closes every open menu window, with the close animation or at once, and ends the open menu.
void CloseAllMenus(bool animate);

// Shows an item's long hint on the status bar of the open menu or of the active menu bar.
void ShowStatusHint(const std::string& hint);
// Called when a menu window's selection changes (balloon false) and when the submenu timer fires on an item
// (balloon true, which shows the hint window when the menu wants hints).
void ShowItemHint(cl::TMenuItem* item, bool balloon);

// The first enabled button of bar with key as its accelerator, its menu prepared to open with the first item
// selected; null when none. A hidden bar is shown first.
MenuBarButton* FindBarButton(MenuBar* bar, uint16_t key);
// The next enabled button from button in steps of delta over its bar, with open only one with a menu, which then
// opens; button itself when no other qualifies, null when the opening took the button away.
MenuBarButton* NextBarButton(MenuBarButton* button, int delta, bool open);

// Fills menu (its items freed first), or a new owner-drawn menu owned by owner, with the items of form's window
// system menu, each owned by owner and sending its command to form when clicked; the items of the six window
// commands are named SYSTEMRESTORE, SYSTEMMOVE, SYSTEMSIZE, SYSTEMMINIMIZE, SYSTEMMAXIMIZE and SYSTEMCLOSE. Null
// without owner or form, or when the form has no system menu.
TCustomPopupMenuEx* MenuFromSystemMenu(cl::TComponent* owner, cl::TForm* form, TCustomPopupMenuEx* menu);

// The bitmap resource of an item ("MEX_" and the letters of name), loaded from the program, or null. The caller
// deletes it.
HBITMAP LoadItemBitmap(const std::string& name);
// Applies the item bitmaps of every TMenuItemBitmaps that form owns.
void ApplyItemBitmaps(cl::TComponent* form);

// The program's check-mark and radio-item glyphs (resources "CHECKMARK" and "RADIOITEM"), or null without them.
HBITMAP CheckMarkBitmap();
HBITMAP RadioItemBitmap();
// The 8 x 8 pattern of checked boxes, made on first use; freed again when the system colours change.
cl::TBitmap* PatternBitmap();
void FreePatternBitmap();

// A glyph of up to 16 x 16 pixels at (x, y), without the pixels of the colour at its bottom-left (0, 15).
void DrawTransparentGlyph(cl::TCanvas* canvas, int x, int y, HBITMAP bitmap);
// The dark pixels of such a glyph as an embossed outline: highlight a pixel right and down, shadow on top.
void DrawDisabledGlyph(cl::TCanvas* canvas, int x, int y, HBITMAP bitmap);

enum TMenuSound { msPopup, msClose, msCommand };
void PlayMenuSound(TMenuSound sound);

// The screen without the taskbar; the whole screen when the taskbar cannot be asked.
cl::TRect MenuWorkArea();

// Hides the caret of the focused window while menus are open (once however many windows open), and shows it
// again.
void HideMenuCaret();
void ShowMenuCaret();

// Handles the thread's pending paint (mouse move) messages, a bounded number of them; a quit message met is
// posted again.
void DispatchPendingPaints();
void DispatchPendingMouseMoves();

// The get-message hook of the menus (installed by the first menu window) and the CBT hook that tells the active
// menu bar of MDI child changes (installed by the first menu bar of an MDI frame). Both stay until the unit ends.
void InstallMenuMessageHook();
void InstallMenuCbtHook();

namespace debug {
// The hooks, for tests.
bool MenuMessageHookInstalled();
bool MenuCbtHookInstalled();
}  // namespace debug

}  // namespace tbr::menus
