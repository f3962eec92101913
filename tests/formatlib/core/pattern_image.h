// Test pictures with a distinct, position-dependent colour in every pixel, at every depth.
#pragma once

#include <cstdint>
#include <string>

#include "formatlib/core/dib_image.h"

namespace fl::test {

// A width x height picture at bitCount; depths up to 8 get a palette of 2^bitCount distinct colours.
DibImage MakePatternImage(int32_t width, int32_t height, int bitCount);

// "" when both pictures show the same colour in every pixel, else the first difference in words.
std::string DescribePixelDifference(const DibImage& expected, const DibImage& actual);

}  // namespace fl::test
