// TCustomToolbar: child order, line layout and floating sizing; TToolbarSep: the separator.
#include "toolbars/toolbar.h"

#include <algorithm>

#include "classlib/core/exceptions.h"
#include "classlib/core/finally.h"
#include "toolbars/core/toolbar_sizing.h"
#include "toolbars/dock.h"

namespace tbr {
namespace {

// The etched lines between floating lines: this far above the next line, from x = 1 to the client width - 1.
constexpr int kWrapLineShadowOffset = 4;
constexpr int kWrapLineHighlightOffset = 3;
// The value a caller keeping bars' places stores the floating wrap width under.
constexpr char kFloatRightXValue[] = "FloatRightX";

void DrawLine(cl::TCanvas* canvas, cl::TColor color, int x1, int y1, int x2, int y2) {
  canvas->Pen()->SetColor(color);
  canvas->MoveTo(x1, y1);
  canvas->LineTo(x2, y2);
}

}  // namespace

TCustomToolbar::TCustomToolbar(cl::TComponent* owner) : TCustomToolWindow(owner) {}

TCustomToolbar::~TCustomToolbar() = default;

void TCustomToolbar::BehaviourSwitches(bool& alignChildren, bool& eightWaySizing, bool& clipCursorWhileSizing) {
  alignChildren = false;
  eightWaySizing = false;
  clipCursorWhileSizing = false;
}

void TCustomToolbar::ToolbarSwitches(bool& sortAfterLoading) {
  sortAfterLoading = true;
}

void TCustomToolbar::SetFloatRightX(int width) {
  if (width == FFloatRightX) return;
  FFloatRightX = width;
  FitToContent();
}

void TCustomToolbar::LoadPositionValues(const TPositionReadIntProc& read) {
  SetFloatRightX(read(Name(), kFloatRightXValue, 0));
}

void TCustomToolbar::SavePositionValues(const TPositionWriteIntProc& write) {
  write(Name(), kFloatRightXValue, FFloatRightX);
}

bool TCustomToolbar::ChildPassesDrag(cl::TControl* control) {
  return dynamic_cast<TToolbarSep*>(control) != nullptr;
}

void TCustomToolbar::MinClientSize(int& width, int& height) {
  width = 0;
  height = 0;
}

std::vector<ToolbarChild> TCustomToolbar::LayoutInput(TDockOrientation orientation,
                                                      std::vector<cl::TControl*>* controls) const {
  std::vector<ToolbarChild> children;
  for (cl::TControl* control : FChildOrder) {
    if (!control->Visible()) continue;
    ToolbarChild child;
    if (auto* separator = dynamic_cast<TToolbarSep*>(control)) {
      child.Separator = true;
      child.SizeHorz = separator->SizeHorz();
      child.SizeVert = separator->SizeVert();
      child.Blank = separator->Blank();
    } else {
      child.Width = control->Width();
      child.Height = control->Height();
    }
    children.push_back(child);
    if (controls) controls->push_back(control);
  }
  return children;
}

int TCustomToolbar::BarThickness(TDockOrientation orientation) {
  return ToolbarThickness(LayoutInput(orientation, nullptr), orientation);
}

cl::TPoint TCustomToolbar::LayoutChildren(bool canMoveControls, TDockOrientation, TDock* dockingTo) {
  const TDockOrientation orientation = dockingTo ? dockingTo->Orientation() : doNone;
  std::vector<cl::TControl*> controls;
  const std::vector<ToolbarChild> children = LayoutInput(orientation, &controls);
  const int thickness = ToolbarThickness(children, orientation);
  // Centred in the bar's row; a row laid out before the bar grew is at least as thick as the bar will make it.
  int centring = thickness;
  if (dockingTo && dockingTo == DockedTo()) centring = std::max(thickness, dockingTo->RowThickness(DockRow(), this));
  const ToolbarLayout layout = LayoutToolbar(children, orientation, FFloatRightX, centring);
  if (canMoveControls) {
    FWrapLines = layout.WrapLines;
    ++FPlacingChildren;
    cl::Finally placed([&] { --FPlacingChildren; });
    for (size_t i = 0; i < controls.size(); ++i) controls[i]->SetBoundsRect(layout.Bounds[i]);
    Invalidate();
  }
  return layout.Size;
}

void TCustomToolbar::ControlBoundsChanged(cl::TControl* control) {
  // A child that changed its own size is laid out again; the layout's own moves are not news.
  if (FPlacingChildren == 0 && !FreeStarted()) FitToContent();
}

void TCustomToolbar::AfterLoad() {
  bool sortAfterLoading = false;
  ToolbarSwitches(sortAfterLoading);
  if (!sortAfterLoading) return;
  // Stable: children at the same place (made in code, or hidden) keep the order they were made in.
  const bool vertical = DockedTo() && DockedTo()->Orientation() == doVertical;
  std::stable_sort(FChildOrder.begin(), FChildOrder.end(), [vertical](cl::TControl* a, cl::TControl* b) {
    return vertical ? a->Top() < b->Top() : a->Left() < b->Left();
  });
}

void TCustomToolbar::SizeLoopStart(int hitCode) {
  const std::vector<ToolbarChild> children = LayoutInput(doNone, nullptr);
  const int thickness = ToolbarThickness(children, doNone);
  const FrameMargins margins = NonClientMargins();
  std::vector<SizeCandidate> candidates = FloatingSizeCandidates(
      [&](int floatRightX) { return LayoutToolbar(children, doNone, floatRightX, thickness).Size; },
      cl::Point(margins.Horizontal(), margins.Vertical()), thickness + kWrapWidthMargin,
      hitCode == kHtTop || hitCode == kHtBottom);
  FSizer = std::make_unique<FloatingSizer>(std::move(candidates), hitCode, cl::Point(Width(), Height()), FFloatRightX);
}

void TCustomToolbar::SizeLoopTrack(cl::TRect& newRect, const cl::TRect& startRect) {
  if (FSizer) FSizer->Track(newRect, startRect);
}

void TCustomToolbar::SizeLoopEnd(bool accepted) {
  // The new wrap width takes effect when the bar is given its new size.
  if (accepted && FSizer) FFloatRightX = FSizer->FloatRightX();
  FSizer.reset();
}

void TCustomToolbar::Paint() {
  inherited::Paint();
  if (DockedTo()) return;
  const int right = ClientWidth() - 1;
  for (uint32_t line : FWrapLines) {
    if (line & kWrapLineBlank) continue;
    const int y = WrapLineY(line);
    DrawLine(Canvas(), cl::clBtnShadow, 1, y - kWrapLineShadowOffset, right, y - kWrapLineShadowOffset);
    DrawLine(Canvas(), cl::clBtnHighlight, 1, y - kWrapLineHighlightOffset, right, y - kWrapLineHighlightOffset);
  }
}

void TCustomToolbar::Dispatch(cl::TMessage& message) {
  if (message.Msg == cl::CM_CONTROLLISTCHANGE) {
    auto* control = reinterpret_cast<cl::TControl*>(message.WParam);
    std::erase(FChildOrder, control);
    if (message.LParam) FChildOrder.push_back(control);
  }
  inherited::Dispatch(message);
}

TToolbarSep::TToolbarSep(cl::TComponent* owner) : cl::TGraphicControl(owner) {
  FControlStyle -= {cl::csCaptureMouse, cl::csOpaque};
  SetBounds(0, 0, kDefaultSeparatorSize, kDefaultSeparatorSize);
}

void TToolbarSep::SetParent(cl::TWinControl* parent) {
  if (parent && !dynamic_cast<TCustomToolbar*>(parent)) {
    throw cl::EInvalidOperation("TToolbarSep can only be placed on a TToolbar");
  }
  inherited::SetParent(parent);
}

void TToolbarSep::SetBlank(bool blank) {
  if (blank == FBlank) return;
  FBlank = blank;
  Invalidate();
}

void TToolbarSep::SetSizeHorz(int size) {
  size = std::max(size, 1);
  if (size == FSizeHorz) return;
  FSizeHorz = size;
  SizeChanged();
}

void TToolbarSep::SetSizeVert(int size) {
  size = std::max(size, 1);
  if (size == FSizeVert) return;
  FSizeVert = size;
  SizeChanged();
}

void TToolbarSep::SizeChanged() {
  if (auto* toolbar = dynamic_cast<TCustomToolbar*>(Parent())) toolbar->FitToContent();
}

void TToolbarSep::MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
  inherited::MouseDown(button, shift, x, y);
  if (FreeStarted()) return;
  if (auto* toolbar = dynamic_cast<TCustomToolbar*>(Parent())) toolbar->MouseDown(button, shift, x + Left(), y + Top());
}

void TToolbarSep::Paint() {
  auto* toolbar = dynamic_cast<TCustomToolbar*>(Parent());
  if (FBlank || !toolbar) return;
  cl::TCanvas* canvas = Canvas();
  const int width = Width();
  const int height = Height();
  if (toolbar->DockedTo() && toolbar->DockedTo()->Orientation() == doVertical) {
    DrawLine(canvas, cl::clBtnShadow, 0, height / 2 - 1, width, height / 2 - 1);
    DrawLine(canvas, cl::clBtnHighlight, 0, height / 2, width, height / 2);
  } else {
    DrawLine(canvas, cl::clBtnShadow, width / 2 - 1, 0, width / 2 - 1, height);
    DrawLine(canvas, cl::clBtnHighlight, width / 2, 0, width / 2, height);
  }
}

}  // namespace tbr
