// Helpers of the format library's Windows tests: test pictures, scratch files, owned handles, pixel comparison.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "formatlib/core/dib_image.h"

namespace fltest {

// A path in the test program's scratch folder.
std::string ScratchPath(const std::string& name);
std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// A picture of the given depth whose pixels all differ from their neighbours; palettes are coloured (not gray)
// unless `gray` is set.
fl::DibImage Pattern(int32_t width, int32_t height, int bitCount, bool gray = false);
// The colours of every pixel, top row first, as red, green, blue bytes.
std::vector<uint8_t> RgbPixels(const fl::DibImage& image);
// True when both pictures have the same size and the same colour at every pixel (depths may differ).
bool SameColors(const fl::DibImage& a, const fl::DibImage& b);

// Owned results of the library.
class Bitmap {
 public:
  explicit Bitmap(HBITMAP handle = nullptr) : handle_(handle) {}
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;
  ~Bitmap() {
    if (handle_) DeleteObject(handle_);
  }
  HBITMAP Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HBITMAP handle_;
};

class Dib {
 public:
  explicit Dib(HGLOBAL handle = nullptr) : handle_(handle) {}
  Dib(const Dib&) = delete;
  Dib& operator=(const Dib&) = delete;
  ~Dib() {
    if (handle_) GlobalFree(handle_);
  }
  HGLOBAL Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HGLOBAL handle_;
};

// The picture of a bitmap or DIB made by the library.
fl::DibImage ImageOf(HBITMAP bitmap);
fl::DibImage ImageOf(HGLOBAL dib);
// A bitmap or DIB of the picture, made with the library's own conversions.
HBITMAP NewBitmap(const fl::DibImage& image);
HGLOBAL NewDib(const fl::DibImage& image);

}  // namespace fltest
