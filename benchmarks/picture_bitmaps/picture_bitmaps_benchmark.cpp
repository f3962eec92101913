// Times, side by side in one run (best of several rounds each):
// - TJPEGBitmap loading a 3000x2000 photo-like JPEG file on this display and on a 24-bit one (run.sh times
//   libjpeg-turbo's djpeg on the same file), and what making and filling a new DIB section of that size costs
//   alone (new memory is slow to touch on some machines, and every loaded picture needs new memory);
// - TGifBitmap loading a 256-colour GIF of 2000x3000 (its rows are at most 2048 pixels wide, so the 3000x2000
//   picture stands upright), against the GIF core reading the same file and against TGif's decoding alone.
// Usage: picture_bitmaps_benchmark FOLDER: writes photo.jpg and photo.gif into FOLDER and prints the figures.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "benchmarks/support/bench_support.h"
#include "classlib/win/application.h"
#include "classlib/win/dib.h"
#include "classlib/win/gdi.h"
#include "classlib/win/screen.h"
#include "image/core/gif_bitmap_decoder.h"
#include "image/core/gif_image_core.h"
#include "image/gif_bitmap.h"
#include "image/jpeg_bitmap.h"

namespace {

constexpr int kRuns = 9;
using bench::Owned;

void SaveJPEG(cl::TBitmap* picture, const std::string& path) {
  Owned<img::TJPEGBitmap> jpeg(cl::New<img::TJPEGBitmap>());
  jpeg->Assign(picture);
  jpeg->SaveToFile(path);
}

// A photo-like picture reduced to 256 grey-ish levels of its green channel, written by the GIF core.
void SaveGIF(cl::TBitmap* picture, const std::string& path) {
  img::TGIFImageCore image;
  image.Header().SetWidth(picture->Width());
  image.Header().SetHeight(picture->Height());
  for (int i = 0; i < 256; ++i) image.GlobalColorMap().Add(i * 0x010101);
  img::TGIFSubImageCore* frame = image.CreateFrame();
  image.Images().Add(frame);
  frame->SetDescriptorValue(img::dvWidth, picture->Width());
  frame->SetDescriptorValue(img::dvHeight, picture->Height());
  frame->AllocatePixels();
  for (int y = 0; y < picture->Height(); ++y) {
    const auto* row = static_cast<const uint8_t*>(picture->ScanLine(y));
    for (int x = 0; x < picture->Width(); ++x) frame->Data()[y * picture->Width() + x] = row[3 * x + 1];
  }
  cl::TFileStream file(path, cl::fmCreate);
  image.SaveToStream(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: picture_bitmaps_benchmark FOLDER\n");
    return 2;
  }
  cl::Initialize();
  const std::string jpegFile = std::string(argv[1]) + "\\photo.jpg", gifFile = std::string(argv[1]) + "\\photo.gif";
  SaveJPEG(bench::PhotoLikeBitmap(3000, 2000).get(), jpegFile);
  SaveGIF(bench::PhotoLikeBitmap(2000, 3000).get(), gifFile);

  Owned<img::TJPEGBitmap> jpeg(cl::New<img::TJPEGBitmap>());
  Owned<img::TGifBitmap> gif(cl::New<img::TGifBitmap>());
  Owned<cl::TMemoryStream> gifBytes(cl::New<cl::TMemoryStream>());
  gifBytes->LoadFromFile(gifFile);
  const std::vector<double> best = bench::BestMilliseconds(
      {
          [&] { jpeg->LoadFromFile(jpegFile); },
          [&] {
            cl::Screen->SetTestColorDepth(24);
            jpeg->LoadFromFile(jpegFile);
            cl::Screen->SetTestColorDepth(0);
          },
          [&] {
            const int bits = cl::Screen->ColorDepth() == 32 ? 32 : 24;
            HBITMAP section = cl::dib::CreateBlankSection(3000, 2000, bits, false, {});
            DIBSECTION info{};
            GetObjectA(section, sizeof info, &info);
            std::memset(info.dsBm.bmBits, 0x80, cl::bmp::TDibImage::RowStride(3000, bits) * 2000);
            cl::gdi::Delete(section);
          },
          [&] {
            gifBytes->SetPosition(0);
            gif->LoadFromStream(*gifBytes);
          },
          [&] {
            gifBytes->SetPosition(0);
            img::TGif decoder;
            decoder.Decode(*gifBytes);
          },
          [&] {
            gifBytes->SetPosition(0);
            img::TGIFImageCore image;
            image.LoadFromStream(*gifBytes);
          },
      },
      kRuns);
  std::printf(
      "JPEG 3000x2000: TJPEGBitmap %.1f ms on this %d-bit display, %.1f ms on a 24-bit display; a new "
      "section of this display's depth, filled: %.1f ms\n",
      best[0], cl::Screen->ColorDepth(), best[1], best[2]);
  std::printf(
      "GIF 2000x3000: TGifBitmap %.1f ms (%.2fx the GIF core), TGif decoding alone %.1f ms (%.2fx), "
      "GIF core %.1f ms\n",
      best[3], best[3] / best[5], best[4], best[4] / best[5], best[5]);
  jpeg.reset();
  gif.reset();
  gifBytes.reset();
  cl::Finalize();
  return 0;
}
