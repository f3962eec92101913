#include "orvane_process.h"

#include <vector>

namespace viewer::test {

namespace {

struct WindowSearch {
  DWORD ProcessId;
  bool Found = false;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM param) noexcept {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == search->ProcessId && IsWindowVisible(window)) search->Found = true;
  return !search->Found;
}

}  // namespace

ProcessRun RunOrvane(const std::string& arguments, DWORD timeoutMs) {
  ProcessRun run;
  std::string commandLine = "\"" ORVANE_EXE "\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  run.Started =
      CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info) != 0;
  if (!run.Started) return run;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    WindowSearch search{info.dwProcessId};
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    run.ShowedWindow = run.ShowedWindow || search.Found;
    if (WaitForSingleObject(info.hProcess, 20) == WAIT_OBJECT_0) {
      run.Ended = true;
      break;
    }
  }
  if (!run.Ended) TerminateProcess(info.hProcess, 1);
  GetExitCodeProcess(info.hProcess, &run.ExitCode);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return run;
}

std::map<std::string, std::string> ViewerValues() {
  std::map<std::string, std::string> values;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orlanto", 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD nameSize = sizeof name;
    std::vector<BYTE> data(4096);
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data.data(), &dataSize) != ERROR_SUCCESS) break;
    values[name] = std::to_string(type) + ":" + std::string(data.begin(), data.begin() + dataSize);
  }
  RegCloseKey(key);
  return values;
}

}  // namespace viewer::test
