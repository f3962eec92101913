// Input through the system's input queue (SendInput), as a person's mouse and keyboard give it: it goes to the
// window under the pointer or with the focus, past every hook of the thread, with the system's own key state.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace testsupport {

// Moves the pointer to a screen point.
void RealMouseMove(int x, int y);
// Presses or releases the left button (or the right one) where the pointer is.
void RealMouseButton(bool down, bool right = false);
// Moves the pointer to a screen point, then presses and releases the left button there.
void RealClick(int x, int y);
// Presses or releases one key.
void RealKey(WORD key, bool down);
// Presses the keys in order and releases them in the reverse order: {VK_MENU, VK_SPACE} is Alt+Space.
void RealKeys(std::initializer_list<WORD> keys);

}  // namespace testsupport
