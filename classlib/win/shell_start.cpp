#include "classlib/win/shell_start.h"

#include <shellapi.h>

#include "classlib/win/dialogs.h"

namespace cl {

namespace {

// The largest values WinExec and ShellExecuteA give when nothing was started.
constexpr UINT kWinExecLastError = 31;
constexpr INT_PTR kShellExecuteLastError = 32;

bool ReportCannotStart(const std::string& name) {
  MessageDlg("Cannot start " + name, mtError, {mbOK}, 0);
  return false;
}

}  // namespace

bool StartProgram(const std::string& commandLine, UINT show) {
  return WinExec(commandLine.c_str(), show) > kWinExecLastError || ReportCannotStart(commandLine);
}

bool ShellOpen(HWND owner, const std::string& verb, const std::string& name, const char* parameters, const char* folder,
               int show) {
  const auto result =
      reinterpret_cast<INT_PTR>(ShellExecuteA(owner, verb.c_str(), name.c_str(), parameters, folder, show));
  return result > kShellExecuteLastError || ReportCannotStart(name);
}

}  // namespace cl
