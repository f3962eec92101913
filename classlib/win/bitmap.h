// TBitmap: a raster graphic over a GDI bitmap. A new bitmap is device-dependent (pfDevice); a concrete
// PixelFormat, ScanLine and BMP loading make it a DIB section. The bitmap is never read or changed while it is
// selected into its canvas's DC: Handle() takes it out of that DC and the next Canvas()->Handle() puts it back.
#pragma once

#include <windows.h>

#include <memory>

#include "classlib/win/canvas.h"
#include "classlib/win/dib.h"
#include "classlib/win/gdi.h"
#include "classlib/win/graphics.h"

namespace cl {

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TBitmapHandleType { bmDIB, bmDDB };

class TBitmapCanvas;

class TBitmap : public TGraphic {
  CL_GRAPHIC_CLASS(TBitmap, TGraphic)
 public:
  TBitmap();
  ~TBitmap() override;
  void BeforeDestruction() override;

  // A TBitmap is copied at once (pixels, palette, format); other graphics copy themselves in through AssignTo;
  // null empties the bitmap.
  void Assign(const TPersistent* source) override;

  // The bitmap handle, taken out of the canvas's DC first (null when empty).
  HBITMAP Handle();
  bool HandleAllocated() const { return FHandle.Get() != nullptr; }
  // Takes ownership of bitmap and frees the old one.
  void SetHandle(HBITMAP bitmap);
  // Gives the handle to the caller, who deletes it; the bitmap is empty afterwards.
  HBITMAP ReleaseHandle();
  TBitmapHandleType HandleType() const;
  HPALETTE Palette() const override { return FPalette.Get(); }
  // Takes ownership of palette; a DIB section of 8 bits or fewer takes its entries as its colour table.
  void SetPalette(HPALETTE palette) override;
  HPALETTE ReleasePalette();

  bool Empty() const override { return !FHandle; }
  int Width() const override { return FWidth; }
  void SetWidth(int width) override { SetSize(width, FHeight); }
  int Height() const override { return FHeight; }
  void SetHeight(int height) override { SetSize(FWidth, height); }
  // Keeps the content at the top left and fills new area with the canvas brush (white unless changed).
  void SetSize(int width, int height);

  TPixelFormat PixelFormat() const;
  // Converts the pixels; deeper pixels go to 8 bits and fewer through the fixed palettes (nearest colour).
  void SetPixelFormat(TPixelFormat format);
  bool Monochrome() const;
  // True: a 1-bit device-dependent bitmap, the canvas background colour white and everything else black.
  void SetMonochrome(bool monochrome);
  // Row y of a DIB (a device-dependent bitmap becomes pf32bit first); EInvalidGraphic "Scan line index out of
  // range" for a row outside the bitmap.
  void* ScanLine(int row);
  TCanvas* Canvas();
  // The bottom-left pixel.
  TColor TransparentColor();
  // Turns the bitmap into a monochrome mask: white where it has color, black elsewhere.
  void Mask(TColor color);
  // Lets go of the canvas's DC; the pixels stay.
  void Dormant();

  void Draw(TCanvas* canvas, const TRect& rect) override;
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;
  void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) override;
  void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) override;
  void LoadFromResourceName(HINSTANCE instance, const std::string& name);
  void LoadFromResourceID(HINSTANCE instance, int id);

 protected:
  // Replaces the pixels and palette (both taken over); the width and height follow the new bitmap.
  void ReplaceImage(HBITMAP bitmap, HPALETTE palette);

 private:
  friend class TBitmapCanvas;
  struct CanvasOwner {
    void operator()(TObject* canvas) const { canvas->Free(); }
  };
  void FreeContext();
  // A new blank bitmap of this bitmap's kind and colours, filled with the canvas brush colour.
  HBITMAP CreateBlank(int width, int height);

  gdi::Object<HBITMAP> FHandle;
  gdi::Object<HPALETTE> FPalette;
  std::unique_ptr<TBitmapCanvas, CanvasOwner> FCanvas;
  int FWidth = 0;
  int FHeight = 0;
  // Kind of an empty bitmap, used when it gets a size.
  TPixelFormat FPixelFormat = pfDevice;
  bool FMonochrome = false;
};

// The canvas of a bitmap: a memory DC with the bitmap and its palette selected, made on demand.
class TBitmapCanvas : public TCanvas {
  CL_CLASS(TBitmapCanvas, TCanvas)
 public:
  explicit TBitmapCanvas(TBitmap* bitmap) : FBitmap(bitmap) {}
  void BeforeDestruction() override;
  // Takes the bitmap and palette out of the DC and deletes the DC.
  void FreeContext();

 protected:
  void CreateHandle() override;

 private:
  TBitmap* FBitmap;
  HDC FDC = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
  HPALETTE FOldPalette = nullptr;
};

}  // namespace cl
