// TLoadImage's clipboard round trip and its message for a clipboard without a picture, the thumbnail, and printing
// into a recorded metafile page and through the spooler to a printer that writes PDF files.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/core/exceptions.h"
#include "classlib/test/responder.h"
#include "classlib/win/clipboard.h"
#include "classlib/win/forms.h"
#include "classlib/win/gdi.h"
#include "classlib/win/picture.h"
#include "classlib/win/printer.h"
#include "load_image_test_support.h"
#include "support/printed_pages.h"

namespace img {
namespace {

using namespace testing;

std::string WritePattern(const std::string& name, int width, int height) {
  const std::string path = ScratchPath(name);
  WritePatternBmp(path, width, height);
  return path;
}

// Answers information messages with OK and keeps their texts.
struct MessageRecorder {
  cl::test::Responder responder;
  MessageRecorder() {
    responder.OnMessageDlg = [](const cl::test::MessageDlgCall&) { return std::optional<int>(cl::mrOk); };
  }
  std::string Last() const { return responder.MessageDlgs.empty() ? "" : responder.MessageDlgs.back().Text; }
};

TEST(ClipboardTest, ACopiedPictureIsPastedIntoAnotherControl) {
  Owned<TLoadImage> source = Make<TLoadImage>(nullptr), target = Make<TLoadImage>(nullptr);
  source->ChangeFile(WritePattern("clip.bmp", 24, 12));
  source->SetCopyToClipBoard(true);
  target->SetCopyFromClipBoard(true);
  EXPECT_EQ(target->get_filename(), "CLIPBRD.BMP");
  EXPECT_TRUE(ShowsPattern(PixelsOf(target->Picture()->Bitmap())));
}

TEST(ClipboardTest, NothingUsableOnTheClipboardKeepsThePictures) {
  Owned<TLoadImage> control = Make<TLoadImage>(nullptr);
  control->ChangeFile(WritePattern("kept.bmp", 10, 6));
  cl::Clipboard()->SetAsText("no picture here");
  MessageRecorder messages;
  control->SetCopyFromClipBoard(true);
  EXPECT_EQ(messages.Last(), "no bitmap on clipboard");
  EXPECT_EQ(control->get_filename(), ScratchPath("kept.bmp"));
  EXPECT_TRUE(ShowsPattern(PixelsOf(control->Picture()->Bitmap())));
  control->SetCopyFromClipBoard(false);  // only True pastes
  EXPECT_EQ(messages.responder.MessageDlgs.size(), 1u);
}

TEST(ThumbnailTest, AMonochromeCopyOfTheBitmapAndAMessageWithoutOne) {
  Owned<TLoadImage> control = Make<TLoadImage>(nullptr);
  control->SetScrollerThumbPosX(7);
  Owned<cl::TBitmap> bitmap = PatternBitmap(60, 40);
  control->MakeThumb(bitmap.get());
  const cl::debug::TGdiCounts oneThumbnail = cl::debug::GdiCounts();
  control->MakeThumb(bitmap.get());
  EXPECT_EQ(cl::debug::GdiCounts(), oneThumbnail);  // the first thumbnail was freed
  ASSERT_NE(control->ThumbNail(), nullptr);
  EXPECT_TRUE(control->ThumbNail()->Monochrome());
  EXPECT_EQ(control->ThumbNail()->Width(), 120);
  EXPECT_EQ(control->ThumbNail()->Height(), 150);
  EXPECT_EQ(control->ScrollerX(), 0);

  MessageRecorder messages;
  control->MakeThumb(nullptr);
  EXPECT_EQ(messages.Last(), "no bitmap");
}

class PrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<cl::TMetafilePrinterBackend>(1000, 1400);
    FBackend = backend.get();
    cl::Printer()->SetBackend(std::move(backend));
  }
  void TearDown() override { cl::Printer()->SetBackend(nullptr); }

  testsupport::StretchRecord FirstStretch() {
    return FBackend->PageCount() > 0 ? testsupport::FirstStretch(FBackend->Page(0)) : testsupport::StretchRecord{};
  }

  cl::TMetafilePrinterBackend* FBackend = nullptr;
};

TEST_F(PrintTest, ThePictureSpansThePageWidthAtItsProportions) {
  Owned<TLoadImage> control = Make<TLoadImage>(nullptr);
  Owned<cl::TBitmap> bitmap = PatternBitmap(200, 100);
  control->PrintBitmap(bitmap.get(), 10, 20, false, cl::TRect{}, "Picture");
  EXPECT_EQ(FBackend->Calls(), (std::vector<std::string>{"BeginDoc Picture", "EndDoc"}));
  const testsupport::StretchRecord record = FirstStretch();
  ASSERT_TRUE(record.Found);
  EXPECT_EQ(record.Dest.left, 10);
  EXPECT_EQ(record.Dest.top, 20);
  EXPECT_EQ(record.Dest.right, 990);   // width: page width less x
  EXPECT_EQ(record.Dest.bottom, 480);  // height: 100 / 200 of the page width, less y
  EXPECT_EQ(record.Source.right, 200);
  EXPECT_EQ(record.Source.bottom, 100);
  EXPECT_FALSE(cl::Printer()->Printing());
}

TEST_F(PrintTest, ActualSizeAndAPartOfThePicture) {
  Owned<TLoadImage> control = Make<TLoadImage>(nullptr);
  Owned<cl::TBitmap> bitmap = PatternBitmap(200, 100);
  control->PrintBitmap(bitmap.get(), 5, 6, true, cl::Rect(1, 2, 30, 40), "Part");
  const testsupport::StretchRecord record = FirstStretch();
  ASSERT_TRUE(record.Found);
  EXPECT_EQ(record.Dest.right, 200);
  EXPECT_EQ(record.Dest.bottom, 100);
  EXPECT_EQ(record.Source.left, 1);
  EXPECT_EQ(record.Source.top, 2);
  EXPECT_EQ(record.Source.right, 30);
  EXPECT_EQ(record.Source.bottom, 40);
}

// A printer whose page size cannot be read once the job has started.
class TFailingBackend : public cl::TMetafilePrinterBackend {
 public:
  using TMetafilePrinterBackend::TMetafilePrinterBackend;
  int PageWidth() override { throw cl::EPrinter("page size unknown"); }
};

TEST(PrintFailureTest, AJobThatFailsIsAbortedAndTheErrorPasses) {
  auto backend = std::make_unique<TFailingBackend>(1000, 1400);
  TFailingBackend* failing = backend.get();
  cl::Printer()->SetBackend(std::move(backend));
  Owned<TLoadImage> control = Make<TLoadImage>(nullptr);
  Owned<cl::TBitmap> bitmap = PatternBitmap(20, 10);
  EXPECT_THROW(control->PrintBitmap(bitmap.get(), 0, 0, false, cl::TRect{}, "Broken"), cl::EPrinter);
  EXPECT_EQ(failing->Calls(), (std::vector<std::string>{"BeginDoc Broken", "Abort"}));
  EXPECT_FALSE(cl::Printer()->Printing());
  cl::Printer()->SetBackend(nullptr);
}

// Through the spooler to the PDF printer of the test set-up: the page shows the picture from (x, y) across to the
// page's right edge, as high as it is at the page's width, less y.
TEST(PdfPrintTest, ThePrintedPageShowsThePictureAcrossThePageWidth) {
  cl::Printer()->SetPrinter(testsupport::kPdfPrinter, "", "");
  const int pageWidth = cl::Printer()->PageWidth();
  Owned<cl::TBitmap> bitmap = Make<cl::TBitmap>();
  bitmap->SetPixelFormat(cl::pf24bit);
  bitmap->SetSize(100, 50);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 100; ++x) bitmap->Canvas()->SetPixels(x, y, testsupport::QuarterColor(x, y, 100, 50));
  const std::string title = testsupport::UniqueDocumentName("load_image");
  Owned<TLoadImage> control = Make<TLoadImage>(nullptr);
  control->PrintBitmap(bitmap.get(), 40, 30, false, cl::TRect{}, title);
  cl::Printer()->SetPrinterIndex(-1);
  const testsupport::PrintedPage page = testsupport::ReadPrintedPage(title, pageWidth, pageWidth / 2 + 20);
  EXPECT_EQ(testsupport::PictureMismatch(page, RECT{40, 30, pageWidth, pageWidth / 2}), "");
}

TEST_F(PrintTest, AnEmptyPictureStartsNoJob) {
  Owned<TLoadImage> control = Make<TLoadImage>(nullptr);
  Owned<cl::TBitmap> empty = Make<cl::TBitmap>();
  control->PrintBitmap(empty.get(), 0, 0, false, cl::TRect{}, "Nothing");
  control->PrintBitmap(nullptr, 0, 0, false, cl::TRect{}, "Nothing");
  EXPECT_TRUE(FBackend->Calls().empty());
}

}  // namespace
}  // namespace img
