// TPlusLabel: a label whose caption carries its own markup (Ctrl-B bold, Ctrl-A italic, Ctrl-U underline,
// Ctrl-C highlight, Ctrl-D the alternate font, Ctrl-P a fill line) and that lays out and paints its text itself:
// margins, tab stops, word wrap, full justification, scroll origins and a border.
#pragma once

#include <vector>

#include "classlib/win/stdctrls.h"
#include "controls/core/plus_label_layout.h"

namespace cl {
class TFont;
}

namespace ctl {

enum TPlusBorderStyle { pbNone, pbSingle };

class TPlusLabel : public cl::TLabel {
  CL_CLASS(TPlusLabel, cl::TLabel)
 public:
  explicit TPlusLabel(cl::TComponent* owner);
  void BeforeDestruction() override;

  // The font of text inside Ctrl-D pairs; the setter copies.
  cl::TFont* AltFont() const { return FAltFont; }
  void SetAltFont(const cl::TFont* font);
  TPlusBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TPlusBorderStyle style);
  cl::TColor HighlightColor() const { return FHighlightColor; }
  void SetHighlightColor(cl::TColor color);
  cl::TColor HighlightBackgnd() const { return FHighlightBackgnd; }
  void SetHighlightBackgnd(cl::TColor color);
  // Stretches every line but the last of a paragraph to the margins.
  bool Justified() const { return FJustified; }
  void SetJustified(bool justified);
  int LeftMargin() const { return FLeftMargin; }
  void SetLeftMargin(int margin);
  int RightMargin() const { return FRightMargin; }
  void SetRightMargin(int margin);
  // Tab stops every TabStops space widths.
  int TabStops() const { return FTabStops; }
  void SetTabStops(int stops);
  // Pixels per line; 0 returns to the font's height.
  int LineHeight() const { return FLineHeight; }
  void SetLineHeight(int height);
  // The text is shifted left and up by these.
  int LeftOrigin() const { return FLeftOrigin; }
  void SetLeftOrigin(int origin);
  int TopOrigin() const { return FTopOrigin; }
  void SetTopOrigin(int origin);
  PlusVerticalLayout Layout() const { return FLayout; }
  void SetLayout(PlusVerticalLayout layout);
  // The first "&" marks the next character as the accelerator (drawn underlined) instead of being shown.
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool show);

  int GetLineCount() const { return static_cast<int>(FLines.size()); }
  const PlusLine& Lines(int index) const { return FLines.at(index); }

  void SetBounds(int left, int top, int width, int height) override;
  void SetParent(cl::TWinControl* parent) override;
  void Dispatch(cl::TMessage& message) override;

 protected:
  // Builds the lines from the caption.
  virtual void LayoutText();
  // Sets the bounds from the text (with AutoSize, once the parent has a window).
  void AdjustBounds() override;
  void Paint() override;
  // Called after each change of the caption; nothing here.
  virtual void TextChanged() {}

 private:
  class Fonts;
  class LinePainter;

  bool ParentHasWindow() const;
  // Takes the font's line height, baseline and space width, then lays out and sizes again.
  void MeasureFont();
  // Lays out, sizes and repaints after a change of what the layout depends on.
  void Relayout();
  int BorderWidth() const { return FBorderStyle == pbSingle ? 2 : 0; }
  int AvailableWidth() const;
  uint8_t FontStyleBits() const;

  cl::TFont* FAltFont = nullptr;
  TPlusBorderStyle FBorderStyle = pbNone;
  cl::TColor FHighlightColor = 0;
  cl::TColor FHighlightBackgnd = 0;
  bool FJustified = false;
  int FLeftMargin = 0;
  int FRightMargin = 0;
  int FTabStops = 8;
  int FLineHeight = 0;
  bool FAutoLineHeight = true;
  int FLeftOrigin = 0;
  int FTopOrigin = 0;
  PlusVerticalLayout FLayout = plTop;
  bool FShowAccelChar = true;

  std::vector<PlusLine> FLines;
  int FWidest = 0;
  int FAccelIndex = -1;
  int FBaseline = 0;
  bool FMeasured = false;
  bool FLaidOutAccel = true;
  bool FLaidOutWrap = false;
  bool FSizing = false;  // our own bounds change, which must not lay out again
};

}  // namespace ctl
