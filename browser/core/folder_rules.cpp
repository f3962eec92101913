#include "browser/core/folder_rules.h"

#include "classlib/core/string_utils.h"

namespace brw {

namespace {

constexpr std::string_view kRecycleFolder = "\\recycled\\";
constexpr unsigned kDriveFixed = 3;
constexpr unsigned kDriveCdRom = 5;

}  // namespace

bool DirAllowed(std::string_view path, bool goBelowRecycleBin) {
  if (goBelowRecycleBin) return true;
  const std::string lower = cl::LowerCase(std::string(path));
  const size_t found = lower.find(kRecycleFolder);
  if (found == std::string::npos) return true;
  // 1-based position p of the recycle folder: a folder below it when 0 < p < length - 9.
  const size_t position = found + 1;
  return !(position + kRecycleFolder.size() - 1 < lower.size());
}

bool AttrAllowed(const FolderAttributes& attributes, const TDirType& dirType) {
  if (dirType.Contains(dtAll)) return true;
  if (attributes.Hidden && !dirType.Contains(dtHidden)) return false;
  if (attributes.System && !dirType.Contains(dtSystem)) return false;
  if (attributes.Archive && !dirType.Contains(dtArchive)) return false;
  return dirType.Contains(dtNormal) || attributes.Hidden || attributes.System || attributes.Archive;
}

std::vector<std::string> PathPrefixes(std::string_view path) {
  std::vector<std::string> prefixes;
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '\\') prefixes.emplace_back(path.substr(0, i + 1));
  }
  return prefixes;
}

std::optional<int> DriveSlot(std::string_view path) {
  if (path.empty()) return std::nullopt;
  const char letter = cl::UpperCase(std::string(1, path[0]))[0];
  if (letter < 'A' || letter > 'Z') return std::nullopt;
  return letter - 'A';
}

bool DriveGetsPlaceholder(bool fastLoad, unsigned driveType) {
  return fastLoad || driveType < kDriveFixed || driveType == kDriveCdRom;
}

}  // namespace brw
