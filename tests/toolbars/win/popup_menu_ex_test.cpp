// The owner-drawn popup menu on real windows: right clicks and WM_CONTEXTMENU open it and a click elsewhere
// closes it, a plain toolbar button's menu keeps Popup waiting without using the processor, and the menus' form
// opens its owner-drawn system menu from the caption, the icon and Alt+Space.
#include "toolbars/popup_menu_ex.h"

#include <gtest/gtest.h>

#include "classlib/test/input.h"
#include "classlib/win/timer.h"
#include "menu_test_kit.h"
#include "tests/support/real_input.h"
#include "tests/support/screenshot.h"
#include "timed_steps.h"
#include "toolbars/menu_form.h"
#include "toolbars/menu_item.h"
#include "toolbars/system_menu_ex.h"
#include "toolbars/toolbar_button.h"

namespace tbr::menus {
namespace {

using test::MenuFormTest;

cl::TPoint TopLeft(const cl::TControl* control) {
  return cl::Point(control->Left(), control->Top());
}

class PopupMenuExTest : public MenuFormTest {
 protected:
  void SetUp() override {
    MenuFormTest::SetUp();
    menu = cl::Make<TPopupMenuEx>(form, "PopupMenuEx1");
    for (const char* name : {"Copy1", "Move1", "Delete1"}) {
      cl::AddMenuItem<TMenuItem>(menu->Items(), name, name, 0,
                                 cl::TNotifyEvent([this, name](cl::TObject*) { form->Clicks.push_back(name); }));
    }
    panel = cl::Make<cl::TPanel>(form, "Panel1");
    panel->SetBounds(220, 40, 150, 150);
    panel->SetParent(form);
    panel->SetPopupMenu(menu);
  }

  TPopupMenuEx* menu = nullptr;
  cl::TPanel* panel = nullptr;
};

TEST_F(PopupMenuExTest, RightClickAndContextMenuOpenTheOwnerDrawnMenuAndAClickOutsideClosesIt) {
  // A right click: the window's release asks for its context menu, at the mouse.
  const cl::TPoint at = panel->ClientToScreen(cl::Point(30, 40));
  test::MoveCursor(at);
  SendMessageA(panel->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(30, 40));
  ASSERT_TRUE(menu->IsOpen());
  EXPECT_EQ(ActivePopupMenu(), menu);
  EXPECT_EQ(menu->PopupComponent(), panel);
  EXPECT_EQ(TopLeft(menu->Window()), at);
  EXPECT_EQ(menu->Window()->ItemCount(), 3);
  testsupport::SaveScreenshot("menus_context_popup");

  // A press outside every menu window closes it.
  const cl::TPoint outside = form->Edit->ClientToScreen(cl::Point(5, 5));
  test::MoveCursor(outside);
  PostMessageA(form->Edit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(form->Edit->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  cl::test::PumpFor(50);
  EXPECT_FALSE(menu->IsOpen());
  EXPECT_EQ(menu->Window()->Height(), 0);
  EXPECT_EQ(ActivePopupMenu(), nullptr);

  // WM_CONTEXTMENU from the keyboard opens it at the control's top-left corner.
  SendMessageA(panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->Handle()), MAKELPARAM(-1, -1));
  ASSERT_TRUE(menu->IsOpen());
  EXPECT_EQ(TopLeft(menu->Window()), panel->ClientToScreen(cl::Point(0, 0)));
  EXPECT_TRUE(form->Clicks.empty());
}

// A toolbar button that tells how it is drawn.
class TProbeButton : public TToolbarButton {
  CL_CLASS(TProbeButton, TToolbarButton)
 public:
  explicit TProbeButton(cl::TComponent* owner) : TToolbarButton(owner) {}
  using TToolbarButton::DrawState;
};

uint64_t BusyTime100ns() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto ticks = [](FILETIME t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return ticks(kernel) + ticks(user);
}

TEST_F(PopupMenuExTest, APlainToolbarButtonStaysDownWhileItsMenuWaitsAndASecondRealClickClosesIt) {
  auto* button = cl::Make<TProbeButton>(form, "DropButton");
  button->SetBounds(10, 80, 60, 22);
  button->SetParent(form);
  button->SetDropdownMenu(menu);
  int clicks = 0;
  button->SetOnClick(cl::TNotifyEvent([&](cl::TObject*) { ++clicks; }));
  const cl::TPoint center = button->ClientToScreen(cl::Point(30, 11));
  bool openAndDown = false;
  bool openAfterSecondClick = true;
  uint64_t busyBefore = 0;
  uint64_t busyWaiting = 0;
  tbr::test::TimedSteps steps(form, 400,
                              {
                                  [&] { testsupport::RealClick(center.X, center.Y); },
                                  [&] {
                                    openAndDown = menu->IsOpen() && button->DrawState() == bsPressed;
                                    busyBefore = BusyTime100ns();
                                  },
                                  [&] {
                                    busyWaiting = BusyTime100ns() - busyBefore;
                                    testsupport::RealClick(center.X, center.Y);
                                  },
                                  [&] {
                                    openAfterSecondClick = menu->IsOpen();
                                    CloseAllMenus(false);
                                  },
                              });
  ASSERT_TRUE(cl::test::PumpUntil([&] { return steps.Done(); }, 5000));
  EXPECT_TRUE(openAndDown);
  EXPECT_FALSE(openAfterSecondClick);
  EXPECT_EQ(ActivePopupMenu(), nullptr);
  EXPECT_NE(button->DrawState(), bsPressed);
  // Each click fires OnClick before its menu opens or closes.
  EXPECT_EQ(clicks, 2);
  // About 0.4 s of waiting with the menu open: a loop that spins would use all of it.
  EXPECT_LT(busyWaiting, 2'000'000u) << busyWaiting / 10'000 << " ms busy";
}

constexpr cl::TColor kMenuColor = 0x00A0FF;

// A menus TForm with a system menu, whose close requests are counted and refused.
class TSystemMenuForm : public TForm {
  CL_CLASS(TSystemMenuForm, TForm)
 public:
  explicit TSystemMenuForm(cl::TComponent* owner) : TForm(owner) {}
  int CloseRequests = 0;

 protected:
  void CreateComponents() override {
    SetBounds(150, 120, 300, 200);
    SetOnCloseQuery(cl::TCloseQueryEvent([this](cl::TObject*, bool& canClose) {
      ++CloseRequests;
      canClose = false;
    }));
  }
};

class SystemMenuTest : public testing::Test {
 protected:
  void SetUp() override {
    InitMenuUnit();
    cl::Application->CreateForm(form);
    form->Show();
    SetForegroundWindow(form->Handle());
    SetActiveWindow(form->Handle());
    cl::test::PumpFor(20);
  }
  void TearDown() override {
    CloseAllMenus(false);
    cl::Free(form);
    cl::test::PumpFor(20);
    EXPECT_EQ(ActivePopupMenu(), nullptr);
  }
  TPopupMenuExForm* Window() const { return form->SystemMenu()->Window(); }

  TSystemMenuForm* form = nullptr;
};

TEST_F(SystemMenuTest, ARightClickOnTheCaptionOpensTheSystemMenuWhoseCloseAsksTheFormToClose) {
  TSystemMenuEx* menu = form->SystemMenu();
  ASSERT_NE(menu, nullptr);
  menu->Options()->Colors()->SetMenu(kMenuColor);
  const cl::TPoint at = cl::Point(form->Left() + 60, form->Top() + 8);
  SendMessageA(form->Handle(), WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(at.X, at.Y));
  EXPECT_FALSE(menu->IsOpen());
  SendMessageA(form->Handle(), WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(at.X, at.Y));
  ASSERT_TRUE(menu->IsOpen());
  EXPECT_EQ(menu->Options()->OpenAnimation(), anPopup);
  EXPECT_EQ(menu->PopupComponent(), nullptr);
  auto* close = dynamic_cast<TMenuItem*>(form->FindComponent("SYSTEMCLOSE"));
  ASSERT_NE(close, nullptr);
  EXPECT_TRUE(close->Default());
  const int row = Window()->IndexOfItem(close);
  ASSERT_GE(row, 0);
  // Made before its form was shown, the menu still shows above it (a Wine desktop that has just started takes a
  // moment to reach the screen).
  const auto menuShown = [&] {
    return testsupport::ScreenColor(Window()->Left() + Window()->Width() - 6, Window()->Top() + 12) == kMenuColor;
  };
  cl::test::PumpUntil(menuShown, 10000);
  EXPECT_TRUE(menuShown()) << "open " << menu->IsOpen() << ", foreground " << (GetForegroundWindow() == form->Handle());
  testsupport::SaveScreenshot("menus_system_menu");
  Window()->SelectItem(row);
  Window()->ActivateSelectedItem();
  cl::test::PumpUntil([&] { return form->CloseRequests > 0; }, 2000);
  EXPECT_EQ(form->CloseRequests, 1);
  EXPECT_FALSE(menu->IsOpen());
}

TEST_F(SystemMenuTest, TheIconOpensItBelowTheIconUnlessTheMenuKeepsItsOwnAnimation) {
  TSystemMenuEx* menu = form->SystemMenu();
  SendMessageA(form->Handle(), WM_NCLBUTTONDOWN, HTSYSMENU, MAKELPARAM(form->Left() + 5, form->Top() + 5));
  ASSERT_TRUE(menu->IsOpen());
  EXPECT_EQ(menu->Options()->OpenAnimation(), anSmart);
  EXPECT_EQ(menu->PopupComponent(), form);
  const cl::TPoint origin = form->ClientOrigin();
  EXPECT_EQ(TopLeft(Window()), cl::Point(origin.X, origin.Y - 1));
  CloseAllMenus(false);

  menu->SetAllowAdjust(false);
  menu->Options()->SetOpenAnimation(anNone);
  SendMessageA(form->Handle(), WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(form->Left() + 60, form->Top() + 8));
  ASSERT_TRUE(menu->IsOpen());
  EXPECT_EQ(menu->Options()->OpenAnimation(), anNone);
  CloseAllMenus(false);

  // Switched off, caption clicks are the system's.
  menu->SetEnabled(false);
  SendMessageA(form->Handle(), WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(form->Left() + 60, form->Top() + 8));
  EXPECT_FALSE(menu->IsOpen());
}

TEST_F(SystemMenuTest, FormsWithoutASystemMenuIgnoreCaptionClicks) {
  // A window without the system menu box has no system menu to show.
  form->SetBorderIcons({});
  form->ShowSystemMenuAt(form->Left() + 60, form->Top() + 8, false);
  EXPECT_FALSE(form->SystemMenu()->IsOpen());
  EXPECT_EQ(ActivePopupMenu(), nullptr);

  // A form made without loading has no owner-drawn system menu at all.
  auto* bare = cl::CreateNew<TForm>(cl::Application);
  bare->SetBounds(400, 300, 200, 150);
  bare->Show();
  EXPECT_EQ(bare->SystemMenu(), nullptr);
  SendMessageA(bare->Handle(), WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(450, 305));
  bare->ShowSystemMenu();
  EXPECT_EQ(ActivePopupMenu(), nullptr);
  cl::Free(bare);
}

TEST(SystemMenuOwnerTest, AnyOtherOwnerThanTheMenusFormIsRefused) {
  InitMenuUnit();
  auto* plain = cl::CreateNew<cl::TForm>(cl::Application);
  try {
    cl::New<TSystemMenuEx>(plain);
    ADD_FAILURE() << "no error";
  } catch (const cl::Exception& error) {
    EXPECT_EQ(error.Message(),
              "Error: Owner if TSystemMenuEx component is not an MenusEx.TForm. Possible reason: MenusEx unit "
              "doesn't placed at the end of uses clause of your form's unit");
  }
  EXPECT_EQ(plain->ComponentCount(), 0);
  cl::Free(plain);
}

}  // namespace
}  // namespace tbr::menus
