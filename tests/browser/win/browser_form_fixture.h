// The browser's forms as the program makes them, over a fresh folder of pictures, with the registry values of
// an earlier run removed and the modal user interface answered by the test.
#pragma once

#include <gtest/gtest.h>

#include "browser/browse_folder_dlg.h"
#include "browser/dir_tree.h"
#include "browser/main_form.h"
#include "browser/shell_file_list_box.h"
#include "browser_test_support.h"
#include "classlib/test/menu_items.h"
#include "classlib/test/responder.h"
#include "classlib/win/menus.h"
#include "classlib/win/registry.h"
#include "image/all_scr_frm.h"
#include "image/load_image.h"

namespace brwtest {

// Removes the browser's values from both registry roots.
inline void ForgetSettings() {
  cl::TRegistry registry;
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  registry.DeleteKey("SOFTWARE\\Orlanto\\Tarnby");
  registry.SetRootKey(HKEY_CURRENT_USER);
  registry.DeleteKey("SOFTWARE\\Orlanto\\Tarnby");
}

class BrowserFormTest : public testing::Test {
 protected:
  void SetUp() override {
    ForgetSettings();
    tree.Folders({"sub", "target"});
    tree.Bitmap("p300.bmp", 300, 200, cl::clRed);
    tree.Bitmap("q.bmp", 40, 30, cl::clBlue);
    tree.Bitmap("r.bmp", 20, 10, cl::clGreen);
    MakeForms();
  }
  void TearDown() override { FreeForms(); }

  void MakeForms() {
    brw::Tarnby = cl::New<brw::TTarnby>(nullptr);
    img::AllScrFrm = cl::New<img::TAllScrFrm>(nullptr);
    brw::BrowseFolderDlg = cl::New<brw::TBrowseFolderDlg>(nullptr);
    form = brw::Tarnby;
    form->Show();
  }
  void FreeForms() {
    cl::Free(brw::BrowseFolderDlg);
    cl::Free(img::AllScrFrm);
    cl::Free(brw::Tarnby);
    brw::Tarnby = nullptr;
    form = nullptr;
  }
  // The tree on the test folder, and the list following it.
  void OpenTestFolder() { form->DirTree1->SetDirectory(tree.Root()); }
  // Chooses a file of the list as a click would.
  void Choose(const std::string& name) { form->ShellFileListBox1->SetFileName(tree.Path(name)); }
  // A menu item of the main menu or a pop-up menu, by name.
  cl::TMenuItem* Item(const std::string& name) {
    for (cl::TMenu* menu : {static_cast<cl::TMenu*>(form->MainMenu1), static_cast<cl::TMenu*>(form->PopupMenuEx1),
                            static_cast<cl::TMenu*>(form->PopupMenuEx2)}) {
      if (cl::TMenuItem* item = cl::test::FindItemNamed(menu->Items(), name)) return item;
    }
    ADD_FAILURE() << "no menu item " << name;
    return nullptr;
  }

  TempTree tree;
  cl::test::Responder responder;
  brw::TTarnby* form = nullptr;
};

}  // namespace brwtest
