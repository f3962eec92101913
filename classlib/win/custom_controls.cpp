// TGraphicControl and TCustomControl: painting through a canvas that holds the paint DC.
#include "classlib/win/custom_controls.h"

namespace cl {

void PaintOnCanvas(TControlCanvas* canvas, HDC dc, const std::function<void()>& paint) {
  canvas->FreeHandle();
  canvas->SetHandle(dc);
  try {
    paint();
  } catch (...) {
    canvas->SetHandle(nullptr);
    throw;
  }
  canvas->SetHandle(nullptr);
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), FCanvas(New<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

void TGraphicControl::BeforeDestruction() {
  inherited::BeforeDestruction();
  FreeAndNil(FCanvas);
}

void TGraphicControl::Dispatch(TMessage& message) {
  if (message.Msg != WM_PAINT) {
    inherited::Dispatch(message);
    return;
  }
  // The parent performs WM_PAINT with its paint DC moved to this control's origin and clipped to its bounds.
  PaintOnCanvas(FCanvas, reinterpret_cast<HDC>(message.WParam), [this] { Paint(); });
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), FCanvas(New<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

void TCustomControl::BeforeDestruction() {
  inherited::BeforeDestruction();
  FreeAndNil(FCanvas);
}

void TCustomControl::DestroyWnd() {
  FCanvas->FreeHandle();
  inherited::DestroyWnd();
}

void TCustomControl::PaintWindow(HDC dc) {
  PaintOnCanvas(FCanvas, dc, [this] { Paint(); });
}

}  // namespace cl
