// The picture the test TWAIN source hands out, for the source and the tests that check what arrived.
#pragma once

#include <cstdint>

namespace viewer::test {

// An odd width, so that rows carry padding.
constexpr int kTestPictureWidth = 37;
constexpr int kTestPictureHeight = 23;

struct TestColor {
  uint8_t Red, Green, Blue;
  bool operator==(const TestColor&) const = default;
};

// Every pixel differs from its neighbours in each channel, so a shifted, flipped or swapped row shows.
inline TestColor TestPictureColor(int x, int y) {
  return {static_cast<uint8_t>(x * 7), static_cast<uint8_t>(y * 11), static_cast<uint8_t>((x + y) * 5 + 3)};
}

}  // namespace viewer::test
