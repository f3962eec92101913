// Mouse and keys through SendInput.
#include "support/real_input.h"

#include <atomic>
#include <thread>
#include <utility>
#include <vector>

namespace testsupport {
namespace {

constexpr DWORD kStepPauseMs = 80;

// Absolute pointer positions are given in 65536ths of the primary screen, which the system turns back into pixels
// by rounding down: rounding up here lands on the pixel asked for.
LONG Normalized(int coordinate, int screenExtent) {
  return static_cast<LONG>((static_cast<long long>(coordinate) * 65536 + screenExtent - 1) / screenExtent);
}

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT MouseInput(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  return input;
}

INPUT KeyInput(WORD key, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  return input;
}

}  // namespace

void RealMouseMove(int x, int y) {
  INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
  input.mi.dx = Normalized(x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = Normalized(y, GetSystemMetrics(SM_CYSCREEN));
  Send({input});
}

void RealMouseButton(bool down, bool right) {
  const DWORD flags =
      right ? (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP) : (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
  Send({MouseInput(flags)});
}

void RealClick(int x, int y) {
  RealMouseMove(x, y);
  RealMouseButton(true);
  RealMouseButton(false);
}

void RealKey(WORD key, bool down) {
  Send({KeyInput(key, down)});
}

void RealKeys(const std::vector<WORD>& keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) inputs.push_back(KeyInput(key, true));
  for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) inputs.push_back(KeyInput(*it, false));
  Send(inputs);
}

void RealShortCut(WORD shortCut) {
  std::vector<WORD> keys;
  for (auto [flag, modifier] : {std::pair{0x2000, VK_SHIFT}, {0x4000, VK_CONTROL}, {0x8000, VK_MENU}}) {
    if (shortCut & flag) keys.push_back(modifier);
  }
  keys.push_back(shortCut & 0xFF);
  RealKeys(keys);
}

std::vector<MouseStep> ClickAt(int x, int y) {
  return {{x, y, LeftButton::Keep}, {x, y, LeftButton::Press}, {x, y, LeftButton::Release}};
}

void PlayMouse(const std::vector<MouseStep>& steps, const std::function<void()>& handleMessages) {
  std::atomic<bool> done = false;
  std::thread player([&] {
    for (const MouseStep& step : steps) {
      RealMouseMove(step.X, step.Y);
      if (step.Button != LeftButton::Keep) RealMouseButton(step.Button == LeftButton::Press);
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
