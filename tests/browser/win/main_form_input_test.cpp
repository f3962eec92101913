// The browser's main form under the system's own mouse and key input: clicks in the folder tree, the file list and
// the folder dialog, the keyboard's way to the full-screen view, and the shortcuts of its menus.
#include <gtest/gtest.h>

#include <windows.h>
// windows.h first: commctrl.h needs it.
#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "browser/core/file_commands.h"
#include "browser_form_fixture.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/combo_box.h"
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
  static void Keys(const std::vector<WORD>& keys) {
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

TEST_F(MainFormInputTest, F5OnTheFileListShowsAFileAddedOnDisk) {
  ClickAt(ListItemPoint(0));
  tree.Bitmap("added.bmp", 8, 8, cl::clBlack);
  Keys({VK_F5});
  EXPECT_GE(form->ShellFileListBox1->Items()->IndexOf("added.bmp"), 0);
}

// Each shortcut of the menu bar and the pop-up menus, pressed while the file list has the focus, clicks its item.
TEST_F(MainFormInputTest, EveryMenuShortcutClicksItsItem) {
  ClickAt(ListItemPoint(0));
  std::vector<cl::TMenuItem*> items;
  std::vector<std::string> clicked, expected;
  std::function<void(cl::TMenuItem*)> collect = [&](cl::TMenuItem* parent) {
    for (int i = 0; i < parent->Count(); ++i) {
      cl::TMenuItem* item = parent->Items(i);
      collect(item);
      if (item->ShortCut() == 0) continue;
      items.push_back(item);
      expected.push_back(item->Name());
      // Recorded instead of run: the commands themselves have tests of their own.
      item->SetOnClick(cl::TNotifyEvent([&clicked, item](cl::TObject*) { clicked.push_back(item->Name()); }));
    }
  };
  for (cl::TMenu* menu : {static_cast<cl::TMenu*>(form->MainMenu1), static_cast<cl::TMenu*>(form->PopupMenuEx1),
                          static_cast<cl::TMenu*>(form->PopupMenuEx2)}) {
    collect(menu->Items());
  }
  ASSERT_EQ(items.size(), 6u);  // Ctrl+O, Ctrl+M, F9, Ctrl+C, F1 and the pop-up's F5
  for (cl::TMenuItem* item : items) {
    testsupport::RealShortCut(item->ShortCut());
    cl::test::PumpFor(300);
  }
  EXPECT_EQ(clicked, expected);
}

// Opened with Alt+V, Enter, the full-screen preview goes at a click, on the picture or beside it.
TEST_F(MainFormInputTest, AClickLeavesTheFullScreenPreviewOpenedFromTheKeyboard) {
  ClickAt(ListItemPoint(0));
  ASSERT_EQ(form->LastFile, tree.Path("p300.bmp"));
  for (bool onThePicture : {true, false}) {
    SCOPED_TRACE(onThePicture ? "on the picture" : "beside it");
    bool closedByClick = false;
    responder.OnModal = [&](cl::TForm& modal) {
      return cl::seam::ModalAnswer::RunScript([&] {
        cl::test::PumpFor(200);
        ClickAt(onThePicture ? Middle(img::AllScrFrm->Image1) : modal.ClientToScreen(cl::Point(5, modal.Height() - 5)));
        closedByClick = modal.ModalResult() != cl::mrNone;
        if (!closedByClick) modal.SetModalResult(cl::mrCancel);
      });
    };
    Keys({VK_MENU, 'V'});
    Keys({VK_RETURN});
    EXPECT_EQ(responder.ModalForms.size(), onThePicture ? 1u : 2u);
    EXPECT_TRUE(closedByClick);
  }
}

// A mask picked with the mouse from the box's drop-down list brings the folder's GIF files (giflib's sample here)
// into the list, and the one clicked shows in the preview as ImageMagick reads it.
TEST_F(MainFormInputTest, AMaskPickedFromTheDropDownListShowsGifFilesThatPreviewWhenClicked) {
  const char* sample = std::getenv("PROJECT_GIFLIB_SAMPLES");
  ASSERT_NE(sample, nullptr);
  ASSERT_TRUE(CopyFileA((std::string(sample) + "\\porsche.gif").c_str(), tree.Path("porsche.gif").c_str(), TRUE));
  ASSERT_EQ(form->Edit2->Items()->Strings(0), brw::kDefaultMaskList);

  cl::TComboBox* box = form->Edit2;
  ClickAt(box->ClientToScreen(cl::Point(box->Width() - 8, box->Height() / 2)));
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(box->Handle(), &info));
  RECT first{};
  SendMessageA(info.hwndList, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  POINT at{(first.left + first.right) / 2, (first.top + first.bottom) / 2};
  ClientToScreen(info.hwndList, &at);
  ClickAt(cl::Point(at.x, at.y));
  EXPECT_EQ(form->ShellFileListBox1->Mask(), brw::kDefaultMaskList);

  const int index = form->ShellFileListBox1->Items()->IndexOf("porsche.gif");
  ASSERT_GE(index, 0);
  ClickAt(ListItemPoint(index));
  EXPECT_EQ(form->LastFile, tree.Path("porsche.gif"));
  EXPECT_EQ(form->Image1->Width(), 320);
  EXPECT_EQ(form->Image1->Height(), 200);
  HDC screen = GetDC(nullptr);
  const cl::TPoint middle = form->Image1->ClientToScreen(cl::Point(160, 100));
  EXPECT_EQ(GetPixel(screen, middle.X, middle.Y), RGB(170, 51, 68));
  ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace brwtest
