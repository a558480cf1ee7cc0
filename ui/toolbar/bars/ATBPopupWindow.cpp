#include "ui/toolbar/bars/ATBPopupWindow.h"

#include <algorithm>

#include "base/ActnList.h"
#include "ui/toolbar/bars/AdvToolBarButton.h"
#include "ui/toolbar/bars/ToolBarPaint.h"

namespace {

// R filled and framed in Color (nothing for clNone).
void FillFramed(TCanvas* Canvas, const TRect& R, TColor Color) {
  if (Color == clNone) return;
  Canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  Canvas->Brush()->SetColor(Color);
  Canvas->FillRect(R);
  Canvas->FrameRect(R);
}

// A solid fill and frame when either colour is missing, else a gradient
// of Steps bands.
void FillCell(TCanvas* Canvas, const TRect& R, TColor From, TColor To, int Steps, bool Horizontal) {
  if (From == clNone || To == clNone)
    FillFramed(Canvas, R, From);
  else
    DrawGradient(Canvas, From, To, Steps, R, Horizontal);
}

void FrameIn(TCanvas* Canvas, const TRect& R, TColor Color) {
  if (Color == clNone) return;
  Canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  Canvas->Brush()->SetColor(Color);
  Canvas->FrameRect(R);
}

// Graphic centred in Cell when it fits, else stretched into it.
void DrawFitted(TCanvas* Canvas, const TRect& Cell, TGraphic* Graphic, int W, int H) {
  if (W <= Cell.Width() && H <= Cell.Height())
    Canvas->Draw(Cell.left + (Cell.Width() - W) / 2, Cell.top + (Cell.Height() - H) / 2, Graphic);
  else
    Canvas->StretchDraw(Cell, Graphic);
}

// The list image through a 32-bit bitmap of the list's size made
// transparent, centred when it fits, else stretched.
void DrawListImageFitted(TCanvas* Canvas, const TRect& Cell, TCustomImageList* List, int Index) {
  TBitmap bitmap(List->Width(), List->Height());
  bitmap.Canvas()->Brush()->SetColor(clFuchsia);
  bitmap.Canvas()->FillRect(TRect(0, 0, List->Width(), List->Height()));
  List->Draw(bitmap.Canvas(), 0, 0, Index);
  bitmap.SetTransparent(true);
  DrawFitted(Canvas, Cell, &bitmap, List->Width(), List->Height());
}

// The action list's images and the action's index when the control's
// action is a listed action; the list and index stay otherwise.
void ActionImage(TControl* Control, TCustomImageList*& List, int& Index) {
  auto* action = dynamic_cast<TCustomAction*>(Control->Action());
  if (!action || !action->ActionList()) return;
  Index = action->ImageIndex();
  if (action->ActionList()->Images()) List = action->ActionList()->Images();
}

// Whether the item shows an image of its own (the rows then get an image
// column).
bool HasImage(TObject* Item) {
  if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(Item))
    return b->ImageIndex() >= 0 || !b->Glyph()->Empty();
  if (auto* g = dynamic_cast<TAdvCustomGlowButton*>(Item)) {
    if (g->ImageIndex() >= 0) return true;
    if (!g->Picture()->Empty()) return true;
    auto* action = dynamic_cast<TCustomAction*>(g->Action());
    return action && action->ActionList() && action->ImageIndex() >= 0;
  }
  return false;
}

// The check mark when no menu styler gives one: a short and a long stroke.
void DrawPlainCheck(TCanvas* Canvas, const TRect& C) {
  int x = C.left + (C.Width() - 7) / 2, y = C.top + (C.Height() - 7) / 2;
  Canvas->Pen()->SetStyle(TPenStyle::psSolid);
  Canvas->Pen()->SetWidth(1);
  Canvas->Pen()->SetColor(clBlack);
  for (int d = 0; d < 3; ++d) {
    Canvas->MoveTo(x, y + 2 + d);
    Canvas->LineTo(x + 2, y + 4 + d);
    Canvas->LineTo(x + 7, y - 1 + d);
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// TATBMenuItem

TATBMenuItem::TATBMenuItem() : FItems(new TDbgList) {}

TATBMenuItem::~TATBMenuItem() { Clear(); }

TATBMenuItem* TATBMenuItem::Add() {
  auto* item = new TATBMenuItem();
  item->FParentItem = this;
  FItems->Add(item);
  return item;
}

void TATBMenuItem::Clear() {
  for (int i = FItems->Count() - 1; i >= 0; --i) {
    auto* item = Items(i);
    FItems->Delete(i);
    item->Free();
  }
}

// ---------------------------------------------------------------------------
// TATBCustomPopupPanel

TATBCustomPopupPanel::TATBCustomPopupPanel(TComponent* AOwner) : TOptionSelectorPanel(AOwner) {
  FMarginX = 2;
  FMarginY = 2;
  SetGradientDirection(AdvToolBar::TGradientDirection::gdVertical);
  SetColor(RGB(249, 248, 247));
}

// ---------------------------------------------------------------------------
// TATBPopupPanel

TATBPopupPanel::TATBPopupPanel(TComponent* AOwner) : TATBCustomPopupPanel(AOwner) {}

void TATBPopupPanel::Destroy() {
  if (FItemPopup) {
    FItemPopup->OnHide = nullptr;
    FItemPopup->OnDeActivateHide = nullptr;
  }
  TATBCustomPopupPanel::Destroy();
}

void TATBPopupPanel::Notification(TComponent* AComponent, TOperation Operation) {
  TATBCustomPopupPanel::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FAdvMenuStyler) FAdvMenuStyler = nullptr;
  if (AComponent == FItemPopup) FItemPopup = nullptr;
}

void TATBPopupPanel::SetAdvMenuStyler(TCustomAdvMenuStyler* Value) {
  if (FAdvMenuStyler == Value) return;
  if (FAdvMenuStyler) FAdvMenuStyler->RemoveFreeNotification(this);
  FAdvMenuStyler = Value;
  if (Value) Value->FreeNotification(this);
}

void TATBPopupPanel::SetItems(TATBMenuItem* Value) {
  FItems = Value;
  ArrangeItems();
}

void TATBPopupPanel::SetImageBarSize(int Value) { FImageBarSize = Value; }

TATBPopupWindow* TATBPopupPanel::OwnWindow() const { return dynamic_cast<TATBPopupWindow*>(Parent()); }

void TATBPopupPanel::ArrangeItems() {
  int n = FItems ? FItems->Count() : 0;
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(Font());
  int a = 0;
  for (int i = 0; i < n; ++i) {
    TATBMenuItem* item = FItems->Items(i);
    a = std::max(a, canvas->TextWidth(item->Caption()) + 7);
    if (item->HasChildren()) a += 30;
  }
  for (int i = 0; i < n && !FShowImageBar; ++i)
    if (HasImage(FItems->Items(i)->Objects())) FShowImageBar = true;
  if (FAdvMenuStyler && FShowIconBar) a += FAdvMenuStyler->IconBar()->Size();
  if (FShowImageBar) a += FImageBarSize;
  a = std::max(a, 70);
  int y = FMarginY;
  for (int i = 0; i < n; ++i) {
    FItems->Items(i)->SetBoundRect(TRect(FMarginX, y, FMarginX + a, y + FItemHeight));
    y += FItemHeight + FMarginY;
  }
  SetBounds(Left(), Top(), a + 2 * FMarginX, y);
}

// ---------------------------------------------------------------------------
// Painting

void TATBPopupPanel::Paint() {
  TATBCustomPopupPanel::Paint();
  TCanvas* canvas = Canvas();
  TRect r(FMarginX, FMarginY, Width() - FMarginX, Height() - FMarginY);
  TRect bar(r.left, r.top, r.left, r.bottom);
  if (FAdvMenuStyler && FShowIconBar) {
    TIconBar* icons = FAdvMenuStyler->IconBar();
    bar.right = r.left + icons->Size() + (FShowImageBar ? FImageBarSize : 0);
    FillCell(canvas, bar, icons->Color(), icons->ColorTo(), 40, true);
    FImageBarColor = icons->ColorTo();
  }
  if (FShowImageBar && !FShowIconBar) {
    if (FAdvMenuStyler) {
      FImageBarColor = FAdvMenuStyler->IconBar()->Color();
      FImageBarColorTo = FAdvMenuStyler->IconBar()->ColorTo();
    }
    bar.right = r.left + FImageBarSize;
    FillCell(canvas, bar, FImageBarColor, FImageBarColorTo, 40, true);
  }
  for (int i = 0; FItems && i < FItems->Count(); ++i) DrawItem(i);
}

void TATBPopupPanel::DrawItem(int Index) {
  TATBMenuItem* item = FItems->Items(Index);
  TCanvas* canvas = Canvas();
  TRect r = item->BoundRect();
  TRect text = r;
  if (Index == FHotItem) {
    if (FAdvMenuStyler) {
      TSelectedItem* sel = FAdvMenuStyler->SelectedItem();
      FillCell(canvas, r, sel->Color(), sel->ColorTo(), 40,
               sel->GradientDirection() == TGradientDirection::gdHorizontal);
      FrameIn(canvas, r, sel->BorderColor());
    } else {
      FillFramed(canvas, r, clHighlight);
    }
  }
  int cellLeft = r.left;
  if (FShowIconBar) {
    int size = FAdvMenuStyler ? FAdvMenuStyler->IconBar()->Size() : 24;
    TRect cell(r.left, r.top, r.left + size, r.bottom);
    text.left = cell.right;
    cellLeft = cell.right;
    if (item->AutoCheck())
      DrawItemCheck(Index, TRect(cell.left + 1, cell.top + 1, cell.right - 2, cell.bottom - 1));
    else if (!FShowImageBar)
      DrawItemImage(Index, cell);
  }
  if (FShowImageBar) {
    TRect cell(cellLeft, r.top, cellLeft + FImageBarSize, r.bottom);
    text.left = cell.right;
    DrawItemImage(Index, cell);
  }
  text.left += 4;
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  canvas->TextRect(text, item->Caption(), DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  if (!item->HasChildren()) return;
  int y = (r.top + r.bottom - 5) / 2;
  TBitmap* arrow = FAdvMenuStyler ? FAdvMenuStyler->Glyphs()->SubMenu() : nullptr;
  if (arrow && !arrow->Empty()) {
    canvas->Draw(r.right - 8 + (3 - arrow->Width()) / 2, y + (6 - arrow->Height()) / 2, arrow);
  } else {
    // A small triangle pointing right.
    canvas->Pen()->SetStyle(TPenStyle::psSolid);
    canvas->Pen()->SetColor(clBlack);
    for (int d = 0; d < 3; ++d) {
      canvas->MoveTo(r.right - 8 + d, y + d);
      canvas->LineTo(r.right - 8 + d, y + 6 - d);
    }
  }
}

void TATBPopupPanel::DrawItemCheck(int Index, const TRect& Cell) {
  TATBMenuItem* item = FItems->Items(Index);
  if (!item->Checked() || !item->Enabled()) return;
  TCanvas* canvas = Canvas();
  if (!FAdvMenuStyler) {
    DrawPlainCheck(canvas, Cell);
    return;
  }
  TColor from, to, border;
  if (Index == FHotItem) {
    TSelectedItem* sel = FAdvMenuStyler->SelectedItem();
    from = sel->CheckColor();
    to = sel->CheckColorTo();
    border = sel->BorderColor();
  } else {
    TIconBar* icons = FAdvMenuStyler->IconBar();
    from = icons->CheckColor();
    to = icons->CheckColorTo();
    border = icons->CheckBorder();
  }
  if (to != clNone)
    DrawGradient(canvas, from, to, 16, Cell, true);
  else
    FillFramed(canvas, Cell, from);
  FrameIn(canvas, Cell, border);
  TBitmap* check = FAdvMenuStyler->Glyphs()->Check();
  if (check && !check->Empty())
    canvas->Draw(Cell.left + (Cell.Width() - check->Width()) / 2, Cell.top + (Cell.Height() - check->Height()) / 2,
                 check);
  else
    DrawPlainCheck(canvas, Cell);
}

void TATBPopupPanel::DrawItemImage(int Index, const TRect& Cell) {
  TObject* object = FItems->Items(Index)->Objects();
  TCanvas* canvas = Canvas();
  TATBPopupWindow* window = OwnWindow();
  TCustomImageList* toolBarImages = window && window->AdvToolBar() ? window->AdvToolBar()->Images() : nullptr;
  if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(object)) {
    TCustomImageList* list = toolBarImages;
    int index = b->ImageIndex();
    ActionImage(b, list, index);
    if (index >= 0 && list) {
      if (list->Width() <= Cell.Width() && list->Height() <= Cell.Height())
        list->Draw(canvas, Cell.left + (Cell.Width() - list->Width()) / 2,
                   Cell.top + (Cell.Height() - list->Height()) / 2, index);
      else
        DrawListImageFitted(canvas, Cell, list, index);
    } else if (!b->Glyph()->Empty()) {
      DrawFitted(canvas, Cell, b->Glyph(), b->Glyph()->Width(), b->Glyph()->Height());
    }
    return;
  }
  if (auto* g = dynamic_cast<TAdvCustomGlowButton*>(object)) {
    TCustomImageList* list = toolBarImages;
    int index = g->ImageIndex();
    ActionImage(g, list, index);
    if (index >= 0 && list) {
      DrawListImageFitted(canvas, Cell, list, index);
    } else if (!g->Picture()->Empty()) {
      TGDIPPicture* picture = g->Picture();
      picture->GetImageSizes();
      DrawFitted(canvas, Cell, picture, picture->Width(), picture->Height());
    }
  }
}

// ---------------------------------------------------------------------------
// Rows and the mouse

int TATBPopupPanel::IndexOfItemAt(int X, int Y) {
  for (int i = 0; FItems && i < FItems->Count(); ++i) {
    const TRect& r = FItems->Items(i)->BoundRect();
    if (X >= r.left && X < r.right && Y >= r.top && Y < r.bottom) return i;
  }
  return -1;
}

void TATBPopupPanel::InvalidateItem(int ItemIndex) {
  if (!InRange(ItemIndex) || !HandleAllocated()) return;
  RECT r = FItems->Items(ItemIndex)->BoundRect();
  InvalidateRect(Handle(), &r, TRUE);
}

void TATBPopupPanel::SetHotItem(int Value) {
  if (Value == FHotItem) return;
  if (FHotItem >= 0) {
    HideSubMenu();
    int old = FHotItem;
    FHotItem = -1;
    InvalidateItem(old);
  }
  FHotItem = Value;
  if (Value >= 0) InvalidateItem(Value);
}

void TATBPopupPanel::ToggleCheck(int ItemIndex) {
  if (!InRange(ItemIndex)) return;
  TATBMenuItem* item = FItems->Items(ItemIndex);
  auto* control = dynamic_cast<TControl*>(item->Objects());
  if (!control) return;
  control->SetVisible(!control->Visible());
  item->SetChecked(control->Visible());
  InvalidateItem(ItemIndex);
}

void TATBPopupPanel::ClickItem(int Index) {
  if (InRange(Index) && FItems->Items(Index)->AutoCheck()) ToggleCheck(Index);
}

void TATBPopupPanel::MouseMove(TShiftState Shift, int X, int Y) {
  TATBCustomPopupPanel::MouseMove(Shift, X, Y);
  int i = IndexOfItemAt(X, Y);
  if (i >= 0 && i != FHotItem && !Shift.Contains(TShiftStateItem::ssLeft)) {
    SetHotItem(i);
    ShowSubMenu();
  }
}

void TATBPopupPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TATBCustomPopupPanel::MouseUp(Button, Shift, X, Y);
  int i = IndexOfItemAt(X, Y);
  if (i >= 0) ClickItem(i);
}

void TATBPopupPanel::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_MOUSELEAVE) {
    TATBCustomPopupPanel::Dispatch(Message);
    if (Message.LParam == 0 || Message.LParam == reinterpret_cast<LPARAM>(this)) MouseLeft();
    return;
  }
  TATBCustomPopupPanel::Dispatch(Message);
}

void TATBPopupPanel::MouseLeft() {
  if (FPopupItem < 0) SetHotItem(-1);
}

// ---------------------------------------------------------------------------
// The nested pop-up

void TATBPopupPanel::ShowSubMenu() {
  if (FHotItem == FPopupItem || FHotItem < 0 || !InRange(FHotItem)) return;
  HideSubMenu();
  TATBMenuItem* hot = FItems->Items(FHotItem);
  if (!hot->HasChildren()) return;
  TATBPopupWindow* own = OwnWindow();
  if (!FItemPopup) {
    auto* popup = new TATBPopupWindow(this);
    try {
      popup->SetBorderIcons({});
      popup->SetBorderStyle(TFormBorderStyle::bsNone);
      popup->SetFormStyle(TFormStyle::fsStayOnTop);
      popup->SetVisible(false);
      popup->SetBounds(0, 0, 10, 10);
    } catch (...) {
      popup->Free();
      throw;
    }
    FItemPopup = popup;
    popup->OnHide = [this](TObject* Sender) { SubMenuHide(Sender); };
    popup->OnDeActivateHide = [this](TObject* Sender) { SubMenuDeActivateHide(Sender); };
  }
  FItemPopup->SetAdvToolBar(own ? own->AdvToolBar() : nullptr);
  TATBPopupPanel* panel = FItemPopup->PopupPanel();
  panel->SetShowIconBar(true);
  panel->SetAdvMenuStyler(FAdvMenuStyler);
  FPopupItem = FHotItem;
  panel->SetItems(hot);
  FItemPopup->SetWindowSize();
  if (own) own->SetHideOnDeActivate(false);

  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const TRect& row = hot->BoundRect();
  TPoint p = ClientToScreen(TPoint(row.right + 2, row.top));
  if (p.y + FItemPopup->Height() + 2 > work.bottom) p.y = work.bottom - FItemPopup->Height() - 2;
  if (p.x + FItemPopup->Width() > work.right) p.x = ClientToScreen(TPoint(row.left, 0)).x - FItemPopup->Width();
  FItemPopup->SetBounds(p.x, p.y, FItemPopup->Width(), FItemPopup->Height());
  FItemPopup->SetVisible(true);
}

void TATBPopupPanel::HideSubMenu() {
  if (!FItemPopup || !FItemPopup->Visible()) return;
  bool active = FItemPopup->HandleAllocated() && GetActiveWindow() == FItemPopup->Handle();
  FItemPopup->Hide();
  // The system gives a hidden pop-up's activation away; the window the
  // panel lies in takes it back, so that a click elsewhere still closes it.
  TATBPopupWindow* own = OwnWindow();
  if (active && own && own->Visible() && own->HandleAllocated()) SetActiveWindow(own->Handle());
}

void TATBPopupPanel::SubMenuHide(TObject*) {
  if (IsDestroying()) return;
  if (TATBPopupWindow* own = OwnWindow()) own->SetHideOnDeActivate(true);
  FPopupItem = -1;
}

void TATBPopupPanel::SubMenuDeActivateHide(TObject*) {
  if (IsDestroying()) return;
  TATBPopupWindow* own = OwnWindow();
  if (!own) return;
  own->Hide();
  if (own->OnDeActivateHide) own->OnDeActivateHide(own);
}

void TATBPopupPanel::ResetState() {
  HideSubMenu();
  FHotItem = -1;
  FPopupItem = -1;
}

// ---------------------------------------------------------------------------
// TATBPopupWindow

TATBPopupWindow::TATBPopupWindow(TComponent* AOwner) : TDropDownForm(AOwner) {
  FPopupPanel = new TATBPopupPanel(this);
  FPopupPanel->SetParent(this);
}

void TATBPopupWindow::Destroy() {
  FItems.Reset();
  TDropDownForm::Destroy();
}

void TATBPopupWindow::CreateItems() {
  FItems = new TATBMenuItem();
  if (FPopupPanel) FPopupPanel->SetItems(FItems);
}

void TATBPopupWindow::Notification(TComponent* AComponent, TOperation Operation) {
  TDropDownForm::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FAdvToolBar) FAdvToolBar = nullptr;
  if (AComponent == FPopupPanel) FPopupPanel = nullptr;
}

void TATBPopupWindow::SetAdvToolBar(TAdvCustomToolBar* Value) {
  if (FAdvToolBar == Value) return;
  if (FAdvToolBar) FAdvToolBar->RemoveFreeNotification(this);
  FAdvToolBar = Value;
  if (Value) Value->FreeNotification(this);
}

void TATBPopupWindow::SetWindowSize() {
  if (!FPopupPanel) return;
  SetBounds(Left(), Top(), FPopupPanel->Width(), FPopupPanel->GetVisibleHeight());
}

HWND TATBPopupWindow::GetTopLevelWindow() {
  if (FAdvToolBar && FAdvToolBar->HandleAllocated()) return GetAncestor(FAdvToolBar->Handle(), GA_ROOT);
  return OwnerFormWindow();
}

void TATBPopupWindow::DoHide() {
  if (FPopupPanel) FPopupPanel->ResetState();
  TDropDownForm::DoHide();
}

void TATBPopupWindow::Activated(bool Shown) {
  if (!Shown || !FPopupPanel) return;
  if (FPopupPanel->CanFocus()) FPopupPanel->SetFocus();
  if (HWND top = GetTopLevelWindow()) SendMessageW(top, WM_NCACTIVATE, 1, 0);
}

void TATBPopupWindow::AutoHide() {
  Hide();
  if (OnDeActivateHide) OnDeActivateHide(this);
}

void TATBPopupWindow::Fill(TAdvCustomToolBar* ToolBar, TCustomAdvMenuStyler* MenuStyler, const String& Caption,
                           const std::vector<TAddRemoveEntry>& Entries) {
  if (!FItems) CreateItems();
  FItems->Clear();
  if (!FPopupPanel) return;
  FPopupPanel->SetShowIconBar(true);
  if (ToolBar) {
    FPopupPanel->SetAdvMenuStyler(MenuStyler);
    TATBMenuItem* top = FItems->Add();
    top->SetCaption(Caption);
    for (const TAddRemoveEntry& e : Entries) {
      TATBMenuItem* item = top->Add();
      item->SetCaption(e.Caption);
      item->SetChecked(e.Checked);
      item->SetAutoCheck(true);
      item->SetObjects(e.Item);
    }
  }
  FPopupPanel->SetItems(FItems);
  SetWindowSize();
}

void TATBPopupWindow::ResetPanel() {
  if (FPopupPanel) FPopupPanel->ResetState();
}

IAddRemovePopup* NewAddRemovePopup(TComponent* Owner) {
  auto* window = new TATBPopupWindow(Owner);
  window->CreateItems();
  return window;
}
