// TGA (Truevision Targa) reading and writing over in-memory file bytes.
//
// Read: image types 1 (colour-mapped), 2 (true-colour), 3 (gray) and their run-length forms 9, 10 and 11;
// colour maps of 15, 16, 24 or 32-bit entries with up to 256 entries (after the first-entry offset); true-colour
// pixels of 15 or 16 bits (-> depth 24), 24 bits (-> 24) and 32 bits (-> 32, alpha in the reserved byte); 8-bit
// gray (-> depth 8 with a gray ramp); bottom-up or top-down, left-to-right or right-to-left pixel order. A packet
// may continue into the next row; data that ends before the last pixel is an error, and a colour-mapped pixel
// past the end of the map is too.
// Write: depths 1, 4 and 8 as an 8-bit colour-mapped image with a 24-bit colour map, 24 and 32 as 24-bit
// true-colour (the reserved byte is not kept); run-length encoded and top row first unless asked otherwise. A file
// with its origin at the top left stands upright both in programs that follow the origin bit and in those that
// show the rows in stored order (ImageMagick).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "formatlib/core/dib_image.h"

namespace fl {

struct TgaWriteOptions {
  bool runLength = true;  // image types 9 and 10 instead of 1 and 2
  bool topDown = true;    // first row stored is the top one (descriptor bit 5)
};

ErrorCode ReadTga(std::span<const uint8_t> file, DibImage& image);
ErrorCode WriteTga(const DibImage& image, const TgaWriteOptions& options, std::vector<uint8_t>& file);

}  // namespace fl
