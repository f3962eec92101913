// The modal seam's storage and the library's message box.
#include "classlib/win/message_box.h"

#include "classlib/win/modal_seam.h"

namespace cl {
namespace seam {
namespace {
ModalResponder* installedResponder = nullptr;
}

ModalResponder* CurrentResponder() {
  return installedResponder;
}

ModalResponder* SetResponder(ModalResponder* responder) {
  ModalResponder* previous = installedResponder;
  installedResponder = responder;
  return previous;
}

}  // namespace seam

int MessageBoxA(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
  if (seam::ModalResponder* responder = seam::CurrentResponder()) {
    if (std::optional<int> answer = responder->AnswerMessageBox(text, caption, flags)) return *answer;
  }
  return ::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

}  // namespace cl
