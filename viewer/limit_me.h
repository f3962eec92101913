// TLimitMe: keeps one running instance. The first instance holds a named semaphore for the life of the process;
// a later one finds it, runs BeforeTerminate (the viewer hands its files over there) and asks the application to
// end before any window is shown.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/core/component.h"
#include "classlib/core/events.h"

namespace viewer {

class TLimitMe : public cl::TComponent {
  CL_CLASS(TLimitMe, cl::TComponent)
 public:
  explicit TLimitMe(cl::TComponent* owner) : TComponent(owner) {}
  ~TLimitMe() override;

  // The guard's name.
  const std::string& Bija() const { return FBija; }
  void SetBija(const std::string& name) { FBija = name; }
  bool Terminate() const { return FTerminate; }
  void SetTerminate(bool terminate) { FTerminate = terminate; }
  const cl::TNotifyEvent& BeforeTerminate() const { return FBeforeTerminate; }
  void SetBeforeTerminate(const cl::TNotifyEvent& handler) { FBeforeTerminate = handler; }

  // True when another instance holds the guard. A guard that cannot be created counts as the first instance.
  bool DoIExist();

 private:
  std::string FBija = "Aum";
  bool FTerminate = true;
  cl::TNotifyEvent FBeforeTerminate;
  HANDLE FSemaphore = nullptr;  // held by the first instance until the process ends
};

}  // namespace viewer
