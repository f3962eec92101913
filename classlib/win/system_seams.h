// System calls that tests replace by recorders. Each forwards to the system unless a replacement is installed;
// programs never install one.
#pragma once

#include <windows.h>

#include <functional>

namespace cl::sys {

using TSndPlaySound = std::function<BOOL(LPCSTR sound, UINT flags)>;

BOOL sndPlaySoundA(LPCSTR sound, UINT flags);
// Installs replacement (empty: the system's call again) and returns the one it replaces.
TSndPlaySound SetSndPlaySound(TSndPlaySound replacement);

}  // namespace cl::sys
