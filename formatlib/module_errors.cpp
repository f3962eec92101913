// Per-thread last-error codes of the TIFF module and of the other modules.
#include "formatlib/module_errors.h"

namespace fl {
namespace {
thread_local int tiffError = kOk;
thread_local int imageError = kOk;
}  // namespace

int ModuleError(Module module) {
  return module == Module::kTiff ? tiffError : imageError;
}

void SetModuleError(Module module, int code) {
  (module == Module::kTiff ? tiffError : imageError) = code;
}

}  // namespace fl
