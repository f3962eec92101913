// TIcon.
#include "classlib/win/icon.h"

#include "classlib/core/byte_reader.h"
#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/canvas.h"
#include "classlib/core/bmp_codec.h"

namespace cl {
namespace {

constexpr size_t kIconDirSize = 6;
constexpr size_t kIconEntrySize = 16;
constexpr uint32_t kIconVersion = 0x00030000;  // the resource format CreateIconFromResourceEx reads

[[noreturn]] void InvalidIcon() {
  throw EInvalidGraphic("Icon image is not valid");
}

// A one-image .ico of an icon handle: 32-bit colour image and 1-bit AND mask.
std::vector<uint8_t> EncodeIcon(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) InvalidIcon();
  gdi::Object<HBITMAP> color(static_cast<HBITMAP>(gdi::Track(info.hbmColor)));
  gdi::Object<HBITMAP> mask(static_cast<HBITMAP>(gdi::Track(info.hbmMask)));
  const bool hasColor = color.Get() != nullptr;
  const bmp::TDibImage maskImage =
      dib::ReduceFrom32(dib::Read32(mask.Get(), nullptr), 1, false, dib::MonochromePalette());
  // A mask-only icon stacks its AND mask over its XOR image in one bitmap of double height.
  const bmp::TDibImage colorImage = dib::Read32(hasColor ? color.Get() : mask.Get(), nullptr);
  const int32_t width = maskImage.Width;
  const int32_t height = hasColor ? colorImage.Height : maskImage.Height / 2;
  const size_t colorBytes = bmp::TDibImage::RowStride(width, 32) * height;
  const size_t maskStride = bmp::TDibImage::RowStride(width, 1);
  const size_t imageSize = 40 + colorBytes + maskStride * height;
  std::vector<uint8_t> out;
  le::AppendU16(out, static_cast<uint16_t>(0));
  le::AppendU16(out, static_cast<uint16_t>(1));
  le::AppendU16(out, static_cast<uint16_t>(1));
  out.push_back(static_cast<uint8_t>(width >= 256 ? 0 : width));
  out.push_back(static_cast<uint8_t>(height >= 256 ? 0 : height));
  le::AppendU16(out, static_cast<uint16_t>(0));
  le::AppendU16(out, static_cast<uint16_t>(1));
  le::AppendU16(out, static_cast<uint16_t>(32));
  le::AppendU32(out, static_cast<uint32_t>(static_cast<uint32_t>(imageSize)));
  le::AppendU32(out, static_cast<uint32_t>(kIconDirSize + kIconEntrySize));
  le::AppendU32(out, static_cast<uint32_t>(40));
  le::AppendU32(out, static_cast<uint32_t>(static_cast<uint32_t>(width)));
  le::AppendU32(out, static_cast<uint32_t>(static_cast<uint32_t>(height * 2)));
  le::AppendU16(out, static_cast<uint16_t>(1));
  le::AppendU16(out, static_cast<uint16_t>(32));
  for (int i = 0; i < 6; ++i) le::AppendU32(out, static_cast<uint32_t>(0));
  // Bottom-up rows: the first rows of a mask-only icon's bitmap are its XOR half, the rest its AND mask.
  const size_t colorStride = colorImage.Stride();
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = colorImage.Bits.data() + y * colorStride;
    out.insert(out.end(), row, row + 4 * width);
  }
  const size_t maskOffset = hasColor ? 0 : static_cast<size_t>(height);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = maskImage.Bits.data() + (maskOffset + y) * maskStride;
    out.insert(out.end(), row, row + maskStride);
  }
  return out;
}

}  // namespace

TIcon::~TIcon() {
  if (FHandle) DestroyIcon(FHandle);
}

void TIcon::Reset(HICON icon, std::vector<uint8_t> fileBytes) {
  if (FHandle && FHandle != icon) DestroyIcon(FHandle);
  FHandle = icon;
  FFileBytes = std::move(fileBytes);
  FWidth = FHeight = 0;
  ICONINFO info{};
  if (icon && GetIconInfo(icon, &info)) {
    BITMAP bm{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    FWidth = bm.bmWidth;
    FHeight = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
  Changed(this);
}

void TIcon::Assign(const TPersistent* source) {
  if (!source) {
    Reset(nullptr, {});
  } else if (const auto* icon = dynamic_cast<const TIcon*>(source)) {
    if (icon != this) Reset(icon->FHandle ? CopyIcon(icon->FHandle) : nullptr, icon->FFileBytes);
  } else {
    inherited::Assign(source);
  }
}

void TIcon::SetHandle(HICON icon) {
  if (icon != FHandle) Reset(icon, {});
}

HICON TIcon::ReleaseHandle() {
  HICON icon = FHandle;
  FHandle = nullptr;
  Reset(nullptr, {});
  return icon;
}

void TIcon::SetWidth(int width) {
  throw EInvalidGraphicOperation("Cannot change the size of an icon");
}
void TIcon::SetHeight(int height) {
  throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::Draw(TCanvas* canvas, const TRect& rect) {
  if (FHandle)
    DrawIconEx(canvas->Handle(), rect.Left, rect.Top, FHandle, rect.Width(), rect.Height(), 0, nullptr, DI_NORMAL);
}

void TIcon::LoadFromStream(TStream& stream) {
  const int64_t remaining = stream.Size() - stream.Position();
  if (remaining < static_cast<int64_t>(kIconDirSize + kIconEntrySize) || remaining > INT32_MAX) InvalidIcon();
  std::vector<uint8_t> bytes(static_cast<size_t>(remaining));
  stream.ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  const uint16_t reserved = le::ReadU16(&bytes[0]), type = le::ReadU16(&bytes[2]), count = le::ReadU16(&bytes[4]);
  if (reserved != 0 || type != 1 || count == 0 || kIconDirSize + kIconEntrySize * count > bytes.size()) InvalidIcon();
  const uint8_t* entry = bytes.data() + kIconDirSize;
  const uint32_t size = le::ReadU32(entry + 8), offset = le::ReadU32(entry + 12);
  if (offset > bytes.size() || size > bytes.size() - offset || size < 40) InvalidIcon();
  const int width = entry[0] ? entry[0] : 256, height = entry[1] ? entry[1] : 256;
  HICON icon = CreateIconFromResourceEx(bytes.data() + offset, size, TRUE, kIconVersion, width, height, 0);
  if (!icon) InvalidIcon();
  Reset(icon, std::move(bytes));
}

void TIcon::SaveToStream(TStream& stream) {
  if (!FHandle) return;
  const std::vector<uint8_t> bytes = FFileBytes.empty() ? EncodeIcon(FHandle) : FFileBytes;
  stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
}

}  // namespace cl
