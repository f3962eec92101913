// TWindowSubclass: a hook into one window's messages ahead of the window's own procedure, through the system's
// subclass chain (SetWindowSubclass), so that hooks put on and taken off in any order keep the chain whole. It
// takes itself off when the window goes (WM_NCDESTROY) and never makes a window to take itself off.
#pragma once

#include <windows.h>

#include <functional>

#include "classlib/win/messages.h"

namespace cl {

class TObject;

class TWindowSubclass {
 public:
  // Receives every message of the window; what it does not pass on with CallPrevious goes no further, and
  // message.Result is the answer.
  using THandler = std::function<void(TMessage& message)>;

  TWindowSubclass() = default;
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;
  ~TWindowSubclass() { Uninstall(); }

  // Hooks handler into window (after taking any previous hook off); exceptions of the handler go to
  // Application->HandleException(sender), and the message then goes on unless it already did. False when window is
  // no window or the system refused.
  bool Install(HWND window, THandler handler, TObject* sender = nullptr);
  // Takes the hook off the window it was put on, when that window still exists.
  void Uninstall();
  bool Installed() const { return FWindow != nullptr; }
  HWND Window() const { return FWindow; }

  // Passes the message on to the procedures under this hook and stores their answer in message.Result. Only inside
  // the handler.
  void CallPrevious(TMessage& message);

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data) noexcept;
  LRESULT Handle(HWND window, TMessage& message) noexcept;

  HWND FWindow = nullptr;
  THandler FHandler;
  TObject* FSender = nullptr;
  // Whether the message being handled (the innermost, when sent messages nest) was passed on.
  bool* FPassed = nullptr;
};

}  // namespace cl
