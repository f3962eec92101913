#include "viewer/core/capture_rules.h"

#include <gtest/gtest.h>

#include "viewer/core/hot_key_registration.h"

namespace viewer {
namespace {

constexpr uint16_t kF9 = 0x78, kF10 = 0x79, kF11 = 0x7A, kF12 = 0x7B;

TEST(CaptureHotKeys, TheFrameUsesF9ToF12AndAnImageWindowCtrlF10) {
  const uint16_t frame[] = {kF9, kF10, kF11, kF12};
  const uint16_t window[] = {kF9, kHotKeyCtrl | kF10, kF11, kF12};
  for (int i = 0; i < kCaptureHotKeyCount; ++i) {
    EXPECT_EQ(CaptureHotKey(CaptureOwner::Frame, i), frame[i]) << i;
    EXPECT_EQ(CaptureHotKey(CaptureOwner::ImageWindow, i), window[i]) << i;
  }
  EXPECT_EQ(CaptureHotKey(CaptureOwner::Frame, -1), 0);
  EXPECT_EQ(CaptureHotKey(CaptureOwner::ImageWindow, 4), 0);
}

TEST(CaptureHotKeys, OnlyTheHotKeyChoiceWithAKeyArmsOne) {
  EXPECT_EQ(CaptureKeyToArm(kActivateUsingHotKey, 1), 1);
  EXPECT_EQ(CaptureKeyToArm(kActivateUsingHotKey, 3), 3);
  EXPECT_EQ(CaptureKeyToArm(0, 1), std::nullopt);
  EXPECT_EQ(CaptureKeyToArm(kActivateUsingHotKey, -1), std::nullopt);
  EXPECT_EQ(CaptureKeyToArm(kActivateUsingHotKey, 4), std::nullopt);
}

TEST(Wallpaper, ABitmapIsUsedAsStoredAndAnyOtherPictureIsWrittenBesideIt) {
  const struct {
    const char* caption;
    WallpaperChoice choice;
  } cases[] = {
      {"C:\\Pictures\\sea.bmp", {"C:\\Pictures\\sea.bmp", false}},
      {"C:\\Pictures\\sea.Bmp", {"C:\\Pictures\\sea.Bmp", false}},
      {"C:\\Pictures\\sea.jpg", {"C:\\Pictures\\Orlanto.bmp", true}},
      {"C:\\My Pictures\\sea.png", {"C:\\My Pictures\\Orlanto.bmp", true}},
      // Only the extension counts, not a folder named like one.
      {"C:\\bmp.files\\sea.gif", {"C:\\bmp.files\\Orlanto.bmp", true}},
  };
  for (const auto& c : cases) EXPECT_EQ(ChooseWallpaper(c.caption), c.choice) << c.caption;
  EXPECT_EQ(TileWallpaperText(true), "1");
  EXPECT_EQ(TileWallpaperText(false), "0");
}

TEST(PrintPlacement, ThreeTimesThePictureOrTheLargestSizeThatStaysOnThePage) {
  const struct {
    int width, height, x, y, pageWidth, pageHeight;
    cl::TRect printed;
  } cases[] = {
      {100, 50, 0, 0, 2479, 3508, cl::Rect(0, 0, 300, 150)},
      {100, 50, 10, 20, 310, 170, cl::Rect(10, 20, 310, 170)},   // just fits
      {1000, 100, 0, 0, 2479, 3508, cl::Rect(0, 0, 2479, 247)},  // too wide: the width fills the page
      {200, 1400, 0, 0, 2479, 3508, cl::Rect(0, 0, 501, 3508)},  // too high: the height fills the page
      {100, 50, 0, 0, 250, 3508, cl::Rect(0, 0, 250, 125)},      // shrunk below three times, above its own size
      {100, 50, 50, 0, 250, 3508, cl::Rect(50, 0, 250, 100)},    // the room right of x
  };
  for (const auto& c : cases)
    EXPECT_EQ(TripleSizePrintRect(c.width, c.height, c.x, c.y, c.pageWidth, c.pageHeight), c.printed)
        << c.width << "x" << c.height << " at " << c.x << "," << c.y;
}

}  // namespace
}  // namespace viewer
