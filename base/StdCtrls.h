// Standard controls: edit field, check box and label.
#pragma once

#include "base/Controls.h"

enum class TEditBorderStyle { bsNone, bsSingle };

class TCustomEdit : public TWinControl {
  VANTREL_CLASS(TCustomEdit)
 public:
  explicit TCustomEdit(TComponent* AOwner);

  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  wchar_t PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(wchar_t Value);
  TEditBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TEditBorderStyle Value);
  int SelStart();
  void SetSelStart(int Value);
  int SelLength();
  void SetSelLength(int Value);
  String SelText();
  void SetSelText(const String& Value);
  void SelectAll();
  void Clear() { SetText(L""); }

  // Fires once for every change of the text, typed or assigned.
  TNotifyEvent OnChange;

  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void TextChanged() override;
  virtual void Change();
  virtual bool MultiLine() const { return false; }

 private:
  int FMaxLength = 0;
  bool FReadOnly = false;
  wchar_t FPasswordChar = 0;
  TEditBorderStyle FBorderStyle = TEditBorderStyle::bsSingle;
  int FSelStart = 0;
  int FSelLength = 0;
};

class TEdit : public TCustomEdit {
  VANTREL_CLASS(TEdit)
 public:
  using TCustomEdit::TCustomEdit;
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A multi-line edit field.
class TCustomMemo : public TCustomEdit {
  VANTREL_CLASS(TCustomMemo)
 public:
  explicit TCustomMemo(TComponent* AOwner);

  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  bool MultiLine() const override { return true; }

 private:
  TScrollStyle FScrollBars = TScrollStyle::ssNone;
  bool FWordWrap = true;
};

class TMemo : public TCustomMemo {
  VANTREL_CLASS(TMemo)
 public:
  using TCustomMemo::TCustomMemo;
};

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum class TLeftRight { taLeftJustify, taRightJustify };

class TCustomCheckBox : public TWinControl {
  VANTREL_CLASS(TCustomCheckBox)
 public:
  explicit TCustomCheckBox(TComponent* AOwner);

  bool Checked() const { return FState == TCheckBoxState::cbChecked; }
  // A new value fires OnClick, as a click on the box does.
  void SetChecked(bool Value);
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState Value);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  TLeftRight Alignment() const { return FAlignment; }
  void SetAlignment(TLeftRight Value);

  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void Toggle();

 private:
  TCheckBoxState FState = TCheckBoxState::cbUnchecked;
  bool FAllowGrayed = false;
  TLeftRight FAlignment = TLeftRight::taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
  VANTREL_CLASS(TCheckBox)
 public:
  using TCustomCheckBox::TCustomCheckBox;
};

enum class TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
  VANTREL_CLASS(TCustomLabel)
 public:
  explicit TCustomLabel(TComponent* AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);

  void Dispatch(TMessage& Message) override;

 protected:
  void Paint() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  void TextChanged() override;
  // Sizes the label to its text when AutoSize is on.
  virtual void AdjustBounds();
  UINT DrawTextFlags() const;

 private:
  TAlignment FAlignment = TAlignment::taLeftJustify;
  bool FAutoSize = true;
  TTextLayout FLayout = TTextLayout::tlTop;
  bool FTransparent = false;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
  VANTREL_CLASS(TLabel)
 public:
  using TCustomLabel::TCustomLabel;
};
