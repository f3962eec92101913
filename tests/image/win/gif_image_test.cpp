// TGIFImage as a graphic: real GIF files against ImageMagick, the flat bitmap, the logical screen, progress and
// warnings of a load, copies, the clipboard, the picture registry, and GDI objects over many loads.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "classlib/win/clipboard.h"
#include "classlib/win/picture.h"
#include "gif_test_support.h"
#include "image/core/gif_error.h"

namespace img {
namespace {

using namespace testing;
using testing::Make;
using testing::Owned;

constexpr cl::TColor kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

class GifImageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterGIFImage(); }
  static void TearDownTestSuite() { UnregisterGIFImage(); }
};

std::vector<std::string> SampleFiles() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(GiflibSample("*.gif").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.push_back(found.cFileName);
  while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

TEST_F(GifImageTest, SampleFilesShowImageMagicksPixelsOfTheirFirstFrame) {
  const std::vector<std::string> names = SampleFiles();
  EXPECT_EQ(names.size(), 8u);
  for (const std::string& name : names) {
    Owned<TGIFImage> image = Make<TGIFImage>();
    image->LoadFromFile(GiflibSample(name));
    const Pixels pixels = PixelsOf(image->GetBitmap());
    const Bytes reference = ReadBytes(ScratchPath("imagemagick\\" + name + ".rgba"));
    ASSERT_EQ(reference.size(), 4u * pixels.Width * pixels.Height) << name;
    int differing = 0, transparent = 0;
    for (int y = 0; y < pixels.Height; ++y) {
      for (int x = 0; x < pixels.Width; ++x) {
        const std::uint8_t* rgba = &reference[4 * (static_cast<std::size_t>(y) * pixels.Width + x)];
        if (rgba[3] == 0) {
          ++transparent;  // the mask tests pin these
          continue;
        }
        differing += pixels.At(x, y) != static_cast<std::uint32_t>(rgba[0] << 16 | rgba[1] << 8 | rgba[2]);
      }
    }
    EXPECT_EQ(differing, 0) << name << " (" << transparent << " transparent pixels skipped)";
  }
}

TEST_F(GifImageTest, TheBitmapIsTheScreenWithFrameZeroAndStaysUntilFreed) {
  Owned<TGIFImage> image = Make<TGIFImage>();
  EXPECT_EQ(image->GetBitmap(), nullptr);
  image = LoadGif(GifFile(2, 1, {0, 1}, {kRed, kGreen}));
  cl::TBitmap* bitmap = image->GetBitmap();
  EXPECT_EQ(ColorsOf(bitmap), (std::vector<std::uint32_t>{0xFF0000, 0x00FF00}));
  EXPECT_EQ(image->GetBitmap(), bitmap);
  image->SetWidth(4);  // a larger screen: the frame at its place, the rest white
  EXPECT_EQ(ColorsOf(image->GetBitmap()), (std::vector<std::uint32_t>{0xFF0000, 0x00FF00, 0xFFFFFF, 0xFFFFFF}));
  EXPECT_EQ(image->GetPaintBuffer(), image->GetBitmap());
}

TEST_F(GifImageTest, TheScreenNeverShrinksBelowAFrameButGrowsForAddedFrames) {
  Owned<TGIFImage> image = LoadGif(GifFile(3, 2, Bytes(6, 0), {kRed}));
  EXPECT_THROW(image->SetWidth(2), GIFException);
  EXPECT_THROW(image->SetHeight(1), GIFException);
  EXPECT_EQ(image->Width(), 3);
  EXPECT_EQ(image->Height(), 2);

  std::vector<std::string> warnings;
  image->OnWarning = [&](cl::TObject* sender, int severity, const std::string& message) {
    warnings.push_back((sender == image.get() ? "image: " : "frame: ") + message);
  };
  Owned<cl::TBitmap> wide = PatternBitmap(5, 1);
  EXPECT_EQ(image->Add(wide.get()), 1);
  EXPECT_EQ(image->Width(), 5);
  EXPECT_EQ(warnings, (std::vector<std::string>{"image: Image width too small for contained frames",
                                                "frame: Image exceeds Logical Screen size"}));
  EXPECT_THROW(image->Add(image.get()), GIFException);
}

TEST_F(GifImageTest, LoadingReportsProgressAndWarningsAndEndsAtZeroWhenItFails) {
  Bytes file = GifFile(2, 2, {0, 1, 1, 0}, {kRed, kBlue});
  file.pop_back();  // no trailer but an empty comment (a second frame, of extensions only), a zero and a stray byte
  file.insert(file.end(), {0x21, 0xFE, 0, 0, 0x99});
  Owned<TGIFImage> image = Make<TGIFImage>();
  std::vector<std::string> events;
  image->SetOnProgress([&](cl::TObject* sender, cl::TProgressStage stage, std::uint8_t percent, bool redraw,
                           const cl::TRect&, const std::string& message) {
    events.push_back(std::to_string(stage) + " " + std::to_string(percent) + (redraw ? " redraw " : " ") + message +
                     (sender == image.get() ? "" : " (frames)"));
  });
  image->OnWarning = [&](cl::TObject*, int, const std::string& message) { events.push_back("warning: " + message); };
  cl::TMemoryStream stream;
  stream.WriteBuffer(file.data(), static_cast<std::int32_t>(file.size()));
  stream.SetPosition(0);
  image->LoadFromStream(stream);
  const int first = static_cast<int>((file.size() - 5) * 100 / file.size());
  const int second = static_cast<int>((file.size() - 2) * 100 / file.size());
  EXPECT_EQ(events,
            (std::vector<std::string>{
                "0 0 Loading...", "1 " + std::to_string(first) + " Loading... (frames)",
                "warning: Invalid extension introducer", "1 " + std::to_string(second) + " Loading... (frames)",
                "warning: Unknown GIF block type", "warning: Invalid Image trailer", "2 100 redraw Loading..."}));
  EXPECT_EQ(image->FrameCount(), 2);

  events.clear();
  stream.SetSize(20);  // cut inside the frame
  stream.SetPosition(0);
  EXPECT_THROW(image->LoadFromStream(stream), GIFException);
  EXPECT_EQ(events.back(), "2 0 redraw Loading...");
}

TEST_F(GifImageTest, CopiesAreNewImagesWithTheSameFrames) {
  Owned<TGIFImage> source = LoadGif(GifFile(2, 1, {1, 0}, {kRed, kBlue}, 0));
  source->SetDrawOptions(DrawTransparent);
  std::vector<std::string> reports;
  source->SetOnProgress([&](cl::TObject*, cl::TProgressStage stage, std::uint8_t percent, bool, const cl::TRect&,
                            const std::string& message) {
    if (message == "Copying...") reports.push_back(std::to_string(stage) + " " + std::to_string(percent));
  });
  Owned<TGIFImage> copy = Make<TGIFImage>();
  copy->Assign(source.get());
  EXPECT_EQ(reports, (std::vector<std::string>{"0 0", "1 100", "2 100"}));
  EXPECT_EQ(copy->DrawOptions(), DrawTransparent);
  EXPECT_TRUE(copy->Frames(0)->Transparent());
  EXPECT_EQ(ColorsOf(copy->GetBitmap()), ColorsOf(source->GetBitmap()));
  EXPECT_FALSE(copy->Equals(source.get()));
  EXPECT_TRUE(copy->Equals(copy.get()));

  Owned<cl::TBitmap> bitmap = Make<cl::TBitmap>();
  bitmap->Assign(copy.get());
  EXPECT_EQ(ColorsOf(bitmap.get()), (std::vector<std::uint32_t>{0x0000FF, 0xFF0000}));
}

TEST_F(GifImageTest, PicturesLoadGifFilesIntoGifImagesAndCopyThem) {
  ExpectPicturesLoadGifFilesAsGifImages();
  Owned<cl::TPicture> picture = Make<cl::TPicture>();
  picture->LoadFromFile(ScratchPath("picture.gif"));
  Owned<cl::TPicture> copy = Make<cl::TPicture>();
  copy->Assign(picture.get());
  ASSERT_NE(dynamic_cast<TGIFImage*>(copy->Graphic()), nullptr);
  EXPECT_NE(copy->Graphic(), picture->Graphic());
  UnregisterGIFImage();
  EXPECT_THROW(picture->LoadFromFile(ScratchPath("picture.gif")), cl::EInvalidGraphic);
  RegisterGIFImage();
}

TEST_F(GifImageTest, TheClipboardCarriesTheGifBesideItsBitmap) {
  Owned<TGIFImage> image = LoadGif(GifFile(2, 1, {0, 1}, {kRed, kGreen}));
  cl::Clipboard()->Clear();
  cl::Clipboard()->Assign(Make<TGIFImage>().get());
  EXPECT_FALSE(cl::Clipboard()->HasFormat(GIFClipboardFormat()));
  cl::Clipboard()->Assign(image.get());
  EXPECT_TRUE(cl::Clipboard()->HasFormat(GIFClipboardFormat()));
  EXPECT_TRUE(cl::Clipboard()->HasFormat(CF_BITMAP));
  Owned<TGIFImage> pasted = Make<TGIFImage>();
  pasted->Assign(cl::Clipboard());
  ASSERT_EQ(pasted->FrameCount(), 1);
  EXPECT_EQ(ColorsOf(pasted->GetBitmap()), (std::vector<std::uint32_t>{0xFF0000, 0x00FF00}));
  Owned<cl::TBitmap> bitmap = Make<cl::TBitmap>();
  bitmap->Assign(cl::Clipboard());
  EXPECT_EQ(ColorsOf(bitmap.get()), (std::vector<std::uint32_t>{0xFF0000, 0x00FF00}));
  cl::Clipboard()->Clear();
}

TEST_F(GifImageTest, AFileWithoutColourTablesCannotBeShown) {
  Bytes file = GifFile(1, 1, {0}, {});
  Owned<TGIFImage> image = LoadGif(file);
  try {
    image->GetBitmap();
    FAIL();
  } catch (const GIFException& error) {
    EXPECT_STREQ(error.what(), "No global or local color table defined");
  }
}

TEST_F(GifImageTest, NewDrawOptionsDropTheRenderingsAndALoneLocalMapBecomesGlobal) {
  TGIFImageCore core;
  core.Header().SetWidth(2);
  core.Header().SetHeight(1);
  TGIFSubImageCore* frame = core.CreateFrame();
  core.Images().Add(frame);
  frame->SetDescriptorValue(dvWidth, 2);
  frame->SetDescriptorValue(dvHeight, 1);
  frame->ColorMap().Add(kRed);
  frame->ColorMap().Add(kGreen);
  frame->AllocatePixels();
  frame->Data()[1] = 1;
  Owned<cl::TMemoryStream> stream = Make<cl::TMemoryStream>();
  core.SaveToStream(*stream);
  stream->SetPosition(0);
  Owned<TGIFImage> image = Make<TGIFImage>();
  image->LoadFromStream(*stream);
  int changes = 0;
  image->SetOnChange(cl::TNotifyEvent([&](cl::TObject*) { ++changes; }));
  image->SetDrawOptions(image->DrawOptions());
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(image->GlobalColorMap().Count(), 0);
  image->SetDrawOptions(0);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(image->GlobalColorMap().Count(), 2);
  EXPECT_EQ(image->Frames(0)->ColorMap().Count(), 0);
  EXPECT_EQ(ColorsOf(image->GetBitmap()), (std::vector<std::uint32_t>{0xFF0000, 0x00FF00}));
}

TEST_F(GifImageTest, LoadingDrawingAndFreeingLeaveNoGdiObjects) {
  const std::string file = GiflibSample("x-trans.gif");
  Owned<cl::TBitmap> target = Make<cl::TBitmap>();
  target->SetPixelFormat(cl::pf24bit);
  target->SetSize(120, 120);
  auto cycle = [&] {
    Owned<TGIFImage> image = Make<TGIFImage>();
    image->LoadFromFile(file);
    image->SetDrawOptions(DrawTransparent);
    target->Canvas()->StretchDraw(cl::Rect(0, 0, 120, 120), image.get());
    target->Canvas()->Draw(0, 0, image.get());
    image->GetBitmap();
  };
  cycle();
  const cl::debug::TGdiCounts before = cl::debug::GdiCounts();
  for (int i = 0; i < 1000; ++i) cycle();
  EXPECT_EQ(cl::debug::GdiCounts(), before);
}

}  // namespace
}  // namespace img
