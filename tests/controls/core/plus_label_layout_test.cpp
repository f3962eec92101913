// The formatted label's text engine with a fixed-width measurer: 5 pixels a character and 4 a space, 6 and 5 in
// bold.
#include "controls/core/plus_label_layout.h"

#include <gtest/gtest.h>

namespace {

using namespace ctl;

class FixedMeasurer : public PlusMeasurer {
 public:
  int TextWidth(std::string_view text, uint8_t style) override {
    return static_cast<int>(text.size()) * (style & psBold ? 6 : 5);
  }
  int SpaceWidth(uint8_t style) override { return style & psBold ? 5 : 4; }
};

PlusLayout Layout(const std::string& text, int width = kPlusUnlimitedWidth, bool accel = false, int tabs = 8) {
  FixedMeasurer measurer;
  return LayoutPlusText(text, accel, width, tabs, 0, measurer);
}

struct Expected {
  int Start, End, Width, Spaces, JustifyStart;
};

void ExpectLines(const PlusLayout& layout, std::initializer_list<Expected> lines) {
  ASSERT_EQ(layout.Lines.size(), lines.size());
  int i = 0;
  for (const Expected& e : lines) {
    SCOPED_TRACE(i);
    const PlusLine& line = layout.Lines[i++];
    EXPECT_EQ(line.Start, e.Start);
    EXPECT_EQ(line.End, e.End);
    EXPECT_EQ(line.Width, e.Width);
    EXPECT_EQ(line.Spaces, e.Spaces);
    EXPECT_EQ(line.JustifyStart, e.JustifyStart);
  }
}

TEST(PlusLabelLayout, LineEndsAndFillLinesStartNewLines) {
  ExpectLines(Layout("A\r\nB"), {{0, 1, 5, 0, 0}, {3, 4, 5, 0, 3}});
  ExpectLines(Layout("A\rB"), {{0, 1, 5, 0, 0}, {2, 3, 5, 0, 2}});
  // The fill line belongs to the line it ends.
  ExpectLines(Layout("ab\x10"
                     "cd"),
              {{0, 3, 10, 0, 0}, {3, 5, 10, 0, 3}});
  // A line end at the very end leaves an empty last line; a lone line feed is no line end.
  ExpectLines(Layout("ab\r\n"), {{0, 2, 10, 0, 0}, {4, 4, 0, 0, 4}});
  ExpectLines(Layout("ab\ncd"), {{0, 5, 20, 0, 0}});
}

TEST(PlusLabelLayout, WrapsBeforeTheWordThatPassesTheWidth) {
  // "aaa bbb" is 34 wide; "ccc" would end at 53.
  ExpectLines(Layout("aaa bbb ccc", 40), {{0, 7, 34, 1, 0}, {8, 11, 15, 0, 8}});
  // Two spaces in front of the wrapped word count neither in the width nor for justification.
  ExpectLines(Layout("aaa bbb  ccc", 40), {{0, 7, 34, 1, 0}, {9, 12, 15, 0, 9}});
  // Without a width limit nothing wraps, and a trailing space takes no width.
  ExpectLines(Layout("aaa bbb ccc ddd eee "), {{0, 20, 91, 0, 0}});
}

TEST(PlusLabelLayout, AWordWiderThanTheLineStaysWholeAndEndsItsLine) {
  ExpectLines(Layout("abcdefghij x", 20), {{0, 10, 50, 0, 0}, {10, 12, 9, 0, 10}});
  const PlusLayout layout = Layout("abcdefghij", 20);
  EXPECT_EQ(layout.Lines.size(), 1u);
  EXPECT_EQ(layout.Widest, 50);
}

TEST(PlusLabelLayout, TabsMoveToTheNextStopAndRestartJustification) {
  EXPECT_EQ(NextPlusTabStop(10, 0, 8, 4), 32);
  EXPECT_EQ(NextPlusTabStop(32, 0, 8, 4), 64);
  EXPECT_EQ(NextPlusTabStop(10, 6, 8, 4), 38);
  EXPECT_EQ(NextPlusTabStop(-5, 0, 8, 4), 0);
  // A zero tab unit still moves forward instead of dividing by zero.
  EXPECT_EQ(NextPlusTabStop(10, 0, 0, 4), 11);
  EXPECT_EQ(NextPlusTabStop(10, 0, 8, 0), 11);
  // "ab" ends at 10, the tab goes to 32, "c d e" follows; only the spaces behind the tab are justified.
  ExpectLines(Layout("a b\tc d e"), {{0, 9, 32 + 5 + 4 + 5 + 4 + 5, 0, 4}});
  ExpectLines(Layout("a b\tc d e f", 60), {{0, 9, 55, 2, 4}, {10, 11, 5, 0, 10}});
}

TEST(PlusLabelLayout, MarkupTogglesStyleWithoutWidthAndLinesStartWithTheirStyle) {
  FixedMeasurer measurer;
  // "x " then a bold word, then plain text: the markup itself takes no width.
  PlusLayout layout = LayoutPlusText(
      "x \x02"
      "bold\x02 y",
      false, kPlusUnlimitedWidth, 8, 0, measurer);
  ASSERT_EQ(layout.Lines.size(), 1u);
  EXPECT_EQ(layout.Lines[0].Width, 5 + 4 + 24 + 4 + 5);
  // Wrapped inside a bold run: the line that starts within it starts bold, the one behind it plain again.
  layout = LayoutPlusText(
      "xxxx \x02"
      "bold more\x02 end",
      false, 30, 8, 0, measurer);
  ASSERT_EQ(layout.Lines.size(), 4u);
  EXPECT_EQ(layout.Lines[1].Style, 0);  // its first character is the Ctrl-B itself
  EXPECT_EQ(layout.Lines[2].Style, psBold);
  EXPECT_EQ(layout.Lines[3].Style, 0);
  // Highlight and alternate font are toggled the same way; unknown control characters are skipped.
  layout = LayoutPlusText(
      "\x03\x04"
      "a\x05",
      false, kPlusUnlimitedWidth, 8, psItalic, measurer);
  EXPECT_EQ(layout.Lines[0].Width, 5);
  EXPECT_EQ(layout.Lines[0].Style, psItalic);
  EXPECT_EQ(ClassifyPlusChar(kPlusUnderline), PlusChar::Markup);
  EXPECT_EQ(PlusMarkupBit(kPlusUnderline), psUnderline);
}

TEST(PlusLabelLayout, TheAcceleratorIsNotTextAndIndexesStayCaptionIndexes) {
  const PlusLayout layout = Layout("&File x", kPlusUnlimitedWidth, true);
  EXPECT_EQ(layout.AccelIndex, 0);
  ExpectLines(layout, {{0, 7, 20 + 4 + 5, 0, 0}});
  ExpectLines(Layout("ab c&d", 15, true), {{0, 2, 10, 0, 0}, {3, 6, 10, 0, 3}});
  EXPECT_EQ(Layout("&File", kPlusUnlimitedWidth, false).Lines[0].Width, 25);
}

TEST(PlusLabelLayout, PaintArithmetic) {
  EXPECT_EQ(PlusVerticalOffset(plTop, 100, 15, 3), 0);
  EXPECT_EQ(PlusVerticalOffset(plCenter, 100, 15, 3), 27);
  EXPECT_EQ(PlusVerticalOffset(plBottom, 100, 15, 3), 55);
  // The range never reads past the last line, also when scrolled beyond the text or with no line height.
  PlusVisibleLines range = PlusVisibleRange(0, 0, 100, 15, 3);
  EXPECT_EQ(range.First, 0);
  EXPECT_EQ(range.Last, 2);
  range = PlusVisibleRange(500, 0, 100, 15, 3);
  EXPECT_LT(range.Last, range.First);
  range = PlusVisibleRange(30, 0, 30, 15, 10);
  EXPECT_EQ(range.First, 2);
  EXPECT_EQ(range.Last, 5);
  EXPECT_EQ(PlusVisibleRange(0, 0, 100, 0, 3).Last, 2);
  // Left, right and centred lines; a stretched line starts at the left margin whatever the alignment.
  EXPECT_EQ(PlusLineX(paLeft, false, 200, 10, 20, 50, 3), 7);
  EXPECT_EQ(PlusLineX(paRight, false, 200, 10, 20, 50, 3), 127);
  EXPECT_EQ(PlusLineX(paCenter, false, 200, 10, 20, 50, 3), 67);
  EXPECT_EQ(PlusLineX(paRight, true, 200, 10, 20, 50, 3), 7);
}

}  // namespace
