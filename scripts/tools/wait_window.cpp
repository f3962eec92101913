// wait_window <caption prefix> [seconds]: waits until a visible top-level window whose caption begins with the
// prefix exists (in the same Wine prefix), then exits 0; exits 1 when the time runs out.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Search {
  std::string prefix;
  bool found = false;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM data) noexcept {
  auto* search = reinterpret_cast<Search*>(data);
  char caption[256] = {};
  GetWindowTextA(window, caption, sizeof caption);
  if (IsWindowVisible(window) && std::strncmp(caption, search->prefix.c_str(), search->prefix.size()) == 0) {
    search->found = true;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: wait_window <caption prefix> [seconds]\n");
    return 2;
  }
  Search search{argv[1]};
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 60;
  for (int waited = 0; waited < seconds * 10; ++waited) {
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) return 0;
    Sleep(100);
  }
  std::fprintf(stderr, "no window \"%s\" within %d s\n", argv[1], seconds);
  return 1;
}
