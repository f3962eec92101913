// Items read one at a time from container files.
#include "controls/container_file.h"

#include "classlib/win/bitmap.h"
#include "controls/ctl_image_lists.h"

namespace ctl {

bool LoadContainerItem(const std::string& fileName, TContainerKind expected, const std::vector<int32_t>* offsets,
                       TCtlListItem* item, int index) {
  ReadContainerRecord(fileName, expected, offsets, index, [item](cl::TStream* file) { item->LoadFromStream(file); });
  return true;
}

void LoadBitmapFromContainer(const std::string& fileName, int index, cl::TBitmap* bitmap) {
  // What a bitmap item would load, read straight into the bitmap.
  ReadContainerRecord(fileName, ckBitmapList, nullptr, index, [bitmap](cl::TStream* file) {
    LoadBitmapFromFileImage(bitmap, ReadItemRecord(file, ckBitmapList).Content);
  });
}

}  // namespace ctl
