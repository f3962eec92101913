// TCtlSysInfo: answers questions about the machine through read-only properties. Each answer is asked of the
// system when it is read; only Environment is taken once, when the component is made.
#pragma once

#include <cstdint>
#include <string>

#include "classlib/core/component.h"
#include "viewer/core/sys_info_text.h"

namespace cl {
class TStrings;
}

namespace viewer {

class TCtlSysInfo : public cl::TComponent {
  CL_CLASS(TCtlSysInfo, cl::TComponent)
 public:
  explicit TCtlSysInfo(cl::TComponent* owner);
  void BeforeDestruction() override;

  // The system's major and minor version as "6.1", the low 16 bits of its build number, its platform's name.
  std::string VersionWIN() const;
  int BuildNumber() const;
  std::string Platform() const;
  // The screen saver's time-out.
  TScreenSaverDelay ScreenSaverDelay() const;
  std::string WinPath() const;
  std::string WinSysPath() const;
  // The temporary folder as the system gives it, with its trailing backslash; "" when it does not.
  std::string TempPath() const;
  // The logged-on user and the computer's name; "(Unknown)" when the system does not give them.
  std::string CurrentUser() const;
  std::string Computername() const;
  // The registered organisation and owner; "(Unknown)" when the system keeps no record of them.
  std::string RegisteredCompany() const;
  std::string RegisteredOwner() const;
  // Free system, GDI and user resources as "0 %": only the older consumer systems count them.
  std::string FreeSysRes() const;
  std::string FreeGdiRes() const;
  std::string FreeUsrRes() const;
  // The memory load as "40 %".
  std::string MemoryLoaded() const;
  // Total and available physical memory, virtual address space and page file, in kilobytes.
  int64_t MemPhysTotal() const;
  int64_t MemPhysFree() const;
  int64_t MemVirtTotal() const;
  int64_t MemVirtFree() const;
  int64_t MemPageTotal() const;
  int64_t MemPageFree() const;
  std::string ProcessorType() const;
  int ProcessorNumber() const;
  // The screen's font names and the printers' names, sorted; filled again at each read.
  cl::TStrings* AllFonts();
  cl::TStrings* AllPrinters();
  // The process environment as the system gave it at creation, "NAME=value" each.
  cl::TStrings* Environment() const { return FEnvironment; }

 private:
  std::string RegisteredInfo(const std::string& valueName) const;

  cl::TStrings* FEnvironment = nullptr;
  cl::TStrings* FAllFonts = nullptr;
  cl::TStrings* FAllPrinters = nullptr;
};

}  // namespace viewer
