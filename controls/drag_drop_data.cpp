#include "controls/drag_drop_data.h"

#include <array>
#include <cstring>

namespace ctl {

namespace {

// The names in the order they are registered, duplicates included.
constexpr std::array kRegisteredFormatNames = {
    "Shell IDList Array",
    "Shell Object Offsets",
    "Net Resource",
    "FileGroupDescriptor",
    "FileContents",
    "FileGroupDescriptor",
    "FileGroupDescriptorW",
    "FileName",
    "FileNameW",
    "PrinterFriendlyName",
    "FileNameMap",
    "FileNameMapW",
    "Preferred DropEffect",
    "text/plain",
    "text/richtext",
    "image/x-xbitmap",
    "application/postscript",
    "audio/aiff",
    "audio/basic",
    "audio/wav",
    "audio/x-wav",
    "image/gif",
    "image/pjpeg",
    "image/jpeg",
    "image/tiff",
    "image/x-png",
    "image/bmp",
    "image/x-jg",
    "video/avi",
    "video/mpeg",
    "application/fractals",
    "application/octet-stream",
    "application/octet-stream",
    "application/pdf",
    "audio/x-aiff",
    "audio/x-pn-realaudio",
    "image/xbm",
    "video/quicktime",
    "video/x-msvideo",
    "video/x-sgi-movie",
    "text/html",
    "Rich Text Format",
    "Rich Text Format Without Objects",
    "RichEdit Text and Objects",
};

const std::array<UINT, kRegisteredFormatNames.size()>& RegisteredFormats() {
  static const std::array<UINT, kRegisteredFormatNames.size()> formats = [] {
    std::array<UINT, kRegisteredFormatNames.size()> numbers{};
    for (size_t i = 0; i < numbers.size(); ++i) numbers[i] = RegisterClipboardFormatA(kRegisteredFormatNames[i]);
    return numbers;
  }();
  return formats;
}

struct TFormatRow {
  CLIPFORMAT Format;
  DWORD Medium;
};

TFormatRow RowOf(TSourceType type) {
  switch (type) {
    case stFiles:
      return {CF_HDROP, TYMED_HGLOBAL};
    case stUnicodeText:
      return {CF_UNICODETEXT, TYMED_HGLOBAL};
    case stText:
      return {CF_TEXT, TYMED_HGLOBAL};
    case stRichText:
      return {static_cast<CLIPFORMAT>(DragDropClipboardFormat("Rich Text Format")), TYMED_HGLOBAL};
    case stBitmap:
      return {CF_BITMAP, TYMED_GDI};
    case stDib:
      return {CF_DIB, TYMED_HGLOBAL};
    case stEnhMetafile:
      return {CF_ENHMETAFILE, TYMED_ENHMF};
    case stMetafilePict:
      return {CF_METAFILEPICT, TYMED_MFPICT};
  }
  return {0, TYMED_NULL};
}

}  // namespace

UINT DragDropClipboardFormat(const char* name) {
  const auto& formats = RegisteredFormats();
  for (size_t i = 0; i < formats.size(); ++i) {
    if (std::strcmp(kRegisteredFormatNames[i], name) == 0) return formats[i];
  }
  return RegisterClipboardFormatA(name);
}

CLIPFORMAT SourceTypeFormat(TSourceType type) {
  return RowOf(type).Format;
}

FORMATETC SourceTypeFormatEtc(TSourceType type) {
  const TFormatRow row = RowOf(type);
  return FORMATETC{row.Format, nullptr, DVASPECT_CONTENT, -1, row.Medium};
}

std::optional<TSourceType> SourceTypeOfFormat(CLIPFORMAT format) {
  for (int slot = 0; slot < kSourceTypeCount; ++slot) {
    if (SourceTypeFormat(static_cast<TSourceType>(slot)) == format) return static_cast<TSourceType>(slot);
  }
  return std::nullopt;
}

std::u16string AnsiToUtf16(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::u16string wide(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0)), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, reinterpret_cast<wchar_t*>(wide.data()),
                      static_cast<int>(wide.size()));
  return wide;
}

std::string Utf16ToAnsi(std::u16string_view text) {
  if (text.empty()) return {};
  const auto* units = reinterpret_cast<const wchar_t*>(text.data());
  const int size = static_cast<int>(text.size());
  std::string narrow(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, units, size, nullptr, 0, nullptr, nullptr)),
                     '\0');
  WideCharToMultiByte(CP_ACP, 0, units, size, narrow.data(), static_cast<int>(narrow.size()), nullptr, nullptr);
  return narrow;
}

HGLOBAL NewGlobalBlock(const std::vector<uint8_t>& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, bytes.size());
  if (!block) return nullptr;
  void* memory = GlobalLock(block);
  if (!memory) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(memory, bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

std::optional<std::vector<uint8_t>> GlobalBlockBytes(HGLOBAL block) {
  if (!block) return std::nullopt;
  const auto* memory = static_cast<const uint8_t*>(GlobalLock(block));
  if (!memory) return std::nullopt;
  std::vector<uint8_t> bytes(memory, memory + GlobalSize(block));
  GlobalUnlock(block);
  return bytes;
}

}  // namespace ctl
