// A vectored exception handler sees every exception first, before any handler that would swallow it.
#include "support/access_violations.h"

#include <windows.h>

#include <atomic>

namespace testsupport {
namespace {

std::atomic<int> violations{0};

LONG CALLBACK CountViolation(EXCEPTION_POINTERS* info) noexcept {
  if (info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) ++violations;
  return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

int AccessViolations() {
  static const PVOID handler = AddVectoredExceptionHandler(1, CountViolation);
  (void)handler;
  return violations;
}

}  // namespace testsupport
