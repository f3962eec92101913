#include "viewer/start_up.h"

#include "classlib/win/application.h"
#include "image/all_scr_frm.h"
#include "viewer/adjust_form.h"
#include "viewer/assoc_dialog.h"
#include "viewer/frame_form.h"
#include "viewer/pref_form.h"
#include "viewer/quality_form.h"
#include "viewer/repaint_form.h"
#include "viewer/rotate_form.h"

namespace viewer {

void CreateStartUpForms() {
  cl::Application->CreateForm(FrameForm);
  if (cl::Application->Terminated()) return;
  cl::Application->CreateForm(AdjustFrm);
  cl::Application->CreateForm(img::AllScrFrm);
  cl::Application->CreateForm(PrefFrm);
  cl::Application->CreateForm(QualityFrm);
  cl::Application->CreateForm(FrmRepaint);
  cl::Application->CreateForm(RotateFrm);
  cl::Application->CreateForm(AssocDialog);
}

}  // namespace viewer
