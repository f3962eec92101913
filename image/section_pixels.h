// Direct access to the pixels of the image control's bitmaps: new bitmaps of a bitmap's kind, and the rows of a
// true-colour DIB section as the pixel changes of the core work on them.
#pragma once

#include <windows.h>

#include <optional>

#include "image/core/pixel_transforms.h"

namespace cl {
class TBitmap;
}

namespace img {

// A bitmap of the kind of model (a device bitmap, or a 24 or 32-bit DIB section) whose pixels the caller fills;
// the caller owns it (nothing counts it yet).
HBITMAP CreateUnfilledBitmapLike(cl::TBitmap* model, int width, int height);

// The rows of a 24 or 32-bit DIB section with plain RGB pixels; nothing for any other bitmap. The bitmap must not
// be selected into a DC while the rows are used.
std::optional<PixelRows> SectionRows(HBITMAP bitmap);

}  // namespace img
