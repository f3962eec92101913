// TMetafile: a vector picture over an enhanced metafile. Reads EMF, placeable WMF and plain WMF files; writes EMF
// when Enhanced, else placeable WMF.
#pragma once

#include <windows.h>

#include "classlib/win/gdi.h"
#include "classlib/win/graphics.h"

namespace cl {

class TMetafile : public TGraphic {
  CL_GRAPHIC_CLASS(TMetafile, TGraphic)
 public:
  ~TMetafile() override;

  void Assign(const TPersistent* source) override;
  HENHMETAFILE Handle() const { return FHandle; }
  // Takes ownership of metafile.
  void SetHandle(HENHMETAFILE metafile);
  HENHMETAFILE ReleaseHandle();

  bool Enhanced() const { return FEnhanced; }
  void SetEnhanced(bool enhanced) { FEnhanced = enhanced; }
  // Size of the picture frame in 0.01 mm, and in screen pixels.
  int MMWidth() const { return FMMWidth; }
  int MMHeight() const { return FMMHeight; }
  bool Empty() const override { return !FHandle; }
  int Width() const override;
  int Height() const override;
  void SetWidth(int width) override;
  void SetHeight(int height) override;
  // A palette made from the metafile's palette records (owned by the metafile; null when it has none).
  HPALETTE Palette() const override { return FPalette.Get(); }

  void Draw(TCanvas* canvas, const TRect& rect) override;
  // EInvalidGraphic "Metafile is not valid" for anything that is no EMF or WMF.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;
  void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) override;
  void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) override;

 private:
  void Reset(HENHMETAFILE metafile);

  HENHMETAFILE FHandle = nullptr;
  gdi::Object<HPALETTE> FPalette;
  bool FEnhanced = true;
  int FMMWidth = 0;
  int FMMHeight = 0;
};

}  // namespace cl
