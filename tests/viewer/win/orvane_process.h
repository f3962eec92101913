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

// A first instance of the viewer, started by a test and closed (WM_CLOSE to its main window) when done.
class RunningOrvane {
 public:
  explicit RunningOrvane(const std::string& arguments);
  ~RunningOrvane();
  RunningOrvane(const RunningOrvane&) = delete;
  RunningOrvane& operator=(const RunningOrvane&) = delete;

  // Waits up to timeoutMs for a visible top-level window of the process with exactly this caption.
  bool WaitForWindow(const std::string& caption, DWORD timeoutMs);

 private:
  PROCESS_INFORMATION FInfo{};
};

// Every value of HKEY_LOCAL_MACHINE "SOFTWARE\Orlanto" as name -> type and data.
std::map<std::string, std::string> ViewerValues();

}  // namespace viewer::test
