#include "browser/core/file_commands.h"

#include <algorithm>

#include "classlib/core/paths.h"

namespace brw {

const char kDefaultMaskList[] = "*.bmp;*.gif;*.jpg;*.pcx;*.png;*.tga;*.dcx;*.tif";

std::string BrowserTitle(const std::string& folder) {
  return "Tarnby -[" + folder + "]";
}

std::string CopyTarget(const std::string& folder, const std::string& file) {
  return cl::IncludeTrailingBackslash(folder) + cl::ExtractFileName(file);
}

std::vector<std::string> InitialMaskItems(const std::string& storedText) {
  std::vector<std::string> items{kDefaultMaskList};
  if (storedText != kDefaultMaskList) items.push_back(storedText);
  return items;
}

void AddMaskOnEnter(std::vector<std::string>& items, const std::string& text) {
  if (std::find(items.begin(), items.end(), text) == items.end()) items.push_back(text);
}

int FileListItemHeight(int fontHeight, int screenFontHeight) {
  constexpr int kMinimum = 18;
  const int lineHeight = fontHeight + std::min(screenFontHeight, fontHeight) / 4;
  return std::max(lineHeight, kMinimum);
}

bool DriveCheck::Check(const std::string& folder) {
  for (;;) {
    if (folder.size() <= 1) return true;
    if (FSetCurrentDir(folder)) {
      FLastValid = folder;
      return true;
    }
    FSetCurrentDir(FLastValid);  // back where the list still is; it may have gone too
    if (FAskUser() == Answer::Abort) return false;
  }
}

}  // namespace brw
