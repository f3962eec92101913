// TAllScrFrm: the full-screen preview: a black, borderless, maximised form holding one image control. A click on
// the picture or on the black around it closes it.
#pragma once

#include "classlib/win/forms.h"
#include "image/load_image.h"

namespace img {

class TAllScrFrm : public cl::TForm {
  CL_CLASS(TAllScrFrm, cl::TForm)
 public:
  explicit TAllScrFrm(cl::TComponent* owner) : TForm(owner) {}
  void BeforeDestruction() override;

  TLoadImage* Image1 = nullptr;

  void ImageClick(cl::TObject* sender);
  void FormClick(cl::TObject* sender);

 protected:
  void CreateComponents() override;
};

// The program's preview form, once Application->CreateForm made it.
extern TAllScrFrm* AllScrFrm;

}  // namespace img
