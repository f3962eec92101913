// The mapping of system colours to RGB.
#include "classlib/win/colors.h"

#include <windows.h>

namespace cl {

TColor ColorToRGB(TColor color) {
  if (color < 0) return static_cast<TColor>(GetSysColor(color & 0xFF));
  return color;
}

}  // namespace cl
