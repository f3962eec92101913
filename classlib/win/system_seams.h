// System calls that tests replace by recorders. Each forwards to the system unless a replacement is installed;
// programs never install one.
#pragma once

#include <windows.h>

#include <functional>

namespace cl::sys {

using TSndPlaySound = std::function<BOOL(LPCSTR sound, UINT flags)>;
using TShellExecute =
    std::function<HINSTANCE(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show)>;
using TShellAbout = std::function<INT(HWND owner, LPCSTR application, LPCSTR otherText, HICON icon)>;

BOOL sndPlaySoundA(LPCSTR sound, UINT flags);
// Installs replacement (empty: the system's call again) and returns the one it replaces.
TSndPlaySound SetSndPlaySound(TSndPlaySound replacement);

HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show);
TShellExecute SetShellExecute(TShellExecute replacement);

INT ShellAboutA(HWND owner, LPCSTR application, LPCSTR otherText, HICON icon);
TShellAbout SetShellAbout(TShellAbout replacement);

}  // namespace cl::sys
