// The owner-drawn menu window's arithmetic: size, the row under a point, where the selection lands, and how a
// row paints under each highlight style.
#include "toolbars/core/menu_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace tbr::menus {
namespace {

MenuRow Item(int captionWidth, int shortCutWidth = 0) {
  return MenuRow{rkItem, 19, captionWidth, shortCutWidth};
}
MenuRow Separator() {
  return MenuRow{rkSeparator, 11, 0, 0};
}
MenuRow Unreadable() {
  return MenuRow{rkUnreadable, 0, 0, 0};
}

// Open, separator, Save (Ctrl+S), unreadable, Exit.
const std::vector<MenuRow> kRows = {Item(40), Separator(), Item(60, 30), Unreadable(), Item(50)};

TEST(MenuLayoutTest, SizeAddsRowsGapsIndentsAndEdges) {
  MenuLayoutOptions options;
  MenuLayout layout = LayOutMenu(kRows, options);
  EXPECT_EQ(layout.TextWidth, 60);
  EXPECT_EQ(layout.ContentWidth, 90);
  EXPECT_EQ(layout.ContentHeight, 19 + 11 + 19 + 19);
  EXPECT_EQ(layout.Width, 90 + 2 * 27 + 10);
  EXPECT_EQ(layout.Height, 68 + 6);

  options.ItemSpace = 2;
  options.TitleWidth = 50;
  layout = LayOutMenu(kRows, options);
  EXPECT_EQ(layout.ContentHeight, 2 + 68 + 4 * 2);
  EXPECT_EQ(layout.ContentWidth, 140);

  options = MenuLayoutOptions{};
  options.FitToBackground = true;
  options.BackgroundWidth = 300;
  options.BackgroundHeight = 200;
  layout = LayOutMenu(kRows, options);
  EXPECT_EQ(layout.ContentHeight, 197);
  EXPECT_EQ(layout.ContentWidth, 300 - (2 * 27 + 4));
  EXPECT_EQ(LayOutMenu({}, MenuLayoutOptions{}).Height, 6);
}

TEST(MenuLayoutTest, PointsFindTheirRowsAndMissEdgesGapsAndTitle) {
  MenuLayoutOptions options;
  options.ItemSpace = 2;
  // Rows start at 3 + 2: Open 5..23, gap, separator 26..36, gap, Save 39..57, gap, Exit 60..78.
  struct Case {
    int X, Y, Row;
  };
  for (const Case& c : std::vector<Case>{{60, 4, -1},
                                         {60, 5, 0},
                                         {60, 23, 0},
                                         {60, 24, -1},
                                         {60, 26, 1},
                                         {60, 39, 2},
                                         {60, 60, 4},
                                         {60, 78, 4},
                                         {60, 79, -1},
                                         {60, 200, -1}}) {
    EXPECT_EQ(MenuRowAtPoint(kRows, options, 200, c.X, c.Y), c.Row) << c.Y;
  }
  options.TitleWidth = 50;
  EXPECT_EQ(MenuRowAtPoint(kRows, options, 200, 50, 10), -1);
  EXPECT_EQ(MenuRowAtPoint(kRows, options, 200, 51, 10), 0);
  options.TitleAlign = alRight;
  EXPECT_EQ(MenuRowAtPoint(kRows, options, 200, 149, 10), 0);
  EXPECT_EQ(MenuRowAtPoint(kRows, options, 200, 150, 10), -1);
  EXPECT_EQ(MenuRowsHeightBefore(kRows, 4), 19 + 11 + 19);
  EXPECT_EQ(MenuRowsHeightBefore(kRows, -1), 0);
}

TEST(MenuLayoutTest, SelectionWrapsAndStepsOverSeparatorsBothWays) {
  const std::vector<MenuRow> rows = {Item(10), Separator(), Item(10), Item(10), Separator()};
  struct Case {
    int Requested, Previous, Expected;
  };
  for (const Case& c : std::vector<Case>{{4, 3, 0},   // Down from the last item over the trailing separator
                                         {5, 3, 0},   // past the end
                                         {-1, 0, 3},  // Up from the first: the last selectable
                                         {1, 0, 2},   // Down over a separator
                                         {1, 2, 0},   // Up over it
                                         {-1, 2, 3},  // -1 asked for: the last selectable
                                         {2, -1, 2}}) {
    EXPECT_EQ(ResolveMenuSelection(rows, c.Requested, c.Previous), c.Expected) << c.Requested << " from " << c.Previous;
  }
  // Nothing selectable, an empty menu, and a previous index the menu no longer has all end.
  EXPECT_EQ(ResolveMenuSelection({Separator(), Separator()}, 0, -1), -1);
  EXPECT_EQ(ResolveMenuSelection({}, -1, 0), -1);
  EXPECT_EQ(ResolveMenuSelection({Separator(), Unreadable()}, 0, 7), -1);
}

TEST(MenuLayoutTest, SmallMouseMovesAreJitter) {
  EXPECT_TRUE(IsMenuMouseJitter(cl::Point(10, 10), cl::Point(12, 12)));
  EXPECT_TRUE(IsMenuMouseJitter(cl::Point(10, 10), cl::Point(8, 8)));
  EXPECT_FALSE(IsMenuMouseJitter(cl::Point(10, 10), cl::Point(13, 10)));
  EXPECT_FALSE(IsMenuMouseJitter(cl::Point(10, 10), cl::Point(10, 13)));
}

TEST(MenuLayoutTest, RowPaintFollowsStateAndHighlightStyle) {
  // x0 50 (a left title), right 250, caption column 60, indent 27.
  auto paint = [](MenuRowState row, THighlight highlight) {
    return DecideMenuRowPaint(row, highlight, 50, 250, 60, 27);
  };
  const MenuRowState selected{true, false, true, false};
  MenuRowPaint p = paint(selected, hiDefault);
  EXPECT_TRUE(p.HighlightFilled);
  EXPECT_EQ(p.FillRight, 247);
  EXPECT_EQ(p.Text, crHighlightText);
  EXPECT_EQ(p.Arrow, crHighlightText);
  EXPECT_FALSE(p.TextShadow);

  p = paint(selected, hiRectangle);
  EXPECT_EQ(p.FillRight, 50 + 60 + 54);  // counted from the rows' left, after the title

  p = paint(selected, hiHyperlink);
  EXPECT_FALSE(p.HighlightFilled);
  EXPECT_TRUE(p.Underline);
  EXPECT_EQ(p.Text, crHighlight);
  EXPECT_EQ(paint(selected, hiBevelLowered).Bevel, rbLowered);
  EXPECT_EQ(paint(selected, hiShining).Bevel, rbRaised);

  // A disabled row: highlighted only when the keyboard chose it; its shadow only when not.
  const MenuRowState disabledByMouse{true, false, false, false};
  p = paint(disabledByMouse, hiDefault);
  EXPECT_FALSE(p.Highlighted);
  EXPECT_EQ(p.Text, crDisabledText);
  EXPECT_TRUE(p.TextShadow);
  EXPECT_FALSE(p.ArrowShadow);
  const MenuRowState disabledByKeyboard{true, false, false, true};
  p = paint(disabledByKeyboard, hiDefault);
  EXPECT_TRUE(p.Highlighted);
  EXPECT_FALSE(p.TextShadow);
  p = paint(MenuRowState{false, false, false, false}, hiDefault);
  EXPECT_TRUE(p.TextShadow);
  EXPECT_TRUE(p.ArrowShadow);

  EXPECT_FALSE(paint(MenuRowState{true, true, true, false}, hiDefault).Highlighted);
  p = paint(MenuRowState{}, hiDefault);
  EXPECT_FALSE(p.Highlighted);
  EXPECT_EQ(p.Text, crMenuText);
}

TEST(MenuLayoutTest, PartialPaintsDrawOnlyTheRowsWhoseSelectionChanged) {
  EXPECT_TRUE(MenuRowNeedsPaint(true, 5, 1, 1));
  EXPECT_TRUE(MenuRowNeedsPaint(false, 1, 1, 2));
  EXPECT_TRUE(MenuRowNeedsPaint(false, 2, 1, 2));
  EXPECT_FALSE(MenuRowNeedsPaint(false, 3, 1, 2));
  EXPECT_FALSE(MenuRowNeedsPaint(false, 1, 1, 1));
  EXPECT_EQ(MenuBufferSource(cl::Point(100, 80), cl::Point(40, 30), false, false), cl::Point(60, 50));
  EXPECT_EQ(MenuBufferSource(cl::Point(100, 80), cl::Point(40, 30), true, true), cl::Point(0, 0));
}

}  // namespace
}  // namespace tbr::menus
