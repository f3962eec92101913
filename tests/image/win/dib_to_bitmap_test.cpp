// The conversion of the PNG reader's packed DIB into a bitmap: colour tables of both header kinds, the palette
// selected in the foreground, and DIBs whose header promises more than the block holds.
#include <gtest/gtest.h>

#include <cstring>

#include "classlib/core/exceptions.h"
#include "image/dib_to_bitmap.h"
#include "load_image_test_support.h"
#include "support/import_hook.h"

namespace img {
namespace {

using namespace testing;

void Put16(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  bytes[at] = value & 0xFF;
  bytes[at + 1] = (value >> 8) & 0xFF;
}
void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  Put16(bytes, at, value & 0xFFFF);
  Put16(bytes, at + 2, value >> 16);
}

HGLOBAL GlobalCopy(const std::vector<uint8_t>& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

// A 2 x 1 picture of 8 bits a pixel with two colours (red, then blue), its rows padded to 4 bytes.
std::vector<uint8_t> TwoColorDib(bool coreHeader) {
  const size_t header = coreHeader ? 12 : 40, entry = coreHeader ? 3 : 4;
  std::vector<uint8_t> bytes(header + 256 * entry + 4, 0);
  Put32(bytes, 0, static_cast<uint32_t>(header));
  if (coreHeader) {
    Put16(bytes, 4, 2);
    Put16(bytes, 6, 1);
    Put16(bytes, 8, 1);
    Put16(bytes, 10, 8);
  } else {
    Put32(bytes, 4, 2);
    Put32(bytes, 8, 1);
    Put16(bytes, 12, 1);
    Put16(bytes, 14, 8);
  }
  bytes[header + 2] = 0xFF;             // entry 0: blue, green, red = red
  bytes[header + entry] = 0xFF;         // entry 1: blue
  bytes[header + 256 * entry + 1] = 1;  // pixels 0 and 1
  return bytes;
}

TEST(DibToBitmapTest, ReadsColourTablesOfCoreAndInfoHeaders) {
  for (bool core : {true, false}) {
    Owned<cl::TBitmap> bitmap = Make<cl::TBitmap>();
    PackedDibToBitmap(GlobalCopy(TwoColorDib(core)), bitmap.get());
    const Pixels pixels = PixelsOf(bitmap.get());
    ASSERT_EQ(pixels.Width, 2);
    EXPECT_EQ(pixels.At(0, 0), 0xFF0000u) << core;
    EXPECT_EQ(pixels.At(1, 0), 0x0000FFu) << core;
    EXPECT_NE(bitmap->Palette(), nullptr);
  }
}

// The force-background argument of every palette selection while a hook is in place.
std::vector<BOOL> gForceBackground;
decltype(&SelectPalette) gSelectPalette = nullptr;

HPALETTE WINAPI RecordSelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground) {
  gForceBackground.push_back(forceBackground);
  return gSelectPalette(dc, palette, forceBackground);
}

TEST(DibToBitmapTest, SelectsTheTablesPaletteInTheForeground) {
  testsupport::ImportHook hook("gdi32.dll", "SelectPalette", reinterpret_cast<void*>(&RecordSelectPalette));
  gSelectPalette = reinterpret_cast<decltype(&SelectPalette)>(hook.Original());
  gForceBackground.clear();
  Owned<cl::TBitmap> bitmap = Make<cl::TBitmap>();
  PackedDibToBitmap(GlobalCopy(TwoColorDib(false)), bitmap.get());
  ASSERT_FALSE(gForceBackground.empty());
  EXPECT_EQ(gForceBackground.front(), FALSE);
}

TEST(DibToBitmapTest, RefusesDibsLargerThanTheirBlock) {
  std::vector<uint8_t> shortBits = TwoColorDib(false);
  Put32(shortBits, 8, 1000);  // 1000 rows in a block that holds one
  std::vector<uint8_t> shortHeader(20, 0);
  Put32(shortHeader, 0, 40);
  for (const std::vector<uint8_t>& bytes : {shortBits, shortHeader}) {
    Owned<cl::TBitmap> bitmap = Make<cl::TBitmap>();
    EXPECT_THROW(PackedDibToBitmap(GlobalCopy(bytes), bitmap.get()), cl::EInvalidGraphic);
    EXPECT_TRUE(bitmap->Empty());
  }
}

}  // namespace
}  // namespace img
