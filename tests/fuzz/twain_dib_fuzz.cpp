// Feeds arbitrary bytes to the checks of what TWAIN sources hand over: as a DIB block, the reader either refuses it
// with EInvalidGraphic or gives rows and a palette that lie inside the block; as a capability container of each
// kind, the current value is read without reading past the bytes.
#include <cstddef>
#include <cstdint>

#include "classlib/core/exceptions.h"
#include "viewer/core/twain_capabilities.h"
#include "viewer/core/twain_dib.h"
#include "viewer/core/twain_types.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const viewer::TwainDib dib = viewer::ReadTwainDib(data, size);
    if (dib.Layout.BitsOffset + dib.Layout.BitsSize > size) __builtin_trap();
    if (dib.Palette.size() > 256 || dib.ColorCount > 256) __builtin_trap();
  } catch (const cl::EInvalidGraphic&) {
  }
  using namespace viewer::twain;
  for (uint16_t container : {TWON_ONEVALUE, TWON_ENUMERATION, TWON_RANGE, TWON_ARRAY})
    viewer::CurrentItem({data, size}, container);
  return 0;
}
