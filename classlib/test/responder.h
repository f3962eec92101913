// cl::test::Responder: answers the library's modal user interface inside tests, so that no test waits for a
// person. Scoped: constructing one installs it, destroying it puts back the one it replaced. It is strict: a
// kind of modal UI without a handler fails the running test with its text and is answered Cancel/No (OK where a
// box has nothing else).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "classlib/win/modal_seam.h"

namespace cl::test {

struct MessageDlgCall {
  std::string Text;
  std::string Caption;
  uint64_t Buttons = 0;  // TMsgDlgButtons mask
};

// A file dialog as Execute found it.
struct FileDialogCall {
  std::string ClassName;  // "TOpenDialog", "TSaveDialog"
  std::string Title;
  std::string InitialDir;
  std::string FileName;
  std::string Filter;
  int FilterIndex = 0;
  std::string DefaultExt;
  uint64_t Options = 0;  // TOpenOptions mask
};

struct MessageBoxCall {
  std::string Text;
  std::string Caption;
  UINT Flags = 0;
};

class Responder : public cl::seam::ModalResponder {
 public:
  Responder();
  ~Responder() override;
  Responder(const Responder&) = delete;
  Responder& operator=(const Responder&) = delete;

  // Handlers; an empty one makes that kind of UI unexpected.
  std::function<int(const MessageBoxCall&)> OnMessageBox;  // returns IDOK, IDYES, ...
  std::function<void(const std::string& message)> OnShowException;
  // For MessageDlg: the modal result, or nothing to let the dialog form run (through OnModal).
  std::function<std::optional<int>(const MessageDlgCall&)> OnMessageDlg;
  // For a modal form: ModalAnswer::Return(mrOk) (not shown), ::RunScript(fn) or ::Run().
  std::function<cl::seam::ModalAnswer(cl::TForm& form)> OnModal;
  // For an open or save dialog: set its FileName (and Files, FilterIndex) and return true for OK, false for
  // Cancel, or nothing to let the real dialog run. Files left empty after true get FileName alone.
  std::function<std::optional<bool>(cl::TOpenDialog& dialog)> OnFileDialog;
  // For the print and printer set-up dialogs: true for OK, false for Cancel, or nothing to let the real dialog
  // run.
  std::function<std::optional<bool>(cl::TPrintDialog& dialog)> OnPrintDialog;
  std::function<std::optional<bool>(cl::TPrinterSetupDialog& dialog)> OnPrinterSetup;

  // What was shown, in order, answered or not.
  std::vector<MessageBoxCall> MessageBoxes;
  std::vector<MessageDlgCall> MessageDlgs;
  std::vector<std::string> Exceptions;
  std::vector<std::string> DroppedExceptions;
  std::vector<std::string> ModalForms;  // class names
  std::vector<FileDialogCall> FileDialogs;
  std::vector<std::string> PrinterDialogs;  // class names of the print and set-up dialogs

  std::optional<int> AnswerMessageBox(const std::string& text, const std::string& caption, UINT flags) override;
  bool AnswerException(const std::string& message) override;
  std::optional<int> AnswerMessageDlg(const std::string& text, const std::string& caption, uint64_t buttons) override;
  cl::seam::ModalAnswer AnswerModal(cl::TForm& form) override;
  std::optional<bool> AnswerFileDialog(cl::TOpenDialog& dialog) override;
  std::optional<bool> AnswerPrintDialog(cl::TPrintDialog& dialog) override;
  std::optional<bool> AnswerPrinterSetup(cl::TPrinterSetupDialog& dialog) override;
  void ExceptionDropped(const std::string& message) override;

 private:
  cl::seam::ModalResponder* FPrevious;
};

// The answer a strict responder gives a box of these flags: Cancel, else No, else Abort for
// Abort/Retry/Ignore, else OK.
int CancelAnswer(UINT flags);

}  // namespace cl::test
