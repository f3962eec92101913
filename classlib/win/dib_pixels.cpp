// Conversions between DIB pixel formats over plain memory.
#include "classlib/win/dib_pixels.h"

#include <unordered_map>

namespace cl::dib {
namespace {

constexpr uint8_t kCubeLevels[6] = {0, 51, 102, 153, 204, 255};
constexpr int kGreyCount = 24;

std::vector<TColorEntry> MakeVga() {
  const uint8_t rgb[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                              {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                              {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                              {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
  std::vector<TColorEntry> colors;
  for (const auto& c : rgb) colors.push_back(TColorEntry{c[2], c[1], c[0], 0});
  return colors;
}

std::vector<TColorEntry> MakeLayer() {
  std::vector<TColorEntry> colors = MakeVga();
  for (uint8_t r : kCubeLevels)
    for (uint8_t g : kCubeLevels)
      for (uint8_t b : kCubeLevels) colors.push_back(TColorEntry{b, g, r, 0});
  for (int i = 0; i < kGreyCount; ++i) {
    const uint8_t level = static_cast<uint8_t>(8 + 10 * i);
    colors.push_back(TColorEntry{level, level, level, 0});
  }
  return colors;
}

uint32_t Pixel32(const uint8_t* p) {
  return p[0] | p[1] << 8 | uint32_t{p[2]} << 16;
}

uint8_t Expand5(unsigned v) {
  return static_cast<uint8_t>(v << 3 | v >> 2);
}
uint8_t Expand6(unsigned v) {
  return static_cast<uint8_t>(v << 2 | v >> 4);
}

}  // namespace

const std::vector<TColorEntry>& LayerPalette() {
  static const std::vector<TColorEntry>* colors = new std::vector<TColorEntry>(MakeLayer());
  return *colors;
}

const std::vector<TColorEntry>& VgaPalette() {
  static const std::vector<TColorEntry>* colors = new std::vector<TColorEntry>(MakeVga());
  return *colors;
}

const std::vector<TColorEntry>& MonochromePalette() {
  static const std::vector<TColorEntry>* colors =
      new std::vector<TColorEntry>{TColorEntry{0, 0, 0, 0}, TColorEntry{255, 255, 255, 0}};
  return *colors;
}

int NearestColorIndex(const std::vector<TColorEntry>& colors, int red, int green, int blue) {
  int best = 0;
  long bestDistance = -1;
  for (size_t i = 0; i < colors.size(); ++i) {
    const long dr = red - colors[i].Red, dg = green - colors[i].Green, db = blue - colors[i].Blue;
    const long distance = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<int>(i);
    }
  }
  return best;
}

TDibImage ExpandTo32(const TDibImage& image) {
  TDibImage out;
  out.Width = image.Width;
  out.Height = image.Height;
  out.BitCount = 32;
  out.Bits.resize(out.Stride() * static_cast<size_t>(out.Height));
  const size_t stride = image.Stride();
  const bool rgb565 = image.BitCount == 16 && image.GreenMask == 0x07E0;
  auto color = [&](size_t index) { return index < image.Colors.size() ? image.Colors[index] : TColorEntry{}; };
  for (int32_t y = 0; y < image.Height; ++y) {
    const uint8_t* in = image.Bits.data() + y * stride;
    uint8_t* o = out.Bits.data() + y * out.Stride();
    for (int32_t x = 0; x < image.Width; ++x, o += 4) {
      TColorEntry c;
      switch (image.BitCount) {
        case 1:
          c = color((in[x / 8] >> (7 - x % 8)) & 1);
          break;
        case 4:
          c = color((x & 1) ? in[x / 2] & 0x0F : in[x / 2] >> 4);
          break;
        case 8:
          c = color(in[x]);
          break;
        case 16: {
          const unsigned v = in[2 * x] | in[2 * x + 1] << 8;
          c = rgb565 ? TColorEntry{Expand5(v & 31), Expand6(v >> 5 & 63), Expand5(v >> 11 & 31), 0}
                     : TColorEntry{Expand5(v & 31), Expand5(v >> 5 & 31), Expand5(v >> 10 & 31), 0};
          break;
        }
        case 24:
          c = TColorEntry{in[3 * x], in[3 * x + 1], in[3 * x + 2], 0};
          break;
        default:
          c = TColorEntry{in[4 * x], in[4 * x + 1], in[4 * x + 2], 0};
          break;
      }
      o[0] = c.Blue;
      o[1] = c.Green;
      o[2] = c.Red;
      o[3] = 0;
    }
  }
  return out;
}

TDibImage ReduceFrom32(const TDibImage& image32, int bitCount, bool rgb565, const std::vector<TColorEntry>& colors) {
  TDibImage out;
  out.Width = image32.Width;
  out.Height = image32.Height;
  out.BitCount = bitCount;
  if (bitCount <= 8) out.Colors = colors;
  if (bitCount == 16 && rgb565) {
    out.RedMask = 0xF800;
    out.GreenMask = 0x07E0;
    out.BlueMask = 0x001F;
  }
  out.Bits.assign(out.Stride() * static_cast<size_t>(out.Height), 0);
  std::unordered_map<uint32_t, uint8_t> nearest;  // images repeat colours; the search is the slow part
  for (int32_t y = 0; y < image32.Height; ++y) {
    const uint8_t* in = image32.Bits.data() + y * image32.Stride();
    uint8_t* o = out.Bits.data() + y * out.Stride();
    for (int32_t x = 0; x < image32.Width; ++x) {
      const uint8_t* p = in + 4 * x;
      const unsigned b = p[0], g = p[1], r = p[2];
      if (bitCount <= 8) {
        auto [it, added] = nearest.try_emplace(Pixel32(p), 0);
        if (added) it->second = static_cast<uint8_t>(NearestColorIndex(colors, r, g, b));
        const uint8_t index = it->second;
        if (bitCount == 8)
          o[x] = index;
        else if (bitCount == 4)
          o[x / 2] |= (x & 1) ? index : static_cast<uint8_t>(index << 4);
        else
          o[x / 8] |= static_cast<uint8_t>(index << (7 - x % 8));
      } else if (bitCount == 16) {
        const unsigned v = rgb565 ? (r >> 3) << 11 | (g >> 2) << 5 | b >> 3 : (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
        o[2 * x] = static_cast<uint8_t>(v);
        o[2 * x + 1] = static_cast<uint8_t>(v >> 8);
      } else if (bitCount == 24) {
        o[3 * x] = p[0];
        o[3 * x + 1] = p[1];
        o[3 * x + 2] = p[2];
      } else {
        o[4 * x] = p[0];
        o[4 * x + 1] = p[1];
        o[4 * x + 2] = p[2];
      }
    }
  }
  return out;
}

}  // namespace cl::dib
