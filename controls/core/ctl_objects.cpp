#include "controls/core/ctl_objects.h"

namespace ctl {

namespace {
constexpr size_t kAboutLength = 10;
}

CtlEOneInstError::CtlEOneInstError(const std::string& className, int kind)
    : Exception(className + ":\r" +
                (kind == 0 ? "Invalid owner (<>TForm) or second instance on a form"
                           : "Already one " + className + " control in this project!")) {}

void TChangeNotifier::Notify(cl::TObject* sender) const {
  if (!FLocked && FOnChange) FOnChange(sender);
}

void TCtlObject::Unlock(bool notify) {
  FNotifier.SetLocked(false);
  if (notify) Change();
}

void TCtlObject::Change() {
  FNotifier.Notify(this);
}

void TCtlComponent::SetAbout(const std::string& about) {
  FAbout = about.substr(0, kAboutLength);
}

void TCtlComponent::Unlock(bool notify) {
  FNotifier.SetLocked(false);
  if (notify) Change();
}

void TCtlComponent::Change() {
  FNotifier.Notify(this);
}

}  // namespace ctl
