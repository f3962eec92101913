#include "image/core/pixel_transforms.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace img {

namespace {

constexpr int kBandRows = 64;  // target rows built at a time: their memory stays in the cache while filled

// Pictures in DIB sections are read and written a whole row at a time: byte-sized accesses to such memory are
// many times slower than to the heap under some systems, copies of whole rows are not.
void InvertRow(uint8_t* row, int width, int bytesPerPixel) {
  const size_t bytes = static_cast<size_t>(width) * bytesPerPixel;
  if (bytesPerPixel == 3) {
    size_t i = 0;
    for (; i + 8 <= bytes; i += 8) {
      uint64_t block;
      std::memcpy(&block, row + i, 8);
      block = ~block;
      std::memcpy(row + i, &block, 8);
    }
    for (; i < bytes; ++i) row[i] = static_cast<uint8_t>(~row[i]);
    return;
  }
  for (size_t i = 0; i < bytes; i += 4) {
    uint32_t pixel;
    std::memcpy(&pixel, row + i, 4);
    pixel ^= 0x00FFFFFFu;  // little-endian: blue, green and red are the low three bytes
    std::memcpy(row + i, &pixel, 4);
  }
}

// Writes the pixels of from in the opposite order into to.
void MirrorInto(const uint8_t* from, uint8_t* to, int width, int bytesPerPixel) {
  const uint8_t* in = from + static_cast<size_t>(width - 1) * bytesPerPixel;
  if (bytesPerPixel == 3) {
    for (int x = 0; x < width; ++x, in -= 3, to += 3) {
      to[0] = in[0];
      to[1] = in[1];
      to[2] = in[2];
    }
    return;
  }
  for (int x = 0; x < width; ++x, in -= 4, to += 4) std::memcpy(to, in, 4);
}

// A band of target rows is a band of source columns (clockwise the same numbers, counter-clockwise mirrored);
// it is built in memory of its own from a short segment of every source row, then written out whole. The pixel
// size is a constant, so that each pixel's copy is a plain move rather than a call.
template <int Bytes>
void TurnBands(const PixelRows& source, const PixelRows& target, bool clockwise) {
  const size_t targetRowBytes = static_cast<size_t>(target.Width) * Bytes;
  std::vector<uint8_t> band(static_cast<size_t>(kBandRows) * targetRowBytes), segment(size_t{kBandRows} * Bytes);
  for (int firstRow = 0; firstRow < target.Height; firstRow += kBandRows) {
    const int rows = std::min(kBandRows, target.Height - firstRow);
    const int firstColumn = clockwise ? firstRow : source.Width - firstRow - rows;
    for (int sourceRow = 0; sourceRow < source.Height; ++sourceRow) {
      std::memcpy(segment.data(), source.Row(sourceRow) + static_cast<std::ptrdiff_t>(firstColumn) * Bytes,
                  static_cast<size_t>(rows) * Bytes);
      // Clockwise, source row r lands in target column H - 1 - r; counter-clockwise in column r.
      uint8_t* column =
          band.data() + static_cast<size_t>(clockwise ? source.Height - 1 - sourceRow : sourceRow) * Bytes;
      for (int i = 0; i < rows; ++i) {
        const int bandRow = clockwise ? i : rows - 1 - i;
        std::memcpy(column + bandRow * targetRowBytes, segment.data() + i * Bytes, Bytes);
      }
    }
    for (int i = 0; i < rows; ++i) {
      std::memcpy(target.Row(firstRow + i), band.data() + i * targetRowBytes, targetRowBytes);
    }
  }
}

}  // namespace

void ChangePixels(PixelChange change, const PixelRows& rows) {
  const size_t rowBytes = static_cast<size_t>(rows.Width) * rows.BytesPerPixel;
  std::vector<uint8_t> upper(rowBytes), lower(rowBytes), turned(rowBytes);
  // The changes that swap rows work through the upper half, the middle row of an odd height included.
  const bool swapsRows = change == PixelChange::FlipVertical || change == PixelChange::Rotate180;
  const int steps = swapsRows ? (rows.Height + 1) / 2 : rows.Height;
  for (int y = 0; y < steps; ++y) {
    uint8_t* row = rows.Row(y);
    uint8_t* opposite = rows.Row(rows.Height - 1 - y);
    std::memcpy(upper.data(), row, rowBytes);
    switch (change) {
      case PixelChange::Invert:
        InvertRow(upper.data(), rows.Width, rows.BytesPerPixel);
        std::memcpy(row, upper.data(), rowBytes);
        break;
      case PixelChange::Mirror:
        MirrorInto(upper.data(), turned.data(), rows.Width, rows.BytesPerPixel);
        std::memcpy(row, turned.data(), rowBytes);
        break;
      case PixelChange::FlipVertical:
        std::memcpy(row, opposite, rowBytes);
        std::memcpy(opposite, upper.data(), rowBytes);
        break;
      case PixelChange::Rotate180:
        std::memcpy(lower.data(), opposite, rowBytes);
        MirrorInto(lower.data(), row, rows.Width, rows.BytesPerPixel);
        MirrorInto(upper.data(), turned.data(), rows.Width, rows.BytesPerPixel);
        std::memcpy(opposite, turned.data(), rowBytes);  // the middle row of an odd height: row and opposite agree
        break;
    }
  }
}

void TurnPixels(const PixelRows& source, const PixelRows& target, bool clockwise) {
  if (source.BytesPerPixel == 3) {
    TurnBands<3>(source, target, clockwise);
  } else {
    TurnBands<4>(source, target, clockwise);
  }
}

}  // namespace img
