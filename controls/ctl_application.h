// TCtlApplication, the control library's one application object per process: whether another copy of the program
// already runs, the process-wide settings store, and values other components read (effect speed, display options,
// company and version texts, log file name), the process-wide timer pool with its numbered timer slots.
// InitControlLibrary makes it; the programs call that at start, before
// any form is built.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "classlib/core/component.h"
#include "classlib/core/events.h"
#include "controls/core/text_routines.h"
#include "controls/core/timer_pool.h"

namespace ctl {

class TCtlIniCtrl;
class TCtlTimerPool;

// Bit 0 of DisplayOptions: the drawing procedures skip their palette work on screens of 8 bits per pixel or fewer.
constexpr uint8_t doSkipPaletteOnLowColor = 0x01;

// Cursors the library registers in Screen's cursor table.
constexpr int crCtlHand = -255;   // the library's hand cursor (resource 16548)
constexpr int crAppHand = 14000;  // "APP_HANDCUR"
constexpr int crAppDrag = 14001;  // "APP_DRAGCUR"

class TCtlApplication : public cl::TComponent {
  CL_CLASS(TCtlApplication, cl::TComponent)
 public:
  explicit TCtlApplication(cl::TComponent* owner);
  ~TCtlApplication() override;
  void BeforeDestruction() override;

  // "Software\" + company + the settings title (else the application title, else the program path) + version,
  // each with a trailing backslash.
  std::string GetDefaultRegPath() const;
  // The program's own title, which its settings are kept under while the application title shows what the
  // program is doing (a folder, an image window's name). Blank: the application title of the moment.
  const std::string& SettingsTitle() const { return FSettingsTitle; }
  void SetSettingsTitle(const std::string& title) { FSettingsTitle = title; }

  const std::string& CompanyName() const { return FCompanyName; }
  void SetCompanyName(const std::string& name) { FCompanyName = name; }
  const std::string& ProductVersion() const { return FProductVersion; }
  void SetProductVersion(const std::string& version) { FProductVersion = version; }
  uint8_t DisplayOptions() const { return FDisplayOptions; }
  void SetDisplayOptions(uint8_t options) { FDisplayOptions = options; }
  uint8_t EffectSpeed() const { return FEffectSpeed; }
  void SetEffectSpeed(uint8_t speed) { FEffectSpeed = speed; }
  // The process-wide settings store (registry, default path).
  TCtlIniCtrl* CommonIniCtrl() const { return FCommonIniCtrl; }
  TCtlPathPrefix LogPathPrefix() const { return FLogPathPrefix; }
  void SetLogPathPrefix(TCtlPathPrefix prefix) { FLogPathPrefix = prefix; }
  const std::string& LogFileName() const { return FLogFileName; }
  // Blank: the program path with ".LOG"; without extension ".LOG" is added; unless LogPathPrefix is ppFixed the
  // file part goes to the prefix's folder.
  void SetLogFileName(const std::string& name);
  // The message box component while one exists (it sets and clears this itself).
  cl::TComponent* MessageBoxDlg() const { return FMessageBoxDlg; }
  void SetMessageBoxDlg(cl::TComponent* dialog) { FMessageBoxDlg = dialog; }
  HANDLE MutexHandle() const { return FMutexHandle; }
  // True when another process already held the mutex named after this program's file when this one started.
  bool AlreadyRunning() const { return FAlreadyRunning; }
  // The process-wide timer pool, ticking every 50 ms.
  TCtlTimerPool* TimerPool() const { return FTimerPool; }

  // Lends a timer of the pool through the lowest free slot and returns its identifier 0xFD00 + slot; 0 when all
  // 250 slots are taken. An interval that does not fit the pool's 50 ms raises and leaves the slot free.
  uint16_t AddTimer(uint16_t interval, const cl::TNotifyEvent& handler);
  // Returns the timer of a lent identifier and frees its slot; any other identifier is ignored.
  void RemoveTimer(uint16_t ident);
  // The pool's item of that identifier, or null.
  TCtlTimerItem* GetTimer(uint16_t ident) const;

 private:
  std::string FCompanyName;
  std::string FProductVersion;
  std::string FSettingsTitle;
  uint8_t FDisplayOptions = 0x36;
  TCtlIniCtrl* FCommonIniCtrl = nullptr;
  uint8_t FEffectSpeed = 3;
  TCtlPathPrefix FLogPathPrefix = ppProgram;
  std::string FLogFileName;
  cl::TComponent* FMessageBoxDlg = nullptr;
  HANDLE FMutexHandle = nullptr;
  bool FAlreadyRunning = false;
  TCtlTimerPool* FTimerPool = nullptr;
  TCtlTimerSlots FTimerSlots;
};

// The application object between InitControlLibrary and the end of the class library, else null.
extern TCtlApplication* CtlApplication;

// Makes the application object and registers the library's cursors, once however often it is called; the object
// is freed when the class library finishes. Call after cl::Initialize and before any form is built.
void InitControlLibrary();

// The application object's default registry path; without one, the same rule on the application's title.
std::string ApplicationRegPath();

}  // namespace ctl
