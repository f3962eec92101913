// TCtlGlobalHotKey: one system-wide hot key that raises OnKeyDown when it is pressed, whichever program has the
// focus. The key is held from the system while the component is active and its HotKey is not 0; changing the key
// gives the old one back, and so does destruction.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "classlib/core/component.h"
#include "classlib/core/exceptions.h"
#include "classlib/win/controls.h"
#include "viewer/core/hot_key_registration.h"

namespace viewer {

// A hot key the system refuses, because another program holds it; the message names the key.
class EHotKeyError : public cl::Exception {
 public:
  using Exception::Exception;
};

class TCtlGlobalHotKey : public cl::TComponent {
  CL_CLASS(TCtlGlobalHotKey, cl::TComponent)
 public:
  explicit TCtlGlobalHotKey(cl::TComponent* owner);
  ~TCtlGlobalHotKey() override;
  void BeforeDestruction() override;

  // A shortcut value: the virtual key in the low byte, with the Shift, Ctrl and Alt bits of cl::TShortCut.
  uint16_t HotKey() const { return FRegistration.HotKey(); }
  // Raises EHotKeyError, leaving the component inactive, when the key cannot be had.
  void SetHotKey(uint16_t hotKey);
  // True after construction.
  bool Active() const { return FRegistration.Active(); }
  // Raises EHotKeyError, leaving the component inactive, when the key cannot be had.
  void SetActive(bool active);
  const cl::TKeyEvent& OnKeyDown() const { return FOnKeyDown; }
  void SetOnKeyDown(const cl::TKeyEvent& handler) { FOnKeyDown = handler; }

  // The window the system sends the key's WM_HOTKEY to.
  HWND Handle() const { return FWindow; }

 private:
  class Registrar;
  void WndProc(cl::TMessage& message);
  void CheckRegistered(bool registered) const;

  HWND FWindow = nullptr;
  ATOM FAtom = 0;
  std::unique_ptr<Registrar> FRegistrar;
  HotKeyRegistration FRegistration;
  cl::TKeyEvent FOnKeyDown;
};

}  // namespace viewer
