#include "image/core/gif_color_map.h"

#include <algorithm>
#include <numeric>

#include "image/core/gif_error.h"
#include "image/core/gif_extensions.h"
#include "image/core/gif_stream_io.h"
#include "image/core/gif_sub_image.h"

namespace img {

int BitsForColorCount(int n) {
  if (n <= 0) return 0;
  for (int bits = 1; bits < 8; ++bits) {
    if ((1 << bits) >= n) return bits;
  }
  return 8;
}

int PaddedRowBytes(int pixels, int bitsPerPixel, int alignment) {
  return ((pixels * bitsPerPixel + alignment - 1) >> 3) & ~((alignment - 1) >> 3);
}

TGIFColorMap::~TGIFColorMap() = default;

void TGIFColorMap::Clear() {
  FEntries.clear();
  FEntries.shrink_to_fit();
  FCount = 0;
  FCapacity = 0;
  FSorted = false;
}

void TGIFColorMap::SetCapacity(int n) {
  if (n < FCapacity) return;
  FCapacity = n <= 16 ? 16 : std::min((n + 31) / 32 * 32, kMaxColors);
  FEntries.resize(static_cast<std::size_t>(FCapacity));
}

void TGIFColorMap::LoadFromStream(cl::TStream& stream, int n) {
  Clear();
  SetCapacity(n);
  std::uint8_t bytes[kMaxColors * 3];
  ReadExact(stream, bytes, static_cast<std::size_t>(n) * 3);
  for (int i = 0; i < n; ++i)
    FEntries[static_cast<std::size_t>(i)] = {bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]};
  FCount = n;
}

void TGIFColorMap::SaveToStream(cl::TStream& stream) const {
  if (FCount == 0) return;
  // The stream's table size is a power of two; the entries past the map are black.
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(3) << BitsPerPixel(), 0);
  for (int i = 0; i < FCount; ++i) {
    const TGIFColor& entry = FEntries[static_cast<std::size_t>(i)];
    bytes[3 * i] = entry.Red;
    bytes[3 * i + 1] = entry.Green;
    bytes[3 * i + 2] = entry.Blue;
  }
  WriteBytes(stream, bytes.data(), bytes.size());
}

namespace {
TGIFColor FromColorValue(cl::TColor color) {
  const auto value = static_cast<std::uint32_t>(color);
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16)};
}
}  // namespace

int TGIFColorMap::IndexOf(cl::TColor color) const {
  const TGIFColor wanted = FromColorValue(color);
  if (FSorted) {
    for (int i = 0; i < FCount; ++i) {
      if (FEntries[static_cast<std::size_t>(i)] == wanted) return i;
    }
  } else {
    for (int i = FCount - 1; i >= 0; --i) {
      if (FEntries[static_cast<std::size_t>(i)] == wanted) return i;
    }
  }
  return -1;
}

int TGIFColorMap::Add(cl::TColor color) {
  const int existing = IndexOf(color);
  if (existing >= 0) return existing;
  if (FCount >= kMaxColors) RaiseGIFError("Color table overflow");
  if (FCount >= FCapacity) SetCapacity(FCount + 1);
  FEntries[static_cast<std::size_t>(FCount)] = FromColorValue(color);
  ++FCount;
  FSorted = false;
  Changed();
  return FCount - 1;
}

cl::TColor TGIFColorMap::GetColor(int index) {
  if (index < 0 || index >= FCount) {
    Warning(1, "Invalid color index");
    return 0;  // black: the entries past the map hold no colour
  }
  const TGIFColor& entry = FEntries[static_cast<std::size_t>(index)];
  return static_cast<cl::TColor>(entry.Red | (entry.Green << 8) | (entry.Blue << 16));
}

void TGIFColorMap::ImportDIBColors(const std::uint8_t* table, int n) {
  Clear();
  if (n > 0) {
    n = std::min(n, kMaxColors);
    SetCapacity(n);
    for (int i = 0; i < n; ++i) {
      FEntries[static_cast<std::size_t>(i)] = {table[4 * i + 2], table[4 * i + 1], table[4 * i]};
    }
    FCount = n;
  }
  Changed();
}

void TGIFColorMap::Assign(const cl::TPersistent* source) {
  const auto* map = source && source->InheritsFrom(StaticClass()) ? static_cast<const TGIFColorMap*>(source) : nullptr;
  if (map == nullptr) {
    inherited::Assign(source);
    return;
  }
  if (map == this) return;
  Clear();
  FCapacity = map->FCapacity;
  FCount = map->FCount;
  FSorted = map->FSorted;
  FEntries = map->FEntries;
  Changed();
}

bool TGIFColorMap::SortByUsage(TGIFSubImageCore& frame, bool truncate) {
  if (FCount < 2) return false;
  FSorted = true;
  std::vector<std::size_t> uses(kMaxColors, 0);
  std::uint8_t* pixels = frame.Data();
  const std::size_t pixelCount = frame.DataSize();
  for (std::size_t i = 0; i < pixelCount; ++i) ++uses[pixels[i]];

  std::vector<int> order(static_cast<std::size_t>(FCount));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return uses[a] > uses[b]; });
  bool identity = true;
  for (int i = 0; i < FCount; ++i) identity = identity && order[static_cast<std::size_t>(i)] == i;
  if (identity) return true;

  // Old index to new index; pixels past the map keep their value.
  std::uint8_t newIndex[kMaxColors];
  std::iota(newIndex, newIndex + kMaxColors, 0);
  std::vector<TGIFColor> moved(FEntries);
  for (int i = 0; i < FCount; ++i) {
    const int old = order[static_cast<std::size_t>(i)];
    newIndex[old] = static_cast<std::uint8_t>(i);
    moved[static_cast<std::size_t>(i)] = FEntries[static_cast<std::size_t>(old)];
  }
  for (std::size_t i = 0; i < pixelCount; ++i) pixels[i] = newIndex[pixels[i]];
  if (frame.Transparent() && frame.GraphicControlExtension() != nullptr) {
    TGIFGraphicControlExtension* control = frame.GraphicControlExtension();
    control->SetTransparentColorIndexRaw(newIndex[control->TransparentColorIndex()]);
  }
  FEntries = std::move(moved);
  if (truncate) {
    int used = 0;
    while (used < FCount && uses[order[static_cast<std::size_t>(used)]] > 0) ++used;
    if (used < FCount) FCount = used;
  }
  Changed();
  return true;
}

}  // namespace img
