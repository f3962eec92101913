// The wave header check: a wave taken, other data refused by its first wrong tag, a cut header told apart, and the
// RIFF size checked before a wave may be played.
#include <gtest/gtest.h>

#include <cstring>
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

TEST(WaveData, FitsItsDataOnlyWhenTheRiffSizeDoesNotClaimMore) {
  EXPECT_TRUE(WaveFitsItsData(Wave(1, "WAVE", 40)));
  EXPECT_FALSE(WaveFitsItsData(Wave(1, "WAVE", 41)));
  EXPECT_FALSE(WaveFitsItsData(Wave(1, "WAVE", 0x80000000u)));
  EXPECT_FALSE(WaveFitsItsData(Wave(1, "AVI ", 40)));
}

}  // namespace
}  // namespace ctl
