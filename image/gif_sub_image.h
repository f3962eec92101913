// A frame of a TGIFImage as the Win32 side sees it: the frame model of the core plus what showing and making
// frames needs: the rendered bitmap, the transparency mask and the palette it caches, drawing at the frame's place,
// and import from bitmaps through a device-independent copy.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/win/bitmap.h"
#include "classlib/win/canvas.h"
#include "classlib/win/gdi.h"
#include "image/core/gif_sub_image.h"
#include "image/owned_handles.h"

namespace img {

class TGIFImage;

class TGIFSubImage : public TGIFSubImageCore {
  CL_CLASS(TGIFSubImage, TGIFSubImageCore)
 public:
  explicit TGIFSubImage(TGIFImage* image);
  ~TGIFSubImage() override;

  TGIFImage* GIFImage() const { return FGIFImage; }

  // The cached rendering, rendered on first use ("Rendering..." progress); none for an empty frame. A progress
  // handler's EAbort leaves no cached bitmap, and the next call tries again.
  cl::TBitmap* GetBitmap();
  bool HasBitmap() const { return FBitmap != nullptr; }
  // Renders the frame into a new 8-bit bitmap with the frame's palette, or with the 216-colour palette by error
  // diffusion; either also builds the transparency mask while one is wanted.
  Owned<cl::TBitmap> RenderPlain();
  Owned<cl::TBitmap> RenderDithered();
  // The monochrome mask of the frame's transparent pixels (set bits), or null: made only when a pixel is
  // transparent.
  HBITMAP Mask() const { return FMask.Get(); }
  // Renders again when the mask is still wanted for a transparent frame; true when the frame has a mask.
  bool MaskReady();

  // The palette the frame is shown with: the cached bitmap's, the cached one, else a new one (the 216-colour
  // palette when the image asks for it, else the local map's); with neither, the image's own. Owned by whoever
  // made it: callers copy it.
  HPALETTE GetPalette();
  // Takes over palette (null: none). Another palette than the cached bitmap's frees that bitmap and tells the
  // image that its palette changed.
  void SetPalette(HPALETTE palette);

  void FreeDIB();
  void FreeBitmap();
  // Drops the cached bitmap; a given bitmap then becomes the frame's picture (Assign).
  void SetBitmap(cl::TBitmap* source);
  // Deletes the mask; the next rendering builds it again.
  void FreeMask();
  // A new empty cached bitmap in place of the old one.
  void CreateEmptyBitmap();

  // Where the frame lies when the logical screen is stretched onto rect.
  cl::TRect ScaleRect(const cl::TRect& rect) const;
  // The frame at its place in rect: StretchDraw of ScaleRect(rect).
  void Draw(cl::TCanvas* canvas, const cl::TRect& rect, bool transparent);
  // The frame stretched onto rect; through its mask when transparent is asked for and the frame has one.
  void StretchDraw(cl::TCanvas* canvas, const cl::TRect& rect, bool transparent);

  // Another frame (copied through its stream form, with its cached bitmap) or a TBitmap (imported: colour
  // indexes and a local colour map, "Converting..." progress); anything else raises EConvertError.
  void Assign(const cl::TPersistent* source) override;
  // The frame's DIB copy of bitmap at its own depth (1, 4, 8 or 24 bits; 8 for others).
  void CreateDIBFromBitmap(cl::TBitmap* bitmap);
  // The first byte of a row (from the top) of that DIB copy.
  std::uint8_t* GetDIBScanLine(int row);

 protected:
  // A TBitmap gets the frame's rendering; anything else raises EConvertError.
  void AssignTo(cl::TPersistent* dest) const override;
  void FreeCaches() override;
  void ColorMapChanged() override;

 private:
  struct GlobalBlock {
    void operator()(void* block) const;
  };
  // Progress to the owning image: stage, percent and the message, with this frame as sender.
  void Report(cl::TProgressStage stage, int percent, const std::string& message);
  // The starting and ending reports around body; the ending one says 0 % when body raises.
  void ReportStages(const std::string& message, const std::function<void()>& body);
  // A new 8-bit bitmap of the frame's size with a copy of GetPalette.
  Owned<cl::TBitmap> CreateRenderTarget();
  // That bitmap, each row made by renderRow (indices, scan line, mask row or null, transparent index), which says
  // whether it set a mask bit; "Rendering..." progress.
  template <class RenderRow>
  Owned<cl::TBitmap> RenderRows(RenderRow renderRow);
  // Builds the mask as the rows come (when it is wanted at all) and makes the mask bitmap at the end.
  class MaskBuilder;

  void AssignFrame(const TGIFSubImageCore& source);
  void AssignBitmap(cl::TBitmap* source);
  // A bitmap of 15 bits or more becomes 8 bits, keeping its colours exactly when it has no more than 256.
  void ReduceCachedBitmapTo8Bits();
  void ImportPaletteRows(int bitsPerPixel);
  void ImportTrueColor();

  TGIFImage* FGIFImage;
  std::vector<std::uint8_t> FDIBHeader;  // BITMAPINFO with its colour table, during an import
  std::unique_ptr<void, GlobalBlock> FDIBBits;
  std::uint8_t* FDIBPixels = nullptr;  // FDIBBits locked
  Owned<cl::TBitmap> FBitmap;
  cl::gdi::Object<HBITMAP> FMask;
  bool FMaskWanted = true;
  cl::gdi::Object<HPALETTE> FPalette;
};

}  // namespace img
