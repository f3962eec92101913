// The common base of the dialog components.
#include "classlib/win/common_dialog.h"

#include <cderr.h>
#include <commdlg.h>

#include "classlib/win/application.h"

namespace cl {

HWND CommonDialogOwner() {
  if (HWND active = GetActiveWindow()) return active;
  return Application ? Application->Handle() : nullptr;
}

void CheckCommonDialogError() {
  switch (const DWORD error = CommDlgExtendedError()) {
    case 0:
      return;
    case PDERR_NODEFAULTPRN:
    case PDERR_NODEVICES:
      throw EPrinter("There is no default printer currently selected");
    default:
      throw ECommonDialogError("The dialog failed (error %d)", {static_cast<int>(error)});
  }
}

}  // namespace cl
