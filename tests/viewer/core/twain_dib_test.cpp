// Images as sources hand them over: the colour count and palette each kind of header gets, and blocks that lie
// about what they hold, refused before anything is read from them.
#include "viewer/core/twain_dib.h"

#include <gtest/gtest.h>

#include "classlib/core/byte_reader.h"
#include "classlib/core/exceptions.h"

namespace viewer {
namespace {

using cl::bmp::TColorEntry;

struct Header {
  uint32_t Size = 40;
  int32_t Width = 3, Height = 2;
  uint16_t BitCount = 24;
  uint32_t Compression = 0;
  uint32_t ColorsUsed = 0;
};

// A packed DIB: the header, `tableEntries` colour entries (entry i: blue i, green 2i, red 3i) and zeroed rows.
std::vector<uint8_t> Dib(const Header& h, uint32_t tableEntries, size_t cutBytes = 0) {
  std::vector<uint8_t> block;
  cl::le::AppendU32(block, h.Size);
  if (h.Size == 12) {
    cl::le::AppendU16(block, static_cast<uint16_t>(h.Width));
    cl::le::AppendU16(block, static_cast<uint16_t>(h.Height));
    cl::le::AppendU16(block, 1);
    cl::le::AppendU16(block, h.BitCount);
  } else {
    cl::le::AppendU32(block, static_cast<uint32_t>(h.Width));
    cl::le::AppendU32(block, static_cast<uint32_t>(h.Height));
    cl::le::AppendU16(block, 1);
    cl::le::AppendU16(block, h.BitCount);
    cl::le::AppendU32(block, h.Compression);
    for (uint32_t field : {0u, 0u, 0u, h.ColorsUsed, 0u}) cl::le::AppendU32(block, field);
    block.resize(h.Size, 0);
  }
  for (uint32_t i = 0; i < tableEntries; ++i) {
    block.insert(block.end(), {static_cast<uint8_t>(i), static_cast<uint8_t>(2 * i), static_cast<uint8_t>(3 * i)});
    if (h.Size != 12) block.push_back(0);
  }
  const size_t stride = (static_cast<size_t>(h.Width) * h.BitCount + 31) / 32 * 4;
  block.resize(block.size() + stride * static_cast<size_t>(std::abs(h.Height)) - cutBytes, 0);
  return block;
}

TwainDib Read(const std::vector<uint8_t>& block) {
  return ReadTwainDib(block.data(), block.size());
}

TEST(TwainDib, ColoursAndPaletteFollowTheHeader) {
  struct Case {
    const char* Name;
    Header H;
    uint32_t TableEntries;
    uint32_t Colors;
    size_t PaletteEntries;
  };
  const Case cases[] = {
      {"24 bits, no table: fixed palette", {40, 3, 2, 24}, 0, 0, 256},
      {"24 bits with a table of hints", {40, 3, 2, 24, 0, 5}, 5, 5, 5},
      {"32 bits: no palette", {40, 3, 2, 32}, 0, 0, 0},
      {"8 bits, full table", {40, 3, 2, 8}, 256, 256, 256},
      {"8 bits, three used", {40, 3, 2, 8, 0, 3}, 3, 3, 3},
      {"1 bit", {40, 9, 2, 1}, 2, 2, 2},
      {"4 bits under a core header", {12, 3, 2, 4}, 16, 16, 0},
      {"8 bits under a version 5 header", {124, 3, 2, 8, 0, 4}, 4, 4, 0},
      {"top-down rows", {40, 3, -2, 24}, 0, 0, 256},
  };
  for (const Case& c : cases) {
    const TwainDib dib = Read(Dib(c.H, c.TableEntries));
    EXPECT_EQ(dib.ColorCount, c.Colors) << c.Name;
    EXPECT_EQ(dib.Palette.size(), c.PaletteEntries) << c.Name;
    EXPECT_EQ(dib.Monochrome(), c.Colors == 2) << c.Name;
  }
}

TEST(TwainDib, PaletteEntriesComeFromTheTableOrTheFixedPalette) {
  const TwainDib table = Read(Dib({40, 3, 2, 8, 0, 3}, 3));
  EXPECT_EQ(table.Palette[2], (TColorEntry{2, 4, 6, 0}));
  const TwainDib fixed = Read(Dib({40, 3, 2, 24}, 0));
  EXPECT_EQ(fixed.Palette[0], (TColorEntry{0, 0, 0, 0}));
  // Entry 203: red 32 * 3, green 32 * (25 mod 8), blue 64 * 3.
  EXPECT_EQ(fixed.Palette[203], (TColorEntry{192, 32, 96, 0}));
}

TEST(TwainDib, BlocksThatDoNotHoldWhatTheirHeaderSaysAreRefused) {
  struct Case {
    const char* Name;
    std::vector<uint8_t> Block;
  };
  const Case cases[] = {
      {"rows cut short", Dib({40, 3, 2, 24}, 0, 1)},
      {"more rows claimed than held",
       [] {
         std::vector<uint8_t> block = Dib({40, 3, 2, 24}, 0);
         cl::le::WriteU32(block.data() + 8, 200);
         return block;
       }()},
      {"more colours used than the bit count allows", Dib({40, 3, 2, 8, 0, 257}, 257)},
      {"a colour table running past the block", Dib({40, 3, 2, 24, 0, 0x40000000}, 0)},
      {"an unknown header size", Dib({64, 3, 2, 24}, 0)},
      {"run-length compression", Dib({40, 3, 2, 8, 1}, 256)},
      {"no rows at all", Dib({40, 3, 0, 24}, 0)},
      {"a header cut short", std::vector<uint8_t>{40, 0, 0, 0, 3, 0}},
  };
  for (const Case& c : cases) {
    try {
      Read(c.Block);
      ADD_FAILURE() << c.Name << " was accepted";
    } catch (const cl::EInvalidGraphic& error) {
      EXPECT_EQ(error.Message(), "The image from the TWAIN source is not a valid bitmap") << c.Name;
    }
  }
}

}  // namespace
}  // namespace viewer
