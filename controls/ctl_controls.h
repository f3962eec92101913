// The bases of the control library's visible controls and dialog components: a link to an image list that
// repaints on its changes, graphic controls that report bounds changes and the mouse entering and leaving, and
// windowed controls that can leave their background to the parent.
#pragma once

#include <windows.h>

#include <functional>

#include "classlib/core/events.h"
#include "classlib/win/custom_controls.h"
#include "controls/core/ctl_objects.h"

namespace ctl {

class TCtlChangeLink;
class TCtlCustomImageList;

// The library's own notifications: a parent's background changed, and a control's transparency changed.
constexpr UINT CM_CTLPARENTBKCHANGED = 0xB0CE;
constexpr UINT CM_CTLTRANSPARENTCHANGED = 0xB0CD;

// What a bounds change moved: the size (1), the position (2) or both.
constexpr int bcSize = 1;
constexpr int bcPosition = 2;

// A component's link to an image list: the list, the entry (ListIndex) and frame (ImageIndex) it shows, and a
// change link through which the list's changes reach changed. An index shows nothing without a list, so setting
// one reports a change only while a list is linked.
class TCtlImageListLink {
 public:
  // A component with several links names one of its other links as sharing: the component's free notification
  // from a list stays while any of its links points at that list.
  TCtlImageListLink(cl::TComponent* owner, std::function<void()> changed, TCtlImageListLink* sharing = nullptr);
  ~TCtlImageListLink();
  TCtlImageListLink(const TCtlImageListLink&) = delete;
  TCtlImageListLink& operator=(const TCtlImageListLink&) = delete;

  TCtlCustomImageList* ImageList() const { return FImageList; }
  void SetImageList(TCtlCustomImageList* list);
  int ImageIndex() const { return FImageIndex; }
  // A negative index is ignored.
  void SetImageIndex(int index);
  int ListIndex() const { return FListIndex; }
  void SetListIndex(int index);
  // Drops the list when it is the component being removed.
  void Notification(cl::TComponent* component, cl::TOperation operation);

 private:
  // True when another link of the owner points at list.
  bool SharedWith(const TCtlCustomImageList* list) const;

  cl::TComponent* FOwner;
  std::function<void()> FChanged;
  TCtlCustomImageList* FImageList = nullptr;
  int FImageIndex = 0;
  int FListIndex = 0;
  TCtlChangeLink* FChangeLink;
  TCtlImageListLink* FNextSharing = this;  // the owner's links, in a ring
};

// The base of the library's dialog components: a component with an image-list link.
class TCtlContainerComponent : public TCtlComponent {
  CL_CLASS(TCtlContainerComponent, TCtlComponent)
 public:
  explicit TCtlContainerComponent(cl::TComponent* owner);
  TCtlImageListLink& ImageLink() { return FLink; }

 protected:
  virtual void ImageListChanged() {}
  void Notification(cl::TComponent* component, cl::TOperation operation) override;

 private:
  TCtlImageListLink FLink;
};

class TCtlBaseControl : public cl::TGraphicControl {
  CL_CLASS(TCtlBaseControl, cl::TGraphicControl)
 public:
  explicit TCtlBaseControl(cl::TComponent* owner);
  TCtlImageListLink& ImageLink() { return FLink; }

  void SetBounds(int left, int top, int width, int height) override;

  const cl::TNotifyEvent& OnMouseEnter() const { return FOnMouseEnter; }
  void SetOnMouseEnter(const cl::TNotifyEvent& e) { FOnMouseEnter = e; }
  const cl::TNotifyEvent& OnMouseExit() const { return FOnMouseExit; }
  void SetOnMouseExit(const cl::TNotifyEvent& e) { FOnMouseExit = e; }

  void Dispatch(cl::TMessage& message) override;

 protected:
  // After SetBounds moved or sized the control (bcSize, bcPosition or both), not while loading.
  virtual void BoundsChange(int changes) {}
  // Whether the control is drawn over its parent's background.
  virtual bool IsTransparentOverParent() const { return false; }
  // The parent's background changed under a control drawn over it.
  virtual void RepaintOnParentChange();
  virtual void ImageListChanged() { Invalidate(); }
  virtual void MouseEnter();
  virtual void MouseExit();
  void Notification(cl::TComponent* component, cl::TOperation operation) override;
  // Fills the client area with Color.
  void FillClient();

 private:
  TCtlImageListLink FLink;
  cl::TNotifyEvent FOnMouseEnter;
  cl::TNotifyEvent FOnMouseExit;
};

// A graphic control drawn over its parent's background: repainting it means invalidating that area.
class TCtlBaseGraphicControl : public TCtlBaseControl {
  CL_CLASS(TCtlBaseGraphicControl, TCtlBaseControl)
 public:
  explicit TCtlBaseGraphicControl(cl::TComponent* owner);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent);
  // Invalidates when transparent, else paints at once.
  void RepaintNow();
  void Dispatch(cl::TMessage& message) override;

 protected:
  bool IsTransparentOverParent() const override { return FTransparent; }

 private:
  bool FTransparent = true;
};

using TCtlMouseWheelEvent = cl::Event<void(cl::TObject* Sender, cl::TShiftState Shift, int WheelDelta, int X, int Y)>;

class TCtlCustomControl : public cl::TCustomControl {
  CL_CLASS(TCtlCustomControl, cl::TCustomControl)
 public:
  explicit TCtlCustomControl(cl::TComponent* owner);
  TCtlImageListLink& ImageLink() { return FLink; }

  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent);
  bool RepaintOnChange() const { return FRepaintOnChange; }
  void SetRepaintOnChange(bool repaint) { FRepaintOnChange = repaint; }
  // Transparent, and a background to show through is there.
  virtual bool IsTransparent() const { return FTransparent && BackgroundAvailable(); }

  const TCtlMouseWheelEvent& OnMouseWheel() const { return FOnMouseWheel; }
  void SetOnMouseWheel(const TCtlMouseWheelEvent& e) { FOnMouseWheel = e; }

  void Dispatch(cl::TMessage& message) override;

 protected:
  void CreateParams(cl::TCreateParams& params) override;
  void Paint() override;
  // Fills the client area with Color, or draws the parent's background when transparent over one.
  virtual void PaintBackground();
  // The wheel turned by delta notches at a client point.
  virtual void MouseWheel(cl::TShiftState shift, int delta, int x, int y);
  virtual void ImageListChanged() { Invalidate(); }
  virtual bool BackgroundAvailable() const { return false; }
  // Draws the parent's background into the client area; false when there is none.
  virtual bool DrawParentBackground() { return false; }
  void Notification(cl::TComponent* component, cl::TOperation operation) override;
  // Tells the child controls that this control's background changed.
  void NotifyChildren();

 private:
  TCtlImageListLink FLink;
  bool FTransparent = false;
  bool FRepaintOnChange = true;
  TCtlMouseWheelEvent FOnMouseWheel;
};

}  // namespace ctl
