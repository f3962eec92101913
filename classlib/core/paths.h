// File-name routines with Windows rules: '\' and ':' delimit, '/' does not. They only look at the text.
#pragma once

#include <string>
#include <string_view>

namespace cl {

// Everything through the last '\' or ':' ("" when there is none).
std::string ExtractFilePath(std::string_view fileName);
// Everything after the last '\' or ':'.
std::string ExtractFileName(std::string_view fileName);
// The last '.' after the last delimiter and what follows it ("" when there is none).
std::string ExtractFileExt(std::string_view fileName);
// Replaces the extension (or appends `extension` when there is none); `extension` includes its dot.
std::string ChangeFileExt(std::string_view fileName, std::string_view extension);
// Appends '\' unless the text already ends in one.
std::string IncludeTrailingBackslash(std::string_view path);

}  // namespace cl
