// The block compressor and the compressed stream: the block format's exact bytes, round trips of every length
// class, and damaged input raising the read error.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "controls/core/compressed_stream.h"
#include "controls/core/item_framing.h"
#include "controls/core/lzrw.h"

namespace ctl {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Compress(const Bytes& input) {
  Bytes output(input.size() + kLZRWOverrun);
  output.resize(LZRWCompress(input, output));
  return output;
}

Bytes Decompress(const Bytes& block) {
  Bytes output(kLZRWBlockSize);
  output.resize(LZRWDecompress(block, output));
  return output;
}

Bytes Repeat(uint8_t value, size_t count) {
  return Bytes(count, value);
}

Bytes Text(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

// Data of several shapes: noise, a small alphabet, repeated phrases, long runs.
Bytes Mixed(size_t count, unsigned seed) {
  std::mt19937 random(seed);
  const std::string phrase = "the quick brown fox jumps over the lazy dog; ";
  Bytes data;
  while (data.size() < count) {
    switch (random() % 4) {
      case 0:
        for (int i = 0; i < 200; ++i) data.push_back(static_cast<uint8_t>(random()));
        break;
      case 1:
        for (int i = 0; i < 300; ++i) data.push_back(static_cast<uint8_t>('a' + random() % 3));
        break;
      case 2:
        for (int i = 0; i < 8; ++i) data.insert(data.end(), phrase.begin(), phrase.end());
        break;
      default:
        data.insert(data.end(), 100 + random() % 6000, static_cast<uint8_t>(random()));
    }
  }
  data.resize(count);
  return data;
}

Bytes Noise(size_t count, unsigned seed) {
  std::mt19937 random(seed);
  Bytes data(count);
  for (auto& byte : data) byte = static_cast<uint8_t>(random());
  return data;
}

TEST(LZRWBlock, WritesTheFormatsExactBytes) {
  const struct {
    const char* name;
    Bytes input;
    Bytes block;
  } cases[] = {
      {"run of 20", Repeat('a', 20), {0x40, 0x80, 0x00, 0x00, 0x00, 0x04, 0x61}},
      {"too short to shrink", Text("abc"), {0x80, 0x61, 0x62, 0x63}},
      {"one byte", Text("z"), {0x80, 0x7A}},
      {"overlapping match, left-aligned control word",
       Text("abcabcabc"),
       {0x40, 0x10, 0x00, 0x61, 0x62, 0x63, 0x00, 0x33}},
      {"longest run", Repeat('x', 4095), {0x40, 0x80, 0x00, 0x00, 0x0F, 0xEF, 0x78}},
      {"run split at its longest",
       Repeat('x', 5000),
       {0x40, 0xC0, 0x00, 0x00, 0x0F, 0xEF, 0x78, 0x00, 0x03, 0x79, 0x78}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Compress(c.input), c.block) << c.name;
    EXPECT_EQ(Decompress(c.block), c.input) << c.name;
  }
}

TEST(LZRWBlock, StoresBlocksThatWouldNotShrink) {
  const Bytes noise = Noise(kLZRWBlockSize, 1);
  const Bytes block = Compress(noise);
  ASSERT_EQ(block.size(), kLZRWMaxBlockLength);
  EXPECT_EQ(block[0], kLZRWStored);
  EXPECT_EQ(Decompress(block), noise);
}

TEST(LZRWBlock, ReadsASecondControlWord) {
  // A group of 16 literals, then a group holding one run of 18 bytes.
  Bytes block = {0x40, 0x00, 0x00};
  Bytes expected;
  for (uint8_t i = 0; i < 16; ++i) {
    block.push_back('A' + i);
    expected.push_back('A' + i);
  }
  block.insert(block.end(), {0x80, 0x00, 0x00, 0x00, 0x02, 0x2A});
  expected.insert(expected.end(), 18, 0x2A);
  EXPECT_EQ(Decompress(block), expected);
}

// Every position of a block can be matched, also those past 32,767.
TEST(LZRWBlock, MatchesPositionsAtTheEndOfAFullBlock) {
  Bytes input(32768, 0);
  const Bytes tail = Text("PQRSTUVPQRSTUV");
  input.insert(input.end(), tail.begin(), tail.end());
  ASSERT_EQ(input.size(), kLZRWBlockSize);
  const Bytes block = Compress(input);
  // 8 runs, a literal and a match for the zeros, 7 literals and a match (offset 7, length 7) for the tail.
  ASSERT_EQ(block.size(), 49u);
  EXPECT_EQ(block[47], 0x00);
  EXPECT_EQ(block[48], 0x74);
  EXPECT_EQ(Decompress(block), input);
}

TEST(LZRWBlock, RoundTripsEveryLengthClass) {
  for (size_t length :
       {size_t{1}, size_t{2}, size_t{3}, size_t{17}, size_t{18}, size_t{4096}, kLZRWBlockSize - 1, kLZRWBlockSize}) {
    for (unsigned seed = 0; seed < 4; ++seed) {
      const Bytes input = seed == 0 ? Noise(length, seed) : Mixed(length, seed);
      EXPECT_EQ(Decompress(Compress(input)), input) << length << " bytes, seed " << seed;
    }
  }
}

TEST(LZRWBlock, RejectsWhatTheCompressorCannotHaveWritten) {
  Bytes overflowByRuns = {0x40, 0xFF, 0xFF};
  for (int i = 0; i < 9; ++i) overflowByRuns.insert(overflowByRuns.end(), {0x00, 0x0F, 0xEF, 0x00});
  Bytes overflowByLiteral = {0x40, 0xFF, 0x80};
  for (int i = 0; i < 8; ++i) overflowByLiteral.insert(overflowByLiteral.end(), {0x00, 0x0F, 0xEF, 0x00});
  overflowByLiteral.insert(overflowByLiteral.end(), {0x00, 0x00, 0x06, 0x00, 0x7A});  // run of 22, then a literal
  Bytes storedTooLong(kLZRWBlockSize + 2, 0);
  storedTooLong[0] = kLZRWStored;
  Bytes controlWordCut = {0x40, 0x00, 0x00};
  controlWordCut.insert(controlWordCut.end(), 16, 'q');
  controlWordCut.push_back(0x80);

  const struct {
    const char* name;
    Bytes block;
  } cases[] = {
      {"empty", {}},
      {"unknown header", {0x41, 0x00, 0x00, 0x61}},
      {"no control word", {0x40, 0x00}},
      {"reference before the output", {0x40, 0x80, 0x00, 0x00, 0x13}},
      {"reference past what was produced", {0x40, 0x40, 0x00, 0x61, 0x00, 0x23}},
      {"match cut off", {0x40, 0x80, 0x00, 0x00}},
      {"run cut off", {0x40, 0x80, 0x00, 0x00, 0x00, 0x04}},
      {"runs past the block", overflowByRuns},
      {"literal past the block", overflowByLiteral},
      {"stored block too long", storedTooLong},
      {"control word cut off", controlWordCut},
  };
  for (const auto& c : cases) EXPECT_THROW(Decompress(c.block), cl::EReadError) << c.name;
}

Bytes CompressStream(const Bytes& input) {
  cl::TMemoryStream source;
  source.WriteBuffer(input.data(), static_cast<int32_t>(input.size()));
  source.SetPosition(0);
  cl::TMemoryStream dest;
  WriteCompressedStream(&source, &dest, static_cast<int64_t>(input.size()));
  const auto* bytes = static_cast<const uint8_t*>(dest.Memory());
  return Bytes(bytes, bytes + dest.Size());
}

Bytes ExpandStream(const Bytes& stream) {
  cl::TMemoryStream source;
  source.WriteBuffer(stream.data(), static_cast<int32_t>(stream.size()));
  source.SetPosition(0);
  cl::TMemoryStream dest;
  ReadCompressedStream(&source, &dest);
  EXPECT_EQ(source.Position(), source.Size());
  const auto* bytes = static_cast<const uint8_t*>(dest.Memory());
  return Bytes(bytes, bytes + dest.Size());
}

TEST(CompressedStream, FramesBlocksWithTheirLengthsAndTotal) {
  EXPECT_EQ(CompressStream({}), Bytes({0, 0, 0, 0}));
  EXPECT_EQ(ExpandStream({0, 0, 0, 0}), Bytes());
  EXPECT_EQ(CompressStream(Repeat('a', 20)),
            Bytes({11, 0, 0, 0, 7, 0, 0, 0, 0x40, 0x80, 0x00, 0x00, 0x00, 0x04, 0x61}));
}

TEST(CompressedStream, RoundTripsAcrossBlocks) {
  for (size_t length : {kLZRWBlockSize + 1, 2 * kLZRWBlockSize, size_t{1} << 20}) {
    const Bytes input = Mixed(length, static_cast<unsigned>(length));
    const Bytes stream = CompressStream(input);
    // The total counts every block with its length field.
    size_t position = 4, blocks = 0;
    while (position < stream.size()) {
      position += 4 + (stream[position] | stream[position + 1] << 8 | stream[position + 2] << 16);
      ++blocks;
    }
    EXPECT_EQ(position, stream.size());
    EXPECT_EQ(blocks, (length + kLZRWBlockSize - 1) / kLZRWBlockSize);
    EXPECT_EQ(stream[0] | stream[1] << 8 | stream[2] << 16 | stream[3] << 24, static_cast<int>(stream.size() - 4));
    EXPECT_EQ(ExpandStream(stream), input) << length;
  }
}

TEST(CompressedStream, RefusesToExpandPastItsBudgetBeforeKeepingAnything) {
  // Each block of 39 bytes expands to a whole block of zeros: 8,193 of them pass the budget by one block.
  Bytes block(kLZRWWorkSize);
  block.resize(LZRWCompress(Bytes(kLZRWBlockSize, 0), block));
  ASSERT_EQ(block.size(), 39u);
  const int64_t blocks = kMaxExpandedSize / static_cast<int64_t>(kLZRWBlockSize) + 1;
  cl::TMemoryStream source;
  WriteInt32(&source, static_cast<int32_t>(blocks * (4 + static_cast<int64_t>(block.size()))));
  for (int64_t i = 0; i < blocks; ++i) {
    WriteInt32(&source, static_cast<int32_t>(block.size()));
    source.WriteBuffer(block.data(), static_cast<int32_t>(block.size()));
  }
  source.SetPosition(0);
  cl::TMemoryStream dest;
  EXPECT_THROW(ReadCompressedStream(&source, &dest), cl::EReadError);
  EXPECT_EQ(dest.Size(), 0);
}

TEST(CompressedStream, RejectsDamagedFraming) {
  const Bytes good = CompressStream(Repeat('a', 20));
  auto with = [&](size_t at, std::initializer_list<uint8_t> bytes) {
    Bytes damaged = good;
    std::copy(bytes.begin(), bytes.end(), damaged.begin() + at);
    return damaged;
  };
  const struct {
    const char* name;
    Bytes stream;
  } cases[] = {
      {"negative total", with(0, {0xFF, 0xFF, 0xFF, 0xFF})},
      {"block length 0", with(4, {0, 0, 0, 0})},
      {"block length past the largest block", with(4, {0x10, 0x80, 0, 0})},
      {"negative block length", with(4, {0xFF, 0xFF, 0xFF, 0xFF})},
      {"total shorter than its block", with(0, {10, 0, 0, 0})},
      {"truncated block", Bytes(good.begin(), good.end() - 1)},
      {"total without blocks", {4, 0, 0, 0}},
      {"total past the end", with(0, {12, 0, 0, 0})},
  };
  for (const auto& c : cases) EXPECT_THROW(ExpandStream(c.stream), cl::EReadError) << c.name;
}

}  // namespace
}  // namespace ctl
