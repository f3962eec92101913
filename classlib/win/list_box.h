// TCustomListBox/TListBox over the system's "LISTBOX" class. Items live in the object and are put into the
// window whenever it is made, so they and the selection survive a re-created window. With lbOwnerDrawFixed the
// list draws its items through DrawItem on Canvas, prepared with the selection's or the list's colours.
#pragma once

#include <vector>

#include "classlib/core/string_list.h"
#include "classlib/win/control_canvas.h"
#include "classlib/win/win_control.h"

namespace cl {

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed };
enum TOwnerDrawStateItem { odSelected, odGrayed, odDisabled, odChecked, odFocused };
using TOwnerDrawState = Set<TOwnerDrawStateItem>;
using TDrawItemEvent = Event<void(TObject*, int index, TRect rect, TOwnerDrawState state)>;

class TCustomListBox : public TWinControl {
  CL_CLASS(TCustomListBox, TWinControl)
 public:
  explicit TCustomListBox(TComponent* owner);
  void BeforeDestruction() override;

  TListBoxStyle Style() const { return FStyle; }
  // Makes the window again in the new style.
  void SetStyle(TListBoxStyle style);
  // The height of every item in pixels; the system's own for lbStandard once the window exists.
  int ItemHeight() const;
  void SetItemHeight(int height);
  // 0: one column scrolling vertically; n: n columns side by side scrolling horizontally.
  int Columns() const { return FColumns; }
  void SetColumns(int columns);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool multiSelect);
  bool Selected(int index);
  void SetSelected(int index, bool selected);

  TStrings* Items() const { return FItems; }
  void SetItems(const TStrings* items) { FItems->Assign(items); }
  // The selected item (the focused one when MultiSelect), or -1. Setting it fires no event.
  int ItemIndex() const;
  virtual void SetItemIndex(int index);  // (v)
  int TopIndex() const;
  void SetTopIndex(int index);
  // The item at pos (client coordinates); outside every item -1 when existing, else Count.
  int ItemAtPos(TPoint pos, bool existing) const;
  // The item's rectangle in client coordinates.
  TRect ItemRect(int index) const;

  TCanvas* Canvas() const { return FCanvas; }

  const TDrawItemEvent& OnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(const TDrawItemEvent& e) { FOnDrawItem = e; }

  void Dispatch(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // Draws an owner-drawn item on Canvas, whose brush and font colours are already set; OnDrawItem when assigned,
  // else the item's text.
  virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);

 private:
  void ItemsChanged();
  void FillWindow();
  void DrawItemMessage(const DRAWITEMSTRUCT& draw);
  void ApplyColumnWidth();

  TListBoxStyle FStyle = lbStandard;
  int FItemHeight = 16;
  int FColumns = 0;
  bool FMultiSelect = false;
  TStringList* FItems;
  TControlCanvas* FCanvas;
  // Kept while there is no window.
  int FItemIndex = -1;
  int FTopIndex = 0;
  std::vector<int> FSelection;  // selected items of a multiple selection
  TDrawItemEvent FOnDrawItem;
};

class TListBox : public TCustomListBox {
  CL_CLASS(TListBox, TCustomListBox)
 public:
  explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
};

}  // namespace cl
