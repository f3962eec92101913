// TLoadImage loading: every reader by extension, pages, the TIFF fallback, the error state, and the display sizes
// for fit, actual size and crop.
#include <gtest/gtest.h>

#include "classlib/core/exceptions.h"
#include "classlib/core/files.h"
#include "classlib/win/picture.h"
#include "classlib/win/screen.h"
#include "formatlib/core/errors.h"
#include "load_image_test_support.h"

namespace img {
namespace {

using namespace testing;

constexpr cl::TRect kZero{};

Owned<TLoadImage> NewControl() {
  return Make<TLoadImage>(nullptr);
}

Pixels Shown(TLoadImage& control) {
  return PixelsOf(control.Picture()->Bitmap());
}

TEST(LoadImageTest, StartsWithTheConstructorValues) {
  Owned<TLoadImage> control = NewControl();
  EXPECT_EQ(control->Width(), 160);
  EXPECT_EQ(control->Height(), 160);
  EXPECT_EQ(control->Compression(), 208);
  EXPECT_TRUE(control->OverWrite());
  EXPECT_EQ(control->ImageNumber(), 1);
  EXPECT_EQ(control->ImageCount(), 0);
  EXPECT_EQ(control->ReScale(), 100);
  EXPECT_EQ(control->MagRatio(), 200);
  EXPECT_EQ(control->MagStep(), 20);
  EXPECT_FALSE(control->ImageError());
  EXPECT_FALSE(control->ImageLoaded());
  EXPECT_EQ(control->Version(), "Version 2.4G");
  EXPECT_EQ(control->DisplayScale(), Real48::One());
  int top = -1, left = -1, width = 0, height = 0;
  control->GetDesignedSize(top, left, width, height);
  EXPECT_EQ(top, 0);
  EXPECT_EQ(left, 0);
  EXPECT_EQ(width, 160);
  EXPECT_EQ(height, 160);
  control->SetCompression(0);  // ignored
  EXPECT_EQ(control->Compression(), 208);
}

struct FormatCase {
  const char* fileName;
  void (*write)(const std::string&, int, int);
};

class LoadEveryFormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(LoadEveryFormatTest, ShowsThePatternAtActualSize) {
  const std::string path = ScratchPath(GetParam().fileName);
  GetParam().write(path, 40, 30);
  Owned<TLoadImage> control = NewControl();
  control->ChangeFile(path);
  ASSERT_FALSE(control->ImageError()) << control->StatusText();
  EXPECT_TRUE(control->ImageLoaded());
  EXPECT_EQ(control->ImageFileName(), path);
  // Actual size (FitWindow off) centres the picture in the 160 x 160 box.
  EXPECT_EQ(control->BoundsRect(), cl::Bounds(60, 65, 40, 30));
  EXPECT_EQ(control->DisplayScale(), Real48::One());
  const Pixels pixels = Shown(*control);
  ASSERT_EQ(pixels.Width, 40);
  ASSERT_EQ(pixels.Height, 30);
  if (std::string(GetParam().fileName).ends_with(".jpg")) {
    EXPECT_GT(PatternPsnr(pixels), 30.0);
    EXPECT_EQ(control->StatusText(), "JPEG LOADED!");
  } else {
    EXPECT_TRUE(ShowsPattern(pixels));
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, LoadEveryFormatTest,
                         ::testing::Values(FormatCase{"pattern.bmp", WritePatternBmp},
                                           FormatCase{"pattern.jpg", WritePatternJpeg},
                                           FormatCase{"pattern.png", WritePatternPng},
                                           FormatCase{"pattern.pcx", WritePatternPcx},
                                           FormatCase{"pattern.tga", WritePatternTga},
                                           FormatCase{"Pattern.Tif", [](const std::string& path, int w, int h) {
                                                        WritePatternTiffPages(path, w, h, 1);
                                                      }}));

TEST(LoadImageTest, ReadsThePageImageNumberNamesFromTiffAndDcxFiles) {
  const std::string tiff = ScratchPath("pages.tiff"), dcx = ScratchPath("pages.dcx");
  WritePatternTiffPages(tiff, 24, 16, 3);
  WritePatternDcxPages(dcx, 24, 16, 3);
  Owned<TLoadImage> control = NewControl();
  control->SetImageNumber(3);
  control->ChangeFile(dcx);
  ASSERT_FALSE(control->ImageError()) << control->StatusText();
  EXPECT_EQ(control->ImageCount(), 3);
  EXPECT_TRUE(ShowsPattern(Shown(*control), 2));

  control->SetImageNumber(2);
  control->ChangeFile(tiff);  // ".tiff" gives the key ".TIF"
  ASSERT_FALSE(control->ImageError()) << control->StatusText();
  EXPECT_EQ(control->ImageCount(), 3);
  EXPECT_TRUE(ShowsPattern(Shown(*control), 1));

  control->SetImageNumber(0);  // 0 is taken as the first page
  control->ChangeFile(tiff);
  EXPECT_EQ(control->ImageNumber(), 1);
  EXPECT_TRUE(ShowsPattern(Shown(*control), 0));
}

TEST(LoadImageTest, PageBeyondTheFileIsAnErrorNotASuccess) {
  const std::string dcx = ScratchPath("short.dcx"), tiff = ScratchPath("short.tif");
  WritePatternDcxPages(dcx, 8, 8, 2);
  WritePatternTiffPages(tiff, 8, 8, 2);
  Owned<TLoadImage> control = NewControl();
  control->SetImageNumber(5);
  for (const std::string& path : {dcx, tiff}) {
    control->ChangeFile(path);
    EXPECT_TRUE(control->ImageError()) << path;
    EXPECT_EQ(control->ImageCount(), 2);
    EXPECT_EQ(control->StatusText(), fl::ErrorText(fl::kBadPageIndex));
    EXPECT_EQ(control->Picture()->Width(), 0);
  }
}

TEST(LoadImageTest, OtherExtensionsAreReadByTheTiffFallbackAtItsFirstPage) {
  const std::string jpegNamed = ScratchPath("tiff-inside.jpeg");  // key ".JPE" matches no reader
  WritePatternTiffPages(jpegNamed, 12, 10, 2);
  Owned<TLoadImage> control = NewControl();
  control->SetImageNumber(2);
  control->ChangeFile(jpegNamed);
  ASSERT_FALSE(control->ImageError()) << control->StatusText();
  EXPECT_EQ(control->ImageCount(), 2);
  EXPECT_TRUE(ShowsPattern(Shown(*control), 0));
}

TEST(LoadImageTest, AlternateExtensionReadsAsTiffOnlyWhenWrittenInUpperCase) {
  const std::string path = ScratchPath("scan.fax");
  WritePatternTiffPages(path, 12, 10, 2);
  Owned<TLoadImage> control = NewControl();
  control->SetImageNumber(2);
  control->SetAlternateExt("fax");  // stored as ".fax": never equal to the key ".FAX"
  EXPECT_EQ(control->AlternateExt(), ".fax");
  control->ChangeFile(path);
  EXPECT_TRUE(ShowsPattern(Shown(*control), 0));  // the fallback: first page

  control->SetExt(".FAX");
  control->SetAlternateExt("");  // leaves the old value
  EXPECT_EQ(control->AlternateExt(), ".FAX");
  control->ChangeFile(path);
  EXPECT_TRUE(ShowsPattern(Shown(*control), 1));  // the TIFF reader: page ImageNumber
}

TEST(LoadImageTest, MetafileAndTextFilesBecomeBitmaps) {
  const std::string metafile = ScratchPath("half.wmf"), text = ScratchPath("note.txt");
  WriteHalfBlackMetafile(metafile);
  WriteBytes(text, {'H', 'i', '\r', '\n', 'W', 'W', 'W', 'W'});
  Owned<TLoadImage> control = NewControl();
  control->ChangeFile(metafile);
  ASSERT_FALSE(control->ImageError()) << control->StatusText();
  Pixels pixels = Shown(*control);
  EXPECT_NEAR(pixels.Width, 192, 2);
  EXPECT_NEAR(pixels.Height, 96, 2);
  EXPECT_EQ(pixels.At(20, 48), 0x000000u);
  EXPECT_EQ(pixels.At(pixels.Width - 20, 48), 0xFFFFFFu);

  control->ChangeFile(text);
  ASSERT_FALSE(control->ImageError()) << control->StatusText();
  pixels = Shown(*control);
  EXPECT_GT(pixels.Width, 0);
  EXPECT_GT(pixels.Height, 0);
  int black = 0;
  for (uint32_t color : pixels.Colors) black += color == 0 ? 1 : 0;
  EXPECT_GT(black, 0);
}

TEST(LoadImageTest, FailedLoadsReportTheLibraryTextAndShowNothing) {
  Owned<TLoadImage> control = NewControl();
  control->ChangeFile(ScratchPath("missing.png"));
  EXPECT_TRUE(control->ImageError());
  EXPECT_TRUE(control->ImageLoaded());  // set even when nothing could be read
  EXPECT_EQ(control->StatusText(), fl::ErrorText(fl::kCannotOpenFile));
  EXPECT_EQ(control->Picture()->Width(), 0);

  // An unreadable JPEG is caught; the TIFF fallback then fails too and its text is the last word.
  const std::string broken = ScratchPath("broken.jpg");
  WriteBytes(broken, {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0});
  control->ChangeFile(broken);
  EXPECT_TRUE(control->ImageError());
  EXPECT_EQ(control->StatusText(), fl::ErrorText(fl::kNotTiffFile));
  EXPECT_EQ(control->Picture()->Width(), 0);

  // A load clears the error of the one before.
  const std::string good = ScratchPath("good.png");
  WritePatternPng(good, 8, 8);
  control->ChangeFile(good);
  EXPECT_FALSE(control->ImageError());
}

TEST(LoadImageTest, MalformedBitmapFilesRaiseToTheCaller) {
  const std::string broken = ScratchPath("broken.bmp");
  WriteBytes(broken, {'B', 'M', 1, 2, 3});
  Owned<TLoadImage> control = NewControl();
  EXPECT_THROW(control->ChangeFile(broken), cl::Exception);
  EXPECT_EQ(cl::Screen->Cursor(), cl::crDefault);  // the hourglass is gone again
}

TEST(LoadImageTest, EmptyNameClearsBothPictures) {
  const std::string path = ScratchPath("clear.png");
  WritePatternPng(path, 8, 8);
  Owned<TLoadImage> control = NewControl();
  control->ChangeFile(path);
  ASSERT_GT(control->Picture()->Width(), 0);
  control->ChangeFile("");
  EXPECT_FALSE(control->ImageLoaded());
  EXPECT_FALSE(control->Visible());
  EXPECT_TRUE(control->DisplayScale().IsZero());
  EXPECT_EQ(control->Picture()->Width(), 0);
  control->SetSaveName(ScratchPath("nothing.bmp"));  // nothing to save
  EXPECT_TRUE(control->ImageError());
  EXPECT_FALSE(cl::FileExists(ScratchPath("nothing.bmp")));
}

TEST(LoadImageTest, DisplaySizesForFitActualSizeAndCrop) {
  const std::string wide = ScratchPath("wide.png"), tiny = ScratchPath("tiny.png");
  WritePatternPng(wide, 100, 50);
  WritePatternPng(tiny, 3, 3);
  Owned<TLoadImage> control = NewControl();

  control->ResetFile(wide, kZero, false, false);
  EXPECT_EQ(control->BoundsRect(), cl::Bounds(0, 36, 168, 88));
  EXPECT_EQ(control->DisplayScale(), Real48::FromRatio(8, 5));
  Pixels pixels = Shown(*control);
  EXPECT_EQ(pixels.Width, 168);
  // Stretched from the working picture over the whole output size.
  EXPECT_EQ(pixels.At(0, 0), PatternColor(0, 0));
  EXPECT_EQ(pixels.At(167, 87), PatternColor(99, 49));

  control->ResetFile(wide, kZero, false, true);
  EXPECT_EQ(control->BoundsRect(), cl::Bounds(30, 55, 100, 50));

  control->ResetFile(tiny, kZero, false, false);
  EXPECT_EQ(control->BoundsRect(), cl::Bounds(0, 0, 160, 160));

  // Crop at actual size: the inclusive rectangle moves to the origin.
  control->ResetFile(wide, kZero, false, true);
  control->ReDraw(cl::Rect(10, 10, 49, 29), true, true);
  EXPECT_EQ(control->get_rect(), cl::Rect(10, 10, 49, 29));
  pixels = Shown(*control);
  EXPECT_EQ(pixels.Width, 40);
  EXPECT_EQ(pixels.Height, 20);
  EXPECT_TRUE(ShowsPattern(pixels, 0, 10, 10));
  EXPECT_EQ(control->BoundsRect(), cl::Bounds(60, 70, 40, 20));

  // A rectangle reaching outside is clipped to the quarter lines first.
  control->ReDraw(cl::Rect(-5, 10, 500, 29), true, true);
  EXPECT_EQ(control->get_rect(), cl::Rect(25, 10, 75, 29));
  EXPECT_EQ(control->GetRect(), kZero);

  // Shrinking a large picture into a moved designed box.
  const std::string large = ScratchPath("large.png");
  WritePatternPng(large, 400, 200);
  control->SetDesignedSize(5, 7, 80, 80);
  control->ResetFile(large, kZero, false, false);
  EXPECT_EQ(control->BoundsRect(), cl::Bounds(7, 5 + 16, 88, 48));
}

TEST(LoadImageTest, ReplaceWithShowsTheOtherControlsPicture) {
  const std::string path = ScratchPath("replace.png");
  WritePatternPng(path, 20, 10);
  Owned<TLoadImage> first = NewControl(), second = NewControl();
  first->ChangeFile(path);
  second->ReplaceWith(first.get(), kZero, false, true);
  EXPECT_EQ(second->get_filename(), path);
  EXPECT_TRUE(ShowsPattern(Shown(*second)));
  EXPECT_EQ(second->BoundsRect(), cl::Bounds(70, 75, 20, 10));
}

TEST(LoadImageTest, DeclaringANewImageNamesItAndShowsItAtActualSize) {
  const std::string path = ScratchPath("declared.png");
  WritePatternPng(path, 20, 10);
  Owned<TLoadImage> control = NewControl();
  control->ResetFile(path, kZero, false, false);
  control->SetFileLoaded(true);
  EXPECT_EQ(control->ImageFileName(), "xxx.tif");
  EXPECT_TRUE(control->ImageLoaded());
  EXPECT_EQ(control->BoundsRect(), cl::Bounds(70, 75, 20, 10));
  EXPECT_TRUE(ShowsPattern(Shown(*control)));
  control->ChangeFile(std::string("cut.png\0hidden", 14));
  EXPECT_EQ(control->ImageFileName(), "cut.png");
}

TEST(LoadImageTest, CountsPagesOnlyForUpperCaseTypeNames) {
  const std::string tiff = ScratchPath("COUNT.TIF"), dcx = ScratchPath("count.dcx");
  WritePatternTiffPages(tiff, 8, 8, 3);
  WritePatternDcxPages(dcx, 8, 8, 2);
  Owned<TLoadImage> control = NewControl();
  control->SetCountImagesinFile(tiff);
  EXPECT_EQ(control->ImageCount(), 3);
  control->SetCountImagesinFile(dcx);  // "dcx" in lower case is not looked at
  EXPECT_EQ(control->ImageCount(), 3);
  EXPECT_EQ(control->CountImagesinFile(), dcx);
}

}  // namespace
}  // namespace img
