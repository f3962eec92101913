// The decisions of the screen capture, wallpaper and print commands: which hot key a capture command arms, what the
// desktop's wallpaper values become for an image window, and where a print puts the picture on the page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "classlib/core/types.h"

namespace viewer {

// Each form that captures holds four hot keys; the preferences choose one of them by number.
constexpr int kCaptureHotKeyCount = 4;

enum class CaptureOwner { Frame, ImageWindow };

// The hot-key value of key index (0 .. 3) of a form: F9, F10, F11, F12 in the frame; F9, Ctrl+F10, F11, F12 in an
// image window.
uint16_t CaptureHotKey(CaptureOwner owner, int index);

// The preferences' "Activate capture using:" item that waits for a hot key.
constexpr int kActivateUsingHotKey = 1;

// The key a capture command arms, or none when it captures at once. A key number outside 0 .. 3 (no key chosen)
// captures at once too, as there is no key to wait for.
std::optional<int> CaptureKeyToArm(int activateUsing, int hotKeyIndex);

// The desktop's wallpaper, HKEY_CURRENT_USER "Control Panel\Desktop\".
constexpr char kDesktopKey[] = "Control Panel\\Desktop\\";
constexpr char kWallpaperValue[] = "Wallpaper";
constexpr char kTileWallpaperValue[] = "TileWallpaper";

struct WallpaperChoice {
  // The file the wallpaper names.
  std::string Wallpaper;
  // The picture must first be written to Wallpaper as a bitmap.
  bool WriteBitmap = false;
  bool operator==(const WallpaperChoice&) const = default;
};

// A window's file whose extension holds "BMP" is the wallpaper itself (as stored, without unsaved changes); any
// other picture is written as "Orlanto.bmp" in its file's folder, replacing what was there.
WallpaperChoice ChooseWallpaper(const std::string& caption);

// "TileWallpaper": "1" tiles the picture, "0" centres it.
std::string TileWallpaperText(bool tile);

// Where a picture of width x height prints at (x, y) on a page of pageWidth x pageHeight printer pixels: at three
// times its size, or, where that would run off the page, at the largest size with its proportions that stays on it.
cl::TRect TripleSizePrintRect(int width, int height, int x, int y, int pageWidth, int pageHeight);

}  // namespace viewer
