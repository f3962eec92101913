// The frame as the tests make it: nothing that an earlier start handed over waits to be opened.
#pragma once

#include "classlib/win/registry.h"
#include "viewer/frame_form.h"
#include "viewer/settings.h"

namespace viewer {

inline void ForgetHandedOverFiles() {
  cl::TRegistry settings;
  OpenSettings(settings);
  settings.WriteString(kToOpenValue, "");
}

inline TFrameForm* NewFrame() {
  ForgetHandedOverFiles();
  FrameForm = cl::New<TFrameForm>(nullptr);
  return FrameForm;
}

}  // namespace viewer
