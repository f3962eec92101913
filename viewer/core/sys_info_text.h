// How the system-information component words what the system reports: platform names, percentages, the screen
// saver's delay, memory in kilobytes and the registry key of the registered owner.
#pragma once

#include <cstdint>
#include <string>

namespace viewer {

// "Win32s", "Windows 95" or "Windows NT" for platform identifiers 0, 1 and 2; "(Unknown)" otherwise.
std::string PlatformName(uint32_t platformId);

// Major and minor version as "%d.%d".
std::string VersionText(uint32_t major, uint32_t minor);

// A percentage as "%d %%" ("40 %").
std::string PercentText(int percent);

struct TScreenSaverDelay {
  int Minutes = 0;
  int Seconds = 0;
  bool operator==(const TScreenSaverDelay&) const = default;
};
// A time-out in seconds as minutes and the seconds that remain.
TScreenSaverDelay SplitScreenSaverDelay(int seconds);

// Bytes in whole kilobytes, in 64 bits: a 64-bit address space measures 2^37 kilobytes, past any 32-bit integer.
int64_t KiloBytes(uint64_t bytes);

// The HKEY_LOCAL_MACHINE key that holds the registered owner and organisation, on the NT family or on the older
// consumer systems.
std::string RegisteredInfoKey(bool ntFamily);

}  // namespace viewer
