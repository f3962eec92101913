// The mouse as a person moves it: input through the system's input queue (SendInput) at screen points, so that
// the program meets the same messages, capture and hit tests as with a real mouse.
#pragma once

#include <functional>
#include <vector>

namespace testsupport {

enum class LeftButton { Keep, Press, Release };

// Moves the pointer to the screen point, with the left button pressed or released there when asked.
void SystemMouse(int x, int y, LeftButton button = LeftButton::Keep);

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
