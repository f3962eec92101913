// The crop tool on a real control: mouse messages posted to the form's window hover, move and resize the band,
// drag a side past its opposite, hold back clicks over a zone; the shown picture comes back exactly when the tool
// is switched off. Also the magnifier's copy of an enlarged part. A screenshot shows the band over a picture.
#include <gtest/gtest.h>

#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/picture.h"
#include "classlib/win/scroll_box.h"
#include "classlib/win/forms.h"
#include "image_host_form.h"
#include "load_image_test_support.h"
#include "support/screenshot.h"

namespace img {
namespace {

using namespace testing;

class CropToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The real pointer stays in a corner, so that no move of its own reaches the form between the posted ones.
    SetCursorPos(1000, 740);
    const std::string path = ScratchPath("crop.bmp");
    WritePatternBmp(path, 320, 240);
    cl::Application->CreateForm(FForm);
    FForm->Show();
    Image()->ChangeFile(path);  // actual size, centred in the 400 x 300 box: at (50, 40)
    Image()->SetScrollBoxW(400);
    Image()->SetScrollBoxH(300);
    Image()->SetOnClick(cl::TNotifyEvent([this](cl::TObject*) { ++FClicks; }));
    cl::test::PumpFor(50);
  }
  void TearDown() override { cl::Free(FForm); }

  TLoadImage* Image() { return FForm->Image1; }
  Pixels Shown() { return PixelsOf(Image()->Picture()->Bitmap()); }

  // Posts a mouse message at (x, y) of the image control to the form's window and handles it.
  void Mouse(UINT message, WPARAM keys, int x, int y) {
    PostMessageA(FForm->Handle(), message, keys, MAKELPARAM(Image()->Left() + x, Image()->Top() + y));
    cl::Application->ProcessMessages();
  }
  void Drag(int fromX, int fromY, int toX, int toY) {
    Mouse(WM_MOUSEMOVE, 0, fromX, fromY);
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, fromX, fromY);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, (fromX + toX) / 2, (fromY + toY) / 2);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, toX, toY);
    Mouse(WM_LBUTTONUP, 0, toX, toY);
  }

  TImageHostForm* FForm = nullptr;
  int FClicks = 0;
};

TEST_F(CropToolTest, TheFirstBandIsDrawnOnceWithItsFramesAndHandles) {
  ASSERT_EQ(Image()->BoundsRect(), cl::Bounds(50, 40, 320, 240));
  Image()->croptool_on();
  Image()->croptool_on();  // already on: one band
  EXPECT_EQ(Image()->CropBand(), cl::Rect(100, 75, 200, 150));
  const Pixels pixels = Shown();
  EXPECT_EQ(pixels.At(120, 74), 0xFFFFFFu);  // white frame, one pixel outside the band
  EXPECT_EQ(pixels.At(120, 73), 0x000000u);  // black frame of the move zone
  EXPECT_EQ(pixels.At(120, 72), PatternColor(120, 72));
  EXPECT_EQ(pixels.At(97, 72), 0xFFFFFFu);                 // top-left handle's square
  EXPECT_EQ(pixels.At(94, 69), 0x000000u);                 // and its zone's frame
  EXPECT_EQ(pixels.At(150, 112), PatternColor(150, 112));  // inside the band nothing changes
  cl::test::PumpFor(100);
  testsupport::SaveScreenshot("crop_tool_band");
}

TEST_F(CropToolTest, MouseMovesAndResizesTheBandAndOffRestoresThePicture) {
  const Pixels before = Shown();
  Image()->croptool_on();
  Mouse(WM_MOUSEMOVE, 0, 150, 110);
  EXPECT_EQ(Image()->Cursor(), cl::crSizeAll);
  Drag(150, 110, 170, 120);
  EXPECT_EQ(Image()->CropBand(), cl::Rect(120, 85, 220, 160));

  Mouse(WM_MOUSEMOVE, 0, 224, 164);  // the bottom-right handle
  EXPECT_EQ(Image()->Cursor(), cl::crSizeNWSE);
  Drag(224, 164, 254, 184);
  EXPECT_EQ(Image()->CropBand(), cl::Rect(120, 85, 250, 180));

  Mouse(WM_MOUSEMOVE, 0, 116, 132);  // the left edge's handle, dragged past the right edge
  EXPECT_EQ(Image()->Cursor(), cl::crSizeWE);
  Drag(116, 132, 316, 132);
  EXPECT_EQ(Image()->CropBand(), cl::Rect(320, 85, 321, 180));
  Drag(116, 132, 316, 132);  // nothing under the mouse any more: no change
  EXPECT_EQ(Image()->CropBand(), cl::Rect(320, 85, 321, 180));

  bool changed = false;
  cl::TRect rect;
  Image()->croptool_off(changed, rect);
  EXPECT_TRUE(changed);
  // Scale 1: image coordinates equal display ones, and the band lies just beyond the picture's right edge.
  EXPECT_EQ(rect, cl::Rect(320, 85, 320, 180));
  EXPECT_FALSE(Image()->CropToolOn());
  EXPECT_EQ(Shown().Colors, before.Colors);
  EXPECT_EQ(Image()->Cursor(), cl::crDefault);

  // Off again: the outputs stay as they are.
  bool untouched = false;
  cl::TRect kept = cl::Rect(1, 2, 3, 4);
  Image()->croptool_off(untouched, kept);
  EXPECT_FALSE(untouched);
  EXPECT_EQ(kept, cl::Rect(1, 2, 3, 4));
}

TEST_F(CropToolTest, PointsFarOutsideTheControlAreIgnored) {
  Image()->croptool_on();
  Mouse(WM_MOUSEMOVE, 0, 150, 110);
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 150, 110);
  Mouse(WM_MOUSEMOVE, MK_LBUTTON, 150, -11);  // more than 10 above: not looked at
  EXPECT_EQ(Image()->CropBand(), cl::Rect(100, 75, 200, 150));
  Mouse(WM_MOUSEMOVE, MK_LBUTTON, 150, -10);
  EXPECT_EQ(Image()->CropBand(), cl::Rect(100, -45, 200, 30));
  Mouse(WM_LBUTTONUP, 0, 150, -10);
}

TEST_F(CropToolTest, NoClickWhileTheMouseIsOverAZone) {
  Image()->croptool_on();
  Mouse(WM_MOUSEMOVE, 0, 96, 71);  // the top-left handle
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 96, 71);
  Mouse(WM_LBUTTONUP, 0, 96, 71);
  EXPECT_EQ(FClicks, 0);
  Mouse(WM_MOUSEMOVE, 0, 20, 20);  // away from the band
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
  Mouse(WM_LBUTTONUP, 0, 20, 20);
  EXPECT_EQ(FClicks, 1);

  // Switched off over a zone, the tool holds back no more clicks.
  Mouse(WM_MOUSEMOVE, 0, 150, 110);
  bool changed = false;
  cl::TRect rect;
  Image()->croptool_off(changed, rect);
  EXPECT_FALSE(changed);
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 150, 110);
  Mouse(WM_LBUTTONUP, 0, 150, 110);
  EXPECT_EQ(FClicks, 2);
}

TEST_F(CropToolTest, ABandOnAFittedPictureComesBackInImageCoordinates) {
  Image()->SetFitWindow(true);  // 320 x 240 into 400 x 300: scale 1.25
  Image()->croptool_on();
  EXPECT_EQ(Image()->CropBand(), cl::Rect(125, 93, 250, 187));
  bool changed = true;
  cl::TRect rect;
  Image()->croptool_off(changed, rect);
  EXPECT_FALSE(changed);
  EXPECT_EQ(rect, cl::Rect(100, 74, 200, 149));
}

class TMagnifierForm : public cl::TForm {
  CL_CLASS(TMagnifierForm, cl::TForm)
 public:
  explicit TMagnifierForm(cl::TComponent* owner) : TForm(owner) {}

 protected:
  void CreateComponents() override {
    SetBorderStyle(cl::bsNone);
    SetBounds(0, 0, 40, 40);
  }
};

TEST_F(CropToolTest, TheMagnifierShowsAnEnlargedPartAndFollowsTheMouse) {
  cl::TScrollBox* host = cl::Make<cl::TScrollBox>(FForm, "Host");
  host->SetParent(FForm);
  host->SetBounds(5, 6, 300, 200);
  TMagnifierForm* window = nullptr;
  cl::Application->CreateForm(window);
  window->Show();
  cl::test::PumpFor(50);

  Image()->SetMagnification(0);  // would divide by zero: does nothing
  Image()->Magnify(window, host, 60, 50);
  EXPECT_EQ(window->Left(), 0);

  Image()->SetMagnification(200);
  Image()->Magnify(window, host, 60, 50);
  EXPECT_EQ(window->Left(), 65);
  EXPECT_EQ(window->Top(), 56);
  HDC dc = GetDC(window->Handle());
  const COLORREF color = GetPixel(dc, 2 * 3 + 1, 2 * 4 + 1);  // source (63, 54), doubled
  ReleaseDC(window->Handle(), dc);
  const uint32_t expected = PatternColor(63, 54);
  EXPECT_EQ(GetRValue(color), expected >> 16 & 0xFF);
  EXPECT_EQ(GetGValue(color), expected >> 8 & 0xFF);
  EXPECT_EQ(GetBValue(color), expected & 0xFF);

  Image()->Magnify(window, host, 70, 60);  // within MagStep (20) of the last point: stays
  EXPECT_EQ(window->Left(), 65);
  cl::Free(window);
}

}  // namespace
}  // namespace img
