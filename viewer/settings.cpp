#include "viewer/settings.h"

#include <string>

#include "viewer/core/hand_over.h"

namespace viewer {

namespace {

bool Writable(const cl::TRegistry& settings) {
  return settings.CurrentKey() && (settings.Access() & KEY_SET_VALUE) != 0;
}

}  // namespace

void OpenSettings(cl::TRegistry& registry) {
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  if (!registry.OpenKey(kSettingsKey, true)) registry.OpenKeyReadOnly(kSettingsKey);
}

void WriteSetting(cl::TRegistry& settings, const std::string& name, const std::string& value) {
  if (Writable(settings)) settings.WriteString(name, value);
}

void WriteBoolSetting(cl::TRegistry& settings, const std::string& name, bool value) {
  if (Writable(settings)) settings.WriteBool(name, value);
}

void WriteIntegerSetting(cl::TRegistry& settings, const std::string& name, int value) {
  if (Writable(settings)) settings.WriteInteger(name, value);
}

RecentFiles ReadRecentFiles(const cl::TRegistry& settings) {
  RecentFiles items;
  for (int i = 0; i < kRecentFileCount; ++i) items[i] = settings.ReadString(RecentFileValueName(i));
  return items;
}

void WriteRecentFiles(cl::TRegistry& settings, const RecentFiles& items) {
  for (int i = 0; i < kRecentFileCount; ++i) WriteSetting(settings, RecentFileValueName(i), items[i]);
}

std::optional<std::string> TakeHandOver(cl::TRegistry& settings) {
  const std::string value = settings.ReadString(kToOpenValue);
  if (value.empty() || !Writable(settings)) return std::nullopt;
  settings.WriteString(kToOpenValue, "");
  return HandOverFileName(value);
}

}  // namespace viewer
