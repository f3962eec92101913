// Window counting over EnumThreadWindows and EnumChildWindows.
#include "classlib/test/counters.h"

#include <windows.h>

namespace cl::test {
namespace {

BOOL CALLBACK CountChild(HWND, LPARAM counter) noexcept {
  ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND wnd, LPARAM counter) noexcept {
  ++*reinterpret_cast<int*>(counter);
  EnumChildWindows(wnd, CountChild, counter);
  return TRUE;
}

}  // namespace

int ThreadWindowCount() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
  return count;
}

}  // namespace cl::test
