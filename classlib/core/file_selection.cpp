#include "classlib/core/file_selection.h"

namespace cl {

bool IsFileList(std::string_view buffer, size_t firstNameOffset) {
  return firstNameOffset > 0 && firstNameOffset <= buffer.size() && buffer[firstNameOffset - 1] == '\0';
}

bool FileSelectionFits(std::string_view buffer, size_t firstNameOffset) {
  if (!IsFileList(buffer, firstNameOffset)) return buffer.find('\0') != std::string_view::npos;
  return buffer.find(std::string_view("\0\0", 2)) != std::string_view::npos;
}

std::vector<std::string> SplitFileSelection(std::string_view buffer, size_t firstNameOffset) {
  if (!IsFileList(buffer, firstNameOffset)) {
    const std::string_view path = buffer.substr(0, buffer.find('\0'));
    if (path.empty()) return {};
    return {std::string(path)};
  }
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start < buffer.size()) {
    size_t end = buffer.find('\0', start);
    if (end == std::string_view::npos) end = buffer.size();
    if (end == start) break;
    parts.push_back(buffer.substr(start, end - start));
    start = end + 1;
  }
  if (parts.size() <= 1) return {parts.begin(), parts.end()};
  std::string folder(parts.front());
  if (folder.back() != '\\') folder += '\\';  // a drive's root already ends in one
  std::vector<std::string> paths;
  for (size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + std::string(parts[i]));
  return paths;
}

}  // namespace cl
