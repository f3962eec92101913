// ParamStr and ParamCount read the real command line: the test starts itself again with a known command line.
#include "classlib/win/command_line.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

constexpr char kChildVariable[] = "CL_COMMAND_LINE_CHILD";

bool IsChild() {
  return GetEnvironmentVariableA(kChildVariable, nullptr, 0) > 0;
}

// Runs this program again with `arguments` after the program name, only the child test selected.
DWORD RunChild(const std::string& arguments) {
  std::string self = cl::ParamStr(0);
  std::string command = "\"" + self + "\" --gtest_filter=CommandLineChild.* " + arguments;
  SetEnvironmentVariableA(kChildVariable, "1");
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  BOOL started =
      CreateProcessA(self.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  SetEnvironmentVariableA(kChildVariable, nullptr);
  if (!started) return 1000;
  WaitForSingleObject(process.hProcess, 60000);
  DWORD exitCode = 1001;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return exitCode;
}

TEST(CommandLine, ParamZeroIsTheModulePath) {
  std::string self = cl::ParamStr(0);
  char module[MAX_PATH];
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  EXPECT_EQ(self, module);
  EXPECT_EQ(cl::ParamStr(-1), "");
}

TEST(CommandLine, ArgumentsFollowTheLibraryRulesNotTheRuntimes) {
  if (IsChild()) GTEST_SKIP() << "runs in the parent only";
  EXPECT_EQ(RunChild("  C:\\My\" \"Pictures\\a.bmp\t\"two words\" back\\\\slash\\\" end\"x"), 0u);
}

TEST(CommandLineChild, SeesItsOwnArguments) {
  if (!IsChild()) GTEST_SKIP() << "runs as a child of ArgumentsFollowTheLibraryRulesNotTheRuntimes";
  ASSERT_EQ(cl::ParamCount(), 4);
  EXPECT_EQ(cl::ParamStr(1), "--gtest_filter=CommandLineChild.*");
  EXPECT_EQ(cl::ParamStr(2), "C:\\My Pictures\\a.bmp");
  EXPECT_EQ(cl::ParamStr(3), "two words");
  // Backslashes are literal: a backslash before a quote does not escape it.
  EXPECT_EQ(cl::ParamStr(4), "back\\\\slash\\ endx");
  EXPECT_EQ(cl::ParamStr(5), "");
}

}  // namespace
