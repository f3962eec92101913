// Direct access to the pixels of the image control's bitmaps: new bitmaps of a bitmap's kind, the rows of a
// true-colour DIB section as the pixel changes of the core work on them, and sections kept for the next turn.
#pragma once

#include <windows.h>

#include <array>
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

// The true-colour DIB sections a quarter turn replaced (the working bitmap and its shown copy), kept because the
// next turn needs bitmaps of exactly their size and kind: fresh memory of a picture's size costs many times the
// turn itself. At most two are kept, as many as one turn replaces; they are deleted with the keeper.
class SpareSections {
 public:
  SpareSections() = default;
  SpareSections(const SpareSections&) = delete;
  SpareSections& operator=(const SpareSections&) = delete;
  ~SpareSections() { Clear(); }

  // Takes bitmap over: kept when it is a 24 or 32-bit DIB section (the oldest kept one goes when two are kept
  // already), deleted otherwise.
  void Keep(HBITMAP bitmap);
  // A kept section of model's kind and this size, now the caller's; else a new one (CreateUnfilledBitmapLike).
  HBITMAP TakeOrCreate(cl::TBitmap* model, int width, int height);
  void Clear();

 private:
  std::array<HBITMAP, 2> FKept{};  // oldest first; null where none
};

}  // namespace img
