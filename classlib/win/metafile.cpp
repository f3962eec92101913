// TMetafile.
#include "classlib/win/metafile.h"

#include <vector>

#include "classlib/core/byte_reader.h"
#include "classlib/core/exceptions.h"
#include "classlib/core/streams.h"
#include "classlib/win/canvas.h"
#include "classlib/win/dib.h"

namespace cl {
namespace {

constexpr uint32_t kEmfHeaderRecord = 1;
constexpr uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr size_t kEmfSignatureOffset = 40;
constexpr size_t kEmfMinimumSize = 88;
constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableHeaderSize = 22;
constexpr size_t kWmfHeaderSize = 18;
constexpr int kTwipsPerInch = 1440;
constexpr int kHundredthMillimetresPerInch = 2540;

[[noreturn]] void InvalidMetafile() {
  throw EInvalidGraphic("Metafile is not valid");
}

int ScreenPixelsPerInch(int axis) {
  gdi::WindowDC screen;
  return GetDeviceCaps(screen.Get(), axis);
}

HENHMETAFILE FromWmf(const uint8_t* bits, size_t size, const METAFILEPICT* picture) {
  gdi::WindowDC screen;
  return SetWinMetaFileBits(static_cast<UINT>(size), bits, screen.Get(), picture);
}

}  // namespace

TMetafile::~TMetafile() {
  gdi::FreeEnhMetaFile(FHandle);
}

void TMetafile::Reset(HENHMETAFILE metafile) {
  if (FHandle != metafile) gdi::FreeEnhMetaFile(FHandle);
  FHandle = gdi::TrackEnhMetaFile(metafile);
  FPalette.Reset();
  FMMWidth = FMMHeight = 0;
  if (metafile) {
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(metafile, sizeof header, &header);
    FMMWidth = header.rclFrame.right - header.rclFrame.left;
    FMMHeight = header.rclFrame.bottom - header.rclFrame.top;
    PALETTEENTRY entries[256];
    const UINT count = GetEnhMetaFilePaletteEntries(metafile, 256, entries);
    if (count > 0 && count != GDI_ERROR) {
      std::vector<dib::TColorEntry> colors;
      for (UINT i = 0; i < count; ++i) colors.push_back({entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0});
      FPalette.Reset(dib::CreatePaletteOf(colors));
    }
  }
  Changed(this);
}

void TMetafile::Assign(const TPersistent* source) {
  if (!source) {
    Reset(nullptr);
  } else if (const auto* metafile = dynamic_cast<const TMetafile*>(source)) {
    if (metafile == this) return;
    FEnhanced = metafile->FEnhanced;
    Reset(metafile->FHandle ? CopyEnhMetaFileA(metafile->FHandle, nullptr) : nullptr);
    FMMWidth = metafile->FMMWidth;
    FMMHeight = metafile->FMMHeight;
  } else {
    inherited::Assign(source);
  }
}

void TMetafile::SetHandle(HENHMETAFILE metafile) {
  if (metafile != FHandle) Reset(metafile);
}

HENHMETAFILE TMetafile::ReleaseHandle() {
  HENHMETAFILE metafile = gdi::UntrackEnhMetaFile(FHandle);
  FHandle = nullptr;
  Reset(nullptr);
  return metafile;
}

int TMetafile::Width() const {
  return MulDiv(FMMWidth, ScreenPixelsPerInch(LOGPIXELSX), kHundredthMillimetresPerInch);
}
int TMetafile::Height() const {
  return MulDiv(FMMHeight, ScreenPixelsPerInch(LOGPIXELSY), kHundredthMillimetresPerInch);
}

void TMetafile::SetWidth(int width) {
  FMMWidth = MulDiv(width, kHundredthMillimetresPerInch, ScreenPixelsPerInch(LOGPIXELSX));
  Changed(this);
}

void TMetafile::SetHeight(int height) {
  FMMHeight = MulDiv(height, kHundredthMillimetresPerInch, ScreenPixelsPerInch(LOGPIXELSY));
  Changed(this);
}

void TMetafile::Draw(TCanvas* canvas, const TRect& rect) {
  if (!FHandle) return;
  const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  PlayEnhMetaFile(canvas->Handle(), FHandle, &r);
}

void TMetafile::LoadFromStream(TStream& stream) {
  const int64_t remaining = stream.Size() - stream.Position();
  if (remaining < static_cast<int64_t>(kWmfHeaderSize) || remaining > INT32_MAX) InvalidMetafile();
  std::vector<uint8_t> bytes(static_cast<size_t>(remaining));
  stream.ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  const uint8_t* data = bytes.data();
  HENHMETAFILE metafile = nullptr;
  bool enhanced = false;
  if (bytes.size() >= kEmfMinimumSize && le::ReadU32(data) == kEmfHeaderRecord &&
      le::ReadU32(data + kEmfSignatureOffset) == kEmfSignature) {
    metafile = SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), data);
    enhanced = true;
  } else if (le::ReadU32(data) == kPlaceableKey) {
    if (bytes.size() < kPlaceableHeaderSize + kWmfHeaderSize) InvalidMetafile();
    const auto left = static_cast<int16_t>(le::ReadU16(data + 6)), top = static_cast<int16_t>(le::ReadU16(data + 8));
    const auto right = static_cast<int16_t>(le::ReadU16(data + 10)),
               bottom = static_cast<int16_t>(le::ReadU16(data + 12));
    const int unitsPerInch = le::ReadU16(data + 14);
    if (unitsPerInch == 0) InvalidMetafile();
    METAFILEPICT picture{MM_ANISOTROPIC, MulDiv(right - left, kHundredthMillimetresPerInch, unitsPerInch),
                         MulDiv(bottom - top, kHundredthMillimetresPerInch, unitsPerInch), nullptr};
    metafile = FromWmf(data + kPlaceableHeaderSize, bytes.size() - kPlaceableHeaderSize, &picture);
  } else if ((le::ReadU16(data) == 1 || le::ReadU16(data) == 2) && le::ReadU16(data + 2) == kWmfHeaderSize / 2) {
    metafile = FromWmf(data, bytes.size(), nullptr);
  }
  if (!metafile) InvalidMetafile();
  FEnhanced = enhanced;
  Reset(metafile);
}

void TMetafile::SaveToStream(TStream& stream) {
  if (!FHandle) return;
  std::vector<uint8_t> bytes;
  if (FEnhanced) {
    bytes.resize(GetEnhMetaFileBits(FHandle, 0, nullptr));
    GetEnhMetaFileBits(FHandle, static_cast<UINT>(bytes.size()), bytes.data());
  } else {
    gdi::WindowDC screen;
    const UINT size = GetWinMetaFileBits(FHandle, 0, nullptr, MM_ANISOTROPIC, screen.Get());
    if (size == 0) InvalidMetafile();
    // Placeable header: key, handle 0, bounding box in twips, units per inch, reserved, checksum.
    const uint16_t header[10] = {static_cast<uint16_t>(kPlaceableKey & 0xFFFF),
                                 static_cast<uint16_t>(kPlaceableKey >> 16),
                                 0,
                                 0,
                                 0,
                                 static_cast<uint16_t>(MulDiv(FMMWidth, kTwipsPerInch, kHundredthMillimetresPerInch)),
                                 static_cast<uint16_t>(MulDiv(FMMHeight, kTwipsPerInch, kHundredthMillimetresPerInch)),
                                 kTwipsPerInch,
                                 0,
                                 0};
    uint16_t checksum = 0;
    for (uint16_t word : header) checksum ^= word;
    for (uint16_t word : header) le::AppendU16(bytes, word);
    le::AppendU16(bytes, checksum);
    const size_t at = bytes.size();
    bytes.resize(at + size);
    GetWinMetaFileBits(FHandle, size, bytes.data() + at, MM_ANISOTROPIC, screen.Get());
  }
  stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
}

void TMetafile::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) {
  if (format != CF_ENHMETAFILE || !data) throw EInvalidGraphic("Unsupported clipboard format");
  FEnhanced = true;
  Reset(CopyEnhMetaFileA(static_cast<HENHMETAFILE>(data), nullptr));
}

void TMetafile::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) {
  format = CF_ENHMETAFILE;
  data = FHandle ? CopyEnhMetaFileA(FHandle, nullptr) : nullptr;  // the clipboard owns the copy
  palette = nullptr;
}

}  // namespace cl
