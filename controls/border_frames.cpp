#include "controls/border_frames.h"

#include <windows.h>

#include "classlib/win/canvas.h"

namespace ctl {

void DrawBorderFrame(cl::TCanvas* canvas, cl::TRect& rect, TCtlBorderStyle style, uint32_t extraFlags) {
  if (!canvas) return;
  canvas->Changing();
  HDC dc = canvas->Handle();
  for (const TBorderStep& step : BorderSteps(style, extraFlags)) {
    if (!step.IsEdge) {
      rect.Left += step.Move.Left;
      rect.Top += step.Move.Top;
      rect.Right += step.Move.Right;
      rect.Bottom += step.Move.Bottom;
      continue;
    }
    RECT edge{rect.Left, rect.Top, rect.Right, rect.Bottom};
    DrawEdge(dc, &edge, step.Edge, step.Flags);
    rect = cl::Rect(edge.left, edge.top, edge.right, edge.bottom);
  }
  canvas->Changed();
}

}  // namespace ctl
