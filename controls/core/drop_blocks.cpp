#include "controls/core/drop_blocks.h"

#include <algorithm>

#include "classlib/core/byte_reader.h"

namespace ctl {

namespace {

constexpr size_t kDropFilesSlack = 35;
constexpr size_t kTextSlack = 4;
constexpr size_t kLineBreakLength = 2;

// Appends one name at offset, when it fits with its terminator before the block's end; the block is zero-filled.
bool PutName(std::vector<uint8_t>& block, size_t& offset, std::span<const uint8_t> bytes, size_t terminatorSize) {
  if (offset + bytes.size() + terminatorSize > block.size()) return false;
  std::copy(bytes.begin(), bytes.end(), block.begin() + static_cast<std::ptrdiff_t>(offset));
  offset += bytes.size() + terminatorSize;
  return true;
}

std::vector<uint8_t> ToLittleEndianUnits(std::u16string_view wide) {
  std::vector<uint8_t> bytes;
  bytes.reserve(wide.size() * 2);
  for (char16_t unit : wide) cl::le::AppendU16(bytes, unit);
  return bytes;
}

std::span<const uint8_t> BytesOf(std::string_view text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// The 8-bit string from offset up to its zero byte; nothing when the block ends first.
std::optional<std::string> ReadNarrowName(std::span<const uint8_t> block, size_t& offset) {
  const auto rest = block.subspan(offset);
  const auto end = std::find(rest.begin(), rest.end(), uint8_t{0});
  if (end == rest.end()) return std::nullopt;
  std::string name(rest.begin(), end);
  offset += name.size() + 1;
  return name;
}

std::optional<std::u16string> ReadWideName(std::span<const uint8_t> block, size_t& offset) {
  std::u16string name;
  for (size_t at = offset; at + 2 <= block.size(); at += 2) {
    const char16_t unit = cl::le::ReadU16(&block[at]);
    if (unit == 0) {
      offset = at + 2;
      return name;
    }
    name.push_back(unit);
  }
  return std::nullopt;
}

}  // namespace

std::vector<uint8_t> BuildDropFiles(const std::vector<std::string>& names, bool wide, const TToWide& toWide) {
  size_t textLength = 0;
  for (const std::string& name : names) textLength += name.size() + kLineBreakLength;
  std::vector<uint8_t> block(2 * textLength + kDropFilesSlack, 0);
  cl::le::WriteU32(&block[0], kDropFilesHeaderSize);
  cl::le::WriteU32(&block[kDropFilesWideFlagOffset], wide ? 1 : 0);
  size_t offset = kDropFilesHeaderSize;
  for (const std::string& name : names) {
    const bool put =
        wide ? PutName(block, offset, ToLittleEndianUnits(toWide(name)), 2) : PutName(block, offset, BytesOf(name), 1);
    if (!put) break;
  }
  return block;
}

std::optional<std::vector<std::string>> ReadDropFiles(std::span<const uint8_t> block, const TFromWide& fromWide) {
  if (block.size() < kDropFilesHeaderSize) return std::nullopt;
  size_t offset = cl::le::ReadU32(&block[0]);
  const bool wide = cl::le::ReadU32(&block[kDropFilesWideFlagOffset]) != 0;
  if (offset > block.size()) return std::nullopt;
  std::vector<std::string> names;
  for (;;) {
    std::string name;
    if (wide) {
      const std::optional<std::u16string> wideName = ReadWideName(block, offset);
      if (!wideName || wideName->empty()) break;
      name = fromWide(*wideName);
    } else {
      std::optional<std::string> narrowName = ReadNarrowName(block, offset);
      if (!narrowName || narrowName->empty()) break;
      name = std::move(*narrowName);
    }
    names.push_back(std::move(name));
  }
  return names;
}

std::vector<uint8_t> BuildTextBlock(std::string_view text) {
  std::vector<uint8_t> block(text.size() + kTextSlack, 0);
  std::copy(text.begin(), text.end(), block.begin());
  return block;
}

std::vector<uint8_t> BuildWideTextBlock(std::string_view text, const TToWide& toWide) {
  std::vector<uint8_t> block(2 * text.size() + kTextSlack, 0);
  const std::vector<uint8_t> units = ToLittleEndianUnits(toWide(text));
  // Leaves room for the terminator even if a conversion ever gave more units than bytes.
  const size_t count = std::min(units.size(), block.size() - 2);
  std::copy_n(units.begin(), count, block.begin());
  return block;
}

std::string ReadTextBlock(std::span<const uint8_t> block) {
  const auto end = std::find(block.begin(), block.end(), uint8_t{0});
  return std::string(block.begin(), end);
}

std::u16string ReadWideTextBlock(std::span<const uint8_t> block) {
  size_t offset = 0;
  if (std::optional<std::u16string> text = ReadWideName(block, offset)) return *text;
  std::u16string text;
  for (size_t at = 0; at + 2 <= block.size(); at += 2) text.push_back(cl::le::ReadU16(&block[at]));
  return text;
}

}  // namespace ctl
