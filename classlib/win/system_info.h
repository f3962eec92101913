// Questions to the operating system that the components ask: the text of a system error code and the platform
// the program runs on.
#pragma once

#include <windows.h>

#include <string>

namespace cl {

// The system's message for an error code (from the system message table, in the neutral language, at most 256
// characters) without the line break that ends it; "" when the system has no message for it.
std::string SysErrorMessage(DWORD errorCode);

// VER_PLATFORM_WIN32_NT on the NT family (and Wine), VER_PLATFORM_WIN32_WINDOWS on the older consumer systems.
DWORD Win32Platform();

}  // namespace cl
