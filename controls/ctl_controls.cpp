#include "controls/ctl_controls.h"

#include "classlib/win/control_canvas.h"
#include "controls/ctl_containers.h"
#include "controls/ctl_image_lists.h"

namespace ctl {
namespace {

constexpr int kGraphicControlSide = 30;
constexpr int kCustomControlWidth = 100;
constexpr int kCustomControlHeight = 40;
constexpr int kWheelNotch = WHEEL_DELTA;

bool Loading(const cl::TComponent* component) {
  return component->ComponentState().Contains(cl::csLoading);
}

}  // namespace

TCtlImageListLink::TCtlImageListLink(cl::TComponent* owner, std::function<void()> changed, TCtlImageListLink* sharing)
    : FOwner(owner), FChanged(std::move(changed)), FChangeLink(cl::New<TCtlChangeLink>()) {
  FChangeLink->SetOnChange(cl::TNotifyEvent([this](cl::TObject*) { FChanged(); }));
  if (sharing) {
    FNextSharing = sharing->FNextSharing;
    sharing->FNextSharing = this;
  }
}

TCtlImageListLink::~TCtlImageListLink() {
  TCtlImageListLink* before = this;
  while (before->FNextSharing != this) before = before->FNextSharing;
  before->FNextSharing = FNextSharing;
  cl::Free(FChangeLink);
}

bool TCtlImageListLink::SharedWith(const TCtlCustomImageList* list) const {
  for (const TCtlImageListLink* other = FNextSharing; other != this; other = other->FNextSharing) {
    if (other->FImageList == list) return true;
  }
  return false;
}

void TCtlImageListLink::SetImageList(TCtlCustomImageList* list) {
  if (FImageList) {
    FImageList->UnRegisterChanges(FChangeLink);
    if (!SharedWith(FImageList)) FImageList->RemoveFreeNotification(FOwner);
  }
  FImageList = list;
  if (list) {
    list->RegisterChanges(FChangeLink);
    list->FreeNotification(FOwner);
  }
  FChanged();
}

void TCtlImageListLink::SetImageIndex(int index) {
  if (index < 0 || index == FImageIndex) return;
  FImageIndex = index;
  if (FImageList) FChanged();
}

void TCtlImageListLink::SetListIndex(int index) {
  if (index < 0 || index == FListIndex) return;
  FListIndex = index;
  if (FImageList) FChanged();
}

void TCtlImageListLink::Notification(cl::TComponent* component, cl::TOperation operation) {
  if (operation != cl::opRemove || !FImageList || component != FImageList) return;
  FImageList = nullptr;
  FChanged();
}

TCtlContainerComponent::TCtlContainerComponent(cl::TComponent* owner)
    : TCtlComponent(owner), FLink(this, [this] { ImageListChanged(); }) {}

void TCtlContainerComponent::Notification(cl::TComponent* component, cl::TOperation operation) {
  inherited::Notification(component, operation);
  FLink.Notification(component, operation);
}

TCtlBaseControl::TCtlBaseControl(cl::TComponent* owner)
    : TGraphicControl(owner), FLink(this, [this] { ImageListChanged(); }) {}

void TCtlBaseControl::SetBounds(int left, int top, int width, int height) {
  const cl::TRect before = BoundsRect();
  inherited::SetBounds(left, top, width, height);
  const cl::TRect after = BoundsRect();
  int changes = 0;
  if (after.Left != before.Left || after.Top != before.Top) changes |= bcPosition;
  if (after.Width() != before.Width() || after.Height() != before.Height()) changes |= bcSize;
  if (changes && !Loading(this)) BoundsChange(changes);
}

void TCtlBaseControl::RepaintOnParentChange() {
  if (!Loading(this)) Invalidate();
}

void TCtlBaseControl::MouseEnter() {
  if (FOnMouseEnter) FOnMouseEnter(this);
}

void TCtlBaseControl::MouseExit() {
  if (FOnMouseExit) FOnMouseExit(this);
}

void TCtlBaseControl::Notification(cl::TComponent* component, cl::TOperation operation) {
  inherited::Notification(component, operation);
  FLink.Notification(component, operation);
}

void TCtlBaseControl::FillClient() {
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(ClientRect());
}

void TCtlBaseControl::Dispatch(cl::TMessage& message) {
  switch (message.Msg) {
    case cl::CM_MOUSEENTER:
      inherited::Dispatch(message);
      MouseEnter();
      break;
    case cl::CM_MOUSELEAVE:
      inherited::Dispatch(message);
      MouseExit();
      break;
    case CM_CTLPARENTBKCHANGED:
      if (!Loading(this) && IsTransparentOverParent()) RepaintOnParentChange();
      break;
    default:
      inherited::Dispatch(message);
  }
}

TCtlBaseGraphicControl::TCtlBaseGraphicControl(cl::TComponent* owner) : TCtlBaseControl(owner) {
  SetBounds(Left(), Top(), kGraphicControlSide, kGraphicControlSide);
}

void TCtlBaseGraphicControl::SetTransparent(bool transparent) {
  if (transparent == FTransparent) return;
  FTransparent = transparent;
  Perform(CM_CTLTRANSPARENTCHANGED);
}

void TCtlBaseGraphicControl::RepaintNow() {
  if (FTransparent || !Parent() || !Parent()->HandleAllocated()) {
    Invalidate();
    return;
  }
  Repaint();
}

void TCtlBaseGraphicControl::Dispatch(cl::TMessage& message) {
  if (message.Msg == CM_CTLTRANSPARENTCHANGED) {
    RepaintNow();
    return;
  }
  inherited::Dispatch(message);
}

TCtlCustomControl::TCtlCustomControl(cl::TComponent* owner)
    : TCustomControl(owner), FLink(this, [this] { ImageListChanged(); }) {
  SetBounds(Left(), Top(), kCustomControlWidth, kCustomControlHeight);
}

void TCtlCustomControl::SetTransparent(bool transparent) {
  if (transparent == FTransparent) return;
  FTransparent = transparent;
  Invalidate();
}

void TCtlCustomControl::CreateParams(cl::TCreateParams& params) {
  inherited::CreateParams(params);
  // A resize repaints only what the control decides, not the whole window.
  params.ClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCtlCustomControl::Notification(cl::TComponent* component, cl::TOperation operation) {
  inherited::Notification(component, operation);
  FLink.Notification(component, operation);
}

void TCtlCustomControl::NotifyChildren() {
  cl::TMessage message{CM_CTLPARENTBKCHANGED, 0, 0, 0};
  Broadcast(message);
}

void TCtlCustomControl::Paint() {
  if (Loading(this)) return;
  PaintBackground();
}

void TCtlCustomControl::PaintBackground() {
  if (IsTransparent() && DrawParentBackground()) return;
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(ClientRect());
}

void TCtlCustomControl::MouseWheel(cl::TShiftState shift, int delta, int x, int y) {
  if (FOnMouseWheel) FOnMouseWheel(this, shift, delta, x, y);
}

void TCtlCustomControl::Dispatch(cl::TMessage& message) {
  switch (message.Msg) {
    case CM_CTLPARENTBKCHANGED:
      Invalidate();
      if (FTransparent) NotifyChildren();
      break;
    case cl::CM_SYSCOLORCHANGE:
      if (!FTransparent) Invalidate();
      inherited::Dispatch(message);
      break;
    case WM_MOVE:
      inherited::Dispatch(message);
      if (FTransparent) {
        Invalidate();
        NotifyChildren();
      }
      break;
    case WM_ERASEBKGND:
      if (FTransparent) {
        message.Result = 1;  // the background is the parent's, drawn in Paint
        break;
      }
      inherited::Dispatch(message);
      break;
    case WM_SIZE:
      inherited::Dispatch(message);
      Invalidate();
      if (FTransparent) NotifyChildren();
      break;
    case WM_MOUSEWHEEL: {
      const cl::TPoint at =
          ScreenToClient(cl::Point(static_cast<short>(message.LParamLo()), static_cast<short>(message.LParamHi())));
      MouseWheel(cl::MouseKeysToShiftState(message.WParamLo()), static_cast<short>(message.WParamHi()) / kWheelNotch,
                 at.X, at.Y);
      break;
    }
    default:
      inherited::Dispatch(message);
  }
}

}  // namespace ctl
