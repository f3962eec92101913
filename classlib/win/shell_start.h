// Starting programs and opening files and pages through the system. WinExec and ShellExecuteA fail without a
// word to the user; these say it ("Cannot start <name>" in an error box) and return false then.
#pragma once

#include <windows.h>

#include <string>

namespace cl {

// Runs a command line (WinExec) with the show command.
bool StartProgram(const std::string& commandLine, UINT show);

// Opens a file or page with a verb of the shell (ShellExecuteA); parameters and folder may be null.
bool ShellOpen(HWND owner, const std::string& verb, const std::string& name, const char* parameters, const char* folder,
               int show);

}  // namespace cl
