// JPEG files written by libjpeg itself, for the tests of the JPEG readers: any colour space, rows filled by the
// caller.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

namespace cl::testing {

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
