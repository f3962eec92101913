// Metafiles into bitmaps: the file is checked and turned into an enhanced metafile, which GDI plays onto a white
// bitmap of the picture's own size at 96 dpi.
#include <cstring>
#include <utility>
#include <vector>

#include "formatlib/dib_convert.h"
#include "formatlib/file_access.h"
#include "formatlib/picture_loaders.h"

namespace fl {
namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableHeaderSize = 22;
constexpr uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr size_t kEmfHeaderMinimum = 88;
constexpr size_t kWmfHeaderSize = 18;
constexpr int kDotsPerInch = 96;
constexpr int kHimetricPerInch = 2540;

uint32_t Dword(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
}
int16_t Short(const std::vector<uint8_t>& bytes, size_t at) {
  return static_cast<int16_t>(bytes[at] | (bytes[at + 1] << 8));
}

class EnhMetafile {
 public:
  explicit EnhMetafile(HENHMETAFILE handle) : handle_(handle) {
    if (!handle_) Fail(kNotMetafile);
  }
  EnhMetafile(const EnhMetafile&) = delete;
  EnhMetafile& operator=(const EnhMetafile&) = delete;
  ~EnhMetafile() { DeleteEnhMetaFile(handle_); }
  HENHMETAFILE Get() const { return handle_; }

 private:
  HENHMETAFILE handle_;
};

// A Windows metafile's own header: type 1 or 2, 9 words long, a size that fits the data.
bool IsWindowsMetafile(const uint8_t* data, size_t size) {
  if (size < kWmfHeaderSize) return false;
  uint16_t type = static_cast<uint16_t>(data[0] | (data[1] << 8));
  uint16_t headerWords = static_cast<uint16_t>(data[2] | (data[3] << 8));
  uint32_t sizeWords = data[6] | (data[7] << 8) | (data[8] << 16) | (static_cast<uint32_t>(data[9]) << 24);
  return (type == 1 || type == 2) && headerWords == 9 && sizeWords >= 9 && sizeWords <= size / 2;
}

// The enhanced metafile and the picture's size in pixels at 96 dpi (0 x 0 when the file does not say).
std::pair<HENHMETAFILE, SIZE> OpenMetafile(const std::vector<uint8_t>& bytes) {
  if (bytes.size() >= kEmfHeaderMinimum && Dword(bytes, 0) == EMR_HEADER && Dword(bytes, 40) == kEmfSignature) {
    return {SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data()), {0, 0}};
  }
  if (bytes.size() >= kPlaceableHeaderSize && Dword(bytes, 0) == kPlaceableKey) {
    int width = Short(bytes, 10) - Short(bytes, 6);
    int height = Short(bytes, 12) - Short(bytes, 8);
    int unitsPerInch = static_cast<uint16_t>(Short(bytes, 14));
    const uint8_t* metafile = bytes.data() + kPlaceableHeaderSize;
    size_t size = bytes.size() - kPlaceableHeaderSize;
    if (width <= 0 || height <= 0 || unitsPerInch == 0 || !IsWindowsMetafile(metafile, size)) Fail(kNotMetafile);
    METAFILEPICT picture{MM_ANISOTROPIC, width * kHimetricPerInch / unitsPerInch,
                         height * kHimetricPerInch / unitsPerInch, nullptr};
    SIZE pixels{width * kDotsPerInch / unitsPerInch, height * kDotsPerInch / unitsPerInch};
    return {SetWinMetaFileBits(static_cast<UINT>(size), metafile, nullptr, &picture), pixels};
  }
  if (IsWindowsMetafile(bytes.data(), bytes.size())) {
    return {SetWinMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data(), nullptr, nullptr), {0, 0}};
  }
  Fail(kNotMetafile);
}

// The frame the metafile's header gives, in pixels at 96 dpi; the bounds of its drawing when it has none.
SIZE FrameSize(HENHMETAFILE metafile) {
  ENHMETAHEADER header{};
  if (!GetEnhMetaFileHeader(metafile, sizeof(header), &header)) Fail(kNotMetafile);
  int64_t width = (int64_t{header.rclFrame.right} - header.rclFrame.left) * kDotsPerInch / kHimetricPerInch;
  int64_t height = (int64_t{header.rclFrame.bottom} - header.rclFrame.top) * kDotsPerInch / kHimetricPerInch;
  if (width <= 0 || height <= 0) {
    width = int64_t{header.rclBounds.right} - header.rclBounds.left + 1;
    height = int64_t{header.rclBounds.bottom} - header.rclBounds.top + 1;
  }
  Check(CheckImageSize(width, height, 24));
  return {static_cast<LONG>(width), static_cast<LONG>(height)};
}

}  // namespace

HBITMAP RenderMetafile(const char* fileName) {
  std::vector<uint8_t> bytes = ReadWholeFile(fileName);
  auto [handle, size] = OpenMetafile(bytes);
  EnhMetafile metafile(handle);
  if (size.cx <= 0 || size.cy <= 0) size = FrameSize(metafile.Get());
  Check(CheckImageSize(size.cx, size.cy, 24));
  NewDibSection section(size.cx, size.cy, 24, {});
  GdiObject<HBITMAP> bitmap(section.Release());
  MemoryDc dc;
  Selection selected(dc.Get(), bitmap.Get());
  RECT frame{0, 0, size.cx, size.cy};
  PatBlt(dc.Get(), 0, 0, size.cx, size.cy, WHITENESS);
  if (!PlayEnhMetaFile(dc.Get(), metafile.Get(), &frame)) Fail(kNotMetafile);
  GdiFlush();
  return bitmap.Release();
}

}  // namespace fl
