// The drive check, the mask list, the title and the item height.
#include "browser/core/file_commands.h"

#include <gtest/gtest.h>

#include <set>

namespace brw {
namespace {

// Folders that can be entered; records every attempt and every question.
struct Drives {
  explicit Drives(std::set<std::string> readyFolders, std::vector<DriveCheck::Answer> givenAnswers = {})
      : ready(std::move(readyFolders)), answers(std::move(givenAnswers)) {}

  std::set<std::string> ready;
  std::vector<DriveCheck::Answer> answers;  // given in order; Abort when they run out
  std::vector<std::string> attempts;
  int asked = 0;

  DriveCheck MakeCheck() {
    return DriveCheck(
        [this](const std::string& folder) {
          attempts.push_back(folder);
          return ready.count(folder) > 0;
        },
        [this] {
          const auto answer = asked < static_cast<int>(answers.size()) ? answers[asked] : DriveCheck::Answer::Abort;
          ++asked;
          return answer;
        });
  }
};

TEST(DriveCheckTest, AReadyFolderBecomesTheLastValidOne) {
  Drives drives({"C:\\", "C:\\pics\\"});
  DriveCheck check = drives.MakeCheck();
  EXPECT_TRUE(check.Check("C:\\pics\\"));
  EXPECT_EQ(check.LastValid(), "C:\\pics\\");
  EXPECT_EQ(drives.asked, 0);
}

TEST(DriveCheckTest, AnUnreadyDriveAsksAndAbortGivesUpGoingBack) {
  Drives drives({"C:\\"});
  DriveCheck check = drives.MakeCheck();
  EXPECT_FALSE(check.Check("A:\\"));
  EXPECT_EQ(drives.asked, 1);
  EXPECT_EQ(drives.attempts, (std::vector<std::string>{"A:\\", "C:\\"}));
  EXPECT_EQ(check.LastValid(), "C:\\");
}

TEST(DriveCheckTest, RetryChecksAgain) {
  Drives drives({"C:\\"}, {DriveCheck::Answer::Retry});
  DriveCheck check = drives.MakeCheck();
  EXPECT_FALSE(check.Check("A:\\"));  // retried once, then aborted
  EXPECT_EQ(drives.asked, 2);

  drives.asked = 0;
  int round = 0;
  DriveCheck inserted([&](const std::string& folder) { return folder == "C:\\" || (folder == "A:\\" && round > 0); },
                      [&] {
                        ++round;  // the user inserts the disk and answers Retry
                        return DriveCheck::Answer::Retry;
                      });
  EXPECT_TRUE(inserted.Check("A:\\"));
  EXPECT_EQ(inserted.LastValid(), "A:\\");
}

TEST(DriveCheckTest, AVanishedLastValidFolderDoesNotFailTheNextOne) {
  Drives drives({"D:\\new\\"});
  DriveCheck check = drives.MakeCheck();
  check.SetLastValid("E:\\gone\\");
  EXPECT_TRUE(check.Check("D:\\new\\"));
  EXPECT_EQ(drives.asked, 0);
}

TEST(DriveCheckTest, NoFolderPassesAndKeepsTheLastValidOne) {
  Drives drives({"C:\\"});
  DriveCheck check = drives.MakeCheck();
  for (const char* folder : {"", "?"}) {
    EXPECT_TRUE(check.Check(folder));
    EXPECT_EQ(check.LastValid(), "C:\\");
  }
  EXPECT_EQ(drives.asked, 0);
}

TEST(MaskListTest, StartsWithTheDefaultAndTakesNewMasksOnce) {
  EXPECT_EQ(InitialMaskItems(kDefaultMaskList), (std::vector<std::string>{kDefaultMaskList}));
  std::vector<std::string> items = InitialMaskItems("*.bmp");
  EXPECT_EQ(items, (std::vector<std::string>{kDefaultMaskList, "*.bmp"}));
  AddMaskOnEnter(items, "*.bmp");
  EXPECT_EQ(items.size(), 2u);
  AddMaskOnEnter(items, "*.BMP");
  EXPECT_EQ(items.back(), "*.BMP");
  EXPECT_EQ(items.size(), 3u);
}

TEST(BrowserStringsTest, TitleAndCopyTarget) {
  EXPECT_EQ(BrowserTitle("C:\\pics\\"), "Tarnby -[C:\\pics\\]");
  EXPECT_EQ(CopyTarget("D:\\to", "C:\\pics\\a.bmp"), "D:\\to\\a.bmp");
  EXPECT_EQ(CopyTarget("D:\\to\\", "C:\\pics\\a.bmp"), "D:\\to\\a.bmp");
}

TEST(BrowserStringsTest, ItemHeightIsTheLineHeightButAtLeast18) {
  EXPECT_EQ(FileListItemHeight(8, 16), 18);
  EXPECT_EQ(FileListItemHeight(16, 16), 20);
  EXPECT_EQ(FileListItemHeight(30, 16), 34);
  EXPECT_EQ(FileListItemHeight(30, 40), 37);
}

}  // namespace
}  // namespace brw
