// TControlCanvas: the control's DC taken on demand.
#include "classlib/win/control_canvas.h"

#include "classlib/core/exceptions.h"
#include "classlib/core/format.h"
#include "classlib/win/win_control.h"

namespace cl {

void TControlCanvas::BeforeDestruction() {
  FreeHandle();
  inherited::BeforeDestruction();
}

void TControlCanvas::SetControl(TControl* control) {
  if (control == FControl) return;
  FreeHandle();
  FControl = control;
}

void TControlCanvas::FreeHandle() {
  if (!FDC) return;
  SetHandle(nullptr);
  ReleaseDC(FWindow, FDC);
  FDC = nullptr;
  FWindow = nullptr;
  SetDeviceOrigin(Point(0, 0));
}

void TControlCanvas::CreateHandle() {
  if (!FControl) return;
  auto* windowed = dynamic_cast<TWinControl*>(FControl);
  TWinControl* owner = windowed ? windowed : FControl->Parent();
  if (!owner) throw EInvalidOperation(Format("Control '%s' has no parent window", {FControl->Name()}));
  FWindow = owner->Handle();
  FDC = GetDCEx(FWindow, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  if (!FDC) throw EOutOfResources();
  if (!windowed) {
    // Clip in device coordinates first, then move the origin: drawing at (0, 0) lands on the control.
    IntersectClipRect(FDC, FControl->Left(), FControl->Top(), FControl->Left() + FControl->Width(),
                      FControl->Top() + FControl->Height());
    SetViewportOrgEx(FDC, FControl->Left(), FControl->Top(), nullptr);
    SetDeviceOrigin(Point(FControl->Left(), FControl->Top()));
  }
  SetHandle(FDC);
}

}  // namespace cl
