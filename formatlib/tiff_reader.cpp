// Reading TIFF pages into bitmaps. Common layouts (bilevel, gray, palette and RGB in strips) are decoded row by
// row straight into a DIB section of the same depth; everything else libtiff can decode (tiles, planes, 16-bit
// samples, CMYK, YCbCr, transparency, other orientations) goes through its RGBA reader into a 24-bit bitmap, with
// transparent pixels laid over white.
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "formatlib/core/alpha_blend.h"
#include "formatlib/dib_convert.h"
#include "formatlib/file_access.h"
#include "formatlib/tiff_file.h"

namespace fl {
namespace {

struct PageLayout {
  uint32_t width = 0;
  uint32_t height = 0;
  uint16_t bitsPerSample = 1;
  uint16_t samplesPerPixel = 1;
  uint16_t photometric = PHOTOMETRIC_MINISWHITE;
  uint16_t planar = PLANARCONFIG_CONTIG;
  uint16_t orientation = ORIENTATION_TOPLEFT;
  uint16_t alpha = EXTRASAMPLE_UNSPECIFIED;  // what the first extra sample holds
};

bool HasAlpha(const PageLayout& layout) {
  return layout.alpha == EXTRASAMPLE_ASSOCALPHA || layout.alpha == EXTRASAMPLE_UNASSALPHA;
}

PageLayout ReadLayout(TIFF* tiff) {
  PageLayout layout;
  if (!TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &layout.width) ||
      !TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &layout.height)) {
    Fail(kBadTiffData);
  }
  TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &layout.bitsPerSample);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &layout.samplesPerPixel);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &layout.planar);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &layout.orientation);
  uint16_t extraCount = 0;
  uint16_t* extraKinds = nullptr;
  if (TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extraKinds) && extraCount > 0) {
    layout.alpha = extraKinds[0];
  }
  if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &layout.photometric)) {
    layout.photometric = layout.samplesPerPixel >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISWHITE;
  }
  return layout;
}

// The depth a page decodes to directly, or 0 when it needs the RGBA reader.
int DirectDepth(TIFF* tiff, const PageLayout& layout) {
  if (TIFFIsTiled(tiff) || layout.orientation != ORIENTATION_TOPLEFT || HasAlpha(layout)) return 0;
  uint16_t bits = layout.bitsPerSample;
  switch (layout.photometric) {
    case PHOTOMETRIC_MINISWHITE:
    case PHOTOMETRIC_MINISBLACK:
    case PHOTOMETRIC_PALETTE:
      return layout.samplesPerPixel == 1 && (bits == 1 || bits == 4 || bits == 8) ? bits : 0;
    case PHOTOMETRIC_RGB:
      return bits == 8 && layout.samplesPerPixel >= 3 && layout.samplesPerPixel <= 4 &&
                     (layout.planar == PLANARCONFIG_CONTIG || layout.samplesPerPixel == 1)
                 ? 24
                 : 0;
    default:
      return 0;
  }
}

std::vector<RgbQuad> PagePalette(TIFF* tiff, const PageLayout& layout) {
  int entries = 1 << layout.bitsPerSample;
  std::vector<RgbQuad> palette(entries);
  if (layout.photometric == PHOTOMETRIC_PALETTE) {
    uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    if (!TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue)) Fail(kBadTiffData);
    // Some writers store 8-bit values in the 16-bit colour map; take them as they are.
    bool eightBit = true;
    for (int i = 0; i < entries; ++i) eightBit = eightBit && red[i] < 256 && green[i] < 256 && blue[i] < 256;
    int shift = eightBit ? 0 : 8;
    for (int i = 0; i < entries; ++i) {
      palette[i] = MakeRgb(static_cast<uint8_t>(red[i] >> shift), static_cast<uint8_t>(green[i] >> shift),
                           static_cast<uint8_t>(blue[i] >> shift));
    }
    return palette;
  }
  palette = GrayPalette(layout.bitsPerSample);
  if (layout.photometric == PHOTOMETRIC_MINISWHITE) std::reverse(palette.begin(), palette.end());
  return palette;
}

// Decodes row by row straight into the bitmap's rows (libtiff's scan-line reading takes the strips in turn).
HBITMAP ReadRows(TIFF* tiff, const PageLayout& layout, int depth) {
  std::vector<RgbQuad> palette = depth <= 8 ? PagePalette(tiff, layout) : std::vector<RgbQuad>{};
  NewDibSection section(static_cast<int32_t>(layout.width), static_cast<int32_t>(layout.height), depth, palette);
  tmsize_t scanline = TIFFScanlineSize(tiff);
  if (scanline <= 0) Fail(kBadTiffData);
  uint32_t samples = layout.samplesPerPixel;
  // A row fits the bitmap's row as it is but when it carries a fourth sample, which goes through a buffer.
  bool direct = static_cast<size_t>(scanline) <= section.Stride();
  std::vector<uint8_t> buffer(direct ? 0 : static_cast<size_t>(scanline));
  for (uint32_t y = 0; y < layout.height; ++y) {
    uint8_t* target = section.Row(static_cast<int32_t>(y));
    uint8_t* decoded = direct ? target : buffer.data();
    if (TIFFReadScanline(tiff, decoded, y, 0) != 1) Fail(kBadTiffData);
    if (depth <= 8) continue;
    if (direct) {
      for (uint32_t x = 0; x < layout.width; ++x, target += 3) std::swap(target[0], target[2]);
      continue;
    }
    for (uint32_t x = 0; x < layout.width; ++x, decoded += samples, target += 3) {
      target[0] = decoded[2];
      target[1] = decoded[1];
      target[2] = decoded[0];
    }
  }
  return section.Release();
}

// libtiff's RGBA reader multiplies colour pages by their alpha, but hands gray pages over as stored.
bool RgbaIsPremultiplied(const PageLayout& layout) {
  bool gray = layout.photometric == PHOTOMETRIC_MINISBLACK || layout.photometric == PHOTOMETRIC_MINISWHITE;
  return !gray || layout.alpha == EXTRASAMPLE_ASSOCALPHA;
}

HBITMAP ReadRgba(TIFF* tiff, const PageLayout& layout) {
  Check(CheckImageSize(layout.width, layout.height, 32));
  std::vector<uint32_t> raster(static_cast<size_t>(layout.width) * layout.height);
  // Stop at the first strip or tile that does not decode: reading on would give a blank picture and no error.
  constexpr int kStopOnError = 1;
  if (!TIFFReadRGBAImageOriented(tiff, layout.width, layout.height, raster.data(), ORIENTATION_TOPLEFT,
                                 kStopOnError)) {
    Fail(kUnsupportedTiff);
  }
  NewDibSection section(static_cast<int32_t>(layout.width), static_cast<int32_t>(layout.height), 24, {});
  bool alpha = HasAlpha(layout), premultiplied = RgbaIsPremultiplied(layout);
  auto blend = [&](uint32_t channel, uint32_t pixelAlpha, uint8_t background) {
    auto value = static_cast<uint8_t>(channel), opacity = static_cast<uint8_t>(pixelAlpha);
    if (!alpha) return value;
    return premultiplied ? BlendPremultipliedOver(value, opacity, background) : BlendOver(value, opacity, background);
  };
  for (uint32_t y = 0; y < layout.height; ++y) {
    const uint32_t* source = raster.data() + static_cast<size_t>(y) * layout.width;
    uint8_t* target = section.Row(static_cast<int32_t>(y));
    for (uint32_t x = 0; x < layout.width; ++x, target += 3) {
      uint32_t pixelAlpha = TIFFGetA(source[x]);
      target[0] = blend(TIFFGetB(source[x]), pixelAlpha, kDefaultBackground.blue);
      target[1] = blend(TIFFGetG(source[x]), pixelAlpha, kDefaultBackground.green);
      target[2] = blend(TIFFGetR(source[x]), pixelAlpha, kDefaultBackground.red);
    }
  }
  return section.Release();
}

// Stretches a page along its coarser axis so that a fax page at 204 x 98 dpi keeps its proportions.
HBITMAP MakePixelsSquare(TIFF* tiff, HBITMAP page) {
  GdiObject<HBITMAP> original(page);
  float xResolution = 0, yResolution = 0;
  if (!TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &xResolution) ||
      !TIFFGetField(tiff, TIFFTAG_YRESOLUTION, &yResolution) || !(xResolution > 0) || !(yResolution > 0) ||
      xResolution == yResolution) {
    return original.Release();
  }
  DibImage source = DibFromBitmap(page);
  double width = source.width, height = source.height;
  if (xResolution > yResolution) {
    height = height * xResolution / yResolution;
  } else {
    width = width * yResolution / xResolution;
  }
  if (width > kMaxDimension || height > kMaxDimension) Fail(kImageTooLarge);
  NewDibSection section(static_cast<int32_t>(width + 0.5), static_cast<int32_t>(height + 0.5), source.bitCount,
                        source.palette);
  MemoryDc sourceDc, targetDc;
  Selection sourceSelected(sourceDc.Get(), page);
  GdiObject<HBITMAP> stretched(section.Release());
  Selection targetSelected(targetDc.Get(), stretched.Get());
  SetStretchBltMode(targetDc.Get(), COLORONCOLOR);
  if (!StretchBlt(targetDc.Get(), 0, 0, static_cast<int>(width + 0.5), static_cast<int>(height + 0.5), sourceDc.Get(),
                  0, 0, source.width, source.height, SRCCOPY)) {
    Fail(kGdiFailure);
  }
  return stretched.Release();
}

}  // namespace

TiffHandle::TiffHandle(const char* name, const char* mode, ErrorCode error) {
  TIFFSetErrorHandler(nullptr);
  TIFFSetWarningHandler(nullptr);
  tiff_ = name && *name ? TIFFOpen(name, mode) : nullptr;
  if (!tiff_) Fail(error);
}

TiffHandle::~TiffHandle() {
  if (tiff_) TIFFClose(tiff_);
}

bool TiffHandle::Close() {
  bool flushed = TIFFFlush(tiff_) == 1;
  TIFFClose(tiff_);
  tiff_ = nullptr;
  return flushed;
}

int CountTiffPages(const char* name) {
  if (!FileExists(name)) Fail(kCannotOpenFile);
  TiffHandle file(name, "r", kNotTiffFile);
  return TIFFNumberOfDirectories(file.Get());
}

void SelectTiffPage(const TiffHandle& file, int pageIndex) {
  if (pageIndex < 0 || pageIndex >= static_cast<int>(TIFFNumberOfDirectories(file.Get()))) Fail(kBadPageIndex);
  if (!TIFFSetDirectory(file.Get(), static_cast<tdir_t>(pageIndex))) Fail(kBadTiffData);
}

HBITMAP ReadTiffPage(const TiffHandle& file, bool squarePixels) {
  TIFF* tiff = file.Get();
  PageLayout layout = ReadLayout(tiff);
  Check(CheckImageSize(layout.width, layout.height, 24));
  uint16_t compression = COMPRESSION_NONE;
  TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
  if (!TIFFIsCODECConfigured(compression)) Fail(kUnsupportedCompression);
  int depth = DirectDepth(tiff, layout);
  HBITMAP page = depth ? ReadRows(tiff, layout, depth) : ReadRgba(tiff, layout);
  return squarePixels ? MakePixelsSquare(tiff, page) : page;
}

}  // namespace fl
