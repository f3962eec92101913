// Windows that only receive messages (timers, popup-menu owners, hot keys): hidden top-level windows of class
// "CLUtilWindow". They are deliberately not message-only windows, because TrackPopupMenu owners and
// RegisterHotKey need ordinary ones.
#pragma once

#include <windows.h>

#include <functional>

#include "classlib/win/messages.h"

namespace cl {

using TWndMethod = std::function<void(TMessage&)>;

// Makes a window whose messages go to method, guarded: an exception reaches Application->HandleException and
// the message returns 0. The method answers every message it gets, calling DefWindowProcA itself for those it
// does not handle. Raises EOutOfResources when the window cannot be made.
HWND AllocateHWnd(TWndMethod method);

// Destroys the window. Safe inside the window's own method: the callable lives until that call returns.
void DeallocateHWnd(HWND wnd);

}  // namespace cl
