// The platform-free heart of a GIF image: the header with the logical screen and global colour map, the frame
// list, and the loops that read and write a whole stream. The graphic class of the Win32 side derives from it
// and adds bitmaps, palettes, drawing and animation through the virtual hooks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "image/core/gif_header.h"
#include "image/core/gif_items.h"
#include "image/core/gif_sub_image.h"

namespace img {

enum TGIFProgressStage { gpsStarting, gpsRunning, gpsEnding };

// The frames of an image in file order.
class TGIFImageList : public TGIFList {
  CL_CLASS(TGIFImageList, TGIFList)
 public:
  using TGIFList::TGIFList;
  TGIFSubImageCore* Frames(int index) const { return static_cast<TGIFSubImageCore*>(Items(index)); }
  // Reads blocks up to the trailer: each extension or image descriptor starts a frame; zero bytes between
  // blocks are skipped; any other byte ends the list with a warning.
  void LoadFromStream(cl::TStream& stream, TGIFImageCore* image);
};

class TGIFImageCore {
 public:
  using TWarningEvent = std::function<void(cl::TObject* sender, int severity, const std::string& message)>;

  TGIFImageCore();
  TGIFImageCore(const TGIFImageCore&) = delete;
  TGIFImageCore& operator=(const TGIFImageCore&) = delete;
  // Frees the frames. A derived image calls ClearImage in its own teardown first, so that the frames' hooks
  // never reach a half-destroyed image.
  virtual ~TGIFImageCore();

  TGIFHeader& Header() { return *FHeader; }
  TGIFGlobalColorMap& GlobalColorMap() { return FHeader->ColorMap(); }
  TGIFImageList& Images() { return *FImages; }
  int FrameCount() const { return FImages->Count(); }
  TGIFSubImageCore* Frame(int index) const { return FImages->Frames(index); }
  bool IsEmpty() const { return FImages->Count() == 0; }
  int ScreenWidth() const { return FHeader->Width(); }
  int ScreenHeight() const { return FHeader->Height(); }

  // The highest version any frame demands (frames are scanned until one demands more than "87a"); unknown
  // without frames.
  TGIFVersion Version() const;
  // The largest colour map depth of the global map and every frame's local map.
  int BitsPerPixel() const;
  int ColorResolution() const { return BitsPerPixel() - 1; }

  // Empties the image: no frames, empty global map, screen size 0.
  virtual void ClearImage();
  // Reads a whole stream: header, frames, trailer. A failure leaves what was read before it.
  virtual void LoadFromStream(cl::TStream& stream);
  // Writes header, frames and trailer; raises "Unsupported GIF version" for an image without frames.
  virtual void SaveToStream(cl::TStream& stream);
  // A new empty frame owned by this image (the Win32 side makes frames that carry their bitmaps).
  virtual TGIFSubImageCore* CreateFrame();

  TWarningEvent OnWarning;
  // A recoverable problem; reading goes on.
  virtual void Warning(cl::TObject* sender, int severity, const std::string& message);
  // Long operations report here (sender nullptr: the image itself); the graphic class passes it on to its
  // progress event.
  virtual void Progress(cl::TObject* sender, TGIFProgressStage stage, int percent, const std::string& message) {}
  // The global colour map changed: palettes derived from it are stale.
  virtual void GlobalColorMapChanged() {}

 private:
  TGIFHeader* FHeader;
  TGIFImageList* FImages;
};

}  // namespace img
