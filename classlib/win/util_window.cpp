// AllocateHWnd and DeallocateHWnd: the method sits in a shared block that each call holds while it runs.
#include "classlib/win/util_window.h"

#include <memory>

#include "classlib/core/exceptions.h"
#include "classlib/win/guard.h"

namespace cl {
namespace {

constexpr char kUtilWindowClass[] = "CLUtilWindow";

using SharedMethod = std::shared_ptr<TWndMethod>;

LRESULT CALLBACK UtilWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  auto* slot = reinterpret_cast<SharedMethod*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  if (!slot) return DefWindowProcA(wnd, msg, wParam, lParam);
  SharedMethod method = *slot;  // keeps the callable alive if the method deallocates its own window
  TMessage message{msg, wParam, lParam, 0};
  Guard(nullptr, [&] { (*method)(message); });
  return message.Result;
}

void RegisterUtilWindowClass() {
  WNDCLASSA existing{};
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (GetClassInfoA(instance, kUtilWindowClass, &existing)) return;
  WNDCLASSA wc{};
  wc.lpfnWndProc = UtilWindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = kUtilWindowClass;
  if (!RegisterClassA(&wc)) throw EOutOfResources();
}

}  // namespace

HWND AllocateHWnd(TWndMethod method) {
  RegisterUtilWindowClass();
  HWND wnd = CreateWindowExA(WS_EX_TOOLWINDOW, kUtilWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  if (!wnd) throw EOutOfResources();
  auto* slot = new SharedMethod(std::make_shared<TWndMethod>(std::move(method)));
  SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(slot));
  return wnd;
}

void DeallocateHWnd(HWND wnd) {
  if (!wnd || !IsWindow(wnd)) return;
  auto* slot = reinterpret_cast<SharedMethod*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
  delete slot;  // a running call still holds its own reference
  DestroyWindow(wnd);
}

}  // namespace cl
