// Screenshots for the Windows test programs: the whole screen (the Wine virtual desktop under Xvfb) as a PNG
// file in the build tree, so that a person can look at what a test showed.
#pragma once

#include <string>

namespace testsupport {

// Captures the screen into <PROJECT_SCREENSHOT_DIR>/<name>.png (or the current folder when the variable is
// unset) and returns the file's path; throws std::runtime_error when the capture or the write fails.
std::string SaveScreenshot(const std::string& name);

}  // namespace testsupport
