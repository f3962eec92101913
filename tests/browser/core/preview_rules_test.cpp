// The preview's zoom steps, sizes and command strings.
#include "browser/core/preview_rules.h"

#include <gtest/gtest.h>

namespace brw {
namespace {

TEST(PreviewRulesTest, ZoomStepsRunFromTenToOneToOneToTen) {
  std::vector<int> percents;
  for (const ZoomStep& step : kZoomSteps) percents.push_back(step.Percent);
  EXPECT_EQ(percents,
            (std::vector<int>{200, 300, 400, 500, 600, 700, 800, 900, 1000, 100, 50, 33, 25, 20, 16, 14, 12, 11, 10}));
  EXPECT_STREQ(kZoomSteps[11].Caption, "1:3");
  EXPECT_STREQ(kZoomSteps[8].Name, "N1011");
}

TEST(PreviewRulesTest, ZoomedSidesRoundHalvesToEven) {
  EXPECT_EQ(ZoomedSide(33, 300), 99);
  EXPECT_EQ(ZoomedSide(33, 200), 66);
  EXPECT_EQ(ZoomedSide(50, 301), 150);
  EXPECT_EQ(ZoomedSide(50, 303), 152);
  EXPECT_EQ(ZoomedSide(1000, 3000), 30000);
  EXPECT_EQ(ZoomedSide(10, 4), 0);
}

TEST(PreviewRulesTest, FitLeavesMarginsRightOfTheSplitter) {
  const FitSize fit = FitPreviewSize(544, 329, 200);
  EXPECT_EQ(fit.Width, 326);
  EXPECT_EQ(fit.Height, 311);
}

TEST(PreviewRulesTest, GifPathsAndCommandLines) {
  EXPECT_TRUE(IsGifPath("c:\\x.gif\\a.bmp"));
  EXPECT_TRUE(IsGifPath("C:\\A.GIF"));
  EXPECT_FALSE(IsGifPath("c:\\a.gi"));
  EXPECT_EQ(ViewerCommandLine("C:\\Prog\\tarnel.exe", "C:\\My Pictures\\a b.jpg"),
            "C:\\Prog\\\\orvane.exe C:\\My Pictures\\a b.jpg");
  EXPECT_EQ(ViewerCommandLine("C:\\Prog\\tarnel.exe", ""), "C:\\Prog\\\\orvane.exe ");
  EXPECT_EQ(HelpFileName("C:\\Prog\\tarnel.exe"), "C:\\Prog\\\\orvane.hlp");
}

}  // namespace
}  // namespace brw
