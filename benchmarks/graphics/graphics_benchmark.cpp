// Times loading a 3000x2000 JPEG into a TBitmap and a 24-bit BMP of that size, against a plain read of the BMP
// file. Usage: graphics_benchmark FOLDER [JPEG]: writes its test files into FOLDER (a photo-like JPEG unless one
// is given) and prints the best of several runs of each step, so that the JPEG figure can be set against djpeg
// decoding the same file (FOLDER\bench.jpg).
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/core/streams.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/jpeg.h"
#include "benchmarks/support/bench_support.h"

namespace {

constexpr int kWidth = 3000;
constexpr int kHeight = 2000;
constexpr int kRuns = 7;

std::vector<double> BestMilliseconds(const std::vector<std::function<void()>>& steps) {
  return bench::BestMilliseconds(steps, kRuns);
}
using bench::Owned;

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: graphics_benchmark FOLDER [JPEG]\n");
    return 2;
  }
  const std::string folder = argv[1];
  const std::string jpegFile = argc > 2 ? argv[2] : folder + "\\bench.jpg";
  const std::string bmpFile = folder + "\\bench.bmp";
  try {
    Owned<cl::TBitmap> photo = bench::PhotoLikeBitmap(kWidth, kHeight);
    if (argc <= 2) {
      Owned<cl::TJPEGImage> encoder(cl::New<cl::TJPEGImage>());
      encoder->Assign(photo.get());
      encoder->SaveToFile(jpegFile);
    }
    photo->SaveToFile(bmpFile);

    const std::vector<double> times = BestMilliseconds({
        [&] {
          Owned<cl::TJPEGImage> image(cl::New<cl::TJPEGImage>());
          image->LoadFromFile(jpegFile);
          Owned<cl::TBitmap> bitmap(cl::New<cl::TBitmap>());
          bitmap->Assign(image.get());
        },
        [&] {
          Owned<cl::TBitmap> bitmap(cl::New<cl::TBitmap>());
          bitmap->LoadFromFile(bmpFile);
        },
        // The plain read: the same file stream reading the whole file into a new buffer.
        [&] {
          Owned<cl::TFileStream> file(cl::New<cl::TFileStream>(bmpFile, cl::fmOpenRead));
          const auto size = static_cast<int32_t>(file->Size());
          std::unique_ptr<uint8_t[]> bytes(new uint8_t[size]);
          file->ReadBuffer(bytes.get(), size);
        },
    });
    const double jpegLoad = times[0], bmpLoad = times[1], plainRead = times[2];
    std::printf("jpeg file: %s\n", jpegFile.c_str());
    std::printf("JPEG %dx%d into TBitmap: %.1f ms (best of %d)\n", kWidth, kHeight, jpegLoad, kRuns);
    std::printf("BMP 24-bit into TBitmap:  %.1f ms\n", bmpLoad);
    std::printf("plain read of the BMP:    %.1f ms (ratio %.2f)\n", plainRead, bmpLoad / plainRead);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "failed: %s\n", e.what());
    return 1;
  }
  return 0;
}
