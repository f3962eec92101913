#include "viewer/rk_buttons.h"

namespace viewer {

namespace {
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
}  // namespace

TRkOkButton::TRkOkButton(cl::TComponent* owner) : TButton(owner) {
  StoreBounds(0, 0, kButtonWidth, kButtonHeight);
  SetCaption("OK");
  SetDefault(true);
  SetModalResult(cl::mrOk);
}

TRkCancelButton::TRkCancelButton(cl::TComponent* owner) : TButton(owner) {
  StoreBounds(0, 0, kButtonWidth, kButtonHeight);
  SetCaption("Cancel");
  SetCancel(true);
  SetModalResult(cl::mrCancel);
}

void MakeDialog(cl::TForm* form, const std::string& caption, int clientWidth, int clientHeight) {
  form->SetCaption(caption);
  form->SetBorderStyle(cl::bsDialog);
  form->SetPosition(cl::poScreenCenter);
  // The window is made later: its frame is what a dialog border adds around the client area.
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, FALSE,
                     WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE);
  form->SetBounds(0, 0, frame.right - frame.left, frame.bottom - frame.top);
}

}  // namespace viewer
