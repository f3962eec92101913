#include "controls/core/ctl_objects.h"

namespace ctl {

namespace {
constexpr size_t kAboutLength = 10;
}

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
