// The control bases: erase suppression of transparent windowed controls, bounds-change codes, the mouse entering
// and leaving, the wheel in notches, and the image-list link.
#include "controls/ctl_controls.h"

#include <gtest/gtest.h>

#include <vector>

#include "classlib/test/input.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/forms.h"
#include "controls/ctl_image_lists.h"

namespace {

using namespace ctl;

class TRecordingControl : public TCtlBaseControl {
  CL_CLASS(TRecordingControl, TCtlBaseControl)
 public:
  explicit TRecordingControl(cl::TComponent* owner) : TCtlBaseControl(owner) {}
  std::vector<int> Changes;
  int ListChanges = 0;

 protected:
  void BoundsChange(int changes) override { Changes.push_back(changes); }
  void ImageListChanged() override {
    ++ListChanges;
    inherited::ImageListChanged();
  }
};

class CtlControlsTest : public testing::Test {
 protected:
  void SetUp() override {
    form = cl::CreateNew<cl::TForm>(nullptr);
    form->SetBounds(40, 40, 300, 200);
    form->Show();
  }
  void TearDown() override { cl::Free(form); }
  cl::TForm* form = nullptr;
};

COLORREF PixelAfterErase(TCtlCustomControl* control) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 8, 8};
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  FillRect(dc, &all, blue);
  DeleteObject(blue);
  const LRESULT result = SendMessageA(control->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  const COLORREF pixel = GetPixel(dc, 2, 2);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  EXPECT_NE(result, 0);
  return pixel;
}

TEST_F(CtlControlsTest, TransparentControlsLeaveTheBackgroundAlone) {
  auto* control = cl::Make<TCtlCustomControl>(form, "Control");
  control->SetParent(form);
  control->SetColor(cl::clRed);
  EXPECT_EQ(control->Width(), 100);
  EXPECT_EQ(control->Height(), 40);
  EXPECT_EQ(PixelAfterErase(control), RGB(255, 0, 0));
  control->SetTransparent(true);
  EXPECT_EQ(PixelAfterErase(control), RGB(0, 0, 255));
}

TEST_F(CtlControlsTest, BoundsChangesAreReportedByKind) {
  auto* control = cl::Make<TRecordingControl>(form, "Control");
  control->SetParent(form);
  control->Changes.clear();
  control->SetBounds(10, 10, control->Width(), control->Height());
  control->SetBounds(10, 10, 50, 20);
  control->SetBounds(20, 30, 60, 25);
  control->SetBounds(20, 30, 60, 25);
  EXPECT_EQ(control->Changes, (std::vector<int>{bcPosition, bcSize, bcPosition | bcSize}));
}

TEST_F(CtlControlsTest, MouseEntersAndLeaves) {
  auto* control = cl::Make<TCtlBaseGraphicControl>(form, "Control");
  control->SetParent(form);
  control->SetBounds(10, 10, 50, 50);
  EXPECT_TRUE(control->Transparent());
  std::vector<std::string> events;
  control->SetOnMouseEnter(cl::TNotifyEvent([&](cl::TObject*) { events.push_back("enter"); }));
  control->SetOnMouseExit(cl::TNotifyEvent([&](cl::TObject*) { events.push_back("exit"); }));
  cl::test::MouseMove(form, 150, 150);
  cl::test::MouseMove(control, 5, 5);
  cl::test::MouseMove(control, 20, 20);
  cl::test::MouseMove(form, 150, 150);
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "exit"}));
}

TEST_F(CtlControlsTest, WheelTurnsInNotches) {
  auto* control = cl::Make<TCtlCustomControl>(form, "Control");
  control->SetParent(form);
  control->SetBounds(10, 10, 100, 40);
  int delta = 0;
  cl::TPoint at;
  control->SetOnMouseWheel(TCtlMouseWheelEvent([&](cl::TObject*, cl::TShiftState, int d, int x, int y) {
    delta = d;
    at = {x, y};
  }));
  const cl::TPoint screen = control->ClientToScreen(cl::Point(5, 6));
  SendMessageA(control->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -2 * WHEEL_DELTA), MAKELPARAM(screen.X, screen.Y));
  EXPECT_EQ(delta, -2);
  EXPECT_EQ(at, (cl::TPoint{5, 6}));
}

TEST_F(CtlControlsTest, ImageListLinkFollowsTheList) {
  auto* control = cl::Make<TRecordingControl>(form, "Control");
  auto* list = cl::Make<TCtlBitmapList>(form, "List");
  control->ImageLink().SetImageList(list);
  control->ImageLink().SetImageIndex(3);
  control->ImageLink().SetImageIndex(-1);
  EXPECT_EQ(control->ImageLink().ImageIndex(), 3);
  control->ListChanges = 0;
  list->Change();
  EXPECT_EQ(control->ListChanges, 1);
  cl::Free(list);
  EXPECT_EQ(control->ImageLink().ImageList(), nullptr);
  EXPECT_EQ(control->ListChanges, 2);
}

}  // namespace
