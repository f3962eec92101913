#include "classlib/core/random.h"

#include <chrono>

namespace cl {

namespace {

// A linear congruential step; the high bits of the new state give the result.
uint32_t NextState() {
  RandSeed = RandSeed * 0x08088405u + 1;
  return RandSeed;
}

}  // namespace

void Randomize() {
  RandSeed = static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

int32_t Random(int32_t range) {
  const uint32_t state = NextState();
  if (range <= 0) return 0;
  return static_cast<int32_t>((static_cast<uint64_t>(state) * static_cast<uint32_t>(range)) >> 32);
}

double Random() {
  return NextState() / 4294967296.0;
}

}  // namespace cl
