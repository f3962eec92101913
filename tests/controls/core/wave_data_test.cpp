// The wave header check: a wave taken, other data refused by its first wrong tag, a cut header told apart, and the
// chunk walk that decides whether a wave may be played.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "classlib/core/byte_reader.h"
#include "controls/core/wave_data.h"

namespace ctl {
namespace {

using Bytes = std::vector<uint8_t>;

// A 48-byte PCM wave: 22,050 Hz, the given channels, 4 bytes of samples.
Bytes Wave(uint16_t channels, const char* form = "WAVE", uint32_t riffSize = 40) {
  Bytes bytes(48, 0);
  std::memcpy(&bytes[0], "RIFF", 4);
  cl::le::WriteU32(&bytes[4], riffSize);
  std::memcpy(&bytes[8], form, 4);
  std::memcpy(&bytes[12], "fmt ", 4);
  cl::le::WriteU32(&bytes[16], 16);
  cl::le::WriteU16(&bytes[20], 1);
  cl::le::WriteU16(&bytes[22], channels);
  cl::le::WriteU32(&bytes[24], 22050);
  cl::le::WriteU32(&bytes[28], 22050 * channels);
  cl::le::WriteU16(&bytes[32], channels);
  cl::le::WriteU16(&bytes[34], 8);
  std::memcpy(&bytes[36], "data", 4);
  cl::le::WriteU32(&bytes[40], 4);
  return bytes;
}

TEST(WaveData, SummarisesAWave) {
  for (uint16_t channels : {1, 2, 6}) {
    TWaveSummary summary;
    ASSERT_EQ(CheckWaveData(Wave(channels), summary), TWaveCheck::Ok);
    EXPECT_EQ(summary.FileLength, 40);
    EXPECT_EQ(summary.SamplesPerSec, 22050);
    EXPECT_EQ(summary.Channels, channels == 6 ? 0 : channels);
    EXPECT_TRUE(summary.PCM);
    EXPECT_EQ(summary.BlockAlign, channels);
  }
}

TEST(WaveData, TellsOtherDataFromACutHeader) {
  const Bytes wave = Wave(1);
  Bytes noFormat = wave;
  std::memcpy(&noFormat[12], "LIST", 4);
  const struct {
    const char* name;
    Bytes data;
    TWaveCheck check;
  } cases[] = {
      {"another RIFF form", Wave(1, "AVI "), TWaveCheck::NotWave},
      {"not RIFF", Bytes({'R', 'I', 'F', 'X', 0, 0, 0, 0}), TWaveCheck::NotWave},
      {"a chunk before the format", noFormat, TWaveCheck::NotWave},
      {"cut after the form", Bytes(wave.begin(), wave.begin() + 20), TWaveCheck::Truncated},
      {"cut inside the format", Bytes(wave.begin(), wave.begin() + 33), TWaveCheck::Truncated},
      {"three bytes", Bytes({'R', 'I', 'F'}), TWaveCheck::Truncated},
  };
  for (const auto& c : cases) {
    TWaveSummary summary;
    EXPECT_EQ(CheckWaveData(c.data, summary), c.check) << c.name;
  }
}

// A RIFF/WAVE file of the given chunks, each padded to an even size, and a PCM format chunk first.
Bytes WaveOf(const std::vector<std::pair<std::string, Bytes>>& chunks) {
  Bytes bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
  for (const auto& [id, contents] : chunks) {
    bytes.insert(bytes.end(), id.begin(), id.end());
    cl::le::AppendU32(bytes, static_cast<uint32_t>(contents.size()));
    bytes.insert(bytes.end(), contents.begin(), contents.end());
    if (contents.size() % 2) bytes.push_back(0);
  }
  cl::le::WriteU32(&bytes[4], static_cast<uint32_t>(bytes.size() - 8));
  return bytes;
}

TEST(WaveData, IsPlayableOnlyWhenEveryChunkLiesInsideItsBytes) {
  const Bytes wave = Wave(1);
  const Bytes format(wave.begin() + 20, wave.begin() + 36);
  Bytes oddEnd = WaveOf({{"fmt ", format}, {"data", Bytes(3, 0x80)}});
  oddEnd.pop_back();  // the last pad byte left out
  cl::le::WriteU32(&oddEnd[4], static_cast<uint32_t>(oddEnd.size() - 8));
  Bytes trailing = Wave(1);
  trailing.insert(trailing.end(), 9, 0xEE);  // past the form: not the wave's
  Bytes partialHeader = WaveOf({{"fmt ", format}, {"data", Bytes(4)}});
  partialHeader.insert(partialHeader.end(), {'L', 'I', 'S', 'T', 1});
  cl::le::WriteU32(&partialHeader[4], static_cast<uint32_t>(partialHeader.size() - 8));
  Bytes hugeData = Wave(1);
  cl::le::WriteU32(&hugeData[40], 0x80000000u);
  Bytes pastTheForm = WaveOf({{"fmt ", format}, {"data", Bytes(4)}, {"LIST", Bytes(2)}});
  cl::le::WriteU32(&pastTheForm[52], 3);  // one byte more than the form holds
  Bytes hugeFormat = Wave(1);
  cl::le::WriteU32(&hugeFormat[16], 0xFFFFFFF0u);
  const struct {
    const char* name;
    Bytes data;
    std::optional<std::array<size_t, 4>> chunks;  // format offset and size, data offset and size
  } cases[] = {
      {"format and data", Wave(1), std::array<size_t, 4>{20, 16, 44, 4}},
      {"a chunk of odd size between them", WaveOf({{"fmt ", format}, {"LIST", Bytes(3)}, {"data", Bytes(4)}}),
       std::array<size_t, 4>{20, 16, 56, 4}},
      {"an odd data chunk without its pad", oddEnd, std::array<size_t, 4>{20, 16, 44, 3}},
      {"bytes after the form", trailing, std::array<size_t, 4>{20, 16, 44, 4}},
      {"part of a chunk header at the form's end", partialHeader, std::array<size_t, 4>{20, 16, 44, 4}},
      {"the RIFF size claims more", Wave(1, "WAVE", 41), std::nullopt},
      {"the RIFF size claims 2 GB", Wave(1, "WAVE", 0x80000000u), std::nullopt},
      {"another form", Wave(1, "AVI ", 40), std::nullopt},
      {"the data chunk claims 2 GB", hugeData, std::nullopt},
      {"the format chunk runs past the form", hugeFormat, std::nullopt},
      {"a chunk runs past the form", pastTheForm, std::nullopt},
      {"no data chunk", WaveOf({{"fmt ", format}, {"LIST", Bytes(8)}}), std::nullopt},
      {"a format too short", WaveOf({{"fmt ", Bytes(format.begin(), format.begin() + 14)}, {"data", Bytes(4)}}),
       std::nullopt},
  };
  for (const auto& c : cases) {
    const std::optional<TWaveChunks> chunks = WalkWaveChunks(c.data);
    ASSERT_EQ(chunks.has_value(), c.chunks.has_value()) << c.name;
    if (!chunks) continue;
    EXPECT_EQ((std::array<size_t, 4>{chunks->FormatOffset, chunks->FormatSize, chunks->DataOffset, chunks->DataSize}),
              *c.chunks)
        << c.name;
  }
}

}  // namespace
}  // namespace ctl
