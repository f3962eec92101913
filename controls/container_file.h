// Reading single items out of container files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "controls/core/container_format.h"

namespace cl {
class TBitmap;
}

namespace ctl {

class TCtlListItem;

// Loads record `index` of a container file into item. Without offsets the header is read for them, and a file of
// another kind than expected raises Exception "Cannot open file %s: <file name>". A bad index raises EListError;
// a malformed record a stream error, the item unchanged. Returns true.
bool LoadContainerItem(const std::string& fileName, TContainerKind expected, const std::vector<int32_t>* offsets,
                       TCtlListItem* item, int index);

// Bitmap `index` of a bitmap-list container file, copied into bitmap.
void LoadBitmapFromContainer(const std::string& fileName, int index, cl::TBitmap* bitmap);

}  // namespace ctl
