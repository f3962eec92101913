// Finding a program's main window from a script's tool: the first visible top-level window (in the same Wine
// prefix) whose caption begins with a prefix.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

inline HWND FindTopWindow(const std::string& captionPrefix) {
  struct Search {
    const std::string& prefix;
    HWND found = nullptr;
  } search{captionPrefix};
  EnumWindows(
      [](HWND window, LPARAM data) noexcept -> BOOL {
        auto* search = reinterpret_cast<Search*>(data);
        char caption[256] = {};
        GetWindowTextA(window, caption, sizeof caption);
        if (IsWindowVisible(window) && std::strncmp(caption, search->prefix.c_str(), search->prefix.size()) == 0) {
          search->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}
