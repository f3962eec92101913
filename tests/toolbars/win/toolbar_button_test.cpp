// Toolbar buttons on a real toolbar, driven by mouse messages: clicks, press tracking, groups and Down, hot
// tracking with its timer and hooks, repeat, dropdown menus (where they open, the combo arrow part, the press
// that closed the menu), the dropdown list window, handlers that free things, and the pixels of each look.
#include "toolbars/toolbar_button.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/test/input.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/menus.h"
#include "support/access_violations.h"
#include "support/real_input.h"
#include "support/screenshot.h"
#include "test_bar.h"
#include "timed_steps.h"
#include "toolbars/dropdown_list.h"
#include "toolbars/toolbar.h"

namespace tbr {
namespace {

using Log = std::vector<std::string>;

// Whether the screenshot taken while a menu was open could be written.
bool menuShot = false;

// Takes a screenshot from inside the menu's own loop, once.
void CALLBACK ShootOpenMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  try {
    testsupport::SaveScreenshot("toolbars_dropdown_menu");
    menuShot = true;
  } catch (const std::exception&) {
    menuShot = false;
  }
}

// A menu that records where it was asked to open instead of opening.
class TRecordingMenu : public cl::TPopupMenu {
  CL_CLASS(TRecordingMenu, cl::TPopupMenu)
 public:
  explicit TRecordingMenu(cl::TComponent* owner) : cl::TPopupMenu(owner) {}
  std::vector<cl::TPoint> Opened;
  cl::TPopupAlignment AlignmentWhenOpened = cl::paCenter;
  std::function<void()> WhileOpen;

  void Popup(int x, int y) override {
    Opened.push_back(cl::Point(x, y));
    AlignmentWhenOpened = Alignment();
    if (WhileOpen) WhileOpen();
  }
};

class ToolbarButtonTest : public testing::Test {
 protected:
  void SetUp() override {
    cl::Application->CreateForm(form);
    form->ShowWithClientSize();
    SetActiveWindow(form->Handle());
    toolbar = cl::Make<TToolbar>(form, "Toolbar");
    toolbar->SetParent(form->TopDock);
    button = AddButton("Button");
  }
  void TearDown() override {
    cl::Free(form);
    cl::test::PumpFor(20);
    EXPECT_EQ(TToolbarButton::HotButton(), nullptr);
  }
  TToolbarButton* AddButton(const std::string& name) {
    auto* made = cl::Make<TToolbarButton>(form, name);
    made->SetParent(toolbar);
    made->SetOnClick(cl::TNotifyEvent([this, name](cl::TObject*) { log.push_back(name + " click"); }));
    made->SetOnMouseEnter(cl::TNotifyEvent([this, name](cl::TObject*) { log.push_back(name + " enter"); }));
    made->SetOnMouseExit(cl::TNotifyEvent([this, name](cl::TObject*) { log.push_back(name + " exit"); }));
    return made;
  }
  // The mouse at a point of b (the cursor goes there too), then pressed or released there.
  void Move(TToolbarButton* b, int x, int y) {
    cursor.MoveTo(b->ClientToScreen(cl::Point(x, y)));
    cl::test::MouseMove(b, x, y);
  }
  void Press(TToolbarButton* b, int x = 5, int y = 5) {
    Move(b, x, y);
    cl::test::MouseDown(b, cl::mbLeft, x, y);
  }
  void Release(TToolbarButton* b, int x = 5, int y = 5) {
    Move(b, x, y);
    cl::test::MouseUp(b, cl::mbLeft, x, y);
  }
  void ClickOn(TToolbarButton* b) {
    Press(b);
    Release(b);
  }
  int Count(const std::string& entry) const { return static_cast<int>(std::count(log.begin(), log.end(), entry)); }

  test::TDockForm* form = nullptr;
  TToolbar* toolbar = nullptr;
  TToolbarButton* button = nullptr;
  cl::test::FakeCursor cursor{cl::Point(0, 0)};
  Log log;
};

TEST_F(ToolbarButtonTest, ReleasingOffTheButtonClicksOnlyWhenTheMouseCameBack) {
  Press(button);
  Move(button, 40, 5);  // off the button, onto the toolbar
  Release(button, 40, 5);
  EXPECT_EQ(Count("Button click"), 0);
  Press(button);
  Move(button, 40, 5);
  Move(button, 6, 6);
  Release(button, 6, 6);
  EXPECT_EQ(Count("Button click"), 1);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ToolbarButtonTest, GroupsKeepOneButtonDown) {
  TToolbarButton* other = AddButton("Other");
  for (TToolbarButton* b : {button, other}) b->SetGroupIndex(1);
  ClickOn(button);
  EXPECT_TRUE(button->Down());
  ClickOn(other);
  EXPECT_TRUE(other->Down());
  EXPECT_FALSE(button->Down());
  ClickOn(other);  // may not be all up: stays down
  EXPECT_TRUE(other->Down());
  button->SetAllowAllUp(true);  // the group shares it
  EXPECT_TRUE(other->AllowAllUp());
  ClickOn(other);
  EXPECT_FALSE(other->Down());
  TToolbarButton* loose = AddButton("Loose");
  loose->SetDown(true);
  EXPECT_FALSE(loose->Down());
  EXPECT_EQ(Count("Other click"), 3);
}

TEST_F(ToolbarButtonTest, ADoubleClickIsReportedOnlyByADownButton) {
  int doubleClicks = 0;
  button->SetOnDblClick(cl::TNotifyEvent([&](cl::TObject*) { ++doubleClicks; }));
  const cl::TPoint at = cl::Point(button->Left() + 5, button->Top() + 5);
  SendMessageA(toolbar->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.X, at.Y));
  SendMessageA(toolbar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(at.X, at.Y));
  EXPECT_EQ(doubleClicks, 0);
  button->SetGroupIndex(1);
  button->SetDown(true);
  SendMessageA(toolbar->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.X, at.Y));
  SendMessageA(toolbar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(at.X, at.Y));
  EXPECT_EQ(doubleClicks, 1);
}

TEST_F(ToolbarButtonTest, TheHotBorderFollowsTheMouseAndGoesWithTheTimer) {
  TToolbarButton* other = AddButton("Other");
  Move(button, 5, 5);
  EXPECT_EQ(TToolbarButton::HotButton(), button);
  Move(other, 5, 5);
  EXPECT_EQ(TToolbarButton::HotButton(), other);
  EXPECT_EQ(log, (Log{"Button enter", "Button exit", "Other enter"}));
  // The mouse leaves the program's windows: the timer notices.
  cursor.MoveTo(cl::Point(form->Left() + form->Width() + 50, 10));
  EXPECT_TRUE(cl::test::PumpUntil([] { return TToolbarButton::HotButton() == nullptr; }, 2000));
  EXPECT_EQ(log.back(), "Other exit");
}

TEST_F(ToolbarButtonTest, LeavingTheProgramEndsHotTrackingUnlessTheBorderStays) {
  Move(button, 5, 5);
  SendMessageA(form->Handle(), WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_EQ(TToolbarButton::HotButton(), nullptr);
  button->SetShowBorderWhenInactive(true);
  Move(button, 6, 6);
  SendMessageA(form->Handle(), WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_EQ(TToolbarButton::HotButton(), button);
}

TEST_F(ToolbarButtonTest, ARepeatingButtonClicksWhileHeldOnIt) {
  button->SetRepeating(true);
  button->SetRepeatDelay(100);
  button->SetRepeatInterval(30);
  Press(button);
  EXPECT_EQ(Count("Button click"), 1);  // at once on the press
  EXPECT_TRUE(cl::test::PumpUntil([&] { return Count("Button click") >= 4; }, 3000));
  // Off the button the repeat pauses, and comes back with the mouse.
  Move(button, 60, 5);
  cl::test::PumpFor(100);
  const int paused = Count("Button click");
  cl::test::PumpFor(200);
  EXPECT_EQ(Count("Button click"), paused);
  Move(button, 5, 5);
  EXPECT_TRUE(cl::test::PumpUntil([&] { return Count("Button click") > paused; }, 3000));
  Release(button);
  const int released = Count("Button click");  // the release itself does not click
  cl::test::PumpFor(200);
  EXPECT_EQ(Count("Button click"), released);
}

TEST_F(ToolbarButtonTest, ARepeatTimerFreedByItsOwnClickHarmsNothing) {
  button->SetRepeating(true);
  button->SetRepeatDelay(30);
  button->SetOnClick(cl::TNotifyEvent([&](cl::TObject*) {
    log.push_back("click");
    if (log.size() == 2) button->SetEnabled(false);  // the second click, from the timer
  }));
  Press(button);
  EXPECT_TRUE(cl::test::PumpUntil([&] { return log.size() >= 2; }, 3000));
  cl::test::PumpFor(150);
  EXPECT_EQ(log.size(), 2u);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ToolbarButtonTest, HandlersMayFreeTheButtonOrItsForm) {
  button->SetOnClick(cl::TNotifyEvent([&](cl::TObject*) { button->Free(); }));
  ClickOn(button);
  EXPECT_EQ(form->FindComponent("Button"), nullptr);
  TToolbarButton* second = AddButton("Second");
  second->SetOnMouseExit(cl::TNotifyEvent([&](cl::TObject*) { cl::FreeAndNil(form); }));
  ClickOn(second);  // the click leaves the hot state first
  EXPECT_EQ(form, nullptr);
}

TEST_F(ToolbarButtonTest, DropdownMenusOpenBelowOrBesideTheButtonAfterOnClick) {
  auto* menu = cl::Make<TRecordingMenu>(form, "Menu");
  menu->SetAlignment(cl::paCenter);
  menu->WhileOpen = [&] { log.push_back("open"); };
  button->SetDropdownMenu(menu);
  ClickOn(button);  // the menu opens on the press
  // The click leaves the hot look before OnClick, and the mouse counts as over the button again afterwards.
  EXPECT_EQ(log, (Log{"Button enter", "Button exit", "Button click", "open", "Button enter"}));
  ASSERT_EQ(menu->Opened.size(), 1u);
  EXPECT_EQ(menu->Opened[0], button->ClientToScreen(cl::Point(0, 22)));
  EXPECT_EQ(menu->AlignmentWhenOpened, cl::paLeft);
  EXPECT_EQ(menu->Alignment(), cl::paCenter);
  EXPECT_EQ(menu->PopupComponent(), button);

  toolbar->SetParent(form->LeftDock);
  ClickOn(button);
  EXPECT_EQ(menu->Opened.back(), button->ClientToScreen(cl::Point(button->Width(), 0)));
  toolbar->SetParent(form->RightDock);
  ClickOn(button);
  EXPECT_EQ(menu->Opened.back(), button->ClientToScreen(cl::Point(0, 0)));
  EXPECT_EQ(menu->AlignmentWhenOpened, cl::paRight);
}

TEST_F(ToolbarButtonTest, AComboButtonClicksFromItsMainPartAndOpensFromItsArrow) {
  auto* menu = cl::Make<TRecordingMenu>(form, "Menu");
  button->SetDropdownMenu(menu);
  button->SetDropdownCombo(true);
  EXPECT_EQ(button->Width(), 34);
  ClickOn(button);
  EXPECT_EQ(Count("Button click"), 1);
  EXPECT_TRUE(menu->Opened.empty());
  Press(button, 30, 5);
  Release(button, 30, 5);
  EXPECT_EQ(Count("Button click"), 1);
  EXPECT_EQ(menu->Opened.size(), 1u);
  button->SetDropdownCombo(false);
  EXPECT_EQ(button->Width(), 23);
  button->SetDropdownCombo(true);
  button->SetWidth(8);
  button->SetDropdownCombo(false);
  EXPECT_EQ(button->Width(), 1);
}

TEST_F(ToolbarButtonTest, ThePressThatClosedTheMenuDoesNotOpenItAgain) {
  auto* menu = cl::Make<TRecordingMenu>(form, "Menu");
  button->SetDropdownMenu(menu);
  const cl::TPoint onButton = cl::Point(button->Left() + 5, button->Top() + 5);
  menu->WhileOpen = [&] {
    PostMessageA(toolbar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onButton.X, onButton.Y));
    PostMessageA(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
  };
  Move(button, 5, 5);
  SendMessageA(toolbar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onButton.X, onButton.Y));
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, form->Handle());
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
  Release(button);
  EXPECT_EQ(menu->Opened.size(), 1u);
}

TEST_F(ToolbarButtonTest, APlainPopupMenuOpensThroughTheDropdownListWhichClicksTheChoice) {
  auto* menu = cl::Make<cl::TPopupMenu>(form, "Menu");
  auto* item = cl::Make<cl::TMenuItem>(form, "Item");
  item->SetCaption("&First");
  item->SetOnClick(cl::TNotifyEvent([&](cl::TObject*) { log.push_back("item"); }));
  menu->Items()->Add(item);
  menu->SetOnPopup(cl::TNotifyEvent([&](cl::TObject*) { log.push_back("popup"); }));
  button->SetCaption("Menu");
  button->SetDropdownMenu(menu);
  ASSERT_NE(ExistingDropdownList(), nullptr);
  EXPECT_NE(ExistingDropdownList()->Handle(), nullptr);
  menuShot = false;
  SetTimer(nullptr, 0, 150, ShootOpenMenu);
  cl::test::PostKeysLater({VK_DOWN, VK_RETURN}, 400);
  Press(button);
  Release(button);
  cl::test::PumpFor(50);
  EXPECT_TRUE(menuShot);
  EXPECT_EQ(log, (Log{"Button enter", "Button exit", "Button click", "popup", "Button enter", "item"}));
  // The list lets go of the menu (and its window) when the menu goes.
  cl::Free(menu);
  EXPECT_EQ(button->DropdownMenu(), nullptr);
  EXPECT_EQ(ExistingDropdownList()->Handle(), nullptr);
}

TEST_F(ToolbarButtonTest, TheDropdownListGivesHelpOnItsMenusItemsOnly) {
  auto* menu = cl::Make<cl::TPopupMenu>(form, "Menu");
  auto* item = cl::Make<cl::TMenuItem>(form, "Item");
  item->SetCaption("Item");
  item->SetHelpContext(42);
  menu->Items()->Add(item);
  button->SetDropdownMenu(menu);
  std::vector<ULONG_PTR> contexts;
  cl::Application->SetOnHelp(cl::THelpEvent([&](UINT, ULONG_PTR data, bool& callHelp) {
    contexts.push_back(data);
    callHelp = false;
    return true;
  }));
  HELPINFO info{};
  info.cbSize = sizeof info;
  info.iContextType = HELPINFO_MENUITEM;
  info.iCtrlId = static_cast<int>(item->Command());
  info.hItemHandle = menu->Handle();
  SetActiveWindow(form->Handle());
  SendMessageA(ExistingDropdownList()->Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  info.hItemHandle = CreatePopupMenu();  // a menu the list does not know
  SendMessageA(ExistingDropdownList()->Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  DestroyMenu(static_cast<HMENU>(info.hItemHandle));
  cl::Application->SetOnHelp(nullptr);
  EXPECT_EQ(contexts, (std::vector<ULONG_PTR>{42}));
}

TEST_F(ToolbarButtonTest, TheGlyphsPaletteIsTheButtonsAndItsFormRealizesIt) {
  EXPECT_EQ(button->GetPalette(), nullptr);
  cl::Owned<cl::TBitmap> glyph = cl::MakeOwned<cl::TBitmap>();
  glyph->SetSize(16, 16);
  glyph->SetPixelFormat(cl::pf8bit);
  button->SetGlyph(glyph.get());
  ASSERT_NE(button->GetPalette(), nullptr);
  // The toolbar has no palette of its own: the button's is the one its form realizes.
  EXPECT_EQ(SendMessageA(form->Handle(), WM_QUERYNEWPALETTE, 0, 0), TRUE);
}

TEST_F(ToolbarButtonTest, AcceleratorsClickButtonsThatShowTheirCaption) {
  button->SetCaption("&Go");
  EXPECT_EQ(button->Perform(cl::CM_DIALOGCHAR, 'g'), 1);
  EXPECT_EQ(Count("Button click"), 1);
  button->SetDisplayMode(dmGlyphOnly);
  EXPECT_EQ(button->Perform(cl::CM_DIALOGCHAR, 'g'), 0);
  EXPECT_EQ(Count("Button click"), 1);
}

// The button's pixels as the toolbar paints them.
class ButtonPixels {
 public:
  ButtonPixels(TToolbar* toolbar, TToolbarButton* button)
      : FPicture(cl::test::PaintTo(toolbar)), FOrigin(button->Left(), button->Top()) {}
  COLORREF At(int x, int y) const { return GetPixel(FPicture->Canvas()->Handle(), FOrigin.X + x, FOrigin.Y + y); }

 private:
  cl::Owned<cl::TBitmap> FPicture;
  cl::TPoint FOrigin;
};

TEST_F(ToolbarButtonTest, EachLookHasItsBorder) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  EXPECT_EQ(ButtonPixels(toolbar, button).At(0, 0), face);  // flat and up: no border
  Move(button, 5, 5);
  EXPECT_EQ(ButtonPixels(toolbar, button).At(0, 0), highlight);
  EXPECT_EQ(ButtonPixels(toolbar, button).At(22, 21), shadow);
  cl::test::MouseDown(button, cl::mbLeft, 5, 5);
  EXPECT_EQ(ButtonPixels(toolbar, button).At(0, 0), shadow);
  EXPECT_EQ(ButtonPixels(toolbar, button).At(22, 21), highlight);
  Release(button);
  // Held down by its group with the mouse elsewhere: the checkerboard inside the sunken border.
  button->SetGroupIndex(1);
  button->SetDown(true);
  Move(button, 60, 5);
  const ButtonPixels down(toolbar, button);
  EXPECT_EQ(down.At(0, 0), shadow);
  EXPECT_EQ(down.At(2, 2), highlight);
  EXPECT_EQ(down.At(3, 2), face);
  EXPECT_EQ(down.At(3, 3), highlight);
}

TEST_F(ToolbarButtonTest, DisablingForgetsTheMouseAndTheButtonGetsNoClicks) {
  Move(button, 5, 5);
  button->SetEnabled(false);
  EXPECT_EQ(TToolbarButton::HotButton(), nullptr);
  ClickOn(button);
  EXPECT_EQ(Count("Button click"), 0);
  EXPECT_EQ(ButtonPixels(toolbar, button).At(0, 0), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ToolbarButtonTest, TheDropdownListStopsAtTheMenuThatTookAMessage) {
  auto* first = cl::Make<cl::TPopupMenu>(form, "First");
  auto* second = cl::Make<cl::TPopupMenu>(form, "Second");
  auto* recent = cl::Make<cl::TMenuItem>(form, "Recent");
  first->Items()->Add(recent);
  recent->Add(cl::Make<cl::TMenuItem>(form, "Entry"));
  auto* command = cl::Make<cl::TMenuItem>(form, "Command");
  first->Items()->Add(command);
  // Both handlers free the menu listed after the one that took the message.
  const cl::Weak<cl::TPopupMenu> later(second);
  recent->SetOnClick(cl::TNotifyEvent([&](cl::TObject*) {
    log.push_back("opening");
    cl::Free(later.get());
  }));
  command->SetOnClick(cl::TNotifyEvent([&](cl::TObject*) { log.push_back("command"); }));
  button->SetDropdownMenu(first);
  AddButton("Other")->SetDropdownMenu(second);
  const HWND list = ExistingDropdownList()->Handle();
  const int violations = testsupport::AccessViolations();
  SendMessageA(list, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(recent->Handle()), 0);
  EXPECT_FALSE(later);
  SendMessageA(list, WM_COMMAND, command->Command(), 0);
  EXPECT_EQ(log, (Log{"opening", "command"}));
  EXPECT_EQ(testsupport::AccessViolations(), violations);
}

// Buttons whose states change under a real mouse, as the viewer's change every second: one button is disabled
// and enabled again and again while the bar is dragged or another button is held.
class ButtonStatesUnderTheMouseTest : public testing::Test {
 protected:
  void SetUp() override {
    cl::Application->CreateForm(form);
    form->ShowWithClientSize();
    SetForegroundWindow(form->Handle());
    SetActiveWindow(form->Handle());
    toolbar = cl::Make<TToolbar>(form, "Toolbar");
    toolbar->SetParent(form->TopDock);
    held = cl::Make<TToolbarButton>(form, "Held");
    held->SetParent(toolbar);
    held->SetOnClick(cl::TNotifyEvent([this](cl::TObject*) { ++heldClicks; }));
    separator = cl::Make<TToolbarSep>(form, "Separator");
    separator->SetParent(toolbar);
    flipping = cl::Make<TToolbarButton>(form, "Flipping");
    flipping->SetParent(toolbar);
    auto* flipper = cl::Make<cl::TTimer>(form, "Flipper");
    flipper->SetInterval(30);
    flipper->SetOnTimer(cl::TNotifyEvent([this](cl::TObject*) { flipping->SetEnabled(!flipping->Enabled()); }));
    cl::test::PumpFor(50);
  }
  void TearDown() override {
    testsupport::RealMouseButton(false);
    cl::Free(form);
    cl::test::PumpFor(20);
    EXPECT_EQ(GetCapture(), nullptr);
  }
  // Runs the steps, each 150 ms after the one before, until all ran.
  void Run(std::vector<std::function<void()>> steps) {
    steps.push_back([] {});
    test::TimedSteps timed(form, 150, std::move(steps));
    ASSERT_TRUE(cl::test::PumpUntil([&] { return timed.Done(); }, 5000));
  }
  static void MoveTo(cl::TPoint screen) { testsupport::RealMouseMove(screen.X, screen.Y); }
  cl::TPoint Middle(cl::TControl* control) {
    return control->ClientToScreen(cl::Point(control->Width() / 2, control->Height() / 2));
  }

  test::TDockForm* form = nullptr;
  TToolbar* toolbar = nullptr;
  TToolbarButton* held = nullptr;
  TToolbarSep* separator = nullptr;
  TToolbarButton* flipping = nullptr;
  int heldClicks = 0;
};

TEST_F(ButtonStatesUnderTheMouseTest, TheBarsDragGoesOn) {
  const cl::TPoint leftDock = form->LeftDock->ClientToScreen(cl::Point(2, form->LeftDock->Height() / 2));
  Run({[&] { MoveTo(Middle(separator)); }, [] { testsupport::RealMouseButton(true); },
       [&] { MoveTo(cl::Point(leftDock.X + 20, leftDock.Y)); }, [&] { MoveTo(leftDock); },
       [] { testsupport::RealMouseButton(false); }});
  EXPECT_EQ(toolbar->DockedTo(), form->LeftDock);
}

TEST_F(ButtonStatesUnderTheMouseTest, AnotherButtonsPressEndsWhereItIsReleased) {
  const cl::TPoint offTheBar = form->ClientToScreen(cl::Point(200, 200));
  Run({[&] { MoveTo(Middle(held)); }, [] { testsupport::RealMouseButton(true); }, [&] { MoveTo(offTheBar); },
       [] { testsupport::RealMouseButton(false); }});
  EXPECT_EQ(heldClicks, 0);
  // Released off the bar, the button is up again.
  EXPECT_EQ(ButtonPixels(toolbar, held).At(0, 0), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
}  // namespace tbr
