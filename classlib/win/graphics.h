// TGraphic: the base of every picture kind (bitmap, icon, metafile, JPEG image, the GIF classes), and the class
// handle through which pictures are made by kind (the picture-format registry, TPicture's Graphic setter).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "classlib/core/events.h"
#include "classlib/core/object.h"
#include "classlib/core/types.h"

namespace cl {

class TCanvas;
class TStream;
class TGraphic;

// How to make a graphic of a given class: its class information and a factory (cl::New of the class).
struct TGraphicClass {
  const TClass* Class = nullptr;
  TGraphic* (*Create)() = nullptr;
  bool operator==(const TGraphicClass& other) const { return Class == other.Class; }
};

template <class T>
TGraphicClass GraphicClassOf() {
  return TGraphicClass{T::StaticClass(), []() -> TGraphic* { return New<T>(); }};
}

// Opens a graphic class: CL_CLASS plus the class handle of the object's own class, so that a copy of a graphic
// is made of the same class (TPicture::SetGraphic).
#define CL_GRAPHIC_CLASS(T, Base)                     \
  CL_CLASS(T, Base)                                   \
 public:                                              \
  ::cl::TGraphicClass GraphicClass() const override { \
    return ::cl::GraphicClassOf<T>();                 \
  }                                                   \
                                                      \
 private:

enum TProgressStage { psStarting, psRunning, psEnding };
using TProgressEvent = Event<void(TObject* Sender, TProgressStage Stage, uint8_t PercentDone, bool RedrawNow,
                                  const TRect& R, const std::string& Msg)>;

class TGraphic : public TPersistent {
  CL_CLASS(TGraphic, TPersistent)
 public:
  virtual TGraphicClass GraphicClass() const = 0;

  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual void SetWidth(int width) = 0;
  virtual int Height() const = 0;
  virtual void SetHeight(int height) = 0;
  virtual HPALETTE Palette() const { return nullptr; }
  virtual void SetPalette(HPALETTE palette) {}
  virtual bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool transparent);
  bool Modified() const { return FModified; }
  void SetModified(bool modified);
  // Set by a graphic whose palette changed, for its viewer to realize the palette again; a plain flag.
  bool PaletteModified() const { return FPaletteModified; }
  void SetPaletteModified(bool modified) { FPaletteModified = modified; }

  // Draws the graphic stretched into rect of canvas; called through TCanvas::Draw and StretchDraw.
  virtual void Draw(TCanvas* canvas, const TRect& rect) = 0;

  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) = 0;
  // A failed load leaves the graphic as it was; a failed save leaves an existing file untouched.
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);
  // Clipboard transfer: the default raises EInvalidGraphic (the kind has no clipboard format).
  virtual void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette);
  virtual void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette);
  // Same class and the same saved bytes.
  virtual bool Equals(TGraphic* other);

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }
  const TProgressEvent& OnProgress() const { return FOnProgress; }
  void SetOnProgress(TProgressEvent handler) { FOnProgress = std::move(handler); }

  // Marks the graphic modified and fires OnChange.
  virtual void Changed(TObject* sender);
  // Fires OnProgress; an EAbort from the handler propagates.
  void Progress(TObject* sender, TProgressStage stage, uint8_t percentDone, bool redrawNow, const TRect& rect,
                const std::string& message);

 private:
  bool FTransparent = false;
  bool FModified = false;
  bool FPaletteModified = false;
  TNotifyEvent FOnChange;
  TProgressEvent FOnProgress;
};

}  // namespace cl
