// Screen capture through GDI and a PNG write through libpng.
#include "support/screenshot.h"

#include <windows.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <vector>

namespace testsupport {
namespace {

struct ScreenPixels {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> bgra;  // top-down rows of 4 bytes a pixel
};

ScreenPixels CaptureScreen() {
  ScreenPixels shot;
  shot.width = GetSystemMetrics(SM_CXSCREEN);
  shot.height = GetSystemMetrics(SM_CYSCREEN);
  if (shot.width <= 0 || shot.height <= 0) throw std::runtime_error("no screen to capture");

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, shot.width, shot.height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BOOL copied = BitBlt(memory, 0, 0, shot.width, shot.height, screen, 0, 0, SRCCOPY);
  SelectObject(memory, old);

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = shot.width;
  info.bmiHeader.biHeight = -shot.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  shot.bgra.resize(static_cast<size_t>(shot.width) * shot.height * 4);
  int rows = GetDIBits(memory, bitmap, 0, shot.height, shot.bgra.data(), &info, DIB_RGB_COLORS);

  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (!copied || rows != shot.height) throw std::runtime_error("screen capture failed");
  return shot;
}

void WritePng(const std::string& path, const ScreenPixels& shot) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) throw std::runtime_error("cannot create " + path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    throw std::runtime_error("libpng could not start");
  }
  // libpng reports errors by longjmp; only trivially destructible locals live between here and the jump.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("writing " + path + " failed");
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, shot.width, shot.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_set_filler(png, 0, PNG_FILLER_AFTER);  // drop the fourth byte of each pixel
  png_set_bgr(png);
  for (int y = 0; y < shot.height; ++y) {
    png_write_row(png, const_cast<png_bytep>(&shot.bgra[static_cast<size_t>(y) * shot.width * 4]));
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
}

}  // namespace

std::string SaveScreenshot(const std::string& name) {
  const char* folder = std::getenv("PROJECT_SCREENSHOT_DIR");
  std::string path = (folder && *folder) ? std::string(folder) + "/" + name + ".png" : name + ".png";
  WritePng(path, CaptureScreen());
  return path;
}

unsigned long ScreenColor(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF color = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return color;
}

bool PopupMenuShown() {
  HWND menu = FindWindowA("#32768", nullptr);  // the system's class of popup menu windows
  return menu && IsWindowVisible(menu);
}

}  // namespace testsupport
