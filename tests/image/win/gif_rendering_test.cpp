// Frames of the GIF graphic shown through GDI: the palette and DIB helpers, plain and dithered renderings, the
// transparency mask, drawing at the frame's place and both ways of drawing through the mask.
#include <gtest/gtest.h>

#include <string>

#include "classlib/core/exceptions.h"
#include "classlib/win/gdi.h"
#include "classlib/win/system_info.h"
#include "gif_test_support.h"
#include "image/core/gif_error.h"
#include "image/core/gif_render.h"
#include "image/gif_gdi.h"
#include "image/gif_transparent_blt.h"

namespace img {
namespace {

using namespace testing;
using testing::Make;
using testing::Owned;

constexpr cl::TColor kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
                     kWhite = RGB(255, 255, 255);

// The rows of a mask bitmap as stored: 16-bit padded rows from the top.
Bytes MaskBytes(HBITMAP mask, int width, int height) {
  Bytes bytes(static_cast<std::size_t>(MaskRowBytes(width) * height));
  GetBitmapBits(mask, static_cast<LONG>(bytes.size()), bytes.data());
  return bytes;
}

// The 8-bit rows of a rendering, from the top.
Bytes IndexesOf(cl::TBitmap* bitmap) {
  Bytes indexes;
  for (int y = 0; y < bitmap->Height(); ++y) {
    const auto* row = static_cast<const std::uint8_t*>(bitmap->ScanLine(y));
    indexes.insert(indexes.end(), row, row + bitmap->Width());
  }
  return indexes;
}

TEST(GifGdi, PalettesOfTheCubeAndOfColourMaps) {
  cl::gdi::Object<HPALETTE> cube(Create216ColorPalette());
  PALETTEENTRY entries[256];
  ASSERT_EQ(GetPaletteEntries(cube.Get(), 0, 256, entries), 216u);
  auto rgb = [](const PALETTEENTRY& e) { return RGB(e.peRed, e.peGreen, e.peBlue); };
  EXPECT_EQ(rgb(entries[0]), RGB(0, 0, 0));
  EXPECT_EQ(rgb(entries[36]), RGB(51, 0, 0));
  EXPECT_EQ(rgb(entries[215]), RGB(255, 255, 255));

  Owned<TGIFImage> image = LoadGif(GifFile(1, 1, {0}, {kRed, kBlue, kGreen}));
  EXPECT_EQ(CreatePaletteHandle(image->Frames(0)->ColorMap()), nullptr);  // the frame has no map of its own
  cl::gdi::Object<HPALETTE> global(CreatePaletteHandle(image->GlobalColorMap()));
  ASSERT_EQ(GetPaletteEntries(global.Get(), 0, 256, entries), 4u);  // the file's table holds a power of two
  EXPECT_EQ(rgb(entries[1]), kBlue);
}

TEST(GifGdi, FailedGdiCallsRaiseWithTheSystemsText) {
  EXPECT_EQ(CheckGDIResult(reinterpret_cast<HDC>(1)), reinterpret_cast<HDC>(1));
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  try {
    CheckGDIResult(HDC{});
    FAIL();
  } catch (const cl::EOutOfResources& error) {
    EXPECT_EQ(error.Message(), cl::SysErrorMessage(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_FALSE(error.Message().empty());
  }
  SetLastError(0);
  try {
    CheckGDIResult(HDC{});
    FAIL();
  } catch (const cl::EOutOfResources& error) {
    EXPECT_EQ(error.Message(), "Out of system resources");
  }
}

TEST(GifGdi, DibHeadersComeFromSectionsOrFromTheBitmapsSize) {
  Owned<cl::TBitmap> section = PatternBitmap(5, 3);
  Owned<cl::TBitmap> device = Make<cl::TBitmap>();
  device->SetSize(5, 3);
  for (cl::TBitmap* bitmap : {section.get(), device.get()}) {
    BITMAPINFOHEADER header;
    FillDIBHeader(bitmap->Handle(), header, cl::pf4bit);
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biWidth, 5);
    EXPECT_EQ(header.biHeight, 3);
    EXPECT_EQ(header.biBitCount, 4);
    EXPECT_EQ(header.biSizeImage, 3u * 4u);  // 5 nibbles padded to 4 bytes
    DWORD headerSize = 0, imageSize = 0;
    GetDIBSizesFor(bitmap->Handle(), headerSize, imageSize, cl::pf8bit);
    EXPECT_EQ(headerSize, 40u + 4u * 256u);
    EXPECT_EQ(imageSize, 3u * 8u);
    GetDIBSizesFor(bitmap->Handle(), headerSize, imageSize, cl::pf24bit);
    EXPECT_EQ(headerSize, 40u);
    EXPECT_THROW(FillDIBHeader(bitmap->Handle(), header, cl::pf16bit), GIFException);
  }
}

TEST(GifFrameRendering, ScanLinesHoldTheIndexesAndThePaletteTheColourMap) {
  const Bytes indexes{0, 1, 2, 2, 1, 0};
  Owned<TGIFImage> image = LoadGif(GifFile(3, 2, indexes, {kRed, kGreen, kBlue}));
  TGIFSubImage* frame = image->Frames(0);
  cl::TBitmap* bitmap = frame->GetBitmap();
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->PixelFormat(), cl::pf8bit);
  EXPECT_EQ(IndexesOf(bitmap), indexes);
  EXPECT_EQ(ColorsOf(bitmap), (std::vector<std::uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0x0000FF, 0x00FF00, 0xFF0000}));
  EXPECT_EQ(frame->GetBitmap(), bitmap);  // rendered once
  frame->FreeBitmap();
  EXPECT_NE(frame->GetBitmap(), nullptr);
}

TEST(GifFrameRendering, MasksMarkTransparentPixelsOnlyWhereThereAreAny) {
  struct Case {
    const char* name;
    int width;
    Bytes indexes;
    int transparentIndex;
    Bytes mask;  // empty: no mask
  };
  const Case cases[] = {
      {"no transparent colour", 2, {0, 1}, -1, {}},
      {"transparent colour nowhere", 2, {0, 0}, 1, {}},
      {"one transparent pixel", 1, {1}, 1, {0x80, 0}},
      {"ninth pixel", 9, {0, 0, 0, 0, 0, 0, 0, 0, 1}, 1, {0x00, 0x80}},
      {"first and last of seventeen", 17, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, 1, {0x80, 0, 0x80, 0}},
  };
  for (TGIFDrawOptions options : {TGIFDrawOptions{0}, TGIFDrawOptions{Draw216Palette}}) {
    for (const Case& c : cases) {
      Owned<TGIFImage> image = LoadGif(GifFile(c.width, 1, c.indexes, {kRed, kBlue}, c.transparentIndex));
      image->SetDrawOptions(options);
      TGIFSubImage* frame = image->Frames(0);
      EXPECT_EQ(frame->MaskReady(), !c.mask.empty()) << c.name;
      if (c.mask.empty()) {
        EXPECT_EQ(frame->Mask(), nullptr) << c.name;
      } else {
        EXPECT_EQ(MaskBytes(frame->Mask(), c.width, 1), c.mask) << c.name << " options " << options;
      }
    }
  }
}

TEST(GifFrameRendering, TheCubeRenderingIsTheErrorDiffusionOfTheFrame) {
  // Four pixels of (20, 20, 20), nearest to cube entry 0. The first leaves 20 behind, of which its right
  // neighbour gets 8 and becomes (28, 28, 28), entry 43; the second row runs right to left, its right pixel
  // drops to 15 (entry 0) and hands 6 on, so that its left pixel reaches 28 again.
  Owned<TGIFImage> image = LoadGif(GifFile(2, 2, Bytes(4, 0), {RGB(20, 20, 20)}));
  image->SetDrawOptions(Draw216Palette);  // the screen shows no palette: ask for the cube whatever it shows
  cl::TBitmap* bitmap = image->Frames(0)->GetBitmap();
  EXPECT_EQ(IndexesOf(bitmap), Bytes({0, 43, 43, 0}));
  for (std::uint32_t color : ColorsOf(bitmap)) {  // the palette is the cube's
    for (int shift : {0, 8, 16}) EXPECT_EQ((color >> shift & 0xFF) % 51, 0u) << std::hex << color;
  }
}

TEST(GifFrameRendering, RenderingReportsProgressAndAnAbortLeavesNoBitmapButTheMaskWanted) {
  Owned<TGIFImage> image = LoadGif(GifFile(2, 70, Bytes(140, 0), {kRed}, 0));
  std::vector<std::string> reports;
  bool abort = true;
  image->SetOnProgress([&](cl::TObject* sender, cl::TProgressStage stage, std::uint8_t percent, bool, const cl::TRect&,
                           const std::string& message) {
    EXPECT_EQ(sender, image->Frames(0));
    reports.push_back(std::to_string(stage) + " " + std::to_string(percent) + " " + message);
    if (abort && stage == cl::psRunning) cl::Abort();
  });
  EXPECT_EQ(image->Frames(0)->GetBitmap(), nullptr);
  EXPECT_EQ(reports, (std::vector<std::string>{"0 0 Rendering...", "1 0 Rendering...", "2 0 Rendering..."}));
  abort = false;
  reports.clear();
  EXPECT_TRUE(image->Frames(0)->MaskReady());
  EXPECT_NE(image->Frames(0)->GetBitmap(), nullptr);
  EXPECT_EQ(reports, (std::vector<std::string>{"0 0 Rendering...", "1 0 Rendering...", "1 45 Rendering...",
                                               "1 91 Rendering...", "2 100 Rendering..."}));
}

// A 24-bit bitmap filled with red.
Owned<cl::TBitmap> RedBitmap(int width, int height) {
  Owned<cl::TBitmap> bitmap = Make<cl::TBitmap>();
  bitmap->SetPixelFormat(cl::pf24bit);
  bitmap->SetSize(width, height);
  bitmap->Canvas()->Brush()->SetColor(kRed);
  bitmap->Canvas()->FillRect(cl::Rect(0, 0, width, height));
  return bitmap;
}

TEST(GifFrameDrawing, BothMaskPathsKeepTheBackgroundUnderTransparentPixelsAndTheDCsColours) {
  // Green, transparent (blue), white / transparent, white, green.
  Owned<TGIFImage> image = LoadGif(GifFile(3, 2, {0, 1, 2, 1, 2, 0}, {kGreen, kBlue, kWhite}, 1));
  TGIFSubImage* frame = image->Frames(0);
  ASSERT_TRUE(frame->MaskReady());
  const std::vector<std::uint32_t> expected{0x00FF00, 0xFF0000, 0xFFFFFF, 0xFF0000, 0xFFFFFF, 0x00FF00};
  for (TTransparentBltPath path : {TTransparentBltPath::MaskBlt, TTransparentBltPath::AndOr}) {
    for (int scale : {1, 2}) {
      if (path == TTransparentBltPath::MaskBlt && scale == 2) continue;  // MaskBlt does not stretch
      Owned<cl::TBitmap> target = RedBitmap(3 * scale, 2 * scale);
      HDC dc = target->Canvas()->Handle();
      SetTextColor(dc, RGB(1, 2, 3));
      SetBkColor(dc, RGB(4, 5, 6));
      {
        cl::gdi::MemoryDC maskDC;
        cl::gdi::SelectGuard selected(maskDC.Get(), frame->Mask());
        HDC source = frame->GetBitmap()->Canvas()->Handle();
        EXPECT_TRUE(
            TransparentStretchBlt(dc, 0, 0, 3 * scale, 2 * scale, source, 0, 0, 3, 2, maskDC.Get(), 0, 0, path));
      }
      EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
      EXPECT_EQ(GetBkColor(dc), RGB(4, 5, 6));
      const Pixels pixels = PixelsOf(target.get());
      for (int y = 0; y < pixels.Height; ++y)
        for (int x = 0; x < pixels.Width; ++x)
          EXPECT_EQ(pixels.At(x, y), expected[static_cast<std::size_t>(y / scale * 3 + x / scale)])
              << "path " << static_cast<int>(path) << " scale " << scale << " at " << x << "," << y;
    }
  }
}

TEST(GifFrameDrawing, FramesLandAtTheirPlaceOnTheStretchedScreen) {
  Owned<TGIFImage> image = Make<TGIFImage>();
  image->Header().SetWidth(4);
  image->Header().SetHeight(4);
  image->GlobalColorMap().Add(kBlue);
  TGIFSubImage* frame = image->CreateFrame();
  image->Images().Add(frame);
  frame->SetDescriptorValue(dvLeft, 1);
  frame->SetDescriptorValue(dvTop, 2);
  frame->SetDescriptorValue(dvWidth, 2);
  frame->SetDescriptorValue(dvHeight, 1);
  frame->AllocatePixels();
  EXPECT_EQ(frame->ScaleRect(cl::Rect(10, 10, 18, 18)), cl::Rect(12, 14, 16, 16));
  for (bool transparent : {false, true}) {
    Owned<cl::TBitmap> target = RedBitmap(8, 8);
    frame->Draw(target->Canvas(), cl::Rect(0, 0, 8, 8), transparent);
    const Pixels pixels = PixelsOf(target.get());
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        EXPECT_EQ(pixels.At(x, y), x >= 2 && x < 6 && y >= 4 && y < 6 ? 0x0000FFu : 0xFF0000u) << x << "," << y;
  }
}

TEST(GifFrameDrawing, TransparentDrawingGoesThroughTheMaskStretchedOrNot) {
  Owned<TGIFImage> image = LoadGif(GifFile(2, 1, {0, 1}, {kGreen, kBlue}, 1));
  for (int size : {2, 4}) {
    Owned<cl::TBitmap> target = RedBitmap(size, size / 2);
    image->Frames(0)->Draw(target->Canvas(), cl::Rect(0, 0, size, size / 2), true);
    const Pixels pixels = PixelsOf(target.get());
    EXPECT_EQ(pixels.At(0, 0), 0x00FF00u) << size;
    EXPECT_EQ(pixels.At(size - 1, 0), 0xFF0000u) << size;
  }
}

}  // namespace
}  // namespace img
