#include "controls/ctl_wndproc_component.h"

#include "classlib/win/forms.h"

namespace ctl {

TCtlWndProcComponent::TCtlWndProcComponent(cl::TComponent* owner) : TCtlComponent(owner) {
  if (cl::TForm* form = GetOwnerForm()) {
    if (form->FormStyle() == cl::fsMDIChild) FOwnerKind = okMDIChild;
    if (form->FormStyle() == cl::fsMDIForm) FOwnerKind = okMDIForm;
  }
}

void TCtlWndProcComponent::BeforeDestruction() {
  if (FSubclass.Installed()) HookOff();
  Uninstall();
  inherited::BeforeDestruction();
}

cl::TForm* TCtlWndProcComponent::GetOwnerForm() const {
  return dynamic_cast<cl::TForm*>(Owner());
}

HWND TCtlWndProcComponent::GetOwnerHandle() const {
  cl::TForm* form = GetOwnerForm();
  if (!form) return nullptr;
  try {
    HWND frame = form->Handle();
    if (FOwnerKind == okMDIForm && !FFrameItself) return form->ClientHandle();
    return frame;
  } catch (const std::exception&) {
    return nullptr;
  }
}

void TCtlWndProcComponent::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  if (ComponentState().Contains(cl::csLoading)) return;  // Loaded hooks it
  if (enabled) {
    HookOn();
  } else {
    if (FSubclass.Installed()) HookOff();
    Uninstall();
  }
}

void TCtlWndProcComponent::Loaded() {
  inherited::Loaded();
  if (FEnabled) HookOn();
}

void TCtlWndProcComponent::HookOn() {
  Install();
}

void TCtlWndProcComponent::Install() {
  if (FSubclass.Installed()) return;
  HWND window = GetOwnerHandle();
  if (!window) return;
  FDestroyed = false;
  FSubclass.Install(
      window, [this](cl::TMessage& message) { MessageHandler(message); }, this);
}

void TCtlWndProcComponent::Uninstall() {
  FSubclass.Uninstall();
}

void TCtlWndProcComponent::CallPrevious(cl::TMessage& message) {
  FSubclass.CallPrevious(message);
}

void TCtlWndProcComponent::MessageHandler(cl::TMessage& message) {
  if (message.Msg != WM_DESTROY) {
    CallPrevious(message);
    return;
  }
  FDestroyed = true;
  // Letting go here, rather than swallowing what follows, leaves WM_NCDESTROY to the window's own procedure.
  if (FOwnerKind != okMDIChild) CallPrevious(message);
  Uninstall();
}

}  // namespace ctl
