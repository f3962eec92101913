// The source side of a drag: the data object with its renderings of files, texts, a bitmap and an enhanced
// metafile, the drop source that follows the keys and buttons, and the enumerator of the formats it offers.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <exception>
#include <vector>

#include "classlib/win/com.h"
#include "controls/drag_drop_data.h"

namespace ctl {

class OleDragDrop;
class TDropObj;

class TDropSource : public cl::com::TInterfacedObject<IDropSource, IDataObject> {
 public:
  // owner's OnDragBeforeDrop fires when the user lets go; null for none.
  explicit TDropSource(OleDragDrop* owner);
  ~TDropSource() override;

  // Offers the kinds of types, copying from source each slot it does not hold yet.
  void SetData(TSourceTypes types, const TDropObj* source);
  TSourceTypes SourceTypes() const { return FSourceTypes; }
  // Forgets the component once its drag is over: a target may keep the data object longer.
  void Detach() { FOwner = nullptr; }
  // The exception OnDragBeforeDrop raised, which ended the drag.
  std::exception_ptr HandlerException() const { return FHandlerException; }

  // IDropSource
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) noexcept override;
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) noexcept override;

  // IDataObject
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) noexcept override;
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) noexcept override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* format, FORMATETC* canonical) noexcept override;
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) noexcept override;
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) noexcept override;
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                                    DWORD* connection) noexcept override;
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) noexcept override;
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** enumerator) noexcept override;

 private:
  // The rendering of one kind: a global block, a GDI bitmap or an enhanced metafile; null when there is none.
  HANDLE Render(TSourceType type) const;

  OleDragDrop* FOwner;
  TSourceTypes FSourceTypes;
  TDropObj* FData;
  std::exception_ptr FHandlerException;
};

// Enumerates its own copies of format records.
class TEnumFormatEtc : public cl::com::TInterfacedObject<IEnumFORMATETC> {
 public:
  explicit TEnumFormatEtc(std::vector<FORMATETC> formats, size_t position = 0)
      : FFormats(std::move(formats)), FPosition(position) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG count, FORMATETC* formats, ULONG* fetched) noexcept override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) noexcept override;
  HRESULT STDMETHODCALLTYPE Reset() noexcept override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** clone) noexcept override;

 private:
  std::vector<FORMATETC> FFormats;
  size_t FPosition;
};

}  // namespace ctl
