// TCustomListBox: the system list box with its items kept in the object and owner-drawn items drawn on Canvas.
#include "classlib/win/list_box.h"

#include "classlib/core/exceptions.h"
#include "classlib/win/colors.h"
#include "classlib/win/custom_controls.h"
#include "classlib/win/graphics_tools.h"

namespace cl {
namespace {

TOwnerDrawState OwnerDrawState(UINT itemState) {
  TOwnerDrawState state;
  if (itemState & ODS_SELECTED) state.Include(odSelected);
  if (itemState & ODS_GRAYED) state.Include(odGrayed);
  if (itemState & ODS_DISABLED) state.Include(odDisabled);
  if (itemState & ODS_CHECKED) state.Include(odChecked);
  if (itemState & ODS_FOCUS) state.Include(odFocused);
  return state;
}

}  // namespace

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), FItems(New<TStringList>()), FCanvas(New<TControlCanvas>()) {
  StoreBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
  // The system list box captures the mouse itself and reports a selection by LBN_SELCHANGE, which clicks.
  FControlStyle = {csSetCaption, csDoubleClicks};
  FCanvas->SetControl(this);
  FItems->SetOnChange(TNotifyEvent([this](TObject*) { ItemsChanged(); }));
}

void TCustomListBox::BeforeDestruction() {
  inherited::BeforeDestruction();
  FItems->SetOnChange(nullptr);
  FreeAndNil(FItems);
  FreeAndNil(FCanvas);
}

void TCustomListBox::CreateParams(TCreateParams& params) {
  inherited::CreateParams(params);
  params.SystemClassName = "LISTBOX";
  params.Style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
  params.ExStyle |= WS_EX_CLIENTEDGE;
  if (FStyle == lbOwnerDrawFixed) params.Style |= LBS_OWNERDRAWFIXED;
  if (FMultiSelect) params.Style |= LBS_EXTENDEDSEL;
  if (FColumns > 0) params.Style |= LBS_MULTICOLUMN | WS_HSCROLL;
}

void TCustomListBox::CreateWnd() {
  inherited::CreateWnd();
  // The system asks the parent for the height of owner-drawn items, and the parent does not know it: set it here.
  if (FStyle == lbOwnerDrawFixed) SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, FItemHeight);
  ApplyColumnWidth();
  FillWindow();
}

void TCustomListBox::DestroyWnd() {
  HWND wnd = Handle();
  FItemIndex = ItemIndex();
  FTopIndex = TopIndex();
  FSelection.clear();
  if (FMultiSelect) {
    for (int i = 0; i < FItems->Count(); ++i) {
      if (SendMessageA(wnd, LB_GETSEL, i, 0) > 0) FSelection.push_back(i);
    }
  }
  inherited::DestroyWnd();
}

void TCustomListBox::FillWindow() {
  HWND wnd = Handle();
  SendMessageA(wnd, WM_SETREDRAW, FALSE, 0);
  SendMessageA(wnd, LB_RESETCONTENT, 0, 0);
  size_t characters = 0;
  for (int i = 0; i < FItems->Count(); ++i) characters += FItems->Strings(i).size() + 1;
  SendMessageA(wnd, LB_INITSTORAGE, FItems->Count(), static_cast<LPARAM>(characters));
  for (int i = 0; i < FItems->Count(); ++i) {
    SendMessageA(wnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FItems->Strings(i).c_str()));
  }
  if (FMultiSelect) {
    for (int index : FSelection) SendMessageA(wnd, LB_SETSEL, TRUE, index);
    SendMessageA(wnd, LB_SETCARETINDEX, FItemIndex, FALSE);
  } else {
    SendMessageA(wnd, LB_SETCURSEL, FItemIndex, 0);
  }
  SendMessageA(wnd, LB_SETTOPINDEX, FTopIndex, 0);
  SendMessageA(wnd, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(wnd, nullptr, TRUE);
}

void TCustomListBox::ItemsChanged() {
  if (!HandleAllocated()) {
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    return;
  }
  // The selected item keeps its selection where it moved; a multiple selection starts afresh.
  const int selected = ItemIndex();
  std::string selectedText(selected >= 0 ? SendMessageA(Handle(), LB_GETTEXTLEN, selected, 0) + 1 : 0, '\0');
  if (selected >= 0) {
    selectedText.resize(SendMessageA(Handle(), LB_GETTEXT, selected, reinterpret_cast<LPARAM>(selectedText.data())));
  }
  FItemIndex = selected >= 0 ? FItems->IndexOf(selectedText) : -1;
  FTopIndex = TopIndex();
  FSelection.clear();
  FillWindow();
}

void TCustomListBox::SetStyle(TListBoxStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  RecreateWnd();
}

int TCustomListBox::ItemHeight() const {
  if (!HandleAllocated()) return FItemHeight;
  return static_cast<int>(SendMessageA(BoundWindow(), LB_GETITEMHEIGHT, 0, 0));
}

void TCustomListBox::SetItemHeight(int height) {
  if (height <= 0 || height == FItemHeight) return;
  FItemHeight = height;
  if (HandleAllocated() && FStyle == lbOwnerDrawFixed) {
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, height);
    Invalidate();
  }
}

void TCustomListBox::SetColumns(int columns) {
  if (columns < 0) columns = 0;
  if (columns == FColumns) return;
  const bool multiColumnChanged = (columns > 0) != (FColumns > 0);
  FColumns = columns;
  if (multiColumnChanged) {
    RecreateWnd();
  } else {
    ApplyColumnWidth();
  }
}

void TCustomListBox::ApplyColumnWidth() {
  if (HandleAllocated() && FColumns > 0) SendMessageA(Handle(), LB_SETCOLUMNWIDTH, Width() / FColumns, 0);
}

void TCustomListBox::SetMultiSelect(bool multiSelect) {
  if (multiSelect == FMultiSelect) return;
  // The old window is read in the old mode before the new one is made.
  const bool hadWindow = HandleAllocated();
  if (hadWindow) DestroyHandle();
  FMultiSelect = multiSelect;
  FSelection.clear();
  if (FMultiSelect && FItemIndex >= 0) FSelection.push_back(FItemIndex);
  if (hadWindow) HandleNeeded();
}

bool TCustomListBox::Selected(int index) {
  if (index < 0 || index >= FItems->Count()) throw EListError("List index out of bounds (%d)", {index});
  return SendMessageA(Handle(), LB_GETSEL, index, 0) > 0;
}

void TCustomListBox::SetSelected(int index, bool selected) {
  if (index < 0 || index >= FItems->Count()) throw EListError("List index out of bounds (%d)", {index});
  if (FMultiSelect) {
    SendMessageA(Handle(), LB_SETSEL, selected, index);
  } else if (selected) {
    SetItemIndex(index);
  } else if (ItemIndex() == index) {
    SetItemIndex(-1);
  }
}

int TCustomListBox::ItemIndex() const {
  if (!HandleAllocated()) return FItemIndex;
  const UINT query = FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL;
  const int index = static_cast<int>(SendMessageA(BoundWindow(), query, 0, 0));
  // An empty multiple-selection list still reports its caret at item 0.
  return index < FItems->Count() ? index : -1;
}

void TCustomListBox::SetItemIndex(int index) {
  if (index < -1 || index >= FItems->Count()) index = -1;
  FItemIndex = index;
  if (!HandleAllocated()) return;
  if (FMultiSelect) {
    SendMessageA(Handle(), LB_SETCARETINDEX, index, FALSE);
  } else {
    SendMessageA(Handle(), LB_SETCURSEL, index, 0);
  }
}

int TCustomListBox::TopIndex() const {
  if (!HandleAllocated()) return FTopIndex;
  return static_cast<int>(SendMessageA(BoundWindow(), LB_GETTOPINDEX, 0, 0));
}

void TCustomListBox::SetTopIndex(int index) {
  FTopIndex = index;
  if (HandleAllocated()) SendMessageA(Handle(), LB_SETTOPINDEX, index, 0);
}

TRect TCustomListBox::ItemRect(int index) const {
  RECT rect{};
  if (HandleAllocated()) SendMessageA(BoundWindow(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
  return Rect(rect.left, rect.top, rect.right, rect.bottom);
}

int TCustomListBox::ItemAtPos(TPoint pos, bool existing) const {
  if (HandleAllocated() && pos.X >= 0 && pos.Y >= 0) {
    const LRESULT hit = SendMessageA(BoundWindow(), LB_ITEMFROMPOINT, 0, MAKELPARAM(pos.X, pos.Y));
    const int index = LOWORD(hit);
    // The system answers the nearest item for points below the last one; only a point inside an item counts.
    if (HIWORD(hit) == 0 && index < FItems->Count()) {
      const TRect rect = ItemRect(index);
      if (pos.X >= rect.Left && pos.X < rect.Right && pos.Y >= rect.Top && pos.Y < rect.Bottom) return index;
    }
  }
  return existing ? -1 : FItems->Count();
}

void TCustomListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
  if (FOnDrawItem) {
    FOnDrawItem(this, index, rect, state);
    return;
  }
  FCanvas->FillRect(rect);
  FCanvas->TextOut(rect.Left + 2, rect.Top, FItems->Strings(index));
}

void TCustomListBox::DrawItemMessage(const DRAWITEMSTRUCT& draw) {
  const TOwnerDrawState state = OwnerDrawState(draw.itemState);
  const int index = static_cast<int>(draw.itemID);
  PaintOnCanvas(FCanvas, draw.hDC, [&] {
    if (draw.itemAction == ODA_FOCUS || index < 0 || index >= FItems->Count()) return;
    FCanvas->SetFont(Font());
    if (state.Contains(odSelected)) {
      FCanvas->Brush()->SetColor(clHighlight);
      FCanvas->Font()->SetColor(clHighlightText);
    } else {
      FCanvas->Brush()->SetColor(Color());
    }
    const RECT& r = draw.rcItem;
    DrawItem(index, Rect(r.left, r.top, r.right, r.bottom), state);
  });
  if (state.Contains(odFocused) && !ComponentState().Contains(csDestroying)) DrawFocusRect(draw.hDC, &draw.rcItem);
}

void TCustomListBox::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CN_BASE + WM_COMMAND:
      if (HIWORD(message.WParam) == LBN_SELCHANGE) Click();
      return;
    case CN_BASE + WM_DRAWITEM:
      DrawItemMessage(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam));
      message.Result = TRUE;
      return;
    case CM_FONTCHANGED:
      inherited::Dispatch(message);
      // Owner-drawn lists size their items from the font when the window is made.
      if (HandleAllocated()) RecreateWnd();
      return;
    case WM_SIZE:
      inherited::Dispatch(message);
      ApplyColumnWidth();
      return;
    default:
      inherited::Dispatch(message);
  }
}

}  // namespace cl
