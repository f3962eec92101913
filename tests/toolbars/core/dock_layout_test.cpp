// The row layout of a dock and its row lookups.
#include "toolbars/core/dock_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace tbr {
namespace {

DockedBar Bar(int id, int row, int pos, int length, int thickness = 22, bool fullSize = false) {
  return DockedBar{id, row, pos, fullSize, length, thickness};
}

struct Placed {
  int Id;
  int Row;
  int Pos;
  cl::TRect Bounds;
  bool operator==(const Placed&) const = default;
};

std::vector<Placed> Places(const DockLayout& layout) {
  std::vector<Placed> places;
  for (size_t i = 0; i < layout.Bars.size(); ++i) {
    const DockedBar& bar = layout.Bars[i];
    places.push_back(Placed{bar.Id, bar.Row, bar.Pos, layout.Bounds[i]});
  }
  return places;
}

struct LayoutCase {
  const char* Name;
  std::vector<DockedBar> Bars;
  int ClientLength;
  bool LimitToOneRow;
  std::vector<Placed> Expected;  // in the new list order
  std::vector<int> RowSizes;
};

class DockLayoutTableTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(DockLayoutTableTest, PlacesBarsInRows) {
  const LayoutCase& c = GetParam();
  const DockLayout layout = LayoutDock(c.Bars, doHorizontal, c.ClientLength, c.LimitToOneRow);
  EXPECT_EQ(Places(layout), c.Expected);
  EXPECT_EQ(layout.RowSizes, c.RowSizes);
  int thickness = 0;
  for (int size : c.RowSizes) thickness += size + kRowGap;
  EXPECT_EQ(layout.ClientThickness, thickness);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DockLayoutTableTest,
    testing::Values(LayoutCase{"OverlappingBarsEndUpSideBySideSmallerPosFirst",
                               {Bar(1, 0, 30, 40), Bar(2, 0, 10, 50)},
                               500,
                               false,
                               {{2, 0, 10, cl::Bounds(10, 0, 50, 26)}, {1, 0, 60, cl::Bounds(60, 0, 40, 26)}},
                               {22}},
                    LayoutCase{"UnplacedBarsStartAtZero",
                               {Bar(1, 0, -1, 40), Bar(2, 1, -1, 30, 30)},
                               500,
                               false,
                               {{1, 0, 0, cl::Bounds(0, 0, 40, 26)}, {2, 1, 0, cl::Bounds(0, 26, 30, 34)}},
                               {22, 30}},
                    LayoutCase{"AFullSizeBarTakesARowOfItsOwnAtZeroAndTheFullLength",
                               {Bar(1, 0, 0, 50), Bar(2, 0, 100, 30, 22, true), Bar(3, 1, 0, 20)},
                               300,
                               false,
                               {{1, 1, 0, cl::Bounds(0, 26, 50, 26)},
                                {2, 0, 0, cl::Bounds(0, 0, 300, 26)},
                                {3, 2, 0, cl::Bounds(0, 52, 20, 26)}},
                               {22, 22, 22}},
                    LayoutCase{"BarsTooLongForTheDockKeepTheirOrderPackedFromZero",
                               {Bar(1, 0, 0, 100), Bar(2, 0, 150, 100)},
                               180,
                               false,
                               {{1, 0, 0, cl::Bounds(0, 0, 100, 26)}, {2, 0, 100, cl::Bounds(100, 0, 100, 26)}},
                               {22}},
                    LayoutCase{"ARowRunningPastTheEndMovesBackByItsOverflow",
                               {Bar(1, 0, 100, 50), Bar(2, 0, 200, 50)},
                               220,
                               false,
                               {{1, 0, 70, cl::Bounds(70, 0, 50, 26)}, {2, 0, 170, cl::Bounds(170, 0, 50, 26)}},
                               {22}},
                    LayoutCase{"ThinBarsMakeRowsOfTheMinimumSize",
                               {Bar(1, 0, 0, 20, 3)},
                               100,
                               false,
                               {{1, 0, 0, cl::Bounds(0, 0, 20, 12)}},
                               {8}},
                    LayoutCase{"LimitToOneRowPutsEveryBarInRowZero",
                               {Bar(1, 0, 0, 40), Bar(2, 2, 0, 40)},
                               500,
                               true,
                               {{1, 0, 0, cl::Bounds(0, 0, 40, 26)}, {2, 0, 40, cl::Bounds(40, 0, 40, 26)}},
                               {22}},
                    // One pass closes one of two blank rows next to each other; the other waits for the next layout.
                    LayoutCase{"OfTwoAdjacentBlankRowsOneIsLeft",
                               {Bar(1, 0, 0, 40), Bar(2, 3, 0, 40)},
                               500,
                               false,
                               {{1, 0, 0, cl::Bounds(0, 0, 40, 26)}, {2, 2, 0, cl::Bounds(0, 38, 40, 26)}},
                               {22, 8, 22}}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.Name; });

TEST(DockLayoutTest, VerticalDocksLayRowsSideBySide) {
  const DockLayout layout = LayoutDock({Bar(1, 0, 5, 60, 24), Bar(2, 1, 0, 40, 10, true)}, doVertical, 200, false);
  EXPECT_EQ(layout.Bounds[0], cl::Bounds(0, 5, 28, 60));
  EXPECT_EQ(layout.Bounds[1], cl::Bounds(28, 0, 14, 200));
  EXPECT_EQ(layout.ClientThickness, 42);
}

TEST(DockLayoutTest, AnEmptyDockHasNoRows) {
  const DockLayout layout = LayoutDock({}, doHorizontal, 100, false);
  EXPECT_TRUE(layout.RowSizes.empty());
  EXPECT_EQ(layout.ClientThickness, 0);
}

TEST(DockRowLookupTest, RowAtOffsetFindsTheBandOfAnOffset) {
  const std::vector<int> rows{20, 8};  // bands [0, 24) and [24, 36)
  EXPECT_EQ(RowAtOffset(rows, 0), 0);
  EXPECT_EQ(RowAtOffset(rows, 23), 0);
  EXPECT_EQ(RowAtOffset(rows, 24), 1);
  EXPECT_EQ(RowAtOffset(rows, 35), 1);
  EXPECT_EQ(RowAtOffset(rows, 36), 2);
  EXPECT_EQ(RowAtOffset({}, 50), 0);
}

TEST(DockRowLookupTest, RowForDropOpensRowsAtTheSeams) {
  const std::vector<int> rows{20, 8};  // row 0 from 0 to 24, row 1 from 24 to 36
  struct Drop {
    int Pos;
    int Row;
    bool NewRow;
  };
  for (const Drop& d : {Drop{5, 0, true}, Drop{6, 0, false}, Drop{19, 0, false}, Drop{20, 1, true}, Drop{29, 1, true},
                        Drop{30, 1, false}, Drop{31, 1, false}, Drop{32, 2, true}, Drop{41, 2, true},
                        Drop{42, 2, false}, Drop{400, 2, false}}) {
    const DropRow drop = RowForDrop(rows, d.Pos);
    EXPECT_EQ(drop.Row, d.Row) << d.Pos;
    EXPECT_EQ(drop.NewRow, d.NewRow) << d.Pos;
  }
  EXPECT_TRUE(RowForDrop({}, 5).NewRow);
  EXPECT_FALSE(RowForDrop({}, 6).NewRow);
  EXPECT_EQ(RowForDrop({}, 6).Row, 0);
}

TEST(TileStartTest, StartsAtTheLastTileBeforeTheClipInTheOriginsPhase) {
  EXPECT_EQ(TileStart(-10, 16, 35), 22);
  EXPECT_EQ(TileStart(-10, 16, 22), 22);
  EXPECT_EQ(TileStart(0, 1, 1000), 1000);
  EXPECT_EQ(TileStart(10, 16, 3), 10);  // nothing is tiled before the origin
  EXPECT_EQ(TileStart(10, 0, 300), 10);
}

}  // namespace
}  // namespace tbr
