// TAdjustFrm: the brightness and contrast dialog. Its two values (-100 to 100) stay from one use to the next;
// AdjustAccepted tells whether it was closed with OK.
#pragma once

#include "classlib/win/forms.h"

namespace cl {
class TLabel;
}
namespace ctl {
class TPlusLabel;
}

namespace viewer {

class TGlyphSpinEdit;
class TRkCancelButton;
class TRkOkButton;

class TAdjustFrm : public cl::TForm {
  CL_CLASS(TAdjustFrm, cl::TForm)
 public:
  explicit TAdjustFrm(cl::TComponent* owner) : TForm(owner) {}
  void BeforeDestruction() override;

  ctl::TPlusLabel* PlusLabel1 = nullptr;
  cl::TLabel* Label1 = nullptr;
  TGlyphSpinEdit* SpinEdit1 = nullptr;  // brightness
  cl::TLabel* Label2 = nullptr;
  TGlyphSpinEdit* SpinEdit2 = nullptr;  // contrast
  TRkOkButton* RkOkButton1 = nullptr;
  TRkCancelButton* RkCancelButton1 = nullptr;

  bool AdjustAccepted() const { return FAdjustAccepted; }

 protected:
  void CreateComponents() override;

 private:
  void FormShow(cl::TObject* sender);
  void RkOkButton1Click(cl::TObject* sender);
  void RkCancelButton1Click(cl::TObject* sender);

  bool FAdjustAccepted = false;
};

// The program's adjust dialog, once Application->CreateForm made it.
extern TAdjustFrm* AdjustFrm;

}  // namespace viewer
