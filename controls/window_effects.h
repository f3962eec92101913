// Window zoom effects drawn with focus rectangles on the screen, and the placement of forms over their owner or in
// the middle of the screen.
#pragma once

#include <windows.h>

namespace cl {
class TControl;
class TForm;
}  // namespace cl

namespace ctl {

// A rectangle grows from the mouse position to the window's rectangle in 40 steps, drawn twice so that the second
// run erases the first; the application object's EffectSpeed sets the pause between steps.
void ExplodeWindow(HWND window);
// The same in two stages of 40 steps: from the mouse halfway towards the window, then to the window.
void ExplodeWindowExt(HWND window);

// Places the form centred over the owner (on the screen when there is none), kept inside the screen; with
// showModal shows it modally and returns the modal result, else 0.
int CenterFormOver(cl::TControl* owner, cl::TForm* form, bool showModal);
// Moves the control to the middle of the screen, keeping its size.
void CenterOnScreen(cl::TControl* control);

}  // namespace ctl
