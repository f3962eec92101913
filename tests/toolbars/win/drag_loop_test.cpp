// Dragging real tool windows with scripted mouse moves and keys: between docks, into a new row at a seam,
// floating with Ctrl, past a dock that refuses, cancelled with Escape or a second press; the loop always gives
// the mouse and the desktop back, also when the bar goes or a handler fails; and the outline's pixels.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "loop_script.h"
#include "test_bar.h"
#include "toolbars/drag_outline.h"

namespace tbr {
namespace {

using test::LoopScript;
using test::TDockForm;
using test::TTestBar;

// Where the bars are pressed, in client coordinates.
constexpr cl::TPoint kGrab{5, 5};

cl::TPoint DockPoint(TDock* dock, int x, int y) {
  return dock->ClientToScreen(cl::Point(x, y));
}

class DragLoopTest : public testing::Test {
 protected:
  void SetUp() override {
    cl::Application->CreateForm(form);
    form->ShowWithClientSize();
    SetActiveWindow(form->Handle());
    bar = AddBar("Bar", form->TopDock, 0, 0);
  }
  void TearDown() override {
    cl::Application->SetOnException(nullptr);
    cl::Free(form);
    EXPECT_EQ(GetCapture(), nullptr);
  }
  TTestBar* AddBar(const std::string& name, TDock* dock, int row, int pos) {
    TTestBar* made = cl::Make<TTestBar>(form, name);
    made->SetHideWhenInactive(false);
    made->SetDockRow(row);
    made->SetDockPos(pos);
    made->SetParent(dock);
    return made;
  }
  // Presses the bar and runs the script inside its drag loop; returns once the loop ended.
  void Drag(TTestBar* dragged, LoopScript& script) {
    script.Cursor().MoveTo(dragged->ClientToScreen(kGrab));
    script.Start();
    SendMessageA(dragged->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kGrab.X, kGrab.Y));
  }

  TDockForm* form = nullptr;
  TTestBar* bar = nullptr;
  LoopScript script;
};

TEST_F(DragLoopTest, DroppingOnTheLeftDockDocksTheBarThere) {
  const int middle = form->LeftDock->Height() / 2;
  script.MoveTo(bar, DockPoint(form->TopDock, 200, 60))
      .MoveTo(bar, DockPoint(form->LeftDock, 2, middle))
      .Post(bar, WM_LBUTTONUP);
  Drag(bar, script);
  EXPECT_TRUE(script.Done());
  EXPECT_EQ(bar->DockedTo(), form->LeftDock);
  EXPECT_EQ(bar->DockRow(), 0);
  EXPECT_EQ(bar->Width(), 26);  // across the left dock now
  EXPECT_EQ(form->TopDock->Height(), 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DragLoopTest, DroppingAtTheSeamBetweenRowsOpensARowThereAndInsideARowJoinsIt) {
  TTestBar* second = AddBar("Second", form->TopDock, 1, 0);
  TTestBar* moved = AddBar("Moved", form->TopDock, 0, 200);
  const int rowExtent = form->TopDock->Height() / 2;
  // Grabbed 7 pixels below its outer top, the bar's middle is 6 below the cursor: the seam at rowExtent.
  script.MoveTo(moved, DockPoint(form->TopDock, 250, rowExtent - 6)).Post(moved, WM_LBUTTONUP);
  Drag(moved, script);
  EXPECT_EQ(moved->DockRow(), 1);
  EXPECT_EQ(second->DockRow(), 2);
  EXPECT_EQ(bar->DockRow(), 0);
  EXPECT_EQ(form->TopDock->RowCount(), 3);

  // The middle of row 2: joins the row.
  LoopScript join;
  join.MoveTo(moved, DockPoint(form->TopDock, 250, rowExtent * 2 + rowExtent / 2 - 6)).Post(moved, WM_LBUTTONUP);
  Drag(moved, join);
  EXPECT_EQ(moved->DockRow(), second->DockRow());
  EXPECT_EQ(form->TopDock->RowCount(), 2);
}

TEST_F(DragLoopTest, CtrlFloatsTheBarAtOnceAndReleasingItDocksAgain) {
  const cl::TPoint overLeftDock = DockPoint(form->LeftDock, 2, form->LeftDock->Height() / 2);
  script.MoveTo(bar, overLeftDock).Post(bar, WM_KEYDOWN, VK_CONTROL).Post(bar, WM_LBUTTONUP);
  Drag(bar, script);
  EXPECT_EQ(bar->DockedTo(), nullptr);
  EXPECT_TRUE(IsWindowVisible(bar->Handle()));
  // The floating outline was placed for the grab point, at the cursor that did not move.
  RECT window;
  GetWindowRect(bar->Handle(), &window);
  EXPECT_TRUE(PtInRect(&window, POINT{overLeftDock.X, overLeftDock.Y}))
      << window.left << "," << window.top << "," << window.right << "," << window.bottom << " cursor " << overLeftDock.X
      << "," << overLeftDock.Y;
  EXPECT_EQ(bar->FloatPos(), cl::Point(window.left, window.top));

  LoopScript back;
  back.MoveTo(bar, overLeftDock).Post(bar, WM_KEYDOWN, VK_CONTROL).Post(bar, WM_KEYUP, VK_CONTROL);
  back.Post(bar, WM_LBUTTONUP);
  Drag(bar, back);
  EXPECT_EQ(bar->DockedTo(), form->LeftDock);
}

TEST_F(DragLoopTest, ADockThatRefusesLetsTheNextOneTakeTheBar) {
  std::vector<std::string> asked;
  auto record = [&](bool accept) {
    return TRequestDockEvent([&, accept](cl::TObject* sender, TCustomToolWindow* dragged, bool& accepted) {
      EXPECT_EQ(dragged, bar);
      asked.push_back(static_cast<TDock*>(sender)->Name());
      accepted = accept;
    });
  };
  form->TopDock->SetOnRequestDock(record(false));
  form->LeftDock->SetOnRequestDock(record(true));
  // Just below the top dock's row at the left edge, both docks take the bar; the top one is asked first.
  script.MoveTo(bar, DockPoint(form->LeftDock, 2, 1)).Post(bar, WM_LBUTTONUP);
  Drag(bar, script);
  ASSERT_GE(asked.size(), 2u);
  EXPECT_EQ(asked[asked.size() - 2], "TopDock");
  EXPECT_EQ(asked.back(), "LeftDock");
  EXPECT_EQ(bar->DockedTo(), form->LeftDock);
}

TEST_F(DragLoopTest, DocksOfAnExtraFormTakeTheBarAfterItsOwnFormsDocks) {
  TDockForm* other = nullptr;
  cl::Application->CreateForm(other);
  other->SetBounds(form->Left() + form->Width() + 20, form->Top(), 300, 200);
  other->Show();
  const cl::TPoint overOtherDock = DockPoint(other->LeftDock, 2, other->LeftDock->Height() / 2);
  // Not offered: the bar floats there.
  script.MoveTo(bar, overOtherDock).Post(bar, WM_LBUTTONUP);
  Drag(bar, script);
  EXPECT_EQ(bar->DockedTo(), nullptr);

  bar->AddExtraDockForm(other);
  bar->AddExtraDockForm(form);  // its own form counts once, first
  ASSERT_EQ(bar->ExtraDockForms().size(), 2u);
  LoopScript dock;
  dock.MoveTo(bar, overOtherDock).Post(bar, WM_LBUTTONUP);
  Drag(bar, dock);
  EXPECT_EQ(bar->DockedTo(), other->LeftDock);
  // Docked over there, the bar still belongs to its form; a freed form leaves the list.
  EXPECT_EQ(bar->Owner(), form);
  bar->SetParent(form->TopDock);
  cl::Free(other);
  EXPECT_EQ(bar->ExtraDockForms(), std::vector<cl::TForm*>{form});
}

TEST_F(DragLoopTest, EscapeOrASecondPressLeavesTheBarWhereItWas) {
  const cl::TRect before = bar->BoundsRect();
  script.MoveTo(bar, DockPoint(form->LeftDock, 2, 100)).Post(bar, WM_KEYDOWN, VK_ESCAPE);
  Drag(bar, script);
  EXPECT_EQ(bar->DockedTo(), form->TopDock);
  EXPECT_EQ(bar->BoundsRect(), before);
  EXPECT_EQ(GetCapture(), nullptr);

  LoopScript press;
  press.MoveTo(bar, DockPoint(form->LeftDock, 2, 100)).Post(bar, WM_LBUTTONDOWN, MK_LBUTTON);
  press.Post(bar, WM_LBUTTONUP);
  Drag(bar, press);
  EXPECT_EQ(bar->DockedTo(), form->TopDock);
  cl::test::PumpFor(50);  // the stray release reaches nobody
  EXPECT_EQ(bar->DockedTo(), form->TopDock);
}

TEST_F(DragLoopTest, AQuitMessageEndsTheLoopAndIsPostedAgain) {
  script.MoveTo(bar, DockPoint(form->LeftDock, 2, 100)).Then([] { PostQuitMessage(7); });
  Drag(bar, script);
  EXPECT_EQ(bar->DockedTo(), form->TopDock);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(DragLoopTest, ABarFreedDuringTheDragEndsTheLoopQuietly) {
  script.MoveTo(bar, DockPoint(form->LeftDock, 2, 100)).Then([this] { bar->Free(); });
  Drag(bar, script);
  EXPECT_EQ(form->FindComponent("Bar"), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(LockWindowUpdate(form->Handle()));  // the desktop was unlocked
  LockWindowUpdate(nullptr);
}

TEST_F(DragLoopTest, AFailingHandlerStillGivesTheMouseAndTheDesktopBack) {
  std::string reported;
  cl::Application->SetOnException(cl::TExceptionEvent([&](cl::TObject*, cl::Exception& e) { reported = e.Message(); }));
  form->LeftDock->SetOnRequestDock(
      TRequestDockEvent([](cl::TObject*, TCustomToolWindow*, bool&) { throw cl::Exception("refused loudly"); }));
  script.MoveTo(bar, DockPoint(form->LeftDock, 2, 100)).Post(bar, WM_LBUTTONUP);
  Drag(bar, script);
  EXPECT_EQ(reported, "refused loudly");
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(LockWindowUpdate(form->Handle()));
  LockWindowUpdate(nullptr);
  EXPECT_EQ(bar->DockedTo(), form->TopDock);
  cl::test::PumpFor(50);
}

// A white 32-bit bitmap to draw outlines on.
cl::Owned<cl::TBitmap> WhiteBitmap() {
  cl::Owned<cl::TBitmap> bitmap = cl::MakeOwned<cl::TBitmap>();
  bitmap->SetPixelFormat(cl::pf32bit);
  bitmap->SetSize(60, 60);
  PatBlt(bitmap->Canvas()->Handle(), 0, 0, 60, 60, WHITENESS);
  return bitmap;
}

bool SamePixels(cl::TBitmap* a, cl::TBitmap* b) {
  for (int y = 0; y < a->Height(); ++y) {
    if (memcmp(a->ScanLine(y), b->ScanLine(y), static_cast<size_t>(a->Width()) * 4) != 0) return false;
  }
  return true;
}

TEST(DragOutlineTest, MovingInvertsOnlyWhatTheTwoFramesDoNotShareAndErasingRestores) {
  cl::Owned<cl::TBitmap> moved = WhiteBitmap();
  {
    DragOutline outline(moved->Canvas()->Handle());
    outline.MoveTo(cl::Rect(5, 5, 40, 30), 4);
    outline.MoveTo(cl::Rect(10, 8, 50, 50), 1);
    cl::Owned<cl::TBitmap> direct = WhiteBitmap();
    DragOutline only(direct->Canvas()->Handle());
    only.MoveTo(cl::Rect(10, 8, 50, 50), 1);
    EXPECT_TRUE(SamePixels(moved.get(), direct.get()));
    // A dithered frame: neighbouring pixels of a thick frame differ.
    outline.MoveTo(cl::Rect(0, 0, 20, 20), 4);
    const HDC dc = moved->Canvas()->Handle();
    EXPECT_NE(GetPixel(dc, 1, 1), GetPixel(dc, 2, 1));
    EXPECT_EQ(GetPixel(dc, 10, 10), RGB(255, 255, 255));  // inside the frame
  }
  EXPECT_TRUE(SamePixels(moved.get(), WhiteBitmap().get()));
}

}  // namespace
}  // namespace tbr
