// TClipboard: pictures, palettes, registered formats and text through the system clipboard (in-process).
#include <gtest/gtest.h>

#include "classlib/core/exceptions.h"
#include "classlib/win/clipboard.h"
#include "classlib/win/metafile.h"
#include "classlib/win/picture.h"
#include "graphics_test_support.h"

namespace cl {
namespace {

using testing::Make;
using testing::PatternBitmap;
using testing::PixelAt;

TEST(Clipboard, BitmapWithPaletteRoundTripsThroughAPicture) {
  Clipboard()->Clear();
  Owned<TPicture> picture = Make<TPicture>();
  picture->SetGraphic(PatternBitmap(12, 9, pf8bit).get());
  Clipboard()->Assign(picture.get());
  EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
  EXPECT_TRUE(Clipboard()->HasFormat(CF_PALETTE));
  EXPECT_TRUE(Clipboard()->HasFormat(CF_PICTURE()));
  Owned<TPicture> pasted = Make<TPicture>();
  pasted->Assign(Clipboard());
  ASSERT_NE(dynamic_cast<TBitmap*>(pasted->Graphic()), nullptr);
  EXPECT_EQ(pasted->Width(), 12);
  for (int y = 0; y < 9; y += 4)
    for (int x = 0; x < 12; x += 5)
      EXPECT_EQ(PixelAt(*pasted->Bitmap(), x, y), PixelAt(*picture->Bitmap(), x, y)) << x << "," << y;
  EXPECT_NE(pasted->Bitmap()->Palette(), nullptr);
}

TEST(Clipboard, RegisteredFormatsCountAsPictures) {
  Clipboard()->Clear();
  const RECT frame{0, 0, 1000, 1000};
  HDC dc = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
  Ellipse(dc, 0, 0, 20, 20);
  Owned<TMetafile> metafile = Make<TMetafile>();
  metafile->SetHandle(CloseEnhMetaFile(dc));
  Clipboard()->Assign(metafile.get());
  EXPECT_FALSE(Clipboard()->HasFormat(CF_BITMAP) && !Clipboard()->HasFormat(CF_ENHMETAFILE));
  EXPECT_TRUE(Clipboard()->HasFormat(CF_PICTURE()));
  Owned<TPicture> pasted = Make<TPicture>();
  pasted->Assign(Clipboard());
  EXPECT_NE(pasted->Graphic(), nullptr);
  EXPECT_FALSE(pasted->Graphic()->Empty());
}

TEST(Clipboard, EmptyPictureChangesNothingAndTextRoundTrips) {
  Clipboard()->SetAsText("kept");
  Owned<TPicture> empty = Make<TPicture>();
  Clipboard()->Assign(empty.get());
  EXPECT_EQ(Clipboard()->AsText(), "kept");
  EXPECT_FALSE(Clipboard()->HasFormat(CF_PICTURE()));
  Owned<TPicture> picture = Make<TPicture>();
  EXPECT_THROW(picture->Assign(Clipboard()), EInvalidGraphic);
  Clipboard()->Open();
  Clipboard()->Open();  // nested
  Clipboard()->Close();
  Clipboard()->Close();
  Clipboard()->Clear();
  EXPECT_EQ(Clipboard()->AsText(), "");
}

}  // namespace
}  // namespace cl
