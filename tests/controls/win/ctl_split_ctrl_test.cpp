// The three-pane split control on a form: pane windows where the layout puts them, bars dragged with mouse
// messages, the cursor over a bar, a drag whose capture is lost, and positions kept over minimise and restore.
#include "controls/ctl_split_ctrl.h"

#include <gtest/gtest.h>

#include "classlib/test/input.h"
#include "classlib/test/pump.h"
#include "classlib/win/forms.h"

namespace {

using namespace ctl;

class CtlSplitCtrlTest : public testing::Test {
 protected:
  void SetUp() override {
    form = cl::CreateNew<cl::TForm>(nullptr);
    form->SetBounds(20, 20, 600, 400);
    form->HandleNeeded();  // the client size is measured on the window
    form->SetClientSize(536, 320);
    split = cl::Make<TCtl3PaneSplitCtrl>(form, "Split");
    split->SetParent(form);
    split->SetAlign(cl::alClient);
    split->SetBorderStyle(lsRaisedspb);
    split->SetSplitterPlace(ossOdd);
    split->SplitterMain()->SetPosition(200);
    split->Splitter2()->SetPosition(160);
    split->SetOnSplitChange(
        TCtlSplitChangeEvent([this](cl::TObject*, TCtlCustomSplitter* s) { changed.push_back(s); }));
    split->SetOnSplitChanging(cl::TNotifyEvent([this](cl::TObject*) { ++changing; }));
    form->Show();
  }
  void TearDown() override { cl::Free(form); }

  // A pane window's rectangle in the split control's client coordinates.
  cl::TRect PaneWindow(int index) {
    RECT r;
    HWND pane = split->Panes(index)->Handle();
    GetWindowRect(pane, &r);
    MapWindowPoints(nullptr, split->Handle(), reinterpret_cast<POINT*>(&r), 2);
    return cl::Rect(r.left, r.top, r.right, r.bottom);
  }
  void ExpectPanesAt(int mainPosition, int secondPosition) {
    const int w = split->Width(), h = split->Height();
    EXPECT_EQ(PaneWindow(0), PaneWindowRect(cl::Rect(0, 0, mainPosition, secondPosition), lsRaisedspb));
    EXPECT_EQ(PaneWindow(1), PaneWindowRect(cl::Rect(mainPosition + 3, 0, w, h), lsRaisedspb));
    EXPECT_EQ(PaneWindow(2), PaneWindowRect(cl::Rect(0, secondPosition + 3, mainPosition, h), lsRaisedspb));
  }

  cl::TForm* form = nullptr;
  TCtl3PaneSplitCtrl* split = nullptr;
  std::vector<TCtlCustomSplitter*> changed;
  int changing = 0;
};

TEST_F(CtlSplitCtrlTest, PaneWindowsSitInsideTheirFrames) {
  EXPECT_EQ(split->Width(), 536);
  EXPECT_EQ(split->Height(), 320);
  EXPECT_EQ(split->Splitter2()->Direction(), sdHorizontal);
  ExpectPanesAt(200, 160);
  split->SplitterMain()->SetDirection(sdHorizontal);
  EXPECT_EQ(split->Splitter2()->Direction(), sdVertical);
}

TEST_F(CtlSplitCtrlTest, DraggingABarMovesThePanesOnRelease) {
  cl::test::MouseDown(split, cl::mbLeft, 201, 50);
  EXPECT_EQ(split->DragIndex(), 0);
  cl::test::MouseMove(split, 261, 50, {cl::ssLeft});
  cl::test::MouseMove(split, 301, 50, {cl::ssLeft});
  EXPECT_EQ(changing, 2);
  ExpectPanesAt(200, 160);  // nothing moves before the release
  cl::test::MouseUp(split, cl::mbLeft, 301, 50);
  EXPECT_EQ(split->DragIndex(), kNoSplitter);
  EXPECT_EQ(split->SplitterMain()->Position(), 300);
  EXPECT_EQ(changed, std::vector<TCtlCustomSplitter*>{split->SplitterMain()});
  ExpectPanesAt(300, 160);

  cl::test::MouseDown(split, cl::mbLeft, 100, 161);
  cl::test::MouseMove(split, 100, 1000, {cl::ssLeft});  // past the bottom: stops at the limit
  cl::test::MouseUp(split, cl::mbLeft, 100, 1000);
  EXPECT_EQ(split->Splitter2()->Position(), 320 - 3);
  EXPECT_EQ(changed.back(), split->Splitter2());
}

TEST_F(CtlSplitCtrlTest, CursorShowsWhichWayABarMoves) {
  cl::test::MouseMove(split, 201, 50);
  EXPECT_EQ(split->Cursor(), cl::crHSplit);
  cl::test::MouseMove(split, 50, 161);
  EXPECT_EQ(split->Cursor(), cl::crVSplit);
  cl::test::MouseMove(split, 210, 50);  // over the frame beside the bar
  EXPECT_EQ(split->Cursor(), cl::crDefault);
}

TEST_F(CtlSplitCtrlTest, ALostCaptureEndsTheDragWithoutChanges) {
  cl::test::MouseDown(split, cl::mbLeft, 201, 50);
  cl::test::MouseMove(split, 301, 50, {cl::ssLeft});
  ReleaseCapture();
  cl::test::PumpFor(20);
  EXPECT_EQ(split->DragIndex(), kNoSplitter);
  cl::test::MouseUp(split, cl::mbLeft, 301, 50);
  EXPECT_EQ(split->SplitterMain()->Position(), 200);
  EXPECT_TRUE(changed.empty());
  ExpectPanesAt(200, 160);
}

TEST_F(CtlSplitCtrlTest, MinimiseAndRestoreKeepThePositions) {
  ShowWindow(form->Handle(), SW_MINIMIZE);
  cl::test::PumpFor(20);
  ShowWindow(form->Handle(), SW_RESTORE);
  cl::test::PumpFor(20);
  EXPECT_EQ(split->SplitterMain()->Position(), 200);
  EXPECT_EQ(split->Splitter2()->Position(), 160);
  ExpectPanesAt(200, 160);
}

}  // namespace
