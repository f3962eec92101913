// BMP reading and writing. Every field is read little-endian through a bounded view; every size and offset is
// checked before it is used, so a malformed file raises instead of reading past the buffer.
#include "classlib/core/bmp_codec.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "classlib/core/byte_reader.h"
#include "classlib/core/exceptions.h"

namespace cl::bmp {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
// Header versions the reader knows: core, info, the two with masks inside, V4, V5.
constexpr uint32_t kKnownHeaderSizes[] = {kCoreHeaderSize, kInfoHeaderSize, 52, 56, 108, 124};

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

constexpr uint32_t kMask555[3] = {0x7C00, 0x03E0, 0x001F};
constexpr uint32_t kMask565[3] = {0xF800, 0x07E0, 0x001F};
constexpr uint32_t kMask888[3] = {0xFF0000, 0x00FF00, 0x0000FF};

[[noreturn]] void Invalid() {
  throw EInvalidGraphic("Bitmap image is not valid");
}

// Little-endian reads at absolute offsets over the project's bounded reader; any read outside the buffer is an
// invalid image.
class ByteView {
 public:
  ByteView(const uint8_t* data, size_t size) : FReader(data, size) {}
  const uint8_t* At(size_t offset, size_t count) const {
    if (!FReader.Seek(offset)) Invalid();
    std::span<const uint8_t> bytes;
    if (!FReader.ReadSpan(count, bytes)) Invalid();
    return bytes.data();
  }
  uint8_t U8(size_t offset) const { return *At(offset, 1); }
  uint16_t U16(size_t offset) const { return le::ReadU16(At(offset, 2)); }
  uint32_t U32(size_t offset) const { return le::ReadU32(At(offset, 4)); }
  int32_t I32(size_t offset) const { return le::ReadI32(At(offset, 4)); }

 private:
  mutable ByteReader FReader;
};

struct Header {
  uint32_t HeaderSize = 0;
  int32_t Width = 0;
  int32_t Height = 0;  // negative: top-down rows
  int BitCount = 0;
  uint32_t Compression = kRgb;
  uint32_t ColorsUsed = 0;
  uint32_t Masks[3] = {0, 0, 0};
  size_t ColorTableOffset = 0;
};

// The info header at offset `at`: after the file header of a BMP file, at the start of a packed DIB.
Header ReadHeader(const ByteView& file, size_t at) {
  Header h;
  h.HeaderSize = file.U32(at);
  bool known = false;
  for (uint32_t size : kKnownHeaderSizes) known |= h.HeaderSize == size;
  if (!known) Invalid();
  file.At(at, h.HeaderSize);
  int planes;
  if (h.HeaderSize == kCoreHeaderSize) {
    h.Width = file.U16(at + 4);
    h.Height = file.U16(at + 6);
    planes = file.U16(at + 8);
    h.BitCount = file.U16(at + 10);
    if (h.BitCount > 24) Invalid();  // the core header knows no 32-bit images
  } else {
    h.Width = file.I32(at + 4);
    h.Height = file.I32(at + 8);
    planes = file.U16(at + 12);
    h.BitCount = file.U16(at + 14);
    h.Compression = file.U32(at + 16);
    h.ColorsUsed = file.U32(at + 32);
  }
  h.ColorTableOffset = at + h.HeaderSize;
  if (h.Compression == kBitFields) {
    // A 40-byte header has its masks after it; the longer ones carry them inside.
    size_t masks = h.HeaderSize == kInfoHeaderSize ? h.ColorTableOffset : at + kInfoHeaderSize;
    for (int i = 0; i < 3; ++i) h.Masks[i] = file.U32(masks + 4 * i);
    if (h.HeaderSize == kInfoHeaderSize) h.ColorTableOffset += 12;
  }
  if (planes != 1 || h.Width <= 0 || h.Height == 0 || h.Height == INT32_MIN) Invalid();
  uint64_t pixels = static_cast<uint64_t>(h.Width) * static_cast<uint64_t>(h.Height < 0 ? -h.Height : h.Height);
  if (pixels > kMaxPixels) Invalid();
  switch (h.Compression) {
    case kRgb:
      if (h.BitCount != 1 && h.BitCount != 4 && h.BitCount != 8 && h.BitCount != 16 && h.BitCount != 24 &&
          h.BitCount != 32)
        Invalid();
      break;
    case kRle8:
      if (h.BitCount != 8 || h.Height < 0) Invalid();
      break;
    case kRle4:
      if (h.BitCount != 4 || h.Height < 0) Invalid();
      break;
    case kBitFields:
      if (h.BitCount != 16 && h.BitCount != 32) Invalid();
      break;
    default:
      Invalid();
  }
  return h;
}

size_t ColorEntrySize(const Header& h) {
  return h.HeaderSize == kCoreHeaderSize ? 3 : 4;
}

// The colour table's entries: a core header always has the full table, an info header ColorsUsed entries (0: the
// full table). Deeper images may carry up to 256 entries as a hint for palette devices.
uint32_t ColorTableEntries(const Header& h) {
  if (h.BitCount > 8) {
    if (h.ColorsUsed > 256) Invalid();
    return h.HeaderSize == kCoreHeaderSize ? 0 : h.ColorsUsed;
  }
  const uint32_t maxColors = 1u << h.BitCount;
  const uint32_t count = h.ColorsUsed && h.HeaderSize != kCoreHeaderSize ? h.ColorsUsed : maxColors;
  if (count > maxColors) Invalid();
  return count;
}

std::vector<TColorEntry> ReadColorTable(const ByteView& file, const Header& h, uint32_t count) {
  const size_t entrySize = ColorEntrySize(h);
  const uint8_t* table = file.At(h.ColorTableOffset, count * entrySize);
  std::vector<TColorEntry> colors(count);
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* e = table + i * entrySize;
    colors[i] = TColorEntry{e[0], e[1], e[2], 0};
  }
  return colors;
}

std::vector<TColorEntry> ReadColors(const ByteView& file, const Header& h) {
  if (h.BitCount > 8) return {};
  return ReadColorTable(file, h, ColorTableEntries(h));
}

// Decodes RLE8 or RLE4 data into bottom-up rows. Pixels that would fall right of a row are dropped; data that
// ends before the end-of-bitmap marker is a truncated file.
void DecodeRle(const ByteView& file, size_t at, TDibImage& image, bool fourBit) {
  const size_t stride = image.Stride();
  int32_t x = 0, y = 0;
  auto put = [&](uint8_t value) {
    if (x < image.Width && y < image.Height) {
      uint8_t* row = image.Bits.data() + static_cast<size_t>(y) * stride;
      if (fourBit) {
        uint8_t& b = row[x / 2];
        b = (x & 1) ? static_cast<uint8_t>((b & 0xF0) | (value & 0x0F)) : static_cast<uint8_t>((b & 0x0F) | value << 4);
      } else {
        row[x] = value;
      }
    }
    ++x;
  };
  for (;;) {
    const uint8_t count = file.U8(at), code = file.U8(at + 1);
    at += 2;
    if (count > 0) {  // encoded run: count pixels of code (two alternating nibbles in RLE4)
      for (int i = 0; i < count; ++i) put(fourBit ? ((i & 1) ? code & 0x0F : code >> 4) : code);
    } else if (code == 0) {  // end of line
      x = 0;
      ++y;
    } else if (code == 1) {  // end of bitmap
      return;
    } else if (code == 2) {  // delta
      x += file.U8(at);
      y += file.U8(at + 1);
      at += 2;
    } else {  // absolute run of code pixels, padded to a 16-bit boundary
      const size_t bytes = fourBit ? (code + 1u) / 2 : code;
      const uint8_t* run = file.At(at, bytes);
      for (int i = 0; i < code; ++i) put(fourBit ? ((i & 1) ? run[i / 2] & 0x0F : run[i / 2] >> 4) : run[i]);
      at += (bytes + 1) & ~size_t{1};
    }
    if (y > image.Height) Invalid();
  }
}

// Position of a mask's lowest bit and its width; a mask must be one unbroken run of bits.
struct MaskShape {
  int Shift = 0;
  int Bits = 0;
};

MaskShape ShapeOf(uint32_t mask) {
  if (mask == 0) Invalid();
  MaskShape s;
  while (!(mask & 1)) {
    mask >>= 1;
    ++s.Shift;
  }
  while (mask & 1) {
    mask >>= 1;
    ++s.Bits;
  }
  if (mask) Invalid();
  return s;
}

uint8_t ScaleTo8Bits(uint32_t pixel, MaskShape s) {
  uint32_t v = (pixel >> s.Shift) & ((s.Bits >= 32) ? 0xFFFFFFFFu : ((1u << s.Bits) - 1));
  if (s.Bits >= 8) return static_cast<uint8_t>(v >> (s.Bits - 8));
  return static_cast<uint8_t>((v * 255 + ((1u << s.Bits) - 1) / 2) / ((1u << s.Bits) - 1));
}

// Rewrites bit-field rows of any masks as 32-bit B, G, R, 0 rows.
TDibImage ExpandBitFields(const TDibImage& source, const uint32_t masks[3]) {
  const MaskShape red = ShapeOf(masks[0]), green = ShapeOf(masks[1]), blue = ShapeOf(masks[2]);
  TDibImage out;
  out.Width = source.Width;
  out.Height = source.Height;
  out.BitCount = 32;
  out.Bits.resize(out.Stride() * static_cast<size_t>(out.Height));
  const size_t sourceStride = source.Stride();
  for (int32_t y = 0; y < source.Height; ++y) {
    const uint8_t* in = source.Bits.data() + y * sourceStride;
    uint8_t* o = out.Bits.data() + y * out.Stride();
    for (int32_t x = 0; x < source.Width; ++x) {
      uint32_t pixel = source.BitCount == 16
                           ? uint32_t{in[2 * x]} | uint32_t{in[2 * x + 1]} << 8
                           : in[4 * x] | in[4 * x + 1] << 8 | in[4 * x + 2] << 16 | uint32_t{in[4 * x + 3]} << 24;
      o[4 * x] = ScaleTo8Bits(pixel, blue);
      o[4 * x + 1] = ScaleTo8Bits(pixel, green);
      o[4 * x + 2] = ScaleTo8Bits(pixel, red);
      o[4 * x + 3] = 0;
    }
  }
  return out;
}

bool MasksAre(const uint32_t masks[3], const uint32_t expected[3]) {
  return masks[0] == expected[0] && masks[1] == expected[1] && masks[2] == expected[2];
}

// The bit-field masks of the header into the layout, and whether the rows need rewriting into plain pixels.
void TakeMasks(const Header& h, TBmpLayout& layout) {
  if (h.Compression == kBitFields) {
    std::copy(std::begin(h.Masks), std::end(h.Masks), layout.Masks);
    if (h.BitCount == 16 && MasksAre(h.Masks, kMask565)) {
      layout.Image.RedMask = kMask565[0];
      layout.Image.GreenMask = kMask565[1];
      layout.Image.BlueMask = kMask565[2];
    }
    layout.ExpandMasks = !(h.BitCount == 16 && (MasksAre(h.Masks, kMask555) || MasksAre(h.Masks, kMask565))) &&
                         !(h.BitCount == 32 && MasksAre(h.Masks, kMask888));
  }
  layout.StoredAsIs = !layout.TopDown && !layout.ExpandMasks;
}

}  // namespace

TBmpLayout ReadBmpLayout(const uint8_t* data, size_t available, uint64_t fileSize) {
  const ByteView file(data, available);
  if (file.U8(0) != 'B' || file.U8(1) != 'M') Invalid();
  const uint32_t bitsOffset = file.U32(10);
  const Header h = ReadHeader(file, kFileHeaderSize);

  TBmpLayout layout;
  TDibImage& image = layout.Image;
  image.Width = h.Width;
  image.Height = h.Height < 0 ? -h.Height : h.Height;
  image.BitCount = h.BitCount;
  image.Colors = ReadColors(file, h);
  if (bitsOffset < h.ColorTableOffset || bitsOffset > fileSize) Invalid();
  layout.BitsOffset = bitsOffset;
  layout.HeaderSize = h.HeaderSize;
  layout.Compression = h.Compression;
  layout.TopDown = h.Height < 0;
  if (h.Compression == kRle8 || h.Compression == kRle4) {
    if (image.Stride() * static_cast<uint64_t>(image.Height) > kMaxRleBits) Invalid();
    return layout;
  }

  layout.BitsSize = image.Stride() * static_cast<size_t>(image.Height);
  if (layout.BitsSize > fileSize - bitsOffset) Invalid();
  TakeMasks(h, layout);
  return layout;
}

TBmpLayout ReadPackedDibLayout(const uint8_t* data, size_t size) {
  const ByteView dib(data, size);
  const Header h = ReadHeader(dib, 0);
  if (h.Compression == kRle8 || h.Compression == kRle4) Invalid();
  TBmpLayout layout;
  TDibImage& image = layout.Image;
  image.Width = h.Width;
  image.Height = h.Height < 0 ? -h.Height : h.Height;
  image.BitCount = h.BitCount;
  const uint32_t entries = ColorTableEntries(h);
  image.Colors = ReadColorTable(dib, h, entries);
  layout.HeaderSize = h.HeaderSize;
  layout.Compression = h.Compression;
  layout.TopDown = h.Height < 0;
  layout.BitsOffset = h.ColorTableOffset + entries * ColorEntrySize(h);
  layout.BitsSize = image.Stride() * static_cast<size_t>(image.Height);
  if (layout.BitsOffset > size || layout.BitsSize > size - layout.BitsOffset) Invalid();
  TakeMasks(h, layout);
  return layout;
}

TDibImage ReadBmp(const uint8_t* data, size_t size) {
  TBmpLayout layout = ReadBmpLayout(data, size, size);
  TDibImage image = std::move(layout.Image);
  const ByteView file(data, size);
  const size_t stride = image.Stride();
  const size_t rows = static_cast<size_t>(image.Height);
  if (layout.Compression == kRle8 || layout.Compression == kRle4) {
    image.Bits.assign(stride * rows, 0);
    DecodeRle(file, layout.BitsOffset, image, layout.Compression == kRle4);
    return image;
  }
  const uint8_t* bits = file.At(layout.BitsOffset, layout.BitsSize);
  image.Bits.resize(layout.BitsSize);
  if (!layout.TopDown) {
    std::memcpy(image.Bits.data(), bits, layout.BitsSize);
  } else {  // top-down file: store bottom-up like every DIB here
    for (size_t y = 0; y < rows; ++y) std::memcpy(&image.Bits[(rows - 1 - y) * stride], bits + y * stride, stride);
  }
  return layout.ExpandMasks ? ExpandBitFields(image, layout.Masks) : image;
}

std::vector<uint8_t> WriteBmp(const TDibImage& image) {
  const bool masks = image.BitCount == 16 && image.RedMask != 0;
  const size_t headers = kFileHeaderSize + kInfoHeaderSize + (masks ? 12 : 0) + 4 * image.Colors.size();
  const size_t bitsSize = image.Stride() * static_cast<size_t>(image.Height);
  std::vector<uint8_t> out;
  out.reserve(headers + bitsSize);
  out.push_back('B');
  out.push_back('M');
  le::AppendU32(out, static_cast<uint32_t>(headers + bitsSize));
  le::AppendU32(out, 0);
  le::AppendU32(out, static_cast<uint32_t>(headers));
  le::AppendU32(out, kInfoHeaderSize);
  le::AppendU32(out, static_cast<uint32_t>(image.Width));
  le::AppendU32(out, static_cast<uint32_t>(image.Height));
  le::AppendU16(out, static_cast<uint16_t>(1));
  le::AppendU16(out, static_cast<uint16_t>(static_cast<uint32_t>(image.BitCount)));
  le::AppendU32(out, masks ? kBitFields : kRgb);
  le::AppendU32(out, static_cast<uint32_t>(bitsSize));
  le::AppendU32(out, 0);  // pixels per metre: unknown
  le::AppendU32(out, 0);
  le::AppendU32(out, static_cast<uint32_t>(image.Colors.size()));
  le::AppendU32(out, 0);
  if (masks) {
    le::AppendU32(out, image.RedMask);
    le::AppendU32(out, image.GreenMask);
    le::AppendU32(out, image.BlueMask);
  }
  for (const TColorEntry& c : image.Colors) {
    out.push_back(c.Blue);
    out.push_back(c.Green);
    out.push_back(c.Red);
    out.push_back(0);
  }
  out.insert(out.end(), image.Bits.begin(), image.Bits.end());
  return out;
}

}  // namespace cl::bmp
