#include "base/ComboBox.h"

// ---------------------------------------------------------------------------
// TComboBoxStrings

TComboBoxStrings::TComboBoxStrings(TCustomComboBox* AOwner, int& ItemIndex)
    : TWindowStrings(AOwner, ItemIndex,
                     {CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_GETCURSEL, CB_SETCURSEL}) {}

void TComboBoxStrings::Assign(TPersistent* Source) {
  // The box is told the size of a large fill first, so that it stores the
  // items at once instead of growing item by item.
  auto* src = dynamic_cast<TStrings*>(Source);
  if (src && src != this && FOwner->HandleAllocated() && src->Count() > 0) {
    size_t chars = 0;
    for (int i = 0, n = src->Count(); i < n; ++i) chars += src->Strings(i).size() + 1;
    SendMessageW(FOwner->Handle(), CB_INITSTORAGE, static_cast<WPARAM>(src->Count()),
                 static_cast<LPARAM>(chars * sizeof(wchar_t)));
  }
  TStrings::Assign(Source);
}

void TComboBoxStrings::SetUpdateState(bool Updating) {
  if (!FOwner->HandleAllocated()) return;
  HWND h = FOwner->Handle();
  SendMessageW(h, WM_SETREDRAW, Updating ? FALSE : TRUE, 0);
  if (!Updating) InvalidateRect(h, nullptr, TRUE);
}

// ---------------------------------------------------------------------------
// TCustomComboBox

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = {TControlStyleItem::csSetCaption, TControlStyleItem::csDoubleClicks,
                   TControlStyleItem::csFixedHeight};
  FWidth = 145;
  FHeight = 21;
  FTabStop = true;
  SetColor(clWindow);
  FItems = new TComboBoxStrings(this, FItemIndex);
  FCanvas = new TCanvas;
}

void TCustomComboBox::Destroy() {
  FCanvas->SetHandle(nullptr);
  TWinControl::Destroy();
  delete FItems;
  FItems = nullptr;
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"COMBOBOX");
  Params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  Params.Style |= FStyle == TComboBoxStyle::csDropDown ? CBS_DROPDOWN : CBS_DROPDOWNLIST;
  if (FStyle == TComboBoxStyle::csOwnerDrawFixed) Params.Style |= CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
  Params.Height = WindowHeight();
}

void TCustomComboBox::CreateWnd() {
  TWinControl::CreateWnd();
  FItems->FillWindow();
  if (FStyle == TComboBoxStyle::csOwnerDrawFixed) SendMessageW(FHandle, CB_SETITEMHEIGHT, 0, ItemHeight());
  SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
  // The window's own height is the field's.
  UpdateBounds();
}

void TCustomComboBox::SaveWindowState() {
  FItemIndex = static_cast<int>(SendMessageW(FHandle, CB_GETCURSEL, 0, 0));
  TWinControl::SaveWindowState();
}

int TCustomComboBox::WindowHeight() {
  int field = FHeight > 0 ? FHeight : 21;
  int row = 0;
  if (FHandle) row = static_cast<int>(SendMessageW(FHandle, CB_GETITEMHEIGHT, 0, 0));
  if (row <= 0) row = Max(Font()->Height() < 0 ? -Font()->Height() : Font()->Height(), 13) + 3;
  return field + row * Max(FDropDownCount, 1) + 2;
}

void TCustomComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!FHandle) {
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    return;
  }
  // The field keeps the height its font gives it; the window's height
  // includes the dropped list.
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth) return;
  SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, WindowHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateBounds();
  RequestAlign();
}

int TCustomComboBox::ItemIndex() {
  if (!FHandle) return FItemIndex;
  return static_cast<int>(SendMessageW(FHandle, CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems->Count()) Value = -1;
  FItemIndex = Value;
  if (FHandle) SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

String TCustomComboBox::Text() {
  int i = ItemIndex();
  return i >= 0 && i < FItems->Count() ? FItems->Strings(i) : String();
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int Value) {
  if (FDropDownCount == Value) return;
  FDropDownCount = Value;
  if (FHandle)
    SetWindowPos(FHandle, nullptr, 0, 0, FWidth, WindowHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TCustomComboBox::DroppedDown() { return FHandle && SendMessageW(FHandle, CB_GETDROPPEDSTATE, 0, 0) != 0; }

void TCustomComboBox::SetDroppedDown(bool Value) { SendMessageW(Handle(), CB_SHOWDROPDOWN, Value, 0); }

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

int TCustomComboBox::ItemHeight() {
  if (FItemHeight > 0) return FItemHeight;
  return Max(Font()->Height() < 0 ? -Font()->Height() : Font()->Height(), 13) + 3;
}

void TCustomComboBox::SetItemHeight(int Value) {
  if (Value < 0 || Value == FItemHeight) return;
  FItemHeight = Value;
  if (FHandle && FStyle == TComboBoxStyle::csOwnerDrawFixed) {
    SendMessageW(FHandle, CB_SETITEMHEIGHT, 0, ItemHeight());
    InvalidateRect(FHandle, nullptr, TRUE);
  }
}

void TCustomComboBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_MEASUREITEM:
    case CN_DRAWITEM:
      AnswerOwnerDrawnRow(this, FCanvas, FItems, OnDrawItem, ItemHeight(), Message);
      return;
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == CBN_SELCHANGE) Change();
      return;
    case WM_SETTEXT: {
      // An assigned text selects the first item that is that text, or none.
      const wchar_t* t = reinterpret_cast<const wchar_t*>(Message.LParam);
      int found = -1;
      for (int i = 0; t && *t && i < FItems->Count() && found < 0; ++i)
        if (FItems->Strings(i) == t) found = i;
      FText.clear();
      SetItemIndex(found);
      Message.Result = 1;
      return;
    }
    default:
      break;
  }
  TWinControl::Dispatch(Message);
}
