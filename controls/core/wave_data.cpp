// The wave header check, read field by field through the bounded reader.
#include "controls/core/wave_data.h"

#include <algorithm>
#include <cstring>

#include "classlib/core/byte_reader.h"

namespace ctl {
namespace {

constexpr uint16_t kFormatPCM = 1;
constexpr size_t kRiffHeaderSize = 8;  // "RIFF" and the size field, which the size does not count
constexpr size_t kFormTypeSize = 4;    // "WAVE"
constexpr size_t kChunkHeaderSize = 8;
// Format tag, channels, sample rate, byte rate, block alignment and bits per sample.
constexpr size_t kPCMFormatSize = 16;

// NotWave when the next four bytes differ from tag, Truncated when fewer remain, else Ok.
TWaveCheck ExpectTag(cl::ByteReader& reader, const char* tag) {
  std::span<const uint8_t> bytes;
  if (!reader.ReadSpan(4, bytes)) return TWaveCheck::Truncated;
  return std::memcmp(bytes.data(), tag, 4) == 0 ? TWaveCheck::Ok : TWaveCheck::NotWave;
}

}  // namespace

TWaveCheck CheckWaveData(std::span<const uint8_t> data, TWaveSummary& summary) {
  cl::ByteReader reader(data);
  TWaveSummary found;
  if (TWaveCheck check = ExpectTag(reader, "RIFF"); check != TWaveCheck::Ok) return check;
  found.FileLength = reader.I32();
  if (reader.Failed()) return TWaveCheck::Truncated;
  if (TWaveCheck check = ExpectTag(reader, "WAVE"); check != TWaveCheck::Ok) return check;
  if (TWaveCheck check = ExpectTag(reader, "fmt "); check != TWaveCheck::Ok) return check;
  reader.Skip(4);  // chunk size
  const uint16_t formatTag = reader.U16();
  const uint16_t channels = reader.U16();
  found.SamplesPerSec = reader.I32();
  reader.Skip(4);  // average bytes per second
  found.BlockAlign = reader.U16();
  if (reader.Failed()) return TWaveCheck::Truncated;
  found.Channels = channels == 1 || channels == 2 ? static_cast<uint8_t>(channels) : 0;
  found.PCM = formatTag == kFormatPCM;
  summary = found;
  return TWaveCheck::Ok;
}

std::optional<TWaveChunks> WalkWaveChunks(std::span<const uint8_t> data) {
  TWaveSummary summary;
  if (CheckWaveData(data, summary) != TWaveCheck::Ok) return std::nullopt;
  // The RIFF size counts the form type and the chunks; both must be inside the bytes held.
  const uint32_t riffSize = cl::le::ReadU32(&data[4]);
  if (riffSize < kFormTypeSize || riffSize > data.size() - kRiffHeaderSize) return std::nullopt;
  const size_t formEnd = kRiffHeaderSize + riffSize;
  std::optional<size_t> format, samples;
  size_t formatSize = 0, samplesSize = 0;
  for (size_t at = kRiffHeaderSize + kFormTypeSize; formEnd - at >= kChunkHeaderSize;) {
    const size_t size = cl::le::ReadU32(&data[at + 4]);
    const size_t contents = at + kChunkHeaderSize;
    if (size > formEnd - contents) return std::nullopt;
    if (!format && std::memcmp(&data[at], "fmt ", 4) == 0) {
      format = contents;
      formatSize = size;
    } else if (!samples && std::memcmp(&data[at], "data", 4) == 0) {
      samples = contents;
      samplesSize = size;
    }
    // A chunk of odd size is followed by a pad byte, which a form may leave out at its very end.
    at = std::min(formEnd, contents + size + (size & 1));
  }
  if (!format || formatSize < kPCMFormatSize || !samples) return std::nullopt;
  return TWaveChunks{*format, formatSize, *samples, samplesSize};
}

}  // namespace ctl
