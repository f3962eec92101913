// Drives a real system dialog from inside its own modal loop: a thread timer looks for the dialog window of
// this thread, runs the test's action on it once (fill in, screenshot, post the closing command), and gives up
// with a test failure when no dialog shows.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace cltest {

class DialogDriver {
 public:
  // Calls execute() (which shows the dialog) with action(dialogWindow) run once the dialog shows.
  template <class Execute>
  auto Run(Execute execute, std::function<void(HWND)> action) {
    FPending = std::move(action);
    FTicks = 0;
    Current() = this;
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, &DialogDriver::Tick);
    struct TimerGuard {
      UINT_PTR Id;
      ~TimerGuard() { KillTimer(nullptr, Id); }
    } guard{timer};
    auto result = execute();
    EXPECT_FALSE(FPending) << "the dialog never showed";
    return result;
  }

 private:
  static DialogDriver*& Current() {
    static DialogDriver* driver = nullptr;
    return driver;
  }

  static BOOL CALLBACK FindDialog(HWND wnd, LPARAM found) noexcept {
    char className[16] = {};
    GetClassNameA(wnd, className, sizeof className);
    if (std::string(className) != "#32770" || !IsWindowVisible(wnd)) return TRUE;
    *reinterpret_cast<HWND*>(found) = wnd;
    return FALSE;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept {
    try {
      DialogDriver* driver = Current();
      if (!driver || !driver->FPending) return;
      HWND dialog = nullptr;
      EnumThreadWindows(GetCurrentThreadId(), &DialogDriver::FindDialog, reinterpret_cast<LPARAM>(&dialog));
      if (!dialog) {
        if (++driver->FTicks == kMaxTicks) ADD_FAILURE() << "no dialog window showed";
        return;
      }
      auto action = std::move(driver->FPending);
      driver->FPending = nullptr;
      action(dialog);
    } catch (const std::exception& e) {
      ADD_FAILURE() << "exception in the dialog timer: " << e.what();
    }
  }

  static constexpr int kMaxTicks = 50;
  std::function<void(HWND)> FPending;
  int FTicks = 0;
};

}  // namespace cltest
