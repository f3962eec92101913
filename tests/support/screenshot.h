// Screenshots for the Windows test programs: the whole screen (the Wine virtual desktop under Xvfb) as a PNG
// file in the build tree, so that a person can look at what a test showed.
#pragma once

#include <string>

namespace testsupport {

// Captures the screen into <PROJECT_SCREENSHOT_DIR>/<name>.png (or the current folder when the variable is
// unset) and returns the file's path; throws std::runtime_error when the capture or the write fails.
std::string SaveScreenshot(const std::string& name);

// The colour the screen shows at a point of screen coordinates (what a screenshot taken now holds there), as
// 0x00BBGGRR like a COLORREF.
unsigned long ScreenColor(int x, int y);

// Whether a popup menu is open on the screen.
bool PopupMenuShown();

}  // namespace testsupport
