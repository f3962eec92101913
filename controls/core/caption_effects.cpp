#include "controls/core/caption_effects.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "classlib/core/string_utils.h"

namespace ctl {
namespace {

template <class T>
void Store(TCtlObject& object, T& field, T value) {
  if (field == value) return;
  field = value;
  object.Changed();
}

// DrawText flags named where the label formats are built.
constexpr uint32_t kWordBreak = 0x10;
constexpr uint32_t kSingleLine = 0x20;
constexpr uint32_t kExpandTabs = 0x40;
constexpr uint32_t kCalcRect = 0x400;
constexpr uint32_t kNoPrefix = 0x800;

// DrawText's alignment flags for each TCtlAlignment (left/centre/right with top, vertical centre, bottom).
constexpr uint32_t kAlignmentFormats[] = {0, 1, 2, 4, 5, 6, 8, 9, 10};

// Ceiling that ignores the rounding noise of sine and cosine at right angles.
int CeilPixels(double value) {
  return static_cast<int>(std::ceil(value - 1e-9));
}

}  // namespace

void TCtlGlyphTextLayout::SetAlignment(TCtlAlignment alignment) {
  Store(*this, FAlignment, alignment);
}

void TCtlGlyphTextLayout::SetAlignText2Glyph(TCtlTextArrange arrange) {
  Store(*this, FAlignText2Glyph, arrange);
}

void TCtlGlyphTextLayout::SetOffsetX(int offset) {
  Store(*this, FOffsetX, offset);
}

void TCtlGlyphTextLayout::SetOffsetY(int offset) {
  Store(*this, FOffsetY, offset);
}

void TCtlGlyphTextLayout::SetSpacing(int spacing) {
  Store(*this, FSpacing, spacing);
}

void TCtlGlyphTextLayout::Assign(const cl::TPersistent* source) {
  const auto* other = dynamic_cast<const TCtlGlyphTextLayout*>(source);
  if (!other) {
    inherited::Assign(source);
    return;
  }
  FAlignment = other->FAlignment;
  FAlignText2Glyph = other->FAlignText2Glyph;
  FOffsetX = other->FOffsetX;
  FOffsetY = other->FOffsetY;
  FSpacing = other->FSpacing;
  Changed();
}

void TCtl3DCaption::SetDisabledStyle(TCtlDisabledStyle style) {
  Store(*this, FDisabledStyle, style);
}

void TCtl3DCaption::SetLightDepth(uint8_t depth) {
  Store(*this, FLightDepth, depth);
}

void TCtl3DCaption::SetShadowDepth(uint8_t depth) {
  Store(*this, FShadowDepth, depth);
}

void TCtl3DCaption::SetLightColor(cl::TColor color) {
  Store(*this, FLightColor, color);
}

void TCtl3DCaption::SetShadowColor(cl::TColor color) {
  Store(*this, FShadowColor, color);
}

void TCtl3DCaption::SetStyle(TCtlThreeDStyle style) {
  Store(*this, FStyle, style);
}

void TCtl3DCaption::SetTracing(int tracing) {
  Store(*this, FTracing, tracing);
}

void TCtl3DCaption::Assign(const cl::TPersistent* source) {
  const auto* other = dynamic_cast<const TCtl3DCaption*>(source);
  if (!other) {
    inherited::Assign(source);
    return;
  }
  AssignFields(*other);
  Changed();
}

void TCtl3DCaption::AssignFields(const TCtl3DCaption& source) {
  FDisabledStyle = source.FDisabledStyle;
  FLightDepth = source.FLightDepth;
  FShadowDepth = source.FShadowDepth;
  FLightColor = source.FLightColor;
  FShadowColor = source.FShadowColor;
  FStyle = source.FStyle;
  FTracing = source.FTracing;
}

void TCtlFxCaption::SetAngle(uint16_t angle) {
  Store(*this, FAngle, static_cast<uint16_t>(angle % 360));
}

void TCtlFxCaption::SetPosX(int16_t x) {
  Store(*this, FPosX, x);
}

void TCtlFxCaption::SetPosY(int16_t y) {
  Store(*this, FPosY, y);
}

void TCtlFxCaption::SetPos(int16_t x, int16_t y) {
  if (x == FPosX && y == FPosY) return;
  FPosX = x;
  FPosY = y;
  Changed();
}

void TCtlFxCaption::AssignFields(const TCtl3DCaption& source) {
  inherited::AssignFields(source);
  if (const auto* fx = dynamic_cast<const TCtlFxCaption*>(&source)) {
    FAngle = fx->FAngle;
    FPosX = fx->FPosX;
    FPosY = fx->FPosY;
  }
}

TText3DPlan Text3DPlan(TCtlThreeDStyle style, int lightDepth, int shadowDepth) {
  const int l = lightDepth, s = shadowDepth;
  switch (style) {
    case tdSunken:
      return {l, {{l, tcLight}, {0, tcText}}};
    case tdRaised:
      return {l, {{0, tcLight}, {l, tcText}}};
    case tdSunkenShadow:
    case tdPColorSunken:
      return {l + s, {{0, tcShadow}, {l + s, tcLight}, {s, tcText}}};
    case tdRaisedShadow:
    case tdPColorRaised:
      return {l + s, {{l + s, tcShadow}, {0, tcLight}, {l, tcText}}};
    case tdShadow:
      return {s, {{s, tcShadow}, {0, tcText}}};
    case tdNone:
      break;
  }
  return {0, {{0, tcText}}};
}

int Text3DDepth(TCtlThreeDStyle style, int lightDepth, int shadowDepth) {
  return Text3DPlan(style, lightDepth, shadowDepth).RightPullIn;
}

TText3DLook Text3DLook(TCtlThreeDStyle style, TCtlDisabledStyle disabledStyle, int state, cl::TColor fontColor,
                       cl::TColor brushColor) {
  if ((state & dtsEnabled) || disabledStyle == dsNone) {
    const bool parentColor = style == tdPColorSunken || style == tdPColorRaised;
    return {style, parentColor ? brushColor : fontColor};
  }
  const bool sunken = disabledStyle == ds3d || (disabledStyle == dsAuto && (state & dtsAutoSunken));
  return {sunken ? tdSunken : style, cl::clGrayText};
}

uint32_t MeasureTextFormat(bool multiLine, bool showAccel) {
  return kCalcRect | kExpandTabs | (multiLine ? kWordBreak : 0) | (showAccel ? 0 : kNoPrefix);
}

uint32_t LabelPaintFormat(TCtlAlignment alignment, bool multiLine, bool showAccel) {
  return kAlignmentFormats[alignment] | kWordBreak | kExpandTabs | (multiLine ? 0 : kSingleLine) |
         (showAccel ? 0 : kNoPrefix);
}

std::string MeasuredText(std::string_view text, bool showAccel) {
  if (text.empty() || (showAccel && text == "&")) return " ";
  return std::string(text);
}

TRotatedTextBox RotatedTextBox(int width, int height, int angle, int depth) {
  const double radians = angle * std::numbers::pi / 180;
  const double cosine = std::cos(radians), sine = std::sin(radians);
  TRotatedTextBox box;
  box.Width = CeilPixels(width * std::fabs(cosine) + height * std::fabs(sine)) + depth;
  box.Height = CeilPixels(width * std::fabs(sine) + height * std::fabs(cosine)) + depth;
  // The text is drawn from its rotated top-left corner; its centre lies half a width along the baseline (up and to
  // the right for positive angles) and half a height across it.
  const int halfWidth = width / 2, halfHeight = height / 2;
  const int shift = std::max(0, depth / 2 - 1);  // the passes reach depth further right and down
  box.PosX = box.Width / 2 - static_cast<int>(std::lround(halfWidth * cosine + halfHeight * sine)) - shift;
  box.PosY = box.Height / 2 - static_cast<int>(std::lround(halfHeight * cosine - halfWidth * sine)) - shift;
  return box;
}

std::string JumpTarget(std::string_view jump, std::string_view caption, bool webLink) {
  std::string target = cl::Trim(jump);
  if (!target.empty()) return target;
  if (webLink && caption.find('@') != std::string_view::npos) return "mailto:" + std::string(caption);
  return std::string(caption);
}

}  // namespace ctl
