// Writing a DibImage as a TIFF page: a new file, or a page added at the end of an existing TIFF file. The work is
// done on a scratch copy that replaces the file only when libtiff has written everything.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "formatlib/file_access.h"
#include "formatlib/module_errors.h"
#include "formatlib/tiff_file.h"

namespace fl {
namespace {

constexpr float kDotsPerInch = 96;

// The compression code that replaces "best lossless" (codes other than those below) and CCITT codes on deep pages.
uint16_t ChooseCompression(int code, bool bilevel) {
  switch (code) {
    case COMPRESSION_NONE:
    case COMPRESSION_LZW:
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_PACKBITS:
      return static_cast<uint16_t>(code);
    case COMPRESSION_CCITTRLE:
    case COMPRESSION_CCITTFAX3:
    case COMPRESSION_CCITTFAX4:
      return bilevel ? static_cast<uint16_t>(code) : COMPRESSION_LZW;
    default:
      return bilevel ? COMPRESSION_CCITTFAX4 : COMPRESSION_LZW;
  }
}

bool IsGrayRamp(const DibImage& image) {
  return image.palette == GrayPalette(image.bitCount);
}

bool IsInverseGrayRamp(const DibImage& image) {
  std::vector<RgbQuad> inverse = GrayPalette(image.bitCount);
  std::reverse(inverse.begin(), inverse.end());
  return image.palette == inverse;
}

uint16_t ChoosePhotometric(const DibImage& image) {
  if (!image.HasPalette()) return PHOTOMETRIC_RGB;
  if (IsGrayRamp(image)) return PHOTOMETRIC_MINISBLACK;
  if (IsInverseGrayRamp(image)) return PHOTOMETRIC_MINISWHITE;
  return PHOTOMETRIC_PALETTE;
}

void SetColorMap(TIFF* tiff, const DibImage& image) {
  size_t entries = size_t{1} << image.bitCount;
  std::vector<uint16_t> red(entries), green(entries), blue(entries);
  for (size_t i = 0; i < entries && i < image.palette.size(); ++i) {
    red[i] = static_cast<uint16_t>(image.palette[i].red * 257);
    green[i] = static_cast<uint16_t>(image.palette[i].green * 257);
    blue[i] = static_cast<uint16_t>(image.palette[i].blue * 257);
  }
  TIFFSetField(tiff, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
}

void WritePage(TIFF* tiff, const DibImage& image, int compressionCode) {
  uint16_t photometric = ChoosePhotometric(image);
  bool bilevel = image.bitCount == 1 && photometric != PHOTOMETRIC_PALETTE;
  uint16_t compression = ChooseCompression(compressionCode, bilevel);
  bool rgb = !image.HasPalette();
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(image.width));
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(image.height));
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, static_cast<uint16_t>(rgb ? 8 : image.bitCount));
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, static_cast<uint16_t>(rgb ? 3 : 1));
  TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, photometric);
  TIFFSetField(tiff, TIFFTAG_COMPRESSION, compression);
  TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
  TIFFSetField(tiff, TIFFTAG_XRESOLUTION, kDotsPerInch);
  TIFFSetField(tiff, TIFFTAG_YRESOLUTION, kDotsPerInch);
  if ((compression == COMPRESSION_LZW || compression == COMPRESSION_ADOBE_DEFLATE) && image.bitCount >= 8 &&
      photometric != PHOTOMETRIC_PALETTE) {
    TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
  }
  if (photometric == PHOTOMETRIC_PALETTE) SetColorMap(tiff, image);
  TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));

  size_t rowBytes =
      rgb ? static_cast<size_t>(image.width) * 3 : (static_cast<size_t>(image.width) * image.bitCount + 7) / 8;
  std::vector<uint8_t> row(rowBytes);
  int sourceBytes = image.bitCount / 8;
  for (int32_t y = 0; y < image.height; ++y) {
    const uint8_t* source = image.Row(y);
    if (rgb) {
      for (int32_t x = 0; x < image.width; ++x, source += sourceBytes) {
        row[3 * x] = source[2];
        row[3 * x + 1] = source[1];
        row[3 * x + 2] = source[0];
      }
    } else {
      std::copy_n(source, rowBytes, row.begin());
    }
    if (TIFFWriteScanline(tiff, row.data(), static_cast<uint32_t>(y), 0) != 1) Fail(kCannotWriteFile);
  }
  if (!TIFFWriteDirectory(tiff)) Fail(kCannotWriteFile);
}

}  // namespace

void WriteTiffPage(const char* name, const DibImage& image, int compression) {
  bool append = FileExists(name);
  if (append) {
    // Refuse to append to something that is not a TIFF file rather than damage it.
    TiffHandle existing(name, "r", kNotTiffFile);
  }
  ScratchFile scratch(name);
  if (append && !CopyFileA(name, scratch.Name(), FALSE)) Fail(kCannotWriteFile);
  TiffHandle file(scratch.Name(), append ? "a" : "w", kCannotWriteFile);
  WritePage(file.Get(), image, compression);
  if (!file.Close()) Fail(kCannotWriteFile);
  scratch.MoveOverTarget();
}

}  // namespace fl
