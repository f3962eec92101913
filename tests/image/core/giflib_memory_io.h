// giflib reading from and writing to byte vectors, for the interoperability tests and the GIF benchmark.
#pragma once

#include <gif_lib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace giflib_io {

using Bytes = std::vector<std::uint8_t>;

// DGifOpen's user data: the bytes and how far giflib has read.
struct MemoryReader {
  const Bytes* bytes;
  std::size_t position = 0;
};

inline int ReadMemory(GifFileType* file, GifByteType* buffer, int count) {
  auto* reader = static_cast<MemoryReader*>(file->UserData);
  const std::size_t n =
      std::min<std::size_t>(static_cast<std::size_t>(count), reader->bytes->size() - reader->position);
  std::memcpy(buffer, reader->bytes->data() + reader->position, n);
  reader->position += n;
  return static_cast<int>(n);
}

// EGifOpen's user data is the Bytes that receive the file.
inline int WriteMemory(GifFileType* file, const GifByteType* buffer, int count) {
  static_cast<Bytes*>(file->UserData)->insert(static_cast<Bytes*>(file->UserData)->end(), buffer, buffer + count);
  return count;
}

}  // namespace giflib_io
