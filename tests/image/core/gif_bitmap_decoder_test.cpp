// The read-only GIF bitmap's decoder: the files it refuses and why, row order, rows the data never reaches,
// damaged and cut-off data, and giflib's sample pictures against the GIF graphic's own reader.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "image/core/gif_bitmap_decoder.h"
#include "image/core/gif_lzw_encoder.h"
#include "tests/image/core/gif_test_support.h"

namespace img {
namespace {

using test::Append;
using test::Bytes;
using test::ByteStream;

constexpr int kBackground = 5;

// A header with a global table of 2 << sizeBits entries and background colour index 5, then an image
// descriptor; flags is its packed byte.
Bytes Header(int width, int height, int flags = 0, const std::string& signature = "GIF87a", int sizeBits = 7) {
  Bytes bytes = test::GifHeader(width, height, sizeBits, signature);
  bytes[11] = kBackground;
  Append(bytes, {0x2C, 0, 0, 0, 0, width & 0xFF, width >> 8, height & 0xFF, height >> 8, flags});
  return bytes;
}

Bytes GifOf(const Bytes& pixels, int width, int height, bool interlaced = false) {
  Bytes bytes = Header(width, height, interlaced ? 0x40 : 0);
  EncodeGIFImageData({pixels.data(), width, height, interlaced}, 8, bytes);
  return bytes;
}

// Packs codes least significant bit first into data sub-blocks, widening the codes the way a decoder does:
// every code but a clear and the first after it adds a table entry.
class CodeWriter {
 public:
  explicit CodeWriter(int minimumCodeSize) : FMinimum(minimumCodeSize) { FData.push_back(minimumCodeSize); }
  CodeWriter& Clear() {
    Put(1 << FMinimum);
    FWidth = FMinimum + 1;
    FNext = (1 << FMinimum) + 2;
    FAfterClear = true;
    return *this;
  }
  CodeWriter& Code(int code) {
    Put(code);
    if (!FAfterClear && ++FNext == (1 << FWidth) && FWidth < 12) ++FWidth;
    FAfterClear = false;
    return *this;
  }
  CodeWriter& End() {
    Put((1 << FMinimum) + 1);
    return *this;
  }
  // The data with its sub-blocks; terminated unless told otherwise.
  Bytes Data(bool terminated = true) {
    Bytes packed = FPacked;
    if (FBitCount > 0) packed.push_back(static_cast<uint8_t>(FBits));
    Bytes data = FData;
    for (size_t at = 0; at < packed.size(); at += 255) {
      const size_t count = std::min<size_t>(255, packed.size() - at);
      data.push_back(static_cast<uint8_t>(count));
      data.insert(data.end(), packed.begin() + at, packed.begin() + at + count);
    }
    if (terminated) data.push_back(0);
    return data;
  }

 private:
  void Put(int code) {
    FBits |= static_cast<uint32_t>(code) << FBitCount;
    for (FBitCount += FWidth; FBitCount >= 8; FBitCount -= 8, FBits >>= 8)
      FPacked.push_back(static_cast<uint8_t>(FBits));
  }
  int FMinimum;
  int FWidth = FMinimum + 1;
  int FNext = (1 << FMinimum) + 2;
  bool FAfterClear = true;
  uint32_t FBits = 0;
  int FBitCount = 0;
  Bytes FData;
  Bytes FPacked;
};

TGif Decoded(const Bytes& bytes) {
  ByteStream stream(bytes);
  TGif gif;
  gif.Decode(stream);
  return gif;
}

// The pixel at (x, y) of the top-down picture.
uint8_t Pixel(const TGif& gif, int x, int y) {
  const cl::bmp::TDibImage& image = gif.Image();
  return image.Bits[image.Stride() * static_cast<size_t>(image.Height - 1 - y) + static_cast<size_t>(x)];
}

Bytes TopDownPixels(const TGif& gif) {
  Bytes pixels;
  for (int y = 0; y < gif.Image().Height; ++y)
    for (int x = 0; x < gif.Image().Width; ++x) pixels.push_back(Pixel(gif, x, y));
  return pixels;
}

Bytes Noise(size_t count, unsigned seed) {
  std::mt19937 random(seed);
  Bytes pixels(count);
  for (uint8_t& pixel : pixels) pixel = static_cast<uint8_t>(random());
  return pixels;
}

TEST(GifBitmapDecoder, DecodesPlainAndInterlacedImagesIntoEightBitRows) {
  for (const bool interlaced : {false, true}) {
    for (const auto& [width, height] : {std::pair{3, 10}, {37, 3}, {2048, 6}, {64, 65}}) {
      SCOPED_TRACE(testing::Message() << width << "x" << height << (interlaced ? " interlaced" : ""));
      const Bytes pixels = Noise(static_cast<size_t>(width) * height, width + height);
      const TGif gif = Decoded(GifOf(pixels, width, height, interlaced));
      EXPECT_EQ(TopDownPixels(gif), pixels);
      EXPECT_EQ(gif.Image().BitCount, 8);
      EXPECT_EQ(gif.Image().Bits.size(), gif.Image().Stride() * height);  // rows padded to 4 bytes
      ASSERT_EQ(gif.Image().Colors.size(), 256u);
      const cl::bmp::TColorEntry second{0, 254, 1, 0};  // the header's entry 1 as blue, green, red
      EXPECT_EQ(gif.Image().Colors[1], second);
    }
  }
}

TEST(GifBitmapDecoder, WritesIntoTheRowsItIsGiven) {
  const Bytes file = GifOf(Noise(35, 3), 7, 5);
  Bytes rows;
  ByteStream stream(file);
  TGif gif;
  gif.OnAllocateRows = [&](const cl::bmp::TDibImage& shape) {
    EXPECT_TRUE(shape.Bits.empty());
    rows.assign(shape.Stride() * shape.Height, 0xEE);
    return rows.data();
  };
  gif.Decode(stream);
  EXPECT_TRUE(gif.Image().Bits.empty());
  EXPECT_EQ(rows, Decoded(file).Image().Bits);  // the padding bytes are cleared as well
}

TEST(GifBitmapDecoder, InterlacedRowsComeInPassOrder) {
  // Rows are sent in the order 0, 2, 1 for a picture three rows high; each row holds its place in the data.
  const Bytes data = CodeWriter(2).Clear().Code(0).Code(1).Code(2).End().Data();
  Bytes bytes = Header(1, 3, 0x40);
  bytes.insert(bytes.end(), data.begin(), data.end());
  const TGif gif = Decoded(bytes);
  EXPECT_EQ(TopDownPixels(gif), (Bytes{0, 2, 1}));
}

TEST(GifBitmapDecoder, UsesTheLocalTableWhenTheImageHasOne) {
  Bytes bytes = Header(2, 1, 0x80);  // a local table of two entries
  Append(bytes, {10, 20, 30, 40, 50, 60});
  const Bytes data = CodeWriter(2).Clear().Code(1).Code(0).End().Data();
  bytes.insert(bytes.end(), data.begin(), data.end());
  const TGif gif = Decoded(bytes);
  const std::vector<cl::bmp::TColorEntry>& colors = gif.Image().Colors;
  EXPECT_EQ(colors[0], (cl::bmp::TColorEntry{30, 20, 10, 0}));
  EXPECT_EQ(colors[1], (cl::bmp::TColorEntry{60, 50, 40, 0}));
  EXPECT_EQ(colors[2], cl::bmp::TColorEntry{});  // beyond the table's two entries
  EXPECT_EQ(TopDownPixels(gif), (Bytes{1, 0}));
}

TEST(GifBitmapDecoder, RowsTheDataNeverReachesHoldTheBackground) {
  // Four of eight rows, then the end code; the fifth row is half done.
  CodeWriter codes(2);
  codes.Clear();
  for (int i = 0; i < 9; ++i) codes.Code(1);
  Bytes bytes = Header(2, 8);
  const Bytes data = codes.End().Data();
  bytes.insert(bytes.end(), data.begin(), data.end());
  const TGif gif = Decoded(bytes);
  const Bytes expected{1, 1,           1,           1,           1,           1,           1,           1,
                       1, kBackground, kBackground, kBackground, kBackground, kBackground, kBackground, kBackground};
  EXPECT_EQ(TopDownPixels(gif), expected);
}

TEST(GifBitmapDecoder, StopsAtTheLastRowAndLeavesTheStreamAfterWhatItRead) {
  // The codes go on past the last pixel over several sub-blocks and have neither end code nor terminator.
  CodeWriter codes(2);
  codes.Clear();
  for (int i = 0; i < 600; ++i) codes.Code(2);
  Bytes bytes = Header(2, 2);
  const Bytes data = codes.Data(false);
  bytes.insert(bytes.end(), data.begin(), data.end());
  const size_t headerSize = bytes.size() - data.size();
  ByteStream stream(bytes);
  TGif gif;
  int rows = 0;
  gif.OnRow = [&] { ++rows; };
  gif.Decode(stream);
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(TopDownPixels(gif), (Bytes{2, 2, 2, 2}));
  // The code size byte and the first sub-block, which held the four pixels' codes.
  EXPECT_EQ(stream.Position(), static_cast<int64_t>(headerSize + 2 + 255));
}

TEST(GifBitmapDecoder, RefusesFilesWithTheirErrorText) {
  const Bytes picture = GifOf(Bytes(64, 1), 8, 8);
  auto withData = [](Bytes bytes, const Bytes& data) {
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
  };
  Bytes noGlobalTable = test::GifHeader(2, 2, -1, "GIF87a");
  Append(noGlobalTable, {0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0x80, 1, 2, 3, 4, 5, 6});
  Bytes extensionFirst = test::GifHeader(2, 2, 0, "GIF89a");
  Append(extensionFirst, {0x21, 0xF9, 4, 0, 0, 0, 0, 0});
  extensionFirst.insert(extensionFirst.end(), picture.begin() + 13 + 768, picture.end());
  CodeWriter fullTable(8);
  fullTable.Clear().Code(1);
  for (int next = 258; next < 4096; ++next) fullTable.Code(1);
  fullTable.Code(1);
  const struct {
    const char* name;
    Bytes bytes;
    const char* message;
  } cases[] = {
      {"lower-case signature", withData({'g', 'i', 'f', '8', '7', 'a'}, Bytes(picture.begin() + 6, picture.end())),
       "Not a GIF file"},
      {"empty file", {}, "Not a GIF file"},
      {"no global table", withData(noGlobalTable, CodeWriter(2).Clear().Code(1).End().Data()), "Missing color table"},
      {"extension before the image", extensionFirst, "Bad data"},
      {"zero width", withData(Header(0, 2), CodeWriter(2).Clear().End().Data()), "Bad data"},
      {"wider than 2048", withData(Header(2049, 1), CodeWriter(2).Clear().Code(1).End().Data()), "Bad data"},
      {"code size 1", withData(Header(2, 2), {1, 1, 0, 0}), "Bad code size"},
      {"code size 10", withData(Header(2, 2), {10, 1, 0, 0}), "Bad code size"},
      {"end code after clear", withData(Header(2, 2), CodeWriter(2).Clear().End().Data()), "Bad code"},
      {"code past the table", withData(Header(2, 2), CodeWriter(2).Clear().Code(1).Code(7).Data()), "Bad code"},
      {"full table without clear", withData(Header(2048, 4), fullTable.Data()), "Bad bit size"},
      {"terminator inside the codes", withData(Header(4, 4), CodeWriter(2).Clear().Code(1).Code(1).Data()), "No data"},
      {"cut in the colour table", Bytes(picture.begin(), picture.begin() + 100), "Unexpected EOF"},
      {"cut in the descriptor", Bytes(picture.begin(), picture.begin() + 13 + 768 + 4), "Unexpected EOF"},
      {"cut in a data block", Bytes(picture.begin(), picture.end() - 5), "Unexpected EOF"},
      {"cut before a count byte", withData(Header(4, 4), CodeWriter(2).Clear().Code(1).Code(1).Data(false)),
       "Unexpected EOF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ByteStream stream(c.bytes);
    TGif gif;
    try {
      gif.Decode(stream);
      ADD_FAILURE() << "no exception";
    } catch (const EGifException& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

// The sample pictures of giflib's source package, fetched by the bootstrap script.
std::filesystem::path SampleFolder() {
  const char* folder = std::getenv("PROJECT_GIFLIB_SAMPLES");
  return folder ? folder : "";
}

TEST(GifBitmapDecoder, GiflibSamplesMatchTheGifGraphicOrAreRefused) {
  ASSERT_TRUE(std::filesystem::is_directory(SampleFolder())) << "run scripts/bootstrap";
  int matched = 0, refused = 0;
  for (const auto& entry : std::filesystem::directory_iterator(SampleFolder())) {
    if (entry.path().extension() != ".gif") continue;
    SCOPED_TRACE(entry.path().filename().string());
    ByteStream stream;
    stream.LoadFromFile(entry.path().string());
    const Bytes bytes = stream.Contents();
    test::RecordingImage reference;
    reference.Load(bytes);
    TGIFSubImageCore* frame = reference.Frame(0);
    // This decoder reads only an image that follows the colour tables directly (GIF87a files, as a rule).
    if (bytes[13 + 3 * (2 << (bytes[10] & 7))] != 0x2C) {
      EXPECT_THROW(Decoded(bytes), EGifException);
      ++refused;
      continue;
    }
    const TGif gif = Decoded(bytes);
    ASSERT_EQ(gif.Image().Width, frame->Width());
    ASSERT_EQ(gif.Image().Height, frame->Height());
    EXPECT_TRUE(TopDownPixels(gif) == Bytes(frame->Data(), frame->Data() + frame->DataSize()));
    TGIFColorMap& map =
        frame->ColorMap().Count() > 0 ? static_cast<TGIFColorMap&>(frame->ColorMap()) : reference.GlobalColorMap();
    for (int i = 0; i < map.Count(); ++i) {
      const cl::bmp::TColorEntry& entry = gif.Image().Colors[i];
      EXPECT_EQ(std::tie(entry.Red, entry.Green, entry.Blue),
                std::tie(map.Entry(i).Red, map.Entry(i).Green, map.Entry(i).Blue));
    }
    ++matched;
  }
  EXPECT_EQ(matched, 4);
  EXPECT_EQ(refused, 4);
}

}  // namespace
}  // namespace img
