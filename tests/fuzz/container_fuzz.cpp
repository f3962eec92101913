// Feeds arbitrary bytes to the container reader as a container stream of the kind the first byte names, with or
// without record positions: it either reads every record or raises a stream error; records it read, written
// again, read back the same.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "controls/core/container_format.h"

namespace {

bool SameRecord(const ctl::TItemRecord& a, const ctl::TItemRecord& b) {
  return a.Compressed == b.Compressed && a.Description == b.Description && a.Ident == b.Ident &&
         a.SaveFormat == b.SaveFormat && a.Content == b.Content && a.StripImage == b.StripImage &&
         a.StripMask == b.StripMask && a.Strip.Count == b.Strip.Count && a.Strip.Width == b.Strip.Width &&
         a.Strip.Height == b.Strip.Height && a.Strip.Masked == b.Strip.Masked;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const auto kind = static_cast<ctl::TContainerKind>(data[0] % 4);
  const bool withOffsets = data[0] & 0x80;
  cl::TMemoryStream source;
  source.WriteBuffer(data + 1, static_cast<int32_t>(size - 1));
  source.SetPosition(0);
  std::vector<ctl::TItemRecord> records;
  try {
    ctl::ReadContainerStream(&source, withOffsets, [&] { records.push_back(ctl::ReadItemRecord(&source, kind)); });
  } catch (const cl::EStreamError&) {
    return 0;
  }
  cl::TMemoryStream written;
  ctl::WriteContainerStream(&written, static_cast<int32_t>(records.size()), withOffsets,
                            [&](int32_t i) { ctl::WriteItemRecord(&written, kind, records[i]); });
  written.SetPosition(0);
  size_t index = 0;
  ctl::ReadContainerStream(&written, withOffsets, [&] {
    if (!SameRecord(ctl::ReadItemRecord(&written, kind), records.at(index++))) __builtin_trap();
  });
  if (index != records.size()) __builtin_trap();
  return 0;
}
