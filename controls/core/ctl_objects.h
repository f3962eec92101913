// The roots of the control library's settings objects and components: a change notification that an update lock
// can hold back.
#pragma once

#include <string>

#include "classlib/core/component.h"
#include "classlib/core/events.h"
#include "classlib/core/exceptions.h"

namespace ctl {

// The change notification both roots share: OnChange, fired unless locked.
class TChangeNotifier {
 public:
  const cl::TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const cl::TNotifyEvent& handler) { FOnChange = handler; }
  bool Locked() const { return FLocked; }
  void SetLocked(bool locked) { FLocked = locked; }
  // OnChange(sender), unless locked or no handler is assigned.
  void Notify(cl::TObject* sender) const;

 private:
  cl::TNotifyEvent FOnChange;
  bool FLocked = false;
};

class TCtlObject : public cl::TPersistent {
  CL_CLASS(TCtlObject, cl::TPersistent)
 public:
  const cl::TNotifyEvent& OnChange() const { return FNotifier.OnChange(); }
  void SetOnChange(const cl::TNotifyEvent& handler) { FNotifier.SetOnChange(handler); }
  bool Locked() const { return FNotifier.Locked(); }
  void Lock() { FNotifier.SetLocked(true); }
  // Clears the lock and, when asked to, sends the change notification.
  void Unlock(bool notify);

  // The change notification: OnChange(this) unless locked.
  virtual void Change();
  // Sends the change notification; descendants override either.
  virtual void Changed() { Change(); }

 private:
  TChangeNotifier FNotifier;
};

// The library's error for a misplaced single-use component: kind 0 "<class>:" CR "Invalid owner (<>TForm) or
// second instance on a form", kind 1 "<class>:" CR "Already one <class> control in this project!".
class CtlEOneInstError : public cl::Exception {
 public:
  CtlEOneInstError(const std::string& className, int kind);
};

class TCtlComponent : public cl::TComponent {
  CL_CLASS(TCtlComponent, cl::TComponent)
 public:
  explicit TCtlComponent(cl::TComponent* owner) : TComponent(owner) {}

  // A short note about the component, at most 10 characters.
  const std::string& About() const { return FAbout; }
  void SetAbout(const std::string& about);

  const cl::TNotifyEvent& OnChange() const { return FNotifier.OnChange(); }
  void SetOnChange(const cl::TNotifyEvent& handler) { FNotifier.SetOnChange(handler); }
  bool Locked() const { return FNotifier.Locked(); }
  void Lock() { FNotifier.SetLocked(true); }
  void Unlock(bool notify);
  virtual void Change();

 private:
  std::string FAbout;
  TChangeNotifier FNotifier;
};

}  // namespace ctl
