// The seam through which every modal user interface of the library passes. Programs leave it empty, so the real
// boxes and dialogs show; the test kit installs a responder (cl::test::Responder) that answers instead.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace cl {
class TForm;
class TOpenDialog;
class TPrintDialog;
class TPrinterSetupDialog;
}  // namespace cl

namespace cl::seam {

// How a modal form is to run: normally, not at all (with a result), or normally with a script that runs inside
// the modal loop once the form shows (setting controls and ModalResult).
struct ModalAnswer {
  enum class Kind { RunNormally, Result, Script };
  Kind How = Kind::RunNormally;
  int Result = 0;
  std::function<void()> Script;

  static ModalAnswer Run() { return {}; }
  static ModalAnswer Return(int result) { return {Kind::Result, result, nullptr}; }
  static ModalAnswer RunScript(std::function<void()> script) { return {Kind::Script, 0, std::move(script)}; }
};

class ModalResponder {
 public:
  virtual ~ModalResponder() = default;
  // A message box about to show: its answer (IDOK, IDCANCEL, ...), or nothing to let the real box run.
  virtual std::optional<int> AnswerMessageBox(const std::string& text, const std::string& caption, UINT flags) = 0;
  // Application->HandleException about to show message: true when answered (the box does not show).
  virtual bool AnswerException(const std::string& message) = 0;
  // MessageDlg about to show (buttons: the TMsgDlgButtons mask): its modal result, or nothing to let the
  // dialog form run (as a modal form, through AnswerModal).
  virtual std::optional<int> AnswerMessageDlg(const std::string& text, const std::string& caption,
                                              uint64_t buttons) = 0;
  // A form about to run modally.
  virtual ModalAnswer AnswerModal(TForm& form) = 0;
  // An open or save dialog about to show: true (OK, after setting the dialog's FileName, Files, FilterIndex)
  // or false (Cancel), or nothing to let the real dialog run.
  virtual std::optional<bool> AnswerFileDialog(TOpenDialog& dialog) = 0;
  // A print or printer set-up dialog about to show: true (OK; the answer may choose Printer()'s printer) or
  // false (Cancel), or nothing to let the real dialog run.
  virtual std::optional<bool> AnswerPrintDialog(TPrintDialog& dialog) = 0;
  virtual std::optional<bool> AnswerPrinterSetup(TPrinterSetupDialog& dialog) = 0;
  // An exception that HandleException dropped because an exception box was already up.
  virtual void ExceptionDropped(const std::string& message) = 0;
};

// The installed responder, or null.
ModalResponder* CurrentResponder();
// Installs responder (null removes it) and returns the one it replaces.
ModalResponder* SetResponder(ModalResponder* responder);

}  // namespace cl::seam
