// TGIFImage's side of animation: starting painters from Draw and stopping them.
#include <algorithm>
#include <vector>

#include "classlib/win/threads.h"
#include "image/gif_image.h"
#include "image/gif_painter.h"

namespace img {
namespace {

// A quit message ends every wait for painters: the program is closing.
bool QuitQueued() {
  MSG message;
  return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

}  // namespace

void TGIFImage::DrawAnimation(cl::TCanvas* canvas, const cl::TRect& rect) {
  // A painter at work on this very rectangle goes on; a stopped one counts as none.
  if (FPainter && !FPainter->Terminated() && FPainter->Canvas() == canvas && FPainter->Rect() == rect) return;
  StopDraw();
  cl::TCanvas* target = canvas;
  cl::TRect targetRect = rect;
  if (!(FDrawOptions & DrawOnTarget)) {
    // The animation is composed over what the canvas shows there.
    target = GetPaintBuffer()->Canvas();
    targetRect = target->ClipRect();
    target->CopyRect(targetRect, canvas, rect);
  }
  CreatePainter(&FPainter, target, targetRect, FDrawOptions);
  if (!FPainter) return;
  FPainter->Start();
  if (FDrawOptions & DrawOnTarget) return;
  // Only the painter's steps are served until its first frame is in the bitmap; other input stays queued.
  while (FPainter && !FPainter->Terminated() && !FPainter->Started()) {
    if (QuitQueued()) return;
    cl::ServeSynchronize(10);
  }
  canvas->StretchDraw(rect, GetBitmap());
}

TGIFPainter* TGIFImage::CreatePainter(TGIFPainter** slot, cl::TCanvas* canvas, const cl::TRect& rect,
                                      TGIFDrawOptions options) {
  if (Empty() || rect.Left >= rect.Right || rect.Top >= rect.Bottom) {
    if (slot) *slot = nullptr;
    return nullptr;
  }
  if (FrameCount() == 1) options &= ~DrawThreaded;
  auto* painter = cl::New<TGIFPainter>(slot, this, canvas, rect, options);
  FPainters->Add(painter);
  painter->OnStartPaint = OnStartPaint;
  painter->OnPaint = OnPaint;
  painter->OnLoop = OnLoop;
  painter->OnEndPaint = OnEndPaint;
  if (painter->Threaded()) {
    painter->SetPriority(std::min<int>(FThreadPriority, 6));
    return painter;
  }
  painter->Run();
  return nullptr;
}

void TGIFImage::StopDraw() {
  if (!FPainter) return;
  if (!FPainter->Threaded()) {
    FPainter->Stop();
    return;
  }
  while (FPainter) {
    FPainter->Stop();
    if (QuitQueued()) return;
    cl::ServeSynchronize(10);
  }
  FreeBitmap();
}

void TGIFImage::StopAllPainters() {
  StopPainters();
  FreeBitmap();
}

void TGIFImage::StopPainters() {
  // The system threads of the threaded painters, joined once the painters have left the list.
  std::vector<HANDLE> threads;
  std::vector<DWORD> ids;
  bool quit = false;
  for (;;) {
    cl::TList* painters = FPainters->LockList();
    int threaded = 0;
    for (int i = painters->Count() - 1; i >= 0; --i) {
      auto* painter = static_cast<TGIFPainter*>(painters->Items(i));
      painter->Stop();
      if (!painter->Threaded()) continue;
      ++threaded;
      if (std::find(ids.begin(), ids.end(), painter->ThreadID()) != ids.end()) continue;
      HANDLE copy = nullptr;
      if (DuplicateHandle(GetCurrentProcess(), painter->Handle(), GetCurrentProcess(), &copy, SYNCHRONIZE, FALSE, 0)) {
        threads.push_back(copy);
        ids.push_back(painter->ThreadID());
      }
    }
    FPainters->UnlockList();
    if (threaded == 0) break;
    if (QuitQueued()) {
      quit = true;
      break;
    }
    cl::ServeSynchronize(10);
  }
  for (HANDLE thread : threads) {
    if (!quit) cl::WaitServingSynchronize(thread);
    CloseHandle(thread);
  }
}

}  // namespace img
