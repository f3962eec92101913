// Steps of a test run one per tick of a timer, so that they go on inside loops that wait for them (a menu that
// keeps Popup waiting, a bar held by its drag loop): real input given in one step arrives before the next.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "classlib/win/timer.h"

namespace tbr::test {

class TimedSteps {
 public:
  // The timer belongs to owner; the first step runs one interval from now.
  TimedSteps(cl::TComponent* owner, unsigned intervalMs, std::vector<std::function<void()>> steps)
      : FSteps(std::move(steps)), FTimer(cl::New<cl::TTimer>(owner)) {
    FTimer->SetInterval(intervalMs);
    FTimer->SetOnTimer(cl::TNotifyEvent([this](cl::TObject*) {
      if (FNext < FSteps.size()) FSteps[FNext++]();
    }));
  }
  TimedSteps(const TimedSteps&) = delete;
  TimedSteps& operator=(const TimedSteps&) = delete;
  ~TimedSteps() { cl::Free(FTimer.get()); }
  bool Done() const { return FNext == FSteps.size(); }

 private:
  std::vector<std::function<void()>> FSteps;
  size_t FNext = 0;
  cl::Weak<cl::TTimer> FTimer;
};

}  // namespace tbr::test
