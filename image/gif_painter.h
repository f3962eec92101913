// TGIFPainter: shows the frames of one GIF image on one canvas rectangle, one after another with the delays,
// loop count and disposal methods of the file. A threaded painter waits in a thread of its own and draws through
// Synchronize on the user-interface thread; an unthreaded one runs its whole animation in the caller's thread,
// handling messages while it waits.
//
// The thread reads nothing of the image: it runs from a snapshot of the frames' timing taken on the
// user-interface thread. Every step that touches the image or a canvas runs there too, and does nothing once the
// painter is stopped or has lost its image, both of which happen on that thread before anything is freed.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "classlib/core/events.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/canvas.h"
#include "classlib/win/threads.h"
#include "image/core/gif_animation.h"
#include "image/gif_image.h"
#include "image/owned_handles.h"

namespace img {

class TGIFPainter : public cl::TThread {
  CL_CLASS(TGIFPainter, cl::TThread)
 public:
  // Made suspended; frees itself when its animation ends. With a slot, the painter names itself there after
  // construction and clears it when it goes.
  TGIFPainter(TGIFImage* image, cl::TCanvas* canvas, const cl::TRect& rect, TGIFDrawOptions options);
  TGIFPainter(TGIFPainter** slot, TGIFImage* image, cl::TCanvas* canvas, const cl::TRect& rect,
              TGIFDrawOptions options);
  ~TGIFPainter() override;
  void AfterConstruction() override;
  // Leaves the slot and the image's list, and frees the buffers, on the user-interface thread.
  void BeforeDestruction() override;

  // A threaded painter starts its thread; an unthreaded one waits for Run.
  void Start();
  // Ends the animation: a waiting threaded painter wakes at once, an unthreaded one at its next step.
  void Stop();
  // The whole animation of an unthreaded painter, in the calling thread; the painter is freed at its end.
  void Run();

  TGIFImage* Image() const { return FImage; }
  cl::TCanvas* Canvas() const { return FCanvas; }
  const cl::TRect& Rect() const { return FRect; }
  TGIFDrawOptions DrawOptions() const { return FOptions; }
  bool Threaded() const { return (FOptions & DrawThreaded) != 0; }
  // The frame being shown, -1 when none.
  int ActiveFrame() const { return FActiveFrame; }
  // The disposal method of the frame being drawn (1 without a graphic control extension).
  int Disposal() const { return FDisposal; }
  // True once a frame of the animation has been drawn.
  bool Started() const { return FStarted; }
  // The colour areas restored to background become.
  cl::TColor BackgroundColor() const { return FBackgroundColor; }

  // Fired on the user-interface thread, the painter as Sender.
  cl::TNotifyEvent OnStartPaint, OnPaint, OnLoop, OnEndPaint;

 protected:
  void Execute() override;

 private:
  friend class TGIFImage;
  // The image goes first: the painter forgets it and the slot it owns.
  void Detach();
  void Animate();
  // Waits before showing step's frame, its bitmap prepared first; false when the animation ends at once.
  bool Wait(const TGIFAnimationStep& step, DWORD& frameTime);
  void WaitHandlingMessages(int remaining);
  // Runs step on the user-interface thread (directly when unthreaded).
  void Synchronized(const std::function<void()>& step);
  // Runs step there unless the painter is stopped or has lost its image.
  void Guarded(const std::function<void()>& step);
  void Fire(const cl::TNotifyEvent& event);
  void DrawFrame();
  void DrawComposed(TGIFSubImage* frame);
  void CleanUp();

  TGIFImage* FImage;
  cl::TCanvas* FCanvas;
  cl::TRect FRect;
  TGIFDrawOptions FOptions;
  std::vector<TGIFFrameTiming> FTiming;
  int FActiveFrame = -1;
  int FDisposal = 1;
  int FPreviousDisposal = 1;
  Owned<cl::TBitmap> FCompose;
  Owned<cl::TBitmap> FPrevious;
  Owned<cl::TBitmap> FBackground;
  cl::TColor FBackgroundColor = cl::clWhite;
  HDC FTargetDC = nullptr;
  bool FStarted = false;  // read and written on the user-interface thread only
  TGIFPainter** FSlot = nullptr;
  HANDLE FWakeEvent = nullptr;
  cl::TNotifyEvent FPendingEvent;
};

}  // namespace img
