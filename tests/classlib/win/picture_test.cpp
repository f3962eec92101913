// TPicture and the picture-format registry, icons and metafiles.
#include <gtest/gtest.h>

#include <fstream>

#include "classlib/core/exceptions.h"
#include "classlib/win/icon.h"
#include "classlib/win/jpeg.h"
#include "classlib/win/metafile.h"
#include "classlib/win/picture.h"
#include "graphics_test_support.h"

namespace cl {
namespace {

using testing::Make;
using testing::PatternBitmap;
using testing::PixelAt;

std::string ScratchFile(const std::string& name) {
  return std::string(getenv("PROJECT_TEST_DIR")) + "\\" + name;
}

std::string FileText(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Two registrable kinds that stand for units registering the same extension.
class TFirstKind : public TBitmap {
  CL_GRAPHIC_CLASS(TFirstKind, TBitmap)
};
class TSecondKind : public TBitmap {
  CL_GRAPHIC_CLASS(TSecondKind, TBitmap)
};

// A graphic whose encoder fails halfway, after writing some bytes.
class TFailingKind : public TBitmap {
  CL_GRAPHIC_CLASS(TFailingKind, TBitmap)
 public:
  void SaveToStream(TStream& stream) override {
    stream.WriteBuffer("partial", 7);
    throw EWriteError("Stream write error");
  }
};

TEST(PictureRegistry, LatestRegistrationWinsUntilUnregistered) {
  TPicture::RegisterFileFormat("tst", "first", GraphicClassOf<TFirstKind>());
  TPicture::RegisterFileFormat("TST", "second", GraphicClassOf<TSecondKind>());
  EXPECT_EQ(TPicture::FileFormatClass("Tst").Class, TSecondKind::StaticClass());
  TPicture::UnregisterGraphicClass(GraphicClassOf<TSecondKind>());
  EXPECT_EQ(TPicture::FileFormatClass("tst").Class, TFirstKind::StaticClass());

  // The order the programs' units start in decides who reads "jpg".
  jpeg::RegisterFormats();
  EXPECT_EQ(TPicture::FileFormatClass("jpg").Class, TJPEGImage::StaticClass());
  TPicture::RegisterFileFormat("jpg", "JPG", GraphicClassOf<TFirstKind>());
  EXPECT_EQ(TPicture::FileFormatClass("JPG").Class, TFirstKind::StaticClass());
  EXPECT_EQ(TPicture::FileFormatClass("jpeg").Class, TJPEGImage::StaticClass());
  TPicture::UnregisterGraphicClass(GraphicClassOf<TFirstKind>());
  EXPECT_EQ(TPicture::FileFormatClass("bmp").Class, TBitmap::StaticClass());
}

TEST(PictureRegistry, LoadFromFileUsesTheExtensionAndKeepsTheOldGraphicOnFailure) {
  Owned<TPicture> picture = Make<TPicture>();
  Owned<TBitmap> bitmap = PatternBitmap(7, 5, pf24bit);
  const std::string good = ScratchFile("good.BMP");
  bitmap->SaveToFile(good);
  picture->LoadFromFile(good);
  ASSERT_NE(dynamic_cast<TBitmap*>(picture->Graphic()), nullptr);
  EXPECT_EQ(picture->Width(), 7);

  try {
    picture->LoadFromFile(ScratchFile("picture.xyz"));
    ADD_FAILURE() << "unknown extension loaded";
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "Unknown picture file extension (.xyz)");
  }
  const std::string bad = ScratchFile("bad.bmp");
  std::ofstream(bad, std::ios::binary) << "BM not really";
  TGraphic* before = picture->Graphic();
  EXPECT_THROW(picture->LoadFromFile(bad), EInvalidGraphic);
  EXPECT_EQ(picture->Graphic(), before);
  EXPECT_EQ(picture->Width(), 7);
}

TEST(PictureSaving, EmptyPictureWritesNothingAndAFailedSaveKeepsTheFile) {
  Owned<TPicture> picture = Make<TPicture>();
  const std::string name = ScratchFile("kept.bmp");
  std::ofstream(name, std::ios::binary) << "original";
  picture->SaveToFile(name);
  EXPECT_EQ(FileText(name), "original");
  Owned<TFailingKind> failing = Make<TFailingKind>();
  failing->SetSize(2, 2);
  picture->SetGraphic(failing.get());
  EXPECT_THROW(picture->SaveToFile(name), EWriteError);
  EXPECT_EQ(FileText(name), "original");
  picture->SetGraphic(nullptr);
  picture->Bitmap()->SetSize(2, 2);
  try {
    picture->SaveToFile(ScratchFile("no such folder\\x.bmp"));
    ADD_FAILURE() << "saved into a missing folder";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + ScratchFile("no such folder\\x.bmp"));
  }
}

TEST(PictureGraphic, SetterCopiesAndBitmapGetterForcesABitmap) {
  Owned<TPicture> picture = Make<TPicture>();
  int changes = 0;
  picture->SetOnChange([&](TObject*) { ++changes; });
  Owned<TFirstKind> source = Make<TFirstKind>();
  source->SetSize(3, 3);
  picture->SetGraphic(source.get());
  EXPECT_EQ(changes, 1);
  ASSERT_NE(picture->Graphic(), source.get());
  EXPECT_EQ(picture->Graphic()->ClassType(), TFirstKind::StaticClass());
  source->SetSize(9, 9);
  EXPECT_EQ(picture->Width(), 3);
  // A TBitmap descendant counts as a bitmap; drawing on it reaches the picture.
  EXPECT_EQ(static_cast<TGraphic*>(picture->Bitmap()), picture->Graphic());
  picture->Bitmap()->Canvas()->FillRect(Rect(0, 0, 1, 1));
  EXPECT_EQ(changes, 2);
  Owned<TIcon> icon = Make<TIcon>();
  picture->SetGraphic(icon.get());
  EXPECT_NE(dynamic_cast<TIcon*>(picture->Graphic()), nullptr);
  EXPECT_TRUE(picture->Bitmap()->Empty());
  EXPECT_EQ(picture->Width(), 0);
  picture->SetGraphic(nullptr);
  EXPECT_EQ(picture->Graphic(), nullptr);
}

TEST(Icon, FileRoundTripAndFixedSize) {
  const int size = GetSystemMetrics(SM_CXICON);
  std::vector<uint8_t> andMask(size * size / 8, 0), xorBits(size * size * 4, 0x80);
  Owned<TIcon> icon = Make<TIcon>();
  icon->SetHandle(CreateIcon(nullptr, size, size, 1, 32, andMask.data(), xorBits.data()));
  ASSERT_FALSE(icon->Empty());
  EXPECT_EQ(icon->Width(), size);
  const std::string name = ScratchFile("round.ico");
  icon->SaveToFile(name);
  Owned<TPicture> picture = Make<TPicture>();
  picture->LoadFromFile(name);
  ASSERT_NE(dynamic_cast<TIcon*>(picture->Graphic()), nullptr);
  EXPECT_EQ(picture->Width(), size);
  EXPECT_EQ(picture->Height(), size);
  EXPECT_THROW(icon->SetWidth(16), EInvalidGraphicOperation);
  std::ofstream(name, std::ios::binary) << std::string("\0\0\1\0\1\0", 6) << std::string(16, '\xFF');
  EXPECT_THROW(picture->LoadFromFile(name), EInvalidGraphic);
}

TEST(Metafile, EnhancedAndPlaceableRoundTrips) {
  const RECT frame{0, 0, 2540, 1270};  // 1 by 0.5 inch
  HDC dc = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
  Rectangle(dc, 0, 0, 50, 25);
  Owned<TMetafile> metafile = Make<TMetafile>();
  metafile->SetHandle(CloseEnhMetaFile(dc));
  EXPECT_NEAR(metafile->MMWidth(), 2540, 30);
  for (bool enhanced : {true, false}) {
    metafile->SetEnhanced(enhanced);
    const std::string name = ScratchFile(enhanced ? "round.emf" : "round.wmf");
    metafile->SaveToFile(name);
    Owned<TPicture> picture = Make<TPicture>();
    picture->LoadFromFile(name);
    auto* loaded = dynamic_cast<TMetafile*>(picture->Graphic());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Enhanced(), enhanced);
    EXPECT_FALSE(loaded->Empty());
    EXPECT_NEAR(loaded->MMWidth(), metafile->MMWidth(), 60) << enhanced;
  }
  Owned<TMemoryStream> junk = testing::StreamOf(std::vector<uint8_t>(40, 7));
  EXPECT_THROW(metafile->LoadFromStream(*junk), EInvalidGraphic);
}

}  // namespace
}  // namespace cl
