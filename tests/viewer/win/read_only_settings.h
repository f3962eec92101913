// Gives the test program a HKEY_LOCAL_MACHINE of its own in which the viewer's key may only be read, as it is
// for most users on Windows.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace viewer::test {

class ReadOnlySettings {
 public:
  // The viewer's key holds these values (name, text) and refuses writes.
  explicit ReadOnlySettings(const std::vector<std::pair<std::string, std::string>>& values);
  // Gives HKEY_LOCAL_MACHINE back and removes the private key.
  ~ReadOnlySettings();
  ReadOnlySettings(const ReadOnlySettings&) = delete;
  ReadOnlySettings& operator=(const ReadOnlySettings&) = delete;

 private:
  std::string FPath;
  HKEY FMachine = nullptr;
};

}  // namespace viewer::test
