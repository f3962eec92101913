#include "image/core/gif_animation.h"

#include <utility>

#include "image/core/gif_extensions.h"
#include "image/core/gif_sub_image.h"

namespace img {

std::vector<TGIFFrameTiming> TimingOf(const TGIFImageCore& image) {
  std::vector<TGIFFrameTiming> timing;
  for (int i = 0; i < image.FrameCount(); ++i) {
    TGIFSubImageCore* frame = image.Frame(i);
    TGIFFrameTiming& t = timing.emplace_back();
    t.Empty = frame->Empty();
    if (TGIFGraphicControlExtension* control = frame->GraphicControlExtension()) t.DelayUnits = control->Delay();
    for (int e = 0; e < frame->Extensions().Count(); ++e) {
      TGIFExtension* extension = frame->Extensions().Extensions(e);
      if (auto* control = dynamic_cast<TGIFGraphicControlExtension*>(extension)) t.Disposal = control->Disposal();
      if (auto* loop = dynamic_cast<TGIFAppExtNSLoop*>(extension); loop && t.LoopCount < 0) t.LoopCount = loop->Loops();
    }
  }
  return timing;
}

int FrameDelay(int delayUnits, bool threaded) {
  if (delayUnits == 0) return kGIFDefaultDelay;
  if (delayUnits < kGIFMinimumDelay) return kGIFMinimumDelay;
  if (!threaded && delayUnits > kGIFMaximumDelay) return kGIFMaximumDelay;
  return delayUnits;
}

TGIFAnimationSchedule::TGIFAnimationSchedule(std::vector<TGIFFrameTiming> frames, TGIFAnimationMode mode)
    : FFrames(std::move(frames)), FMode(mode), FDelay(mode.Threaded ? 0 : 1) {}

bool TGIFAnimationSchedule::StartPass() {
  if (FLoopsLeft == 0 && !FMode.LoopForever) return false;
  FNext = FLoopStart;
  FInPass = true;
  FShownInPass = false;
  return true;
}

bool TGIFAnimationSchedule::Next(TGIFAnimationStep& step) {
  while (!FEnded) {
    const bool newPass = !FInPass;
    if (newPass && !StartPass()) break;
    if (FNext >= static_cast<int>(FFrames.size()) || FFrames[FNext].Empty || (!FMode.Animated && FShownInPass)) {
      // The pass is over. One that showed nothing ends the animation rather than repeating without a wait.
      FInPass = false;
      if (FLoopsLeft > 0) --FLoopsLeft;
      if (!(FMode.Animated && FMode.Looped) || !FShownInPass) break;
      continue;
    }
    const TGIFFrameTiming& frame = FFrames[FNext];
    step.Frame = FNext;
    step.WaitUnits = FDelay;
    step.NewPass = newPass && FActive >= 0;
    step.Disposal = frame.Disposal;
    if (!FLoopFound && frame.LoopCount >= 0) {
      FLoopFound = true;
      const bool endless = frame.LoopCount == 0 || FMode.LoopForever;
      FLoopsLeft = endless && FMode.Threaded ? -1 : frame.LoopCount;
      FLoopStart = FNext;
    }
    FActive = FNext++;
    FShownInPass = true;
    FDelay = FrameDelay(frame.DelayUnits, FMode.Threaded);
    return true;
  }
  FEnded = true;
  FActive = -1;
  return false;
}

TGIFDisposalDrawing DisposalDrawing(int disposal, int previousDisposal) {
  switch (disposal) {
    case 2:
      return TGIFDisposalDrawing::RestoreBackground;
    case 3:
      return previousDisposal == 2 || previousDisposal == 3 ? TGIFDisposalDrawing::OverPreviousCopy
                                                            : TGIFDisposalDrawing::OnTargetOnly;
    default:
      return TGIFDisposalDrawing::Keep;
  }
}

}  // namespace img
