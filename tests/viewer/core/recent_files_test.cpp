#include "viewer/core/recent_files.h"

#include <gtest/gtest.h>

namespace viewer {
namespace {

const RecentFiles kFull{"a", "b", "c", "d", "e"};

TEST(RecentFiles, NewNamePushesEveryItemDownAndTheLastDropsOut) {
  RecentFiles items = kFull;
  UpdateRecentFiles(items, "new");
  EXPECT_EQ(items, (RecentFiles{"new", "a", "b", "c", "d"}));
}

TEST(RecentFiles, KnownNameMovesFirstAndOnlyTheItemsAboveItMoveDown) {
  RecentFiles items = kFull;
  UpdateRecentFiles(items, "c");
  EXPECT_EQ(items, (RecentFiles{"c", "a", "b", "d", "e"}));
  UpdateRecentFiles(items, "c");
  EXPECT_EQ(items, (RecentFiles{"c", "a", "b", "d", "e"}));
  UpdateRecentFiles(items, "e");
  EXPECT_EQ(items, (RecentFiles{"e", "c", "a", "b", "d"}));
}

TEST(RecentFiles, NamesDifferingInCaseAreDifferentEntries) {
  RecentFiles items = kFull;
  UpdateRecentFiles(items, "C");
  EXPECT_EQ(items, (RecentFiles{"C", "a", "b", "c", "d"}));
}

TEST(RecentFiles, FillsAnEmptyListFromTheTop) {
  RecentFiles items;
  UpdateRecentFiles(items, "x");
  UpdateRecentFiles(items, "y");
  EXPECT_EQ(items, (RecentFiles{"y", "x", "", "", ""}));
}

TEST(RecentFiles, UntitledWindowsAndErrorAreNotEntered) {
  EXPECT_TRUE(EntersRecentFiles("C:\\p\\a.bmp", "C:\\p\\a.bmp"));
  EXPECT_FALSE(EntersRecentFiles("Untitled2", "Untitled2"));
  EXPECT_FALSE(EntersRecentFiles("Error", "Error"));
  EXPECT_TRUE(EntersRecentFiles("error", "error"));
}

TEST(RecentFiles, ValueNamesAreLast1ToLast5) {
  EXPECT_EQ(RecentFileValueName(0), "last1");
  EXPECT_EQ(RecentFileValueName(4), "last5");
}

}  // namespace
}  // namespace viewer
