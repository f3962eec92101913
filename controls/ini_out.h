// TIniOut: a form's list of published properties kept in the registry, one registry string per property. The form
// calls Load when it is created and Save when it is destroyed; nothing happens by itself.
#pragma once

#include <string>

#include "classlib/core/component.h"

namespace cl {
class TStrings;
class TForm;
}  // namespace cl

namespace ctl {

// Root keys of TIniOut: the predefined key 0x80000000 + the value's ordinal.
enum TRegRoots { CLASSES_ROOT, CURRENT_USER, LOCAL_MACHINE, USERS, PERFORMANCE_DATA, CURRENT_CONFIG, DYN_DATA };

class TIniOut : public cl::TComponent {
  CL_CLASS(TIniOut, cl::TComponent)
 public:
  explicit TIniOut(cl::TComponent* owner);
  void BeforeDestruction() override;

  // Kept upper-cased with the extension ".INI"; Load and Save do not use it.
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& fileName);
  // Item lines "component;property;default;key;value name;;read-only" (see ParseIniOutItem).
  cl::TStrings* Items() const { return FItems; }
  void SetItems(const cl::TStrings* items);
  TRegRoots RegistryRoot() const { return FRegistryRoot; }
  void SetRegistryRoot(TRegRoots root) { FRegistryRoot = root; }

  // Reads every used item's value (or its default when the key or value is missing) into its property. An item
  // whose component or property does not exist is skipped; an item that fails leaves its property as it was and
  // the next one follows. An owner that is not a form raises EInvalidCast before anything is done.
  void Load();
  // Writes every used item's property that is not read-only, creating the key when missing; failures as in Load.
  void Save();

 private:
  cl::TForm* OwnerForm() const;

  std::string FFileName;
  cl::TStrings* FItems = nullptr;
  TRegRoots FRegistryRoot = CURRENT_USER;
};

}  // namespace ctl
