// The wave object: checked data, file and stream transfer, copying and playing.
#include "controls/ctl_wave.h"

#include <windows.h>
#include <mmsystem.h>

#include "classlib/core/streams.h"
#include "classlib/win/system_seams.h"
#include "controls/core/item_framing.h"

namespace ctl {

TCtlWave::TCtlWave(const std::string& fileName) {
  LoadFromFile(fileName);
}

void TCtlWave::BeforeDestruction() {
  Stop();
  inherited::BeforeDestruction();
}

void TCtlWave::LoadFromBytes(std::span<const uint8_t> data) {
  if (data.empty()) {
    Replace({});
    return;
  }
  TWaveSummary summary;
  switch (CheckWaveData(data, summary)) {
    case TWaveCheck::Ok:
      Replace(std::vector<uint8_t>(data.begin(), data.end()));
      return;
    case TWaveCheck::NotWave:
      throw EInvalidWave(ClassName() + ": " + kCannotOpenFile);
    case TWaveCheck::Truncated:
      throw EErrorCheckingWave(std::string("GetWaveData: ") + kCannotOpenFile);
  }
}

void TCtlWave::LoadFromFile(const std::string& fileName) {
  cl::TFileStream file(fileName, cl::fmOpenRead | cl::fmShareDenyWrite);
  LoadFromStream(&file);
}

void TCtlWave::LoadFromStream(cl::TStream* stream) {
  const int64_t count = stream->Size() - stream->Position();
  if (count > INT32_MAX) throw cl::EReadError("Stream read error");
  std::vector<uint8_t> data(static_cast<size_t>(std::max<int64_t>(count, 0)));
  stream->ReadBuffer(data.data(), static_cast<int32_t>(data.size()));
  LoadFromBytes(data);
}

void TCtlWave::SaveToFile(const std::string& fileName) const {
  cl::SaveFileSafely(fileName, [this](cl::TStream* file) { SaveToStream(file); });
}

void TCtlWave::SaveToStream(cl::TStream* stream) const {
  stream->WriteBuffer(FData.data(), static_cast<int32_t>(FData.size()));
}

void TCtlWave::Clear() {
  Replace({});
}

void TCtlWave::Assign(const cl::TPersistent* source) {
  if (!source) {
    Clear();
  } else if (const auto* wave = dynamic_cast<const TCtlWave*>(source)) {
    if (wave != this) Replace(wave->FData);
  } else {
    inherited::Assign(source);
  }
}

bool TCtlWave::Play() const {
  if (!WalkWaveChunks(FData)) return false;
  return cl::sys::sndPlaySoundA(reinterpret_cast<LPCSTR>(FData.data()), SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}

void TCtlWave::Stop() {
  cl::sys::sndPlaySoundA(nullptr, 0);
}

void TCtlWave::Replace(std::vector<uint8_t> data) {
  // The system may be playing the old bytes from memory.
  Stop();
  FData = std::move(data);
  Change();
}

}  // namespace ctl
