// COM support: an IUnknown base for objects that implement interfaces, an owning interface pointer, and the error
// raised from a failing result code.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <atomic>
#include <string>
#include <utility>

#include "classlib/core/exceptions.h"

namespace cl {

// A failing OLE result code; the message is the system's text for it, or the code in hexadecimal.
class EOleSysError : public Exception {
 public:
  explicit EOleSysError(HRESULT errorCode);
  HRESULT ErrorCode() const { return FErrorCode; }

 private:
  HRESULT FErrorCode;
};

// Raises EOleSysError when result is a failure code; returns it otherwise (S_FALSE is a success).
HRESULT OleCheck(HRESULT result);

namespace com {

// IUnknown over the listed interfaces: QueryInterface answers IUnknown and each of them; the count starts at 0, so
// the first owner's AddRef (usually a TComPtr) takes the object, and the last Release deletes it.
template <class... Interfaces>
class TInterfacedObject : public Interfaces... {
 public:
  TInterfacedObject() = default;
  TInterfacedObject(const TInterfacedObject&) = delete;
  TInterfacedObject& operator=(const TInterfacedObject&) = delete;
  virtual ~TInterfacedObject() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown)) {
      *object = static_cast<IUnknown*>(static_cast<FirstInterface*>(this));
    } else {
      ((IsEqualIID(iid, __uuidof(Interfaces)) && !*object ? (*object = static_cast<Interfaces*>(this)) : nullptr), ...);
    }
    if (!*object) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++FRefCount; }
  ULONG STDMETHODCALLTYPE Release() noexcept override {
    const ULONG count = --FRefCount;
    if (count == 0) delete this;
    return count;
  }

 private:
  template <class First, class...>
  struct Head {
    using Type = First;
  };
  using FirstInterface = typename Head<Interfaces...>::Type;

  std::atomic<ULONG> FRefCount{0};
};

// Owns one reference to an interface.
template <class Interface>
class TComPtr {
 public:
  TComPtr() = default;
  // Takes a new reference.
  explicit TComPtr(Interface* pointer) : FPointer(pointer) {
    if (FPointer) FPointer->AddRef();
  }
  TComPtr(const TComPtr& other) : TComPtr(other.FPointer) {}
  TComPtr(TComPtr&& other) noexcept : FPointer(other.FPointer) { other.FPointer = nullptr; }
  TComPtr& operator=(TComPtr other) noexcept {
    std::swap(FPointer, other.FPointer);
    return *this;
  }
  ~TComPtr() { Reset(); }

  void Reset() {
    if (FPointer) std::exchange(FPointer, nullptr)->Release();
  }
  Interface* Get() const { return FPointer; }
  Interface* operator->() const { return FPointer; }
  explicit operator bool() const { return FPointer != nullptr; }

 private:
  Interface* FPointer = nullptr;
};

}  // namespace com
}  // namespace cl
