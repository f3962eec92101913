// TFrameForm, the viewer's main form: the frame that holds the image windows. At creation it checks for a
// running instance and, when there is one, hands this start's files over and ends before anything is shown.
#pragma once

#include "classlib/win/forms.h"
#include "viewer/limit_me.h"

namespace viewer {

class TFrameForm : public cl::TForm {
  CL_CLASS(TFrameForm, cl::TForm)
 public:
  explicit TFrameForm(cl::TComponent* owner) : TForm(owner) {}

  TLimitMe* LimitMe1 = nullptr;

 protected:
  void CreateComponents() override;

 private:
  void FormCreate(cl::TObject* sender);
  // The guard's BeforeTerminate in a second instance: leaves the command line in "ToOpen" and nothing else.
  void LMDOneInstance1Custom(cl::TObject* sender);
};

extern TFrameForm* FrameForm;

}  // namespace viewer
