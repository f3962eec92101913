#include "controls/ctl_split_ctrl.h"

#include "classlib/win/control_canvas.h"
#include "classlib/win/screen.h"
#include "controls/border_frames.h"

namespace ctl {
namespace {

constexpr int kStartWidth = 200;
constexpr int kStartHeight = 100;

bool HasState(const cl::TComponent* component, cl::TComponentStateFlag flag) {
  return component->ComponentState().Contains(flag);
}

}  // namespace

TCtlSplitPane::TCtlSplitPane(cl::TComponent* owner) : TScrollBox(owner) {
  SetBorderStyle(cl::bsNone);
  FControlStyle.Exclude(cl::csReplicatable);
}

TCtlCustomSplitControl::TCtlCustomSplitControl(cl::TComponent* owner) : TCtlCustomControl(owner) {
  SetBounds(Left(), Top(), kStartWidth, kStartHeight);
  SetTabStop(false);
  FControlStyle.Include(cl::csAcceptsControls);
  AddPane();
  AddPane();
  FSplitterMain = cl::New<TCtlMainSplitter>();
  AddSplitter(FSplitterMain);
}

void TCtlCustomSplitControl::AddPane() {
  auto* pane = cl::New<TCtlSplitPane>(this);
  pane->SetParent(this);
  FPanes.push_back(pane);
  auto* info = cl::New<TCtlPaneInfo>();
  info->SetPaneIndex(static_cast<int>(FPaneInfos.size()));
  info->SetOnChange(cl::TNotifyEvent([this](cl::TObject* sender) { ItemChanged(sender); }));
  FPaneInfos.push_back(info);
  FPaneCount = static_cast<int>(FPanes.size());
}

void TCtlCustomSplitControl::AddSplitter(TCtlCustomSplitter* splitter) {
  splitter->SetOnChange(cl::TNotifyEvent([this](cl::TObject* sender) { ItemChanged(sender); }));
  FSplitters.push_back(splitter);
  FSplitterCount = static_cast<int>(FSplitters.size());
}

void TCtlCustomSplitControl::BeforeDestruction() {
  inherited::BeforeDestruction();
  for (TCtlCustomSplitter* splitter : FSplitters) cl::Free(splitter);
  for (TCtlPaneInfo* info : FPaneInfos) cl::Free(info);
  FSplitters.clear();
  FPaneInfos.clear();
  FPanes.clear();
  FSplitterMain = nullptr;
}

TCtlCustomSplitter* TCtlCustomSplitControl::Splitters(int index) const {
  return index >= 0 && index < static_cast<int>(FSplitters.size()) ? FSplitters[index] : nullptr;
}

TCtlPaneInfo* TCtlCustomSplitControl::PaneInfo(int index) const {
  return index >= 0 && index < static_cast<int>(FPaneInfos.size()) ? FPaneInfos[index] : nullptr;
}

TCtlSplitPane* TCtlCustomSplitControl::Panes(int index) const {
  return index >= 0 && index < static_cast<int>(FPanes.size()) ? FPanes[index] : nullptr;
}

void TCtlCustomSplitControl::AssignPane(int index, const TCtlPaneInfo* info) {
  if (TCtlPaneInfo* own = PaneInfo(index)) own->Assign(info);
}

void TCtlCustomSplitControl::SetBorderStyle(TCtlBorderStyle style) {
  FBorderStyle = style;
  FBorderWidth = GetBorderWidth(style);
  ItemChanged(nullptr);
}

void TCtlCustomSplitControl::CreateParams(cl::TCreateParams& params) {
  inherited::CreateParams(params);
  params.Style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
}

bool TCtlCustomSplitControl::CanLayOut() const {
  if (HasState(this, cl::csLoading) || HasState(this, cl::csDestroying) || FSplitters.empty()) return false;
  if (Width() <= 0 || Height() <= 0) return false;
  const cl::TForm* form = cl::GetParentForm(this);
  return !(form && form->HandleAllocated() && IsIconic(const_cast<cl::TForm*>(form)->Handle()));
}

void TCtlCustomSplitControl::ItemChanged(cl::TObject* sender) {
  if (auto* info = dynamic_cast<TCtlPaneInfo*>(sender)) {
    TCtlSplitPane* pane = Panes(info->PaneIndex());
    if (pane && !HasState(this, cl::csReading)) {
      pane->SetAutoScroll(info->AutoScroll());
      pane->SetColor(info->Color());
    }
    return;
  }
  CalcSplitters();
  CalcPanes();
  if (!HasState(this, cl::csLoading)) Invalidate();
}

void TCtlCustomSplitControl::CalcSplitters() {
  if (!CanLayOut()) return;
  FSplitterMain->Lock();  // clamping is no change to report
  CalcMainSplitter(FSplitterMain->Geometry(), Width(), Height());
  FSplitterMain->Unlock(false);
}

void TCtlCustomSplitControl::CalcPanes() {
  if (!CanLayOut()) return;
  PlacePanes(CalcPaneRects(FSplitterMain->Geometry(), nullptr, ossEven, Width(), Height()));
}

void TCtlCustomSplitControl::PlacePanes(const std::vector<cl::TRect>& rects) {
  for (size_t i = 0; i < rects.size() && i < FPanes.size(); ++i) {
    FPaneInfos[i]->SetPaneRect(rects[i]);
    FPanes[i]->SetBoundsRect(PaneWindowRect(rects[i], FBorderStyle));
  }
}

void TCtlCustomSplitControl::Loaded() {
  inherited::Loaded();
  const bool insideAlignedPane = dynamic_cast<TCtlSplitPane*>(Parent()) && Align() != cl::alNone;
  if (!insideAlignedPane) {
    CalcSplitters();
    CalcPanes();
  }
  for (size_t i = 0; i < FPanes.size(); ++i) {
    TCtlPaneInfo* info = FPaneInfos[i];
    info->Lock();
    info->SetAutoScroll(FPanes[i]->AutoScroll());
    info->SetColor(FPanes[i]->Color());
    info->Unlock(false);
    info->SetPaneIndex(static_cast<int>(i));
  }
}

void TCtlCustomSplitControl::Resize() {
  if (!HasState(this, cl::csReading)) ItemChanged(nullptr);
  inherited::Resize();
}

void TCtlCustomSplitControl::Paint() {
  PaintBackground();
  cl::TCanvas* canvas = Canvas();
  for (const TCtlCustomSplitter* splitter : FSplitters) {
    const cl::TRect& bar = splitter->Geometry().Bar;
    if (bar.Width() <= 0 || bar.Height() <= 0) continue;
    canvas->Brush()->SetColor(splitter->Color());
    canvas->FillRect(bar);
  }
  for (const TCtlPaneInfo* info : FPaneInfos) {
    cl::TRect frame = info->PaneRect();
    if (frame.Width() > 1 && frame.Height() > 1) DrawBorderFrame(canvas, frame, FBorderStyle, 0);
  }
}

std::vector<const TSplitterGeometry*> TCtlCustomSplitControl::Geometries() const {
  std::vector<const TSplitterGeometry*> geometries;
  for (const TCtlCustomSplitter* splitter : FSplitters) geometries.push_back(&splitter->Geometry());
  return geometries;
}

void TCtlCustomSplitControl::DrawDragBars() {
  HDC screen = GetDC(nullptr);
  for (const TSplitterGeometry& bar : FDrag.Bars()) {
    const cl::TRect r = DragBarRect(bar, FBorderWidth);
    const cl::TPoint at = ClientToScreen(cl::Point(r.Left, r.Top));
    BitBlt(screen, at.X, at.Y, r.Width(), r.Height(), nullptr, 0, 0, DSTINVERT);
  }
  ReleaseDC(nullptr, screen);
}

void TCtlCustomSplitControl::MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  inherited::MouseDown(button, shift, x, y);
  if (button != cl::mbLeft || FDrag.Active()) return;
  const int hit = SplitterHitTest(Geometries(), FBorderWidth, FPaneCount, cl::Point(x, y));
  if (hit == kNoSplitter) return;
  FDrag.Begin(hit, Geometries(), cl::Point(x, y));
  DrawDragBars();
}

void TCtlCustomSplitControl::MouseMove(cl::TShiftState shift, int x, int y) {
  inherited::MouseMove(shift, x, y);
  if (FDrag.Active()) {
    if (FOnSplitChanging) FOnSplitChanging(this);
    if (!FDrag.Active()) return;  // the handler ended it
    DrawDragBars();
    FDrag.Move(cl::Point(x, y));
    DrawDragBars();
    return;
  }
  const int hit = SplitterHitTest(Geometries(), FBorderWidth, FPaneCount, cl::Point(x, y));
  cl::TCursor wanted = FSavedCursor;
  if (hit != kNoSplitter) {
    if (!IsSplitterCursor(Cursor())) FSavedCursor = Cursor();
    wanted = SplitterCursor(hit, Geometries());
  }
  if (wanted == Cursor()) return;
  SetCursor(wanted);
  if (cl::Screen) ::SetCursor(cl::Screen->Cursors(wanted == cl::crDefault ? cl::crArrow : wanted));
}

void TCtlCustomSplitControl::EndDrag() {
  DrawDragBars();
  const std::vector<int> dragged = FDrag.Dragged();
  const std::vector<int32_t> positions = FDrag.End();
  if (dragged.size() == 2) {
    // One layout, after the second bar.
    FSplitterMain->Lock();
    FSplitterMain->SetPosition(positions[0]);
    FSplitterMain->Unlock(false);
    Splitters(1)->SetPosition(positions[1]);
  } else {
    Splitters(dragged[0])->SetPosition(positions[0]);
  }
  if (FOnSplitChange) FOnSplitChange(this, Splitters(dragged[0]));
  Invalidate();
}

void TCtlCustomSplitControl::CancelDrag() {
  DrawDragBars();
  FDrag.Cancel();
}

void TCtlCustomSplitControl::Dispatch(cl::TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND:
      message.Result = 1;  // Paint covers the whole control
      return;
    case WM_LBUTTONUP:
      // Before the release of the capture, which would otherwise cancel the drag.
      if (FDrag.Active()) EndDrag();
      break;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
      // The mouse went elsewhere in the middle of a drag: the bar goes and nothing changes.
      if (FDrag.Active()) CancelDrag();
      break;
    default:
      break;
  }
  inherited::Dispatch(message);
}

TCtl3PaneSplitCtrl::TCtl3PaneSplitCtrl(cl::TComponent* owner) : TCtlCustomSplitControl(owner) {
  AddPane();
  auto* second = cl::New<TCtlCustomSplitter>();
  second->SetDirection(sdHorizontal);
  AddSplitter(second);
}

void TCtl3PaneSplitCtrl::SetSplitterPlace(TCtlSplitterPlace place) {
  if (place == FSplitterPlace) return;
  FSplitterPlace = place;
  ItemChanged(nullptr);
}

void TCtl3PaneSplitCtrl::ItemChanged(cl::TObject* sender) {
  if (TCtlCustomSplitter* second = Splitters(1)) {
    second->Lock();
    second->SetDirection(SplitterMain()->Direction() == sdVertical ? sdHorizontal : sdVertical);
    second->Unlock(false);
  }
  inherited::ItemChanged(sender);
}

void TCtl3PaneSplitCtrl::CalcSplitters() {
  inherited::CalcSplitters();
  TCtlCustomSplitter* second = Splitters(1);
  if (!second || !CanLayOut()) return;
  second->Lock();
  CalcSecondSplitter(second->Geometry(), SplitterMain()->Geometry(), FSplitterPlace, Width(), Height());
  second->Unlock(false);
}

void TCtl3PaneSplitCtrl::CalcPanes() {
  TCtlCustomSplitter* second = Splitters(1);
  if (!second || !CanLayOut()) return;
  PlacePanes(CalcPaneRects(SplitterMain()->Geometry(), &second->Geometry(), FSplitterPlace, Width(), Height()));
}

}  // namespace ctl
