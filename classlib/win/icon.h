// TIcon: an icon graphic over an HICON, read from and written to .ico files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "classlib/win/graphics.h"

namespace cl {

class TIcon : public TGraphic {
  CL_GRAPHIC_CLASS(TIcon, TGraphic)
 public:
  ~TIcon() override;

  void Assign(const TPersistent* source) override;
  // The icon handle (null when empty); the icon keeps ownership.
  HICON Handle() const { return FHandle; }
  // Takes ownership of icon and destroys the old one.
  void SetHandle(HICON icon);
  // Gives the handle to the caller, who destroys it.
  HICON ReleaseHandle();

  bool Empty() const override { return !FHandle; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  // An icon's size is fixed: EInvalidGraphicOperation.
  void SetWidth(int width) override;
  void SetHeight(int height) override;

  void Draw(TCanvas* canvas, const TRect& rect) override;
  // Reads the first image of an .ico file; EInvalidGraphic "Icon image is not valid" for a malformed one.
  void LoadFromStream(TStream& stream) override;
  // Writes the bytes read when the icon came from a file, else a one-image .ico of the handle.
  void SaveToStream(TStream& stream) override;

 private:
  void Reset(HICON icon, std::vector<uint8_t> fileBytes);

  HICON FHandle = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  std::vector<uint8_t> FFileBytes;
};

}  // namespace cl
