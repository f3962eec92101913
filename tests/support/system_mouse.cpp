#include "support/system_mouse.h"

#include <windows.h>

#include <atomic>
#include <thread>

namespace testsupport {

namespace {

constexpr DWORD kStepPauseMs = 80;

}  // namespace

void SystemMouse(int x, int y, LeftButton button) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  // Absolute positions run from 0 to 65535 across the screen; the half step lands on the pixel itself.
  input.mi.dx = MulDiv(x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 32768 / GetSystemMetrics(SM_CXSCREEN);
  input.mi.dy = MulDiv(y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 32768 / GetSystemMetrics(SM_CYSCREEN);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  if (button == LeftButton::Press) input.mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
  if (button == LeftButton::Release) input.mi.dwFlags |= MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
}

std::vector<MouseStep> ClickAt(int x, int y) {
  return {{x, y, LeftButton::Keep}, {x, y, LeftButton::Press}, {x, y, LeftButton::Release}};
}

void PlayMouse(const std::vector<MouseStep>& steps, const std::function<void()>& handleMessages) {
  std::atomic<bool> done = false;
  std::thread player([&] {
    for (const MouseStep& step : steps) {
      SystemMouse(step.X, step.Y, step.Button);
      Sleep(kStepPauseMs);
    }
    done = true;
  });
  while (!done) {
    handleMessages();
    Sleep(5);
  }
  player.join();
  handleMessages();
}

}  // namespace testsupport
