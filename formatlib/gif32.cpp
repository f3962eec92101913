// GIF32: GIF files to and from bitmaps, over the GIF classes' core.
//
// Choices of this module:
// - LoadGIFIntoBitmap gives frame `pageIndex` (from 0, counting the frames that hold pixels) at its own size,
//   as a 1, 4 or 8-bit bitmap with the frame's colour table (its own, else the file's global one). Indexes past
//   the table show black; transparency and the frames before it are not composed in.
// - SaveBitmapInGIFFormat writes the bitmap as a one-frame GIF file that replaces an existing one; the page index
//   is not used. Bitmaps of 1 to 8 bits keep their colour table and indexes; deeper ones are reduced to at most
//   256 colours (exactly when they have no more than that).
#include <algorithm>
#include <cstring>
#include <vector>

#include "classlib/core/streams.h"
#include "formatlib/dib_convert.h"
#include "formatlib/file_access.h"
#include "formatlib/formatlib.h"
#include "formatlib/module_errors.h"
#include "image/core/gif_error.h"
#include "image/core/gif_image_core.h"
#include "image/core/gif_quantizer.h"

using fl::DibImage;
using fl::Guarded;
using fl::Module;

namespace {

constexpr int kMaxGifSide = 0xFFFF;

// Runs body, turning the GIF classes' exceptions into the library's error codes.
template <class Body>
auto TranslatingGifErrors(Body&& body) {
  try {
    return body();
  } catch (const img::GIFException& error) {
    fl::Fail(std::strcmp(error.what(), "Premature end of data") == 0 ? fl::kTruncatedFile : fl::kBadGifData);
  } catch (const cl::EOutOfMemory&) {
    fl::Fail(fl::kOutOfMemory);
  } catch (const cl::Exception&) {
    fl::Fail(fl::kCannotReadFile);
  }
}

img::TGIFSubImageCore& PickFrame(img::TGIFImageCore& image, int pageIndex) {
  int page = 0;
  for (int i = 0; i < image.FrameCount(); ++i) {
    img::TGIFSubImageCore* frame = image.Frame(i);
    if (frame->Empty()) continue;
    if (page++ == pageIndex) return *frame;
  }
  fl::Fail(fl::kBadPageIndex);
}

DibImage FrameToDib(img::TGIFSubImageCore& frame) {
  img::TGIFColorMap& map = frame.ColorMapInUse();
  const std::uint8_t* pixels = frame.Data();
  const std::size_t count = frame.DataSize();
  const int largest = count == 0 ? 0 : *std::max_element(pixels, pixels + count);
  const int needed = std::max(img::BitsForColorCount(std::max(map.Count(), largest + 1)), 1);
  const int bitCount = needed == 1 ? 1 : needed <= 4 ? 4 : 8;
  DibImage image;
  fl::Check(fl::CreateDibImage(frame.Width(), frame.Height(), bitCount, image));
  // Entries past the map stay black.
  image.palette.assign(std::size_t{1} << bitCount, fl::RgbQuad{});
  for (int i = 0; i < map.Count(); ++i) {
    const img::TGIFColor& color = map.Entry(i);
    image.palette[static_cast<std::size_t>(i)] = fl::MakeRgb(color.Red, color.Green, color.Blue);
  }
  for (int y = 0; y < frame.Height(); ++y) {
    for (int x = 0; x < frame.Width(); ++x) image.SetIndexAt(x, y, *pixels++);
  }
  return image;
}

// The frame's colour table and pixels from a picture: its own table for palette depths, a reduced one else.
void DibToFrame(const DibImage& image, img::TGIFImageCore& gif, img::TGIFSubImageCore& frame) {
  std::vector<std::uint8_t> table;
  std::uint8_t* pixels = frame.Data();
  if (image.HasPalette()) {
    for (const fl::RgbQuad& entry : image.palette) table.insert(table.end(), {entry.blue, entry.green, entry.red, 0});
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) *pixels++ = static_cast<std::uint8_t>(image.IndexAt(x, y));
    }
  } else {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(frame.DataSize() * 3);
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        const fl::RgbQuad color = image.ColorAt(x, y);
        rgb.insert(rgb.end(), {color.red, color.green, color.blue});
      }
    }
    const img::TQuantizedPixels reduced = img::QuantizeTo256Colors(rgb.data(), frame.DataSize());
    for (const img::TGIFColor& color : reduced.Palette)
      table.insert(table.end(), {color.Blue, color.Green, color.Red, 0});
    std::copy(reduced.Indices.begin(), reduced.Indices.end(), pixels);
  }
  gif.GlobalColorMap().ImportDIBColors(table.data(), static_cast<int>(table.size() / 4));
}

std::vector<std::uint8_t> EncodeGif(const DibImage& image) {
  if (image.width > kMaxGifSide || image.height > kMaxGifSide) fl::Fail(fl::kBadDimensions);
  img::TGIFImageCore gif;
  gif.Header().SetWidth(image.width);
  gif.Header().SetHeight(image.height);
  img::TGIFSubImageCore* frame = gif.CreateFrame();
  gif.Images().Add(frame);
  frame->SetDescriptorValue(img::dvWidth, image.width);
  frame->SetDescriptorValue(img::dvHeight, image.height);
  frame->AllocatePixels();
  DibToFrame(image, gif, *frame);
  cl::TMemoryStream stream;
  gif.SaveToStream(stream);
  const auto* bytes = static_cast<const std::uint8_t*>(stream.Memory());
  return std::vector<std::uint8_t>(bytes, bytes + stream.Size());
}

}  // namespace

HBITMAP LoadGIFIntoBitmap(const char* fileName, int pageIndex, DWORD* paletteSlot) {
  fl::ClearSlot(paletteSlot);
  return Guarded<HBITMAP>(Module::kImage, nullptr, [&] {
    const std::vector<std::uint8_t> file = fl::ReadWholeFile(fileName);
    const DibImage image = TranslatingGifErrors([&] {
      cl::TMemoryStream stream;
      if (!file.empty()) stream.WriteBuffer(file.data(), static_cast<std::int32_t>(file.size()));
      stream.SetPosition(0);
      img::TGIFImageCore gif;
      gif.LoadFromStream(stream);
      return FrameToDib(PickFrame(gif, pageIndex));
    });
    return fl::BitmapFromDib(image);
  });
}

int SaveBitmapInGIFFormat(const char* fileName, HBITMAP bitmap, int pageIndex, DWORD* slot) {
  fl::ClearSlot(slot);
  return Guarded<int>(Module::kImage, 0, [&] {
    const DibImage image = fl::DibFromBitmap(bitmap);
    const std::vector<std::uint8_t> file = TranslatingGifErrors([&] { return EncodeGif(image); });
    fl::WriteFileSafely(fileName, file);
    return 1;
  });
}
