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
constexpr char kTitle[] = "Orlanto";
constexpr char kNoImage[] = "No image was acquired: the TWAIN source delivered no picture.";

}  // namespace

bool TFrameForm::TwainAvailable() {
  if (Twain1->Available()) return true;
  cl::MessageBoxA(Handle(), kNoSourceManager, "TWAIN Error", MB_OK | MB_ICONERROR);
  return false;
}

// A cancelled or failed acquisition opens no window: there is no picture to show. The wait ends either way, and
// a source that brought nothing without saying why is reported.
void TFrameForm::AcquireImage1Click(cl::TObject*) {
  if (!TwainAvailable()) return;
  HourGlass hourGlass;
  SetStatusText(kHintPanel, "Acquiring Image... Please Wait");
  const bool acquired = Twain1->Acquire(false);
  SetStatusText(kHintPanel, "");
  SetStatusText(kSizePanel, "");
  if (acquired) {
    ShowNewWindow([this](TEditForm& window) { window.OpenPicture(Twain1->Picture()); });
  } else if (!Twain1->NoImageExplained()) {
    cl::MessageBoxA(Handle(), kNoImage, kTitle, MB_OK | MB_ICONINFORMATION);
  }
}

void TFrameForm::SelectSource1Click(cl::TObject*) {
  if (TwainAvailable()) Twain1->SelectSource();
}

}  // namespace viewer
