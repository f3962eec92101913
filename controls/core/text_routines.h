// String and path routines of the control library, and the folders settings and log files may live in.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cl {
class TStrings;
}

namespace ctl {

// True for "" or a text of blanks (spaces) only; tabs are not blanks.
bool IsBlankString(std::string_view s);
// Blanks and control characters off both ends.
std::string TrimString(std::string_view s);
// The path with "\" appended unless it already ends in one; "" gives "\".
std::string AddBackslash(std::string_view path);
// One trailing "\" removed; a blank path comes back unchanged.
std::string RemoveBackslash(std::string_view path);

// The pieces between separators: a leading separator gives an empty first piece, a trailing one adds no empty
// piece, "" gives one empty piece. Pieces are never cut, however long.
std::vector<std::string> SplitString(std::string_view s, char separator);
// The same into a list, which is cleared first.
void SplitString(std::string_view s, char separator, cl::TStrings* list);
std::string JoinStrings(std::span<const std::string> values, char separator);
std::string JoinIntegers(std::span<const int32_t> values, char separator);

// Where a settings or log file lives.
enum TCtlPathPrefix { ppWindows, ppSystem, ppProgram, ppFixed };

// The three folders a prefix can name, as the system reports them.
struct TPrefixFolders {
  std::string Windows;
  std::string System;
  std::string Program;
};

// The folder of the prefix (ppFixed: ""), then with or without one trailing backslash.
std::string PathPrefix(TCtlPathPrefix kind, const TPrefixFolders& folders, bool withBackslash);

}  // namespace ctl
