// The settings store's rules: where its INI file lies, which registry key and section a value goes to, the default
// registry path of a program and the name of its log file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "controls/core/text_routines.h"

namespace ctl {

enum TCtlIniTarget { itIniFile, itRegistry, itAuto };
enum TCtlRegRootKey { rpClassesRoot, rpCurrentUser, rpLocalMachine, rpUsers, rpCurrentConfig, rpDynData };

// Where values really go: 0 the INI file, 1 the registry (itAuto means the registry).
int EffectiveTarget(TCtlIniTarget target);
// The predefined key's value (HKEY_CLASSES_ROOT 0x80000000 ... HKEY_DYN_DATA 0x80000006; 0x80000004, the
// performance data, has no root of its own).
uint32_t RegRootKeyValue(TCtlRegRootKey root);

// "Software\" + company + "\" (when not blank) + title (or the program path when the title is blank) + "\" +
// version + "\" (when not blank); a backslash is added only where one is missing.
std::string DefaultRegPath(std::string_view company, std::string_view title, std::string_view programPath,
                           std::string_view version);
// A blank path means the default path; any other gets a trailing backslash.
std::string StoreRegPath(std::string_view regPath, std::string_view defaultPath);
// A name without extension gets ".INI"; "" stays "" (the program's own INI file).
std::string IniFileWithExtension(std::string_view name);
// The INI file a store reads: the name as it stands with ppFixed, else its file part in the prefix's folder.
std::string IniFileLocation(std::string_view iniFile, TCtlPathPrefix prefix, const TPrefixFolders& folders);
// A blank name means the program path with ".LOG"; a name without extension gets ".LOG"; unless the prefix is
// ppFixed the file part is then placed in the prefix's folder.
std::string LogFileName(std::string_view name, std::string_view programPath, TCtlPathPrefix prefix,
                        const TPrefixFolders& folders);

// What decides a section's name.
struct TSectionRules {
  bool IniTarget = false;
  bool Common = true;            // INI: sections shared by all users
  bool NetUser = false;          // INI: per-user sections named after the network user
  std::string NetUserName = {};  // the network user's name
  std::string User = {};         // INI: the user name of per-user sections otherwise
};

// The section (registry subkey) a value of `section` lives in. A blank section is the last section used, or
// "Common" before any (the key itself after "#ROOT"), and is not remembered; otherwise INI per-user sections get "." +
// the user, the registry's
// "#ROOT" is the key itself (""), and the result becomes the last section used.
std::string SectionName(std::string_view section, const TSectionRules& rules, std::optional<std::string>& lastSection);

}  // namespace ctl
