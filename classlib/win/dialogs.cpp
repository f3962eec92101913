// MessageDlg and ShowMessage over a form built in code.
#include "classlib/win/dialogs.h"

#include <algorithm>
#include <vector>

#include "classlib/win/application.h"
#include "classlib/win/modal_seam.h"
#include "classlib/win/stdctrls.h"

namespace cl {
namespace {

constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;

struct ButtonInfo {
  TMsgDlgBtn Button;
  const char* Caption;
  TModalResult Result;
};

constexpr ButtonInfo kButtons[] = {
    {mbYes, "&Yes", mrYes},
    {mbNo, "&No", mrNo},
    {mbOK, "OK", mrOk},
    {mbCancel, "Cancel", mrCancel},
    {mbAbort, "&Abort", mrAbort},
    {mbRetry, "&Retry", mrRetry},
    {mbIgnore, "&Ignore", mrIgnore},
    {mbAll, "&All", mrAll},
    {mbNoToAll, "N&o to All", mrNoToAll},
    {mbYesToAll, "Yes to &All", mrYesToAll},
    {mbHelp, "&Help", mrNone},
};

// The button Esc presses: Cancel, else No, else the last one.
TMsgDlgBtn CancelButton(TMsgDlgButtons buttons, TMsgDlgBtn last) {
  if (buttons.Contains(mbCancel)) return mbCancel;
  if (buttons.Contains(mbNo)) return mbNo;
  return last;
}

// The button Enter presses: OK, else Yes, else the first one.
TMsgDlgBtn DefaultButton(TMsgDlgButtons buttons, TMsgDlgBtn first) {
  if (buttons.Contains(mbOK)) return mbOK;
  if (buttons.Contains(mbYes)) return mbYes;
  return first;
}

class TMessageForm : public TForm {
  CL_CLASS(TMessageForm, TForm)
 public:
  explicit TMessageForm(TComponent* owner) : TForm(owner) {}
};

}  // namespace

std::string MessageDlgTitle(TMsgDlgType type) {
  switch (type) {
    case mtWarning:
      return "Warning";
    case mtError:
      return "Error";
    case mtInformation:
      return "Information";
    case mtConfirmation:
      return "Confirm";
    default:
      return Application ? Application->Title() : "";
  }
}

TForm* CreateMessageDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  if (buttons.Empty()) buttons.Include(mbOK);
  TForm* form = CreateNew<TMessageForm>(Application);
  try {
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poScreenCenter);
    form->SetCaption(MessageDlgTitle(type));
    auto* label = New<TLabel>(form);
    label->SetName("Message");
    label->SetParent(form);
    label->SetBounds(kMargin, kMargin, 10, 10);
    label->SetCaption(text);

    std::vector<const ButtonInfo*> shown;
    for (const ButtonInfo& info : kButtons) {
      if (buttons.Contains(info.Button)) shown.push_back(&info);
    }
    const TMsgDlgBtn defaultButton = DefaultButton(buttons, shown.front()->Button);
    const TMsgDlgBtn cancelButton = CancelButton(buttons, shown.back()->Button);
    const int rowWidth = static_cast<int>(shown.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
    const int clientWidth = std::max(label->Width(), rowWidth) + 2 * kMargin;
    const int buttonTop = label->Top() + label->Height() + kMargin;
    int x = (clientWidth - rowWidth) / 2;
    for (const ButtonInfo* info : shown) {
      auto* button = New<TButton>(form);
      button->SetParent(form);
      button->SetBounds(x, buttonTop, kButtonWidth, kButtonHeight);
      button->SetCaption(info->Caption);
      button->SetModalResult(info->Result);
      button->SetDefault(info->Button == defaultButton);
      button->SetCancel(info->Button == cancelButton);
      x += kButtonWidth + kButtonGap;
    }
    form->SetClientSize(clientWidth, buttonTop + kButtonHeight + kMargin);
  } catch (...) {
    form->Free();
    throw;
  }
  return form;
}

TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext) {
  if (seam::ModalResponder* responder = seam::CurrentResponder()) {
    if (std::optional<int> answer = responder->AnswerMessageDlg(text, MessageDlgTitle(type), buttons.Mask())) {
      return *answer;
    }
  }
  TForm* form = CreateMessageDialog(text, type, buttons);
  TModalResult result = mrNone;
  try {
    result = form->ShowModal();
  } catch (...) {
    form->Free();
    throw;
  }
  form->Free();
  return result;
}

void ShowMessage(const std::string& text) {
  MessageDlg(text, mtCustom, {mbOK}, 0);
}

}  // namespace cl
