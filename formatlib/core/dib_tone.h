// Tone changes of a DibImage: brightness and contrast, monochrome and grayscale conversion.
#pragma once

#include "formatlib/core/dib_image.h"

namespace fl {

// Each channel value v (palette entries at depths up to 8, pixels at 24 and 32) becomes
//   clamp((v - 128) * (100 + contrast) / 100 + 128 + brightness * 255 / 100)
// with brightness and contrast in -100..100 (others are kInvalidArgument). Contrast -100 makes every value 128 +
// the brightness shift; 0, 0 gives an equal copy.
ErrorCode AdjustBrightnessContrast(const DibImage& source, int brightness, int contrast, DibImage& result);
// The same change made to `image` itself, which saves a copy of a large picture.
ErrorCode AdjustBrightnessContrastInPlace(DibImage& image, int brightness, int contrast);

// A 1-bit black-and-white picture of any source: Floyd-Steinberg error diffusion on the luminance, so shades
// survive as dot density. Palette: black (0), white (1).
ErrorCode ConvertToMonochrome(const DibImage& source, DibImage& result);

// An 8-bit picture with a 256-step gray palette. A 1-bit source is smoothed over each pixel's 3x3 neighbourhood,
// so the dot density of a dithered picture turns back into gray levels; other depths take each pixel's luminance.
ErrorCode ConvertToGrayscale(const DibImage& source, DibImage& result);

}  // namespace fl
