// The formatted label on a form: its lines, its size from the text, and what its markup paints.
#include "controls/plus_label.h"

#include <gtest/gtest.h>

#include "classlib/core/object.h"
#include "classlib/test/input.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/colors.h"
#include "classlib/win/forms.h"
#include "classlib/win/graphics_tools.h"

namespace {

using namespace ctl;

class PlusLabelTest : public testing::Test {
 protected:
  void SetUp() override {
    FForm = cl::CreateNew<cl::TForm>(nullptr);
    FForm->SetBounds(50, 50, 400, 300);
    FForm->HandleNeeded();
    FLabel = cl::Make<TPlusLabel>(FForm, "PlusLabel1");
    FLabel->SetParent(FForm);
    FLabel->SetColor(cl::clWhite);
    FLabel->Font()->SetColor(cl::clBlack);
    FLabel->Font()->SetName("Arial");
    FLabel->Font()->SetSize(12);
  }
  void TearDown() override { cl::Free(FForm); }

  // Pixels of the painted label that are not the white background.
  int Inked(int fromX, int toX, cl::TColor only = -1) {
    cl::Owned<cl::TBitmap> shot(cl::test::PaintTo(FLabel));
    int count = 0;
    for (int y = 0; y < shot->Height(); ++y)
      for (int x = std::max(0, fromX); x < std::min(toX, shot->Width()); ++x) {
        const cl::TColor pixel = shot->Canvas()->Pixels(x, y) & 0xFFFFFF;
        if (only == -1 ? pixel != cl::clWhite : pixel == only) ++count;
      }
    return count;
  }

  cl::TForm* FForm = nullptr;
  TPlusLabel* FLabel = nullptr;
};

TEST_F(PlusLabelTest, LinesAndAutoSizeFollowTheText) {
  FLabel->SetCaption("one\r\ntwo\r\nthree");
  ASSERT_EQ(FLabel->GetLineCount(), 3);
  const int lineHeight = FLabel->LineHeight();
  EXPECT_GT(lineHeight, 10);
  EXPECT_EQ(FLabel->Height(), 3 * lineHeight);
  const int width = FLabel->Width();
  FLabel->SetCaption("one\r\ntwo\r\nthree three");
  EXPECT_GT(FLabel->Width(), width);
  // A border adds a pixel on each side; margins widen the label.
  FLabel->SetBorderStyle(pbSingle);
  EXPECT_EQ(FLabel->Height(), 3 * lineHeight + 2);
  const int bordered = FLabel->Width();
  FLabel->SetLeftMargin(10);
  EXPECT_EQ(FLabel->Width(), bordered + 10);
  // A fixed line height sizes the label; 0 returns to the font's.
  FLabel->SetLineHeight(40);
  EXPECT_EQ(FLabel->Height(), 3 * 40 + 2);
  FLabel->SetLineHeight(0);
  EXPECT_EQ(FLabel->LineHeight(), lineHeight);
}

TEST_F(PlusLabelTest, WordWrapBreaksLongTextAndNoWrapNeverDoes) {
  const std::string text = "a long explanation that cannot fit into a narrow label at all";
  FLabel->SetCaption(text);
  EXPECT_EQ(FLabel->GetLineCount(), 1);
  FLabel->SetAutoSize(false);
  FLabel->SetWordWrap(true);
  FLabel->SetBounds(0, 0, 120, 200);
  FLabel->SetAutoSize(true);
  EXPECT_GT(FLabel->GetLineCount(), 3);
  EXPECT_EQ(FLabel->Width(), 120);
  EXPECT_EQ(FLabel->Height(), FLabel->GetLineCount() * FLabel->LineHeight());
  for (int i = 0; i < FLabel->GetLineCount(); ++i) EXPECT_LE(FLabel->Lines(i).Width, 120);
}

TEST_F(PlusLabelTest, BoldMarkupInksMoreAndHighlightFillsOnlyItsText) {
  FLabel->SetCaption("WWWW WWWW");
  const PlusLine plain = FLabel->Lines(0);
  const int plainInk = Inked(0, FLabel->Width());
  FLabel->SetCaption("\x02WWWW\x02 WWWW");
  // The bold word is wider and darker, the second word unchanged.
  EXPECT_GT(FLabel->Lines(0).Width, plain.Width);
  EXPECT_GT(Inked(0, FLabel->Width()), plainInk);

  FLabel->SetHighlightColor(cl::clWhite);
  FLabel->SetHighlightBackgnd(cl::clRed);
  FLabel->SetCaption("\x03WWWW\x03 WWWW");
  const int half = FLabel->Width() / 2;
  EXPECT_GT(Inked(0, half, cl::clRed), 0);
  EXPECT_EQ(Inked(half + 5, FLabel->Width(), cl::clRed), 0);
}

TEST_F(PlusLabelTest, JustifiedLinesReachTheRightMarginButTheLastDoesNot) {
  FLabel->SetAutoSize(false);
  FLabel->SetWordWrap(true);
  FLabel->SetBounds(0, 0, 200, 200);
  FLabel->SetCaption("ii ii ii ii ii ii ii ii ii ii ii ii ii ii ii ii ii ii ii ii ii ii ii ii");
  ASSERT_GE(FLabel->GetLineCount(), 2);
  FLabel->SetJustified(true);
  const int lineHeight = FLabel->LineHeight();
  cl::Owned<cl::TBitmap> shot(cl::test::PaintTo(FLabel));
  const auto rightmostInk = [&](int line) {
    int right = -1;
    for (int y = line * lineHeight; y < (line + 1) * lineHeight; ++y)
      for (int x = 0; x < shot->Width(); ++x)
        if ((shot->Canvas()->Pixels(x, y) & 0xFFFFFF) != cl::clWhite) right = std::max(right, x);
    return right;
  };
  EXPECT_GE(rightmostInk(0), 200 - 4);
  EXPECT_LT(rightmostInk(FLabel->GetLineCount() - 1), FLabel->Lines(FLabel->GetLineCount() - 1).Width + 4);
}

TEST_F(PlusLabelTest, ZeroTabsScrolledTextAndFillLinesPaintSafely) {
  FLabel->SetTabStops(0);
  FLabel->SetCaption("a\tb\r\nc");
  EXPECT_EQ(FLabel->GetLineCount(), 2);
  EXPECT_GT(Inked(0, FLabel->Width()), 0);
  // Scrolled past the last line: nothing but the background.
  FLabel->SetTopOrigin(1000);
  EXPECT_EQ(Inked(0, FLabel->Width()), 0);
  FLabel->SetTopOrigin(0);
  // A fill line runs to the right edge.
  FLabel->SetAutoSize(false);
  FLabel->SetBounds(0, 0, 300, 40);
  FLabel->SetCaption("x\x10");
  EXPECT_GT(Inked(250, 300), 0);
}

TEST_F(PlusLabelTest, ANegativeLineHeightCountsAsOnePixelAndADashWithoutWidthFillsNothing) {
  FLabel->SetCaption("one\r\ntwo");
  FLabel->SetLineHeight(-5);
  EXPECT_EQ(FLabel->LineHeight(), 1);
  EXPECT_EQ(FLabel->Height(), 2);
  FLabel->SetLineHeight(0);
  // In the alternate font, one pixel high, a dash has no width: the fill line stops at once.
  FLabel->AltFont()->Assign(FLabel->Font());
  FLabel->AltFont()->SetHeight(-1);
  FLabel->SetAutoSize(false);
  FLabel->SetBounds(0, 0, 300, 40);
  FLabel->SetCaption("x\x04\x10");
  EXPECT_EQ(Inked(50, 300), 0);
  EXPECT_GT(Inked(0, 50), 0);
}

}  // namespace
