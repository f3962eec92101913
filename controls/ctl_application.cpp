#include "controls/ctl_application.h"

#include "classlib/core/paths.h"
#include "classlib/win/application.h"
#include "classlib/win/command_line.h"
#include "classlib/win/screen.h"
#include "controls/core/settings_rules.h"
#include "controls/ini_ctrl.h"
#include "controls/system_info.h"
#include "controls/timer_pool.h"

namespace ctl {

TCtlApplication* CtlApplication = nullptr;

namespace {

constexpr int kHandCursorResource = 16548;
constexpr uint16_t kPoolInterval = 50;

std::string ApplicationTitle() {
  return cl::Application ? cl::Application->Title() : std::string();
}

void RegisterCursor(int index, LPCSTR resource) {
  if (!cl::Screen) return;
  // A private copy (not LR_SHARED): Screen destroys the cursors it holds.
  auto cursor =
      static_cast<HCURSOR>(LoadImageA(GetModuleHandleA(nullptr), resource, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
  if (cursor) cl::Screen->SetCursors(index, cursor);
}

void FinishControlLibrary() {
  cl::FreeAndNil(CtlApplication);
}

}  // namespace

TCtlApplication::TCtlApplication(cl::TComponent* owner) : TComponent(owner) {
  FCommonIniCtrl = cl::New<TCtlIniCtrl>(nullptr);
  // The mutex is held until the process ends; one that cannot be made leaves AlreadyRunning false.
  FMutexHandle = CreateMutexA(nullptr, FALSE, cl::ExtractFileName(cl::ParamStr(0)).c_str());
  FAlreadyRunning = FMutexHandle && GetLastError() == ERROR_ALREADY_EXISTS;
  FTimerPool = cl::New<TCtlTimerPool>(nullptr, kPoolInterval);
  SetLogFileName("");
  RegisterCursor(crCtlHand, MAKEINTRESOURCEA(kHandCursorResource));
}

TCtlApplication::~TCtlApplication() {
  if (FMutexHandle) CloseHandle(FMutexHandle);
}

void TCtlApplication::BeforeDestruction() {
  inherited::BeforeDestruction();
  cl::FreeAndNil(FCommonIniCtrl);
  cl::FreeAndNil(FTimerPool);
}

std::string TCtlApplication::GetDefaultRegPath() const {
  const std::string title = IsBlankString(FSettingsTitle) ? ApplicationTitle() : FSettingsTitle;
  return DefaultRegPath(FCompanyName, title, cl::ParamStr(0), FProductVersion);
}

void TCtlApplication::SetLogFileName(const std::string& name) {
  FLogFileName = ctl::LogFileName(name, cl::ParamStr(0), FLogPathPrefix, GetPrefixFolders());
}

uint16_t TCtlApplication::AddTimer(uint16_t interval, const cl::TNotifyEvent& handler) {
  return FTimerSlots.AddTimer(*FTimerPool, interval, handler);
}

void TCtlApplication::RemoveTimer(uint16_t ident) {
  FTimerSlots.RemoveTimer(*FTimerPool, ident);
}

TCtlTimerItem* TCtlApplication::GetTimer(uint16_t ident) const {
  return FTimerPool->GetTimer(ident);
}

void InitControlLibrary() {
  if (CtlApplication) return;
  CtlApplication = cl::New<TCtlApplication>(nullptr);
  RegisterCursor(crAppHand, "APP_HANDCUR");
  RegisterCursor(crAppDrag, "APP_DRAGCUR");
  cl::AddExitProc(FinishControlLibrary);
}

std::string ApplicationRegPath() {
  if (CtlApplication) return CtlApplication->GetDefaultRegPath();
  return DefaultRegPath("", ApplicationTitle(), cl::ParamStr(0), "");
}

}  // namespace ctl
