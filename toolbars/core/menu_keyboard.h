// The keyboard decisions of the owner-drawn menus: which action a key message the thread takes from its queue
// leads to, given the state of the menu bar of the active window and of the open menu, how a shortcut is formed
// from a key, and how the keyboard steps from one menu-bar button to the next. The engine's get-message hook
// gathers the state, asks here and carries the action out.
#pragma once

#include <cstdint>
#include <vector>

namespace tbr::menus {

// The virtual keys the decisions name.
namespace vk {
constexpr uint16_t Return = 0x0D;
constexpr uint16_t Shift = 0x10;
constexpr uint16_t Control = 0x11;
constexpr uint16_t Menu = 0x12;  // Alt
constexpr uint16_t Escape = 0x1B;
constexpr uint16_t Space = 0x20;
constexpr uint16_t Left = 0x25;
constexpr uint16_t Up = 0x26;
constexpr uint16_t Right = 0x27;
constexpr uint16_t Down = 0x28;
constexpr uint16_t Subtract = 0x6D;
constexpr uint16_t F1 = 0x70;
constexpr uint16_t F10 = 0x79;
constexpr uint16_t OemMinus = 0xBD;
}  // namespace vk

enum TKeyMessage { kmKeyDown, kmKeyUp, kmSysKeyDown, kmSysKeyUp };

struct MenuKeyInput {
  TKeyMessage Message = kmKeyDown;
  uint16_t Key = 0;
  bool HasBar = false;        // the active window has a menu bar
  bool OwnerActive = false;   // the bar's form is the active window (or the normal main form)
  bool OwnerEnabled = false;  // the bar's form takes input
  bool ChildActive = false;   // the active window is the form's active MDI child
  bool MenuOpen = false;      // a menu window is open
  bool HotButton = false;     // a bar button is highlighted by the keyboard
  bool KeyboardMode = false;  // the bar's buttons follow the arrow keys
};

enum TMenuKeyAction {
  mkPass,                  // not the menus' key: it goes on to its window
  mkSwallow,               // taken, with nothing more to do
  mkSystemMenu,            // Alt+Space: the active window's system menu
  mkChildSystemMenu,       // Alt+'-': the active MDI child's system menu
  mkEndBarHighlight,       // Alt or F10 pressed: menus and highlight go
  mkStartBarHighlight,     // Alt or F10 released: the last used bar button lights up
  mkBarAccelerator,        // Alt+letter without an open menu: that bar button's menu opens
  mkMenuAccelerator,       // a letter in the open menu
  mkOpenHotButton,         // keyboard mode: the highlighted button's menu opens
  mkLeaveKeyboardMode,     // keyboard mode: Esc
  mkHotButtonPrevious,     // keyboard mode: Left
  mkHotButtonNext,         // keyboard mode: Right
  mkHotButtonAccelerator,  // keyboard mode: any other key
  mkActivateItem,          // the open menu: Enter
  mkCloseMenu,             // Esc
  mkMenuLeft,
  mkMenuRight,
  mkSelectPrevious,  // Up
  mkSelectNext,      // Down
  mkItemHelp,        // F1
};

struct MenuKeyDecision {
  TMenuKeyAction Action = mkPass;
  // A key press that reaches the menus without being Alt or an Alt combination ends the "Alt was used" state.
  bool ClearAltConsumed = false;
};

// The action of a key message; menu shortcuts are searched in between (MenuShortcutsApply) unless the decision
// is mkSystemMenu.
MenuKeyDecision DecideMenuKey(const MenuKeyInput& input);

// Whether a key press is looked up among the bar's menu shortcuts before the decision is carried out.
bool MenuShortcutsApply(const MenuKeyInput& input);

// The shortcut value of a key with the modifiers held: Shift 0x2000, Ctrl 0x4000, Alt 0x8000.
uint16_t ComposeShortCut(uint16_t key, bool shift, bool ctrl, bool alt);

// A control of a menu bar as the stepping between its buttons sees it.
struct BarSlot {
  bool IsButton = false;  // a menu-bar button (the MDI button too)
  bool Enabled = false;
  bool HasDropdown = false;
};

// The next control from `from` in steps of delta (wrapping at both ends) that is an enabled button and, with
// needDropdown, has a menu; `from` itself qualifies only after a full round. -1 when none does.
int StepBarButton(const std::vector<BarSlot>& slots, int from, int delta, bool needDropdown);

}  // namespace tbr::menus
