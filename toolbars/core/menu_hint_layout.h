// The menu item hint window's text and place: its lines, its size from their measured sizes, and its position
// below the cursor inside the work area.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "classlib/core/types.h"

namespace tbr::menus {

// The lines of a hint: it breaks at each "&#13;" (which goes) and at each carriage return (only the CR goes).
std::vector<std::string> SplitHintLines(std::string_view hint);

// The window's size for lines of the given measured sizes: 5 pixels and each line's height plus one high, the
// widest line and 6 pixels wide.
cl::TPoint HintWindowSize(const std::vector<cl::TPoint>& lineSizes);

// The window's top-left: 25 pixels below the cursor; left of the cursor when it would pass the work area's right
// edge, above it when it would pass the bottom; never at or beyond the work area's left or top edge.
cl::TPoint HintWindowPosition(cl::TPoint cursor, cl::TPoint size, const cl::TRect& workArea);

}  // namespace tbr::menus
