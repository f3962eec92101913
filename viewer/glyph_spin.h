// TGlyphSpinEdit: an edit for an integer or a decimal number, clamped to a range and stepped by Increment from a
// spin button with two glyphs and by the Up and Down keys. Holding the button steps once, again after 400 ms and
// then every 100 ms.
#pragma once

#include <array>

#include "viewer/core/spin_rules.h"
#include "viewer/spin_edit_base.h"

namespace cl {
class TBitmap;
class TTimer;
}  // namespace cl

namespace viewer {

class TGlyphSpinButton : public TSpinButtonBase {
  CL_CLASS(TGlyphSpinButton, TSpinButtonBase)
 public:
  explicit TGlyphSpinButton(cl::TComponent* owner);
  void BeforeDestruction() override;

  // The glyphs drawn on the halves, with their bottom-left colour transparent; the setters copy, and null loads
  // the program's own ("GSPINUP", "GSPINDOWN") again.
  cl::TBitmap* UpGlyph() const { return FUpGlyph; }
  void SetUpGlyph(const cl::TBitmap* glyph);
  cl::TBitmap* DownGlyph() const { return FDownGlyph; }
  void SetDownGlyph(const cl::TBitmap* glyph);
  // The repeat timer, made at the first press.
  cl::TTimer* RepeatTimer() const { return FRepeatTimer; }

  void Dispatch(cl::TMessage& message) override;

 protected:
  void Paint() override;
  void StartRepeat() override;
  void StopRepeat() override;

 private:
  void SetGlyph(cl::TBitmap* target, const cl::TBitmap* glyph, const char* resource);
  void InvalidateFaces();
  void BuildFaces();
  void DrawFace(cl::TBitmap* face, int pressed);
  void TimerExpired(cl::TObject* sender);

  cl::TBitmap* FUpGlyph = nullptr;
  cl::TBitmap* FDownGlyph = nullptr;
  cl::TTimer* FRepeatTimer = nullptr;
  std::array<cl::TBitmap*, 3> FFaces{};  // normal, top pressed, bottom pressed
  bool FFacesValid = false;
};

enum TGlyphAlignment { gaLeftJustify, gaRightJustify, gaCenter };

class TGlyphSpinEdit : public TSpinEditBase {
  CL_CLASS(TGlyphSpinEdit, TSpinEditBase)
 public:
  explicit TGlyphSpinEdit(cl::TComponent* owner);

  // The number in the text, or MinValue (truncated for integers) when the text is none; the text stays.
  long double Value();
  // Writes the clamped value: fixed with Decimal digits, or rounded to an integer.
  void SetValue(long double value);
  long double MinValue() const { return FMinValue; }
  void SetMinValue(long double value) { FMinValue = value; }
  long double MaxValue() const { return FMaxValue; }
  void SetMaxValue(long double value) { FMaxValue = value; }
  long double Increment() const { return FIncrement; }
  void SetIncrement(long double increment) { FIncrement = increment; }
  TValueType ValueType() const { return FValueType; }
  void SetValueType(TValueType type);
  int Decimal() const { return FDecimal; }
  void SetDecimal(int decimal);
  TGlyphAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TGlyphAlignment alignment);
  TGlyphSpinButton* Button() const { return FButton; }

  bool IsValidChar(char key) override;
  // One step up or down (a beep when read-only); a step that changes the text fires OnChange once.
  void UpClick(cl::TObject* sender) override;
  void DownClick(cl::TObject* sender) override;

 protected:
  void CreateParams(cl::TCreateParams& params) override;
  void KeyDown(WORD& key, cl::TShiftState shift) override;
  void Change() override;
  void ClampOnExit() override;
  int MinHeightExtra() const override;
  int ButtonInset() const override { return 4; }

 private:
  void Step(long double delta);

  TGlyphSpinButton* FButton = nullptr;
  long double FMinValue = 0;
  long double FMaxValue = 0;
  long double FIncrement = 1.0L;
  TValueType FValueType = vtInteger;
  int FDecimal = 2;
  TGlyphAlignment FAlignment = gaLeftJustify;
  bool FChanging = false;
};

}  // namespace viewer
