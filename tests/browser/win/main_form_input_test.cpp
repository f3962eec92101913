// The browser's main form under the system's own mouse and key input: clicks in the folder tree, the file list and
// the folder dialog, the keyboard's way to the full-screen view, and the shortcuts of its menus.
#include <gtest/gtest.h>

#include <windows.h>
// windows.h first: commctrl.h needs it.
#include <commctrl.h>

#include "browser_form_fixture.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/stdctrls.h"
#include "controls/ctl_split_ctrl.h"
#include "support/screenshot.h"
#include "support/real_input.h"

namespace brwtest {
namespace {

class MainFormInputTest : public BrowserFormTest {
 protected:
  void SetUp() override {
    BrowserFormTest::SetUp();
    tree.Bitmap("sub\\s.bmp", 16, 12, cl::clYellow);
    // The test folder lies deep: a wide tree shows its label whole.
    form->SetBounds(0, 0, 1200, 700);
    form->Ctl3PaneSplitCtrl1->SplitterMain()->SetPosition(700);
    OpenTestFolder();
    Bring(form);
  }
  static void Bring(cl::TForm* window) {
    SetForegroundWindow(window->Handle());
    cl::test::PumpFor(100);
  }
  // Clicks as a person does, and lets the program handle it.
  static void ClickAt(cl::TPoint at) {
    testsupport::RealClick(at.X, at.Y);
    cl::test::PumpFor(300);
  }
  static void Keys(std::initializer_list<WORD> keys) {
    testsupport::RealKeys(keys);
    cl::test::PumpFor(300);
  }
  // The middle of a node's text, in screen coordinates.
  static cl::TPoint NodePoint(brw::TDirTree* dirTree, cl::TTreeNode* node) {
    if (node->Parent()) node->Parent()->SetExpanded(true);
    RECT r{};
    TreeView_GetItemRect(dirTree->Handle(), node->ItemId(), &r, TRUE);
    return dirTree->ClientToScreen(cl::Point((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  }
  static cl::TTreeNode* Child(cl::TTreeNode* parent, const std::string& text) {
    for (cl::TTreeNode* node = parent->getFirstChild(); node; node = node->getNextSibling()) {
      if (node->Text() == text) return node;
    }
    ADD_FAILURE() << "no folder " << text;
    return parent;
  }
  cl::TPoint ListItemPoint(int index) const {
    RECT r{};
    SendMessageA(form->ShellFileListBox1->Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    return form->ShellFileListBox1->ClientToScreen(cl::Point(r.left + 30, (r.top + r.bottom) / 2));
  }
  static cl::TPoint Middle(cl::TControl* control) {
    return control->ClientToScreen(cl::Point(control->Width() / 2, control->Height() / 2));
  }
};

TEST_F(MainFormInputTest, AClickOnTheSelectedFolderRenamesNothing) {
  cl::TTreeNode* selected = form->DirTree1->Selected();
  const std::string text = selected->Text();
  // The first click gives the tree the focus; the second, too late to make a double click, is the one that would
  // start editing the label.
  for (int click = 0; click < 2; ++click) {
    ClickAt(NodePoint(form->DirTree1, selected));
    cl::test::PumpFor(1000);  // longer than the tree waits before it starts editing
  }
  EXPECT_EQ(SendMessageA(form->DirTree1->Handle(), TVM_GETEDITCONTROL, 0, 0), 0);
  Keys({'X', VK_RETURN});
  EXPECT_EQ(selected->Text(), text);
  EXPECT_EQ(form->DirTree1->Directory(), tree.Root());
}

TEST_F(MainFormInputTest, TheClickAfterAClickInTheTreeReachesTheList) {
  cl::TPoint p = NodePoint(form->DirTree1, Child(form->DirTree1->Selected(), "sub"));
  ClickAt(p);
  ASSERT_EQ(form->DirTree1->Directory(), tree.Path("sub\\"));
  ASSERT_TRUE(cl::test::PumpUntil([&] { return form->ShellFileListBox1->Items()->Count() == 1; }, 3000));
  ClickAt(ListItemPoint(0));
  EXPECT_EQ(form->ShellFileListBox1->FileName(), tree.Path("sub\\s.bmp"));
  EXPECT_EQ(form->LastFile, tree.Path("sub\\s.bmp"));
}

TEST_F(MainFormInputTest, OkAfterAClickInTheFolderDialogsTreeCloses) {
  brw::TBrowseFolderDlg* dialog = brw::BrowseFolderDlg;
  dialog->DirTree1->SetDirectory(tree.Root());
  Choose("p300.bmp");
  bool closedByOk = false;
  responder.OnModal = [&](cl::TForm&) {
    return cl::seam::ModalAnswer::RunScript([&] {
      Bring(dialog);
      ClickAt(NodePoint(dialog->DirTree1, Child(dialog->DirTree1->Selected(), "target")));
      ClickAt(Middle(dialog->Button1));
      closedByOk = dialog->ModalResult() == cl::mrOk;
      if (!closedByOk) dialog->SetModalResult(cl::mrCancel);
    });
  };
  form->Copy1->Click();
  EXPECT_TRUE(closedByOk);
  EXPECT_TRUE(ReadBytes(tree.Path("target\\p300.bmp")) == ReadBytes(tree.Path("p300.bmp")));
}

}  // namespace
}  // namespace brwtest
