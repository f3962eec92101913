#include "viewer/ctl_spin_edit.h"

#include "classlib/core/exceptions.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/colors.h"
#include "controls/ctl_application.h"
#include "controls/timer_pool.h"
#include "viewer/core/spin_geometry.h"
#include "viewer/core/spin_rules.h"

namespace viewer {

namespace {

constexpr int kFaces = 4;
constexpr int kArrowSize = 3;
// The first repeat waits this much longer than the next ones.
constexpr uint16_t kFirstRepeatExtraMs = 200;

}  // namespace

void DrawArrow(cl::TCanvas* canvas, int x, int y, bool enabled, bool down, cl::TColor color, int size) {
  const auto draw = [&](int atX, int atY, cl::TColor pen) {
    for (const ArrowLine& line : ArrowLines(atX, atY, down, size)) {
      SpinLine(canvas, pen, line.From.X, line.From.Y, line.To.X, line.To.Y);
    }
  };
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetStyle(cl::psSolid);
  if (enabled) {
    draw(x, y, color);
    return;
  }
  draw(x + 1, y + 1, cl::clHighlightText);
  draw(x, y, cl::clGrayText);
}

TCtlSpinButton::TCtlSpinButton(cl::TComponent* owner) : TSpinButtonBase(owner), FFaces(cl::New<cl::TBitmap>()) {}

void TCtlSpinButton::AfterConstruction() {
  inherited::AfterConstruction();
  if (ctl::CtlApplication) {
    FTimerIdent = ctl::CtlApplication->AddTimer(
        FInterval, cl::TNotifyEvent([this](cl::TObject* sender) { TimerExpired(sender); }));
  }
  if (FTimerIdent == 0) throw cl::EOutOfResources("Not enough timers available");
  // A lent timer starts enabled; this one runs only while the button is held.
  RunTimer(false, FInterval);
}

void TCtlSpinButton::BeforeDestruction() {
  if (ctl::CtlApplication) ctl::CtlApplication->RemoveTimer(FTimerIdent);
  cl::FreeAndNil(FFaces);
  inherited::BeforeDestruction();
}

ctl::TCtlTimerItem* TCtlSpinButton::Timer() const {
  return ctl::CtlApplication ? ctl::CtlApplication->GetTimer(FTimerIdent) : nullptr;
}

void TCtlSpinButton::RunTimer(bool run, uint16_t interval) {
  ctl::TCtlTimerItem* timer = Timer();
  if (!timer) return;
  timer->SetInterval(interval);
  timer->SetEnabled(run);
  // Restarting the pool's tick also lets the first wait start at the press.
  ctl::CtlApplication->TimerPool()->UpdateTimer(true);
}

void TCtlSpinButton::Dispatch(cl::TMessage& message) {
  inherited::Dispatch(message);
  if (message.Msg == cl::CM_ENABLEDCHANGED) SetState(Enabled() ? 0 : kSpinDisabled);
}

void TCtlSpinButton::BuildFaces() {
  const int w = Width(), h = Height();
  FFaces->SetSize(w * kFaces, h);
  cl::TCanvas* canvas = FFaces->Canvas();
  for (int state = 0; state < kFaces; ++state) {
    const int left = state * w;
    DrawSpinButtonFrame(canvas, left, w, h, state);
    const bool enabled = state != kSpinDisabled;
    const cl::TPoint up = UpArrowOrigin(w, h, state == 1);
    DrawArrow(canvas, left + up.X, up.Y, enabled, false, cl::clBlack, kArrowSize);
    const cl::TPoint down = DownArrowOrigin(w, h, state == 2);
    DrawArrow(canvas, left + down.X, down.Y, enabled, true, cl::clBlack, kArrowSize);
  }
}

void TCtlSpinButton::Paint() {
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;
  if (FFaces->Width() != w * kFaces || FFaces->Height() != h) BuildFaces();
  Canvas()->CopyRect(cl::Rect(0, 0, w, h), FFaces->Canvas(), cl::Bounds(State() * w, 0, w, h));
}

void TCtlSpinButton::StartRepeat() {
  RunTimer(true, static_cast<uint16_t>(FInterval + kFirstRepeatExtraMs));
}

void TCtlSpinButton::StopRepeat() {
  RunTimer(false, FInterval);
}

void TCtlSpinButton::TimerExpired(cl::TObject*) {
  if (ctl::TCtlTimerItem* timer = Timer()) timer->SetInterval(FInterval);
  try {
    RepeatTick();
  } catch (...) {
    if (ctl::TCtlTimerItem* timer = Timer()) timer->SetEnabled(false);
    throw;
  }
}

void TCtlCustomSpinEdit::AfterConstruction() {
  inherited::AfterConstruction();
  FButton = cl::New<TCtlSpinButton>(this);
  TakeButton(FButton);
}

int32_t TCtlCustomSpinEdit::Value() {
  const SpinReading reading = ReadSpinText(Text(), FSuffix, FMinValue);
  if (reading.Text != Text()) SetText(reading.Text);
  return reading.Value;
}

void TCtlCustomSpinEdit::SetValue(int32_t value) {
  SetText(SpinText(value, FMinValue, FMaxValue, FSuffix));
}

void TCtlCustomSpinEdit::SetMinValue(int32_t value) {
  if (value == FMinValue || value >= FMaxValue) return;
  FMinValue = value;
  if (Value() < value) SetValue(value);
}

void TCtlCustomSpinEdit::SetMaxValue(int32_t value) {
  if (value == FMaxValue || value <= FMinValue) return;
  FMaxValue = value;
  if (Value() > value) SetValue(value);
}

void TCtlCustomSpinEdit::SetSuffix(const std::string& suffix) {
  if (suffix == FSuffix) return;
  const int32_t value = Value();
  FSuffix = suffix;
  SetValue(value);
}

void TCtlCustomSpinEdit::UpClick(cl::TObject*) {
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  SetValue(SteppedSpinValue(Value(), FLineSize));
}

void TCtlCustomSpinEdit::DownClick(cl::TObject*) {
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  SetValue(SteppedSpinValue(Value(), -int64_t{FLineSize}));
}

bool TCtlCustomSpinEdit::IsValidChar(char key) {
  return IsValidSpinChar(key, EditorEnabled(), 0);
}

void TCtlCustomSpinEdit::KeyDown(WORD& key, cl::TShiftState shift) {
  if (!ReadOnly() && key == VK_PRIOR) SetValue(SteppedSpinValue(Value(), FPageSize));
  if (!ReadOnly() && key == VK_NEXT) SetValue(SteppedSpinValue(Value(), -int64_t{FPageSize}));
  if (key == VK_UP) UpClick(this);
  if (key == VK_DOWN) DownClick(this);
  inherited::KeyDown(key, shift);
}

void TCtlCustomSpinEdit::MouseWheel(cl::TMessage& message) {
  const int delta = static_cast<short>(HIWORD(message.WParam));
  const int step = WheelStep(delta);
  if (step > 0) UpClick(this);
  if (step < 0) DownClick(this);
  if (FOnMouseWheel) {
    POINT at{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
    ::ScreenToClient(Handle(), &at);
    FOnMouseWheel(this, at.x, at.y, delta / WHEEL_DELTA);
  }
  message.Result = 0;
}

void TCtlCustomSpinEdit::Dispatch(cl::TMessage& message) {
  if (message.Msg == WM_MOUSEWHEEL) {
    MouseWheel(message);
    return;
  }
  inherited::Dispatch(message);
}

void TCtlCustomSpinEdit::ClampOnExit() {
  const int32_t value = Value();
  if (ClampSpinValue(value, FMinValue, FMaxValue) != value) SetValue(value);
}

int TCtlCustomSpinEdit::MinHeightExtra() const {
  return 4 * GetSystemMetrics(SM_CYBORDER);
}

int TCtlCustomSpinEdit::ButtonInset() const {
  return 4 * GetSystemMetrics(SM_CYBORDER);
}

void TCtlSpinEdit::Publish(cl::rtti::Builder& b) {
  b.Prop("Value", cl::rtti::tiInteger, &TCtlCustomSpinEdit::Value, &TCtlCustomSpinEdit::SetValue);
}

}  // namespace viewer
