#include "controls/system_info.h"

#include "classlib/core/paths.h"
#include "classlib/win/command_line.h"
#include "controls/core/processor_names.h"

namespace ctl {
namespace {

constexpr DWORD kUserNameBuffer = 64;  // 63 characters and the NUL
constexpr UINT kFolderBuffer = 260;

DWORD PlatformId() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&version)) return VER_PLATFORM_WIN32_NT;
#pragma GCC diagnostic pop
  return version.dwPlatformId;
}

std::string FolderFrom(UINT (*query)(LPSTR, UINT)) {
  char buffer[kFolderBuffer];
  const UINT length = query(buffer, kFolderBuffer);
  return length && length < kFolderBuffer ? std::string(buffer, length) : std::string();
}

UINT WindowsFolder(LPSTR buffer, UINT size) {
  return GetWindowsDirectoryA(buffer, size);
}

UINT SystemFolder(LPSTR buffer, UINT size) {
  return GetSystemDirectoryA(buffer, size);
}

}  // namespace

bool IsWin95Platform() {
  return PlatformId() == VER_PLATFORM_WIN32_WINDOWS;
}

bool IsWinNTPlatform() {
  return PlatformId() == VER_PLATFORM_WIN32_NT;
}

bool NewShellLook() {
  return true;
}

TMemoryFigures GetMemoryFigures() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return {};
  return TMemoryFigures{static_cast<int>(status.dwMemoryLoad),
                        status.ullTotalPhys,
                        status.ullAvailPhys,
                        status.ullTotalVirtual,
                        status.ullAvailVirtual,
                        status.ullTotalPageFile,
                        status.ullAvailPageFile};
}

uint64_t GetTotalPhysMemory() {
  return GetMemoryFigures().PhysTotal;
}

uint8_t GetProcessorCount() {
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  return static_cast<uint8_t>(info.dwNumberOfProcessors);
}

std::string GetProcessorName() {
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  return ProcessorName(info.dwProcessorType);
}

int GetDisplayColorDepth() {
  HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  if (!display) return 0;
  const int depth = GetDeviceCaps(display, BITSPIXEL) * GetDeviceCaps(display, PLANES);
  DeleteDC(display);
  return depth;
}

int GetFreeResources(int kind) {
  return 0;
}

int GetFreeSysResPercent() {
  return GetFreeResources(0);
}

std::string GetCurrentUserName() {
  char name[kUserNameBuffer];
  DWORD size = kUserNameBuffer;
  if (!GetUserNameA(name, &size) || size == 0) return "(Unknown)";
  return std::string(name, size - 1);  // size counts the NUL
}

TCaptionMetrics GetCaptionMetrics() {
  TCaptionMetrics metrics;
  metrics.ButtonWidth = GetSystemMetrics(SM_CXSIZE);
  metrics.CaptionHeight = GetSystemMetrics(SM_CYCAPTION);
  metrics.DialogFrameX = GetSystemMetrics(SM_CXDLGFRAME);
  metrics.DialogFrameY = GetSystemMetrics(SM_CYDLGFRAME);
  metrics.BorderX = GetSystemMetrics(SM_CXBORDER);
  metrics.BorderY = GetSystemMetrics(SM_CYBORDER);
  metrics.FrameX = GetSystemMetrics(SM_CXFRAME);
  metrics.FrameY = GetSystemMetrics(SM_CYFRAME);
  metrics.NewShellLook = NewShellLook();
  metrics.SmallCaptionHeight = metrics.NewShellLook ? GetSystemMetrics(SM_CYSMCAPTION) : metrics.CaptionHeight;
  metrics.SmallButtonWidth = metrics.NewShellLook ? GetSystemMetrics(SM_CXSMSIZE) : metrics.ButtonWidth;
  metrics.SmallIconWidth = metrics.NewShellLook ? GetSystemMetrics(SM_CXSMICON) : metrics.ButtonWidth;
  return metrics;
}

void GetCaptionRects(HWND window, cl::TRect& captionRect, cl::TRect& textRect, int& flags) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  TCaptionWindow info;
  info.Width = bounds.right - bounds.left;
  info.Style = static_cast<uint32_t>(GetWindowLongPtrA(window, GWL_STYLE));
  info.ExStyle = static_cast<uint32_t>(GetWindowLongPtrA(window, GWL_EXSTYLE));
  info.Iconic = IsIconic(window) != FALSE;
  CaptionRects(GetCaptionMetrics(), info, captionRect, textRect, flags);
}

std::string GetProgramDir() {
  return cl::ExtractFilePath(cl::ParamStr(0));
}

std::string GetWindowsDir() {
  return FolderFrom(WindowsFolder);
}

std::string GetSystemDir() {
  return FolderFrom(SystemFolder);
}

TPrefixFolders GetPrefixFolders() {
  return TPrefixFolders{GetWindowsDir(), GetSystemDir(), GetProgramDir()};
}

std::string GetPathPrefix(TCtlPathPrefix kind, bool withBackslash) {
  return PathPrefix(kind, GetPrefixFolders(), withBackslash);
}

}  // namespace ctl
