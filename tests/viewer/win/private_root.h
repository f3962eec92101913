// Gives the test program a predefined registry key (HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, ...) of its own: a new
// empty key that stands in for it in this process until the object goes, so that what the test writes there
// reaches no other program of the Wine prefix.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace viewer::test {

class PrivateRoot {
 public:
  PrivateRoot(HKEY root, const std::string& name)
      : FRoot(root), FPath("Software\\OrvaneTests\\" + name + std::to_string(GetCurrentProcessId())) {
    RegDeleteTreeA(HKEY_CURRENT_USER, FPath.c_str());
    if (RegCreateKeyExA(HKEY_CURRENT_USER, FPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &FKey, nullptr))
      throw std::runtime_error("cannot create " + FPath);
    RegOverridePredefKey(FRoot, FKey);
  }
  ~PrivateRoot() {
    RegOverridePredefKey(FRoot, nullptr);
    RegCloseKey(FKey);
    RegDeleteTreeA(HKEY_CURRENT_USER, FPath.c_str());
  }
  PrivateRoot(const PrivateRoot&) = delete;
  PrivateRoot& operator=(const PrivateRoot&) = delete;

 private:
  HKEY FRoot;
  std::string FPath;
  HKEY FKey = nullptr;
};

}  // namespace viewer::test
