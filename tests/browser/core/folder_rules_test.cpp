// Which folders the tree shows and how it walks a path.
#include "browser/core/folder_rules.h"

#include <gtest/gtest.h>

namespace brw {
namespace {

TEST(FolderRulesTest, OnlyFoldersBelowARecycleBinAreHiddenAndOnlyWhenAsked) {
  struct Case {
    const char* path;
    bool allowed;
  };
  for (const Case& c :
       {Case{"c:\\recycled\\", true}, Case{"C:\\RECYCLED\\sub\\", false}, Case{"c:\\recycled\\a\\b\\", false},
        Case{"c:\\t\\recycled\\", true}, Case{"c:\\recycledx\\sub\\", true}, Case{"c:\\", true}, Case{"", true}}) {
    EXPECT_EQ(DirAllowed(c.path, false), c.allowed) << c.path;
    EXPECT_TRUE(DirAllowed(c.path, true)) << c.path;
  }
}

TEST(FolderRulesTest, AttributesPassByTheDirType) {
  const FolderAttributes plain{}, hidden{true, false, false}, system{false, true, false}, archive{false, false, true};
  EXPECT_TRUE(AttrAllowed(hidden, {dtAll}));
  EXPECT_TRUE(AttrAllowed(plain, {dtNormal}));
  EXPECT_FALSE(AttrAllowed(hidden, {dtNormal}));
  EXPECT_FALSE(AttrAllowed(system, {dtNormal, dtHidden}));
  EXPECT_TRUE(AttrAllowed(system, {dtSystem}));
  EXPECT_TRUE(AttrAllowed(archive, {dtArchive}));
  EXPECT_FALSE(AttrAllowed(archive, {dtNormal}));
  EXPECT_FALSE(AttrAllowed(plain, {dtHidden, dtReadOnly}));
}

TEST(FolderRulesTest, PathPrefixesAndDriveSlots) {
  EXPECT_EQ(PathPrefixes("C:\\a\\b\\"), (std::vector<std::string>{"C:\\", "C:\\a\\", "C:\\a\\b\\"}));
  EXPECT_EQ(PathPrefixes("C:\\a\\b"), (std::vector<std::string>{"C:\\", "C:\\a\\"}));
  EXPECT_TRUE(PathPrefixes("").empty());
  EXPECT_EQ(DriveSlot("a:\\"), 0);
  EXPECT_EQ(DriveSlot("Z:\\x"), 25);
  for (const char* outside : {"", "?", "1:\\", "[:\\", "\\\\server\\share"})
    EXPECT_FALSE(DriveSlot(outside)) << outside;
}

TEST(FolderRulesTest, UnreadyDrivesAndFastLoadGetPlaceholders) {
  for (unsigned type : {0u, 1u, 2u, 5u}) EXPECT_TRUE(DriveGetsPlaceholder(false, type)) << type;
  for (unsigned type : {3u, 4u, 6u}) {
    EXPECT_FALSE(DriveGetsPlaceholder(false, type)) << type;
    EXPECT_TRUE(DriveGetsPlaceholder(true, type)) << type;
  }
}

}  // namespace
}  // namespace brw
