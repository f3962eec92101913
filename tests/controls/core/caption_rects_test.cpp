// Caption bar and caption text rectangles from window styles and metrics.
#include "controls/core/caption_rects.h"

#include <gtest/gtest.h>

namespace {

using namespace ctl;
using cl::Rect;

TCaptionMetrics Metrics() {
  TCaptionMetrics m;
  m.ButtonWidth = 18;
  m.CaptionHeight = 19;
  m.DialogFrameX = m.DialogFrameY = 3;
  m.BorderX = m.BorderY = 1;
  m.FrameX = m.FrameY = 4;
  m.SmallCaptionHeight = 15;
  m.SmallButtonWidth = 12;
  m.SmallIconWidth = 16;
  return m;
}

TEST(CaptionRects, SizeableWindowWithIconAndThreeButtons) {
  const TCaptionWindow window{300, kStyleThickFrame | kStyleSysMenu | kStyleMinimizeBox | kStyleMaximizeBox, 0, false};
  cl::TRect caption, text;
  int flags = 0;
  CaptionRects(Metrics(), window, caption, text, flags);
  EXPECT_EQ(caption, Rect(4, 4, 296, 22));
  EXPECT_EQ(text, Rect(20, 4, 239, 22));  // past the 16-pixel icon, before 3 buttons of 18 + 1
  EXPECT_EQ(flags, cfIconPlace);
}

TEST(CaptionRects, ToolWindowHasTheSmallCaptionAndNoIcon) {
  const TCaptionWindow window{200, kStyleSysMenu, kExStyleToolWindow, false};
  cl::TRect caption, text;
  int flags = cfEndAtText;
  CaptionRects(Metrics(), window, caption, text, flags);
  EXPECT_EQ(caption, Rect(3, 3, 184, 17));  // ends where the text ends
  EXPECT_EQ(text, Rect(5, 3, 184, 17));     // left edge moved in by two borders; one small close button
  EXPECT_EQ(flags, cfEndAtText | cfSmallCaption);
}

TEST(CaptionRects, DialogFrameAndMinimisedWindow) {
  const TCaptionWindow window{100, kStyleSysMenu, kExStyleDialogModalFrame, true};
  cl::TRect caption, text;
  int flags = 0;
  CaptionRects(Metrics(), window, caption, text, flags);
  EXPECT_EQ(caption.Left, 3);
  EXPECT_EQ(caption.Top, 3);
  EXPECT_EQ(flags, cfIconPlace | cfMinimized);
  EXPECT_LE(text.Left, text.Right);
}

}  // namespace
