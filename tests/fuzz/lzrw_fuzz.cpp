// Feeds arbitrary bytes to the block decompressor and the compressed-stream reader: they either expand the data or
// raise EReadError; an expanded block, compressed again, expands to the same bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "controls/core/compressed_stream.h"
#include "controls/core/lzrw.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> expanded(ctl::kLZRWBlockSize);
  try {
    expanded.resize(ctl::LZRWDecompress({data, size}, expanded));
  } catch (const cl::EReadError&) {
    expanded.clear();
  }
  std::vector<uint8_t> block(expanded.size() + ctl::kLZRWOverrun);
  block.resize(ctl::LZRWCompress(expanded, block));
  std::vector<uint8_t> again(ctl::kLZRWBlockSize);
  again.resize(ctl::LZRWDecompress(block, again));
  if (again != expanded) __builtin_trap();

  cl::TMemoryStream source;
  source.WriteBuffer(data, static_cast<int32_t>(size));
  source.SetPosition(0);
  cl::TMemoryStream dest;
  try {
    ctl::ReadCompressedStream(&source, &dest);
  } catch (const cl::EReadError&) {
  }
  return 0;
}
