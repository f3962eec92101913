// RAII holders for GDI handles and the live counts of GDI objects that tests read.
// Every GDI object and device context the class library makes goes through here, so that a test can check that a
// scenario returns to its warm baseline (GetGuiResources is of no use under Wine).
#pragma once

#include <windows.h>

#include <utility>

namespace cl {

namespace debug {

// Live objects per kind, made and not yet released through cl::gdi.
struct TGdiCounts {
  int Pens = 0;
  int Brushes = 0;
  int Fonts = 0;
  int Bitmaps = 0;
  int Palettes = 0;
  int Regions = 0;
  int MetaFiles = 0;
  int DCs = 0;
  int Total() const { return Pens + Brushes + Fonts + Bitmaps + Palettes + Regions + MetaFiles + DCs; }
  bool operator==(const TGdiCounts&) const = default;
};

TGdiCounts GdiCounts();

}  // namespace debug

namespace gdi {

// Records a newly made object (null is ignored) and returns it, so a creation call can be wrapped in place:
// Track(CreatePen(...)). Raises EOutOfResources for null when required is set.
HGDIOBJ Track(HGDIOBJ object);
// Deletes an object made through Track (DeleteObject) and forgets it; null is ignored. Stock objects are never
// passed here.
void Delete(HGDIOBJ object);
// Forgets an object without deleting it: its new owner (the clipboard, a caller of ReleaseHandle) deletes it.
HGDIOBJ Untrack(HGDIOBJ object);
// The same for metafile handles, which are not HGDIOBJs of DeleteObject.
HENHMETAFILE TrackEnhMetaFile(HENHMETAFILE metafile);
void FreeEnhMetaFile(HENHMETAFILE metafile);
HENHMETAFILE UntrackEnhMetaFile(HENHMETAFILE metafile);
// Device contexts: memory DCs (DeleteDC) and window DCs (ReleaseDC).
HDC TrackDC(HDC dc);
void FreeMemoryDC(HDC dc);
// The DC of a window's client area (GetDC), or with wholeWindow of the whole window, frame and caption included
// (GetWindowDC); both are given back with ReleaseDC.
HDC AcquireDC(HWND window, bool wholeWindow = false);
void FreeAcquiredDC(HWND window, HDC dc);

// Raises EOutOfResources ("Out of system resources").
[[noreturn]] void RaiseOutOfResources();
// Returns handle, or raises EOutOfResources when it is null.
template <class H>
H Check(H handle) {
  if (!handle) RaiseOutOfResources();
  return handle;
}

// Owns one GDI object of type H (HPEN, HBRUSH, HFONT, HBITMAP, HPALETTE, HRGN).
template <class H>
class Object {
 public:
  Object() = default;
  // Adopts an object already counted through Track.
  explicit Object(H handle) : FHandle(handle) {}
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  Object(Object&& other) noexcept : FHandle(other.Release()) {}
  Object& operator=(Object&& other) noexcept {
    Reset(other.Release());
    return *this;
  }
  ~Object() { Reset(); }

  H Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != nullptr; }
  // Gives up ownership without deleting.
  H Release() { return std::exchange(FHandle, nullptr); }
  void Reset(H handle = nullptr) {
    H old = std::exchange(FHandle, handle);
    if (old && old != handle) Delete(old);
  }

 private:
  H FHandle = nullptr;
};

// A memory DC compatible with the screen (or with reference), deleted on destruction.
class MemoryDC {
 public:
  explicit MemoryDC(HDC reference = nullptr);
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  ~MemoryDC() { FreeMemoryDC(FDC); }
  HDC Get() const { return FDC; }

 private:
  HDC FDC;
};

// GetDC/ReleaseDC of a window's client area (null: the screen); with wholeWindow, GetWindowDC of the whole window.
class WindowDC {
 public:
  explicit WindowDC(HWND window = nullptr, bool wholeWindow = false)
      : FWindow(window), FDC(AcquireDC(window, wholeWindow)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() { FreeAcquiredDC(FWindow, FDC); }
  HDC Get() const { return FDC; }

 private:
  HWND FWindow;
  HDC FDC;
};

// Selects an object into a DC and puts the previous one back on destruction.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : FDC(dc), FOld(object ? SelectObject(dc, object) : nullptr) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() {
    if (FOld) SelectObject(FDC, FOld);
  }

 private:
  HDC FDC;
  HGDIOBJ FOld;
};

// Selects and realizes a palette (as a background palette unless told otherwise) and selects the previous one back
// on destruction.
class PaletteGuard {
 public:
  PaletteGuard(HDC dc, HPALETTE palette, bool background = true);
  PaletteGuard(const PaletteGuard&) = delete;
  PaletteGuard& operator=(const PaletteGuard&) = delete;
  ~PaletteGuard();
  // The system palette entries the realization changed (none on a display without a palette).
  UINT Changed() const { return FChanged; }

 private:
  HDC FDC;
  HPALETTE FOld = nullptr;
  UINT FChanged = 0;
};

// SaveDC/RestoreDC.
class SaveDCGuard {
 public:
  explicit SaveDCGuard(HDC dc) : FDC(dc), FSaved(SaveDC(dc)) {}
  SaveDCGuard(const SaveDCGuard&) = delete;
  SaveDCGuard& operator=(const SaveDCGuard&) = delete;
  ~SaveDCGuard() {
    if (FSaved) RestoreDC(FDC, FSaved);
  }

 private:
  HDC FDC;
  int FSaved;
};

}  // namespace gdi
}  // namespace cl
