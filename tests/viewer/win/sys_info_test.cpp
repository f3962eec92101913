// The system-information component: its answers against the system's own, the screen saver's delay, the
// registered owner from the registry, and memory figures that a 64-bit address space does not overflow.
#include "viewer/ctl_sys_info.h"

#include <gtest/gtest.h>

#include <climits>

#include "classlib/core/string_list.h"
#include "classlib/win/screen.h"
#include "controls/win/registry_probe.h"
#include "private_root.h"

namespace viewer {
namespace {

class SysInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableA("ORVANE_SYSINFO_TEST", "present");
    FInfo = cl::New<TCtlSysInfo>(nullptr);
  }
  void TearDown() override {
    cl::Free(FInfo);
    SetEnvironmentVariableA("ORVANE_SYSINFO_TEST", nullptr);
  }
  TCtlSysInfo* FInfo = nullptr;
};

TEST_F(SysInfoTest, AnswersWhatTheSystemSays) {
  EXPECT_EQ(FInfo->Platform(), "Windows NT");
  for (const std::string& resources : {FInfo->FreeSysRes(), FInfo->FreeGdiRes(), FInfo->FreeUsrRes()})
    EXPECT_EQ(resources, "0 %");
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  EXPECT_EQ(FInfo->TempPath(), temp);
  EXPECT_EQ(FInfo->TempPath().back(), '\\');
  const cl::TStrings* environment = FInfo->Environment();
  EXPECT_GE(environment->IndexOf("ORVANE_SYSINFO_TEST=present"), 0);
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  EXPECT_EQ(FInfo->ProcessorNumber(), static_cast<int>(system.dwNumberOfProcessors));
  EXPECT_EQ(FInfo->AllFonts()->Count(), static_cast<int>(cl::Screen->Fonts().size()));

  int before = 0;
  SystemParametersInfoA(SPI_GETSCREENSAVETIMEOUT, 0, &before, 0);
  SystemParametersInfoA(SPI_SETSCREENSAVETIMEOUT, 600, nullptr, 0);
  EXPECT_EQ(FInfo->ScreenSaverDelay(), (TScreenSaverDelay{10, 0}));
  SystemParametersInfoA(SPI_SETSCREENSAVETIMEOUT, before, nullptr, 0);
}

TEST_F(SysInfoTest, MemoryFiguresAreWholeKilobytesThatDoNotOverflow) {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  ASSERT_TRUE(GlobalMemoryStatusEx(&status));
  EXPECT_EQ(FInfo->MemPhysTotal(), static_cast<int64_t>(status.ullTotalPhys / 1024));
  EXPECT_EQ(FInfo->MemVirtTotal(), static_cast<int64_t>(status.ullTotalVirtual / 1024));
  EXPECT_LE(FInfo->MemPageFree(), FInfo->MemPageTotal());
  EXPECT_LE(FInfo->MemVirtFree(), FInfo->MemVirtTotal());
  EXPECT_GT(FInfo->MemPhysFree(), 0);
  // A 64-bit process has terabytes of address space: more kilobytes than a 32-bit integer holds.
  if (sizeof(void*) == 8) {
    EXPECT_GT(FInfo->MemVirtTotal(), INT_MAX);
  }
  EXPECT_NE(FInfo->MemoryLoaded().find(" %"), std::string::npos);
}

TEST_F(SysInfoTest, TheRegisteredOwnerComesFromTheRegistryOrIsUnknown) {
  test::PrivateRoot machine(HKEY_LOCAL_MACHINE, "Machine");
  EXPECT_EQ(FInfo->RegisteredOwner(), "(Unknown)");
  EXPECT_EQ(FInfo->RegisteredCompany(), "(Unknown)");
  const std::string key = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
  ctl::test::SetRawString(HKEY_LOCAL_MACHINE, key, "RegisteredOwner", "Ada");
  ctl::test::SetRawString(HKEY_LOCAL_MACHINE, key, "RegisteredOrganization", "Tressel");
  EXPECT_EQ(FInfo->RegisteredOwner(), "Ada");
  EXPECT_EQ(FInfo->RegisteredCompany(), "Tressel");
}

}  // namespace
}  // namespace viewer
