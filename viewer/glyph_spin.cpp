#include "viewer/glyph_spin.h"

#include "classlib/core/conversions.h"
#include "classlib/core/string_utils.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/colors.h"
#include "classlib/win/timer.h"
#include "controls/bitmap_drawing.h"
#include "viewer/core/spin_geometry.h"

namespace viewer {

namespace {

constexpr unsigned kFirstRepeatMs = 400;
constexpr unsigned kRepeatMs = 100;
constexpr char kUpGlyph[] = "GSPINUP";
constexpr char kDownGlyph[] = "GSPINDOWN";

enum Face { kNormal, kTopPressed, kBottomPressed };

}  // namespace

TGlyphSpinButton::TGlyphSpinButton(cl::TComponent* owner) : TSpinButtonBase(owner) {
  FUpGlyph = cl::New<cl::TBitmap>();
  FDownGlyph = cl::New<cl::TBitmap>();
  SetGlyph(FUpGlyph, nullptr, kUpGlyph);
  SetGlyph(FDownGlyph, nullptr, kDownGlyph);
  for (cl::TBitmap*& face : FFaces) face = cl::New<cl::TBitmap>();
}

void TGlyphSpinButton::BeforeDestruction() {
  for (cl::TBitmap*& face : FFaces) cl::FreeAndNil(face);
  cl::FreeAndNil(FUpGlyph);
  cl::FreeAndNil(FDownGlyph);
  inherited::BeforeDestruction();
}

void TGlyphSpinButton::SetGlyph(cl::TBitmap* target, const cl::TBitmap* glyph, const char* resource) {
  if (glyph) {
    target->Assign(glyph);
  } else {
    target->LoadFromResourceName(GetModuleHandleA(nullptr), resource);
  }
  InvalidateFaces();
}

void TGlyphSpinButton::SetUpGlyph(const cl::TBitmap* glyph) {
  SetGlyph(FUpGlyph, glyph, kUpGlyph);
}

void TGlyphSpinButton::SetDownGlyph(const cl::TBitmap* glyph) {
  SetGlyph(FDownGlyph, glyph, kDownGlyph);
}

void TGlyphSpinButton::InvalidateFaces() {
  FFacesValid = false;
  Invalidate();
}

void TGlyphSpinButton::Dispatch(cl::TMessage& message) {
  inherited::Dispatch(message);
  if (message.Msg == cl::CM_ENABLEDCHANGED) InvalidateFaces();
}

void TGlyphSpinButton::DrawFace(cl::TBitmap* face, int pressed) {
  const int w = Width(), h = Height();
  face->SetSize(w, h);
  cl::TCanvas* canvas = face->Canvas();
  DrawSpinButtonFrame(canvas, 0, w, h, pressed);
  const cl::TPoint up = UpGlyphOrigin(w, h, FUpGlyph->Width(), FUpGlyph->Height(), pressed == kTopPressed);
  ctl::DrawBitmap(canvas, cl::Bounds(up.X, up.Y, FUpGlyph->Width(), FUpGlyph->Height()), FUpGlyph,
                  FUpGlyph->TransparentColor(), ctl::dfTransparent);
  const cl::TPoint down = DownGlyphOrigin(w, h, FDownGlyph->Width(), FDownGlyph->Height());
  ctl::DrawBitmap(canvas, cl::Bounds(down.X, down.Y, FDownGlyph->Width(), FDownGlyph->Height()), FDownGlyph,
                  FDownGlyph->TransparentColor(), ctl::dfTransparent);
  if (pressed == kBottomPressed) SpinLine(canvas, cl::clBtnShadow, 3, h - 2, w - 1, 2);
}

void TGlyphSpinButton::BuildFaces() {
  for (int i = 0; i < static_cast<int>(FFaces.size()); ++i) DrawFace(FFaces[i], i);
  FFacesValid = true;
}

void TGlyphSpinButton::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  if (!FFacesValid || FFaces[0]->Width() != Width() || FFaces[0]->Height() != Height()) BuildFaces();
  // A disabled button shows its normal face.
  const int face = Enabled() ? State() : kNormal;
  Canvas()->Draw(0, 0, FFaces[face]);
}

void TGlyphSpinButton::StartRepeat() {
  // A press that ended while its step ran shows raised again at once.
  if (GetKeyState(VK_LBUTTON) >= 0) SetState(0);
  if (!FRepeatTimer) {
    FRepeatTimer = cl::New<cl::TTimer>(this);
    FRepeatTimer->SetOnTimer(cl::TNotifyEvent([this](cl::TObject* sender) { TimerExpired(sender); }));
  }
  FRepeatTimer->SetInterval(kFirstRepeatMs);
  FRepeatTimer->SetEnabled(true);
}

void TGlyphSpinButton::StopRepeat() {
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

void TGlyphSpinButton::TimerExpired(cl::TObject*) {
  FRepeatTimer->SetInterval(kRepeatMs);
  try {
    RepeatTick();
  } catch (...) {
    FRepeatTimer->SetEnabled(false);
    throw;
  }
}

TGlyphSpinEdit::TGlyphSpinEdit(cl::TComponent* owner) : TSpinEditBase(owner) {
  SetText("0");
  FButton = cl::New<TGlyphSpinButton>(this);
  TakeButton(FButton);
}

long double TGlyphSpinEdit::Value() {
  return ReadGlyphSpinText(Text(), FValueType, FMinValue);
}

void TGlyphSpinEdit::SetValue(long double value) {
  SetText(GlyphSpinText(value, FValueType, FDecimal, FMinValue, FMaxValue));
}

void TGlyphSpinEdit::SetValueType(TValueType type) {
  if (type == FValueType) return;
  const long double value = Value();
  FValueType = type;
  SetValue(value);
}

void TGlyphSpinEdit::SetDecimal(int decimal) {
  if (decimal == FDecimal) return;
  const long double value = Value();
  FDecimal = decimal;
  SetValue(value);
}

void TGlyphSpinEdit::SetAlignment(TGlyphAlignment alignment) {
  if (alignment == FAlignment) return;
  FAlignment = alignment;
  RecreateWnd();
}

void TGlyphSpinEdit::CreateParams(cl::TCreateParams& params) {
  inherited::CreateParams(params);
  static constexpr DWORD kAlignStyles[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  params.Style |= kAlignStyles[FAlignment];
}

bool TGlyphSpinEdit::IsValidChar(char key) {
  return IsValidSpinChar(key, EditorEnabled(), FValueType == vtFloat ? cl::DecimalSeparator : 0);
}

void TGlyphSpinEdit::Step(long double delta) {
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  const std::string old = Text();
  FChanging = true;
  try {
    SetValue(Value() + delta);
  } catch (...) {
    FChanging = false;
    throw;
  }
  FChanging = false;
  if (!cl::SameText(Text(), old)) {
    if (HandleAllocated()) SetModified(true);
    inherited::Change();
  }
}

void TGlyphSpinEdit::UpClick(cl::TObject*) {
  Step(FIncrement);
}

void TGlyphSpinEdit::DownClick(cl::TObject*) {
  Step(-FIncrement);
}

void TGlyphSpinEdit::Change() {
  if (!FChanging) inherited::Change();
}

void TGlyphSpinEdit::KeyDown(WORD& key, cl::TShiftState shift) {
  if (key == VK_UP) UpClick(this);
  if (key == VK_DOWN) DownClick(this);
  inherited::KeyDown(key, shift);
}

void TGlyphSpinEdit::ClampOnExit() {
  const long double value = Value();
  if (ClampSpinValue(value, FMinValue, FMaxValue) != value) SetValue(value);
}

int TGlyphSpinEdit::MinHeightExtra() const {
  return 4 * GetSystemMetrics(SM_CYBORDER) + 1;
}

}  // namespace viewer
