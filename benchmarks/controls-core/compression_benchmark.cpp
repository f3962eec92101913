// Compresses and expands 64 MB of bitmap and text data with the library's compressed stream and with zlib's level 1
// deflate and inflate, in the same run, and prints throughput and compressed sizes per kind of data. Each time is
// the best of several rounds. Usage: compression_benchmark [text folder]   (default: the project's sources)
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "classlib/core/bmp_codec.h"
#include "classlib/core/streams.h"
#include "controls/core/compressed_stream.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

constexpr size_t kHalf = size_t{32} << 20;
constexpr int kRounds = 3;

double BestSeconds(const std::function<void()>& step) {
  double best = 1e300;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = Clock::now();
    step();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

// BMP file images, as the containers store them: half photographs (gradients with fine noise), half drawings
// (flat areas, lines and a few colours, like toolbar strips and backgrounds).
Bytes BitmapData(size_t size) {
  Bytes data;
  uint32_t noise = 12345;
  for (int picture = 0; data.size() < size; ++picture) {
    cl::bmp::TDibImage image;
    image.Width = 640;
    image.Height = 480;
    image.BitCount = 24;
    image.Bits.resize(image.Stride() * image.Height);
    const bool photo = picture % 2 == 0;
    for (int y = 0; y < image.Height; ++y) {
      uint8_t* row = image.Bits.data() + y * image.Stride();
      for (int x = 0; x < image.Width; ++x) {
        noise = noise * 1103515245 + 12345;
        const int grain = photo ? static_cast<int>(noise >> 28) - 8 : 0;
        uint8_t* pixel = row + 3 * x;
        if (photo) {
          pixel[0] = static_cast<uint8_t>(std::clamp(int(128 + 90 * std::sin((x + picture) / 140.0)) + grain, 0, 255));
          pixel[1] = static_cast<uint8_t>(std::clamp(y * 255 / image.Height + grain, 0, 255));
          pixel[2] = static_cast<uint8_t>(std::clamp(int(128 + 90 * std::cos((x + y) / 200.0)) + grain, 0, 255));
        } else {
          const bool line = (x + picture) % 48 == 0 || y % 32 == 0;
          const uint8_t shade = line ? 0 : static_cast<uint8_t>(192 + ((x / 96 + y / 64 + picture) % 3) * 24);
          pixel[0] = pixel[1] = pixel[2] = shade;
        }
      }
    }
    const Bytes file = cl::bmp::WriteBmp(image);
    data.insert(data.end(), file.begin(), file.end());
  }
  data.resize(size);
  return data;
}

// Source text read from a folder tree, repeated up to size.
Bytes TextData(const std::string& folder, size_t size) {
  Bytes text;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const std::string extension = entry.path().extension().string();
    if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h" && extension != ".md")) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    text.insert(text.end(), std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (text.size() >= size) break;
  }
  if (text.empty()) text.assign(1, ' ');
  Bytes data;
  while (data.size() < size) data.insert(data.end(), text.begin(), text.end());
  data.resize(size);
  return data;
}

struct Figures {
  double compressSeconds = 0, expandSeconds = 0;
  size_t compressedSize = 0;
};

Figures OwnStream(const Bytes& data) {
  cl::TMemoryStream source;
  source.WriteBuffer(data.data(), static_cast<int32_t>(data.size()));
  cl::TMemoryStream compressed;
  Figures figures;
  figures.compressSeconds = BestSeconds([&] {
    source.SetPosition(0);
    compressed.Clear();
    ctl::WriteCompressedStream(&source, &compressed, static_cast<int64_t>(data.size()));
  });
  figures.compressedSize = static_cast<size_t>(compressed.Size());
  cl::TMemoryStream expanded;
  figures.expandSeconds = BestSeconds([&] {
    compressed.SetPosition(0);
    expanded.Clear();
    expanded.SetSize(static_cast<int64_t>(data.size()));  // one allocation, as zlib's caller gives a buffer
    expanded.SetPosition(0);
    ctl::ReadCompressedStream(&compressed, &expanded);
  });
  if (expanded.Size() != static_cast<int64_t>(data.size()) ||
      !std::equal(data.begin(), data.end(), static_cast<const uint8_t*>(expanded.Memory()))) {
    std::fprintf(stderr, "compressed stream did not round trip\n");
    std::exit(1);
  }
  return figures;
}

Figures Zlib(const Bytes& data) {
  Figures figures;
  Bytes compressed(compressBound(data.size()));
  uLongf compressedSize = 0;
  figures.compressSeconds = BestSeconds([&] {
    compressedSize = compressed.size();
    compress2(compressed.data(), &compressedSize, data.data(), data.size(), 1);
  });
  figures.compressedSize = compressedSize;
  Bytes expanded(data.size());
  figures.expandSeconds = BestSeconds([&] {
    uLongf expandedSize = expanded.size();
    uncompress(expanded.data(), &expandedSize, compressed.data(), compressedSize);
  });
  if (expanded != data) {
    std::fprintf(stderr, "zlib did not round trip\n");
    std::exit(1);
  }
  return figures;
}

void Report(const char* name, const Bytes& data) {
  const Figures own = OwnStream(data);
  const Figures zlib = Zlib(data);
  const double megabytes = static_cast<double>(data.size()) / (1 << 20);
  std::printf(
      "%-8s %5.0f MB | compress MB/s: LZRW %7.1f  zlib-1 %7.1f  ratio %.2f | expand MB/s: LZRW %7.1f  "
      "inflate %7.1f  ratio %.2f | size: LZRW %6.2f MB (%4.1f%%)  zlib-1 %6.2f MB (%4.1f%%)\n",
      name, megabytes, megabytes / own.compressSeconds, megabytes / zlib.compressSeconds,
      zlib.compressSeconds / own.compressSeconds, megabytes / own.expandSeconds, megabytes / zlib.expandSeconds,
      zlib.expandSeconds / own.expandSeconds, own.compressedSize / double(1 << 20),
      100.0 * own.compressedSize / data.size(), zlib.compressedSize / double(1 << 20),
      100.0 * zlib.compressedSize / data.size());
}

}  // namespace

int main(int argc, char** argv) {
  const std::string textFolder = argc > 1 ? argv[1] : PROJECT_SOURCE_FOLDER;
  const Bytes bitmaps = BitmapData(kHalf);
  const Bytes text = TextData(textFolder, kHalf);
  Bytes all = bitmaps;
  all.insert(all.end(), text.begin(), text.end());
  std::printf("ratio = zlib time / LZRW time (above 1: LZRW is faster); best of %d rounds\n", kRounds);
  Report("bitmaps", bitmaps);
  Report("text", text);
  Report("all", all);
  return 0;
}
