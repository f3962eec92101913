// TTarnby, the browser's main form.
#pragma once

#include "classlib/win/forms.h"

namespace brw {

class TTarnby : public cl::TForm {
  CL_CLASS(TTarnby, cl::TForm)
 public:
  explicit TTarnby(cl::TComponent* owner) : TForm(owner) {}

 protected:
  void CreateComponents() override;
};

extern TTarnby* Tarnby;

}  // namespace brw
