// wait_window <caption prefix> [seconds]: waits until a visible top-level window whose caption begins with the
// prefix exists (in the same Wine prefix), then exits 0; exits 1 when the time runs out.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "top_window.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: wait_window <caption prefix> [seconds]\n");
    return 2;
  }
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 60;
  for (int waited = 0; waited < seconds * 10; ++waited) {
    if (FindTopWindow(argv[1])) return 0;
    Sleep(100);
  }
  std::fprintf(stderr, "no window \"%s\" within %d s\n", argv[1], seconds);
  return 1;
}
