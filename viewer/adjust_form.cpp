#include "viewer/adjust_form.h"

#include "controls/plus_label.h"
#include "viewer/glyph_spin.h"
#include "viewer/rk_buttons.h"

namespace viewer {

namespace {
constexpr int kLimit = 100;
// The emphasised part in bold (Ctrl-B pairs).
constexpr char kExplanation[] =
    "\x02"
    "Adjust Brightness/Contrast (BC)\x02 in a scale from -100 to 100.";
}  // namespace

TAdjustFrm* AdjustFrm = nullptr;

void TAdjustFrm::BeforeDestruction() {
  if (AdjustFrm == this) AdjustFrm = nullptr;
  inherited::BeforeDestruction();
}

void TAdjustFrm::CreateComponents() {
  MakeDialog(this, "Adjust Brightness/Contrast", 292, 132);
  SetOnShow(CL_EVENT(FormShow));

  PlusLabel1 = cl::Make<ctl::TPlusLabel>(this, "PlusLabel1");
  PlusLabel1->SetParent(this);
  PlusLabel1->SetAutoSize(false);
  PlusLabel1->SetWordWrap(true);
  PlusLabel1->SetBounds(12, 10, 268, 34);
  PlusLabel1->SetCaption(kExplanation);

  const auto addValue = [this](cl::TLabel*& label, TGlyphSpinEdit*& edit, const char* name, const char* caption,
                               int top) {
    label = cl::Make<cl::TLabel>(this, std::string("Label") + name);
    label->SetParent(this);
    label->SetBounds(12, top + 4, 70, 16);
    label->SetCaption(caption);
    edit = cl::Make<TGlyphSpinEdit>(this, std::string("SpinEdit") + name);
    edit->SetParent(this);
    edit->SetBounds(88, top, 80, 24);
    edit->SetMinValue(-kLimit);
    edit->SetMaxValue(kLimit);
    edit->SetValue(0);
  };
  addValue(Label1, SpinEdit1, "1", "Brightness:", 56);
  addValue(Label2, SpinEdit2, "2", "Contrast:", 92);

  RkOkButton1 = cl::Make<TRkOkButton>(this, "RkOkButton1");
  RkOkButton1->SetParent(this);
  RkOkButton1->SetBounds(205, 56, 75, 25);
  RkOkButton1->SetOnClick(CL_EVENT(RkOkButton1Click));
  RkCancelButton1 = cl::Make<TRkCancelButton>(this, "RkCancelButton1");
  RkCancelButton1->SetParent(this);
  RkCancelButton1->SetBounds(205, 92, 75, 25);
  RkCancelButton1->SetOnClick(CL_EVENT(RkCancelButton1Click));
}

void TAdjustFrm::FormShow(cl::TObject*) {
  FAdjustAccepted = false;
}

void TAdjustFrm::RkOkButton1Click(cl::TObject*) {
  FAdjustAccepted = true;
  Close();
}

void TAdjustFrm::RkCancelButton1Click(cl::TObject*) {
  FAdjustAccepted = false;
  Close();
}

}  // namespace viewer
