// cl::Initialize and cl::Finalize: the library's global objects live exactly between these two calls.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "classlib/win/application.h"
#include "classlib/win/forms.h"
#include "classlib/win/screen.h"
#include "classlib/win/threads.h"

namespace cl {
namespace {

DWORD guiThreadId = 0;

// Never freed: registration may come from anywhere before or after Initialize, and no static destructor runs.
std::vector<TProcedure>& InitProcs() {
  static auto* procs = new std::vector<TProcedure>;
  return *procs;
}

std::vector<TProcedure>& ExitProcs() {
  static auto* procs = new std::vector<TProcedure>;
  return *procs;
}

}  // namespace

bool IsGuiThread() {
  return guiThreadId != 0 && GetCurrentThreadId() == guiThreadId;
}

void AddInitProc(TProcedure proc) {
  if (proc) InitProcs().push_back(proc);
}

void AddExitProc(TProcedure proc) {
  if (proc) ExitProcs().push_back(proc);
}

void TApplication::Initialize() {
  // Taken out first, so that a procedure that registers another does not run it twice.
  std::vector<TProcedure> procs = std::move(InitProcs());
  InitProcs().clear();
  for (TProcedure proc : procs) proc();
}

void Initialize() {
  if (Application) return;
  guiThreadId = GetCurrentThreadId();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  StartThreadSynchronization();
  Screen = New<TScreen>(nullptr);
  Application = New<TApplication>(nullptr);
  Application->Initialize();
}

void Finalize() {
  TApplication* application = Application;
  if (!application) return;
  // Every form, last created first, while Screen still lists them. Weak: freeing a form frees those it owns.
  std::vector<Weak<TForm>> forms(Screen->FormsInCreationOrder().begin(), Screen->FormsInCreationOrder().end());
  for (auto it = forms.rbegin(); it != forms.rend(); ++it) Free(it->get());
  Free(application);
  Application = nullptr;
  std::vector<TProcedure> procs = std::move(ExitProcs());
  ExitProcs().clear();
  for (auto it = procs.rbegin(); it != procs.rend(); ++it) (*it)();
  FreeAndNil(Screen);
  StopThreadSynchronization();
  guiThreadId = 0;
}

}  // namespace cl
