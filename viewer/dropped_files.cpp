#include "viewer/dropped_files.h"

#include <memory>
#include <type_traits>

#include "viewer/core/image_files.h"

namespace viewer {

namespace {

struct DropReleaser {
  void operator()(HDROP drop) const noexcept { DragFinish(drop); }
};
using DropHolder = std::unique_ptr<std::remove_pointer_t<HDROP>, DropReleaser>;

std::string DroppedFileName(HDROP drop, UINT index) {
  std::string name(DragQueryFileA(drop, index, nullptr, 0), '\0');
  DragQueryFileA(drop, index, name.data(), static_cast<UINT>(name.size() + 1));
  return name;
}

}  // namespace

std::vector<std::string> TakeDroppedImageNames(HDROP drop) {
  DropHolder holder(drop);
  std::vector<std::string> names;
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    // The whole name: a path cut short would open the wrong file or none.
    std::string name = DroppedFileName(drop, i);
    if (IsDroppedImage(name)) names.push_back(std::move(name));
  }
  return names;
}

}  // namespace viewer
