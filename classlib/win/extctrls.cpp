// TPanel, TImage and TRadioGroup.
#include "classlib/win/extctrls.h"

#include <algorithm>

#include "classlib/core/exceptions.h"
#include "classlib/win/bitmap.h"
#include "classlib/win/colors.h"
#include "classlib/win/gdi.h"
#include "classlib/win/graphics_tools.h"

namespace cl {

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  StoreBounds(0, 0, 185, 41);
  FControlStyle.Include(csAcceptsControls);
  SetColor(clBtnFace);
  SetParentColor(true);
}

void TPanel::SetBevelOuter(TPanelBevel bevel) {
  if (bevel == FBevelOuter) return;
  FBevelOuter = bevel;
  Realign();
  Invalidate();
}

void TPanel::SetBevelInner(TPanelBevel bevel) {
  if (bevel == FBevelInner) return;
  FBevelInner = bevel;
  Realign();
  Invalidate();
}

int TPanel::BevelWidth() const {
  return (FBevelOuter != bvNone ? 1 : 0) + (FBevelInner != bvNone ? 1 : 0);
}

void TPanel::AdjustClientRect(TRect& rect) const {
  const int inset = BevelWidth();
  rect = Rect(rect.Left + inset, rect.Top + inset, rect.Right - inset, rect.Bottom - inset);
}

void TPanel::Paint() {
  HDC dc = Canvas()->Handle();
  RECT r{0, 0, Width(), Height()};
  for (TPanelBevel bevel : {FBevelOuter, FBevelInner}) {
    if (bevel == bvNone) continue;
    DrawEdge(dc, &r, bevel == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  }
  const std::string text = Caption();
  if (text.empty()) return;
  gdi::SelectGuard font(dc, Font()->Handle());
  SetTextColor(dc, ColorToRGB(Font()->Color()) & 0xFFFFFF);
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TPanel::Dispatch(TMessage& message) {
  inherited::Dispatch(message);
  if (message.Msg == CM_TEXTCHANGED) Invalidate();
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(New<TPicture>()) {
  StoreBounds(0, 0, 105, 105);
  FPicture->SetOnChange(TNotifyEvent([this](TObject*) { PictureChanged(); }));
}

void TImage::BeforeDestruction() {
  inherited::BeforeDestruction();
  FPicture->SetOnChange(nullptr);
  FreeAndNil(FPicture);
}

void TImage::SetStretch(bool stretch) {
  if (stretch == FStretch) return;
  FStretch = stretch;
  Invalidate();
}

void TImage::SetCenter(bool center) {
  if (center == FCenter) return;
  FCenter = center;
  Invalidate();
}

void TImage::SetAutoSize(bool autoSize) {
  if (autoSize == FAutoSize) return;
  FAutoSize = autoSize;
  PictureChanged();
}

void TImage::SetTransparent(bool transparent) {
  if (transparent == FTransparent) return;
  FTransparent = transparent;
  Invalidate();
}

void TImage::PictureChanged() {
  if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0) {
    SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
  }
  Invalidate();
}

TCanvas* TImage::Canvas() {
  if (!FPicture->Graphic()) FPicture->Bitmap()->SetSize(Width(), Height());
  auto* bitmap = dynamic_cast<TBitmap*>(FPicture->Graphic());
  if (!bitmap) throw EInvalidOperation("Can only modify an image if it contains a bitmap");
  return bitmap->Canvas();
}

TRect TImage::DestRect() const {
  const int w = FPicture->Width();
  const int h = FPicture->Height();
  if (FStretch) return ClientRect();
  if (FCenter) return Bounds((Width() - w) / 2, (Height() - h) / 2, w, h);
  return Bounds(0, 0, w, h);
}

void TImage::Paint() {
  TGraphic* graphic = FPicture->Graphic();
  if (!graphic || graphic->Empty()) return;
  TGraphicControl::Canvas()->StretchDraw(DestRect(), graphic);
}

// --- TBevel ---

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
  StoreBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape shape) {
  if (shape == FShape) return;
  FShape = shape;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas* canvas = TGraphicControl::Canvas();
  const TColor first = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor second = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
  const int right = Width() - 1, bottom = Height() - 1;
  auto line = [canvas](TColor color, int x1, int y1, int x2, int y2) {
    canvas->Pen()->SetColor(color);
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
  };
  switch (FShape) {
    case bsBox:
      line(first, 0, bottom, 0, 0);
      line(first, 0, 0, right, 0);
      line(second, right, 0, right, bottom);
      line(second, right, bottom, 0, bottom);
      break;
    case bsTopLine:
      line(first, 0, 0, right + 1, 0);
      line(second, 0, 1, right + 1, 1);
      break;
    case bsBottomLine:
      line(first, 0, bottom - 1, right + 1, bottom - 1);
      line(second, 0, bottom, right + 1, bottom);
      break;
    case bsLeftLine:
      line(first, 0, 0, 0, bottom + 1);
      line(second, 1, 0, 1, bottom + 1);
      break;
    case bsRightLine:
      line(first, right - 1, 0, right - 1, bottom + 1);
      line(second, right, 0, right, bottom + 1);
      break;
  }
}

// --- TRadioGroup ---

TRadioGroup::TRadioGroup(TComponent* owner) : TGroupBox(owner), FItems(New<TStringList>()) {
  FItems->SetOnChange(TNotifyEvent([this](TObject*) { ItemsChanged(); }));
}

void TRadioGroup::BeforeDestruction() {
  FItems->SetOnChange(nullptr);
  FButtons.clear();  // owned by this group: freed with its components
  inherited::BeforeDestruction();
  FreeAndNil(FItems);
}

void TRadioGroup::SetItemIndex(int index) {
  const bool loading = ComponentState().Contains(csLoading);
  if (!loading && (index < -1 || index >= static_cast<int>(FButtons.size()))) index = -1;
  if (index == FItemIndex) return;
  FItemIndex = index;
  CheckChosenButton();
  if (!loading) Click();
}

void TRadioGroup::CheckChosenButton() {
  if (FItemIndex >= 0 && FItemIndex < static_cast<int>(FButtons.size())) {
    FButtons[FItemIndex]->SetChecked(true);  // unchecks the others
  } else {
    for (TRadioButton* button : FButtons) button->SetChecked(false);
  }
}

void TRadioGroup::SetColumns(int columns) {
  columns = std::max(columns, 1);
  if (columns == FColumns) return;
  FColumns = columns;
  ArrangeButtons();
}

void TRadioGroup::ItemsChanged() {
  for (TRadioButton* button : FButtons) button->Free();
  FButtons.clear();
  if (FItemIndex >= FItems->Count() && !ComponentState().Contains(csLoading)) FItemIndex = -1;
  for (int i = 0; i < FItems->Count(); ++i) {
    auto* button = New<TRadioButton>(this);
    button->SetCaption(FItems->Strings(i));
    button->SetOnClick(TNotifyEvent([this, i](TObject*) { SetItemIndex(i); }));
    button->SetParent(this);
    FButtons.push_back(button);
  }
  CheckChosenButton();
  ArrangeButtons();
}

void TRadioGroup::ArrangeButtons() {
  if (FButtons.empty()) return;
  const int count = static_cast<int>(FButtons.size());
  const int perColumn = (count + FColumns - 1) / FColumns;
  const int columnWidth = std::max((Width() - 10) / FColumns, 0);
  const int lineHeight = CaptionHeight();
  const int area = std::max(Height() - lineHeight - 5, 0);
  const int rowHeight = area / perColumn;
  const int topMargin = lineHeight + 1 + (area % perColumn) / 2;
  for (int i = 0; i < count; ++i) {
    FButtons[i]->SetBounds((i / perColumn) * columnWidth + 8, (i % perColumn) * rowHeight + topMargin, columnWidth,
                           rowHeight);
  }
}

void TRadioGroup::Loaded() {
  inherited::Loaded();
  if (FItemIndex < -1 || FItemIndex >= FItems->Count()) FItemIndex = -1;
  CheckChosenButton();
}

void TRadioGroup::Resize() {
  ArrangeButtons();
  inherited::Resize();
}

void TRadioGroup::Dispatch(TMessage& message) {
  inherited::Dispatch(message);
  if (message.Msg == CM_FONTCHANGED) ArrangeButtons();
}

void TRadioGroup::Publish(rtti::Builder& b) {
  b.Prop("ItemIndex", rtti::tiInteger, &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex);
  b.Prop("Items", rtti::ClassInfo<TStrings>(), &TRadioGroup::Items, &TRadioGroup::SetItems);
}

}  // namespace cl
