// The mouse as a person moves it: input through the system's input queue (SendInput) at screen points, so that
// the program meets the same messages, capture and hit tests as with a real mouse.
#pragma once

namespace testsupport {

// Moves the pointer to the screen point, with the left button pressed or released there when asked.
enum class LeftButton { Keep, Press, Release };
void SystemMouse(int x, int y, LeftButton button = LeftButton::Keep);

}  // namespace testsupport
