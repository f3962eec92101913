// The libjpeg calls behind TJPEGImage, kept apart so that libjpeg's error exit (a longjmp) never crosses a C++
// frame with destructors: each entry point is a small function with trivially destructible locals that catches
// the longjmp and returns the library's message; the caller then raises.
#pragma once

#include <cstddef>
#include <cstdint>

namespace cl::jpeg {

constexpr size_t kMessageSize = 200;  // JMSG_LENGTH_MAX

struct TDecodedInfo {
  int Width = 0;
  int Height = 0;
  int BitCount = 0;          // 24 (B, G, R) or 8 (indices into Colors)
  int ColorCount = 0;        // entries of Colors for 8 bits
  uint8_t Colors[256][3]{};  // R, G, B of each entry
};

// Receives the decoded rows. Begin is told the size and format once the header is read and returns the first
// byte of row 0 and the distance between rows (negative for bottom-up DIBs), or null to stop the decoding.
class TDecodeTarget {
 public:
  virtual uint8_t* Begin(const TDecodedInfo& info, ptrdiff_t& rowStep) noexcept = 0;

 protected:
  ~TDecodeTarget() = default;
};

struct TDecodeOptions {
  bool Quantize256 = false;  // two-pass 256-colour quantiser with Floyd-Steinberg dither
  bool Grayscale = false;    // 8-bit grey output
};

// Decodes a whole JPEG file image; false with message set when libjpeg fails or the data ends early, or target
// stopped it (message empty then).
bool Decode(const uint8_t* data, size_t size, const TDecodeOptions& options, TDecodeTarget& target,
            char (&message)[kMessageSize]) noexcept;

// Encodes rows of B, G, R pixels (row 0 at rows, next row rowStep bytes further) as a baseline JPEG with 4:2:0
// sampling and the accurate integer DCT. On success output holds malloc'd bytes the caller frees with std::free.
bool Encode(const uint8_t* rows, ptrdiff_t rowStep, int width, int height, int quality, uint8_t*& output,
            size_t& outputSize, char (&message)[kMessageSize]) noexcept;

}  // namespace cl::jpeg
