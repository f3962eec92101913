// Owners of the Win32 handles the library uses internally: global memory, device contexts, GDI objects and
// selections. Each releases its handle in one place; Release() hands a finished handle to the caller.
#pragma once

#include <windows.h>

#include <cstddef>
#include <utility>

#include "formatlib/module_errors.h"

namespace fl {

// A movable global-memory block (the form DIBs travel in).
class GlobalMemory {
 public:
  explicit GlobalMemory(size_t size) : handle_(GlobalAlloc(GMEM_MOVEABLE, size)) {
    if (!handle_) Fail(kOutOfMemory);
  }
  GlobalMemory(const GlobalMemory&) = delete;
  GlobalMemory& operator=(const GlobalMemory&) = delete;
  ~GlobalMemory() {
    if (handle_) GlobalFree(handle_);
  }
  HGLOBAL Get() const { return handle_; }
  HGLOBAL Release() { return std::exchange(handle_, nullptr); }

 private:
  HGLOBAL handle_;
};

// GlobalLock for the lifetime of the object; fails with `error` on a handle that cannot be locked.
class GlobalLockView {
 public:
  GlobalLockView(HGLOBAL handle, ErrorCode error)
      : handle_(handle), data_(handle ? static_cast<uint8_t*>(GlobalLock(handle)) : nullptr) {
    if (!data_) Fail(error);
    size_ = GlobalSize(handle);
  }
  GlobalLockView(const GlobalLockView&) = delete;
  GlobalLockView& operator=(const GlobalLockView&) = delete;
  ~GlobalLockView() { GlobalUnlock(handle_); }
  uint8_t* Data() const { return data_; }
  size_t Size() const { return size_; }

 private:
  HGLOBAL handle_;
  uint8_t* data_;
  size_t size_ = 0;
};

// A memory DC compatible with the screen.
class MemoryDc {
 public:
  MemoryDc() : dc_(CreateCompatibleDC(nullptr)) {
    if (!dc_) Fail(kGdiFailure);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() { DeleteDC(dc_); }
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// SelectObject for the lifetime of the object.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {
    if (!old_ || old_ == HGDI_ERROR) Fail(kGdiFailure);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() { SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// One GDI object (bitmap, palette, font), deleted unless released.
template <class Handle>
class GdiObject {
 public:
  explicit GdiObject(Handle handle = nullptr) : handle_(handle) {}
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& other) noexcept : handle_(other.Release()) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      if (handle_) DeleteObject(handle_);
      handle_ = other.Release();
    }
    return *this;
  }
  ~GdiObject() {
    if (handle_) DeleteObject(handle_);
  }
  Handle Get() const { return handle_; }
  Handle Release() { return std::exchange(handle_, nullptr); }

 private:
  Handle handle_;
};

}  // namespace fl
