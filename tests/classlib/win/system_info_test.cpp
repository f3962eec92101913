// System error texts and the platform the program runs on.
#include "classlib/win/system_info.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemInfo, ErrorTextsComeWithoutTheirLineBreakAndUnknownCodesHaveNone) {
  const std::string text = cl::SysErrorMessage(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), '\n');
  EXPECT_NE(text.back(), '\r');
  EXPECT_NE(text, cl::SysErrorMessage(ERROR_ACCESS_DENIED));
  EXPECT_EQ(cl::SysErrorMessage(0x2FFFFFFF), "");
}

TEST(SystemInfo, WineRunsProgramsOnTheNtPlatform) {
  EXPECT_EQ(cl::Win32Platform(), static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
}

}  // namespace
