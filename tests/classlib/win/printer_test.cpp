// TPrinter through the memory and metafile backends.
#include <gtest/gtest.h>

#include "classlib/core/exceptions.h"
#include "classlib/win/printer.h"
#include "graphics_test_support.h"

namespace cl {
namespace {

using testing::Make;

// A page pixel as 0xRRGGBB.
int PagePixel(const bmp::TDibImage& page, int x, int y) {
  const uint8_t* p = page.Bits.data() + page.Stride() * (page.Height - 1 - y) + 4 * x;
  return p[2] << 16 | p[1] << 8 | p[0];
}

class PrinterTest : public ::testing::Test {
 protected:
  Owned<TPrinter> FPrinter = Make<TPrinter>();
};

TEST_F(PrinterTest, PrintedPageIsRecordedInAMetafileOfThePageSize) {
  auto backend = std::make_unique<TMetafilePrinterBackend>(800, 600);
  TMetafilePrinterBackend* pages = backend.get();
  FPrinter->SetBackend(std::move(backend));
  FPrinter->SetTitle("Report");
  EXPECT_EQ(FPrinter->PageWidth(), 800);
  FPrinter->BeginDoc();
  EXPECT_TRUE(FPrinter->Printing());
  FPrinter->Canvas()->Brush()->SetColor(clRed);
  FPrinter->Canvas()->Rectangle(100, 50, 700, 550);
  FPrinter->EndDoc();
  ASSERT_EQ(pages->PageCount(), 1);
  ENHMETAHEADER header{};
  GetEnhMetaFileHeader(pages->Page(0), sizeof header, &header);
  gdi::WindowDC screen;
  EXPECT_EQ(header.rclFrame.right, MulDiv(800, 2540, GetDeviceCaps(screen.Get(), LOGPIXELSX)));
  EXPECT_EQ(header.rclFrame.bottom, MulDiv(600, 2540, GetDeviceCaps(screen.Get(), LOGPIXELSY)));
  EXPECT_EQ(header.rclBounds.left, 100);
  EXPECT_EQ(header.rclBounds.bottom, 549);
  EXPECT_EQ(pages->Calls(), (std::vector<std::string>{"BeginDoc Report", "EndDoc"}));
}

TEST_F(PrinterTest, MemoryPagesHoldThePixelsAndNewPageStartsAWhiteOne) {
  auto backend = std::make_unique<TMemoryPrinterBackend>(40, 30);
  TMemoryPrinterBackend* pages = backend.get();
  FPrinter->SetBackend(std::move(backend));
  FPrinter->BeginDoc();
  FPrinter->Canvas()->Brush()->SetColor(clBlue);
  FPrinter->Canvas()->FillRect(Rect(10, 10, 20, 20));
  FPrinter->NewPage();
  EXPECT_EQ(FPrinter->PageNumber(), 2);
  FPrinter->Canvas()->FillRect(Rect(0, 0, 5, 5));
  FPrinter->EndDoc();
  ASSERT_EQ(pages->PageCount(), 2);
  auto pixel = [&](int page, int x, int y) { return PagePixel(pages->Page(page), x, y); };
  EXPECT_EQ(pixel(0, 15, 15), 0x0000FF);
  EXPECT_EQ(pixel(0, 2, 2), 0xFFFFFF);
  EXPECT_EQ(pixel(1, 2, 2), 0x0000FF);
  EXPECT_EQ(pixel(1, 15, 15), 0xFFFFFF);
  EXPECT_EQ(pages->Calls(), (std::vector<std::string>{"BeginDoc ", "NewPage", "EndDoc"}));
}

TEST_F(PrinterTest, PackedDibStretchedOntoThePageAsTheImageComponentPrints) {
  auto backend = std::make_unique<TMemoryPrinterBackend>(60, 60);
  TMemoryPrinterBackend* pages = backend.get();
  FPrinter->SetBackend(std::move(backend));
  Owned<TBitmap> bitmap = testing::BlankBitmap(2, 2, pf8bit);
  bitmap->Canvas()->SetPixels(0, 0, clRed);
  DWORD infoSize = 0, imageSize = 0;
  GetDIBSizes(bitmap->Handle(), infoSize, imageSize);
  std::vector<uint8_t> info(infoSize), bits(imageSize);
  ASSERT_TRUE(GetDIB(bitmap->Handle(), bitmap->Palette(), info.data(), bits.data()));
  FPrinter->BeginDoc();
  StretchDIBits(FPrinter->Canvas()->Handle(), 10, 10, 40, 40, 0, 0, 2, 2, bits.data(),
                reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
  FPrinter->EndDoc();
  const bmp::TDibImage page = pages->Page(0);
  auto pixel = [&](int x, int y) { return PagePixel(page, x, y); };
  EXPECT_EQ(pixel(15, 15), 0xFF0000);
  EXPECT_EQ(pixel(45, 45), 0xFFFFFF);
  EXPECT_EQ(pixel(5, 5), 0xFFFFFF);
}

TEST_F(PrinterTest, MisuseRaisesAndAbortEndsTheJob) {
  FPrinter->SetBackend(std::make_unique<TMemoryPrinterBackend>(10, 10));
  EXPECT_THROW(FPrinter->EndDoc(), EPrinter);
  EXPECT_THROW(FPrinter->NewPage(), EPrinter);
  FPrinter->BeginDoc();
  EXPECT_THROW(FPrinter->BeginDoc(), EPrinter);
  EXPECT_THROW(FPrinter->SetBackend(nullptr), EPrinter);
  FPrinter->Abort();
  EXPECT_FALSE(FPrinter->Printing());
  EXPECT_TRUE(FPrinter->Aborted());
  EXPECT_THROW(FPrinter->Canvas()->Handle(), EInvalidOperation);
}

TEST(PrinterGlobal, MadeOnFirstUseAndReplaceable) {
  TPrinter* first = Printer();
  EXPECT_EQ(Printer(), first);
  Owned<TPrinter> mine = Make<TPrinter>();
  EXPECT_EQ(SetPrinter(mine.get()), first);
  EXPECT_EQ(Printer(), mine.get());
  SetPrinter(first);
}

TEST(PrinterSettings, KeptWithTheirPrinterAndDroppedWithAnotherChoice) {
  TPrinter* printer = New<TPrinter>();
  std::vector<BYTE> settings(sizeof(DEVMODEA), 0);
  auto* mode = reinterpret_cast<DEVMODEA*>(settings.data());
  mode->dmSize = sizeof(DEVMODEA);
  mode->dmFields = DM_ORIENTATION;
  mode->dmOrientation = DMORIENT_LANDSCAPE;
  printer->SetPrinter("Office Laser", "winspool", "LPT1:", settings);
  EXPECT_EQ(printer->DevMode(), settings);
  printer->SetPrinterIndex(-1);
  EXPECT_TRUE(printer->DevMode().empty());
  Free(printer);
}

TEST(PrinterSettings, OnlyWholeBlocksAreUsed) {
  std::vector<BYTE> settings(sizeof(DEVMODEA), 0);
  auto* mode = reinterpret_cast<DEVMODEA*>(settings.data());
  mode->dmSize = sizeof(DEVMODEA);
  EXPECT_TRUE(DevModeFits(settings));
  mode->dmDriverExtra = 16;  // private driver data said to follow, but missing
  EXPECT_FALSE(DevModeFits(settings));
  settings.resize(sizeof(DEVMODEA) + 16);
  EXPECT_TRUE(DevModeFits(settings));
  mode = reinterpret_cast<DEVMODEA*>(settings.data());
  mode->dmSize = 8;  // too short to hold the fields it would name
  EXPECT_FALSE(DevModeFits(settings));
  EXPECT_FALSE(DevModeFits({}));
  EXPECT_FALSE(DevModeFits(std::vector<BYTE>(20, 0xFF)));
}

}  // namespace
}  // namespace cl
