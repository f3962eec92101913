// Helpers of the JPEG tests: smooth pictures (JPEG is judged on such content, as photographs are), how close two
// pictures are, and files written by libjpeg itself in any colour space.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

#include "graphics_test_support.h"

namespace cl::testing {

inline Owned<TBitmap> SmoothBitmap(int width, int height) {
  Owned<TBitmap> bitmap = BlankBitmap(width, height);
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<uint8_t*>(bitmap->ScanLine(y));
    for (int x = 0; x < width; ++x) {
      row[3 * x] = static_cast<uint8_t>(128 + 100 * std::sin(x / 9.0));
      row[3 * x + 1] = static_cast<uint8_t>(y * 255 / height);
      row[3 * x + 2] = static_cast<uint8_t>((x + y) * 255 / (width + height));
    }
  }
  return bitmap;
}

// Peak signal-to-noise ratio of b against a, in decibels, over red, green and blue.
inline double Psnr(TBitmap& a, TBitmap& b) {
  const bmp::TDibImage x = dib::Read32(a.Handle(), a.Palette()), y = dib::Read32(b.Handle(), b.Palette());
  double squares = 0;
  size_t count = 0;
  for (size_t i = 0; i < x.Bits.size(); ++i) {
    if (i % 4 == 3) continue;
    const double d = double(x.Bits[i]) - double(y.Bits[i]);
    squares += d * d;
    ++count;
  }
  return 10 * std::log10(255.0 * 255.0 / (squares / count));
}

// fill(y, row) writes row y (width x components samples) before it is compressed.
inline std::vector<uint8_t> LibjpegFile(int width, int height, int components, J_COLOR_SPACE space,
                                        const std::function<void(int, uint8_t*)>& fill) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = components;
  info.in_color_space = space;
  jpeg_set_defaults(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row(static_cast<size_t>(width) * components);
  while (info.next_scanline < info.image_height) {
    fill(static_cast<int>(info.next_scanline), row.data());
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> file(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return file;
}

}  // namespace cl::testing
