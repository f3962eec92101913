#include "viewer/core/window_names.h"

#include <algorithm>

namespace viewer {

namespace {
constexpr char kUntitled[] = "Untitled";
}

bool IsUntitledCaption(const std::string& caption) {
  return caption.starts_with(kUntitled);
}

std::string UntitledCaption(const std::vector<std::string>& captions) {
  const auto count = std::count_if(captions.begin(), captions.end(), IsUntitledCaption);
  return kUntitled + std::to_string(count);
}

}  // namespace viewer
