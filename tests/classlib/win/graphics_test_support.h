// Helpers shared by the graphics test programs: owned class-library objects and pixel reads.
#pragma once

#include <memory>

#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "classlib/win/bitmap.h"

namespace cl::testing {

using cl::Owned;

// cl::MakeOwned under a short name.
template <class T, class... Args>
Owned<T> Make(Args&&... args) {
  return MakeOwned<T>(std::forward<Args>(args)...);
}

// The pixel at (x, y) of any bitmap as 0x00RRGGBB.
inline uint32_t PixelAt(TBitmap& bitmap, int x, int y) {
  const bmp::TDibImage image = dib::Read32(bitmap.Handle(), bitmap.Palette());
  const uint8_t* p = image.Bits.data() + image.Stride() * (image.Height - 1 - y) + 4 * x;
  return p[2] << 16 | p[1] << 8 | p[0];
}

// A white bitmap of the given format.
inline Owned<TBitmap> BlankBitmap(int width, int height, TPixelFormat format = pf24bit) {
  Owned<TBitmap> bitmap = Make<TBitmap>();
  bitmap->SetPixelFormat(format);
  bitmap->SetSize(width, height);
  return bitmap;
}

// A bitmap of the given format painted with a pattern of coloured blocks.
inline Owned<TBitmap> PatternBitmap(int width, int height, TPixelFormat format) {
  Owned<TBitmap> bitmap = BlankBitmap(width, height, pf32bit);
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<uint8_t*>(bitmap->ScanLine(y));
    for (int x = 0; x < width; ++x) {
      row[4 * x] = static_cast<uint8_t>(x * 255 / width);
      row[4 * x + 1] = static_cast<uint8_t>(y * 255 / height);
      row[4 * x + 2] = static_cast<uint8_t>((x + y) * 40);
    }
  }
  bitmap->SetPixelFormat(format);
  return bitmap;
}

// Deterministic byte mutations of a valid file: each result must load or raise EInvalidGraphic, never crash.
template <class Load>
void LoadMutations(const std::vector<uint8_t>& file, int count, Load load) {
  uint32_t random = 2463534242u;
  auto next = [&] {
    random ^= random << 13;
    random ^= random >> 17;
    random ^= random << 5;
    return random;
  };
  for (int i = 0; i < count; ++i) {
    std::vector<uint8_t> mutated = file;
    const int changes = 1 + next() % 4;
    for (int c = 0; c < changes; ++c) mutated[next() % mutated.size()] = static_cast<uint8_t>(next());
    if (next() % 4 == 0) mutated.resize(next() % mutated.size());
    try {
      load(mutated);
    } catch (const EInvalidGraphic&) {
    }
  }
}

inline std::vector<uint8_t> StreamBytes(TMemoryStream& stream) {
  const auto* data = static_cast<const uint8_t*>(stream.Memory());
  return std::vector<uint8_t>(data, data + stream.Size());
}

inline Owned<TMemoryStream> StreamOf(const std::vector<uint8_t>& bytes) {
  Owned<TMemoryStream> stream = Make<TMemoryStream>();
  if (!bytes.empty()) stream->WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  stream->SetPosition(0);
  return stream;
}

}  // namespace cl::testing
