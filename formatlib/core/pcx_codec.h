// PCX (ZSoft Paintbrush) reading and writing over in-memory file bytes; the Win32 layer does the file access.
//
// Read: version 0-5, run-length encoded (encoding 1) or raw (encoding 0) data, with these layouts:
//   1 bit x 1 plane -> depth 1 (header palette; black and white when its two entries are equal)
//   1 bit x 2..4 planes, 2 or 4 bits x 1 plane -> depth 4 (header palette)
//   8 bits x 1 plane -> depth 8 (the 256-colour palette after the data, else a gray ramp)
//   8 bits x 3 planes -> depth 24;  8 bits x 4 planes -> depth 32 (the fourth plane is the reserved/alpha byte)
// A run may continue from one scan line into the next, as some writers do; data that ends before the last line is
// complete is an error, and whatever follows the last line is left alone.
// Write: version 5, always run-length encoded; depth 1 as 1 bit x 1 plane, 4 as 1 bit x 4 planes, 8 as 8 bits x 1
// plane with the 256-colour palette, 24 and 32 as 8 bits x 3 planes (the reserved byte is not kept).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "formatlib/core/dib_image.h"

namespace fl {

ErrorCode ReadPcx(std::span<const uint8_t> file, DibImage& image);
ErrorCode WritePcx(const DibImage& image, std::vector<uint8_t>& file);

}  // namespace fl
