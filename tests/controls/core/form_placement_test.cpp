// Kept form placement: the placement string, how a stored one is applied and clamped, and the size limits.
#include "controls/core/form_placement.h"

#include <gtest/gtest.h>

namespace {

using namespace ctl;
using cl::Rect;

TEST(FormPlacement, StringRoundTrip) {
  const TPlacementFields shown{0, 1, Rect(100, 80, 740, 560)};
  EXPECT_EQ(FormatPlacement(shown), "200,0,1,100,80,740,560");
  EXPECT_EQ(ParsePlacement("200,0,1,100,80,740,560"), shown);
  EXPECT_EQ(FormatPlacement({2, 3, Rect(-4, -8, 10, 20)}), "200,2,3,-4,-8,10,20");
}

TEST(FormPlacement, MalformedStringsAreMissingData) {
  for (const char* text : {"", "199,0,1,100,80,740,560", "200,0,1,100,80,740", "200,0,1,100,80,740,560,1",
                           "200,0,1,1OO,80,740,560", "200,0,1,100,80,,560", "200,0,1,100,80,740,99999999999"}) {
    EXPECT_EQ(ParsePlacement(text), std::nullopt) << text;
  }
}

TEST(FormPlacement, OptionsDecideWhatIsTakenOver) {
  const TPlacementFields stored{2, 3, Rect(100, 80, 740, 560)};
  const TPlacementFields current{0, 1, Rect(10, 20, 310, 220)};
  struct Case {
    TCtlSaveOptions Save;
    TCtlFormOptions Options;
    TPlacementFields Expected;
  };
  const Case cases[] = {
      {{soPos, soSize, soState}, {foAutoShow}, stored},
      {{soPos, soSize, soState}, {}, {2, 0, Rect(100, 80, 740, 560)}},  // without foAutoShow: show command 0
      {{soPos}, {foAutoShow}, {0, 1, Rect(100, 80, 400, 280)}},         // size kept
      {{soSize}, {foAutoShow}, {0, 1, Rect(10, 20, 650, 500)}},         // position kept
      {{soState}, {foAutoShow}, {2, 3, Rect(10, 20, 310, 220)}},
      {{soColor}, {foAutoShow}, current},
  };
  for (const Case& c : cases) {
    const TPlacementContext context{c.Save, c.Options, Rect(10, 20, 310, 220), 1024, 768};
    EXPECT_EQ(ApplyStoredPlacement(stored, current, context), c.Expected) << c.Save.Mask();
  }
}

TEST(FormPlacement, ClampedIntoTheScreen) {
  const TPlacementContext context{{soPos, soSize}, {foAutoShow}, Rect(0, 0, 100, 100), 1024, 768};
  const auto applied = [&](cl::TRect stored) { return ApplyStoredPlacement({0, 1, stored}, {}, context).Normal; };
  EXPECT_EQ(applied(Rect(5000, 80, 5000, 560)), Rect(512, 80, 1024, 560));
  EXPECT_EQ(applied(Rect(100, 900, 740, 900)), Rect(100, 384, 740, 768));
  EXPECT_EQ(applied(Rect(-50, -20, 300, 200)), Rect(-50, -20, 300, 200));  // only the far sides are clamped
}

TEST(FormPlacement, LimitsInPixelsAndScreenFractions) {
  EXPECT_EQ(LimitToPixels(300, 1024), 300);
  EXPECT_EQ(LimitToPixels(0, 1024), 0);
  EXPECT_EQ(LimitToPixels(-2, 1024), 512);
  EXPECT_EQ(LimitToPixels(-3, 1024), 341);

  TTrackLimits limits(1024, 768);
  EXPECT_TRUE(limits.Set(TTrackLimits::tlMaxWidth, -2));
  EXPECT_EQ(limits.Pixels(TTrackLimits::tlMaxWidth), 512);
  limits.SetScreen(800, 600);
  limits.Update();
  EXPECT_EQ(limits.Pixels(TTrackLimits::tlMaxWidth), 400);
  EXPECT_EQ(limits.Pixels(TTrackLimits::tlMaxHeight), 0);
}

TEST(FormPlacement, LimitSettersRefuseContradictions) {
  TTrackLimits limits(1024, 768);
  EXPECT_FALSE(limits.Set(TTrackLimits::tlMinWidth, -101));
  EXPECT_TRUE(limits.Set(TTrackLimits::tlMinWidth, 300));
  EXPECT_FALSE(limits.Set(TTrackLimits::tlMinWidth, 300));  // unchanged
  EXPECT_FALSE(limits.Set(TTrackLimits::tlMaxWidth, 200));  // below the minimum
  EXPECT_TRUE(limits.Set(TTrackLimits::tlMaxWidth, 400));
  EXPECT_FALSE(limits.Set(TTrackLimits::tlMinWidth, 500));  // above the maximum
  EXPECT_TRUE(limits.Set(TTrackLimits::tlMaximizedPosX, -100));
  EXPECT_EQ(limits.Pixels(TTrackLimits::tlMaximizedPosX), 10);
  EXPECT_EQ(limits.Value(TTrackLimits::tlMinWidth), 300);
}

TEST(FormPlacement, UpdatePullsLimitsInsideTheScreen) {
  TTrackLimits limits(1024, 768);
  limits.Set(TTrackLimits::tlMinWidth, 900);
  limits.Set(TTrackLimits::tlMaxWidth, 1000);
  limits.Set(TTrackLimits::tlMaxHeight, 2000);
  limits.SetScreen(800, 600);
  limits.Update();
  EXPECT_EQ(limits.Pixels(TTrackLimits::tlMaxWidth), 800);
  EXPECT_EQ(limits.Pixels(TTrackLimits::tlMinWidth), 800);
  EXPECT_EQ(limits.Pixels(TTrackLimits::tlMaxHeight), 600);

  int32_t width = 1000, height = 100;
  limits.Set(TTrackLimits::tlMinHeight, 150);
  limits.ClampSize(width, height);
  EXPECT_EQ(width, 800);
  EXPECT_EQ(height, 150);
}

TEST(FormPlacement, MinMaxInfoTakesOnlyPositiveLimits) {
  TTrackLimits limits(1024, 768);
  limits.Set(TTrackLimits::tlMaxWidth, -2);
  limits.Set(TTrackLimits::tlMinHeight, 100);
  limits.Set(TTrackLimits::tlMaximizedPosY, 10);
  limits.Set(TTrackLimits::tlMaximizedWidth, 600);
  TMinMaxInfo info{{1, 2}, {3, 4}, {5, 6}, {7, 8}};
  ApplyTrackLimits(limits, info);
  ApplyMaximizedLimits(limits, info);
  EXPECT_EQ(info.MaxTrackSize, (cl::TPoint{512, 8}));
  EXPECT_EQ(info.MinTrackSize, (cl::TPoint{5, 100}));
  EXPECT_EQ(info.MaxPosition, (cl::TPoint{3, 10}));
  EXPECT_EQ(info.MaxSize, (cl::TPoint{600, 2}));
}

TEST(FormPlacement, DefaultValueName) {
  EXPECT_EQ(DefaultIniKey("TFrameForm"), "FrameForm");
  EXPECT_EQ(DefaultIniKey(""), "Form");
}

}  // namespace
