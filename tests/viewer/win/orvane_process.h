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

  // Waits up to timeoutMs for a visible window of the process with exactly this caption (top-level, or an image
  // window in the frame); null when none came.
  HWND WaitForWindow(const std::string& caption, DWORD timeoutMs);
  // The frame window, null while there is none.
  HWND Frame() const;
  // Closes the frame as its close box would and waits for the program to end; false when it did not.
  bool Close(DWORD timeoutMs = 10000);

 private:
  PROCESS_INFORMATION FInfo{};
};

// Every value under a key and its subkeys, as path below the key and name -> type and data.
std::map<std::string, std::string> KeyValues(HKEY root, const std::string& path);

}  // namespace viewer::test
