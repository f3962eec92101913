// Reading speed of ReadGraphicFile and LoadTiffIntoBitmap against libpng's and libtiff's own decoding of the same
// files into memory, measured side by side in one run (alternating, fastest and median of several reads). The files are
// written by the library itself from photograph-like test pictures (smooth gradients with grain) of 3000 x 2000 pixels.
#include <windows.h>

#include <png.h>
#include <tiffio.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "formatlib/core/dib_image.h"
#include "formatlib/dib_convert.h"
#include "formatlib/file_access.h"
#include "formatlib/formatlib.h"

namespace {

constexpr int kWidth = 3000;
constexpr int kHeight = 2000;
constexpr int kRounds = 25;

double NowMilliseconds() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

fl::DibImage TestPicture(int bitCount) {
  fl::DibImage image;
  fl::CreateDibImage(kWidth, kHeight, bitCount, image);
  if (bitCount <= 8) image.palette = fl::GrayPalette(bitCount);
  uint32_t grain = 1;
  for (int32_t y = 0; y < kHeight; ++y) {
    for (int32_t x = 0; x < kWidth; ++x) {
      grain = grain * 1664525 + 1013904223;
      int noise = static_cast<int>(grain >> 29) - 4;
      auto channel = [&](int value) { return static_cast<uint8_t>(std::clamp(value + noise, 0, 255)); };
      int red = x * 255 / kWidth, green = y * 255 / kHeight, blue = (x + y) % 256;
      if (bitCount == 1) {
        image.SetIndexAt(x, y, ((x / 40 + y / 60) % 3 == 0) ? 0 : 1);
      } else if (bitCount == 8) {
        image.SetIndexAt(x, y, channel((red + green) / 2));
      } else {
        image.SetColorAt(x, y, fl::MakeRgb(channel(red), channel(green), channel(blue)));
      }
    }
  }
  return image;
}

[[noreturn]] void OnPngError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}

struct MemoryInput {
  const uint8_t* data;
  size_t offset;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* input = static_cast<MemoryInput*>(png_get_io_ptr(png));
  std::memcpy(out, input->data + input->offset, length);
  input->offset += length;
}

bool DecodeRows(png_structp png, png_infop info, MemoryInput* input, std::vector<uint8_t>* pixels) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, input, ReadFromMemory);
  png_read_info(png, info);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  size_t rowBytes = png_get_rowbytes(png, info);
  png_uint_32 height = png_get_image_height(png, info);
  pixels->resize(rowBytes * height);
  std::vector<png_bytep> rows(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = pixels->data() + y * rowBytes;
  png_read_image(png, rows.data());
  return true;
}

// libpng alone: the file into memory, then every row decoded into one buffer.
size_t LibpngDecode(const std::string& path) {
  std::vector<uint8_t> file = fl::ReadWholeFile(path.c_str());
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, nullptr);
  png_infop info = png_create_info_struct(png);
  MemoryInput input{file.data(), 0};
  std::vector<uint8_t> pixels;
  bool decoded = DecodeRows(png, info, &input, &pixels);
  png_destroy_read_struct(&png, &info, nullptr);
  return decoded ? pixels.size() : 0;
}

// libtiff alone: every strip of the first page decoded into one buffer.
size_t LibtiffDecode(const std::string& path) {
  TIFF* tiff = TIFFOpen(path.c_str(), "r");
  if (!tiff) return 0;
  tmsize_t stripSize = TIFFStripSize(tiff);
  uint32_t strips = TIFFNumberOfStrips(tiff);
  std::vector<uint8_t> pixels(static_cast<size_t>(stripSize) * strips);
  for (uint32_t strip = 0; strip < strips; ++strip) {
    TIFFReadEncodedStrip(tiff, strip, pixels.data() + static_cast<size_t>(strip) * stripSize, stripSize);
  }
  TIFFClose(tiff);
  return pixels.size();
}

size_t OursPng(const std::string& path) {
  HGLOBAL dib = ReadGraphicFile(path.c_str());
  size_t size = dib ? GlobalSize(dib) : 0;
  GlobalFree(dib);
  return size;
}

size_t OursTiff(const std::string& path) {
  HBITMAP bitmap = LoadTiffIntoBitmap(path.c_str(), 0, 0);
  DeleteObject(bitmap);
  return bitmap ? 1 : 0;
}

// The fastest and the median run: on a busy machine the fastest run is the one least disturbed by others.
double Fastest(const std::vector<double>& values) {
  return *std::min_element(values.begin(), values.end());
}
double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Times both readers in alternating order and prints the medians and their ratio.
void Compare(const std::string& label, const std::string& path, const std::function<size_t(const std::string&)>& ours,
             const std::function<size_t(const std::string&)>& library) {
  std::vector<double> oursTimes, libraryTimes;
  for (int round = 0; round < kRounds; ++round) {
    for (int turn = 0; turn < 2; ++turn) {
      bool oursNow = (round + turn) % 2 == 0;
      double start = NowMilliseconds();
      size_t result = oursNow ? ours(path) : library(path);
      double elapsed = NowMilliseconds() - start;
      if (result == 0) std::printf("  %s: read failed\n", label.c_str());
      (oursNow ? oursTimes : libraryTimes).push_back(elapsed);
    }
  }
  std::printf("%-24s fastest: ours %7.1f ms, library %7.1f ms, ratio %.3f   median: ratio %.3f\n", label.c_str(),
              Fastest(oursTimes), Fastest(libraryTimes), Fastest(oursTimes) / Fastest(libraryTimes),
              Median(oursTimes) / Median(libraryTimes));
}

}  // namespace

int main() {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  std::string base = std::string(folder) + "formatlib_benchmark_";
  fl::DibImage color = TestPicture(24), gray = TestPicture(8), mono = TestPicture(1);
  HGLOBAL colorDib = fl::PackedFromDib(color), grayDib = fl::PackedFromDib(gray), monoDib = fl::PackedFromDib(mono);
  struct File {
    std::string label;
    std::string path;
    bool png;
  };
  std::vector<File> files = {{"PNG RGB 24-bit", base + "rgb.png", true},
                             {"PNG gray 8-bit", base + "gray.png", true},
                             {"TIFF RGB uncompressed", base + "rgb-none.tif", false},
                             {"TIFF RGB LZW", base + "rgb-lzw.tif", false},
                             {"TIFF RGB PackBits", base + "rgb-packbits.tif", false},
                             {"TIFF gray LZW", base + "gray-lzw.tif", false},
                             {"TIFF bilevel Group 4", base + "mono-g4.tif", false}};
  for (const File& file : files) DeleteFileA(file.path.c_str());
  WriteGraphicFile(files[0].path.c_str(), colorDib);
  WriteGraphicFile(files[1].path.c_str(), grayDib);
  SaveDIBInTiffFormat(files[2].path.c_str(), colorDib, COMPRESSION_NONE, 1);
  SaveDIBInTiffFormat(files[3].path.c_str(), colorDib, COMPRESSION_LZW, 1);
  SaveDIBInTiffFormat(files[4].path.c_str(), colorDib, COMPRESSION_PACKBITS, 1);
  SaveDIBInTiffFormat(files[5].path.c_str(), grayDib, COMPRESSION_LZW, 1);
  SaveDIBInTiffFormat(files[6].path.c_str(), monoDib, COMPRESSION_CCITTFAX4, 1);
  GlobalFree(colorDib);
  GlobalFree(grayDib);
  GlobalFree(monoDib);

  std::printf("%d x %d pixels, %d reads each\n", kWidth, kHeight, kRounds);
  for (const File& file : files) {
    if (file.png) {
      Compare(file.label, file.path, OursPng, LibpngDecode);
    } else {
      Compare(file.label, file.path, OursTiff, LibtiffDecode);
    }
    DeleteFileA(file.path.c_str());
  }
  return 0;
}
