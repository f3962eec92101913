#include "controls/ole_drag_drop.h"

#include "classlib/core/string_list.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/guard.h"
#include "classlib/win/metafile.h"
#include "classlib/win/win_control.h"
#include "controls/core/drop_blocks.h"
#include "controls/drop_source.h"

namespace ctl {

namespace {

// The medium of another program's data object for one kind, released in every case.
class TForeignMedium {
 public:
  TForeignMedium(IDataObject* data, TSourceType type) {
    FORMATETC format = SourceTypeFormatEtc(type);
    FHeld = SUCCEEDED(data->GetData(&format, &FMedium));
  }
  ~TForeignMedium() {
    if (FHeld) ReleaseStgMedium(&FMedium);
  }
  TForeignMedium(const TForeignMedium&) = delete;
  TForeignMedium& operator=(const TForeignMedium&) = delete;

  // The block's bytes; nothing for a failed request, another medium or a block that cannot be locked.
  std::optional<std::vector<uint8_t>> Bytes() const {
    if (!FHeld || FMedium.tymed != TYMED_HGLOBAL) return std::nullopt;
    return GlobalBlockBytes(FMedium.hGlobal);
  }
  HBITMAP Bitmap() const { return FHeld && FMedium.tymed == TYMED_GDI ? FMedium.hBitmap : nullptr; }
  HENHMETAFILE Metafile() const { return FHeld && FMedium.tymed == TYMED_ENHMF ? FMedium.hEnhMetaFile : nullptr; }

 private:
  STGMEDIUM FMedium{};
  bool FHeld = false;
};

cl::TStringList* NewListOf(const std::vector<std::string>& lines) {
  cl::TStringList* list = cl::New<cl::TStringList>();
  for (const std::string& line : lines) list->Add(line);
  return list;
}

cl::TPersistent* ReadFileList(IDataObject* data) {
  const std::optional<std::vector<uint8_t>> block = TForeignMedium(data, stFiles).Bytes();
  if (!block) return nullptr;
  const std::optional<std::vector<std::string>> names = ReadDropFiles(*block, Utf16ToAnsi);
  return names ? NewListOf(*names) : nullptr;
}

cl::TPersistent* ReadText(IDataObject* data, TSourceType type) {
  const std::optional<std::vector<uint8_t>> block = TForeignMedium(data, type).Bytes();
  if (!block) return nullptr;
  return NewListOf({type == stUnicodeText ? Utf16ToAnsi(ReadWideTextBlock(*block)) : ReadTextBlock(*block)});
}

cl::TPersistent* ReadEnhMetafile(IDataObject* data) {
  const TForeignMedium medium(data, stEnhMetafile);
  if (!medium.Metafile()) return nullptr;
  HENHMETAFILE copy = CopyEnhMetaFileA(medium.Metafile(), nullptr);
  if (!copy) return nullptr;
  cl::TMetafile* metafile = cl::New<cl::TMetafile>();
  metafile->SetHandle(copy);
  return metafile;
}

cl::TPersistent* ReadBitmap(IDataObject* data) {
  const TForeignMedium medium(data, stBitmap);
  if (!medium.Bitmap()) return nullptr;
  HBITMAP copy = static_cast<HBITMAP>(CopyImage(medium.Bitmap(), IMAGE_BITMAP, 0, 0, 0));
  if (!copy) return nullptr;
  cl::TBitmap* bitmap = cl::New<cl::TBitmap>();
  bitmap->SetHandle(copy);
  return bitmap;
}

// Another program's data of one kind, or null when it cannot be read.
cl::TPersistent* ReadSlot(IDataObject* data, TSourceType type) {
  switch (type) {
    case stFiles:
      return ReadFileList(data);
    case stUnicodeText:
    case stText:
    case stRichText:
      return ReadText(data, type);
    case stEnhMetafile:
      return ReadEnhMetafile(data);
    case stBitmap:
      return ReadBitmap(data);
    default:
      return nullptr;
  }
}

// The kinds asked for on entry, in this order, and the order a drop reads them in.
constexpr TSourceType kEnterQueryOrder[] = {stFiles, stUnicodeText, stText, stRichText, stEnhMetafile, stBitmap};
constexpr TSourceType kDropReadOrder[] = {stFiles, stUnicodeText, stText, stEnhMetafile, stBitmap, stRichText};

constexpr DWORD kAllowedEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

}  // namespace

void TDropObj::BeforeDestruction() {
  for (cl::TPersistent*& data : FSlots) cl::FreeAndNil(data);
  inherited::BeforeDestruction();
}

void TDropObj::SetSlot(TSourceType type, cl::TPersistent* data) {
  if (FSlots[type] != data) cl::Free(FSlots[type]);
  FSlots[type] = data;
}

cl::TStringList* TDropObj::Strings(TSourceType type) const {
  return dynamic_cast<cl::TStringList*>(FSlots[type]);
}

cl::TBitmap* TDropObj::Bitmap() const {
  return dynamic_cast<cl::TBitmap*>(FSlots[stBitmap]);
}

cl::TMetafile* TDropObj::Metafile() const {
  return dynamic_cast<cl::TMetafile*>(FSlots[stEnhMetafile]);
}

cl::TShiftState ShiftStateOfKeys(DWORD keyState) {
  cl::TShiftState shift;
  if (keyState & MK_SHIFT) shift.Include(cl::ssShift);
  if (keyState & MK_CONTROL) shift.Include(cl::ssCtrl);
  if (keyState & MK_LBUTTON) shift.Include(cl::ssLeft);
  if (keyState & MK_RBUTTON) shift.Include(cl::ssRight);
  if (keyState & MK_MBUTTON) shift.Include(cl::ssMiddle);
  return shift;
}

DWORD DropEffectOfShift(cl::TShiftState shift) {
  if (!shift.Contains(cl::ssShift)) return DROPEFFECT_COPY;
  return shift.Contains(cl::ssCtrl) ? DROPEFFECT_COPY | DROPEFFECT_LINK : DROPEFFECT_MOVE;
}

TDropTarget::TDropTarget(OleDragDrop* owner) : FOwner(owner) {
  if (!owner) throw EDragDropOleError("Create, owner MUST be specified.");
}

void TDropTarget::Detach() {
  FOwner = nullptr;
  FDataObject.Reset();
}

// The effect answered is the keys' effect within what the source allows.
HRESULT TDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL, DWORD* effect) noexcept {
  if (!effect) return E_INVALIDARG;
  const DWORD allowed = *effect;
  *effect = DROPEFFECT_NONE;
  if (!FOwner) return S_OK;
  return cl::Guard(FOwner, E_UNEXPECTED, [&] {
    FDataObject = cl::com::TComPtr<IDataObject>(data);
    *effect = DropEffectOfShift(ShiftStateOfKeys(keyState)) & allowed;
    FSourceTypes = {};
    if (data) {
      for (TSourceType type : kEnterQueryOrder) {
        FORMATETC format = SourceTypeFormatEtc(type);
        if (data->QueryGetData(&format) == S_OK) FSourceTypes.Include(type);
      }
    }
    if (!FSourceTypes.Empty() && FOwner->FOnDragEnter) FOwner->FOnDragEnter(FOwner, FSourceTypes);
    return S_OK;
  });
}

HRESULT TDropTarget::DragOver(DWORD keyState, POINTL point, DWORD* effect) noexcept {
  if (!effect) return E_INVALIDARG;
  const DWORD allowed = *effect;
  *effect = DROPEFFECT_NONE;
  if (!FOwner) return S_OK;
  return cl::Guard(FOwner, E_UNEXPECTED, [&] {
    if (!FDataObject) {
      FOwner->FAccepting = false;
      return S_OK;
    }
    bool accept = true;
    cl::TShiftState shift = ShiftStateOfKeys(keyState);
    if (FOwner->FOnDragOver) FOwner->FOnDragOver(FOwner, FSourceTypes, point.x, point.y, shift, accept);
    FOwner->FAccepting = accept;
    if (accept) *effect = DropEffectOfShift(shift) & allowed;
    return S_OK;
  });
}

HRESULT TDropTarget::DragLeave() noexcept {
  FDataObject.Reset();
  if (!FOwner) return S_OK;
  return cl::Guard(FOwner, E_UNEXPECTED, [&] {
    if (FOwner->FOnDragLeave) FOwner->FOnDragLeave(FOwner);
    return S_OK;
  });
}

// The drag's data object is let go of at the end of the drop, so that the other program's data is not kept alive.
HRESULT TDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) noexcept {
  if (!effect) return E_INVALIDARG;
  const DWORD allowed = *effect;
  *effect = DROPEFFECT_NONE;
  const cl::com::TComPtr<IDataObject> kept(data);
  FDataObject.Reset();
  if (!FOwner) return S_OK;
  if (!data) return E_FAIL;
  return cl::Guard(FOwner, E_UNEXPECTED, [&] {
    const cl::TShiftState shift = ShiftStateOfKeys(keyState);
    *effect = DropEffectOfShift(shift) & allowed;
    TDropObj* holder = cl::New<TDropObj>();
    try {
      for (TSourceType type : kDropReadOrder) {
        if (FSourceTypes.Contains(type)) holder->SetSlot(type, ReadSlot(data, type));
      }
      if (FOwner->FOnDragDrop) FOwner->FOnDragDrop(FOwner, FSourceTypes, holder, point.x, point.y, shift);
    } catch (...) {
      cl::Free(holder);
      throw;
    }
    cl::Free(holder);
    return S_OK;
  });
}

void OleDragDrop::AfterConstruction() {
  inherited::AfterConstruction();
  cl::OleCheck(OleInitialize(nullptr));
  FOleInitialized = true;
  FTarget = new TDropTarget(this);
  FTarget->AddRef();
  cl::OleCheck(CoLockObjectExternal(FTarget, TRUE, FALSE));
}

void OleDragDrop::BeforeDestruction() {
  RevokeWindow();
  FDropWindow = nullptr;
  if (FTarget) {
    CoLockObjectExternal(FTarget, FALSE, TRUE);
    FTarget->Detach();
    std::exchange(FTarget, nullptr)->Release();
  }
  if (FOleInitialized) OleUninitialize();
  FOleInitialized = false;
  inherited::BeforeDestruction();
}

void OleDragDrop::RevokeWindow() {
  if (FRegisteredWindow) RevokeDragDrop(FRegisteredWindow);
  FRegisteredWindow = nullptr;
}

void OleDragDrop::SetDropWindow(cl::TWinControl* window) {
  if (window == FDropWindow) return;
  if (FDropWindow) FDropWindow->RemoveFreeNotification(this);
  RevokeWindow();
  FDropWindow = nullptr;
  if (!window) return;
  HWND handle = window->Handle();
  if (FAILED(RegisterDragDrop(handle, FTarget))) {
    // Registered by someone before: take the window over.
    RevokeDragDrop(handle);
    cl::OleCheck(RegisterDragDrop(handle, FTarget));
  }
  // Kept, so that the window is revoked however it ends up registered.
  FRegisteredWindow = handle;
  FDropWindow = window;
  window->FreeNotification(this);
}

void OleDragDrop::Notification(cl::TComponent* component, cl::TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == cl::opRemove && component == FDropWindow) {
    RevokeWindow();
    FDropWindow = nullptr;
  }
}

int OleDragDrop::DragFiles(const cl::TStringList* files) {
  TDropObj* source = cl::New<TDropObj>();
  try {
    cl::TStringList* list = cl::New<cl::TStringList>();
    source->SetSlot(stFiles, list);
    list->Assign(files);
    const int effect = DragStart(TSourceTypes{stFiles}, source);
    cl::Free(source);
    return effect;
  } catch (...) {
    cl::Free(source);
    throw;
  }
}

int OleDragDrop::DragStart(TSourceTypes types, const TDropObj* source) {
  if (types.Empty()) return -1;
  cl::com::TComPtr<TDropSource> dropSource(new TDropSource(this));
  dropSource->SetData(types, source);
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT result = DoDragDrop(dropSource.Get(), dropSource.Get(), kAllowedEffects, &effect);
  dropSource->Detach();
  if (dropSource->HandlerException()) std::rethrow_exception(dropSource->HandlerException());
  cl::OleCheck(result);
  return static_cast<int>(effect);
}

}  // namespace ctl
