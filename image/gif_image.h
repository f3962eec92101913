// TGIFImage: the graphic through which both programs read and write GIF files. It holds the whole GIF (the core's
// header, global colour map, frames and extensions), gives a flat bitmap of it, draws it, copies itself to and
// from bitmaps and the clipboard, and is registered with the picture-format registry for "GIF".
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "classlib/core/lists.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/gdi.h"
#include "classlib/win/graphics.h"
#include "image/core/gif_image_core.h"
#include "image/gif_sub_image.h"
#include "image/owned_handles.h"

namespace img {

class TGIFPainter;

// How a GIF image is drawn: one 16-bit word of these bits.
using TGIFDrawOptions = std::uint16_t;
enum : TGIFDrawOptions {
  DrawThreaded = 0x0001,                 // the animation runs in a thread of its own
  DrawTransparent = 0x0002,              // frames are drawn with their transparent colour
  DrawAnimated = 0x0004,                 // more than the first frame is shown
  DrawLooped = 0x0008,                   // the animation repeats
  DrawLoopForever = 0x0010,              // without end, whatever the loop count says
  DrawCheckTarget = 0x0020,              // the animation stops when its target is no display
  DrawOnTarget = 0x0040,                 // the animation draws on the caller's canvas, not into the image's bitmap
  Draw216Palette = 0x0080,               // frames are rendered with the fixed 216-colour palette
  Draw216OnPaletteDisplayOnly = 0x0100,  // ... only when the display shows palettes
};
constexpr TGIFDrawOptions kGIFDefaultDrawOptions = 0x018F;
constexpr std::uint8_t kGIFDefaultThreadPriority = 3;  // normal

class TGIFImage : public cl::TGraphic, public TGIFImageCore {
  CL_GRAPHIC_CLASS(TGIFImage, cl::TGraphic)
 public:
  TGIFImage();
  ~TGIFImage() override;
  void BeforeDestruction() override;

  TGIFSubImage* Frames(int index) const { return static_cast<TGIFSubImage*>(Frame(index)); }
  // No frames, an empty global map, a logical screen of 0 x 0, no palette.
  void Clear() { ClearImage(); }
  // Appends a frame made from a TBitmap, or takes a frame of this image as it is; the logical screen grows to
  // hold it (with warnings). Anything else raises "Object type not supported for operation".
  int Add(cl::TPersistent* source);

  bool Empty() const override { return IsEmpty(); }
  int Width() const override { return ScreenWidth(); }
  int Height() const override { return ScreenHeight(); }
  // A logical screen smaller than a frame's extent raises "Image width (height) too small for contained
  // frames" and changes nothing.
  void SetWidth(int width) override;
  void SetHeight(int height) override;
  // Only this very object.
  bool Equals(cl::TGraphic* other) override { return other == this; }

  // The image's palette: the bitmap's, the cached one, the 216-colour palette, the global map's, or frame 0's;
  // a palette source that asks for it again raises "No global or local color table defined".
  HPALETTE Palette() const override;
  // Takes over palette; another one than the bitmap's frees the bitmap.
  void SetPalette(HPALETTE palette) override;
  // True when frames are rendered with the 216-colour palette.
  bool Uses216Palette() const;

  // The picture of the logical screen with frame 0 on it; none when empty. The same object until FreeBitmap.
  cl::TBitmap* GetBitmap();
  // The same bitmap, made without drawing into it: the buffer an animation draws into.
  cl::TBitmap* GetPaintBuffer();
  void FreeBitmap();

  TGIFDrawOptions DrawOptions() const { return FDrawOptions; }
  // Renderings made under other options are dropped (ResetBitmaps).
  void SetDrawOptions(TGIFDrawOptions options);
  // Drops the cached bitmaps and palettes of the image and its frames. A single frame with only a local colour
  // map hands that map to the global one.
  void ResetBitmaps();
  std::uint8_t ThreadPriority() const { return FThreadPriority; }
  void SetThreadPriority(std::uint8_t priority) { FThreadPriority = priority; }
  // The colour under the frames; clNone: the header's background colour.
  cl::TColor BackgroundColor() const { return FBackgroundColor; }
  void SetBackgroundColor(cl::TColor color) { FBackgroundColor = color; }

  // Frame 0 stretched onto rect for a still picture or without DrawAnimated. An animation is played by a painter,
  // into the image's bitmap (which each Draw then shows; the first Draw waits for the first frame) or with
  // DrawOnTarget straight onto the canvas. A Draw reached from inside Draw does nothing.
  void Draw(cl::TCanvas* canvas, const cl::TRect& rect) override;
  // A painter of the image for rect of canvas, named in slot; none for an empty image or rect. A threaded one is
  // returned for the caller to start; an unthreaded one plays its animation now, is freed, and none is returned.
  TGIFPainter* CreatePainter(TGIFPainter** slot, cl::TCanvas* canvas, const cl::TRect& rect, TGIFDrawOptions options);
  // Stops the painter Draw started; a threaded one is waited for and the bitmap it drew into goes.
  void StopDraw();
  // Stops every painter of the image and waits for the threaded ones to end; the bitmap they draw into goes.
  void StopAllPainters();
  // The painter Draw started, or none.
  TGIFPainter* Painter() const { return FPainter; }
  // Every live painter of the image.
  cl::TThreadList* Painters() const { return FPainters.get(); }
  // Copied into each painter when it is made.
  cl::TNotifyEvent OnStartPaint, OnPaint, OnLoop, OnEndPaint;

  // Reads the rest of the stream ("Loading..." progress); the stream is left behind the GIF.
  void LoadFromStream(cl::TStream& stream) override;
  void SaveToStream(cl::TStream& stream) override { TGIFImageCore::SaveToStream(stream); }
  // The "GIF Image" data when the clipboard holds it, else the given bitmap format.
  void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) override;
  // Hands the bitmap to the caller and puts the GIF on the clipboard (opened by the caller) as "GIF Image".
  void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) override;

  // Another GIF image (frames, header, options and events), a TBitmap (one frame), any other graphic (through a
  // bitmap); anything else raises EConvertError.
  void Assign(const cl::TPersistent* source) override;

  void ClearImage() override;
  TGIFSubImage* CreateFrame() override;
  void Progress(cl::TObject* sender, TGIFProgressStage stage, int percent, const std::string& message) override;
  void GlobalColorMapChanged() override { SetPalette(nullptr); }

 protected:
  // A TBitmap gets GetBitmap; anything else raises EConvertError.
  void AssignTo(cl::TPersistent* dest) const override;

 private:
  void AssignGIF(const TGIFImage& source);
  void DrawAnimation(cl::TCanvas* canvas, const cl::TRect& rect);
  // Stops every painter and waits until the threaded ones have gone, unless a quit message ends the wait.
  void StopPainters();
  void ReportCopying(cl::TProgressStage stage, int percent);
  // A new cached bitmap that reports its changes as the image's, with the palette and size of the screen.
  cl::TBitmap* CreateScreenBitmap();

  Owned<cl::TThreadList> FPainters = MakeOwned<cl::TThreadList>();
  TGIFPainter* FPainter = nullptr;
  bool FDrawing = false;
  mutable bool FPaletteGuard = false;
  mutable cl::gdi::Object<HPALETTE> FPalette;
  TGIFDrawOptions FDrawOptions = kGIFDefaultDrawOptions;
  Owned<cl::TBitmap> FBitmap;
  std::uint8_t FThreadPriority = kGIFDefaultThreadPriority;
  cl::TColor FBackgroundColor = cl::clNone;
};

// The clipboard format "GIF Image" (registered with the system on first use).
UINT GIFClipboardFormat();
// True when the screen showed palettes (8 bits a pixel or fewer) when the GIF classes were registered.
bool GIFPaletteDisplay();
// Registers TGIFImage with the picture-format registry for "GIF" ("GIF Image") and for its clipboard format, and
// notes whether the screen shows palettes. Each program calls it at start, in its order of picture classes.
void RegisterGIFImage();
// Removes those registrations.
void UnregisterGIFImage();

}  // namespace img
