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
#include "benchmarks/support/bench_support.h"
#include "formatlib/formatlib.h"
#include "image/load_image.h"

namespace {

constexpr int kWidth = 3000;
constexpr int kHeight = 2000;
constexpr int kRuns = 5;

std::vector<double> BestMilliseconds(const std::vector<std::function<void()>>& steps) {
  return bench::BestMilliseconds(steps, kRuns);
}
using bench::Owned;

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
  WriteFiles(bench::PhotoLikeBitmap(kWidth, kHeight).get(), png, jpeg, tiff);

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
