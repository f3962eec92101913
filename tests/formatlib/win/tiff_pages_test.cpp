// TIFF32 reading pages in layouts our writer never makes, written here with libtiff: JPEG compression (new and old
// style, as scanners and cameras write them) and transparency.
#include <gtest/gtest.h>
#include <tiffio.h>

#include <cstdlib>
#include <functional>

#include "format_test_support.h"
#include "formatlib/core/alpha_blend.h"
#include "formatlib/formatlib.h"

using fltest::Bitmap;
using fltest::ImageOf;

namespace {

constexpr uint32_t kWidth = 32, kHeight = 16;

// Writes one page of `samples` bytes per pixel, all in one strip or in 16x16 tiles; `fields` sets the rest.
void WritePage(const std::string& path, uint16_t samples, const std::vector<uint8_t>& pixels, bool tiled,
               const std::function<void(TIFF*)>& fields) {
  TIFF* tiff = TIFFOpen(path.c_str(), "w");
  ASSERT_TRUE(tiff);
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, kWidth);
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, kHeight);
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, samples);
  TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  fields(tiff);
  if (tiled) {
    TIFFSetField(tiff, TIFFTAG_TILEWIDTH, 16);
    TIFFSetField(tiff, TIFFTAG_TILELENGTH, 16);
    std::vector<uint8_t> tile(16 * 16 * samples);
    for (uint32_t x = 0; x < kWidth; x += 16) {
      for (uint32_t y = 0; y < 16; ++y) {
        std::copy_n(&pixels[(y * kWidth + x) * samples], 16 * samples, &tile[y * 16 * samples]);
      }
      ASSERT_GT(TIFFWriteTile(tiff, tile.data(), x, 0, 0, 0), 0);
    }
  } else {
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, kHeight);
    for (uint32_t y = 0; y < kHeight; ++y) {
      ASSERT_EQ(TIFFWriteScanline(tiff, const_cast<uint8_t*>(&pixels[y * kWidth * samples]), y, 0), 1);
    }
  }
  TIFFClose(tiff);
}

// A smooth colour picture as red, green, blue bytes, top row first: JPEG keeps it close.
std::vector<uint8_t> SmoothRgb() {
  std::vector<uint8_t> rgb;
  for (uint32_t y = 0; y < kHeight; ++y) {
    for (uint32_t x = 0; x < kWidth; ++x) {
      rgb.insert(rgb.end(), {static_cast<uint8_t>(40 + x * 5), static_cast<uint8_t>(200 - y * 8), uint8_t{120}});
    }
  }
  return rgb;
}

int LargestDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  EXPECT_EQ(a.size(), b.size());
  int largest = 0;
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) largest = std::max(largest, std::abs(a[i] - b[i]));
  return largest;
}

void WriteJpegPage(const std::string& path, uint16_t photometric) {
  WritePage(path, 3, SmoothRgb(), false, [&](TIFF* tiff) {
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, photometric);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_JPEG);
    TIFFSetField(tiff, TIFFTAG_JPEGQUALITY, 95);
    TIFFSetField(tiff, TIFFTAG_JPEGTABLESMODE, 0);  // every strip a whole JPEG stream, tables included
    if (photometric == PHOTOMETRIC_YCBCR) TIFFSetField(tiff, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
  });
}

// An old-style JPEG page: the whole JPEG stream of a new-style page as its strip.
void WriteOldStyleJpegPage(const std::string& path) {
  std::string modern = path + ".new.tif";
  WriteJpegPage(modern, PHOTOMETRIC_YCBCR);
  TIFF* source = TIFFOpen(modern.c_str(), "r");
  ASSERT_TRUE(source);
  std::vector<uint8_t> stream(static_cast<size_t>(TIFFRawStripSize(source, 0)));
  ASSERT_GT(TIFFReadRawStrip(source, 0, stream.data(), static_cast<tmsize_t>(stream.size())), 0);
  TIFFClose(source);
  TIFF* tiff = TIFFOpen(path.c_str(), "w");
  ASSERT_TRUE(tiff);
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, kWidth);
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, kHeight);
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_YCBCR);
  TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_OJPEG);
  TIFFSetField(tiff, TIFFTAG_YCBCRSUBSAMPLING, 2, 2);
  TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, kHeight);
  ASSERT_GT(TIFFWriteRawStrip(tiff, 0, stream.data(), static_cast<tmsize_t>(stream.size())), 0);
  TIFFClose(tiff);
}

TEST(TiffPages, JpegCompressedPagesOpen) {
  struct Case {
    const char* name;
    std::function<void(const std::string&)> write;
  };
  const Case cases[] = {
      {"ycbcr.tif", [](const std::string& path) { WriteJpegPage(path, PHOTOMETRIC_YCBCR); }},
      {"rgb-jpeg.tif", [](const std::string& path) { WriteJpegPage(path, PHOTOMETRIC_RGB); }},
      {"old-style.tif", WriteOldStyleJpegPage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = fltest::ScratchPath(c.name);
    c.write(path);
    Bitmap loaded(LoadTiffIntoBitmap(path.c_str(), 0, 0));
    ASSERT_TRUE(loaded) << "error " << TiffError();
    EXPECT_EQ(TiffError(), 0);
    fl::DibImage image = ImageOf(loaded.Get());
    EXPECT_LE(LargestDifference(fltest::RgbPixels(image), SmoothRgb()), 12);
  }
}

TEST(TiffPages, TransparentPixelsLieOverWhite) {
  // Three pixels repeated along each row: transparent black, half-transparent red, opaque blue (straight alpha).
  const uint8_t straight[3][4] = {{0, 0, 0, 0}, {255, 0, 0, 128}, {0, 0, 255, 255}};
  const fl::RgbQuad expected[3] = {fl::MakeRgb(255, 255, 255), fl::MakeRgb(255, 127, 127), fl::MakeRgb(0, 0, 255)};
  struct Case {
    const char* name;
    bool gray, premultiplied, tiled;
  };
  for (const Case& c : {Case{"rgba", false, false, false}, Case{"rgba-premultiplied", false, true, false},
                        Case{"rgba-tiled", false, false, true}, Case{"gray-alpha", true, false, false},
                        Case{"gray-alpha-premultiplied", true, true, false}}) {
    SCOPED_TRACE(c.name);
    uint16_t samples = c.gray ? 2 : 4;
    std::vector<uint8_t> pixels;
    for (uint32_t i = 0; i < kWidth * kHeight; ++i) {
      const uint8_t* p = straight[i % kWidth % 3];
      auto stored = [&](uint8_t value) { return c.premultiplied ? static_cast<uint8_t>(value * p[3] / 255) : value; };
      if (c.gray) {
        pixels.insert(pixels.end(), {stored(p[0]), p[3]});
      } else {
        pixels.insert(pixels.end(), {stored(p[0]), stored(p[1]), stored(p[2]), p[3]});
      }
    }
    std::string path = fltest::ScratchPath(std::string(c.name) + ".tif");
    WritePage(path, samples, pixels, c.tiled, [&](TIFF* tiff) {
      TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, c.gray ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_RGB);
      uint16_t kind = c.premultiplied ? EXTRASAMPLE_ASSOCALPHA : EXTRASAMPLE_UNASSALPHA;
      TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &kind);
    });
    Bitmap loaded(LoadTiffIntoBitmap(path.c_str(), 0, 0));
    ASSERT_TRUE(loaded) << "error " << TiffError();
    fl::DibImage image = ImageOf(loaded.Get());
    for (int32_t x = 0; x < 3; ++x) {
      fl::RgbQuad want = expected[x];
      if (c.gray) want.green = want.blue = want.red;  // gray pages keep the first sample only
      fl::RgbQuad got = image.ColorAt(x, 5);
      EXPECT_LE(std::abs(got.red - want.red) + std::abs(got.green - want.green) + std::abs(got.blue - want.blue), 3)
          << "pixel " << x << ": " << int{got.red} << "," << int{got.green} << "," << int{got.blue};
    }
  }
}

}  // namespace
