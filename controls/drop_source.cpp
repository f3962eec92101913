#include "controls/drop_source.h"

#include <algorithm>

#include "classlib/core/string_list.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/guard.h"
#include "classlib/win/metafile.h"
#include "classlib/win/system_info.h"
#include "controls/core/drop_blocks.h"
#include "controls/ole_drag_drop.h"

namespace ctl {

namespace {

// The kinds the enumerator lists, in its order; bitmaps are offered but not listed.
constexpr TSourceType kListedTypes[] = {stFiles, stUnicodeText, stText, stRichText, stEnhMetafile};
// The kinds that are rendered; the device-independent bitmap and metafile picture never are.
constexpr TSourceType kRenderedTypes[] = {stFiles, stUnicodeText, stText, stRichText, stBitmap, stEnhMetafile};

bool IsRendered(TSourceType type) {
  return std::find(std::begin(kRenderedTypes), std::end(kRenderedTypes), type) != std::end(kRenderedTypes);
}

// A new object of the kind's class holding a copy of data.
cl::TPersistent* CopyOfSlot(TSourceType type, const cl::TPersistent* data) {
  cl::TPersistent* copy = nullptr;
  switch (type) {
    case stFiles:
    case stUnicodeText:
    case stText:
    case stRichText:
      copy = cl::New<cl::TStringList>();
      break;
    case stBitmap:
      copy = cl::New<cl::TBitmap>();
      break;
    case stEnhMetafile:
      copy = cl::New<cl::TMetafile>();
      break;
    default:
      return nullptr;
  }
  try {
    copy->Assign(data);
  } catch (...) {
    cl::Free(copy);
    throw;
  }
  return copy;
}

std::vector<std::string> LinesOf(const cl::TStringList* list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list->Count(); ++i) lines.push_back(list->Strings(i));
  return lines;
}

// The lines joined by line breaks.
std::string TextOf(const cl::TStringList* list) {
  std::string text;
  for (int i = 0; i < list->Count(); ++i) {
    if (i > 0) text += "\r\n";
    text += list->Strings(i);
  }
  return text;
}

}  // namespace

TDropSource::TDropSource(OleDragDrop* owner) : FOwner(owner), FData(cl::New<TDropObj>()) {}

TDropSource::~TDropSource() {
  cl::Free(FData);
}

void TDropSource::SetData(TSourceTypes types, const TDropObj* source) {
  FSourceTypes = types;
  for (int slot = 0; slot < kSourceTypeCount; ++slot) {
    const auto type = static_cast<TSourceType>(slot);
    if (types.Contains(type) && !FData->Slot(type) && source && source->Slot(type)) {
      FData->SetSlot(type, CopyOfSlot(type, source->Slot(type)));
    }
  }
}

HANDLE TDropSource::Render(TSourceType type) const {
  switch (type) {
    case stFiles:
      if (const cl::TStringList* files = FData->Strings(stFiles)) {
        const bool wide = cl::Win32Platform() == VER_PLATFORM_WIN32_NT;
        return NewGlobalBlock(BuildDropFiles(LinesOf(files), wide, AnsiToUtf16));
      }
      return nullptr;
    case stUnicodeText:
      if (const cl::TStringList* lines = FData->Strings(type)) {
        return NewGlobalBlock(BuildWideTextBlock(TextOf(lines), AnsiToUtf16));
      }
      return nullptr;
    case stText:
    case stRichText:
      if (const cl::TStringList* lines = FData->Strings(type)) return NewGlobalBlock(BuildTextBlock(TextOf(lines)));
      return nullptr;
    case stBitmap:
      if (cl::TBitmap* bitmap = FData->Bitmap(); bitmap && !bitmap->Empty()) {
        return CopyImage(bitmap->Handle(), IMAGE_BITMAP, 0, 0, 0);
      }
      return nullptr;
    case stEnhMetafile:
      if (const cl::TMetafile* metafile = FData->Metafile(); metafile && metafile->Handle()) {
        return CopyEnhMetaFileA(metafile->Handle(), nullptr);
      }
      return nullptr;
    default:
      return nullptr;
  }
}

HRESULT TDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState) noexcept {
  if (escapePressed) return DRAGDROP_S_CANCEL;
  if (keyState & MK_LBUTTON) return S_OK;
  try {
    if (FOwner && FOwner->OnDragBeforeDrop()) FOwner->OnDragBeforeDrop()(FOwner);
  } catch (...) {
    // Raised again by the drag's starter once DoDragDrop has returned.
    FHandlerException = std::current_exception();
    return DRAGDROP_S_CANCEL;
  }
  return DRAGDROP_S_DROP;
}

HRESULT TDropSource::GiveFeedback(DWORD) noexcept {
  return DRAGDROP_S_USEDEFAULTCURSORS;
}

HRESULT TDropSource::GetData(FORMATETC* format, STGMEDIUM* medium) noexcept {
  return cl::GuardHr([&]() -> HRESULT {
    if (!format || !medium) return E_INVALIDARG;
    const std::optional<TSourceType> type = SourceTypeOfFormat(format->cfFormat);
    if (!type || !IsRendered(*type) || !FSourceTypes.Contains(*type)) return DV_E_FORMATETC;
    if (format->lindex != -1) return DV_E_LINDEX;
    if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    const DWORD mediumType = SourceTypeFormatEtc(*type).tymed;
    if (!(format->tymed & mediumType)) return DV_E_TYMED;
    HANDLE rendering = Render(*type);
    if (!rendering) return STG_E_MEDIUMFULL;
    *medium = STGMEDIUM{};
    medium->tymed = mediumType;
    switch (mediumType) {
      case TYMED_GDI:
        medium->hBitmap = static_cast<HBITMAP>(rendering);
        break;
      case TYMED_ENHMF:
        medium->hEnhMetaFile = static_cast<HENHMETAFILE>(rendering);
        break;
      default:
        medium->hGlobal = static_cast<HGLOBAL>(rendering);
        break;
    }
    medium->pUnkForRelease = nullptr;
    return S_OK;
  });
}

HRESULT TDropSource::GetDataHere(FORMATETC*, STGMEDIUM*) noexcept {
  return DV_E_FORMATETC;
}

HRESULT TDropSource::QueryGetData(FORMATETC* format) noexcept {
  if (!format) return E_INVALIDARG;
  const std::optional<TSourceType> type = SourceTypeOfFormat(format->cfFormat);
  if (!type || !FSourceTypes.Contains(*type)) return DV_E_FORMATETC;
  if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  // Any medium the requester allows that includes ours will do, as in GetData.
  if (!(format->tymed & SourceTypeFormatEtc(*type).tymed)) return DV_E_TYMED;
  return S_OK;
}

HRESULT TDropSource::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* canonical) noexcept {
  if (canonical) canonical->ptd = nullptr;
  return E_FAIL;
}

HRESULT TDropSource::SetData(FORMATETC*, STGMEDIUM*, BOOL) noexcept {
  return E_NOTIMPL;
}

HRESULT TDropSource::EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) noexcept {
  return cl::GuardHr([&]() -> HRESULT {
    if (!enumerator) return E_INVALIDARG;
    *enumerator = nullptr;
    if (direction == DATADIR_SET) return E_NOTIMPL;
    if (direction != DATADIR_GET) return E_INVALIDARG;
    std::vector<FORMATETC> formats;
    for (TSourceType type : kListedTypes) {
      if (FSourceTypes.Contains(type)) formats.push_back(SourceTypeFormatEtc(type));
    }
    if (formats.empty()) return E_NOTIMPL;
    *enumerator = new TEnumFormatEtc(std::move(formats));
    (*enumerator)->AddRef();
    return S_OK;
  });
}

HRESULT TDropSource::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) noexcept {
  return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TDropSource::DUnadvise(DWORD) noexcept {
  return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TDropSource::EnumDAdvise(IEnumSTATDATA** enumerator) noexcept {
  if (enumerator) *enumerator = nullptr;
  return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TEnumFormatEtc::Next(ULONG count, FORMATETC* formats, ULONG* fetched) noexcept {
  if (!formats && count > 0) return E_POINTER;
  const size_t available = FFormats.size() - FPosition;
  const size_t copied = std::min<size_t>(count, available);
  std::copy_n(FFormats.begin() + static_cast<std::ptrdiff_t>(FPosition), copied, formats);
  FPosition += copied;
  if (fetched) *fetched = static_cast<ULONG>(copied);
  return copied == count ? S_OK : S_FALSE;
}

HRESULT TEnumFormatEtc::Skip(ULONG count) noexcept {
  if (count > FFormats.size() - FPosition) {
    FPosition = FFormats.size();
    return S_FALSE;
  }
  FPosition += count;
  return S_OK;
}

HRESULT TEnumFormatEtc::Reset() noexcept {
  FPosition = 0;
  return S_OK;
}

HRESULT TEnumFormatEtc::Clone(IEnumFORMATETC** clone) noexcept {
  return cl::GuardHr([&]() -> HRESULT {
    if (!clone) return E_POINTER;
    *clone = new TEnumFormatEtc(FFormats, FPosition);
    (*clone)->AddRef();
    return S_OK;
  });
}

}  // namespace ctl
