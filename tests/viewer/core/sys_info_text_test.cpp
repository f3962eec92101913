#include "viewer/core/sys_info_text.h"

#include <gtest/gtest.h>

namespace viewer {
namespace {

TEST(SysInfoText, PlatformNamesAndVersion) {
  EXPECT_EQ(PlatformName(0), "Win32s");
  EXPECT_EQ(PlatformName(1), "Windows 95");
  EXPECT_EQ(PlatformName(2), "Windows NT");
  EXPECT_EQ(PlatformName(3), "(Unknown)");
  EXPECT_EQ(VersionText(6, 1), "6.1");
}

TEST(SysInfoText, PercentagesDelaysAndKeys) {
  EXPECT_EQ(PercentText(0), "0 %");
  EXPECT_EQ(PercentText(87), "87 %");
  EXPECT_EQ(SplitScreenSaverDelay(600), (TScreenSaverDelay{10, 0}));
  EXPECT_EQ(SplitScreenSaverDelay(61), (TScreenSaverDelay{1, 1}));
  EXPECT_EQ(RegisteredInfoKey(true), "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
  EXPECT_EQ(RegisteredInfoKey(false), "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
}

TEST(SysInfoText, KilobytesOfA64BitAddressSpaceDoNotOverflow) {
  EXPECT_EQ(KiloBytes(128ull << 40), int64_t{1} << 37);
  EXPECT_EQ(KiloBytes(2047), 1);
}

}  // namespace
}  // namespace viewer
