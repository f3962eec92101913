#include "viewer/settings.h"

#include <string>

#include "classlib/core/exceptions.h"
#include "viewer/core/hand_over.h"

namespace viewer {

void OpenSettings(cl::TRegistry& registry) {
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  if (!registry.OpenKey(kSettingsKey, true))
    throw cl::ERegistryException("Failed to open key HKEY_LOCAL_MACHINE\\" + std::string(kSettingsKey));
}

RecentFiles ReadRecentFiles(const cl::TRegistry& settings) {
  RecentFiles items;
  for (int i = 0; i < kRecentFileCount; ++i) items[i] = settings.ReadString(RecentFileValueName(i));
  return items;
}

void WriteRecentFiles(cl::TRegistry& settings, const RecentFiles& items) {
  for (int i = 0; i < kRecentFileCount; ++i) settings.WriteString(RecentFileValueName(i), items[i]);
}

std::optional<std::string> TakeHandOver(cl::TRegistry& settings) {
  const std::string value = settings.ReadString(kToOpenValue);
  if (value.empty()) return std::nullopt;
  settings.WriteString(kToOpenValue, "");
  return HandOverFileName(value);
}

}  // namespace viewer
