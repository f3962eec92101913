// PCX reading: header checks, run-length decoding of the scan lines, and planes to DIB rows.
#include "formatlib/core/pcx_codec.h"

#include <algorithm>

#include "classlib/core/byte_reader.h"
#include "formatlib/core/decode_guard.h"
#include "formatlib/core/pcx_layout.h"

namespace fl {
namespace {

// A run-length byte pair yields at most 63 bytes, so data that decodes to more than this many bytes per input
// byte is cut short; checked before the picture is allocated.
constexpr uint64_t kMaxExpansion = pcx::kMaxRun / 2 + 1;

struct PcxHeader {
  uint8_t version = 0;
  uint8_t encoding = 0;
  int bitsPerPlane = 0;
  int planes = 0;
  int64_t width = 0;
  int64_t height = 0;
  size_t bytesPerLine = 0;
  std::span<const uint8_t> palette;  // 16 RGB triples
};

ErrorCode ReadHeader(cl::ByteReader& reader, PcxHeader& header) {
  if (reader.U8() != pcx::kManufacturer) return kNotPcxFile;
  header.version = reader.U8();
  header.encoding = reader.U8();
  header.bitsPerPlane = reader.U8();
  uint16_t left = reader.U16();
  uint16_t top = reader.U16();
  uint16_t right = reader.U16();
  uint16_t bottom = reader.U16();
  reader.Skip(4);  // resolution
  header.palette = reader.Bytes(3 * pcx::kHeaderPaletteEntries);
  reader.Skip(1);  // reserved
  header.planes = reader.U8();
  header.bytesPerLine = reader.U16();
  reader.Seek(pcx::kHeaderSize);
  if (reader.Failed()) return kTruncatedFile;
  if (header.version > pcx::kVersion5 || header.version == 1) return kNotPcxFile;
  if (header.encoding != pcx::kEncodingNone && header.encoding != pcx::kEncodingRunLength) return kUnsupportedPcx;
  if (right < left || bottom < top) return kBadDimensions;
  header.width = int64_t{right} - left + 1;
  header.height = int64_t{bottom} - top + 1;
  if (header.bytesPerLine * 8 < static_cast<uint64_t>(header.width) * header.bitsPerPlane) return kBadDimensions;
  return kOk;
}

// The DIB depth for a plane layout; 0 for layouts this reader does not take.
int DepthFor(const PcxHeader& header) {
  if (header.planes == 1) {
    switch (header.bitsPerPlane) {
      case 1:
        return 1;
      case 2:
      case 4:
        return 4;
      case 8:
        return 8;
    }
    return 0;
  }
  if (header.bitsPerPlane == 1 && header.planes >= 2 && header.planes <= 4) return 4;
  if (header.bitsPerPlane == 8 && header.planes == 3) return 24;
  if (header.bitsPerPlane == 8 && header.planes == 4) return 32;
  return 0;
}

std::vector<RgbQuad> ReadPalette(std::span<const uint8_t> triples) {
  std::vector<RgbQuad> palette(triples.size() / 3);
  for (size_t i = 0; i < palette.size(); ++i) {
    palette[i] = MakeRgb(triples[3 * i], triples[3 * i + 1], triples[3 * i + 2]);
  }
  return palette;
}

std::vector<RgbQuad> PaletteFor(const PcxHeader& header, int depth, std::span<const uint8_t> file) {
  if (depth == 1) {
    std::vector<RgbQuad> palette = ReadPalette(header.palette.first(6));
    // Many writers leave the header palette empty for black-and-white pictures.
    return palette[0] == palette[1] ? GrayPalette(1) : palette;
  }
  if (depth == 4) return ReadPalette(header.palette);
  if (depth == 8) {
    size_t size = file.size();
    if (size >= pcx::kHeaderSize + pcx::kTrailingPaletteSize &&
        file[size - pcx::kTrailingPaletteSize] == pcx::kTrailingPaletteMarker) {
      return ReadPalette(file.last(pcx::kTrailingPaletteSize - 1));
    }
    return GrayPalette(8);
  }
  return {};
}

// Decodes the scan lines one at a time; a run may carry over from one line into the next.
class LineDecoder {
 public:
  LineDecoder(cl::ByteReader& reader, bool runLength) : reader_(reader), runLength_(runLength) {}

  ErrorCode Next(std::vector<uint8_t>& line) {
    size_t filled = 0;
    while (filled < line.size()) {
      if (pending_ > 0) {
        size_t count = std::min(pending_, line.size() - filled);
        std::fill_n(line.begin() + filled, count, value_);
        filled += count;
        pending_ -= count;
        continue;
      }
      uint8_t byte = 0;
      if (!reader_.ReadU8(byte)) return kTruncatedFile;
      if (runLength_ && byte >= pcx::kRunMarker) {
        pending_ = byte & pcx::kMaxRun;
        if (!reader_.ReadU8(value_)) return kTruncatedFile;
      } else {
        line[filled++] = byte;
      }
    }
    return kOk;
  }

 private:
  cl::ByteReader& reader_;
  bool runLength_;
  size_t pending_ = 0;
  uint8_t value_ = 0;
};

// Moves one decoded scan line (its planes one after the other) into row y of the picture.
void StoreLine(const PcxHeader& header, const std::vector<uint8_t>& line, int32_t y, DibImage& image) {
  uint8_t* row = image.Row(y);
  size_t planeSize = header.bytesPerLine;
  switch (image.bitCount) {
    case 1:
    case 8:
      std::copy_n(line.begin(), (static_cast<size_t>(image.width) * image.bitCount + 7) / 8, row);
      return;
    case 4:
      for (int32_t x = 0; x < image.width; ++x) {
        uint32_t index = 0;
        if (header.planes == 1) {
          int shift = 8 - header.bitsPerPlane - (x * header.bitsPerPlane) % 8;
          index = (line[x * header.bitsPerPlane / 8] >> shift) & ((1u << header.bitsPerPlane) - 1);
        } else {
          for (int plane = 0; plane < header.planes; ++plane) {
            index |= ((line[plane * planeSize + (x >> 3)] >> (7 - (x & 7))) & 1u) << plane;
          }
        }
        image.SetIndexAt(x, y, index);
      }
      return;
    default: {
      size_t bytesPerPixel = static_cast<size_t>(image.bitCount / 8);
      for (int32_t x = 0; x < image.width; ++x) {
        uint8_t* pixel = row + x * bytesPerPixel;
        pixel[0] = line[2 * planeSize + x];
        pixel[1] = line[planeSize + x];
        pixel[2] = line[x];
        if (bytesPerPixel == 4) pixel[3] = line[3 * planeSize + x];
      }
    }
  }
}

ErrorCode Decode(std::span<const uint8_t> file, DibImage& image) {
  cl::ByteReader reader(file);
  PcxHeader header;
  if (ErrorCode error = ReadHeader(reader, header); error != kOk) return error;
  int depth = DepthFor(header);
  if (depth == 0) return kUnsupportedPcx;
  if (ErrorCode error = CheckImageSize(header.width, header.height, depth); error != kOk) return error;
  uint64_t lineSize = static_cast<uint64_t>(header.bytesPerLine) * header.planes;
  uint64_t decodedSize = lineSize * static_cast<uint64_t>(header.height);
  uint64_t expansion = header.encoding == pcx::kEncodingRunLength ? kMaxExpansion : 1;
  if (decodedSize > reader.Remaining() * expansion) return kTruncatedFile;

  if (ErrorCode error = CreateDibImage(header.width, header.height, depth, image); error != kOk) return error;
  image.palette = PaletteFor(header, depth, file);
  std::vector<uint8_t> line(lineSize);
  LineDecoder decoder(reader, header.encoding == pcx::kEncodingRunLength);
  for (int32_t y = 0; y < image.height; ++y) {
    if (ErrorCode error = decoder.Next(line); error != kOk) return error;
    StoreLine(header, line, y, image);
  }
  return kOk;
}

}  // namespace

ErrorCode ReadPcx(std::span<const uint8_t> file, DibImage& image) {
  return DecodeGuarded(image, [&] { return Decode(file, image); });
}

}  // namespace fl
