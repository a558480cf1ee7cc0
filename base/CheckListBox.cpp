#include "base/CheckListBox.h"

#include <windowsx.h>

#include "base/ListBox.h"

namespace {

constexpr int kCheckSize = 13;
constexpr int kCheckMargin = 2;

}  // namespace

// ---------------------------------------------------------------------------
// TCheckListBoxStrings

TCheckListBoxStrings::TItem& TCheckListBoxStrings::At(int Index) {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  return FItems[static_cast<size_t>(Index)];
}

const TCheckListBoxStrings::TItem& TCheckListBoxStrings::At(int Index) const {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  return FItems[static_cast<size_t>(Index)];
}

int TCheckListBoxStrings::AddObject(const String& S, TObject* AObject) {
  InsertObject(Count(), S, AObject);
  return Count() - 1;
}

void TCheckListBoxStrings::InsertObject(int Index, const String& S, TObject* AObject) {
  if (Index < 0 || Index > Count()) IndexError(Index);
  if (OnChanging) OnChanging(this);
  TItem item;
  item.S = S;
  item.Object = AObject;
  FItems.insert(FItems.begin() + Index, item);
  if (FOwner->HandleAllocated())
    SendMessageW(FOwner->Handle(), LB_INSERTSTRING, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str()));
  else if (FOwner->FItemIndex >= Index)
    ++FOwner->FItemIndex;
  if (OnChange) OnChange(this);
}

void TCheckListBoxStrings::Delete(int Index) {
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

void TCheckListBoxStrings::Clear() {
  if (OnChanging) OnChanging(this);
  FItems.clear();
  FOwner->FItemIndex = -1;
  if (FOwner->HandleAllocated()) SendMessageW(FOwner->Handle(), LB_RESETCONTENT, 0, 0);
  if (OnChange) OnChange(this);
}

String TCheckListBoxStrings::Get(int Index) const { return At(Index).S; }

void TCheckListBoxStrings::Put(int Index, const String& S) {
  At(Index).S = S;
  if (FOwner->HandleAllocated()) {
    int selected = FOwner->ItemIndex();
    SendMessageW(FOwner->Handle(), LB_DELETESTRING, static_cast<WPARAM>(Index), 0);
    SendMessageW(FOwner->Handle(), LB_INSERTSTRING, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(S.c_str()));
    if (selected == Index) FOwner->SetItemIndex(Index);
  }
}

TObject* TCheckListBoxStrings::GetObject(int Index) const { return At(Index).Object; }

void TCheckListBoxStrings::PutObject(int Index, TObject* AObject) { At(Index).Object = AObject; }

// ---------------------------------------------------------------------------
// TCheckListBox

TCheckListBox::TCheckListBox(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = {TControlStyleItem::csSetCaption, TControlStyleItem::csDoubleClicks};
  FWidth = 121;
  FHeight = 97;
  FTabStop = true;
  SetColor(clWindow);
  FItems = new TCheckListBoxStrings(this);
}

void TCheckListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"LISTBOX");
  Params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCheckListBox::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(FHandle, LB_SETITEMHEIGHT, 0, ItemHeight());
  for (const auto& item : FItems->FItems)
    SendMessageW(FHandle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.S.c_str()));
  if (FItemIndex >= 0) SendMessageW(FHandle, LB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

void TCheckListBox::SaveWindowState() {
  FItemIndex = ItemIndex();
  TWinControl::SaveWindowState();
}

int TCheckListBox::ItemHeight() { return Max<int>(FontLineHeight(FFont) + 2, kCheckSize + 2 * kCheckMargin); }

int TCheckListBox::ItemIndex() {
  if (!FHandle) return FItemIndex;
  return static_cast<int>(SendMessageW(FHandle, LB_GETCURSEL, 0, 0));
}

void TCheckListBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems->Count()) Value = -1;
  FItemIndex = Value;
  if (FHandle) SendMessageW(FHandle, LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

void TCheckListBox::InvalidateItem(int Index) {
  if (!FHandle) return;
  RECT r{};
  if (SendMessageW(FHandle, LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r)) != LB_ERR)
    InvalidateRect(FHandle, &r, FALSE);
}

void TCheckListBox::SetChecked(int Index, bool Value) {
  auto& item = FItems->At(Index);
  if (item.Checked == Value) return;
  item.Checked = Value;
  InvalidateItem(Index);
}

void TCheckListBox::SetItemEnabled(int Index, bool Value) {
  auto& item = FItems->At(Index);
  if (item.Enabled == Value) return;
  item.Enabled = Value;
  InvalidateItem(Index);
}

int TCheckListBox::ItemAtPos(const TPoint& Pos) { return ListBoxItemAtPos(FHandle, Pos, FItems->Count()); }

TRect TCheckListBox::CheckRect(int Index) {
  RECT r{};
  if (FHandle) SendMessageW(FHandle, LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
  int top = r.top + (r.bottom - r.top - kCheckSize) / 2;
  return Bounds(r.left + kCheckMargin, top, kCheckSize, kCheckSize);
}

void TCheckListBox::ClickCheck() {
  if (OnClickCheck) OnClickCheck(this);
}

void TCheckListBox::ToggleByUser(int Index) {
  if (Index < 0 || Index >= FItems->Count() || !FItems->At(Index).Enabled) return;
  SetChecked(Index, !Checked(Index));
  ClickCheck();
}

void TCheckListBox::DrawItem(const DRAWITEMSTRUCT& Item) {
  if (static_cast<int>(Item.itemID) < 0 || static_cast<int>(Item.itemID) >= FItems->Count()) return;
  const auto& item = FItems->At(static_cast<int>(Item.itemID));
  HDC dc = Item.hDC;
  RECT r = Item.rcItem;
  bool selected = (Item.itemState & ODS_SELECTED) != 0;
  HBRUSH back = CreateSolidBrush(ColorToRGB(selected ? clHighlight : FColor));
  FillRect(dc, &r, back);
  DeleteObject(back);
  RECT box{r.left + kCheckMargin, r.top + (r.bottom - r.top - kCheckSize) / 2, 0, 0};
  box.right = box.left + kCheckSize;
  box.bottom = box.top + kCheckSize;
  UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
  if (item.Checked) state |= DFCS_CHECKED;
  if (!item.Enabled || !FEnabled) state |= DFCS_INACTIVE;
  DrawFrameControl(dc, &box, DFC_BUTTON, state);
  RECT text = r;
  text.left = box.right + 2 * kCheckMargin;
  HGDIOBJ oldFont = SelectObject(dc, FFont->Handle());
  int oldMode = SetBkMode(dc, TRANSPARENT);
  TColor fore = selected ? clHighlightText : (item.Enabled && FEnabled ? FFont->Color() : clGrayText);
  COLORREF oldColor = SetTextColor(dc, ColorToRGB(fore));
  DrawTextW(dc, item.S.c_str(), static_cast<int>(item.S.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
  if (Item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

void TCheckListBox::Dispatch(TMessage& Message) {
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
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
      int index = ItemAtPos(p);
      TWinControl::Dispatch(Message);
      if (index >= 0 && p.x < CheckRect(index).right + kCheckMargin) ToggleByUser(index);
      return;
    }
    case WM_CHAR:
      if (Message.WParam == L' ') {
        ToggleByUser(ItemIndex());
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::Dispatch(Message);
}
