// Input through the system's input queue (SendInput), as a person's mouse and keyboard give it: it goes to the
// window under the pointer or with the focus, past every hook of the thread, with the system's own key state.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

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
void RealKeys(const std::vector<WORD>& keys);
// Presses a menu shortcut: the virtual key in the low byte, with Shift (0x2000), Ctrl (0x4000) and Alt (0x8000).
void RealShortCut(WORD shortCut);

enum class LeftButton { Keep, Press, Release };
// A pointer move, with the left button pressed or released there when asked.
struct MouseStep {
  int X = 0;
  int Y = 0;
  LeftButton Button = LeftButton::Keep;
};
// A move to the point, a press and a release there.
std::vector<MouseStep> ClickAt(int x, int y);

// Plays the steps from another thread, a moment apart, while handleMessages runs on this one: drags, menus and
// buttons that run loops of their own meet the input inside their loops. Returns when all steps were played.
void PlayMouse(const std::vector<MouseStep>& steps, const std::function<void()>& handleMessages);

}  // namespace testsupport
