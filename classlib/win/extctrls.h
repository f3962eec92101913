// TPanel: a container with a bevelled edge and a centred caption. TImage: a graphic control that shows a picture.
// TBevel: a sunken or raised box or line. TRadioGroup: a group box of radio buttons made from a list of texts.
#pragma once

#include <vector>

#include "classlib/core/string_list.h"
#include "classlib/win/custom_controls.h"
#include "classlib/win/picture.h"
#include "classlib/win/stdctrls.h"

namespace cl {

enum TPanelBevel { bvNone, bvLowered, bvRaised };

class TPanel : public TCustomControl {
  CL_CLASS(TPanel, TCustomControl)
 public:
  explicit TPanel(TComponent* owner);

  TPanelBevel BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TPanelBevel bevel);
  TPanelBevel BevelInner() const { return FBevelInner; }
  void SetBevelInner(TPanelBevel bevel);

  void Dispatch(TMessage& message) override;

 protected:
  void AdjustClientRect(TRect& rect) const override;
  void Paint() override;

 private:
  int BevelWidth() const;

  TPanelBevel FBevelOuter = bvRaised;
  TPanelBevel FBevelInner = bvNone;
};

// Paint draws the graphic itself (StretchDraw into the client rectangle, centred, or at 0,0), so graphics that
// are not bitmaps draw themselves. A picture change repaints (and resizes with AutoSize).
class TImage : public TGraphicControl {
  CL_CLASS(TImage, TGraphicControl)
 public:
  explicit TImage(TComponent* owner);
  void BeforeDestruction() override;

  TPicture* Picture() const { return FPicture; }
  void SetPicture(const TPicture* picture) { FPicture->Assign(picture); }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool stretch);
  bool Center() const { return FCenter; }
  void SetCenter(bool center);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent);

  // On an empty picture: a new bitmap of the control's size; with a bitmap: its canvas; otherwise
  // EInvalidOperation.
  TCanvas* Canvas();

 protected:
  void Paint() override;

 private:
  TRect DestRect() const;
  void PictureChanged();

  TPicture* FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FAutoSize = false;
  bool FTransparent = false;
};

enum TBevelShape { bsBox, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine };
enum TBevelStyle { bsLowered, bsRaised };

// A box or a line along one edge drawn in the button shadow and highlight colours: lowered with the shadow above or
// left of the highlight, raised the other way round.
class TBevel : public TGraphicControl {
  CL_CLASS(TBevel, TGraphicControl)
 public:
  explicit TBevel(TComponent* owner);

  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape shape);
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle style);

 protected:
  void Paint() override;

 private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

// One radio button per line of Items, filling Columns columns top to bottom. Choosing a button, or setting
// ItemIndex to a new value, fires OnClick. While the form loads, ItemIndex is only stored (the items may come
// later) and checked against the items in Loaded.
class TRadioGroup : public TGroupBox {
  CL_PUBLISHED_CLASS(TRadioGroup, TGroupBox)
 public:
  explicit TRadioGroup(TComponent* owner);
  void BeforeDestruction() override;

  TStrings* Items() const { return FItems; }
  void SetItems(const TStrings* items) { FItems->Assign(items); }
  // The checked button, or -1; values outside the items give -1.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int index);
  int Columns() const { return FColumns; }
  // At least 1.
  void SetColumns(int columns);

 protected:
  void Resize() override;
  void Dispatch(TMessage& message) override;
  void Loaded() override;

 private:
  void ItemsChanged();
  void CheckChosenButton();
  void ArrangeButtons();

  TStringList* FItems;
  std::vector<TRadioButton*> FButtons;
  int FItemIndex = -1;
  int FColumns = 1;
};

}  // namespace cl
