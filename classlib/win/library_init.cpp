// cl::Initialize and cl::Finalize: the library's global objects live exactly between these two calls.
#include "classlib/win/application.h"

namespace cl {
namespace {
DWORD guiThreadId = 0;
}

bool IsGuiThread() {
  return guiThreadId != 0 && GetCurrentThreadId() == guiThreadId;
}

void Initialize() {
  if (Application) return;
  guiThreadId = GetCurrentThreadId();
  Application = new TApplication(nullptr);
}

void Finalize() {
  TApplication* application = Application;
  if (!application) return;
  Free(application);
  Application = nullptr;
  guiThreadId = 0;
}

}  // namespace cl
