// TCanvas: drawing on a device context with a font, a pen and a brush that are selected lazily and stay selected.
// The DC comes from a subclass (CreateHandle: a bitmap's memory DC, a control's DC) or is adopted with SetHandle.
// Every primitive fires Changing before and Changed after it draws.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "classlib/core/events.h"
#include "classlib/core/object.h"
#include "classlib/core/types.h"
#include "classlib/win/graphics_tools.h"

namespace cl {

class TGraphic;
class TBitmap;

// Copy modes (raster operations of BitBlt).
constexpr int cmSrcCopy = SRCCOPY;
constexpr int cmSrcPaint = SRCPAINT;
constexpr int cmSrcAnd = SRCAND;
constexpr int cmSrcInvert = SRCINVERT;
constexpr int cmNotSrcCopy = NOTSRCCOPY;
constexpr int cmMergePaint = MERGEPAINT;
constexpr int cmBlackness = BLACKNESS;
constexpr int cmWhiteness = WHITENESS;
constexpr int cmDstInvert = DSTINVERT;
constexpr int cmPatCopy = PATCOPY;

class TCanvas : public TPersistent {
  CL_CLASS(TCanvas, TPersistent)
 public:
  TCanvas();
  ~TCanvas() override;
  void BeforeDestruction() override;

  // The DC, made by CreateHandle when none is set; EInvalidOperation when the canvas has none to give.
  HDC Handle();
  // Adopts a DC owned elsewhere (null lets go of it after putting its original objects back).
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* font) { FFont->Assign(font); }
  TPen* Pen() const { return FPen.get(); }
  void SetPen(const TPen* pen) { FPen->Assign(pen); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(const TBrush* brush) { FBrush->Assign(brush); }

  TPoint PenPos();
  void SetPenPos(TPoint point) { MoveTo(point.X, point.Y); }
  int CopyMode() const { return FCopyMode; }
  void SetCopyMode(int mode) { FCopyMode = mode; }
  TRect ClipRect();
  TColor Pixels(int x, int y);
  void SetPixels(int x, int y, TColor color);
  // Origin of the canvas in device coordinates (a graphic control's canvas is moved into its parent's DC).
  TPoint DeviceOrigin() const { return FDeviceOrigin; }

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
  void Ellipse(int x1, int y1, int x2, int y2);
  void Polygon(const TPoint* points, int count);
  void Polyline(const TPoint* points, int count);
  void FillRect(const TRect& rect);
  void FrameRect(const TRect& rect);
  void TextOut(int x, int y, const std::string& text);
  // Text clipped to rect, drawn at (x, y).
  void TextRect(const TRect& rect, int x, int y, const std::string& text);
  // Text laid out in rect by DrawText's format (DT_ flags), in the canvas font, over the brush unless it is clear;
  // with DT_CALCRECT rect receives the text's extent and nothing is drawn. Returns the text's height.
  int TextRect(TRect& rect, const std::string& text, UINT format);
  SIZE TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }
  // Draw and StretchDraw of a null graphic do nothing.
  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const TRect& rect, TGraphic* graphic);
  // Copies source of canvas into dest of this canvas with CopyMode.
  void CopyRect(const TRect& dest, TCanvas* canvas, const TRect& source);
  // Copies source of bitmap into dest, painting the pixels of color with the brush (two blits, no MaskBlt).
  void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color);

  // Serialises drawing from several threads.
  void Lock();
  void Unlock();

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }
  const TNotifyEvent& OnChanging() const { return FOnChanging; }
  void SetOnChanging(TNotifyEvent handler) { FOnChanging = std::move(handler); }
  // Raw GDI drawing on Handle() calls these around itself, so that the owner (a bitmap, an image) learns of it.
  virtual void Changing();
  virtual void Changed();

 protected:
  // Gives the canvas its DC through SetHandle; the base has none.
  virtual void CreateHandle() {}
  // Puts the DC's original objects back (the tools may then change or die).
  void DeselectHandles();
  void SetDeviceOrigin(TPoint origin) { FDeviceOrigin = origin; }

 private:
  struct ToolOwner {
    void operator()(TObject* tool) const { tool->Free(); }
  };
  enum Tool { kFont = 1, kPen = 2, kBrush = 4 };
  // Selects the tools named in tools that are not selected yet.
  HDC RequireTools(int tools);
  void ToolChanged(Tool tool);

  HDC FHandle = nullptr;
  std::unique_ptr<TFont, ToolOwner> FFont;
  std::unique_ptr<TPen, ToolOwner> FPen;
  std::unique_ptr<TBrush, ToolOwner> FBrush;
  int FSelected = 0;
  HGDIOBJ FOriginalFont = nullptr, FOriginalPen = nullptr, FOriginalBrush = nullptr;
  int FCopyMode = cmSrcCopy;
  TPoint FDeviceOrigin;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnChanging;
  CRITICAL_SECTION FLock;
};

}  // namespace cl
