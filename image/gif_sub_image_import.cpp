// Frames made from other frames and from bitmaps: palette bitmaps through a device-independent copy of their
// pixels, device-dependent ones colour by colour into the local colour map.
#include <cstring>

#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "classlib/win/dib.h"
#include "image/core/gif_error.h"
#include "image/core/gif_import.h"
#include "image/core/gif_quantizer.h"
#include "image/gif_gdi.h"
#include "image/gif_image.h"
#include "image/gif_sub_image.h"

namespace img {
namespace {

constexpr int kRowsPerProgressReport = 32;
const char* const kConverting = "Converting...";

}  // namespace

void TGIFSubImage::Assign(const cl::TPersistent* source) {
  if (const auto* frame = dynamic_cast<const TGIFSubImageCore*>(source)) {
    if (frame != this) AssignFrame(*frame);
  } else if (const auto* bitmap = dynamic_cast<const cl::TBitmap*>(source)) {
    AssignBitmap(const_cast<cl::TBitmap*>(bitmap));
  } else {
    inherited::Assign(source);
  }
}

void TGIFSubImage::AssignFrame(const TGIFSubImageCore& source) {
  Clear();
  auto& from = const_cast<TGIFSubImageCore&>(source);  // writing prepares the source's descriptor
  if (from.Empty()) return;
  Owned<cl::TMemoryStream> stream = MakeOwned<cl::TMemoryStream>();
  from.SaveToStream(*stream);
  stream->SetPosition(0);
  LoadFromStream(*stream);
  const auto* rendered = dynamic_cast<const TGIFSubImage*>(&source);
  if (rendered && rendered->FBitmap) {
    CreateEmptyBitmap();
    FBitmap->Assign(rendered->FBitmap.get());
  }
}

void TGIFSubImage::AssignBitmap(cl::TBitmap* source) {
  Clear();
  if (source->Empty()) return;
  // No cached palette may free the bitmap the colours are read from while the colour map grows.
  SetPalette(nullptr);
  CreateEmptyBitmap();
  FBitmap->Assign(source);
  cl::TPixelFormat format = FBitmap->PixelFormat();
  if (format >= cl::pf15bit) {
    ReduceCachedBitmapTo8Bits();
    format = cl::pf8bit;
  }
  SetDescriptorValue(dvWidth, FBitmap->Width());
  SetDescriptorValue(dvHeight, FBitmap->Height());
  AllocatePixels();
  ReportStages(kConverting, [&] {
    if (format == cl::pfDevice) {
      ImportTrueColor();
      return;
    }
    try {
      CreateDIBFromBitmap(FBitmap.get());
      const auto* info = reinterpret_cast<const BITMAPINFO*>(FDIBHeader.data());
      const int bitCount = info->bmiHeader.biBitCount;
      const int colors = info->bmiHeader.biClrUsed != 0 ? static_cast<int>(info->bmiHeader.biClrUsed) : 1 << bitCount;
      ColorMap().ImportDIBColors(reinterpret_cast<const std::uint8_t*>(info->bmiColors), colors);
      ImportPaletteRows(bitCount);
    } catch (...) {
      FreeDIB();
      throw;
    }
    FreeDIB();
  });
}

void TGIFSubImage::ReduceCachedBitmapTo8Bits() {
  const cl::dib::TDibImage pixels = cl::dib::Read32(FBitmap->Handle(), FBitmap->Palette());
  const std::size_t count = static_cast<std::size_t>(pixels.Width) * static_cast<std::size_t>(pixels.Height);
  std::vector<std::uint8_t> rgb;
  rgb.reserve(3 * count);
  for (int y = 0; y < pixels.Height; ++y) {
    const std::uint8_t* row = pixels.Bits.data() + pixels.Stride() * static_cast<std::size_t>(y);
    for (int x = 0; x < pixels.Width; ++x) rgb.insert(rgb.end(), {row[4 * x + 2], row[4 * x + 1], row[4 * x]});
  }
  const TQuantizedPixels reduced = QuantizeTo256Colors(rgb.data(), count);
  cl::dib::TDibImage indexed;
  indexed.Width = pixels.Width;
  indexed.Height = pixels.Height;
  indexed.BitCount = 8;
  for (const TGIFColor& color : reduced.Palette) indexed.Colors.push_back({color.Blue, color.Green, color.Red, 0});
  indexed.Bits.assign(indexed.Stride() * static_cast<std::size_t>(indexed.Height), 0);
  for (int y = 0; y < indexed.Height; ++y) {
    std::memcpy(indexed.Bits.data() + indexed.Stride() * static_cast<std::size_t>(y),
                reduced.Indices.data() + static_cast<std::size_t>(y) * indexed.Width,
                static_cast<std::size_t>(indexed.Width));
  }
  // The bitmap counts the handles it takes over itself.
  FBitmap->SetHandle(static_cast<HBITMAP>(cl::gdi::Untrack(cl::dib::CreateSection(indexed))));
  FBitmap->SetPalette(static_cast<HPALETTE>(cl::gdi::Untrack(cl::dib::CreatePaletteOf(indexed.Colors))));
}

void TGIFSubImage::CreateDIBFromBitmap(cl::TBitmap* bitmap) {
  if (!bitmap->HandleAllocated()) RaiseGIFError("Bitmap image is not valid");
  FreeDIB();
  try {
    const cl::TPixelFormat own = bitmap->PixelFormat();
    const cl::TPixelFormat format =
        own == cl::pf1bit || own == cl::pf4bit || own == cl::pf8bit || own == cl::pf24bit ? own : cl::pf8bit;
    HBITMAP handle = bitmap->Handle();
    DWORD headerSize = 0, imageSize = 0;
    GetDIBSizesFor(handle, headerSize, imageSize, format);
    FDIBHeader.assign(headerSize, 0);
    FDIBBits.reset(GlobalAlloc(GMEM_MOVEABLE, imageSize));
    if (!FDIBBits) throw cl::EOutOfMemory("Failed to allocate memory for GIF DIB");
    FDIBPixels = static_cast<std::uint8_t*>(GlobalLock(FDIBBits.get()));
    if (!ReadDIBBits(handle, bitmap->Palette(), reinterpret_cast<BITMAPINFO*>(FDIBHeader.data()), FDIBPixels, format))
      RaiseGIFError("Failed to create DIB from Bitmap");
  } catch (...) {
    FreeDIB();
    throw;
  }
}

std::uint8_t* TGIFSubImage::GetDIBScanLine(int row) {
  if (!FDIBPixels) RaiseGIFError("Image has no DIB");
  if (row < 0 || row >= Height()) throw cl::EInvalidGraphicOperation("Scan line index out of range");
  GdiFlush();
  const BITMAPINFOHEADER& header = reinterpret_cast<const BITMAPINFO*>(FDIBHeader.data())->bmiHeader;
  if (header.biHeight > 0) row = header.biHeight - row - 1;  // bottom-up rows
  return FDIBPixels + static_cast<std::size_t>(row) * PaddedRowBytes(header.biWidth, header.biBitCount, 32);
}

void TGIFSubImage::ImportPaletteRows(int bitsPerPixel) {
  const int width = Width(), height = Height();
  for (int row = 0; row < height; ++row) {
    UnpackIndexRow(GetDIBScanLine(row), width, bitsPerPixel, Data() + static_cast<std::size_t>(row) * width);
    if (row % kRowsPerProgressReport == 0) Report(cl::psRunning, row * 100 / height, kConverting);
  }
}

void TGIFSubImage::ImportTrueColor() {
  // The colours are read from a copy of the pixels: growing the colour map may free the cached bitmap.
  const cl::dib::TDibImage pixels = cl::dib::Read32(FBitmap->Handle(), FBitmap->Palette());
  TGIFColorRing ring;
  TGIFLocalColorMap& map = ColorMap();
  const int width = Width(), height = Height();
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* from = pixels.Bits.data() + pixels.Stride() * static_cast<std::size_t>(height - 1 - row);
    std::uint8_t* to = Data() + static_cast<std::size_t>(row) * width;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t color = from[4 * x + 2] | (from[4 * x + 1] << 8) | (from[4 * x] << 16);
      to[x] = static_cast<std::uint8_t>(
          ring.IndexOf(color, [&](std::uint32_t c) { return map.Add(static_cast<cl::TColor>(c)); }));
    }
    if (row % kRowsPerProgressReport == 0) Report(cl::psRunning, row * 100 / height, kConverting);
  }
}

}  // namespace img
