#include "classlib/core/string_utils.h"

#include <algorithm>

namespace cl {

namespace {

char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

int CompareBytes(std::string_view a, std::string_view b, char (*fold)(char)) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int ca = static_cast<unsigned char>(fold(a[i]));
    const int cb = static_cast<unsigned char>(fold(b[i]));
    if (ca != cb) return ca - cb;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

char Unchanged(char c) {
  return c;
}

}  // namespace

std::string UpperCase(std::string_view s) {
  std::string result(s);
  std::transform(result.begin(), result.end(), result.begin(), AsciiUpper);
  return result;
}

std::string LowerCase(std::string_view s) {
  std::string result(s);
  std::transform(result.begin(), result.end(), result.begin(), AsciiLower);
  return result;
}

int CompareStr(std::string_view a, std::string_view b) {
  return CompareBytes(a, b, Unchanged);
}
int CompareText(std::string_view a, std::string_view b) {
  return CompareBytes(a, b, AsciiUpper);
}
bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

std::string TrimLeft(std::string_view s) {
  const auto first = std::find_if_not(s.begin(), s.end(), IsBlank);
  return std::string(first, s.end());
}

std::string TrimRight(std::string_view s) {
  const auto last = std::find_if_not(s.rbegin(), s.rend(), IsBlank);
  return std::string(s.begin(), last.base());
}

std::string Trim(std::string_view s) {
  return TrimLeft(TrimRight(s));
}

int Pos(std::string_view sub, std::string_view s) {
  if (sub.empty()) return 0;
  const size_t at = s.find(sub);
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::string StringReplace(std::string_view s, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(s);
  std::string result;
  size_t start = 0;
  for (size_t at = s.find(from); at != std::string_view::npos; at = s.find(from, start)) {
    result.append(s.substr(start, at - start)).append(to);
    start = at + from.size();
  }
  return result.append(s.substr(start));
}

std::string Copy(std::string_view s, int index, int count) {
  if (index < 1) index = 1;
  const size_t start = static_cast<size_t>(index) - 1;
  if (count <= 0 || start >= s.size()) return {};
  return std::string(s.substr(start, static_cast<size_t>(count)));
}

void Delete(std::string& s, int index, int count) {
  if (index < 1 || static_cast<size_t>(index) > s.size() || count <= 0) return;
  s.erase(static_cast<size_t>(index) - 1, static_cast<size_t>(count));
}

void Insert(std::string_view source, std::string& s, int index) {
  const size_t at = index < 1 ? 0 : std::min(static_cast<size_t>(index) - 1, s.size());
  s.insert(at, source);
}

bool IsAccel(char key, std::string_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;  // a literal '&'
      continue;
    }
    return UpperCase(std::string_view(&caption[i + 1], 1)) == UpperCase(std::string_view(&key, 1));
  }
  return false;
}

std::string ShortStr(std::string_view s) {
  return std::string(s.substr(0, ShortStringLimit));
}

}  // namespace cl
