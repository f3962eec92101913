// The strict test responder.
#include "classlib/test/responder.h"

#include <gtest/gtest.h>

#include "classlib/win/dialogs.h"
#include "classlib/win/forms.h"

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

void Responder::ExceptionDropped(const std::string& message) {
  DroppedExceptions.push_back(message);
}

}  // namespace cl::test
