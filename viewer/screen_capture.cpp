#include "viewer/screen_capture.h"

#include <windows.h>

#include "classlib/core/finally.h"
#include "classlib/core/exceptions.h"
#include "classlib/win/application.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/extctrls.h"
#include "classlib/win/gdi.h"
#include "classlib/win/stdctrls.h"
#include "viewer/edit_form.h"
#include "viewer/frame_form.h"
#include "viewer/global_hot_key.h"
#include "viewer/pref_form.h"

namespace viewer {

namespace {

// Rounds of pending messages after the frame was hidden, so that the windows it uncovered paint themselves.
constexpr int kRepaintRounds = 25001;
// The preferences' hot key when none was chosen: F12.
constexpr int kDefaultHotKeyIndex = 3;

bool GCaptureRunning = false;

int ActivateUsing() {
  return PrefFrm ? PrefFrm->RadioGroup1->ItemIndex() : 0;
}

int HotKeyIndex() {
  return PrefFrm ? PrefFrm->RadioGroup2->ItemIndex() : kDefaultHotKeyIndex;
}

bool MinimizeOnCapture() {
  return !PrefFrm || PrefFrm->CheckBox3->Checked();
}

void ShowFrame() {
  if (FrameForm && !FrameForm->ComponentState().Contains(cl::csDestroying)) FrameForm->Show();
}

cl::Owned<cl::TBitmap> CopyScreen() {
  cl::Owned<cl::TBitmap> screen = cl::MakeOwned<cl::TBitmap>();
  screen->SetSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  cl::gdi::WindowDC desktop(GetDesktopWindow());
  screen->Canvas()->Changing();
  BitBlt(screen->Canvas()->Handle(), 0, 0, screen->Width(), screen->Height(), desktop.Get(), 0, 0, SRCCOPY);
  screen->Canvas()->Changed();
  return screen;
}

// One capture into a new window; the frame is shown again whatever happens, and another capture cannot start
// meanwhile (the message rounds would let one in).
void Capture(cl::TComponent* windowOwner, const std::string& fixedCopy) {
  const bool hideFrame = MinimizeOnCapture() && FrameForm;
  GCaptureRunning = true;
  cl::Finally done([hideFrame] {
    GCaptureRunning = false;
    if (hideFrame) ShowFrame();
  });
  if (hideFrame) FrameForm->Hide();
  for (int i = 0; i < kRepaintRounds; ++i) cl::Application->ProcessMessages();
  cl::Owned<cl::TBitmap> screen = CopyScreen();
  if (!fixedCopy.empty()) {
    // The fixed file is only a copy for others; the window holds the capture in its own working copy, so a
    // file that cannot be written there (a root folder the user may not write to) costs nothing.
    try {
      screen->SaveToFile(fixedCopy);
    } catch (const cl::EStreamError&) {
    }
  }
  TEditForm* window = cl::New<TEditForm>(windowOwner);
  try {
    window->OpenPicture(screen.get());
  } catch (...) {
    window->Free();  // no empty window is left behind
    throw;
  }
}

}  // namespace

CaptureHotKeys MakeCaptureHotKeys(cl::TComponent* owner, CaptureOwner kind, const cl::TKeyEvent& onKeyDown) {
  CaptureHotKeys keys{};
  for (int i = 0; i < kCaptureHotKeyCount; ++i) {
    keys[i] = cl::Make<TCtlGlobalHotKey>(owner, "CtlGlobalHotKey" + std::to_string(i + 1));
    keys[i]->SetActive(false);
    keys[i]->SetHotKey(CaptureHotKey(kind, i));
    keys[i]->SetOnKeyDown(onKeyDown);
  }
  return keys;
}

void StartCapture(const CaptureHotKeys& keys, cl::TComponent* windowOwner) {
  if (GCaptureRunning) return;
  if (const std::optional<int> key = CaptureKeyToArm(ActivateUsing(), HotKeyIndex())) {
    keys[*key]->SetActive(true);
    return;
  }
  Capture(windowOwner, "");
}

void CaptureOnHotKey(const CaptureHotKeys& keys, cl::TComponent* windowOwner, const std::string& fixedCopy) {
  if (GCaptureRunning) return;
  // Disarmed first: a held key repeats, and each arming is good for one capture.
  for (TCtlGlobalHotKey* key : keys) key->SetActive(false);
  Capture(windowOwner, fixedCopy);
}

}  // namespace viewer
