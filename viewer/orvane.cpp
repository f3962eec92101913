// Orvane, the image viewer and editor: start-up. The frame form comes first; when another instance already runs,
// it hands the command line over and the program ends without creating more forms or showing a window.
#include <windows.h>

#include "classlib/win/application.h"
#include "controls/ctl_application.h"
#include "viewer/frame_form.h"
#include "viewer/picture_formats.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  cl::Initialize();
  ctl::InitControlLibrary();
  viewer::RegisterPictureFormats();
  cl::Application->SetTitle("Orlanto");
  cl::Application->CreateForm(viewer::FrameForm);
  cl::Application->Run();
  cl::Finalize();
  return 0;
}
