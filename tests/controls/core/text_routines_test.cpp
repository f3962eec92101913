// String, path and folder routines of the control library.
#include "controls/core/text_routines.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "classlib/core/string_list.h"

namespace {

using namespace ctl;
using testing::ElementsAre;

TEST(TextRoutines, BackslashesAtTheEndOfPaths) {
  struct Case {
    const char* Path;
    const char* Added;
    const char* Removed;
  };
  const Case cases[] = {
      {"C:\\Images", "C:\\Images\\", "C:\\Images"},
      {"C:\\Images\\", "C:\\Images\\", "C:\\Images"},
      {"C:\\", "C:\\", "C:"},
      {"", "\\", ""},
      {"  ", "  \\", "  "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AddBackslash(c.Path), c.Added) << c.Path;
    EXPECT_EQ(RemoveBackslash(c.Path), c.Removed) << c.Path;
  }
}

TEST(TextRoutines, BlankMeansSpacesOnly) {
  EXPECT_TRUE(IsBlankString(""));
  EXPECT_TRUE(IsBlankString("   "));
  EXPECT_FALSE(IsBlankString(" \t "));
  EXPECT_FALSE(IsBlankString(" x "));
  EXPECT_EQ(TrimString("\t a b \r\n"), "a b");
}

TEST(TextRoutines, SplitKeepsInnerAndLeadingEmptyPiecesButNoTrailingOne) {
  EXPECT_THAT(SplitString("a,,b", ','), ElementsAre("a", "", "b"));
  EXPECT_THAT(SplitString("a,b,", ','), ElementsAre("a", "b"));
  EXPECT_THAT(SplitString(",a", ','), ElementsAre("", "a"));
  EXPECT_THAT(SplitString("", ','), ElementsAre(""));
  EXPECT_THAT(SplitString(",", ','), ElementsAre(""));
  // Long pieces come back whole.
  const std::string longPiece(300, 'x');
  EXPECT_THAT(SplitString(longPiece + ";y", ';'), ElementsAre(longPiece, "y"));

  cl::Owned<cl::TStringList> list = cl::MakeOwned<cl::TStringList>();
  list->Add("old");
  SplitString("1|2", '|', list.get());
  EXPECT_EQ(list->Text(), "1\r\n2\r\n");
}

TEST(TextRoutines, JoinsWithTheSeparator) {
  const std::string words[] = {"a", "", "c"};
  const int32_t numbers[] = {1, -20, 300};
  EXPECT_EQ(JoinStrings(words, ';'), "a;;c");
  EXPECT_EQ(JoinIntegers(numbers, ','), "1,-20,300");
  EXPECT_EQ(JoinIntegers({}, ','), "");
}

TEST(TextRoutines, PathPrefixNamesTheFolderOfItsKind) {
  const TPrefixFolders folders{"C:\\windows", "C:\\windows\\system32\\", "D:\\prog\\"};
  EXPECT_EQ(PathPrefix(ppWindows, folders, true), "C:\\windows\\");
  EXPECT_EQ(PathPrefix(ppSystem, folders, false), "C:\\windows\\system32");
  EXPECT_EQ(PathPrefix(ppProgram, folders, false), "D:\\prog");
  EXPECT_EQ(PathPrefix(ppFixed, folders, false), "");
}

}  // namespace
