// TTarnby's file commands (copy, move and delete of the chosen file), the mask box, and the file list following
// the folder tree.
#include <windows.h>

#include "browser/browse_folder_dlg.h"
#include "browser/dir_tree.h"
#include "browser/main_form.h"
#include "browser/shell_file_list_box.h"
#include "controls/hi_timer.h"
#include "controls/core/text_routines.h"
#include "controls/ole_drag_drop.h"
#include "classlib/core/files.h"
#include "classlib/core/paths.h"
#include "classlib/core/string_list.h"
#include "classlib/win/application.h"
#include "classlib/win/combo_box.h"
#include "classlib/win/message_box.h"
#include "classlib/win/shell_start.h"
#include "classlib/win/system_info.h"
#include "classlib/win/timer.h"

namespace brw {

namespace {

constexpr WORD kDeleteKey = VK_DELETE;
constexpr WORD kEnterKey = VK_RETURN;
constexpr char kCopyTitle[] = "Copy Image File";
constexpr char kMoveTitle[] = "Move Image File";
constexpr char kDeleteTitle[] = "Delete File";

// Whether two names lead to one file (also through another spelling of its path).
bool SameFile(const std::string& a, const std::string& b) {
  auto identity = [](const std::string& name, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE file = CreateFileA(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    return known;
  };
  BY_HANDLE_FILE_INFORMATION first{}, second{};
  if (!identity(a, first) || !identity(b, second)) return false;
  return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber && first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

}  // namespace

void TTarnby::ReturnListTo(int index, bool reread) {
  ShellFileListBox1->SetFileName(DirTree1->Directory());
  if (reread) ShellFileListBox1->Update();
  ShellFileListBox1->SetItemIndex(index);
  ShellFileListBox1Change(this);
}

void TTarnby::ReportFileError(const std::string& title, const std::string& what, DWORD error) {
  cl::MessageBoxA(Handle(), what + ":\n" + cl::SysErrorMessage(error), title, MB_ICONERROR | MB_OK);
}

void TTarnby::TransferFile(const std::string& source, const std::string& folder, bool move) {
  const std::string title = move ? kMoveTitle : kCopyTitle;
  const std::string target = CopyTarget(folder, source);
  // A copy onto the file itself would make nothing new, and a move would then delete the only copy: the file is
  // already where the user wants it.
  if (SameFile(source, target)) return;
  const bool replacing = GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES;
  if (replacing && cl::MessageBoxA(Handle(), "Replace '" + target + "'?", title, MB_ICONQUESTION | MB_YESNO) != IDYES) {
    return;
  }
  // Without the user's yes no file is replaced, not even one that appeared meanwhile.
  if (!CopyFileA(source.c_str(), target.c_str(), replacing ? FALSE : TRUE)) {
    const DWORD error = GetLastError();
    ReportFileError(title, "Cannot copy '" + source + "' to '" + folder + "'", error);
    return;
  }
  // The source goes only once its copy is complete.
  if (move && !DeleteFileA(source.c_str())) {
    const DWORD error = GetLastError();
    ReportFileError(title, "'" + source + "' was copied to '" + folder + "' but cannot be removed", error);
  }
}

void TTarnby::CopyOrMove(bool move) {
  const int index = ShellFileListBox1->ItemIndex();
  if (BrowseFolderDlg && BrowseFolderDlg->ShowModal() == cl::mrOk) {
    const std::string source = ShellFileListBox1->FileName();
    if (!source.empty()) TransferFile(source, BrowseFolderDlg->DirTree1->Directory(), move);
  }
  ReturnListTo(index, move);
}

void TTarnby::Copy1Click(cl::TObject*) {
  CopyOrMove(false);
}

void TTarnby::Move1Click(cl::TObject*) {
  CopyOrMove(true);
}

void TTarnby::Delete1Click(cl::TObject*) {
  const int index = ShellFileListBox1->ItemIndex();
  const std::string file = ShellFileListBox1->FileName();
  const int answer = cl::MessageBoxA(Handle(), "Delete file '" + file + "' from disk?", kDeleteTitle,
                                     MB_ICONQUESTION | MB_YESNOCANCEL);
  if (answer == IDYES) {
    if (!DeleteFileA(file.c_str())) {
      const DWORD error = GetLastError();
      ReportFileError(kDeleteTitle, "Cannot delete '" + file + "'", error);
    }
    ShellFileListBox1->Update();  // the list shows what the disk holds
  }
  ReturnListTo(index, true);
}

void TTarnby::ShellFileListBox1KeyDown(cl::TObject* sender, WORD& key, cl::TShiftState) {
  if (key == kDeleteKey) Delete1Click(sender);
}

void TTarnby::ShellFileListBox1DblClick(cl::TObject*) {
  const std::string file = ShellFileListBox1->FileName();
  cl::ShellOpen(Handle(), "OPEN", file, "", cl::ExtractFilePath(file).c_str(), SW_SHOWNORMAL);
}

void TTarnby::FileListBoxMouseMove(cl::TObject*, cl::TShiftState shift, int, int) {
  if (!shift.Contains(cl::ssLeft)) return;
  const std::string folder = ctl::AddBackslash(ShellFileListBox1->Directory());
  cl::Owned<cl::TStringList> files = cl::MakeOwned<cl::TStringList>();
  for (int i = 0; i < ShellFileListBox1->Items()->Count(); ++i) {
    if (ShellFileListBox1->Selected(i)) files->Add(folder + ShellFileListBox1->Items()->Strings(i));
  }
  OleDragDrop1->DragFiles(files.get());
}

void TTarnby::Edit2KeyDown(cl::TObject*, WORD& key, cl::TShiftState) {
  if (key != kEnterKey) return;
  const std::string text = Edit2->Text();
  ShellFileListBox1->SetMask(text);
  std::vector<std::string> items;
  for (int i = 0; i < Edit2->Items()->Count(); ++i) items.push_back(Edit2->Items()->Strings(i));
  AddMaskOnEnter(items, text);
  if (static_cast<int>(items.size()) > Edit2->Items()->Count()) Edit2->Items()->Add(items.back());
}

void TTarnby::Edit2Click(cl::TObject*) {
  ShellFileListBox1->SetMask(Edit2->Text());
}

void TTarnby::CtlHiTimer1Timer(cl::TObject*) {
  try {
    ShellFileListBox1->SetFileName(DirTree1->Directory());
  } catch (const std::exception&) {
    // A folder that cannot be entered now (a drive without a disk): the list stays where it is until the tree
    // moves, and the next tick tries again.
  }
}

void TTarnby::Update1Click(cl::TObject*) {
  CtlHiTimer1->SetEnabled(false);
  try {
    ShellFileListBox1->Update();
    DirTree1->Reload();
    ShellFileListBox1->SetFileName(DirTree1->Directory());
  } catch (...) {
    CtlHiTimer1->SetEnabled(true);  // the list goes on following the tree
    throw;
  }
  CtlHiTimer1->SetEnabled(true);
}

void TTarnby::TreeViewChange(cl::TObject*, cl::TTreeNode*) {
  const std::string folder = DirTree1->Directory();
  if (FDriveCheck.Check(folder)) {
    ShellFileListBox1->SetFileName(folder);
  } else {
    DirTree1->SetDirectory("C:\\");
  }
  const std::string title = BrowserTitle(DirTree1->Directory());
  SetCaption(title);
  cl::Application->SetTitle(title);
}

}  // namespace brw
