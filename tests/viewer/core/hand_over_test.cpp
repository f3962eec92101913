#include "viewer/core/hand_over.h"

#include <gtest/gtest.h>

namespace viewer {
namespace {

TEST(HandOver, EveryParameterIsFollowedByOneBlank) {
  EXPECT_EQ(HandOverValue({"C:\\a.bmp"}), "C:\\a.bmp ");
  EXPECT_EQ(HandOverValue({"a.bmp", "b.bmp"}), "a.bmp b.bmp ");
}

TEST(HandOver, NothingIsStoredWhenTheFirstParameterIsEmpty) {
  EXPECT_EQ(HandOverValue({}), "");
  EXPECT_EQ(HandOverValue({"", "b.bmp"}), "");
}

TEST(HandOver, TheRunningInstanceOpensTheTrimmedValueAsOneName) {
  EXPECT_EQ(HandOverFileName("C:\\My Pictures\\a b.jpg "), "C:\\My Pictures\\a b.jpg");
  EXPECT_EQ(HandOverFileName("a.bmp b.bmp "), "a.bmp b.bmp");
  EXPECT_EQ(HandOverFileName("   "), "");
}

TEST(CommandLine, AnUnquotedPathWithBlanksIsJoinedAgain) {
  EXPECT_EQ(CommandLineFileName({"C:\\My", "Pictures\\a", "b.jpg"}), "C:\\My Pictures\\a b.jpg");
  EXPECT_EQ(CommandLineFileName({"C:\\a.bmp"}), "C:\\a.bmp");
  EXPECT_EQ(CommandLineFileName({}), "");
  EXPECT_EQ(CommandLineFileName({"", "x"}), "");
}

}  // namespace
}  // namespace viewer
