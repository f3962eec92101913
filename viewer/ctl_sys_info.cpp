#include "viewer/ctl_sys_info.h"

#include <windows.h>

#include <vector>

#include "classlib/core/string_list.h"
#include "classlib/win/printer.h"
#include "classlib/win/registry.h"
#include "classlib/win/screen.h"
#include "controls/system_info.h"

namespace viewer {
namespace {

constexpr DWORD kTempPathBuffer = 260;
constexpr DWORD kComputerNameBuffer = 16;
constexpr char kUnknown[] = "(Unknown)";
enum { kSystemResources, kGdiResources, kUserResources };

OSVERSIONINFOA SystemVersion() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExA(&version);
#pragma GCC diagnostic pop
  return version;
}

void FillSorted(cl::TStrings* list, const std::vector<std::string>& names) {
  auto* sorted = static_cast<cl::TStringList*>(list);
  sorted->Clear();
  for (const std::string& name : names) sorted->Add(name);
  sorted->SetSorted(true);
}

std::string FreeResourceText(int kind) {
  constexpr int kPercentBits = 0x7F;
  return PercentText(ctl::GetFreeResources(kind) & kPercentBits);
}

}  // namespace

TCtlSysInfo::TCtlSysInfo(cl::TComponent* owner)
    : TComponent(owner),
      FEnvironment(cl::New<cl::TStringList>()),
      FAllFonts(cl::New<cl::TStringList>()),
      FAllPrinters(cl::New<cl::TStringList>()) {
  if (char* block = GetEnvironmentStringsA()) {
    for (const char* entry = block; *entry; entry += std::char_traits<char>::length(entry) + 1)
      FEnvironment->Add(entry);
    FreeEnvironmentStringsA(block);
  }
}

void TCtlSysInfo::BeforeDestruction() {
  inherited::BeforeDestruction();
  cl::FreeAndNil(FEnvironment);
  cl::FreeAndNil(FAllFonts);
  cl::FreeAndNil(FAllPrinters);
}

std::string TCtlSysInfo::VersionWIN() const {
  const OSVERSIONINFOA version = SystemVersion();
  return VersionText(version.dwMajorVersion, version.dwMinorVersion);
}

int TCtlSysInfo::BuildNumber() const {
  return static_cast<int>(SystemVersion().dwBuildNumber & 0xFFFF);
}

std::string TCtlSysInfo::Platform() const {
  return PlatformName(SystemVersion().dwPlatformId);
}

TScreenSaverDelay TCtlSysInfo::ScreenSaverDelay() const {
  int seconds = 0;
  SystemParametersInfoA(SPI_GETSCREENSAVETIMEOUT, 0, &seconds, 0);
  return SplitScreenSaverDelay(seconds);
}

std::string TCtlSysInfo::WinPath() const {
  return ctl::GetWindowsDir();
}

std::string TCtlSysInfo::WinSysPath() const {
  return ctl::GetSystemDir();
}

std::string TCtlSysInfo::TempPath() const {
  char buffer[kTempPathBuffer];
  const DWORD length = GetTempPathA(kTempPathBuffer, buffer);
  return length && length < kTempPathBuffer ? std::string(buffer, length) : std::string();
}

std::string TCtlSysInfo::CurrentUser() const {
  return ctl::GetCurrentUserName();
}

std::string TCtlSysInfo::Computername() const {
  char buffer[kComputerNameBuffer];
  DWORD size = kComputerNameBuffer;
  return GetComputerNameA(buffer, &size) ? std::string(buffer, size) : kUnknown;
}

std::string TCtlSysInfo::RegisteredInfo(const std::string& valueName) const {
  cl::TRegistry registry(KEY_READ);
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  if (!registry.OpenKeyReadOnly(RegisteredInfoKey(ctl::IsWinNTPlatform()))) return kUnknown;
  return registry.ReadString(valueName);
}

std::string TCtlSysInfo::RegisteredCompany() const {
  return RegisteredInfo("RegisteredOrganization");
}

std::string TCtlSysInfo::RegisteredOwner() const {
  return RegisteredInfo("RegisteredOwner");
}

std::string TCtlSysInfo::FreeSysRes() const {
  return FreeResourceText(kSystemResources);
}

std::string TCtlSysInfo::FreeGdiRes() const {
  return FreeResourceText(kGdiResources);
}

std::string TCtlSysInfo::FreeUsrRes() const {
  return FreeResourceText(kUserResources);
}

std::string TCtlSysInfo::MemoryLoaded() const {
  return PercentText(ctl::GetMemoryFigures().Load);
}

int64_t TCtlSysInfo::MemPhysTotal() const {
  return KiloBytes(ctl::GetMemoryFigures().PhysTotal);
}

int64_t TCtlSysInfo::MemPhysFree() const {
  return KiloBytes(ctl::GetMemoryFigures().PhysFree);
}

int64_t TCtlSysInfo::MemVirtTotal() const {
  return KiloBytes(ctl::GetMemoryFigures().VirtTotal);
}

int64_t TCtlSysInfo::MemVirtFree() const {
  return KiloBytes(ctl::GetMemoryFigures().VirtFree);
}

int64_t TCtlSysInfo::MemPageTotal() const {
  return KiloBytes(ctl::GetMemoryFigures().PageTotal);
}

int64_t TCtlSysInfo::MemPageFree() const {
  return KiloBytes(ctl::GetMemoryFigures().PageFree);
}

std::string TCtlSysInfo::ProcessorType() const {
  return ctl::GetProcessorName();
}

int TCtlSysInfo::ProcessorNumber() const {
  return ctl::GetProcessorCount();
}

cl::TStrings* TCtlSysInfo::AllFonts() {
  FillSorted(FAllFonts, cl::Screen->Fonts());
  return FAllFonts;
}

cl::TStrings* TCtlSysInfo::AllPrinters() {
  FillSorted(FAllPrinters, cl::Printer()->Printers());
  return FAllPrinters;
}

}  // namespace viewer
