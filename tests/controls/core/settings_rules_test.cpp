// The settings store's path, file and section rules.
#include "controls/core/settings_rules.h"

#include <gtest/gtest.h>

namespace {

using namespace ctl;

const TPrefixFolders kFolders{"C:\\windows", "C:\\windows\\system32", "D:\\prog\\"};

TEST(SettingsRules, DefaultRegistryPath) {
  EXPECT_EQ(DefaultRegPath("", "Tarnby", "D:\\prog\\tarnel.exe", ""), "Software\\Tarnby\\");
  EXPECT_EQ(DefaultRegPath("Maker", "Orlanto", "x", "4.1"), "Software\\Maker\\Orlanto\\4.1\\");
  EXPECT_EQ(DefaultRegPath("Maker\\", "Orlanto\\", "x", "  "), "Software\\Maker\\Orlanto\\");
  // A blank title gives the program's full path.
  EXPECT_EQ(DefaultRegPath("", " ", "D:\\prog\\tarnel.exe", ""), "Software\\D:\\prog\\tarnel.exe\\");
  EXPECT_EQ(StoreRegPath("", "Software\\Tarnby\\"), "Software\\Tarnby\\");
  EXPECT_EQ(StoreRegPath("SOFTWARE\\Orlanto", "Software\\Tarnby\\"), "SOFTWARE\\Orlanto\\");
}

TEST(SettingsRules, RootKeysAndTargets) {
  EXPECT_EQ(RegRootKeyValue(rpClassesRoot), 0x80000000u);
  EXPECT_EQ(RegRootKeyValue(rpCurrentUser), 0x80000001u);
  EXPECT_EQ(RegRootKeyValue(rpUsers), 0x80000003u);
  EXPECT_EQ(RegRootKeyValue(rpCurrentConfig), 0x80000005u);
  EXPECT_EQ(RegRootKeyValue(rpDynData), 0x80000006u);
  EXPECT_EQ(EffectiveTarget(itIniFile), 0);
  EXPECT_EQ(EffectiveTarget(itRegistry), 1);
  EXPECT_EQ(EffectiveTarget(itAuto), 1);
}

TEST(SettingsRules, IniFileNamesAndPlaces) {
  EXPECT_EQ(IniFileWithExtension("tarnel"), "tarnel.INI");
  EXPECT_EQ(IniFileWithExtension("D:\\x\\tarnel.cfg"), "D:\\x\\tarnel.cfg");
  EXPECT_EQ(IniFileWithExtension(""), "");
  EXPECT_EQ(IniFileLocation("E:\\other\\tarnel.INI", ppWindows, kFolders), "C:\\windows\\tarnel.INI");
  EXPECT_EQ(IniFileLocation("tarnel.INI", ppProgram, kFolders), "D:\\prog\\tarnel.INI");
  EXPECT_EQ(IniFileLocation("E:\\other\\tarnel.INI", ppFixed, kFolders), "E:\\other\\tarnel.INI");
}

TEST(SettingsRules, LogFileNames) {
  EXPECT_EQ(LogFileName("", "E:\\p\\tarnel.exe", ppProgram, kFolders), "D:\\prog\\tarnel.LOG");
  EXPECT_EQ(LogFileName("", "E:\\p\\tarnel.exe", ppFixed, kFolders), "E:\\p\\tarnel.LOG");
  EXPECT_EQ(LogFileName("E:\\q\\trace", "x", ppSystem, kFolders), "C:\\windows\\system32\\trace.LOG");
  EXPECT_EQ(LogFileName("E:\\q\\trace.txt", "x", ppFixed, kFolders), "E:\\q\\trace.txt");
}

TEST(SettingsRules, SectionNames) {
  struct Case {
    const char* Section;
    TSectionRules Rules;
    const char* Name;
  };
  const TSectionRules registry{.IniTarget = false};
  const TSectionRules iniCommon{.IniTarget = true};
  const TSectionRules iniUser{.IniTarget = true, .Common = false, .NetUserName = "net", .User = "bob"};
  const TSectionRules iniNetUser{
      .IniTarget = true, .Common = false, .NetUser = true, .NetUserName = "net", .User = "bob"};
  const Case cases[] = {
      {"Layout", registry, "Layout"}, {"#ROOT", registry, ""},     {"#ROOT", iniCommon, "#ROOT"},
      {"Sec", iniCommon, "Sec"},      {"Sec", iniUser, "Sec.bob"}, {"Sec", iniNetUser, "Sec.net"},
  };
  for (const Case& c : cases) {
    std::optional<std::string> last;
    EXPECT_EQ(SectionName(c.Section, c.Rules, last), c.Name) << c.Section;
    EXPECT_EQ(last, std::optional<std::string>(c.Name)) << c.Section;
  }
}

TEST(SettingsRules, BlankSectionIsTheLastOneUsedAndIsNotRemembered) {
  std::optional<std::string> last;
  const TSectionRules ini{.IniTarget = true, .Common = false, .User = "bob"};
  EXPECT_EQ(SectionName("", ini, last), "Common");
  EXPECT_FALSE(last.has_value());
  EXPECT_EQ(SectionName("Sec", ini, last), "Sec.bob");
  EXPECT_EQ(SectionName("  ", ini, last), "Sec.bob");
  EXPECT_EQ(SectionName("#ROOT", TSectionRules{.IniTarget = false}, last), "");
  EXPECT_EQ(SectionName("", TSectionRules{.IniTarget = false}, last), "");
}

}  // namespace
