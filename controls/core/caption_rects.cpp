#include "controls/core/caption_rects.h"

#include <algorithm>

namespace ctl {

void CaptionRects(const TCaptionMetrics& metrics, const TCaptionWindow& window, cl::TRect& caption, cl::TRect& text,
                  int& flags) {
  const bool toolWindow = (window.ExStyle & kExStyleToolWindow) != 0;
  const bool small = toolWindow && metrics.NewShellLook;
  if (small) flags |= cfSmallCaption;
  const int32_t height = small ? metrics.SmallCaptionHeight : metrics.CaptionHeight;

  int32_t frameX = 3 * metrics.BorderX, frameY = 3 * metrics.BorderY;
  if (window.Style & kStyleThickFrame) {
    frameX = metrics.FrameX;
    frameY = metrics.FrameY;
  } else if (window.ExStyle & kExStyleDialogModalFrame) {
    frameX = metrics.DialogFrameX;
    frameY = metrics.DialogFrameY;
  }
  caption = cl::Rect(frameX, frameY, window.Width - frameX, frameY + height - metrics.BorderY);
  text = caption;

  const bool sysMenu = (window.Style & kStyleSysMenu) != 0;
  if (sysMenu && !toolWindow) {
    text.Left += metrics.NewShellLook ? metrics.SmallIconWidth : metrics.ButtonWidth;
    flags |= cfIconPlace;
  }
  if (window.Iconic) flags |= cfMinimized;
  if (sysMenu) {
    int buttons = 1;  // close
    if (window.Style & (kStyleMinimizeBox | kStyleMaximizeBox)) buttons += 2;
    const int32_t buttonWidth = small ? metrics.SmallButtonWidth : metrics.ButtonWidth;
    text.Right -= buttons * (buttonWidth + metrics.BorderX);
  }
  if (text.Left == caption.Left) text.Left += 2 * metrics.BorderX;
  text.Right = std::max(text.Right, text.Left);
  if (flags & cfEndAtText) caption.Right = text.Right;
}

}  // namespace ctl
