// Texts of the format library's error codes.
#include "formatlib/core/errors.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace fl {
namespace {

constexpr std::array<const char*, 32> kTexts = {
    "no error",
    "cannot open the file",
    "cannot read the file",
    "cannot write the file",
    "not enough memory",
    "the file is truncated",
    "the image is too large",
    "invalid image dimensions",
    "unsupported colour depth",
    "page number out of range",
    "invalid argument",
    "not a PCX file",
    "unsupported PCX layout",
    "corrupt run-length data",
    "not a DCX file",
    "invalid page offset in the DCX file",
    "the DCX file has no room for another page",
    "not a TGA file",
    "unsupported TGA image type",
    "invalid colour map",
    "invalid bitmap handle",
    "invalid DIB",
    "a graphics system call failed",
    "not a metafile",
    "the text file is empty",
    "not a PNG file",
    "corrupt PNG data",
    "not a TIFF file",
    "corrupt TIFF data",
    "unsupported TIFF image layout",
    "unsupported compression",
    "corrupt GIF data",
};

}  // namespace

const char* ErrorText(int code) {
  if (code < 0 || code >= static_cast<int>(kTexts.size())) return "unknown error";
  return kTexts[code];
}

void CopyErrorText(int code, char* buffer, int bufferSize) {
  if (buffer == nullptr || bufferSize <= 0) return;
  const char* text = ErrorText(code);
  size_t length = std::min(std::strlen(text), static_cast<size_t>(bufferSize - 1));
  std::memcpy(buffer, text, length);
  buffer[length] = '\0';
}

}  // namespace fl
