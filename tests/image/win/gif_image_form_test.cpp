// GIF files shown on a form: image controls whose pictures load the sample GIFs by file name, painted as a user
// sees them (a screenshot is kept), transparent pixels showing the form's colour.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/test/input.h"
#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "classlib/win/extctrls.h"
#include "classlib/win/forms.h"
#include "classlib/win/picture.h"
#include "gif_test_support.h"
#include "support/screenshot.h"

namespace img {
namespace {

using namespace testing;
using testing::Make;
using testing::Owned;

constexpr int kCellWidth = 330, kCellHeight = 220;
const std::vector<std::string> kSamples = {"x-trans.gif",  "gifgrid.gif", "porsche.gif", "treescap.gif",
                                           "welcome2.gif", "solid2.gif",  "fire.gif",    "treescap-interlaced.gif"};

// A red form with one image control a sample, each in a cell of a grid; x-trans.gif at (10, 10) unstretched.
class TGifGallery : public cl::TForm {
  CL_CLASS(TGifGallery, cl::TForm)
 public:
  explicit TGifGallery(cl::TComponent* owner) : TForm(owner) {}
  std::vector<cl::TImage*> Images;

 protected:
  void CreateComponents() override {
    SetCaption("GIF images");
    SetBounds(0, 0, 3 * kCellWidth + 40, 3 * kCellHeight + 60);
    SetColor(cl::clRed);
    for (std::size_t i = 0; i < kSamples.size(); ++i) {
      auto* image = cl::Make<cl::TImage>(this, "Image" + std::to_string(i));
      image->SetParent(this);
      image->SetBounds(10 + static_cast<int>(i % 3) * kCellWidth, 10 + static_cast<int>(i / 3) * kCellHeight,
                       kCellWidth - 10, kCellHeight - 10);
      image->SetStretch(i != 0);
      image->Picture()->LoadFromFile(GiflibSample(kSamples[i]));
      Images.push_back(image);
    }
  }
};

TEST(GifImageForm, ImageControlsShowGifFilesWithTheirTransparency) {
  RegisterGIFImage();
  Owned<TGifGallery> form(cl::New<TGifGallery>(cl::Application));
  for (cl::TImage* image : form->Images)
    EXPECT_NE(dynamic_cast<TGIFImage*>(image->Picture()->Graphic()), nullptr) << image->Name();
  form->Show();
  cl::test::PumpFor(300);
  testsupport::SaveScreenshot("gif_image_form");

  Owned<cl::TBitmap> painted(cl::test::PaintTo(form.get()));
  const Pixels pixels = PixelsOf(painted.get());
  EXPECT_EQ(pixels.At(10 + 0, 10 + 0), 0xFF0000u);    // a transparent pixel of x-trans.gif: the form's red
  EXPECT_EQ(pixels.At(10 + 50, 10 + 50), 0x000000u);  // an opaque one: black
  UnregisterGIFImage();
}

}  // namespace
}  // namespace img
