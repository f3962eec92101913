// Byte-level access to the stream a GIF is read from or written to: exact reads, single bytes, stepping, and
// lists of strings carried as data sub-blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "image/core/gif_lzw_decoder.h"

namespace cl {
class TStream;
}

namespace img {

// Reads exactly count bytes; fewer raise GIFException "Premature end of data".
void ReadExact(cl::TStream& stream, void* buffer, std::size_t count);
// One byte; false when the stream had none left.
bool ReadByte(cl::TStream& stream, std::uint8_t& value);
void WriteOneByte(cl::TStream& stream, std::uint8_t value);
void WriteBytes(cl::TStream& stream, const void* buffer, std::size_t count);
// Moves the position by offset bytes (negative: back).
void MoveBy(cl::TStream& stream, std::int64_t offset);
std::int64_t BytesLeft(cl::TStream& stream);

// Each string in runs of up to 255 characters, one sub-block a run, then the block terminator.
void WriteSubBlockStrings(cl::TStream& stream, const std::vector<std::string>& strings);
// One string a sub-block up to the terminator (or the end of the stream); a sub-block's characters from its
// first 0 byte on are dropped.
void ReadSubBlockStrings(cl::TStream& stream, std::vector<std::string>& strings);

// The image data of a frame as the LZW decoder reads it.
class TStreamDataSource : public GIFDataSource {
 public:
  explicit TStreamDataSource(cl::TStream& stream) : FStream(stream) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override;
  std::int64_t Remaining() override { return BytesLeft(FStream); }
  void Skip(std::size_t count) override { MoveBy(FStream, static_cast<std::int64_t>(count)); }

 private:
  cl::TStream& FStream;
};

}  // namespace img
