// The wave header check, read field by field through the bounded reader.
#include "controls/core/wave_data.h"

#include <cstring>

#include "classlib/core/byte_reader.h"

namespace ctl {
namespace {

constexpr uint16_t kFormatPCM = 1;
constexpr int64_t kRiffHeaderSize = 8;  // "RIFF" and the size field, which the size does not count

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

bool WaveFitsItsData(std::span<const uint8_t> data) {
  TWaveSummary summary;
  return CheckWaveData(data, summary) == TWaveCheck::Ok && summary.FileLength >= 0 &&
         kRiffHeaderSize + summary.FileLength <= static_cast<int64_t>(data.size());
}

}  // namespace ctl
