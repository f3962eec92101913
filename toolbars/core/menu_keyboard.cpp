#include "toolbars/core/menu_keyboard.h"

namespace tbr::menus {
namespace {

bool IsAltOrF10(const MenuKeyInput& input, TKeyMessage sysMessage, TKeyMessage plainMessage) {
  return (input.Message == sysMessage && (input.Key == vk::Menu || input.Key == vk::F10)) ||
         (input.Message == plainMessage && input.Key == vk::F10);
}

// Keyboard mode on the bar: the arrows and Esc move or end the highlight.
TMenuKeyAction BarKeyboardAction(uint16_t key) {
  switch (key) {
    case vk::Return:
    case vk::Space:
    case vk::Up:
    case vk::Down:
      return mkOpenHotButton;
    case vk::Escape:
      return mkLeaveKeyboardMode;
    case vk::Left:
      return mkHotButtonPrevious;
    case vk::Right:
      return mkHotButtonNext;
    default:
      return mkHotButtonAccelerator;
  }
}

TMenuKeyAction OpenMenuAction(uint16_t key) {
  switch (key) {
    case vk::Return:
      return mkActivateItem;
    case vk::Escape:
      return mkCloseMenu;
    case vk::Left:
      return mkMenuLeft;
    case vk::Right:
      return mkMenuRight;
    case vk::Up:
      return mkSelectPrevious;
    case vk::Down:
      return mkSelectNext;
    case vk::F1:
      return mkItemHelp;
    case vk::Shift:
    case vk::Control:
      return mkSwallow;
    default:
      return mkMenuAccelerator;
  }
}

}  // namespace

MenuKeyDecision DecideMenuKey(const MenuKeyInput& input) {
  MenuKeyDecision decision;
  auto decide = [&decision](TMenuKeyAction action) {
    decision.Action = action;
    return decision;
  };
  if (input.Message == kmSysKeyDown && input.Key == vk::Space) return decide(mkSystemMenu);
  if (input.Message == kmSysKeyDown && (input.Key == vk::OemMinus || input.Key == vk::Subtract) && input.ChildActive) {
    return decide(mkChildSystemMenu);
  }
  if (IsAltOrF10(input, kmSysKeyDown, kmKeyDown) && input.OwnerActive && input.OwnerEnabled &&
      (input.HotButton || input.MenuOpen)) {
    return decide(mkEndBarHighlight);
  }
  if (IsAltOrF10(input, kmSysKeyUp, kmKeyUp) && input.OwnerActive && input.OwnerEnabled && input.HasBar) {
    return decide(mkStartBarHighlight);
  }
  const bool letterOrDigit = input.Key >= '0' && input.Key <= 'Z';
  if (input.Message == kmSysKeyDown && letterOrDigit && (input.OwnerActive || input.ChildActive) &&
      input.OwnerEnabled) {
    return decide(input.MenuOpen ? mkMenuAccelerator : mkBarAccelerator);
  }
  if (input.Message != kmKeyDown) return decision;
  decision.ClearAltConsumed = true;
  if (input.HasBar && input.KeyboardMode && input.HotButton) return decide(BarKeyboardAction(input.Key));
  if (input.MenuOpen) return decide(OpenMenuAction(input.Key));
  return decision;
}

bool MenuShortcutsApply(const MenuKeyInput& input) {
  const bool press = input.Message == kmKeyDown || input.Message == kmSysKeyDown;
  const bool systemMenuKey = input.Message == kmSysKeyDown && input.Key == vk::Space;
  return press && !systemMenuKey && input.HasBar && input.OwnerEnabled && (input.OwnerActive || input.ChildActive);
}

uint16_t ComposeShortCut(uint16_t key, bool shift, bool ctrl, bool alt) {
  uint16_t shortCut = key;
  if (shift) shortCut |= 0x2000;
  if (ctrl) shortCut |= 0x4000;
  if (alt) shortCut |= 0x8000;
  return shortCut;
}

int StepBarButton(const std::vector<BarSlot>& slots, int from, int delta, bool needDropdown) {
  const int count = static_cast<int>(slots.size());
  if (count == 0) return -1;
  int index = from;
  // One full round at most: with no button that qualifies the stepping would never end.
  for (int steps = 0; steps < count; ++steps) {
    index += delta;
    if (index < 0) index = count - 1;
    if (index >= count) index = 0;
    const BarSlot& slot = slots[index];
    if (slot.IsButton && slot.Enabled && (!needDropdown || slot.HasDropdown)) return index;
  }
  return -1;
}

}  // namespace tbr::menus
