// Times the GIF animation painter (threaded, as the programs draw):
// - drift: 100 frames whose files ask for 2 hundredths of a second each, shown for the shortest delay a painter
//   allows (4 units of 12 ms); how far the time the last frame is shown lies from the schedule;
// - stopping: StopDraw, and freeing the image, in the middle of a 13-minute wait;
// - a 3000x2000 GIF of 10 frames (keep, restore to background, restore to previous) with delays of 10 units: each
//   frame's rendering (before its wait) and drawing (after it) against the delay.
// Usage: gif_animation_benchmark (prints the figures).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "benchmarks/support/bench_support.h"
#include "classlib/core/streams.h"
#include "classlib/win/application.h"
#include "image/core/gif_animation.h"
#include "image/core/gif_image_core.h"
#include "image/gif_image.h"
#include "image/gif_painter.h"

namespace {

using bench::Owned;

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * double(counter.QuadPart) / double(frequency.QuadPart);
}

// Handles messages, as a program's loop does, until done() holds.
void RunUntil(const std::function<bool()>& done) {
  MSG message;
  while (!done()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

struct Frame {
  int Disposal;
  int Delay;
};

// frames.size() frames of width x height in a palette of 256 colours, each a different grainy gradient.
Owned<img::TGIFImage> AnimatedImage(int width, int height, const std::vector<Frame>& frames) {
  img::TGIFImageCore core;
  core.Header().SetWidth(width);
  core.Header().SetHeight(height);
  for (int i = 0; i < 256; ++i) core.GlobalColorMap().Add(RGB(i, (i * 3) & 0xFF, 255 - i));
  std::uint32_t noise = 1;
  for (std::size_t f = 0; f < frames.size(); ++f) {
    img::TGIFSubImageCore* frame = core.CreateFrame();
    core.Images().Add(frame);
    frame->SetDescriptorValue(img::dvWidth, width);
    frame->SetDescriptorValue(img::dvHeight, height);
    frame->AllocatePixels();
    std::uint8_t* pixel = frame->Data();
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        noise = noise * 1103515245 + 12345;
        *pixel++ = static_cast<std::uint8_t>(x / 12 + y / 9 + static_cast<int>(f) * 20 + ((noise >> 28) == 0));
      }
    }
    const std::uint8_t control[] = {0x21, 0xF9, 4, static_cast<std::uint8_t>(frames[f].Disposal << 2),
                                    static_cast<std::uint8_t>(frames[f].Delay),
                                    static_cast<std::uint8_t>(frames[f].Delay >> 8), 0, 0};
    cl::TMemoryStream stream;
    stream.WriteBuffer(control, sizeof control);
    stream.SetPosition(0);
    frame->Extensions().LoadFromStream(stream, frame);
  }
  cl::TMemoryStream bytes;
  core.SaveToStream(bytes);
  bytes.SetPosition(0);
  Owned<img::TGIFImage> image(cl::New<img::TGIFImage>());
  image->LoadFromStream(bytes);
  return image;
}

// Plays the image once onto a target of its size and gives the time each frame was shown (its OnPaint), the
// time its rendering took and the time its drawing took.
struct Played {
  std::vector<double> Shown, Rendering, Drawing;
};
Played Play(img::TGIFImage* image) {
  Played played;
  bool ended = false;
  double renderStart = 0, lastChange = 0;
  image->OnPaint = cl::TNotifyEvent([&](cl::TObject*) {
    if (!played.Shown.empty()) played.Drawing.push_back(lastChange - played.Shown.back());
    played.Shown.push_back(Now());
  });
  image->OnEndPaint = cl::TNotifyEvent([&](cl::TObject*) {
    played.Drawing.push_back(lastChange - played.Shown.back());
    ended = true;
  });
  image->SetOnChange(cl::TNotifyEvent([&](cl::TObject*) { lastChange = Now(); }));
  image->SetOnProgress(cl::TProgressEvent([&](cl::TObject*, cl::TProgressStage stage, std::uint8_t, bool,
                                              const cl::TRect&, const std::string&) {
    if (stage == cl::psStarting) renderStart = Now();
    if (stage == cl::psEnding) played.Rendering.push_back(Now() - renderStart);
  }));
  Owned<cl::TBitmap> target(cl::New<cl::TBitmap>());
  target->SetSize(image->Width(), image->Height());
  image->Draw(target->Canvas(), cl::Rect(0, 0, image->Width(), image->Height()));
  RunUntil([&] { return ended && image->Painter() == nullptr; });
  return played;
}

void Drift() {
  Owned<img::TGIFImage> image = AnimatedImage(64, 64, std::vector<Frame>(100, Frame{1, 2}));
  const Played played = Play(image.get());
  const double delay = img::FrameDelay(2, true) * img::kGIFDelayUnitMs;
  const double scheduled = delay * (played.Shown.size() - 1);
  const double actual = played.Shown.back() - played.Shown.front();
  double worst = 0;
  for (std::size_t i = 1; i < played.Shown.size(); ++i)
    worst = std::max(worst, std::abs(played.Shown[i] - played.Shown.front() - delay * double(i)));
  std::printf("drift: %zu frames of %.0f ms: last frame shown at %.1f ms for %.0f ms scheduled, %+.2f%%; "
              "largest lag of any frame %.1f ms\n",
              played.Shown.size(), delay, actual, scheduled, 100.0 * (actual - scheduled) / scheduled, worst);
}

void Stopping() {
  const struct {
    const char* what;
    std::function<void(Owned<img::TGIFImage>&)> stop;
  } ways[] = {{"StopDraw", [](Owned<img::TGIFImage>& image) { image->StopDraw(); }},
              {"freeing the image", [](Owned<img::TGIFImage>& image) { image.reset(); }}};
  for (const auto& way : ways) {
    std::vector<double> times;
    for (int round = 0; round < 10; ++round) {
      Owned<img::TGIFImage> image = AnimatedImage(64, 64, {{1, 65535}, {1, 10}});
      Owned<cl::TBitmap> target(cl::New<cl::TBitmap>());
      target->SetSize(64, 64);
      image->Draw(target->Canvas(), cl::Rect(0, 0, 64, 64));
      const double until = Now() + 100;
      RunUntil([&] { return Now() > until; });
      times.push_back(bench::Milliseconds([&] { way.stop(image); }));
    }
    std::sort(times.begin(), times.end());
    std::printf("stopping in the middle of a wait by %s: median %.2f ms, slowest of 10 %.2f ms\n", way.what,
                times[times.size() / 2], times.back());
  }
}

void LargeFrames() {
  std::vector<Frame> frames;
  for (int i = 0; i < 10; ++i) frames.push_back({1 + i % 3, 10});
  Owned<img::TGIFImage> image = AnimatedImage(3000, 2000, frames);
  const Played played = Play(image.get());
  const double delay = 10 * img::kGIFDelayUnitMs;
  std::printf("3000x2000, 10 frames, disposals 1, 2, 3 in turn, delay %.0f ms:\n", delay);
  double worst = 0;
  for (std::size_t i = 0; i < played.Shown.size() && i < played.Drawing.size(); ++i) {
    // The first frame is rendered while it is drawn; the others before their wait.
    const double rendering = i < played.Rendering.size() ? played.Rendering[i] : 0;
    const double together = i == 0 ? played.Drawing[i] : rendering + played.Drawing[i];
    worst = std::max(worst, together);
    std::printf("  frame %zu: rendering %6.1f ms, drawing %6.1f ms, together %6.1f ms\n", i, rendering,
                played.Drawing[i], together);
  }
  std::printf("  slowest frame %.1f ms of its %.0f ms delay\n", worst, delay);
}

}  // namespace

int main() {
  cl::Initialize();
  Drift();
  Stopping();
  LargeFrames();
  cl::Finalize();
  return 0;
}
