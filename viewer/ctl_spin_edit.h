// TCtlSpinEdit: an edit for an integer with an optional suffix ("12%"), clamped to a range and stepped by its spin
// button, the arrow and page keys and the mouse wheel. The button repeats through one of the application object's
// timer slots while it is held: once at the press, again after Interval + 200 ms, then every Interval ms.
#pragma once

#include <cstdint>
#include <string>

#include "viewer/spin_edit_base.h"

namespace cl {
class TBitmap;
}  // namespace cl

namespace ctl {
class TCtlTimerItem;
}  // namespace ctl

namespace viewer {

// The button's states: none, the up half pressed, the down half pressed, disabled.
constexpr int kSpinDisabled = 3;

// Draws an arrow of size 2..15 (nothing otherwise) with its top-left at (x, y): in color, or when not enabled
// greyed over a light copy one pixel right and down.
void DrawArrow(cl::TCanvas* canvas, int x, int y, bool enabled, bool down, cl::TColor color, int size);

class TCtlSpinButton : public TSpinButtonBase {
  CL_CLASS(TCtlSpinButton, TSpinButtonBase)
 public:
  explicit TCtlSpinButton(cl::TComponent* owner);
  // Takes a timer slot of the application object; none free (or no application object) raises EOutOfResources
  // "Not enough timers available". The slot ticks only while the button is held.
  void AfterConstruction() override;
  void BeforeDestruction() override;

  // The repeat interval in ms once the first, longer wait is over.
  uint16_t Interval() const { return FInterval; }
  void SetInterval(uint16_t interval) { FInterval = interval; }
  // The identifier of the button's timer slot.
  uint16_t TimerIdent() const { return FTimerIdent; }
  // The timer of the slot, or null once the application object is gone.
  ctl::TCtlTimerItem* Timer() const;

  void Dispatch(cl::TMessage& message) override;

 protected:
  void Paint() override;
  void StartRepeat() override;
  void StopRepeat() override;

 private:
  // The four faces side by side, one button wide each, redrawn when the button's size changed.
  void BuildFaces();
  void TimerExpired(cl::TObject* sender);
  // Starts or stops the slot, and with it the pool's tick when no other timer needs it.
  void RunTimer(bool run, uint16_t interval);

  cl::TBitmap* FFaces = nullptr;
  uint16_t FTimerIdent = 0;
  uint16_t FInterval = 100;
};

// The mouse position in client coordinates and the whole notches the wheel turned (negative: towards the user).
using TCtlMouseWheelEvent = cl::Event<void(cl::TObject* Sender, int X, int Y, int Notches)>;

class TCtlCustomSpinEdit : public TSpinEditBase {
  CL_CLASS(TCtlCustomSpinEdit, TSpinEditBase)
 public:
  explicit TCtlCustomSpinEdit(cl::TComponent* owner) : TSpinEditBase(owner) {}
  // Makes the button: without a free timer slot the edit is not made either.
  void AfterConstruction() override;

  // The number in the text; the text is rewritten in its normal form, and text that is no number reads (and then
  // shows) MinValue.
  int32_t Value();
  // Shows the clamped value followed by the suffix.
  void SetValue(int32_t value);
  int32_t MinValue() const { return FMinValue; }
  // Taken only below MaxValue; a value below it is raised.
  void SetMinValue(int32_t value);
  int32_t MaxValue() const { return FMaxValue; }
  // Taken only above MinValue; a value above it is lowered.
  void SetMaxValue(int32_t value);
  int32_t LineSize() const { return FLineSize; }
  void SetLineSize(int32_t size) { FLineSize = size; }
  int32_t PageSize() const { return FPageSize; }
  void SetPageSize(int32_t size) { FPageSize = size; }
  uint16_t Interval() const { return FButton->Interval(); }
  void SetInterval(uint16_t interval) { FButton->SetInterval(interval); }
  const std::string& Suffix() const { return FSuffix; }
  void SetSuffix(const std::string& suffix);
  const TCtlMouseWheelEvent& OnMouseWheel() const { return FOnMouseWheel; }
  void SetOnMouseWheel(const TCtlMouseWheelEvent& e) { FOnMouseWheel = e; }
  TCtlSpinButton* Button() const { return FButton; }

  // One step down or up by LineSize; a beep when read-only.
  void DownClick(cl::TObject* sender) override;
  bool IsValidChar(char key) override;
  void UpClick(cl::TObject* sender) override;

  void Dispatch(cl::TMessage& message) override;

 protected:
  void KeyDown(WORD& key, cl::TShiftState shift) override;
  void ClampOnExit() override;
  int MinHeightExtra() const override;
  int ButtonInset() const override;

 private:
  void MouseWheel(cl::TMessage& message);

  TCtlSpinButton* FButton = nullptr;
  int32_t FMinValue = 0;
  int32_t FMaxValue = 100;
  int32_t FLineSize = 1;
  int32_t FPageSize = 10;
  std::string FSuffix;
  TCtlMouseWheelEvent FOnMouseWheel;
};

// Value is published, so that a form's settings list can keep it.
class TCtlSpinEdit : public TCtlCustomSpinEdit {
  CL_PUBLISHED_CLASS(TCtlSpinEdit, TCtlCustomSpinEdit)
 public:
  explicit TCtlSpinEdit(cl::TComponent* owner) : TCtlCustomSpinEdit(owner) {}
};

}  // namespace viewer
