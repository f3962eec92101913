#include "read_only_settings.h"

#include <sddl.h>

#include <stdexcept>

namespace viewer::test {

namespace {

// Applies a DACL in SDDL form to key.
void SetAccess(HKEY key, const char* sddl) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr))
    throw std::runtime_error("bad security descriptor");
  const LONG result = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
  LocalFree(descriptor);
  if (result != ERROR_SUCCESS) throw std::runtime_error("cannot set the key's access");
}

constexpr char kReadOnly[] = "D:(A;;KR;;;WD)";  // everyone may read, nobody may write
constexpr char kFullAccess[] = "D:(A;;KA;;;WD)";
constexpr char kViewerKey[] = "SOFTWARE\\Orlanto";

}  // namespace

ReadOnlySettings::ReadOnlySettings(const std::vector<std::pair<std::string, std::string>>& values)
    : FPath("Software\\OrvaneTests\\Machine" + std::to_string(GetCurrentProcessId())) {
  RegDeleteTreeA(HKEY_CURRENT_USER, FPath.c_str());
  if (RegCreateKeyExA(HKEY_CURRENT_USER, FPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &FMachine, nullptr))
    throw std::runtime_error("cannot create " + FPath);
  HKEY settings = nullptr;
  RegCreateKeyExA(FMachine, kViewerKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &settings, nullptr);
  for (const auto& [name, text] : values)
    RegSetValueExA(settings, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   DWORD(text.size() + 1));
  SetAccess(settings, kReadOnly);
  RegCloseKey(settings);
  RegOverridePredefKey(HKEY_LOCAL_MACHINE, FMachine);
}

ReadOnlySettings::~ReadOnlySettings() {
  RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  HKEY settings = nullptr;
  if (RegOpenKeyExA(FMachine, kViewerKey, 0, WRITE_DAC, &settings) == ERROR_SUCCESS) {
    try {
      SetAccess(settings, kFullAccess);
    } catch (const std::exception&) {
    }
    RegCloseKey(settings);
  }
  RegCloseKey(FMachine);
  RegDeleteTreeA(HKEY_CURRENT_USER, FPath.c_str());
}

}  // namespace viewer::test
