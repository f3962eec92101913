#include "viewer/core/sys_info_text.h"

#include <array>

namespace viewer {

std::string PlatformName(uint32_t platformId) {
  static constexpr std::array<const char*, 3> kNames = {"Win32s", "Windows 95", "Windows NT"};
  return platformId < kNames.size() ? kNames[platformId] : "(Unknown)";
}

std::string VersionText(uint32_t major, uint32_t minor) {
  return std::to_string(major) + "." + std::to_string(minor);
}

std::string PercentText(int percent) {
  return std::to_string(percent) + " %";
}

TScreenSaverDelay SplitScreenSaverDelay(int seconds) {
  return {seconds / 60, seconds % 60};
}

int64_t KiloBytes(uint64_t bytes) {
  return static_cast<int64_t>(bytes / 1024);
}

std::string RegisteredInfoKey(bool ntFamily) {
  return std::string("\\SOFTWARE\\Microsoft\\") + (ntFamily ? "Windows NT" : "Windows") + "\\CurrentVersion";
}

}  // namespace viewer
