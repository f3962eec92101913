// Tool windows docking and floating on real forms: the round trip with its events and window styles, the hidden
// floating parent, freeing a floating bar or its form, visibility with the form, ownership, activation and the
// errors of a parent change.
#include "toolbars/tool_window.h"

#include <gtest/gtest.h>

#include "classlib/core/exceptions.h"
#include "classlib/test/counters.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/screen.h"
#include "test_bar.h"

namespace tbr {
namespace {

using test::TDockForm;
using test::TTestBar;
using Log = std::vector<std::string>;

LONG_PTR StyleOf(TCustomToolWindow* bar) {
  return GetWindowLongPtrA(bar->Handle(), GWL_STYLE);
}

class ToolWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    windowsBefore = cl::test::ThreadWindowCount();
    formsBefore = cl::Screen->FormCount();
    cl::Application->CreateForm(form);
    form->ShowWithClientSize();
    SetActiveWindow(form->Handle());
    bar = cl::Make<TTestBar>(form, "Bar1");
    bar->SetHideWhenInactive(false);
    bar->SetParent(form->TopDock);
  }
  void TearDown() override {
    cl::Free(form);
    EXPECT_EQ(cl::test::ThreadWindowCount(), windowsBefore);
    EXPECT_EQ(cl::Screen->FormCount(), formsBefore);
    EXPECT_EQ(debug::HookUseCount(hsCallWndProc), 0);
  }

  int windowsBefore = 0;
  int formsBefore = 0;
  TDockForm* form = nullptr;
  TTestBar* bar = nullptr;
};

TEST_F(ToolWindowTest, DocksFloatsAndDocksAgainWithItsEventsAndStyles) {
  EXPECT_TRUE(StyleOf(bar) & WS_CHILD);
  bar->Log.clear();
  bar->SetFloatPos(cl::Point(150, 160));
  bar->SetDockedTo(nullptr);
  EXPECT_EQ(bar->Log, (Log{"DockChanging", "Recreating", "Move", "Recreated", "DockChanged"}));
  EXPECT_EQ(bar->DockedTo(), nullptr);
  auto* floating = dynamic_cast<TFloatingWindowParent*>(bar->Parent());
  ASSERT_NE(floating, nullptr);
  EXPECT_EQ(floating->BarForm(), form);
  EXPECT_EQ(bar->BarForm(), form);
  EXPECT_EQ(StyleOf(bar) & (WS_POPUP | WS_CHILD | WS_THICKFRAME), WS_POPUP | WS_THICKFRAME);
  EXPECT_EQ(GetWindow(bar->Handle(), GW_OWNER), form->Handle());
  EXPECT_TRUE(IsWindowVisible(bar->Handle()));
  RECT r;
  GetWindowRect(bar->Handle(), &r);
  EXPECT_EQ(r.left, 150);
  EXPECT_EQ(r.top, 160);
  const FrameMargins margins = bar->NonClientMargins();
  EXPECT_EQ(bar->Width(), 80 + margins.Horizontal());
  EXPECT_EQ(bar->Height(), 40 + margins.Vertical());
  EXPECT_EQ(form->TopDock->Height(), 0);

  bar->Log.clear();
  bar->SetDockedTo(form->LeftDock);
  EXPECT_EQ(bar->Log, (Log{"DockChanging", "Recreating", "Move", "Recreated", "DockChanged"}));
  EXPECT_EQ(bar->Parent(), form->LeftDock);
  EXPECT_TRUE(StyleOf(bar) & WS_CHILD);
  EXPECT_EQ(bar->BoundsRect(), cl::Rect(0, 0, 26, 73));
  EXPECT_EQ(cl::Screen->FormCount(), formsBefore + 1);  // the floating parent went
}

TEST_F(ToolWindowTest, FloatingTwiceOnOneFormReusesItsHiddenParentAndAnotherFormReplacesIt) {
  bar->SetParent(form);
  cl::TWinControl* first = bar->Parent();
  bar->SetParent(form);
  EXPECT_EQ(bar->Parent(), first);
  TDockForm* other = nullptr;
  cl::Application->CreateForm(other);
  bar->SetParent(other);
  EXPECT_NE(bar->Parent(), first);
  EXPECT_EQ(bar->BarForm(), other);
  EXPECT_EQ(cl::Screen->FormCount(), formsBefore + 3);
  other->Free();  // the bar's form goes: the bar is left without a parent
  EXPECT_EQ(bar->Parent(), nullptr);
  EXPECT_EQ(cl::Screen->FormCount(), formsBefore + 1);
}

TEST_F(ToolWindowTest, AFloatingBarCanBeFreedAtOnceOrWithItsForm) {
  bar->SetParent(form);
  const HWND wnd = bar->Handle();
  bar->Free();
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(cl::Screen->FormCount(), formsBefore + 1);
  TTestBar* second = cl::Make<TTestBar>(form, "Bar2");
  second->SetParent(form);
  // Moves and activation after the free reach no freed bar through the hooks.
  SetWindowPos(form->Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  SendMessageA(form->Handle(), WM_ACTIVATEAPP, 1, 0);
}

TEST_F(ToolWindowTest, AFloatingBarHidesWithItsMinimisedFormAndComesBack) {
  bar->SetParent(form);
  ASSERT_TRUE(IsWindowVisible(bar->Handle()));
  form->SetWindowState(cl::wsMinimized);
  EXPECT_FALSE(IsWindowVisible(bar->Handle()));
  form->SetWindowState(cl::wsNormal);
  EXPECT_TRUE(IsWindowVisible(bar->Handle()));
  bar->Hide();
  EXPECT_FALSE(IsWindowVisible(bar->Handle()));
  bar->Show();
  EXPECT_TRUE(IsWindowVisible(bar->Handle()));
}

// A window of another thread that takes the activation from the program while it lives.
class ForeignWindow {
 public:
  ForeignWindow() {
    FReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    FThread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    WaitForSingleObject(FReady, 5000);
  }
  ~ForeignWindow() {
    PostMessageA(FWindow, WM_CLOSE, 0, 0);
    WaitForSingleObject(FThread, 5000);
    CloseHandle(FThread);
    CloseHandle(FReady);
  }

 private:
  static DWORD WINAPI Run(void* data) {
    auto* self = static_cast<ForeignWindow*>(data);
    self->FWindow =
        CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 600, 600, 50, 50, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(self->FWindow);
    SetActiveWindow(self->FWindow);
    SetEvent(self->FReady);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      if (msg.message == WM_CLOSE) break;
      DispatchMessageA(&msg);
    }
    DestroyWindow(self->FWindow);
    return 0;
  }
  HANDLE FReady;
  HANDLE FThread;
  HWND FWindow = nullptr;
};

TEST_F(ToolWindowTest, WhileTheProgramIsInactiveABarHidesOrShowsAnInactiveCaption) {
  bar->SetParent(form);
  TTestBar* staying = cl::Make<TTestBar>(form, "Staying");
  staying->SetHideWhenInactive(false);
  staying->SetParent(form);
  bar->SetHideWhenInactive(true);
  ASSERT_TRUE(IsWindowVisible(bar->Handle()));
  {
    ForeignWindow foreign;
    ASSERT_TRUE(cl::test::PumpUntil([&] { return !AppHasActiveWindow(); }, 3000));
    cl::test::PumpFor(100);
    EXPECT_FALSE(IsWindowVisible(bar->Handle()));
    EXPECT_TRUE(IsWindowVisible(staying->Handle()));
    EXPECT_TRUE(staying->InactiveCaption());
  }
  SetForegroundWindow(form->Handle());
  SetActiveWindow(form->Handle());
  ASSERT_TRUE(cl::test::PumpUntil([&] { return AppHasActiveWindow(); }, 3000));
  cl::test::PumpFor(100);
  EXPECT_TRUE(IsWindowVisible(bar->Handle()));
  EXPECT_FALSE(staying->InactiveCaption());
}

TEST_F(ToolWindowTest, ABarOwnedByADyingWindowIsHandedBackToItsFloatingParent) {
  bar->SetParent(form);
  const HWND temporary = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetWindowLongPtrA(bar->Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(temporary));
  DestroyWindow(temporary);
  ASSERT_TRUE(IsWindow(bar->Handle()));
  EXPECT_EQ(GetWindow(bar->Handle(), GW_OWNER), bar->Parent()->Handle());
}

TEST_F(ToolWindowTest, AFloatingBarIsNeverActivatedByAClick) {
  bar->SetParent(form);
  EXPECT_EQ(SendMessageA(bar->Handle(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(form->Handle()),
                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
  EXPECT_EQ(GetActiveWindow(), form->Handle());
  // The form loses the activation to another window, and a click on the bar gives it back.
  const HWND other =
      CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetActiveWindow(other);
  SendMessageA(bar->Handle(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(form->Handle()),
               MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
  EXPECT_EQ(GetActiveWindow(), form->Handle());
  DestroyWindow(other);
}

TEST_F(ToolWindowTest, ClosingAFloatingBarsWindowClosesItsForm) {
  bar->SetParent(form);
  bool asked = false;
  form->SetOnCloseQuery(cl::TCloseQueryEvent([&](cl::TObject*, bool& canClose) {
    asked = true;
    canClose = false;
  }));
  SendMessageA(bar->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(asked);
  EXPECT_TRUE(bar->Visible());
}

TEST_F(ToolWindowTest, DoubleClicksFloatADockedBarAndDockAFloatingOneOnItsDefaultDock) {
  bar->SetDefaultDock(form->BottomDock);
  RECT docked, floating;
  GetWindowRect(bar->Handle(), &docked);
  SendMessageA(bar->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_EQ(bar->DockedTo(), nullptr);
  ASSERT_NE(bar->Parent(), nullptr);
  // Never floated before, it floats where it stood.
  GetWindowRect(bar->Handle(), &floating);
  EXPECT_EQ(floating.left, docked.left);
  EXPECT_EQ(floating.top, docked.top);
  bar->Log.clear();
  SendMessageA(bar->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_EQ(bar->DockedTo(), form->BottomDock);
  EXPECT_EQ(bar->DockRow(), 0);
  EXPECT_EQ(bar->DockPos(), 0);
  EXPECT_EQ(bar->Log.back(), "DockChanged");
}

TEST_F(ToolWindowTest, ParentChangesThatCannotBeDoneSayWhy) {
  TTestBar* loose = cl::Make<TTestBar>(form, "Toolbar1");
  try {
    loose->SetDockedTo(nullptr);
    FAIL() << "no error";
  } catch (const cl::EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Control 'Toolbar1' has no parent window");
  }
  TTestBar* holder = cl::Make<TTestBar>(form, "Holder");
  try {
    loose->SetParent(holder);
    FAIL() << "no error";
  } catch (const cl::EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "A tool window can only be placed on a TDock or directly on the form");
  }
  EXPECT_EQ(loose->Parent(), nullptr);
}

TEST_F(ToolWindowTest, AFloatingBarIsKeptReachableOnTheWorkArea) {
  bar->SetParent(form);
  bar->SetBounds(-500, -400, bar->Width(), bar->Height());
  bar->KeepOnScreen(true);
  const cl::TRect work = WorkArea();
  EXPECT_EQ(bar->Left(), work.Left);
  EXPECT_EQ(bar->Top(), work.Top);
  EXPECT_EQ(bar->FloatPos(), cl::Point(work.Left, work.Top));
}

}  // namespace
}  // namespace tbr
