#include "image/core/pixel_transforms.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace img {

namespace {

constexpr int kTileSide = 64;     // pixels on a side of the square a quarter turn moves at a time
constexpr size_t kRowSlack = 16;  // room after a row buffer for the 16-byte stores of the mirror

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

#if defined(__x86_64__) || defined(__i386__)
// Five 3-byte pixels at a time, reversed by one byte shuffle: each step reads 16 bytes and writes 16, one byte
// beyond its five pixels, so both buffers need kRowSlack bytes after the row.
__attribute__((target("ssse3"))) int MirrorFivePixelGroups(const uint8_t* from, uint8_t* to, int width) {
  const __m128i reverse = _mm_setr_epi8(12, 13, 14, 9, 10, 11, 6, 7, 8, 3, 4, 5, 0, 1, 2, -1);
  int done = 0;
  for (; done + 5 <= width; done += 5) {
    const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 3 * (width - done - 5)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 3 * done), _mm_shuffle_epi8(pixels, reverse));
  }
  return done;
}

bool HasByteShuffle() {
  static const bool supported = __builtin_cpu_supports("ssse3");
  return supported;
}
#else
int MirrorFivePixelGroups(const uint8_t*, uint8_t*, int) {
  return 0;
}

bool HasByteShuffle() {
  return false;
}
#endif

// Writes the pixels of from in the opposite order into to; both hold kRowSlack bytes beyond the row.
void MirrorInto(const uint8_t* from, uint8_t* to, int width, int bytesPerPixel) {
  if (bytesPerPixel == 3) {
    const int done = HasByteShuffle() ? MirrorFivePixelGroups(from, to, width) : 0;
    const uint8_t* in = from + static_cast<size_t>(width - 1 - done) * 3;
    for (int x = done; x < width; ++x, in -= 3) std::memcpy(to + 3 * x, in, 3);
    return;
  }
  const uint8_t* in = from + static_cast<size_t>(width - 1) * 4;
  for (int x = 0; x < width; ++x, in -= 4, to += 4) std::memcpy(to, in, 4);
}

// One source column segment (count pixels, from in, a row apart by step) becomes count consecutive pixels of a
// target row. Three-byte pixels move as four bytes where the fourth byte is still inside the source row and is
// overwritten in the target by the next pixel; the last one of the segment moves as three.
template <int Bytes>
void CopyColumnToRow(const uint8_t* in, std::ptrdiff_t step, uint8_t* out, int count, bool wideReads) {
  int i = 0;
  if (Bytes == 3 && wideReads) {
    for (; i + 1 < count; ++i, in += step, out += 3) {
      uint32_t pixel;
      std::memcpy(&pixel, in, 4);
      std::memcpy(out, &pixel, 4);
    }
  }
  for (; i < count; ++i, in += step, out += Bytes) std::memcpy(out, in, Bytes);
}

// The picture is turned a tile at a time: a tile's source rows and its target rows are both short enough to stay
// in the cache while the tile's columns become rows. Clockwise, source pixel (x, y) lands in target row x, column
// H - 1 - y; counter-clockwise in target row W - 1 - x, column y. Each target row segment is written in order.
template <int Bytes>
void TurnTiles(const PixelRows& source, const PixelRows& target, bool clockwise) {
  // Clockwise a target row segment reads its source column from the bottom up.
  const std::ptrdiff_t step = clockwise ? -source.Stride : source.Stride;
  for (int x0 = 0; x0 < source.Width; x0 += kTileSide) {
    const int x1 = std::min(x0 + kTileSide, source.Width);
    for (int y0 = 0; y0 < source.Height; y0 += kTileSide) {
      const int y1 = std::min(y0 + kTileSide, source.Height);
      const int firstSourceRow = clockwise ? y1 - 1 : y0;
      const int firstTargetColumn = clockwise ? source.Height - y1 : y0;
      for (int x = x0; x < x1; ++x) {
        uint8_t* out =
            target.Row(clockwise ? x : source.Width - 1 - x) + static_cast<std::ptrdiff_t>(firstTargetColumn) * Bytes;
        const uint8_t* in = source.Row(firstSourceRow) + static_cast<std::ptrdiff_t>(x) * Bytes;
        CopyColumnToRow<Bytes>(in, step, out, y1 - y0, x + 1 < source.Width);
      }
    }
  }
}

}  // namespace

void ChangePixels(PixelChange change, const PixelRows& rows) {
  const size_t rowBytes = static_cast<size_t>(rows.Width) * rows.BytesPerPixel;
  std::vector<uint8_t> upper(rowBytes + kRowSlack), lower(rowBytes + kRowSlack), turned(rowBytes + kRowSlack);
  // The changes that swap rows work through the upper half, the middle row of an odd height included.
  const bool swapsRows = change == PixelChange::FlipVertical || change == PixelChange::Rotate180;
  const int steps = swapsRows ? (rows.Height + 1) / 2 : rows.Height;
  for (int y = 0; y < steps; ++y) {
    uint8_t* row = rows.Row(y);
    uint8_t* opposite = rows.Row(rows.Height - 1 - y);
    switch (change) {
      case PixelChange::Invert:
        InvertRow(row, rows.Width, rows.BytesPerPixel);
        break;
      case PixelChange::Mirror:
        // Through copies with room after the row: the mirror reads and writes a little beyond its pixels.
        std::memcpy(upper.data(), row, rowBytes);
        MirrorInto(upper.data(), turned.data(), rows.Width, rows.BytesPerPixel);
        std::memcpy(row, turned.data(), rowBytes);
        break;
      case PixelChange::FlipVertical:
        std::memcpy(upper.data(), row, rowBytes);
        std::memcpy(row, opposite, rowBytes);
        std::memcpy(opposite, upper.data(), rowBytes);
        break;
      case PixelChange::Rotate180:
        std::memcpy(upper.data(), row, rowBytes);
        std::memcpy(lower.data(), opposite, rowBytes);
        MirrorInto(upper.data(), turned.data(), rows.Width, rows.BytesPerPixel);
        MirrorInto(lower.data(), upper.data(), rows.Width, rows.BytesPerPixel);
        // The middle row of an odd height is its own opposite: both copies hold the same mirrored row.
        std::memcpy(opposite, turned.data(), rowBytes);
        std::memcpy(row, upper.data(), rowBytes);
        break;
    }
  }
}

void TurnPixels(const PixelRows& source, const PixelRows& target, bool clockwise) {
  if (source.BytesPerPixel == 3) {
    TurnTiles<3>(source, target, clockwise);
  } else {
    TurnTiles<4>(source, target, clockwise);
  }
}

}  // namespace img
