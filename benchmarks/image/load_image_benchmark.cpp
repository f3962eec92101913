// Times TLoadImage::ChangeFile of a 3000x2000 PNG, JPEG and TIFF (display step included, at actual size and
// fitted into the designed box) against the bare decode of the same file by the format library or the class
// library's JPEG image, side by side in one run (best of several rounds each). One control loads at actual size
// and another fitted, each reloading the same file, as a browser steps through pictures of one camera; a third
// line times the actual-size load into a new control, whose shown bitmap is new memory as well.
// Usage: load_image_benchmark FOLDER: writes its test files into FOLDER and prints the figures.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/jpeg.h"
#include "formatlib/formatlib.h"
#include "image/load_image.h"

namespace {

constexpr int kWidth = 3000;
constexpr int kHeight = 2000;
constexpr int kRuns = 5;

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

// Runs the steps in turn, kRuns rounds, and keeps each step's best time.
std::vector<double> BestMilliseconds(const std::vector<std::function<void()>>& steps) {
  std::vector<double> best(steps.size(), 1e300);
  for (int run = 0; run < kRuns; ++run)
    for (size_t i = 0; i < steps.size(); ++i) best[i] = std::min(best[i], Milliseconds(steps[i]));
  return best;
}

// Smooth gradients with fine noise: compresses like a photograph.
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

void WriteFiles(cl::TBitmap* photo, const std::string& png, const std::string& jpeg, const std::string& tiff) {
  HGLOBAL dib = ConvertBitmapToDIB(photo->Handle(), nullptr);
  WriteGraphicFile(png.c_str(), dib);
  DeleteFileA(tiff.c_str());
  SaveDIBInTiffFormat(tiff.c_str(), dib, 208, 1);
  GlobalFree(dib);
  Owned<cl::TJPEGImage> image(cl::New<cl::TJPEGImage>());
  image->Assign(photo);
  image->SaveToFile(jpeg);
}

void Report(const char* format, const std::vector<double>& best) {
  std::printf(
      "%-5s bare decode %6.1f ms | ChangeFile: actual size %6.1f ms (%.2fx), fitted %6.1f ms (%.2fx), "
      "new control %6.1f ms (%.2fx)\n",
      format, best[0], best[1], best[1] / best[0], best[2], best[2] / best[0], best[3], best[3] / best[0]);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: load_image_benchmark FOLDER\n");
    return 2;
  }
  cl::Initialize();
  const std::string folder = argv[1];
  const std::string png = folder + "\\bench.png", jpeg = folder + "\\bench.jpg", tiff = folder + "\\bench.tif";
  WriteFiles(PhotoLikeBitmap().get(), png, jpeg, tiff);

  Owned<img::TLoadImage> actualSize(cl::New<img::TLoadImage>(nullptr)), fitted(cl::New<img::TLoadImage>(nullptr));
  const cl::TRect zero{};
  auto steps = [&](const std::string& name, std::function<void()> bareDecode) {
    return std::vector<std::function<void()>>{
        bareDecode, [&actualSize, name] { actualSize->ChangeFile(name); },
        [&fitted, &zero, name] { fitted->ResetFile(name, zero, false, false); },
        [name] { Owned<img::TLoadImage>(cl::New<img::TLoadImage>(nullptr))->ChangeFile(name); }};
  };

  Report("PNG", BestMilliseconds(steps(png, [&] { GlobalFree(ReadGraphicFile(png.c_str())); })));
  Report("JPEG", BestMilliseconds(steps(jpeg, [&] {
           Owned<cl::TJPEGImage> image(cl::New<cl::TJPEGImage>());
           image->LoadFromFile(jpeg);
           image->Bitmap();
         })));
  Report("TIFF", BestMilliseconds(steps(tiff, [&] { DeleteObject(LoadTiffIntoBitmap(tiff.c_str(), 0, 0)); })));
  actualSize.reset();
  fitted.reset();
  cl::Finalize();
  return 0;
}
