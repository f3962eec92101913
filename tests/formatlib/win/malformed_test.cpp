// Malformed input: cut and corrupted variants of files we write, and hand-made hostile files, for every reader.
// Each must give a picture or fail with an error code > 0; none may crash or hang.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>

#include "format_test_support.h"
#include "formatlib/formatlib.h"

using fltest::Bitmap;
using fltest::Dib;
using fltest::Pattern;
using fltest::ScratchPath;

namespace {

constexpr int kCorruptVariants = 150;

struct Reader {
  const char* name;
  std::function<bool(const char*)> read;  // true when a picture came out
  std::function<int()> error;
};

const Reader kReaders[] = {
    {"tif", [](const char* f) { return bool(Bitmap(LoadTiffIntoBitmap(f, 0, 1))); }, TiffError},
    {"png", [](const char* f) { return bool(Dib(ReadGraphicFile(f))); }, ImgError},
    {"pcx", [](const char* f) { return bool(Bitmap(LoadPCXIntoBitmap(f, nullptr))); }, ImgError},
    {"dcx", [](const char* f) { return bool(Bitmap(LoadDCXIntoBitmap(f, 1, nullptr))); }, ImgError},
    {"tga", [](const char* f) { return bool(Bitmap(LoadTGAIntoBitmap(f, 0))); }, ImgError},
};

// A valid file of each kind, written by the library itself.
std::vector<uint8_t> Seed(const std::string& kind, int bitCount) {
  std::string path = ScratchPath("seed." + kind);
  DeleteFileA(path.c_str());
  fl::DibImage image = Pattern(23, 17, bitCount);
  Bitmap bitmap(fltest::NewBitmap(image));
  Dib dib(fltest::NewDib(image));
  if (kind == "tif") SaveDIBInTiffFormat(path.c_str(), dib.Get(), bitCount == 1 ? 4 : 5, 1);
  if (kind == "png") WriteGraphicFile(path.c_str(), dib.Get());
  if (kind == "pcx") SaveBitmapInPCXFormat(path.c_str(), bitmap.Get(), nullptr);
  if (kind == "tga") SaveBitmapInTGAFormat(path.c_str(), bitmap.Get(), nullptr, 1, 0);
  if (kind == "dcx") {
    SaveBitmapInDCXFormat(path.c_str(), bitmap.Get(), nullptr);
    SaveBitmapInDCXFormat(path.c_str(), bitmap.Get(), nullptr);
  }
  return fltest::ReadFileBytes(path);
}

// Reads `bytes` as a file; returns whether a picture came out, checking the error code when none did.
bool ReadsOrFails(const Reader& reader, const std::vector<uint8_t>& bytes) {
  std::string path = ScratchPath(std::string("variant.") + reader.name);
  fltest::WriteFileBytes(path, bytes);
  bool read = reader.read(path.c_str());
  if (!read) {
    EXPECT_GT(reader.error(), 0) << reader.name;
  }
  return read;
}

TEST(Malformed, CutFilesFail) {
  for (const Reader& reader : kReaders) {
    for (int bitCount : {1, 8, 24}) {
      std::vector<uint8_t> seed = Seed(reader.name, bitCount);
      ASSERT_GT(seed.size(), 32u) << reader.name;
      ASSERT_TRUE(ReadsOrFails(reader, seed)) << reader.name << " " << bitCount;
      for (size_t length : {size_t{0}, size_t{1}, size_t{8}, seed.size() / 4}) {
        std::vector<uint8_t> cut(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_FALSE(ReadsOrFails(reader, cut)) << reader.name << " " << bitCount << " cut to " << length;
      }
      // Past the middle a file may lose only what readers rebuild (a palette at its end): either outcome is sound.
      for (size_t length : {seed.size() / 2, seed.size() - 1}) {
        ReadsOrFails(reader, std::vector<uint8_t>(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(length)));
      }
    }
  }
}

TEST(Malformed, CorruptedFilesNeverCrash) {
  uint32_t state = 12345;
  auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  };
  for (const Reader& reader : kReaders) {
    std::vector<uint8_t> seed = Seed(reader.name, 8);
    for (int variant = 0; variant < kCorruptVariants; ++variant) {
      std::vector<uint8_t> bytes = seed;
      int changes = 1 + static_cast<int>(next() % 8);
      for (int i = 0; i < changes; ++i) {
        // Headers are where the sizes and offsets live: aim half of the changes at the first 64 bytes.
        size_t at = next() % 2 ? next() % std::min<size_t>(64, bytes.size()) : next() % bytes.size();
        bytes[at] = static_cast<uint8_t>(next());
      }
      ReadsOrFails(reader, bytes);
    }
  }
}

// A little-endian TIFF with one IFD of the given entries (tag, type, count, value) whose next-IFD offset is `next`.
std::vector<uint8_t> HandMadeTiff(const std::vector<std::array<uint32_t, 4>>& entries, uint32_t next) {
  std::vector<uint8_t> bytes = {'I', 'I', 42, 0, 8, 0, 0, 0};
  auto put16 = [&bytes](uint32_t v) { bytes.insert(bytes.end(), {uint8_t(v), uint8_t(v >> 8)}); };
  auto put32 = [&bytes](uint32_t v) {
    bytes.insert(bytes.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
  };
  put16(static_cast<uint32_t>(entries.size()));
  for (const auto& entry : entries) {
    put16(entry[0]);
    put16(entry[1]);
    put32(entry[2]);
    put32(entry[3]);
  }
  put32(next);
  bytes.resize(bytes.size() + 64, 0);
  return bytes;
}

TEST(Malformed, HostileTiffFiles) {
  std::string path = ScratchPath("hostile.tif");
  // Width, height, bits, photometric, strip offset, rows per strip, strip byte count.
  auto entries = [](uint32_t width, uint32_t height) {
    return std::vector<std::array<uint32_t, 4>>{{256, 4, 1, width}, {257, 4, 1, height}, {258, 3, 1, 8}, {262, 3, 1, 1},
                                                {273, 4, 1, 8},     {278, 4, 1, height}, {279, 4, 1, 16}};
  };
  fltest::WriteFileBytes(path, HandMadeTiff(entries(4, 4), 8));  // the IFD names itself as the next one
  EXPECT_LE(GetNumberOfImagesInTiffFile(path.c_str()), 1);
  EXPECT_FALSE(Bitmap(LoadTiffIntoBitmap(path.c_str(), 1, 0)));
  EXPECT_GT(TiffError(), 0);

  fltest::WriteFileBytes(path, HandMadeTiff(entries(200000, 200000), 0));
  EXPECT_FALSE(Bitmap(LoadTiffIntoBitmap(path.c_str(), 0, 0)));
  EXPECT_EQ(TiffError(), fl::kImageTooLarge);

  fltest::WriteFileBytes(path, HandMadeTiff(entries(1000, 1000), 0));  // strips far shorter than the picture
  EXPECT_FALSE(Bitmap(LoadTiffIntoBitmap(path.c_str(), 0, 0)));
  EXPECT_GT(TiffError(), 0);
}

TEST(Malformed, InconsistentDibsAreRefused) {
  fl::DibImage image = Pattern(8, 8, 8);
  Dib good(fltest::NewDib(image));
  size_t size = GlobalSize(good.Get());
  auto damaged = [&](size_t offset, uint32_t value, size_t newSize) {
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, newSize);
    auto* target = static_cast<uint8_t*>(GlobalLock(copy));
    auto* source = static_cast<uint8_t*>(GlobalLock(good.Get()));
    std::memcpy(target, source, std::min(size, newSize));
    if (offset + 4 <= newSize) std::memcpy(target + offset, &value, 4);
    GlobalUnlock(good.Get());
    GlobalUnlock(copy);
    return copy;
  };
  struct Case {
    size_t offset;
    uint32_t value;
    size_t size;
  } cases[] = {{0, 40, size - 1},          {4, 0x7FFFFFFF, size}, {8, 0x40000000, size}, {0, 0xFFFF, size},
               {14, 7 | (1u << 16), size}, {16, 4, size},         {32, 100000, size},    {0, 40, 20}};
  for (const Case& c : cases) {
    Dib bad(damaged(c.offset, c.value, c.size));
    EXPECT_FALSE(Bitmap(ConvertDIBToBitmap(bad.Get()))) << c.offset;
    EXPECT_GT(ImgError(), 0);
    EXPECT_NE(WriteGraphicFile(ScratchPath("bad.png").c_str(), bad.Get()), 0);
  }
}

}  // namespace
