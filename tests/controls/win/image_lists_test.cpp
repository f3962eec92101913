// Image lists: strips drawn through their masks and by their colour key with exact pixels, the draw styles,
// growth limits, strips kept in container streams, and the answers of the list operations to good and bad
// indexes.
#include "controls/ctl_image_lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/core/object.h"
#include "classlib/core/streams.h"
#include "classlib/win/bitmap.h"

namespace ctl {
namespace {

constexpr int kFrame = 4;
constexpr cl::TColor kBackgrounds[3] = {cl::clLime, cl::clAqua, cl::clFuchsia};
constexpr cl::TColor kForegrounds[3] = {cl::clRed, cl::clBlue, cl::clYellow};
constexpr cl::TColor kCanvas = cl::clGray;

// Three 4 x 4 frames: a background colour with a 2 x 2 block of another at (1, 1); the mask is white (transparent)
// on the background.
struct Frames {
  cl::Owned<cl::TBitmap> image = cl::MakeOwned<cl::TBitmap>();
  cl::Owned<cl::TBitmap> mask = cl::MakeOwned<cl::TBitmap>();
  Frames() {
    image->SetPixelFormat(cl::pf24bit);
    image->SetSize(3 * kFrame, kFrame);
    mask->SetMonochrome(true);
    mask->SetSize(3 * kFrame, kFrame);
    mask->Canvas()->Brush()->SetColor(cl::clWhite);
    mask->Canvas()->FillRect(cl::Rect(0, 0, 3 * kFrame, kFrame));
    for (int f = 0; f < 3; ++f) {
      image->Canvas()->Brush()->SetColor(kBackgrounds[f]);
      image->Canvas()->FillRect(cl::Bounds(f * kFrame, 0, kFrame, kFrame));
      image->Canvas()->Brush()->SetColor(kForegrounds[f]);
      image->Canvas()->FillRect(cl::Bounds(f * kFrame + 1, 1, 2, 2));
      mask->Canvas()->Brush()->SetColor(cl::clBlack);
      mask->Canvas()->FillRect(cl::Bounds(f * kFrame + 1, 1, 2, 2));
    }
  }
};

cl::Owned<cl::TBitmap> Target() {
  cl::Owned<cl::TBitmap> target = cl::MakeOwned<cl::TBitmap>();
  target->SetPixelFormat(cl::pf24bit);
  target->SetSize(8, 8);
  target->Canvas()->Brush()->SetColor(kCanvas);
  target->Canvas()->FillRect(cl::Rect(0, 0, 8, 8));
  return target;
}

cl::TColor At(cl::TBitmap* bitmap, int x, int y) {
  return bitmap->Canvas()->Pixels(x, y) & 0xFFFFFF;
}

// The pixels of a frame drawn at (2, 2): row by row, the 4 x 4 area.
std::vector<cl::TColor> Drawn(TCtlImageListItem* item, int frame, TCtlDrawStyle style = dsMasked,
                              cl::TColor color = cl::clNone) {
  cl::Owned<cl::TBitmap> target = Target();
  item->DrawFrame(target->Canvas(), 2, 2, frame, style, color);
  EXPECT_EQ(At(target.get(), 1, 1), kCanvas);
  EXPECT_EQ(At(target.get(), 6, 6), kCanvas);
  std::vector<cl::TColor> pixels;
  for (int y = 2; y < 6; ++y)
    for (int x = 2; x < 6; ++x) pixels.push_back(At(target.get(), x, y));
  return pixels;
}

// A frame's pixels drawn transparently: its block over the canvas colour.
std::vector<cl::TColor> Expected(cl::TColor block, cl::TColor around = kCanvas) {
  std::vector<cl::TColor> pixels(16, around);
  for (int i : {5, 6, 9, 10}) pixels[i] = block;
  return pixels;
}

cl::Owned<TCtlImageListItem> Strip(bool masked, bool withMasks) {
  Frames frames;
  cl::Owned<TCtlImageListItem> item = cl::MakeOwned<TCtlImageListItem>();
  item->SetSize(kFrame, kFrame);
  item->SetMasked(masked);
  item->Append(frames.image.get(), withMasks ? frames.mask.get() : nullptr);
  return item;
}

TEST(ImageStrips, DrawThroughTheirMasksAndByTheirColourKey) {
  for (bool masked : {true, false}) {
    cl::Owned<TCtlImageListItem> item = Strip(masked, true);
    ASSERT_EQ(item->Count(), 3);
    for (int f = 0; f < 3; ++f) EXPECT_EQ(Drawn(item.get(), f), Expected(kForegrounds[f])) << masked << f;
  }
}

TEST(ImageStrips, MasksMadeFromTheColourKeyDrawTheSame) {
  cl::Owned<TCtlImageListItem> item = Strip(false, false);
  item->SetMasked(true);
  EXPECT_EQ(Drawn(item.get(), 1), Expected(cl::clBlue));
  // Frames without masks appended to a masked strip get theirs from their colour key.
  Frames more;
  item->Append(more.image.get(), nullptr);
  EXPECT_EQ(item->Count(), 6);
  EXPECT_EQ(Drawn(item.get(), 5), Expected(cl::clYellow));
}

TEST(ImageStrips, DrawStylesOfMaskedFrames) {
  cl::Owned<TCtlImageListItem> item = Strip(true, true);
  EXPECT_EQ(Drawn(item.get(), 1, dsNormal, cl::clWhite), Expected(cl::clBlue, cl::clWhite));
  EXPECT_EQ(Drawn(item.get(), 1, dsNormal, cl::clNone), Expected(cl::clBlue));
  // The block's pixels lie at (1, 1), (2, 1), (1, 2), (2, 2) of the frame.
  std::vector<cl::TColor> checker = Expected(cl::clBlue);
  checker[5] = checker[10] = cl::clBlack;
  EXPECT_EQ(Drawn(item.get(), 1, dsGrayChecker, cl::clBlack), checker);
  std::vector<cl::TColor> dots = Expected(cl::clBlack);
  dots[9] = cl::clBlue;
  EXPECT_EQ(Drawn(item.get(), 1, dsGrayDots, cl::clBlack), dots);
}

TEST(ImageStrips, GrowOnlyByFramesOfTheirSizeUpToTheLimit) {
  cl::Owned<TCtlImageListItem> item = Strip(false, false);
  int changes = 0;
  item->SetOnChange([&](cl::TObject*) { ++changes; });
  auto blank = [](int width, int height) {
    cl::Owned<cl::TBitmap> bitmap = cl::MakeOwned<cl::TBitmap>();
    bitmap->SetSize(width, height);
    return bitmap;
  };
  auto errorOf = [&](cl::TBitmap* bitmap) {
    try {
      item->Append(bitmap, nullptr);
    } catch (const cl::EInvalidGraphicOperation& e) {
      return e.Message();
    }
    return std::string();
  };
  EXPECT_EQ(errorOf(blank(6, kFrame).get()), "Invalid image size");
  EXPECT_EQ(errorOf(blank(kFrame, kFrame + 1).get()), "Invalid image size");
  EXPECT_EQ(errorOf(blank(32768 - 3 * kFrame, kFrame).get()), "");
  EXPECT_EQ(item->Count(), 32768 / kFrame);
  EXPECT_EQ(errorOf(blank(kFrame, kFrame).get()), "Too many images");
  EXPECT_EQ(item->Image()->Width(), 32768);
  EXPECT_EQ(changes, 1);

  item->SetWidth(0);
  EXPECT_EQ(item->Count(), 32768 / kFrame);
  item->SetWidth(8);
  EXPECT_EQ(item->Count(), 0);
  EXPECT_TRUE(item->Image()->Empty());
  EXPECT_EQ(changes, 2);
}

TEST(ImageStrips, RoundTripThroughContainerStreams) {
  for (bool compressed : {false, true}) {
    cl::Owned<TCtlImageList> list = cl::MakeOwned<TCtlImageList>(nullptr);
    list->SetDefaultCompressed(compressed);
    list->Add();
    list->Items(0)->SetSize(kFrame, kFrame);
    list->Items(0)->SetMasked(true);
    list->Items(0)->Append(Frames().image.get(), Frames().mask.get());
    list->Add()->SetDescription("empty strip");
    cl::TMemoryStream stream;
    list->SaveToStream(&stream, true);
    stream.SetPosition(0);
    cl::Owned<TCtlImageList> loaded = cl::MakeOwned<TCtlImageList>(nullptr);
    loaded->LoadFromStream(&stream, true);
    ASSERT_EQ(loaded->Count(), 2);
    TCtlImageListItem* item = loaded->Items(0);
    EXPECT_TRUE(item->Masked());
    EXPECT_EQ(item->Count(), 3);
    for (int f = 0; f < 3; ++f) EXPECT_EQ(Drawn(item, f), Expected(kForegrounds[f])) << compressed;
    EXPECT_EQ(loaded->Items(1)->Count(), 0);
    EXPECT_EQ(loaded->Items(1)->Description(), "empty strip");
  }
}

TEST(ImageListOperations, AnswerForFramesOfAStrip) {
  cl::Owned<TCtlImageList> list = cl::MakeOwned<TCtlImageList>(nullptr);
  list->Add();
  list->Items(0)->SetSize(kFrame, kFrame);
  list->Items(0)->Append(Frames().image.get(), nullptr);
  EXPECT_EQ(list->ImageCount(0), 3);
  EXPECT_EQ(list->ImageRect(0, 2), cl::Rect(8, 0, 12, 4));
  EXPECT_EQ(list->ImageSize(0, 0), kFrame);
  EXPECT_EQ(list->ImageSize(0, 1), kFrame);
  EXPECT_TRUE(list->ImageExists(0, 2));
  EXPECT_FALSE(list->ImageMasked(0));
  EXPECT_EQ(list->ImageTransparentColor(0, 1), cl::clAqua);
  EXPECT_EQ(list->ImagePixel(0, 1, 1, 1), cl::clBlue);
  EXPECT_EQ(list->ImageCanvas(0), list->Items(0)->Image()->Canvas());
  cl::Owned<cl::TBitmap> copy = cl::MakeOwned<cl::TBitmap>();
  list->CopyImage(0, 2, copy.get());
  EXPECT_EQ(copy->Width(), kFrame);
  EXPECT_EQ(At(copy.get(), 0, 3), cl::clFuchsia);
  EXPECT_EQ(At(copy.get(), 2, 2), cl::clYellow);
  cl::Owned<cl::TBitmap> target = Target();
  list->DrawImageRect(target->Canvas(), cl::Rect(0, 0, 8, 8), 0, 0, dfStretch);  // twice the size
  EXPECT_EQ(At(target.get(), 0, 0), kCanvas);
  EXPECT_EQ(At(target.get(), 3, 3), cl::clRed);
}

TEST(ImageListOperations, AnswerBadIndexes) {
  cl::Owned<TCtlImageList> strips = cl::MakeOwned<TCtlImageList>(nullptr);
  strips->Add();
  strips->Items(0)->SetSize(kFrame, kFrame);
  strips->Items(0)->Append(Frames().image.get(), nullptr);
  cl::Owned<TCtlBitmapList> bitmaps = cl::MakeOwned<TCtlBitmapList>(nullptr);
  bitmaps->Add();
  bitmaps->Items(0)->SetBitmap(Frames().image.get());
  bitmaps->Add();  // holds no bitmap

  const struct {
    TCtlCustomImageList* list;
    int n, f;
    int count;  // what ImageCount answers for n
  } cases[] = {
      {strips.get(), -1, 0, -1}, {strips.get(), 1, 0, -1}, {strips.get(), 0, 3, 3},  {strips.get(), 0, -1, 3},
      {bitmaps.get(), -1, 0, 0}, {bitmaps.get(), 2, 0, 0}, {bitmaps.get(), 1, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.list->ClassName() << " n " << c.n << " f " << c.f);
    const bool badEntry = c.n < 0 || c.n >= c.list->Count();
    EXPECT_EQ(c.list->ImageCount(c.n), c.count);
    EXPECT_FALSE(c.list->ImageExists(c.n, c.f));
    EXPECT_EQ(c.list->ImageTransparentColor(c.n, c.f), 0xFFFFFF);
    EXPECT_EQ(c.list->ImagePixel(c.n, c.f, 1, 1), 0xFFFFFF);
    EXPECT_FALSE(c.list->ImageMasked(c.n));
    if (c.list == strips.get() || badEntry) EXPECT_EQ(c.list->ImageRect(c.n, c.f), cl::TRect{});
    if (badEntry) {
      EXPECT_EQ(c.list->ImageSize(c.n, 0), 0);
      EXPECT_EQ(c.list->ImageSize(c.n, 1), 0);
      EXPECT_EQ(c.list->ImagePalette(c.n), nullptr);
      EXPECT_EQ(c.list->ImageCanvas(c.n), nullptr);
    }
    cl::Owned<cl::TBitmap> target = Target();
    c.list->DrawImage(target->Canvas(), 0, 0, c.n, c.f);
    c.list->DrawImageRect(target->Canvas(), cl::Rect(0, 0, 8, 8), c.n, c.f, dfStretch);
    c.list->DrawImageRectEx(target->Canvas(), cl::Rect(0, 0, 8, 8), c.n, c.f, dfTile | dfClip, cl::clNone, 0);
    EXPECT_EQ(At(target.get(), 2, 2), kCanvas);
    cl::Owned<cl::TBitmap> copy = cl::MakeOwned<cl::TBitmap>();
    c.list->CopyImage(c.n, c.f, copy.get());
    EXPECT_TRUE(copy->Empty());
  }
}

}  // namespace
}  // namespace ctl
