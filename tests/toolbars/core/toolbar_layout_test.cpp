// The layout of a toolbar's children: one line docked or floating, centring, vertical docks, wrapping at groups
// and inside them, and the sizes of empty toolbars.
#include "toolbars/core/toolbar_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace tbr {
namespace {

ToolbarChild Button(int width = 23, int height = 22) {
  return ToolbarChild{false, width, height};
}

ToolbarChild Separator(bool blank = false, int sizeHorz = kDefaultSeparatorSize, int sizeVert = kDefaultSeparatorSize) {
  ToolbarChild child;
  child.Separator = true;
  child.SizeHorz = sizeHorz;
  child.SizeVert = sizeVert;
  child.Blank = blank;
  return child;
}

struct LayoutCase {
  const char* Name;
  std::vector<ToolbarChild> Children;
  TDockOrientation Orientation;
  int FloatRightX;
  int CentringSize;
  cl::TPoint Size;
  std::vector<cl::TRect> Bounds;
  std::vector<uint32_t> WrapLines;
};

class ToolbarLayoutTable : public testing::TestWithParam<LayoutCase> {};

TEST_P(ToolbarLayoutTable, PlacesTheChildren) {
  const LayoutCase& c = GetParam();
  const ToolbarLayout layout = LayoutToolbar(c.Children, c.Orientation, c.FloatRightX, c.CentringSize);
  EXPECT_EQ(layout.Size, c.Size);
  EXPECT_EQ(layout.Bounds, c.Bounds);
  EXPECT_EQ(layout.WrapLines, c.WrapLines);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ToolbarLayoutTable,
    testing::Values(
        // 4 + the lengths + 4 wide, 2 + thickness + 1 high.
        LayoutCase{"FloatingWithoutWrapWidthIsOneLine",
                   {Button(), Separator(), Button(), Button()},
                   doNone,
                   0,
                   22,
                   {83, 25},
                   {{4, 2, 27, 24}, {27, 2, 33, 24}, {33, 2, 56, 24}, {56, 2, 79, 24}},
                   {}},
        // No margins; controls centred in the row, rounding toward zero; the separator spans the row.
        LayoutCase{"DockedControlsAreCentredInTheRow",
                   {Button(23, 22), Separator(), Button(20, 19)},
                   doHorizontal,
                   0,
                   27,
                   {49, 22},
                   {{0, 2, 23, 24}, {23, 0, 29, 27}, {29, 4, 49, 23}},
                   {}},
        LayoutCase{"ADockedBarNeverWraps",
                   {Button(), Button(), Button()},
                   doHorizontal,
                   30,
                   22,
                   {69, 22},
                   {{0, 0, 23, 22}, {23, 0, 46, 22}, {46, 0, 69, 22}},
                   {}},
        // Along y, separators take SizeVert, the thickness is the widest control.
        LayoutCase{"VerticalDocksSwapTheDirections",
                   {Button(23, 22), Separator(false, 6, 4), Button(19, 22)},
                   doVertical,
                   0,
                   25,
                   {23, 48},
                   {{1, 0, 24, 22}, {0, 22, 25, 26}, {3, 26, 22, 48}},
                   {}},
        // Groups move to new lines T + 6 apart; the separator at each break has no width and leaves an entry.
        LayoutCase{"WrapsBetweenGroupsAtSeparators",
                   {Button(), Button(), Separator(), Button(), Button(), Separator(true), Button()},
                   doNone,
                   60,
                   22,
                   {54, 81},
                   {{4, 2, 27, 24},
                    {27, 2, 50, 24},
                    {50, 2, 50, 24},
                    {4, 30, 27, 52},
                    {27, 30, 50, 52},
                    {50, 30, 50, 52},
                    {4, 58, 27, 80}},
                   {30, 58 | kWrapLineBlank}},
        // A group too long for a line breaks inside at T, and the group after it starts a new line too.
        LayoutCase{"WrapsInsideAGroupThatDoesNotFit",
                   {Button(), Button(), Button(), Separator(), Button()},
                   doNone,
                   60,
                   22,
                   {54, 75},
                   {{4, 2, 27, 24}, {27, 2, 50, 24}, {4, 24, 27, 46}, {27, 24, 27, 46}, {4, 52, 27, 74}},
                   {52}},
        // The wrap width never drops below a control's width plus 8.
        LayoutCase{"AWideControlRaisesTheWrapWidth",
                   {Button(), Button(80, 22)},
                   doNone,
                   30,
                   22,
                   {88, 47},
                   {{4, 2, 27, 24}, {4, 24, 84, 46}},
                   {}},
        LayoutCase{"AnEmptyFloatingToolbarIs8LongPlusMargins", {}, doNone, 0, 8, {16, 11}, {}, {}},
        LayoutCase{"AnEmptyDockedToolbarIs8By8", {}, doHorizontal, 0, 8, {8, 8}, {}, {}}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.Name; });

TEST(ToolbarLayoutTest, ThicknessIsTheThickestControlButAtLeast8) {
  EXPECT_EQ(ToolbarThickness({Button(23, 22), Button(30, 19), Separator(false, 40, 40)}, doHorizontal), 22);
  EXPECT_EQ(ToolbarThickness({Button(23, 22), Button(30, 19)}, doVertical), 30);
  EXPECT_EQ(ToolbarThickness({Button(5, 5), Separator()}, doNone), kMinToolbarThickness);
  EXPECT_EQ(ToolbarThickness({}, doHorizontal), kMinToolbarThickness);
}

}  // namespace
}  // namespace tbr
