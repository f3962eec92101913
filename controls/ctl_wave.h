// TCtlWave: one wave sound (the bytes of a RIFF/WAVE file) held in memory. Data is checked to be a wave before it
// is taken; the sound the system plays is stopped before the data goes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "controls/core/ctl_objects.h"
#include "controls/core/wave_data.h"

namespace cl {
class TStream;
}

namespace ctl {

class TCtlWave : public TCtlObject {
  CL_CLASS(TCtlWave, TCtlObject)
 public:
  TCtlWave() = default;
  // Loads the file.
  explicit TCtlWave(const std::string& fileName);
  void BeforeDestruction() override;

  bool Empty() const { return FData.empty(); }
  int64_t Size() const { return static_cast<int64_t>(FData.size()); }
  const std::vector<uint8_t>& Bytes() const { return FData; }

  // Takes data (nothing: the wave becomes empty) after checking it: EInvalidWave "TCtlWave: Cannot open file %s"
  // for data that is not a wave, EErrorCheckingWave "GetWaveData: Cannot open file %s" for a header cut short;
  // the wave keeps its old data then. Either way a change is notified only when the data was taken.
  void LoadFromBytes(std::span<const uint8_t> data);
  // The whole file; file errors are the class library's.
  void LoadFromFile(const std::string& fileName);
  // From the stream's position to its end.
  void LoadFromStream(cl::TStream* stream);
  // The bytes only; an empty wave writes nothing (SaveToFile still creates the file).
  void SaveToFile(const std::string& fileName) const;
  void SaveToStream(cl::TStream* stream) const;
  void Clear();
  // Null clears; another TCtlWave is copied (itself: nothing happens); other sources go to the base.
  void Assign(const cl::TPersistent* source) override;

  // Plays the wave from memory without waiting. Returns false, without asking the system, when the wave is empty
  // or its chunks do not lie inside its bytes (a player trusts every size it meets).
  bool Play() const;
  // Stops whatever sound the system is playing.
  static void Stop();

 private:
  void Replace(std::vector<uint8_t> data);

  std::vector<uint8_t> FData;
};

}  // namespace ctl
