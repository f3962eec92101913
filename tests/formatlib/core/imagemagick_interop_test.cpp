// Files we write are read by ImageMagick's `convert` with the same pixels, and files it writes are read by us with
// the pixels it reads from them. Skipped where `convert` cannot be run (it is a Linux program).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "formatlib/core/dcx_file.h"
#include "formatlib/core/pcx_codec.h"
#include "formatlib/core/tga_codec.h"
#include "pattern_image.h"
#include "test_files.h"

namespace fl {
namespace {

using test::MakePatternImage;
using test::ReadWholeFile;
using test::WriteWholeFile;

std::string ScratchPath(const std::string& name) {
  const char* folder = std::getenv("PROJECT_TEST_DIR");
  return std::string(folder != nullptr ? folder : ".") + "/" + name;
}

bool Convert(const std::string& arguments) {
  return std::system(("convert " + arguments + " 2>/dev/null").c_str()) == 0;
}

// "" when both hold the same red, green, blue bytes, else where they first differ.
std::string FirstDifference(const std::vector<uint8_t>& ours, const std::vector<uint8_t>& theirs) {
  if (ours.size() != theirs.size()) {
    return std::to_string(ours.size()) + " bytes against " + std::to_string(theirs.size());
  }
  for (size_t i = 0; i < ours.size(); i += 3) {
    if (!std::equal(ours.begin() + i, ours.begin() + i + 3, theirs.begin() + i)) {
      return "pixel " + std::to_string(i / 3) + ": " + std::to_string(ours[i]) + "," + std::to_string(ours[i + 1]) +
             "," + std::to_string(ours[i + 2]) + " against " + std::to_string(theirs[i]) + "," +
             std::to_string(theirs[i + 1]) + "," + std::to_string(theirs[i + 2]);
    }
  }
  return "";
}

class ImageMagickInterop : public testing::Test {
 protected:
  void SetUp() override {
#ifdef _WIN32
    GTEST_SKIP() << "ImageMagick is not run from Windows programs";
#else
    if (std::system("convert -version >/dev/null 2>&1") != 0) GTEST_SKIP() << "convert is not installed";
#endif
  }

  // The picture's pixels as ImageMagick reads them from `path` (red, green, blue bytes, rows from the top).
  static std::vector<uint8_t> PixelsByImageMagick(const std::string& path) {
    std::string raw = path + ".rgb";
    // TGA files keep their row order as an orientation, which only -auto-orient applies.
    EXPECT_TRUE(Convert("'" + path + "' -auto-orient -depth 8 'rgb:" + raw + "'")) << path;
    return ReadWholeFile(raw);
  }

  static std::vector<uint8_t> PixelsOf(const DibImage& image) {
    std::vector<uint8_t> rgb;
    for (int32_t y = 0; y < image.height; ++y) {
      for (int32_t x = 0; x < image.width; ++x) {
        RgbQuad color = image.ColorAt(x, y);
        rgb.insert(rgb.end(), {color.red, color.green, color.blue});
      }
    }
    return rgb;
  }

  // ImageMagick makes `name` from our 24-bit pattern with the given options; returns the file's bytes.
  static std::vector<uint8_t> WrittenByImageMagick(const std::string& name, const std::string& options) {
    DibImage pattern = MakePatternImage(23, 11, 24);
    std::string raw = ScratchPath(name + ".source.rgb");
    WriteWholeFile(raw, PixelsOf(pattern));
    std::string path = ScratchPath(name);
    EXPECT_TRUE(Convert("-size 23x11 -depth 8 'rgb:" + raw + "' " + options + " '" + path + "'")) << name;
    return ReadWholeFile(path);
  }
};

// ImageMagick 6 shows a set bit of a 1-bit PCX picture as black and a clear one as white, whatever the header
// palette says; the format's convention, which we follow, is the palette (black 0, white 1 when it is empty). So
// for 1-bit pictures it shows the complement of every colour.
std::vector<uint8_t> AsImageMagickShowsPcx(const DibImage& image, std::vector<uint8_t> rgb) {
  if (image.bitCount == 1) {
    for (uint8_t& channel : rgb) channel = static_cast<uint8_t>(channel == 0 ? 255 : 0);
  }
  return rgb;
}

TEST_F(ImageMagickInterop, ReadsOurPcxFilesWithTheSamePixels) {
  for (int depth : {1, 4, 8, 24}) {
    DibImage image = MakePatternImage(29, 13, depth);
    if (depth == 1) image.palette = GrayPalette(1);
    std::vector<uint8_t> file;
    ASSERT_EQ(WritePcx(image, file), kOk);
    std::string path = ScratchPath("ours" + std::to_string(depth) + ".pcx");
    WriteWholeFile(path, file);
    EXPECT_EQ(FirstDifference(AsImageMagickShowsPcx(image, PixelsOf(image)), PixelsByImageMagick(path)), "")
        << "depth " << depth;
  }
}

TEST_F(ImageMagickInterop, ReadsOurTgaFilesWithTheSamePixels) {
  for (int depth : {1, 8, 24}) {
    for (bool runLength : {false, true}) {
      for (bool topDown : {false, true}) {
        DibImage image = MakePatternImage(140, 5, depth);
        std::vector<uint8_t> file;
        ASSERT_EQ(WriteTga(image, TgaWriteOptions{runLength, topDown}, file), kOk);
        std::string path =
            ScratchPath("ours" + std::to_string(depth) + (runLength ? "r" : "") + (topDown ? "t" : "") + ".tga");
        WriteWholeFile(path, file);
        EXPECT_EQ(FirstDifference(PixelsOf(image), PixelsByImageMagick(path)), "") << path;
      }
    }
  }
}

TEST_F(ImageMagickInterop, ReadsOurDcxFilesPageByPage) {
  std::vector<uint8_t> file = MakeEmptyDcx();
  std::vector<DibImage> pages = {MakePatternImage(9, 4, 8), MakePatternImage(12, 7, 24), MakePatternImage(5, 5, 4)};
  for (const DibImage& page : pages) ASSERT_EQ(AppendDcxPage(file, page), kOk);
  std::string path = ScratchPath("ours.dcx");
  WriteWholeFile(path, file);
  for (size_t i = 0; i < pages.size(); ++i) {
    EXPECT_EQ(FirstDifference(PixelsOf(pages[i]), PixelsByImageMagick(path + "[" + std::to_string(i) + "]")), "")
        << "page " << i;
  }
}

TEST_F(ImageMagickInterop, WeReadItsPcxFilesWithItsPixels) {
  for (const auto& [name, options] : std::vector<std::pair<std::string, std::string>>{
           {"im24.pcx", ""}, {"im8.pcx", "-type Palette"}, {"im1.pcx", "-monochrome"}}) {
    std::vector<uint8_t> file = WrittenByImageMagick(name, options);
    DibImage read;
    ASSERT_EQ(ReadPcx(file, read), kOk) << name;
    EXPECT_EQ(FirstDifference(PixelsOf(read), PixelsByImageMagick(ScratchPath(name))), "") << name;
  }
}

TEST_F(ImageMagickInterop, WeReadItsTgaFilesWithItsPixels) {
  for (const auto& [name, options] : std::vector<std::pair<std::string, std::string>>{
           {"im24.tga", ""},
           {"im24r.tga", "-compress RLE"},
           {"im8.tga", "-type Palette"},
           {"im8r.tga", "-type Palette -compress RLE"},
           {"imgray.tga", "-colorspace Gray"},
           {"im32.tga", "-alpha set -channel A -evaluate set 50% +channel"},
           {"imtop.tga", "-orient TopLeft"}}) {
    std::vector<uint8_t> file = WrittenByImageMagick(name, options);
    DibImage read;
    ASSERT_EQ(ReadTga(file, read), kOk) << name;
    EXPECT_EQ(FirstDifference(PixelsOf(read), PixelsByImageMagick(ScratchPath(name))), "") << name;
  }
}

TEST_F(ImageMagickInterop, WeReadItsDcxFiles) {
  WrittenByImageMagick("page0.pcx", "");
  WrittenByImageMagick("page1.pcx", "-type Palette -flip");
  std::string path = ScratchPath("im.dcx");
  ASSERT_TRUE(Convert("'" + ScratchPath("page0.pcx") + "' '" + ScratchPath("page1.pcx") + "' '" + path + "'"));
  std::vector<uint8_t> file = ReadWholeFile(path);
  int count = 0;
  ASSERT_EQ(CountDcxPages(file, count), kOk);
  ASSERT_EQ(count, 2);
  for (int i = 0; i < 2; ++i) {
    DibImage read;
    ASSERT_EQ(ReadDcxPage(file, i, read), kOk);
    EXPECT_EQ(FirstDifference(PixelsOf(read), PixelsByImageMagick(path + "[" + std::to_string(i) + "]")), "")
        << "page " << i;
  }
}

}  // namespace
}  // namespace fl
