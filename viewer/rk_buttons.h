// The two buttons the viewer's dialogs share: OK (the default button, modal result OK) and Cancel (the cancel
// button, modal result Cancel).
#pragma once

#include "classlib/win/stdctrls.h"

namespace viewer {

class TRkOkButton : public cl::TButton {
  CL_CLASS(TRkOkButton, cl::TButton)
 public:
  explicit TRkOkButton(cl::TComponent* owner);
};

class TRkCancelButton : public cl::TButton {
  CL_CLASS(TRkCancelButton, cl::TButton)
 public:
  explicit TRkCancelButton(cl::TComponent* owner);
};

// A dialog of the viewer: a dialog border, centred on the screen at its first show.
void MakeDialog(cl::TForm* form, const std::string& caption, int clientWidth, int clientHeight);

}  // namespace viewer
