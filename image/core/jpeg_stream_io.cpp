// libjpeg callbacks: they run between libjpeg's frames, so a stream exception is caught, kept in the owner's
// Failure and turned into a libjpeg error; the caller raises the kept exception once libjpeg has let go. No C++
// object with a destructor is alive when a libjpeg error leaves one of these functions.
#include "image/core/jpeg_stream_io.h"

#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

namespace img {
namespace {

constexpr int kCommentMarker = JPEG_COM;
constexpr int32_t kBufferSize = static_cast<int32_t>(kJPEGStreamBufferSize);

// Both managers live in the codec's permanent pool, so that they need no freeing on any path.
struct StreamSource {
  jpeg_source_mgr Public;
  TJPEGStreamSource* Owner;
  JOCTET* Buffer;
  bool StartOfFile;
};

struct StreamDestination {
  jpeg_destination_mgr Public;
  TJPEGStreamDestination* Owner;
  JOCTET* Buffer;
};

StreamSource* SourceOf(j_decompress_ptr cinfo) {
  return reinterpret_cast<StreamSource*>(cinfo->src);
}

StreamDestination* DestinationOf(j_compress_ptr cinfo) {
  return reinterpret_cast<StreamDestination*>(cinfo->dest);
}

void init_source(j_decompress_ptr cinfo) {
  SourceOf(cinfo)->StartOfFile = true;
}

boolean fill_input_buffer(j_decompress_ptr cinfo) {
  StreamSource* src = SourceOf(cinfo);
  int32_t count = 0;
  try {
    count = src->Owner->Stream().Read(src->Buffer, kBufferSize);
  } catch (...) {
    src->Owner->Failure = std::current_exception();
  }
  if (src->Owner->Failure) ERREXIT(cinfo, JERR_FILE_READ);
  if (count <= 0) {
    if (src->StartOfFile) ERREXIT(cinfo, JERR_INPUT_EMPTY);
    WARNMS(cinfo, JWRN_JPEG_EOF);
    // A made-up end-of-image marker lets the library finish the image with what it has.
    src->Buffer[0] = 0xFF;
    src->Buffer[1] = JPEG_EOI;
    count = 2;
  }
  src->Public.next_input_byte = src->Buffer;
  src->Public.bytes_in_buffer = static_cast<size_t>(count);
  src->StartOfFile = false;
  return TRUE;
}

void skip_input_data(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* src = cinfo->src;
  while (count > static_cast<long>(src->bytes_in_buffer)) {
    count -= static_cast<long>(src->bytes_in_buffer);
    fill_input_buffer(cinfo);
  }
  src->next_input_byte += count;
  src->bytes_in_buffer -= static_cast<size_t>(count);
}

void term_source(j_decompress_ptr) {}

void jpeg_stream_src(j_decompress_ptr cinfo, TJPEGStreamSource& owner) {
  auto* src = static_cast<StreamSource*>(
      (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(StreamSource)));
  src->Buffer = static_cast<JOCTET*>(
      (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, kJPEGStreamBufferSize));
  src->Owner = &owner;
  src->StartOfFile = true;
  src->Public.init_source = init_source;
  src->Public.fill_input_buffer = fill_input_buffer;
  src->Public.skip_input_data = skip_input_data;
  src->Public.resync_to_restart = jpeg_resync_to_restart;
  src->Public.term_source = term_source;
  src->Public.bytes_in_buffer = 0;
  src->Public.next_input_byte = nullptr;
  cinfo->src = &src->Public;
}

// The next byte of the source; the stream source never suspends, so a refill that fails is an error.
unsigned jpeg_getc(j_decompress_ptr cinfo) {
  jpeg_source_mgr* src = cinfo->src;
  if (src->bytes_in_buffer == 0 && !(*src->fill_input_buffer)(cinfo)) ERREXIT(cinfo, JERR_CANT_SUSPEND);
  --src->bytes_in_buffer;
  return *src->next_input_byte++;
}

// Skips a comment marker; with tracing on, prints it with line ends kept and other control and non-ASCII bytes
// as a backslash and their code on a line of their own.
boolean print_text_marker(j_decompress_ptr cinfo) {
  const bool traced = cinfo->err->trace_level > 0;
  long length = static_cast<long>(jpeg_getc(cinfo) << 8);
  length += static_cast<long>(jpeg_getc(cinfo));
  length -= 2;  // the length counts its own two bytes
  if (traced && length >= 0) std::printf("Comment, length :%ld\n", length);
  unsigned previous = 0;
  for (; length > 0; --length) {
    const unsigned ch = jpeg_getc(cinfo);
    if (!traced) continue;
    if (ch == '\n') {
      std::putchar('\n');
    } else if (ch == '\r') {
      if (previous != '\n') std::putchar('\n');
    } else if (ch < 32 || ch > 127) {
      std::printf("\\%u\n", ch);
    } else {
      std::putchar(static_cast<int>(ch));
    }
    previous = ch;
  }
  if (traced) std::putchar('\n');
  return TRUE;
}

// Writes count bytes of the buffer; a short write or a stream exception is libjpeg's write error.
void WriteBuffer(j_compress_ptr cinfo, int32_t count) {
  StreamDestination* dest = DestinationOf(cinfo);
  int32_t written = 0;
  try {
    written = dest->Owner->Stream().Write(dest->Buffer, count);
  } catch (...) {
    dest->Owner->Failure = std::current_exception();
  }
  if (dest->Owner->Failure || written != count) ERREXIT(cinfo, JERR_FILE_WRITE);
}

void init_destination(j_compress_ptr cinfo) {
  StreamDestination* dest = DestinationOf(cinfo);
  dest->Buffer = static_cast<JOCTET*>(
      (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, kJPEGStreamBufferSize));
  dest->Public.next_output_byte = dest->Buffer;
  dest->Public.free_in_buffer = kJPEGStreamBufferSize;
}

boolean empty_output_buffer(j_compress_ptr cinfo) {
  WriteBuffer(cinfo, kBufferSize);
  StreamDestination* dest = DestinationOf(cinfo);
  dest->Public.next_output_byte = dest->Buffer;
  dest->Public.free_in_buffer = kJPEGStreamBufferSize;
  return TRUE;
}

void term_destination(j_compress_ptr cinfo) {
  const auto used = static_cast<int32_t>(kJPEGStreamBufferSize - DestinationOf(cinfo)->Public.free_in_buffer);
  if (used > 0) WriteBuffer(cinfo, used);
}

void jpeg_stream_dest(j_compress_ptr cinfo, TJPEGStreamDestination& owner) {
  auto* dest = static_cast<StreamDestination*>(
      (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(StreamDestination)));
  dest->Owner = &owner;
  dest->Buffer = nullptr;
  dest->Public.init_destination = init_destination;
  dest->Public.empty_output_buffer = empty_output_buffer;
  dest->Public.term_destination = term_destination;
  cinfo->dest = &dest->Public;
}

}  // namespace

void TJPEGStreamSource::Install(jpeg_decompress_struct& info) noexcept {
  jpeg_set_marker_processor(&info, kCommentMarker, print_text_marker);
  jpeg_stream_src(&info, *this);
}

void TJPEGStreamDestination::Install(jpeg_compress_struct& info) noexcept {
  jpeg_stream_dest(&info, *this);
}

}  // namespace img
