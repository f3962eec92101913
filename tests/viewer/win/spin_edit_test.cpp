// The viewer's spin edits on a shown form: keys, the button's halves, the repeat while the button is held, typed
// characters, and Enter reaching the form's default button.
#include <gtest/gtest.h>

#include "classlib/test/input.h"
#include "classlib/test/pump.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/colors.h"
#include "classlib/win/timer.h"
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

}  // namespace
}  // namespace viewer
