// Split controls: a client area divided into two or three panes (scroll boxes holding ordinary controls) by bars
// the user drags. The bars' positions and limits live in splitter settings objects; the layout, the hit test and
// the drag are the core's (split_layout.h).
#pragma once

#include <vector>

#include "classlib/win/scroll_box.h"
#include "controls/core/ctl_splitters.h"
#include "controls/ctl_controls.h"

namespace ctl {

// One pane: a borderless scroll box.
class TCtlSplitPane : public cl::TScrollBox {
  CL_CLASS(TCtlSplitPane, cl::TScrollBox)
 public:
  explicit TCtlSplitPane(cl::TComponent* owner);
};

using TCtlSplitChangeEvent = cl::Event<void(cl::TObject* Sender, TCtlCustomSplitter* Splitter)>;

// The two-pane control: one main bar.
class TCtlCustomSplitControl : public TCtlCustomControl {
  CL_CLASS(TCtlCustomSplitControl, TCtlCustomControl)
 public:
  explicit TCtlCustomSplitControl(cl::TComponent* owner);
  void BeforeDestruction() override;

  TCtlBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TCtlBorderStyle style);
  int BorderWidth() const { return FBorderWidth; }
  int SplitterCount() const { return FSplitterCount; }
  int PaneCount() const { return FPaneCount; }

  // Splitter 0 is the main bar, 1 the second bar of a three-pane control; any other index gives null.
  TCtlCustomSplitter* Splitters(int index) const;
  TCtlMainSplitter* SplitterMain() const { return FSplitterMain; }
  // Copies the settings in (the bar width stays).
  void SetSplitterMain(const TCtlCustomSplitter* splitter) { FSplitterMain->Assign(splitter); }
  // Pane settings 0, 1 (and 2); null for another index.
  TCtlPaneInfo* PaneInfo(int index) const;
  TCtlPaneInfo* Pane1() const { return PaneInfo(0); }
  void SetPane1(const TCtlPaneInfo* info) { AssignPane(0, info); }
  TCtlPaneInfo* Pane2() const { return PaneInfo(1); }
  void SetPane2(const TCtlPaneInfo* info) { AssignPane(1, info); }
  // The pane windows, which take the controls placed in the panes.
  TCtlSplitPane* Panes(int index) const;

  // The bar being dragged (kNoSplitter, 0, 1 or kBothSplitters).
  int DragIndex() const { return FDrag.Index(); }

  const TCtlSplitChangeEvent& OnSplitChange() const { return FOnSplitChange; }
  void SetOnSplitChange(const TCtlSplitChangeEvent& e) { FOnSplitChange = e; }
  const cl::TNotifyEvent& OnSplitChanging() const { return FOnSplitChanging; }
  void SetOnSplitChanging(const cl::TNotifyEvent& e) { FOnSplitChanging = e; }

  // What every splitter and pane setting reports its changes to: a pane's settings go to its window, any other
  // change lays the control out again.
  virtual void ItemChanged(cl::TObject* sender);
  // The bars and their limits for the control's size (the splitters' settings may be clamped, silently).
  virtual void CalcSplitters();
  // The pane rectangles, and the pane windows placed inside them.
  virtual void CalcPanes();

  void Dispatch(cl::TMessage& message) override;

 protected:
  void CreateParams(cl::TCreateParams& params) override;
  void Loaded() override;
  void Paint() override;
  void MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
  void MouseMove(cl::TShiftState shift, int x, int y) override;
  // A new size lays the control out before OnResize.
  void Resize() override;

  // Adds a pane with its settings, and a splitter; used by the constructors.
  void AddPane();
  void AddSplitter(TCtlCustomSplitter* splitter);
  void AssignPane(int index, const TCtlPaneInfo* info);
  // Each pane's settings get their rectangle and its window the part inside the frame.
  void PlacePanes(const std::vector<cl::TRect>& rects);
  // No layout while loading, or while the control has no area (a minimised form), which would clamp every bar
  // to nothing.
  bool CanLayOut() const;

 private:
  std::vector<const TSplitterGeometry*> Geometries() const;
  void DrawDragBars();
  void EndDrag();
  void CancelDrag();

  TCtlBorderStyle FBorderStyle = lsLoweredspb;
  int FBorderWidth = 2;
  int FSplitterCount = 0;
  int FPaneCount = 0;
  std::vector<TCtlSplitPane*> FPanes;
  std::vector<TCtlPaneInfo*> FPaneInfos;
  std::vector<TCtlCustomSplitter*> FSplitters;
  TCtlMainSplitter* FSplitterMain = nullptr;
  TSplitDrag FDrag;
  cl::TCursor FSavedCursor = cl::crDefault;
  TCtlSplitChangeEvent FOnSplitChange;
  cl::TNotifyEvent FOnSplitChanging;
};

// Three panes: a second bar on one side of the main bar, always across it.
class TCtl3PaneSplitCtrl : public TCtlCustomSplitControl {
  CL_CLASS(TCtl3PaneSplitCtrl, TCtlCustomSplitControl)
 public:
  explicit TCtl3PaneSplitCtrl(cl::TComponent* owner);

  TCtlCustomSplitter* Splitter2() const { return Splitters(1); }
  void SetSplitter2(const TCtlCustomSplitter* splitter) { Splitters(1)->Assign(splitter); }
  TCtlPaneInfo* Pane3() const { return PaneInfo(2); }
  void SetPane3(const TCtlPaneInfo* info) { AssignPane(2, info); }
  TCtlSplitterPlace SplitterPlace() const { return FSplitterPlace; }
  void SetSplitterPlace(TCtlSplitterPlace place);

  // Keeps the second bar across the main one before the layout.
  void ItemChanged(cl::TObject* sender) override;
  void CalcSplitters() override;
  void CalcPanes() override;

 private:
  TCtlSplitterPlace FSplitterPlace = ossEven;
};

}  // namespace ctl
