// The decisions of the file list that need no window: which files it lists, in which order, and what a text
// written to its FileName means.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "classlib/core/set.h"

namespace cl {

// Kinds of files a file list shows. Hidden and system files are never listed.
enum TFileAttr { ftReadOnly, ftArchive, ftNormal };
using TFileType = Set<TFileAttr>;

struct TFileAttributes {
  bool ReadOnly = false;
  bool Hidden = false;
  bool System = false;
  bool Archive = false;
};

// A read-only file needs ftReadOnly; any other file is listed with ftNormal, or with ftArchive when it carries
// the archive mark.
bool FileTypeAllows(const TFileType& fileType, const TFileAttributes& attributes);

// Sorted ASCII case-insensitively; of names equal but for case the first one stays.
std::vector<std::string> SortedWithoutDuplicates(std::vector<std::string> names);

// What writing a text to FileName asks for, in order of precedence.
enum class TFileNameTarget {
  Nothing,    // "" and texts naming nothing that exists
  DriveRoot,  // "\": the root of the current drive
  Folder,     // an existing folder, or any text ending in '\'
  File,       // an existing file: its folder, with the file selected
};
TFileNameTarget ClassifyFileNameWrite(std::string_view text, bool isFolder, bool isFile);

// The root of the drive of folder ("C:\" for "C:\Images"); a folder without a drive letter gives "\".
std::string DriveRoot(std::string_view folder);

// Folder names compared without case and with a trailing '\' added to both.
bool SameFolder(std::string_view a, std::string_view b);

}  // namespace cl
