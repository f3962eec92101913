// The fields of the library's container records: little-endian integers, short strings and data blocks, a block
// being either a compressed stream or an Int32 byte count followed by the bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "classlib/core/streams.h"

namespace cl {
class TStrings;
}  // namespace cl

namespace ctl {

// The class library's text for a file that cannot be opened. The containers and waves show it with the
// placeholder unfilled, followed by what they could not read.
constexpr char kCannotOpenFile[] = "Cannot open file %s";

// The longest short string: one length byte.
constexpr size_t kMaxShortString = 255;

// A read-only stream over bytes the caller keeps alive, so that bytes are read as a stream without a copy.
class TBytesStream : public cl::TCustomMemoryStream {
  CL_CLASS(TBytesStream, cl::TCustomMemoryStream)
 public:
  explicit TBytesStream(std::span<const uint8_t> data) {
    SetPointer(const_cast<uint8_t*>(data.data()), static_cast<int64_t>(data.size()));
  }
};

void WriteInt32(cl::TStream* dest, int32_t value);
int32_t ReadInt32(cl::TStream* source);
void WriteByte(cl::TStream* dest, uint8_t value);
uint8_t ReadByte(cl::TStream* source);

// A length byte and the characters; a longer string is cut to kMaxShortString characters.
void WriteShortString(cl::TStream* dest, const std::string& text);
std::string ReadShortString(cl::TStream* source);

void WriteBlock(cl::TStream* dest, std::span<const uint8_t> data, bool compressed);
// Reads a block written by WriteBlock. A byte count that is negative or larger than what the source still holds
// raises EReadError before anything is allocated; so does damaged compressed data.
std::vector<uint8_t> ReadBlock(cl::TStream* source, bool compressed);

// A string list as a block of its text (every line followed by CR LF).
void WriteStringsBlock(cl::TStream* dest, const cl::TStrings* strings, bool compressed);
// Replaces the lines of strings with those of the block.
void ReadStringsBlock(cl::TStream* source, cl::TStrings* strings, bool compressed);

}  // namespace ctl
