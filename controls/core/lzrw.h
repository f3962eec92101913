// The library's block compressor: one block of at most kLZRWBlockSize bytes becomes a header byte (compressed or
// stored) and, when compressed, groups of a 16-bit control word and up to 16 items (literal byte, 12-bit back
// reference of 3 to 18 bytes, or a run of 16 to 4,095 equal bytes). Blocks are independent of each other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace ctl {

// Input bytes per block.
constexpr size_t kLZRWBlockSize = 32782;
// The largest block a compressor writes: a stored block of kLZRWBlockSize bytes.
constexpr size_t kLZRWMaxBlockLength = kLZRWBlockSize + 1;
// The compressor runs up to this many bytes past the input length before it falls back to storing the block.
constexpr size_t kLZRWOverrun = 6;
// Room the compressor needs for a block of kLZRWBlockSize bytes.
constexpr size_t kLZRWWorkSize = kLZRWBlockSize + kLZRWOverrun;

constexpr uint8_t kLZRWCompressed = 0x40;
constexpr uint8_t kLZRWStored = 0x80;

// Compresses source (at most kLZRWBlockSize bytes) into dest, which must hold source.size() + kLZRWOverrun bytes;
// returns the block's length. A block that would not shrink is stored: kLZRWStored and the bytes unchanged.
size_t LZRWCompress(std::span<const uint8_t> source, std::span<uint8_t> dest);

// Expands one block into dest and returns the byte count. Raises EReadError for anything the compressor cannot
// have written: an unknown header byte, an item cut off by the end of the block, a reference before the start of
// the output, or output that would not fit dest.
size_t LZRWDecompress(std::span<const uint8_t> block, std::span<uint8_t> dest);

}  // namespace ctl
