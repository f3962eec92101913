// IMAGE32: bitmaps and packed DIBs converted into each other, their palettes, the transforms (pixel work in the
// core), metafile and text loading, and the error texts of every module.
#include <algorithm>
#include <cstring>
#include <vector>

#include "formatlib/core/dib_geometry.h"
#include "formatlib/core/dib_orientation.h"
#include "formatlib/core/dib_tone.h"
#include "formatlib/dib_convert.h"
#include "formatlib/formatlib.h"
#include "formatlib/module_errors.h"
#include "formatlib/picture_loaders.h"

namespace fl {
namespace {

constexpr int kErrorBufferSize = 63;
constexpr int kToneLimit = 100;

// A new DIB made by `transform` (DibImage -> DibImage) from the given one.
template <class Transform>
HGLOBAL TransformDib(HGLOBAL dib, Transform&& transform) {
  return Guarded<HGLOBAL>(Module::kImage, nullptr, [&] { return PackedFromDib(transform(DibFromPacked(dib))); });
}

// Changes the bitmap itself by `change` (DibImage&), which keeps its size.
template <class Change>
int ChangeBitmapInPlace(HBITMAP bitmap, Change&& change) {
  return Guarded<int>(Module::kImage, 0, [&] {
    DibImage image = DibFromBitmap(bitmap);
    change(image);
    StoreDibInBitmap(image, bitmap);
    return 1;
  });
}

// A new bitmap made by `transform` (DibImage -> DibImage) from the given one, which is left as it is.
template <class Transform>
HBITMAP TransformBitmap(HBITMAP bitmap, Transform&& transform) {
  return Guarded<HBITMAP>(Module::kImage, nullptr, [&] { return BitmapFromDib(transform(DibFromBitmap(bitmap))); });
}

// A core transform of the form (source, result) -> ErrorCode as a function source -> result that throws its error.
template <class Transform>
auto Made(Transform transform) {
  return [transform](const DibImage& source) {
    DibImage result;
    Check(transform(source, result));
    return result;
  };
}

// A core change in place (DibImage&) as a function that returns the changed copy.
template <class Change>
auto Changed(Change change) {
  return [change](DibImage image) {
    change(image);
    return image;
  };
}

RgbQuad ColorOf(COLORREF color) {
  return MakeRgb(GetRValue(color), GetGValue(color), GetBValue(color));
}

using AngleTransform = ErrorCode (*)(const DibImage&, double, RgbQuad, DibImage&, PixelPoint*);

HGLOBAL TransformByAngle(AngleTransform transform, HGLOBAL dib, int degrees, int background, POINT* origin,
                         POINT* size) {
  if (origin) *origin = {0, 0};
  if (size) *size = {0, 0};
  return TransformDib(dib, [&](const DibImage& source) {
    DibImage result;
    PixelPoint sourceOrigin;
    Check(transform(source, degrees, ColorOf(static_cast<COLORREF>(background)), result, &sourceOrigin));
    if (origin) *origin = {sourceOrigin.x, sourceOrigin.y};
    if (size) *size = {result.width, result.height};
    return result;
  });
}

}  // namespace
}  // namespace fl

using fl::DibImage;
using fl::Guarded;
using fl::Module;

HGLOBAL ConvertBitmapToDIB(HBITMAP bitmap, HPALETTE palette) {
  return Guarded<HGLOBAL>(Module::kImage, nullptr, [&] { return fl::PackedFromBitmap(bitmap, palette); });
}

HBITMAP ConvertDIBToBitmap(HGLOBAL dib) {
  return Guarded<HBITMAP>(Module::kImage, nullptr, [&] { return fl::BitmapFromPacked(dib); });
}

HPALETTE CreateDIBPalette(HGLOBAL dib) {
  return Guarded<HPALETTE>(Module::kImage, nullptr, [&] {
    const std::vector<fl::RgbQuad> colors = fl::PaletteOfPacked(dib);
    HPALETTE palette = nullptr;
    if (colors.empty()) {
      // A true-colour picture gets the halftone palette, which covers the colour cube evenly.
      HDC screen = GetDC(nullptr);
      palette = CreateHalftonePalette(screen);
      ReleaseDC(nullptr, screen);
    } else {
      std::vector<uint8_t> storage(sizeof(LOGPALETTE) + colors.size() * sizeof(PALETTEENTRY));
      auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
      logical->palVersion = 0x300;
      logical->palNumEntries = static_cast<WORD>(colors.size());
      for (size_t i = 0; i < colors.size(); ++i) {
        logical->palPalEntry[i] = {colors[i].red, colors[i].green, colors[i].blue, 0};
      }
      palette = CreatePalette(logical);
    }
    if (!palette) fl::Fail(fl::kGdiFailure);
    return palette;
  });
}

HGLOBAL RotateDIB(HGLOBAL dib, int degrees, int background, POINT* origin, POINT* size) {
  return fl::TransformByAngle(fl::RotateByAngle, dib, degrees, background, origin, size);
}

HGLOBAL SkewDIB(HGLOBAL dib, int degrees, int background, POINT* origin, POINT* size) {
  return fl::TransformByAngle(fl::Skew, dib, degrees, background, origin, size);
}

HGLOBAL RotateDIB90(HGLOBAL dib) {
  return fl::TransformDib(dib, fl::Made(fl::Rotate90));
}

HGLOBAL RotateDIB180(HGLOBAL dib) {
  return fl::TransformDib(dib, fl::Changed(fl::Rotate180));
}

HGLOBAL RotateDIB270(HGLOBAL dib) {
  return fl::TransformDib(dib, fl::Made(fl::Rotate270));
}

HGLOBAL FlipDIBHorizontal(HGLOBAL dib) {
  return fl::TransformDib(dib, fl::Changed(fl::FlipHorizontal));
}

HBITMAP RotateBitmap90(HBITMAP bitmap) {
  return fl::TransformBitmap(bitmap, fl::Made(fl::Rotate90));
}

HBITMAP RotateBitmap270(HBITMAP bitmap) {
  return fl::TransformBitmap(bitmap, fl::Made(fl::Rotate270));
}

int RotateBitmap180(HBITMAP bitmap) {
  return fl::ChangeBitmapInPlace(bitmap, fl::Rotate180);
}

int FlipBitmapHorizontal(HBITMAP bitmap) {
  return fl::ChangeBitmapInPlace(bitmap, fl::FlipHorizontal);
}

int FlipBitmapVertical(HBITMAP bitmap) {
  return fl::ChangeBitmapInPlace(bitmap, fl::FlipVertical);
}

int InvertBitmap(HBITMAP bitmap) {
  return fl::ChangeBitmapInPlace(bitmap, fl::Invert);
}

HGLOBAL ColorBrightnessContrast(HGLOBAL dib, int brightness, int contrast) {
  return fl::TransformDib(dib, [&](DibImage image) {
    fl::Check(fl::AdjustBrightnessContrastInPlace(image, std::clamp(brightness, -fl::kToneLimit, fl::kToneLimit),
                                                  std::clamp(contrast, -fl::kToneLimit, fl::kToneLimit)));
    return image;
  });
}

HBITMAP ConvertToMonochromeBitmap(HBITMAP bitmap) {
  return fl::TransformBitmap(bitmap, fl::Made(fl::ConvertToMonochrome));
}

HGLOBAL ConvMonoDIBtoGrayscale(HGLOBAL dib, int unused) {
  return fl::TransformDib(dib, fl::Made(fl::ConvertToGrayscale));
}

HBITMAP LoadMetaFileIntoBitmap(const char* fileName) {
  return Guarded<HBITMAP>(Module::kImage, nullptr, [&] { return fl::RenderMetafile(fileName); });
}

HBITMAP LoadASCIIFile(const char* fileName, int fixedPitch) {
  return Guarded<HBITMAP>(Module::kImage, nullptr, [&] { return fl::RenderTextFile(fileName, fixedPitch != 0); });
}

int ImgError() {
  return fl::ModuleError(Module::kImage);
}

int ImgErrorString(char* buffer, int code) {
  if (!buffer) return 0;
  fl::CopyErrorText(code, buffer, fl::kErrorBufferSize);
  return static_cast<int>(std::strlen(buffer));
}
