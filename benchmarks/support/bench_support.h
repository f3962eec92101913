// Shared pieces of the Windows benchmark programs: owning class-library objects, best-of-N timing and a
// photo-like test picture.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "classlib/win/bitmap.h"

namespace bench {

struct FreeObject {
  void operator()(cl::TObject* object) const { object->Free(); }
};
template <class T>
using Owned = std::unique_ptr<T, FreeObject>;

inline double Milliseconds(const std::function<void()>& step) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  step();
  QueryPerformanceCounter(&end);
  return 1000.0 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

// Runs the steps in turn, `runs` rounds, and keeps each step's best time: a busy machine then slows every step
// alike instead of whichever ran during a burst.
inline std::vector<double> BestMilliseconds(const std::vector<std::function<void()>>& steps, int runs) {
  std::vector<double> best(steps.size(), 1e300);
  for (int run = 0; run < runs; ++run)
    for (size_t i = 0; i < steps.size(); ++i) best[i] = std::min(best[i], Milliseconds(steps[i]));
  return best;
}

// Smooth gradients with fine noise: compresses like a photograph, not like a flat test card.
inline Owned<cl::TBitmap> PhotoLikeBitmap(int width, int height) {
  Owned<cl::TBitmap> bitmap(cl::New<cl::TBitmap>());
  bitmap->SetPixelFormat(cl::pf24bit);
  bitmap->SetSize(width, height);
  uint32_t noise = 12345;
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<uint8_t*>(bitmap->ScanLine(y));
    for (int x = 0; x < width; ++x) {
      noise = noise * 1103515245 + 12345;
      const int grain = static_cast<int>(noise >> 28) - 8;
      row[3 * x] = static_cast<uint8_t>(std::clamp(int(128 + 90 * std::sin(x / 140.0)) + grain, 0, 255));
      row[3 * x + 1] = static_cast<uint8_t>(std::clamp(y * 255 / height + grain, 0, 255));
      row[3 * x + 2] = static_cast<uint8_t>(std::clamp(int(128 + 90 * std::cos((x + y) / 200.0)) + grain, 0, 255));
    }
  }
  return bitmap;
}

}  // namespace bench
