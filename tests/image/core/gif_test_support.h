// Helpers of the GIF tests: streams from bytes, an image that records its warnings, and small GIF builders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "classlib/core/streams.h"
#include "image/core/gif_image_core.h"

namespace img::test {

using Bytes = std::vector<std::uint8_t>;

inline void Append(Bytes& bytes, std::initializer_list<int> values) {
  for (int value : values) bytes.push_back(static_cast<std::uint8_t>(value));
}

inline void AppendText(Bytes& bytes, const std::string& text) {
  bytes.insert(bytes.end(), text.begin(), text.end());
}

// A memory stream holding bytes, positioned at the start.
class ByteStream : public cl::TMemoryStream {
 public:
  explicit ByteStream(const Bytes& bytes = {}) {
    if (!bytes.empty()) Write(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    SetPosition(0);
  }
  Bytes Contents() {
    const auto* data = static_cast<const std::uint8_t*>(Memory());
    return Bytes(data, data + Size());
  }
};

// An image that keeps every warning it is told.
class RecordingImage : public TGIFImageCore {
 public:
  RecordingImage() {
    OnWarning = [this](cl::TObject*, int severity, const std::string& message) {
      warnings.push_back(message);
      EXPECT_EQ(severity, 1);
    };
  }
  void Load(const Bytes& bytes) {
    ByteStream stream(bytes);
    LoadFromStream(stream);
  }
  Bytes Save() {
    ByteStream stream;
    SaveToStream(stream);
    return stream.Contents();
  }
  void Progress(cl::TObject* sender, TGIFProgressStage stage, int percent, const std::string& message) override {
    progress.push_back(std::to_string(stage) + " " + std::to_string(percent) + " " + message);
  }
  std::vector<std::string> warnings;
  std::vector<std::string> progress;  // "stage percent message"
};

// "GIF89a", a logical screen of width x height and a global table of 2 << sizeBits entries (none when
// sizeBits is negative).
inline Bytes GifHeader(int width, int height, int sizeBits = 0, const std::string& signature = "GIF89a") {
  Bytes bytes;
  AppendText(bytes, signature);
  Append(bytes, {width & 0xFF, width >> 8, height & 0xFF, height >> 8, sizeBits < 0 ? 0 : 0x80 | sizeBits, 0, 0});
  if (sizeBits >= 0) {
    for (int i = 0; i < (2 << sizeBits); ++i) Append(bytes, {i, 255 - i, i / 2});
  }
  return bytes;
}

// An image descriptor without a local table and data whose first pixel is 1 (the rest stays 0).
inline void AppendFrame(Bytes& bytes, int width, int height, int packed = 0) {
  Append(bytes, {0x2C, 0, 0, 0, 0, width & 0xFF, width >> 8, height & 0xFF, height >> 8, packed});
  // Minimum code size 2: clear (4), 1, end (5) at 3 bits: 100 001 101 -> 0x4C 0x01.
  Append(bytes, {2, 2, 0x4C, 0x01, 0});
}

}  // namespace img::test
