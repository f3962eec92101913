// Callback boundaries: no C++ exception may unwind through a Win32 frame (window procedures, hooks, timer and
// enumeration callbacks, COM methods). Every such callback is noexcept and runs its body in one of these guards.
#pragma once

#include <windows.h>

#include <utility>

namespace cl {

class TObject;

namespace detail {
// Called inside a catch block: hands the exception in flight to Application->HandleException(sender) on the GUI
// thread; elsewhere (or before Initialize) it is dropped, since there is nobody to show it to.
void ReportGuardedException(TObject* sender) noexcept;
// Called inside a catch block: E_OUTOFMEMORY for an allocation failure, else E_UNEXPECTED.
HRESULT GuardedExceptionResult() noexcept;
}  // namespace detail

// Runs body; an exception goes to Application->HandleException(sender).
template <class Body>
void Guard(TObject* sender, Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
  } catch (...) {
    detail::ReportGuardedException(sender);
  }
}

// Runs body and returns its result; after an exception (reported as above) returns fallback.
template <class Result, class Body>
Result Guard(TObject* sender, Result fallback, Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    detail::ReportGuardedException(sender);
    return fallback;
  }
}

// Runs body and swallows any exception: for callbacks whose owner drops failures on purpose.
template <class Body>
void GuardSilent(Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
  } catch (...) {
  }
}

// For COM methods: the body's HRESULT, or E_OUTOFMEMORY / E_UNEXPECTED after an exception.
template <class Body>
HRESULT GuardHr(Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    return detail::GuardedExceptionResult();
  }
}

}  // namespace cl
