// The viewer's own registry values under HKEY_LOCAL_MACHINE "SOFTWARE\Orlanto\": the recent files, the last
// folder and the names a second instance hands over.
#pragma once

#include <optional>
#include <string>

#include "classlib/win/registry.h"
#include "viewer/core/recent_files.h"

namespace viewer {

constexpr char kSettingsKey[] = "SOFTWARE\\Orlanto\\";
constexpr char kToOpenValue[] = "ToOpen";
constexpr char kLastDirValue[] = "LastDir";

// Opens the viewer's key, creating it when missing; raises ERegistryException when it cannot.
void OpenSettings(cl::TRegistry& registry);

RecentFiles ReadRecentFiles(const cl::TRegistry& settings);
void WriteRecentFiles(cl::TRegistry& settings, const RecentFiles& items);

// The file name a second instance left in "ToOpen", trimmed; the value is cleared. None when nothing is pending.
std::optional<std::string> TakeHandOver(cl::TRegistry& settings);

}  // namespace viewer
