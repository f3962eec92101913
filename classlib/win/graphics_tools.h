// The drawing tools of a canvas: TFont, TPen and TBrush. Each owns the GDI object it makes from its properties,
// made on first use of Handle() and made again after a change; OnChange fires once per change.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/core/events.h"
#include "classlib/core/object.h"
#include "classlib/core/rtti.h"
#include "classlib/core/set.h"
#include "classlib/win/colors.h"
#include "classlib/win/gdi.h"

namespace cl {

class TBitmap;

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = Set<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
CL_ENUM_INFO(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
inline constexpr rtti::TTypeInfo TFontStylesInfo = rtti::SetInfo(TFontStyleInfo, "TFontStyles");
CL_ENUM_INFO(TFontPitch, fpDefault, fpVariable, fpFixed)
using TFontCharset = uint8_t;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// Raster operations of SetROP2, in its order (pmBlack = R2_BLACK ... pmWhite = R2_WHITE).
enum TPenMode {
  pmBlack,
  pmNotMerge,
  pmMaskNotPen,
  pmNotCopy,
  pmMaskPenNot,
  pmNot,
  pmXor,
  pmNotMask,
  pmMask,
  pmNotXor,
  pmNop,
  pmMergeNotPen,
  pmCopy,
  pmMergePenNot,
  pmMerge,
  pmWhite
};
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

// Base of the tools: the change notification and the lazily made handle.
class TGraphicsObject : public TPersistent {
  CL_CLASS(TGraphicsObject, TPersistent)
 public:
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }

 protected:
  // Marks the made handle stale and fires OnChange; the stale handle is deleted on the next use of the handle,
  // after the canvas that had it selected has put it out of its DC (in its OnChange handler).
  void Changed();
  // The handle of the current properties, made by MakeHandle when missing.
  HGDIOBJ CurrentHandle() const;
  // A new counted object, or a stock object (not owned) where the properties ask for none (a clear brush).
  virtual HGDIOBJ MakeHandle() const = 0;

 private:
  TNotifyEvent FOnChange;
  mutable gdi::Object<HGDIOBJ> FOwnedHandle;
  mutable HGDIOBJ FStockHandle = nullptr;
  mutable bool FStale = false;
};

class TFont : public TGraphicsObject {
  CL_PUBLISHED_CLASS(TFont, TGraphicsObject)
 public:
  TFont();

  void Assign(const TPersistent* source) override;

  HFONT Handle() const { return static_cast<HFONT>(CurrentHandle()); }
  // Takes over the look of a font handle (ANSI_VAR_FONT, a control's font) by reading its LOGFONT back; the
  // handle itself stays with its owner.
  void SetHandle(HFONT font);

  const std::string& Name() const { return FName; }
  void SetName(const std::string& name);
  // Points; Height is the cell height in pixels, negative for character height (-Size * PixelsPerInch / 72).
  int Size() const;
  void SetSize(int size);
  int Height() const { return FHeight; }
  void SetHeight(int height);
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles style);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset charset);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch pitch);
  int PixelsPerInch() const { return FPixelsPerInch; }

 protected:
  HGDIOBJ MakeHandle() const override;

 private:
  std::string FName = "MS Sans Serif";
  int FHeight;
  TColor FColor = clWindowText;
  TFontStyles FStyle;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
  int FPixelsPerInch;
};

class TPen : public TGraphicsObject {
  CL_CLASS(TPen, TGraphicsObject)
 public:
  void Assign(const TPersistent* source) override;

  HPEN Handle() const { return static_cast<HPEN>(CurrentHandle()); }
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  int Width() const { return FWidth; }
  void SetWidth(int width);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle style);
  // Applied by the canvas (SetROP2), not part of the pen object.
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode mode);

 protected:
  HGDIOBJ MakeHandle() const override;

 private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

class TBrush : public TGraphicsObject {
  CL_CLASS(TBrush, TGraphicsObject)
 public:
  void Assign(const TPersistent* source) override;

  HBRUSH Handle() const { return static_cast<HBRUSH>(CurrentHandle()); }
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle style);
  // A pattern bitmap (not owned; the caller keeps it alive while the brush uses it). Null clears it.
  TBitmap* Bitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* bitmap);

 protected:
  HGDIOBJ MakeHandle() const override;

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  TBitmap* FBitmap = nullptr;
};

}  // namespace cl
