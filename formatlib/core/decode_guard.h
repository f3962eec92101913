// The common ending of every reader: a failed decode, an exhausted memory included, leaves no half-made picture.
#pragma once

#include <new>

#include "formatlib/core/dib_image.h"

namespace fl {

// Runs `decode()`, which fills `image`; when it fails or runs out of memory, `image` is left empty.
template <typename Decoder>
ErrorCode DecodeGuarded(DibImage& image, Decoder decode) {
  ErrorCode error = kOutOfMemory;
  try {
    error = decode();
  } catch (const std::bad_alloc&) {
  }
  if (error != kOk) image = DibImage{};
  return error;
}

}  // namespace fl
