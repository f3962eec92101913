// TLoadImage's clipboard round trip and its message for a clipboard without a picture, the thumbnail, and printing
// into a recorded metafile page.
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

// The destination and source of the first StretchDIBits record of a metafile.
struct StretchRecord {
  bool found = false;
  RECT dest{};
  RECT source{};
};

int CALLBACK FindStretch(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
  auto* result = reinterpret_cast<StretchRecord*>(data);
  if (record->iType != EMR_STRETCHDIBITS || result->found) return 1;
  const auto* stretch = reinterpret_cast<const EMRSTRETCHDIBITS*>(record);
  result->found = true;
  result->dest = {stretch->xDest, stretch->yDest, stretch->cxDest, stretch->cyDest};
  result->source = {stretch->xSrc, stretch->ySrc, stretch->cxSrc, stretch->cySrc};
  return 1;
}

class PrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<cl::TMetafilePrinterBackend>(1000, 1400);
    FBackend = backend.get();
    cl::Printer()->SetBackend(std::move(backend));
  }
  void TearDown() override { cl::Printer()->SetBackend(nullptr); }

  StretchRecord FirstStretch() {
    StretchRecord record;
    if (FBackend->PageCount() > 0) EnumEnhMetaFile(nullptr, FBackend->Page(0), FindStretch, &record, nullptr);
    return record;
  }

  cl::TMetafilePrinterBackend* FBackend = nullptr;
};

TEST_F(PrintTest, ThePictureSpansThePageWidthAtItsProportions) {
  Owned<TLoadImage> control = Make<TLoadImage>(nullptr);
  Owned<cl::TBitmap> bitmap = PatternBitmap(200, 100);
  control->PrintBitmap(bitmap.get(), 10, 20, false, cl::TRect{}, "Picture");
  EXPECT_EQ(FBackend->Calls(), (std::vector<std::string>{"BeginDoc Picture", "EndDoc"}));
  const StretchRecord record = FirstStretch();
  ASSERT_TRUE(record.found);
  EXPECT_EQ(record.dest.left, 10);
  EXPECT_EQ(record.dest.top, 20);
  EXPECT_EQ(record.dest.right, 990);   // width: page width less x
  EXPECT_EQ(record.dest.bottom, 480);  // height: 100 / 200 of the page width, less y
  EXPECT_EQ(record.source.right, 200);
  EXPECT_EQ(record.source.bottom, 100);
  EXPECT_FALSE(cl::Printer()->Printing());
}

TEST_F(PrintTest, ActualSizeAndAPartOfThePicture) {
  Owned<TLoadImage> control = Make<TLoadImage>(nullptr);
  Owned<cl::TBitmap> bitmap = PatternBitmap(200, 100);
  control->PrintBitmap(bitmap.get(), 5, 6, true, cl::Rect(1, 2, 30, 40), "Part");
  const StretchRecord record = FirstStretch();
  ASSERT_TRUE(record.found);
  EXPECT_EQ(record.dest.right, 200);
  EXPECT_EQ(record.dest.bottom, 100);
  EXPECT_EQ(record.source.left, 1);
  EXPECT_EQ(record.source.top, 2);
  EXPECT_EQ(record.source.right, 30);
  EXPECT_EQ(record.source.bottom, 40);
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

TEST_F(PrintTest, AnEmptyPictureStartsNoJob) {
  Owned<TLoadImage> control = Make<TLoadImage>(nullptr);
  Owned<cl::TBitmap> empty = Make<cl::TBitmap>();
  control->PrintBitmap(empty.get(), 0, 0, false, cl::TRect{}, "Nothing");
  control->PrintBitmap(nullptr, 0, 0, false, cl::TRect{}, "Nothing");
  EXPECT_TRUE(FBackend->Calls().empty());
}

}  // namespace
}  // namespace img
