// The timing of a GIF animation, free of any drawing: which frame comes next, how long to wait before it, when a
// new pass begins, and what each frame's disposal method asks of the drawing. The painter takes a snapshot of
// the frames' timing on the user-interface thread and runs its thread from that alone, so the thread never reads
// an image that may be freed meanwhile.
#pragma once

#include <vector>

#include "image/core/gif_image_core.h"

namespace img {

// What the animation needs to know of one frame.
struct TGIFFrameTiming {
  bool Empty = false;
  int DelayUnits = 0;  // of the frame's graphic control extension; 0: none given
  int Disposal = 1;    // of the last graphic control extension among its extensions; 1 without one
  int LoopCount = -1;  // of its first loop extension; -1 without one
};

// The frames' timing as the image holds it now.
std::vector<TGIFFrameTiming> TimingOf(const TGIFImageCore& image);

constexpr int kGIFDelayUnitMs = 12;     // one unit of a frame's delay
constexpr int kGIFDefaultDelay = 10;    // units, for a frame that gives none
constexpr int kGIFMinimumDelay = 4;     // units
constexpr int kGIFMaximumDelay = 1000;  // units, for a painter without a thread of its own

// The delay after a frame that gives delayUnits, in units.
int FrameDelay(int delayUnits, bool threaded);

// How the animation runs: options of the image and whether the painter has a thread of its own.
struct TGIFAnimationMode {
  bool Threaded = false;
  bool Animated = true;      // more than the first frame is shown
  bool Looped = true;        // passes repeat
  bool LoopForever = false;  // whatever the loop count says
};

// One frame to show.
struct TGIFAnimationStep {
  int Frame = 0;
  int WaitUnits = 0;     // to wait before showing it, counted from when the frame before was shown
  bool NewPass = false;  // the first frame of a pass after the first one
  int Disposal = 1;
};

// The frames in the order and with the waits an animation shows them: every frame once a pass; a pass repeats
// while looping is on, as often as the first loop extension met says (0: without end, for a threaded painter
// only), or without end with LoopForever. A pass ends at an empty frame, and after the first frame without
// animation.
class TGIFAnimationSchedule {
 public:
  TGIFAnimationSchedule(std::vector<TGIFFrameTiming> frames, TGIFAnimationMode mode);

  // The next frame to show, false when the animation is over.
  bool Next(TGIFAnimationStep& step);
  // The frame shown last, -1 before the first and after the end.
  int ActiveFrame() const { return FActive; }

 private:
  bool StartPass();

  std::vector<TGIFFrameTiming> FFrames;
  TGIFAnimationMode FMode;
  int FLoopsLeft = 1;
  int FLoopStart = 0;
  bool FLoopFound = false;
  bool FShownInPass = false;
  bool FInPass = false;
  bool FEnded = false;
  int FNext = 0;
  int FActive = -1;
  int FDelay;
};

// What drawing a frame with its disposal method does, after the frame before it had previousDisposal. The
// reserved methods 4 to 7 act as "keep", before and after.
enum class TGIFDisposalDrawing {
  Keep,               // into the composed picture, which then goes to the target
  RestoreBackground,  // likewise, then its area in the composed picture becomes background again
  OnTargetOnly,       // straight onto the target: the composed picture stays without it
  OverPreviousCopy,   // into a copy of the composed picture, which goes to the target; the picture stays without it
};
TGIFDisposalDrawing DisposalDrawing(int disposal, int previousDisposal);

}  // namespace img
