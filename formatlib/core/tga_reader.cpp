// TGA reading: header and colour map checks, raw and run-length pixel streams, both orientations.
#include "formatlib/core/tga_codec.h"

#include <algorithm>

#include "classlib/core/byte_reader.h"
#include "formatlib/core/decode_guard.h"
#include "formatlib/core/tga_layout.h"

namespace fl {
namespace {

struct TgaHeader {
  uint8_t idLength = 0;
  uint8_t colorMapType = 0;
  uint8_t imageType = 0;
  uint16_t mapFirstEntry = 0;
  uint16_t mapLength = 0;
  uint8_t mapEntryBits = 0;
  int64_t width = 0;
  int64_t height = 0;
  uint8_t pixelBits = 0;
  uint8_t descriptor = 0;

  uint8_t BaseType() const { return imageType & ~tga::kRunLengthTypeOffset; }
  bool RunLength() const { return (imageType & tga::kRunLengthTypeOffset) != 0; }
  size_t PixelBytes() const { return (pixelBits + 7u) / 8u; }
};

bool IsKnownType(uint8_t type) {
  uint8_t base = type & ~tga::kRunLengthTypeOffset;
  return type < 16 && (base == tga::kTypeColorMapped || base == tga::kTypeTrueColor || base == tga::kTypeGray);
}

bool IsColorEntrySize(uint8_t bits) {
  return bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

ErrorCode ReadHeader(cl::ByteReader& reader, TgaHeader& header) {
  header.idLength = reader.U8();
  header.colorMapType = reader.U8();
  header.imageType = reader.U8();
  header.mapFirstEntry = reader.U16();
  header.mapLength = reader.U16();
  header.mapEntryBits = reader.U8();
  reader.Skip(4);  // origin
  header.width = reader.U16();
  header.height = reader.U16();
  header.pixelBits = reader.U8();
  header.descriptor = reader.U8();
  if (reader.Failed()) return kNotTgaFile;
  // TGA has no signature; these fields tell a TGA file from anything else.
  if (header.colorMapType > tga::kHasColorMap || !IsKnownType(header.imageType)) return kNotTgaFile;
  if (header.colorMapType == tga::kHasColorMap && !IsColorEntrySize(header.mapEntryBits)) return kBadColorMap;
  if (header.width == 0 || header.height == 0) return kBadDimensions;
  return kOk;
}

// The DIB depth of the picture; 0 for combinations this reader does not take.
int DepthFor(const TgaHeader& header) {
  switch (header.BaseType()) {
    case tga::kTypeColorMapped:
      return header.colorMapType == tga::kHasColorMap && header.pixelBits == 8 ? 8 : 0;
    case tga::kTypeGray:
      return header.pixelBits == 8 ? 8 : 0;
    default:
      if (header.pixelBits == 15 || header.pixelBits == 16 || header.pixelBits == 24) return 24;
      return header.pixelBits == 32 ? 32 : 0;
  }
}

// A colour stored in `bytes` bytes: 2 (x-red5-green5-blue5), 3 (blue, green, red) or 4 (blue, green, red, alpha).
RgbQuad DecodeColor(const uint8_t* stored, size_t bytes) {
  if (bytes == 2) {
    uint16_t value = cl::le::ReadU16(stored);
    auto expand = [](unsigned five) { return static_cast<uint8_t>((five << 3) | (five >> 2)); };
    return MakeRgb(expand((value >> 10) & 0x1F), expand((value >> 5) & 0x1F), expand(value & 0x1F));
  }
  return RgbQuad{stored[0], stored[1], stored[2], bytes == 4 ? stored[3] : uint8_t{0}};
}

// Colour-map entries are placed from the first-entry index on, so pixel values index the map directly.
ErrorCode ReadColorMap(cl::ByteReader& reader, const TgaHeader& header, std::vector<RgbQuad>& palette) {
  if (header.colorMapType != tga::kHasColorMap) return kOk;
  size_t entryBytes = (header.mapEntryBits + 7u) / 8u;
  std::span<const uint8_t> stored;
  if (!reader.ReadSpan(entryBytes * header.mapLength, stored)) return kTruncatedFile;
  if (header.BaseType() != tga::kTypeColorMapped) return kOk;
  if (header.mapLength == 0 || size_t{header.mapFirstEntry} + header.mapLength > tga::kMaxColorMapEntries) {
    return kBadColorMap;
  }
  palette.assign(header.mapFirstEntry, RgbQuad{});
  for (size_t i = 0; i < header.mapLength; ++i) {
    RgbQuad entry = DecodeColor(stored.data() + i * entryBytes, entryBytes);
    entry.reserved = 0;
    palette.push_back(entry);
  }
  return kOk;
}

// Hands out the stored pixels one by one, expanding run-length packets; a packet may run on into the next row.
class PixelStream {
 public:
  PixelStream(cl::ByteReader& reader, size_t pixelBytes, bool runLength)
      : reader_(reader), pixelBytes_(pixelBytes), runLength_(runLength) {}

  // The next pixel's bytes, or null when the data ends first.
  const uint8_t* Next() {
    if (!runLength_) return Take();
    if (left_ == 0) {
      uint8_t packet = 0;
      if (!reader_.ReadU8(packet)) return nullptr;
      left_ = (packet & ~tga::kRunPacket) + 1u;
      repeat_ = (packet & tga::kRunPacket) != 0;
      if (repeat_ && (current_ = Take()) == nullptr) return nullptr;
    }
    --left_;
    return repeat_ ? current_ : Take();
  }

 private:
  const uint8_t* Take() {
    std::span<const uint8_t> pixel;
    return reader_.ReadSpan(pixelBytes_, pixel) ? pixel.data() : nullptr;
  }

  cl::ByteReader& reader_;
  size_t pixelBytes_;
  bool runLength_;
  size_t left_ = 0;
  bool repeat_ = false;
  const uint8_t* current_ = nullptr;
};

ErrorCode DecodePixels(cl::ByteReader& reader, const TgaHeader& header, DibImage& image) {
  PixelStream stream(reader, header.PixelBytes(), header.RunLength());
  bool topDown = (header.descriptor & tga::kTopDown) != 0;
  bool rightToLeft = (header.descriptor & tga::kRightToLeft) != 0;
  bool indexed = image.HasPalette();
  size_t outBytes = static_cast<size_t>(image.bitCount / 8);
  for (int32_t row = 0; row < image.height; ++row) {
    int32_t y = topDown ? row : image.height - 1 - row;
    uint8_t* out = image.Row(y);
    for (int32_t column = 0; column < image.width; ++column) {
      const uint8_t* pixel = stream.Next();
      if (pixel == nullptr) return kTruncatedFile;
      int32_t x = rightToLeft ? image.width - 1 - column : column;
      if (indexed) {
        if (*pixel >= image.palette.size()) return kBadColorMap;
        out[x] = *pixel;
        continue;
      }
      RgbQuad color = DecodeColor(pixel, header.PixelBytes());
      uint8_t* target = out + x * outBytes;
      target[0] = color.blue;
      target[1] = color.green;
      target[2] = color.red;
      if (outBytes == 4) target[3] = color.reserved;
    }
  }
  return kOk;
}

ErrorCode Decode(std::span<const uint8_t> file, DibImage& image) {
  cl::ByteReader reader(file);
  TgaHeader header;
  if (ErrorCode error = ReadHeader(reader, header); error != kOk) return error;
  int depth = DepthFor(header);
  if (depth == 0) return kUnsupportedTga;
  if (ErrorCode error = CheckImageSize(header.width, header.height, depth); error != kOk) return error;
  if (!reader.Skip(header.idLength)) return kTruncatedFile;
  std::vector<RgbQuad> palette;
  if (ErrorCode error = ReadColorMap(reader, header, palette); error != kOk) return error;

  // Refuse sizes the remaining bytes cannot hold before allocating: a raw pixel takes PixelBytes(), and a run
  // packet of header plus one pixel gives at most 128 pixels.
  uint64_t pixels = static_cast<uint64_t>(header.width) * static_cast<uint64_t>(header.height);
  uint64_t available = reader.Remaining();
  uint64_t coverable = header.RunLength() ? available / (1 + header.PixelBytes()) * tga::kMaxPacketPixels
                                          : available / header.PixelBytes();
  if (pixels > coverable) return kTruncatedFile;

  if (ErrorCode error = CreateDibImage(header.width, header.height, depth, image); error != kOk) return error;
  image.palette = header.BaseType() == tga::kTypeGray ? GrayPalette(8) : std::move(palette);
  return DecodePixels(reader, header, image);
}

}  // namespace

ErrorCode ReadTga(std::span<const uint8_t> file, DibImage& image) {
  return DecodeGuarded(image, [&] { return Decode(file, image); });
}

}  // namespace fl
