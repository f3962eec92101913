// TCtlIniCtrl, the control library's settings store: string values in an INI file or in the registry, the store
// opened for each single operation; and TCtlRegIniFile, the registry side of it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "classlib/win/ini_files.h"
#include "controls/core/ctl_objects.h"
#include "controls/core/settings_rules.h"

namespace ctl {

// The handle of a predefined root key from its 32-bit value (0x80000001 is HKEY_CURRENT_USER), sign-extended as the
// system's own constants are in 64-bit programs.
HKEY PredefinedKey(uint32_t value);

// A registry settings file on a root key and key path, opened (and created when missing) at construction.
class TCtlRegIniFile : public cl::TRegIniFile {
  CL_CLASS(TCtlRegIniFile, cl::TRegIniFile)
 public:
  TCtlRegIniFile(HKEY root, const std::string& path);
};

class TCtlIniCtrl : public TCtlComponent {
  CL_CLASS(TCtlIniCtrl, TCtlComponent)
 public:
  explicit TCtlIniCtrl(cl::TComponent* owner) : TCtlComponent(owner) {}

  // A missing value reads as defaultValue. A registry read creates the store's key path when it is missing (never
  // the section's subkey). Errors of the file or the registry reach the caller.
  std::string ReadString(const std::string& section, const std::string& ident, const std::string& defaultValue);
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  void DeleteKey(const std::string& section, const std::string& ident);

  // The INI file used; an empty IniFile first becomes the program path with ".INI".
  std::string GetIniFileName();
  // The registry key path used: RegPath with a trailing backslash, or the application's default path.
  std::string GetRegPath() const;
  // The section a value of `section` goes to (remembered as the last one used unless blank).
  std::string GetSectionName(const std::string& section);

  TCtlIniTarget Target() const { return FTarget; }
  void SetTarget(TCtlIniTarget target) { FTarget = target; }
  // 0 the INI file, 1 the registry.
  int EffectiveTarget() const { return ctl::EffectiveTarget(FTarget); }
  TCtlRegRootKey RegRoot() const { return FRegRoot; }
  void SetRegRoot(TCtlRegRootKey root) { FRegRoot = root; }
  const std::string& RegPath() const { return FRegPath; }
  void SetRegPath(const std::string& path) { FRegPath = path; }
  const std::string& IniFile() const { return FIniFile; }
  // A name without extension gets ".INI".
  void SetIniFile(const std::string& fileName) { FIniFile = IniFileWithExtension(fileName); }
  TCtlPathPrefix IniPrefix() const { return FIniPrefix; }
  void SetIniPrefix(TCtlPathPrefix prefix) { FIniPrefix = prefix; }
  bool Common() const { return FCommon; }
  void SetCommon(bool common) { FCommon = common; }
  bool NetUser() const { return FNetUser; }
  // True also copies the network user's name into User.
  void SetNetUser(bool netUser);
  const std::string& User() const { return FUser; }
  void SetUser(const std::string& user) { FUser = user; }
  bool AlphaCounter() const { return FAlphaCounter; }
  // True lowers MaxEntries to 26 (lists numbered by letters).
  void SetAlphaCounter(bool alphaCounter);
  uint8_t MaxEntries() const { return FMaxEntries; }
  // A value above 26 is ignored while AlphaCounter is on.
  void SetMaxEntries(uint8_t maxEntries);

 protected:
  // The network user's name.
  virtual std::string CurrentUserName() const;

 private:
  // Runs operation(store, section name) on a store opened for this one operation.
  template <class Operation>
  auto Perform(const std::string& section, Operation operation);

  TCtlIniTarget FTarget = itAuto;
  TCtlRegRootKey FRegRoot = rpCurrentUser;
  std::string FRegPath;
  std::string FIniFile;
  TCtlPathPrefix FIniPrefix = ppWindows;
  bool FCommon = true;
  bool FNetUser = false;
  std::string FUser;
  bool FAlphaCounter = false;
  uint8_t FMaxEntries = 16;
  std::optional<std::string> FLastSection;
};

}  // namespace ctl
