#include "browser/browse_folder_dlg.h"

#include "browser/dir_tree.h"
#include "classlib/core/string_list.h"
#include "classlib/win/stdctrls.h"
#include "controls/ini_out.h"

namespace brw {

TBrowseFolderDlg* BrowseFolderDlg = nullptr;

namespace {

// No stored folder (a first run) loads as "", which opens the dialog at the current drive's root.
constexpr char kTargetFolderItem[] = "DirTree1;Directory;;SOFTWARE\\Orlanto\\Tarnby;LastCopyMoveFolder;1;0";

cl::TButton* AddButton(cl::TForm* form, const std::string& name, const std::string& caption, int left,
                       cl::TModalResult result) {
  auto* button = cl::Make<cl::TButton>(form, name);
  button->SetParent(form);
  button->SetBounds(left, 268, 75, 25);
  button->SetCaption(caption);
  button->SetModalResult(result);
  return button;
}

}  // namespace

void TBrowseFolderDlg::CreateComponents() {
  SetCaption("Select Folder");
  SetBorderStyle(cl::bsDialog);
  SetPosition(cl::poScreenCenter);
  // The client area is what the controls need: the window's frame around it is known once the window exists.
  HandleNeeded();
  SetClientSize(329, 303);
  Label1 = cl::Make<cl::TLabel>(this, "Label1");
  Label1->SetParent(this);
  Label1->SetAutoSize(false);
  Label1->SetBounds(2, 8, 325, 17);
  DirTree1 = cl::Make<TDirTree>(this, "DirTree1");
  DirTree1->SetParent(this);
  DirTree1->SetBounds(0, 30, 329, 229);
  DirTree1->SetDirType({dtReadOnly, dtHidden, dtSystem, dtArchive, dtNormal, dtAll});
  DirTree1->SetFastLoad(true);
  DirTree1->SetOnChange(CL_EVENT(DirTree1Change));
  Button1 = AddButton(this, "Button1", "&OK", 160, cl::mrOk);
  Button1->SetDefault(true);
  Button2 = AddButton(this, "Button2", "&Cancel", 245, cl::mrCancel);
  Button2->SetCancel(true);
  IniOut1 = cl::Make<ctl::TIniOut>(this, "IniOut1");
  IniOut1->SetRegistryRoot(ctl::LOCAL_MACHINE);
  IniOut1->Items()->Add(kTargetFolderItem);
  SetOnCreate(CL_EVENT(FormCreate));
  SetOnDestroy(CL_EVENT(FormDestroy));
}

void TBrowseFolderDlg::BeforeDestruction() {
  inherited::BeforeDestruction();
  if (BrowseFolderDlg == this) BrowseFolderDlg = nullptr;
}

void TBrowseFolderDlg::DirTree1Change(cl::TObject*, cl::TTreeNode*) {
  Label1->SetCaption(DirTree1->Directory());
}

void TBrowseFolderDlg::FormCreate(cl::TObject*) {
  IniOut1->Load();
}

void TBrowseFolderDlg::FormDestroy(cl::TObject*) {
  IniOut1->Save();
}

}  // namespace brw
