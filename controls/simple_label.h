// TCtlSimpleLabel: a label drawn with the library's 3-D text, sized to its caption, that can focus a control on its
// accelerator and act as a link that opens a web page, a mail message or a program through the shell.
#pragma once

#include <string>

#include "controls/core/caption_effects.h"
#include "controls/ctl_controls.h"

namespace cl {
class TWinControl;
}

namespace ctl {

class TCtlBaseLabel : public TCtlBaseGraphicControl {
  CL_CLASS(TCtlBaseLabel, TCtlBaseGraphicControl)
 public:
  explicit TCtlBaseLabel(cl::TComponent* owner);

  TCtlAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TCtlAlignment alignment);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool show);
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool multiLine);
  // The control the caption's accelerator focuses; cleared when that control is freed.
  cl::TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(cl::TWinControl* control);

  void Dispatch(cl::TMessage& message) override;

 protected:
  // Fits the bounds to the caption (with AutoSize, not while loading).
  virtual void AdjustSize() {}
  void Loaded() override;
  void Notification(cl::TComponent* component, cl::TOperation operation) override;
  // Sizes and repaints after a change of what the text looks like.
  void TextLookChanged();

 private:
  TCtlAlignment FAlignment = agTopLeft;
  bool FAutoSize = true;
  bool FShowAccelChar = true;
  bool FMultiLine = false;
  cl::TWinControl* FFocusControl = nullptr;
};

enum TCtlJumpModes { jmInternet, jmApplication, jmNone, jmCustom };

class TCtlCustomSimpleLabel : public TCtlBaseLabel {
  CL_CLASS(TCtlCustomSimpleLabel, TCtlBaseLabel)
 public:
  explicit TCtlCustomSimpleLabel(cl::TComponent* owner);
  void BeforeDestruction() override;

  // The caption's 3-D effect; the setter copies. Its changes count as font changes.
  TCtl3DCaption* Font3D() const { return FFont3D; }
  void SetFont3D(const TCtl3DCaption* caption) { FFont3D->Assign(caption); }
  // What a click opens; blank: the caption.
  const std::string& Jump() const { return FJump; }
  void SetJump(const std::string& jump) { FJump = jump; }
  // The font colour once the link was pressed.
  cl::TColor ActiveColor() const { return FActiveColor; }
  void SetActiveColor(cl::TColor color) { FActiveColor = color; }
  // The font colour of a link not yet pressed.
  cl::TColor InActiveColor() const { return FInActiveColor; }
  void SetInActiveColor(cl::TColor color);
  bool JumpUnderline() const { return FJumpUnderline; }
  void SetJumpUnderline(bool underline);
  TCtlJumpModes JumpMode() const { return FJumpMode; }
  void SetJumpMode(TCtlJumpModes mode);
  // How often the link was pressed since its mode was set.
  int Clicks() const { return FClicks; }
  // The stored property "UseAsJump" of older forms, read while loading: the label becomes a web link then, and
  // takes its inactive colour back after each press.
  void ReadUseAsJump(bool useAsJump) { FUseAsJump = useAsJump; }

  void Click() override;

 protected:
  void AdjustSize() override;
  void Paint() override;
  void Loaded() override;
  void MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
  void MouseUp(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;

 private:
  void SetUnderline(bool underline);

  TCtl3DCaption* FFont3D;
  std::string FJump;
  cl::TColor FActiveColor = cl::clPurple;
  cl::TColor FInActiveColor = cl::clBlue;
  bool FJumpUnderline = true;
  TCtlJumpModes FJumpMode = jmNone;
  int FClicks = 0;
  bool FUseAsJump = false;
  bool FPainting = false;
  bool FSizing = false;
};

class TCtlSimpleLabel : public TCtlCustomSimpleLabel {
  CL_CLASS(TCtlSimpleLabel, TCtlCustomSimpleLabel)
 public:
  explicit TCtlSimpleLabel(cl::TComponent* owner) : TCtlCustomSimpleLabel(owner) {}
};

}  // namespace ctl
