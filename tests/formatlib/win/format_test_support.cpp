// Helpers of the format library's Windows tests.
#include "format_test_support.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "formatlib/dib_convert.h"

namespace fltest {

std::string ScratchPath(const std::string& name) {
  const char* folder = std::getenv("PROJECT_TEST_DIR");
  return std::string(folder ? folder : ".") + "/" + name;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

fl::DibImage Pattern(int32_t width, int32_t height, int bitCount, bool gray) {
  fl::DibImage image;
  if (fl::CreateDibImage(width, height, bitCount, image) != fl::kOk) throw std::runtime_error("bad test size");
  if (image.HasPalette()) {
    int entries = 1 << bitCount;
    image.palette = fl::GrayPalette(bitCount);
    for (int i = 0; i < entries && !gray; ++i) {
      image.palette[i] = fl::MakeRgb(static_cast<uint8_t>(i * 37 + 11), static_cast<uint8_t>(255 - i * 13),
                                     static_cast<uint8_t>(i * 91 + 5));
    }
  }
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      uint32_t value = static_cast<uint32_t>(x * 7 + y * 13 + (x * y) % 5);
      if (image.HasPalette()) {
        image.SetIndexAt(x, y, value % (1u << bitCount));
      } else {
        image.SetColorAt(x, y,
                         {static_cast<uint8_t>(value), static_cast<uint8_t>(x * 29), static_cast<uint8_t>(y * 17),
                          static_cast<uint8_t>(bitCount == 32 ? 255 - x : 0)});
      }
    }
  }
  return image;
}

std::vector<uint8_t> RgbPixels(const fl::DibImage& image) {
  std::vector<uint8_t> pixels;
  pixels.reserve(static_cast<size_t>(image.width) * image.height * 3);
  for (int32_t y = 0; y < image.height; ++y) {
    for (int32_t x = 0; x < image.width; ++x) {
      fl::RgbQuad color = image.ColorAt(x, y);
      pixels.insert(pixels.end(), {color.red, color.green, color.blue});
    }
  }
  return pixels;
}

bool SameColors(const fl::DibImage& a, const fl::DibImage& b) {
  return a.width == b.width && a.height == b.height && RgbPixels(a) == RgbPixels(b);
}

fl::DibImage ImageOf(HBITMAP bitmap) {
  return fl::DibFromBitmap(bitmap);
}
fl::DibImage ImageOf(HGLOBAL dib) {
  return fl::DibFromPacked(dib);
}
HBITMAP NewBitmap(const fl::DibImage& image) {
  return fl::BitmapFromDib(image);
}
HGLOBAL NewDib(const fl::DibImage& image) {
  return fl::PackedFromDib(image);
}

}  // namespace fltest
