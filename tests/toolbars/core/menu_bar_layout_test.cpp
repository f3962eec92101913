// The menu bar's button sizes, orientation, menu point, spacer, image turn, the merge of an MDI child's menu by
// group and the detection of MDI child changes.
#include <gtest/gtest.h>

#include <vector>

#include "toolbars/core/menu_bar_layout.h"

namespace tbr::menus {
namespace {

TEST(MenuBarLayoutTest, ButtonSizes) {
  struct Case {
    cl::TPoint Caption;
    int GlyphHeight;
    bool MDI;
    bool SideDock;
    cl::TPoint Size;
  };
  for (const Case& c : std::vector<Case>{{{20, 13}, 0, false, false, {36, 19}},
                                         {{20, 13}, 16, false, false, {52, 19}},
                                         {{20, 13}, 0, false, true, {19, 36}},
                                         {{20, 13}, 16, true, false, {20, 19}},
                                         {{20, 13}, 0, true, true, {19, 20}}}) {
    EXPECT_EQ(MenuBarButtonSize(c.Caption, c.GlyphHeight, c.MDI, c.SideDock), c.Size)
        << c.Caption.X << " " << c.GlyphHeight << " " << c.MDI << " " << c.SideDock;
  }
}

TEST(MenuBarLayoutTest, VerticalWhenAskedOrNarrowerThanHigh) {
  EXPECT_TRUE(IsVerticalButton(orVertical, 50, 20));
  EXPECT_TRUE(IsVerticalButton(orAutomatic, 19, 36));
  EXPECT_FALSE(IsVerticalButton(orAutomatic, 20, 20));
  EXPECT_FALSE(IsVerticalButton(orHorizontal, 19, 36));
}

TEST(MenuBarLayoutTest, MenusOpenBelowOrBeside) {
  const cl::TPoint below{0, 19};
  const cl::TPoint beside{40, 0};
  struct Case {
    bool Docked;
    bool SideDock;
    cl::TRect Button;
    cl::TPoint Bar;
    cl::TPoint Point;
  };
  for (const Case& c : std::vector<Case>{{true, false, cl::Bounds(50, 0, 40, 19), {600, 19}, below},
                                         {true, true, cl::Bounds(0, 50, 40, 19), {40, 300}, beside},
                                         // Floating: on a one-line bar the menu opens below.
                                         {false, false, cl::Bounds(50, 0, 40, 19), {200, 19}, below},
                                         // On a narrow column of buttons the upper ones open beside.
                                         {false, false, cl::Bounds(0, 0, 40, 19), {79, 80}, beside},
                                         // ... not when the bar is wide enough for a second button to the right,
                                         {false, false, cl::Bounds(0, 0, 40, 19), {80, 80}, below},
                                         // ... nor for the button on the last line.
                                         {false, false, cl::Bounds(0, 61, 40, 19), {79, 80}, below},
                                         {false, false, cl::Bounds(0, 36, 40, 19), {79, 80}, below},
                                         {false, false, cl::Bounds(0, 35, 40, 19), {79, 80}, beside}}) {
    EXPECT_EQ(MenuBarPopupPoint({c.Docked, c.SideDock, c.Button, c.Bar}), c.Point)
        << c.Docked << c.SideDock << " " << c.Button.Top << " " << c.Bar.X;
  }
}

TEST(MenuBarLayoutTest, SpacerFillsTheRestAndNeverGoesNegative) {
  EXPECT_EQ(MenuBarSpacerWidth(600, 300), 287);
  EXPECT_EQ(MenuBarSpacerWidth(313, 300), 0);
  EXPECT_EQ(MenuBarSpacerWidth(200, 300), 0);
}

TEST(MenuBarLayoutTest, ImageTurnsAQuarter) {
  // A 4-high image: the top-left pixel goes to the right end of the first row, the bottom-left to its start.
  EXPECT_EQ(RotatedPixel(0, 0, 4), cl::Point(3, 0));
  EXPECT_EQ(RotatedPixel(0, 3, 4), cl::Point(0, 0));
  EXPECT_EQ(RotatedPixel(5, 1, 4), cl::Point(2, 5));
}

TEST(MenuBarLayoutTest, ChildGroupsReplaceTheFramesGroups) {
  // Frame: File (0), View (0), Window (1, hidden), Help (9). Child: Edit (0), Image (5).
  const std::vector<MenuBarItem> frame{{0, true}, {0, true}, {1, false}, {9, true}};
  const std::vector<MenuBarItem> child{{5, true}, {0, true}};
  EXPECT_EQ(MergeMenuBarItems(frame, nullptr), (std::vector<MenuBarEntry>{{false, 0}, {false, 1}, {false, 3}}));
  EXPECT_EQ(MergeMenuBarItems(frame, &child), (std::vector<MenuBarEntry>{{true, 1}, {true, 0}, {false, 3}}));
  // A group the child has only hidden items of still gives way.
  const std::vector<MenuBarItem> hiddenChild{{9, false}};
  EXPECT_EQ(MergeMenuBarItems(frame, &hiddenChild), (std::vector<MenuBarEntry>{{false, 0}, {false, 1}}));
  // Frame items show in group order.
  EXPECT_EQ(MergeMenuBarItems({{3, true}, {1, true}}, nullptr), (std::vector<MenuBarEntry>{{false, 1}, {false, 0}}));
}

TEST(MenuBarLayoutTest, MDIChildChanges) {
  int menuA = 0;
  int menuB = 0;
  struct Case {
    MDIChildView Now;
    MDIChildView Remembered;
    bool State;
    bool Menu;
  };
  for (const Case& c :
       std::vector<Case>{{{true, &menuA}, {false, &menuA}, true, false},    // maximised
                         {{false, &menuA}, {true, &menuA}, true, false},    // restored or minimised
                         {{false, &menuB}, {false, &menuA}, false, true},   // another child, another menu
                         {{false, nullptr}, {true, &menuA}, true, true},    // the maximised child closed
                         {{false, nullptr}, {false, &menuA}, false, true},  // the last child closed: its menu goes
                         {{false, nullptr}, {false, nullptr}, false, false}}) {
    const MDIChildChange change = DetectMDIChildChange(c.Now, c.Remembered);
    EXPECT_EQ(change.State, c.State);
    EXPECT_EQ(change.Menu, c.Menu);
  }
}

}  // namespace
}  // namespace tbr::menus
