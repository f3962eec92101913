// TRegistry over the advapi32 registry functions.
#include "classlib/win/registry.h"

#include <optional>
#include <vector>

#include "classlib/core/exceptions.h"

namespace cl {
namespace {

bool IsAbsolute(const std::string& key) {
  return !key.empty() && key.front() == '\\';
}

// Leading and trailing '\' are dropped: "\SOFTWARE\Orlanto\" names SOFTWARE\Orlanto from the root.
std::string TrimBackslashes(const std::string& key) {
  size_t first = key.find_first_not_of('\\');
  if (first == std::string::npos) return {};
  size_t last = key.find_last_not_of('\\');
  return key.substr(first, last - first + 1);
}

struct RawValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
};

// The value's type and bytes, or nothing when it cannot be read (missing value, no open key).
std::optional<RawValue> QueryRaw(HKEY key, const std::string& name) {
  if (!key) return std::nullopt;
  RawValue value;
  for (;;) {
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    value.bytes.resize(size);
    LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &value.type, value.bytes.data(), &size);
    if (result == ERROR_MORE_DATA) continue;  // the value grew between the two calls
    if (result != ERROR_SUCCESS) return std::nullopt;
    value.bytes.resize(size);
    return value;
  }
}

[[noreturn]] void RaiseRegistry(const char* format, const std::string& name) {
  throw ERegistryException(format, {name});
}

void SetRaw(HKEY key, const std::string& name, DWORD type, const BYTE* data, DWORD size) {
  if (!key || RegSetValueExA(key, name.c_str(), 0, type, data, size) != ERROR_SUCCESS)
    RaiseRegistry("Failed to set data for '%s'", name);
}

}  // namespace

TRegistry::~TRegistry() {
  CloseKey();
}

void TRegistry::SetRootKey(HKEY root) {
  if (root == FRootKey) return;
  CloseKey();
  FRootKey = root;
}

HKEY TRegistry::BaseKeyFor(const std::string& key) const {
  return (IsAbsolute(key) || !FCurrentKey) ? FRootKey : FCurrentKey;
}

std::string TRegistry::FullPathFor(const std::string& key) const {
  std::string relative = TrimBackslashes(key);
  if (IsAbsolute(key) || !FCurrentKey || FCurrentPath.empty()) return relative;
  if (relative.empty()) return FCurrentPath;
  return FCurrentPath + '\\' + relative;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  std::string subKey = TrimBackslashes(key);
  HKEY base = BaseKeyFor(key);
  HKEY opened = nullptr;
  LONG result = canCreate ? RegCreateKeyExA(base, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, FAccess, nullptr,
                                            &opened, nullptr)
                          : RegOpenKeyExA(base, subKey.c_str(), 0, FAccess, &opened);
  if (result != ERROR_SUCCESS) return false;
  ChangeKey(opened, FullPathFor(key));
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(BaseKeyFor(key), TrimBackslashes(key).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  ChangeKey(opened, FullPathFor(key));
  FAccess = KEY_READ;
  return true;
}

void TRegistry::ChangeKey(HKEY key, std::string path) {
  CloseKey();
  FCurrentKey = key;
  FCurrentPath = std::move(path);
}

void TRegistry::CloseKey() {
  if (!FCurrentKey) return;
  if (!FLazyWrite) RegFlushKey(FCurrentKey);
  RegCloseKey(FCurrentKey);
  FCurrentKey = nullptr;
  FCurrentPath.clear();
}

bool TRegistry::KeyExists(const std::string& key) {
  HKEY probe = nullptr;
  if (RegOpenKeyExA(BaseKeyFor(key), TrimBackslashes(key).c_str(), 0, KEY_READ, &probe) != ERROR_SUCCESS) return false;
  RegCloseKey(probe);
  return true;
}

bool TRegistry::DeleteKey(const std::string& key) {
  std::string subKey = TrimBackslashes(key);
  if (subKey.empty()) return false;  // never the root or the open key itself
  return RegDeleteTreeA(BaseKeyFor(key), subKey.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const std::string& name) const {
  return FCurrentKey &&
         RegQueryValueExA(FCurrentKey, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const std::string& name) {
  return FCurrentKey && RegDeleteValueA(FCurrentKey, name.c_str()) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string& name) const {
  std::optional<RawValue> value = QueryRaw(FCurrentKey, name);
  if (!value) return {};
  if (value->type != REG_SZ && value->type != REG_EXPAND_SZ) RaiseRegistry("Invalid data type for '%s'", name);
  // The stored bytes need not end in NUL; the text stops at the first one.
  std::string text(value->bytes.begin(), value->bytes.end());
  size_t end = text.find('\0');
  if (end != std::string::npos) text.resize(end);
  return text;
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  SetRaw(FCurrentKey, name, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), static_cast<DWORD>(value.size() + 1));
}

int32_t TRegistry::ReadInteger(const std::string& name) const {
  std::optional<RawValue> value = QueryRaw(FCurrentKey, name);
  if (!value) RaiseRegistry("Failed to get data for '%s'", name);
  if (value->type != REG_DWORD || value->bytes.size() != 4) RaiseRegistry("Invalid data type for '%s'", name);
  const std::vector<BYTE>& b = value->bytes;
  return static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  const BYTE data[4] = {BYTE(bits), BYTE(bits >> 8), BYTE(bits >> 16), BYTE(bits >> 24)};
  SetRaw(FCurrentKey, name, REG_DWORD, data, sizeof data);
}

}  // namespace cl
