// The screenshot helper captures what a window shows on the screen.
#include "support/screenshot.h"

#include <windows.h>
#include <png.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

void PumpMessages(int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 10) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
}

// A topmost window filled with one colour.
class ColouredWindow {
 public:
  explicit ColouredWindow(COLORREF colour) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ScreenshotTestWindow";
    brush_ = CreateSolidBrush(colour);
    wc.hbrBackground = brush_;
    RegisterClassA(&wc);
    window_ = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "Screenshot test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700,
                              500, 200, 150, nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~ColouredWindow() {
    DestroyWindow(window_);
    DeleteObject(brush_);
  }
  // Brings the window above the others again and lets it paint.
  void Raise() {
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpMessages(100);
  }
  POINT ClientCentre() const {
    RECT client;
    GetClientRect(window_, &client);
    POINT centre{client.right / 2, client.bottom / 2};
    ClientToScreen(window_, &centre);
    return centre;
  }

 private:
  HBRUSH brush_ = nullptr;
  HWND window_ = nullptr;
};

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> pixels;
  COLORREF At(int x, int y) const {
    const unsigned char* p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
    return RGB(p[0], p[1], p[2]);
  }
};

RgbImage ReadPng(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  RgbImage result;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return result;
  image.format = PNG_FORMAT_RGB;
  result.pixels.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, result.pixels.data(), 0, nullptr)) return result;
  result.width = static_cast<int>(image.width);
  result.height = static_cast<int>(image.height);
  return result;
}

TEST(Screenshot, WritesThePixelsOfTheWholeScreenAsPng) {
  ColouredWindow window(RGB(0, 128, 255));
  // Other test programs share the desktop and may cover the window for a moment, and a Wine desktop that has just
  // started takes a moment to reach the screen: try a few times.
  RgbImage shot;
  POINT centre{};
  for (int attempt = 0; attempt < 10; ++attempt) {
    window.Raise();
    centre = window.ClientCentre();
    shot = ReadPng(testsupport::SaveScreenshot("support_screenshot_test"));
    if (shot.width > centre.x && shot.height > centre.y && shot.At(centre.x, centre.y) == RGB(0, 128, 255)) break;
    Sleep(300);
  }
  EXPECT_EQ(shot.width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(shot.height, GetSystemMetrics(SM_CYSCREEN));
  ASSERT_GT(shot.width, centre.x);
  ASSERT_GT(shot.height, centre.y);
  EXPECT_EQ(shot.At(centre.x, centre.y), RGB(0, 128, 255));
}

}  // namespace
