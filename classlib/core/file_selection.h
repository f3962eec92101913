// What a file dialog hands back, as full paths. With several files chosen the buffer holds the folder and then
// each name, every string ended by NUL and the list by an empty string; a single file comes as its full path,
// ended by one NUL, and whatever the buffer held before may follow it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cl {

// Whether the buffer holds a list of several files. The dialog tells by the offset of the first name it reports
// (nFileOffset): in a list the folder's NUL stands just before it, in a single path a backslash.
bool IsFileList(std::string_view buffer, size_t firstNameOffset);

// True when the answer ends inside the buffer: a single path with its NUL, a list with the empty string after
// the last name. A dialog that ran out of room may instead fill the buffer to its end and still report success.
bool FileSelectionFits(std::string_view buffer, size_t firstNameOffset);

// The chosen files of a dialog's name buffer (its whole size: reading never passes its end, also without a
// final NUL). Only a list is read past the first NUL.
std::vector<std::string> SplitFileSelection(std::string_view buffer, size_t firstNameOffset);

}  // namespace cl
