// TCtlWave: a wave taken, other data refused with the old data kept, emptied, copied (also onto itself), played
// only when its chunks lie inside its bytes, stopped before its data goes, and kept in wave-list containers.
#include "controls/ctl_wave.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>

#include <cstring>
#include <string>
#include <vector>

#include "classlib/core/byte_reader.h"
#include "classlib/core/object.h"
#include "classlib/core/streams.h"
#include "classlib/win/system_seams.h"
#include "controls/ctl_containers.h"

namespace ctl {
namespace {

using Bytes = std::vector<uint8_t>;

// A PCM wave of 22,050 Hz mono holding `samples` bytes; riffExtra makes its RIFF size claim more.
Bytes Wave(size_t samples, uint8_t value = 0x80, uint32_t riffExtra = 0, const char* form = "WAVE") {
  Bytes bytes(44 + samples, value);
  std::memcpy(&bytes[0], "RIFF", 4);
  cl::le::WriteU32(&bytes[4], static_cast<uint32_t>(36 + samples + riffExtra));
  std::memcpy(&bytes[8], form, 4);
  std::memcpy(&bytes[12], "fmt ", 4);
  cl::le::WriteU32(&bytes[16], 16);
  cl::le::WriteU16(&bytes[20], 1);
  cl::le::WriteU16(&bytes[22], 1);
  cl::le::WriteU32(&bytes[24], 22050);
  cl::le::WriteU32(&bytes[28], 22050);
  cl::le::WriteU16(&bytes[32], 1);
  cl::le::WriteU16(&bytes[34], 8);
  std::memcpy(&bytes[36], "data", 4);
  cl::le::WriteU32(&bytes[40], static_cast<uint32_t>(samples));
  return bytes;
}

// Records what the wave asks of the system's sound call.
class WaveTest : public testing::Test {
 protected:
  void SetUp() override {
    previous = cl::sys::SetSndPlaySound([this](LPCSTR sound, UINT flags) {
      calls.push_back({sound, flags});
      return TRUE;
    });
    wave = cl::MakeOwned<TCtlWave>();
    wave->SetOnChange([this](cl::TObject*) { ++changes; });
  }
  void TearDown() override {
    wave.reset();
    cl::sys::SetSndPlaySound(previous);
  }
  int Stops() const {
    int stops = 0;
    for (const auto& call : calls) stops += call.sound == nullptr;
    return stops;
  }

  struct Call {
    LPCSTR sound;
    UINT flags;
  };
  cl::sys::TSndPlaySound previous;
  std::vector<Call> calls;
  cl::Owned<TCtlWave> wave;
  int changes = 0;
};

TEST_F(WaveTest, TakesAWaveAfterStoppingTheSound) {
  cl::TMemoryStream stream;
  stream.WriteBuffer("xx", 2);
  const Bytes bytes = Wave(4);
  stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  stream.SetPosition(2);
  wave->LoadFromStream(&stream);
  EXPECT_EQ(wave->Bytes(), bytes);
  EXPECT_EQ(wave->Size(), 48);
  EXPECT_FALSE(wave->Empty());
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(Stops(), 1);
}

TEST_F(WaveTest, RefusesOtherDataAndKeepsItsOwn) {
  const Bytes original = Wave(4, 0x11);
  wave->LoadFromBytes(original);
  changes = 0;
  calls.clear();
  const Bytes cut(original.begin(), original.begin() + 20);
  EXPECT_THROW(wave->LoadFromBytes(Wave(4, 0x22, 0, "AVI ")), EInvalidWave);
  EXPECT_THROW(wave->LoadFromBytes(cut), EErrorCheckingWave);
  try {
    wave->LoadFromBytes(Wave(4, 0x22, 0, "AVI "));
  } catch (const EInvalidWave& e) {
    EXPECT_EQ(e.Message(), "TCtlWave: Cannot open file %s");
  }
  try {
    wave->LoadFromBytes(cut);
  } catch (const EErrorCheckingWave& e) {
    EXPECT_EQ(e.Message(), "GetWaveData: Cannot open file %s");
  }
  EXPECT_EQ(wave->Bytes(), original);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(Stops(), 0);
}

TEST_F(WaveTest, AnEmptySourceEmptiesIt) {
  wave->LoadFromBytes(Wave(4));
  changes = 0;
  cl::TMemoryStream empty;
  wave->LoadFromStream(&empty);
  EXPECT_TRUE(wave->Empty());
  EXPECT_EQ(wave->Size(), 0);
  EXPECT_EQ(changes, 1);
  wave->LoadFromBytes(Wave(4));
  wave->Clear();
  EXPECT_TRUE(wave->Empty());
  EXPECT_EQ(changes, 3);
}

TEST_F(WaveTest, AssignCopiesAndKeepsItsOwnDataWhenGivenItself) {
  wave->LoadFromBytes(Wave(8, 0x33));
  cl::Owned<TCtlWave> copy = cl::MakeOwned<TCtlWave>();
  copy->Assign(wave.get());
  EXPECT_EQ(copy->Bytes(), wave->Bytes());
  changes = 0;
  wave->Assign(wave.get());
  EXPECT_EQ(wave->Bytes(), Wave(8, 0x33));
  wave->Assign(nullptr);
  EXPECT_TRUE(wave->Empty());
  EXPECT_EQ(changes, 1);
}

TEST_F(WaveTest, PlaysOnlyWhatItsChunksDescribe) {
  EXPECT_FALSE(wave->Play());
  Bytes hugeData = Wave(4);
  cl::le::WriteU32(&hugeData[40], 0x80000000u);  // a player would read 2 GB from 48 bytes
  for (const Bytes& bytes : {Wave(4, 0x80, 100), hugeData}) {
    wave->LoadFromBytes(bytes);
    calls.clear();
    EXPECT_FALSE(wave->Play());
    EXPECT_TRUE(calls.empty());
  }

  wave->LoadFromBytes(Wave(4));
  calls.clear();
  EXPECT_TRUE(wave->Play());
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].sound, reinterpret_cast<LPCSTR>(wave->Bytes().data()));
  EXPECT_EQ(calls[0].flags, static_cast<UINT>(SND_MEMORY | SND_ASYNC | SND_NODEFAULT));

  calls.clear();
  wave.reset();
  EXPECT_EQ(Stops(), 1);
}

TEST_F(WaveTest, RoundTripsThroughAFile) {
  const std::string fileName = std::string(std::getenv("PROJECT_TEST_DIR")) + "\\sound.wav";
  wave->LoadFromBytes(Wave(6, 0x44));
  wave->SaveToFile(fileName);
  cl::Owned<TCtlWave> loaded = cl::MakeOwned<TCtlWave>(fileName);
  EXPECT_EQ(loaded->Bytes(), wave->Bytes());
  EXPECT_THROW(cl::MakeOwned<TCtlWave>(fileName + ".missing"), cl::EFOpenError);
}

TEST_F(WaveTest, WaveListsKeepWavesPlainAndCompressed) {
  cl::Owned<TCtlWaveList> list = cl::MakeOwned<TCtlWaveList>(nullptr);
  list->Add()->SetDescription("empty");
  list->Add();
  list->Items(1)->Wave()->LoadFromBytes(Wave(500, 0x55));
  list->Items(1)->SetCompressed(true);
  cl::TMemoryStream stream;
  list->SaveToStream(&stream, false);
  // The empty wave's record is its flags, its description and the wave's count 0.
  const auto* bytes = static_cast<const uint8_t*>(stream.Memory());
  EXPECT_EQ(Bytes(bytes + 4, bytes + 15), Bytes({0x0A, 5, 'e', 'm', 'p', 't', 'y', 0, 0, 0, 0}));

  cl::Owned<TCtlWaveList> loaded = cl::MakeOwned<TCtlWaveList>(nullptr);
  stream.SetPosition(0);
  loaded->LoadFromStream(&stream, false);
  ASSERT_EQ(loaded->Count(), 2);
  EXPECT_TRUE(loaded->Items(0)->Wave()->Empty());
  EXPECT_EQ(loaded->Items(1)->Wave()->Bytes(), Wave(500, 0x55));
  EXPECT_TRUE(loaded->Items(1)->Compressed());
}

}  // namespace
}  // namespace ctl
