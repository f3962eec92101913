// Stands in for the viewer beside the browser's test programs: writes the command line it was started with to
// the file named by BROWSER_STAND_IN_RECORD and ends.
#include <windows.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char record[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("BROWSER_STAND_IN_RECORD", record, MAX_PATH)) return 1;
  FILE* file = std::fopen(record, "wb");
  if (!file) return 1;
  std::fputs(GetCommandLineA(), file);
  std::fclose(file);
  return 0;
}
