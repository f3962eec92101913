// TCtlOneInstance: on a program's main form, ends a second copy of the program while its form loads, after
// bringing up the first copy.
#pragma once

#include "controls/core/ctl_objects.h"

namespace ctl {

enum TCtlOneInstanceMode { oiActivateOnly, oiDefaultMessage, oiCustom };

class TCtlOneInstance : public TCtlComponent {
  CL_CLASS(TCtlOneInstance, TCtlComponent)
 public:
  // A second one in the process raises CtlEOneInstError (kind 1), so the form does not load.
  explicit TCtlOneInstance(cl::TComponent* owner);
  ~TCtlOneInstance() override;
  void AfterConstruction() override;

  TCtlOneInstanceMode Mode() const { return FMode; }
  void SetMode(TCtlOneInstanceMode mode) { FMode = mode; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled) { FEnabled = enabled; }
  // oiCustom: what to do in place of bringing up the first copy.
  const cl::TNotifyEvent& OnCustom() const { return FOnCustom; }
  void SetOnCustom(const cl::TNotifyEvent& handler) { FOnCustom = handler; }

  // The number of live guards in the process.
  static int Count();

 protected:
  // When enabled and the application object reports another running copy: brings it up (after the message or
  // through OnCustom, as the mode says) and ends this process at once, so that no form's destruction runs and the
  // first copy's settings stay as they are.
  void Loaded() override;

 private:
  TCtlOneInstanceMode FMode = oiActivateOnly;
  bool FEnabled = true;
  cl::TNotifyEvent FOnCustom;
};

}  // namespace ctl
