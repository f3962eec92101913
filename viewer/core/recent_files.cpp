#include "viewer/core/recent_files.h"

#include <algorithm>

#include "viewer/core/window_names.h"

namespace viewer {

void UpdateRecentFiles(RecentFiles& items, const std::string& name) {
  auto found = std::find(items.begin(), items.end(), name);
  // A new name takes the last slot's place, so the last one drops out.
  if (found == items.end()) found = items.end() - 1;
  std::rotate(items.begin(), found, found + 1);
  items.front() = name;
}

bool EntersRecentFiles(const std::string& caption, const std::string& fileName) {
  return !IsUntitledCaption(caption) && fileName != "Error";
}

std::string RecentFileValueName(int index) {
  return "last" + std::to_string(index + 1);
}

}  // namespace viewer
