// The parsing of a file dialog's multiple selection.
#include "classlib/core/file_selection.h"

#include <gtest/gtest.h>

namespace {

using namespace cl;
using namespace std::string_literals;

TEST(SplitFileSelection, OneFileIsItsFullPath) {
  EXPECT_EQ(SplitFileSelection("C:\\images\\a.bmp\0\0\0"s), (std::vector<std::string>{"C:\\images\\a.bmp"}));
  EXPECT_TRUE(SplitFileSelection(std::string(8, '\0')).empty());
  EXPECT_TRUE(SplitFileSelection("").empty());
}

TEST(SplitFileSelection, SeveralFilesJoinTheFolderToEachName) {
  EXPECT_EQ(SplitFileSelection("C:\\images\0a.bmp\0b c.jpg\0\0garbage\0"s),
            (std::vector<std::string>{"C:\\images\\a.bmp", "C:\\images\\b c.jpg"}));
  // A drive's root already ends in a backslash.
  EXPECT_EQ(SplitFileSelection("C:\\\0a.bmp\0b.bmp\0\0"s), (std::vector<std::string>{"C:\\a.bmp", "C:\\b.bmp"}));
}

TEST(SplitFileSelection, AListCutOffAtTheBufferEndDoesNotFit) {
  EXPECT_TRUE(FileSelectionFits("C:\\x\0a.bmp\0b.bmp\0\0"s));
  EXPECT_TRUE(FileSelectionFits("C:\\x\\a.bmp\0\0\0\0"s));
  EXPECT_TRUE(FileSelectionFits(std::string(4, '\0')));
  EXPECT_FALSE(FileSelectionFits("C:\\x\0a.bmp\0b.b"s));
  EXPECT_FALSE(FileSelectionFits("C:\\x\0a.bmp\0b.bmp\0"s));
}

TEST(SplitFileSelection, NeverReadsPastTheBuffer) {
  // No terminating NULs at all: the last name ends with the buffer.
  const std::string full = "C:\\x\0a.bmp\0bb"s;
  EXPECT_EQ(SplitFileSelection(std::string_view(full.data(), full.size())),
            (std::vector<std::string>{"C:\\x\\a.bmp", "C:\\x\\bb"}));
}

}  // namespace
