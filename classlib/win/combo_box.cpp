// TComboBox: the system combo box with its items kept in the object and its edit part subclassed for keys.
#include "classlib/win/combo_box.h"

#include <commctrl.h>

#include <utility>

#include "classlib/win/colors.h"
#include "classlib/win/guard.h"

namespace cl {
namespace {

constexpr int kDropDownCount = 8;  // list rows shown when the list drops down
constexpr UINT_PTR kEditSubclassId = 1;

// The index of the item that is exactly text (IndexOf ignores case), or -1.
int ExactIndexOf(const TStrings* items, const std::string& text) {
  for (int i = 0; i < items->Count(); ++i) {
    if (items->Strings(i) == text) return i;
  }
  return -1;
}

}  // namespace

LRESULT CALLBACK ComboEditProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) noexcept {
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(wnd, &ComboEditProc, id);
  } else if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
    // The combo box is looked up, not stored: the edit part dies with the combo box's window.
    if (auto* combo = dynamic_cast<TComboBox*>(FindControl(GetParent(wnd)))) {
      if (Guard(combo, true, [&] { return combo->EditKeyDown(wParam); })) return 0;
    }
  }
  return DefSubclassProc(wnd, msg, wParam, lParam);
}

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner), FItems(New<TStringList>()) {
  StoreBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
  FControlStyle = {csSetCaption, csDoubleClicks};
  FItems->SetOnChange(TNotifyEvent([this](TObject*) { ItemsChanged(); }));
}

void TComboBox::BeforeDestruction() {
  inherited::BeforeDestruction();
  FItems->SetOnChange(nullptr);
  FreeAndNil(FItems);
}

void TComboBox::CreateParams(TCreateParams& params) {
  inherited::CreateParams(params);
  static constexpr DWORD kStyles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST};
  params.SystemClassName = "COMBOBOX";
  params.Style |= WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL | kStyles[FStyle];
  // The height of a drop-down combo box given to the system includes its dropped list.
  if (FStyle != csSimple) params.Height += DroppedListHeight();
}

void TComboBox::CreateWnd() {
  inherited::CreateWnd();
  FillWindow();
  FEditWnd = FStyle == csDropDownList ? nullptr : FindWindowExA(Handle(), nullptr, "Edit", nullptr);
  if (FEditWnd) SetWindowSubclass(FEditWnd, &ComboEditProc, kEditSubclassId, 0);
}

void TComboBox::DestroyWnd() {
  FItemIndex = ItemIndex();
  FEditWnd = nullptr;
  inherited::DestroyWnd();
}

void TComboBox::FillWindow() {
  HWND wnd = Handle();
  const std::string text = StoredText();
  SendMessageA(wnd, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < FItems->Count(); ++i) {
    SendMessageA(wnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FItems->Strings(i).c_str()));
  }
  SendMessageA(wnd, CB_SETCURSEL, FItemIndex, 0);
  if (FStyle != csDropDownList) SetWindowTextA(wnd, text.c_str());
}

void TComboBox::ItemsChanged() {
  if (FItemIndex >= FItems->Count() && !ComponentState().Contains(csLoading)) FItemIndex = -1;
  if (!HandleAllocated()) return;
  const std::string text = Text();
  FItemIndex = -1;
  if (const int selected = ItemIndex(); selected >= 0) {
    std::string selectedText(SendMessageA(Handle(), CB_GETLBTEXTLEN, selected, 0) + 1, '\0');
    selectedText.resize(SendMessageA(Handle(), CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(selectedText.data())));
    FItemIndex = ExactIndexOf(FItems, selectedText);
  }
  StoreText(text);
  FillWindow();
}

int TComboBox::ItemIndex() const {
  if (!HandleAllocated()) return FItemIndex;
  return static_cast<int>(SendMessageA(BoundWindow(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index) {
  if (ComponentState().Contains(csLoading)) {
    FItemIndex = index;
    return;
  }
  if (index < -1 || index >= FItems->Count()) index = -1;
  FItemIndex = index;
  if (HandleAllocated()) {
    SendMessageA(Handle(), CB_SETCURSEL, index, 0);
  } else {
    StoreText(index >= 0 ? FItems->Strings(index) : std::string());
  }
}

void TComboBox::Loaded() {
  inherited::Loaded();
  const int index = FItemIndex;
  FItemIndex = -1;
  if (index != -1) SetItemIndex(index);
}

void TComboBox::SetStyle(TComboBoxStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  RecreateWnd();
}

int TComboBox::DroppedListHeight() const {
  int itemHeight = 16;
  if (HandleAllocated()) {
    itemHeight = static_cast<int>(SendMessageA(BoundWindow(), CB_GETITEMHEIGHT, 0, 0));
  }
  return kDropDownCount * itemHeight + 2;
}

void TComboBox::BoundsChanged(bool resized) {
  if (!HandleAllocated() || FStyle == csSimple) {
    inherited::BoundsChanged(resized);
    return;
  }
  SetWindowPos(Handle(), nullptr, Left(), Top(), Width(), Height() + DroppedListHeight(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TComboBox::EditKeyDown(WPARAM& key) {
  if (std::exchange(FEditKeyDone, false)) return false;
  DispatchScope scope(this);
  WORD code = static_cast<WORD>(key);
  KeyDown(code, KeyboardShiftState());
  key = code;
  return code == 0 || ComponentState().Contains(csDestroying);
}

void TComboBox::Change() {
  if (FOnChange) FOnChange(this);
}

void TComboBox::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CN_BASE + WM_COMMAND:
      switch (HIWORD(message.WParam)) {
        case CBN_SELCHANGE: {
          // The edit part shows the picked item only after this notification; handlers read it already.
          const int index = ItemIndex();
          if (FStyle != csDropDownList && index >= 0) SetWindowTextA(Handle(), FItems->Strings(index).c_str());
          Click();
          if (!ComponentState().Contains(csDestroying)) Change();
          break;
        }
        case CBN_EDITCHANGE:
          Change();
          break;
      }
      return;
    case CN_BASE + WM_KEYDOWN:
    case CN_BASE + WM_SYSKEYDOWN:
      inherited::Dispatch(message);
      // A key the loop did not consume goes on to the focused edit part, which must not run KeyDown again.
      FEditKeyDone = message.Result == 0 && FEditWnd && GetFocus() == FEditWnd;
      return;
    case CM_TEXTCHANGED:
      if (FStyle == csDropDownList) {
        // The list's text is its selected item's.
        SetItemIndex(ExactIndexOf(FItems, StoredText()));
        return;
      }
      inherited::Dispatch(message);
      return;
    default:
      inherited::Dispatch(message);
  }
}

void TComboBox::Publish(rtti::Builder& b) {
  b.Prop("Text", rtti::tiString, &TControl::Text, &TControl::SetText);
  b.Prop("ItemIndex", rtti::tiInteger, &TComboBox::ItemIndex, &TComboBox::SetItemIndex);
  b.Prop("Items", rtti::ClassInfo<TStrings>(), &TComboBox::Items, &TComboBox::SetItems);
}

}  // namespace cl
