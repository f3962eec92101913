// The menus' keyboard decisions as tables: each key message in each state of bar and menu, the shortcut value
// of a key, and the stepping over the bar's buttons.
#include "toolbars/core/menu_keyboard.h"

#include <gtest/gtest.h>

#include <vector>

namespace tbr::menus {
namespace {

// A form with a bar that is active and enabled.
MenuKeyInput Active(TKeyMessage message, uint16_t key) {
  MenuKeyInput input;
  input.Message = message;
  input.Key = key;
  input.HasBar = true;
  input.OwnerActive = true;
  input.OwnerEnabled = true;
  return input;
}
MenuKeyInput WithMenuOpen(MenuKeyInput input) {
  input.MenuOpen = true;
  return input;
}
MenuKeyInput InKeyboardMode(MenuKeyInput input) {
  input.HotButton = true;
  input.KeyboardMode = true;
  return input;
}

struct KeyCase {
  const char* Name;
  MenuKeyInput Input;
  TMenuKeyAction Action;
};

class MenuKeyDecisionTest : public testing::TestWithParam<KeyCase> {};

TEST_P(MenuKeyDecisionTest, DecidesTheAction) {
  EXPECT_EQ(DecideMenuKey(GetParam().Input).Action, GetParam().Action);
}

MenuKeyInput Disabled(MenuKeyInput input) {
  input.OwnerEnabled = false;
  return input;
}
MenuKeyInput ChildActive(MenuKeyInput input) {
  input.OwnerActive = false;
  input.ChildActive = true;
  return input;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MenuKeyDecisionTest,
    testing::Values(KeyCase{"AltSpace", Active(kmSysKeyDown, vk::Space), mkSystemMenu},
                    KeyCase{"AltMinusInChild", ChildActive(Active(kmSysKeyDown, vk::OemMinus)), mkChildSystemMenu},
                    KeyCase{"AltMinusInFrame", Active(kmSysKeyDown, vk::Subtract), mkPass},
                    // Alt alone: the press passes unless a highlight or a menu is there to end; the release lights up.
                    KeyCase{"AltDown", Active(kmSysKeyDown, vk::Menu), mkPass},
                    KeyCase{"AltDownWithMenu", WithMenuOpen(Active(kmSysKeyDown, vk::Menu)), mkEndBarHighlight},
                    KeyCase{"AltDownInKeyboardMode", InKeyboardMode(Active(kmSysKeyDown, vk::Menu)), mkEndBarHighlight},
                    KeyCase{"F10Down", InKeyboardMode(Active(kmKeyDown, vk::F10)), mkEndBarHighlight},
                    KeyCase{"AltUp", Active(kmSysKeyUp, vk::Menu), mkStartBarHighlight},
                    KeyCase{"F10Up", Active(kmKeyUp, vk::F10), mkStartBarHighlight},
                    KeyCase{"AltUpOnDisabledForm", Disabled(Active(kmSysKeyUp, vk::Menu)), mkPass},
                    // Alt+letter: the bar's accelerators, or the open menu's.
                    KeyCase{"AltF", Active(kmSysKeyDown, 'F'), mkBarAccelerator},
                    KeyCase{"AltFInChild", ChildActive(Active(kmSysKeyDown, 'F')), mkBarAccelerator},
                    KeyCase{"AltFWithMenu", WithMenuOpen(Active(kmSysKeyDown, 'F')), mkMenuAccelerator},
                    KeyCase{"AltFOnDisabledForm", Disabled(Active(kmSysKeyDown, 'F')), mkPass},
                    KeyCase{"AltBracket", Active(kmSysKeyDown, 0xDB), mkPass},
                    // Keyboard mode on the bar.
                    KeyCase{"KbDown", InKeyboardMode(Active(kmKeyDown, vk::Down)), mkOpenHotButton},
                    KeyCase{"KbEnter", InKeyboardMode(Active(kmKeyDown, vk::Return)), mkOpenHotButton},
                    KeyCase{"KbEsc", InKeyboardMode(Active(kmKeyDown, vk::Escape)), mkLeaveKeyboardMode},
                    KeyCase{"KbLeft", InKeyboardMode(Active(kmKeyDown, vk::Left)), mkHotButtonPrevious},
                    KeyCase{"KbRight", InKeyboardMode(Active(kmKeyDown, vk::Right)), mkHotButtonNext},
                    KeyCase{"KbLetter", InKeyboardMode(Active(kmKeyDown, 'V')), mkHotButtonAccelerator},
                    KeyCase{"KbKeyUp", InKeyboardMode(Active(kmKeyUp, vk::Down)), mkPass},
                    // An open menu.
                    KeyCase{"MenuEnter", WithMenuOpen(Active(kmKeyDown, vk::Return)), mkActivateItem},
                    KeyCase{"MenuEsc", WithMenuOpen(Active(kmKeyDown, vk::Escape)), mkCloseMenu},
                    KeyCase{"MenuLeft", WithMenuOpen(Active(kmKeyDown, vk::Left)), mkMenuLeft},
                    KeyCase{"MenuRight", WithMenuOpen(Active(kmKeyDown, vk::Right)), mkMenuRight},
                    KeyCase{"MenuUp", WithMenuOpen(Active(kmKeyDown, vk::Up)), mkSelectPrevious},
                    KeyCase{"MenuDown", WithMenuOpen(Active(kmKeyDown, vk::Down)), mkSelectNext},
                    KeyCase{"MenuF1", WithMenuOpen(Active(kmKeyDown, vk::F1)), mkItemHelp},
                    KeyCase{"MenuCtrl", WithMenuOpen(Active(kmKeyDown, vk::Control)), mkSwallow},
                    KeyCase{"MenuLetter", WithMenuOpen(Active(kmKeyDown, 'S')), mkMenuAccelerator},
                    KeyCase{"ContextMenuWithoutBar",
                            [] {
                              MenuKeyInput input;
                              input.Key = vk::Down;
                              input.MenuOpen = true;
                              return input;
                            }(),
                            mkSelectNext},
                    // Nothing open: keys go on to the focused window.
                    KeyCase{"PlainKey", Active(kmKeyDown, 'A'), mkPass},
                    KeyCase{"PlainEsc", Active(kmKeyDown, vk::Escape), mkPass}),
    [](const testing::TestParamInfo<KeyCase>& info) { return info.param.Name; });

TEST(MenuKeyboardTest, OnlyKeyPressesOfAnEnabledActiveBarLookUpShortcuts) {
  EXPECT_TRUE(MenuShortcutsApply(Active(kmKeyDown, 'O')));
  EXPECT_TRUE(MenuShortcutsApply(Active(kmSysKeyDown, 'X')));
  EXPECT_TRUE(MenuShortcutsApply(ChildActive(Active(kmKeyDown, 'O'))));
  EXPECT_FALSE(MenuShortcutsApply(Active(kmKeyUp, 'O')));
  EXPECT_FALSE(MenuShortcutsApply(Active(kmSysKeyDown, vk::Space)));
  EXPECT_FALSE(MenuShortcutsApply(Disabled(Active(kmKeyDown, 'O'))));
  MenuKeyInput noBar = Active(kmKeyDown, 'O');
  noBar.HasBar = false;
  EXPECT_FALSE(MenuShortcutsApply(noBar));
}

TEST(MenuKeyboardTest, KeysThatReachTheMenusEndTheAltState) {
  EXPECT_TRUE(DecideMenuKey(Active(kmKeyDown, 'A')).ClearAltConsumed);
  EXPECT_FALSE(DecideMenuKey(Active(kmSysKeyDown, 'F')).ClearAltConsumed);
  EXPECT_FALSE(DecideMenuKey(Active(kmSysKeyUp, vk::Menu)).ClearAltConsumed);
}

TEST(MenuKeyboardTest, ShortcutsCarryTheModifierBits) {
  EXPECT_EQ(ComposeShortCut('O', false, true, false), 0x404F);
  EXPECT_EQ(ComposeShortCut(vk::F1 + 3, true, false, true), 0xA073);
  EXPECT_EQ(ComposeShortCut(vk::F1 + 8, false, false, false), 0x78);
}

TEST(MenuKeyboardTest, SteppingOverTheBarWrapsAndEndsWithoutACandidate) {
  const BarSlot button{true, true, true};
  const BarSlot disabled{true, false, true};
  const BarSlot plain{true, true, false};  // no menu
  const BarSlot other{false, true, false};
  const std::vector<BarSlot> bar = {button, disabled, plain, other, button};
  EXPECT_EQ(StepBarButton(bar, 0, 1, false), 2);
  EXPECT_EQ(StepBarButton(bar, 0, 1, true), 4);
  EXPECT_EQ(StepBarButton(bar, 4, 1, true), 0);
  EXPECT_EQ(StepBarButton(bar, 0, -1, true), 4);
  EXPECT_EQ(StepBarButton({button}, 0, 1, true), 0);
  EXPECT_EQ(StepBarButton({disabled, other, plain}, 0, 1, true), -1);
  EXPECT_EQ(StepBarButton({}, 0, 1, false), -1);
}

}  // namespace
}  // namespace tbr::menus
