// TOpenDialog and TSaveDialog over the system's Explorer-style file dialogs. The chosen files come back as full
// paths in Files (in the dialog's order) and the first in FileName. The test responder answers before any
// dialog shows.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>
#include <vector>

#include "classlib/core/set.h"
#include "classlib/core/string_list.h"
#include "classlib/win/common_dialog.h"

namespace cl {

enum TOpenOption { ofOverwritePrompt, ofHideReadOnly, ofAllowMultiSelect, ofFileMustExist };
using TOpenOptions = Set<TOpenOption>;

class TOpenDialog : public TCommonDialog {
  CL_CLASS(TOpenDialog, TCommonDialog)
 public:
  explicit TOpenDialog(TComponent* owner);
  void BeforeDestruction() override;

  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& fileName) { FFileName = fileName; }
  // The chosen files as full paths; holds FileName alone after a single choice.
  TStrings* Files() const { return FFiles; }
  const std::string& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const std::string& dir) { FInitialDir = dir; }
  // Pairs of description and pattern, all separated by '|': "Bitmaps (*.bmp)|*.bmp|All|*.*".
  const std::string& Filter() const { return FFilter; }
  void SetFilter(const std::string& filter) { FFilter = filter; }
  // 1-based index of the pair shown first; after Execute the pair the user left chosen.
  int FilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int index) { FFilterIndex = index; }
  // Extension (without the dot) added to a typed name that has none.
  const std::string& DefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const std::string& ext) { FDefaultExt = ext; }
  // The dialog's caption; empty gives the system's "Open" or "Save As".
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& title) { FTitle = title; }
  TOpenOptions Options() const { return FOptions; }
  void SetOptions(TOpenOptions options) { FOptions = options; }

  // On OK fills FileName, Files and FilterIndex and returns true; Cancel returns false and changes nothing.
  // A selection too large for the name buffer raises ECommonDialogError. With ofOverwritePrompt, a chosen file
  // that exists is asked about (Yes replaces it, No shows the dialog again).
  bool Execute() override;

 protected:
  // Runs the system dialog on a filled structure (GetOpenFileNameA here).
  virtual bool RunDialog(OPENFILENAMEA& ofn);
  // Characters the name buffer holds: room for the folder and some thousands of names of a multiple selection.
  virtual size_t FileBufferSize() const { return 64 * 1024; }

 private:
  // Runs the dialog once, showing shownName: the chosen files and the filter index, or false for Cancel.
  bool RunSystemDialog(const std::string& shownName, int& filterIndex, std::vector<std::string>& files);

  std::string FFileName;
  TStringList* FFiles;
  std::string FInitialDir;
  std::string FFilter;
  int FFilterIndex = 1;
  std::string FDefaultExt;
  std::string FTitle;
  TOpenOptions FOptions = {ofHideReadOnly};
};

class TSaveDialog : public TOpenDialog {
  CL_CLASS(TSaveDialog, TOpenDialog)
 public:
  explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

 protected:
  bool RunDialog(OPENFILENAMEA& ofn) override;
};

}  // namespace cl
