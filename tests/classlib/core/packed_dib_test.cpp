// Packed DIBs (a DIB in one memory block): where the rows start behind each kind of header, masks and colour
// table, and blocks too short for what their header announces.
#include <gtest/gtest.h>

#include "classlib/core/bmp_codec.h"
#include "classlib/core/byte_reader.h"
#include "classlib/core/exceptions.h"

namespace cl::bmp {
namespace {

// A header of `size` bytes (12: core) for a 4 x 2 image, followed by `extra` bytes of masks and table and the rows.
std::vector<uint8_t> PackedDib(uint32_t size, int32_t height, uint16_t bitCount, uint32_t compression,
                               uint32_t colorsUsed, size_t extra) {
  std::vector<uint8_t> block;
  le::AppendU32(block, size);
  if (size == 12) {
    for (uint16_t field : {uint16_t{4}, static_cast<uint16_t>(height), uint16_t{1}, bitCount})
      le::AppendU16(block, field);
  } else {
    le::AppendU32(block, 4);
    le::AppendU32(block, static_cast<uint32_t>(height));
    le::AppendU16(block, 1);
    le::AppendU16(block, bitCount);
    for (uint32_t field : {compression, 0u, 0u, 0u, colorsUsed, 0u}) le::AppendU32(block, field);
    block.resize(size);
  }
  if (compression == 3 && size == 40) {
    for (uint32_t mask : {0xFF0000u, 0xFF00u, 0xFFu}) le::AppendU32(block, mask);
    extra -= 12;
  }
  const size_t stride = (4 * size_t{bitCount} + 31) / 32 * 4;
  block.resize(block.size() + extra + stride * 2);
  return block;
}

TEST(PackedDib, RowsStartBehindHeaderMasksAndColourTable) {
  struct Case {
    const char* Name;
    uint32_t HeaderSize;
    int32_t Height;
    uint16_t BitCount;
    uint32_t Compression, ColorsUsed;
    size_t TableBytes;  // masks and colour table
    size_t Colors;
  };
  const Case cases[] = {
      {"core, 8 bits", 12, 2, 8, 0, 0, 3 * 256, 256},      {"info, 4 bits", 40, 2, 4, 0, 0, 4 * 16, 16},
      {"info, 8 bits, 3 used", 40, 2, 8, 0, 3, 4 * 3, 3},  {"info, 24 bits with hints", 40, 2, 24, 0, 2, 4 * 2, 2},
      {"info, 32-bit bit fields", 40, 2, 32, 3, 0, 12, 0}, {"version 5, bit fields inside", 124, -2, 32, 3, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> block =
        PackedDib(c.HeaderSize, c.Height, c.BitCount, c.Compression, c.ColorsUsed, c.TableBytes);
    const TBmpLayout layout = ReadPackedDibLayout(block.data(), block.size());
    EXPECT_EQ(layout.BitsOffset, c.HeaderSize + c.TableBytes) << c.Name;
    EXPECT_EQ(layout.BitsOffset + layout.BitsSize, block.size()) << c.Name;
    EXPECT_EQ(layout.Image.Colors.size(), c.Colors) << c.Name;
    EXPECT_EQ(layout.HeaderSize, c.HeaderSize) << c.Name;
    EXPECT_EQ(layout.TopDown, c.Height < 0) << c.Name;
    EXPECT_THROW(ReadPackedDibLayout(block.data(), block.size() - 1), EInvalidGraphic) << c.Name;
  }
}

}  // namespace
}  // namespace cl::bmp
