// The running instance's side of the hand-over: the poll takes what a second instance left in "ToOpen".
#include <gtest/gtest.h>

#include "viewer/settings.h"

namespace viewer {
namespace {

TEST(HandOverPoll, TakesTheTrimmedValueOnceAndClearsIt) {
  cl::TRegistry settings;
  OpenSettings(settings);
  settings.WriteString(kToOpenValue, "C:\\My Pictures\\a b.png ");
  EXPECT_EQ(TakeHandOver(settings), "C:\\My Pictures\\a b.png");
  EXPECT_EQ(settings.ReadString(kToOpenValue), "");
  EXPECT_EQ(TakeHandOver(settings), std::nullopt);
}

TEST(HandOverPoll, SeveralNamesArriveAsOneName) {
  cl::TRegistry settings;
  OpenSettings(settings);
  settings.WriteString(kToOpenValue, "C:\\a.bmp C:\\b.bmp ");
  EXPECT_EQ(TakeHandOver(settings), "C:\\a.bmp C:\\b.bmp");
}

}  // namespace
}  // namespace viewer
