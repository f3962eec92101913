#include "classlib/win/ini_files.h"

#include <vector>

namespace cl {

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) const {
  std::vector<char> buffer(256);
  for (;;) {
    const DWORD length = GetPrivateProfileStringA(section.c_str(), ident.c_str(), defaultValue.c_str(), buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), FFileName.c_str());
    // A value that filled the buffer may have been cut: read it again with more room.
    if (length + 1 < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  if (!WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(), FFileName.c_str()))
    throw EIniFileException("Unable to write to %s", {FFileName});
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  WritePrivateProfileStringA(section.c_str(), ident.c_str(), nullptr, FFileName.c_str());
}

TRegIniFile::TRegIniFile(const std::string& fileName, HKEY root) : FKeyPath(fileName) {
  SetRootKey(root);
  OpenKey(fileName, true);
}

void TRegIniFile::CheckOpen() const {
  if (!CurrentKey()) throw ERegistryException("Cannot open registry key '%s'", {FKeyPath});
}

std::string TRegIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& defaultValue) {
  if (!CurrentKey()) return defaultValue;
  TRegistry sectionKey(KEY_READ);
  sectionKey.SetRootKey(CurrentKey());
  if (!sectionKey.OpenKey(section, false) || !sectionKey.ValueExists(ident)) return defaultValue;
  return sectionKey.ReadString(ident);
}

void TRegIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  CheckOpen();
  TRegistry sectionKey(Access());
  sectionKey.SetRootKey(CurrentKey());
  if (!sectionKey.OpenKey(section, true)) throw ERegistryException("Failed to set data for '%s'", {ident});
  sectionKey.WriteString(ident, value);
}

void TRegIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  CheckOpen();
  TRegistry sectionKey(Access());
  sectionKey.SetRootKey(CurrentKey());
  if (sectionKey.OpenKey(section, false)) sectionKey.DeleteValue(ident);
}

}  // namespace cl
