// TCtlWndProcComponent: the base of components that take part in their owner form's messages. It hooks the form's
// window (or, for an MDI frame, its client window unless asked for the frame itself) when loaded or enabled, hands
// every message to the virtual MessageHandler, and lets go of the window when the window is destroyed or the
// component goes.
#pragma once

#include <windows.h>

#include "classlib/win/messages.h"
#include "classlib/win/window_subclass.h"
#include "controls/core/ctl_objects.h"

namespace cl {
class TForm;
}

namespace ctl {

enum TCtlOwnerKind { okNormal, okMDIChild, okMDIForm };

class TCtlWndProcComponent : public TCtlComponent {
  CL_CLASS(TCtlWndProcComponent, TCtlComponent)
 public:
  explicit TCtlWndProcComponent(cl::TComponent* owner);
  void BeforeDestruction() override;

  bool Enabled() const { return FEnabled; }
  // Turning it on hooks the window; turning it off lets go of it.
  virtual void SetEnabled(bool enabled);

  // The owner when it is a form, else null.
  cl::TForm* GetOwnerForm() const;
  // The window to hook: an MDI frame's client window (unless the frame itself is asked for), else the owner form's
  // window, made when missing; null without a form or when the window cannot be had.
  HWND GetOwnerHandle() const;
  // The window hooked now, or null.
  HWND HookedWindow() const { return FSubclass.Window(); }
  TCtlOwnerKind OwnerKind() const { return FOwnerKind; }
  // True once the hooked window received WM_DESTROY.
  bool WindowDestroyed() const { return FDestroyed; }

 protected:
  void Loaded() override;
  // Hooks the window; descendants add what they do once hooked.
  virtual void HookOn();
  // What descendants undo before the window is let go; the base does nothing.
  virtual void HookOff() {}
  // Every message of the hooked window. The base passes each on (CallPrevious); at WM_DESTROY it lets go of the
  // window, passing the message on first except for an MDI child.
  virtual void MessageHandler(cl::TMessage& message);
  // Hands the message to the window's own procedure and keeps its answer in message.Result.
  void CallPrevious(cl::TMessage& message);

  void Install();
  void Uninstall();
  // Set by descendants that hook an MDI frame itself rather than its client window.
  void SetHookFrameItself(bool frameItself) { FFrameItself = frameItself; }

 private:
  bool FEnabled = true;
  bool FFrameItself = false;
  bool FDestroyed = false;
  TCtlOwnerKind FOwnerKind = okNormal;
  cl::TWindowSubclass FSubclass;
};

}  // namespace ctl
