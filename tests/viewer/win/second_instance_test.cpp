// A second start of the viewer while one runs: it leaves its command line in "ToOpen" and nothing else, shows no
// window and ends. The test holds the guard itself, standing for the running instance.
#include <gtest/gtest.h>

#include "classlib/win/bitmap.h"
#include "classlib/win/registry.h"
#include "controls/win/registry_probe.h"
#include "orvane_process.h"
#include "viewer/settings.h"

namespace viewer {
namespace {

constexpr char kViewerKey[] = "SOFTWARE\\Orlanto";
constexpr char kUserKey[] = "Software\\Orlanto";

class SecondInstance : public ::testing::Test {
 protected:
  void SetUp() override {
    FGuard = CreateSemaphoreA(nullptr, 0, 1, "Orlanto");
    ASSERT_NE(FGuard, nullptr);
    ASSERT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "another viewer runs";
    OpenSettings(FSettings);
    FSettings.WriteString("last1", "C:\\kept.bmp");
    // The running instance's placement, which a second start leaves alone.
    ctl::test::SetRawString(HKEY_CURRENT_USER, "Software\\Orlanto\\Common", "FrameForm", "200,0,1,10,20,330,260");
  }
  void TearDown() override {
    if (FGuard) CloseHandle(FGuard);
  }

  // Starts the second instance and checks that it changed no value but "ToOpen", its own or the frame's
  // placement among the user's; returns "ToOpen".
  std::string StartSecond(const std::string& arguments) {
    auto before = test::KeyValues(HKEY_LOCAL_MACHINE, kViewerKey);
    before.erase(kToOpenValue);
    const auto userBefore = test::KeyValues(HKEY_CURRENT_USER, kUserKey);
    test::ProcessRun run = test::RunOrvane(arguments);
    EXPECT_TRUE(run.Started);
    EXPECT_TRUE(run.Ended);
    EXPECT_EQ(run.ExitCode, 0u);
    EXPECT_FALSE(run.ShowedWindow);
    auto after = test::KeyValues(HKEY_LOCAL_MACHINE, kViewerKey);
    after.erase(kToOpenValue);
    EXPECT_EQ(after, before);
    EXPECT_EQ(test::KeyValues(HKEY_CURRENT_USER, kUserKey), userBefore);
    return FSettings.ReadString(kToOpenValue);
  }

  HANDLE FGuard = nullptr;
  cl::TRegistry FSettings;
};

TEST_F(SecondInstance, HandsAQuotedPathWithBlanksOverFollowedByOneBlank) {
  FSettings.WriteString(kToOpenValue, "");
  EXPECT_EQ(StartSecond("\"C:\\My Pictures\\a b.png\""), "C:\\My Pictures\\a b.png ");
}

TEST_F(SecondInstance, HandsSeveralParametersOverEachFollowedByOneBlank) {
  FSettings.WriteString(kToOpenValue, "C:\\older.bmp ");
  EXPECT_EQ(StartSecond("C:\\a.bmp C:\\b.bmp"), "C:\\a.bmp C:\\b.bmp ");
}

TEST_F(SecondInstance, WithoutParametersStoresNothing) {
  FSettings.WriteString(kToOpenValue, "C:\\pending.bmp ");
  EXPECT_EQ(StartSecond(""), "C:\\pending.bmp ");
}

// Both instances for real: the first opens what the second hands over within two seconds.
TEST(RunningInstance, OpensTheFileASecondStartHandsOver) {
  cl::TRegistry settings;
  OpenSettings(settings);
  settings.WriteString(kToOpenValue, "");
  test::RunningOrvane first("");
  ASSERT_TRUE(first.WaitForWindow("Orlanto", 20000));
  const std::string file = std::string(std::getenv("PROJECT_TEST_DIR")) + "\\handed over.bmp";
  cl::TBitmap* bitmap = cl::New<cl::TBitmap>();
  bitmap->SetSize(8, 8);
  bitmap->SaveToFile(file);
  bitmap->Free();
  test::ProcessRun second = test::RunOrvane("\"" + file + "\"");
  EXPECT_TRUE(second.Ended);
  EXPECT_FALSE(second.ShowedWindow);
  const DWORD handedOver = GetTickCount();
  EXPECT_TRUE(first.WaitForWindow(file, 2000)) << "after " << GetTickCount() - handedOver << " ms";
  EXPECT_EQ(settings.ReadString(kToOpenValue), "");
}

}  // namespace
}  // namespace viewer
