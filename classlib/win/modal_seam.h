// The seam through which every modal user interface of the library passes. Programs leave it empty, so the real
// boxes and dialogs show; the test kit installs a responder (cl::test::Responder) that answers instead.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace cl::seam {

class ModalResponder {
 public:
  virtual ~ModalResponder() = default;
  // A message box about to show: its answer (IDOK, IDCANCEL, ...), or nothing to let the real box run.
  virtual std::optional<int> AnswerMessageBox(const std::string& text, const std::string& caption, UINT flags) = 0;
  // Application->HandleException about to show message: true when answered (the box does not show).
  virtual bool AnswerException(const std::string& message) = 0;
  // An exception that HandleException dropped because an exception box was already up.
  virtual void ExceptionDropped(const std::string& message) = 0;
};

// The installed responder, or null.
ModalResponder* CurrentResponder();
// Installs responder (null removes it) and returns the one it replaces.
ModalResponder* SetResponder(ModalResponder* responder);

}  // namespace cl::seam
