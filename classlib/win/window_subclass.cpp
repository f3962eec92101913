#include "classlib/win/window_subclass.h"

#include <commctrl.h>

#include "classlib/win/guard.h"

namespace cl {
namespace {

// One hook per TWindowSubclass object: the object's address is the subclass id.
UINT_PTR IdOf(const TWindowSubclass* subclass) {
  return reinterpret_cast<UINT_PTR>(subclass);
}

}  // namespace

bool TWindowSubclass::Install(HWND window, THandler handler, TObject* sender) {
  Uninstall();
  if (!window || !IsWindow(window)) return false;
  FHandler = std::move(handler);
  FSender = sender;
  if (!SetWindowSubclass(window, &SubclassProc, IdOf(this), reinterpret_cast<DWORD_PTR>(this))) return false;
  FWindow = window;
  return true;
}

void TWindowSubclass::Uninstall() {
  if (!FWindow) return;
  if (IsWindow(FWindow)) RemoveWindowSubclass(FWindow, &SubclassProc, IdOf(this));
  FWindow = nullptr;
}

void TWindowSubclass::CallPrevious(TMessage& message) {
  if (FPassed) *FPassed = true;
  message.Result = DefSubclassProc(FWindow, message.Msg, message.WParam, message.LParam);
}

LRESULT TWindowSubclass::Handle(HWND window, TMessage& message) noexcept {
  bool passed = false;
  bool* outer = FPassed;
  FPassed = &passed;
  // A copy, so that a handler that installs again or uninstalls does not destroy the running callable.
  const THandler handler = FHandler;
  const bool handled = Guard(FSender, false, [&] {
    handler(message);
    return true;
  });
  FPassed = outer;
  // A handler that failed before passing the message on still lets the window have it.
  if (!handled && !passed) message.Result = DefSubclassProc(window, message.Msg, message.WParam, message.LParam);
  return message.Result;
}

LRESULT CALLBACK TWindowSubclass::SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR data) noexcept {
  auto* self = reinterpret_cast<TWindowSubclass*>(data);
  TMessage message{msg, wParam, lParam, 0};
  const LRESULT result = self->Handle(window, message);
  if (msg == WM_NCDESTROY && self->FWindow == window) {
    RemoveWindowSubclass(window, &SubclassProc, IdOf(self));
    self->FWindow = nullptr;
  }
  return result;
}

}  // namespace cl
