// ParamStr and ParamCount over GetCommandLineA and the module's file name.
#include "classlib/win/command_line.h"

#include <windows.h>

#include <vector>

#include "classlib/core/command_line.h"

namespace cl {
namespace {

std::string ModuleFileName() {
  std::string name(MAX_PATH, '\0');
  for (;;) {
    DWORD length = GetModuleFileNameA(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return {};
    if (length < name.size()) {
      name.resize(length);
      return name;
    }
    name.resize(name.size() * 2);  // truncated: ask again with more room
  }
}

// The arguments after the program name.
std::vector<std::string> Arguments() {
  std::vector<std::string> words = SplitCommandLine(GetCommandLineA());
  if (!words.empty()) words.erase(words.begin());
  return words;
}

}  // namespace

std::string ParamStr(int index) {
  if (index == 0) return ModuleFileName();
  std::vector<std::string> arguments = Arguments();
  if (index < 0 || index > static_cast<int>(arguments.size())) return {};
  return arguments[index - 1];
}

int ParamCount() {
  return static_cast<int>(Arguments().size());
}

}  // namespace cl
