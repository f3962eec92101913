// The memory blocks of OLE drag and drop: the DROPFILES file list and zero-terminated texts. Blocks are built for a
// drag out of the program and read back from another program's data object strictly within the size of the block,
// since nothing guarantees that a foreign block is terminated or that its offsets are sound.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ctl {

// Conversions between the 8-bit code page and UTF-16; the Win32 side passes the system's.
using TToWide = std::function<std::u16string(std::string_view)>;
using TFromWide = std::function<std::string(std::u16string_view)>;

// DROPFILES: offset of the first name, drop point x and y, non-client flag, wide-name flag (32 bits each).
inline constexpr size_t kDropFilesHeaderSize = 20;
inline constexpr size_t kDropFilesWideFlagOffset = 16;

// A zero-filled block of 2 x L + 35 bytes, L the length of the names' text with a line break after each name: the
// header (first name at offset 20), then each name, UTF-16 with a two-byte terminator when wide, else 8-bit with a
// one-byte terminator; the zero fill ends the list.
std::vector<uint8_t> BuildDropFiles(const std::vector<std::string>& names, bool wide, const TToWide& toWide);

// The names of a DROPFILES block, up to the empty name or the block's end. Nothing when the block is shorter than its
// header or the first name's offset lies outside it; a last name cut off by the block's end is not taken.
std::optional<std::vector<std::string>> ReadDropFiles(std::span<const uint8_t> block, const TFromWide& fromWide);

// 8-bit text copied into a zero-filled block of L + 4 bytes.
std::vector<uint8_t> BuildTextBlock(std::string_view text);
// The UTF-16 form of 8-bit text in a zero-filled block of 2 x L + 4 bytes.
std::vector<uint8_t> BuildWideTextBlock(std::string_view text, const TToWide& toWide);

// The text up to its terminator, or up to the block's end when it has none.
std::string ReadTextBlock(std::span<const uint8_t> block);
std::u16string ReadWideTextBlock(std::span<const uint8_t> block);

}  // namespace ctl
