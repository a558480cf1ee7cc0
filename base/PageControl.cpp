#include "base/PageControl.h"

#include <commctrl.h>

#include <algorithm>

// ---------------------------------------------------------------------------
// TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle.Include(TControlStyleItem::csAcceptsControls);
  FVisible = false;
  SetColor(clBtnFace);
}

void TTabSheet::Destroy() {
  if (FPageControl) FPageControl->RemovePage(this);
  TCustomControl::Destroy();
}

void TTabSheet::SetPageControl(TPageControl* Value) {
  if (FPageControl == Value) return;
  if (FPageControl) FPageControl->RemovePage(this);
  SetParent(Value);
  if (Value) Value->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  auto it = std::find(FPageControl->FPages.begin(), FPageControl->FPages.end(), this);
  return it == FPageControl->FPages.end() ? -1 : static_cast<int>(it - FPageControl->FPages.begin());
}

void TTabSheet::SetTabVisible(bool Value) {
  if (FTabVisible == Value) return;
  FTabVisible = Value;
  if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::TextChanged() {
  if (FPageControl && FTabVisible) FPageControl->UpdateTabs();
}

void TTabSheet::Paint() {
  Canvas()->Brush()->SetColor(FColor);
  Canvas()->FillRect(ClientRect());
}

// ---------------------------------------------------------------------------
// TPageControl

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = {TControlStyleItem::csDoubleClicks, TControlStyleItem::csOpaque};
  FWidth = 289;
  FHeight = 193;
  FTabStop = true;
  FParentColor = true;
}

void TPageControl::Destroy() {
  for (TTabSheet* p : FPages) p->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
  TWinControl::Destroy();
}

void TPageControl::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_TABCONTROLW);
  Params.Style |= WS_CLIPCHILDREN;
  Params.ExStyle |= WS_EX_CONTROLPARENT;
  if (FStyle == TTabStyle::tsButtons) Params.Style |= TCS_BUTTONS;
  if (FStyle == TTabStyle::tsFlatButtons) Params.Style |= TCS_BUTTONS | TCS_FLATBUTTONS;
}

void TPageControl::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateTabs();
}

void TPageControl::SetStyle(TTabStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TPageControl::InsertPage(TTabSheet* Page) {
  FPages.push_back(Page);
  Page->FPageControl = this;
  UpdateTabs();
  if (!FActivePage) SetActivePage(Page);
}

void TPageControl::RemovePage(TTabSheet* Page) {
  auto it = std::find(FPages.begin(), FPages.end(), Page);
  if (it == FPages.end()) return;
  size_t index = static_cast<size_t>(it - FPages.begin());
  FPages.erase(it);
  Page->FPageControl = nullptr;
  if (FActivePage == Page) {
    FActivePage = nullptr;
    if (!FPages.empty() && !IsDestroying()) SetActivePage(FPages[std::min(index, FPages.size() - 1)]);
  }
  if (!IsDestroying()) UpdateTabs();
}

TTabSheet* TPageControl::PageOfTab(int TabIndex) const {
  int n = 0;
  for (TTabSheet* p : FPages)
    if (p->FTabVisible && n++ == TabIndex) return p;
  return nullptr;
}

int TPageControl::TabOfPage(TTabSheet* Page) const {
  int n = 0;
  for (TTabSheet* p : FPages) {
    if (!p->FTabVisible) continue;
    if (p == Page) return n;
    ++n;
  }
  return -1;
}

void TPageControl::UpdateTabs() {
  if (!FHandle) return;
  SendMessageW(FHandle, TCM_DELETEALLITEMS, 0, 0);
  int n = 0;
  for (TTabSheet* p : FPages) {
    if (!p->FTabVisible) continue;
    String text = p->Caption();
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(FHandle, TCM_INSERTITEMW, static_cast<WPARAM>(n++), reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(TabOfPage(FActivePage)), 0);
  Realign();
}

TRect TPageControl::DisplayRect() {
  TRect r = ClientRect();
  bool tabs = std::any_of(FPages.begin(), FPages.end(), [](TTabSheet* p) { return p->FTabVisible; });
  if (tabs && FHandle) {
    RECT rc = r;
    SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
    r = TRect(rc.left, rc.top, rc.right, rc.bottom);
  }
  return r;
}

void TPageControl::AlignControls(TControl* AControl, TRect& Rect) {
  TRect r = DisplayRect();
  for (TTabSheet* p : FPages) p->SetBounds(r.left, r.top, Max<LONG>(0, r.Width()), Max<LONG>(0, r.Height()));
  TWinControl::AlignControls(AControl, Rect);
}

void TPageControl::SetActivePage(TTabSheet* Page) {
  if (Page && Page->FPageControl != this) return;
  if (FActivePage == Page) {
    ShowActive();
    return;
  }
  FActivePage = Page;
  if (FHandle) SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(TabOfPage(Page)), 0);
  ShowActive();
}

void TPageControl::ShowActive() {
  if (FActivePage) {
    TRect r = DisplayRect();
    FActivePage->SetBounds(r.left, r.top, Max<LONG>(0, r.Width()), Max<LONG>(0, r.Height()));
    FActivePage->SetVisible(true);
    FActivePage->BringToFront();
  }
  for (TTabSheet* p : FPages)
    if (p != FActivePage) p->SetVisible(false);
}

void TPageControl::SetActivePageIndex(int Index) {
  SetActivePage(Index >= 0 && Index < PageCount() ? FPages[static_cast<size_t>(Index)] : nullptr);
}

void TPageControl::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY) {
    auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    if (hdr->code == TCN_SELCHANGE) {
      int tab = static_cast<int>(SendMessageW(FHandle, TCM_GETCURSEL, 0, 0));
      if (TTabSheet* p = PageOfTab(tab)) {
        SetActivePage(p);
        if (OnChange) OnChange(this);
      }
    }
    return;
  }
  TWinControl::Dispatch(Message);
}
