// Settings files with sections: TIniFile over an INI file, TRegIniFile over a registry key whose subkeys are the
// sections ("" is the key itself). Both read a missing value as the caller's default.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/core/exceptions.h"
#include "classlib/core/object.h"
#include "classlib/win/registry.h"

namespace cl {

// A value that could not be written to an INI file: "Unable to write to <file>".
CL_EXCEPTION_CLASS(EIniFileException, Exception)

class TIniFile : public TObject {
  CL_CLASS(TIniFile, TObject)
 public:
  explicit TIniFile(std::string fileName) : FFileName(std::move(fileName)) {}

  const std::string& FileName() const { return FFileName; }
  // Values of any length.
  std::string ReadString(const std::string& section, const std::string& ident, const std::string& defaultValue) const;
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  void DeleteKey(const std::string& section, const std::string& ident);

 private:
  std::string FFileName;
};

class TRegIniFile : public TRegistry {
  CL_CLASS(TRegIniFile, TRegistry)
 public:
  // Opens fileName under root, creating it when missing.
  explicit TRegIniFile(const std::string& fileName, HKEY root = HKEY_CURRENT_USER);

  // The open key's path; "" when it could not be opened.
  const std::string& FileName() const { return CurrentPath(); }
  // A read never creates the section's subkey. When the key itself could not be opened, a read gives the default
  // and a write or delete raises ERegistryException: nothing ever goes to the root key instead.
  std::string ReadString(const std::string& section, const std::string& ident, const std::string& defaultValue);
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  void DeleteKey(const std::string& section, const std::string& ident);

 private:
  // Raises ERegistryException when no key is open.
  void CheckOpen() const;
  std::string FKeyPath;
};

}  // namespace cl
