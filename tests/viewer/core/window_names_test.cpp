#include "viewer/core/window_names.h"

#include <gtest/gtest.h>

namespace viewer {
namespace {

TEST(WindowNames, NewWindowsCountTheUntitledOnesIncludingThemselves) {
  EXPECT_EQ(UntitledCaption({"Untitled"}), "Untitled1");
  EXPECT_EQ(UntitledCaption({"Untitled1", "Untitled"}), "Untitled2");
  EXPECT_EQ(UntitledCaption({"Untitled1", "C:\\a.bmp", "Untitled2", "Untitled"}), "Untitled3");
}

TEST(WindowNames, NamesRepeatAfterAWindowClosed) {
  // Untitled2 of Untitled1..3 closed: the next window counts three untitled ones again.
  EXPECT_EQ(UntitledCaption({"Untitled1", "Untitled3", "Untitled"}), "Untitled3");
}

TEST(WindowNames, OnlyTheFirstEightCharactersCount) {
  EXPECT_TRUE(IsUntitledCaption("Untitled.bmp"));
  EXPECT_FALSE(IsUntitledCaption("untitled1"));
  EXPECT_FALSE(IsUntitledCaption("Untitle"));
  EXPECT_FALSE(IsUntitledCaption("C:\\Untitled1.bmp"));
}

}  // namespace
}  // namespace viewer
