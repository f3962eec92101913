// The settings store against Wine's registry and INI files, read back raw.
#include "controls/ini_ctrl.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "classlib/win/application.h"
#include "controls/ctl_application.h"
#include "registry_probe.h"

namespace {

using namespace ctl;
using ctl::test::KeyExists;
using ctl::test::RawString;

constexpr char kTestRoot[] = "Software\\ControlsTests";

class IniCtrlTest : public testing::Test {
 protected:
  void SetUp() override {
    InitControlLibrary();
    Clean();
    store = cl::New<TCtlIniCtrl>(nullptr);
  }
  void TearDown() override {
    cl::Free(store);
    Clean();
  }
  void Clean() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot);
    RegDeleteTreeA(HKEY_CURRENT_USER, DefaultKey().c_str());
  }
  static std::string DefaultKey() { return "Software\\" + cl::Application->Title(); }
  TCtlIniCtrl* store = nullptr;
};

TEST_F(IniCtrlTest, DefaultStoreWritesUnderTheTitleInSubkeyCommon) {
  EXPECT_EQ(store->GetRegPath(), DefaultKey() + "\\");
  store->WriteString("", "Placement", "200,0,1");
  EXPECT_EQ(RawString(HKEY_CURRENT_USER, DefaultKey() + "\\Common", "Placement"), "200,0,1");
  EXPECT_EQ(store->ReadString("", "Placement", "none"), "200,0,1");
  store->DeleteKey("Common", "Placement");
  EXPECT_EQ(RawString(HKEY_CURRENT_USER, DefaultKey() + "\\Common", "Placement"), std::nullopt);
  EXPECT_EQ(store->ReadString("Common", "Placement", "none"), "none");
}

TEST_F(IniCtrlTest, ReadCreatesTheKeyPathButNotTheSection) {
  store->SetRegPath(std::string(kTestRoot) + "\\deep\\path");
  EXPECT_EQ(store->ReadString("Layout", "Width", "640"), "640");
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, std::string(kTestRoot) + "\\deep\\path"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::string(kTestRoot) + "\\deep\\path\\Layout"));
}

TEST_F(IniCtrlTest, RootSectionIsTheKeyItselfAndStaysTheLastSection) {
  store->SetRegPath(kTestRoot);
  store->WriteString("#ROOT", "Own", "1");
  EXPECT_EQ(RawString(HKEY_CURRENT_USER, kTestRoot, "Own"), "1");
  EXPECT_EQ(store->ReadString("", "Own", ""), "1");
  store->WriteString("Sub", "Other", "2");
  EXPECT_EQ(RawString(HKEY_CURRENT_USER, std::string(kTestRoot) + "\\Sub", "Other"), "2");
}

TEST_F(IniCtrlTest, AKeyPathThatCannotBeOpenedNeverRedirectsToTheRootKey) {
  // Key names are limited to 255 characters: this path cannot be created.
  store->SetRegPath(std::string(kTestRoot) + "\\" + std::string(300, 'k'));
  EXPECT_EQ(store->ReadString("#ROOT", "Stray", "default"), "default");
  EXPECT_THROW(store->WriteString("#ROOT", "Stray", "lost"), cl::ERegistryException);
  EXPECT_THROW(store->DeleteKey("#ROOT", "Stray"), cl::ERegistryException);
  EXPECT_EQ(RawString(HKEY_CURRENT_USER, "", "Stray"), std::nullopt);
}

TEST_F(IniCtrlTest, IniFileWithPerUserSections) {
  const std::string folder = std::getenv("PROJECT_TEST_DIR");
  store->SetTarget(itIniFile);
  store->SetIniPrefix(ppFixed);
  store->SetIniFile(folder + "\\store");
  EXPECT_EQ(store->GetIniFileName(), folder + "\\store.INI");
  store->SetCommon(false);
  store->SetUser("bob");
  store->WriteString("Sec", "A", "first value");
  store->WriteString("#ROOT", "B", "2");
  std::ifstream file(folder + "\\store.INI");
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_NE(text.str().find("[Sec.bob]"), std::string::npos) << text.str();
  EXPECT_NE(text.str().find("[#ROOT.bob]"), std::string::npos) << text.str();
  EXPECT_EQ(store->ReadString("Sec", "A", ""), "first value");
  store->DeleteKey("Sec", "A");
  EXPECT_EQ(store->ReadString("Sec", "A", "gone"), "gone");
  // A long value comes back whole.
  const std::string longValue(1000, 'v');
  store->WriteString("Sec", "Long", longValue);
  EXPECT_EQ(store->ReadString("Sec", "Long", ""), longValue);
}

TEST_F(IniCtrlTest, DefaultIniFileIsTheProgramsNameInTheWindowsFolder) {
  store->SetTarget(itIniFile);
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_EQ(store->GetIniFileName(), std::string(windows) + "\\" + cl::Application->Title() + ".INI");
  store->SetIniFile("other");
  EXPECT_EQ(store->IniFile(), "other.INI");
}

TEST_F(IniCtrlTest, AlphaCounterCapsTheListLength) {
  EXPECT_EQ(store->MaxEntries(), 16);
  store->SetMaxEntries(40);
  store->SetAlphaCounter(true);
  EXPECT_EQ(store->MaxEntries(), 26);
  store->SetMaxEntries(30);
  EXPECT_EQ(store->MaxEntries(), 26);
  store->SetMaxEntries(20);
  EXPECT_EQ(store->MaxEntries(), 20);
}

}  // namespace
