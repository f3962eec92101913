// The last-error codes of the library's modules and the boundary that every exported function runs its body in:
// inside the library a failure is thrown as fl::Failure; at the boundary it becomes the module's error code and the
// function's failure result, so no exception ever reaches a caller.
#pragma once

#include <exception>
#include <new>

#include "formatlib/core/errors.h"

namespace fl {

// TiffError() reports the TIFF module's code; ImgError() that of all the others.
enum class Module { kTiff, kImage };

int ModuleError(Module module);
void SetModuleError(Module module, int code);

struct Failure {
  ErrorCode code;
};

[[noreturn]] inline void Fail(ErrorCode code) {
  throw Failure{code};
}
inline void Check(ErrorCode code) {
  if (code != kOk) Fail(code);
}

// Runs body: its result, with the module's error cleared, or `failed` with the error set when it throws.
template <class Result, class Body>
Result Guarded(Module module, Result failed, Body&& body) noexcept {
  try {
    Result result = body();
    SetModuleError(module, kOk);
    return result;
  } catch (const Failure& failure) {
    SetModuleError(module, failure.code);
  } catch (const std::bad_alloc&) {
    SetModuleError(module, kOutOfMemory);
  } catch (...) {
    SetModuleError(module, kInvalidArgument);
  }
  return failed;
}

// Clears an out slot of the caller; the library never hands out handles through them.
template <class Slot>
void ClearSlot(Slot* slot) {
  if (slot) *slot = 0;
}

}  // namespace fl
