// The browser's file commands and folder following without the windows: the drive check before the file list
// follows the tree, the mask box's list, the title, the copy target, and the file list's item height.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace brw {

// The title of the main form and the application: "Tarnby -[" + folder + "]".
std::string BrowserTitle(const std::string& folder);

// Where a copy or move of file into folder goes: the folder with a trailing '\' and the file's own name.
std::string CopyTarget(const std::string& folder, const std::string& file);

// The mask box's list at start: the full default mask, and the stored text as a second item when it differs
// (case-sensitive).
extern const char kDefaultMaskList[];
std::vector<std::string> InitialMaskItems(const std::string& storedText);
// Enter in the mask box: the text joins the list when no item equals it (case-sensitive).
void AddMaskOnEnter(std::vector<std::string>& items, const std::string& text);

// The file list's item height: the font's line height (its height plus a quarter of the smaller of it and the
// screen font's height), but never below 18.
int FileListItemHeight(int fontHeight, int screenFontHeight);

// The drive check: before the file list follows the tree into a folder, the process's current folder must move
// there. A folder that cannot be entered (a drive without a disk) asks the user: Abort gives up, Retry checks
// again. The last folder that worked is kept for going back.
class DriveCheck {
 public:
  enum class Answer { Abort, Retry };
  using SetCurrentDir = std::function<bool(const std::string& folder)>;
  using AskUser = std::function<Answer()>;

  DriveCheck(SetCurrentDir setCurrentDir, AskUser askUser)
      : FSetCurrentDir(std::move(setCurrentDir)), FAskUser(std::move(askUser)) {}

  // True when the list may follow the tree into folder. The decision rests on folder alone: a last valid folder
  // that has gone away since does not fail it. A one-character or empty folder (nothing selected) passes
  // without becoming the last valid folder. After a failure the current folder goes back to the last valid one.
  bool Check(const std::string& folder);

  const std::string& LastValid() const { return FLastValid; }
  void SetLastValid(const std::string& folder) { FLastValid = folder; }

 private:
  SetCurrentDir FSetCurrentDir;
  AskUser FAskUser;
  std::string FLastValid = "C:\\";
};

}  // namespace brw
