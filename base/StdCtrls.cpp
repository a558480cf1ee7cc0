#include "base/StdCtrls.h"

// ---------------------------------------------------------------------------
// TCustomEdit

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = {TControlStyleItem::csClickEvents, TControlStyleItem::csSetCaption,
                   TControlStyleItem::csDoubleClicks, TControlStyleItem::csFixedHeight};
  FWidth = 121;
  FHeight = 21;
  FTabStop = true;
  SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"EDIT");
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_LEFT;
  if (FReadOnly) Params.Style |= ES_READONLY;
  if (FBorderStyle == TEditBorderStyle::bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  if (FPasswordChar) SendMessageW(FHandle, EM_SETPASSWORDCHAR, FPasswordChar, 0);
  SendMessageW(FHandle, EM_SETSEL, static_cast<WPARAM>(FSelStart), FSelStart + FSelLength);
}

void TCustomEdit::SetMaxLength(int Value) {
  if (FMaxLength == Value) return;
  FMaxLength = Value;
  if (FHandle) SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(Value), 0);
}

void TCustomEdit::SetReadOnly(bool Value) {
  if (FReadOnly == Value) return;
  FReadOnly = Value;
  if (FHandle) SendMessageW(FHandle, EM_SETREADONLY, Value, 0);
}

void TCustomEdit::SetPasswordChar(wchar_t Value) {
  if (FPasswordChar == Value) return;
  FPasswordChar = Value;
  if (FHandle) {
    SendMessageW(FHandle, EM_SETPASSWORDCHAR, Value, 0);
    InvalidateRect(FHandle, nullptr, TRUE);
  }
}

void TCustomEdit::SetBorderStyle(TEditBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

int TCustomEdit::SelStart() {
  if (!FHandle) return FSelStart;
  DWORD start = 0, end = 0;
  SendMessageW(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int Value) {
  FSelStart = Value;
  FSelLength = 0;
  if (FHandle) SendMessageW(FHandle, EM_SETSEL, static_cast<WPARAM>(Value), Value);
}

int TCustomEdit::SelLength() {
  if (!FHandle) return FSelLength;
  DWORD start = 0, end = 0;
  SendMessageW(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int Value) {
  int start = SelStart();
  FSelStart = start;
  FSelLength = Value;
  if (FHandle) SendMessageW(FHandle, EM_SETSEL, static_cast<WPARAM>(start), start + Value);
}

String TCustomEdit::SelText() {
  String t = Text();
  int s = SelStart(), n = SelLength();
  if (s < 0 || s > static_cast<int>(t.size())) return String();
  return t.substr(static_cast<size_t>(s), static_cast<size_t>(n));
}

void TCustomEdit::SetSelText(const String& Value) {
  HandleNeeded();
  SendMessageW(FHandle, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TCustomEdit::SelectAll() {
  FSelStart = 0;
  FSelLength = static_cast<int>(Text().size());
  if (FHandle) SendMessageW(FHandle, EM_SETSEL, 0, -1);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::TextChanged() {
  // Without a window (or in a multi-line field, which does not notify an
  // assigned text) the change is reported here; otherwise by EN_CHANGE.
  if (!FHandle || MultiLine()) Change();
}

void TCustomEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    if (HIWORD(Message.WParam) == EN_CHANGE && !FControlState.Contains(TControlStateItem::csCreating)) Change();
    return;
  }
  TWinControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// TCustomMemo

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner) {
  FControlStyle.Exclude(TControlStyleItem::csFixedHeight);
  FWidth = 185;
  FHeight = 89;
}

void TCustomMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE | ES_WANTRETURN;
  if (FWordWrap) Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
  if (FScrollBars == TScrollStyle::ssVertical || FScrollBars == TScrollStyle::ssBoth) Params.Style |= WS_VSCROLL;
  if (FScrollBars == TScrollStyle::ssHorizontal || FScrollBars == TScrollStyle::ssBoth) Params.Style |= WS_HSCROLL;
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  if (HandleAllocated()) RecreateWnd();
}

// ---------------------------------------------------------------------------
// TCustomCheckBox

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = {TControlStyleItem::csSetCaption, TControlStyleItem::csDoubleClicks};
  FWidth = 97;
  FHeight = 17;
  FTabStop = true;
  FParentColor = true;
}

void TCustomCheckBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"BUTTON");
  Params.Style |= BS_3STATE;
  if (FAlignment == TLeftRight::taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCustomCheckBox::SetChecked(bool Value) {
  SetState(Value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (FState == Value) return;
  FState = Value;
  if (FHandle) SendMessageW(FHandle, BM_SETCHECK, static_cast<WPARAM>(Value), 0);
  if (!IsLoading()) Click();
}

void TCustomCheckBox::SetAlignment(TLeftRight Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case TCheckBoxState::cbUnchecked:
      SetState(FAllowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked);
      break;
    case TCheckBoxState::cbChecked:
      SetState(TCheckBoxState::cbUnchecked);
      break;
    case TCheckBoxState::cbGrayed:
      SetState(TCheckBoxState::cbChecked);
      break;
  }
}

void TCustomCheckBox::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    if (HIWORD(Message.WParam) == BN_CLICKED) Toggle();
    return;
  }
  TWinControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// TCustomLabel

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(TControlStyleItem::csOpaque).Include(TControlStyleItem::csReplicatable);
  FWidth = 65;
  FHeight = 17;
  FParentColor = true;
}

UINT TCustomLabel::DrawTextFlags() const {
  UINT flags = DT_EXPANDTABS;
  if (FAlignment == TAlignment::taRightJustify)
    flags |= DT_RIGHT;
  else if (FAlignment == TAlignment::taCenter)
    flags |= DT_CENTER;
  if (FWordWrap) flags |= DT_WORDBREAK;
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  return flags;
}

void TCustomLabel::Paint() {
  TRect r = ClientRect();
  if (!FTransparent) {
    Canvas()->Brush()->SetColor(FColor);
    Canvas()->Brush()->SetStyle(TBrushStyle::bsSolid);
    Canvas()->FillRect(r);
  }
  Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
  String text = Text();
  if (text.empty() || (FShowAccelChar && text.size() > 1 && text[0] == L'&' && text[1] == 0)) return;
  UINT flags = DrawTextFlags();
  if (FLayout != TTextLayout::tlTop) {
    TRect calc = r;
    Canvas()->TextRect(calc, text, flags | DT_CALCRECT);
    int dy = r.Height() - calc.Height();
    r.top += FLayout == TTextLayout::tlBottom ? dy : dy / 2;
  }
  if (!FEnabled) {
    TRect shadow = r;
    shadow.Offset(1, 1);
    Canvas()->Font()->SetColor(clBtnHighlight);
    Canvas()->TextRect(shadow, text, flags);
    Canvas()->Font()->SetColor(clBtnShadow);
  }
  Canvas()->TextRect(r, text, flags);
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || IsLoading()) return;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FFont->Handle());
  String text = Text();
  if (text.empty() || (FShowAccelChar && text == L"&")) text = L" ";
  RECT r{0, 0, FWordWrap ? FWidth : 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DrawTextFlags() | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  int x = FLeft;
  if (FAlignment == TAlignment::taRightJustify) x = FLeft + FWidth - r.right;
  SetBounds(x, FTop, r.right, r.bottom);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  if (Value)
    FControlStyle.Exclude(TControlStyleItem::csOpaque);
  else
    FControlStyle.Include(TControlStyleItem::csOpaque);
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (FShowAccelChar == Value) return;
  FShowAccelChar = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::TextChanged() { AdjustBounds(); }

void TCustomLabel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_FONTCHANGED:
      AdjustBounds();
      break;
    case CM_DIALOGCHAR:
      if (FFocusControl && FEnabled && FShowAccelChar && FFocusControl->CanFocus()) {
        String text = Text();
        size_t amp = text.find(L'&');
        if (amp != String::npos && amp + 1 < text.size() &&
            towupper(text[amp + 1]) == towupper(static_cast<wchar_t>(Message.WParam))) {
          FFocusControl->SetFocus();
          Message.Result = 1;
          return;
        }
      }
      break;
    default:
      break;
  }
  TGraphicControl::Dispatch(Message);
}
