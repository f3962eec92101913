// Feeds arbitrary bytes to the wave checks: the header check takes or refuses them, and the chunk walk that
// decides whether a wave may be played answers only with real chunks that lie inside the bytes: a "fmt " chunk of
// a whole PCM format and a "data" chunk, each whose header names it and its size (the sanitizers watch every read
// past the bytes, which are copied to memory of their exact size).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "classlib/core/byte_reader.h"
#include "controls/core/wave_data.h"

namespace {

// The chunk whose contents begin at offset holds size bytes inside data and carries id.
bool IsChunk(const std::vector<std::uint8_t>& data, std::size_t offset, std::size_t size, const char* id) {
  return offset >= 8 && offset <= data.size() && size <= data.size() - offset &&
         std::memcmp(&data[offset - 8], id, 4) == 0 && cl::le::ReadU32(&data[offset - 4]) == size;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::vector<std::uint8_t> data(bytes, bytes + size);
  ctl::TWaveSummary summary;
  const ctl::TWaveCheck check = ctl::CheckWaveData(data, summary);
  const std::optional<ctl::TWaveChunks> chunks = ctl::WalkWaveChunks(data);
  if (!chunks) return 0;
  if (check != ctl::TWaveCheck::Ok) std::abort();  // a wave that may be played was taken first
  if (!IsChunk(data, chunks->FormatOffset, chunks->FormatSize, "fmt ") || chunks->FormatSize < 16) std::abort();
  if (!IsChunk(data, chunks->DataOffset, chunks->DataSize, "data")) std::abort();
  return 0;
}
