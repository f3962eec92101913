#include "image/all_scr_frm.h"

#include "classlib/win/colors.h"

namespace img {

namespace {

constexpr char kCaption[] = "AllScrFrm";
constexpr int kImageSide = 160;
constexpr uint16_t kCompression = 208;

}  // namespace

TAllScrFrm* AllScrFrm = nullptr;

void TAllScrFrm::CreateComponents() {
  SetCaption(kCaption);
  SetBorderStyle(cl::bsNone);
  SetColor(cl::clBlack);
  SetWindowState(cl::wsMaximized);
  SetOnClick(CL_EVENT(FormClick));
  Image1 = cl::Make<TLoadImage>(this, "Image1");
  Image1->SetParent(this);
  Image1->SetBounds(0, 0, kImageSide, kImageSide);
  Image1->SetCompression(kCompression);
  Image1->SetOnClick(CL_EVENT(ImageClick));
}

void TAllScrFrm::BeforeDestruction() {
  if (AllScrFrm == this) AllScrFrm = nullptr;
  inherited::BeforeDestruction();
}

void TAllScrFrm::ImageClick(cl::TObject*) {
  Close();
}

void TAllScrFrm::FormClick(cl::TObject*) {
  Close();
}

}  // namespace img
