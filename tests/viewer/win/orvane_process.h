// Starting orvane.exe from a test: waits for the process to end and records whether it ever had a visible
// top-level window meanwhile; and a snapshot of the viewer's registry values.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace viewer::test {

struct ProcessRun {
  bool Started = false;
  bool Ended = false;
  DWORD ExitCode = 0;
  bool ShowedWindow = false;
};

// Runs orvane.exe with the given argument text (as it follows the program name on the command line).
ProcessRun RunOrvane(const std::string& arguments, DWORD timeoutMs = 20000);

// Every value of HKEY_LOCAL_MACHINE "SOFTWARE\Orlanto" as name -> type and data.
std::map<std::string, std::string> ViewerValues();

}  // namespace viewer::test
