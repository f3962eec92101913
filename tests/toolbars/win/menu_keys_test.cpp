// The menus' keyboard and mouse on a form with a menu bar and a focused edit, through real queued messages: Alt
// and the arrows on the bar, accelerators, shortcuts, Esc, repeated Alt presses, and clicks outside a menu. Keys
// the menus take never reach the edit.
#include <gtest/gtest.h>

#include <algorithm>

#include "classlib/test/input.h"
#include "menu_test_kit.h"

namespace tbr::menus {
namespace {

class MenuKeysTest : public test::MenuFormTest {
 protected:
  void SetUp() override {
    MenuFormTest::SetUp();
    form->Edit->SetOnKeyDown(
        cl::TKeyEvent([this](cl::TObject*, WORD& key, cl::TShiftState) { editKeys.push_back(key); }));
  }

  // Posts a key message to the focused window with the modifiers held, and handles the queue.
  void Post(UINT message, WORD key) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_MENU] = altHeld ? 0x80 : 0;
    state[VK_CONTROL] = ctrlHeld ? 0x80 : 0;
    SetKeyboardState(state);
    const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
    const LPARAM data = 1 | (altHeld ? (1 << 29) : 0) | (up ? static_cast<LPARAM>(0xC0000000u) : 0);
    PostMessageA(GetFocus(), message, key, data);
    cl::test::PumpFor(10);
  }
  void Press(WORD key) {
    Post(altHeld ? WM_SYSKEYDOWN : WM_KEYDOWN, key);
    Post(altHeld ? WM_SYSKEYUP : WM_KEYUP, key);
  }
  void Alt() {
    altHeld = true;
    Post(WM_SYSKEYDOWN, VK_MENU);
    altHeld = false;
    Post(WM_SYSKEYUP, VK_MENU);
  }
  void AltWith(WORD key) {
    altHeld = true;
    Post(WM_SYSKEYDOWN, VK_MENU);
    Press(key);
    altHeld = false;
    Post(WM_SYSKEYUP, VK_MENU);
  }
  void CtrlWith(WORD key) {
    ctrlHeld = true;
    Post(WM_KEYDOWN, VK_CONTROL);
    Press(key);
    ctrlHeld = false;
    Post(WM_KEYUP, VK_CONTROL);
  }

  test::TTestBarButton* Button(int index) { return form->Bar->Button(index); }
  bool EditGot(WORD key) { return std::find(editKeys.begin(), editKeys.end(), key) != editKeys.end(); }
  TPopupMenuExForm* OpenWindow() { return AnyMenuOpen() ? ActivePopupMenu()->Window() : nullptr; }

  bool altHeld = false;
  bool ctrlHeld = false;
  std::vector<WORD> editKeys;
};

TEST_F(MenuKeysTest, AScriptedSessionOfKeys) {
  test::TTestBarButton* file = Button(0);
  // Alt lights up the first button in keyboard mode.
  Alt();
  EXPECT_EQ(HotButton(), file);
  EXPECT_TRUE(file->Hot);
  EXPECT_TRUE(form->Bar->KeyboardMode());
  // Right moves the light; Left moves it back.
  Press(VK_RIGHT);
  EXPECT_EQ(HotButton(), Button(1));
  EXPECT_FALSE(file->Hot);
  Press(VK_LEFT);
  EXPECT_EQ(HotButton(), file);
  // Down opens File with its first item selected; Down selects Move; Enter runs it.
  Press(VK_DOWN);
  ASSERT_NE(OpenWindow(), nullptr);
  EXPECT_EQ(ActivePopupMenu(), file->Menu);
  EXPECT_EQ(OpenWindow()->ItemIndex(), 0);
  EXPECT_FALSE(form->Bar->KeyboardMode());
  Press(VK_DOWN);
  EXPECT_EQ(OpenWindow()->ItemIndex(), 1);
  Press(VK_RETURN);
  EXPECT_EQ(form->Clicks, std::vector<std::string>{"Move1"});
  EXPECT_EQ(OpenWindow(), nullptr);

  // Alt+F opens File at its first item; the release of Alt lights nothing up.
  AltWith('F');
  ASSERT_NE(OpenWindow(), nullptr);
  EXPECT_EQ(ActivePopupMenu(), file->Menu);
  EXPECT_EQ(OpenWindow()->ItemIndex(), 0);
  EXPECT_EQ(HotButton(), nullptr);
  // Ctrl+O is Copy's shortcut: it closes the menu and runs Copy.
  CtrlWith('O');
  EXPECT_EQ(form->Clicks, (std::vector<std::string>{"Move1", "Copy1"}));
  EXPECT_EQ(OpenWindow(), nullptr);

  // Esc in an open bar menu closes it and lights its button up; a second Esc ends keyboard mode.
  AltWith('V');
  ASSERT_NE(OpenWindow(), nullptr);
  // Right on Zoom opens its submenu at its first item; Left closes it again.
  Press(VK_DOWN);
  Press(VK_RIGHT);
  ASSERT_NE(OpenWindow()->Submenu(), nullptr);
  EXPECT_EQ(OpenWindow()->Submenu()->ItemIndex(), 0);
  Press(VK_LEFT);
  EXPECT_EQ(OpenWindow()->Submenu(), nullptr);
  Press(VK_ESCAPE);
  EXPECT_EQ(OpenWindow(), nullptr);
  EXPECT_EQ(HotButton(), Button(2));
  EXPECT_TRUE(form->Bar->KeyboardMode());
  Press(VK_ESCAPE);
  EXPECT_EQ(HotButton(), nullptr);
  EXPECT_FALSE(Button(2)->Hot);
  EXPECT_FALSE(form->Bar->KeyboardMode());

  // Three Alts: on, off, on again.
  Alt();
  EXPECT_EQ(HotButton(), Button(2));
  Alt();
  EXPECT_EQ(HotButton(), nullptr);
  EXPECT_FALSE(Button(2)->Hot);
  Alt();
  EXPECT_EQ(HotButton(), Button(2));
  EXPECT_TRUE(Button(2)->Hot);

  for (WORD key : {WORD(VK_DOWN), WORD(VK_RETURN), WORD(VK_RIGHT), WORD(VK_LEFT), WORD('F'), WORD('O')}) {
    EXPECT_FALSE(EditGot(key)) << key;
  }
  EXPECT_EQ(form->Edit->Text(), "");
}

TEST_F(MenuKeysTest, KeysNotForTheMenusReachTheEdit) {
  Press('A');
  Press(VK_ESCAPE);
  AltWith('Q');  // no bar button has it
  EXPECT_TRUE(EditGot('A'));
  EXPECT_TRUE(EditGot(VK_ESCAPE));
  EXPECT_EQ(OpenWindow(), nullptr);
}

TEST_F(MenuKeysTest, ShortcutsOfDisabledItemsAreTakenButDoNothing) {
  cl::TMenuItem* file = form->MainMenu->Items()->Items(0);
  file->SetEnabled(false);
  CtrlWith('O');
  EXPECT_TRUE(form->Clicks.empty());
  EXPECT_FALSE(EditGot('O'));
  file->SetEnabled(true);
  // A handler that hands its shortcut to another item: both run, each once.
  cl::TMenuItem* copy = file->Items(0);
  cl::TMenuItem* move = file->Items(1);
  copy->SetOnClick(cl::TNotifyEvent([&](cl::TObject*) {
    form->Clicks.push_back("Copy1");
    copy->SetShortCut(0);
    move->SetShortCut(0x4000 | 'O');
  }));
  CtrlWith('O');
  EXPECT_EQ(form->Clicks, (std::vector<std::string>{"Copy1", "Move1"}));
}

TEST_F(MenuKeysTest, APressOutsideTheMenuClosesItButNotOneOnItsButton) {
  test::TTestBarButton* view = Button(2);
  view->Click();
  ASSERT_NE(OpenWindow(), nullptr);
  // A press on the button that opened the menu is left to the button.
  const cl::TPoint onButton = view->ClientToScreen(cl::Point(5, 5));
  test::MoveCursor(onButton);
  PostMessageA(form->Bar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(view->Left() + 5, 5));
  cl::test::PumpFor(10);
  PostMessageA(form->Bar->Handle(), WM_RBUTTONDOWN, 0, MAKELPARAM(view->Left() + 5, 5));
  cl::test::PumpFor(10);
  EXPECT_NE(OpenWindow(), nullptr);
  // A press on the edit closes it.
  const cl::TPoint onEdit = form->Edit->ClientToScreen(cl::Point(5, 5));
  test::MoveCursor(onEdit);
  PostMessageA(form->Edit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(form->Edit->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  cl::test::PumpUntil([&] { return OpenWindow() == nullptr; }, 2000);
  EXPECT_EQ(OpenWindow(), nullptr);
  EXPECT_EQ(ActivePopupMenu(), nullptr);
  EXPECT_EQ(LastButton(), view);
}

}  // namespace
}  // namespace tbr::menus
