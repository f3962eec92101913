// The frame's TWAIN commands: an image acquired from the chosen source opens in a new image window.
#include "classlib/win/message_box.h"
#include "viewer/edit_form.h"
#include "viewer/enh_twain.h"
#include "viewer/frame_form.h"
#include "viewer/hour_glass.h"

namespace viewer {

namespace {

constexpr char kNoSourceManager[] =
    "No TWAIN source manager (TWAIN_32.DLL) is installed: images cannot be acquired from scanners or cameras.";

}  // namespace

bool TFrameForm::TwainAvailable() {
  if (Twain1->Available()) return true;
  cl::MessageBoxA(Handle(), kNoSourceManager, "TWAIN Error", MB_OK | MB_ICONERROR);
  return false;
}

// A cancelled or failed acquisition opens no window: there is no picture to show.
void TFrameForm::AcquireImage1Click(cl::TObject*) {
  if (!TwainAvailable()) return;
  HourGlass hourGlass;
  SetStatusText(kHintPanel, "Acquiring Image... Please Wait");
  if (Twain1->Acquire(false)) ShowNewWindow([this](TEditForm& window) { window.OpenPicture(Twain1->Picture()); });
  SetStatusText(kSizePanel, "");
}

void TFrameForm::SelectSource1Click(cl::TObject*) {
  if (TwainAvailable()) Twain1->SelectSource();
}

}  // namespace viewer
