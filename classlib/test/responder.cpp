// The strict test responder.
#include "classlib/test/responder.h"

#include <gtest/gtest.h>

#include "classlib/win/dialogs.h"
#include "classlib/win/file_dialogs.h"
#include "classlib/win/forms.h"
#include "classlib/win/print_dialogs.h"

namespace cl::test {

Responder::Responder() : FPrevious(cl::seam::SetResponder(this)) {}

Responder::~Responder() {
  cl::seam::SetResponder(FPrevious);
}

int CancelAnswer(UINT flags) {
  switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL:
    case MB_CANCELTRYCONTINUE:
      return IDCANCEL;
    case MB_YESNO:
      return IDNO;
    case MB_ABORTRETRYIGNORE:
      return IDABORT;
    default:
      return IDOK;
  }
}

std::optional<int> Responder::AnswerMessageBox(const std::string& text, const std::string& caption, UINT flags) {
  MessageBoxes.push_back({text, caption, flags});
  if (OnMessageBox) return OnMessageBox(MessageBoxes.back());
  ADD_FAILURE() << "unexpected message box \"" << caption << "\": " << text;
  return CancelAnswer(flags);
}

std::optional<int> Responder::AnswerMessageDlg(const std::string& text, const std::string& caption, uint64_t buttons) {
  MessageDlgs.push_back({text, caption, buttons});
  if (OnMessageDlg) return OnMessageDlg(MessageDlgs.back());
  ADD_FAILURE() << "unexpected message dialog \"" << caption << "\": " << text;
  const cl::TMsgDlgButtons set = cl::TMsgDlgButtons::FromMask(buttons);
  return set.Contains(cl::mbNo) && !set.Contains(cl::mbCancel) ? cl::mrNo : cl::mrCancel;
}

bool Responder::AnswerException(const std::string& message) {
  Exceptions.push_back(message);
  if (OnShowException) {
    OnShowException(message);
  } else {
    ADD_FAILURE() << "unexpected exception shown: " << message;
  }
  return true;
}

cl::seam::ModalAnswer Responder::AnswerModal(cl::TForm& form) {
  ModalForms.push_back(form.ClassName());
  if (OnModal) return OnModal(form);
  ADD_FAILURE() << "unexpected modal form " << form.ClassName() << " \"" << form.Caption() << "\"";
  return cl::seam::ModalAnswer::Return(cl::mrCancel);
}

std::optional<bool> Responder::AnswerFileDialog(cl::TOpenDialog& dialog) {
  FileDialogs.push_back({dialog.ClassName(), dialog.Title(), dialog.InitialDir(), dialog.FileName(), dialog.Filter(),
                         dialog.FilterIndex(), dialog.DefaultExt(), dialog.Options().Mask()});
  if (!OnFileDialog) {
    ADD_FAILURE() << "unexpected file dialog " << dialog.ClassName() << " \"" << dialog.Title() << "\"";
    return false;
  }
  const std::string filesBefore = dialog.Files()->Text();
  const std::string fileNameBefore = dialog.FileName();
  const std::optional<bool> answer = OnFileDialog(dialog);
  if (answer.value_or(false)) {
    // As the real dialog leaves them: a handler may set only FileName, or only Files.
    TStrings* files = dialog.Files();
    if (files->Text() != filesBefore && files->Count() > 0 && dialog.FileName() == fileNameBefore) {
      dialog.SetFileName(files->Strings(0));
    } else if (files->Text() == filesBefore) {
      files->Clear();
      files->Add(dialog.FileName());
    }
  }
  return answer;
}

namespace {
template <class Dialog>
std::optional<bool> AnswerPrinterDialog(Dialog& dialog, const std::function<std::optional<bool>(Dialog&)>& handler,
                                        std::vector<std::string>& record) {
  record.push_back(dialog.ClassName());
  if (handler) return handler(dialog);
  ADD_FAILURE() << "unexpected " << dialog.ClassName();
  return false;
}
}  // namespace

std::optional<bool> Responder::AnswerPrintDialog(cl::TPrintDialog& dialog) {
  return AnswerPrinterDialog(dialog, OnPrintDialog, PrinterDialogs);
}

std::optional<bool> Responder::AnswerPrinterSetup(cl::TPrinterSetupDialog& dialog) {
  return AnswerPrinterDialog(dialog, OnPrinterSetup, PrinterDialogs);
}

void Responder::ExceptionDropped(const std::string& message) {
  DroppedExceptions.push_back(message);
}

}  // namespace cl::test
