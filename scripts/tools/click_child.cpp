// click_child <caption prefix> <window class> <x> <y>: clicks the left mouse button at the client point (x, y) of
// the first child window of that class inside the visible top-level window whose caption begins with the prefix
// (in the same Wine prefix), as a person would; exits 1 when there is no such window.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "top_window.h"

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: click_child <caption prefix> <window class> <x> <y>\n");
    return 2;
  }
  // Every descendant counts: the control may sit inside panels.
  struct Search {
    std::string className;
    HWND found = nullptr;
  } search{argv[2]};
  if (HWND top = FindTopWindow(argv[1])) {
    EnumChildWindows(
        top,
        [](HWND window, LPARAM data) noexcept -> BOOL {
          auto* search = reinterpret_cast<Search*>(data);
          char name[256] = {};
          GetClassNameA(window, name, sizeof name);
          if (search->className != name) return TRUE;
          search->found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
  }
  HWND child = search.found;
  if (!child) {
    std::fprintf(stderr, "no window of class %s in \"%s\"\n", argv[2], argv[1]);
    return 1;
  }
  const LPARAM point = MAKELPARAM(std::atoi(argv[3]), std::atoi(argv[4]));
  PostMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageA(child, WM_LBUTTONUP, 0, point);
  return 0;
}
