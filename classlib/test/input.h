// Input for tests through real messages: mouse moves, presses and clicks at client points of a control, keys with
// a shift state, keys posted later into a modal loop, and a control painted into a bitmap.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "classlib/win/controls.h"

namespace cl {
class TBitmap;
}

namespace cl::test {

// Posts the mouse message to the window under the control's client point (x, y) (a graphic control's parent's,
// moved by its position) and handles the queue.
void MouseMove(TControl* control, int x, int y, TShiftState shift = {});
void MouseDown(TControl* control, TMouseButton button, int x, int y, TShiftState shift = {});
void MouseUp(TControl* control, TMouseButton button, int x, int y, TShiftState shift = {});
// A left press and release in the middle of the control.
void Click(TControl* control);

// Posts a key press and release to the focused window with the shift keys held as the thread's key state, and
// handles the queue.
void Key(WORD key, TShiftState shift = {});

// Posts the keys to the focused window after delayMs, from a thread timer that also fires inside modal loops
// (an open menu, a message box), so that a test can end them without waiting for a person.
void PostKeysLater(std::vector<WORD> keys, unsigned delayMs = 50);

// Stands in for the cursor (cl::sys::CursorPos) while it lives, at a position the test sets; the real pointer
// is left alone.
class FakeCursor {
 public:
  explicit FakeCursor(TPoint position);
  FakeCursor(const FakeCursor&) = delete;
  FakeCursor& operator=(const FakeCursor&) = delete;
  ~FakeCursor();
  TPoint Position() const { return *FPosition; }
  void MoveTo(TPoint position) { *FPosition = position; }

 private:
  std::shared_ptr<TPoint> FPosition;
};

// The control's client area as it paints itself, drawn into a new 32-bit bitmap the caller frees. Independent of
// the screen: covered or off-screen controls paint the same.
TBitmap* PaintTo(TControl* control);

}  // namespace cl::test
