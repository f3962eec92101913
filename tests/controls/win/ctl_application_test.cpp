// The control library's application object: its defaults, cursors and paths, the instance mutex seen from a
// second process, and a second process bringing up the first.
#include "controls/ctl_application.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "classlib/core/paths.h"
#include "classlib/win/application.h"
#include "classlib/win/command_line.h"
#include "classlib/win/screen.h"
#include "controls/ini_ctrl.h"
#include "controls/system_info.h"
#include "controls/utility_routines.h"
#include "child_process.h"

namespace {

using namespace ctl;

constexpr char kChildVariable[] = "CTL_APPLICATION_CHILD";

bool IsChild() {
  return ctl::test::IsChild(kChildVariable);
}

DWORD RunChild(const std::string& test) {
  return ctl::test::RunChild(kChildVariable, "CtlApplicationChild." + test);
}

class CtlApplicationTest : public testing::Test {
 protected:
  void SetUp() override {
    if (IsChild()) GTEST_SKIP() << "runs in the parent only";
    InitControlLibrary();
  }
};

TEST_F(CtlApplicationTest, StartsOnceWithTheDocumentedDefaults) {
  TCtlApplication* first = CtlApplication;
  InitControlLibrary();
  ASSERT_EQ(CtlApplication, first);
  EXPECT_EQ(CtlApplication->DisplayOptions(), 0x36);
  EXPECT_EQ(CtlApplication->EffectSpeed(), 3);
  EXPECT_EQ(CtlApplication->LogPathPrefix(), ppProgram);
  EXPECT_EQ(CtlApplication->LogFileName(), cl::ChangeFileExt(cl::ParamStr(0), ".LOG"));
  EXPECT_FALSE(CtlApplication->AlreadyRunning());
  EXPECT_NE(CtlApplication->MutexHandle(), nullptr);
  ASSERT_NE(CtlApplication->CommonIniCtrl(), nullptr);
  EXPECT_EQ(CtlApplication->CommonIniCtrl()->Target(), itAuto);
  EXPECT_EQ(CtlApplication->MessageBoxDlg(), nullptr);
}

TEST_F(CtlApplicationTest, DefaultRegistryPathCarriesCompanyTitleAndVersion) {
  const std::string title = cl::Application->Title();
  EXPECT_EQ(CtlApplication->GetDefaultRegPath(), "Software\\" + title + "\\");
  CtlApplication->SetCompanyName("Maker");
  CtlApplication->SetProductVersion("4.1");
  EXPECT_EQ(CtlApplication->GetDefaultRegPath(), "Software\\Maker\\" + title + "\\4.1\\");
  EXPECT_EQ(CtlApplication->CommonIniCtrl()->GetRegPath(), "Software\\Maker\\" + title + "\\4.1\\");
  CtlApplication->SetCompanyName("");
  CtlApplication->SetProductVersion("");
}

TEST_F(CtlApplicationTest, TheSettingsTitleKeepsThePathWhileTheTitleChanges) {
  const std::string title = cl::Application->Title();
  CtlApplication->SetSettingsTitle("Tarnby");
  cl::Application->SetTitle("Tarnby -[C:\\pictures\\]");
  EXPECT_EQ(CtlApplication->CommonIniCtrl()->GetRegPath(), "Software\\Tarnby\\");
  CtlApplication->SetSettingsTitle("");
  EXPECT_EQ(CtlApplication->GetDefaultRegPath(), "Software\\Tarnby -[C:\\pictures\\]\\");
  cl::Application->SetTitle(title);
}

TEST_F(CtlApplicationTest, LogFileNameFollowsThePrefix) {
  CtlApplication->SetLogPathPrefix(ppWindows);
  CtlApplication->SetLogFileName("C:\\elsewhere\\trace");
  EXPECT_EQ(CtlApplication->LogFileName(), GetWindowsDir() + "\\trace.LOG");
  CtlApplication->SetLogPathPrefix(ppFixed);
  CtlApplication->SetLogFileName("C:\\elsewhere\\trace");
  EXPECT_EQ(CtlApplication->LogFileName(), "C:\\elsewhere\\trace.LOG");
  CtlApplication->SetLogPathPrefix(ppProgram);
  CtlApplication->SetLogFileName("");
}

TEST_F(CtlApplicationTest, RegistersTheLibrarysCursors) {
  const HCURSOR arrow = cl::Screen->Cursors(cl::crArrow);
  for (int index : {crCtlHand, crAppHand, crAppDrag}) {
    EXPECT_NE(cl::Screen->Cursors(index), nullptr) << index;
    EXPECT_NE(cl::Screen->Cursors(index), arrow) << index;
  }
}

TEST_F(CtlApplicationTest, SecondProcessOfTheSameProgramIsAlreadyRunning) {
  EXPECT_EQ(RunChild("SeesTheFirstCopy"), 0u);
}

// A window like a main form: owned by the application window, with a taskbar button.
HWND MakeMainWindow() {
  HWND window = CreateWindowExA(WS_EX_APPWINDOW, "STATIC", "main", WS_OVERLAPPEDWINDOW, 50, 50, 200, 150,
                                cl::Application->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(window, SW_SHOWMINIMIZED);
  return window;
}

TEST_F(CtlApplicationTest, SecondProcessRestoresTheFirstsMinimisedMainWindow) {
  HWND window = MakeMainWindow();
  ASSERT_TRUE(IsIconic(window));
  EXPECT_EQ(RunChild("ActivatesThePreviousCopy"), 0u);
  EXPECT_FALSE(IsIconic(window));
  DestroyWindow(window);
}

TEST_F(CtlApplicationTest, FirstCopyWithAnotherTitleIsNotFound) {
  HWND window = MakeMainWindow();
  const std::string title = cl::Application->Title();
  cl::Application->SetTitle("Tarnby -[C:\\elsewhere]");
  EXPECT_EQ(RunChild("ActivatesThePreviousCopy"), 0u);
  EXPECT_TRUE(IsIconic(window));
  cl::Application->SetTitle(title);
  DestroyWindow(window);
}

TEST(CtlApplicationChild, SeesTheFirstCopy) {
  if (!IsChild()) GTEST_SKIP() << "runs as a child of the parent's tests";
  InitControlLibrary();
  if (!CtlApplication->AlreadyRunning()) ExitProcess(2);
}

TEST(CtlApplicationChild, ActivatesThePreviousCopy) {
  if (!IsChild()) GTEST_SKIP() << "runs as a child of the parent's tests";
  InitControlLibrary();
  if (!CtlApplication->AlreadyRunning()) ExitProcess(2);
  const std::string title = cl::Application->Title();
  ActivatePrevInstance();
  char text[64] = "unchanged";
  GetWindowTextA(cl::Application->Handle(), text, sizeof text);
  // The window text is gone, the title is kept.
  if (text[0] != '\0' || cl::Application->Title() != title) ExitProcess(3);
}

}  // namespace
