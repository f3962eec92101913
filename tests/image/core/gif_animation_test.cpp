// The timing of GIF animations: delays, passes and loop counts, and what the disposal methods ask of drawing.
#include "image/core/gif_animation.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/image/core/gif_test_support.h"

namespace img {
namespace {

using test::Append;
using test::AppendFrame;
using test::AppendText;
using test::Bytes;

// Frames with the given delays (0: no delay given) and no loop extension.
std::vector<TGIFFrameTiming> Frames(std::initializer_list<int> delays) {
  std::vector<TGIFFrameTiming> frames;
  for (int delay : delays) frames.push_back({false, delay, 1, -1});
  return frames;
}

// The steps of a schedule as "frame/wait", a pass after the first marked with "|"; at most 12 steps.
std::string Play(std::vector<TGIFFrameTiming> frames, TGIFAnimationMode mode) {
  TGIFAnimationSchedule schedule(std::move(frames), mode);
  std::string shown;
  TGIFAnimationStep step;
  for (int n = 0; n < 12 && schedule.Next(step); ++n)
    shown += (step.NewPass ? "|" : " ") + std::to_string(step.Frame) + "/" + std::to_string(step.WaitUnits);
  return shown;
}

TEST(GifAnimation, DelaysDefaultToTenUnitsAndStayBetweenFourAndAThousandWithoutAThread) {
  const struct {
    int given;
    bool threaded;
    int delay;
  } cases[] = {{0, true, 10}, {1, true, 4}, {3, false, 4}, {4, true, 4}, {5000, true, 5000}, {5000, false, 1000}};
  for (const auto& c : cases) EXPECT_EQ(FrameDelay(c.given, c.threaded), c.delay) << c.given << " " << c.threaded;
}

TEST(GifAnimation, PassesFollowTheLoopCountAndTheOptions) {
  const TGIFAnimationMode threaded{true, true, true, false}, unthreaded{false, true, true, false};
  auto looping = [](int count, int at = 0) {
    std::vector<TGIFFrameTiming> frames = Frames({5, 0, 2});
    frames[at].LoopCount = count;
    return frames;
  };
  std::vector<TGIFFrameTiming> emptySecond = looping(2);
  emptySecond[1].Empty = true;
  std::vector<TGIFFrameTiming> emptyFirst = Frames({5, 5});
  emptyFirst[0].Empty = true;
  const struct {
    const char* what;
    std::vector<TGIFFrameTiming> frames;
    TGIFAnimationMode mode;
    const char* shown;
  } cases[] = {
      {"one pass without a loop extension", Frames({5, 0, 2}), threaded, " 0/0 1/5 2/10"},
      {"an unthreaded painter waits before the first frame too", Frames({5, 0, 2}), unthreaded, " 0/1 1/5 2/10"},
      {"a loop count of 3 shows the frames three times", looping(3), threaded,
       " 0/0 1/5 2/10|0/4 1/5 2/10|0/4 1/5 2/10"},
      {"a count of 0 repeats without end in a threaded painter", looping(0), threaded,
       " 0/0 1/5 2/10|0/4 1/5 2/10|0/4 1/5 2/10|0/4 1/5 2/10"},
      {"and plays once in an unthreaded one", looping(0), unthreaded, " 0/1 1/5 2/10"},
      {"the frames before the loop extension play once", looping(2, 1), threaded, " 0/0 1/5 2/10|1/4 2/10"},
      {"without looping one pass", looping(3), {true, true, false, false}, " 0/0 1/5 2/10"},
      {"without animation the first frame", looping(3), {true, false, true, false}, " 0/0"},
      {"forever whatever the count",
       Frames({5, 5}),
       {false, true, true, true},
       " 0/1 1/5|0/5 1/5|0/5 1/5|0/5 1/5|0/5 1/5|0/5 1/5"},
      {"an empty frame ends the pass", emptySecond, threaded, " 0/0|0/5"},
      {"a pass that shows nothing ends the animation", emptyFirst, {true, true, true, true}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Play(c.frames, c.mode), c.shown) << c.what;
}

TEST(GifAnimation, DisposalMethodsChooseTheDrawingAndReservedOnesKeep) {
  using enum TGIFDisposalDrawing;
  const struct {
    int disposal, previous;
    TGIFDisposalDrawing drawing;
  } cases[] = {{0, 1, Keep},
               {1, 3, Keep},
               {2, 1, RestoreBackground},
               {3, 0, OnTargetOnly},
               {3, 1, OnTargetOnly},
               {3, 2, OverPreviousCopy},
               {3, 3, OverPreviousCopy},
               {3, 4, OnTargetOnly},
               {3, 7, OnTargetOnly},
               {4, 3, Keep},
               {7, 2, Keep}};
  for (const auto& c : cases)
    EXPECT_EQ(DisposalDrawing(c.disposal, c.previous), c.drawing) << c.disposal << " after " << c.previous;
}

TEST(GifAnimation, TimingIsReadFromTheFramesExtensions) {
  Bytes bytes = test::GifHeader(1, 1, 0, "GIF89a");
  Append(bytes, {0x21, 0xFF, 11});
  AppendText(bytes, "NETSCAPE2.0");
  Append(bytes, {3, 1, 3, 0, 0});                       // loop 3 times
  Append(bytes, {0x21, 0xF9, 4, 0x04, 0x07, 0, 0, 0});  // keep, 7 units
  Append(bytes, {0x21, 0xF9, 4, 0x0C, 0x07, 0, 0, 0});  // a second one: restore to previous
  AppendFrame(bytes, 1, 1);
  AppendFrame(bytes, 1, 1);
  bytes.push_back(0x3B);
  test::RecordingImage image;
  image.Load(bytes);
  const std::vector<TGIFFrameTiming> timing = TimingOf(image);
  ASSERT_EQ(timing.size(), 2u);
  EXPECT_EQ(timing[0].LoopCount, 3);
  EXPECT_EQ(timing[0].Disposal, 3);
  EXPECT_EQ(timing[0].DelayUnits, 7);
  EXPECT_FALSE(timing[0].Empty);
  EXPECT_EQ(timing[1].LoopCount, -1);
  EXPECT_EQ(timing[1].Disposal, 1);
  EXPECT_EQ(timing[1].DelayUnits, 0);
}

}  // namespace
}  // namespace img
