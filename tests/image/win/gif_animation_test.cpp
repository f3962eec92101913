// Animated GIFs: the painter's events and the pictures it composes frame by frame, stopping it in the middle of a
// wait, and freeing the image while it plays, which ends the painter's thread first.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/test/pump.h"
#include "image/gif_painter.h"
#include "tests/image/win/gif_test_support.h"

namespace img::testing {
namespace {

// Colour indexes 0 to 3 of the test GIFs, the first being the background colour, and their letters.
const std::vector<cl::TColor> kColors{RGB(255, 255, 0), RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
const std::uint32_t kShown[] = {0xFFFF00, 0xFF0000, 0x00FF00, 0x0000FF};  // as pixels read back
const char kLetters[] = "YRGB";

// A GIF of a 4 x 2 screen in those colours.
Bytes AnimatedGif(const std::vector<FrameSpec>& specs, int loops = -1) {
  return testing::AnimatedGif(4, 2, kColors, specs, loops);
}

// Red over the screen, green on the left half restored to background, blue on the right half restored to the
// picture before it.
const std::vector<FrameSpec> kThreeDisposals{{0, 0, 4, 2, 1, 1, 5}, {0, 0, 2, 2, 2, 2, 10}, {2, 0, 2, 2, 3, 3, 20}};

// The top row of a bitmap as colour letters ('.' for any other colour).
std::string TopRow(cl::TBitmap* bitmap) {
  const Pixels pixels = PixelsOf(bitmap);
  std::string row;
  for (int x = 0; x < pixels.Width; ++x) {
    char letter = '.';
    for (int i = 0; i < 4; ++i) {
      if (pixels.At(x, 0) == kShown[i]) letter = kLetters[i];
    }
    row += letter;
  }
  return row;
}

// A handle of the system thread of the painter Draw started, which outlives the painter; null without one.
HANDLE PainterThread(TGIFImage* image) {
  HANDLE copy = nullptr;
  if (image->Painter() && image->Painter()->Handle()) {
    DuplicateHandle(GetCurrentProcess(), image->Painter()->Handle(), GetCurrentProcess(), &copy, SYNCHRONIZE, FALSE, 0);
  }
  return copy;
}

bool Ended(HANDLE thread) {
  return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
}

int PainterCount(TGIFImage* image) {
  const int count = image->Painters()->LockList()->Count();
  image->Painters()->UnlockList();
  return count;
}

// Records the image's events as "Name<frame>:<top row of the paint buffer>".
struct EventLog {
  std::vector<std::string> Events;
  bool SystemThreadSeen = false;

  void Attach(TGIFImage* image) {
    const DWORD guiThread = GetCurrentThreadId();
    const auto record = [=, this](const std::string& name, bool withFrame) {
      return cl::TNotifyEvent([=, this](cl::TObject* sender) {
        auto* painter = static_cast<TGIFPainter*>(sender);
        EXPECT_EQ(GetCurrentThreadId(), guiThread);
        std::string entry = name + (withFrame ? std::to_string(painter->ActiveFrame()) : "");
        Events.push_back(entry + ":" + TopRow(image->GetPaintBuffer()));
        SystemThreadSeen = SystemThreadSeen || painter->Handle();
      });
    };
    image->OnStartPaint = record("Start", false);
    image->OnPaint = record("Paint", true);
    image->OnLoop = record("Loop", false);
    image->OnEndPaint = record("End", false);
  }
};

// The caller's canvas: grey, which the animation starts from.
Owned<cl::TBitmap> GreyTarget() {
  Owned<cl::TBitmap> target = Make<cl::TBitmap>();
  target->SetSize(4, 2);
  target->Canvas()->Brush()->SetColor(RGB(128, 128, 128));
  target->Canvas()->FillRect({0, 0, 4, 2});
  return target;
}

TEST(GifAnimation, FramesAreComposedByTheirDisposalsWithTheirEventsThreadedOrNot) {
  // The green frame's area becomes what lay under the picture when drawing transparently (grey), else the GIF's
  // background colour (yellow); the blue frame is shown once and leaves the picture as it was before it.
  const std::vector<std::string> firstPass{"Start:....", "Paint0:....", "Paint1:RRRR", "Paint2:GGRR"};
  const struct {
    const char* what;
    TGIFDrawOptions options;
    std::vector<std::string> rest;
  } cases[] = {
      {"threaded, transparent, two passes",
       kGIFDefaultDrawOptions,
       {"Loop:..BB", "Paint0:..BB", "Paint1:RRRR", "Paint2:GGRR", "End:..BB"}},
      {"unthreaded, not looped", DrawAnimated, {"End:YYBB"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Owned<TGIFImage> image = LoadGif(AnimatedGif(kThreeDisposals, 2));
    image->SetDrawOptions(c.options);
    EventLog log;
    log.Attach(image.get());
    Owned<cl::TBitmap> target = GreyTarget();
    image->Draw(target->Canvas(), {0, 0, 4, 2});
    const std::string shownByDraw = TopRow(target.get()), composedByDraw = TopRow(image->GetPaintBuffer());
    EXPECT_TRUE(cl::test::PumpUntil([&] { return image->Painter() == nullptr && log.Events.size() >= 5; }, 30000));
    std::vector<std::string> expected = firstPass;
    expected.insert(expected.end(), c.rest.begin(), c.rest.end());
    EXPECT_EQ(log.Events, expected);
    EXPECT_EQ(image->Painters()->LockList()->Count(), 0);
    image->Painters()->UnlockList();
    if (c.options & DrawThreaded) {
      // Draw returned once a frame was there, and showed the picture so far.
      EXPECT_NE(composedByDraw, "....");
      EXPECT_EQ(shownByDraw, composedByDraw);
      EXPECT_TRUE(log.SystemThreadSeen);
    } else {
      EXPECT_FALSE(log.SystemThreadSeen) << "an unthreaded painter makes no thread";
    }
  }
}

TEST(GifAnimation, StoppingInTheMiddleOfAWaitEndsThePainterAtOnce) {
  // Frame 0 would stay for 13 minutes: the painter has to be woken.
  const std::vector<FrameSpec> longWait{{0, 0, 4, 2, 1, 1, 65535}, {0, 0, 4, 2, 2, 1, 5}};
  const struct {
    const char* what;
    std::function<void(Owned<TGIFImage>&)> stop;
  } cases[] = {
      {"StopDraw", [](Owned<TGIFImage>& image) { image->StopDraw(); }},
      {"the bitmap freed", [](Owned<TGIFImage>& image) { image->SetWidth(image->Width()); }},
      {"the image freed", [](Owned<TGIFImage>& image) { image.reset(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Owned<TGIFImage> image = LoadGif(AnimatedGif(longWait));
    EventLog log;
    log.Attach(image.get());
    Owned<cl::TBitmap> target = GreyTarget();
    image->Draw(target->Canvas(), {0, 0, 4, 2});
    HANDLE thread = PainterThread(image.get());
    ASSERT_NE(thread, nullptr);
    cl::test::PumpFor(50);
    c.stop(image);
    if (image) {
      EXPECT_TRUE(cl::test::PumpUntil([&] { return image->Painter() == nullptr && Ended(thread); }));
    } else {
      EXPECT_TRUE(Ended(thread)) << "freeing the image joins its painters";
    }
    CloseHandle(thread);
    cl::test::PumpFor(20);
    EXPECT_EQ(log.Events, (std::vector<std::string>{"Start:....", "Paint0:...."})) << "no frame after the stop";
  }
}

TEST(GifAnimation, OnTargetARectangleKeepsItsPainterAndACheckedTargetMustBeADisplay) {
  Owned<TGIFImage> image = LoadGif(AnimatedGif(kThreeDisposals, 0));
  image->SetDrawOptions(kGIFDefaultDrawOptions | DrawOnTarget);
  Owned<cl::TBitmap> target = GreyTarget();
  const auto painters = [&] { return PainterCount(image.get()); };
  image->Draw(target->Canvas(), {0, 0, 4, 2});
  ASSERT_NE(image->Painter(), nullptr);
  image->Draw(target->Canvas(), {0, 0, 4, 2});
  EXPECT_EQ(painters(), 1);
  target = GreyTarget();
  image->Draw(target->Canvas(), {0, 0, 2, 1});
  ASSERT_NE(image->Painter(), nullptr);
  EXPECT_EQ(image->Painter()->Rect(), (cl::TRect{0, 0, 2, 1}));
  EXPECT_EQ(painters(), 1) << "a new rectangle replaces the painter";
  // The frames go straight onto the caller's canvas, into that rectangle only.
  EXPECT_TRUE(cl::test::PumpUntil([&] {
    const std::string row = TopRow(target.get());
    return row[0] != '.' && row.substr(2) == "..";
  }));

  // The image's own bitmap is no display: a painter that checks its target stops before drawing a frame.
  target = GreyTarget();
  image = LoadGif(AnimatedGif(kThreeDisposals, 0));
  image->SetDrawOptions(kGIFDefaultDrawOptions | DrawCheckTarget);
  EventLog log;
  log.Attach(image.get());
  image->Draw(target->Canvas(), {0, 0, 4, 2});
  EXPECT_TRUE(cl::test::PumpUntil([&] { return image->Painter() == nullptr; }));
  EXPECT_EQ(log.Events, (std::vector<std::string>{"Start:....", "Paint0:...."}));
  EXPECT_EQ(TopRow(image->GetPaintBuffer()), "....");
}

TEST(GifAnimation, WithoutOptionsDrawShowsTheFirstFrameAndStartsNoPainter) {
  Owned<TGIFImage> image = LoadGif(AnimatedGif(kThreeDisposals, 0));
  image->SetDrawOptions(0);  // as the viewer opens its GIFs
  EventLog log;
  log.Attach(image.get());
  Owned<cl::TBitmap> target = GreyTarget();
  image->Draw(target->Canvas(), {0, 0, 4, 2});
  EXPECT_EQ(TopRow(target.get()), "RRRR");
  EXPECT_EQ(image->Painter(), nullptr);
  EXPECT_EQ(PainterCount(image.get()), 0);
  EXPECT_TRUE(log.Events.empty());
}

TEST(GifAnimation, PaintersThatOutliveTheirImageOrTheLibraryLetGoOfIt) {
  const std::vector<FrameSpec> longWait{{0, 0, 4, 2, 1, 1, 65535}, {0, 0, 4, 2, 2, 1, 5}};
  Owned<cl::TBitmap> target = GreyTarget();
  // An image whose threaded painter waits on its first frame, and a handle of the painter's thread.
  const auto playing = [&](HANDLE& thread) {
    Owned<TGIFImage> image = LoadGif(AnimatedGif(longWait));
    image->Draw(target->Canvas(), {0, 0, 4, 2});
    thread = PainterThread(image.get());
    return image;
  };
  {
    SCOPED_TRACE("an unthreaded painter whose event frees the image");
    Owned<TGIFImage> image = LoadGif(AnimatedGif(longWait));
    bool forgotten = false;
    image->OnPaint = cl::TNotifyEvent([&](cl::TObject* sender) {
      image.reset();
      forgotten = static_cast<TGIFPainter*>(sender)->Image() == nullptr;
    });
    image->CreatePainter(nullptr, target->Canvas(), {0, 0, 4, 2}, DrawAnimated);
    EXPECT_TRUE(forgotten);
  }
  {
    SCOPED_TRACE("a threaded painter when a quit message ends the wait for it");
    HANDLE thread = nullptr;
    Owned<TGIFImage> image = playing(thread);
    ASSERT_NE(thread, nullptr);
    PostQuitMessage(3);
    image.reset();
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit message stays for the program";
    EXPECT_EQ(quit.wParam, 3u);
    EXPECT_TRUE(cl::test::PumpUntil([&] { return Ended(thread); }));
    CloseHandle(thread);
  }
  {
    SCOPED_TRACE("a threaded painter ending after the library's synchronisation");
    HANDLE thread = nullptr;
    Owned<TGIFImage> image = playing(thread);
    ASSERT_NE(thread, nullptr);
    cl::StopThreadSynchronization();
    image->Painter()->Stop();
    const bool ended = WaitForSingleObject(thread, 5000) == WAIT_OBJECT_0;
    cl::StartThreadSynchronization();
    CloseHandle(thread);
    ASSERT_TRUE(ended);
    EXPECT_EQ(image->Painter(), nullptr);
    EXPECT_EQ(PainterCount(image.get()), 0);
  }
}

TEST(GifAnimation, ImagesFreedWhilePlayingLeaveNoThreadFiftyTimesOver) {
  const std::vector<FrameSpec> quick{{0, 0, 4, 2, 1, 1, 1}, {0, 0, 2, 2, 2, 2, 1}, {2, 0, 2, 2, 3, 3, 1}};
  const Bytes gif = AnimatedGif(quick, 0);
  Owned<cl::TBitmap> target = GreyTarget();
  for (int i = 0; i < 50; ++i) {
    Owned<TGIFImage> image = LoadGif(gif);
    image->Draw(target->Canvas(), {0, 0, 4, 2});
    HANDLE thread = PainterThread(image.get());
    cl::test::PumpFor(static_cast<unsigned>(i % 5) * 15);
    image.reset();
    const bool ended = !thread || Ended(thread);
    if (thread) CloseHandle(thread);
    ASSERT_TRUE(ended) << "round " << i;
  }
}

}  // namespace
}  // namespace img::testing
