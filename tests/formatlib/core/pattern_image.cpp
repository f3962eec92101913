#include "pattern_image.h"

#include <sstream>

namespace fl::test {

DibImage MakePatternImage(int32_t width, int32_t height, int bitCount) {
  DibImage image;
  if (CreateDibImage(width, height, bitCount, image) != kOk) return image;
  if (image.HasPalette()) {
    int entries = 1 << bitCount;
    for (int i = 0; i < entries; ++i) {
      image.palette.push_back(MakeRgb(static_cast<uint8_t>(i * 37 + 5), static_cast<uint8_t>(255 - i * 11),
                                      static_cast<uint8_t>(i * 101 + 17)));
    }
  }
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      uint32_t value = static_cast<uint32_t>(x * 7 + y * 13 + (x * y) % 5);
      if (image.HasPalette()) {
        image.SetIndexAt(x, y, value % (1u << bitCount));
      } else {
        image.SetColorAt(x, y,
                         RgbQuad{static_cast<uint8_t>(value), static_cast<uint8_t>(x * 3 + 1),
                                 static_cast<uint8_t>(y * 5 + 2), static_cast<uint8_t>(bitCount == 32 ? x + y : 0)});
      }
    }
  }
  return image;
}

std::string DescribePixelDifference(const DibImage& expected, const DibImage& actual) {
  std::ostringstream out;
  if (expected.width != actual.width || expected.height != actual.height) {
    out << "size " << actual.width << "x" << actual.height << ", expected " << expected.width << "x" << expected.height;
    return out.str();
  }
  for (int32_t y = 0; y < expected.height; ++y) {
    for (int32_t x = 0; x < expected.width; ++x) {
      RgbQuad want = expected.ColorAt(x, y);
      RgbQuad got = actual.ColorAt(x, y);
      if (want != got) {
        out << "pixel (" << x << ", " << y << ") is " << int(got.red) << "," << int(got.green) << "," << int(got.blue)
            << "," << int(got.reserved) << ", expected " << int(want.red) << "," << int(want.green) << ","
            << int(want.blue) << "," << int(want.reserved);
        return out.str();
      }
    }
  }
  return "";
}

}  // namespace fl::test
