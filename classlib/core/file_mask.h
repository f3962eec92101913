// File masks of the file list: several wildcard patterns in one text, separated by ';'. Matching ignores ASCII
// case and follows the Windows rules for '*' and '?', where a pattern ending in ".*" also takes names without an
// extension ("*.*" lists every file).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cl {

// The patterns of mask, each trimmed; empty ones are dropped.
std::vector<std::string> SplitMask(std::string_view mask);

bool MatchesPattern(std::string_view name, std::string_view pattern);

// True when name matches any of the patterns.
bool MatchesAnyPattern(std::string_view name, const std::vector<std::string>& patterns);

}  // namespace cl
