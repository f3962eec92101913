// A form holding one image control, Image1, designed at (10, 10) in a 400 x 300 box: the window the tests put the
// control on when they need it shown, painted and reached by mouse messages.
#pragma once

#include "classlib/win/forms.h"
#include "image/load_image.h"

namespace img::testing {

class TImageHostForm : public cl::TForm {
  CL_CLASS(TImageHostForm, cl::TForm)
 public:
  explicit TImageHostForm(cl::TComponent* owner) : TForm(owner) {}
  TLoadImage* Image1 = nullptr;

 protected:
  void CreateComponents() override {
    SetCaption("Image host");
    SetBounds(20, 20, 460, 360);
    Image1 = cl::Make<TLoadImage>(this, "Image1");
    Image1->SetParent(this);
    Image1->SetBounds(10, 10, 400, 300);
  }
};

}  // namespace img::testing
