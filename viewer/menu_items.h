// Building the viewer's native menus in code, and the recent-file items both the frame and the image windows
// show in their File menus.
#pragma once

#include <array>
#include <string>

#include "classlib/win/menus.h"
#include "viewer/core/recent_files.h"

namespace viewer {

using cl::AddMenuItem;

using RecentFileItems = std::array<cl::TMenuItem*, kRecentFileCount>;

// Adds the five recent-file items (named prefix + firstNumber ..) with a blank caption, each clicking onClick.
RecentFileItems AddRecentFileItems(cl::TMenuItem* parent, int firstNumber, const cl::TNotifyEvent& onClick);

// Gives the items the recent files' names, hides the empty ones, and shows the separator below them exactly
// when the first item shows.
void ShowRecentFileItems(const RecentFileItems& items, cl::TMenuItem* separator, const RecentFiles& names);

}  // namespace viewer
