#include "controls/window_effects.h"

#include <algorithm>
#include <vector>

#include "classlib/win/forms.h"
#include "classlib/win/gdi.h"
#include "classlib/win/screen.h"
#include "controls/core/draw_placement.h"
#include "controls/ctl_application.h"

namespace ctl {
namespace {

constexpr int kPauseRoundsPerSpeed = 10000;

void Pause() {
  const int speed = CtlApplication ? std::max<int>(CtlApplication->EffectSpeed(), 1) : 1;
  // A busy wait the optimiser may not drop.
  volatile int rounds = 0;
  while (rounds < speed * kPauseRoundsPerSpeed) rounds = rounds + 1;
}

// Draws every rectangle twice over: focus rectangles are inverted, so the second run leaves the screen as it was.
void DrawTwice(const std::vector<cl::TRect>& rects) {
  cl::gdi::WindowDC screen(nullptr);
  for (int pass = 0; pass < 2; ++pass) {
    for (const cl::TRect& r : rects) {
      Pause();
      RECT focus{r.Left, r.Top, r.Right, r.Bottom};
      DrawFocusRect(screen.Get(), &focus);
    }
  }
}

cl::TRect WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return cl::Rect(r.left, r.top, r.right, r.bottom);
}

cl::TPoint MousePosition() {
  POINT p{};
  GetCursorPos(&p);
  return cl::Point(p.x, p.y);
}

}  // namespace

void ExplodeWindow(HWND window) {
  if (!window) return;
  const cl::TPoint mouse = MousePosition();
  DrawTwice(ZoomRects(cl::Rect(mouse.X, mouse.Y, mouse.X, mouse.Y), WindowRect(window), 0));
}

void ExplodeWindowExt(HWND window) {
  if (!window) return;
  DrawTwice(TwoStageZoomRects(MousePosition(), WindowRect(window)));
}

int CenterFormOver(cl::TControl* owner, cl::TForm* form, bool showModal) {
  if (!form) return 0;
  if (!owner) {
    CenterOnScreen(form);
  } else {
    // Placed explicitly, so that no default position overrides the centring.
    form->SetPosition(cl::poDesigned);
    const cl::TPoint corner =
        CenteredOver(owner->BoundsRect(), form->Width(), form->Height(), cl::Screen->Width(), cl::Screen->Height());
    form->SetBounds(corner.X, corner.Y, form->Width(), form->Height());
  }
  return showModal ? form->ShowModal() : 0;
}

void CenterOnScreen(cl::TControl* control) {
  if (!control) return;
  control->SetBounds((cl::Screen->Width() - control->Width()) / 2, (cl::Screen->Height() - control->Height()) / 2,
                     control->Width(), control->Height());
}

}  // namespace ctl
