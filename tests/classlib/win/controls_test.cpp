// The control core over real windows: alignment, mouse routing to graphic children with capture, parent
// changes, painting, and handlers that fail or free their sender.
#include "classlib/win/custom_controls.h"

#include <gtest/gtest.h>

#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/core/format.h"
#include "classlib/win/bitmap.h"
#include "classlib/test/box.h"
#include "classlib/test/counters.h"
#include "classlib/test/input.h"
#include "classlib/win/application.h"
#include "classlib/win/sys.h"
#include "classlib/test/pump.h"
#include "classlib/test/responder.h"

namespace {

using namespace cl;

using test::TBox;

// A graphic control that records its mouse events and paints.
class TProbe : public TGraphicControl {
  CL_CLASS(TProbe, TGraphicControl)
 public:
  explicit TProbe(TComponent* owner) : TGraphicControl(owner) {}
  std::vector<std::string> Events;
  int Paints = 0;

 protected:
  void MouseDown(TMouseButton, TShiftState shift, int x, int y) override {
    Events.push_back(Format(shift.Contains(ssDouble) ? "double %d,%d" : "down %d,%d", {x, y}));
  }
  void MouseMove(TShiftState, int x, int y) override { Events.push_back(Format("move %d,%d", {x, y})); }
  void MouseUp(TMouseButton, TShiftState, int x, int y) override { Events.push_back(Format("up %d,%d", {x, y})); }
  void Click() override {
    Events.push_back("click");
    inherited::Click();
  }
  void Paint() override {
    ++Paints;
    Canvas()->Brush()->SetColor(0x0000FF);
    Canvas()->FillRect(ClientRect());
  }
};

class ControlsTest : public testing::Test {
 protected:
  void SetUp() override {
    windowsBefore = test::ThreadWindowCount();
    root = New<TBox>(nullptr);
    root->SetBounds(20, 20, 400, 300);
  }
  void TearDown() override {
    Free(root);
    EXPECT_EQ(test::ThreadWindowCount(), windowsBefore);
  }
  template <class T>
  T* Add(TWinControl* parent, TAlign align, int width, int height) {
    T* control = New<T>(root);
    control->SetBounds(0, 0, width, height);
    control->SetAlign(align);
    control->SetParent(parent);
    return control;
  }
  LRESULT Mouse(UINT msg, int x, int y, WPARAM keys = 0) {
    return SendMessageA(root->Handle(), msg, keys, MAKELPARAM(x, y));
  }

  int windowsBefore = 0;
  TBox* root = nullptr;
};

TEST_F(ControlsTest, NestedAlignedControlsShareTheClientArea) {
  TBox* top = Add<TBox>(root, alTop, 10, 30);
  TBox* bottom = Add<TBox>(root, alBottom, 10, 20);
  TBox* left = Add<TBox>(root, alLeft, 50, 10);
  TBox* right = Add<TBox>(root, alRight, 40, 10);
  TBox* client = Add<TBox>(root, alClient, 10, 10);
  TProbe* innerTop = Add<TProbe>(client, alTop, 10, 15);
  TBox* innerClient = Add<TBox>(client, alClient, 10, 10);
  root->Handle();

  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 400, 30));
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 280, 400, 300));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 30, 50, 280));
  EXPECT_EQ(right->BoundsRect(), Rect(360, 30, 400, 280));
  EXPECT_EQ(client->BoundsRect(), Rect(50, 30, 360, 280));
  EXPECT_EQ(innerTop->BoundsRect(), Rect(0, 0, 310, 15));
  EXPECT_EQ(innerClient->BoundsRect(), Rect(0, 15, 310, 250));
  // The windows agree with the objects.
  RECT r;
  GetWindowRect(innerClient->Handle(), &r);
  MapWindowPoints(HWND_DESKTOP, client->Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(Rect(r.left, r.top, r.right, r.bottom), Rect(0, 15, 310, 250));

  // Resizing the root, hiding a bar and changing a height all realign.
  root->SetBounds(20, 20, 500, 400);
  EXPECT_EQ(client->BoundsRect(), Rect(50, 30, 460, 380));
  top->Hide();
  EXPECT_EQ(left->BoundsRect(), Rect(0, 0, 50, 380));
  bottom->SetHeight(50);
  EXPECT_EQ(client->BoundsRect(), Rect(50, 0, 460, 350));
  EXPECT_EQ(innerClient->BoundsRect(), Rect(0, 15, 410, 350));
}

TEST_F(ControlsTest, TiesKeepInsertionOrder) {
  TBox* first = Add<TBox>(root, alTop, 10, 10);
  TBox* second = Add<TBox>(root, alTop, 10, 20);
  EXPECT_EQ(first->Top(), 0);
  EXPECT_EQ(second->Top(), 10);
}

TEST_F(ControlsTest, GraphicChildGetsPressMoveReleaseAndClickUnderCapture) {
  TProbe* probe = New<TProbe>(root);
  probe->SetBounds(10, 10, 50, 40);
  probe->SetParent(root);
  root->Handle();

  Mouse(WM_LBUTTONDOWN, 20, 30, MK_LBUTTON);
  EXPECT_EQ(GetCapture(), root->Handle());
  EXPECT_EQ(CaptureControl(), probe);
  Mouse(WM_MOUSEMOVE, 300, 200, MK_LBUTTON);  // outside the probe, still its move
  Mouse(WM_LBUTTONUP, 30, 20);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(probe->Events, (std::vector<std::string>{"down 10,20", "move 290,190", "click", "up 20,10"}));

  // Released outside: no click. A move without capture over empty space does not reach the probe.
  probe->Events.clear();
  Mouse(WM_LBUTTONDOWN, 20, 30, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, 200, 200);
  Mouse(WM_MOUSEMOVE, 200, 200);
  EXPECT_EQ(probe->Events, (std::vector<std::string>{"down 10,20", "up 190,190"}));

  // A double click is a press with ssDouble plus DblClick.
  probe->Events.clear();
  int doubleClicks = 0;
  probe->SetOnDblClick(TNotifyEvent([&](TObject*) { ++doubleClicks; }));
  Mouse(WM_LBUTTONDBLCLK, 11, 11, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, 11, 11);
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(probe->Events.front(), "double 1,1");
}

TEST_F(ControlsTest, DisabledOrHiddenGraphicChildGetsNoMouse) {
  TProbe* probe = New<TProbe>(root);
  probe->SetBounds(10, 10, 50, 40);
  probe->SetParent(root);
  probe->SetEnabled(false);
  Mouse(WM_LBUTTONDOWN, 20, 20);
  Mouse(WM_LBUTTONUP, 20, 20);
  probe->SetEnabled(true);
  probe->Hide();
  Mouse(WM_LBUTTONDOWN, 20, 20);
  Mouse(WM_LBUTTONUP, 20, 20);
  EXPECT_TRUE(probe->Events.empty());
}

TEST_F(ControlsTest, FindDragTargetGivesTheGraphicChildUnderAScreenPoint) {
  TProbe* probe = New<TProbe>(root);
  probe->SetBounds(10, 10, 50, 40);
  probe->SetParent(root);
  ShowWindow(root->Handle(), SW_SHOWNA);
  const TPoint onProbe = root->ClientToScreen(Point(20, 20));
  EXPECT_EQ(FindDragTarget(onProbe, false), probe);
  EXPECT_EQ(FindDragTarget(root->ClientToScreen(Point(100, 100)), false), root);
  probe->SetEnabled(false);
  EXPECT_EQ(FindDragTarget(onProbe, false), root);
  EXPECT_EQ(FindDragTarget(onProbe, true), probe);
}

TEST(FakeCursorTest, StandsInForTheCursorWhileItLives) {
  POINT real{};
  GetCursorPos(&real);
  {
    test::FakeCursor cursor(Point(real.x + 7, real.y + 9));
    EXPECT_EQ(sys::CursorPos(), Point(real.x + 7, real.y + 9));
    cursor.MoveTo(Point(3, 4));
    EXPECT_EQ(sys::CursorPos(), Point(3, 4));
  }
  EXPECT_EQ(sys::CursorPos(), Point(real.x, real.y));
}

TEST_F(ControlsTest, ClickHandlerMayFreeItsSender) {
  TProbe* probe = New<TProbe>(root);
  probe->SetBounds(0, 0, 50, 50);
  probe->SetParent(root);
  Weak<TProbe> weak(probe);
  probe->SetOnClick(TNotifyEvent([](TObject* sender) { Free(sender); }));
  Mouse(WM_LBUTTONDOWN, 5, 5);
  Mouse(WM_LBUTTONUP, 5, 5);
  EXPECT_FALSE(weak);
  EXPECT_EQ(root->ControlCount(), 0);
  EXPECT_EQ(root->ComponentCount(), 0);
}

TEST_F(ControlsTest, ExceptionInAClickHandlerReachesHandleExceptionAndTheControlKeepsWorking) {
  test::Responder responder;
  responder.OnShowException = [](const std::string&) {};
  TProbe* probe = New<TProbe>(root);
  probe->SetBounds(0, 0, 50, 50);
  probe->SetParent(root);
  int clicks = 0;
  probe->SetOnClick(TNotifyEvent([&](TObject*) {
    if (++clicks == 1) throw EInvalidOperation("Invalid image size");
  }));
  for (int i = 0; i < 2; ++i) {
    PostMessageA(root->Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    PostMessageA(root->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
  EXPECT_TRUE(test::PumpUntil([&] { return clicks == 2; }));
  EXPECT_EQ(responder.Exceptions, std::vector<std::string>{"Invalid image size"});
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ControlsTest, LeavingAParentDestroysTheWindowAndItComesBackAsPopupOrChild) {
  TBox* box = Add<TBox>(root, alNone, 30, 30);
  box->SetText("kept");
  HWND first = box->Handle();
  EXPECT_TRUE(GetWindowLongPtrA(first, GWL_STYLE) & WS_CHILD);
  box->SetParent(nullptr);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_FALSE(box->HandleAllocated());
  HWND popup = box->Handle();
  EXPECT_TRUE(GetWindowLongPtrA(popup, GWL_STYLE) & WS_POPUP);
  EXPECT_EQ(GetWindow(popup, GW_OWNER), Application->Handle());
  EXPECT_EQ(box->Text(), "kept");
  box->SetParent(root);
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_EQ(GetParent(box->Handle()), root->Handle());
  EXPECT_EQ(box->Text(), "kept");
}

TEST_F(ControlsTest, PaintDrawsTheControlAndItsGraphicChildren) {
  TProbe* probe = New<TProbe>(root);
  probe->SetBounds(10, 10, 20, 20);
  probe->SetParent(root);
  TProbe* other = New<TProbe>(root);
  other->SetBounds(100, 10, 20, 20);
  other->SetParent(root);
  ShowWindow(root->Handle(), SW_SHOWNA);
  UpdateWindow(root->Handle());
  EXPECT_GT(root->Paints, 0);
  EXPECT_GT(probe->Paints, 0);
  // A repaint of one child leaves the children outside the update region alone.
  const int otherPaints = other->Paints;
  probe->Invalidate();
  UpdateWindow(root->Handle());
  EXPECT_EQ(other->Paints, otherPaints);
  // The probe filled its own bounds only: red inside, the root's colour outside.
  HDC dc = GetDC(root->Handle());
  COLORREF inside = GetPixel(dc, 15, 15);
  COLORREF outside = GetPixel(dc, 35, 35);
  ReleaseDC(root->Handle(), dc);
  EXPECT_EQ(inside, RGB(255, 0, 0));
  EXPECT_NE(outside, RGB(255, 0, 0));
}

TEST_F(ControlsTest, FreeingTheRootFreesChildrenAndWindows) {
  for (int i = 0; i < 20; ++i) Add<TBox>(Add<TBox>(root, alLeft, 5, 5), alClient, 1, 1);
  root->Handle();
  EXPECT_EQ(test::ThreadWindowCount(), windowsBefore + 41);
}

TEST_F(ControlsTest, PaintToDrawsTheControlIntoABitmapWithoutTheScreen) {
  TProbe* probe = New<TProbe>(root);
  probe->SetBounds(10, 10, 20, 20);
  probe->SetParent(root);
  TBitmap* whole = test::PaintTo(root);
  TBitmap* alone = test::PaintTo(probe);
  EXPECT_EQ(whole->Width(), root->ClientWidth());
  EXPECT_EQ(whole->Canvas()->Pixels(15, 15), static_cast<TColor>(0x0000FF));
  EXPECT_NE(whole->Canvas()->Pixels(35, 35), static_cast<TColor>(0x0000FF));
  EXPECT_EQ(alone->Width(), 20);
  EXPECT_EQ(alone->Canvas()->Pixels(0, 0), static_cast<TColor>(0x0000FF));
  Free(whole);
  Free(alone);
}

TEST_F(ControlsTest, ACanvasOutsidePaintDrawsOnTheControlsOwnArea) {
  TProbe* probe = New<TProbe>(root);
  probe->SetBounds(40, 30, 20, 20);
  probe->SetParent(root);
  ShowWindow(root->Handle(), SW_SHOWNA);
  UpdateWindow(root->Handle());
  probe->Canvas()->Brush()->SetColor(0x00FF00);
  probe->Canvas()->FillRect(Rect(-40, -30, 100, 100));  // clipped to the probe
  probe->Canvas()->FreeHandle();
  HDC dc = GetDC(root->Handle());
  EXPECT_EQ(GetPixel(dc, 40, 30), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(dc, 59, 49), RGB(0, 255, 0));
  EXPECT_NE(GetPixel(dc, 39, 29), RGB(0, 255, 0));
  EXPECT_NE(GetPixel(dc, 60, 50), RGB(0, 255, 0));
  ReleaseDC(root->Handle(), dc);
  // Painting takes the canvas's DC away and gives it the paint DC.
  root->Canvas()->Brush()->SetColor(0x0000FF);
  root->Canvas()->FillRect(Rect(0, 0, 5, 5));
  InvalidateRect(root->Handle(), nullptr, TRUE);
  UpdateWindow(root->Handle());
  EXPECT_FALSE(root->Canvas()->HandleAllocated());
}

TEST_F(ControlsTest, TestInputReachesControlsThroughTheLoop) {
  TProbe* probe = New<TProbe>(root);
  probe->SetBounds(10, 10, 20, 20);
  probe->SetParent(root);
  test::Click(probe);
  EXPECT_EQ(probe->Events, (std::vector<std::string>{"down 10,10", "click", "up 10,10"}));
  std::vector<std::string> keys;
  root->SetOnKeyDown(TKeyEvent([&](TObject*, WORD& key, TShiftState shift) {
    keys.push_back(Format(shift.Contains(ssCtrl) ? "ctrl %d" : "%d", {key}));
  }));
  ShowWindow(root->Handle(), SW_SHOWNA);
  SetForegroundWindow(root->Handle());
  root->SetFocus();
  test::Key(VK_F2, {ssCtrl});
  test::Key(VK_F3);
  EXPECT_EQ(keys, (std::vector<std::string>{Format("ctrl %d", {VK_F2}), Format("%d", {VK_F3})}));
}

// Counts CM_SHOWINGCHANGED and records Showing at each.
class TShowingProbe : public TBox {
  CL_CLASS(TShowingProbe, TBox)
 public:
  explicit TShowingProbe(TComponent* owner) : TBox(owner) {}
  std::vector<bool> Changes;

 protected:
  void Dispatch(TMessage& message) override {
    if (message.Msg == CM_SHOWINGCHANGED) Changes.push_back(Showing());
    inherited::Dispatch(message);
  }
};

TEST_F(ControlsTest, ShowingChangesReachTheChildrenOfAShownOrHiddenParent) {
  TBox* panel = Add<TBox>(root, alNone, 50, 50);
  auto* inner = New<TShowingProbe>(root);
  inner->SetBounds(0, 0, 20, 20);
  inner->SetParent(panel);
  ShowWindow(root->Handle(), SW_SHOWNA);
  EXPECT_EQ(inner->Changes, (std::vector<bool>{true}));
  ShowWindow(root->Handle(), SW_HIDE);
  panel->Hide();
  ShowWindow(root->Handle(), SW_SHOWNA);
  panel->Show();
  inner->Hide();
  EXPECT_EQ(inner->Changes, (std::vector<bool>{true, false, true, false}));
}

TEST_F(ControlsTest, BringToFrontAndSendToBackMoveAControlAmongItsSiblingsAndAWindowOnTheScreen) {
  TBox* first = Add<TBox>(root, alNone, 50, 50);
  TBox* second = Add<TBox>(root, alNone, 50, 50);
  first->BringToFront();
  EXPECT_EQ(root->Controls(root->ControlCount() - 1), first);
  first->SendToBack();
  EXPECT_EQ(root->Controls(0), first);
  // Windows without a parent: the one brought to the front lies above the other on the screen.
  root->Show();
  TBox* other = New<TBox>(nullptr);
  other->SetBounds(60, 60, 100, 100);
  other->Show();
  auto above = [](HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
      if (w == lower) return true;
    }
    return false;
  };
  root->BringToFront();
  EXPECT_TRUE(above(root->Handle(), other->Handle()));
  root->SendToBack();
  EXPECT_TRUE(above(other->Handle(), root->Handle()));
  Free(other);
}

}  // namespace
