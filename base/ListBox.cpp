#include "base/ListBox.h"

#include <windowsx.h>

// ---------------------------------------------------------------------------
// TListBoxStrings

const TListBoxStrings::TItem& TListBoxStrings::At(int Index) const {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  return FItems[static_cast<size_t>(Index)];
}

int TListBoxStrings::AddObject(const String& S, TObject* AObject) {
  InsertObject(Count(), S, AObject);
  return Count() - 1;
}

void TListBoxStrings::InsertObject(int Index, const String& S, TObject* AObject) {
  if (Index < 0 || Index > Count()) IndexError(Index);
  if (OnChanging) OnChanging(this);
  FItems.insert(FItems.begin() + Index, TItem{S, AObject});
  if (FOwner->HandleAllocated())
    SendMessageW(FOwner->Handle(), LB_INSERTSTRING, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str()));
  else if (FOwner->FItemIndex >= Index)
    ++FOwner->FItemIndex;
  if (OnChange) OnChange(this);
}

void TListBoxStrings::Delete(int Index) {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  if (OnChanging) OnChanging(this);
  FItems.erase(FItems.begin() + Index);
  if (FOwner->HandleAllocated())
    SendMessageW(FOwner->Handle(), LB_DELETESTRING, static_cast<WPARAM>(Index), 0);
  else if (FOwner->FItemIndex == Index)
    FOwner->FItemIndex = -1;
  else if (FOwner->FItemIndex > Index)
    --FOwner->FItemIndex;
  if (OnChange) OnChange(this);
}

void TListBoxStrings::Clear() {
  if (OnChanging) OnChanging(this);
  FItems.clear();
  FOwner->FItemIndex = -1;
  if (FOwner->HandleAllocated()) SendMessageW(FOwner->Handle(), LB_RESETCONTENT, 0, 0);
  if (OnChange) OnChange(this);
}

String TListBoxStrings::Get(int Index) const { return At(Index).S; }

void TListBoxStrings::Put(int Index, const String& S) {
  At(Index);
  FItems[static_cast<size_t>(Index)].S = S;
  if (FOwner->HandleAllocated()) {
    int selected = FOwner->ItemIndex();
    SendMessageW(FOwner->Handle(), LB_DELETESTRING, static_cast<WPARAM>(Index), 0);
    SendMessageW(FOwner->Handle(), LB_INSERTSTRING, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str()));
    if (selected == Index) FOwner->SetItemIndex(Index);
  }
}

TObject* TListBoxStrings::GetObject(int Index) const { return At(Index).Object; }

void TListBoxStrings::PutObject(int Index, TObject* AObject) {
  At(Index);
  FItems[static_cast<size_t>(Index)].Object = AObject;
  if (FOwner->HandleAllocated()) InvalidateRect(FOwner->Handle(), nullptr, FALSE);
}

// ---------------------------------------------------------------------------
// TListBox

TListBox::TListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(new TListBoxStrings(this)), FCanvas(new TCanvas) {
  FControlStyle = {TControlStyleItem::csSetCaption, TControlStyleItem::csDoubleClicks};
  FWidth = 121;
  FHeight = 97;
  FTabStop = true;
  SetColor(clWindow);
}

void TListBox::Destroy() {
  FCanvas->SetHandle(nullptr);
  TWinControl::Destroy();
}

void TListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"LISTBOX");
  Params.Style |= LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
  if (FStyle == TListBoxStyle::lbOwnerDrawFixed) Params.Style |= LBS_OWNERDRAWFIXED;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(FHandle, LB_SETITEMHEIGHT, 0, ItemHeight());
  for (const auto& item : FItems->FItems)
    SendMessageW(FHandle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.S.c_str()));
  if (FItemIndex >= 0) SendMessageW(FHandle, LB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

void TListBox::SaveWindowState() {
  FItemIndex = ItemIndex();
  TWinControl::SaveWindowState();
}

void TListBox::SetStyle(TListBoxStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  RecreateWnd();
}

int TListBox::ItemHeight() {
  if (FItemHeight > 0) return FItemHeight;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, FFont->Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

void TListBox::SetItemHeight(int Value) {
  if (Value < 0 || Value == FItemHeight) return;
  FItemHeight = Value;
  if (FHandle) {
    SendMessageW(FHandle, LB_SETITEMHEIGHT, 0, ItemHeight());
    InvalidateRect(FHandle, nullptr, TRUE);
  }
}

int TListBox::ItemIndex() {
  if (!FHandle) return FItemIndex;
  return static_cast<int>(SendMessageW(FHandle, LB_GETCURSEL, 0, 0));
}

void TListBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems->Count()) Value = -1;
  FItemIndex = Value;
  if (FHandle) SendMessageW(FHandle, LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

int TListBox::ItemAtPos(const TPoint& Pos) {
  if (!FHandle) return -1;
  LRESULT r = SendMessageW(FHandle, LB_ITEMFROMPOINT, 0, MAKELPARAM(Pos.x, Pos.y));
  if (HIWORD(r) != 0) return -1;
  int index = LOWORD(r);
  return index < FItems->Count() ? index : -1;
}

TRect TListBox::ItemRect(int Index) {
  RECT r{};
  if (FHandle) SendMessageW(FHandle, LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
  return TRect(r.left, r.top, r.right, r.bottom);
}

void TListBox::DrawItem(const DRAWITEMSTRUCT& Item) {
  int index = static_cast<int>(Item.itemID);
  TRect r(Item.rcItem.left, Item.rcItem.top, Item.rcItem.right, Item.rcItem.bottom);
  TOwnerDrawState state = OwnerDrawStateFromItemState(Item.itemState);
  FCanvas->SetHandle(Item.hDC);
  FCanvas->Font()->Assign(FFont);
  FCanvas->Brush()->SetColor((Item.itemState & ODS_SELECTED) ? clHighlight : FColor);
  if ((Item.itemState & ODS_SELECTED)) FCanvas->Font()->SetColor(clHighlightText);
  if (index >= 0 && index < FItems->Count()) {
    if (OnDrawItem) {
      OnDrawItem(this, index, r, state);
    } else {
      FCanvas->FillRect(r);
      FCanvas->TextOut(r.left + 2, r.top, FItems->Strings(index));
    }
  } else {
    FCanvas->FillRect(r);
  }
  if (Item.itemState & ODS_FOCUS) DrawFocusRect(Item.hDC, &Item.rcItem);
  FCanvas->SetHandle(nullptr);
}

void TListBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam)->itemHeight = static_cast<UINT>(ItemHeight());
      Message.Result = 1;
      return;
    case CN_DRAWITEM:
      DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam));
      Message.Result = 1;
      return;
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == LBN_SELCHANGE) Click();
      return;
    default:
      break;
  }
  TWinControl::Dispatch(Message);
}
