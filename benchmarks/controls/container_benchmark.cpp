// Times loading 1,000 bitmaps from one container file (a bitmap list, plain and compressed) against loading the
// same bitmaps from 1,000 BMP files, and prints the best of several runs of each. The bitmaps are 64 x 64 pixels at
// 24 bits, half photo-like and half drawings. Usage: container_benchmark FOLDER (where the test files go).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "benchmarks/support/bench_support.h"
#include "classlib/core/streams.h"
#include "classlib/win/bitmap.h"
#include "controls/container_file.h"
#include "controls/ctl_image_lists.h"

namespace {

constexpr int kBitmaps = 1000;
constexpr int kSize = 64;
constexpr int kRuns = 7;

using bench::Owned;

Owned<cl::TBitmap> Drawing(int index) {
  Owned<cl::TBitmap> bitmap(cl::New<cl::TBitmap>());
  bitmap->SetPixelFormat(cl::pf24bit);
  bitmap->SetSize(kSize, kSize);
  cl::TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(static_cast<cl::TColor>(0xC0C0C0 + index % 64));
  canvas->FillRect(cl::Rect(0, 0, kSize, kSize));
  canvas->Brush()->SetColor(static_cast<cl::TColor>(index * 2654435761u & 0xFFFFFF));
  canvas->FillRect(cl::Rect(8 + index % 16, 8, 40, 56 - index % 16));
  return bitmap;
}

std::string BitmapFile(const std::string& folder, int index) {
  return folder + "\\bitmap" + std::to_string(index) + ".bmp";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: container_benchmark FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  const std::string plainFile = folder + "\\bitmaps.bmp.ctl";
  const std::string compressedFile = folder + "\\compressed.bmp.ctl";
  try {
    Owned<ctl::TCtlBitmapList> list(cl::New<ctl::TCtlBitmapList>(nullptr));
    for (int i = 0; i < kBitmaps; ++i) {
      Owned<cl::TBitmap> bitmap = i % 2 == 0 ? bench::PhotoLikeBitmap(kSize, kSize) : Drawing(i);
      bitmap->SaveToFile(BitmapFile(folder, i));
      list->Add()->SetIdent(static_cast<uint16_t>(i));
      list->Items(i)->SetBitmap(bitmap.get());
    }
    list->SaveToFile(plainFile);
    for (int i = 0; i < kBitmaps; ++i) list->Items(i)->SetCompressed(true);
    list->SaveToFile(compressedFile);

    auto loadContainer = [&](const std::string& fileName) {
      Owned<ctl::TCtlBitmapList> loaded(cl::New<ctl::TCtlBitmapList>(nullptr));
      cl::TFileStream file(fileName, cl::fmOpenRead | cl::fmShareDenyWrite);
      file.SetPosition(ctl::kSignatureSize);
      loaded->LoadFromStream(&file, true);
      if (loaded->Count() != kBitmaps || loaded->Items(kBitmaps - 1)->Bitmap()->Width() != kSize) std::exit(1);
    };
    const std::vector<double> times =
        bench::BestMilliseconds({[&] {
                                   std::vector<Owned<cl::TBitmap>> bitmaps;
                                   for (int i = 0; i < kBitmaps; ++i) {
                                     bitmaps.emplace_back(cl::New<cl::TBitmap>());
                                     bitmaps.back()->LoadFromFile(BitmapFile(folder, i));
                                   }
                                 },
                                 [&] { loadContainer(plainFile); }, [&] { loadContainer(compressedFile); },
                                 [&] {
                                   Owned<cl::TBitmap> bitmap(cl::New<cl::TBitmap>());
                                   for (int i = 0; i < kBitmaps; ++i)
                                     ctl::LoadBitmapFromContainer(plainFile, i, bitmap.get());
                                 }},
                                kRuns);
    std::printf("%d bitmaps of %dx%d, best of %d runs\n", kBitmaps, kSize, kSize, kRuns);
    std::printf("separate BMP files:                   %8.1f ms\n", times[0]);
    std::printf("container, plain records:             %8.1f ms  (%.2fx the files)\n", times[1], times[1] / times[0]);
    std::printf("container, compressed records:        %8.1f ms  (%.2fx the files)\n", times[2], times[2] / times[0]);
    std::printf("one item at a time from the container: %8.1f ms  (%.2fx the files)\n", times[3], times[3] / times[0]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
