// TRegistry: one open key under a root, string, integer and boolean values.
// Rules the programs rely on: a missing string reads as "", a missing integer or boolean raises
// ERegistryException, a leading '\' means "from the root" and is stripped (Wine refuses it), other paths are
// relative to the open key.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/core/object.h"

namespace cl {

class TRegistry : public TObject {
  CL_CLASS(TRegistry, TObject)
 public:
  TRegistry() = default;
  explicit TRegistry(REGSAM access) : FAccess(access) {}
  ~TRegistry() override;

  HKEY RootKey() const { return FRootKey; }
  void SetRootKey(HKEY root);  // closes the open key
  HKEY CurrentKey() const { return FCurrentKey; }
  const std::string& CurrentPath() const { return FCurrentPath; }
  bool LazyWrite() const { return FLazyWrite; }
  void SetLazyWrite(bool lazy) { FLazyWrite = lazy; }
  REGSAM Access() const { return FAccess; }
  void SetAccess(REGSAM access) { FAccess = access; }

  // Opens (or with canCreate creates) key; on success it replaces the open key. False when it cannot.
  bool OpenKey(const std::string& key, bool canCreate);
  // Opens an existing key for reading only, where the user may not write (HKEY_LOCAL_MACHINE for most users);
  // on success Access becomes KEY_READ and writes to the key raise. False when it cannot.
  bool OpenKeyReadOnly(const std::string& key);
  // Closes the open key; flushes it first unless LazyWrite.
  void CloseKey();
  bool KeyExists(const std::string& key);
  // Deletes key with all its subkeys; true on success.
  bool DeleteKey(const std::string& key);

  bool ValueExists(const std::string& name) const;
  bool DeleteValue(const std::string& name);

  std::string ReadString(const std::string& name) const;
  void WriteString(const std::string& name, const std::string& value);
  int32_t ReadInteger(const std::string& name) const;
  void WriteInteger(const std::string& name, int32_t value);
  bool ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }
  void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }

 private:
  // The key a path names: the root for a leading '\' or when no key is open, else the open key.
  HKEY BaseKeyFor(const std::string& key) const;
  std::string FullPathFor(const std::string& key) const;
  // Closes the open key and makes key (opened at path) the open one.
  void ChangeKey(HKEY key, std::string path);

  HKEY FRootKey = HKEY_CURRENT_USER;
  HKEY FCurrentKey = nullptr;
  std::string FCurrentPath;
  bool FLazyWrite = true;
  REGSAM FAccess = KEY_ALL_ACCESS;
};

}  // namespace cl
