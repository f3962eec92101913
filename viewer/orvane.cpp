// Orvane, the image viewer and editor: start-up. The frame form comes first; when another instance already runs,
// it hands the command line over and the program ends without creating more forms or showing a window.
#include <windows.h>

#include "classlib/win/application.h"
#include "controls/ctl_application.h"
#include "viewer/picture_formats.h"
#include "viewer/start_up.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  cl::Initialize();
  ctl::InitControlLibrary();
  viewer::RegisterPictureFormats();
  cl::Application->SetTitle("Orlanto");
  // The frame's timer copies its caption, a maximised image window's name included, into the title.
  ctl::CtlApplication->SetSettingsTitle("Orlanto");
  viewer::CreateStartUpForms();
  cl::Application->Run();
  cl::Finalize();
  return 0;
}
