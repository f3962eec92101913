// The parsing of a file dialog's answer: one path, or a folder with several names.
#include "classlib/core/file_selection.h"

#include <gtest/gtest.h>

namespace {

using namespace cl;
using namespace std::string_literals;

using Files = std::vector<std::string>;

TEST(SplitFileSelection, OneFileIsItsFullPathWhateverFollowsIt) {
  // The offset of the name follows a backslash: one path, whatever the buffer held before.
  EXPECT_EQ(SplitFileSelection("C:\\images\\a.bmp\0\0\0"s, 10), Files{"C:\\images\\a.bmp"});
  EXPECT_EQ(SplitFileSelection("C:\\images\\b.png\0y-at-the-seaside.png\0\0"s, 10), Files{"C:\\images\\b.png"});
  EXPECT_EQ(SplitFileSelection("C:\\images\\b.png\0old\0\0"s, 0), Files{"C:\\images\\b.png"});
  EXPECT_TRUE(SplitFileSelection(std::string(8, '\0'), 0).empty());
  EXPECT_TRUE(SplitFileSelection("", 0).empty());
}

TEST(SplitFileSelection, SeveralFilesJoinTheFolderToEachName) {
  EXPECT_EQ(SplitFileSelection("C:\\images\0a.bmp\0b c.jpg\0\0garbage\0"s, 10),
            (Files{"C:\\images\\a.bmp", "C:\\images\\b c.jpg"}));
  // A drive's root already ends in a backslash.
  EXPECT_EQ(SplitFileSelection("C:\\\0a.bmp\0b.bmp\0\0"s, 4), (Files{"C:\\a.bmp", "C:\\b.bmp"}));
}

TEST(SplitFileSelection, AnAnswerCutOffAtTheBufferEndDoesNotFit) {
  EXPECT_TRUE(FileSelectionFits("C:\\x\0a.bmp\0b.bmp\0\0"s, 5));
  EXPECT_TRUE(FileSelectionFits("C:\\x\\a.bmp\0b.bmp"s, 5));
  EXPECT_TRUE(FileSelectionFits(std::string(4, '\0'), 0));
  EXPECT_FALSE(FileSelectionFits("C:\\x\0a.bmp\0b.b"s, 5));
  EXPECT_FALSE(FileSelectionFits("C:\\x\0a.bmp\0b.bmp\0"s, 5));
  EXPECT_FALSE(FileSelectionFits("C:\\x\\a.bm"s, 5));
}

TEST(SplitFileSelection, NeverReadsPastTheBuffer) {
  // No terminating NULs at all: the last name ends with the buffer.
  const std::string full = "C:\\x\0a.bmp\0bb"s;
  EXPECT_EQ(SplitFileSelection(std::string_view(full.data(), full.size()), 5), (Files{"C:\\x\\a.bmp", "C:\\x\\bb"}));
  EXPECT_FALSE(IsFileList(full, 99));
}

}  // namespace
