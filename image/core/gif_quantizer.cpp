// Median cut over a histogram of 15-bit colours (5 bits a channel): the box with the most pixels that can still
// be split is cut at the median of its widest channel until there are 256 boxes; each box's colour is the mean
// of its pixels, and every histogram cell maps to the palette colour nearest to its centre.
#include "image/core/gif_quantizer.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace img {
namespace {

constexpr int kMaxColors = 256;
constexpr int kCellBits = 5;
constexpr int kCellsPerChannel = 1 << kCellBits;
constexpr int kCells = kCellsPerChannel * kCellsPerChannel * kCellsPerChannel;

int CellOf(const std::uint8_t* pixel) {
  return ((pixel[0] >> 3) << (2 * kCellBits)) | ((pixel[1] >> 3) << kCellBits) | (pixel[2] >> 3);
}
int Channel(int cell, int channel) {
  return (cell >> (kCellBits * (2 - channel))) & (kCellsPerChannel - 1);
}

struct Box {
  std::vector<int> cells;  // non-empty histogram cells
  std::uint64_t pixels = 0;
  int widestChannel = 0;
  int range = 0;
};

void Measure(Box& box) {
  box.range = 0;
  for (int channel = 0; channel < 3; ++channel) {
    int low = kCellsPerChannel, high = -1;
    for (int cell : box.cells) {
      low = std::min(low, Channel(cell, channel));
      high = std::max(high, Channel(cell, channel));
    }
    if (high - low > box.range) {
      box.range = high - low;
      box.widestChannel = channel;
    }
  }
}

// Splits box at the pixel median of its widest channel; the upper half goes to the new box.
Box Split(Box& box, const std::vector<std::uint64_t>& histogram) {
  const int channel = box.widestChannel;
  std::sort(box.cells.begin(), box.cells.end(),
            [&](int a, int b) { return Channel(a, channel) < Channel(b, channel); });
  std::uint64_t below = 0;
  std::size_t cut = 1;
  for (; cut < box.cells.size(); ++cut) {
    below += histogram[static_cast<std::size_t>(box.cells[cut - 1])];
    if (2 * below >= box.pixels) break;
  }
  cut = std::min(cut, box.cells.size() - 1);
  Box upper;
  upper.cells.assign(box.cells.begin() + static_cast<std::ptrdiff_t>(cut), box.cells.end());
  box.cells.resize(cut);
  box.pixels = 0;
  for (int cell : box.cells) box.pixels += histogram[static_cast<std::size_t>(cell)];
  for (int cell : upper.cells) upper.pixels += histogram[static_cast<std::size_t>(cell)];
  Measure(box);
  Measure(upper);
  return upper;
}

TQuantizedPixels MedianCut(const std::uint8_t* rgb, std::size_t pixelCount) {
  std::vector<std::uint64_t> histogram(kCells, 0);
  std::vector<std::array<std::uint64_t, 3>> sums(kCells, {0, 0, 0});
  for (std::size_t i = 0; i < pixelCount; ++i) {
    const std::uint8_t* pixel = rgb + 3 * i;
    const auto cell = static_cast<std::size_t>(CellOf(pixel));
    ++histogram[cell];
    for (int c = 0; c < 3; ++c) sums[cell][static_cast<std::size_t>(c)] += pixel[c];
  }
  std::vector<Box> boxes(1);
  for (int cell = 0; cell < kCells; ++cell) {
    if (histogram[static_cast<std::size_t>(cell)] > 0) boxes[0].cells.push_back(cell);
  }
  boxes[0].pixels = pixelCount;
  Measure(boxes[0]);
  while (boxes.size() < kMaxColors) {
    Box* widest = nullptr;
    for (Box& box : boxes) {
      if (box.cells.size() > 1 && box.range > 0 && (widest == nullptr || box.pixels > widest->pixels)) widest = &box;
    }
    if (widest == nullptr) break;
    Box upper = Split(*widest, histogram);
    boxes.push_back(std::move(upper));
  }

  TQuantizedPixels result;
  for (const Box& box : boxes) {
    std::array<std::uint64_t, 3> total{0, 0, 0};
    for (int cell : box.cells) {
      for (std::size_t c = 0; c < 3; ++c) total[c] += sums[static_cast<std::size_t>(cell)][c];
    }
    const std::uint64_t count = std::max<std::uint64_t>(box.pixels, 1);
    result.Palette.push_back({static_cast<std::uint8_t>(total[0] / count), static_cast<std::uint8_t>(total[1] / count),
                              static_cast<std::uint8_t>(total[2] / count)});
  }
  // Each used cell takes the palette colour nearest to the mean of its own pixels.
  std::vector<std::uint8_t> nearest(kCells, 0);
  for (int cell = 0; cell < kCells; ++cell) {
    const std::uint64_t count = histogram[static_cast<std::size_t>(cell)];
    if (count == 0) continue;
    int r = static_cast<int>(sums[static_cast<std::size_t>(cell)][0] / count);
    int g = static_cast<int>(sums[static_cast<std::size_t>(cell)][1] / count);
    int b = static_cast<int>(sums[static_cast<std::size_t>(cell)][2] / count);
    int best = 0, bestDistance = 1 << 30;
    for (std::size_t i = 0; i < result.Palette.size(); ++i) {
      const TGIFColor& color = result.Palette[i];
      const int distance = (r - color.Red) * (r - color.Red) + (g - color.Green) * (g - color.Green) +
                           (b - color.Blue) * (b - color.Blue);
      if (distance < bestDistance) {
        bestDistance = distance;
        best = static_cast<int>(i);
      }
    }
    nearest[static_cast<std::size_t>(cell)] = static_cast<std::uint8_t>(best);
  }
  result.Indices.resize(pixelCount);
  for (std::size_t i = 0; i < pixelCount; ++i) {
    result.Indices[i] = nearest[static_cast<std::size_t>(CellOf(rgb + 3 * i))];
  }
  return result;
}

}  // namespace

TQuantizedPixels QuantizeTo256Colors(const std::uint8_t* rgb, std::size_t pixelCount) {
  TQuantizedPixels result;
  result.Indices.resize(pixelCount);
  std::unordered_map<std::uint32_t, std::uint8_t> exact;
  for (std::size_t i = 0; i < pixelCount; ++i) {
    const std::uint8_t* pixel = rgb + 3 * i;
    const std::uint32_t key = (pixel[0] << 16) | (pixel[1] << 8) | pixel[2];
    auto found = exact.find(key);
    if (found == exact.end()) {
      if (exact.size() == kMaxColors) return MedianCut(rgb, pixelCount);
      found = exact.emplace(key, static_cast<std::uint8_t>(exact.size())).first;
      result.Palette.push_back({pixel[0], pixel[1], pixel[2]});
    }
    result.Indices[i] = found->second;
  }
  return result;
}

}  // namespace img
