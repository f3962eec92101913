#include "support/import_hook.h"

#include <windows.h>

#include <stdexcept>

namespace testsupport {

namespace {

void Store(void** slot, void* value) {
  DWORD protection = 0;
  VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
  *slot = value;
  VirtualProtect(slot, sizeof *slot, protection, &protection);
}

// The program's import table entry of function from dll, or null.
void** FindImport(const std::string& dll, const std::string& function) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (directory.VirtualAddress == 0) return nullptr;
  for (auto* module = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
       module->Name != 0; ++module) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + module->Name), dll.c_str()) != 0) continue;
    const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
    auto* entries = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++entries) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (function == reinterpret_cast<const char*>(byName->Name))
        return reinterpret_cast<void**>(&entries->u1.Function);
    }
  }
  return nullptr;
}

}  // namespace

ImportHook::ImportHook(const std::string& dll, const std::string& function, void* replacement)
    : FSlot(FindImport(dll, function)) {
  if (!FSlot) throw std::runtime_error("the program does not import " + function + " from " + dll);
  FOriginal = *FSlot;
  Store(FSlot, replacement);
}

ImportHook::~ImportHook() {
  Store(FSlot, FOriginal);
}

}  // namespace testsupport
