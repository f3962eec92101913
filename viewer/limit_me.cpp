#include "viewer/limit_me.h"

#include "classlib/win/application.h"

namespace viewer {

TLimitMe::~TLimitMe() {
  if (FSemaphore) CloseHandle(FSemaphore);
}

bool TLimitMe::DoIExist() {
  HANDLE semaphore = CreateSemaphoreA(nullptr, 0, 1, FBija.c_str());
  if (!semaphore) return false;
  if (GetLastError() != ERROR_ALREADY_EXISTS) {
    if (FSemaphore) CloseHandle(FSemaphore);
    FSemaphore = semaphore;
    return false;
  }
  CloseHandle(semaphore);
  if (FTerminate) {
    if (FBeforeTerminate) FBeforeTerminate(this);
    if (cl::Application) cl::Application->Terminate();
  }
  return true;
}

}  // namespace viewer
