// Tarnel, the image browser: start-up. The program reads no command-line arguments.
#include <windows.h>

#include "browser/browse_folder_dlg.h"
#include "browser/main_form.h"
#include "browser/picture_formats.h"
#include "classlib/win/application.h"
#include "controls/ctl_application.h"
#include "image/all_scr_frm.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  cl::Initialize();
  ctl::InitControlLibrary();
  // The title names the folder shown; the window's placement stays under the program's own name.
  ctl::CtlApplication->SetSettingsTitle("Tarnby");
  brw::RegisterPictureFormats();
  cl::Application->CreateForm(brw::Tarnby);
  cl::Application->CreateForm(img::AllScrFrm);
  cl::Application->CreateForm(brw::BrowseFolderDlg);
  cl::Application->Run();
  cl::Finalize();
  return 0;
}
