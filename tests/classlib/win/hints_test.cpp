// Hints: Application->Hint and OnHint, the long hint of the control the mouse enters, ShowHint inheritance and
// the hint window's timing.
#include "classlib/win/hint_window.h"

#include <gtest/gtest.h>

#include <vector>

#include "classlib/test/box.h"
#include "classlib/test/counters.h"
#include "classlib/test/input.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "support/screenshot.h"

namespace {

using namespace cl;

using test::TBox;
using test::TSpot;

std::vector<std::string> mouseLog;

// A control that logs the enter and leave notifications it gets, by its name.
template <class Base>
class TTracked : public Base {
  CL_CLASS(TTracked, Base)
 public:
  explicit TTracked(TComponent* owner) : Base(owner) {}

 protected:
  void Dispatch(TMessage& message) override {
    if (message.Msg == CM_MOUSEENTER) mouseLog.push_back("enter " + this->Name());
    if (message.Msg == CM_MOUSELEAVE) mouseLog.push_back("leave " + this->Name());
    inherited::Dispatch(message);
  }
};

TEST(HintTextTest, ShortAndLongPartsSplitAtTheFirstBar) {
  EXPECT_EQ(GetShortHint("Open|Opens a picture"), "Open");
  EXPECT_EQ(GetLongHint("Open|Opens a picture"), "Opens a picture");
  EXPECT_EQ(GetShortHint("Save"), "Save");
  EXPECT_EQ(GetLongHint("Save"), "Save");
  EXPECT_EQ(GetShortHint("|long only"), "");
  EXPECT_EQ(GetLongHint("a|b|c"), "b|c");
  EXPECT_EQ(GetLongHint(""), "");
}

TEST(ApplicationHintTest, OnHintFiresOnlyOnChangeWithApplicationAsSender) {
  std::vector<std::string> seen;
  TObject* sender = nullptr;
  Application->SetOnHint(TNotifyEvent([&](TObject* s) {
    sender = s;
    seen.push_back(Application->Hint());
  }));
  Application->SetHint("first");
  Application->SetHint("first");
  Application->SetHint("");
  Application->SetOnHint(nullptr);
  EXPECT_EQ(seen, (std::vector<std::string>{"first", ""}));
  EXPECT_EQ(sender, Application);
}

TEST(ShowHintTest, ParentShowHintFollowsTheParentUntilSetDirectly) {
  TBox* root = New<TBox>(nullptr);
  TBox* panel = New<TBox>(root);
  TSpot* spot = New<TSpot>(root);
  spot->SetParent(panel);
  panel->SetParent(root);
  root->SetShowHint(true);
  EXPECT_TRUE(panel->ShowHint());
  EXPECT_TRUE(spot->ShowHint());
  spot->SetShowHint(false);
  EXPECT_FALSE(spot->ParentShowHint());
  root->SetShowHint(false);
  root->SetShowHint(true);
  EXPECT_FALSE(spot->ShowHint());
  spot->SetParentShowHint(true);
  EXPECT_TRUE(spot->ShowHint());
  Free(root);
}

class HintTrackingTest : public testing::Test {
 protected:
  void SetUp() override {
    // The real cursor stays in a far corner: its moves would reach the loop late and out of step with the
    // test's own messages.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    test::PumpFor(50);
    windowsBefore = test::ThreadWindowCount();
    root = New<TBox>(nullptr);
    root->SetBounds(40, 40, 300, 200);
    left = New<TBox>(root);
    left->SetBounds(0, 0, 100, 200);
    left->SetParent(root);
    spot = New<TSpot>(root);
    spot->SetBounds(150, 50, 60, 60);
    spot->SetParent(root);
    root->HandleNeeded();
    test::PumpFor(50);
    Application->SetOnHint(TNotifyEvent([this](TObject*) { hints.push_back(Application->Hint()); }));
  }
  void TearDown() override {
    Application->SetOnHint(nullptr);
    Application->SetHintPause(500);
    Application->SetHintHidePause(2500);
    Application->CancelHint();
    Free(root);
    // The hint window made on first use stays for the next hint.
    EXPECT_LE(test::ThreadWindowCount(), windowsBefore + 1);
  }
  // A mouse move at a client point of root, as the loop gets it from the system.
  void MoveTo(int x, int y) { test::MouseMove(root, x, y); }

  int windowsBefore = 0;
  TBox* root = nullptr;
  TBox* left = nullptr;
  TSpot* spot = nullptr;
  std::vector<std::string> hints;
};

TEST(MouseTrackingTest, EnterAndLeaveComeInPairsOverWindowsAndGraphicChildren) {
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  test::PumpFor(50);
  auto* root = New<TTracked<TBox>>(nullptr);
  root->SetName("root");
  root->SetBounds(40, 40, 300, 200);
  auto* panel = Make<TTracked<TBox>>(root, "panel");
  panel->SetBounds(0, 0, 100, 200);
  panel->SetParent(root);
  auto* spot = Make<TTracked<TSpot>>(root, "spot");
  spot->SetBounds(150, 50, 60, 60);
  spot->SetParent(root);
  mouseLog.clear();
  test::MouseMove(panel, 10, 10);
  test::MouseMove(panel, 20, 20);
  test::MouseMove(spot, 5, 5);
  test::MouseMove(root, 250, 150);
  test::MouseMove(panel, 10, 10);
  EXPECT_EQ(mouseLog, (std::vector<std::string>{"enter panel", "leave panel", "enter spot", "leave spot", "enter root",
                                                "leave root", "enter panel"}));
  // Freeing the control under the mouse sends it nothing more.
  mouseLog.clear();
  Free(panel);
  test::MouseMove(root, 250, 150);
  EXPECT_EQ(mouseLog, (std::vector<std::string>{"enter root"}));
  EXPECT_EQ(Application->MouseControl(), root);
  Free(root);
  EXPECT_EQ(Application->MouseControl(), nullptr);
}

TEST_F(HintTrackingTest, EnteringAControlSetsItsLongHintAndAnUnhintedChildShowsItsParents) {
  left->SetHint("Folders|The folder tree");
  spot->SetHint("Preview");
  root->SetHint("Browser|The browser window");
  MoveTo(20, 20);
  EXPECT_EQ(Application->MouseControl(), left);
  MoveTo(170, 70);
  EXPECT_EQ(Application->MouseControl(), spot);
  MoveTo(250, 150);
  EXPECT_EQ(Application->MouseControl(), root);
  EXPECT_EQ(hints, (std::vector<std::string>{"The folder tree", "Preview", "The browser window"}));
}

TEST_F(HintTrackingTest, HintWindowShowsTheShortHintAfterThePauseAndHidesAfterTheHidePause) {
  root->SetShowHint(true);
  spot->SetHint("Preview|The picture at its size");
  Application->SetHintPause(100);
  Application->SetHintHidePause(1500);
  MoveTo(170, 70);
  ASSERT_TRUE(test::PumpUntil([] { return Application->HintWindow() != nullptr; }, 3000));
  THintWindow* window = Application->HintWindow();
  EXPECT_EQ(window->Caption(), "Preview");
  EXPECT_TRUE(GetWindowLongPtrA(window->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(GetWindowLongPtrA(window->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_NE(GetActiveWindow(), window->Handle());
  test::PumpFor(100);
  testsupport::SaveScreenshot("hint_window");
  EXPECT_TRUE(test::PumpUntil([] { return Application->HintWindow() == nullptr; }, 5000));
}

TEST_F(HintTrackingTest, AClickOrKeyHidesTheHintWindowAndLeavingStopsAPendingOne) {
  root->SetShowHint(true);
  spot->SetHint("Preview");
  Application->SetHintPause(50);
  MoveTo(170, 70);
  ASSERT_TRUE(test::PumpUntil([] { return Application->HintWindow() != nullptr; }, 3000));
  PostMessageA(root->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(170, 70));
  PostMessageA(root->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(170, 70));
  Application->ProcessMessages();
  EXPECT_EQ(Application->HintWindow(), nullptr);

  MoveTo(20, 20);
  MoveTo(170, 70);
  ASSERT_TRUE(test::PumpUntil([] { return Application->HintWindow() != nullptr; }, 3000));
  PostMessageA(root->Handle(), WM_KEYDOWN, VK_SPACE, 0);
  Application->ProcessMessages();
  EXPECT_EQ(Application->HintWindow(), nullptr);

  Application->SetHintPause(300);
  MoveTo(20, 20);
  MoveTo(170, 70);
  MoveTo(20, 20);
  test::PumpFor(600);
  EXPECT_EQ(Application->HintWindow(), nullptr);
}

TEST_F(HintTrackingTest, NoHintWindowWithoutShowHint) {
  spot->SetHint("Preview");
  Application->SetHintPause(20);
  MoveTo(170, 70);
  test::PumpFor(200);
  EXPECT_EQ(Application->HintWindow(), nullptr);
  EXPECT_EQ(Application->Hint(), "Preview");
}

}  // namespace
