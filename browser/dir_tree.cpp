#include "browser/dir_tree.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "classlib/core/files.h"
#include "classlib/core/paths.h"
#include "classlib/core/string_utils.h"
#include "image/hour_glass.h"

namespace brw {

namespace {

constexpr char kPlaceholderText[] = "**";

// Critical-error boxes off for the life of a scope, so that a drive without a disk yields no folders instead of
// a system box.
class ErrorModeOff {
 public:
  ErrorModeOff() : FPrevious(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~ErrorModeOff() { SetErrorMode(FPrevious); }
  ErrorModeOff(const ErrorModeOff&) = delete;
  ErrorModeOff& operator=(const ErrorModeOff&) = delete;

 private:
  UINT FPrevious;
};

// Closes the search handle of a record, whoever filled it.
class FindCloser {
 public:
  explicit FindCloser(TDirRec& rec) : FRec(rec) {}
  ~FindCloser() {
    if (FRec.FindHandle != INVALID_HANDLE_VALUE && FRec.FindHandle != nullptr) FindClose(FRec.FindHandle);
  }
  FindCloser(const FindCloser&) = delete;
  FindCloser& operator=(const FindCloser&) = delete;

 private:
  TDirRec& FRec;
};

// Redrawing off while nodes are added in bulk.
class UpdateScope {
 public:
  explicit UpdateScope(cl::TTreeNodes* nodes) : FNodes(nodes) { FNodes->BeginUpdate(); }
  ~UpdateScope() { FNodes->EndUpdate(); }
  UpdateScope(const UpdateScope&) = delete;
  UpdateScope& operator=(const UpdateScope&) = delete;

 private:
  cl::TTreeNodes* FNodes;
};

int ShellIconIndex(const std::string& path, UINT extraFlags) {
  SHFILEINFOA info{};
  SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extraFlags);
  return info.iIcon;
}

std::string WithoutTrailingBackslash(const std::string& path) {
  return !path.empty() && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
}

std::string CurrentDriveRoot() {
  return cl::GetCurrentDir().substr(0, 2) + "\\";
}

bool IsRemote(const std::string& path) {
  return path.size() >= 2 && GetDriveTypeA((path.substr(0, 2) + "\\").c_str()) == DRIVE_REMOTE;
}

}  // namespace

TDirTree::TDirTree(cl::TComponent* owner) : TCustomTreeView(owner), FImages(cl::New<cl::TImageList>(this)) {
  SetHideSelection(false);
  // A label edited here would rename nothing on disk while every path after it is built from the new name.
  SetReadOnly(true);
  for (int slot = 0; slot < 26; ++slot) FDrivePaths[slot] = std::string(1, static_cast<char>('A' + slot)) + ":\\";
  const std::string current = cl::IncludeTrailingBackslash(cl::GetCurrentDir());
  if (auto slot = DriveSlot(current)) FDrivePaths[*slot] = current;

  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  FWindowsFolder = cl::IncludeTrailingBackslash(windows);
  SHFILEINFOA info{};
  auto systemList = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA(FWindowsFolder.c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  FClosedFolderIndex = info.iIcon;
  FOpenFolderIndex = ShellIconIndex(FWindowsFolder, SHGFI_OPENICON);
  // The system's list belongs to the shell: shared, never destroyed here.
  FImages->SetShareImages(true);
  if (systemList) {
    FImages->SetHandle(systemList);
    SetImages(FImages);
  }
}

void TDirTree::BeforeDestruction() {
  FReady = false;
  inherited::BeforeDestruction();
}

TDirEntry* TDirTree::EntryOf(const cl::TTreeNode* node) {
  return node ? static_cast<TDirEntry*>(node->Data()) : nullptr;
}

std::string TDirTree::Directory() {
  try {
    if (const TDirEntry* entry = EntryOf(Selected())) return entry->Path;
  } catch (...) {
    // a tree that cannot tell has no folder selected
  }
  return "?";
}

void TDirTree::CreateWnd() {
  inherited::CreateWnd();
  // A window made again keeps its nodes; only the first one reads the drives.
  if (FReadOnStart && !Items()->GetFirstNode()) ReadDrives();
}

void TDirTree::Loaded() {
  inherited::Loaded();
  if (!HandleAllocated()) return;
  const std::string folder = Directory();
  ReadDrives();
  SetDirectory(folder);
}

cl::TTreeNode* TDirTree::AddFolderNode(cl::TTreeNode* parent, const std::string& path, bool askShell) {
  std::string text = cl::ExtractFileName(WithoutTrailingBackslash(path));
  int imageIndex = FClosedFolderIndex;
  SHFILEINFOA info{};
  // The shell's name and icon differ from a folder's own name and the folder icon only for drives and for
  // folders it may have been told to show otherwise (those carry the system or read-only mark). Asking it for
  // every folder would cost milliseconds each.
  if (askShell &&
      SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_DISPLAYNAME) &&
      info.szDisplayName[0]) {
    text = info.szDisplayName;
    imageIndex = info.iIcon;
  }
  cl::TTreeNode* node = Items()->AddChildObject(parent, text, new TDirEntry{path, false});
  node->SetImageIndex(imageIndex);
  node->SetSelectedIndex(imageIndex == FClosedFolderIndex ? FOpenFolderIndex : ShellIconIndex(path, SHGFI_OPENICON));
  if (FOnGetIcon) FOnGetIcon(this, node);
  return node;
}

void TDirTree::EnumerateFolder(const std::string& path, const std::function<bool(const WIN32_FIND_DATAA&)>& visit) {
  ErrorModeOff errorsOff;
  TDirRec rec;
  FindCloser closer(rec);
  int result = 1;
  auto find = [&](bool first) {
    if (FOnFindDir) {
      result = 1;
      FOnFindDir(this, path, rec, result, first);
      return;
    }
    if (first) {
      rec.FindHandle = FindFirstFileA((path + "*.*").c_str(), &rec.FindData);
      result = rec.FindHandle == INVALID_HANDLE_VALUE ? 1 : 0;
    } else {
      result = FindNextFileA(rec.FindHandle, &rec.FindData) ? 0 : 1;
    }
    rec.Name = rec.FindData.cFileName;
    rec.Attr = static_cast<int>(rec.FindData.dwFileAttributes);
  };
  for (find(true); result == 0; find(false)) {
    WIN32_FIND_DATAA found = rec.FindData;
    found.dwFileAttributes = static_cast<DWORD>(rec.Attr);
    lstrcpynA(found.cFileName, rec.Name.c_str(), MAX_PATH);
    if (!visit(found)) break;
  }
}

bool TDirTree::DirAllowedWithVeto(const std::string& path) {
  bool allowed = DirAllowed(path, FGoBelowRecycleBin);
  if (FOnAddDir) FOnAddDir(this, path, allowed);
  return allowed;
}

bool TDirTree::Accepts(const std::string& parentPath, const WIN32_FIND_DATAA& found) {
  if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  const std::string name = found.cFileName;
  if (name == "." || name == "..") return false;
  const FolderAttributes attributes{(found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0,
                                    (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0,
                                    (found.dwFileAttributes & FILE_ATTRIBUTE_ARCHIVE) != 0};
  return DirAllowedWithVeto(parentPath + name + "\\") && AttrAllowed(attributes, FDirType);
}

void TDirTree::ReadDrives() {
  if (!HandleAllocated() || ComponentState().Contains(cl::csLoading)) return;
  FReady = false;
  {
    img::HourGlass hourGlass;
    UpdateScope update(Items());
    Items()->Clear();
    ErrorModeOff errorsOff;
    const DWORD drives = GetLogicalDrives();
    for (int slot = 0; slot < 26; ++slot) {
      if (!(drives & (1u << slot))) continue;
      const std::string root = std::string(1, static_cast<char>('A' + slot)) + ":\\";
      const UINT type = GetDriveTypeA(root.c_str());
      if (type == DRIVE_REMOTE && !FAllowNetwork) continue;
      if (!DirAllowedWithVeto(root)) continue;
      cl::TTreeNode* node = AddFolderNode(nullptr, root, true);
      if (DriveGetsPlaceholder(FFastLoad, type)) {
        Items()->AddChild(node, "");
      } else {
        ProbeSubDirs(node);
      }
    }
    FReady = true;
  }
  if (cl::TTreeNode* selected = Selected()) SetTopItem(selected);
}

void TDirTree::ReadSubDirs(cl::TTreeNode* node) {
  TDirEntry* entry = EntryOf(node);
  if (!entry || entry->Scanned) return;
  node->DeleteChildren();
  entry->Scanned = true;
  struct Found {
    std::string Name;
    bool AskShell;
  };
  std::vector<Found> folders;
  EnumerateFolder(entry->Path, [&](const WIN32_FIND_DATAA& found) {
    if (Accepts(entry->Path, found)) {
      const bool marked = found.dwFileAttributes & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
      folders.push_back({found.cFileName, marked});
    }
    return true;
  });
  // Sorted without regard to case, as a sorted string list of the class library sorts.
  std::sort(folders.begin(), folders.end(),
            [](const Found& a, const Found& b) { return cl::CompareText(a.Name, b.Name) < 0; });
  for (const Found& folder : folders) AddFolderNode(node, entry->Path + folder.Name + "\\", folder.AskShell);
}

void TDirTree::ProbeSubDirs(cl::TTreeNode* node) {
  const TDirEntry* entry = EntryOf(node);
  // A node that already shows a button, or whose folders were read, needs no look.
  if (!entry || entry->Scanned || node->Count() > 0) return;
  EnumerateFolder(entry->Path, [&](const WIN32_FIND_DATAA& found) {
    if (!Accepts(entry->Path, found)) return true;
    Items()->AddChild(node, kPlaceholderText);
    return false;
  });
}

void TDirTree::OpenNode(cl::TTreeNode* node) {
  UpdateScope update(Items());
  ReadSubDirs(node);
  for (cl::TTreeNode* child = node->getFirstChild(); child; child = child->getNextSibling()) ProbeSubDirs(child);
}

bool TDirTree::CanExpand(cl::TTreeNode* node) {
  {
    img::HourGlass hourGlass;
    OpenNode(node);
  }
  return inherited::CanExpand(node);
}

void TDirTree::Change(cl::TTreeNode* node) {
  if (!FReady || ComponentState().Contains(cl::csDestroying)) return;
  if (const TDirEntry* entry = EntryOf(node)) {
    if (auto slot = DriveSlot(entry->Path)) FDrivePaths[*slot] = entry->Path;
  }
  inherited::Change(node);
}

void TDirTree::Delete(cl::TTreeNode* node) {
  delete EntryOf(node);
  node->SetData(nullptr);
  if (FOnDeleteItem) FOnDeleteItem(this, node);
}

cl::TTreeNode* TDirTree::FindChild(cl::TTreeNode* parent, const std::string& path) const {
  for (cl::TTreeNode* node = parent ? parent->getFirstChild() : Items()->GetFirstNode(); node;
       node = node->getNextSibling()) {
    const TDirEntry* entry = EntryOf(node);
    if (entry && lstrcmpiA(entry->Path.c_str(), path.c_str()) == 0) return node;
  }
  return nullptr;
}

void TDirTree::SetDirectory(const std::string& folder) {
  if (folder == "?") return;
  std::string path = folder.empty() ? folder : cl::IncludeTrailingBackslash(folder);
  {
    ErrorModeOff errorsOff;
    if (path.empty() || GetFileAttributesA(WithoutTrailingBackslash(path).c_str()) == INVALID_FILE_ATTRIBUTES) {
      path = CurrentDriveRoot();
    }
  }
  if (!FAllowNetwork && IsRemote(path)) path = FWindowsFolder;

  img::HourGlass hourGlass;
  cl::TTreeNode* found = nullptr;
  {
    UpdateScope update(Items());  // makes the window, and with it the roots, when there is none yet
    for (const std::string& step : PathPrefixes(path)) {
      cl::TTreeNode* next = FindChild(found, step);
      if (!next) return;
      found = next;
      // The nodes on the way open as a click would open them, so that their other folders show buttons too.
      OpenNode(found);
    }
  }
  if (!found) return;
  SetSelected(found);
  SetTopItem(found);
}

void TDirTree::Reload() {
  const std::string old = Directory();
  ReadDrives();
  SetDirectory(old);
  if (Items()->GetFirstNode() && !Selected()) SetDirectory(old.substr(0, 3));
  if (Selected()) return;
  try {
    // A root whose folders were not read yet (its first child is not a read folder) is passed over while
    // another root follows.
    auto unread = [](const cl::TTreeNode* child) { return !EntryOf(child) || !EntryOf(child)->Scanned; };
    cl::TTreeNode* root = Items()->GetFirstNode();
    while (root && root->getFirstChild() && unread(root->getFirstChild()) && root->getNextSibling()) {
      root = root->getNextSibling();
    }
    if (!root) return;
    const auto slot = DriveSlot(EntryOf(root)->Path);
    if (!slot) return;
    const std::string remembered = FDrivePaths[*slot];
    SetDirectory(remembered);
    if (Directory() != remembered) {
      SetSelected(root);
      Change(root);
    }
  } catch (...) {
    // the tree just stays without a selection
  }
}

void TDirTree::ReloadWhenChanged(bool changed) {
  if (changed && HandleAllocated()) Reload();
}

void TDirTree::SetDirType(const TDirType& value) {
  const bool changed = !(value == FDirType);
  FDirType = value;
  ReloadWhenChanged(changed);
}

void TDirTree::SetAllowNetwork(bool value) {
  const bool changed = value != FAllowNetwork;
  FAllowNetwork = value;
  ReloadWhenChanged(changed);
}

void TDirTree::SetGoBelowRecycleBin(bool value) {
  const bool changed = value != FGoBelowRecycleBin;
  FGoBelowRecycleBin = value;
  ReloadWhenChanged(changed);
}

void TDirTree::Publish(cl::rtti::Builder& b) {
  b.Prop("Directory", cl::rtti::tiString, &TDirTree::Directory, &TDirTree::SetDirectory);
}

}  // namespace brw
