#include "browser/browse_folder_dlg.h"

#include "browser/dir_tree.h"
#include "classlib/win/registry.h"
#include "classlib/win/stdctrls.h"

namespace brw {

TBrowseFolderDlg* BrowseFolderDlg = nullptr;

namespace {

constexpr char kSettingsKey[] = "SOFTWARE\\Orlanto\\Tarnby";
constexpr char kTargetValue[] = "LastCopyMoveFolder";

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
  cl::TRegistry registry;
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  // No stored folder (a first run) reads as "", which opens the dialog at the current drive's root.
  const std::string folder = registry.OpenKey(kSettingsKey, false) ? registry.ReadString(kTargetValue) : "";
  DirTree1->SetDirectory(folder);
}

void TBrowseFolderDlg::FormDestroy(cl::TObject*) {
  try {
    cl::TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (registry.OpenKey(kSettingsKey, true)) registry.WriteString(kTargetValue, DirTree1->Directory());
  } catch (const std::exception&) {
    // the next start opens at the folder stored before
  }
}

}  // namespace brw
