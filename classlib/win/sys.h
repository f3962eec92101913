// System queries that modal mouse loops make, with a seam for tests: the cursor position. A test can put its
// own source in place, so that scripted moves do not race the window system's real pointer.
#pragma once

#include <functional>

#include "classlib/core/types.h"

namespace cl::sys {

// The cursor's screen position (GetCursorPos), or the test's.
TPoint CursorPos();
// Replaces the source of CursorPos; null restores the system's.
void SetCursorPosSource(std::function<TPoint()> source);

}  // namespace cl::sys
