// Tests that need a second copy of their program: the test program starts itself again with only some tests
// selected, marked by an environment variable so that those tests know they are the second copy.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/win/application.h"
#include "classlib/win/command_line.h"

namespace ctl::test {

inline bool IsChild(const char* variable) {
  return GetEnvironmentVariableA(variable, nullptr, 0) > 0;
}

// Runs this program again with the tests that filter selects and returns its exit code. Messages are handled
// meanwhile: the child may send some to this process's windows.
inline DWORD RunChild(const char* variable, const std::string& filter) {
  const std::string self = cl::ParamStr(0);
  std::string command = "\"" + self + "\" --gtest_filter=" + filter;
  SetEnvironmentVariableA(variable, "1");
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const BOOL started =
      CreateProcessA(self.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  SetEnvironmentVariableA(variable, nullptr);
  if (!started) return 1000;
  const DWORD deadline = GetTickCount() + 60000;
  while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0 &&
         GetTickCount() < deadline) {
    cl::Application->ProcessMessages();
  }
  DWORD exitCode = 1001;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return exitCode;
}

}  // namespace ctl::test
