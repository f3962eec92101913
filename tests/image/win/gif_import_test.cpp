// GIF frames made from bitmaps of every depth and from other frames: colours kept through a GIF file, the colour
// table's limit, progress, and copies of frames.
#include <gtest/gtest.h>

#include <string>

#include "gif_test_support.h"
#include "image/core/gif_error.h"

namespace img {
namespace {

using namespace testing;
using testing::Make;
using testing::Owned;

// One of 200 colours, different for neighbours.
COLORREF SampleColor(int x, int y) {
  const int c = (x * 7 + y * 13) % 200;
  return RGB(c, 255 - c, (c * 37) & 0xFF);
}

Owned<cl::TBitmap> ColorfulBitmap(int width, int height, cl::TPixelFormat format) {
  Owned<cl::TBitmap> bitmap = Make<cl::TBitmap>();
  bitmap->SetPixelFormat(cl::pf32bit);
  bitmap->SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<std::uint8_t*>(bitmap->ScanLine(y));
    for (int x = 0; x < width; ++x) {
      const COLORREF color = SampleColor(x, y);
      row[4 * x] = GetBValue(color);
      row[4 * x + 1] = GetGValue(color);
      row[4 * x + 2] = GetRValue(color);
    }
  }
  bitmap->SetPixelFormat(format);
  return bitmap;
}

Pixels ThroughGifFile(cl::TBitmap* bitmap, const std::string& name) {
  Owned<TGIFImage> gif = Make<TGIFImage>();
  gif->Assign(bitmap);
  gif->SaveToFile(ScratchPath(name));
  Owned<TGIFImage> loaded = Make<TGIFImage>();
  loaded->LoadFromFile(ScratchPath(name));
  return PixelsOf(loaded->GetBitmap());
}

TEST(GifImport, BitmapsOfEveryDepthKeepTheirColoursThroughAGifFile) {
  for (cl::TPixelFormat format : {cl::pf1bit, cl::pf4bit, cl::pf8bit, cl::pf24bit, cl::pfDevice}) {
    Owned<cl::TBitmap> bitmap = ColorfulBitmap(37, 23, format);  // odd width: padded rows and half bytes
    if (format == cl::pf8bit) {
      // A palette of the picture's own: entry i is a colour no fixed palette holds.
      std::vector<cl::dib::TColorEntry> colors;
      for (int i = 0; i < 256; ++i)
        colors.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 77, 0});
      bitmap->SetPalette(static_cast<HPALETTE>(cl::gdi::Untrack(cl::dib::CreatePaletteOf(colors))));
    }
    const Pixels original = PixelsOf(bitmap.get());
    EXPECT_EQ(ThroughGifFile(bitmap.get(), "depth.gif").Colors, original.Colors) << "format " << format;
  }
}

TEST(GifImport, PaletteBitmapsBringTheirColourTables) {
  Owned<TGIFImage> gif = Make<TGIFImage>();
  gif->Assign(ColorfulBitmap(3, 2, cl::pf1bit).get());
  EXPECT_EQ(gif->Frames(0)->ColorMap().Count(), 2);
  gif->Assign(ColorfulBitmap(3, 2, cl::pf4bit).get());
  EXPECT_EQ(gif->Frames(0)->ColorMap().Count(), 16);
  EXPECT_EQ(gif->Frames(0)->Width(), 3);
}

TEST(GifImport, MoreThan256ColoursOfADeviceBitmapOverflowTheColourTable) {
  Owned<cl::TBitmap> bitmap = Make<cl::TBitmap>();
  bitmap->SetSize(257, 1);
  for (int x = 0; x < 257; ++x) bitmap->Canvas()->SetPixels(x, 0, RGB(x & 0xFF, x >> 8, 9));
  Owned<TGIFImage> gif = Make<TGIFImage>();
  try {
    gif->Assign(bitmap.get());
    FAIL();
  } catch (const GIFException& error) {
    EXPECT_STREQ(error.what(), "Color table overflow");
  }
  // Deeper pictures of as many colours are reduced instead.
  bitmap->SetPixelFormat(cl::pf24bit);
  gif->Assign(bitmap.get());
  EXPECT_EQ(gif->Frames(0)->ColorMap().Count(), 256);
}

TEST(GifImport, AFrameAlreadyShownTakesANewPicture) {
  Owned<TGIFImage> gif = Make<TGIFImage>();
  gif->Assign(ColorfulBitmap(5, 4, cl::pf8bit).get());
  TGIFSubImage* frame = gif->Frames(0);
  ASSERT_NE(frame->GetBitmap(), nullptr);  // a rendering with its palette, and the palette cached
  ASSERT_NE(frame->GetPalette(), nullptr);
  // The colour map grows colour by colour while the picture is read: nothing cached may go meanwhile.
  Owned<cl::TBitmap> device = ColorfulBitmap(9, 7, cl::pfDevice);
  frame->Assign(device.get());
  EXPECT_EQ(ColorsOf(frame->GetBitmap()), ColorsOf(device.get()));
  frame->FreeBitmap();
  EXPECT_EQ(ColorsOf(frame->GetBitmap()), ColorsOf(device.get()));  // rendered again from the imported indexes
  Owned<cl::TBitmap> replacement = ColorfulBitmap(3, 2, cl::pf24bit);
  frame->SetBitmap(replacement.get());
  EXPECT_EQ(ColorsOf(frame->GetBitmap()), ColorsOf(replacement.get()));
}

TEST(GifImport, ConvertingReportsProgressEvery32Rows) {
  Owned<TGIFImage> gif = Make<TGIFImage>();
  std::vector<std::string> reports;
  gif->SetOnProgress([&](cl::TObject*, cl::TProgressStage stage, std::uint8_t percent, bool, const cl::TRect&,
                         const std::string& message) {
    reports.push_back(std::to_string(stage) + " " + std::to_string(percent) + " " + message);
  });
  gif->Assign(ColorfulBitmap(2, 40, cl::pf8bit).get());
  EXPECT_EQ(reports, (std::vector<std::string>{"0 0 Converting...", "1 0 Converting...", "1 80 Converting...",
                                               "2 100 Converting..."}));
}

TEST(GifImport, FramesCopyTheirExtensionsPixelsAndRendering) {
  Owned<TGIFImage> source = LoadGif(GifFile(3, 1, {0, 1, 0}, {RGB(9, 9, 9), RGB(200, 0, 0)}, 1));
  TGIFSubImage* original = source->Frames(0);
  original->GetBitmap();
  Owned<TGIFImage> target = Make<TGIFImage>();
  target->Header().Assign(&source->Header());
  TGIFSubImage* copy = target->CreateFrame();
  target->Images().Add(copy);
  copy->Assign(original);
  EXPECT_EQ(Bytes(copy->Data(), copy->Data() + copy->DataSize()), (Bytes{0, 1, 0}));
  EXPECT_TRUE(copy->Transparent());
  EXPECT_EQ(copy->Extensions().Count(), 1);
  EXPECT_TRUE(copy->HasBitmap());
  EXPECT_EQ(ColorsOf(copy->GetBitmap()), ColorsOf(original->GetBitmap()));

  TGIFSubImage* empty = target->CreateFrame();
  copy->Assign(empty);
  EXPECT_TRUE(copy->Empty());
  EXPECT_EQ(copy->Extensions().Count(), 0);
  cl::Free(empty);
  EXPECT_THROW(copy->Assign(source.get()), cl::EConvertError);
}

}  // namespace
}  // namespace img
