// TFont, TPen and TBrush.
#include "classlib/win/graphics_tools.h"

#include <cstring>

#include "classlib/win/bitmap.h"

namespace cl {
namespace {

// Read once: every canvas makes a font, and the screen's resolution does not change while the program runs.
int ScreenPixelsPerInch() {
  static const int pixelsPerInch = [] {
    gdi::WindowDC screen;
    return GetDeviceCaps(screen.Get(), LOGPIXELSY);
  }();
  return pixelsPerInch;
}

bool IsStockObject(HGDIOBJ object) {
  static const int kStock[] = {NULL_BRUSH, NULL_PEN, BLACK_PEN, WHITE_PEN, BLACK_BRUSH, WHITE_BRUSH};
  for (int id : kStock)
    if (GetStockObject(id) == object) return true;
  return false;
}

// Stores value and reports whether it changed.
template <class T>
bool Store(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace

void TGraphicsObject::Changed() {
  FStale = true;
  if (FOnChange) FOnChange(this);
}

HGDIOBJ TGraphicsObject::CurrentHandle() const {
  if (FStale) {
    FOwnedHandle.Reset();
    FStockHandle = nullptr;
    FStale = false;
  }
  if (FOwnedHandle) return FOwnedHandle.Get();
  if (FStockHandle) return FStockHandle;
  HGDIOBJ made = MakeHandle();
  if (IsStockObject(made))
    FStockHandle = made;
  else
    FOwnedHandle.Reset(made);
  return made;
}

TFont::TFont() : FPixelsPerInch(ScreenPixelsPerInch()) {
  FHeight = -MulDiv(8, FPixelsPerInch, 72);
}

void TFont::Assign(const TPersistent* source) {
  if (const auto* font = dynamic_cast<const TFont*>(source)) {
    FName = font->FName;
    FHeight = font->FHeight;
    FColor = font->FColor;
    FStyle = font->FStyle;
    FCharset = font->FCharset;
    FPitch = font->FPitch;
    Changed();
    return;
  }
  inherited::Assign(source);
}

void TFont::SetHandle(HFONT font) {
  LOGFONTA log{};
  if (!GetObjectA(font, sizeof log, &log)) return;
  FName = log.lfFaceName;
  FHeight = log.lfHeight;
  FStyle = TFontStyles{};
  if (log.lfWeight >= FW_BOLD) FStyle.Include(fsBold);
  if (log.lfItalic) FStyle.Include(fsItalic);
  if (log.lfUnderline) FStyle.Include(fsUnderline);
  if (log.lfStrikeOut) FStyle.Include(fsStrikeOut);
  FCharset = log.lfCharSet;
  const int pitch = log.lfPitchAndFamily & 3;
  FPitch = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
  Changed();
}

void TFont::SetName(const std::string& name) {
  if (!name.empty() && Store(FName, name)) Changed();
}

int TFont::Size() const {
  return -MulDiv(FHeight, 72, FPixelsPerInch);
}

void TFont::SetSize(int size) {
  SetHeight(-MulDiv(size, FPixelsPerInch, 72));
}

void TFont::SetHeight(int height) {
  if (Store(FHeight, height)) Changed();
}

void TFont::SetColor(TColor color) {
  if (Store(FColor, color)) Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (Store(FStyle, style)) Changed();
}

void TFont::SetCharset(TFontCharset charset) {
  if (Store(FCharset, charset)) Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
  if (Store(FPitch, pitch)) Changed();
}

HGDIOBJ TFont::MakeHandle() const {
  LOGFONTA log{};
  log.lfHeight = FHeight;
  log.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  log.lfItalic = FStyle.Contains(fsItalic);
  log.lfUnderline = FStyle.Contains(fsUnderline);
  log.lfStrikeOut = FStyle.Contains(fsStrikeOut);
  log.lfCharSet = FCharset;
  log.lfOutPrecision = OUT_DEFAULT_PRECIS;
  log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  log.lfQuality = DEFAULT_QUALITY;
  log.lfPitchAndFamily = FPitch == fpFixed ? FIXED_PITCH : FPitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
  std::strncpy(log.lfFaceName, FName.c_str(), LF_FACESIZE - 1);
  return gdi::Track(gdi::Check(CreateFontIndirectA(&log)));
}

void TPen::Assign(const TPersistent* source) {
  if (const auto* pen = dynamic_cast<const TPen*>(source)) {
    FColor = pen->FColor;
    FWidth = pen->FWidth;
    FStyle = pen->FStyle;
    FMode = pen->FMode;
    Changed();
    return;
  }
  inherited::Assign(source);
}

void TPen::SetColor(TColor color) {
  if (Store(FColor, color)) Changed();
}

void TPen::SetWidth(int width) {
  if (width >= 0 && Store(FWidth, width)) Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (Store(FStyle, style)) Changed();
}

void TPen::SetMode(TPenMode mode) {
  if (Store(FMode, mode)) Changed();
}

HGDIOBJ TPen::MakeHandle() const {
  static const int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
  if (FStyle == psClear) return GetStockObject(NULL_PEN);
  return gdi::Track(gdi::Check(CreatePen(kStyles[FStyle], FWidth, ColorToRGB(FColor) & 0xFFFFFF)));
}

void TBrush::Assign(const TPersistent* source) {
  if (const auto* brush = dynamic_cast<const TBrush*>(source)) {
    FColor = brush->FColor;
    FStyle = brush->FStyle;
    FBitmap = brush->FBitmap;
    Changed();
    return;
  }
  inherited::Assign(source);
}

void TBrush::SetColor(TColor color) {
  if (!Store(FColor, color) && FStyle != bsClear) return;
  if (FStyle == bsClear) FStyle = bsSolid;  // choosing a colour makes a clear brush paint again
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (Store(FStyle, style)) Changed();
}

void TBrush::SetBitmap(TBitmap* bitmap) {
  if (Store(FBitmap, bitmap)) Changed();
}

HGDIOBJ TBrush::MakeHandle() const {
  static const int kHatches[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
  const COLORREF color = ColorToRGB(FColor) & 0xFFFFFF;
  if (FBitmap && !FBitmap->Empty()) return gdi::Track(gdi::Check(CreatePatternBrush(FBitmap->Handle())));
  if (FStyle == bsClear) return GetStockObject(NULL_BRUSH);
  if (FStyle == bsSolid) return gdi::Track(gdi::Check(CreateSolidBrush(color)));
  return gdi::Track(gdi::Check(CreateHatchBrush(kHatches[FStyle], color)));
}

// In the order of the names, as whole-object texts list them.
void TFont::Publish(rtti::Builder& b) {
  b.Prop("Charset", rtti::tiInteger, &TFont::Charset, &TFont::SetCharset);
  b.Prop("Color", rtti::tiColor, &TFont::Color, &TFont::SetColor);
  b.Prop("Height", rtti::tiInteger, &TFont::Height, &TFont::SetHeight);
  b.Prop("Name", rtti::tiString, &TFont::Name, &TFont::SetName);
  b.Prop("Pitch", TFontPitchInfo, &TFont::Pitch, &TFont::SetPitch);
  b.Prop("Size", rtti::tiInteger, &TFont::Size, &TFont::SetSize);
  b.Prop("Style", TFontStylesInfo, &TFont::Style, &TFont::SetStyle);
}

}  // namespace cl
