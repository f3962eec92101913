// Tarnel as a user starts it twice: the second copy ends while its main form loads, brings up the first when that
// carries the title the second starts with, and leaves the settings the first copy keeps alone.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "classlib/test/pump.h"
#include "classlib/win/registry.h"
#include "controls/win/registry_probe.h"

namespace {

using ctl::test::RawString;
using ctl::test::SetRawString;

constexpr char kMachineKey[] = "SOFTWARE\\Orlanto\\Tarnby";
constexpr char kUserKey[] = "SOFTWARE\\Orlanto\\Tarnby";
// A folder that does not exist: a copy that ran its forms would write back the root its tree fell back to.
constexpr char kStoredFolder[] = "C:\\no such folder\\";
constexpr char kStoredMask[] = "*.gif";
constexpr char kPlacementKey[] = "Software\\Tarnby\\Common";
// The title with the folder shown: "Tarnby -[folder]".
constexpr char kTitleWithFolder[] = "Tarnby -[";

class Program {
 public:
  explicit Program(const std::string& path) {
    std::string command = "\"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    FStarted =
        CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &FProcess);
  }
  ~Program() {
    if (!FStarted) return;
    if (!Ended(0)) TerminateProcess(FProcess.hProcess, 1);
    CloseHandle(FProcess.hProcess);
    CloseHandle(FProcess.hThread);
  }
  bool Started() const { return FStarted; }
  bool Ended(DWORD timeoutMs) const { return WaitForSingleObject(FProcess.hProcess, timeoutMs) == WAIT_OBJECT_0; }
  DWORD ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(FProcess.hProcess, &code);
    return code;
  }
  // The first top-level window of the program whose class is className and, unless visibleOnly is false,
  // that shows.
  HWND Window(const std::string& className, bool visibleOnly) const {
    struct Search {
      DWORD ProcessId;
      std::string ClassName;
      bool VisibleOnly;
      HWND Found = nullptr;
    } search{FProcess.dwProcessId, className, visibleOnly};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(data);
          DWORD processId = 0;
          GetWindowThreadProcessId(window, &processId);
          char name[256] = {};
          GetClassNameA(window, name, sizeof name);
          if (processId != s.ProcessId || name != s.ClassName || (s.VisibleOnly && !IsWindowVisible(window)))
            return TRUE;
          s.Found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
  }

 private:
  PROCESS_INFORMATION FProcess{};
  bool FStarted = false;
};

void StoreSettings() {
  cl::TRegistry machine;
  machine.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(machine.OpenKey(kMachineKey, true));
  machine.WriteString("LastDir", kStoredFolder);
  machine.WriteInteger("SplitterMain", 200);
  machine.WriteInteger("Splitter2", 160);
  SetRawString(HKEY_CURRENT_USER, kUserKey, "BrowseExtension", kStoredMask);
}

TEST(SingleCopy, ASecondTarnelEndsBringsUpTheFirstAndLeavesItsSettings) {
  StoreSettings();
  Program first(TARNEL_PROGRAM);
  ASSERT_TRUE(first.Started());
  HWND firstForm = nullptr;
  ASSERT_TRUE(cl::test::PumpUntil([&] { return (firstForm = first.Window("TTarnby", true)) != nullptr; }, 60000));
  HWND firstApplication = first.Window("TApplication", false);
  ASSERT_NE(firstApplication, nullptr);
  // The first copy's title names its folder; given the title a new copy starts with, the second one finds it.
  SetWindowTextA(firstApplication, "tarnel");
  ShowWindow(firstForm, SW_MINIMIZE);
  ASSERT_TRUE(cl::test::PumpUntil([&] { return IsIconic(firstForm) != FALSE; }, 10000));

  Program second(TARNEL_PROGRAM);
  ASSERT_TRUE(second.Started());
  ASSERT_TRUE(second.Ended(60000));
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(cl::test::PumpUntil([&] { return !IsIconic(firstForm); }, 10000));
  EXPECT_EQ(RawString(HKEY_LOCAL_MACHINE, kMachineKey, "LastDir"), kStoredFolder);
  EXPECT_EQ(RawString(HKEY_CURRENT_USER, kUserKey, "BrowseExtension"), kStoredMask);

  // The first copy's own end writes its settings, the mask box's through the persistence component.
  PostMessageA(firstForm, WM_CLOSE, 0, 0);
  ASSERT_TRUE(first.Ended(60000));
  EXPECT_NE(RawString(HKEY_LOCAL_MACHINE, kMachineKey, "LastDir"), kStoredFolder);
  EXPECT_EQ(RawString(HKEY_CURRENT_USER, kUserKey, "BrowseExtension"), kStoredMask);
}

TEST(SingleCopy, TheWindowComesBackWhereItWasUnderTheProgramsOwnName) {
  StoreSettings();
  RegDeleteTreeA(HKEY_CURRENT_USER, kPlacementKey);
  ctl::test::DeleteSubkeysStartingWith(HKEY_CURRENT_USER, "Software", kTitleWithFolder);
  {
    Program first(TARNEL_PROGRAM);
    ASSERT_TRUE(first.Started());
    HWND form = nullptr;
    ASSERT_TRUE(cl::test::PumpUntil([&] { return (form = first.Window("TTarnby", true)) != nullptr; }, 60000));
    SetWindowPos(form, nullptr, 60, 50, 600, 420, SWP_NOZORDER);
    PostMessageA(form, WM_CLOSE, 0, 0);
    ASSERT_TRUE(first.Ended(60000));
  }
  EXPECT_EQ(RawString(HKEY_CURRENT_USER, kPlacementKey, "FrameForm"), "200,0,1,60,50,660,470");
  // The title names the folder; no key is named after it.
  EXPECT_TRUE(ctl::test::SubkeysStartingWith(HKEY_CURRENT_USER, "Software", kTitleWithFolder).empty());

  Program again(TARNEL_PROGRAM);
  ASSERT_TRUE(again.Started());
  HWND form = nullptr;
  ASSERT_TRUE(cl::test::PumpUntil([&] { return (form = again.Window("TTarnby", true)) != nullptr; }, 60000));
  RECT bounds{};
  GetWindowRect(form, &bounds);
  EXPECT_EQ(bounds.left, 60);
  EXPECT_EQ(bounds.top, 50);
  PostMessageA(form, WM_CLOSE, 0, 0);
  EXPECT_TRUE(again.Ended(60000));
}

}  // namespace
