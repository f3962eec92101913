// The screenshot helper captures what a window shows on the screen.
#include "support/screenshot.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>

namespace {

// A top-level window filled with one colour, pumped until it has painted.
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
    window_ = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "Screenshot test", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              100, 100, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
    UpdateWindow(window_);
    for (int i = 0; i < 50; ++i) {
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      Sleep(10);
    }
  }
  ~ColouredWindow() {
    DestroyWindow(window_);
    DeleteObject(brush_);
  }
  HWND handle() const { return window_; }

 private:
  HBRUSH brush_ = nullptr;
  HWND window_ = nullptr;
};

TEST(Screenshot, WritesAPngOfTheScreen) {
  ColouredWindow window(RGB(0, 128, 255));
  std::string path = testsupport::SaveScreenshot("support_screenshot_test");
  std::ifstream file(path, std::ios::binary);
  ASSERT_TRUE(file.good()) << path;
  char signature[8] = {};
  file.read(signature, 8);
  EXPECT_EQ(std::string(signature + 1, 3), "PNG");

  // The window's client area really is on the screen that was captured.
  RECT client;
  GetClientRect(window.handle(), &client);
  POINT centre{client.right / 2, client.bottom / 2};
  ClientToScreen(window.handle(), &centre);
  HDC screen = GetDC(nullptr);
  COLORREF seen = GetPixel(screen, centre.x, centre.y);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(seen, RGB(0, 128, 255));
}

}  // namespace
