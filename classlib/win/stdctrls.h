// Standard controls over the system's window classes (superclassed, so the system procedure stays the default
// handler): TButton, TCheckBox, TEdit; and the graphic TLabel.
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

// A check box. Setting Checked to a new value fires OnClick, as a click by the user does.
class TCheckBox : public TWinControl {
  CL_CLASS(TCheckBox, TWinControl)
 public:
  explicit TCheckBox(TComponent* owner);

  bool Checked() const { return FChecked; }
  void SetChecked(bool checked);

  void Dispatch(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

 private:
  bool FChecked = false;
};

// A single-line edit. The text lives in the window while it exists; EN_CHANGE fires Change/OnChange.
class TCustomEdit : public TWinControl {
  CL_CLASS(TCustomEdit, TWinControl)
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
