// TLoadImage's crop tool: a band with eight handles drawn on the shown picture, moved and resized with the mouse,
// whose rectangle the caller reads back in image coordinates. Before each redraw the area under the old band is
// painted back from a copy of the shown picture taken when the tool was switched on, so switching it off leaves
// the shown picture exactly as it was.
#include <algorithm>

#include "classlib/win/bitmap.h"
#include "classlib/win/picture.h"
#include "image/core/crop_band.h"
#include "image/load_image.h"

namespace img {

namespace {

// The move zone shows the four-way arrow (the application cursor slot meant for it is one no program fills).
cl::TCursor CursorOfZone(int zone) {
  switch (zone) {
    case kMoveZone:
      return cl::crSizeAll;
    case kTopRightHandle:
    case kBottomLeftHandle:
      return cl::crSizeNESW;
    case kTopLeftHandle:
    case kBottomRightHandle:
      return cl::crSizeNWSE;
    case kLeftEdgeHandle:
    case kRightEdgeHandle:
      return cl::crSizeWE;
    case kTopEdgeHandle:
    case kBottomEdgeHandle:
      return cl::crSizeNS;
    default:
      return cl::crDefault;
  }
}

cl::TRect Intersection(const cl::TRect& a, const cl::TRect& b) {
  return cl::Rect(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                  std::min(a.Bottom, b.Bottom));
}

}  // namespace

void TLoadImage::croptool_on() {
  if (FCropTool.On) return;
  FCropTool.On = true;
  FCropTool.Changed = false;
  FCropTool.SavedShown = cl::New<cl::TBitmap>();
  FCropTool.SavedShown->Assign(Picture()->Bitmap());
  // No rectangle chosen yet: a quarter of the visible part of the host scroll box.
  if (!FClipValid && FSourceRect.Left == 0) {
    FSourceRect = InitialCropRect(FScrollBoxW, FScrollBoxH, FScrollerX, FScrollerY);
  }
  const auto scaled = [this](int side) { return static_cast<int>(FDisplayScale.MultiplyTruncated(side)); };
  FCropTool.Band = cl::Rect(scaled(FSourceRect.Left), scaled(FSourceRect.Top), scaled(FSourceRect.Right),
                            scaled(FSourceRect.Bottom));
  draw_croptool();
}

void TLoadImage::croptool_off(bool& changed, cl::TRect& rect) {
  if (!FCropTool.On || FDisplayScale.IsZero()) return;
  RestoreUnderCropBand();
  cl::FreeAndNil(FCropTool.SavedShown);
  FCropTool.On = false;
  // The mouse no longer acts on the band, so no zone may keep holding back clicks or a sizing cursor.
  FCropTool.ActiveZone = kNoZone;
  SetCursor(cl::crDefault);
  const cl::TRect& band = FCropTool.Band;
  const auto unscaled = [this](int side) { return static_cast<int>(FDisplayScale.DivideTruncated(side)); };
  // Only the part on the picture: the clip below would put a side beyond it somewhere else entirely.
  FSourceRect =
      PartOnPicture(cl::Rect(unscaled(band.Left), unscaled(band.Top), unscaled(band.Right), unscaled(band.Bottom)),
                    FWorkingPicture->Width(), FWorkingPicture->Height());
  changed = FCropTool.Changed;
  rect = FSourceRect;
  StoreDisplaySettings(FSourceRect, FCropShown, FActualSize);
}

void TLoadImage::DiscardCropTool() {
  bool changed = false;
  cl::TRect rect;
  croptool_off(changed, rect);
}

void TLoadImage::draw_croptool() {
  const cl::TRect& band = FCropTool.Band;
  cl::TCanvas* canvas = Picture()->Bitmap()->Canvas();
  cl::TBrush* brush = canvas->Brush();
  brush->SetStyle(cl::bsSolid);
  brush->SetColor(cl::clWhite);
  canvas->FrameRect(cl::Rect(band.Left - 1, band.Top - 1, band.Right + 2, band.Bottom + 2));
  brush->SetColor(cl::clBlack);
  canvas->FrameRect(CropMoveZone(band));
  for (int zone : kHandleDrawOrder) {
    const CropHandle handle = CropHandleOf(band, zone);
    brush->SetColor(cl::clWhite);
    canvas->FillRect(handle.Square);
    brush->SetColor(cl::clBlack);
    canvas->FrameRect(handle.Zone);
  }
}

void TLoadImage::RestoreUnderCropBand() {
  cl::TBitmap* saved = FCropTool.SavedShown;
  if (!saved || saved->Empty()) return;
  const cl::TRect area = Intersection(CropRestoreArea(FCropTool.Band), cl::Rect(0, 0, saved->Width(), saved->Height()));
  if (area.Left >= area.Right || area.Top >= area.Bottom) return;
  Picture()->Bitmap()->Canvas()->CopyRect(area, saved->Canvas(), area);
}

void TLoadImage::MouseMove(cl::TShiftState shift, int x, int y) {
  inherited::MouseMove(shift, x, y);
  if (!FCropTool.On || ComponentState().Contains(cl::csDestroying)) return;
  if (CropPointIgnored(x, y, Width(), Height())) return;
  TrackCropMouse(shift.Contains(cl::ssLeft), x, y);
}

void TLoadImage::TrackCropMouse(bool leftButton, int x, int y) {
  CropTool& tool = FCropTool;
  if (tool.ActiveZone != kNoZone && leftButton) {
    if (x != tool.LastPoint.X || y != tool.LastPoint.Y) {
      const cl::TRect band = DragCropBand(tool.Band, tool.ActiveZone, x - tool.LastPoint.X, y - tool.LastPoint.Y);
      if (CropBandAcceptable(band, Width(), Height())) {
        RestoreUnderCropBand();
        tool.Band = band;
        draw_croptool();
        tool.Changed = true;
      }
    }
  } else {
    tool.ActiveZone = CropZoneAt(tool.Band, x, y);
    SetCursor(CursorOfZone(tool.ActiveZone));
  }
  tool.LastPoint = cl::Point(x, y);
}

void TLoadImage::Click() {
  if (FCropTool.ActiveZone != kNoZone) return;
  inherited::Click();
}

}  // namespace img
