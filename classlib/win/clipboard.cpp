// TClipboard.
#include "classlib/win/clipboard.h"

#include <cstring>

#include "classlib/core/exceptions.h"
#include "classlib/win/gdi.h"
#include "classlib/win/graphics.h"
#include "classlib/win/picture.h"

namespace cl {
namespace {

constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMilliseconds = 10;

// Keeps the clipboard open for one operation.
class OpenScope {
 public:
  explicit OpenScope(TClipboard& clipboard) : FClipboard(clipboard) { clipboard.Open(); }
  OpenScope(const OpenScope&) = delete;
  OpenScope& operator=(const OpenScope&) = delete;
  ~OpenScope() { FClipboard.Close(); }

 private:
  TClipboard& FClipboard;
};

// Hands a graphic's clipboard data to the clipboard, or frees it when that fails.
void PutData(UINT format, HANDLE data, HPALETTE palette) {
  if (data && !SetClipboardData(format, data)) {
    if (format == CF_BITMAP)
      DeleteObject(data);
    else if (format == CF_ENHMETAFILE)
      DeleteEnhMetaFile(static_cast<HENHMETAFILE>(data));
    else
      GlobalFree(data);
  }
  if (palette && !SetClipboardData(CF_PALETTE, palette)) DeleteObject(palette);
}

}  // namespace

UINT CF_PICTURE() {
  static const UINT format = RegisterClipboardFormatA("CL Picture");
  return format;
}

TClipboard::~TClipboard() {
  if (FWindow) DestroyWindow(FWindow);
}

HWND TClipboard::OwnerWindow() {
  // EmptyClipboard needs an owner window for SetClipboardData to succeed; a message-only window serves.
  if (!FWindow) FWindow = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  return FWindow;
}

void TClipboard::Open() {
  if (FOpenCount == 0) {
    HWND owner = OwnerWindow();
    for (int attempt = 0;; ++attempt) {
      if (OpenClipboard(owner)) break;
      if (attempt + 1 == kOpenAttempts) throw EClipboardException("Cannot open clipboard");
      Sleep(kOpenRetryMilliseconds);
    }
  }
  ++FOpenCount;
}

void TClipboard::Close() {
  if (FOpenCount == 0) return;
  if (--FOpenCount == 0) CloseClipboard();
}

void TClipboard::Clear() {
  OpenScope open(*this);
  EmptyClipboard();
}

bool TClipboard::HasFormat(UINT format) const {
  if (IsClipboardFormatAvailable(format)) return true;
  if (format != CF_PICTURE()) return false;
  for (UINT registered : TPicture::ClipboardFormats())
    if (IsClipboardFormatAvailable(registered)) return true;
  return false;
}

template <class Put>
void TClipboard::Replace(Put put) {
  OpenScope open(*this);
  EmptyClipboard();
  put();
}

void TClipboard::Assign(const TPersistent* source) {
  TGraphic* graphic = nullptr;
  if (const auto* picture = dynamic_cast<const TPicture*>(source))
    graphic = picture->Graphic();
  else if (const auto* g = dynamic_cast<const TGraphic*>(source))
    graphic = const_cast<TGraphic*>(g);
  else {
    inherited::Assign(source);
    return;
  }
  if (!graphic || graphic->Empty()) return;
  // The graphic writes its data with the clipboard open and empty, so that it may put formats of its own beside
  // the one it hands back.
  Replace([&] {
    UINT format = 0;
    HANDLE data = nullptr;
    HPALETTE palette = nullptr;
    graphic->SaveToClipboardFormat(format, data, palette);
    PutData(format, data, palette);
  });
}

void TClipboard::AssignTo(TPersistent* dest) const {
  auto* picture = dynamic_cast<TPicture*>(dest);
  auto* graphic = dynamic_cast<TGraphic*>(dest);
  if (!picture && !graphic) {
    inherited::AssignTo(dest);
    return;
  }
  OpenScope open(*const_cast<TClipboard*>(this));
  auto palette = static_cast<HPALETTE>(GetClipboardData(CF_PALETTE));
  std::vector<UINT> formats = TPicture::ClipboardFormats();
  formats.insert(formats.begin(), CF_BITMAP);
  for (UINT format : formats) {
    // A graphic takes only formats registered for its own class (or a base of it).
    const TClass* registered = TPicture::ClipboardFormatClass(format).Class;
    if (graphic && (!registered || !graphic->InheritsFrom(registered))) continue;
    if (!IsClipboardFormatAvailable(format)) continue;
    if (HANDLE data = GetClipboardData(format)) {
      if (picture)
        picture->LoadFromClipboardFormat(format, data, palette);
      else
        graphic->LoadFromClipboardFormat(format, data, palette);
      return;
    }
  }
  throw EInvalidGraphic("Unsupported clipboard format");
}

std::string TClipboard::AsText() {
  OpenScope open(*this);
  HANDLE data = GetClipboardData(CF_TEXT);
  if (!data) return "";
  std::string text;
  if (const auto* chars = static_cast<const char*>(GlobalLock(data))) {
    text.assign(chars, strnlen(chars, GlobalSize(data)));
    GlobalUnlock(data);
  }
  return text;
}

void TClipboard::SetAsText(const std::string& text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
  if (!block) throw EOutOfMemory();
  std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  SetAsHandle(CF_TEXT, block);
}

HANDLE TClipboard::GetAsHandle(UINT format) {
  OpenScope open(*this);
  return GetClipboardData(format);
}

void TClipboard::SetAsHandle(UINT format, HANDLE value) {
  Replace([&] { PutData(format, value, nullptr); });
}

TClipboard* Clipboard() {
  static TClipboard* clipboard = New<TClipboard>();  // lives until the process ends
  return clipboard;
}

}  // namespace cl
