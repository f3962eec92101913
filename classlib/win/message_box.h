// The library's message box: Parts never call the Win32 function directly, so that the test responder sees
// every box.
#pragma once

#include <windows.h>

#include <string>

namespace cl {

// Same arguments as the Win32 function; the responder's answer when one is installed, else the real box's.
int MessageBoxA(HWND owner, const std::string& text, const std::string& caption, UINT flags);

}  // namespace cl
