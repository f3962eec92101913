// Screen captures of the frame and of the image windows. A capture command either arms one of its form's four
// hot keys, as the preferences say, or captures at once; a pressed hot key captures once and disarms all four.
// Each capture copies the whole screen, the frame hidden meanwhile when the preferences say so, into a new
// untitled image window whose working copy holds it.
#pragma once

#include <array>
#include <string>

#include "classlib/win/controls.h"
#include "viewer/core/capture_rules.h"

namespace viewer {

class TCtlGlobalHotKey;

using CaptureHotKeys = std::array<TCtlGlobalHotKey*, kCaptureHotKeyCount>;

// The four capture hot keys of a form of that kind (CtlGlobalHotKey1 .. 4), inactive, each calling onKeyDown.
CaptureHotKeys MakeCaptureHotKeys(cl::TComponent* owner, CaptureOwner kind, const cl::TKeyEvent& onKeyDown);

// The capture command: arms the preferences' key among keys, or captures at once into a new image window owned by
// windowOwner. A key another program holds is reported (EHotKeyError). Nothing while a capture runs.
void StartCapture(const CaptureHotKeys& keys, cl::TComponent* windowOwner);

// A pressed capture key: disarms keys, then captures into a new image window owned by windowOwner; the picture is
// also left in fixedCopy when one is named and can be written. Nothing while a capture runs, so a held key
// captures once.
void CaptureOnHotKey(const CaptureHotKeys& keys, cl::TComponent* windowOwner, const std::string& fixedCopy = "");

}  // namespace viewer
