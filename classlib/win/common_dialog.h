// TCommonDialog: the base of the components that show a system common dialog (open, save, print, printer
// set-up). Execute asks the test responder first, then runs the dialog modally to the active window.
#pragma once

#include <windows.h>

#include "classlib/core/component.h"
#include "classlib/core/exceptions.h"

namespace cl {

// A common dialog failed for another reason than the user's Cancel.
CL_EXCEPTION_CLASS(ECommonDialogError, Exception)

class TCommonDialog : public TComponent {
  CL_CLASS(TCommonDialog, TComponent)
 public:
  explicit TCommonDialog(TComponent* owner) : TComponent(owner) {}
  // True when the user confirmed the dialog.
  virtual bool Execute() = 0;
};

// The window a common dialog is modal to: the thread's active window, else the application window.
HWND CommonDialogOwner();
// After a dialog function returned FALSE: returns for a Cancel, raises ECommonDialogError (EPrinter when there
// is no printer) for a failure.
void CheckCommonDialogError();

}  // namespace cl
