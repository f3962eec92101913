#include "controls/ini_ctrl.h"

#include "classlib/core/paths.h"
#include "classlib/win/command_line.h"
#include "controls/ctl_application.h"
#include "controls/system_info.h"

namespace ctl {
namespace {

constexpr uint8_t kAlphaEntries = 26;

}  // namespace

HKEY PredefinedKey(uint32_t value) {
  return reinterpret_cast<HKEY>(static_cast<intptr_t>(static_cast<int32_t>(value)));
}

TCtlRegIniFile::TCtlRegIniFile(HKEY root, const std::string& path) : TRegIniFile(path, root) {
  SetLazyWrite(true);
}

void TCtlIniCtrl::SetNetUser(bool netUser) {
  FNetUser = netUser;
  if (netUser) FUser = CurrentUserName();
}

void TCtlIniCtrl::SetAlphaCounter(bool alphaCounter) {
  FAlphaCounter = alphaCounter;
  if (alphaCounter && FMaxEntries > kAlphaEntries) FMaxEntries = kAlphaEntries;
}

void TCtlIniCtrl::SetMaxEntries(uint8_t maxEntries) {
  if (FAlphaCounter && maxEntries > kAlphaEntries) return;
  FMaxEntries = maxEntries;
}

std::string TCtlIniCtrl::CurrentUserName() const {
  return GetCurrentUserName();
}

std::string TCtlIniCtrl::GetIniFileName() {
  if (FIniFile.empty()) FIniFile = cl::ChangeFileExt(cl::ParamStr(0), ".INI");
  return IniFileLocation(FIniFile, FIniPrefix, GetPrefixFolders());
}

std::string TCtlIniCtrl::GetRegPath() const {
  return StoreRegPath(FRegPath, ApplicationRegPath());
}

template <class Operation>
auto TCtlIniCtrl::Perform(const std::string& section, Operation operation) {
  if (EffectiveTarget() == 0) {
    cl::TIniFile file(GetIniFileName());
    return operation(file, GetSectionName(section));
  }
  // Opened with creation, also for a read; freed before any exception of the operation leaves.
  TCtlRegIniFile registry(PredefinedKey(RegRootKeyValue(FRegRoot)), GetRegPath());
  return operation(registry, GetSectionName(section));
}

std::string TCtlIniCtrl::GetSectionName(const std::string& section) {
  TSectionRules rules;
  rules.IniTarget = EffectiveTarget() == 0;
  rules.Common = FCommon;
  rules.NetUser = FNetUser;
  if (rules.IniTarget && !FCommon && FNetUser) rules.NetUserName = CurrentUserName();
  rules.User = FUser;
  return SectionName(section, rules, FLastSection);
}

std::string TCtlIniCtrl::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& defaultValue) {
  return Perform(section,
                 [&](auto& store, const std::string& name) { return store.ReadString(name, ident, defaultValue); });
}

void TCtlIniCtrl::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  Perform(section, [&](auto& store, const std::string& name) { store.WriteString(name, ident, value); });
}

void TCtlIniCtrl::DeleteKey(const std::string& section, const std::string& ident) {
  Perform(section, [&](auto& store, const std::string& name) { store.DeleteKey(name, ident); });
}

}  // namespace ctl
