#include "support/system_mouse.h"

#include <windows.h>

namespace testsupport {

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

}  // namespace testsupport
