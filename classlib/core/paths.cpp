#include "classlib/core/paths.h"

namespace cl {

namespace {

// Index just past the last delimiter: the start of the name part.
size_t NameStart(std::string_view fileName) {
  const size_t last = fileName.find_last_of("\\:");
  return last == std::string_view::npos ? 0 : last + 1;
}

// Index of the extension's dot, or the text's length when there is no extension.
size_t ExtensionStart(std::string_view fileName) {
  const size_t dot = fileName.rfind('.');
  return dot == std::string_view::npos || dot < NameStart(fileName) ? fileName.size() : dot;
}

}  // namespace

std::string ExtractFilePath(std::string_view fileName) {
  return std::string(fileName.substr(0, NameStart(fileName)));
}

std::string ExtractFileName(std::string_view fileName) {
  return std::string(fileName.substr(NameStart(fileName)));
}

std::string ExtractFileExt(std::string_view fileName) {
  return std::string(fileName.substr(ExtensionStart(fileName)));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view extension) {
  return std::string(fileName.substr(0, ExtensionStart(fileName))) + std::string(extension);
}

std::string IncludeTrailingBackslash(std::string_view path) {
  std::string result(path);
  if (result.empty() || result.back() != '\\') result += '\\';
  return result;
}

}  // namespace cl
