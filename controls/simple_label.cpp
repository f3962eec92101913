#include "controls/simple_label.h"

#include "classlib/core/finally.h"
#include "classlib/core/string_utils.h"
#include "classlib/win/control_canvas.h"
#include "classlib/win/graphics_tools.h"
#include "classlib/win/system_seams.h"
#include "classlib/win/win_control.h"
#include "controls/ctl_application.h"
#include "controls/text_3d.h"

namespace ctl {
namespace {

// ShellExecute's results up to this one mean nothing was opened.
constexpr INT_PTR kShellExecuteLastError = 32;

bool Loading(const cl::TComponent* component) {
  return component->ComponentState().Contains(cl::csLoading);
}

}  // namespace

TCtlBaseLabel::TCtlBaseLabel(cl::TComponent* owner) : TCtlBaseGraphicControl(owner) {
  FControlStyle.Include(cl::csReplicatable);
}

void TCtlBaseLabel::SetAlignment(TCtlAlignment alignment) {
  if (alignment == FAlignment) return;
  FAlignment = alignment;
  TextLookChanged();
}

void TCtlBaseLabel::SetAutoSize(bool autoSize) {
  if (autoSize == FAutoSize) return;
  FAutoSize = autoSize;
  AdjustSize();
}

void TCtlBaseLabel::SetShowAccelChar(bool show) {
  if (show == FShowAccelChar) return;
  FShowAccelChar = show;
  RepaintNow();
}

void TCtlBaseLabel::SetMultiLine(bool multiLine) {
  if (multiLine == FMultiLine) return;
  FMultiLine = multiLine;
  TextLookChanged();
}

void TCtlBaseLabel::SetFocusControl(cl::TWinControl* control) {
  if (control == FFocusControl) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = control;
  if (control) control->FreeNotification(this);
}

void TCtlBaseLabel::TextLookChanged() {
  AdjustSize();
  RepaintNow();
}

void TCtlBaseLabel::Loaded() {
  inherited::Loaded();
  AdjustSize();
}

void TCtlBaseLabel::Notification(cl::TComponent* component, cl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == cl::opRemove && component == FFocusControl) FFocusControl = nullptr;
}

void TCtlBaseLabel::Dispatch(cl::TMessage& message) {
  switch (message.Msg) {
    case cl::CM_DIALOGCHAR:
      if (FShowAccelChar && FFocusControl && Enabled() && cl::IsAccel(static_cast<char>(message.WParam), Caption())) {
        if (FFocusControl->CanFocus()) FFocusControl->SetFocus();
        message.Result = 1;
        return;
      }
      inherited::Dispatch(message);
      return;
    case cl::CM_TEXTCHANGED:
    case cl::CM_FONTCHANGED:
      inherited::Dispatch(message);
      TextLookChanged();
      return;
    default:
      inherited::Dispatch(message);
  }
}

TCtlCustomSimpleLabel::TCtlCustomSimpleLabel(cl::TComponent* owner)
    : TCtlBaseLabel(owner), FFont3D(cl::New<TCtl3DCaption>()) {
  FFont3D->SetOnChange(cl::TNotifyEvent([this](cl::TObject*) { TextLookChanged(); }));
}

void TCtlCustomSimpleLabel::BeforeDestruction() {
  inherited::BeforeDestruction();
  cl::FreeAndNil(FFont3D);
}

void TCtlCustomSimpleLabel::SetInActiveColor(cl::TColor color) {
  FInActiveColor = color;
  if (FUseAsJump) Font()->SetColor(color);
}

void TCtlCustomSimpleLabel::SetJumpUnderline(bool underline) {
  FJumpUnderline = underline;
  if (FUseAsJump) SetUnderline(underline);
}

void TCtlCustomSimpleLabel::SetUnderline(bool underline) {
  cl::TFontStyles style = Font()->Style();
  if (underline) {
    style.Include(cl::fsUnderline);
  } else {
    style.Exclude(cl::fsUnderline);
  }
  Font()->SetStyle(style);
}

void TCtlCustomSimpleLabel::SetJumpMode(TCtlJumpModes mode) {
  if (mode == FJumpMode || (mode == jmNone && Loading(this))) return;
  FJumpMode = mode;
  if (mode == jmNone) {
    SetCursor(cl::crDefault);
    Font()->SetColor(cl::clBlack);
    if (FJumpUnderline) SetUnderline(false);
    return;
  }
  FClicks = 0;
  Font()->SetColor(FInActiveColor);
  if (FJumpUnderline) SetUnderline(true);
  if (!ComponentState().Contains(cl::csDesigning)) SetCursor(crCtlHand);
}

void TCtlCustomSimpleLabel::Click() {
  inherited::Click();
  if (FJumpMode != jmInternet && FJumpMode != jmApplication) return;
  const bool webLink = FJumpMode == jmInternet;
  const std::string target = JumpTarget(FJump, Caption(), webLink);
  const auto result = reinterpret_cast<INT_PTR>(
      cl::sys::ShellExecuteA(nullptr, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  // A web link that cannot be opened stops being one; a program that does not start is left as it is.
  if (webLink && result <= kShellExecuteLastError) {
    SetJumpMode(jmNone);
    SetEnabled(false);
  }
}

void TCtlCustomSimpleLabel::MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  if (button == cl::mbLeft && FJumpMode != jmNone) {
    ++FClicks;
    Font()->SetColor(FActiveColor);  // stays: the link shows as visited
  }
  inherited::MouseDown(button, shift, x, y);
}

void TCtlCustomSimpleLabel::MouseUp(cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  if (button == cl::mbLeft && FUseAsJump) Font()->SetColor(FInActiveColor);
  inherited::MouseUp(button, shift, x, y);
}

void TCtlCustomSimpleLabel::Loaded() {
  inherited::Loaded();
  if (FUseAsJump) SetJumpMode(jmInternet);
}

void TCtlCustomSimpleLabel::AdjustSize() {
  if (!AutoSize() || Loading(this) || FSizing || !FFont3D) return;
  // Measuring may move an effect caption, whose change notification would size the label again.
  FSizing = true;
  cl::Finally done([this] { FSizing = false; });
  cl::TRect rect = ClientRect();
  CalcText3DRect(Caption(), FFont3D, 0, ShowAccelChar(), MultiLine(), Font(), rect);
  SetBounds(Left(), Top(), rect.Right, rect.Bottom);
}

void TCtlCustomSimpleLabel::Paint() {
  if (Loading(this) || FPainting) return;
  const std::string caption = Caption();
  if (Transparent() && caption.empty()) return;
  FPainting = true;
  cl::Finally done([this] { FPainting = false; });
  cl::TCanvas* canvas = Canvas();
  const cl::TRect client = ClientRect();
  if (!Transparent()) FillClient();
  cl::TRect rect = client;
  if (MultiLine() && Alignment() >= agCenterLeft) {
    AlignText3DRect(Alignment(), caption, FFont3D, rect, ShowAccelChar(), true, Font(), client);
  }
  canvas->Brush()->SetColor(Color());
  canvas->SetFont(Font());
  DrawText3D(canvas, caption, FFont3D, nullptr, Enabled() ? dtsEnabled : 0,
             LabelPaintFormat(Alignment(), MultiLine(), ShowAccelChar()), rect);
}

}  // namespace ctl
