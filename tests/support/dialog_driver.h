// Drives a real system dialog from inside its own modal loop: a thread timer looks for the dialog window of
// this thread, runs the test's action on it once (fill in, screenshot, post the closing command), and gives up
// with a test failure when no dialog shows. Several actions serve dialogs that show one after another.
#pragma once

#include <windows.h>

#include <dlgs.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace cltest {

class DialogDriver {
 public:
  // Types text into a file dialog's name box.
  static void TypeFileName(HWND dialog, const std::string& text) {
    HWND box = GetDlgItem(dialog, cmb13);
    if (!box) box = GetDlgItem(dialog, edt1);
    ASSERT_NE(box, nullptr);
    SetWindowTextA(box, text.c_str());
  }

  // Calls execute() (which shows the dialog) with action(dialogWindow) run once the dialog shows.
  template <class Execute>
  auto Run(Execute execute, std::function<void(HWND)> action) {
    return Run(execute, std::vector<std::function<void(HWND)>>{std::move(action)});
  }

  // The same with one action for each dialog that shows in turn (a dialog that shows again after a question).
  template <class Execute>
  auto Run(Execute execute, std::vector<std::function<void(HWND)>> actions) {
    FPending.assign(actions.begin(), actions.end());
    FTicks = 0;
    FLastDialog = nullptr;
    Current() = this;
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, &DialogDriver::Tick);
    struct TimerGuard {
      UINT_PTR Id;
      ~TimerGuard() { KillTimer(nullptr, Id); }
    } guard{timer};
    auto result = execute();
    EXPECT_TRUE(FPending.empty()) << FPending.size() << " of the dialogs never showed";
    return result;
  }

 private:
  struct Search {
    HWND Skip = nullptr;  // the dialog last acted on, which may still be closing
    HWND Found = nullptr;
  };

  static DialogDriver*& Current() {
    static DialogDriver* driver = nullptr;
    return driver;
  }

  static BOOL CALLBACK FindDialog(HWND wnd, LPARAM param) noexcept {
    auto* search = reinterpret_cast<Search*>(param);
    char className[16] = {};
    GetClassNameA(wnd, className, sizeof className);
    if (std::string(className) != "#32770" || !IsWindowVisible(wnd) || wnd == search->Skip) return TRUE;
    search->Found = wnd;
    return FALSE;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept {
    try {
      DialogDriver* driver = Current();
      if (!driver || driver->FPending.empty()) return;
      Search search{driver->FLastDialog, nullptr};
      EnumThreadWindows(GetCurrentThreadId(), &DialogDriver::FindDialog, reinterpret_cast<LPARAM>(&search));
      if (!search.Found) {
        if (++driver->FTicks == kMaxTicks) ADD_FAILURE() << "no dialog window showed";
        return;
      }
      driver->FTicks = 0;
      driver->FLastDialog = search.Found;
      auto action = std::move(driver->FPending.front());
      driver->FPending.pop_front();
      action(search.Found);
    } catch (const std::exception& e) {
      ADD_FAILURE() << "exception in the dialog timer: " << e.what();
    }
  }

  static constexpr int kMaxTicks = 50;
  std::deque<std::function<void(HWND)>> FPending;
  HWND FLastDialog = nullptr;
  int FTicks = 0;
};

}  // namespace cltest
