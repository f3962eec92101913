#include "controls/core/text_routines.h"

#include "classlib/core/conversions.h"
#include "classlib/core/paths.h"
#include "classlib/core/string_list.h"
#include "classlib/core/string_utils.h"

namespace ctl {

bool IsBlankString(std::string_view s) {
  return s.find_first_not_of(' ') == std::string_view::npos;
}

std::string TrimString(std::string_view s) {
  return cl::Trim(s);
}

std::string AddBackslash(std::string_view path) {
  return cl::IncludeTrailingBackslash(path);
}

std::string RemoveBackslash(std::string_view path) {
  if (IsBlankString(path) || path.back() != '\\') return std::string(path);
  return std::string(path.substr(0, path.size() - 1));
}

std::vector<std::string> SplitString(std::string_view s, char separator) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (;;) {
    const size_t end = s.find(separator, start);
    if (end == std::string_view::npos) break;
    pieces.emplace_back(s.substr(start, end - start));
    start = end + 1;
  }
  // What follows the last separator is a piece unless the text ended with that separator.
  if (start < s.size() || pieces.empty()) pieces.emplace_back(s.substr(start));
  return pieces;
}

void SplitString(std::string_view s, char separator, cl::TStrings* list) {
  if (!list) return;
  list->BeginUpdate();
  list->Clear();
  for (const std::string& piece : SplitString(s, separator)) list->Add(piece);
  list->EndUpdate();
}

std::string JoinStrings(std::span<const std::string> values, char separator) {
  std::string joined;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i) joined += separator;
    joined += values[i];
  }
  return joined;
}

std::string JoinIntegers(std::span<const int32_t> values, char separator) {
  std::vector<std::string> texts;
  texts.reserve(values.size());
  for (int32_t value : values) texts.push_back(cl::IntToStr(value));
  return JoinStrings(texts, separator);
}

std::string PathPrefix(TCtlPathPrefix kind, const TPrefixFolders& folders, bool withBackslash) {
  std::string folder;
  switch (kind) {
    case ppWindows:
      folder = folders.Windows;
      break;
    case ppSystem:
      folder = folders.System;
      break;
    case ppProgram:
      folder = folders.Program;
      break;
    case ppFixed:
      break;
  }
  return withBackslash ? AddBackslash(folder) : RemoveBackslash(folder);
}

}  // namespace ctl
