// The folder tree's decisions that need no window: which folders it shows, how a path is walked node by node, and
// which drive slot a path belongs to.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/core/set.h"

namespace brw {

enum TDirAttr { dtReadOnly, dtHidden, dtSystem, dtArchive, dtNormal, dtAll };
using TDirType = cl::Set<TDirAttr>;

struct FolderAttributes {
  bool Hidden = false;
  bool System = false;
  bool Archive = false;
};

// False only for a folder below a recycle bin ("c:\recycled\sub\") while the tree does not go below it; the
// recycle folder itself ("c:\recycled\") stays. The path is compared without case.
bool DirAllowed(std::string_view path, bool goBelowRecycleBin);

// With dtAll every folder passes. Otherwise a hidden folder needs dtHidden, a system folder dtSystem and an
// archive folder dtArchive; then it passes when dtNormal is set or it carries one of those three marks.
bool AttrAllowed(const FolderAttributes& attributes, const TDirType& dirType);

// The steps of a walk from the drive down: the path up to each of its '\' ("C:\a\b\" gives "C:\", "C:\a\",
// "C:\a\b\").
std::vector<std::string> PathPrefixes(std::string_view path);

// The drive slot (0 for A to 25 for Z) of a path's first character, without case; none for anything else.
std::optional<int> DriveSlot(std::string_view path);

// Whether a new drive root only gets an empty placeholder child instead of a look for a first subfolder: with
// fast loading, for unknown, missing and removable drives (types below 3) and for CD drives (type 5), so that
// nothing waits for a drive that may hold no disk.
bool DriveGetsPlaceholder(bool fastLoad, unsigned driveType);

}  // namespace brw
