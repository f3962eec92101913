// Decodes the same 3000x2000 256-colour GIF with the GIF core and with giflib's DGifSlurp (best of several
// runs each), and compares the size of the files both encoders make from the same pixels and colour map.
#include <gif_lib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "classlib/core/streams.h"
#include "image/core/gif_image_core.h"
#include "tests/image/core/giflib_memory_io.h"

namespace {

using giflib_io::Bytes;
using giflib_io::MemoryReader;
using giflib_io::ReadMemory;
using giflib_io::WriteMemory;
constexpr int kWidth = 3000, kHeight = 2000, kRuns = 7;

struct Picture {
  const char* name;
  Bytes pixels;
};

// A smooth picture with some grain (compresses like a dithered photograph) and plain noise (the worst case).
std::vector<Picture> Pictures() {
  std::mt19937 random(1);
  Bytes photo(static_cast<std::size_t>(kWidth) * kHeight), noise(photo.size());
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * kWidth + x;
      photo[at] = static_cast<std::uint8_t>((x / 12 + y / 9 + (random() % 4 == 0 ? random() % 3 : 0)) & 0xFF);
      noise[at] = static_cast<std::uint8_t>(random());
    }
  }
  return {{"photo-like", photo}, {"noise", noise}};
}

Bytes EncodeWithCore(const Bytes& pixels) {
  img::TGIFImageCore image;
  image.Header().SetWidth(kWidth);
  image.Header().SetHeight(kHeight);
  for (int i = 0; i < 256; ++i) image.GlobalColorMap().Add(i * 0x010101);
  img::TGIFSubImageCore* frame = image.CreateFrame();
  image.Images().Add(frame);
  frame->SetDescriptorValue(img::dvWidth, kWidth);
  frame->SetDescriptorValue(img::dvHeight, kHeight);
  frame->AllocatePixels();
  std::copy(pixels.begin(), pixels.end(), frame->Data());
  cl::TMemoryStream stream;
  image.SaveToStream(stream);
  const auto* data = static_cast<const std::uint8_t*>(stream.Memory());
  return Bytes(data, data + stream.Size());
}

Bytes EncodeWithGiflib(const Bytes& pixels) {
  Bytes out;
  int error = 0;
  GifFileType* file = EGifOpen(&out, WriteMemory, &error);
  GifColorType colors[256];
  for (int i = 0; i < 256; ++i)
    colors[i] = {static_cast<GifByteType>(i), static_cast<GifByteType>(i), static_cast<GifByteType>(i)};
  ColorMapObject* map = GifMakeMapObject(256, colors);
  EGifPutScreenDesc(file, kWidth, kHeight, 8, 0, map);
  EGifPutImageDesc(file, 0, 0, kWidth, kHeight, false, nullptr);
  for (int y = 0; y < kHeight; ++y) {
    EGifPutLine(file, const_cast<GifPixelType*>(pixels.data()) + static_cast<std::size_t>(y) * kWidth, kWidth);
  }
  EGifCloseFile(file, &error);
  GifFreeMapObject(map);
  return out;
}

// A sample of the pixels: cheap enough not to blur the decoders' own times.
std::uint64_t Checksum(const std::uint8_t* pixels, std::size_t count) {
  std::uint64_t sum = 0;
  for (std::size_t i = 0; i < count; i += 61) sum = sum * 31 + pixels[i];
  return sum;
}

// Each decoder decodes the file from memory once and answers a checksum of the pixels, so its work cannot be
// skipped. The stream holds the file before the clock starts, as giflib reads the bytes where they are.
std::uint64_t DecodeWithCore(cl::TMemoryStream& stream) {
  stream.SetPosition(0);
  img::TGIFImageCore image;
  image.LoadFromStream(stream);
  const img::TGIFSubImageCore* frame = image.Frame(0);
  return Checksum(frame->Data(), frame->DataSize());
}

std::uint64_t DecodeWithGiflib(const Bytes& file) {
  MemoryReader reader{&file};
  int error = 0;
  GifFileType* gif = DGifOpen(&reader, ReadMemory, &error);
  DGifSlurp(gif);
  const SavedImage& image = gif->SavedImages[0];
  const std::uint64_t sum =
      Checksum(image.RasterBits, static_cast<std::size_t>(image.ImageDesc.Width) * image.ImageDesc.Height);
  DGifCloseFile(gif, &error);
  return sum;
}

// Best time of several runs, in milliseconds; the checksum of the last run goes to checksum.
double BestMilliseconds(const std::function<std::uint64_t()>& decode, std::uint64_t& checksum) {
  double best = 1e300;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    checksum = decode();
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    best = std::min(best, elapsed.count());
  }
  return best;
}

}  // namespace

int main() {
  std::printf("%dx%d, 256 colours, best of %d runs\n", kWidth, kHeight, kRuns);
  for (const Picture& picture : Pictures()) {
    const Bytes ours = EncodeWithCore(picture.pixels);
    const Bytes theirs = EncodeWithGiflib(picture.pixels);
    std::printf("%s: encoded size core %zu bytes, giflib %zu bytes (%+lld)\n", picture.name, ours.size(), theirs.size(),
                static_cast<long long>(ours.size()) - static_cast<long long>(theirs.size()));
    for (const auto& [label, file] : {std::pair{"core's file", &ours}, std::pair{"giflib's file", &theirs}}) {
      std::uint64_t coreSum = 0, giflibSum = 0;
      cl::TMemoryStream stream;
      stream.Write(file->data(), static_cast<std::int32_t>(file->size()));
      const double core = BestMilliseconds([&] { return DecodeWithCore(stream); }, coreSum);
      const double giflib = BestMilliseconds([&] { return DecodeWithGiflib(*file); }, giflibSum);
      std::printf("  decoding %s: core %.1f ms, giflib DGifSlurp %.1f ms (core/giflib %.2f)%s\n", label, core, giflib,
                  core / giflib, coreSum == giflibSum ? "" : "  PIXELS DIFFER");
    }
  }
  return 0;
}
