#include "base/ListBox.h"

#include <windowsx.h>

// ---------------------------------------------------------------------------
// TListBox

TListBox::TListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(new TWindowStrings(this, FItemIndex, {LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_GETCURSEL, LB_SETCURSEL})), FCanvas(new TCanvas) {
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
  FItems->FillWindow();
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

int FontLineHeight(TFont* Font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font->Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

int TListBox::ItemHeight() { return FItemHeight > 0 ? FItemHeight : FontLineHeight(FFont); }

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

int ListBoxItemAtPos(HWND Window, const TPoint& Pos, int Count) {
  if (!Window) return -1;
  LRESULT r = SendMessageW(Window, LB_ITEMFROMPOINT, 0, MAKELPARAM(Pos.x, Pos.y));
  if (HIWORD(r) != 0) return -1;
  int index = LOWORD(r);
  return index < Count ? index : -1;
}

int TListBox::ItemAtPos(const TPoint& Pos) { return ListBoxItemAtPos(FHandle, Pos, FItems->Count()); }

TRect TListBox::ItemRect(int Index) {
  RECT r{};
  if (FHandle) SendMessageW(FHandle, LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
  return TRect(r.left, r.top, r.right, r.bottom);
}

void DrawOwnerDrawnRow(TWinControl* Control, TCanvas* Canvas, TStrings* Items, const TDrawItemEvent& Event,
                       const DRAWITEMSTRUCT& Item) {
  int index = static_cast<int>(Item.itemID);
  TRect r(Item.rcItem.left, Item.rcItem.top, Item.rcItem.right, Item.rcItem.bottom);
  bool selected = (Item.itemState & ODS_SELECTED) != 0;
  Canvas->SetHandle(Item.hDC);
  Canvas->Font()->Assign(Control->Font());
  Canvas->Brush()->SetColor(selected ? clHighlight : Control->Color());
  if (selected) Canvas->Font()->SetColor(clHighlightText);
  bool row = index >= 0 && index < Items->Count();
  if (row && Event) {
    Event(Control, index, r, OwnerDrawStateFromItemState(Item.itemState));
  } else {
    Canvas->FillRect(r);
    if (row) Canvas->TextOut(r.left + 2, r.top + 1, Items->Strings(index));
  }
  if (Item.itemState & ODS_FOCUS) DrawFocusRect(Item.hDC, &Item.rcItem);
  Canvas->SetHandle(nullptr);
}

void AnswerOwnerDrawnRow(TWinControl* Control, TCanvas* Canvas, TStrings* Items, const TDrawItemEvent& Event,
                         int ItemHeight, TMessage& Message) {
  if (Message.Msg == CN_MEASUREITEM)
    reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam)->itemHeight = static_cast<UINT>(ItemHeight);
  else
    DrawOwnerDrawnRow(Control, Canvas, Items, Event, *reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam));
  Message.Result = 1;
}

void TListBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_MEASUREITEM:
    case CN_DRAWITEM:
      AnswerOwnerDrawnRow(this, FCanvas, FItems, OnDrawItem, ItemHeight(), Message);
      return;
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == LBN_SELCHANGE) Click();
      return;
    default:
      break;
  }
  TWinControl::Dispatch(Message);
}
