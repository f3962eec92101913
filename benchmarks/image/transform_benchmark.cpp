// Times the image control's quarter turns, flips and inversion of a 4000 x 3000 24-bit picture, each with the
// redisplay that ends it (actual size, as the viewer shows pictures), against one memcpy of the picture's pixels,
// side by side in one run (best of several rounds each). Reference lines in brackets split a quarter turn into its
// costs: the redisplay alone, the turn of the pixels between buffers already in memory, and a new DIB section of
// the turned size (made and deleted, untouched and with every page written; from the heap or from a mapping).
// Usage: transform_benchmark FOLDER: writes its test picture into FOLDER and prints the figures.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "benchmarks/support/bench_support.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "image/core/pixel_transforms.h"
#include "image/load_image.h"

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kRuns = 7;
constexpr size_t kPage = 4096;

// A 24-bit DIB section of the picture turned, made and deleted; touched: with one byte written in every page.
void NewTurnedSection(bool fromMapping, bool touched) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = kHeight;
  info.bmiHeader.biHeight = kWidth;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  const size_t bytes = size_t{kHeight} * 3 * kWidth;
  HANDLE mapping = fromMapping ? CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                    static_cast<DWORD>(bytes), nullptr)
                               : nullptr;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, mapping, 0);
  if (touched && bits) {
    for (size_t i = 0; i < bytes; i += kPage) static_cast<volatile uint8_t*>(bits)[i] = 1;
  }
  DeleteObject(section);
  if (mapping) CloseHandle(mapping);
}

struct Step {
  const char* name;
  std::function<void()> run;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: transform_benchmark FOLDER\n");
    return 2;
  }
  cl::Initialize();
  const std::string picture = std::string(argv[1]) + "\\transform.bmp";
  bench::PhotoLikeBitmap(kWidth, kHeight)->SaveToFile(picture);
  bench::Owned<img::TLoadImage> owned(cl::New<img::TLoadImage>(nullptr));
  img::TLoadImage& control = *owned;
  control.ChangeFile(picture);

  const size_t bytes = size_t{kWidth} * 3 * kHeight;
  std::vector<uint8_t> from(bytes, 1), to(bytes, 2);
  const img::PixelRows upright{from.data(), kWidth * 3, kWidth, kHeight, 3};
  const img::PixelRows turned{to.data(), kHeight * 3, kHeight, kWidth, 3};
  const std::vector<Step> steps = {
      {"memcpy", [&] { std::memcpy(to.data(), from.data(), bytes); }},
      {"RotateRight90 (CW)", [&] { control.RotateRight90(true); }},
      {"RotateIt270 (CCW)", [&] { control.RotateIt270(true); }},
      {"RotateIt180", [&] { control.RotateIt180(true); }},
      {"FlipitH", [&] { control.FlipitH(true); }},
      {"FlipitV", [&] { control.FlipitV(true); }},
      {"InvertTheBitMap", [&] { control.InvertTheBitMap(true); }},
      {"(redisplay alone)", [&] { control.ReDraw(cl::TRect{}, false, true); }},
      {"(turn alone)", [&] { img::TurnPixels(upright, turned, true); }},
      {"(section, untouched)", [] { NewTurnedSection(false, false); }},
      {"(section, touched)", [] { NewTurnedSection(false, true); }},
      {"(mapped, touched)", [] { NewTurnedSection(true, true); }},
      {"(fresh memory)",
       [&] {
         void* memory = VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
         std::memset(memory, 1, bytes);
         VirtualFree(memory, 0, MEM_RELEASE);
       }},
  };
  std::vector<std::function<void()>> timed;
  for (const Step& step : steps) timed.push_back(step.run);
  const std::vector<double> best = bench::BestMilliseconds(timed, kRuns);

  std::printf("%d x %d, 24 bits per pixel (%zu bytes), shown at actual size; best of %d\n", kWidth, kHeight, bytes,
              kRuns);
  for (size_t i = 0; i < steps.size(); ++i)
    std::printf("%-20s %8.2f ms  %6.2fx memcpy\n", steps[i].name, best[i], best[i] / best[0]);
  owned.reset();
  cl::Finalize();
  return 0;
}
