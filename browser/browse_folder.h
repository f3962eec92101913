// TBrowseFolder: the settings of a shell folder-browse dialog, kept as a component on the main form. It shows no
// dialog of its own.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include <string>

#include "classlib/core/component.h"
#include "classlib/core/events.h"
#include "classlib/core/set.h"

namespace brw {

enum TBrowseInfoFlags {
  bfFileSysDirsOnly,
  bfDontGoBelowDomain,
  bfStatusText,
  bfFileSysAncestors,
  bfBrowseForComputer,
  bfBrowseForPrinter
};
using TBrowseInfoFlagSet = cl::Set<TBrowseInfoFlags>;

enum TSHFolders {
  foDesktop,
  foDesktopExpanded,
  foPrograms,
  foControlPanel,
  foPrinters,
  foPersonal,
  foFavorites,
  foStartup,
  foRecent,
  foSendto,
  foRecycleBin,
  foStartMenu,
  foDesktopDirectory,
  foMyComputer,
  foNetwork,
  foNetworkNeighborhood,
  foFonts,
  foTemplates
};

class TBrowseFolder;
using TBrowserInitializedEvent = cl::Event<void(TBrowseFolder* Sender, int DialogHandle)>;
using TSelectionChangedEvent =
    cl::Event<void(TBrowseFolder* Sender, int DialogHandle, LPITEMIDLIST ItemIDList, const std::string& Directory)>;
using TCustomButtonClickEvent = cl::Event<void(TBrowseFolder* Sender, int DialogHandle)>;

class TBrowseFolder : public cl::TComponent {
  CL_CLASS(TBrowseFolder, cl::TComponent)
 public:
  explicit TBrowseFolder(cl::TComponent* owner) : TComponent(owner) {}

  const std::string& Directory() const { return FDirectory; }
  void SetDirectory(const std::string& value) { FDirectory = value; }
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& value) { FTitle = value; }
  const TBrowseInfoFlagSet& Flags() const { return FFlags; }
  void SetFlags(const TBrowseInfoFlagSet& value) { FFlags = value; }
  bool ShowPathInStatusArea() const { return FShowPathInStatusArea; }
  void SetShowPathInStatusArea(bool value) { FShowPathInStatusArea = value; }
  TSHFolders RootFolder() const { return FRootFolder; }
  void SetRootFolder(TSHFolders value) { FRootFolder = value; }
  bool CustomButtonVisible() const { return FCustomButtonVisible; }
  void SetCustomButtonVisible(bool value) { FCustomButtonVisible = value; }
  bool CustomButtonEnabled() const { return FCustomButtonEnabled; }
  void SetCustomButtonEnabled(bool value) { FCustomButtonEnabled = value; }
  const std::string& CustomButtonCaption() const { return FCustomButtonCaption; }
  void SetCustomButtonCaption(const std::string& value) { FCustomButtonCaption = value; }
  int CustomButtonWidth() const { return FCustomButtonWidth; }
  // Widths below 1 become the default 75.
  void SetCustomButtonWidth(int value) { FCustomButtonWidth = value >= 1 ? value : kDefaultButtonWidth; }
  bool SyncCustomButton() const { return FSyncCustomButton; }
  void SetSyncCustomButton(bool value) { FSyncCustomButton = value; }

  const TBrowserInitializedEvent& OnInitialized() const { return FOnInitialized; }
  void SetOnInitialized(const TBrowserInitializedEvent& e) { FOnInitialized = e; }
  const TSelectionChangedEvent& OnSelectionChanged() const { return FOnSelectionChanged; }
  void SetOnSelectionChanged(const TSelectionChangedEvent& e) { FOnSelectionChanged = e; }
  const TCustomButtonClickEvent& OnCustomButtonClick() const { return FOnCustomButtonClick; }
  void SetOnCustomButtonClick(const TCustomButtonClickEvent& e) { FOnCustomButtonClick = e; }

 private:
  static constexpr int kDefaultButtonWidth = 75;

  std::string FDirectory;
  std::string FTitle;
  TBrowseInfoFlagSet FFlags;
  bool FShowPathInStatusArea = false;
  TSHFolders FRootFolder = foDesktopExpanded;
  bool FCustomButtonVisible = false;
  bool FCustomButtonEnabled = true;
  std::string FCustomButtonCaption;
  int FCustomButtonWidth = kDefaultButtonWidth;
  bool FSyncCustomButton = false;
  TBrowserInitializedEvent FOnInitialized;
  TSelectionChangedEvent FOnSelectionChanged;
  TCustomButtonClickEvent FOnCustomButtonClick;
};

}  // namespace brw
