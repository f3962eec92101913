// What the viewer's two spin edits share: an edit for a number with a square spin button at its right end, split
// along its diagonal into an up and a down half. The button fires the pressed half at once and again while held
// (each kind repeats on a timer of its own); the edit filters typed characters, hands Enter and Esc to its form,
// selects all on entry and clamps on exit.
#pragma once

#include "classlib/win/stdctrls.h"

namespace viewer {

// A pen line from (x1, y1) up to (x2, y2).
void SpinLine(cl::TCanvas* canvas, cl::TColor color, int x1, int y1, int x2, int y2);
// What both spin buttons' faces share, for a face of width x height at (left, 0): the button face, its frame and
// diagonal, and each half lit from the top left; the pressed half (1 up, 2 down) with light and shade swapped.
void DrawSpinButtonFrame(cl::TCanvas* canvas, int left, int width, int height, int pressed);

class TSpinButtonBase : public cl::TGraphicControl {
  CL_CLASS(TSpinButtonBase, cl::TGraphicControl)
 public:
  // 0 none, 1 the up half pressed, 2 the down half pressed.
  int State() const { return FState; }

  const cl::TNotifyEvent& OnTopClick() const { return FOnTopClick; }
  void SetOnTopClick(const cl::TNotifyEvent& e) { FOnTopClick = e; }
  const cl::TNotifyEvent& OnBottomClick() const { return FOnBottomClick; }
  void SetOnBottomClick(const cl::TNotifyEvent& e) { FOnBottomClick = e; }

 protected:
  explicit TSpinButtonBase(cl::TComponent* owner);

  void MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
  void MouseMove(cl::TShiftState shift, int x, int y) override;
  void MouseUp(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;

  // The press fired its half: the repeat starts its first wait.
  virtual void StartRepeat() = 0;
  virtual void StopRepeat() = 0;
  // A tick of the repeat: fires the half still pressed while the button holds the mouse.
  void RepeatTick();
  // The shown state changed.
  virtual void StateChanged() { Invalidate(); }
  void SetState(int state);

 private:
  void FireHalf(int half);

  int FState = 0;
  int FPressedHalf = 0;  // the half pressed first, while the button is held
  cl::TNotifyEvent FOnTopClick;
  cl::TNotifyEvent FOnBottomClick;
};

class TSpinEditBase : public cl::TCustomEdit {
  CL_CLASS(TSpinEditBase, cl::TCustomEdit)
 public:
  // Off: nothing can be typed, cut or pasted; the button and keys still step.
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool enabled) { FEditorEnabled = enabled; }
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool autoSelect) { FAutoSelect = autoSelect; }

  virtual bool IsValidChar(char key) = 0;
  virtual void UpClick(cl::TObject* sender) = 0;
  virtual void DownClick(cl::TObject* sender) = 0;

  // The window at the right end that holds the button.
  cl::TWinControl* ButtonWindow() const { return FButtonWindow; }

  void Dispatch(cl::TMessage& message) override;

 protected:
  explicit TSpinEditBase(cl::TComponent* owner);
  // Wires the button's halves to UpClick and DownClick and puts it into the button window.
  void TakeButton(TSpinButtonBase* button);

  void CreateParams(cl::TCreateParams& params) override;
  void CreateWnd() override;
  void KeyPress(char& key) override;

  // Rewrites an out-of-range value as its clamped value when the edit is left.
  virtual void ClampOnExit() = 0;
  // What the border adds to the smallest height, and how much smaller than the edit's height the button is.
  virtual int MinHeightExtra() const = 0;
  virtual int ButtonInset() const = 0;

 private:
  // Grows a low edit to its smallest height, else places the button and the text's formatting rectangle.
  void LayoutButton();

  cl::TWinControl* FButtonWindow = nullptr;
  TSpinButtonBase* FButton = nullptr;
  bool FEditorEnabled = true;
  bool FAutoSelect = true;
};

}  // namespace viewer
