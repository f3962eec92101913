// Replaces, for a scope, a system function as the test program calls it: the program's import table entry is
// pointed at a recording function, so a test sees arguments that leave no trace in pixels (how a palette was
// selected, for instance). Only the test program's own calls are affected, not the system's calls among its DLLs.
#pragma once

#include <string>

namespace testsupport {

class ImportHook {
 public:
  // Points the program's import of function from dll (case-insensitive) at replacement; throws
  // std::runtime_error when the program does not import it.
  ImportHook(const std::string& dll, const std::string& function, void* replacement);
  ~ImportHook();
  ImportHook(const ImportHook&) = delete;
  ImportHook& operator=(const ImportHook&) = delete;

  // The function the entry pointed at before, for the replacement to call on.
  void* Original() const { return FOriginal; }

 private:
  void** FSlot = nullptr;
  void* FOriginal = nullptr;
};

}  // namespace testsupport
