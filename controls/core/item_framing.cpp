// Little-endian fields and data blocks of the container records, read with every length checked against the bytes
// the source still holds.
#include "controls/core/item_framing.h"

#include <algorithm>
#include <cstring>

#include "classlib/core/byte_reader.h"
#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "classlib/core/string_list.h"
#include "controls/core/compressed_stream.h"

namespace ctl {
namespace {

[[noreturn]] void ReadError() {
  throw cl::EReadError("Stream read error");
}

}  // namespace

void WriteInt32(cl::TStream* dest, int32_t value) {
  uint8_t bytes[4];
  cl::le::WriteU32(bytes, static_cast<uint32_t>(value));
  dest->WriteBuffer(bytes, sizeof bytes);
}

int32_t ReadInt32(cl::TStream* source) {
  uint8_t bytes[4];
  source->ReadBuffer(bytes, sizeof bytes);
  return cl::le::ReadI32(bytes);
}

void WriteByte(cl::TStream* dest, uint8_t value) {
  dest->WriteBuffer(&value, 1);
}

uint8_t ReadByte(cl::TStream* source) {
  uint8_t value = 0;
  source->ReadBuffer(&value, 1);
  return value;
}

void WriteShortString(cl::TStream* dest, const std::string& text) {
  // Cut to the longest string the length byte can count (not to the length modulo 256, which would lose it).
  const size_t length = std::min(text.size(), kMaxShortString);
  WriteByte(dest, static_cast<uint8_t>(length));
  dest->WriteBuffer(text.data(), static_cast<int32_t>(length));
}

std::string ReadShortString(cl::TStream* source) {
  std::string text(ReadByte(source), '\0');
  source->ReadBuffer(text.data(), static_cast<int32_t>(text.size()));
  return text;
}

void WriteBlock(cl::TStream* dest, std::span<const uint8_t> data, bool compressed) {
  if (data.size() > static_cast<size_t>(INT32_MAX)) throw cl::EWriteError("Stream write error");
  if (compressed) {
    TBytesStream reader(data);
    WriteCompressedStream(&reader, dest, static_cast<int64_t>(data.size()));
  } else {
    WriteInt32(dest, static_cast<int32_t>(data.size()));
    dest->WriteBuffer(data.data(), static_cast<int32_t>(data.size()));
  }
}

std::vector<uint8_t> ReadBlock(cl::TStream* source, bool compressed) {
  if (compressed) {
    cl::TMemoryStream expanded;
    ReadCompressedStream(source, &expanded);
    const auto* bytes = static_cast<const uint8_t*>(expanded.Memory());
    return std::vector<uint8_t>(bytes, bytes + expanded.Size());
  }
  const int32_t count = ReadInt32(source);
  if (count < 0 || count > source->Size() - source->Position()) ReadError();
  std::vector<uint8_t> data(static_cast<size_t>(count));
  source->ReadBuffer(data.data(), count);
  return data;
}

void WriteStringsBlock(cl::TStream* dest, const cl::TStrings* strings, bool compressed) {
  const std::string text = strings->Text();
  WriteBlock(dest, {reinterpret_cast<const uint8_t*>(text.data()), text.size()}, compressed);
}

void ReadStringsBlock(cl::TStream* source, cl::TStrings* strings, bool compressed) {
  const std::vector<uint8_t> data = ReadBlock(source, compressed);
  strings->SetText({reinterpret_cast<const char*>(data.data()), data.size()});
}

}  // namespace ctl
