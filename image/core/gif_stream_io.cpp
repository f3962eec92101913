#include "image/core/gif_stream_io.h"

#include <algorithm>

#include "classlib/core/streams.h"
#include "image/core/gif_error.h"

namespace img {
namespace {
constexpr std::size_t kMaxSubBlock = 255;
}

void ReadExact(cl::TStream& stream, void* buffer, std::size_t count) {
  if (count == 0) return;
  if (stream.Read(buffer, static_cast<std::int32_t>(count)) != static_cast<std::int32_t>(count)) {
    RaiseGIFError("Premature end of data");
  }
}

bool ReadByte(cl::TStream& stream, std::uint8_t& value) {
  return stream.Read(&value, 1) == 1;
}

void WriteOneByte(cl::TStream& stream, std::uint8_t value) {
  stream.WriteBuffer(&value, 1);
}

void WriteBytes(cl::TStream& stream, const void* buffer, std::size_t count) {
  const auto* bytes = static_cast<const std::uint8_t*>(buffer);
  while (count > 0) {
    const std::size_t chunk = std::min<std::size_t>(count, std::size_t{1} << 30);
    stream.WriteBuffer(bytes, static_cast<std::int32_t>(chunk));
    bytes += chunk;
    count -= chunk;
  }
}

void MoveBy(cl::TStream& stream, std::int64_t offset) {
  stream.Seek(offset, cl::soFromCurrent);
}

std::int64_t BytesLeft(cl::TStream& stream) {
  return stream.Size() - stream.Position();
}

void WriteSubBlockStrings(cl::TStream& stream, const std::vector<std::string>& strings) {
  for (const std::string& text : strings) {
    for (std::size_t at = 0; at < text.size(); at += kMaxSubBlock) {
      const std::size_t length = std::min(kMaxSubBlock, text.size() - at);
      WriteOneByte(stream, static_cast<std::uint8_t>(length));
      WriteBytes(stream, text.data() + at, length);
    }
  }
  WriteOneByte(stream, 0);
}

void ReadSubBlockStrings(cl::TStream& stream, std::vector<std::string>& strings) {
  strings.clear();
  std::uint8_t count = 0;
  char block[kMaxSubBlock];
  while (ReadByte(stream, count) && count != 0) {
    ReadExact(stream, block, count);
    const char* end = std::find(block, block + count, '\0');
    strings.emplace_back(static_cast<const char*>(block), end);
  }
}

std::size_t TStreamDataSource::Read(std::uint8_t* buffer, std::size_t count) {
  const std::int32_t read = FStream.Read(buffer, static_cast<std::int32_t>(count));
  return read > 0 ? static_cast<std::size_t>(read) : 0;
}

}  // namespace img
