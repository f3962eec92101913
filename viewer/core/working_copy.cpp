#include "viewer/core/working_copy.h"

namespace viewer {

std::string WorkingCopyName(const std::string& tempFolder, int n) {
  return tempFolder + "orvanetmp" + std::to_string(n) + ".bmp";
}

std::optional<std::string> WorkingCopyNames::Reserve(const std::string& tempFolder) {
  for (int n = 1; n <= kWorkingCopyLimit; ++n) {
    std::string name = WorkingCopyName(tempFolder, n);
    if (FHeld.contains(name) || FExists(name)) continue;
    FHeld.insert(name);
    return name;
  }
  return std::nullopt;
}

void WorkingCopyNames::Release(const std::string& name) {
  FHeld.erase(name);
}

}  // namespace viewer
