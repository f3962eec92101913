// TDirTree: the drives and folders of the machine as a tree view, read lazily. Every drive is a root; a node's
// folders are read the first time it opens, and a node shows an expand button only when a first acceptable
// subfolder was found under it. Names are the shell's display names, icons the shell's small icons.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "browser/core/folder_rules.h"
#include "classlib/win/tree_view.h"

namespace brw {

// The folder of a node, owned by it. Nodes without one are placeholders.
struct TDirEntry {
  std::string Path;  // always ends in '\'
  bool Scanned = false;
};

// What a folder enumeration found, as OnFindDir fills it in place of the system's search.
struct TDirRec {
  int Attr = 0;
  std::string Name;
  HANDLE FindHandle = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAA FindData{};
};

using TAddFileEvent = cl::Event<void(cl::TObject*, const std::string& FileName, bool& DoAdd)>;
// First: in place of the find-first call on Path (the folder, ending in '\'); else of a find-next call. The
// handler fills Rec and sets Result to 0 for a hit.
using TFindDirEvent = cl::Event<void(cl::TObject*, const std::string& Path, TDirRec& Rec, int& Result, bool First)>;

class TDirTree : public cl::TCustomTreeView {
  CL_PUBLISHED_CLASS(TDirTree, cl::TCustomTreeView)
 public:
  explicit TDirTree(cl::TComponent* owner);
  void BeforeDestruction() override;

  // The selected folder, ending in '\'; "?" when nothing (or a placeholder) is selected.
  std::string Directory();
  // Selects folder, reading the nodes on the way. "?" is ignored; a folder that does not exist (or "") selects
  // the current drive's root; a remote folder without AllowNetwork selects the Windows folder. When some step
  // of the path is not in the tree, the selection stays as it was.
  void SetDirectory(const std::string& folder);

  // Builds the drive roots again (once the window exists and the tree is not loading).
  void ReadDrives();
  // Reads the drives again and goes back to the selected folder, or to a drive's last folder when it is gone.
  void Reload();

  bool ReadOnStart() const { return FReadOnStart; }
  void SetReadOnStart(bool value) { FReadOnStart = value; }
  bool FastLoad() const { return FFastLoad; }
  void SetFastLoad(bool value) { FFastLoad = value; }
  const TDirType& DirType() const { return FDirType; }
  void SetDirType(const TDirType& value);
  bool AllowNetwork() const { return FAllowNetwork; }
  void SetAllowNetwork(bool value);
  bool GoBelowRecycleBin() const { return FGoBelowRecycleBin; }
  void SetGoBelowRecycleBin(bool value);

  const TAddFileEvent& OnAddDir() const { return FOnAddDir; }
  void SetOnAddDir(const TAddFileEvent& e) { FOnAddDir = e; }
  const TFindDirEvent& OnFindDir() const { return FOnFindDir; }
  void SetOnFindDir(const TFindDirEvent& e) { FOnFindDir = e; }
  const cl::TTVExpandedEvent& OnDeleteItem() const { return FOnDeleteItem; }
  void SetOnDeleteItem(const cl::TTVExpandedEvent& e) { FOnDeleteItem = e; }
  const cl::TTVExpandedEvent& OnGetIcon() const { return FOnGetIcon; }
  void SetOnGetIcon(const cl::TTVExpandedEvent& e) { FOnGetIcon = e; }

 protected:
  void CreateWnd() override;
  void Loaded() override;
  // Reads the node's folders (once) and looks for a first subfolder under each of them.
  bool CanExpand(cl::TTreeNode* node) override;
  // Remembers the folder for its drive and tells OnChange, only while the tree is ready.
  void Change(cl::TTreeNode* node) override;
  // Frees the node's entry, then OnDeleteItem.
  void Delete(cl::TTreeNode* node) override;

 private:
  static TDirEntry* EntryOf(const cl::TTreeNode* node);
  // A node for the folder, named and drawn as the shell shows it (asking the shell only when askShell).
  cl::TTreeNode* AddFolderNode(cl::TTreeNode* parent, const std::string& path, bool askShell);
  // Calls visit for every entry of the folder (through OnFindDir when assigned) until visit returns false.
  void EnumerateFolder(const std::string& path, const std::function<bool(const WIN32_FIND_DATAA&)>& visit);
  // Whether a found entry is a folder the tree shows.
  bool Accepts(const std::string& parentPath, const WIN32_FIND_DATAA& found);
  bool DirAllowedWithVeto(const std::string& path);
  void ReadSubDirs(cl::TTreeNode* node);
  void ProbeSubDirs(cl::TTreeNode* node);
  // ReadSubDirs and a look under each new child: what opening the node shows.
  void OpenNode(cl::TTreeNode* node);
  cl::TTreeNode* FindChild(cl::TTreeNode* parent, const std::string& path) const;
  void ReloadWhenChanged(bool changed);

  cl::TImageList* FImages;
  int FClosedFolderIndex = 0;
  int FOpenFolderIndex = 0;
  std::string FWindowsFolder;
  bool FReady = false;
  std::array<std::string, 26> FDrivePaths;  // the last folder selected on each drive

  bool FReadOnStart = true;
  bool FFastLoad = false;
  TDirType FDirType = {dtNormal, dtAll};
  bool FAllowNetwork = true;
  bool FGoBelowRecycleBin = true;

  TAddFileEvent FOnAddDir;
  TFindDirEvent FOnFindDir;
  cl::TTVExpandedEvent FOnDeleteItem;
  cl::TTVExpandedEvent FOnGetIcon;
};

}  // namespace brw
