// TButton, TCheckBox, TRadioButton, TGroupBox, TCustomEdit and TLabel.
#include "classlib/win/stdctrls.h"

#include "classlib/win/colors.h"
#include "classlib/win/gdi.h"
#include "classlib/win/graphics_tools.h"

namespace cl {

// --- TButton ---

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  StoreBounds(0, 0, 75, 25);
  SetTabStop(true);
  FControlStyle = {csSetCaption, csDoubleClicks};
}

void TButton::CreateParams(TCreateParams& params) {
  inherited::CreateParams(params);
  params.SystemClassName = "BUTTON";
  params.Style |= WS_TABSTOP | (FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::SetDefault(bool isDefault) {
  if (isDefault == FDefault) return;
  FDefault = isDefault;
  if (HandleAllocated()) SendMessageA(Handle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
  if (FModalResult != mrNone) {
    if (TForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  }
  inherited::Click();
}

void TButton::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CN_BASE + WM_COMMAND:
      if (HIWORD(message.WParam) == BN_CLICKED) Click();
      return;
    case CM_DIALOGKEY: {
      const bool pressed = (message.WParam == VK_RETURN && FDefault) || (message.WParam == VK_ESCAPE && FCancel);
      if (pressed && KeyboardShiftState().Empty() && CanFocus()) {
        Click();
        message.Result = 1;
      }
      return;
    }
    default:
      inherited::Dispatch(message);
  }
}

// --- TButtonControl, TCheckBox, TRadioButton ---

TButtonControl::TButtonControl(TComponent* owner, DWORD buttonStyle) : TWinControl(owner), FButtonStyle(buttonStyle) {
  SetTabStop(true);
  FControlStyle = {csSetCaption, csDoubleClicks};
}

void TButtonControl::CreateParams(TCreateParams& params) {
  inherited::CreateParams(params);
  params.SystemClassName = "BUTTON";
  params.Style |= WS_TABSTOP | FButtonStyle;
}

void TButtonControl::CreateWnd() {
  inherited::CreateWnd();
  SendMessageA(Handle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TButtonControl::StoreChecked(bool checked) {
  if (checked == FChecked) return false;
  FChecked = checked;
  if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  return true;
}

void TButtonControl::Dispatch(TMessage& message) {
  if (message.Msg == CN_BASE + WM_COMMAND) {
    if (HIWORD(message.WParam) == BN_CLICKED) UserClicked();
    return;
  }
  inherited::Dispatch(message);
}

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner, BS_CHECKBOX) {
  StoreBounds(0, 0, 97, 17);
}

void TCheckBox::SetChecked(bool checked) {
  if (StoreChecked(checked)) Click();
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner, BS_RADIOBUTTON) {
  StoreBounds(0, 0, 113, 17);
}

void TRadioButton::SetChecked(bool checked) {
  if (!StoreChecked(checked) || !checked) return;
  if (TWinControl* parent = Parent()) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i));
      if (sibling && sibling != this) sibling->SetChecked(false);
    }
  }
  Click();
}

// --- TGroupBox ---

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) {
  StoreBounds(0, 0, 185, 105);
  FControlStyle.Include(csAcceptsControls);
  SetColor(clBtnFace);
  SetParentColor(true);
}

int TGroupBox::CaptionHeight() const {
  gdi::WindowDC screen(nullptr);
  gdi::SelectGuard font(screen.Get(), Font()->Handle());
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen.Get(), &metrics);
  return metrics.tmHeight;
}

void TGroupBox::AdjustClientRect(TRect& rect) const {
  rect = Rect(rect.Left + 2, rect.Top + CaptionHeight() + 2, rect.Right - 2, rect.Bottom - 2);
}

void TGroupBox::Paint() {
  HDC dc = Canvas()->Handle();
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(ClientRect());
  gdi::SelectGuard font(dc, Font()->Handle());
  const int lineHeight = CaptionHeight();
  RECT frame{0, lineHeight / 2 - 1, Width(), Height()};
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  const std::string text = Caption();
  if (text.empty()) return;
  // The caption interrupts the frame's top edge.
  RECT textRect{8, 0, 8, lineHeight};
  DrawTextA(dc, text.c_str(), -1, &textRect, DT_SINGLELINE | DT_CALCRECT);
  SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText) & 0xFFFFFF);
  SetBkColor(dc, ColorToRGB(Color()) & 0xFFFFFF);
  SetBkMode(dc, OPAQUE);
  DrawTextA(dc, text.c_str(), -1, &textRect, DT_SINGLELINE);
}

void TGroupBox::Dispatch(TMessage& message) {
  inherited::Dispatch(message);
  if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED) {
    Realign();
    Invalidate();
  }
}

// --- TCustomEdit ---

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  StoreBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetColor(clWindow);
  FControlStyle = {csSetCaption, csDoubleClicks};
}

void TCustomEdit::CreateParams(TCreateParams& params) {
  inherited::CreateParams(params);
  params.SystemClassName = "EDIT";
  params.Style |= WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT;
  if (FReadOnly) params.Style |= ES_READONLY;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
  inherited::CreateWnd();
  SendMessageA(Handle(), EM_LIMITTEXT, FMaxLength, 0);
}

void TCustomEdit::SetMaxLength(int length) {
  if (length == FMaxLength) return;
  FMaxLength = length;
  if (HandleAllocated()) SendMessageA(Handle(), EM_LIMITTEXT, length, 0);
}

void TCustomEdit::SetReadOnly(bool readOnly) {
  if (readOnly == FReadOnly) return;
  FReadOnly = readOnly;
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, readOnly, 0);
}

int TCustomEdit::SelStart() {
  DWORD start = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

int TCustomEdit::SelLength() {
  DWORD start = 0, end = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelStart(int start) {
  SendMessageA(Handle(), EM_SETSEL, start, start);
}

void TCustomEdit::SetSelLength(int length) {
  const int start = SelStart();
  SendMessageA(Handle(), EM_SETSEL, start, start + length);
}

void TCustomEdit::SelectAll() {
  SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

bool TCustomEdit::Modified() {
  return SendMessageA(Handle(), EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::SetModified(bool modified) {
  SendMessageA(Handle(), EM_SETMODIFY, modified, 0);
}

void TCustomEdit::Change() {
  if (FOnChange) FOnChange(this);
}

void TCustomEdit::Dispatch(TMessage& message) {
  if (message.Msg == CN_BASE + WM_COMMAND) {
    if (HIWORD(message.WParam) == EN_CHANGE) Change();
    return;
  }
  if (message.Msg == CN_BASE + WM_CTLCOLOREDIT) {
    // The edit's own colours, so that Color and Font->Color show.
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    SetTextColor(dc, ColorToRGB(Font()->Color()) & 0xFFFFFF);
    SetBkColor(dc, ColorToRGB(Color()) & 0xFFFFFF);
    SetDCBrushColor(dc, ColorToRGB(Color()) & 0xFFFFFF);
    message.Result = reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
    return;
  }
  inherited::Dispatch(message);
}

// --- TLabel ---

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  StoreBounds(0, 0, 65, 17);
  FControlStyle.Include(csOpaque);
  SetColor(clBtnFace);
  SetParentColor(true);
}

void TLabel::SetAutoSize(bool autoSize) {
  if (autoSize == FAutoSize) return;
  FAutoSize = autoSize;
  AdjustBounds();
}

void TLabel::SetAlignment(TAlignment alignment) {
  if (alignment == FAlignment) return;
  FAlignment = alignment;
  Invalidate();
}

void TLabel::SetWordWrap(bool wordWrap) {
  if (wordWrap == FWordWrap) return;
  FWordWrap = wordWrap;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetTransparent(bool transparent) {
  if (transparent == FTransparent) return;
  FTransparent = transparent;
  if (transparent) {
    FControlStyle.Exclude(csOpaque);
  } else {
    FControlStyle.Include(csOpaque);
  }
  Invalidate();
}

UINT TLabel::DrawTextFlags() const {
  static constexpr UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  return DT_EXPANDTABS | kAlign[FAlignment] | (FWordWrap ? DT_WORDBREAK : 0);
}

void TLabel::AdjustBounds() {
  if (!FAutoSize || ComponentState().Contains(csLoading)) return;
  gdi::WindowDC screen(nullptr);
  gdi::SelectGuard font(screen.Get(), Font()->Handle());
  RECT r{0, 0, FWordWrap ? Width() : 0, 0};
  const std::string text = Caption();
  DrawTextA(screen.Get(), text.empty() ? " " : text.c_str(), -1, &r, DrawTextFlags() | DT_CALCRECT);
  SetBounds(Left(), Top(), r.right, r.bottom);
}

void TLabel::Loaded() {
  inherited::Loaded();
  AdjustBounds();
}

void TLabel::Paint() {
  TCanvas* canvas = Canvas();
  RECT r{0, 0, Width(), Height()};
  if (!FTransparent) {
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
  }
  HDC dc = canvas->Handle();
  gdi::SelectGuard font(dc, Font()->Handle());
  SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText) & 0xFFFFFF);
  SetBkMode(dc, TRANSPARENT);
  const std::string text = Caption();
  DrawTextA(dc, text.c_str(), -1, &r, DrawTextFlags());
}

void TLabel::Dispatch(TMessage& message) {
  inherited::Dispatch(message);
  if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED) AdjustBounds();
}

void TCheckBox::Publish(rtti::Builder& b) {
  b.Prop("Checked", rtti::tiBoolean, &TButtonControl::Checked, &TCheckBox::SetChecked);
}

void TCustomEdit::Publish(rtti::Builder& b) {
  b.Prop("Text", rtti::tiString, &TControl::Text, &TControl::SetText);
}

}  // namespace cl
