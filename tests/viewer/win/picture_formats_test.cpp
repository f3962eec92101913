// Orvane's picture registry: the class a picture loaded by file name gets for each extension, and pictures so
// loaded on the screen.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/extctrls.h"
#include "classlib/win/forms.h"
#include "classlib/win/picture.h"
#include "image/gif_bitmap.h"
#include "image/gif_image.h"
#include "image/jpeg_bitmap.h"
#include "support/screenshot.h"
#include "viewer/picture_formats.h"

namespace viewer {
namespace {

TEST(PictureFormats, JpegGoesToTheJpegBitmapAndGifToTheReadOnlyGifBitmap) {
  RegisterPictureFormats();
  const struct {
    const char* extension;
    const cl::TClass* graphicClass;
  } expected[] = {{"jpg", img::TJPEGBitmap::StaticClass()},
                  {"JPEG", img::TJPEGBitmap::StaticClass()},
                  {"gif", img::TGifBitmap::StaticClass()},
                  {"bmp", cl::TBitmap::StaticClass()}};
  for (const auto& e : expected)
    EXPECT_EQ(cl::TPicture::FileFormatClass(e.extension).Class, e.graphicClass) << e.extension;
  // The GIF image was there before the GIF bitmap: without the bitmap ".gif" goes to it.
  cl::TPicture::UnregisterGraphicClass(cl::GraphicClassOf<img::TGifBitmap>());
  EXPECT_EQ(cl::TPicture::FileFormatClass("gif").Class, img::TGIFImage::StaticClass());
  img::RegisterGifBitmap();
}

// The colour the form's window shows at a point of the client area.
COLORREF ShownAt(cl::TForm* form, int x, int y) {
  HDC window = GetDC(form->Handle());
  const COLORREF color = GetPixel(window, x, y);
  ReleaseDC(form->Handle(), window);
  return color;
}

TEST(PictureFormats, PicturesLoadedByNameAreShown) {
  RegisterPictureFormats();
  const std::string gif = std::string(std::getenv("PROJECT_GIFLIB_SAMPLES")) + "\\porsche.gif";
  const std::string jpg = std::string(std::getenv("PROJECT_TEST_DIR")) + "\\porsche.jpg";
  cl::TForm* form = cl::CreateNew<cl::TForm>(cl::Application);
  form->SetBounds(40, 40, 700, 280);
  form->SetCaption("Pictures loaded by name");
  cl::TImage* images[2] = {cl::New<cl::TImage>(form), cl::New<cl::TImage>(form)};
  for (int i = 0; i < 2; ++i) {
    images[i]->SetParent(form);
    images[i]->SetBounds(10 + 340 * i, 10, 320, 200);
  }
  images[0]->Picture()->LoadFromFile(gif);
  // The same picture written as JPEG by the JPEG bitmap and read back by name.
  cl::TBitmap* asGif = images[0]->Picture()->Bitmap();
  img::TJPEGBitmap* jpeg = cl::New<img::TJPEGBitmap>();
  jpeg->Assign(asGif);
  jpeg->SaveToFile(jpg);
  cl::Free(jpeg);
  images[1]->Picture()->LoadFromFile(jpg);
  EXPECT_NE(dynamic_cast<img::TGifBitmap*>(images[0]->Picture()->Graphic()), nullptr);
  EXPECT_NE(dynamic_cast<img::TJPEGBitmap*>(images[1]->Picture()->Graphic()), nullptr);

  form->Show();
  cl::test::PumpFor(1500);
  // A red patch of the car's door shows its colour in both (JPEG halves the colour resolution: a small patch
  // drifts further than the picture as a whole).
  const COLORREF fromGif = ShownAt(form, 10 + 200, 10 + 95), fromJpeg = ShownAt(form, 350 + 200, 10 + 95);
  EXPECT_EQ(fromGif, RGB(187, 51, 68));
  EXPECT_NEAR(GetRValue(fromGif), GetRValue(fromJpeg), 48);
  EXPECT_NEAR(GetGValue(fromGif), GetGValue(fromJpeg), 48);
  EXPECT_NEAR(GetBValue(fromGif), GetBValue(fromJpeg), 48);
  testsupport::SaveScreenshot("viewer_picture_formats");
  cl::Free(form);
}

}  // namespace
}  // namespace viewer
