// TBitmap: BMP reading and writing at every pixel format, malformed files, resizing, conversions and the handle
// rules.
#include <gtest/gtest.h>

#include "classlib/core/byte_reader.h"
#include "classlib/core/exceptions.h"
#include "graphics_test_support.h"

namespace cl {
namespace {

using testing::Make;
using testing::PatternBitmap;
using testing::PixelAt;
using testing::StreamBytes;
using testing::StreamOf;

std::vector<uint8_t> SaveBmp(TBitmap& bitmap) {
  Owned<TMemoryStream> stream = Make<TMemoryStream>();
  bitmap.SaveToStream(*stream);
  return StreamBytes(*stream);
}

Owned<TBitmap> LoadBmp(const std::vector<uint8_t>& bytes) {
  Owned<TBitmap> bitmap = Make<TBitmap>();
  Owned<TMemoryStream> stream = StreamOf(bytes);
  bitmap->LoadFromStream(*stream);
  return bitmap;
}

// A hand-made BMP: file header, a header of headerSize bytes and what follows it.
std::vector<uint8_t> BmpFile(uint32_t headerSize, int32_t width, int32_t height, uint16_t bitCount,
                             uint32_t compression, const std::vector<uint8_t>& tableAndBits, uint32_t tableSize) {
  std::vector<uint8_t> out{'B', 'M'};
  le::AppendU32(out, static_cast<uint32_t>(14 + headerSize + tableAndBits.size()));
  le::AppendU32(out, 0);
  le::AppendU32(out, 14 + headerSize + tableSize);
  le::AppendU32(out, headerSize);
  if (headerSize == 12) {
    le::AppendU16(out, static_cast<uint16_t>(width));
    le::AppendU16(out, static_cast<uint16_t>(height));
    le::AppendU16(out, 1);
    le::AppendU16(out, bitCount);
  } else {
    le::AppendU32(out, static_cast<uint32_t>(width));
    le::AppendU32(out, static_cast<uint32_t>(height));
    le::AppendU16(out, 1);
    le::AppendU16(out, bitCount);
    le::AppendU32(out, compression);
    out.resize(14 + headerSize, 0);
  }
  out.insert(out.end(), tableAndBits.begin(), tableAndBits.end());
  return out;
}

class BmpRoundTrip : public ::testing::TestWithParam<TPixelFormat> {};

TEST_P(BmpRoundTrip, KeepsEveryPixelAndTheFormat) {
  Owned<TBitmap> original = PatternBitmap(37, 23, GetParam());  // odd width: rows need padding
  const std::vector<uint8_t> file = SaveBmp(*original);
  Owned<TBitmap> loaded = LoadBmp(file);
  if (GetParam() == pfDevice) {
    EXPECT_EQ(loaded->PixelFormat(), pf24bit);  // device bitmaps are written as 24-bit
    EXPECT_EQ(dib::Read32(loaded->Handle(), nullptr).Bits, dib::Read32(original->Handle(), nullptr).Bits);
    return;
  }
  EXPECT_EQ(loaded->PixelFormat(), GetParam());
  const bmp::TDibImage before = dib::ReadSection(original->Handle());
  const bmp::TDibImage after = dib::ReadSection(loaded->Handle());
  EXPECT_EQ(after.Bits, before.Bits);
  EXPECT_EQ(after.Colors, before.Colors);
  EXPECT_EQ(SaveBmp(*loaded), file);
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, BmpRoundTrip,
                         ::testing::Values(pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit));

TEST(BmpReading, AcceptsCoreHeaderTopDownRowsAndRle8) {
  // 12-byte header, 1 bit: 3-byte colour entries.
  Owned<TBitmap> core = LoadBmp(BmpFile(12, 2, 1, 1, 0, {0, 0, 255, 255, 255, 255, 0x80, 0, 0, 0}, 6));
  EXPECT_EQ(PixelAt(*core, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(PixelAt(*core, 1, 0), 0xFF0000u);
  // Negative height: first stored row is the top one.
  // Red row, then green row (24-bit, 1 pixel wide).
  Owned<TBitmap> topDown = LoadBmp(BmpFile(40, 1, -2, 24, 0, {0, 0, 255, 0, 0, 255, 0, 0}, 0));
  EXPECT_EQ(PixelAt(*topDown, 0, 0), 0xFF0000u);
  EXPECT_EQ(PixelAt(*topDown, 0, 1), 0x00FF00u);
  // RLE8: two rows of a 4-pixel image; colour 1 is blue.
  std::vector<uint8_t> rle(8, 0);
  rle[4] = 255;  // entry 1: blue
  rle.resize(4 * 256, 0);
  for (uint8_t b : {4, 1, 0, 0, 2, 0, 2, 1, 0, 1}) rle.push_back(b);
  Owned<TBitmap> encoded = LoadBmp(BmpFile(40, 4, 2, 8, 1, rle, 4 * 256));
  EXPECT_EQ(PixelAt(*encoded, 0, 1), 0x0000FFu);  // bottom row (stored first) all blue
  EXPECT_EQ(PixelAt(*encoded, 3, 1), 0x0000FFu);
  EXPECT_EQ(PixelAt(*encoded, 1, 0), 0u);
  EXPECT_EQ(PixelAt(*encoded, 2, 0), 0x0000FFu);
}

TEST(BmpReading, StopsAtTheEndOfTheFileInsideALargerStream) {
  Owned<TBitmap> original = PatternBitmap(5, 3, pf24bit);
  std::vector<uint8_t> bytes = SaveBmp(*original);
  const size_t fileSize = bytes.size();
  bytes.insert(bytes.end(), {'t', 'a', 'i', 'l'});
  Owned<TMemoryStream> stream = StreamOf(bytes);
  Owned<TBitmap> loaded = Make<TBitmap>();
  loaded->LoadFromStream(*stream);
  EXPECT_EQ(stream->Position(), static_cast<int64_t>(fileSize));
  EXPECT_EQ(PixelAt(*loaded, 4, 2), PixelAt(*original, 4, 2));
}

TEST(BmpReading, RejectsEveryTruncationOfAValidFile) {
  Owned<TBitmap> original = PatternBitmap(9, 5, pf8bit);
  const std::vector<uint8_t> file = SaveBmp(*original);
  for (size_t length = 0; length < file.size(); ++length) {
    std::vector<uint8_t> cut(file.begin(), file.begin() + length);
    EXPECT_THROW(LoadBmp(cut), EInvalidGraphic) << "length " << length;
  }
}

TEST(BmpReading, RejectsMalformedHeadersWithTheLibraryText) {
  const std::vector<uint8_t> bits(64, 0);
  const std::vector<std::vector<uint8_t>> bad = {
      BmpFile(41, 4, 4, 24, 0, bits, 0),                    // unknown header size
      BmpFile(40, 4, 4, 7, 0, bits, 0),                     // bit count
      BmpFile(40, 0, 4, 24, 0, bits, 0),                    // no width
      BmpFile(40, 4, 0, 24, 0, bits, 0),                    // no height
      BmpFile(40, 4, 4, 24, 9, bits, 0),                    // compression
      BmpFile(40, 4, -4, 8, 1, bits, 0),                    // top-down RLE
      BmpFile(40, 0x7FFFFFFF, 0x7FFFFFFF, 24, 0, bits, 0),  // beyond the pixel budget
      BmpFile(40, 4, 4, 4, 2, {0, 0}, 0),                   // RLE without end marker
      BmpFile(40, 1, 235012354, 4, 2, {0, 1}, 0),           // RLE beyond the memory budget (940 MB of rows)
  };
  for (size_t i = 0; i < bad.size(); ++i) {
    try {
      LoadBmp(bad[i]);
      ADD_FAILURE() << "case " << i << " loaded";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), "Bitmap image is not valid");
    }
  }
  std::vector<uint8_t> manyColors = BmpFile(40, 1, 1, 8, 0, bits, 0);
  le::WriteU32(&manyColors[14 + 32], 300);  // more colours than 8 bits can index
  EXPECT_THROW(LoadBmp(manyColors), EInvalidGraphic);
}

TEST(BmpReading, BitFieldsOfEveryKind) {
  // 5-6-5 inside a V5 header stays 16-bit; 4-4-4 becomes 32-bit; 8-8-8 with an alpha mask stays 32-bit.
  std::vector<uint8_t> v5(124 - 40, 0);
  le::WriteU32(&v5[0], 0xF800);
  le::WriteU32(&v5[4], 0x07E0);
  le::WriteU32(&v5[8], 0x001F);
  std::vector<uint8_t> file = BmpFile(40, 2, 1, 16, 3, {}, 0);
  file.resize(14);
  le::AppendU32(file, 124);
  for (uint32_t v : {2u, 1u}) le::AppendU32(file, v);
  le::AppendU16(file, 1);
  le::AppendU16(file, 16);
  le::AppendU32(file, 3);
  file.resize(14 + 40, 0);
  file.insert(file.end(), v5.begin(), v5.end());
  for (uint8_t b : {0x00, 0xF8, 0x1F, 0x00}) file.push_back(b);  // red, blue
  le::WriteU32(&file[2], static_cast<uint32_t>(file.size()));
  le::WriteU32(&file[10], 14 + 124);
  Owned<TBitmap> rgb565 = LoadBmp(file);
  EXPECT_EQ(rgb565->PixelFormat(), pf16bit);
  EXPECT_EQ(PixelAt(*rgb565, 0, 0), 0xFF0000u);
  EXPECT_EQ(PixelAt(*rgb565, 1, 0), 0x0000FFu);

  std::vector<uint8_t> masks444;
  for (uint32_t m : {0x0F00u, 0x00F0u, 0x000Fu}) le::AppendU32(masks444, m);
  for (uint8_t b : {0xF0, 0x00, 0x00, 0x00}) masks444.push_back(b);  // one green pixel, row padding
  Owned<TBitmap> rgb444 = LoadBmp(BmpFile(40, 1, 1, 16, 3, masks444, 12));
  EXPECT_EQ(rgb444->PixelFormat(), pf32bit);
  EXPECT_EQ(PixelAt(*rgb444, 0, 0), 0x00FF00u);

  std::vector<uint8_t> masks888;
  for (uint32_t m : {0xFF0000u, 0x00FF00u, 0x0000FFu}) le::AppendU32(masks888, m);
  for (uint8_t b : {0x10, 0x20, 0x30, 0xFF}) masks888.push_back(b);
  Owned<TBitmap> rgb888 = LoadBmp(BmpFile(40, 1, 1, 32, 3, masks888, 12));
  EXPECT_EQ(rgb888->PixelFormat(), pf32bit);
  EXPECT_EQ(PixelAt(*rgb888, 0, 0), 0x302010u);
  std::vector<uint8_t> broken = masks888;
  le::WriteU32(&broken[0], 0xF0F000u);  // a mask with a gap
  EXPECT_THROW(LoadBmp(BmpFile(40, 1, 1, 32, 3, broken, 12)), EInvalidGraphic);
}

TEST(BmpReading, MutatedFilesLoadOrRaiseButNeverCrash) {
  for (TPixelFormat format : {pf4bit, pf16bit, pf24bit}) {
    testing::LoadMutations(SaveBmp(*PatternBitmap(11, 7, format)), 300,
                           [](const std::vector<uint8_t>& bytes) { LoadBmp(bytes); });
  }
}

TEST(BmpReading, FailedLoadKeepsThePicture) {
  Owned<TBitmap> bitmap = PatternBitmap(6, 4, pf24bit);
  const std::vector<uint8_t> before = SaveBmp(*bitmap);
  Owned<TMemoryStream> junk = StreamOf({'B', 'M', 1, 2, 3});
  EXPECT_THROW(bitmap->LoadFromStream(*junk), EInvalidGraphic);
  EXPECT_EQ(SaveBmp(*bitmap), before);
}

TEST(BmpWriting, EmptyBitmapWritesNothing) {
  Owned<TBitmap> bitmap = Make<TBitmap>();
  EXPECT_TRUE(SaveBmp(*bitmap).empty());
  const std::string file = std::string(getenv("PROJECT_TEST_DIR")) + "\\empty.bmp";
  DeleteFileA(file.c_str());
  bitmap->SaveToFile(file);
  EXPECT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(BitmapSize, GrowingKeepsTopLeftAndFillsWhite) {
  for (TPixelFormat format : {pfDevice, pf8bit, pf24bit}) {
    Owned<TBitmap> bitmap = Make<TBitmap>();
    bitmap->SetPixelFormat(format);
    bitmap->SetSize(10, 10);
    bitmap->Canvas()->Brush()->SetColor(clRed);
    bitmap->Canvas()->FillRect(Rect(0, 0, 10, 10));
    bitmap->Canvas()->Brush()->SetColor(clBlue);
    bitmap->Canvas()->FillRect(Rect(0, 0, 1, 1));
    bitmap->Canvas()->Brush()->SetColor(clWhite);
    bitmap->SetSize(20, 15);
    EXPECT_EQ(bitmap->PixelFormat(), format);
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), 0x0000FFu) << format;
    EXPECT_EQ(PixelAt(*bitmap, 9, 9), 0xFF0000u) << format;
    EXPECT_EQ(PixelAt(*bitmap, 15, 12), 0xFFFFFFu) << format;
    bitmap->SetWidth(1);
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), 0x0000FFu) << format;
    EXPECT_EQ(bitmap->Height(), 15);
  }
}

TEST(BitmapFormat, EightBitsUseTheFixedPaletteNearestLowestIndex) {
  Owned<TBitmap> bitmap = Make<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(3, 1);
  auto* row = static_cast<uint8_t*>(bitmap->ScanLine(0));
  const uint8_t pixels[] = {153, 102, 51, 8, 8, 8, 1, 1, 1};  // B, G, R of three pixels
  std::copy(std::begin(pixels), std::end(pixels), row);
  bitmap->SetPixelFormat(pf8bit);
  const bmp::TDibImage image = dib::ReadSection(bitmap->Handle());
  EXPECT_EQ(image.Colors.size(), 256u);
  EXPECT_EQ(image.Bits[0], 16 + 1 * 36 + 2 * 6 + 3);  // cube entry of (51, 102, 153)
  EXPECT_EQ(image.Bits[1], 232);                      // first grey
  EXPECT_EQ(image.Bits[2], 0);                        // nearest to black: VGA black before the cube's black
}

TEST(BitmapFormat, ConversionsKeepWhatTheTargetCanHold) {
  Owned<TBitmap> bitmap = testing::BlankBitmap(4, 1);
  auto* row = static_cast<uint8_t*>(bitmap->ScanLine(0));
  const uint8_t pixels[] = {0, 0, 128, 255, 255, 0, 0, 255, 0, 200, 200, 200};  // maroon, aqua, lime, light grey
  std::copy(std::begin(pixels), std::end(pixels), row);
  bitmap->SetPixelFormat(pf4bit);  // the VGA colours are exact, the grey goes to silver
  EXPECT_EQ(PixelAt(*bitmap, 0, 0), 0x800000u);
  EXPECT_EQ(PixelAt(*bitmap, 1, 0), 0x00FFFFu);
  EXPECT_EQ(PixelAt(*bitmap, 3, 0), 0xC0C0C0u);
  bitmap->SetPixelFormat(pf8bit);  // a shallower palette image keeps its colours
  EXPECT_EQ(dib::ReadSection(bitmap->Handle()).Colors[10], dib::VgaPalette()[10]);
  EXPECT_EQ(PixelAt(*bitmap, 2, 0), 0x00FF00u);
  bitmap->SetPixelFormat(pf16bit);
  EXPECT_EQ(PixelAt(*bitmap, 0, 0), 0x840000u);  // 5 bits of red, widened again
  bitmap->SetPixelFormat(pf1bit);
  EXPECT_EQ(PixelAt(*bitmap, 0, 0), 0u);
  EXPECT_EQ(PixelAt(*bitmap, 1, 0), 0xFFFFFFu);
  bitmap->SetSize(0, 0);
  EXPECT_TRUE(bitmap->Empty());
  EXPECT_EQ(bitmap->PixelFormat(), pf1bit);  // an empty bitmap remembers its kind
  bitmap->SetSize(2, 2);
  EXPECT_EQ(bitmap->PixelFormat(), pf1bit);
}

TEST(BitmapFormat, ANewPaletteBecomesTheColourTableOfAPalettePicture) {
  Owned<TBitmap> bitmap = Make<TBitmap>();
  bitmap->SetPixelFormat(pf8bit);
  bitmap->SetSize(2, 1);
  auto* row = static_cast<uint8_t*>(bitmap->ScanLine(0));
  row[0] = 0;
  row[1] = 1;
  // SetPalette counts the palette it takes over; CreatePaletteOf counted it already.
  bitmap->SetPalette(static_cast<HPALETTE>(gdi::Untrack(dib::CreatePaletteOf({{0, 0, 255, 0}, {255, 0, 0, 0}}))));
  EXPECT_EQ(PixelAt(*bitmap, 0, 0), 0xFF0000u);
  EXPECT_EQ(PixelAt(*bitmap, 1, 0), 0x0000FFu);
  EXPECT_EQ(dib::ReadSection(bitmap->Handle()).Colors.size(), 256u);  // the entries past the palette stay
}

TEST(BitmapFormat, MonochromeAndScanLineRules) {
  Owned<TBitmap> bitmap = PatternBitmap(8, 8, pf24bit);
  bitmap->Canvas()->Brush()->SetColor(clWhite);
  bitmap->Canvas()->FillRect(Rect(0, 0, 4, 8));
  bitmap->SetMonochrome(true);
  EXPECT_TRUE(bitmap->Monochrome());
  EXPECT_EQ(bitmap->PixelFormat(), pfDevice);
  EXPECT_EQ(PixelAt(*bitmap, 1, 1), 0xFFFFFFu);
  EXPECT_EQ(PixelAt(*bitmap, 6, 1), 0u);
  EXPECT_THROW(bitmap->ScanLine(8), EInvalidGraphic);
  EXPECT_THROW(bitmap->ScanLine(-1), EInvalidGraphic);
  Owned<TBitmap> device = Make<TBitmap>();
  device->SetSize(4, 4);
  EXPECT_EQ(device->PixelFormat(), pfDevice);
  device->ScanLine(0);
  EXPECT_EQ(device->PixelFormat(), pf32bit);
}

TEST(BitmapHandle, HandleLeavesTheCanvasDCAndAssignCopies) {
  Owned<TBitmap> bitmap = PatternBitmap(5, 5, pf24bit);
  bitmap->Canvas()->Handle();
  EXPECT_TRUE(bitmap->Canvas()->HandleAllocated());
  HBITMAP handle = bitmap->Handle();
  EXPECT_FALSE(bitmap->Canvas()->HandleAllocated());
  EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_BITMAP));
  Owned<TBitmap> copy = Make<TBitmap>();
  copy->Assign(bitmap.get());
  EXPECT_NE(copy->Handle(), bitmap->Handle());
  bitmap->Canvas()->Pixels(0, 0);
  bitmap->Canvas()->SetPixels(0, 0, clRed);
  EXPECT_NE(PixelAt(*copy, 0, 0), PixelAt(*bitmap, 0, 0));
  const int before = debug::GdiCounts().Bitmaps;
  HBITMAP released = bitmap->ReleaseHandle();
  EXPECT_TRUE(bitmap->Empty());
  EXPECT_EQ(debug::GdiCounts().Bitmaps, before - 1);
  DeleteObject(released);
}

TEST(BitmapDraw, TransparentBitmapLeavesItsBottomLeftColourOut) {
  Owned<TBitmap> sprite = testing::BlankBitmap(4, 4);
  sprite->Canvas()->Brush()->SetColor(clLime);  // the bottom-left colour: transparent
  sprite->Canvas()->FillRect(Rect(0, 0, 4, 4));
  sprite->Canvas()->Brush()->SetColor(clRed);
  sprite->Canvas()->FillRect(Rect(1, 0, 3, 2));
  sprite->SetTransparent(true);
  EXPECT_EQ(sprite->TransparentColor(), clLime);
  Owned<TBitmap> target = testing::BlankBitmap(4, 4);
  target->Canvas()->Brush()->SetColor(clBlue);
  target->Canvas()->FillRect(Rect(0, 0, 4, 4));
  target->Canvas()->Draw(0, 0, sprite.get());
  EXPECT_EQ(PixelAt(*target, 1, 1), 0xFF0000u);
  EXPECT_EQ(PixelAt(*target, 0, 0), 0x0000FFu);
  EXPECT_EQ(PixelAt(*target, 3, 3), 0x0000FFu);
}

TEST(DibRoutines, SizesAndPackedDibFollowTheBitmapsOwnFormat) {
  Owned<TBitmap> bitmap = PatternBitmap(13, 6, pf8bit);
  DWORD infoSize = 0, imageSize = 0;
  GetDIBSizes(bitmap->Handle(), infoSize, imageSize);
  EXPECT_EQ(infoSize, sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
  EXPECT_EQ(imageSize, 16u * 6);  // rows of 13 bytes padded to 16
  std::vector<uint8_t> info(infoSize), bits(imageSize);
  ASSERT_TRUE(GetDIB(bitmap->Handle(), bitmap->Palette(), info.data(), bits.data()));
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(info.data());
  EXPECT_EQ(header->biBitCount, 8);
  EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_EQ(bits, dib::ReadSection(bitmap->Handle()).Bits);
  HPALETTE copy = CopyPalette(bitmap->Palette());
  EXPECT_EQ(dib::EntriesOf(copy), dib::EntriesOf(bitmap->Palette()));
  gdi::Delete(copy);
}

TEST(DibRoutines, ATakenBlockIsReadableWhileHeldAndFreedAfterwards) {
  HGLOBAL block = GlobalAlloc(GHND, 24);
  static_cast<uint8_t*>(GlobalLock(block))[23] = 7;
  GlobalUnlock(block);
  {
    const dib::TakenBlock taken(block);
    ASSERT_NE(taken.Bytes(), nullptr);
    EXPECT_EQ(taken.Size(), 24u);
    EXPECT_EQ(taken.Bytes()[23], 7);
  }
  EXPECT_EQ(GlobalFlags(block), static_cast<UINT>(GMEM_INVALID_HANDLE));
}

}  // namespace
}  // namespace cl
