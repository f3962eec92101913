// The settings of the library's 3-D text (engraved, embossed and shadowed captions, rotation and position, the
// layout of a glyph beside a text) and the arithmetic of drawing and measuring such text: the passes each style
// draws, the colour and style a disabled caption takes, the depth an effect adds, the DrawText formats of labels,
// the box that holds rotated text, and where a link label jumps to.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/core/colors.h"
#include "controls/core/ctl_objects.h"
#include "controls/core/draw_placement.h"

namespace ctl {

enum TCtlTextArrange { taLeft, taRight, taTop, taBottom };
enum TCtlDisabledStyle { dsAuto, dsStandard, ds3d, dsNone };
enum TCtlThreeDStyle {
  tdNone,
  tdSunken,
  tdRaised,
  tdSunkenShadow,
  tdRaisedShadow,
  tdPColorSunken,
  tdPColorRaised,
  tdShadow
};

class TCtlGlyphTextLayout : public TCtlObject {
  CL_CLASS(TCtlGlyphTextLayout, TCtlObject)
 public:
  TCtlAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TCtlAlignment alignment);
  TCtlTextArrange AlignText2Glyph() const { return FAlignText2Glyph; }
  void SetAlignText2Glyph(TCtlTextArrange arrange);
  int OffsetX() const { return FOffsetX; }
  void SetOffsetX(int offset);
  int OffsetY() const { return FOffsetY; }
  void SetOffsetY(int offset);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int spacing);

  void Assign(const cl::TPersistent* source) override;

 private:
  TCtlAlignment FAlignment = agTopLeft;
  TCtlTextArrange FAlignText2Glyph = taRight;
  int FOffsetX = 0;
  int FOffsetY = 0;
  int FSpacing = 2;
};

class TCtl3DCaption : public TCtlObject {
  CL_CLASS(TCtl3DCaption, TCtlObject)
 public:
  TCtlDisabledStyle DisabledStyle() const { return FDisabledStyle; }
  void SetDisabledStyle(TCtlDisabledStyle style);
  uint8_t LightDepth() const { return FLightDepth; }
  void SetLightDepth(uint8_t depth);
  uint8_t ShadowDepth() const { return FShadowDepth; }
  void SetShadowDepth(uint8_t depth);
  cl::TColor LightColor() const { return FLightColor; }
  void SetLightColor(cl::TColor color);
  cl::TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(cl::TColor color);
  TCtlThreeDStyle Style() const { return FStyle; }
  void SetStyle(TCtlThreeDStyle style);
  // Extra pixels between characters.
  int Tracing() const { return FTracing; }
  void SetTracing(int tracing);

  // From a caption of the same class (or a descendant): every setting, then one notification.
  void Assign(const cl::TPersistent* source) override;

 protected:
  // Copies the settings of this class; descendants add theirs.
  virtual void AssignFields(const TCtl3DCaption& source);

 private:
  TCtlDisabledStyle FDisabledStyle = dsAuto;
  uint8_t FLightDepth = 1;
  uint8_t FShadowDepth = 1;
  cl::TColor FLightColor = cl::clBtnHighlight;
  cl::TColor FShadowColor = cl::clBtnShadow;
  TCtlThreeDStyle FStyle = tdNone;
  int FTracing = 0;
};

// A 3-D caption that can be rotated (Angle in degrees, 0 to 359) and moved by PosX, PosY.
class TCtlFxCaption : public TCtl3DCaption {
  CL_CLASS(TCtlFxCaption, TCtl3DCaption)
 public:
  uint16_t Angle() const { return FAngle; }
  // A full turn or more keeps what is left over (360 stores 0).
  void SetAngle(uint16_t angle);
  int16_t PosX() const { return FPosX; }
  void SetPosX(int16_t x);
  int16_t PosY() const { return FPosY; }
  void SetPosY(int16_t y);
  // Both coordinates, with one notification.
  void SetPos(int16_t x, int16_t y);

 protected:
  void AssignFields(const TCtl3DCaption& source) override;

 private:
  uint16_t FAngle = 0;
  int16_t FPosX = 0;
  int16_t FPosY = 0;
};

// The colours a 3-D text pass is drawn in.
enum TText3DColor { tcText, tcLight, tcShadow };

// One pass: the text drawn in a colour with the rectangle moved right and down by Offset.
struct TText3DPass {
  int Offset = 0;
  TText3DColor Color = tcText;
  bool operator==(const TText3DPass&) const = default;
};

// The passes of a style in drawing order, and how far the rectangle's right edge is first pulled in so that the
// moved passes stay inside it.
struct TText3DPlan {
  int RightPullIn = 0;
  std::vector<TText3DPass> Passes;
  bool operator==(const TText3DPlan&) const = default;
};

TText3DPlan Text3DPlan(TCtlThreeDStyle style, int lightDepth, int shadowDepth);

// The pixels a style adds to the text's width and height: the light depth for sunken and raised, both depths for
// the shadowed and parent-colour styles, the shadow depth for tdShadow.
int Text3DDepth(TCtlThreeDStyle style, int lightDepth, int shadowDepth);

// The state bits of DrawText3D.
constexpr int dtsEnabled = 2;     // drawn enabled, else disabled
constexpr int dtsAutoSunken = 4;  // a disabled dsAuto caption shows sunken
constexpr int dtsClip = 8;        // clip to the clip rectangle (or the text rectangle)

// The style and text colour a caption is drawn with in a state.
struct TText3DLook {
  TCtlThreeDStyle Style = tdNone;
  cl::TColor TextColor = cl::clBlack;
  bool operator==(const TText3DLook&) const = default;
};

// Enabled (or with dsNone): the font's colour, the brush colour for the parent-colour styles. Disabled:
// clGrayText, sunken for ds3d and for dsAuto with dtsAutoSunken, otherwise in the caption's own style.
TText3DLook Text3DLook(TCtlThreeDStyle style, TCtlDisabledStyle disabledStyle, int state, cl::TColor fontColor,
                       cl::TColor brushColor);

// The DrawText format a label measures its caption with, and the one it paints with.
uint32_t MeasureTextFormat(bool multiLine, bool showAccel);
uint32_t LabelPaintFormat(TCtlAlignment alignment, bool multiLine, bool showAccel);
// The text measured for a caption: an empty one (or a lone "&" shown as an accelerator) measures as one blank.
std::string MeasuredText(std::string_view text, bool showAccel);

// The box a text of width x height with an effect of depth pixels takes when rotated by angle degrees, and the
// position to draw it at so that the rotated text and its passes fall on the box's centre.
struct TRotatedTextBox {
  int Width = 0;
  int Height = 0;
  int PosX = 0;
  int PosY = 0;
  bool operator==(const TRotatedTextBox&) const = default;
};
TRotatedTextBox RotatedTextBox(int width, int height, int angle, int depth);

// Where a link label opens: Jump when not blank (trimmed), else the caption; for a web link a caption holding an
// "@" becomes a mail address.
std::string JumpTarget(std::string_view jump, std::string_view caption, bool webLink);

}  // namespace ctl
