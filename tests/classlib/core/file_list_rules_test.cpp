// File list decisions: which files are listed, their order, and what a FileName write asks for.
#include "classlib/core/file_list_rules.h"

#include <gtest/gtest.h>

namespace {

using namespace cl;

TEST(FileListRulesTest, FileTypesDecideWhichFilesAreListed) {
  const TFileAttributes plain;
  TFileAttributes archive;
  archive.Archive = true;
  TFileAttributes readOnly;
  readOnly.ReadOnly = true;
  readOnly.Archive = true;
  TFileAttributes hidden;
  hidden.Hidden = true;
  TFileAttributes system;
  system.System = true;

  EXPECT_TRUE(FileTypeAllows({ftNormal}, plain));
  EXPECT_TRUE(FileTypeAllows({ftNormal}, archive));
  EXPECT_FALSE(FileTypeAllows({ftNormal}, readOnly));
  EXPECT_TRUE(FileTypeAllows({ftNormal, ftReadOnly}, readOnly));
  EXPECT_TRUE(FileTypeAllows({ftArchive}, archive));
  EXPECT_FALSE(FileTypeAllows({ftArchive}, plain));
  EXPECT_FALSE(FileTypeAllows({ftNormal, ftReadOnly, ftArchive}, hidden));
  EXPECT_FALSE(FileTypeAllows({ftNormal, ftReadOnly, ftArchive}, system));
}

TEST(FileListRulesTest, NamesAreSortedWithoutCaseAndWithoutDuplicates) {
  EXPECT_EQ(SortedWithoutDuplicates({"b.bmp", "A.bmp", "_x.bmp", "a.BMP", "c.bmp", "b.bmp"}),
            (std::vector<std::string>{"A.bmp", "b.bmp", "c.bmp", "_x.bmp"}));
  EXPECT_TRUE(SortedWithoutDuplicates({}).empty());
}

TEST(FileListRulesTest, FileNameWritesInOrderOfPrecedence) {
  using enum TFileNameTarget;
  EXPECT_EQ(ClassifyFileNameWrite("", false, false), Nothing);
  EXPECT_EQ(ClassifyFileNameWrite("\\", true, false), DriveRoot);
  EXPECT_EQ(ClassifyFileNameWrite("C:\\Images", true, false), Folder);
  EXPECT_EQ(ClassifyFileNameWrite("C:\\Missing\\", false, false), Folder);
  EXPECT_EQ(ClassifyFileNameWrite("C:\\Images\\a.bmp", false, true), File);
  EXPECT_EQ(ClassifyFileNameWrite("C:\\Images\\missing.bmp", false, false), Nothing);
}

TEST(FileListRulesTest, DriveRootAndFolderComparison) {
  EXPECT_EQ(DriveRoot("C:\\Images\\Old"), "C:\\");
  EXPECT_EQ(DriveRoot("d:"), "d:\\");
  EXPECT_EQ(DriveRoot("\\\\server\\share"), "\\");
  EXPECT_TRUE(SameFolder("C:\\Images", "c:\\IMAGES\\"));
  EXPECT_FALSE(SameFolder("C:\\Images", "C:\\Images2"));
}

}  // namespace
