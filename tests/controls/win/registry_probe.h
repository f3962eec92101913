// Raw registry reads for tests: what really lies in the registry, past the classes under test.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace ctl::test {

inline bool KeyExists(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// The value as REG_SZ text; nothing when the key or value is missing or holds another type.
inline std::optional<std::string> RawString(HKEY root, const std::string& path, const std::string& name) {
  char buffer[4096];
  DWORD size = sizeof buffer;
  if (RegGetValueA(root, path.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::string(buffer);
}

inline void SetRawString(HKEY root, const std::string& path, const std::string& name, const std::string& value) {
  RegSetKeyValueA(root, path.c_str(), name.c_str(), REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

// The names of the subkeys of a key that start with prefix.
inline std::vector<std::string> SubkeysStartingWith(HKEY root, const std::string& path, const std::string& prefix) {
  std::vector<std::string> found;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return found;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD size = sizeof name;
    if (RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (std::string(name).rfind(prefix, 0) == 0) found.push_back(name);
  }
  RegCloseKey(key);
  return found;
}

// Removes the subkeys of a key that start with prefix, with all below them.
inline void DeleteSubkeysStartingWith(HKEY root, const std::string& path, const std::string& prefix) {
  for (const std::string& name : SubkeysStartingWith(root, path, prefix))
    RegDeleteTreeA(root, (path + "\\" + name).c_str());
}

}  // namespace ctl::test
