// Feeds arbitrary bytes to the readers of another program's drag-and-drop blocks: they read only within the block,
// and a file list read back and built again reads back the same names.
#include <cstddef>
#include <cstdint>
#include <span>

#include "controls/core/drop_blocks.h"

namespace {

std::u16string ToWide(std::string_view text) {
  std::u16string wide;
  for (char c : text) wide.push_back(static_cast<unsigned char>(c));
  return wide;
}
std::string FromWide(std::u16string_view wide) {
  std::string text;
  for (char16_t unit : wide) text.push_back(unit != 0 && unit < 0x100 ? static_cast<char>(unit) : '?');
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> block(data, size);
  if (const auto names = ctl::ReadDropFiles(block, FromWide)) {
    for (bool wide : {false, true}) {
      if (ctl::ReadDropFiles(ctl::BuildDropFiles(*names, wide, ToWide), FromWide) != names) __builtin_trap();
    }
  }
  const std::string text = ctl::ReadTextBlock(block);
  if (ctl::ReadTextBlock(ctl::BuildTextBlock(text)) != text) __builtin_trap();
  ctl::ReadWideTextBlock(block);
  return 0;
}
