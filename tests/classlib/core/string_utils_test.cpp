// 1-based string routines, trimming, ASCII comparisons and the ShortString cut.
#include "classlib/core/string_utils.h"

#include <gtest/gtest.h>

namespace {

TEST(StringUtilsTest, PosCountsFromOneAndGivesZeroWhenAbsent) {
  EXPECT_EQ(cl::Pos("b", "abcb"), 2);
  EXPECT_EQ(cl::Pos("x", "abc"), 0);
  EXPECT_EQ(cl::Pos("", "abc"), 0);
  EXPECT_EQ(cl::Pos("abcd", "abc"), 0);
}

TEST(StringUtilsTest, CopyClampsIndexAndCount) {
  EXPECT_EQ(cl::Copy("abcdef", 2, 3), "bcd");
  EXPECT_EQ(cl::Copy("abcdef", 0, 2), "ab");
  EXPECT_EQ(cl::Copy("abcdef", -5, 2), "ab");
  EXPECT_EQ(cl::Copy("abcdef", 5, 100), "ef");
  EXPECT_EQ(cl::Copy("abcdef", 7, 1), "");
  EXPECT_EQ(cl::Copy("abcdef", 2, -1), "");
  EXPECT_EQ(cl::Copy("abc", 2, 2147483647), "bc");
}

TEST(StringUtilsTest, DeleteAndInsertFollowTheirIndexRules) {
  std::string s = "abcdef";
  cl::Delete(s, 2, 2);
  EXPECT_EQ(s, "adef");
  cl::Delete(s, 0, 2);
  cl::Delete(s, 5, 1);
  EXPECT_EQ(s, "adef");
  cl::Delete(s, 3, 100);
  EXPECT_EQ(s, "ad");
  cl::Insert("XY", s, 2);
  EXPECT_EQ(s, "aXYd");
  cl::Insert("<", s, -3);
  cl::Insert(">", s, 100);
  EXPECT_EQ(s, "<aXYd>");
}

TEST(StringUtilsTest, StringReplaceReplacesEveryOccurrenceWithoutRescanning) {
  EXPECT_EQ(cl::StringReplace("Cannot create file 'C:\\~save1.jpg'", "C:\\~save1.jpg", "C:\\a.jpg"),
            "Cannot create file 'C:\\a.jpg'");
  EXPECT_EQ(cl::StringReplace("aXbXc", "X", "XX"), "aXXbXXc");
  EXPECT_EQ(cl::StringReplace("abc", "x", "y"), "abc");
  EXPECT_EQ(cl::StringReplace("abc", "", "y"), "abc");
  EXPECT_EQ(cl::StringReplace("aaa", "A", "b"), "aaa");
}

TEST(StringUtilsTest, TrimRemovesControlCharactersAndBlanksOnly) {
  EXPECT_EQ(cl::Trim(" \t\r\n a b \x01"), "a b");
  EXPECT_EQ(cl::TrimLeft("  a "), "a ");
  EXPECT_EQ(cl::TrimRight("  a "), "  a");
  EXPECT_EQ(cl::Trim("\xE9t\xE9"), "\xE9t\xE9");  // bytes above 127 are not blanks
  EXPECT_EQ(cl::Trim("   "), "");
}

TEST(StringUtilsTest, CaseRoutinesAreAsciiOnly) {
  EXPECT_EQ(cl::UpperCase("abc.jpg\xE9"), "ABC.JPG\xE9");
  EXPECT_EQ(cl::LowerCase("ABC\xC9"), "abc\xC9");
  EXPECT_TRUE(cl::SameText("Image.GIF", "image.gif"));
  EXPECT_FALSE(cl::SameText("a", "ab"));
  EXPECT_EQ(cl::CompareText("abc", "ABC"), 0);
  EXPECT_LT(cl::CompareText("a", "B"), 0);
  EXPECT_GT(cl::CompareStr("a", "B"), 0);
  EXPECT_LT(cl::CompareText("ab", "abc"), 0);
  // '_' lies between the upper and lower case letters: text comparison sorts it after letters.
  EXPECT_LT(cl::CompareText("a", "_"), 0);
}

TEST(StringUtilsTest, IsAccelFindsTheCharacterAfterTheFirstSingleAmpersand) {
  EXPECT_TRUE(cl::IsAccel('o', "&Open..."));
  EXPECT_TRUE(cl::IsAccel('O', "&open"));
  EXPECT_TRUE(cl::IsAccel('x', "E&xit"));
  EXPECT_FALSE(cl::IsAccel('e', "E&xit"));
  EXPECT_FALSE(cl::IsAccel('&', "A&&B"));  // a doubled '&' is a plain one
  EXPECT_TRUE(cl::IsAccel('b', "A&&&B"));
  EXPECT_FALSE(cl::IsAccel('a', "Paste"));
  EXPECT_FALSE(cl::IsAccel('a', "Trailing&"));
}

TEST(StringUtilsTest, ShortStrCutsAt255Characters) {
  EXPECT_EQ(cl::ShortStr(std::string(300, 'x')).size(), 255u);
  EXPECT_EQ(cl::ShortStr(".tif"), ".tif");
}

}  // namespace
