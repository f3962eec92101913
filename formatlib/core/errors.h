// Error codes of the image-format library and their texts. A failed call returns 0 and leaves one of these codes
// (always > 0) as the module's last error; kOk (0) means the last call succeeded.
#pragma once

namespace fl {

enum ErrorCode : int {
  kOk = 0,
  kCannotOpenFile = 1,
  kCannotReadFile = 2,
  kCannotWriteFile = 3,
  kOutOfMemory = 4,
  kTruncatedFile = 5,
  kImageTooLarge = 6,
  kBadDimensions = 7,
  kUnsupportedDepth = 8,
  kBadPageIndex = 9,
  kInvalidArgument = 10,
  kNotPcxFile = 11,
  kUnsupportedPcx = 12,
  kBadRunLength = 13,
  kNotDcxFile = 14,
  kBadPageOffset = 15,
  kDcxFull = 16,
  kNotTgaFile = 17,
  kUnsupportedTga = 18,
  kBadColorMap = 19,
  kBadBitmap = 20,
  kBadDib = 21,
  kGdiFailure = 22,
  kNotMetafile = 23,
  kEmptyTextFile = 24,
  kNotPngFile = 25,
  kBadPngData = 26,
  kNotTiffFile = 27,
  kBadTiffData = 28,
  kUnsupportedTiff = 29,
  kUnsupportedCompression = 30,
  kBadGifData = 31,
};

// Longest text that ErrorText returns; callers copy it into a 63-byte buffer with its terminating NUL.
inline constexpr int kMaxErrorTextLength = 62;

// The text of an error code; codes the library does not know give "unknown error".
const char* ErrorText(int code);

// Copies the text of `code` into `buffer` of `bufferSize` bytes, cut to fit, always NUL-terminated (nothing is
// written when bufferSize is 0).
void CopyErrorText(int code, char* buffer, int bufferSize);

}  // namespace fl
