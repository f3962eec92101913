// Helpers of the image control's tests: scratch files, owned class-library objects, pattern pictures, pixel reads
// and fixture files of every format the control reads, written by the class library and the format library.
#pragma once

#include <windows.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "classlib/win/bitmap.h"
#include "classlib/win/dib.h"
#include "classlib/win/jpeg.h"
#include "classlib/win/metafile.h"
#include "formatlib/formatlib.h"
#include "image/load_image.h"

namespace img::testing {

struct FreeObject {
  void operator()(cl::TObject* object) const { object->Free(); }
};
template <class T>
using Owned = std::unique_ptr<T, FreeObject>;
template <class T, class... Args>
Owned<T> Make(Args&&... args) {
  return Owned<T>(cl::New<T>(std::forward<Args>(args)...));
}

inline std::string ScratchPath(const std::string& name) {
  return std::string(std::getenv("PROJECT_TEST_DIR")) + "\\" + name;
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The colour of the test pattern at (x, y) as 0x00RRGGBB; `seed` makes the pages of a file differ.
inline uint32_t PatternColor(int x, int y, int seed = 0) {
  const uint32_t red = (x * 4 + seed * 50) & 0xFF, green = (y * 4) & 0xFF, blue = ((x + y) * 2 + seed * 20) & 0xFF;
  return red << 16 | green << 8 | blue;
}

// A 24-bit bitmap painted with the pattern.
inline Owned<cl::TBitmap> PatternBitmap(int width, int height, int seed = 0) {
  Owned<cl::TBitmap> bitmap = Make<cl::TBitmap>();
  bitmap->SetPixelFormat(cl::pf24bit);
  bitmap->SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<uint8_t*>(bitmap->ScanLine(y));
    for (int x = 0; x < width; ++x) {
      const uint32_t color = PatternColor(x, y, seed);
      row[3 * x] = color & 0xFF;
      row[3 * x + 1] = (color >> 8) & 0xFF;
      row[3 * x + 2] = (color >> 16) & 0xFF;
    }
  }
  return bitmap;
}

// Every pixel of a bitmap as 0x00RRGGBB, rows from the top.
struct Pixels {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Colors;
  uint32_t At(int x, int y) const { return Colors[static_cast<size_t>(y) * Width + x]; }
};

inline Pixels PixelsOf(cl::TBitmap* bitmap) {
  Pixels pixels;
  if (!bitmap || bitmap->Empty()) return pixels;
  const cl::dib::TDibImage image = cl::dib::Read32(bitmap->Handle(), bitmap->Palette());
  pixels.Width = image.Width;
  pixels.Height = image.Height;
  for (int y = 0; y < image.Height; ++y) {
    const uint8_t* row = image.Bits.data() + image.Stride() * (image.Height - 1 - y);
    for (int x = 0; x < image.Width; ++x)
      pixels.Colors.push_back(row[4 * x + 2] << 16 | row[4 * x + 1] << 8 | row[4 * x]);
  }
  return pixels;
}

// True when every pixel equals the pattern of that seed (shifted by the origin).
inline bool ShowsPattern(const Pixels& pixels, int seed = 0, int originX = 0, int originY = 0) {
  for (int y = 0; y < pixels.Height; ++y) {
    for (int x = 0; x < pixels.Width; ++x) {
      if (pixels.At(x, y) != PatternColor(x + originX, y + originY, seed)) return false;
    }
  }
  return pixels.Width > 0;
}

// Peak signal-to-noise ratio of the pixels against the pattern, over the three channels.
inline double PatternPsnr(const Pixels& pixels) {
  double squares = 0;
  for (int y = 0; y < pixels.Height; ++y) {
    for (int x = 0; x < pixels.Width; ++x) {
      const uint32_t got = pixels.At(x, y), want = PatternColor(x, y);
      for (int shift = 0; shift < 24; shift += 8) {
        const double d = double((got >> shift) & 0xFF) - double((want >> shift) & 0xFF);
        squares += d * d;
      }
    }
  }
  const double mean = squares / (3.0 * pixels.Width * pixels.Height);
  return mean == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mean);
}

// Fixture writers: each writes the pattern of `seed` in one format.
inline void WritePatternBmp(const std::string& path, int width, int height) {
  PatternBitmap(width, height)->SaveToFile(path);
}

inline void WritePatternJpeg(const std::string& path, int width, int height) {
  Owned<cl::TJPEGImage> jpeg = Make<cl::TJPEGImage>();
  jpeg->Assign(PatternBitmap(width, height).get());
  jpeg->SaveToFile(path);
}

inline void WritePatternPng(const std::string& path, int width, int height) {
  HGLOBAL dib = ConvertBitmapToDIB(PatternBitmap(width, height)->Handle(), nullptr);
  WriteGraphicFile(path.c_str(), dib);
  GlobalFree(dib);
}

inline void WritePatternPcx(const std::string& path, int width, int height) {
  DWORD slot = 0;
  SaveBitmapInPCXFormat(path.c_str(), PatternBitmap(width, height)->Handle(), &slot);
}

inline void WritePatternTga(const std::string& path, int width, int height) {
  SaveBitmapInTGAFormat(path.c_str(), PatternBitmap(width, height)->Handle(), nullptr, 1, 0);
}

// Pages with seeds 0, 1, 2, ...
inline void WritePatternTiffPages(const std::string& path, int width, int height, int pages) {
  DeleteFileA(path.c_str());
  for (int page = 0; page < pages; ++page) {
    HGLOBAL dib = ConvertBitmapToDIB(PatternBitmap(width, height, page)->Handle(), nullptr);
    SaveDIBInTiffFormat(path.c_str(), dib, 208, 1);
    GlobalFree(dib);
  }
}

inline void WritePatternDcxPages(const std::string& path, int width, int height, int pages) {
  DWORD slot = 0;
  MakeDCXFile(path.c_str(), &slot);
  for (int page = 0; page < pages; ++page) {
    SaveBitmapInDCXFormat(path.c_str(), PatternBitmap(width, height, page)->Handle(), &slot);
  }
}

// A placeable metafile, written by the class library, of 192 x 96 pixels at 96 dpi: its left half black.
inline void WriteHalfBlackMetafile(const std::string& path) {
  const RECT frame{0, 0, 5080, 2540};  // 0.01 mm
  HDC recorder = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
  SelectObject(recorder, GetStockObject(BLACK_BRUSH));
  SelectObject(recorder, GetStockObject(NULL_PEN));
  Rectangle(recorder, 0, 0, 97, 97);
  Owned<cl::TMetafile> metafile = Make<cl::TMetafile>();
  metafile->SetHandle(CloseEnhMetaFile(recorder));
  metafile->SetEnhanced(false);
  metafile->SaveToFile(path);
}

// The format library's text for an error code.
inline std::string LibraryErrorText(int code) {
  char text[63] = {};
  ImgErrorString(text, code);
  return text;
}

}  // namespace img::testing
