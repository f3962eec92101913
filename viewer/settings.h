// The viewer's own registry values under HKEY_LOCAL_MACHINE "SOFTWARE\Orlanto\": the recent files, the last
// folder and the names a second instance hands over.
#pragma once

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

}  // namespace viewer
