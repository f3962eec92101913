// TFrmRepaint: the "Repainting..." form. The viewer makes it at start with its other forms and never shows it.
#pragma once

#include "classlib/win/forms.h"

namespace viewer {

class TFrmRepaint : public cl::TForm {
  CL_CLASS(TFrmRepaint, cl::TForm)
 public:
  explicit TFrmRepaint(cl::TComponent* owner) : TForm(owner) {}
  void BeforeDestruction() override;

 protected:
  void CreateComponents() override;
};

// The program's repaint form, once Application->CreateForm made it.
extern TFrmRepaint* FrmRepaint;

}  // namespace viewer
