// File list decisions: file types, order, and the meaning of a FileName write.
#include "classlib/core/file_list_rules.h"

#include <algorithm>

#include "classlib/core/paths.h"
#include "classlib/core/string_utils.h"

namespace cl {

bool FileTypeAllows(const TFileType& fileType, const TFileAttributes& attributes) {
  if (attributes.Hidden || attributes.System) return false;
  if (attributes.ReadOnly) return fileType.Contains(ftReadOnly);
  return fileType.Contains(ftNormal) || (attributes.Archive && fileType.Contains(ftArchive));
}

std::vector<std::string> SortedWithoutDuplicates(std::vector<std::string> names) {
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  names.erase(std::unique(names.begin(), names.end(),
                          [](const std::string& a, const std::string& b) { return SameText(a, b); }),
              names.end());
  return names;
}

TFileNameTarget ClassifyFileNameWrite(std::string_view text, bool isFolder, bool isFile) {
  if (text.empty()) return TFileNameTarget::Nothing;
  if (text == "\\") return TFileNameTarget::DriveRoot;
  if (isFolder || text.back() == '\\') return TFileNameTarget::Folder;
  if (isFile) return TFileNameTarget::File;
  return TFileNameTarget::Nothing;
}

std::string DriveRoot(std::string_view folder) {
  if (folder.size() >= 2 && folder[1] == ':') return std::string(folder.substr(0, 2)) + "\\";
  return "\\";
}

bool SameFolder(std::string_view a, std::string_view b) {
  return SameText(IncludeTrailingBackslash(a), IncludeTrailingBackslash(b));
}

}  // namespace cl
