// TComboBox over the system's "COMBOBOX" class. Items live in the object and are put into the window whenever
// it is made, so they survive a re-created window. Keys typed into the edit part reach KeyDown/OnKeyDown (the
// edit child is subclassed), so Enter gives Key 13 there.
#pragma once

#include "classlib/core/string_list.h"
#include "classlib/win/win_control.h"

namespace cl {

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TComboBox : public TWinControl {
  CL_PUBLISHED_CLASS(TComboBox, TWinControl)
 public:
  explicit TComboBox(TComponent* owner);
  void BeforeDestruction() override;

  TComboBoxStyle Style() const { return FStyle; }
  // Makes the window again in the new style.
  void SetStyle(TComboBoxStyle style);
  TStrings* Items() const { return FItems; }
  void SetItems(const TStrings* items) { FItems->Assign(items); }
  // The selected item, or -1. Setting it shows that item's text and fires no event; while the form loads it is
  // only stored (the items may come later) and applied in Loaded.
  int ItemIndex() const;
  void SetItemIndex(int index);

  // Fires after the text changed by typing or by a pick from the list.
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& e) { FOnChange = e; }

  void Dispatch(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void BoundsChanged(bool resized) override;
  void Loaded() override;
  virtual void Change();

 private:
  friend LRESULT CALLBACK ComboEditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR) noexcept;
  // Puts the items into the window again, keeping the text and, when still listed, the selected item.
  void ItemsChanged();
  void FillWindow();
  // A key message reached the edit part; true when KeyDown consumed it.
  bool EditKeyDown(WPARAM& key);
  int DroppedListHeight() const;

  TComboBoxStyle FStyle = csDropDown;
  TStringList* FItems;
  int FItemIndex = -1;
  HWND FEditWnd = nullptr;
  // Set when the application loop ran KeyDown for the key now going to the edit part.
  bool FEditKeyDone = false;
  TNotifyEvent FOnChange;
};

}  // namespace cl
