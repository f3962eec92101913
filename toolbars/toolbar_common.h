// What the toolbar library shares: one set of three window hooks for the GUI thread, installed while some client
// needs them, whose events go to every registered client that asked for their kind; and the test whether the
// program has the active window.
#pragma once

#include <windows.h>

#include "toolbars/core/hook_registry.h"
#include "toolbars/core/list_sort.h"

namespace tbr {

// A client's routine: the kind, the window and the message's two values (for hkWindowDestroying the dying window,
// 0, 0; for hkWindowPosChanged lParam points to the WINDOWPOS). An exception it raises is dropped.
using THookCallback = void (*)(THookEventKind kind, HWND wnd, WPARAM wParam, LPARAM lParam);

// Registers callback for kinds; a callback registered again only counts up (its first kinds stay). Unless
// designing, the hooks the kinds need are installed for the calling thread when missing.
void AddHookClient(THookCallback callback, THookEventKinds kinds, bool designing);
// Undoes one registration; a hook nobody needs any more is removed.
void RemoveHookClient(THookCallback callback);

// True when the calling thread owns the active window.
bool AppHasActiveWindow();

namespace debug {
// How many registrations need a hook, and whether it is installed, for tests.
int HookUseCount(THookSlot slot);
bool HookInstalled(THookSlot slot);
}  // namespace debug

}  // namespace tbr
