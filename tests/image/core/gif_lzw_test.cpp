// The LZW codec over plain buffers: round trips, the exact code streams of small frames, and the decoder's
// handling of damaged data.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "image/core/gif_error.h"
#include "image/core/gif_lzw_decoder.h"
#include "image/core/gif_lzw_encoder.h"

namespace img {
namespace {

class BufferSource : public GIFDataSource {
 public:
  explicit BufferSource(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    const std::size_t n = std::min(count, bytes_.size() - position_);
    if (n > 0) std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
  }
  std::int64_t Remaining() override { return static_cast<std::int64_t>(bytes_.size() - position_); }
  void Skip(std::size_t count) override { position_ = std::min(bytes_.size(), position_ + count); }
  std::size_t Position() const { return position_; }

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

struct Decoded {
  std::vector<std::uint8_t> pixels;
  std::vector<std::string> warnings;
  std::size_t endPosition = 0;
};

Decoded Decode(const std::vector<std::uint8_t>& data, int width, int height, bool interlaced = false) {
  Decoded result;
  result.pixels.assign(static_cast<std::size_t>(width) * height, 0);
  BufferSource source(data);
  DecodeGIFImageData(source, {result.pixels.data(), width, height, interlaced},
                     [&](const std::string& message) { result.warnings.push_back(message); });
  result.endPosition = source.Position();
  return result;
}

std::vector<std::uint8_t> Encode(const std::vector<std::uint8_t>& pixels, int width, int height, int bits,
                                 bool interlaced = false) {
  std::vector<std::uint8_t> data;
  EncodeGIFImageData({pixels.data(), width, height, interlaced}, bits, data);
  return data;
}

std::vector<std::uint8_t> Noise(std::size_t count, int bits, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<std::uint8_t> pixels(count);
  for (auto& pixel : pixels) pixel = static_cast<std::uint8_t>(random() & ((1u << bits) - 1));
  return pixels;
}

// Packs codes least significant bit first, each at its width, into sub-blocks of up to 255 bytes.
std::vector<std::uint8_t> PackCodes(int minimumCodeSize, const std::vector<std::pair<int, int>>& codes,
                                    bool terminator = true) {
  std::vector<std::uint8_t> bytes;
  std::uint32_t bucket = 0;
  int bitCount = 0;
  for (const auto& [code, width] : codes) {
    bucket |= static_cast<std::uint32_t>(code) << bitCount;
    bitCount += width;
    while (bitCount >= 8) {
      bytes.push_back(static_cast<std::uint8_t>(bucket));
      bucket >>= 8;
      bitCount -= 8;
    }
  }
  if (bitCount > 0) bytes.push_back(static_cast<std::uint8_t>(bucket));
  std::vector<std::uint8_t> data{static_cast<std::uint8_t>(minimumCodeSize)};
  for (std::size_t at = 0; at < bytes.size(); at += 255) {
    const std::size_t n = std::min<std::size_t>(255, bytes.size() - at);
    data.push_back(static_cast<std::uint8_t>(n));
    data.insert(data.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at),
                bytes.begin() + static_cast<std::ptrdiff_t>(at + n));
  }
  if (terminator) data.push_back(0);
  return data;
}

TEST(GifLzw, RoundTripsRandomFramesOfEveryDepth) {
  for (int bits = 1; bits <= 8; ++bits) {
    for (auto [width, height] : {std::pair{1, 1}, {1, 37}, {53, 1}, {61, 47}}) {
      const auto pixels = Noise(static_cast<std::size_t>(width) * height, bits, 7u * bits + width);
      const auto data = Encode(pixels, width, height, bits);
      const Decoded decoded = Decode(data, width, height);
      EXPECT_EQ(decoded.pixels, pixels) << bits << " bits, " << width << "x" << height;
      EXPECT_TRUE(decoded.warnings.empty());
      EXPECT_EQ(decoded.endPosition, data.size());
    }
  }
}

TEST(GifLzw, RoundTripsInterlacedFramesOfEveryHeight) {
  for (int height = 1; height <= 9; ++height) {
    const auto pixels = Noise(static_cast<std::size_t>(5) * height, 4, height);
    const auto data = Encode(pixels, 5, height, 4, true);
    EXPECT_EQ(Decode(data, 5, height, true).pixels, pixels) << "height " << height;
  }
}

TEST(GifLzw, InterlacedRowsAreWrittenInPassOrder) {
  // One distinct colour a row, so the decoded-as-progressive rows show the order they were written in.
  const std::vector<std::vector<int>> expected{{0, 2, 1}, {0, 2, 1, 3}, {0, 4, 2, 1, 3}};
  for (const auto& order : expected) {
    const int height = static_cast<int>(order.size());
    std::vector<std::uint8_t> pixels;
    for (int row = 0; row < height; ++row) pixels.insert(pixels.end(), 3, static_cast<std::uint8_t>(row));
    const Decoded asWritten = Decode(Encode(pixels, 3, height, 3, true), 3, height, false);
    for (int i = 0; i < height; ++i) EXPECT_EQ(asWritten.pixels[3 * i], order[i]) << "height " << height;
  }
}

TEST(GifLzw, NoiseFillsTheTableAndKeepsSubBlocksAt254Bytes) {
  const auto pixels = Noise(300 * 300, 8, 42);
  const auto data = Encode(pixels, 300, 300, 8);
  EXPECT_EQ(Decode(data, 300, 300).pixels, pixels);
  std::size_t at = 1;
  std::vector<std::size_t> lengths;
  while (data[at] != 0) {
    lengths.push_back(data[at]);
    at += data[at] + 1;
  }
  EXPECT_EQ(at + 1, data.size());
  ASSERT_GT(lengths.size(), 2u);
  for (std::size_t i = 0; i + 1 < lengths.size(); ++i) EXPECT_EQ(lengths[i], 254u);
  EXPECT_LE(lengths.back(), 254u);
}

TEST(GifLzw, OnePixelFramesWriteClearPixelEnd) {
  // 1 bit: minimum code size 2, codes 4, 1, 5 at 3 bits.
  EXPECT_EQ(Encode({1}, 1, 1, 1), PackCodes(2, {{4, 3}, {1, 3}, {5, 3}}));
  // 8 bits: minimum code size 8, codes 256, 200, 257 at 9 bits.
  EXPECT_EQ(Encode({200}, 1, 1, 8), PackCodes(8, {{256, 9}, {200, 9}, {257, 9}}));
  // 4 bits: clear 16, first width 5.
  EXPECT_EQ(Encode({9}, 1, 1, 4), PackCodes(4, {{16, 5}, {9, 5}, {17, 5}}));
}

TEST(GifLzw, PixelsBeyondTheColourMapWidenTheCodeSize) {
  // A 2-colour map but index 200: written with 8-bit codes so that no pixel collides with a table code.
  const std::vector<std::uint8_t> pixels{0, 1, 200, 1, 0, 200};
  const auto data = Encode(pixels, 3, 2, 1);
  EXPECT_EQ(data[0], 8);
  EXPECT_EQ(Decode(data, 3, 2).pixels, pixels);
}

TEST(GifLzw, DecodesWithoutLeadingClearAndTheKwKwKCase) {
  // Code 6 is the next free code when it arrives: the previous string (1) plus its own first pixel.
  const auto data = PackCodes(2, {{1, 3}, {6, 3}, {5, 3}});
  EXPECT_EQ(Decode(data, 3, 1).pixels, (std::vector<std::uint8_t>{1, 1, 1}));
}

TEST(GifLzw, KeepsDecodingAtTwelveBitsWhenTheTableIsFull) {
  // Literals fill the table up to 4096 without a clear; later codes still refer to the full table.
  std::vector<std::pair<int, int>> codes{{256, 9}};
  int nextFree = 258, width = 9;
  std::vector<std::uint8_t> expected;
  for (int i = 0; nextFree < 4096 + 1; ++i) {
    codes.push_back({i & 0xFF, width});
    expected.push_back(static_cast<std::uint8_t>(i & 0xFF));
    if (i > 0 && nextFree < 4096) ++nextFree;
    if (nextFree >= (1 << width) && width < 12) ++width;
    if (nextFree == 4096 && i > 4000) break;
  }
  codes.push_back({300, 12});  // entry 300 = pixels 42 and 43
  expected.insert(expected.end(), {42, 43});
  codes.push_back({257, 12});
  const Decoded decoded = Decode(PackCodes(8, codes), static_cast<int>(expected.size()), 1);
  EXPECT_EQ(decoded.pixels, expected);
}

TEST(GifLzw, RejectsMinimumCodeSizesAboveEleven) {
  for (int size : {12, 31, 255}) {
    EXPECT_THROW(Decode({static_cast<std::uint8_t>(size), 1, 0, 0}, 4, 4), GIFException) << size;
  }
  // Up to eleven the first code is read at size + 1 bits: code 1 is a pixel of colour 1.
  for (int size : {1, 2, 8, 11}) EXPECT_EQ(Decode(PackCodes(size, {{1, size + 1}}), 4, 4).pixels[0], 1) << size;
}

TEST(GifLzw, CircularTablesRaiseInsteadOfOverrunning) {
  // After the clear, 258 arrives before it is defined and becomes the prefix of entry 258 itself.
  try {
    Decode(PackCodes(8, {{256, 9}, {258, 9}, {258, 9}, {258, 9}}), 16, 16);
    FAIL() << "no exception";
  } catch (const GIFException& error) {
    EXPECT_STREQ(error.what(), "Circular decoder table entry");
  }
  // A two-step cycle: 258 -> 300 -> 258 never names itself; the bounded stack stops it.
  std::vector<std::pair<int, int>> codes{{256, 9}, {300, 9}};
  for (int i = 0; i < 41; ++i) codes.push_back({i, 9});  // entries 258..298
  codes.push_back({258, 9});                             // entry 299 = prefix 40
  codes.push_back({299, 9});                             // entry 300 = prefix 258
  codes.push_back({258, 9});
  codes.push_back({300, 9});
  EXPECT_THROW(Decode(PackCodes(8, codes), 64, 64), GIFException);
}

TEST(GifLzw, SkipsDataAfterTheLastPixelToTheTerminator) {
  // Four pixels expected, six coded, then the end code and an extra sub-block.
  auto data = PackCodes(8, {{256, 9}, {1, 9}, {2, 9}, {3, 9}, {0, 9}, {1, 9}, {2, 9}, {257, 9}}, false);
  data.insert(data.end(), {3, 9, 9, 9, 0, 0x3B});
  const Decoded decoded = Decode(data, 4, 1);
  EXPECT_EQ(decoded.pixels, (std::vector<std::uint8_t>{1, 2, 3, 0}));
  EXPECT_EQ(decoded.endPosition, data.size() - 1);  // at the trailer
}

TEST(GifLzw, AnEarlyEndCodeLeavesTheNextBlockAlone) {
  auto data = PackCodes(2, {{4, 3}, {1, 3}, {5, 3}});
  data.push_back(0x3B);
  const Decoded decoded = Decode(data, 4, 1);
  EXPECT_EQ(decoded.pixels, (std::vector<std::uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(decoded.endPosition, data.size() - 1);
  EXPECT_TRUE(decoded.warnings.empty());
}

TEST(GifLzw, ShortDataKeepsTheRestZeroAndWarnsAfterTheTerminator) {
  const auto data = PackCodes(2, {{4, 3}, {1, 3}, {2, 3}});
  const Decoded decoded = Decode(data, 4, 2);
  EXPECT_EQ(decoded.pixels, (std::vector<std::uint8_t>{1, 2, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(decoded.warnings, std::vector<std::string>{"Decoder bit buffer under-run"});
  EXPECT_EQ(decoded.endPosition, data.size());

  auto cut = data;
  cut.pop_back();  // no terminator: the codes just end
  EXPECT_TRUE(Decode(cut, 4, 2).warnings.empty());
}

TEST(GifLzw, ASubBlockLongerThanTheDataIsReadAsFarAsItGoes) {
  auto data = PackCodes(8, {{256, 9}, {1, 9}, {2, 9}, {3, 9}, {257, 9}}, false);
  data[1] = 200;
  const Decoded decoded = Decode(data, 4, 1);
  EXPECT_EQ(decoded.pixels, (std::vector<std::uint8_t>{1, 2, 3, 0}));
  EXPECT_EQ(decoded.warnings.front(), "Premature end of data");
}

TEST(GifLzw, CodesContinueAcrossOneByteSubBlocks) {
  const auto pixels = Noise(40 * 40, 8, 3);
  const auto data = Encode(pixels, 40, 40, 8);
  // Re-chunk the same bytes into sub-blocks of one byte each.
  std::vector<std::uint8_t> bytes;
  for (std::size_t at = 1; data[at] != 0; at += data[at] + 1) {
    bytes.insert(bytes.end(), data.begin() + static_cast<std::ptrdiff_t>(at + 1),
                 data.begin() + static_cast<std::ptrdiff_t>(at + 1 + data[at]));
  }
  std::vector<std::uint8_t> tiny{data[0]};
  for (std::uint8_t byte : bytes) tiny.insert(tiny.end(), {1, byte});
  tiny.push_back(0);
  EXPECT_EQ(Decode(tiny, 40, 40).pixels, pixels);
}

TEST(GifLzw, EmptyDataWritesNoPixelAndWarnsOfNothing) {
  std::vector<std::uint8_t> pixels(4, 0xAA);
  std::vector<std::string> warnings;
  BufferSource source({});
  DecodeGIFImageData(source, {pixels.data(), 2, 2, false},
                     [&](const std::string& message) { warnings.push_back(message); });
  EXPECT_EQ(pixels, std::vector<std::uint8_t>(4, 0xAA));
  EXPECT_TRUE(warnings.empty());
}

}  // namespace
}  // namespace img
