// Standard controls over the system's window classes (superclassed, so the system procedure stays the default
// handler): TButton, TCheckBox, TRadioButton, TEdit; the graphic TLabel; and the container TGroupBox.
#pragma once

#include "classlib/win/custom_controls.h"
#include "classlib/win/forms.h"

namespace cl {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// A push button. BN_CLICKED clicks it; a non-zero ModalResult goes to its form first. Enter clicks the Default
// button of a form and Esc its Cancel button (CM_DIALOGKEY).
class TButton : public TWinControl {
  CL_CLASS(TButton, TWinControl)
 public:
  explicit TButton(TComponent* owner);

  bool Default() const { return FDefault; }
  void SetDefault(bool isDefault);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool cancel) { FCancel = cancel; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult result) { FModalResult = result; }

  void Click() override;
  void Dispatch(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
};

// The base of check boxes and radio buttons: a "BUTTON" window whose check mark follows Checked. The buttons
// are not automatic: a click by the user goes through the setter (UserClicked).
class TButtonControl : public TWinControl {
  CL_CLASS(TButtonControl, TWinControl)
 public:
  bool Checked() const { return FChecked; }

  void Dispatch(TMessage& message) override;

 protected:
  TButtonControl(TComponent* owner, DWORD buttonStyle);
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  // Stores and shows the check mark; false when it was already so.
  bool StoreChecked(bool checked);
  virtual void UserClicked() = 0;

 private:
  const DWORD FButtonStyle;
  bool FChecked = false;
};

// A check box. Setting Checked to a new value fires OnClick, as a click by the user does.
class TCheckBox : public TButtonControl {
  CL_PUBLISHED_CLASS(TCheckBox, TButtonControl)
 public:
  explicit TCheckBox(TComponent* owner);
  void SetChecked(bool checked);

 protected:
  void UserClicked() override { SetChecked(!Checked()); }
};

// A radio button. Checking it (by the user or by setting Checked) unchecks the radio buttons of the same parent
// and fires OnClick; becoming unchecked fires nothing, as no click of the user unchecks a radio button.
class TRadioButton : public TButtonControl {
  CL_CLASS(TRadioButton, TButtonControl)
 public:
  explicit TRadioButton(TComponent* owner);
  void SetChecked(bool checked);

 protected:
  void UserClicked() override { SetChecked(true); }
};

// A frame with a caption on its top edge around child controls.
class TGroupBox : public TCustomControl {
  CL_CLASS(TGroupBox, TCustomControl)
 public:
  explicit TGroupBox(TComponent* owner);

  void Dispatch(TMessage& message) override;

 protected:
  // Inside the frame, below the caption.
  void AdjustClientRect(TRect& rect) const override;
  void Paint() override;
  // Height of a line of the caption's font.
  int CaptionHeight() const;
};

// A single-line edit. The text lives in the window while it exists; EN_CHANGE fires Change/OnChange.
class TCustomEdit : public TWinControl {
  CL_PUBLISHED_CLASS(TCustomEdit, TWinControl)
 public:
  explicit TCustomEdit(TComponent* owner);

  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int length);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool readOnly);
  int SelStart();
  int SelLength();
  void SetSelStart(int start);
  void SetSelLength(int length);
  void SelectAll();
  bool Modified();
  void SetModified(bool modified);

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& e) { FOnChange = e; }

  void Dispatch(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  virtual void Change();

 private:
  int FMaxLength = 0;
  bool FReadOnly = false;
  TNotifyEvent FOnChange;
};

class TEdit : public TCustomEdit {
  CL_CLASS(TEdit, TCustomEdit)
 public:
  explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};

// Text drawn on the parent with DrawText; disabled text in clGrayText.
class TLabel : public TGraphicControl {
  CL_CLASS(TLabel, TGraphicControl)
 public:
  explicit TLabel(TComponent* owner);

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool wordWrap);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent);

  void Dispatch(TMessage& message) override;

 protected:
  void Paint() override;
  void Loaded() override;
  // Fits the bounds to the text when AutoSize.
  virtual void AdjustBounds();

 private:
  UINT DrawTextFlags() const;

  bool FAutoSize = true;
  TAlignment FAlignment = taLeftJustify;
  bool FWordWrap = false;
  bool FTransparent = false;
};

}  // namespace cl
