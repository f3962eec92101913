// The seedable pseudo-random generator: the same seed gives the same sequence on every platform.
#pragma once

#include <cstdint>

namespace cl {

// The generator's state; set it to repeat a sequence.
inline uint32_t RandSeed = 0;

// Seeds the generator from the clock.
void Randomize();
// A number from 0 to range - 1 (0 when range <= 0).
int32_t Random(int32_t range);
// A number in [0, 1).
double Random();

}  // namespace cl
