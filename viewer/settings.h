// The viewer's own registry values under HKEY_LOCAL_MACHINE "SOFTWARE\Orlanto\": the recent files, the last
// folder and the names a second instance hands over. Most users may only read there on Windows: the viewer then
// works with what it can read and keeps nothing, without a word.
#pragma once

#include <optional>
#include <string>

#include "classlib/win/registry.h"
#include "viewer/core/recent_files.h"

namespace viewer {

constexpr char kSettingsKey[] = "SOFTWARE\\Orlanto\\";
constexpr char kToOpenValue[] = "ToOpen";
constexpr char kLastDirValue[] = "LastDir";
constexpr char kToolbarValue[] = "Toolbar";
constexpr char kDockToValue[] = "DockTo";

// Opens the viewer's key, creating it when missing; for reading only when the user may not write there; none at
// all when it cannot even be read, so every value reads as empty. Never raises.
void OpenSettings(cl::TRegistry& registry);
// Writes a value unless the key could not be opened for writing, when the value is not kept.
void WriteSetting(cl::TRegistry& settings, const std::string& name, const std::string& value);
void WriteBoolSetting(cl::TRegistry& settings, const std::string& name, bool value);
void WriteIntegerSetting(cl::TRegistry& settings, const std::string& name, int value);

RecentFiles ReadRecentFiles(const cl::TRegistry& settings);
void WriteRecentFiles(cl::TRegistry& settings, const RecentFiles& items);

// The file name a second instance left in "ToOpen", trimmed; the value is cleared. None when nothing is pending,
// and none when the value cannot be cleared (it would be opened again at every poll).
std::optional<std::string> TakeHandOver(cl::TRegistry& settings);

}  // namespace viewer
