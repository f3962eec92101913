// The drag-and-drop memory blocks: DROPFILES lists and texts built with their sizes and read back, in 8-bit and
// UTF-16 forms, and foreign blocks that are cut short or point outside themselves read only within their size.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "classlib/core/byte_reader.h"
#include "controls/core/drop_blocks.h"

namespace ctl {
namespace {

using Bytes = std::vector<uint8_t>;
using Names = std::vector<std::string>;

// Code page 1252's letters below 0x100 are Latin-1's, which is all the tests need.
std::u16string Latin1ToWide(std::string_view text) {
  std::u16string wide;
  for (char c : text) wide.push_back(static_cast<unsigned char>(c));
  return wide;
}
std::string WideToLatin1(std::u16string_view wide) {
  std::string text;
  for (char16_t unit : wide) text.push_back(unit < 0x100 ? static_cast<char>(unit) : '?');
  return text;
}

std::optional<Names> Read(const Bytes& block) {
  return ReadDropFiles(block, WideToLatin1);
}

const Names kThreeNames = {"C:\\pictures\\a.bmp", "C:\\pictures\\caf\xe9.jpg", "D:\\b.gif"};

TEST(DropBlocks, FileListsRoundTripInBothForms) {
  for (bool wide : {false, true}) {
    SCOPED_TRACE(wide);
    const Bytes block = BuildDropFiles(kThreeNames, wide, Latin1ToWide);
    size_t textLength = 0;
    for (const std::string& name : kThreeNames) textLength += name.size() + 2;
    EXPECT_EQ(block.size(), 2 * textLength + 35);
    EXPECT_EQ(cl::le::ReadU32(&block[0]), 20u);
    EXPECT_EQ(cl::le::ReadU32(&block[16]), wide ? 1u : 0u);
    EXPECT_EQ(Read(block), kThreeNames);
  }
  EXPECT_EQ(Read(BuildDropFiles({}, true, Latin1ToWide)), Names{});
}

TEST(DropBlocks, WideNamesAreUtf16) {
  const Bytes block = BuildDropFiles({"\xe9"}, true, Latin1ToWide);
  EXPECT_EQ(cl::le::ReadU16(&block[20]), 0xe9);
  EXPECT_EQ(cl::le::ReadU16(&block[22]), 0);
}

// A foreign block: header, then the given name bytes.
Bytes ForeignBlock(uint32_t firstOffset, bool wide, const Bytes& names) {
  Bytes block(20 + names.size(), 0);
  cl::le::WriteU32(&block[0], firstOffset);
  cl::le::WriteU32(&block[16], wide ? 1 : 0);
  std::copy(names.begin(), names.end(), block.begin() + 20);
  return block;
}

TEST(DropBlocks, ForeignFileListsAreReadWithinTheirBlock) {
  struct Case {
    const char* what;
    Bytes block;
    std::optional<Names> names;
  };
  const Case cases[] = {
      {"shorter than its header", Bytes(19, 0), std::nullopt},
      {"first name past the end", ForeignBlock(1000, false, {'a', 0, 0}), std::nullopt},
      {"first name at the very end", ForeignBlock(20, false, {}), Names{}},
      {"no list terminator", ForeignBlock(20, false, {'a', 0, 'b', 0}), Names{"a", "b"}},
      {"last name cut off", ForeignBlock(20, false, {'a', 0, 'b', 'c'}), Names{"a"}},
      {"wide name cut mid-unit", ForeignBlock(20, true, {'a', 0, 0, 0, 'b', 0, 'c'}), Names{"a"}},
      {"names at an odd offset", ForeignBlock(21, true, {0, 'x', 0, 0, 0, 0, 0}), Names{"x"}},
      {"offset inside the header", ForeignBlock(4, false, {}), Names{}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Read(c.block), c.names);
  }
}

TEST(DropBlocks, TextsRoundTripAndForeignTextsStopAtTheirBlock) {
  const std::string text = "one line\r\nand caf\xe9";
  const Bytes narrow = BuildTextBlock(text);
  EXPECT_EQ(narrow.size(), text.size() + 4);
  EXPECT_EQ(ReadTextBlock(narrow), text);
  const Bytes wide = BuildWideTextBlock(text, Latin1ToWide);
  EXPECT_EQ(wide.size(), 2 * text.size() + 4);
  EXPECT_EQ(ReadWideTextBlock(wide), Latin1ToWide(text));

  EXPECT_EQ(ReadTextBlock(Bytes{'a', 'b'}), "ab");
  EXPECT_EQ(ReadTextBlock(Bytes{}), "");
  EXPECT_EQ(ReadWideTextBlock(Bytes{'a', 0, 'b'}), u"a");
  EXPECT_EQ(ReadWideTextBlock(Bytes{'a', 0, 0, 0, 'b', 0}), u"a");
}

}  // namespace
}  // namespace ctl
