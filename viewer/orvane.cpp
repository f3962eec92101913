// Orvane, the image viewer and editor: start-up. The frame form comes first; when another instance already runs,
// it hands the command line over and the program ends without creating more forms or showing a window.
#include <windows.h>

#include "classlib/win/application.h"
#include "controls/ctl_application.h"
#include "image/all_scr_frm.h"
#include "viewer/adjust_form.h"
#include "viewer/assoc_dialog.h"
#include "viewer/frame_form.h"
#include "viewer/picture_formats.h"
#include "viewer/pref_form.h"
#include "viewer/quality_form.h"
#include "viewer/rotate_form.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  cl::Initialize();
  ctl::InitControlLibrary();
  viewer::RegisterPictureFormats();
  cl::Application->SetTitle("Orlanto");
  // The frame's timer copies its caption, a maximised image window's name included, into the title.
  ctl::CtlApplication->SetSettingsTitle("Orlanto");
  cl::Application->CreateForm(viewer::FrameForm);
  // A second instance has handed its files over and ends here.
  if (!cl::Application->Terminated()) {
    cl::Application->CreateForm(viewer::AdjustFrm);
    cl::Application->CreateForm(img::AllScrFrm);
    cl::Application->CreateForm(viewer::PrefFrm);
    cl::Application->CreateForm(viewer::QualityFrm);
    cl::Application->CreateForm(viewer::RotateFrm);
    cl::Application->CreateForm(viewer::AssocDialog);
  }
  cl::Application->Run();
  cl::Finalize();
  return 0;
}
