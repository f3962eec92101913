// TBrowseFolderDlg: the modal "Select Folder" dialog in which the user picks the target folder of a copy or move.
// It is made once at start-up; the folder last selected, also when the dialog was cancelled, is where it opens
// next, and it is kept over the program's end.
#pragma once

#include "classlib/win/forms.h"

namespace cl {
class TButton;
class TLabel;
class TTreeNode;
}  // namespace cl

namespace ctl {
class TIniOut;
}

namespace brw {

class TDirTree;

class TBrowseFolderDlg : public cl::TForm {
  CL_CLASS(TBrowseFolderDlg, cl::TForm)
 public:
  explicit TBrowseFolderDlg(cl::TComponent* owner) : TForm(owner) {}
  void BeforeDestruction() override;

  cl::TLabel* Label1 = nullptr;
  TDirTree* DirTree1 = nullptr;
  cl::TButton* Button1 = nullptr;
  cl::TButton* Button2 = nullptr;
  ctl::TIniOut* IniOut1 = nullptr;

  // The label shows the folder being selected.
  void DirTree1Change(cl::TObject* sender, cl::TTreeNode* node);

 protected:
  void CreateComponents() override;

 private:
  // IniOut1 keeps the last target folder.
  void FormCreate(cl::TObject* sender);
  void FormDestroy(cl::TObject* sender);
};

// The program's folder dialog, once Application->CreateForm made it.
extern TBrowseFolderDlg* BrowseFolderDlg;

}  // namespace brw
