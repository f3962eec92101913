// What the library checks of a wave sound's bytes (a RIFF/WAVE file): before it takes them, the RIFF header, the
// form type and the start of the format chunk; before it plays them, every chunk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
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

// Where the format and the samples of a wave lie in its bytes: the contents of its first "fmt " and first "data"
// chunks (without their eight-byte headers).
struct TWaveChunks {
  size_t FormatOffset = 0, FormatSize = 0;
  size_t DataOffset = 0, DataSize = 0;
};

// Walks a wave's chunks as a player does, who trusts every size it meets: the RIFF form and every chunk in it
// must lie inside data, the format chunk must hold a whole PCM format (16 bytes) and a "data" chunk must be
// there. Nothing when any of that fails, so that such a wave is never handed to a player. Fewer than eight bytes
// left at the form's end are no chunk and are passed over.
std::optional<TWaveChunks> WalkWaveChunks(std::span<const uint8_t> data);

}  // namespace ctl
