// What a file dialog hands back, as full paths. With several files chosen the buffer holds the folder and then
// each name, every string ended by NUL and the list by an empty string; a single file comes as its full path.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cl {

// True when the list ends inside the buffer, with the empty string after the last name. A dialog that ran out
// of room may instead fill the buffer to its end with the list cut off, and still report success.
bool FileSelectionFits(std::string_view buffer);

// Splits a dialog's name buffer (its whole size: reading never passes its end, also without a final NUL).
std::vector<std::string> SplitFileSelection(std::string_view buffer);

}  // namespace cl
