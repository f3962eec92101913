#include "orvane_process.h"

#include <vector>

namespace viewer::test {

namespace {

// A visible top-level window of a process, with the given caption unless that is null.
struct WindowSearch {
  DWORD ProcessId;
  const char* Caption = nullptr;
  HWND Found = nullptr;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM param) noexcept {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != search->ProcessId || !IsWindowVisible(window)) return TRUE;
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  if (!search->Caption || search->Caption == std::string(text)) search->Found = window;
  return !search->Found;
}

// The viewer asks at start to become the program of the image types unless the user said never to ask again: the
// tests' viewer is told so, and shows only what the test is about.
void KeepAssociationQuiet() {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Marbeck\\Quenmark", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(key, "ShowAssocDialog", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
  RegCloseKey(key);
}

// Top-level windows first; then, for a caption, the windows inside them (image windows live in the frame).
HWND FindProcessWindow(DWORD processId, const char* caption) {
  WindowSearch search{processId, caption};
  EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
  if (search.Found || !caption) return search.Found;
  HWND top = nullptr;
  while (!search.Found && (top = FindWindowExA(nullptr, top, nullptr, nullptr))) {
    DWORD owner = 0;
    GetWindowThreadProcessId(top, &owner);
    if (owner == processId) EnumChildWindows(top, FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
  }
  return search.Found;
}

bool StartOrvane(const std::string& arguments, PROCESS_INFORMATION& info) {
  KeepAssociationQuiet();
  std::string commandLine = "\"" ORVANE_EXE "\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  return CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info) !=
         0;
}

}  // namespace

ProcessRun RunOrvane(const std::string& arguments, DWORD timeoutMs) {
  ProcessRun run;
  PROCESS_INFORMATION info{};
  run.Started = StartOrvane(arguments, info);
  if (!run.Started) return run;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    run.ShowedWindow = run.ShowedWindow || FindProcessWindow(info.dwProcessId, nullptr);
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

RunningOrvane::RunningOrvane(const std::string& arguments) {
  StartOrvane(arguments, FInfo);
}

RunningOrvane::~RunningOrvane() {
  if (!FInfo.hProcess) return;
  if (!Close()) TerminateProcess(FInfo.hProcess, 1);
  CloseHandle(FInfo.hThread);
  CloseHandle(FInfo.hProcess);
}

HWND RunningOrvane::WaitForWindow(const std::string& caption, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  do {
    if (HWND found = FInfo.hProcess ? FindProcessWindow(FInfo.dwProcessId, caption.c_str()) : nullptr) return found;
    Sleep(50);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

HWND RunningOrvane::Frame() const {
  // Found by its class: the frame's caption carries a maximised image window's name.
  HWND top = nullptr;
  while ((top = FindWindowExA(nullptr, top, "TFrameForm", nullptr))) {
    DWORD owner = 0;
    GetWindowThreadProcessId(top, &owner);
    if (owner == FInfo.dwProcessId) return top;
  }
  return nullptr;
}

bool RunningOrvane::Close(DWORD timeoutMs) {
  if (WaitForSingleObject(FInfo.hProcess, 0) == WAIT_OBJECT_0) return true;
  if (HWND frame = Frame()) PostMessageA(frame, WM_CLOSE, 0, 0);
  return WaitForSingleObject(FInfo.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

namespace {

void CollectValues(HKEY key, const std::string& below, std::map<std::string, std::string>& values) {
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD nameSize = sizeof name;
    std::vector<BYTE> data(4096);
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data.data(), &dataSize) != ERROR_SUCCESS) break;
    values[below + name] = std::to_string(type) + ":" + std::string(data.begin(), data.begin() + dataSize);
  }
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD nameSize = sizeof name;
    if (RegEnumKeyExA(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY sub = nullptr;
    if (RegOpenKeyExA(key, name, 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
    CollectValues(sub, below + name + "\\", values);
    RegCloseKey(sub);
  }
}

}  // namespace

std::map<std::string, std::string> KeyValues(HKEY root, const std::string& path) {
  std::map<std::string, std::string> values;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
  CollectValues(key, "", values);
  RegCloseKey(key);
  return values;
}

}  // namespace viewer::test
