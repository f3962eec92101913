#include "viewer/spin_edit_base.h"

#include "classlib/win/colors.h"
#include "classlib/win/forms.h"
#include "classlib/win/gdi.h"
#include "classlib/win/graphics_tools.h"
#include "viewer/core/spin_geometry.h"

namespace viewer {

namespace {
constexpr int kButtonSide = 20;
}  // namespace

void SpinLine(cl::TCanvas* canvas, cl::TColor color, int x1, int y1, int x2, int y2) {
  canvas->Pen()->SetColor(color);
  canvas->MoveTo(x1, y1);
  canvas->LineTo(x2, y2);
}

void DrawSpinButtonFrame(cl::TCanvas* canvas, int left, int width, int height, int pressed) {
  const int x = left, w = width, h = height;
  canvas->Brush()->SetColor(cl::clBtnFace);
  canvas->FillRect(cl::Bounds(x, 0, w, h));
  canvas->Brush()->SetColor(cl::clWindowFrame);
  canvas->FrameRect(cl::Bounds(x, 0, w, h));
  SpinLine(canvas, cl::clWindowFrame, x - 1, h, x + w, -1);
  const cl::TColor topLight = pressed == 1 ? cl::clBtnShadow : cl::clBtnHighlight;
  const cl::TColor bottomShade = pressed == 2 ? cl::clBtnHighlight : cl::clBtnShadow;
  SpinLine(canvas, topLight, x + 1, 1, x + w - 2, 1);
  SpinLine(canvas, topLight, x + 1, 1, x + 1, h - 2);
  SpinLine(canvas, bottomShade, x + w - 2, 2, x + w - 2, h - 1);
  SpinLine(canvas, bottomShade, x + 2, h - 2, x + w - 1, h - 2);
}

TSpinButtonBase::TSpinButtonBase(cl::TComponent* owner) : TGraphicControl(owner) {
  StoreBounds(0, 0, kButtonSide, kButtonSide);
  // A quick second press is another step, not a double click.
  FControlStyle.Exclude(cl::csDoubleClicks);
}

void TSpinButtonBase::SetState(int state) {
  if (state == FState) return;
  FState = state;
  StateChanged();
}

void TSpinButtonBase::FireHalf(int half) {
  const cl::TNotifyEvent& event = half == 2 ? FOnBottomClick : FOnTopClick;
  if (event) event(this);
}

void TSpinButtonBase::MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  inherited::MouseDown(button, shift, x, y);
  if (button != cl::mbLeft || !Enabled() || FPressedHalf != 0) return;
  FPressedHalf = InLowerHalf(x, y, Width(), Height()) ? 2 : 1;
  SetState(FPressedHalf);
  FireHalf(FPressedHalf);
  if (ComponentState().Contains(cl::csDestroying)) return;
  StartRepeat();
}

void TSpinButtonBase::MouseMove(cl::TShiftState shift, int x, int y) {
  inherited::MouseMove(shift, x, y);
  if (FPressedHalf == 0) return;
  // Only the half first pressed shows pressed, and only while the mouse is over it.
  const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
  const int under = InLowerHalf(x, y, Width(), Height()) ? 2 : 1;
  SetState(inside && under == FPressedHalf ? FPressedHalf : 0);
}

void TSpinButtonBase::MouseUp(cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  inherited::MouseUp(button, shift, x, y);
  if (button != cl::mbLeft) return;
  // Whereever the mouse is let go, the repeat ends with the press.
  FPressedHalf = 0;
  StopRepeat();
  SetState(0);
}

void TSpinButtonBase::RepeatTick() {
  if (FPressedHalf == 0 || FState != FPressedHalf || !MouseCapture()) return;
  FireHalf(FPressedHalf);
}

TSpinEditBase::TSpinEditBase(cl::TComponent* owner) : TCustomEdit(owner) {
  // The text is the number, never the component's name.
  FControlStyle.Exclude(cl::csSetCaption);
  FButtonWindow = cl::New<cl::TWinControl>(this);
  FButtonWindow->SetParent(this);
}

void TSpinEditBase::TakeButton(TSpinButtonBase* button) {
  FButton = button;
  FButton->SetParent(FButtonWindow);
  FButton->SetAlign(cl::alClient);
  FButton->SetOnTopClick(cl::TNotifyEvent([this](cl::TObject* sender) { UpClick(sender); }));
  FButton->SetOnBottomClick(cl::TNotifyEvent([this](cl::TObject* sender) { DownClick(sender); }));
}

void TSpinEditBase::CreateParams(cl::TCreateParams& params) {
  inherited::CreateParams(params);
  // Multi-line, so that the formatting rectangle keeps the text clear of the button.
  params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
}

void TSpinEditBase::CreateWnd() {
  inherited::CreateWnd();
  LayoutButton();
}

void TSpinEditBase::LayoutButton() {
  if (!HandleAllocated()) return;
  TEXTMETRICA font{}, system{};
  {
    cl::gdi::WindowDC screen(nullptr);
    cl::gdi::SelectGuard select(screen.Get(), Font()->Handle());
    GetTextMetricsA(screen.Get(), &font);
    SelectObject(screen.Get(), GetStockObject(SYSTEM_FONT));
    GetTextMetricsA(screen.Get(), &system);
  }
  const int minHeight = SpinMinHeight(font.tmHeight, system.tmHeight, MinHeightExtra());
  if (Height() < minHeight) {
    SetHeight(minHeight);
    return;
  }
  const SpinBoxLayout layout = LayoutSpinBox(Width(), Height(), ClientWidth(), ClientHeight(), ButtonInset());
  FButtonWindow->SetBoundsRect(layout.Button);
  RECT format{layout.Format.Left, layout.Format.Top, layout.Format.Right, layout.Format.Bottom};
  SendMessageA(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&format));
}

void TSpinEditBase::KeyPress(char& key) {
  if (!IsValidChar(key)) {
    key = 0;
    MessageBeep(0);
  } else if (key == '\r' || key == '\x1B') {
    // A multi-line edit keeps these keys; the form's default and cancel buttons get them instead.
    if (cl::TForm* form = cl::GetParentForm(this)) form->Perform(cl::CM_DIALOGKEY, key == '\r' ? VK_RETURN : VK_ESCAPE);
    if (key == '\r') key = 0;
  }
  if (key != 0) inherited::KeyPress(key);
}

void TSpinEditBase::Dispatch(cl::TMessage& message) {
  switch (message.Msg) {
    case WM_SIZE:
      inherited::Dispatch(message);
      LayoutButton();
      return;
    case WM_CUT:
    case WM_PASTE:
      if (FEditorEnabled && !ReadOnly()) inherited::Dispatch(message);
      return;
    case WM_SETFOCUS:
      inherited::Dispatch(message);
      if (FAutoSelect && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
      return;
    case WM_KILLFOCUS:
      inherited::Dispatch(message);
      ClampOnExit();
      return;
    default:
      inherited::Dispatch(message);
  }
}

}  // namespace viewer
