// Colours on the screen: system colours turned into the RGB values they stand for now.
#pragma once

#include "classlib/core/colors.h"

namespace cl {

// System colours through GetSysColor; every other value (flag byte included) unchanged.
TColor ColorToRGB(TColor color);

}  // namespace cl
