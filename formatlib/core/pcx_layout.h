// Field values and sizes of the PCX file layout, shared by the PCX codec and the DCX container.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fl::pcx {

inline constexpr size_t kHeaderSize = 128;
inline constexpr uint8_t kManufacturer = 0x0A;
inline constexpr uint8_t kVersion5 = 5;
inline constexpr uint8_t kEncodingNone = 0;
inline constexpr uint8_t kEncodingRunLength = 1;
inline constexpr uint16_t kDotsPerInch = 96;
inline constexpr uint16_t kPaletteInfoColour = 1;
inline constexpr size_t kHeaderPaletteEntries = 16;

// A byte with both top bits set starts a run of (byte & 0x3F) copies of the next byte.
inline constexpr uint8_t kRunMarker = 0xC0;
inline constexpr size_t kMaxRun = 0x3F;

// 8-bit pictures carry 256 RGB entries after this marker at the very end of the file.
inline constexpr uint8_t kTrailingPaletteMarker = 0x0C;
inline constexpr size_t kTrailingPaletteEntries = 256;
inline constexpr size_t kTrailingPaletteSize = 1 + 3 * kTrailingPaletteEntries;

// The header stores the last column and row as 16-bit numbers.
inline constexpr int32_t kMaxSide = 65535;

}  // namespace fl::pcx
