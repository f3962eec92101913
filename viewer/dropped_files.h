// Files dropped on the frame from the shell: the names that open, in the order dropped.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace viewer {

// The dropped names that are image files, in the order dropped. The drop handle is
// released on every path, also when reading a name fails.
std::vector<std::string> TakeDroppedImageNames(HDROP drop);

}  // namespace viewer
