// The viewer's spin edits on a shown form: keys, the wheel, the button's halves, the repeat while the button is held,
// typed characters, and Enter reaching the form's default button.
#include <gtest/gtest.h>

#include <limits>
#include <utility>

#include "classlib/test/input.h"
#include "classlib/test/pump.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/colors.h"
#include "classlib/win/timer.h"
#include "controls/ctl_application.h"
#include "controls/timer_pool.h"
#include "support/screenshot.h"
#include "viewer/core/spin_geometry.h"
#include "viewer/ctl_spin_edit.h"
#include "viewer/glyph_spin.h"

namespace viewer {
namespace {

// Holds the left mouse button in the thread's key state, as a real press does while the button is held.
class LeftButtonHeld {
 public:
  LeftButtonHeld() {
    GetKeyboardState(FSaved);
    BYTE held[256];
    std::copy(FSaved, FSaved + 256, held);
    held[VK_LBUTTON] |= 0x80;
    SetKeyboardState(held);
  }
  ~LeftButtonHeld() { SetKeyboardState(FSaved); }

 private:
  BYTE FSaved[256];
};

class SpinEditTest : public testing::Test {
 protected:
  void SetUp() override {
    FForm = cl::CreateNew<cl::TForm>(nullptr);
    FForm->SetBounds(100, 100, 300, 200);
    FDefault = cl::Make<cl::TButton>(FForm, "OkButton");
    FDefault->SetParent(FForm);
    FDefault->SetBounds(10, 100, 75, 25);
    FDefault->SetDefault(true);
    FDefault->SetOnClick(cl::TNotifyEvent([this](cl::TObject*) { ++FDefaultClicks; }));
    FGlyph = cl::Make<TGlyphSpinEdit>(FForm, "SpinEdit1");
    FGlyph->SetParent(FForm);
    FGlyph->SetBounds(10, 10, 100, 24);
    FGlyph->SetOnChange(cl::TNotifyEvent([this](cl::TObject*) { ++FChanges; }));
    FForm->Show();
    FGlyph->SetFocus();
  }
  void TearDown() override { cl::Free(FForm); }

  // Where a point of each half of the glyph button lies.
  cl::TControl* GlyphButton() { return FGlyph->Button(); }
  int UpX() { return 3; }
  int DownX() { return GlyphButton()->Width() - 3; }

  cl::TForm* FForm = nullptr;
  cl::TButton* FDefault = nullptr;
  TGlyphSpinEdit* FGlyph = nullptr;
  int FDefaultClicks = 0;
  int FChanges = 0;
};

TEST_F(SpinEditTest, GlyphEditStepsByKeysAndHalvesAndFiresOnceAChange) {
  FGlyph->SetMinValue(-100);
  FGlyph->SetMaxValue(100);
  EXPECT_EQ(FGlyph->Text(), "0");
  cl::test::Key(VK_UP);
  EXPECT_EQ(FGlyph->Text(), "1");
  cl::test::Key(VK_DOWN);
  cl::test::Key(VK_DOWN);
  EXPECT_EQ(FGlyph->Text(), "-1");
  EXPECT_EQ(FChanges, 3);
  cl::test::Click(GlyphButton());  // the middle lies on the diagonal: the top half
  EXPECT_EQ(FGlyph->Text(), "0");
  cl::test::MouseDown(GlyphButton(), cl::mbLeft, DownX(), GlyphButton()->Height() - 3);
  cl::test::MouseUp(GlyphButton(), cl::mbLeft, DownX(), GlyphButton()->Height() - 3);
  EXPECT_EQ(FGlyph->Text(), "-1");
  EXPECT_EQ(FChanges, 5);
  // At a bound the text stays and nothing fires.
  FGlyph->SetValue(100);
  FChanges = 0;
  FGlyph->UpClick(FGlyph);
  EXPECT_EQ(FGlyph->Text(), "100");
  EXPECT_EQ(FChanges, 0);
}

TEST_F(SpinEditTest, GlyphEditShowsDecimalsAndKeepsBadTextUntilTheNextStep) {
  FGlyph->SetValueType(vtFloat);
  FGlyph->SetIncrement(0.25L);
  FGlyph->SetValue(1.5L);
  EXPECT_EQ(FGlyph->Text(), "1.50");
  FGlyph->UpClick(FGlyph);
  EXPECT_EQ(FGlyph->Text(), "1.75");
  FGlyph->SetText("x");
  EXPECT_EQ(FGlyph->Value(), 0.0L);
  EXPECT_EQ(FGlyph->Text(), "x");
  FGlyph->UpClick(FGlyph);
  EXPECT_EQ(FGlyph->Text(), "0.25");
}

TEST_F(SpinEditTest, HoldingTheButtonRepeatsUntilItIsLetGo) {
  FGlyph->SetMinValue(0);
  FGlyph->SetMaxValue(1000);
  {
    LeftButtonHeld held;
    cl::test::MouseDown(GlyphButton(), cl::mbLeft, UpX(), UpX());
    EXPECT_EQ(FGlyph->Text(), "1");
    EXPECT_EQ(FGlyph->Button()->State(), 1);
    // The first repeat waits 400 ms, the next ones 100 ms each.
    cl::test::PumpFor(150);
    EXPECT_EQ(FGlyph->Text(), "1");
    cl::test::PumpUntil([&] { return FGlyph->Value() >= 4; }, 3000);
    EXPECT_GE(FGlyph->Value(), 4);
    cl::test::MouseUp(GlyphButton(), cl::mbLeft, UpX(), UpX());
  }
  EXPECT_FALSE(FGlyph->Button()->RepeatTimer()->Enabled());
  EXPECT_EQ(FGlyph->Button()->State(), 0);
  const std::string released = FGlyph->Text();
  cl::test::PumpFor(300);
  EXPECT_EQ(FGlyph->Text(), released);
}

TEST_F(SpinEditTest, TypedLettersAreDroppedAndEnterReachesTheDefaultButton) {
  FGlyph->SelectAll();
  cl::test::Key('7');
  cl::test::Key('A');
  EXPECT_EQ(FGlyph->Text(), "7");
  cl::test::Key(VK_RETURN);
  EXPECT_EQ(FDefaultClicks, 1);
  EXPECT_EQ(FGlyph->Text(), "7");
  // With the editor off nothing can be typed, but the keys still step.
  FGlyph->SetEditorEnabled(false);
  cl::test::Key('5');
  cl::test::Key(VK_UP);
  EXPECT_EQ(FGlyph->Text(), "8");
}

TEST_F(SpinEditTest, TheBottomPressedFaceCarriesItsShadowLine) {
  cl::TControl* button = GlyphButton();
  const int w = button->Width(), h = button->Height();
  cl::Owned<cl::TBitmap> normal(cl::test::PaintTo(button));
  LeftButtonHeld held;
  cl::test::MouseDown(button, cl::mbLeft, DownX(), h - 3);
  cl::Owned<cl::TBitmap> pressed(cl::test::PaintTo(button));
  cl::test::MouseUp(button, cl::mbLeft, DownX(), h - 3);
  // Around a point of the line from (3, h - 2) to (w - 1, 2), inside the bottom half.
  const int x = (3 + w - 1) / 2, y = h - 2 - (x - 3) * (h - 4) / (w - 4);
  const cl::TColor shadow = cl::ColorToRGB(cl::clBtnShadow) & 0xFFFFFF;
  const auto shaded = [&](cl::TBitmap* face) {
    for (int dy = -1; dy <= 1; ++dy)
      if ((face->Canvas()->Pixels(x, y + dy) & 0xFFFFFF) == shadow) return true;
    return false;
  };
  EXPECT_TRUE(shaded(pressed.get()));
  EXPECT_FALSE(shaded(normal.get()));
}

class CtlSpinEditTest : public SpinEditTest {
 protected:
  void SetUp() override {
    ctl::InitControlLibrary();
    SpinEditTest::SetUp();
    FSpin = cl::Make<TCtlSpinEdit>(FForm, "CtlSpinEdit1");
    FSpin->SetParent(FForm);
    FSpin->SetBounds(10, 50, 100, 24);
    FSpin->SetFocus();
  }
  cl::TControl* SpinButton() { return FSpin->Button(); }
  // Sends a wheel turn to the focused edit, the mouse at client point (x, y).
  void Wheel(int delta, int x = 5, int y = 6) {
    POINT at{x, y};
    ClientToScreen(FSpin->Handle(), &at);
    SendMessageA(FSpin->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), MAKELPARAM(at.x, at.y));
  }

  TCtlSpinEdit* FSpin = nullptr;
};

TEST_F(CtlSpinEditTest, StepsByKeysPagesWheelAndHalvesWithinItsRange) {
  FSpin->SetValue(50);
  std::vector<int> notches;
  FSpin->SetOnMouseWheel(TCtlMouseWheelEvent([&](cl::TObject*, int x, int y, int n) {
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 6);
    notches.push_back(n);
  }));
  const auto after = [this](const std::function<void()>& action) {
    action();
    return FSpin->Text();
  };
  EXPECT_EQ(after([] { cl::test::Key(VK_UP); }), "51");
  EXPECT_EQ(after([] { cl::test::Key(VK_DOWN); }), "50");
  EXPECT_EQ(after([] { cl::test::Key(VK_NEXT); }), "40");
  EXPECT_EQ(after([] { cl::test::Key(VK_PRIOR); }), "50");
  EXPECT_EQ(after([this] { Wheel(240); }), "51");
  EXPECT_EQ(after([this] { Wheel(-120); }), "50");
  EXPECT_EQ(after([this] { Wheel(60); }), "50");  // less than a notch
  EXPECT_EQ(notches, (std::vector<int>{2, -1, 0}));
  EXPECT_EQ(after([this] { cl::test::Click(SpinButton()); }), "51");  // the middle: the up half
  const int side = SpinButton()->Width();
  EXPECT_EQ(after([&] {
              cl::test::MouseDown(SpinButton(), cl::mbLeft, side - 3, side - 3);
              cl::test::MouseUp(SpinButton(), cl::mbLeft, side - 3, side - 3);
            }),
            "50");
  FSpin->SetValue(95);
  EXPECT_EQ(after([] { cl::test::Key(VK_PRIOR); }), "100");
  FSpin->SetMaxValue(-5);  // below MinValue: ignored
  EXPECT_EQ(FSpin->MaxValue(), 100);
  FSpin->SetMaxValue(60);
  EXPECT_EQ(FSpin->Text(), "60");
}

TEST_F(CtlSpinEditTest, StepsStopAtTheIntegerLimits) {
  FSpin->SetMaxValue(std::numeric_limits<int32_t>::max());
  FSpin->SetMinValue(std::numeric_limits<int32_t>::min());
  const std::pair<const char*, WORD> steps[] = {
      {"2147483647", VK_UP}, {"2147483640", VK_PRIOR}, {"-2147483648", VK_DOWN}, {"-2147483640", VK_NEXT}};
  for (const auto& [typed, key] : steps) {
    SCOPED_TRACE(typed);
    FSpin->SetText(typed);
    cl::test::Key(key);
    EXPECT_EQ(FSpin->Text(), typed[0] == '-' ? "-2147483648" : "2147483647");
  }
}

TEST_F(CtlSpinEditTest, ASuffixFollowsTheNumberAndTextWithoutOneReadsTheLowerBound) {
  FSpin->SetSuffix("%");
  FSpin->SetText("12%");
  EXPECT_EQ(FSpin->Value(), 12);
  EXPECT_EQ(FSpin->Text(), "12%");
  cl::test::Key(VK_UP);
  EXPECT_EQ(FSpin->Text(), "13%");
  FSpin->SetMinValue(5);
  FSpin->SetText("abc");
  EXPECT_EQ(FSpin->Value(), 5);
  EXPECT_EQ(FSpin->Text(), "5%");
}

TEST_F(CtlSpinEditTest, HoldingTheButtonRepeatsThroughItsTimerSlotUntilItIsLetGo) {
  ctl::TCtlTimerPool* pool = ctl::CtlApplication->TimerPool();
  EXPECT_FALSE(FSpin->Button()->Timer()->Enabled());
  EXPECT_FALSE(pool->Running());
  FSpin->SetValue(0);
  {
    LeftButtonHeld held;
    cl::test::MouseDown(SpinButton(), cl::mbLeft, 3, 3);
    EXPECT_EQ(FSpin->Text(), "1");
    EXPECT_EQ(FSpin->Button()->State(), 1);
    EXPECT_EQ(FSpin->Button()->Timer()->Interval(), 300);
    // The first repeat waits 300 ms, the next ones 100 ms each.
    cl::test::PumpFor(150);
    EXPECT_EQ(FSpin->Text(), "1");
    cl::test::PumpUntil([&] { return FSpin->Value() >= 4; }, 3000);
    EXPECT_GE(FSpin->Value(), 4);
    EXPECT_EQ(FSpin->Button()->Timer()->Interval(), 100);
    cl::test::MouseUp(SpinButton(), cl::mbLeft, 3, 3);
  }
  EXPECT_FALSE(FSpin->Button()->Timer()->Enabled());
  EXPECT_FALSE(pool->Running());
  const std::string released = FSpin->Text();
  cl::test::PumpFor(300);
  EXPECT_EQ(FSpin->Text(), released);
}

TEST_F(CtlSpinEditTest, ADisabledButtonShowsGreyArrows) {
  cl::TControl* button = SpinButton();
  {
    // Seen on the screen: the glyph edit, and this one with its down half held.
    LeftButtonHeld held;
    const int side = button->Width();
    cl::test::MouseDown(button, cl::mbLeft, side - 3, side - 3);
    cl::test::PumpFor(100);
    std::printf("%s\n", testsupport::SaveScreenshot("orvane_spin_edits").c_str());
    cl::test::MouseUp(button, cl::mbLeft, side - 3, side - 3);
  }
  const cl::TPoint up = UpArrowOrigin(button->Width(), button->Height(), false);
  const auto arrowTip = [&] {
    cl::Owned<cl::TBitmap> face(cl::test::PaintTo(button));
    return face->Canvas()->Pixels(up.X + 1, up.Y) & 0xFFFFFF;  // the tip of an arrow of size 3
  };
  EXPECT_EQ(arrowTip(), cl::clBlack);
  button->SetEnabled(false);
  EXPECT_EQ(FSpin->Button()->State(), kSpinDisabled);
  EXPECT_EQ(arrowTip(), cl::ColorToRGB(cl::clGrayText) & 0xFFFFFF);
}

TEST_F(CtlSpinEditTest, NoFreeTimerSlotMeansNoSpinEdit) {
  std::vector<uint16_t> taken;
  while (uint16_t ident = ctl::CtlApplication->AddTimer(100, nullptr)) taken.push_back(ident);
  try {
    cl::Make<TCtlSpinEdit>(FForm, "CtlSpinEdit2");
    ADD_FAILURE() << "a spin edit was made without a timer";
  } catch (const cl::EOutOfResources& e) {
    EXPECT_STREQ(e.what(), "Not enough timers available");
  }
  for (uint16_t ident : taken) ctl::CtlApplication->RemoveTimer(ident);
}

}  // namespace
}  // namespace viewer
