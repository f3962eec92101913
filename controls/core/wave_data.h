// What the library checks of a wave sound's bytes (a RIFF/WAVE file) before it takes them: the RIFF header, the
// form type and the start of the format chunk.
#pragma once

#include <cstdint>
#include <span>

#include "classlib/core/exceptions.h"

namespace ctl {

// Data that is not a wave.
class EInvalidWave : public cl::Exception {
 public:
  using Exception::Exception;
};
// A wave header cut off before its format fields.
class EErrorCheckingWave : public cl::Exception {
 public:
  using Exception::Exception;
};

struct TWaveSummary {
  int32_t FileLength = 0;  // the RIFF size field
  int32_t SamplesPerSec = 0;
  uint8_t Channels = 0;  // 1 mono, 2 stereo, 0 anything else
  bool PCM = false;      // format tag 1
  uint16_t BlockAlign = 0;
};

enum class TWaveCheck { Ok, NotWave, Truncated };

// Reads "RIFF", the RIFF size, "WAVE", "fmt ", the chunk size and the format fields up to the block alignment, in
// that order: the first tag that differs gives NotWave, bytes running out first give Truncated.
TWaveCheck CheckWaveData(std::span<const uint8_t> data, TWaveSummary& summary);

// True when the RIFF header claims no more bytes than data holds, so that a player that trusts the header stays
// inside the data.
bool WaveFitsItsData(std::span<const uint8_t> data);

}  // namespace ctl
