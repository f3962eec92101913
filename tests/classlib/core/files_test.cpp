// File and folder routines on real files in the test's scratch folder.
#include "classlib/core/files.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "classlib/core/exceptions.h"
#include "classlib/core/scratch.h"

namespace {

using cltest::ScratchFolder;

void WriteFile(const std::string& name, const char* text) {
  std::FILE* f = std::fopen(name.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs(text, f);
  std::fclose(f);
}

TEST(FilesTest, ExistenceTellsFilesFromFolders) {
  const std::string folder = ScratchFolder();
  const std::string file = folder + cl::PathDelim + "exists.txt";
  WriteFile(file, "x");
  EXPECT_TRUE(cl::FileExists(file));
  EXPECT_FALSE(cl::DirectoryExists(file));
  EXPECT_FALSE(cl::FileExists(folder));
  EXPECT_TRUE(cl::DirectoryExists(folder));
  EXPECT_TRUE(cl::DirectoryExists(folder + cl::PathDelim));  // a trailing delimiter names the same folder
  EXPECT_FALSE(cl::FileExists(""));
  EXPECT_FALSE(cl::FileExists(folder + cl::PathDelim + "missing.txt"));
}

TEST(FilesTest, DeleteAndRename) {
  const std::string folder = ScratchFolder() + cl::PathDelim;
  WriteFile(folder + "a.txt", "a");
  WriteFile(folder + "b.txt", "b");
  // Renaming onto an existing file is refused and loses nothing.
  EXPECT_FALSE(cl::RenameFile(folder + "a.txt", folder + "b.txt"));
  EXPECT_TRUE(cl::FileExists(folder + "a.txt"));
  EXPECT_TRUE(cl::DeleteFile(folder + "b.txt"));
  EXPECT_TRUE(cl::RenameFile(folder + "a.txt", folder + "b.txt"));
  EXPECT_FALSE(cl::FileExists(folder + "a.txt"));
  EXPECT_FALSE(cl::DeleteFile(folder + "a.txt"));
  EXPECT_FALSE(cl::DeleteFile(ScratchFolder()));  // folders are not files
  cl::EraseFile(folder + "b.txt");
  try {
    cl::EraseFile(folder + "b.txt");
    FAIL() << "no exception";
  } catch (const cl::EInOutError& e) {
    EXPECT_NE(e.ErrorCode(), 0);
    EXPECT_NE(e.Message().find("b.txt"), std::string::npos);
  }
}

std::string ReadFile(const std::string& name) {
  std::string text;
  if (std::FILE* f = std::fopen(name.c_str(), "rb")) {
    for (int c; (c = std::fgetc(f)) != EOF;) text += static_cast<char>(c);
    std::fclose(f);
  }
  return text;
}

TEST(FilesTest, RenameOverFileReplacesTheTargetOrLeavesItAlone) {
  const std::string folder = ScratchFolder() + cl::PathDelim;
  WriteFile(folder + "new.txt", "new");
  WriteFile(folder + "old.txt", "old");
  EXPECT_TRUE(cl::RenameOverFile(folder + "new.txt", folder + "old.txt"));
  EXPECT_EQ(ReadFile(folder + "old.txt"), "new");
  EXPECT_FALSE(cl::FileExists(folder + "new.txt"));

  // A rename that cannot happen keeps the target as it was.
  EXPECT_FALSE(cl::RenameOverFile(folder + "missing.txt", folder + "old.txt"));
  EXPECT_EQ(ReadFile(folder + "old.txt"), "new");
  WriteFile(folder + "other.txt", "other");
  EXPECT_FALSE(cl::RenameOverFile(folder + "other.txt", ScratchFolder()));
  EXPECT_TRUE(cl::DirectoryExists(ScratchFolder()));
  EXPECT_EQ(ReadFile(folder + "other.txt"), "other");
}

TEST(FilesTest, CurrentFolder) {
  const std::string before = cl::GetCurrentDir();
  ASSERT_FALSE(before.empty());
  WriteFile(cltest::ScratchFile("here.txt"), "x");
  EXPECT_TRUE(cl::SetCurrentDir(ScratchFolder()));
  EXPECT_TRUE(cl::FileExists("here.txt"));
  EXPECT_FALSE(cl::SetCurrentDir(cltest::ScratchFile("no such folder")));
  EXPECT_THROW(cl::ChDir(cltest::ScratchFile("no such folder")), cl::EInOutError);
  cl::ChDir(before);
  EXPECT_EQ(cl::GetCurrentDir(), before);
}

TEST(FilesTest, TemporaryFolderExistsAndEndsInADelimiter) {
  const std::string temp = cl::GetTempDirectory();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), cl::PathDelim);
  EXPECT_TRUE(cl::DirectoryExists(temp.substr(0, temp.size() - 1)));
}

}  // namespace
