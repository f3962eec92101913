// cl::Initialize and cl::Finalize: the library's global objects live exactly between these two calls.
#include <windows.h>

#include <commctrl.h>

#include "classlib/win/application.h"
#include "classlib/win/screen.h"

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
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  Screen = New<TScreen>(nullptr);
  Application = New<TApplication>(nullptr);
}

void Finalize() {
  TApplication* application = Application;
  if (!application) return;
  // The application frees its forms, last created first, while Screen still lists them.
  Free(application);
  Application = nullptr;
  FreeAndNil(Screen);
  guiThreadId = 0;
}

}  // namespace cl
