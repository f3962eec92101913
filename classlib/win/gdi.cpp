// Live GDI object counts and the release routines behind the cl::gdi holders.
#include "classlib/win/gdi.h"

#include <atomic>

#include "classlib/core/exceptions.h"

namespace cl {
namespace {

// One counter per kind; atomics because worker threads may draw into their own bitmaps.
struct Counters {
  std::atomic<int> pens, brushes, fonts, bitmaps, palettes, regions, metafiles, dcs;
};

Counters& Live() {
  static Counters counters;  // trivially destructible: no order-of-destruction issue at exit
  return counters;
}

std::atomic<int>* CounterOf(HGDIOBJ object) {
  switch (GetObjectType(object)) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
      return &Live().pens;
    case OBJ_BRUSH:
      return &Live().brushes;
    case OBJ_FONT:
      return &Live().fonts;
    case OBJ_BITMAP:
      return &Live().bitmaps;
    case OBJ_PAL:
      return &Live().palettes;
    case OBJ_REGION:
      return &Live().regions;
    default:
      return nullptr;
  }
}

}  // namespace

namespace debug {

TGdiCounts GdiCounts() {
  Counters& c = Live();
  return TGdiCounts{c.pens, c.brushes, c.fonts, c.bitmaps, c.palettes, c.regions, c.metafiles, c.dcs};
}

}  // namespace debug

namespace gdi {

void RaiseOutOfResources() {
  throw EOutOfResources("Out of system resources");
}

HGDIOBJ Track(HGDIOBJ object) {
  if (object) {
    if (std::atomic<int>* counter = CounterOf(object)) ++*counter;
  }
  return object;
}

void Delete(HGDIOBJ object) {
  if (!object) return;
  if (std::atomic<int>* counter = CounterOf(object)) --*counter;
  DeleteObject(object);
}

HGDIOBJ Untrack(HGDIOBJ object) {
  if (object) {
    if (std::atomic<int>* counter = CounterOf(object)) --*counter;
  }
  return object;
}

HENHMETAFILE TrackEnhMetaFile(HENHMETAFILE metafile) {
  if (metafile) ++Live().metafiles;
  return metafile;
}

void FreeEnhMetaFile(HENHMETAFILE metafile) {
  if (!metafile) return;
  --Live().metafiles;
  ::DeleteEnhMetaFile(metafile);
}

HENHMETAFILE UntrackEnhMetaFile(HENHMETAFILE metafile) {
  if (metafile) --Live().metafiles;
  return metafile;
}

HDC TrackDC(HDC dc) {
  if (dc) ++Live().dcs;
  return dc;
}

void FreeMemoryDC(HDC dc) {
  if (!dc) return;
  --Live().dcs;
  ::DeleteDC(dc);
}

HDC AcquireDC(HWND window, bool wholeWindow) {
  HDC dc = Check(wholeWindow ? GetWindowDC(window) : GetDC(window));
  ++Live().dcs;
  return dc;
}

void FreeAcquiredDC(HWND window, HDC dc) {
  if (!dc) return;
  --Live().dcs;
  ReleaseDC(window, dc);
}

MemoryDC::MemoryDC(HDC reference) : FDC(TrackDC(Check(CreateCompatibleDC(reference)))) {}

PaletteGuard::PaletteGuard(HDC dc, HPALETTE palette, bool background) : FDC(dc) {
  if (!palette) return;
  FOld = SelectPalette(dc, palette, background ? TRUE : FALSE);
  const UINT changed = RealizePalette(dc);
  if (changed != GDI_ERROR) FChanged = changed;
}

PaletteGuard::~PaletteGuard() {
  if (FOld) SelectPalette(FDC, FOld, TRUE);
}

}  // namespace gdi
}  // namespace cl
