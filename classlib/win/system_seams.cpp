// The replaceable system calls.
#include "classlib/win/system_seams.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <utility>

namespace cl::sys {
namespace {

TSndPlaySound& SndPlaySoundReplacement() {
  static TSndPlaySound replacement;
  return replacement;
}

TShellExecute& ShellExecuteReplacement() {
  static TShellExecute replacement;
  return replacement;
}

TShellAbout& ShellAboutReplacement() {
  static TShellAbout replacement;
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

HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show) {
  const TShellExecute& replacement = ShellExecuteReplacement();
  return replacement ? replacement(owner, verb, file, parameters, folder, show)
                     : ::ShellExecuteA(owner, verb, file, parameters, folder, show);
}

TShellExecute SetShellExecute(TShellExecute replacement) {
  return std::exchange(ShellExecuteReplacement(), std::move(replacement));
}

INT ShellAboutA(HWND owner, LPCSTR application, LPCSTR otherText, HICON icon) {
  const TShellAbout& replacement = ShellAboutReplacement();
  return replacement ? replacement(owner, application, otherText, icon)
                     : ::ShellAboutA(owner, application, otherText, icon);
}

TShellAbout SetShellAbout(TShellAbout replacement) {
  return std::exchange(ShellAboutReplacement(), std::move(replacement));
}

}  // namespace cl::sys
