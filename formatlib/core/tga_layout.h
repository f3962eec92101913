// Field values of the TGA file layout shared by its reader and writer.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fl::tga {

inline constexpr size_t kHeaderSize = 18;

inline constexpr uint8_t kNoColorMap = 0;
inline constexpr uint8_t kHasColorMap = 1;

inline constexpr uint8_t kTypeColorMapped = 1;
inline constexpr uint8_t kTypeTrueColor = 2;
inline constexpr uint8_t kTypeGray = 3;
// The run-length forms of the three types above add this to the type.
inline constexpr uint8_t kRunLengthTypeOffset = 8;

// Image descriptor bits.
inline constexpr uint8_t kAlphaBitsMask = 0x0F;
inline constexpr uint8_t kRightToLeft = 0x10;
inline constexpr uint8_t kTopDown = 0x20;

// A packet header's top bit marks a run; its low seven bits count the pixels less one.
inline constexpr uint8_t kRunPacket = 0x80;
inline constexpr size_t kMaxPacketPixels = 128;

inline constexpr size_t kMaxColorMapEntries = 256;

}  // namespace fl::tga
