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

namespace {

constexpr int kWidth = 3000;
constexpr int kHeight = 2000;
constexpr int kRuns = 7;

struct FreeObject {
  void operator()(cl::TObject* object) const { object->Free(); }
};
template <class T>
using Owned = std::unique_ptr<T, FreeObject>;

double Milliseconds(const std::function<void()>& step) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  step();
  QueryPerformanceCounter(&end);
  return 1000.0 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

// Runs the steps in turn, kRuns rounds, and keeps each step's best time: a busy machine then slows every step
// alike instead of whichever ran during a burst.
std::vector<double> BestMilliseconds(const std::vector<std::function<void()>>& steps) {
  std::vector<double> best(steps.size(), 1e300);
  for (int run = 0; run < kRuns; ++run)
    for (size_t i = 0; i < steps.size(); ++i) best[i] = std::min(best[i], Milliseconds(steps[i]));
  return best;
}

// Smooth gradients with fine noise: compresses like a photograph, not like a flat test card.
Owned<cl::TBitmap> PhotoLikeBitmap() {
  Owned<cl::TBitmap> bitmap(cl::New<cl::TBitmap>());
  bitmap->SetPixelFormat(cl::pf24bit);
  bitmap->SetSize(kWidth, kHeight);
  uint32_t noise = 12345;
  for (int y = 0; y < kHeight; ++y) {
    auto* row = static_cast<uint8_t*>(bitmap->ScanLine(y));
    for (int x = 0; x < kWidth; ++x) {
      noise = noise * 1103515245 + 12345;
      const int grain = static_cast<int>(noise >> 28) - 8;
      row[3 * x] = static_cast<uint8_t>(std::clamp(int(128 + 90 * std::sin(x / 140.0)) + grain, 0, 255));
      row[3 * x + 1] = static_cast<uint8_t>(std::clamp(y * 255 / kHeight + grain, 0, 255));
      row[3 * x + 2] = static_cast<uint8_t>(std::clamp(int(128 + 90 * std::cos((x + y) / 200.0)) + grain, 0, 255));
    }
  }
  return bitmap;
}

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
    Owned<cl::TBitmap> photo = PhotoLikeBitmap();
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
