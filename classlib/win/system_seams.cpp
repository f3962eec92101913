// The replaceable system calls.
#include "classlib/win/system_seams.h"

#include <mmsystem.h>

#include <utility>

namespace cl::sys {
namespace {

TSndPlaySound& SndPlaySoundReplacement() {
  static TSndPlaySound replacement;
  return replacement;
}

}  // namespace

BOOL sndPlaySoundA(LPCSTR sound, UINT flags) {
  const TSndPlaySound& replacement = SndPlaySoundReplacement();
  return replacement ? replacement(sound, flags) : ::sndPlaySoundA(sound, flags);
}

TSndPlaySound SetSndPlaySound(TSndPlaySound replacement) {
  return std::exchange(SndPlaySoundReplacement(), std::move(replacement));
}

}  // namespace cl::sys
