// The BMP file format over bytes: reading every header version, bit count and compression the class library
// accepts into a plain device-independent image, and writing one back with a 40-byte header.
// Pure logic (no <windows.h>), so that it can be built and fuzzed anywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cl::bmp {

struct TColorEntry {
  uint8_t Blue = 0, Green = 0, Red = 0, Reserved = 0;
  bool operator==(const TColorEntry&) const = default;
};

// An uncompressed DIB as GDI keeps it: bottom-up rows, each padded to a multiple of 4 bytes.
// BitCount 1, 4, 8 (with a colour table), 16 (5-5-5 unless masks are set, then 5-6-5), 24 or 32 (B, G, R, unused).
struct TDibImage {
  int32_t Width = 0;
  int32_t Height = 0;
  int BitCount = 0;
  uint32_t RedMask = 0, GreenMask = 0, BlueMask = 0;  // only 16-bit 5-6-5 images carry masks
  std::vector<TColorEntry> Colors;
  std::vector<uint8_t> Bits;

  size_t Stride() const { return RowStride(Width, BitCount); }
  static size_t RowStride(int32_t width, int bitCount) {
    return ((static_cast<size_t>(width) * static_cast<size_t>(bitCount) + 31) / 32) * 4;
  }
};

// The largest image the reader accepts (width x height); larger files are refused before any allocation.
constexpr uint64_t kMaxPixels = uint64_t{1} << 28;
// The most bytes of rows an RLE image may decode to (8192 x 8192 pixels at 8 bits): a few bytes of runs, skips and
// an early end can describe any size, so these images are held to a memory budget instead of to their data.
constexpr uint64_t kMaxRleBits = uint64_t{1} << 26;

// What the headers of a BMP file say, checked against the file's size: the image without its bits, where the
// bits start and how they are stored.
struct TBmpLayout {
  TDibImage Image;  // everything but Bits
  size_t BitsOffset = 0;
  size_t BitsSize = 0;      // bytes of uncompressed rows (0 for RLE)
  uint32_t HeaderSize = 0;  // 12 (core), 40 (info), 52, 56, 108 (V4) or 124 (V5)
  uint32_t Compression = 0;
  bool TopDown = false;
  bool ExpandMasks = false;  // bit fields other than 5-5-5, 5-6-5 and 8-8-8
  uint32_t Masks[3] = {0, 0, 0};
  bool StoredAsIs = false;  // the stored rows are the DIB's rows: bottom-up, uncompressed, usual masks
};

// Reads the headers and colour table from the first available bytes of a file of fileSize bytes (available must
// reach the bits offset); raises like ReadBmp.
TBmpLayout ReadBmpLayout(const uint8_t* data, size_t available, uint64_t fileSize);

// Reads the headers and colour table of a packed DIB (a DIB in one memory block: the header at the start, then
// the masks of a 40-byte bit-field header, the colour table and the rows), all checked to lie inside the block's
// size bytes; raises like ReadBmp, also for RLE images. Image.Colors holds the table as stored, also the optional
// one (at most 256 entries) of an image deeper than 8 bits.
TBmpLayout ReadPackedDibLayout(const uint8_t* data, size_t size);

// Reads a whole BMP file image; raises EInvalidGraphic "Bitmap image is not valid" for anything malformed,
// truncated or too large. Bit-field images other than 5-5-5 and 5-6-5 become 32-bit images, RLE images 8- or 4-bit.
TDibImage ReadBmp(const uint8_t* data, size_t size);

// The BMP file image of an uncompressed DIB: 14-byte file header, 40-byte info header, masks for 5-6-5, colour
// table, bits.
std::vector<uint8_t> WriteBmp(const TDibImage& image);

}  // namespace cl::bmp
