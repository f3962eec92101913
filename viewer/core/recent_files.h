// The viewer's recent-file list: five names, newest first, an empty slot unused. Names are compared exactly,
// letter case counting.
#pragma once

#include <array>
#include <string>

namespace viewer {

constexpr int kRecentFileCount = 5;
using RecentFiles = std::array<std::string, kRecentFileCount>;

// Puts name first. A name already in the list moves up from its place (the ones above it move down one); a new
// name pushes every item down and the last one drops out.
void UpdateRecentFiles(RecentFiles& items, const std::string& name);

// Whether closing a window with this caption and file name enters the name in the list: untitled windows and
// the name "Error" are left out.
bool EntersRecentFiles(const std::string& caption, const std::string& fileName);

// The registry value names of the slots: "last1" .. "last5".
std::string RecentFileValueName(int index);

}  // namespace viewer
