// Reads 3000x2000 PCX and TGA files with our codecs and with ImageMagick's `convert` (to raw RGB pixels), both as
// whole processes started the same way, and prints the times side by side. Our in-process time to load the file
// into memory and decode it is shown too; each figure is the fastest of several runs. Usage: formatlib_core_benchmark
// [scratch folder]   (internally: formatlib_core_benchmark --read FILE)
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "formatlib/core/pcx_codec.h"
#include "formatlib/core/tga_codec.h"

namespace {

constexpr int32_t kWidth = 3000;
constexpr int32_t kHeight = 2000;
constexpr int kProcessRuns = 5;
constexpr int kDecodeRuns = 9;

using Clock = std::chrono::steady_clock;

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  std::vector<uint8_t> bytes(static_cast<size_t>(in.tellg()));
  in.seekg(0);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

bool EndsWith(const std::string& text, const std::string& ending) {
  return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

fl::ErrorCode Decode(const std::string& path, std::span<const uint8_t> bytes, fl::DibImage& image) {
  return EndsWith(path, ".pcx") ? fl::ReadPcx(bytes, image) : fl::ReadTga(bytes, image);
}

// What `convert FILE rgb:-` does, done by us: decode the file, mapped into memory, and write its pixels as RGB
// bytes row by row. (Fresh memory is expensive to touch on virtual machines, so neither side should hold more
// copies of the picture than it needs.)
int ReadToRawPixels(const std::string& path) {
  int descriptor = open(path.c_str(), O_RDONLY);
  struct stat status {};
  if (descriptor < 0 || fstat(descriptor, &status) != 0 || status.st_size == 0) return 1;
  size_t size = static_cast<size_t>(status.st_size);
  void* mapped = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor, 0);
  if (mapped == MAP_FAILED) return 1;
  fl::DibImage image;
  if (Decode(path, {static_cast<const uint8_t*>(mapped), size}, image) != fl::kOk) return 1;
  munmap(mapped, size);
  close(descriptor);
  std::vector<uint8_t> row(static_cast<size_t>(image.width) * 3);
  for (int32_t y = 0; y < image.height; ++y) {
    uint8_t* out = row.data();
    for (int32_t x = 0; x < image.width; ++x, out += 3) {
      fl::RgbQuad color = image.ColorAt(x, y);
      out[0] = color.red;
      out[1] = color.green;
      out[2] = color.blue;
    }
    std::fwrite(row.data(), 1, row.size(), stdout);
  }
  return 0;
}

// A photograph-like picture: smooth gradients with a little noise, so that no two neighbours are alike.
fl::DibImage MakePicture(int bitCount) {
  fl::DibImage image;
  fl::CreateDibImage(kWidth, kHeight, bitCount, image);
  if (image.HasPalette()) image.palette = fl::GrayPalette(8);
  uint32_t noise = 12345;
  for (int32_t y = 0; y < kHeight; ++y) {
    for (int32_t x = 0; x < kWidth; ++x) {
      noise = noise * 1103515245u + 12345u;
      auto jitter = static_cast<uint8_t>((noise >> 16) & 7);
      if (image.HasPalette()) {
        image.SetIndexAt(x, y, static_cast<uint32_t>((x + y) * 255 / (kWidth + kHeight) + jitter) & 0xFF);
      } else {
        image.SetColorAt(
            x, y,
            fl::MakeRgb(static_cast<uint8_t>(x * 255 / kWidth + jitter),
                        static_cast<uint8_t>(y * 255 / kHeight + jitter), static_cast<uint8_t>((x + y) % 256)));
      }
    }
  }
  return image;
}

// The fastest of `runs` runs: on a shared machine the other runs measure the neighbours' load as much as ours.
double FastestMilliseconds(int runs, const auto& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    auto start = Clock::now();
    work();
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return *std::min_element(times.begin(), times.end());
}

double ProcessMilliseconds(const std::string& command) {
  return FastestMilliseconds(kProcessRuns, [&] {
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
  });
}

void Save(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--read") return ReadToRawPixels(argv[2]);
  std::string folder = argc > 1 ? argv[1] : ".";
  std::string self = argv[0];

  struct Case {
    std::string name;
    int bitCount;
    bool pcx;
    bool runLength;
  };
  std::vector<Case> cases = {{"pcx24.pcx", 24, true, true},
                             {"pcx8.pcx", 8, true, true},
                             {"tga24rle.tga", 24, false, true},
                             {"tga24raw.tga", 24, false, false},
                             {"tga8rle.tga", 8, false, true}};
  std::printf("%-14s %10s %14s %16s %16s %8s\n", "file", "bytes", "load ms", "our process ms", "convert ms", "ratio");
  for (const Case& c : cases) {
    std::string path = folder + "/" + c.name;
    std::vector<uint8_t> bytes;
    fl::DibImage picture = MakePicture(c.bitCount);
    if (c.pcx) {
      fl::WritePcx(picture, bytes);
    } else {
      fl::WriteTga(picture, fl::TgaWriteOptions{c.runLength, false}, bytes);
    }
    Save(path, bytes);
    double decode = FastestMilliseconds(kDecodeRuns, [&] {
      fl::DibImage image;
      if (Decode(path, ReadWholeFile(path), image) != fl::kOk) std::fprintf(stderr, "cannot read %s\n", path.c_str());
    });
    double ours = ProcessMilliseconds("'" + self + "' --read '" + path + "' > /dev/null");
    // -auto-orient makes convert write the rows top first, as we do, so both write the same bytes.
    double theirs = ProcessMilliseconds("convert '" + path + "' -auto-orient -depth 8 rgb:- > /dev/null");
    std::printf("%-14s %10zu %14.1f %16.1f %16.1f %7.1fx\n", c.name.c_str(), bytes.size(), decode, ours, theirs,
                theirs / ours);
  }
  return 0;
}
