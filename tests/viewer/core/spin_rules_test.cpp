// The spin edits' value rules and button geometry.
#include "viewer/core/spin_rules.h"

#include <gtest/gtest.h>

#include "viewer/core/spin_geometry.h"

namespace viewer {
namespace {

TEST(SpinRules, IntegerTextReadsAndNormalises) {
  struct Case {
    const char* Text;
    const char* Suffix;
    int Min;
    int Value;
    const char* Shown;
  } cases[] = {{"12%", "%", 0, 12, "12%"}, {"1 2 px", "px", 0, 12, "12px"}, {"abc", "%", 5, 5, "5%"},
               {"", "%", 5, 5, "5%"},      {"+-3", "%", 1, 1, "1%"},        {"", "", 3, 3, "3"},
               {"x", "", 3, 3, "3"},       {" 12", "", 0, 12, " 12"},       {"$10", "", 0, 16, "$10"}};
  for (const Case& c : cases) {
    const SpinReading reading = ReadSpinText(c.Text, c.Suffix, c.Min);
    EXPECT_EQ(reading.Value, c.Value) << c.Text;
    EXPECT_EQ(reading.Text, c.Shown) << c.Text;
  }
}

TEST(SpinRules, WrittenValuesAreClampedUnlessTheBoundsAreEqual) {
  EXPECT_EQ(SpinText(95 + 10, 0, 100, ""), "100");
  EXPECT_EQ(SpinText(-4, 0, 100, " %"), "0 %");
  EXPECT_EQ(SpinText(500, 0, 0, ""), "500");
  EXPECT_EQ(GlyphSpinText(-150, vtInteger, 2, -100, 100), "-100");
  EXPECT_EQ(GlyphSpinText(7, vtInteger, 2, 0, 0), "7");
}

TEST(SpinRules, DecimalsShowTheirDigitsAndIntegersRoundHalvesToEven) {
  EXPECT_EQ(GlyphSpinText(1.5L, vtFloat, 2, 0, 0), "1.50");
  EXPECT_EQ(GlyphSpinText(-0.125L, vtFloat, 1, -1, 1), "-0.1");
  EXPECT_EQ(GlyphSpinText(2.5L, vtInteger, 2, 0, 0), "2");
  EXPECT_EQ(GlyphSpinText(3.5L, vtInteger, 2, 0, 0), "4");
  EXPECT_EQ(ReadGlyphSpinText("2.25", vtFloat, 0), 2.25L);
  // Bad text reads as the lower bound, truncated for integers.
  EXPECT_EQ(ReadGlyphSpinText("x", vtFloat, -7.5L), -7.5L);
  EXPECT_EQ(ReadGlyphSpinText("x", vtInteger, -7.5L), -7.0L);
  EXPECT_EQ(ReadGlyphSpinText("2.5", vtInteger, 1), 1.0L);
}

TEST(SpinRules, TypedCharactersAndWheelSteps) {
  for (char c : {'0', '9', '+', '-', '\b', '\r'}) EXPECT_TRUE(IsValidSpinChar(c, true, 0)) << int(c);
  for (char c : {'a', ' ', '.', '\xE9'}) EXPECT_FALSE(IsValidSpinChar(c, true, 0)) << int(c);
  EXPECT_TRUE(IsValidSpinChar('.', true, '.'));
  // With the editor off only control characters other than backspace pass.
  EXPECT_FALSE(IsValidSpinChar('5', false, 0));
  EXPECT_FALSE(IsValidSpinChar('\b', false, 0));
  EXPECT_TRUE(IsValidSpinChar('\r', false, 0));
  EXPECT_EQ(WheelStep(120), 1);
  EXPECT_EQ(WheelStep(-240), -1);
  // Less than a notch moves nothing, in either direction.
  EXPECT_EQ(WheelStep(60), 0);
  EXPECT_EQ(WheelStep(-60), 0);
}

TEST(SpinGeometry, TheDiagonalSplitsTheButton) {
  EXPECT_TRUE(InLowerHalf(15, 15, 20, 20));
  EXPECT_FALSE(InLowerHalf(2, 2, 20, 20));
  EXPECT_FALSE(InLowerHalf(10, 10, 20, 20));  // on the diagonal: the top half
  EXPECT_TRUE(InLowerHalf(11, 10, 20, 20));
  EXPECT_TRUE(InLowerHalf(30, 2, 40, 10));  // wide: the diagonal is flat
  EXPECT_FALSE(InLowerHalf(5, 5, 20, 0));
}

TEST(SpinGeometry, ArrowsAreRowsOfLines) {
  const std::vector<ArrowLine> up = ArrowLines(0, 0, false, 3);
  ASSERT_EQ(up.size(), 3u);
  EXPECT_EQ(up[0].From, cl::Point(1, 0));
  EXPECT_EQ(up[0].To, cl::Point(2, 0));
  EXPECT_EQ(up[2].From, cl::Point(-1, 2));
  EXPECT_EQ(up[2].To, cl::Point(4, 2));
  const std::vector<ArrowLine> down = ArrowLines(10, 20, true, 3);
  ASSERT_EQ(down.size(), 3u);
  EXPECT_EQ(down[0].From, cl::Point(10, 20));
  EXPECT_EQ(down[0].To, cl::Point(15, 20));
  EXPECT_EQ(down[1].To, cl::Point(14, 21));
  EXPECT_EQ(down[2].From, cl::Point(12, 22));
  EXPECT_EQ(down[2].To, cl::Point(13, 22));
  EXPECT_TRUE(ArrowLines(0, 0, false, 1).empty());
  EXPECT_TRUE(ArrowLines(0, 0, true, 16).empty());
}

TEST(SpinGeometry, ArrowsAndGlyphsSitInTheirHalves) {
  EXPECT_EQ(UpArrowOrigin(20, 20, false), cl::Point(4, 4));
  EXPECT_EQ(UpArrowOrigin(20, 20, true), cl::Point(5, 5));
  EXPECT_EQ(DownArrowOrigin(20, 20, false), cl::Point(12, 12));
  EXPECT_EQ(DownArrowOrigin(20, 20, true), cl::Point(11, 11));
  EXPECT_EQ(UpArrowOrigin(15, 15, false), cl::Point(3, 3));  // 1.75 rounds to 2
  EXPECT_EQ(DownArrowOrigin(15, 15, false), cl::Point(8, 8));
  // Halves round to even: 2.5 -> 2, 3.5 -> 4, 12.5 -> 12, 13.5 -> 14.
  EXPECT_EQ(UpGlyphOrigin(20, 20, 5, 3, false), cl::Point(3, 5));
  EXPECT_EQ(UpGlyphOrigin(20, 20, 5, 3, true), cl::Point(4, 6));
  EXPECT_EQ(DownGlyphOrigin(20, 20, 5, 3), cl::Point(11, 13));
}

TEST(SpinGeometry, EditLayout) {
  EXPECT_EQ(SpinMinHeight(13, 16, 4), 20);
  EXPECT_EQ(SpinMinHeight(20, 16, 5), 29);
  const SpinBoxLayout layout = LayoutSpinBox(100, 24, 96, 20, 4);
  EXPECT_EQ(layout.Button, cl::Bounds(76, 0, 20, 20));
  EXPECT_EQ(layout.Format, cl::Rect(0, 0, 74, 21));
}

}  // namespace
}  // namespace viewer
