#include "image/gif_painter.h"

#include <algorithm>

#include "classlib/core/exceptions.h"
#include "classlib/win/colors.h"

namespace img {
namespace {

// Selects a palette into a canvas and realises it for the time of a drawing.
class PaletteScope {
 public:
  PaletteScope(cl::TCanvas* canvas, HPALETTE palette) : FDC(canvas->Handle()) {
    if (!palette) palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    FOld = SelectPalette(FDC, palette, FALSE);
    RealizePalette(FDC);
  }
  PaletteScope(const PaletteScope&) = delete;
  PaletteScope& operator=(const PaletteScope&) = delete;
  ~PaletteScope() { SelectPalette(FDC, FOld, FALSE); }

 private:
  HDC FDC;
  HPALETTE FOld;
};

// A rect-sized picture that copies as it is, filling with color where it is cleared.
Owned<cl::TBitmap> MakeBuffer(const cl::TRect& rect, cl::TColor color) {
  Owned<cl::TBitmap> buffer = MakeOwned<cl::TBitmap>();
  buffer->SetSize(rect.Width(), rect.Height());
  buffer->SetTransparent(false);
  cl::TCanvas* canvas = buffer->Canvas();
  canvas->SetCopyMode(cl::cmSrcCopy);
  canvas->Brush()->SetColor(color);
  canvas->Brush()->SetStyle(cl::bsSolid);
  return buffer;
}

}  // namespace

TGIFPainter::TGIFPainter(TGIFImage* image, cl::TCanvas* canvas, const cl::TRect& rect, TGIFDrawOptions options)
    : TThread(true), FImage(image), FCanvas(canvas), FRect(rect), FOptions(options), FTiming(TimingOf(*image)) {
  SetFreeOnTerminate(true);
  if (image->BackgroundColor() != cl::clNone) {
    FBackgroundColor = cl::ColorToRGB(image->BackgroundColor());
  } else if (image->GlobalColorMap().Count() == 0) {
    FBackgroundColor = cl::ColorToRGB(cl::clWindow);
  } else {
    FBackgroundColor = image->Header().BackgroundColor();
  }
  const auto uses = [this](int disposal) {
    return std::any_of(FTiming.begin(), FTiming.end(),
                       [=](const TGIFFrameTiming& t) { return t.Disposal == disposal; });
  };
  // The buffers exist only for frames that take themselves off the picture again.
  const cl::TRect area{0, 0, rect.Width(), rect.Height()};
  if (uses(2) && (options & DrawTransparent)) {
    FBackground = MakeBuffer(rect, FBackgroundColor);
    FBackground->Canvas()->CopyRect(area, canvas, rect);
  }
  if (uses(2) || uses(3)) {
    FCompose = MakeBuffer(rect, FBackgroundColor);
    FCompose->Canvas()->CopyRect(area, canvas, rect);
    FPrevious = MakeBuffer(rect, FBackgroundColor);
  }
  if ((options & DrawThreaded) && (options & DrawAnimated) && image->FrameCount() > 1) {
    FWakeEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!FWakeEvent) throw cl::EThread("Thread creation error: " + std::to_string(GetLastError()));
  }
}

TGIFPainter::TGIFPainter(TGIFPainter** slot, TGIFImage* image, cl::TCanvas* canvas, const cl::TRect& rect,
                         TGIFDrawOptions options)
    : TGIFPainter(image, canvas, rect, options) {
  FSlot = slot;
}

TGIFPainter::~TGIFPainter() {
  if (FWakeEvent) CloseHandle(FWakeEvent);
}

void TGIFPainter::AfterConstruction() {
  inherited::AfterConstruction();
  if (FSlot) *FSlot = this;
}

void TGIFPainter::BeforeDestruction() {
  // Freed by another thread while it runs: the thread ends first (its steps are served meanwhile).
  Terminate();
  if (FWakeEvent) SetEvent(FWakeEvent);
  inherited::BeforeDestruction();
  try {
    cl::Synchronize([this] { CleanUp(); });
  } catch (...) {
    // No window serves the step once the library has ended.
  }
  // Then the step did not run, and nothing else runs on the user-interface thread's behalf any more: the painter
  // leaves the image's list (which has its own lock) and the slot here, rather than dangle in them.
  if (FImage || FSlot) CleanUp();
}

void TGIFPainter::CleanUp() {
  if (FSlot && *FSlot == this) *FSlot = nullptr;
  FSlot = nullptr;
  if (FImage) FImage->Painters()->Remove(this);
  FImage = nullptr;
  FCompose.reset();
  FPrevious.reset();
  FBackground.reset();
}

void TGIFPainter::Detach() {
  FImage = nullptr;
  FSlot = nullptr;
}

void TGIFPainter::Start() {
  if (Threaded()) Resume();
}

void TGIFPainter::Stop() {
  Terminate();
  if (!Threaded()) return;
  if (FWakeEvent) SetEvent(FWakeEvent);
  if (Suspended()) Resume();
}

void TGIFPainter::Run() {
  Animate();
  Free();
}

void TGIFPainter::Execute() {
  Animate();
}

void TGIFPainter::Synchronized(const std::function<void()>& step) {
  if (Threaded()) {
    Synchronize(step);
  } else {
    step();
  }
}

void TGIFPainter::Guarded(const std::function<void()>& step) {
  Synchronized([&] {
    if (!Terminated() && FImage) step();
  });
}

void TGIFPainter::Fire(const cl::TNotifyEvent& event) {
  if (!event) return;
  FPendingEvent = event;
  try {
    // The handlers belong to the image's owner, which may be gone with the image.
    Synchronized([this] {
      if (FImage && FPendingEvent) FPendingEvent(this);
    });
  } catch (...) {
    FPendingEvent = nullptr;
    throw;
  }
  FPendingEvent = nullptr;
}

void TGIFPainter::Animate() {
  try {
    if (FOptions & DrawCheckTarget) Guarded([this] { FTargetDC = FCanvas->Handle(); });
    Fire(OnStartPaint);
    const TGIFAnimationMode mode{Threaded(), (FOptions & DrawAnimated) != 0, (FOptions & DrawLooped) != 0,
                                 (FOptions & DrawLoopForever) != 0};
    TGIFAnimationSchedule schedule(FTiming, mode);
    DWORD frameTime = GetTickCount();
    TGIFAnimationStep step;
    while (!Terminated() && schedule.Next(step)) {
      if (step.NewPass) {
        Fire(OnLoop);
        if (Terminated()) break;
      }
      FActiveFrame = step.Frame;
      // A stop in the wait, in OnPaint or after an animated frame ends everything at once, without OnEndPaint.
      if (!Wait(step, frameTime) || Terminated()) return;
      FDisposal = step.Disposal;
      Fire(OnPaint);
      if (Terminated()) return;
      Guarded([this] { DrawFrame(); });
      FPreviousDisposal = FDisposal;
      if ((FOptions & DrawAnimated) && Terminated()) return;
    }
    FActiveFrame = -1;
    Fire(OnEndPaint);
  } catch (...) {
    Terminate();
  }
}

bool TGIFPainter::Wait(const TGIFAnimationStep& step, DWORD& frameTime) {
  if (step.WaitUnits < 1) {
    Sleep(0);
    frameTime = GetTickCount();
    return true;
  }
  // Rendering the frame counts against its delay.
  Guarded([this] { FImage->Frames(FActiveFrame)->GetBitmap(); });
  const int delay = step.WaitUnits * kGIFDelayUnitMs;
  const int remaining = delay - static_cast<int>(GetTickCount() - frameTime);
  if (!Threaded()) {
    WaitHandlingMessages(std::max(remaining, 1));
  } else if (remaining > 0 && FWakeEvent) {
    if (WaitForSingleObject(FWakeEvent, static_cast<DWORD>(remaining)) != WAIT_TIMEOUT) return false;
  }
  // A frame is due one delay after the frame before it was due, so the time drawing takes does not add up from
  // frame to frame; a frame later than a whole delay starts the count afresh rather than hurrying the next ones.
  const DWORD now = GetTickCount();
  frameTime = now - frameTime > 2 * static_cast<DWORD>(delay) ? now : frameTime + delay;
  return true;
}

void TGIFPainter::WaitHandlingMessages(int remaining) {
  while (remaining > 0 && !Terminated()) {
    const DWORD before = GetTickCount();
    Sleep(100);
    remaining -= static_cast<int>(GetTickCount() - before);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        // The program's loop still has to see it.
        PostQuitMessage(static_cast<int>(message.wParam));
        Terminate();
        break;
      }
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

void TGIFPainter::DrawFrame() {
  // A target that is no longer a display (a memory DC counts as none) stops the animation.
  if ((FOptions & DrawCheckTarget) && GetObjectType(FTargetDC) != OBJ_DC) {
    Terminate();
    return;
  }
  TGIFSubImage* frame = FImage->Frames(FActiveFrame);
  if (FCompose) {
    DrawComposed(frame);
  } else {
    frame->Draw(FCanvas, FRect, (FOptions & DrawTransparent) != 0);
  }
  FStarted = true;
}

void TGIFPainter::DrawComposed(TGIFSubImage* frame) {
  const bool transparent = (FOptions & DrawTransparent) != 0;
  const cl::TRect area{0, 0, FRect.Width(), FRect.Height()};
  const auto drawInto = [&](cl::TCanvas* canvas, const cl::TRect& rect) {
    PaletteScope palette(canvas, frame->GetPalette());
    frame->Draw(canvas, rect, transparent);
  };
  const auto copyToTarget = [&](cl::TBitmap* buffer) {
    const int mode = FCanvas->CopyMode();
    FCanvas->SetCopyMode(cl::cmSrcCopy);
    FCanvas->CopyRect(FRect, buffer->Canvas(), area);
    FCanvas->SetCopyMode(mode);
  };
  switch (DisposalDrawing(FDisposal, FPreviousDisposal)) {
    case TGIFDisposalDrawing::Keep:
      drawInto(FCompose->Canvas(), area);
      copyToTarget(FCompose.get());
      break;
    case TGIFDisposalDrawing::RestoreBackground: {
      drawInto(FCompose->Canvas(), area);
      copyToTarget(FCompose.get());
      const cl::TRect part = frame->ScaleRect(area);
      if (FBackground) {
        FCompose->Canvas()->CopyRect(part, FBackground->Canvas(), part);
      } else {
        FCompose->Canvas()->FillRect(part);
      }
      break;
    }
    case TGIFDisposalDrawing::OnTargetOnly:
      drawInto(FCanvas, FRect);
      break;
    case TGIFDisposalDrawing::OverPreviousCopy:
      FPrevious->Canvas()->CopyRect(area, FCompose->Canvas(), area);
      drawInto(FPrevious->Canvas(), area);
      copyToTarget(FPrevious.get());
      break;
  }
}

}  // namespace img
