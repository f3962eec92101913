// Where a window's caption bar and caption text lie, worked out from its styles and the system's metrics.
#pragma once

#include <cstdint>

#include "classlib/core/types.h"

namespace ctl {

// The system metrics a caption is measured with. Without the new shell look the small caption height, small
// button width and small icon width are the ordinary caption height and button width.
struct TCaptionMetrics {
  int32_t ButtonWidth = 0;         // SM_CXSIZE
  int32_t CaptionHeight = 0;       // SM_CYCAPTION
  int32_t DialogFrameX = 0;        // SM_CXDLGFRAME
  int32_t DialogFrameY = 0;        // SM_CYDLGFRAME
  int32_t BorderX = 0;             // SM_CXBORDER
  int32_t BorderY = 0;             // SM_CYBORDER
  int32_t FrameX = 0;              // SM_CXFRAME
  int32_t FrameY = 0;              // SM_CYFRAME
  int32_t SmallCaptionHeight = 0;  // SM_CYSMCAPTION
  int32_t SmallButtonWidth = 0;    // SM_CXSMSIZE
  int32_t SmallIconWidth = 0;      // SM_CXSMICON
  bool NewShellLook = true;
};

struct TCaptionWindow {
  int32_t Width = 0;  // of the window rectangle
  uint32_t Style = 0;
  uint32_t ExStyle = 0;
  bool Iconic = false;
};

// Flags of CaptionRects: cfEndAtText is read, the others are added.
constexpr int cfEndAtText = 1;     // the caption bar ends where the text ends
constexpr int cfSmallCaption = 4;  // a tool window's small caption
constexpr int cfIconPlace = 8;     // the system-menu icon takes the left of the bar
constexpr int cfMinimized = 16;

// Window styles the arithmetic reads (their Win32 values).
constexpr uint32_t kStyleThickFrame = 0x40000;
constexpr uint32_t kStyleSysMenu = 0x80000;
constexpr uint32_t kStyleMinimizeBox = 0x20000;
constexpr uint32_t kStyleMaximizeBox = 0x10000;
constexpr uint32_t kExStyleDialogModalFrame = 0x1;
constexpr uint32_t kExStyleToolWindow = 0x80;

// The caption bar in window coordinates, and the text's part of it: between the system-menu icon and the caption
// buttons.
void CaptionRects(const TCaptionMetrics& metrics, const TCaptionWindow& window, cl::TRect& caption, cl::TRect& text,
                  int& flags);

}  // namespace ctl
