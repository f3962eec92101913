// The shared window hooks: three thread hooks of the GUI thread, their procedures turning messages into events,
// and their removal when the library ends.
#include "toolbars/toolbar_common.h"

#include "classlib/win/application.h"
#include "classlib/win/guard.h"

namespace tbr {
namespace {

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam) noexcept;
LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) noexcept;
LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) noexcept;

constexpr int kHookIds[kHookSlotCount] = {WH_CALLWNDPROC, WH_CBT, WH_GETMESSAGE};
constexpr HOOKPROC kHookProcs[kHookSlotCount] = {CallWndProcHook, CbtHook, GetMessageHook};

HHOOK hookHandles[kHookSlotCount] = {};

class ThreadHookInstaller : public HookInstaller {
 public:
  bool Install(THookSlot slot) override {
    hookHandles[slot] = SetWindowsHookExA(kHookIds[slot], kHookProcs[slot], nullptr, GetCurrentThreadId());
    return hookHandles[slot] != nullptr;
  }
  void Uninstall(THookSlot slot) override {
    if (hookHandles[slot]) UnhookWindowsHookEx(hookHandles[slot]);
    hookHandles[slot] = nullptr;
  }
};

struct HookState {
  ThreadHookInstaller Installer;
  HookRegistry<THookCallback> Registry{Installer};
};

// Made by the first registration and kept until the library ends, which removes every hook left.
HookState* state = nullptr;

void RemoveAllHooks() {
  if (!state) return;
  state->Registry.Clear();
  delete state;
  state = nullptr;
}

HookRegistry<THookCallback>& Registry() {
  if (!state) {
    state = new HookState;
    cl::AddExitProc(RemoveAllHooks);
  }
  return state->Registry;
}

void Deliver(THookEventKind kind, HWND wnd, WPARAM wParam, LPARAM lParam) {
  if (!state) return;
  state->Registry.Deliver(kind, [&](THookCallback client) {
    // One client's failure keeps neither the others nor the hook chain from running.
    cl::GuardSilent([&] { client(kind, wnd, wParam, lParam); });
  });
}

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HC_ACTION) {
    cl::GuardSilent([&] {
      const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
      if (call->message == WM_ACTIVATEAPP) Deliver(hkActivateApp, call->hwnd, call->wParam, call->lParam);
      if (call->message == WM_WINDOWPOSCHANGED) Deliver(hkWindowPosChanged, call->hwnd, call->wParam, call->lParam);
    });
  }
  return CallNextHookEx(hookHandles[hsCallWndProc], code, wParam, lParam);
}

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HCBT_DESTROYWND) {
    cl::GuardSilent([&] { Deliver(hkWindowDestroying, reinterpret_cast<HWND>(wParam), 0, 0); });
  }
  return CallNextHookEx(hookHandles[hsCbt], code, wParam, lParam);
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HC_ACTION) {
    cl::GuardSilent([&] {
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      if (msg->message == WM_MOUSEMOVE) Deliver(hkMouseMove, msg->hwnd, msg->wParam, msg->lParam);
    });
  }
  return CallNextHookEx(hookHandles[hsGetMessage], code, wParam, lParam);
}

}  // namespace

void AddHookClient(THookCallback callback, THookEventKinds kinds, bool designing) {
  Registry().Add(callback, kinds, designing);
}

void RemoveHookClient(THookCallback callback) {
  if (state) state->Registry.Remove(callback);
}

bool AppHasActiveWindow() {
  return GetActiveWindow() != nullptr;
}

int debug::HookUseCount(THookSlot slot) {
  return state ? state->Registry.UseCount(slot) : 0;
}

bool debug::HookInstalled(THookSlot slot) {
  return hookHandles[slot] != nullptr;
}

}  // namespace tbr
