// Interoperability with giflib (native build only): its sample files and the files it writes decode to the
// same pixels with our reader, and the files we write decode to the same pixels with giflib.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>

#include "tests/image/core/gif_test_support.h"

#if PROJECT_HAVE_GIFLIB
#include "tests/image/core/giflib_memory_io.h"
#endif

namespace img {
namespace {

using test::Bytes;

#if PROJECT_HAVE_GIFLIB
using giflib_io::MemoryReader;
using giflib_io::ReadMemory;
using giflib_io::WriteMemory;

struct Frame {
  int left, top, width, height;
  std::vector<std::uint8_t> pixels;
  std::vector<std::uint8_t> colors;  // local map as r, g, b
};

struct Gif {
  int width = 0, height = 0;
  std::vector<std::uint8_t> colors;  // global map
  std::vector<Frame> frames;
};

std::vector<std::uint8_t> MapBytes(const ColorMapObject* map) {
  std::vector<std::uint8_t> bytes;
  if (map == nullptr) return bytes;
  for (int i = 0; i < map->ColorCount; ++i) {
    bytes.insert(bytes.end(), {map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue});
  }
  return bytes;
}

std::vector<std::uint8_t> MapBytes(TGIFColorMap& map) {
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < map.Count(); ++i)
    bytes.insert(bytes.end(), {map.Entry(i).Red, map.Entry(i).Green, map.Entry(i).Blue});
  return bytes;
}

Gif DecodeWithGiflib(const Bytes& bytes) {
  MemoryReader reader{&bytes};
  int error = 0;
  GifFileType* file = DGifOpen(&reader, ReadMemory, &error);
  EXPECT_NE(file, nullptr) << GifErrorString(error);
  Gif gif;
  if (file == nullptr) return gif;
  EXPECT_EQ(DGifSlurp(file), GIF_OK) << GifErrorString(file->Error);
  gif.width = file->SWidth;
  gif.height = file->SHeight;
  gif.colors = MapBytes(file->SColorMap);
  for (int i = 0; i < file->ImageCount; ++i) {
    const SavedImage& image = file->SavedImages[i];
    const GifImageDesc& d = image.ImageDesc;
    const std::size_t count = static_cast<std::size_t>(d.Width) * d.Height;
    gif.frames.push_back(
        {d.Left, d.Top, d.Width, d.Height, {image.RasterBits, image.RasterBits + count}, MapBytes(d.ColorMap)});
  }
  DGifCloseFile(file, &error);
  return gif;
}

Gif DecodeWithOurs(const Bytes& bytes) {
  test::RecordingImage image;
  image.Load(bytes);
  Gif gif;
  gif.width = image.ScreenWidth();
  gif.height = image.ScreenHeight();
  gif.colors = MapBytes(image.GlobalColorMap());
  for (int i = 0; i < image.FrameCount(); ++i) {
    TGIFSubImageCore* frame = image.Frame(i);
    if (frame->Empty()) continue;  // extensions only
    gif.frames.push_back({frame->Left(),
                          frame->Top(),
                          frame->Width(),
                          frame->Height(),
                          {frame->Data(), frame->Data() + frame->DataSize()},
                          MapBytes(frame->ColorMap())});
  }
  return gif;
}

void ExpectSamePixels(const Gif& ours, const Gif& theirs) {
  EXPECT_EQ(ours.width, theirs.width);
  EXPECT_EQ(ours.height, theirs.height);
  EXPECT_EQ(ours.colors, theirs.colors);
  ASSERT_EQ(ours.frames.size(), theirs.frames.size());
  for (std::size_t i = 0; i < ours.frames.size(); ++i) {
    const Frame& a = ours.frames[i];
    const Frame& b = theirs.frames[i];
    EXPECT_EQ(std::tie(a.left, a.top, a.width, a.height), std::tie(b.left, b.top, b.width, b.height)) << i;
    EXPECT_TRUE(a.pixels == b.pixels) << "frame " << i;
    EXPECT_EQ(a.colors, b.colors) << i;
  }
}

Bytes ReadFile(const std::filesystem::path& path) {
  test::ByteStream stream;
  stream.LoadFromFile(path.string());
  return stream.Contents();
}

std::filesystem::path SampleFolder() {
  const char* folder = std::getenv("PROJECT_GIFLIB_SAMPLES");
  return folder ? folder : "";
}

TEST(GiflibInterop, SampleFilesDecodeToTheSamePixels) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(SampleFolder())) {
    if (entry.path().extension() != ".gif") continue;
    SCOPED_TRACE(entry.path().filename().string());
    const Bytes bytes = ReadFile(entry.path());
    ExpectSamePixels(DecodeWithOurs(bytes), DecodeWithGiflib(bytes));
    ++files;
  }
  EXPECT_GE(files, 8);
}

// A GIF of random frames: every depth, some interlaced, some with their own colour map.
Bytes RandomGif(unsigned seed) {
  std::mt19937 random(seed);
  test::RecordingImage image;
  image.Header().SetWidth(40);
  image.Header().SetHeight(30);
  for (int i = 0; i < 16; ++i) image.GlobalColorMap().Add(static_cast<cl::TColor>(random() & 0xFFFFFF));
  for (int bits = 1; bits <= 8; ++bits) {
    TGIFSubImageCore* frame = image.CreateFrame();
    image.Images().Add(frame);
    const int width = 1 + static_cast<int>(random() % 40), height = 1 + static_cast<int>(random() % 30);
    frame->SetDescriptorValue(dvWidth, width);
    frame->SetDescriptorValue(dvHeight, height);
    frame->SetInterlaced(bits % 2 == 0);
    if (bits != 4) {
      for (int c = 0; c < (1 << bits); ++c) frame->ColorMap().Add(static_cast<cl::TColor>(c * 0x010101 + bits));
    }
    frame->AllocatePixels();
    const int colors = bits == 4 ? 16 : 1 << bits;
    for (std::size_t p = 0; p < frame->DataSize(); ++p) frame->Data()[p] = static_cast<std::uint8_t>(random() % colors);
  }
  return image.Save();
}

TEST(GiflibInterop, FilesWeWriteDecodeToTheSamePixelsWithGiflib) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    const Bytes bytes = RandomGif(seed);
    ExpectSamePixels(DecodeWithOurs(bytes), DecodeWithGiflib(bytes));
  }
}

TEST(GiflibInterop, FilesGiflibWritesDecodeToTheSamePixelsWithOurs) {
  for (unsigned seed = 1; seed <= 4; ++seed) {
    // Let giflib re-write our random file, then read its output with both.
    const Bytes source = RandomGif(seed + 100);
    MemoryReader reader{&source};
    int error = 0;
    GifFileType* in = DGifOpen(&reader, ReadMemory, &error);
    ASSERT_NE(in, nullptr);
    ASSERT_EQ(DGifSlurp(in), GIF_OK);
    Bytes written;
    GifFileType* out = EGifOpen(&written, WriteMemory, &error);
    ASSERT_NE(out, nullptr);
    ASSERT_EQ(
        EGifPutScreenDesc(out, in->SWidth, in->SHeight, in->SColorResolution, in->SBackGroundColor, in->SColorMap),
        GIF_OK);
    for (int i = 0; i < in->ImageCount; ++i) {
      const SavedImage& image = in->SavedImages[i];
      const GifImageDesc& d = image.ImageDesc;
      // giflib drops (without freeing) the previous frame's map when a frame has none; free it first.
      if (d.ColorMap == nullptr && out->Image.ColorMap != nullptr) {
        GifFreeMapObject(out->Image.ColorMap);
        out->Image.ColorMap = nullptr;
      }
      ASSERT_EQ(EGifPutImageDesc(out, d.Left, d.Top, d.Width, d.Height, d.Interlace, d.ColorMap), GIF_OK);
      // giflib takes the rows in file order: the four passes for an interlaced frame.
      const int firstRows[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
      for (int pass = 0; pass < (d.Interlace ? 4 : 1); ++pass) {
        for (int row = d.Interlace ? firstRows[pass] : 0; row < d.Height; row += d.Interlace ? steps[pass] : 1) {
          ASSERT_EQ(EGifPutLine(out, image.RasterBits + static_cast<std::size_t>(row) * d.Width, d.Width), GIF_OK);
        }
      }
    }
    ASSERT_EQ(EGifCloseFile(out, &error), GIF_OK);
    DGifCloseFile(in, &error);
    ExpectSamePixels(DecodeWithOurs(written), DecodeWithGiflib(written));
  }
}

#else

TEST(GiflibInterop, SampleFilesDecodeToTheSamePixels) {
  GTEST_SKIP() << "giflib is not available";
}

#endif

}  // namespace
}  // namespace img
