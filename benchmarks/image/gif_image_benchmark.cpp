// Times TGIFImage on a 3000x2000 GIF of 256 colours against the GIF core's decoder alone, in one run (best of
// several rounds each): loading the file plus drawing frame 0 onto a 24-bit bitmap against the core reading the
// file into memory and decoding it, and the two renderings of frame 0 (the frame's own palette, and the
// 216-colour cube by error diffusion).
// Usage: gif_image_benchmark FOLDER: writes its test file into FOLDER and prints the figures.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "benchmarks/support/bench_support.h"
#include "classlib/core/streams.h"
#include "classlib/win/application.h"
#include "image/core/gif_image_core.h"
#include "image/gif_image.h"

namespace {

constexpr int kWidth = 3000;
constexpr int kHeight = 2000;
constexpr int kRuns = 15;
using bench::Owned;

// A photo-like frame: smooth index gradients with grain, over a palette of 256 colourful entries.
void WriteFile(const std::string& name) {
  img::TGIFImageCore image;
  image.Header().SetWidth(kWidth);
  image.Header().SetHeight(kHeight);
  for (int i = 0; i < 256; ++i) image.GlobalColorMap().Add(RGB(i, (i * 3) & 0xFF, 255 - i));
  img::TGIFSubImageCore* frame = image.CreateFrame();
  image.Images().Add(frame);
  frame->SetDescriptorValue(img::dvWidth, kWidth);
  frame->SetDescriptorValue(img::dvHeight, kHeight);
  frame->AllocatePixels();
  std::uint32_t noise = 1;
  std::uint8_t* pixel = frame->Data();
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      noise = noise * 1103515245 + 12345;
      *pixel++ = static_cast<std::uint8_t>(x / 12 + y / 9 + ((noise >> 28) == 0 ? (noise >> 24) % 3 : 0));
    }
  }
  cl::TFileStream file(name, cl::fmCreate);
  image.SaveToStream(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: gif_image_benchmark FOLDER\n");
    return 2;
  }
  cl::Initialize();
  const std::string name = std::string(argv[1]) + "\\bench.gif";
  WriteFile(name);
  Owned<cl::TMemoryStream> bytes(cl::New<cl::TMemoryStream>());
  bytes->LoadFromFile(name);
  Owned<cl::TBitmap> target(cl::New<cl::TBitmap>());
  target->SetPixelFormat(cl::pf24bit);
  target->SetSize(kWidth, kHeight);
  Owned<img::TGIFImage> rendered(cl::New<img::TGIFImage>());
  rendered->LoadFromFile(name);
  img::TGIFSubImage* frame = rendered->Frames(0);

  const std::vector<double> best =
      bench::BestMilliseconds({[&] {
                                 bytes->SetPosition(0);
                                 img::TGIFImageCore core;
                                 core.LoadFromStream(*bytes);
                               },
                               [&] {
                                 Owned<cl::TMemoryStream> file(cl::New<cl::TMemoryStream>());
                                 file->LoadFromFile(name);
                                 img::TGIFImageCore core;
                                 core.LoadFromStream(*file);
                               },
                               [&] {
                                 Owned<img::TGIFImage> image(cl::New<img::TGIFImage>());
                                 image->LoadFromFile(name);
                                 image->Frames(0)->Draw(target->Canvas(), cl::Rect(0, 0, kWidth, kHeight), false);
                               },
                               [&] {
                                 rendered->SetDrawOptions(0);
                                 frame->FreeBitmap();
                                 frame->GetBitmap();
                               },
                               [&] { frame->Draw(target->Canvas(), cl::Rect(0, 0, kWidth, kHeight), false); },
                               [&] {
                                 rendered->SetDrawOptions(img::Draw216Palette);
                                 frame->FreeBitmap();
                                 frame->GetBitmap();
                               }},
                              kRuns);
  std::printf("%dx%d GIF of 256 colours, %lld bytes, best of %d rounds\n", kWidth, kHeight,
              static_cast<long long>(bytes->Size()), kRuns);
  std::printf("core decode of the file %7.1f ms (of the bytes already in memory %7.1f ms)\n", best[1], best[0]);
  std::printf(
      "TGIFImage LoadFromFile + drawing frame 0 on a 24-bit bitmap %7.1f ms (%.2fx the core's decode of the "
      "file)\n",
      best[2], best[2] / best[1]);
  std::printf("  of which: rendering frame 0 with its palette %7.1f ms, drawing the rendered frame %7.1f ms\n", best[3],
              best[4]);
  std::printf("rendering frame 0: palette %7.1f ms, 216-colour dither %7.1f ms (%.2fx)\n", best[3], best[5],
              best[5] / best[3]);
  cl::Finalize();
  return 0;
}
