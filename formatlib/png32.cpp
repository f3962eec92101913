// PNG32: PNG files to and from packed DIBs over libpng. libpng reports errors by longjmp, so every libpng call
// that can fail runs in a small function holding setjmp and no object with a destructor; allocations and the
// owners of what is allocated live in the callers.
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <vector>

#include "formatlib/core/alpha_blend.h"
#include "formatlib/dib_convert.h"
#include "formatlib/file_access.h"
#include "formatlib/formatlib.h"
#include "formatlib/module_errors.h"

namespace fl {
namespace {

constexpr uint64_t kMaxDeflateExpansion = 1032;

[[noreturn]] void OnPngError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}
void OnPngWarning(png_structp, png_const_charp) {}

// Owns libpng's reading or writing structures.
class PngStructs {
 public:
  explicit PngStructs(bool reading) : reading_(reading) {
    png_ = reading ? png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning)
                   : png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (png_) info_ = png_create_info_struct(png_);
    if (!png_ || !info_) {
      Destroy();
      Fail(kOutOfMemory);
    }
  }
  PngStructs(const PngStructs&) = delete;
  PngStructs& operator=(const PngStructs&) = delete;
  ~PngStructs() { Destroy(); }
  png_structp Png() const { return png_; }
  png_infop Info() const { return info_; }

 private:
  void Destroy() {
    if (reading_) {
      png_destroy_read_struct(&png_, &info_, nullptr);
    } else {
      png_destroy_write_struct(&png_, &info_);
    }
  }
  bool reading_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

struct MemoryInput {
  const uint8_t* data;
  size_t size;
  size_t offset;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* input = static_cast<MemoryInput*>(png_get_io_ptr(png));
  if (length > input->size - input->offset) png_error(png, "truncated");
  std::memcpy(out, input->data + input->offset, length);
  input->offset += length;
}

struct PngHeader {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int bitDepth = 0;
  int colorType = 0;
  int channels = 0;
  png_colorp colors = nullptr;
  int colorCount = 0;
  png_bytep paletteAlphas = nullptr;  // alpha of the first paletteAlphaCount palette entries (tRNS)
  int paletteAlphaCount = 0;
  bool transparent = false;  // an alpha channel or a transparent colour or palette entry
  RgbQuad background = kDefaultBackground;
};

uint8_t SampleTo8Bits(unsigned value, int bitDepth) {
  return static_cast<uint8_t>(bitDepth == 16 ? (value * 255 + 32767) / 65535 : value * 255 / ((1u << bitDepth) - 1));
}

// The colour of the file's background chunk, in the file's own form of a pixel.
RgbQuad BackgroundOf(const PngHeader& header, const png_color_16& chunk) {
  if (header.colorType == PNG_COLOR_TYPE_PALETTE) {
    if (chunk.index >= header.colorCount) return kDefaultBackground;
    const png_color& entry = header.colors[chunk.index];
    return MakeRgb(entry.red, entry.green, entry.blue);
  }
  if (!(header.colorType & PNG_COLOR_MASK_COLOR)) {
    uint8_t level = SampleTo8Bits(chunk.gray, header.bitDepth);
    return MakeRgb(level, level, level);
  }
  return MakeRgb(SampleTo8Bits(chunk.red, header.bitDepth), SampleTo8Bits(chunk.green, header.bitDepth),
                 SampleTo8Bits(chunk.blue, header.bitDepth));
}

bool ReadHeader(png_structp png, png_infop info, MemoryInput* input, PngHeader* header) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, input, ReadFromMemory);
  png_set_user_limits(png, kMaxDimension, kMaxDimension);
  png_read_info(png, info);
  png_get_IHDR(png, info, &header->width, &header->height, &header->bitDepth, &header->colorType, nullptr, nullptr,
               nullptr);
  header->channels = png_get_channels(png, info);
  if (header->colorType == PNG_COLOR_TYPE_PALETTE) png_get_PLTE(png, info, &header->colors, &header->colorCount);
  png_color_16p transparentColor = nullptr;
  header->transparent = (header->colorType & PNG_COLOR_MASK_ALPHA) ||
                        png_get_tRNS(png, info, &header->paletteAlphas, &header->paletteAlphaCount, &transparentColor);
  png_color_16p background = nullptr;
  if (header->transparent && png_get_bKGD(png, info, &background))
    header->background = BackgroundOf(*header, *background);
  return true;
}

// Pictures with an alpha channel or a transparent colour (but palettes) read as 32-bit pixels that are then laid
// over the background; palette entries are laid over it instead, so their pictures keep their indexes.
bool ReadsAsAlphaPixels(const PngHeader& header) {
  return header.transparent && header.colorType != PNG_COLOR_TYPE_PALETTE;
}

// Sets libpng's transformations for the chosen DIB layout and reads every row (all passes of an interlaced file).
bool ReadRows(png_structp png, png_infop info, const PngHeader* header, bool unpack, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  if (header->bitDepth == 16) png_set_scale_16(png);
  if (unpack) png_set_packing(png);
  if (ReadsAsAlphaPixels(*header)) {
    png_set_expand(png);  // a transparent colour becomes an alpha channel, gray samples 8 bits
    png_set_gray_to_rgb(png);
  }
  if (header->colorType & PNG_COLOR_MASK_COLOR) png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  png_read_image(png, rows);
  return true;
}

// The DIB depth a PNG file reads into: its own for 1, 4 and 8-bit indices, 4 for 2-bit ones.
int DibDepth(const PngHeader& header) {
  if (ReadsAsAlphaPixels(header)) return 32;
  if (header.colorType == PNG_COLOR_TYPE_RGB) return 24;
  if (header.bitDepth == 2) return 4;
  return header.bitDepth == 16 ? 8 : header.bitDepth;
}

std::vector<RgbQuad> DibPalette(const PngHeader& header, int depth) {
  if (header.colorType == PNG_COLOR_TYPE_PALETTE) {
    std::vector<RgbQuad> palette;
    int count = std::min(header.colorCount, 1 << header.bitDepth);
    for (int i = 0; i < count; ++i) {
      RgbQuad entry = MakeRgb(header.colors[i].red, header.colors[i].green, header.colors[i].blue);
      palette.push_back(i < header.paletteAlphaCount ? BlendOver(entry, header.paletteAlphas[i], header.background)
                                                     : entry);
    }
    return palette;
  }
  if (header.colorType != PNG_COLOR_TYPE_GRAY || depth == 32) return {};
  if (header.bitDepth != 2) return GrayPalette(depth);
  return {MakeRgb(0, 0, 0), MakeRgb(85, 85, 85), MakeRgb(170, 170, 170), MakeRgb(255, 255, 255)};
}

// Lays 32-bit pixels with alpha over the background; the fourth byte is left 0, as in any opaque 32-bit DIB.
void LayOverBackground(const NewPackedDib& dib, const PngHeader& header) {
  for (png_uint_32 y = 0; y < header.height; ++y) {
    uint8_t* pixel = dib.Row(static_cast<int32_t>(y));
    for (png_uint_32 x = 0; x < header.width; ++x, pixel += 4) {
      pixel[0] = BlendOver(pixel[0], pixel[3], header.background.blue);
      pixel[1] = BlendOver(pixel[1], pixel[3], header.background.green);
      pixel[2] = BlendOver(pixel[2], pixel[3], header.background.red);
      pixel[3] = 0;
    }
  }
}

HGLOBAL ReadPng(const char* fileName) {
  std::vector<uint8_t> file = ReadWholeFile(fileName);
  if (file.size() < 8 || png_sig_cmp(file.data(), 0, 8) != 0) Fail(kNotPngFile);
  PngStructs structs(true);
  MemoryInput input{file.data(), file.size(), 0};
  PngHeader header;
  if (!ReadHeader(structs.Png(), structs.Info(), &input, &header)) Fail(kBadPngData);
  // Deflate expands data at most 1032 times: a file too small for the size it claims is refused before allocating.
  uint64_t packedBytes = (uint64_t{header.width} * header.channels * header.bitDepth + 7) / 8 * header.height;
  if (packedBytes > file.size() * kMaxDeflateExpansion) Fail(kTruncatedFile);
  int depth = DibDepth(header);
  NewPackedDib dib(static_cast<int32_t>(header.width), static_cast<int32_t>(header.height), depth,
                   DibPalette(header, depth));
  // 2-bit pixels arrive one per byte and are packed two to a byte afterwards.
  bool unpack = header.bitDepth == 2 && depth != 32;
  std::vector<uint8_t> unpacked(unpack ? static_cast<size_t>(header.width) * header.height : 0);
  std::vector<png_bytep> rows(header.height);
  for (png_uint_32 y = 0; y < header.height; ++y) {
    rows[y] = unpack ? unpacked.data() + static_cast<size_t>(y) * header.width : dib.Row(static_cast<int32_t>(y));
  }
  if (!ReadRows(structs.Png(), structs.Info(), &header, unpack, rows.data())) Fail(kBadPngData);
  if (depth == 32) LayOverBackground(dib, header);
  for (png_uint_32 y = 0; unpack && y < header.height; ++y) {
    uint8_t* target = dib.Row(static_cast<int32_t>(y));
    for (png_uint_32 x = 0; x < header.width; ++x) {
      target[x / 2] = static_cast<uint8_t>(x % 2 ? target[x / 2] | rows[y][x] : rows[y][x] << 4);
    }
  }
  return dib.Release();
}

struct MemoryOutput {
  std::vector<uint8_t> bytes;
  bool failed = false;
};

void WriteToMemory(png_structp png, png_bytep data, png_size_t length) {
  auto* output = static_cast<MemoryOutput*>(png_get_io_ptr(png));
  try {
    output->bytes.insert(output->bytes.end(), data, data + length);
  } catch (...) {
    output->failed = true;  // no exception may cross libpng; the caller sees the flag
  }
}

void FlushNothing(png_structp) {}

struct PngLayout {
  int colorType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  bool stripFiller = false;
  std::vector<png_color> colors;
};

PngLayout ChooseLayout(const DibImage& image) {
  PngLayout layout;
  if (image.HasPalette()) {
    layout.bitDepth = image.bitCount;
    layout.colorType = image.palette.empty() || image.palette == GrayPalette(image.bitCount) ? PNG_COLOR_TYPE_GRAY
                                                                                             : PNG_COLOR_TYPE_PALETTE;
    for (const RgbQuad& entry : image.palette) layout.colors.push_back({entry.red, entry.green, entry.blue});
    // A DIB may use indexes past its colour table (they show black); PNG forbids that, so the table grows to cover
    // them.
    uint32_t highest = 0;
    for (int32_t y = 0; y < image.height; ++y) {
      for (int32_t x = 0; x < image.width; ++x) highest = std::max(highest, image.IndexAt(x, y));
    }
    if (highest >= layout.colors.size()) layout.colors.resize(highest + 1, png_color{0, 0, 0});
    return layout;
  }
  bool hasAlpha = false;
  for (int32_t y = 0; image.bitCount == 32 && y < image.height && !hasAlpha; ++y) {
    const uint8_t* row = image.Row(y);
    for (int32_t x = 0; x < image.width && !hasAlpha; ++x) hasAlpha = row[4 * x + 3] != 0;
  }
  layout.colorType = hasAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
  layout.stripFiller = image.bitCount == 32 && !hasAlpha;
  return layout;
}

bool WriteRows(png_structp png, png_infop info, const DibImage* image, const PngLayout* layout, MemoryOutput* output,
               png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, output, WriteToMemory, FlushNothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image->width), static_cast<png_uint_32>(image->height),
               layout->bitDepth, layout->colorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (layout->colorType == PNG_COLOR_TYPE_PALETTE) {
    png_set_PLTE(png, info, const_cast<png_colorp>(layout->colors.data()), static_cast<int>(layout->colors.size()));
  }
  png_set_pHYs(png, info, 3780, 3780, PNG_RESOLUTION_METER);
  png_write_info(png, info);
  if (layout->colorType & PNG_COLOR_MASK_COLOR) png_set_bgr(png);
  if (layout->stripFiller) png_set_filler(png, 0, PNG_FILLER_AFTER);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  return true;
}

void WritePng(const char* fileName, HGLOBAL dib) {
  if (!fileName || !*fileName) Fail(kCannotWriteFile);
  DibImage image = DibFromPacked(dib);
  PngLayout layout = ChooseLayout(image);
  PngStructs structs(false);
  MemoryOutput output;
  std::vector<png_bytep> rows(static_cast<size_t>(image.height));
  for (int32_t y = 0; y < image.height; ++y) rows[y] = image.Row(y);
  if (!WriteRows(structs.Png(), structs.Info(), &image, &layout, &output, rows.data())) Fail(kCannotWriteFile);
  if (output.failed) Fail(kOutOfMemory);
  WriteFileSafely(fileName, output.bytes);
}

}  // namespace
}  // namespace fl

HGLOBAL ReadGraphicFile(const char* fileName) {
  return fl::Guarded<HGLOBAL>(fl::Module::kImage, nullptr, [&] { return fl::ReadPng(fileName); });
}

uint16_t WriteGraphicFile(const char* fileName, HGLOBAL dib) {
  fl::Guarded<int>(fl::Module::kImage, 0, [&] {
    fl::WritePng(fileName, dib);
    return 1;
  });
  return static_cast<uint16_t>(fl::ModuleError(fl::Module::kImage));
}
