// File-name routines with Windows delimiters, and the command-line rules.
#include "classlib/core/paths.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "classlib/core/command_line.h"

namespace {

using testing::ElementsAre;

TEST(PathsTest, SplitsAtBackslashAndColonOnly) {
  EXPECT_EQ(cl::ExtractFilePath("C:\\Images\\cat.gif"), "C:\\Images\\");
  EXPECT_EQ(cl::ExtractFileName("C:\\Images\\cat.gif"), "cat.gif");
  EXPECT_EQ(cl::ExtractFilePath("C:cat.gif"), "C:");
  EXPECT_EQ(cl::ExtractFileName("C:cat.gif"), "cat.gif");
  EXPECT_EQ(cl::ExtractFilePath("cat.gif"), "");
  EXPECT_EQ(cl::ExtractFilePath("a/b/cat.gif"), "");  // '/' is no delimiter
  EXPECT_EQ(cl::ExtractFileName("C:\\Images\\"), "");
}

TEST(PathsTest, ExtensionIsTheLastDotAfterTheLastDelimiter) {
  EXPECT_EQ(cl::ExtractFileExt("C:\\a.b\\cat.tar.gz"), ".gz");
  EXPECT_EQ(cl::ExtractFileExt("C:\\a.b\\cat"), "");
  EXPECT_EQ(cl::ExtractFileExt("cat."), ".");
  EXPECT_EQ(cl::ChangeFileExt("C:\\a.b\\cat", ".INI"), "C:\\a.b\\cat.INI");
  EXPECT_EQ(cl::ChangeFileExt("C:\\x\\orvane.exe", ".INI"), "C:\\x\\orvane.INI");
  EXPECT_EQ(cl::ChangeFileExt("cat.gif", ""), "cat");
  EXPECT_EQ(cl::IncludeTrailingBackslash("C:\\x"), "C:\\x\\");
  EXPECT_EQ(cl::IncludeTrailingBackslash("C:\\x\\"), "C:\\x\\");
}

TEST(CommandLineTest, BlanksSeparateAndQuotesGroup) {
  EXPECT_THAT(cl::SplitCommandLine("orvane.exe a.bmp  b.bmp"), ElementsAre("orvane.exe", "a.bmp", "b.bmp"));
  EXPECT_THAT(cl::SplitCommandLine("\"C:\\Program Files\\orvane.exe\" \"C:\\My Pictures\\a b.bmp\""),
              ElementsAre("C:\\Program Files\\orvane.exe", "C:\\My Pictures\\a b.bmp"));
  // Quotes may sit inside a parameter; backslashes stay as they are, also before a quote.
  EXPECT_THAT(cl::SplitCommandLine("p C:\\\"My Pictures\"\\x.bmp \\\\server\\share\\"),
              ElementsAre("p", "C:\\My Pictures\\x.bmp", "\\\\server\\share\\"));
  EXPECT_THAT(cl::SplitCommandLine("p \"C:\\dir\\\" next"), ElementsAre("p", "C:\\dir\\", "next"));
}

TEST(CommandLineTest, ControlCharactersSeparateAndEmptyQuotesAreSkipped) {
  EXPECT_THAT(cl::SplitCommandLine("\t p\ta\r\nb "), ElementsAre("p", "a", "b"));
  EXPECT_THAT(cl::SplitCommandLine("p \"\" x"), ElementsAre("p", "x"));
  EXPECT_THAT(cl::SplitCommandLine("p \"unclosed name"), ElementsAre("p", "unclosed name"));
  EXPECT_TRUE(cl::SplitCommandLine("   ").empty());
  EXPECT_TRUE(cl::SplitCommandLine("").empty());
}

}  // namespace
