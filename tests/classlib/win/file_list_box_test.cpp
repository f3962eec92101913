// TFileListBox over a folder tree made in the scratch folder: the listing under a mask, the FileName rules for
// reads and writes, Directory and the process's current folder, and when OnChange fires.
#include "classlib/win/file_list_box.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "classlib/core/exceptions.h"
#include "classlib/core/files.h"
#include "classlib/core/string_utils.h"
#include "classlib/win/application.h"
#include "classlib/win/forms.h"

namespace {

using namespace cl;

void WriteFile(const std::string& path) {
  std::ofstream(path) << "x";
}

class FileListBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    startFolder = GetCurrentDir();
    // A fresh tree for each test, named the system's way.
    root = std::string(std::getenv("PROJECT_TEST_DIR")) + "\\" +
           testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(root.begin(), root.end(), '/', '\\');
    sub = root + "\\Sub";
    std::filesystem::remove_all(root);
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA(sub.c_str(), nullptr);
    for (const char* name : {"b.bmp", "A.BMP", "c.gif", "d.txt", "noext"}) WriteFile(root + "\\" + name);
    WriteFile(sub + "\\e.bmp");
    form = CreateNew<TForm>(Application);
    list = New<TFileListBox>(form);
    list->SetParent(form);
    list->SetBounds(10, 10, 200, 150);
    list->SetMask("*.bmp; *.gif");
    list->SetDirectory(root);
    list->SetOnChange(TNotifyEvent([this](TObject*) { reported.push_back(list->FileName()); }));
  }
  void TearDown() override {
    Free(form);
    SetCurrentDir(startFolder);
  }

  std::vector<std::string> Listed() const {
    std::vector<std::string> names;
    for (int i = 0; i < list->Items()->Count(); ++i) names.push_back(list->Items()->Strings(i));
    return names;
  }
  // A selection by the user as the system reports it.
  void UserSelects(int index) {
    SendMessageA(list->Handle(), LB_SETCURSEL, index, 0);
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list->Handle()));
  }

  std::string startFolder;
  std::string root;
  std::string sub;
  TForm* form = nullptr;
  TFileListBox* list = nullptr;
  std::vector<std::string> reported;
};

TEST_F(FileListBoxTest, ListsMatchingFilesSortedWithoutCase) {
  EXPECT_EQ(Listed(), (std::vector<std::string>{"A.BMP", "b.bmp", "c.gif"}));
  EXPECT_TRUE(SameText(list->Directory(), root));
  EXPECT_TRUE(SameText(GetCurrentDir(), root));
  list->SetMask("*.*");
  EXPECT_EQ(Listed(), (std::vector<std::string>{"A.BMP", "b.bmp", "c.gif", "d.txt", "noext"}));
  list->SetMask(" ;; ");
  EXPECT_TRUE(Listed().empty());
}

TEST_F(FileListBoxTest, ReadOnlyFilesNeedTheirFileType) {
  SetFileAttributesA((root + "\\b.bmp").c_str(), FILE_ATTRIBUTE_READONLY);
  list->Update();
  EXPECT_EQ(Listed(), (std::vector<std::string>{"A.BMP", "c.gif"}));
  list->SetFileType({ftNormal, ftReadOnly});
  EXPECT_EQ(Listed(), (std::vector<std::string>{"A.BMP", "b.bmp", "c.gif"}));
  SetFileAttributesA((root + "\\b.bmp").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileListBoxTest, FileNameReadsTheSelectedFilesPath) {
  EXPECT_EQ(list->FileName(), "");
  list->SetItemIndex(1);
  EXPECT_EQ(list->FileName(), list->Directory() + "\\b.bmp");
}

TEST_F(FileListBoxTest, FileNameWritesFollowTheRuleTable) {
  list->SetFileName("");  // nothing
  EXPECT_TRUE(SameText(list->Directory(), root));

  list->SetFileName(sub);  // an existing folder
  EXPECT_TRUE(SameText(list->Directory(), sub));
  EXPECT_TRUE(SameText(GetCurrentDir(), sub));
  EXPECT_EQ(Listed(), (std::vector<std::string>{"e.bmp"}));

  list->SetFileName(root + "\\c.gif");  // an existing file: its folder, the file selected
  EXPECT_TRUE(SameText(list->Directory(), root));
  EXPECT_TRUE(SameText(list->FileName(), root + "\\c.gif"));

  list->SetFileName(root + "\\missing.bmp");  // anything else is ignored
  EXPECT_TRUE(SameText(list->FileName(), root + "\\c.gif"));

  list->SetFileName("A.BMP");  // a bare name is a file of the listed folder
  EXPECT_TRUE(SameText(list->FileName(), root + "\\A.BMP"));

  EXPECT_THROW(list->SetFileName(root + "\\missing\\"), EInOutError);  // a folder text that is no folder
  EXPECT_TRUE(SameText(list->Directory(), root));

  list->SetFileName(sub + "\\");  // a text ending in '\'
  EXPECT_TRUE(SameText(list->Directory(), sub));

  list->SetFileName("\\");  // the current drive's root
  EXPECT_EQ(list->Directory(), sub.substr(0, 3));
}

TEST_F(FileListBoxTest, TheSameFolderIsNotReadAgain) {
  list->SetItemIndex(0);
  WriteFile(root + "\\0.bmp");
  list->SetFileName(UpperCase(root) + "\\");  // the same folder, but for case and the trailing '\'
  EXPECT_EQ(Listed(), (std::vector<std::string>{"A.BMP", "b.bmp", "c.gif"}));
  EXPECT_EQ(list->ItemIndex(), 0);
  list->Update();  // a re-read keeps the selected file selected
  EXPECT_EQ(Listed(), (std::vector<std::string>{"0.bmp", "A.BMP", "b.bmp", "c.gif"}));
  EXPECT_EQ(list->Items()->Strings(list->ItemIndex()), "A.BMP");
}

TEST_F(FileListBoxTest, AFolderThatCannotBeEnteredRaisesAndKeepsTheList) {
  EXPECT_THROW(list->SetDirectory(root + "\\nowhere"), EInOutError);
  EXPECT_TRUE(SameText(list->Directory(), root));
  EXPECT_EQ(Listed().size(), 3u);
}

TEST_F(FileListBoxTest, OnChangeFiresOnceForEachNewSelection) {
  int clicks = 0;
  list->SetOnClick(TNotifyEvent([&](TObject*) { ++clicks; }));

  list->SetItemIndex(0);  // recorded silently
  list->Update();         // still the same file
  EXPECT_TRUE(reported.empty());

  UserSelects(2);
  EXPECT_EQ(reported.size(), 1u);
  EXPECT_EQ(clicks, 1);
  UserSelects(2);  // reported already
  EXPECT_EQ(reported.size(), 1u);

  list->SetFileName(root + "\\b.bmp");  // a selecting write
  list->SetFileName(root + "\\b.bmp");
  EXPECT_EQ(reported.size(), 2u);

  DeleteFileA((root + "\\b.bmp").c_str());
  list->Update();  // the selected file is gone
  ASSERT_EQ(reported.size(), 3u);
  EXPECT_EQ(reported.back(), "");

  list->SetFileName(sub + "\\e.bmp");  // another folder with a file selected
  list->SetFileName(sub);              // the same folder: nothing new
  ASSERT_EQ(reported.size(), 4u);
  EXPECT_TRUE(SameText(reported.back(), sub + "\\e.bmp"));
}

}  // namespace
