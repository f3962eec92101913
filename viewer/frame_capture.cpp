// The frame's screen capture: Image > "Capture Screen..." and its four hot keys.
#include "viewer/frame_form.h"

namespace viewer {

namespace {
// A hot-key capture of the frame is also left in this file.
constexpr char kFixedCaptureFile[] = "c:\\ovx.bmp";
}  // namespace

void TFrameForm::CaptureScreen1Click(cl::TObject*) {
  StartCapture(CtlGlobalHotKeys, this);
}

void TFrameForm::CtlGlobalHotKey1KeyDown(cl::TObject*, WORD&, cl::TShiftState) {
  CaptureOnHotKey(CtlGlobalHotKeys, this, kFixedCaptureFile);
}

}  // namespace viewer
