#include "viewer/core/capture_rules.h"

#include <array>

#include "classlib/core/paths.h"
#include "classlib/core/string_utils.h"
#include "controls/core/rect_routines.h"
#include "viewer/core/hot_key_registration.h"

namespace viewer {

namespace {

constexpr uint16_t kVkF9 = 0x78;
constexpr uint16_t kVkF10 = 0x79;
constexpr uint16_t kVkF11 = 0x7A;
constexpr uint16_t kVkF12 = 0x7B;
constexpr std::array<uint16_t, kCaptureHotKeyCount> kFrameKeys{kVkF9, kVkF10, kVkF11, kVkF12};
constexpr std::array<uint16_t, kCaptureHotKeyCount> kImageWindowKeys{kVkF9, kHotKeyCtrl | kVkF10, kVkF11, kVkF12};
constexpr char kWallpaperBitmapName[] = "Orlanto.bmp";

bool ValidKeyIndex(int index) {
  return index >= 0 && index < kCaptureHotKeyCount;
}

}  // namespace

uint16_t CaptureHotKey(CaptureOwner owner, int index) {
  if (!ValidKeyIndex(index)) return 0;
  return owner == CaptureOwner::Frame ? kFrameKeys[index] : kImageWindowKeys[index];
}

std::optional<int> CaptureKeyToArm(int activateUsing, int hotKeyIndex) {
  if (activateUsing != kActivateUsingHotKey || !ValidKeyIndex(hotKeyIndex)) return std::nullopt;
  return hotKeyIndex;
}

WallpaperChoice ChooseWallpaper(const std::string& caption) {
  if (cl::UpperCase(cl::ExtractFileExt(caption)).find("BMP") != std::string::npos) return {caption, false};
  return {cl::ExtractFilePath(caption) + kWallpaperBitmapName, true};
}

std::string TileWallpaperText(bool tile) {
  return tile ? "1" : "0";
}

cl::TRect TripleSizePrintRect(int width, int height, int x, int y, int pageWidth, int pageHeight) {
  constexpr int kPrintScale = 3;
  const cl::TRect tripled = cl::Bounds(x, y, kPrintScale * width, kPrintScale * height);
  const cl::TRect page = cl::Rect(x, y, pageWidth, pageHeight);
  if (tripled.Right <= page.Right && tripled.Bottom <= page.Bottom) return tripled;
  return ctl::FitRect(cl::Rect(0, 0, width, height), page);
}

}  // namespace viewer
