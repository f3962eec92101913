// The libjpeg calls behind the JPEG graphics, kept apart so that libjpeg's error exit (a longjmp) never crosses a
// C++ frame with destructors: each entry point is a small function with trivially destructible locals that
// catches the longjmp and returns the library's message; the caller then raises.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>

struct jpeg_compress_struct;
struct jpeg_decompress_struct;

namespace cl::jpeg {

constexpr size_t kMessageSize = 200;  // JMSG_LENGTH_MAX

// How a decoding or encoding went: the error that stopped it, and the first warning the library gave.
struct TStatus {
  char Message[kMessageSize] = "";
  char Warning[kMessageSize] = "";
};

struct TDecodedInfo {
  int Width = 0;
  int Height = 0;
  int BitCount = 0;          // 24 (B, G, R), 32 (B, G, R, unused) or 8 (indices into Colors)
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

// Where the compressed bytes come from: Install sets the decompressor's source manager (and any marker
// processors). It and the manager run inside the trampoline: they stop with a libjpeg error, never with a C++
// exception; one they caught is kept in Failure for the caller to raise once libjpeg has let go.
class TSource {
 public:
  virtual void Install(jpeg_decompress_struct& info) noexcept = 0;
  // The bytes the image has at most, when the source knows it.
  virtual uint64_t SizeLimit() const noexcept { return UINT64_MAX; }
  std::exception_ptr Failure;

 protected:
  ~TSource() = default;
};

// A whole file image in memory.
class TMemorySource : public TSource {
 public:
  TMemorySource(const uint8_t* data, size_t size) : FData(data), FSize(size) {}
  void Install(jpeg_decompress_struct& info) noexcept override;
  uint64_t SizeLimit() const noexcept override { return FSize; }

 private:
  const uint8_t* FData;
  size_t FSize;
};

// Where the compressed bytes go: Install sets the compressor's destination manager; the same rules as TSource.
class TDestination {
 public:
  virtual void Install(jpeg_compress_struct& info) noexcept = 0;
  std::exception_ptr Failure;

 protected:
  ~TDestination() = default;
};

// A malloc'd buffer that grows as needed (libjpeg's own memory destination leaks its buffer on an error exit).
class TMemoryDestination : public TDestination {
 public:
  TMemoryDestination() = default;
  TMemoryDestination(const TMemoryDestination&) = delete;
  TMemoryDestination& operator=(const TMemoryDestination&) = delete;
  ~TMemoryDestination();
  void Install(jpeg_compress_struct& info) noexcept override;
  const uint8_t* Data() const { return FBuffer; }
  size_t Size() const { return FSize; }

 private:
  friend struct GrowingDestination;
  uint8_t* FBuffer = nullptr;
  size_t FCapacity = 0;
  size_t FSize = 0;
};

struct TDecodeOptions {
  bool Quantize256 = false;  // two-pass 256-colour quantiser with Floyd-Steinberg dither
  bool Grayscale = false;    // 8-bit grey output
  bool Padded32 = false;     // colour output in 32 bits a pixel instead of 24
  // Data that ends early is an error; otherwise it is the library's warning, and the library completes the image.
  bool TruncationIsError = true;
};

// Decodes one JPEG image; false with status.Message set when libjpeg fails (a truncated image too, when the
// options say so), or target stopped it (message empty then).
bool Decode(TSource& source, const TDecodeOptions& options, TDecodeTarget& target, TStatus& status) noexcept;

struct TEncodeOptions {
  int Quality = 75;
  bool OptimizeCoding = false;  // Huffman tables made for the image instead of the standard ones
};

// Encodes rows of B, G, R pixels (row 0 at rows, next row rowStep bytes further) as a baseline JPEG with 4:2:0
// sampling, baseline-compatible quantisation tables and the accurate integer DCT.
bool Encode(const uint8_t* rows, ptrdiff_t rowStep, int width, int height, const TEncodeOptions& options,
            TDestination& destination, TStatus& status) noexcept;

}  // namespace cl::jpeg
