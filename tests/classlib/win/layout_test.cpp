// A form built in code with a panel, a scroll box holding an image (a BMP file) and a status bar: laid out as
// aligned, scrolled by position and with the mouse wheel, painted, and kept as a screenshot for a person to look
// at.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

#include "classlib/core/exceptions.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/extctrls.h"
#include "classlib/win/scroll_box.h"
#include "classlib/win/status_bar.h"
#include "support/screenshot.h"

namespace {

using namespace cl;

std::string TestFile(const std::string& name) {
  const char* folder = std::getenv("PROJECT_TEST_DIR");
  return std::string(folder ? folder : ".") + "\\" + name;
}

// A 400 x 300 picture: blue left half, yellow right half, a red square at the top-left.
std::string WriteTestBitmap() {
  auto* bitmap = New<TBitmap>();
  bitmap->SetSize(400, 300);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(0xFF0000);
  canvas->FillRect(Rect(0, 0, 200, 300));
  canvas->Brush()->SetColor(0x00FFFF);
  canvas->FillRect(Rect(200, 0, 400, 300));
  canvas->Brush()->SetColor(0x0000FF);
  canvas->FillRect(Rect(0, 0, 20, 20));
  std::string file = TestFile("layout.bmp");
  bitmap->SaveToFile(file);
  bitmap->Free();
  return file;
}

class TViewerForm : public TForm {
  CL_CLASS(TViewerForm, TForm)
 public:
  explicit TViewerForm(TComponent* owner) : TForm(owner) {}
  TPanel* Panel1 = nullptr;
  TScrollBox* ScrollBox1 = nullptr;
  TImage* Image1 = nullptr;
  TStatusBar* StatusBar1 = nullptr;

 protected:
  void CreateComponents() override {
    SetCaption("Layout");
    SetBounds(40, 40, 360, 300);
    Panel1 = Make<TPanel>(this, "Panel1");
    Panel1->SetParent(this);
    Panel1->SetAlign(alTop);
    Panel1->SetHeight(32);
    Panel1->SetCaption("Toolbar");
    StatusBar1 = Make<TStatusBar>(this, "StatusBar1");
    StatusBar1->SetParent(this);
    StatusBar1->Panels()->Add()->SetWidth(120);
    StatusBar1->Panels()->Add()->SetWidth(80);
    ScrollBox1 = Make<TScrollBox>(this, "ScrollBox1");
    ScrollBox1->SetParent(this);
    ScrollBox1->SetAlign(alClient);
    Image1 = Make<TImage>(this, "Image1");
    Image1->SetParent(ScrollBox1);
    Image1->SetAutoSize(true);
    SetVisible(true);
  }
};

TEST(Layout, FormWithPanelScrollBoxImageAndStatusBar) {
  const std::string file = WriteTestBitmap();
  auto* form = New<TViewerForm>(Application);
  form->Image1->Picture()->LoadFromFile(file);
  form->StatusBar1->Panels()->Items(0)->SetText("400 x 300");
  form->StatusBar1->Panels()->Items(1)->SetText("24 bit");
  test::PumpFor(100);

  const TRect client = form->ClientRect();
  EXPECT_EQ(form->Panel1->BoundsRect(), Rect(0, 0, client.Right, 32));
  EXPECT_EQ(form->StatusBar1->BoundsRect(), Rect(0, client.Bottom - 19, client.Right, client.Bottom));
  EXPECT_EQ(form->ScrollBox1->BoundsRect(), Rect(0, 32, client.Right, client.Bottom - 19));
  EXPECT_EQ(form->Image1->BoundsRect(), Rect(0, 0, 400, 300));  // AutoSize
  EXPECT_EQ(form->ScrollBox1->HorzScrollBar()->Range(), 400);
  EXPECT_EQ(form->ScrollBox1->VertScrollBar()->Range(), 300);

  // The parts are the panels' cumulative widths, the last reaching the right edge.
  int parts[3] = {};
  EXPECT_EQ(SendMessageA(form->StatusBar1->Handle(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(parts)), 2);
  EXPECT_EQ(parts[0], 120);
  EXPECT_EQ(parts[1], -1);

  // The image painted itself inside the box: red square at the top-left.
  HWND box = form->ScrollBox1->Handle();
  UpdateWindow(box);
  HDC dc = GetDC(box);
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 100, 50), RGB(0, 0, 255));
  ReleaseDC(box, dc);
  testsupport::SaveScreenshot("classlib_layout");

  // Scrolling moves the children; position 0 on both bars shows the top-left again.
  form->ScrollBox1->HorzScrollBar()->SetPosition(50);
  form->ScrollBox1->VertScrollBar()->SetPosition(10000);  // clamped to the last page
  EXPECT_EQ(form->Image1->Left(), -50);
  EXPECT_EQ(form->Image1->Top(), -(300 - form->ScrollBox1->ClientHeight()));
  EXPECT_EQ(GetScrollPos(box, SB_HORZ), 50);
  form->ScrollBox1->HorzScrollBar()->SetPosition(0);
  form->ScrollBox1->VertScrollBar()->SetPosition(0);
  EXPECT_EQ(form->Image1->BoundsRect(), Rect(0, 0, 400, 300));
  Free(form);
}

TEST(Layout, TheWheelOverAScrollBoxScrollsItDownAndAcrossWithShift) {
  auto* form = New<TViewerForm>(Application);
  form->Image1->SetAutoSize(false);
  form->Image1->SetBounds(0, 0, 2000, 2000);
  test::PumpFor(50);
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const int notch = static_cast<int>(lines) * form->ScrollBox1->VertScrollBar()->Increment();
  // The wheel reaches the focused form, the mouse over the box in the middle of it.
  const TPoint over = form->ScrollBox1->ClientToScreen(Point(100, 100));
  const auto turn = [&](WORD keys, short delta) {
    SendMessageA(form->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(keys, delta), MAKELPARAM(over.X, over.Y));
  };
  turn(0, -2 * WHEEL_DELTA);  // two notches towards the user: down
  EXPECT_EQ(form->ScrollBox1->VertScrollBar()->Position(), 2 * notch);
  EXPECT_EQ(form->Image1->Top(), -2 * notch);
  turn(0, WHEEL_DELTA);
  EXPECT_EQ(form->ScrollBox1->VertScrollBar()->Position(), notch);
  turn(MK_SHIFT, -WHEEL_DELTA);
  EXPECT_EQ(form->ScrollBox1->HorzScrollBar()->Position(), notch);
  EXPECT_EQ(form->ScrollBox1->VertScrollBar()->Position(), notch);
  // Over the panel there is nothing to scroll.
  const TPoint overPanel = form->Panel1->ClientToScreen(Point(5, 5));
  SendMessageA(form->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(overPanel.X, overPanel.Y));
  EXPECT_EQ(form->ScrollBox1->VertScrollBar()->Position(), notch);
  Free(form);
}

TEST(Layout, ImageCanvasOnAnEmptyPictureMakesABitmapOfTheControlsSize) {
  auto* image = New<TImage>(nullptr);
  image->SetBounds(0, 0, 30, 20);
  TCanvas* canvas = image->Canvas();
  canvas->Brush()->SetColor(0x00FF00);
  canvas->FillRect(Rect(0, 0, 30, 20));
  EXPECT_EQ(image->Picture()->Width(), 30);
  EXPECT_EQ(image->Picture()->Height(), 20);
  EXPECT_EQ(image->Picture()->Bitmap()->Canvas()->Pixels(5, 5), 0x00FF00);
  Free(image);
}

}  // namespace
