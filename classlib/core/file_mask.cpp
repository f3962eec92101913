// Splitting and matching of file masks.
#include "classlib/core/file_mask.h"

#include "classlib/core/string_utils.h"

namespace cl {
namespace {

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Plain wildcard matching: '*' any run of characters, '?' exactly one.
bool MatchesWildcards(std::string_view name, std::string_view pattern) {
  size_t n = 0;
  size_t p = 0;
  size_t starPattern = std::string_view::npos;  // the pattern position after the last '*'
  size_t starName = 0;                          // the name position that '*' was tried to stop at
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || LowerAscii(pattern[p]) == LowerAscii(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starPattern = ++p;
      starName = n;
    } else if (starPattern != std::string_view::npos) {
      p = starPattern;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

std::vector<std::string> SplitMask(std::string_view mask) {
  std::vector<std::string> patterns;
  size_t start = 0;
  while (start <= mask.size()) {
    size_t end = mask.find(';', start);
    if (end == std::string_view::npos) end = mask.size();
    std::string pattern = Trim(mask.substr(start, end - start));
    if (!pattern.empty()) patterns.push_back(std::move(pattern));
    start = end + 1;
  }
  return patterns;
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
  if (MatchesWildcards(name, pattern)) return true;
  // "readme.*" takes "readme" too, as the system's own search does.
  constexpr std::string_view kAnyExtension = ".*";
  return pattern.size() >= kAnyExtension.size() && pattern.ends_with(kAnyExtension) &&
         name.find('.') == std::string_view::npos &&
         MatchesWildcards(name, pattern.substr(0, pattern.size() - kAnyExtension.size()));
}

bool MatchesAnyPattern(std::string_view name, const std::vector<std::string>& patterns) {
  for (const std::string& pattern : patterns) {
    if (MatchesPattern(name, pattern)) return true;
  }
  return false;
}

}  // namespace cl
