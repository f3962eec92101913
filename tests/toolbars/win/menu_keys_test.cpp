// The menus' keyboard and mouse on a form like the browser's, with its menu bar and a focused edit, through real
// queued messages: Alt and the arrows on the bar, accelerators, shortcuts, Esc, repeated Alt presses, Alt+Space,
// Alt over a context menu, and clicks outside a menu. Keys the menus take never reach the edit, every way a menu
// closes gives the edit its caret back, and handlers that rebuild the bar under the keys harm nothing.
#include <gtest/gtest.h>

#include <algorithm>

#include "classlib/test/input.h"
#include "classlib/test/menu_items.h"
#include "menu_test_kit.h"
#include "tests/support/access_violations.h"
#include "tests/support/import_hook.h"
#include "tests/support/real_input.h"
#include "toolbars/popup_menu_ex.h"

namespace tbr::menus {
namespace {

// How often the menus hid the caret without showing it again.
int caretHides = 0;
testsupport::ImportHook* hideCaretHook = nullptr;
testsupport::ImportHook* showCaretHook = nullptr;

BOOL WINAPI CountedHideCaret(HWND wnd) {
  const BOOL hidden = reinterpret_cast<decltype(&HideCaret)>(hideCaretHook->Original())(wnd);
  if (hidden) ++caretHides;
  return hidden;
}

BOOL WINAPI CountedShowCaret(HWND wnd) {
  const BOOL shown = reinterpret_cast<decltype(&ShowCaret)>(showCaretHook->Original())(wnd);
  if (shown) --caretHides;
  return shown;
}

class MenuKeysTest : public test::MenuFormTest {
 protected:
  void SetUp() override {
    hideCaretHook = &hideCaret;
    showCaretHook = &showCaret;
    MenuFormTest::SetUp();
    form->Edit->SetOnKeyDown(
        cl::TKeyEvent([this](cl::TObject*, WORD& key, cl::TShiftState) { editKeys.push_back(key); }));
    caretHides = 0;
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

  TMenuBarButton* Button(int index) { return form->Button(index); }
  // An item of the form's menu by name.
  cl::TMenuItem* Item(const std::string& name) { return cl::test::FindItemNamed(form->MainMenu->Items(), name); }
  bool EditGot(WORD key) { return std::find(editKeys.begin(), editKeys.end(), key) != editKeys.end(); }
  TPopupMenuExForm* OpenWindow() { return AnyMenuOpen() ? ActivePopupMenu()->Window() : nullptr; }

  bool altHeld = false;
  bool ctrlHeld = false;
  std::vector<WORD> editKeys;
  testsupport::ImportHook hideCaret{"user32.dll", "HideCaret", reinterpret_cast<void*>(&CountedHideCaret)};
  testsupport::ImportHook showCaret{"user32.dll", "ShowCaret", reinterpret_cast<void*>(&CountedShowCaret)};
};

TEST_F(MenuKeysTest, AScriptedSessionOfKeys) {
  TMenuBarButton* file = Button(0);
  // Alt lights up the first button in keyboard mode.
  Alt();
  EXPECT_EQ(HotButton(), file);
  EXPECT_TRUE(file->IsHot());
  EXPECT_TRUE(form->Bar->KeyboardMode());
  EXPECT_EQ(caretHides, 1);
  // Right moves the light; Left moves it back.
  Press(VK_RIGHT);
  EXPECT_EQ(HotButton(), Button(1));
  EXPECT_FALSE(file->IsHot());
  Press(VK_LEFT);
  EXPECT_EQ(HotButton(), file);
  // Down opens File with its first item selected; Down selects Move; Enter runs it.
  Press(VK_DOWN);
  ASSERT_NE(OpenWindow(), nullptr);
  EXPECT_EQ(ActivePopupMenu(), file->DropdownMenuEx());
  EXPECT_TRUE(file->Down());
  EXPECT_EQ(OpenWindow()->ItemIndex(), 0);
  EXPECT_FALSE(form->Bar->KeyboardMode());
  Press(VK_DOWN);
  EXPECT_EQ(OpenWindow()->ItemIndex(), 1);
  Press(VK_RETURN);
  EXPECT_EQ(form->Clicks, std::vector<std::string>{"Move1"});
  EXPECT_EQ(OpenWindow(), nullptr);
  EXPECT_FALSE(file->Down());
  EXPECT_EQ(caretHides, 0);

  // Alt+F opens File at its first item; the release of Alt lights nothing up.
  AltWith('F');
  ASSERT_NE(OpenWindow(), nullptr);
  EXPECT_EQ(ActivePopupMenu(), file->DropdownMenuEx());
  EXPECT_EQ(OpenWindow()->ItemIndex(), 0);
  EXPECT_EQ(HotButton(), nullptr);
  // Ctrl+O is Copy's shortcut: it closes the menu and runs Copy.
  CtrlWith('O');
  EXPECT_EQ(form->Clicks, (std::vector<std::string>{"Move1", "Copy1"}));
  EXPECT_EQ(OpenWindow(), nullptr);
  EXPECT_EQ(caretHides, 0);

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
  EXPECT_FALSE(Button(2)->IsHot());
  EXPECT_FALSE(form->Bar->KeyboardMode());
  EXPECT_EQ(caretHides, 0);

  // Three Alts: on, off, on again.
  Alt();
  EXPECT_EQ(HotButton(), Button(2));
  Alt();
  EXPECT_EQ(HotButton(), nullptr);
  EXPECT_FALSE(Button(2)->IsHot());
  EXPECT_EQ(caretHides, 0);
  Alt();
  EXPECT_EQ(HotButton(), Button(2));
  EXPECT_TRUE(Button(2)->IsHot());

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
  cl::TMenuItem* file = Item("File1");
  file->SetEnabled(false);
  CtrlWith('O');
  EXPECT_TRUE(form->Clicks.empty());
  EXPECT_FALSE(EditGot('O'));
  file->SetEnabled(true);
  // A handler that hands its shortcut to another item: both run, each once.
  cl::TMenuItem* copy = Item("Copy1");
  cl::TMenuItem* move = Item("Move1");
  copy->SetOnClick(cl::TNotifyEvent([&](cl::TObject*) {
    form->Clicks.push_back("Copy1");
    copy->SetShortCut(0);
    move->SetShortCut(0x4000 | 'O');
  }));
  CtrlWith('O');
  EXPECT_EQ(form->Clicks, (std::vector<std::string>{"Copy1", "Move1"}));
}

TEST_F(MenuKeysTest, APressOutsideTheMenuClosesItButNotOneOnItsButton) {
  TMenuBarButton* view = Button(2);
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
  EXPECT_EQ(caretHides, 0);
}

TEST_F(MenuKeysTest, EveryWayAMenuClosesGivesTheCaretBack) {
  // A second click on the open menu's bar button.
  TMenuBarButton* view = Button(2);
  view->Click();
  ASSERT_NE(OpenWindow(), nullptr);
  EXPECT_EQ(caretHides, 1);
  view->Click();
  EXPECT_EQ(OpenWindow(), nullptr);
  EXPECT_EQ(caretHides, 0);
  // A shortcut while a bar menu is open.
  view->Click();
  CtrlWith('O');
  EXPECT_EQ(OpenWindow(), nullptr);
  EXPECT_EQ(caretHides, 0);
  // Esc in a menu that is not the bar's, and a shortcut there.
  auto* context = cl::Make<TPopupMenuEx>(form, "Context1");
  context->Options()->SetOpenAnimation(anNone);
  context->Options()->SetCloseAnimation(anNone);
  cl::AddMenuItem<TMenuItem>(context->Items(), "Refresh1", "&Refresh");
  for (bool byShortcut : {false, true}) {
    context->Popup(300, 200);
    ASSERT_NE(OpenWindow(), nullptr);
    if (byShortcut) {
      CtrlWith('M');
    } else {
      Press(VK_ESCAPE);
    }
    EXPECT_EQ(OpenWindow(), nullptr);
    EXPECT_EQ(caretHides, 0) << byShortcut;
  }
  EXPECT_EQ(form->Clicks, (std::vector<std::string>{"Copy1", "Move1"}));
}

TEST_F(MenuKeysTest, AltOverAContextMenuClosesItWithoutLightingTheBar) {
  auto* context = cl::Make<TPopupMenuEx>(form, "Context1");
  context->Options()->SetOpenAnimation(anNone);
  cl::AddMenuItem<TMenuItem>(context->Items(), "Refresh1", "&Refresh");
  context->Popup(300, 200);
  ASSERT_TRUE(context->IsOpen());
  Alt();
  EXPECT_FALSE(context->IsOpen());
  EXPECT_EQ(HotButton(), nullptr);
  EXPECT_FALSE(form->Bar->KeyboardMode());
  EXPECT_EQ(caretHides, 0);
  // The next Alt lights the bar as usual.
  Alt();
  EXPECT_EQ(HotButton(), Button(0));
}

TEST_F(MenuKeysTest, AltSpaceFromTheKeyboardOpensTheFormsSystemMenu) {
  testsupport::RealKeys({VK_MENU, VK_SPACE});
  TSystemMenuEx* menu = form->SystemMenu();
  ASSERT_NE(menu, nullptr);
  cl::test::PumpUntil([&] { return menu->IsOpen() && GetAsyncKeyState(VK_MENU) >= 0; }, 2000);
  cl::test::PumpFor(50);
  ASSERT_TRUE(menu->IsOpen());
  EXPECT_EQ(ActivePopupMenu(), menu);
  // The release of Alt leaves the bar alone: the arrows go on working in the system menu.
  EXPECT_EQ(HotButton(), nullptr);
  EXPECT_FALSE(form->Bar->KeyboardMode());
  const int selected = menu->Window()->ItemIndex();
  Press(VK_DOWN);
  EXPECT_TRUE(menu->IsOpen());
  EXPECT_NE(menu->Window()->ItemIndex(), selected);
  EXPECT_FALSE(EditGot(VK_SPACE));
  Press(VK_ESCAPE);
  EXPECT_FALSE(menu->IsOpen());
  EXPECT_EQ(caretHides, 0);
}

TEST_F(MenuKeysTest, HandlersThatRebuildTheBarUnderTheKeysHarmNothing) {
  // Each of these handlers changes a top-level item so that every bar button and its menu are made again.
  auto rebuild = [this](const char* name) {
    return cl::TNotifyEvent([this, name](cl::TObject*) {
      form->Clicks.push_back(name);
      cl::TMenuItem* edit = Item("Edit1");
      edit->SetVisible(!edit->Visible());
    });
  };
  Item("File1")->SetOnClick(rebuild("File1"));
  Item("Zoom1")->SetOnClick(rebuild("Zoom1"));
  const int violations = testsupport::AccessViolations();
  // Alt+F: the button whose click rebuilt the bar is gone afterwards.
  AltWith('F');
  EXPECT_EQ(form->Clicks, std::vector<std::string>{"File1"});
  EXPECT_EQ(OpenWindow(), nullptr);
  // Right on Zoom, and Zoom's accelerator, open its submenu, whose handler takes the menu away.
  for (bool byAccelerator : {false, true}) {
    AltWith('V');
    ASSERT_NE(OpenWindow(), nullptr) << byAccelerator;
    if (byAccelerator) {
      Press('Z');
    } else {
      Press(VK_DOWN);
      Press(VK_RIGHT);
    }
    EXPECT_EQ(OpenWindow(), nullptr) << byAccelerator;
  }
  EXPECT_EQ(form->Clicks, (std::vector<std::string>{"File1", "Zoom1", "Zoom1"}));
  EXPECT_EQ(testsupport::AccessViolations(), violations);
  EXPECT_EQ(caretHides, 0);
  // The bar still works.
  AltWith('V');
  EXPECT_NE(OpenWindow(), nullptr);
}

}  // namespace
}  // namespace tbr::menus
