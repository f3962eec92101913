// What a file dialog hands back, as full paths. With several files chosen the buffer holds the folder and then
// each name, every string ended by NUL and the list by an empty string; a single file comes as its full path.
// Header-only so that both the Windows dialogs and platform-free tests can use it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cl {

// True when the list ends inside the buffer, with the empty string after the last name. A dialog that ran out
// of room may instead fill the buffer to its end with the list cut off, and still report success.
inline bool FileSelectionFits(std::string_view buffer) {
  return buffer.find(std::string_view("\0\0", 2)) != std::string_view::npos;
}

// Splits a dialog's name buffer (its whole size: reading never passes its end, also without a final NUL).
inline std::vector<std::string> SplitFileSelection(std::string_view buffer) {
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
