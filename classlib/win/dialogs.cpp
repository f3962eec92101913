// MessageDlg and ShowMessage over a form built in code: the type's icon, the text broken into lines, and a row of
// buttons below, each sized from the font.
#include "classlib/win/dialogs.h"

#include <algorithm>
#include <vector>

#include "classlib/win/application.h"
#include "classlib/win/extctrls.h"
#include "classlib/win/gdi.h"
#include "classlib/win/graphics_tools.h"
#include "classlib/win/icon.h"
#include "classlib/win/modal_seam.h"
#include "classlib/win/picture.h"
#include "classlib/win/screen.h"
#include "classlib/win/stdctrls.h"

namespace cl {
namespace {

constexpr int kMargin = 12;    // around everything
constexpr int kIconGap = 12;   // between the icon and the text
constexpr int kButtonGap = 8;  // between two buttons
// A button is at least this size and fits its caption with padding around it.
constexpr int kMinButtonWidth = 75;
constexpr int kMinButtonHeight = 25;
constexpr int kButtonPaddingX = 12;
constexpr int kButtonPaddingY = 6;
// Text lines break at this share of the screen's width.
constexpr int kTextWidthScreenShare = 2;

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

// The system's icon of each dialog type; none for mtCustom.
LPCSTR IconOf(TMsgDlgType type) {
  switch (type) {
    case mtWarning:
      return IDI_WARNING;
    case mtError:
      return IDI_ERROR;
    case mtInformation:
      return IDI_INFORMATION;
    case mtConfirmation:
      return IDI_QUESTION;
    default:
      return nullptr;
  }
}

// The size text takes in font, broken into lines no wider than maxWidth (0: one line).
SIZE TextExtent(TFont* font, const std::string& text, int maxWidth) {
  gdi::WindowDC screen;
  gdi::SelectGuard selected(screen.Get(), font->Handle());
  RECT r{0, 0, maxWidth, 0};
  const UINT flags = DT_CALCRECT | DT_EXPANDTABS | (maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
  DrawTextA(screen.Get(), text.empty() ? " " : text.c_str(), -1, &r, flags);
  return SIZE{r.right, r.bottom};
}

// The icon of the dialog's type at the top left; its size, or 0 x 0 without one.
SIZE AddIcon(TForm* form, TMsgDlgType type) {
  const LPCSTR shared = IconOf(type);
  if (!shared) return SIZE{0, 0};
  const SIZE size{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
  auto* image = New<TImage>(form);
  image->SetName("Image");
  image->SetParent(form);
  image->SetBounds(kMargin, kMargin, size.cx, size.cy);
  // A copy: the system's shared icon must not be destroyed with the picture.
  image->Picture()->Icon()->SetHandle(CopyIcon(LoadIconA(nullptr, shared)));
  return size;
}

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
    // The window first, so that its client size can be set with the frame and caption of a dialog around it.
    form->HandleNeeded();
    const SIZE icon = AddIcon(form, type);
    const SIZE textSize = TextExtent(form->Font(), text, Screen->Width() / kTextWidthScreenShare);
    const int textLeft = kMargin + (icon.cx > 0 ? icon.cx + kIconGap : 0);
    const int topHeight = std::max<int>(icon.cy, textSize.cy);
    auto* label = New<TLabel>(form);
    label->SetName("Message");
    label->SetParent(form);
    label->SetWordWrap(true);
    label->SetBounds(textLeft, kMargin + (topHeight - textSize.cy) / 2, textSize.cx, textSize.cy);
    label->SetCaption(text);

    std::vector<const ButtonInfo*> shown;
    SIZE button{kMinButtonWidth, kMinButtonHeight};
    for (const ButtonInfo& info : kButtons) {
      if (!buttons.Contains(info.Button)) continue;
      shown.push_back(&info);
      const SIZE caption = TextExtent(form->Font(), info.Caption, 0);
      button.cx = std::max<int>(button.cx, caption.cx + 2 * kButtonPaddingX);
      button.cy = std::max<int>(button.cy, caption.cy + 2 * kButtonPaddingY);
    }
    const TMsgDlgBtn defaultButton = DefaultButton(buttons, shown.front()->Button);
    const TMsgDlgBtn cancelButton = CancelButton(buttons, shown.back()->Button);
    const int rowWidth = static_cast<int>(shown.size()) * (button.cx + kButtonGap) - kButtonGap;
    const int clientWidth = std::max<int>(textLeft + textSize.cx, kMargin + rowWidth) + kMargin;
    const int buttonTop = kMargin + topHeight + kMargin;
    int x = (clientWidth - rowWidth) / 2;
    for (const ButtonInfo* info : shown) {
      auto* control = New<TButton>(form);
      control->SetParent(form);
      control->SetBounds(x, buttonTop, button.cx, button.cy);
      control->SetCaption(info->Caption);
      control->SetModalResult(info->Result);
      control->SetDefault(info->Button == defaultButton);
      control->SetCancel(info->Button == cancelButton);
      x += button.cx + kButtonGap;
    }
    form->SetClientSize(clientWidth, buttonTop + button.cy + kMargin);
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
