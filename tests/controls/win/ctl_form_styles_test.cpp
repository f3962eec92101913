// Caption styler and form background on a shown form: the gradient caption with its text kept aside, the text
// answer within the caller's buffer, the caption given back, and a background tiled from an image list.
#include "controls/ctl_form_styles.h"

#include <gtest/gtest.h>

#include <functional>

#include "classlib/test/pump.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/colors.h"
#include "classlib/win/forms.h"
#include "controls/ctl_image_lists.h"
#include "controls/system_info.h"

namespace {

using namespace ctl;

// What the form under test holds besides its caption and bounds.
std::function<void(cl::TForm*)> populate;

class TStyledForm : public cl::TForm {
  CL_CLASS(TStyledForm, cl::TForm)
 public:
  explicit TStyledForm(cl::TComponent* owner) : TForm(owner) {}

 protected:
  void CreateComponents() override {
    SetCaption("Styled");
    SetBounds(40, 40, 320, 200);
    populate(this);
  }
};

class CtlFormStylesTest : public testing::Test {
 protected:
  void TearDown() override {
    cl::Free(form);
    populate = nullptr;
  }

  // A pixel of the whole window (caption included), as the screen shows it.
  cl::TColor WindowPixel(int x, int y) {
    HDC dc = GetWindowDC(form->Handle());
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(form->Handle(), dc);
    return pixel;
  }
  // The window pixels of area (caption included) that are color, copied off the screen at once.
  int CountWindowPixels(const cl::TRect& area, cl::TColor color) {
    HDC window = GetWindowDC(form->Handle());
    HDC copy = CreateCompatibleDC(window);
    HBITMAP bitmap = CreateCompatibleBitmap(window, area.Width(), area.Height());
    HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, area.Width(), area.Height(), window, area.Left, area.Top, SRCCOPY);
    int count = 0;
    for (int y = 0; y < area.Height(); ++y)
      for (int x = 0; x < area.Width(); ++x) count += GetPixel(copy, x, y) == color;
    SelectObject(copy, old);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(form->Handle(), window);
    return count;
  }
  // Shows the form, has the styler paint its caption and gives the caption bar's and text's rectangles.
  void ShowAndPaint(TCtlFormStyler*& styler, cl::TRect& caption, cl::TRect& text) {
    form = cl::New<TStyledForm>(nullptr);
    form->Show();
    SetForegroundWindow(form->Handle());
    cl::test::PumpFor(50);
    styler->PaintCaption();
    int flags = 1;
    GetCaptionRects(form->Handle(), caption, text, flags);
  }
  static int Distance(cl::TColor a, cl::TColor b) {
    a = cl::ColorToRGB(a);
    b = cl::ColorToRGB(b);
    return abs(GetRValue(a) - GetRValue(b)) + abs(GetGValue(a) - GetGValue(b)) + abs(GetBValue(a) - GetBValue(b));
  }

  cl::TForm* form = nullptr;
};

TEST_F(CtlFormStylesTest, CaptionRunsFromDarkToTheCaptionColour) {
  TCtlFormStyler* styler = nullptr;
  populate = [&](cl::TForm* f) {
    styler = cl::Make<TCtlFormStyler>(f, "Styler");
    styler->SetOptions({fsUseDefaultFont, fsAdjustRect});
  };
  cl::TRect caption, text;
  ShowAndPaint(styler, caption, text);
  // Along the bar's top row, above the text: the gradient's dark start at the left, the caption colour at the
  // far right.
  const int y = caption.Top + 1;
  EXPECT_LT(Distance(WindowPixel(caption.Left + caption.Height() + 2, y), cl::clBlack), 60);
  EXPECT_LT(Distance(WindowPixel(caption.Right - 2, y), cl::clActiveCaption), 60);

  // The system sees a blank; the styler keeps the caption and gives it back.
  char buffer[16] = "xxxxxxxxxxxxxxx";
  EXPECT_EQ(SendMessageA(form->Handle(), WM_GETTEXT, 1, reinterpret_cast<LPARAM>(buffer)), 0);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[1], 'x');
  EXPECT_EQ(SendMessageA(form->Handle(), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)), 1);
  EXPECT_STREQ(buffer, " ");
  styler->SetEnabled(false);
  EXPECT_EQ(form->Caption(), "Styled");
}

TEST_F(CtlFormStylesTest, CaptionTextInTheStylersFontHasItsThreeDEffect) {
  TCtlFormStyler* styler = nullptr;
  populate = [&](cl::TForm* f) {
    styler = cl::Make<TCtlFormStyler>(f, "Styler");
    styler->SetOptions({fsAdjustRect});
    styler->Font()->SetName("Arial");
    styler->Font()->SetStyle({cl::fsBold});
    styler->Font()->SetHeight(-14);
    cl::Owned<TCtl3DCaption> shadowed = cl::MakeOwned<TCtl3DCaption>();
    shadowed->SetStyle(tdShadow);
    shadowed->SetShadowColor(cl::clLime);
    shadowed->SetShadowDepth(2);
    styler->SetFont3D(shadowed.get());
  };
  cl::TRect caption, text;
  ShowAndPaint(styler, caption, text);
  EXPECT_GT(CountWindowPixels(text, cl::clLime), 20) << "the text's shadow";
}

TEST_F(CtlFormStylesTest, BackgroundIsTiledFromTheImageList) {
  cl::Owned<cl::TBitmap> tile = cl::MakeOwned<cl::TBitmap>();
  tile->SetPixelFormat(cl::pf24bit);
  tile->SetSize(4, 4);
  tile->Canvas()->Brush()->SetColor(cl::clRed);
  tile->Canvas()->FillRect(cl::Rect(0, 0, 4, 4));
  tile->Canvas()->Brush()->SetColor(cl::clBlue);
  tile->Canvas()->FillRect(cl::Rect(0, 0, 2, 2));
  populate = [&](cl::TForm* f) {
    auto* list = cl::Make<TCtlBitmapList>(f, "List");
    list->Add();
    list->Items(0)->SetBitmap(tile.get());
    cl::Make<TCtlBack>(f, "Back")->ImageLink().SetImageList(list);
  };
  form = cl::New<TStyledForm>(nullptr);
  form->Show();
  cl::test::PumpFor(50);
  HDC dc = GetDC(form->Handle());
  const struct {
    int x, y;
    COLORREF color;
  } samples[] = {{0, 0, RGB(0, 0, 255)}, {3, 3, RGB(255, 0, 0)}, {41, 41, RGB(0, 0, 255)}, {43, 1, RGB(255, 0, 0)}};
  for (const auto& s : samples) EXPECT_EQ(GetPixel(dc, s.x, s.y), s.color) << s.x << "," << s.y;
  ReleaseDC(form->Handle(), dc);
}

}  // namespace
