// 3-D text drawn inside its measure, and the simple label: its size from the text, its accelerator and its jumps.
#include "controls/simple_label.h"

#include <gtest/gtest.h>

#include "classlib/core/object.h"
#include "classlib/test/input.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/colors.h"
#include "classlib/win/forms.h"
#include "classlib/win/graphics_tools.h"
#include "classlib/win/stdctrls.h"
#include "classlib/win/system_seams.h"
#include "controls/ctl_application.h"
#include "controls/text_3d.h"

namespace {

using namespace ctl;

// Where ink fell in a bitmap that was white before: the bounding box and the count of inked pixels.
struct Ink {
  cl::TRect Box{1 << 20, 1 << 20, -1, -1};
  int Count = 0;
};

Ink FindInk(cl::TBitmap* bitmap) {
  Ink ink;
  for (int y = 0; y < bitmap->Height(); ++y)
    for (int x = 0; x < bitmap->Width(); ++x) {
      if ((bitmap->Canvas()->Pixels(x, y) & 0xFFFFFF) == cl::clWhite) continue;
      ++ink.Count;
      ink.Box = cl::Rect(std::min(ink.Box.Left, x), std::min(ink.Box.Top, y), std::max(ink.Box.Right, x + 1),
                         std::max(ink.Box.Bottom, y + 1));
    }
  return ink;
}

TEST(Text3DDrawing, EveryStyleDrawsInsideItsMeasuredRectangle) {
  cl::Owned<cl::TFont> font = cl::MakeOwned<cl::TFont>();
  font->SetName("Arial");
  font->SetSize(16);
  font->SetColor(cl::clBlack);
  struct Case {
    TCtlThreeDStyle Style;
    int Angle;
  } cases[] = {{tdNone, 0},         {tdSunken, 0}, {tdRaised, 0},        {tdSunkenShadow, 0}, {tdRaisedShadow, 0},
               {tdPColorSunken, 0}, {tdShadow, 0}, {tdRaisedShadow, 30}, {tdShadow, 90},      {tdSunken, 200}};
  const std::string text = "Tarnby 4.1";
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "style " << c.Style << " angle " << c.Angle);
    cl::Owned<TCtlFxCaption> caption = cl::MakeOwned<TCtlFxCaption>();
    caption->SetStyle(c.Style);
    caption->SetLightDepth(2);
    caption->SetShadowDepth(3);
    caption->SetLightColor(cl::clRed);
    caption->SetShadowColor(cl::clBlue);
    caption->SetTracing(1);
    caption->SetAngle(static_cast<uint16_t>(c.Angle));
    const int margin = 30;
    cl::TRect measured = cl::Rect(margin, margin, margin, margin);
    CalcText3DRect(text, caption.get(), 0, true, false, font.get(), measured);

    cl::Owned<cl::TBitmap> bitmap = cl::MakeOwned<cl::TBitmap>();
    bitmap->SetPixelFormat(cl::pf32bit);
    bitmap->SetWidth(measured.Right + margin);
    bitmap->SetHeight(measured.Bottom + margin);
    cl::TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(cl::clWhite);
    canvas->FillRect(cl::Rect(0, 0, bitmap->Width(), bitmap->Height()));
    canvas->SetFont(font.get());
    DrawText3D(canvas, text, caption.get(), nullptr, dtsEnabled, LabelPaintFormat(agTopLeft, false, true), measured);

    const Ink ink = FindInk(bitmap.get());
    ASSERT_GT(ink.Count, 50);
    EXPECT_GE(ink.Box.Left, measured.Left);
    EXPECT_GE(ink.Box.Top, measured.Top);
    EXPECT_LE(ink.Box.Right, measured.Right);
    EXPECT_LE(ink.Box.Bottom, measured.Bottom);
  }
}

TEST(Text3DDrawing, ClippedTextKeepsTheCallersClipRegion) {
  cl::Owned<cl::TBitmap> bitmap = cl::MakeOwned<cl::TBitmap>();
  bitmap->SetPixelFormat(cl::pf32bit);
  bitmap->SetWidth(200);
  bitmap->SetHeight(60);
  cl::TCanvas* canvas = bitmap->Canvas();
  HDC dc = canvas->Handle();
  IntersectClipRect(dc, 0, 0, 150, 60);
  cl::Owned<TCtl3DCaption> caption = cl::MakeOwned<TCtl3DCaption>();
  caption->SetStyle(tdShadow);
  const cl::TRect clip = cl::Rect(0, 0, 20, 20);
  DrawText3D(canvas, "Clipped", caption.get(), &clip, dtsEnabled | dtsClip, 0, cl::Rect(0, 0, 200, 60));
  RECT kept{};
  ASSERT_NE(GetClipBox(dc, &kept), ERROR);
  EXPECT_EQ(kept.right, 150);
  EXPECT_EQ(kept.bottom, 60);
}

class SimpleLabelTest : public testing::Test {
 protected:
  void SetUp() override {
    InitControlLibrary();
    FForm = cl::CreateNew<cl::TForm>(nullptr);
    FForm->SetBounds(50, 50, 400, 300);
    FForm->HandleNeeded();
    FLabel = cl::Make<TCtlSimpleLabel>(FForm, "SimpleLabel1");
    FLabel->SetParent(FForm);
    FLabel->Font()->SetName("Arial");
    FLabel->Font()->SetSize(12);
    FPrevious = cl::sys::SetShellExecute([this](HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT show) {
      Opened.push_back(file);
      EXPECT_EQ(verb, nullptr);
      EXPECT_EQ(show, SW_SHOWNORMAL);
      return reinterpret_cast<HINSTANCE>(ShellResult);
    });
  }
  void TearDown() override {
    cl::sys::SetShellExecute(FPrevious);
    cl::Free(FForm);
  }

  cl::TForm* FForm = nullptr;
  TCtlSimpleLabel* FLabel = nullptr;
  std::vector<std::string> Opened;
  INT_PTR ShellResult = 42;
  cl::sys::TShellExecute FPrevious;
};

TEST_F(SimpleLabelTest, AutoSizeFitsTheCaptionAndItsEffect) {
  FLabel->SetCaption("");
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, FLabel->Font()->Handle());
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen, &metrics);
  SIZE blank{};
  GetTextExtentPoint32A(screen, " ", 1, &blank);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  // An empty caption measures as one blank: a line high plus 2.
  EXPECT_EQ(FLabel->Height(), metrics.tmHeight + 2);
  EXPECT_EQ(FLabel->Width(), blank.cx + 2);

  FLabel->SetCaption("Orlanto");
  const int plainWidth = FLabel->Width();
  FLabel->Font3D()->SetStyle(tdSunkenShadow);
  FLabel->Font3D()->SetShadowDepth(4);
  EXPECT_EQ(FLabel->Width(), plainWidth + 1 + 4);
  EXPECT_EQ(FLabel->Height(), metrics.tmHeight + 2 + 1 + 4);
}

TEST_F(SimpleLabelTest, AltAndTheAcceleratorFocusTheLabelsControl) {
  cl::TEdit* first = cl::Make<cl::TEdit>(FForm, "First");
  first->SetParent(FForm);
  cl::TEdit* target = cl::Make<cl::TEdit>(FForm, "Target");
  target->SetParent(FForm);
  target->SetTop(100);
  FLabel->SetCaption("&Name");
  FLabel->SetFocusControl(target);
  FForm->Show();
  struct Case {
    bool Enabled, ShowAccel;
    bool Focused;
  } cases[] = {{false, true, false}, {true, false, false}, {true, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Enabled << c.ShowAccel);
    FLabel->SetEnabled(c.Enabled);
    FLabel->SetShowAccelChar(c.ShowAccel);
    first->SetFocus();
    ASSERT_EQ(GetFocus(), first->Handle());
    cl::test::Key('N', {cl::ssAlt});
    EXPECT_EQ(GetFocus() == target->Handle(), c.Focused);
  }
  // A freed control is forgotten.
  cl::Free(target);
  EXPECT_EQ(FLabel->FocusControl(), nullptr);
}

TEST_F(SimpleLabelTest, WebLinkOpensMailOrPageAndAFailedOneStopsBeingALink) {
  FLabel->SetCaption("someone@example.org");
  FLabel->SetJumpMode(jmInternet);
  EXPECT_EQ(FLabel->Font()->Color(), cl::clBlue);
  EXPECT_TRUE(FLabel->Font()->Style().Contains(cl::fsUnderline));
  EXPECT_EQ(FLabel->Cursor(), crCtlHand);

  cl::test::Click(FLabel);
  EXPECT_EQ(Opened, std::vector<std::string>{"mailto:someone@example.org"});
  EXPECT_EQ(FLabel->Clicks(), 1);
  EXPECT_EQ(FLabel->Font()->Color(), cl::clPurple);  // visited
  FLabel->SetJump(" http://example.org/ ");
  FLabel->Click();
  EXPECT_EQ(Opened.back(), "http://example.org/");

  ShellResult = 2;
  FLabel->Click();
  EXPECT_FALSE(FLabel->Enabled());
  EXPECT_EQ(FLabel->JumpMode(), jmNone);
  EXPECT_EQ(FLabel->Font()->Color(), cl::clBlack);
  EXPECT_FALSE(FLabel->Font()->Style().Contains(cl::fsUnderline));
  EXPECT_EQ(FLabel->Cursor(), cl::crDefault);
}

TEST_F(SimpleLabelTest, ProgramLinkIgnoresAFailureAndOtherModesOpenNothing) {
  FLabel->SetCaption("notepad.exe");
  FLabel->SetJumpMode(jmApplication);
  ShellResult = 2;
  FLabel->Click();
  EXPECT_EQ(Opened, std::vector<std::string>{"notepad.exe"});
  EXPECT_TRUE(FLabel->Enabled());
  EXPECT_EQ(FLabel->JumpMode(), jmApplication);
  int clicks = 0;
  FLabel->SetOnClick(cl::TNotifyEvent([&](cl::TObject*) { ++clicks; }));
  FLabel->SetJumpMode(jmCustom);
  FLabel->Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(Opened.size(), 1u);
}

}  // namespace
