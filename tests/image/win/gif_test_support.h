// Helpers of the GIF graphic's tests: GIF files made from plain pixels, images loaded from them, and pixel reads.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "classlib/core/streams.h"
#include "classlib/win/dib.h"
#include "classlib/win/picture.h"
#include "image/core/gif_image_core.h"
#include "image/gif_image.h"
#include "load_image_test_support.h"

namespace img::testing {

using Bytes = std::vector<std::uint8_t>;

// A GIF file of one frame of width x height with the given indexes, a global table of colors (0x00BBGGRR
// values) and, when transparentIndex is not negative, a graphic control extension making that index transparent.
inline Bytes GifFile(int width, int height, const Bytes& indexes, const std::vector<cl::TColor>& colors,
                     int transparentIndex = -1) {
  TGIFImageCore image;
  image.Header().SetWidth(width);
  image.Header().SetHeight(height);
  for (cl::TColor color : colors) image.GlobalColorMap().Add(color);
  TGIFSubImageCore* frame = image.CreateFrame();
  image.Images().Add(frame);
  frame->SetDescriptorValue(dvWidth, width);
  frame->SetDescriptorValue(dvHeight, height);
  frame->AllocatePixels();
  std::copy(indexes.begin(), indexes.end(), frame->Data());
  cl::TMemoryStream stream;
  image.SaveToStream(stream);
  const auto* data = static_cast<const std::uint8_t*>(stream.Memory());
  Bytes bytes(data, data + stream.Size());
  if (transparentIndex >= 0) {
    // The image descriptor follows the screen descriptor and the global table.
    const std::size_t descriptor = 13 + ((bytes[10] & 0x80) ? 3u << ((bytes[10] & 7) + 1) : 0u);
    const Bytes control{0x21, 0xF9, 4, 0x01, 0, 0, static_cast<std::uint8_t>(transparentIndex), 0};
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(descriptor), control.begin(), control.end());
  }
  return bytes;
}

// One frame of an animated test GIF: its place, the colour index of all its pixels, its disposal and delay.
struct FrameSpec {
  int Left, Top, Width, Height;
  int Index;
  int Disposal;
  int Delay;  // units
};

// A GIF of a width x height screen with a global table of colors and a frame for each spec; loops >= 0 gives the
// first frame a loop extension.
inline Bytes AnimatedGif(int width, int height, const std::vector<cl::TColor>& colors,
                         const std::vector<FrameSpec>& specs, int loops = -1) {
  TGIFImageCore image;
  image.Header().SetWidth(width);
  image.Header().SetHeight(height);
  for (cl::TColor color : colors) image.GlobalColorMap().Add(color);
  for (const FrameSpec& spec : specs) {
    TGIFSubImageCore* frame = image.CreateFrame();
    image.Images().Add(frame);
    frame->SetDescriptorValue(dvLeft, spec.Left);
    frame->SetDescriptorValue(dvTop, spec.Top);
    frame->SetDescriptorValue(dvWidth, spec.Width);
    frame->SetDescriptorValue(dvHeight, spec.Height);
    frame->AllocatePixels();
    std::fill(frame->Data(), frame->Data() + spec.Width * spec.Height, static_cast<std::uint8_t>(spec.Index));
    Bytes extensions;
    if (loops >= 0 && image.FrameCount() == 1) {
      extensions = {0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1};
      extensions.insert(extensions.end(), {static_cast<std::uint8_t>(loops), static_cast<std::uint8_t>(loops >> 8), 0});
    }
    extensions.insert(extensions.end(),
                      {0x21, 0xF9, 4, static_cast<std::uint8_t>(spec.Disposal << 2),
                       static_cast<std::uint8_t>(spec.Delay), static_cast<std::uint8_t>(spec.Delay >> 8), 0, 0});
    cl::TMemoryStream stream;
    stream.WriteBuffer(extensions.data(), static_cast<std::int32_t>(extensions.size()));
    stream.SetPosition(0);
    frame->Extensions().LoadFromStream(stream, frame);
  }
  cl::TMemoryStream stream;
  image.SaveToStream(stream);
  const auto* data = static_cast<const std::uint8_t*>(stream.Memory());
  return Bytes(data, data + stream.Size());
}

// A sample picture of giflib's source package.
inline std::string GiflibSample(const std::string& name) {
  const char* folder = std::getenv("PROJECT_GIFLIB_SAMPLES");
  return std::string(folder ? folder : "") + "\\" + name;
}

inline Owned<TGIFImage> LoadGif(const Bytes& bytes) {
  Owned<TGIFImage> image = Make<TGIFImage>();
  cl::TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  stream.SetPosition(0);
  image->LoadFromStream(stream);
  return image;
}

// Every pixel of a bitmap as 0x00RRGGBB, rows from the top.
inline std::vector<std::uint32_t> ColorsOf(cl::TBitmap* bitmap) {
  return PixelsOf(bitmap).Colors;
}

// A GIF file loaded by file name into a picture becomes a TGIFImage (once the GIF image is registered).
inline void ExpectPicturesLoadGifFilesAsGifImages() {
  const std::string file = ScratchPath("picture.gif");
  WriteBytes(file, GifFile(2, 1, {0, 1}, {RGB(255, 0, 0), RGB(0, 255, 0)}));
  Owned<cl::TPicture> picture = Make<cl::TPicture>();
  picture->LoadFromFile(file);
  auto* image = dynamic_cast<TGIFImage*>(picture->Graphic());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(PixelsOf(image->GetBitmap()).Colors, (std::vector<std::uint32_t>{0xFF0000, 0x00FF00}));
}

}  // namespace img::testing
