// TPrintDialog and TPrinterSetupDialog over the system's print dialog. Both open on the device of the library's
// Printer(); on OK the printer the user chose becomes Printer()'s current printer. The test responder answers
// before any dialog shows.
#pragma once

#include "classlib/win/common_dialog.h"

namespace cl {

// The print dialog: printer, copies; the document is always printed whole.
class TPrintDialog : public TCommonDialog {
  CL_CLASS(TPrintDialog, TCommonDialog)
 public:
  explicit TPrintDialog(TComponent* owner) : TCommonDialog(owner) {}
  bool Execute() override;
};

// The printer set-up dialog: printer, paper and orientation.
class TPrinterSetupDialog : public TCommonDialog {
  CL_CLASS(TPrinterSetupDialog, TCommonDialog)
 public:
  explicit TPrinterSetupDialog(TComponent* owner) : TCommonDialog(owner) {}
  bool Execute() override;
};

}  // namespace cl
