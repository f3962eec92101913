// TDock: row layout of its bars, its own thickness, background tiling and bound lines.
#include "toolbars/dock.h"

#include <algorithm>

#include "classlib/core/exceptions.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/dib.h"
#include "toolbars/tool_window.h"
#include "toolbars/window_frame.h"

namespace tbr {
namespace {

// A layout asked for while one runs (the dock's own resize realigning it) follows it, a few times at most, so
// that sizes that never settle cannot loop.
constexpr int kMaxLayoutPasses = 4;

constexpr cl::TAlign kAlignOfPosition[] = {cl::alTop, cl::alBottom, cl::alLeft, cl::alRight};

}  // namespace

TDock::TDock(cl::TComponent* owner) : cl::TCustomControl(owner), FBackground(cl::New<cl::TBitmap>()) {
  FControlStyle.Include(cl::csAcceptsControls);
  FControlStyle.Include(cl::csNoStdEvents);
  FControlStyle.Exclude(cl::csCaptureMouse);
  FControlStyle.Exclude(cl::csClickEvents);
  FControlStyle.Exclude(cl::csOpaque);
  FBackground->SetOnChange(cl::TNotifyEvent([this](cl::TObject*) { BackgroundChanged(); }));
  SetColor(cl::clBtnFace);
  SetAlign(cl::alTop);
}

void TDock::BeforeDestruction() {
  inherited::BeforeDestruction();
  FDockList.clear();
  cl::FreeAndNil(FBackgroundCache);
  FBackground->SetOnChange(nullptr);
  cl::FreeAndNil(FBackground);
}

void TDock::SetParent(cl::TWinControl* parent) {
  if (dynamic_cast<TCustomToolWindow*>(parent) || dynamic_cast<TDock*>(parent)) {
    throw cl::EInvalidOperation("A TDock control cannot be placed inside a tool window or another TDock");
  }
  inherited::SetParent(parent);
}

void TDock::SetPosition(TDockPosition position) {
  // Refused with a child for any value, the one it has too.
  if (ControlCount() > 0) {
    throw cl::EInvalidOperation("Cannot change Position of a TDock if it already contains controls");
  }
  if (position == FPosition) return;
  FPosition = position;
  SetAlign(kAlignOfPosition[position]);
}

void TDock::SetAllowDrag(bool allowDrag) {
  if (allowDrag == FAllowDrag) return;
  FAllowDrag = allowDrag;
  // The grip comes or goes with it: every bar works out its frame again.
  for (int i = 0; i < ControlCount(); ++i) {
    if (auto* bar = dynamic_cast<TCustomToolWindow*>(Controls(i))) {
      RecalculateFrame(bar);
      bar->FitToContent();
    }
  }
}

void TDock::SetBackground(const cl::TBitmap* background) {
  FBackground->Assign(background);
}

HPALETTE TDock::GetPalette() {
  return FBackground->Palette();
}

bool TDock::HasBackground() const {
  return FBackground->Width() != 0 && FBackground->Height() != 0;
}

void TDock::SetBackgroundOnToolbars(bool onToolbars) {
  if (onToolbars == FBackgroundOnToolbars) return;
  FBackgroundOnToolbars = onToolbars;
  RepaintWithBars();
}

void TDock::SetBackgroundTransparent(bool transparent) {
  if (transparent == FBackgroundTransparent) return;
  FBackgroundTransparent = transparent;
  if (HasBackground()) BackgroundChanged();
}

void TDock::BackgroundChanged() {
  DropBackgroundCache();
  RepaintWithBars();
}

void TDock::DropBackgroundCache() {
  cl::FreeAndNil(FBackgroundCache);
}

void TDock::RepaintWithBars() {
  Invalidate();
  for (TCustomToolWindow* bar : FDockList) {
    bar->RequestFrameRepaint();
    bar->Invalidate();
  }
}

void TDock::SetBoundLines(TDockBoundLines lines) {
  if (lines == FBoundLines) return;
  FBoundLines = lines;
  RecalculateFrame(this);
  LayoutBars();
}

void TDock::SetFixAlign(bool fixAlign) {
  if (fixAlign == FFixAlign) return;
  FFixAlign = fixAlign;
  LayoutBars();
}

void TDock::CreateParams(cl::TCreateParams& params) {
  inherited::CreateParams(params);
  // Resizing repaints only what the new layout changes.
  params.ClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TDock::Loaded() {
  inherited::Loaded();
  LayoutBars();
}

void TDock::AlignControls(cl::TControl*, cl::TRect&) {
  LayoutBars();
}

void TDock::ControlBoundsChanged(cl::TControl* control) {
  // A bar that changed its own size or place is laid out again; the layout's own moves are not news.
  if (!FPlacingBars && dynamic_cast<TCustomToolWindow*>(control)) LayoutBars();
}

void TDock::UnlockLayout() {
  if (--FLayoutLock == 0 && FLayoutNeeded) LayoutBars();
}

void TDock::LayoutBars() {
  if (FLayoutLock > 0 || ComponentState().Contains(cl::csLoading) || FreeStarted()) {
    FLayoutNeeded = true;
    return;
  }
  for (int pass = 0; pass < kMaxLayoutPasses; ++pass) {
    FLayoutNeeded = false;
    ++FLayoutLock;
    try {
      ArrangeBars();
    } catch (...) {
      --FLayoutLock;
      FLayoutNeeded = false;
      throw;
    }
    --FLayoutLock;
    if (!FLayoutNeeded) break;
  }
  FLayoutNeeded = false;
}

void TDock::ArrangeBars() {
  if (HandleAllocated()) SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (FDockList.empty()) {
    FRowSizes.clear();
    SetThickness(FFixAlign ? 1 : 0);
    return;
  }
  const TDockOrientation orientation = Orientation();
  const bool horizontal = orientation == doHorizontal;
  std::vector<DockedBar> bars;
  for (size_t i = 0; i < FDockList.size(); ++i) {
    TCustomToolWindow* bar = FDockList[i];
    bars.push_back(DockedBar{static_cast<int>(i), bar->FDockRow, bar->FDockPos, bar->FFullSize,
                             horizontal ? bar->Width() : bar->Height(), bar->BarThickness(orientation)});
  }
  const cl::TRect client = ClientRect();
  const DockLayout layout =
      LayoutDock(bars, orientation, horizontal ? client.Width() : client.Height(), FLimitToOneRow);

  std::vector<TCustomToolWindow*> ordered;
  for (const DockedBar& placed : layout.Bars) {
    TCustomToolWindow* bar = FDockList[placed.Id];
    bar->FDockRow = placed.Row;
    bar->FDockPos = placed.Pos;
    ordered.push_back(bar);
  }
  FDockList = ordered;
  FRowSizes = layout.RowSizes;
  FPlacingBars = true;
  try {
    for (size_t i = 0; i < ordered.size(); ++i) ordered[i]->SetBoundsInternal(layout.Bounds[i]);
  } catch (...) {
    FPlacingBars = false;
    throw;
  }
  FPlacingBars = false;
  SetThickness(layout.ClientThickness + BoundLineThickness());
}

int TDock::BoundLineThickness() const {
  if (Orientation() == doHorizontal) return FBoundLines.Contains(blTop) + FBoundLines.Contains(blBottom);
  return FBoundLines.Contains(blLeft) + FBoundLines.Contains(blRight);
}

void TDock::SetThickness(int thickness) {
  int left = Left();
  int top = Top();
  int width = Width();
  int height = Height();
  if (Orientation() == doHorizontal) {
    if (Align() == cl::alBottom) top += height - thickness;
    height = thickness;
  } else {
    if (Align() == cl::alRight) left += width - thickness;
    width = thickness;
  }
  SetBounds(left, top, width, height);
}

void TDock::UpdateBarList(bool insert, TCustomToolWindow* bar, bool barVisible) {
  const std::vector<TCustomToolWindow*> before = FDockList;
  std::erase(FDockList, bar);
  if (insert && barVisible) FDockList.push_back(bar);
  if (FDockList == before) return;
  LayoutBars();
  bar->FitToContent();
  if (FOnInsertRemoveBar) FOnInsertRemoveBar(this, insert, bar);
}

int TDock::RowThickness(int row, TCustomToolWindow* bar) {
  if (row >= 0 && row < static_cast<int>(FRowSizes.size())) return FRowSizes[row];
  return bar ? bar->BarThickness(Orientation()) : 0;
}

void TDock::OpenRowAt(int row) {
  for (TCustomToolWindow* bar : FDockList) {
    if (bar->FDockRow >= row) ++bar->FDockRow;
  }
}

int TDock::BarsInRow(int row, TCustomToolWindow* except) const {
  return static_cast<int>(std::count_if(FDockList.begin(), FDockList.end(),
                                        [&](TCustomToolWindow* bar) { return bar != except && bar->FDockRow == row; }));
}

cl::TPoint TDock::TilingOrigin(cl::TWinControl* control) {
  cl::TWinControl* parent = Parent();
  if (!parent || !parent->HandleAllocated() || !control->HandleAllocated()) return cl::Point(0, 0);
  POINT origin{0, 0};
  MapWindowPoints(parent->Handle(), control->Handle(), &origin, 1);
  return cl::Point(origin.x, origin.y);
}

void TDock::TileBackground(HDC dc, const cl::TRect& clip, const cl::TRect* exclude, const cl::TRect& drawRect) {
  if (!HasBackground()) return;
  cl::TBitmap* tile = FBackground;
  if (FBackgroundTransparent) {
    if (!FBackgroundCache) {
      // The background's pixels of its bottom-left colour take the dock's colour, once for all paints.
      cl::Owned<cl::TBitmap> cache = cl::MakeOwned<cl::TBitmap>();
      cache->SetSize(FBackground->Width(), FBackground->Height());
      if (FBackground->Palette()) cache->SetPalette(cl::CopyPalette(FBackground->Palette()));
      const cl::TRect all = cl::Rect(0, 0, cache->Width(), cache->Height());
      cache->Canvas()->Brush()->SetColor(Color());
      cache->Canvas()->FillRect(all);
      cache->Canvas()->BrushCopy(all, FBackground, all, FBackground->TransparentColor());
      FBackgroundCache = cache.release();
    }
    tile = FBackgroundCache;
  }
  cl::gdi::SaveDCGuard saved(dc);
  IntersectClipRect(dc, clip.Left, clip.Top, clip.Right, clip.Bottom);
  if (exclude) ExcludeClipRect(dc, exclude->Left, exclude->Top, exclude->Right, exclude->Bottom);
  cl::gdi::PaletteGuard palette(dc, tile->Palette());
  RECT box;
  if (GetClipBox(dc, &box) == NULLREGION) return;
  const int width = tile->Width();
  const int height = tile->Height();
  HDC source = tile->Canvas()->Handle();
  for (int x = TileStart(drawRect.Left, width, box.left); x < std::min<int>(drawRect.Right, box.right); x += width) {
    for (int y = TileStart(drawRect.Top, height, box.top); y < std::min<int>(drawRect.Bottom, box.bottom);
         y += height) {
      BitBlt(dc, x, y, width, height, source, 0, 0, SRCCOPY);
    }
  }
}

void TDock::Paint() {
  if (!HasBackground()) return;
  const cl::TRect client = ClientRect();
  const cl::TPoint origin = TilingOrigin(this);
  TileBackground(Canvas()->Handle(), client, nullptr, cl::Rect(origin.X, origin.Y, client.Right, client.Bottom));
}

void TDock::NonClientCalcSize(cl::TMessage& message) {
  DefaultHandler(message);
  RECT& r = message.WParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam)->rgrc[0]
                           : *reinterpret_cast<RECT*>(message.LParam);
  if (r.right - r.left < 2 || r.bottom - r.top < 2) return;
  if (FBoundLines.Contains(blTop)) ++r.top;
  if (FBoundLines.Contains(blBottom)) --r.bottom;
  if (FBoundLines.Contains(blLeft)) ++r.left;
  if (FBoundLines.Contains(blRight)) --r.right;
}

void TDock::NonClientPaint(cl::TMessage& message) {
  RECT window;
  GetWindowRect(Handle(), &window);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  if (width < 2 || height < 2 || FBoundLines.Empty()) return;
  WindowFrameDC dc(Handle(), message.WParam);
  const HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
  const HBRUSH highlight = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
  auto line = [&](int left, int top, int right, int bottom, HBRUSH brush) {
    const RECT r{left, top, right, bottom};
    FillRect(dc.Get(), &r, brush);
  };
  if (FBoundLines.Contains(blTop)) line(0, 0, width, 1, shadow);
  if (FBoundLines.Contains(blLeft)) line(0, 0, 1, height, shadow);
  if (FBoundLines.Contains(blBottom)) line(0, height - 1, width, height, highlight);
  if (FBoundLines.Contains(blRight)) line(width - 1, 0, width, height, highlight);
}

void TDock::Dispatch(cl::TMessage& message) {
  switch (message.Msg) {
    case WM_NCCALCSIZE:
      NonClientCalcSize(message);
      return;
    case WM_NCPAINT:
      NonClientPaint(message);
      return;
    case WM_MOVE:
      inherited::Dispatch(message);
      // The tiles start at the parent's origin: a moved dock shows another part of the pattern.
      if (HasBackground()) RepaintWithBars();
      return;
    case cl::CM_COLORCHANGED:
      if (HasBackground()) BackgroundChanged();
      inherited::Dispatch(message);
      return;
    case cl::CM_SYSCOLORCHANGE:
      inherited::Dispatch(message);
      if (HasBackground()) BackgroundChanged();
      return;
    case cl::CM_CONTROLLISTCHANGE:
      inherited::Dispatch(message);
      // A bar leaving without a parent change of its own (freed with its window) leaves the layout too.
      if (message.LParam == 0) {
        if (auto* bar = dynamic_cast<TCustomToolWindow*>(reinterpret_cast<cl::TControl*>(message.WParam))) {
          UpdateBarList(false, bar, false);
        }
      }
      return;
    default:
      inherited::Dispatch(message);
  }
}

}  // namespace tbr
