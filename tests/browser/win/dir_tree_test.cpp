// TDirTree on a folder tree made in the temporary folder: Directory's rules, reading each folder once, the
// expand buttons, the recycle-bin rule, the sorting, and when OnChange fires.
#include "browser/dir_tree.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "browser_test_support.h"
#include "classlib/core/files.h"
#include "classlib/core/paths.h"
#include "classlib/core/string_utils.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/forms.h"
#include "support/screenshot.h"

namespace brw {
namespace {

class DirTreeTest : public testing::Test {
 protected:
  void SetUp() override {
    tree.Folders({"a", "a\\b", "a\\b\\c", "Zeta", "alpha", "Beta", "empty", "Recycled", "Recycled\\sub"});
    form = cl::CreateNew<cl::TForm>(cl::Application);
    form->SetBounds(40, 40, 360, 420);
    form->SetCaption("Folders");
    dirTree = cl::New<TDirTree>(form);
    dirTree->SetParent(form);
    dirTree->SetBounds(4, 4, 340, 370);
    // Every enumeration goes through the system's search, counted per folder.
    dirTree->SetOnFindDir(
        TFindDirEvent([this](cl::TObject*, const std::string& path, TDirRec& rec, int& result, bool first) {
          if (first) {
            ++scans[cl::UpperCase(path)];
            rec.FindHandle = FindFirstFileA((path + "*.*").c_str(), &rec.FindData);
            result = rec.FindHandle == INVALID_HANDLE_VALUE ? 1 : 0;
          } else {
            result = FindNextFileA(rec.FindHandle, &rec.FindData) ? 0 : 1;
          }
          rec.Name = rec.FindData.cFileName;
          rec.Attr = static_cast<int>(rec.FindData.dwFileAttributes);
        }));
    dirTree->SetOnChange(cl::TTVChangedEvent([this](cl::TObject*, cl::TTreeNode*) { ++changes; }));
  }
  void TearDown() override { cl::Free(form); }

  // The node of a folder of the test tree ("" for the tree's own folder), found by walking the selection there.
  cl::TTreeNode* NodeOf(const std::string& relative) {
    dirTree->SetDirectory(tree.Path(relative));
    return dirTree->Selected();
  }
  std::vector<std::string> ChildTexts(cl::TTreeNode* node) {
    std::vector<std::string> texts;
    for (cl::TTreeNode* child = node->getFirstChild(); child; child = child->getNextSibling()) {
      texts.push_back(child->Text());
    }
    return texts;
  }

  brwtest::TempTree tree;
  cl::TForm* form = nullptr;
  TDirTree* dirTree = nullptr;
  std::map<std::string, int> scans;
  int changes = 0;
};

TEST_F(DirTreeTest, DirectorySelectsFoldersWithoutRegardToCase) {
  dirTree->SetDirectory(cl::UpperCase(tree.Path("a\\b")));
  EXPECT_EQ(dirTree->Directory(), tree.Path("a\\b\\"));
  EXPECT_EQ(dirTree->Selected()->Text(), "b");
  EXPECT_EQ(changes, 1);

  dirTree->SetDirectory("?");
  EXPECT_EQ(dirTree->Directory(), tree.Path("a\\b\\"));

  // The current folder is on C:, so a folder that does not exist, or none, selects C:'s root.
  for (const std::string& missing : {tree.Path("nothing\\here"), std::string()}) {
    dirTree->SetDirectory(tree.Path("a"));
    dirTree->SetDirectory(missing);
    EXPECT_TRUE(cl::SameText(dirTree->Directory(), "C:\\")) << missing;
  }

  dirTree->SetSelected(nullptr);
  EXPECT_EQ(dirTree->Directory(), "?");
}

TEST_F(DirTreeTest, FoldersAreReadOnceAndSortedWithoutCase) {
  cl::TTreeNode* root = NodeOf("");
  EXPECT_EQ(ChildTexts(root), (std::vector<std::string>{"a", "alpha", "Beta", "empty", "Recycled", "Zeta"}));
  // Looked into once from its parent for a button, and read once when the walk opened it.
  const std::string key = cl::UpperCase(tree.Root());
  EXPECT_EQ(scans[key], 2);

  // Opening, closing and opening again reads nothing more.
  form->Show();
  root->SetExpanded(false);
  root->SetExpanded(true);
  root->SetExpanded(false);
  root->SetExpanded(true);
  EXPECT_EQ(scans[key], 2);
  // A child with a button was looked into once, for that button.
  EXPECT_EQ(scans[cl::UpperCase(tree.Path("a\\"))], 1);

  // A node opened by a click reads its folders then, once.
  cl::TTreeNode* a = root->getFirstChild();
  a->SetExpanded(true);
  a->SetExpanded(false);
  a->SetExpanded(true);
  EXPECT_EQ(scans[cl::UpperCase(tree.Path("a\\"))], 2);
  EXPECT_EQ(ChildTexts(a), (std::vector<std::string>{"b"}));
  cl::test::PumpFor(100);
  testsupport::SaveScreenshot("browser_dir_tree");
}

TEST_F(DirTreeTest, OnlyFoldersWithSubfoldersShowAButton) {
  cl::TTreeNode* root = NodeOf("");
  std::map<std::string, bool> buttons;
  for (cl::TTreeNode* child = root->getFirstChild(); child; child = child->getNextSibling()) {
    buttons[child->Text()] = child->HasChildren();
  }
  EXPECT_TRUE(buttons["a"]);
  EXPECT_TRUE(buttons["Recycled"]);
  EXPECT_FALSE(buttons["empty"]);
  EXPECT_FALSE(buttons["Zeta"]);
  EXPECT_EQ(ChildTexts(root->getFirstChild()), (std::vector<std::string>{"**"}));
}

TEST_F(DirTreeTest, WithoutGoingBelowTheRecycleBinItsFoldersStayHidden) {
  dirTree->SetGoBelowRecycleBin(false);
  cl::TTreeNode* recycled = NodeOf("Recycled");
  ASSERT_NE(recycled, nullptr);
  EXPECT_EQ(recycled->Text(), "Recycled");
  EXPECT_EQ(recycled->Count(), 0);
  dirTree->SetDirectory(tree.Path("Recycled\\sub"));
  EXPECT_EQ(dirTree->Directory(), tree.Path("Recycled\\"));
}

TEST_F(DirTreeTest, ReloadKeepsTheFolderAndTellsNoChangeWhileReading) {
  dirTree->SetDirectory(tree.Path("a\\b"));
  changes = 0;
  dirTree->Reload();
  EXPECT_EQ(dirTree->Directory(), tree.Path("a\\b\\"));
  EXPECT_EQ(changes, 1);  // the folder selected again, and nothing while the drives were read

  // A vetoed folder is not shown.
  dirTree->SetOnAddDir(TAddFileEvent([](cl::TObject*, const std::string& path, bool& add) {
    if (cl::ExtractFileName(path.substr(0, path.size() - 1)) == "alpha") add = false;
  }));
  dirTree->Reload();
  EXPECT_EQ(ChildTexts(NodeOf("")), (std::vector<std::string>{"a", "Beta", "empty", "Recycled", "Zeta"}));
}

TEST_F(DirTreeTest, ReloadFallsBackTowardsARootWhenTheFolderCannotBeShown) {
  dirTree->SetDirectory("Z:\\tmp\\");  // the folder remembered for drive Z
  dirTree->SetDirectory(tree.Path("a\\b"));
  std::string hidden;
  dirTree->SetOnAddDir(TAddFileEvent([&](cl::TObject*, const std::string& path, bool& add) {
    if (cl::SameText(path, hidden)) add = false;
  }));
  // A folder on the way is no longer shown: its drive's root.
  hidden = tree.Path("a\\");
  dirTree->Reload();
  EXPECT_TRUE(cl::SameText(dirTree->Directory(), "C:\\")) << dirTree->Directory();
  // The drive itself is no longer shown: the folder last selected on the first drive left.
  hidden = "C:\\";
  dirTree->Reload();
  EXPECT_TRUE(cl::SameText(dirTree->Directory(), "Z:\\tmp\\")) << dirTree->Directory();
}

TEST_F(DirTreeTest, EveryNodeIsReportedOnceWhenTheTreeGoes) {
  dirTree->SetDirectory(tree.Path("a\\b\\c"));
  const int count = dirTree->Items()->Count();
  std::set<cl::TTreeNode*> deleted;
  int reports = 0;
  dirTree->SetOnDeleteItem(cl::TTVExpandedEvent([&](cl::TObject*, cl::TTreeNode* node) {
    ++reports;
    deleted.insert(node);
    EXPECT_EQ(node->Data(), nullptr);  // its entry is already gone
  }));
  cl::FreeAndNil(dirTree);
  EXPECT_EQ(reports, count);
  EXPECT_EQ(static_cast<int>(deleted.size()), count);
}

}  // namespace
}  // namespace brw
