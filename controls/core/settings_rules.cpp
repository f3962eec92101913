#include "controls/core/settings_rules.h"

#include "classlib/core/paths.h"

namespace ctl {
namespace {

constexpr char kCommonSection[] = "Common";
constexpr char kRootSection[] = "#ROOT";

bool HasExtension(std::string_view name) {
  return !cl::ExtractFileExt(name).empty();
}

}  // namespace

int EffectiveTarget(TCtlIniTarget target) {
  return target == itIniFile ? 0 : 1;
}

uint32_t RegRootKeyValue(TCtlRegRootKey root) {
  switch (root) {
    case rpClassesRoot:
      return 0x80000000u;
    case rpCurrentUser:
      return 0x80000001u;
    case rpLocalMachine:
      return 0x80000002u;
    case rpUsers:
      return 0x80000003u;
    case rpCurrentConfig:
      return 0x80000005u;
    case rpDynData:
      return 0x80000006u;
  }
  return 0x80000001u;
}

std::string DefaultRegPath(std::string_view company, std::string_view title, std::string_view programPath,
                           std::string_view version) {
  std::string path = "Software\\";
  if (!IsBlankString(company)) path += AddBackslash(company);
  path += AddBackslash(IsBlankString(title) ? programPath : title);
  if (!IsBlankString(version)) path += AddBackslash(version);
  return path;
}

std::string StoreRegPath(std::string_view regPath, std::string_view defaultPath) {
  return IsBlankString(regPath) ? std::string(defaultPath) : AddBackslash(regPath);
}

std::string IniFileWithExtension(std::string_view name) {
  if (name.empty() || HasExtension(name)) return std::string(name);
  return cl::ChangeFileExt(name, ".INI");
}

std::string IniFileLocation(std::string_view iniFile, TCtlPathPrefix prefix, const TPrefixFolders& folders) {
  if (prefix == ppFixed) return std::string(iniFile);
  return PathPrefix(prefix, folders, true) + cl::ExtractFileName(iniFile);
}

std::string LogFileName(std::string_view name, std::string_view programPath, TCtlPathPrefix prefix,
                        const TPrefixFolders& folders) {
  std::string file = IsBlankString(name) ? cl::ChangeFileExt(programPath, ".LOG") : std::string(name);
  if (!HasExtension(file)) file = cl::ChangeFileExt(file, ".LOG");
  if (prefix == ppFixed) return file;
  return PathPrefix(prefix, folders, true) + cl::ExtractFileName(file);
}

std::string SectionName(std::string_view section, const TSectionRules& rules, std::optional<std::string>& lastSection) {
  if (IsBlankString(section)) return lastSection.value_or(kCommonSection);
  std::string name(section);
  if (rules.IniTarget) {
    if (!rules.Common) name += '.' + (rules.NetUser ? rules.NetUserName : rules.User);
  } else if (name == kRootSection) {
    name.clear();
  }
  lastSection = name;
  return name;
}

}  // namespace ctl
