// Image lists: containers of bitmaps (TCtlBitmapList) and of image strips (TCtlImageList) with the drawing and
// access operations the library's controls call with an entry index (and, for strips, a frame index), and
// TCtlContainer, which holds one list of each kind.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "classlib/core/types.h"
#include "controls/core/image_strip.h"
#include "controls/bitmap_drawing.h"
#include "controls/ctl_containers.h"

namespace cl {
class TBitmap;
class TCanvas;
}  // namespace cl

namespace ctl {

// The colour depth a bitmap is saved at: its own, 2, 16 or 256 colours.
enum TCtlSavePixelFormat { spfDefault, spfMono, spf4bit, spf8bit };

// How a masked frame is drawn: greyed by a checkerboard (0) or three-in-four dot pattern (1) of a colour, normally,
// on a background colour unless that is clNone (2), or plainly through its mask (3).
enum TCtlDrawStyle { dsGrayChecker, dsGrayDots, dsNormal, dsMasked };

class TCtlBitmapListItem : public TCtlListItem {
  CL_CLASS(TCtlBitmapListItem, TCtlListItem)
 public:
  TCtlBitmapListItem();
  void BeforeDestruction() override;

  // An empty bitmap loads itself first, by the container's storage mode (not while the item is locked or
  // loading); a load that fails raises and leaves the item unlocked and empty.
  cl::TBitmap* Bitmap();
  void SetBitmap(cl::TBitmap* bitmap);
  TCtlSavePixelFormat SaveFormat() const { return FSaveFormat; }
  void SetSaveFormat(TCtlSavePixelFormat format);

  void ClearContent() override;
  bool IsEmpty() override;

 protected:
  TContainerKind Kind() const override { return ckBitmapList; }
  void ReadContent(const TItemRecord& record) override;
  void WriteContent(TItemRecord& record) override;
  void AssignContent(TCtlListItem* source) override;

 private:
  void LoadByStorageMode();

  cl::TBitmap* FBitmap = nullptr;
  TCtlSavePixelFormat FSaveFormat = spfDefault;
};

class TCtlImageListItem : public TCtlListItem {
  CL_CLASS(TCtlImageListItem, TCtlListItem)
 public:
  TCtlImageListItem();
  void BeforeDestruction() override;

  int32_t AllocBy() const { return FAllocBy; }
  void SetAllocBy(int32_t allocBy);
  int32_t Width() const { return FStrip.Width(); }
  void SetWidth(int32_t width) { SetSize(width, FStrip.Height()); }
  int32_t Height() const { return FStrip.Height(); }
  void SetHeight(int32_t height) { SetSize(FStrip.Width(), height); }
  // A new size (0 or less is ignored) empties the strip.
  void SetSize(int32_t width, int32_t height);
  bool Masked() const { return FMasked; }
  // True makes every frame masked, its mask taken from its bottom-left pixel's colour; false drops the masks.
  void SetMasked(bool masked);
  TCtlSavePixelFormat SaveFormat() const { return FSaveFormat; }
  void SetSaveFormat(TCtlSavePixelFormat format);

  int Count() const { return FStrip.Count(); }
  const TImageStrip& Strip() const { return FStrip; }
  cl::TBitmap* Image() const { return FImage; }
  // The monochrome mask strip while Masked (white where transparent).
  cl::TBitmap* Mask() const { return FMask; }
  // Appends the frames of a strip bitmap (its height the frames' height, its width a multiple of theirs). A masked
  // strip takes the given masks, or makes them from each frame's bottom-left pixel. EInvalidGraphicOperation
  // "Invalid image size" or "Too many images" otherwise, the strip unchanged.
  void Append(cl::TBitmap* image, cl::TBitmap* mask);
  void Append(TCtlImageListItem* item) { Append(item->FImage, item->FMasked ? item->FMask : nullptr); }

  // The frame's bottom-left pixel; white for a bad index.
  cl::TColor TransparentColor(int frame);
  void DrawFrame(cl::TCanvas* canvas, int x, int y, int frame, TCtlDrawStyle style, cl::TColor color);

  void ClearContent() override;
  bool IsEmpty() override { return Count() == 0; }

 protected:
  TContainerKind Kind() const override { return ckImageList; }
  void ReadContent(const TItemRecord& record) override;
  void WriteContent(TItemRecord& record) override;
  void AssignContent(TCtlListItem* source) override;

 private:
  // Masks frames first..first + count - 1 by their bottom-left pixel's colour. The frames must be in FStrip.
  void MaskByTransparentColors(int first, int count);
  // Blackens the image where the mask is white, so that the image can be ORed over a masked background.
  void ApplyMask(const cl::TRect& frames);

  TImageStrip FStrip;
  cl::TBitmap* FImage = nullptr;
  cl::TBitmap* FMask = nullptr;
  int32_t FAllocBy = 4;
  bool FMasked = false;
  TCtlSavePixelFormat FSaveFormat = spfDefault;
};

// The drawing and access operations of an image list, for entry n and, in strips, frame f. A bad index draws
// nothing and answers 0, an empty rectangle, or white for colours.
class TCtlCustomImageList : public TCtlCustomContainer {
  CL_CLASS(TCtlCustomImageList, TCtlCustomContainer)
 public:
  explicit TCtlCustomImageList(cl::TComponent* owner) : TCtlCustomContainer(owner) {}

  TCtlSavePixelFormat DefaultPixelFormat() const { return FDefaultPixelFormat; }
  void SetDefaultPixelFormat(TCtlSavePixelFormat format) { FDefaultPixelFormat = format; }

  virtual cl::TCanvas* ImageCanvas(int n) = 0;
  virtual cl::TRect ImageRect(int n, int f) = 0;
  // which: 0 width, 1 height.
  virtual int ImageSize(int n, int which) = 0;
  virtual int ImageCount(int n) = 0;
  virtual bool ImageExists(int n, int f) = 0;
  virtual void CopyImage(int n, int f, cl::TBitmap* bitmap) = 0;
  virtual bool ImageMasked(int n) = 0;
  virtual HPALETTE ImagePalette(int n) = 0;
  virtual cl::TColor ImageTransparentColor(int n, int f) = 0;
  virtual cl::TColor ImagePixel(int n, int f, int x, int y) = 0;
  virtual void DrawImage(cl::TCanvas* canvas, int x, int y, int n, int f) = 0;
  // Into a rectangle under the drawing procedures' flag word.
  virtual void DrawImageRect(cl::TCanvas* canvas, const cl::TRect& rect, int n, int f, TDrawFlags flags) = 0;
  // The same with the colour and packed clip offset the form background passes.
  virtual void DrawImageRectEx(cl::TCanvas* canvas, const cl::TRect& rect, int n, int f, TDrawFlags flags,
                               cl::TColor color, uint32_t offset) = 0;

 protected:
  void AssignSettings(const TCtlCustomContainer* source) override;

 private:
  TCtlSavePixelFormat FDefaultPixelFormat = spfDefault;
};

class TCtlBitmapList : public TCtlCustomImageList {
  CL_CLASS(TCtlBitmapList, TCtlCustomImageList)
 public:
  explicit TCtlBitmapList(cl::TComponent* owner) : TCtlCustomImageList(owner) {}
  TContainerKind Kind() const override { return ckBitmapList; }
  TCtlBitmapListItem* Items(int index) const { return static_cast<TCtlBitmapListItem*>(inherited::Items(index)); }

  cl::TCanvas* ImageCanvas(int n) override;
  cl::TRect ImageRect(int n, int f) override;
  int ImageSize(int n, int which) override;
  int ImageCount(int n) override;
  bool ImageExists(int n, int f) override;
  void CopyImage(int n, int f, cl::TBitmap* bitmap) override;
  bool ImageMasked(int n) override { return false; }
  HPALETTE ImagePalette(int n) override;
  cl::TColor ImageTransparentColor(int n, int f) override;
  cl::TColor ImagePixel(int n, int f, int x, int y) override;
  void DrawImage(cl::TCanvas* canvas, int x, int y, int n, int f) override;
  void DrawImageRect(cl::TCanvas* canvas, const cl::TRect& rect, int n, int f, TDrawFlags flags) override;
  void DrawImageRectEx(cl::TCanvas* canvas, const cl::TRect& rect, int n, int f, TDrawFlags flags, cl::TColor color,
                       uint32_t offset) override;

 protected:
  TCtlListItem* CreateItem() override;

 private:
  // The entry's bitmap, or null for a bad index.
  cl::TBitmap* EntryBitmap(int n);
};

class TCtlImageList : public TCtlCustomImageList {
  CL_CLASS(TCtlImageList, TCtlCustomImageList)
 public:
  explicit TCtlImageList(cl::TComponent* owner) : TCtlCustomImageList(owner) {}
  TContainerKind Kind() const override { return ckImageList; }
  TCtlImageListItem* Items(int index) const { return static_cast<TCtlImageListItem*>(inherited::Items(index)); }

  cl::TCanvas* ImageCanvas(int n) override;
  cl::TRect ImageRect(int n, int f) override;
  int ImageSize(int n, int which) override;
  int ImageCount(int n) override;
  bool ImageExists(int n, int f) override;
  void CopyImage(int n, int f, cl::TBitmap* bitmap) override;
  bool ImageMasked(int n) override;
  HPALETTE ImagePalette(int n) override;
  cl::TColor ImageTransparentColor(int n, int f) override;
  cl::TColor ImagePixel(int n, int f, int x, int y) override;
  void DrawImage(cl::TCanvas* canvas, int x, int y, int n, int f) override;
  void DrawImageRect(cl::TCanvas* canvas, const cl::TRect& rect, int n, int f, TDrawFlags flags) override;
  void DrawImageRectEx(cl::TCanvas* canvas, const cl::TRect& rect, int n, int f, TDrawFlags flags, cl::TColor color,
                       uint32_t offset) override;

 protected:
  TCtlListItem* CreateItem() override;

 private:
  // The entry, or null for a bad index; with a frame index, null also when the entry has no such frame.
  TCtlImageListItem* Entry(int n);
  TCtlImageListItem* EntryFrame(int n, int f);
};

// One list of each kind; their change notifications become the container's.
class TCtlContainer : public TCtlComponent {
  CL_CLASS(TCtlContainer, TCtlComponent)
 public:
  explicit TCtlContainer(cl::TComponent* owner);

  TCtlBitmapList* BitmapList() const { return FBitmapList; }
  TCtlImageList* ImageList() const { return FImageList; }
  TCtlWaveList* WaveList() const { return FWaveList; }
  TCtlStringList* StringList() const { return FStringList; }

 private:
  TCtlBitmapList* FBitmapList;
  TCtlImageList* FImageList;
  TCtlWaveList* FWaveList;
  TCtlStringList* FStringList;
};

// Replaces the bitmap by the one a BMP file image holds (none: empties it); the bitmap stays as it was when the
// image is malformed (EInvalidGraphic).
void LoadBitmapFromFileImage(cl::TBitmap* bitmap, const std::vector<uint8_t>& image);

// The library's global container, made on first use and freed when the class library finishes.
TCtlContainer* GlobalContainer();

}  // namespace ctl
