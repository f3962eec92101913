// The frames of real tool windows: their margins docked and floating, the hit-test answers, the drag grip's
// pixels, merged frame repaints, the close button's loop, and a screenshot of both kinds of frame.
#include "toolbars/tool_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "support/import_hook.h"
#include "support/screenshot.h"
#include "test_bar.h"

namespace tbr {
namespace {

using test::TDockForm;
using test::TTestBar;

// The frame around the client area: window rectangle less client rectangle, per side.
FrameMargins MarginsOf(HWND wnd) {
  RECT window, client;
  GetWindowRect(wnd, &window);
  GetClientRect(wnd, &client);
  POINT origin{0, 0};
  ClientToScreen(wnd, &origin);
  return FrameMargins{origin.x - window.left, origin.y - window.top, window.right - origin.x - client.right,
                      window.bottom - origin.y - client.bottom};
}

class ToolWindowFrameTest : public testing::Test {
 protected:
  void SetUp() override {
    cl::Application->CreateForm(form);
    form->ShowWithClientSize();
    SetActiveWindow(form->Handle());
    bar = cl::Make<TTestBar>(form, "Bar");
    bar->SetCaption("Tools");
    bar->SetHideWhenInactive(false);
    bar->SetParent(form->TopDock);
  }
  void TearDown() override { cl::Free(form); }
  void Float(int x, int y) {
    bar->SetFloatPos(cl::Point(x, y));
    bar->SetParent(form);
  }
  // Screen point of a point in the bar's window coordinates.
  LPARAM At(int x, int y) {
    RECT r;
    GetWindowRect(bar->Handle(), &r);
    return MAKELPARAM(r.left + x, r.top + y);
  }
  // The hit-test answer at window coordinates (x, y).
  LRESULT HitAt(int x, int y) { return SendMessageA(bar->Handle(), WM_NCHITTEST, 0, At(x, y)); }

  TDockForm* form = nullptr;
  TTestBar* bar = nullptr;
};

TEST_F(ToolWindowFrameTest, DockedFramesAreTwoPixelsWithTheGripOnTheLeadingSide) {
  EXPECT_EQ(MarginsOf(bar->Handle()), (FrameMargins{11, 2, 2, 2}));
  bar->SetDragHandle(false);
  EXPECT_EQ(MarginsOf(bar->Handle()), (FrameMargins{2, 2, 2, 2}));
  EXPECT_EQ(bar->Width(), 64);
  bar->SetDragHandle(true);
  form->TopDock->SetAllowDrag(false);
  EXPECT_EQ(MarginsOf(bar->Handle()), (FrameMargins{2, 2, 2, 2}));
  form->TopDock->SetAllowDrag(true);
  bar->SetParent(form->RightDock);
  EXPECT_EQ(MarginsOf(bar->Handle()), (FrameMargins{2, 11, 2, 2}));
}

TEST_F(ToolWindowFrameTest, FloatingFramesHaveTheSystemsFrameAndASmallCaption) {
  Float(200, 200);
  const int fx = GetSystemMetrics(SM_CXFRAME);
  const int fy = GetSystemMetrics(SM_CYFRAME);
  EXPECT_EQ(MarginsOf(bar->Handle()), (FrameMargins{fx, fy + GetSystemMetrics(SM_CYSMCAPTION), fx, fy}));
  TTestBar* fixed = cl::Make<TTestBar>(form, "Fixed");
  fixed->SetSizableFrame(false);
  fixed->SetParent(form);
  const int dx = GetSystemMetrics(SM_CXDLGFRAME);
  const int dy = GetSystemMetrics(SM_CYDLGFRAME);
  EXPECT_EQ(MarginsOf(fixed->Handle()), (FrameMargins{dx, dy + GetSystemMetrics(SM_CYSMCAPTION), dx, dy}));
  EXPECT_FALSE(GetWindowLongPtrA(fixed->Handle(), GWL_STYLE) & WS_THICKFRAME);
  MINMAXINFO info{};
  SendMessageA(bar->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 1);
  EXPECT_EQ(info.ptMaxTrackSize.y, 32767);
}

TEST_F(ToolWindowFrameTest, HitTestingTurnsCaptionAndGripIntoTheClientAndGivesSizingCodes) {
  EXPECT_EQ(HitAt(5, 10), HTCLIENT);  // the grip
  EXPECT_EQ(HitAt(0, 0), HTCLIENT);
  Float(200, 200);
  const int fx = GetSystemMetrics(SM_CXFRAME);
  const int fy = GetSystemMetrics(SM_CYFRAME);
  const int caption = GetSystemMetrics(SM_CYSMCAPTION);
  const int width = bar->Width();
  const int height = bar->Height();
  EXPECT_EQ(HitAt(fx + 3, fy + 3), HTCLIENT);
  EXPECT_EQ(HitAt(width - fx - 3, fy + 3), HTCLOSE);
  EXPECT_EQ(HitAt(width / 2, height / 2), HTCLIENT);
  EXPECT_EQ(HitAt(0, height / 2), HTLEFT);
  EXPECT_EQ(HitAt(width - 1, height / 2), HTRIGHT);
  EXPECT_EQ(HitAt(width / 2, 0), HTTOP);
  EXPECT_EQ(HitAt(width / 2, height - 1), HTBOTTOM);
  EXPECT_EQ(HitAt(0, 0), HTTOPLEFT);
  EXPECT_EQ(HitAt(width - 1, height - 1), HTBOTTOMRIGHT);
  EXPECT_EQ(HitAt(0, caption + fx - 2), HTTOPLEFT);
  EXPECT_EQ(HitAt(0, caption + fx - 1), HTLEFT);
  bar->SetCloseButton(false);
  EXPECT_EQ(HitAt(width - fx - 3, fy + 3), HTCLIENT);
}

TEST_F(ToolWindowFrameTest, TheDockedGripIsTwoRaisedBarsInsideARingOfTheBarsColour) {
  bar->SetColor(static_cast<cl::TColor>(RGB(0, 128, 255)));
  RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  cl::test::PumpFor(50);
  const int clientHeight = bar->Height() - 4;
  HDC dc = GetWindowDC(bar->Handle());
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  EXPECT_EQ(GetPixel(dc, 4, clientHeight + 1), highlight);
  EXPECT_EQ(GetPixel(dc, 7, clientHeight + 1), highlight);
  EXPECT_EQ(GetPixel(dc, 30, 1), RGB(0, 128, 255));
  EXPECT_EQ(GetPixel(dc, 3, 10), RGB(0, 128, 255));            // the strip before the bars
  EXPECT_EQ(GetPixel(dc, 5, 10), GetSysColor(COLOR_BTNFACE));  // inside the first bar
  EXPECT_EQ(GetPixel(dc, 4, 10), highlight);                   // its raised left edge
  ReleaseDC(bar->Handle(), dc);
}

TEST_F(ToolWindowFrameTest, FrameRepaintRequestsAreMergedIntoOne) {
  for (int i = 0; i < 10; ++i) bar->RequestFrameRepaint();
  MSG msg;
  int queued = 0;
  while (PeekMessageA(&msg, bar->Handle(), WM_TOOLWINDOW_FRAMEREPAINT, WM_TOOLWINDOW_FRAMEREPAINT, PM_REMOVE)) {
    ++queued;
  }
  EXPECT_EQ(queued, 1);
  // A bar without a window asks for nothing, not even the thread.
  TTestBar* loose = cl::Make<TTestBar>(form, "Loose");
  loose->RequestFrameRepaint();
  EXPECT_FALSE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), WM_TOOLWINDOW_FRAMEREPAINT, WM_TOOLWINDOW_FRAMEREPAINT,
                            PM_NOREMOVE));
}

class CloseButtonTest : public ToolWindowFrameTest {
 protected:
  void SetUp() override {
    ToolWindowFrameTest::SetUp();
    Float(200, 200);
    bar->Log.clear();
  }
  // A point on the close button, in window coordinates.
  cl::TPoint OnButton() {
    return cl::Point(bar->Width() - GetSystemMetrics(SM_CXFRAME) - 3, GetSystemMetrics(SM_CYFRAME) + 3);
  }
  // Presses the close button after posting moves to the given window points and a release at the last one: the
  // button's loop reads them from the queue.
  void PressCloseButton(std::initializer_list<cl::TPoint> moves) {
    const FrameMargins margins = bar->NonClientMargins();
    // A captured mouse message carries client coordinates.
    auto client = [&](cl::TPoint p) { return MAKELPARAM(p.X - margins.Left, p.Y - margins.Top); };
    cl::TPoint last = OnButton();
    for (cl::TPoint p : moves) {
      PostMessageA(bar->Handle(), WM_MOUSEMOVE, MK_LBUTTON, client(p));
      last = p;
    }
    PostMessageA(bar->Handle(), WM_LBUTTONUP, 0, client(last));
    SendMessageA(bar->Handle(), WM_NCLBUTTONDOWN, HTCLOSE, At(OnButton().X, OnButton().Y));
  }
};

TEST_F(CloseButtonTest, ReleasingOnTheButtonHidesTheBarAndReportsIt) {
  PressCloseButton({});
  EXPECT_FALSE(bar->Visible());
  EXPECT_FALSE(IsWindowVisible(bar->Handle()));
  EXPECT_EQ(bar->Log, std::vector<std::string>{"Close"});
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CloseButtonTest, DraggingOffTheButtonBeforeReleasingKeepsTheBar) {
  PressCloseButton({cl::Point(10, 30), cl::Point(5, 40)});
  EXPECT_TRUE(bar->Visible());
  EXPECT_TRUE(bar->Log.empty());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CloseButtonTest, ComingBackOnTheButtonBeforeReleasingStillCloses) {
  PressCloseButton({cl::Point(10, 30), OnButton()});
  EXPECT_FALSE(bar->Visible());
  EXPECT_EQ(bar->Log, std::vector<std::string>{"Close"});
}

TEST_F(CloseButtonTest, ABarFreedWhileItsButtonIsHeldEndsTheLoopQuietly) {
  cl::PostDeferred(cl::Weak<cl::TObject>(bar), [this] { bar->Free(); });
  PressCloseButton({cl::Point(10, 30)});
  EXPECT_EQ(form->FindComponent("Bar"), nullptr);
}

// The close button's faces as the bar draws them; drawing the pressed face a second time fails.
std::vector<UINT> closeFaces;
testsupport::ImportHook* drawFrameControlHook = nullptr;

BOOL WINAPI RecordedDrawFrameControl(HDC dc, LPRECT rect, UINT type, UINT state) {
  closeFaces.push_back(state);
  if ((state & DFCS_PUSHED) &&
      std::count_if(closeFaces.begin(), closeFaces.end(), [](UINT face) { return face & DFCS_PUSHED; }) == 2) {
    throw cl::Exception("no pressed face");
  }
  return reinterpret_cast<decltype(&DrawFrameControl)>(drawFrameControlHook->Original())(dc, rect, type, state);
}

TEST_F(CloseButtonTest, AFailureInTheLoopStillGivesBackTheMouseAndRaisesTheButton) {
  testsupport::ImportHook hook("user32.dll", "DrawFrameControl", reinterpret_cast<void*>(&RecordedDrawFrameControl));
  drawFrameControlHook = &hook;
  std::string reported;
  cl::Application->SetOnException(cl::TExceptionEvent([&](cl::TObject*, cl::Exception& e) { reported = e.Message(); }));
  closeFaces.clear();
  // Off the button and back on it: the button fails to look pressed again.
  PressCloseButton({cl::Point(10, 30), OnButton()});
  cl::Application->SetOnException(nullptr);
  EXPECT_EQ(reported, "no pressed face");
  EXPECT_EQ(GetCapture(), nullptr);
  ASSERT_FALSE(closeFaces.empty());
  EXPECT_FALSE(closeFaces.back() & DFCS_PUSHED);
  EXPECT_TRUE(bar->Visible());
  EXPECT_TRUE(bar->Log.empty());
  cl::test::PumpFor(20);  // the release left in the queue reaches nobody
  EXPECT_TRUE(bar->Visible());
}

TEST_F(ToolWindowFrameTest, ADockedAndAFloatingBarShowTheirFrames) {
  bar->Fill = static_cast<cl::TColor>(RGB(255, 255, 224));
  TTestBar* floating = cl::Make<TTestBar>(form, "Floating");
  floating->SetCaption("Floating tools");
  floating->Fill = static_cast<cl::TColor>(RGB(224, 255, 224));
  floating->SetHideWhenInactive(false);
  floating->SetFloatPos(cl::Point(form->Left() + 160, form->Top() + 120));
  floating->SetParent(form);
  TTestBar* left = cl::Make<TTestBar>(form, "Side");
  left->SetParent(form->LeftDock);
  left->Fill = static_cast<cl::TColor>(RGB(224, 224, 255));
  // Each bar's own colour shows inside its frame, the floating one above the form (a Wine desktop that has just
  // started takes a moment to reach the screen).
  const auto fillShown = [](TTestBar* shown) {
    RECT client;
    GetClientRect(shown->Handle(), &client);
    POINT centre{client.right / 2, client.bottom / 2};
    ClientToScreen(shown->Handle(), &centre);
    return testsupport::ScreenColor(centre.x, centre.y) == static_cast<unsigned long>(shown->Fill);
  };
  cl::test::PumpUntil([&] { return fillShown(bar) && fillShown(floating) && fillShown(left); }, 3000);
  testsupport::SaveScreenshot("toolbars_docked_and_floating");
  for (TTestBar* shown : {bar, floating, left}) EXPECT_TRUE(fillShown(shown)) << shown->Name();
}

}  // namespace
}  // namespace tbr
