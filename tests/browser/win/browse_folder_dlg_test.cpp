// The "Select Folder" dialog as copy and move show it: laid out whole, its label following the tree, the folder
// chosen kept when it is cancelled and over the program's end; and the unused folder-browse component's button
// width.
#include <gtest/gtest.h>

#include "browser/browse_folder.h"
#include "browser_form_fixture.h"
#include "classlib/core/string_utils.h"
#include "classlib/test/pump.h"
#include "classlib/win/stdctrls.h"
#include "support/screenshot.h"

namespace brwtest {
namespace {

class BrowseFolderDlgTest : public BrowserFormTest {
 protected:
  brw::TBrowseFolderDlg* Dialog() const { return brw::BrowseFolderDlg; }
  // Shows the dialog as copy does and runs script while it shows.
  cl::TModalResult ShowWith(const std::function<void()>& script) {
    responder.OnModal = [script](cl::TForm&) { return cl::seam::ModalAnswer::RunScript(script); };
    return Dialog()->ShowModal();
  }
};

TEST_F(BrowseFolderDlgTest, EverythingShowsWholeAndTheLabelNamesTheFolder) {
  ShowWith([&] {
    Dialog()->DirTree1->SetDirectory(tree.Path("target"));
    cl::test::PumpFor(200);
    testsupport::SaveScreenshot("browser_select_folder");
    const cl::TRect client = Dialog()->ClientRect();
    for (cl::TControl* control : std::initializer_list<cl::TControl*>{Dialog()->Label1, Dialog()->DirTree1,
                                                                      Dialog()->Button1, Dialog()->Button2}) {
      EXPECT_GE(control->Left(), client.Left) << control->Name();
      EXPECT_GE(control->Top(), client.Top) << control->Name();
      EXPECT_LE(control->Left() + control->Width(), client.Right) << control->Name();
      EXPECT_LE(control->Top() + control->Height(), client.Bottom) << control->Name();
    }
    EXPECT_EQ(Dialog()->Label1->Caption(), tree.Path("target\\"));
    Dialog()->SetModalResult(cl::mrCancel);
  });
}

TEST_F(BrowseFolderDlgTest, TheFolderChosenStaysAfterCancelAndOverTheProgramsEnd) {
  EXPECT_TRUE(cl::SameText(Dialog()->DirTree1->Directory(), "C:\\"));  // a first run: the current drive's root
  EXPECT_EQ(ShowWith([&] {
              Dialog()->DirTree1->SetDirectory(tree.Path("sub"));
              Dialog()->SetModalResult(cl::mrCancel);
            }),
            cl::mrCancel);
  EXPECT_EQ(Dialog()->DirTree1->Directory(), tree.Path("sub\\"));
  FreeForms();
  cl::TRegistry machine;
  machine.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(machine.OpenKey("SOFTWARE\\Orlanto\\Tarnby", false));
  EXPECT_EQ(machine.ReadString("LastCopyMoveFolder"), tree.Path("sub\\"));
  MakeForms();
  EXPECT_EQ(Dialog()->DirTree1->Directory(), tree.Path("sub\\"));
}

TEST(BrowseFolder, TheCustomButtonIsAtLeastOnePixelWideElseTheDefault) {
  cl::Owned<brw::TBrowseFolder> browse(cl::New<brw::TBrowseFolder>(nullptr));
  for (const auto& [set, kept] : {std::pair{1, 1}, std::pair{120, 120}, std::pair{0, 75}, std::pair{-5, 75}}) {
    browse->SetCustomButtonWidth(set);
    EXPECT_EQ(browse->CustomButtonWidth(), kept) << set;
  }
}

}  // namespace
}  // namespace brwtest
