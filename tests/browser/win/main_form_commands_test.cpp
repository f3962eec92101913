// The browser's file commands on real files (the question before a file is replaced, move, move into the file's
// own folder, failures told with the system's reason, delete answered No and Yes), the mask box, and the list and
// the title following the tree.
#include <gtest/gtest.h>

#include <filesystem>

#include "browser/core/file_commands.h"
#include "browser_form_fixture.h"
#include "classlib/core/files.h"
#include "classlib/core/string_utils.h"
#include "classlib/test/input.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/combo_box.h"
#include "classlib/win/dialogs.h"
#include "classlib/win/timer.h"
#include "controls/hi_timer.h"

namespace brwtest {
namespace {

class MainFormCommandsTest : public BrowserFormTest {
 protected:
  void SetUp() override {
    BrowserFormTest::SetUp();
    OpenTestFolder();
    Choose("p300.bmp");
  }
  // The folder dialog answers OK with folder chosen in it.
  void ChooseTarget(const std::string& folder) {
    brw::BrowseFolderDlg->DirTree1->SetDirectory(folder);
    responder.OnModal = [](cl::TForm& modal) {
      EXPECT_EQ(&modal, brw::BrowseFolderDlg);
      return cl::seam::ModalAnswer::Return(cl::mrOk);
    };
  }
  std::vector<std::string> Listed() const {
    std::vector<std::string> names;
    for (int i = 0; i < form->ShellFileListBox1->Items()->Count(); ++i) {
      names.push_back(form->ShellFileListBox1->Items()->Strings(i));
    }
    return names;
  }
};

TEST_F(MainFormCommandsTest, ASameNamedFileInTheTargetIsReplacedOnlyAfterYes) {
  const std::string original = ReadBytes(tree.Path("p300.bmp"));
  const std::string target = tree.Path("target\\p300.bmp");
  struct Case {
    bool Move;
    int Answer;
  };
  for (const Case& c : {Case{false, IDNO}, Case{true, IDNO}, Case{false, IDYES}, Case{true, IDYES}}) {
    SCOPED_TRACE(std::string(c.Move ? "move " : "copy ") + (c.Answer == IDYES ? "yes" : "no"));
    tree.Bitmap("p300.bmp", 300, 200, cl::clRed);
    tree.File("target\\p300.bmp", "older");
    Choose("p300.bmp");
    ChooseTarget(tree.Path("target"));
    std::vector<cl::test::MessageBoxCall> asked;
    responder.OnMessageBox = [&](const cl::test::MessageBoxCall& call) {
      asked.push_back(call);
      return c.Answer;
    };
    (c.Move ? form->Move1 : form->Copy1)->Click();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Text, "Replace '" + target + "'?");
    EXPECT_EQ(asked[0].Caption, c.Move ? "Move Image File" : "Copy Image File");
    EXPECT_EQ(asked[0].Flags, static_cast<UINT>(MB_ICONQUESTION | MB_YESNO));
    const bool replaced = c.Answer == IDYES;
    EXPECT_EQ(ReadBytes(target), replaced ? original : "older");
    EXPECT_EQ(cl::FileExists(tree.Path("p300.bmp")), !(replaced && c.Move));
    if (cl::FileExists(tree.Path("p300.bmp"))) EXPECT_EQ(ReadBytes(tree.Path("p300.bmp")), original);
  }
}

TEST_F(MainFormCommandsTest, MoveTakesTheFileAwayAndTheListKeepsItsPlace) {
  const std::string original = ReadBytes(tree.Path("p300.bmp"));
  ChooseTarget(tree.Path("target"));
  Item("MoveImageFile1")->Click();
  EXPECT_FALSE(cl::FileExists(tree.Path("p300.bmp")));
  EXPECT_EQ(ReadBytes(tree.Path("target\\p300.bmp")), original);
  EXPECT_EQ(Listed(), (std::vector<std::string>{"q.bmp", "r.bmp"}));
  // The same position now holds the next file, which the preview shows.
  EXPECT_EQ(form->ShellFileListBox1->FileName(), tree.Path("q.bmp"));
  EXPECT_EQ(form->LastFile, tree.Path("q.bmp"));
}

TEST_F(MainFormCommandsTest, AMoveIntoTheFilesOwnFolderOrACancelChangesNothingAndSaysNothing) {
  const std::string original = ReadBytes(tree.Path("p300.bmp"));
  ChooseTarget(tree.Root());
  form->Move1->Click();
  form->Copy1->Click();
  responder.OnModal = [](cl::TForm&) { return cl::seam::ModalAnswer::Return(cl::mrCancel); };
  form->Move1->Click();
  EXPECT_TRUE(responder.MessageBoxes.empty());
  EXPECT_EQ(ReadBytes(tree.Path("p300.bmp")), original);
  EXPECT_EQ(form->ShellFileListBox1->FileName(), tree.Path("p300.bmp"));
}

// A file of the list held open without leave to delete it, as another program may hold it.
class HeldOpen {
 public:
  explicit HeldOpen(const std::string& file)
      : FHandle(CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~HeldOpen() { CloseHandle(FHandle); }
  HeldOpen(const HeldOpen&) = delete;
  HeldOpen& operator=(const HeldOpen&) = delete;

 private:
  HANDLE FHandle;
};

TEST_F(MainFormCommandsTest, AFailedCopyMoveOrDeleteNamesTheFileAndTheSystemsReason) {
  const std::string source = tree.Path("p300.bmp");
  const std::string original = ReadBytes(source);
  std::vector<cl::test::MessageBoxCall> told;
  responder.OnMessageBox = [&](const cl::test::MessageBoxCall& call) {
    told.push_back(call);
    return call.Caption == "Delete File" && call.Flags & MB_YESNOCANCEL ? IDYES : IDOK;
  };
  auto lastReport = [&] { return told.empty() ? cl::test::MessageBoxCall{} : told.back(); };
  const UINT error = MB_ICONERROR | MB_OK;

  // The folder last chosen went away meanwhile.
  ChooseTarget(tree.Path("target"));
  std::filesystem::remove_all(tree.Path("target"));
  form->Move1->Click();
  EXPECT_EQ(lastReport().Text, "Cannot copy '" + source + "' to '" + tree.Path("target\\") + "':\nPath not found.");
  EXPECT_EQ(lastReport().Caption, "Move Image File");
  EXPECT_EQ(lastReport().Flags, error);
  EXPECT_EQ(ReadBytes(source), original);

  // Another program holds the file: a move leaves the copy and keeps the source listed, a delete keeps it.
  tree.Folders({"target"});
  {
    HeldOpen held(source);
    form->Move1->Click();
    EXPECT_EQ(lastReport().Text, "'" + source + "' was copied to '" + tree.Path("target\\") +
                                     "' but cannot be removed:\nSharing violation.");
    EXPECT_EQ(ReadBytes(tree.Path("target\\p300.bmp")), original);
    form->Delete1->Click();
    EXPECT_EQ(lastReport().Text, "Cannot delete '" + source + "':\nSharing violation.");
    EXPECT_EQ(lastReport().Caption, "Delete File");
    EXPECT_EQ(lastReport().Flags, error);
  }
  EXPECT_EQ(told.size(), 4u);  // the three failures and the delete question
  EXPECT_EQ(ReadBytes(source), original);
  EXPECT_EQ(Listed(), (std::vector<std::string>{"p300.bmp", "q.bmp", "r.bmp"}));
}

TEST_F(MainFormCommandsTest, DeleteAsksAndOnlyYesDeletes) {
  std::vector<cl::test::MessageBoxCall> asked;
  int answer = IDNO;
  responder.OnMessageBox = [&](const cl::test::MessageBoxCall& call) {
    asked.push_back(call);
    return answer;
  };
  const std::string file = tree.Path("p300.bmp");
  tree.Bitmap("p300.bmp", 70, 80, cl::clBlack);  // were it loaded again, the preview would show this
  form->Delete1->Click();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].Text, "Delete file '" + file + "' from disk?");
  EXPECT_EQ(asked[0].Caption, "Delete File");
  EXPECT_EQ(asked[0].Flags, static_cast<UINT>(MB_ICONQUESTION | MB_YESNOCANCEL));
  EXPECT_TRUE(cl::FileExists(file));
  EXPECT_EQ(form->ShellFileListBox1->FileName(), file);
  EXPECT_EQ(form->Image1->Width(), 300);  // the same file is still chosen: not loaded again

  answer = IDYES;
  form->ShellFileListBox1->SetFocus();
  cl::test::Key(VK_DELETE);
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_FALSE(cl::FileExists(file));
  EXPECT_EQ(Listed(), (std::vector<std::string>{"q.bmp", "r.bmp"}));
  EXPECT_EQ(form->LastFile, tree.Path("q.bmp"));
}

TEST_F(MainFormCommandsTest, TheFileMenuEnablesItsCommandsForAChosenFile) {
  form->File1->Click();
  EXPECT_TRUE(form->Copy1->Enabled());
  form->ShellFileListBox1->SetItemIndex(-1);
  form->File1->Click();
  for (cl::TMenuItem* item : {form->Copy1, form->Move1, form->Delete1}) EXPECT_FALSE(item->Enabled());
}

TEST_F(MainFormCommandsTest, EnterAppliesTheMaskAndKeepsEachMaskOnce) {
  tree.Bitmap("s.gif", 4, 4, cl::clBlack);
  auto enter = [&](const std::string& mask) {
    form->Edit2->SetText(mask);
    form->Edit2->SetFocus();
    cl::test::Key(VK_RETURN);
  };
  enter("*.bmp");
  EXPECT_EQ(form->Edit2->Items()->Count(), 2);
  enter("*.gif;*.bmp");
  EXPECT_EQ(form->ShellFileListBox1->Mask(), "*.gif;*.bmp");
  EXPECT_EQ(Listed(), (std::vector<std::string>{"p300.bmp", "q.bmp", "r.bmp", "s.gif"}));
  enter("*.gif;*.bmp");
  enter("*.BMP");
  EXPECT_EQ(form->Edit2->Items()->Count(), 4);
  EXPECT_EQ(form->Edit2->Items()->Strings(3), "*.BMP");
}

TEST_F(MainFormCommandsTest, TheListFollowsTheTreeAndTheTitleNamesTheFolder) {
  EXPECT_EQ(form->Caption(), brw::BrowserTitle(tree.Root()));
  EXPECT_EQ(cl::Application->Title(), brw::BrowserTitle(tree.Root()));
  char windowTitle[MAX_PATH] = {};
  GetWindowTextA(cl::Application->Handle(), windowTitle, MAX_PATH);
  EXPECT_EQ(std::string(windowTitle), brw::BrowserTitle(tree.Root()));

  form->DirTree1->SetDirectory(tree.Path("sub"));
  EXPECT_EQ(form->Caption(), brw::BrowserTitle(tree.Path("sub\\")));
  EXPECT_TRUE(Listed().empty());

  // Whatever moved the list, the timer brings it back to the tree's folder.
  form->ShellFileListBox1->SetDirectory(tree.Root());
  EXPECT_TRUE(cl::test::PumpUntil([&] { return Listed().empty(); }, 3000));

  // A folder that cannot be entered any more: the tick leaves the list alone and the timer goes on.
  form->ShellFileListBox1->SetDirectory(tree.Root());
  std::filesystem::remove_all(tree.Path("sub"));
  form->CtlHiTimer1Timer(form->CtlHiTimer1);
  cl::test::PumpFor(600);
  EXPECT_EQ(Listed().size(), 3u);
  // The timer goes on: once the folder is back, the list follows the tree into it.
  tree.Folders({"sub"});
  EXPECT_TRUE(cl::test::PumpUntil([&] { return Listed().empty(); }, 3000));
}

TEST_F(MainFormCommandsTest, AFolderThatCannotBeEnteredAsksAndAbortGoesToC) {
  cl::TTreeNode* target = form->DirTree1->Selected()->getFirstChild();
  while (target && target->Text() != "target") target = target->getNextSibling();
  ASSERT_NE(target, nullptr);
  std::filesystem::remove_all(tree.Path("target"));
  std::vector<std::string> asked;
  uint64_t buttons = 0;
  responder.OnMessageDlg = [&](const cl::test::MessageDlgCall& call) {
    asked.push_back(call.Text);
    buttons = call.Buttons;
    return std::optional<int>(cl::mrAbort);
  };
  form->DirTree1->SetSelected(target);
  EXPECT_EQ(asked, (std::vector<std::string>{"Error: Please insert disk into drive."}));
  EXPECT_EQ(buttons, cl::TMsgDlgButtons({cl::mbAbort, cl::mbRetry}).Mask());
  EXPECT_TRUE(cl::SameText(form->DirTree1->Directory(), "C:\\"));
  EXPECT_EQ(form->Caption(), brw::BrowserTitle(form->DirTree1->Directory()));
  EXPECT_TRUE(cl::SameText(form->DriveChecker().LastValid(), "C:\\"));
}

}  // namespace
}  // namespace brwtest
