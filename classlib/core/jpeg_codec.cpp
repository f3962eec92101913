// libjpeg trampolines. Nothing in this file may throw: the error exit longjmps back into the function that
// called setjmp, whose locals are all trivially destructible.
#include "classlib/core/jpeg_codec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jerror.h>
#include <jpeglib.h>

namespace cl::jpeg {
namespace {

struct ErrorManager {
  jpeg_error_mgr Public;
  std::jmp_buf Jump;
  TStatus* Status;
  bool TruncationIsError;
};

[[noreturn]] void ErrorExit(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->Status->Message);
  std::longjmp(manager->Jump, 1);
}

// Trace messages are dropped and warnings kept for the caller (the first one), except that data ending early is
// an error where the caller asks for it: a truncated file must not load as an image padded with grey.
void EmitMessage(j_common_ptr info, int level) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  if (level != -1) return;
  if (info->err->msg_code == JWRN_JPEG_EOF && manager->TruncationIsError) ErrorExit(info);
  if (info->err->num_warnings++ == 0) (*info->err->format_message)(info, manager->Status->Warning);
}

void SetUpErrors(ErrorManager& manager, TStatus& status, bool truncationIsError) {
  jpeg_std_error(&manager.Public);
  manager.Public.error_exit = ErrorExit;
  manager.Public.emit_message = EmitMessage;
  manager.Status = &status;
  manager.TruncationIsError = truncationIsError;
  status = TStatus{};
}

constexpr size_t kInitialOutput = 64 * 1024;

// C, M, Y, K samples to B, G, R in pixels of pixelBytes. Adobe's files store the samples inverted (255 = no ink),
// which is how they are nearly always found.
void InkToBgr(const uint8_t* ink, uint8_t* bgr, JDIMENSION width, bool inverted, int pixelBytes) {
  for (JDIMENSION x = 0; x < width; ++x, ink += 4, bgr += pixelBytes) {
    const unsigned c = inverted ? ink[0] : 255 - ink[0], m = inverted ? ink[1] : 255 - ink[1];
    const unsigned y = inverted ? ink[2] : 255 - ink[2], k = inverted ? ink[3] : 255 - ink[3];
    bgr[0] = static_cast<uint8_t>(y * k / 255);
    bgr[1] = static_cast<uint8_t>(m * k / 255);
    bgr[2] = static_cast<uint8_t>(c * k / 255);
  }
}

// Blocks of the component with the fewest: the first scan codes at least one whole component, and Huffman coding
// spends at least one bit on every block of it.
uint64_t FewestBlocks(const jpeg_decompress_struct& info) {
  uint64_t fewest = UINT64_MAX;
  for (int i = 0; i < info.num_components; ++i) {
    const jpeg_component_info& component = info.comp_info[i];
    fewest = std::min(fewest, static_cast<uint64_t>(component.width_in_blocks) * component.height_in_blocks);
  }
  return fewest;
}

}  // namespace

// The manager of a TMemoryDestination, allocated in the compressor's permanent pool.
struct GrowingDestination {
  jpeg_destination_mgr Public;
  TMemoryDestination* Owner;

  static void Init(j_compress_ptr info) {
    TMemoryDestination& owner = *reinterpret_cast<GrowingDestination*>(info->dest)->Owner;
    if (!owner.FBuffer) {
      owner.FBuffer = static_cast<uint8_t*>(std::malloc(kInitialOutput));
      if (!owner.FBuffer) ERREXIT1(info, JERR_OUT_OF_MEMORY, 10);
      owner.FCapacity = kInitialOutput;
    }
    owner.FSize = 0;
    info->dest->next_output_byte = owner.FBuffer;
    info->dest->free_in_buffer = owner.FCapacity;
  }

  static boolean Empty(j_compress_ptr info) {
    TMemoryDestination& owner = *reinterpret_cast<GrowingDestination*>(info->dest)->Owner;
    const size_t used = owner.FCapacity;
    auto* grown = static_cast<uint8_t*>(std::realloc(owner.FBuffer, owner.FCapacity * 2));
    if (!grown) ERREXIT1(info, JERR_OUT_OF_MEMORY, 10);
    owner.FBuffer = grown;
    owner.FCapacity *= 2;
    info->dest->next_output_byte = grown + used;
    info->dest->free_in_buffer = owner.FCapacity - used;
    return TRUE;
  }

  static void Term(j_compress_ptr info) {
    TMemoryDestination& owner = *reinterpret_cast<GrowingDestination*>(info->dest)->Owner;
    owner.FSize = owner.FCapacity - info->dest->free_in_buffer;
  }
};

TMemoryDestination::~TMemoryDestination() {
  std::free(FBuffer);
}

void TMemoryDestination::Install(jpeg_compress_struct& info) noexcept {
  auto* manager = static_cast<GrowingDestination*>(
      (*info.mem->alloc_small)(reinterpret_cast<j_common_ptr>(&info), JPOOL_PERMANENT, sizeof(GrowingDestination)));
  manager->Public.init_destination = GrowingDestination::Init;
  manager->Public.empty_output_buffer = GrowingDestination::Empty;
  manager->Public.term_destination = GrowingDestination::Term;
  manager->Owner = this;
  info.dest = &manager->Public;
}

void TMemorySource::Install(jpeg_decompress_struct& info) noexcept {
  jpeg_mem_src(&info, FData, static_cast<unsigned long>(FSize));
}

bool Decode(TSource& source, const TDecodeOptions& options, TDecodeTarget& target, TStatus& status) noexcept {
  jpeg_decompress_struct info;
  ErrorManager errors;
  SetUpErrors(errors, status, options.TruncationIsError);
  info.err = &errors.Public;
  if (setjmp(errors.Jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  source.Install(info);
  jpeg_read_header(&info, TRUE);
  // When data that ends early is an error, a file too short for the size its header claims is refused before any
  // pixel memory is taken.
  if (options.TruncationIsError && !info.arith_code && FewestBlocks(info) / 8 > source.SizeLimit()) {
    ERREXIT(&info, JWRN_JPEG_EOF);
  }
  info.scale_num = info.scale_denom = 1;
  info.dct_method = JDCT_ISLOW;
  // libjpeg has no conversion from ink to RGB: such images come as CMYK and are converted here, always to colour.
  const int pixelBytes = options.Padded32 ? 4 : 3;
  const bool ink = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  if (ink) {
    info.out_color_space = JCS_CMYK;
  } else if (options.Grayscale) {
    info.out_color_space = JCS_GRAYSCALE;
  } else if (options.Quantize256) {
    info.out_color_space = JCS_RGB;
    info.quantize_colors = TRUE;
    info.desired_number_of_colors = 256;
    info.two_pass_quantize = TRUE;
    info.dither_mode = JDITHER_FS;
  } else {
    info.out_color_space = options.Padded32 ? JCS_EXT_BGRX : JCS_EXT_BGR;
  }
  jpeg_start_decompress(&info);  // with two passes, this runs the first and makes the colour map

  TDecodedInfo decoded;
  decoded.Width = static_cast<int>(info.output_width);
  decoded.Height = static_cast<int>(info.output_height);
  decoded.BitCount = info.output_components == 1 ? 8 : 8 * pixelBytes;
  if (ink) {
    // Colour output whatever the grey and 256-colour options asked for.
  } else if (options.Grayscale) {
    decoded.ColorCount = 256;
    for (int i = 0; i < 256; ++i)
      decoded.Colors[i][0] = decoded.Colors[i][1] = decoded.Colors[i][2] = static_cast<uint8_t>(i);
  } else if (options.Quantize256) {
    decoded.ColorCount = info.actual_number_of_colors;
    for (int i = 0; i < decoded.ColorCount; ++i)
      for (int c = 0; c < 3; ++c) decoded.Colors[i][c] = info.colormap[c][i];
  }
  ptrdiff_t rowStep = 0;
  uint8_t* row = target.Begin(decoded, rowStep);
  if (!row) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  if (ink) {
    JSAMPARRAY inkRow =
        (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, info.output_width * 4, 1);
    while (info.output_scanline < info.output_height) {
      uint8_t* out = row + static_cast<ptrdiff_t>(info.output_scanline) * rowStep;
      jpeg_read_scanlines(&info, inkRow, 1);
      InkToBgr(inkRow[0], out, info.output_width, info.saw_Adobe_marker, pixelBytes);
    }
  }
  // Hand libjpeg up to eight rows at a time, straight into the target's rows.
  JSAMPROW rows[8];
  while (info.output_scanline < info.output_height) {
    const JDIMENSION first = info.output_scanline;
    const JDIMENSION count = info.output_height - first < 8 ? info.output_height - first : 8;
    for (JDIMENSION i = 0; i < count; ++i) rows[i] = row + static_cast<ptrdiff_t>(first + i) * rowStep;
    jpeg_read_scanlines(&info, rows, count);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

bool Encode(const uint8_t* rows, ptrdiff_t rowStep, int width, int height, const TEncodeOptions& options,
            TDestination& destination, TStatus& status) noexcept {
  jpeg_compress_struct info;
  ErrorManager errors;
  SetUpErrors(errors, status, true);
  info.err = &errors.Public;
  if (setjmp(errors.Jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  destination.Install(info);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&info);  // baseline Huffman tables and 4:2:0 sampling
  jpeg_set_quality(&info, options.Quality, TRUE);
  info.optimize_coding = options.OptimizeCoding ? TRUE : FALSE;
  info.smoothing_factor = 0;
  info.dct_method = JDCT_ISLOW;
  jpeg_start_compress(&info, TRUE);
  // Up to eight rows at a time, straight from the caller's rows.
  JSAMPROW group[8];
  while (info.next_scanline < info.image_height) {
    const JDIMENSION first = info.next_scanline;
    const JDIMENSION count = info.image_height - first < 8 ? info.image_height - first : 8;
    for (JDIMENSION i = 0; i < count; ++i)
      group[i] = const_cast<JSAMPROW>(rows + static_cast<ptrdiff_t>(first + i) * rowStep);
    jpeg_write_scanlines(&info, group, count);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace cl::jpeg
