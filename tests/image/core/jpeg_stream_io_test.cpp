// The JPEG bitmap's stream managers under libjpeg: reading from the stream's position in buffers, empty and cut
// files, comment markers, and stream failures that must reach the caller.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

#include <jpeglib.h>

#include "classlib/core/exceptions.h"
#include "image/core/jpeg_stream_io.h"
#include "tests/image/core/gif_test_support.h"

namespace img {
namespace {

using test::Bytes;
using test::ByteStream;

// A smooth picture of B, G, R pixels, top row first.
Bytes SmoothPixels(int width, int height) {
  Bytes pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      pixels.insert(pixels.end(),
                    {static_cast<uint8_t>(128 + 100 * std::sin(x / 9.0)), static_cast<uint8_t>(y * 255 / height),
                     static_cast<uint8_t>((x + y) * 255 / (width + height))});
  return pixels;
}

Bytes Encode(const Bytes& pixels, int width, int height) {
  ByteStream stream;
  TJPEGStreamDestination destination(stream);
  cl::jpeg::TStatus status;
  EXPECT_TRUE(cl::jpeg::Encode(pixels.data(), width * 3, width, height, {85, true}, destination, status))
      << status.Message;
  return stream.Contents();
}

class PixelTarget : public cl::jpeg::TDecodeTarget {
 public:
  uint8_t* Begin(const cl::jpeg::TDecodedInfo& info, ptrdiff_t& rowStep) noexcept override {
    Info = info;
    if (static_cast<int64_t>(info.Width) * info.Height > (int64_t{1} << 24)) return nullptr;  // damaged sizes
    Pixels.assign(static_cast<size_t>(info.Width) * info.Height * 3, 0);
    rowStep = info.Width * 3;
    return Pixels.data();
  }
  cl::jpeg::TDecodedInfo Info;
  Bytes Pixels;
};

struct Decoding {
  bool Ok = false;
  cl::jpeg::TStatus Status;
  PixelTarget Target;
};

// Decodes from the stream's position as the JPEG bitmap does; trace sets the error manager's trace level.
class TracedSource : public TJPEGStreamSource {
 public:
  TracedSource(cl::TStream& stream, int trace) : TJPEGStreamSource(stream), FTrace(trace) {}
  void Install(jpeg_decompress_struct& info) noexcept override {
    TJPEGStreamSource::Install(info);
    info.err->trace_level = FTrace;
  }

 private:
  int FTrace;
};

void Decode(cl::TStream& stream, Decoding& result, int trace = 0) {
  TracedSource source(stream, trace);
  cl::jpeg::TDecodeOptions options;
  options.TruncationIsError = false;
  result.Ok = cl::jpeg::Decode(source, options, result.Target, result.Status);
}

double Psnr(const Bytes& a, const Bytes& b) {
  double squares = 0;
  for (size_t i = 0; i < a.size(); ++i) squares += (double(a[i]) - b[i]) * (double(a[i]) - b[i]);
  return 10 * std::log10(255.0 * 255.0 / (squares / double(a.size())));
}

TEST(JpegStreamIo, RoundTripThroughManyBuffersStartsAtTheStreamPosition) {
  const int width = 1001, height = 701;  // more than one 10,240-byte buffer each way
  const Bytes pixels = SmoothPixels(width, height);
  const Bytes file = Encode(pixels, width, height);
  ASSERT_GT(file.size(), 2 * kJPEGStreamBufferSize);
  Bytes junkFirst(100, 0xAB);
  junkFirst.insert(junkFirst.end(), file.begin(), file.end());
  ByteStream stream(junkFirst);
  stream.SetPosition(100);
  Decoding result;
  Decode(stream, result);
  ASSERT_TRUE(result.Ok) << result.Status.Message;
  EXPECT_STREQ(result.Status.Warning, "");
  EXPECT_EQ(result.Target.Info.Width, width);
  EXPECT_EQ(result.Target.Info.BitCount, 24);
  EXPECT_GT(Psnr(result.Target.Pixels, pixels), 30.0);
}

TEST(JpegStreamIo, EmptyAndCutFiles) {
  ByteStream empty;
  Decoding none;
  Decode(empty, none);
  EXPECT_FALSE(none.Ok);
  EXPECT_STREQ(none.Status.Message, "Empty input file");

  // Cut in the entropy data: libjpeg warns and completes the picture itself.
  const Bytes file = Encode(SmoothPixels(64, 64), 64, 64);
  ByteStream cut(Bytes(file.begin(), file.begin() + static_cast<ptrdiff_t>(file.size() / 2)));
  Decoding half;
  Decode(cut, half);
  EXPECT_TRUE(half.Ok) << half.Status.Message;
  EXPECT_STREQ(half.Status.Warning, "Premature end of JPEG file");
  EXPECT_EQ(half.Target.Info.Height, 64);
}

TEST(JpegStreamIo, MutatedFilesDecodeOrFailCleanly) {
  const Bytes file = Encode(SmoothPixels(24, 16), 24, 16);
  std::mt19937 random(7);
  for (int i = 0; i < 300; ++i) {
    Bytes mutated = file;
    for (int change = 0; change < 1 + i % 4; ++change) mutated[random() % mutated.size()] = random() & 0xFF;
    if (i % 5 == 0) mutated.resize(random() % mutated.size());
    ByteStream stream(mutated);
    Decoding result;
    Decode(stream, result);  // AddressSanitizer watches every path, success or error
    if (!result.Ok) EXPECT_STRNE(result.Status.Message, "");
  }
}

TEST(JpegStreamIo, CommentsAreSkippedAndPrintedOnlyWhenTracing) {
  const Bytes file = Encode(SmoothPixels(16, 8), 16, 8);
  Bytes commented(file.begin(), file.begin() + 2);  // after the start-of-image marker
  const std::string text = "A\n\rB\rC\x01";
  test::Append(commented, {0xFF, 0xFE, 0, static_cast<int>(text.size() + 2)});
  test::AppendText(commented, text);
  commented.insert(commented.end(), file.begin() + 2, file.end());
  for (const int trace : {0, 1}) {
    SCOPED_TRACE(trace);
    ByteStream stream(commented);
    Decoding result;
    testing::internal::CaptureStdout();
    Decode(stream, result, trace);
    std::fflush(stdout);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(result.Ok) << result.Status.Message;
    EXPECT_EQ(printed, trace ? "Comment, length :7\nA\nB\nC\\1\n\n" : "");
  }
}

// A stream that raises after handing out limit bytes, or whose writes fall short.
class FailingStream : public ByteStream {
 public:
  using ByteStream::ByteStream;
  int32_t Read(void* buffer, int32_t count) override {
    if (Position() >= FReadLimit) throw cl::EReadError("Stream read error");
    return ByteStream::Read(buffer, count);
  }
  int32_t Write(const void* buffer, int32_t count) override {
    return ByteStream::Write(buffer, std::min<int32_t>(count, 100));
  }
  int64_t FReadLimit = 0;
};

TEST(JpegStreamIo, StreamFailuresReachTheCaller) {
  const Bytes pixels = SmoothPixels(1001, 701);
  FailingStream reading(Encode(pixels, 1001, 701));
  reading.FReadLimit = static_cast<int64_t>(kJPEGStreamBufferSize);
  Decoding result;
  TJPEGStreamSource source(reading);
  EXPECT_FALSE(cl::jpeg::Decode(source, {}, result.Target, result.Status));
  ASSERT_TRUE(source.Failure);
  EXPECT_THROW(std::rethrow_exception(source.Failure), cl::EReadError);

  FailingStream writing;
  TJPEGStreamDestination destination(writing);
  cl::jpeg::TStatus status;
  EXPECT_FALSE(cl::jpeg::Encode(pixels.data(), 1001 * 3, 1001, 701, {85, true}, destination, status));
  EXPECT_STREQ(status.Message, "Output file write error --- out of disk space?");
}

}  // namespace
}  // namespace img
