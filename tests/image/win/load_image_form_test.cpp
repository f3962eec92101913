// A form holding a TLoadImage shows a loaded PNG: the control takes its designed box from the form's layout, sits
// centred in it at actual size, and its pixels reach the screen (a screenshot is kept for a person to look at).
#include <gtest/gtest.h>

#include "classlib/test/pump.h"
#include "classlib/win/application.h"
#include "image_host_form.h"
#include "load_image_test_support.h"
#include "support/screenshot.h"

namespace img {
namespace {

using namespace testing;

TEST(LoadImageFormTest, ShowsALoadedPngCentredInItsDesignedBox) {
  const std::string path = ScratchPath("shown.png");
  WritePatternPng(path, 120, 80);
  TImageHostForm* form = nullptr;
  cl::Application->CreateForm(form);
  int top = 0, left = 0, width = 0, height = 0;
  form->Image1->GetDesignedSize(top, left, width, height);
  EXPECT_EQ(top, 10);
  EXPECT_EQ(left, 10);
  EXPECT_EQ(width, 400);
  EXPECT_EQ(height, 300);

  form->Show();
  form->Image1->ChangeFile(path);
  ASSERT_FALSE(form->Image1->ImageError()) << form->Image1->StatusText();
  EXPECT_EQ(form->Image1->BoundsRect(), cl::Bounds(10 + 140, 10 + 110, 120, 80));
  EXPECT_TRUE(form->Image1->Visible());
  cl::test::PumpFor(200);

  // The window's pixels at the control show the picture.
  HDC window = GetDC(form->Handle());
  const POINT inside{10 + 140 + 33, 10 + 110 + 21};
  const COLORREF color = GetPixel(window, inside.x, inside.y);
  ReleaseDC(form->Handle(), window);
  const uint32_t expected = PatternColor(33, 21);
  EXPECT_EQ(GetRValue(color), expected >> 16 & 0xFF);
  EXPECT_EQ(GetGValue(color), expected >> 8 & 0xFF);
  EXPECT_EQ(GetBValue(color), expected & 0xFF);
  testsupport::SaveScreenshot("load_image_form");
  cl::Free(form);
}

}  // namespace
}  // namespace img
