// Where guarded callbacks send the exceptions they catch.
#include "classlib/win/guard.h"

#include <new>

#include "classlib/win/application.h"

namespace cl::detail {

void ReportGuardedException(TObject* sender) noexcept {
  // Off the GUI thread, or before Initialize, nobody can show it: such callbacks drop their failures.
  if (Application && IsGuiThread()) Application->HandleException(sender);
}

HRESULT GuardedExceptionResult() noexcept {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const EOutOfMemory&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace cl::detail
