#include "ui/toolbar/bars/ControlSelectorPanel.h"

#include <algorithm>

#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/controls/menus/AdvMenuStylers.h"
#include "ui/toolbar/bars/ATBPopupWindow.h"
#include "ui/toolbar/bars/AdvToolBarButton.h"
#include "ui/toolbar/bars/ToolBarHosts.h"
#include "ui/toolbar/bars/ToolBarPaint.h"

namespace {
TAddRemovePopupMaker& MakerSlot() {
  // The library's own pop-up (ATBPopupWindow.h) until another is set.
  static TAddRemovePopupMaker maker = NewAddRemovePopup;
  return maker;
}

// The right edge of Text drawn on one line in Font, as DrawText measures
// it from 0.
int MeasureTextRight(TFont* Font, const String& Text) {
  TBitmap bitmap(1, 1);
  TCanvas* canvas = bitmap.Canvas();
  canvas->Font()->Assign(Font);
  TRect r(0, 0, 1000, 100);
  canvas->TextRect(r, Text, DT_CALCRECT | DT_SINGLELINE);
  return r.right;
}

// What the add-or-remove list shows of an item: the text of a button or a
// container, else its name.
String EntryCaption(TControl* Item) {
  if (dynamic_cast<TAdvCustomToolBarButton*>(Item) || dynamic_cast<TAdvCustomGlowButton*>(Item) ||
      IsClass(Item, L"TAdvToolBarContainer"))
    return Item->Text();
  return Item->Name();
}

std::vector<TAddRemoveEntry> AddRemoveEntries(TAdvCustomToolBar* ToolBar) {
  std::vector<TAddRemoveEntry> entries;
  for (int i = 0; i < ToolBar->ToolBarControlCount(); ++i) {
    TControl* c = ToolBar->ToolBarControls(i);
    if (!c || IsToolBarSeparator(c)) continue;
    entries.push_back({EntryCaption(c), c->Visible(), c});
  }
  return entries;
}

// Runs Action with Flag set, putting it back also when Action throws.
template <class F>
void WithFlag(bool& Flag, F Action) {
  Flag = true;
  try {
    Action();
  } catch (...) {
    Flag = false;
    throw;
  }
  Flag = false;
}

// The solid or 40-band fill of an entry with a black frame; nothing when
// the first colour is clNone.
void FillEntry(TCanvas* Canvas, const TRect& R, TColor From, TColor To) {
  if (From == clNone) return;
  if (To != clNone) {
    DrawGradient(Canvas, From, To, 40, R, false);
  } else {
    Canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
    Canvas->Brush()->SetColor(From);
    Canvas->FillRect(R);
  }
  Canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  Canvas->Brush()->SetColor(clBlack);
  Canvas->FrameRect(R);
}

// The entry's caption on one line, centred in R, over what is there.
void DrawEntryText(TCanvas* Canvas, TRect R, const String& Text, TColor Color) {
  Canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  Canvas->Font()->SetColor(Color);
  Canvas->TextRect(R, Text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}
}  // namespace

void SetAddRemovePopupMaker(TAddRemovePopupMaker Maker) { MakerSlot() = std::move(Maker); }
const TAddRemovePopupMaker& AddRemovePopupMaker() { return MakerSlot(); }

// ---------------------------------------------------------------------------
// TControlSelectorPanel

TControlSelectorPanel::TControlSelectorPanel(TComponent* AOwner) : TOptionSelectorPanel(AOwner) {
  FControlList = new TDbgList();
  FAddAndRemoveBtn.SetCaption(L"Add or Remove Buttons");
  FAddAndRemoveBtn.SetWidth(130);
  FOptionsBtn.SetCaption(L"Options");
  FOptionsBtn.SetWidth(130);
  FTimer = new TTimer(this);
  FTimer->SetEnabled(false);
  FTimer->SetInterval(1);
  FTimer->SetOnTimer([this](TObject* Sender) { TimerTick(Sender); });
  FSeparatorList = new TDbgList();
}

void TControlSelectorPanel::Destroy() {
  if (FCustomizeOptionWindow) {
    TOptionSelectorWindow* window = FCustomizeOptionWindow;
    FCustomizeOptionWindow = nullptr;
    FCustomizeOptionPanel = nullptr;
    window->OnHide = nullptr;
    window->Free();
  }
  if (FAddAndRemovePopup) {
    FAddAndRemovePopup->PopupForm()->OnHide = nullptr;
    FAddAndRemovePopup->SetOnDeActivateHide(nullptr);
  }
  TOptionSelectorPanel::Destroy();
}

void TControlSelectorPanel::Notification(TComponent* AComponent, TOperation Operation) {
  TOptionSelectorPanel::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FOptionsMenu) FOptionsMenu = nullptr;
  if (FCustomizer && AComponent == FCustomizer->CustomizerComponent()) FCustomizer = nullptr;
  if (AComponent == FCustomizeOptionWindow) {
    FCustomizeOptionWindow = nullptr;
    FCustomizeOptionPanel = nullptr;
  }
  if (FAddAndRemovePopup && AComponent == FAddAndRemovePopup->PopupForm()) FAddAndRemovePopup = nullptr;
  FSeparatorList->Remove(AComponent);
}

int TControlSelectorPanel::AddControl(TControl* AControl) {
  if (!AControl) return -1;
  AControl->SetParent(this);
  int index = FControlList->IndexOf(AControl);
  return index >= 0 ? index : FControlList->Add(AControl);
}

TAdvToolBarSeparator* TControlSelectorPanel::AddSeparator(TAdvToolBarSeparator* Source) {
  auto* copy = new TAdvToolBarSeparator(this);
  copy->Assign(Source);
  FSeparatorList->Add(copy);
  AddControl(copy);
  return copy;
}

void TControlSelectorPanel::ClearSeparators() {
  std::vector<TAdvToolBarSeparator*> copies;
  for (int i = 0; i < FSeparatorList->Count(); ++i)
    copies.push_back(static_cast<TAdvToolBarSeparator*>(FSeparatorList->GetItemsEx(i)));
  FSeparatorList->Clear();
  for (TAdvToolBarSeparator* s : copies) s->Free();
}

void TControlSelectorPanel::RemoveControl(TControl* AControl) {
  TOptionSelectorPanel::RemoveControl(AControl);
  if (IsDestroying()) return;
  if (FControlList->Remove(AControl) >= 0) ArrangeControls();
  TellQuickAccessToolBar();
}

void TControlSelectorPanel::ArrangeControls() {
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (FControlList->IndexOf(c) < 0) c->SetTop(-c->Height() - 2);
  }
  bool options = ShowOptionsBtn();
  int w = 0;
  if (FShowAddAndRemoveBtn)
    w = FAddAndRemoveBtn.Width();
  else if (options)
    w = FOptionsBtn.Width();
  for (int i = 0; i < ListedCount(); ++i) w = Max(w, Listed(i)->Width());

  int x = FMarginX, y = FMarginY, h = 0;
  for (int i = 0; i < ListedCount(); ++i) {
    TControl* c = Listed(i);
    int cw = c->Width(), ch = c->Height();
    if (cw > w - x) {
      x = FMarginX;
      y += h;
      h = 0;
    }
    c->SetBounds(x, y, cw, ch);
    x += cw;
    h = Max(h, ch);
  }
  int bottom = y + h;
  if (FShowAddAndRemoveBtn) bottom += FAddAndRemoveBtn.Height();
  if (options) bottom += FOptionsBtn.Height();
  if (ListedCount() > 0 && (FShowAddAndRemoveBtn || options)) bottom += FSeparatorSize;
  SetBounds(Left(), Top(), w + 2 * FMarginX, bottom + FMarginY);

  FAddAndRemoveBtn.SetBRect(TRect(0, 0, 0, 0));
  FOptionsBtn.SetBRect(TRect(0, 0, 0, 0));
  int base = Height() - FMarginY;
  if (FShowAddAndRemoveBtn) {
    FAddAndRemoveBtn.SetBRect(TRect(FMarginX, base - FAddAndRemoveBtn.Height(), Width() - FMarginX, base));
    base = FAddAndRemoveBtn.BRect().top;
  }
  if (options) FOptionsBtn.SetBRect(TRect(FMarginX, base - FOptionsBtn.Height(), Width() - FMarginX, base));
}

bool TControlSelectorPanel::IsEmpty() { return ListedCount() == 0 && !FShowAddAndRemoveBtn && !ShowOptionsBtn(); }

void TControlSelectorPanel::SetTextAutoOptionMenu(const String& Value) {
  FAddAndRemoveBtn.SetCaption(Value);
  UpdateItemWidths();
}

void TControlSelectorPanel::SetTextOptionMenu(const String& Value) {
  if (FOptionsBtn.Caption() == Value) return;
  FOptionsBtn.SetCaption(Value);
  UpdateItemWidths();
}

void TControlSelectorPanel::SetOptionsMenu(TPopupMenu* Value) {
  if (FOptionsMenu == Value) return;
  if (FOptionsMenu) FOptionsMenu->RemoveFreeNotification(this);
  FOptionsMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TControlSelectorPanel::SetCustomizer(IToolBarCustomizer* Value) {
  if (FCustomizer == Value) return;
  if (FCustomizer) FCustomizer->CustomizerComponent()->RemoveFreeNotification(this);
  FCustomizer = Value;
  if (Value) Value->CustomizerComponent()->FreeNotification(this);
}

void TControlSelectorPanel::UpdateItemWidths() {
  TFont font;
  font.SetName(L"Tahoma");
  font.SetSize(FItemTextFontSize);
  int w = 130;
  if (FShowAddAndRemoveBtn) w = Max(w, MeasureTextRight(&font, FAddAndRemoveBtn.Caption()) + 15);
  if (ShowOptionsBtn()) w = Max(w, MeasureTextRight(&font, FOptionsBtn.Caption()) + 15);
  FAddAndRemoveBtn.SetWidth(w);
  FOptionsBtn.SetWidth(w);
}

void TControlSelectorPanel::TakeItemColors(TCustomAdvToolBarStyler* Styler, bool MenuBar, bool WithFontSize) {
  if (!Styler) return;
  TCustomAdvMenuStyler* menu = Styler->CurrentAdvMenuStyler();
  if (MenuBar && menu) {
    TRootItem* root = menu->RootItem();
    FItemColorHot = root->HoverColor();
    FItemColorHotTo = root->HoverColorTo();
    FItemColorDown = root->SelectedColor();
    FItemColorDownTo = root->SelectedColorTo();
    FItemTextColor = root->Font()->Color();
    FItemTextColorHot = root->HoverTextColor();
    FItemTextColorDown = root->SelectedTextColor();
    if (WithFontSize) FItemTextFontSize = root->Font()->Size();
    return;
  }
  AdvToolBar::TButtonAppearance* a = Styler->ButtonAppearance();
  FItemColorHot = a->ColorHot();
  FItemColorHotTo = a->ColorHotTo();
  FItemColorDown = a->ColorDown();
  FItemColorDownTo = a->ColorDownTo();
  FItemTextColor = a->CaptionTextColor();
  FItemTextColorHot = a->CaptionTextColorHot();
  FItemTextColorDown = a->CaptionTextColorDown();
  if (WithFontSize) FItemTextFontSize = a->CaptionFont()->Size();
}

TOptionSelectorWindow* TControlSelectorPanel::DropDownWindow() const {
  return dynamic_cast<TOptionSelectorWindow*>(Parent());
}

void TControlSelectorPanel::HideDropDown() {
  if (TOptionSelectorWindow* window = DropDownWindow()) window->Hide();
}

void TControlSelectorPanel::HideCustomizeWindow() {
  if (!FCustomizeOptionWindow) return;
  WithFlag(FInternalHiding, [this] { HideNested(FCustomizeOptionWindow); });
}

void TControlSelectorPanel::HideNested(TCustomForm* Nested) {
  bool active = Nested->HandleAllocated() && GetActiveWindow() == Nested->Handle();
  Nested->Hide();
  // The system gives a hidden window's activation to its owner; the
  // drop-down must have it back, or a click elsewhere would leave it open.
  TOptionSelectorWindow* window = DropDownWindow();
  if (active && window && window->Visible() && window->HandleAllocated()) SetActiveWindow(window->Handle());
}

bool TControlSelectorPanel::PointerIn(const TSelectorItem& Item) {
  TPoint p = ScreenToClient(Screen->CursorPos());
  return PtInRect(&Item.BRect(), p) != 0;
}

// ---------------------------------------------------------------------------
// Painting

void TControlSelectorPanel::Paint() {
  TOptionSelectorPanel::Paint();
  bool options = ShowOptionsBtn();
  if (!FShowAddAndRemoveBtn && !options) return;
  TCanvas* canvas = Canvas();
  int y = (options ? FOptionsBtn.BRect().top : FAddAndRemoveBtn.BRect().top) - 4;
  canvas->Pen()->SetStyle(TPenStyle::psSolid);
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetColor(clGray);
  canvas->MoveTo(0, y);
  canvas->LineTo(Width(), y);
  // Both captions in the font they were measured in.
  canvas->Font()->SetName(L"Tahoma");
  canvas->Font()->SetSize(FItemTextFontSize);
  if (FShowAddAndRemoveBtn) PaintItem(FAddAndRemoveBtn, FAddAndRemoveBtnHot, FAddAndRemoveBtnDown, true);
  if (options) PaintItem(FOptionsBtn, FOptionsBtnHot, FOptionsBtnDown, false);
}

void TControlSelectorPanel::PaintItem(const TSelectorItem& Item, bool Hot, bool Down, bool ArrowDown) {
  TCanvas* canvas = Canvas();
  TColor from = clNone, to = clNone, text = FItemTextColor;
  if (Down) {
    from = FItemColorDown, to = FItemColorDownTo, text = FItemTextColorDown;
  } else if (Hot) {
    from = FItemColorHot, to = FItemColorHotTo, text = FItemTextColorHot;
  }
  const TRect& r = Item.BRect();
  FillEntry(canvas, r, from, to);
  DrawEntryText(canvas, TRect(r.left, r.top, r.right - 8, r.bottom), Item.Caption(), text);

  canvas->Pen()->SetColor(text);
  int R = r.right, B = r.bottom, T = r.top;
  if (ArrowDown) {
    canvas->MoveTo(R - 9, B - 10);
    canvas->LineTo(R - 4, B - 10);
    canvas->MoveTo(R - 8, B - 9);
    canvas->LineTo(R - 5, B - 9);
    canvas->SetPixels(R - 7, B - 8, text);
  } else {
    canvas->MoveTo(R - 8, T + 7);
    canvas->LineTo(R - 8, T + 12);
    canvas->MoveTo(R - 7, T + 8);
    canvas->LineTo(R - 7, T + 11);
    canvas->SetPixels(R - 6, T + 9, text);
  }
}

// ---------------------------------------------------------------------------
// Mouse

void TControlSelectorPanel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSELEAVE:
      TOptionSelectorPanel::Dispatch(Message);
      if (Message.LParam == 0 || Message.LParam == reinterpret_cast<LPARAM>(this)) MouseLeft();
      return;
    case CM_CONTROLCHANGE:
      TOptionSelectorPanel::Dispatch(Message);
      if (Message.LParam) TellQuickAccessToolBar();
      return;
    default:
      TOptionSelectorPanel::Dispatch(Message);
  }
}

void TControlSelectorPanel::TellQuickAccessToolBar() {
  if (IsDestroying()) return;
  IQuickAccessToolBar* qat = AdvQuickAccessToolBar();
  if (!qat) {
    TOptionSelectorWindow* window = DropDownWindow();
    if (window) qat = dynamic_cast<IQuickAccessToolBar*>(window->Parent());
  }
  if (qat && !qat->QATRepositioning()) qat->QATPurgeControlList();
}

void TControlSelectorPanel::MouseMove(TShiftState Shift, int X, int Y) {
  TOptionSelectorPanel::MouseMove(Shift, X, Y);
  TPoint p(X, Y);
  bool held = Shift.Contains(TShiftStateItem::ssLeft);
  if (PtInRect(&FAddAndRemoveBtn.BRect(), p)) {
    if (!FAddAndRemoveBtnHot && !held) {
      FAddAndRemoveBtnHot = FAddAndRemoveBtnDown = true;
      Invalidate();
      HideCustomizeWindow();
      ShowAddRemovePopup();
    }
  } else if (FAddAndRemoveBtnHot) {
    FAddAndRemoveBtnHot = FAddAndRemoveBtnDown = false;
    Invalidate();
  }
  if (PtInRect(&FOptionsBtn.BRect(), p)) {
    if (!FOptionsBtnHot && !held) {
      FOptionsBtnHot = FOptionsBtnDown = true;
      Invalidate();
      ShowCustomizeOptions();
    }
  } else if (FOptionsBtnHot) {
    FOptionsBtnHot = FOptionsBtnDown = false;
    Invalidate();
    if (FCustomizeOptionWindow && Y < FOptionsBtn.BRect().top - 4) HideCustomizeWindow();
  }
}

void TControlSelectorPanel::MouseLeft() {
  if (FAddAndRemoveBtnHot || FAddAndRemoveBtnDown) {
    FAddAndRemoveBtnHot = false;
    FAddAndRemoveBtnDown = FAddAndRemovePopup && FAddAndRemovePopup->PopupForm()->Visible();
    Invalidate();
  }
  if (FOptionsBtnHot || FOptionsBtnDown) {
    FOptionsBtnHot = FOptionsBtnDown = false;
    Invalidate();
  }
}

// ---------------------------------------------------------------------------
// The add-or-remove pop-up

void TControlSelectorPanel::ShowAddRemovePopup() {
  if (!FShowAddAndRemoveBtn) return;
  if (FAddAndRemovePopup && FAddAndRemovePopup->PopupForm()->Visible()) return;
  if (!FAddAndRemovePopup) {
    const TAddRemovePopupMaker& maker = AddRemovePopupMaker();
    IAddRemovePopup* popup = maker ? maker(this) : nullptr;
    if (!popup) return;
    FAddAndRemovePopup = popup;
    TCustomForm* form = popup->PopupForm();
    form->FreeNotification(this);
    form->SetBorderIcons({});
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetFormStyle(TFormStyle::fsStayOnTop);
    form->SetVisible(false);
    form->SetBounds(0, 0, 10, 10);
    form->OnHide = [this](TObject* Sender) { AddRemovePopupHide(Sender); };
    popup->SetOnDeActivateHide([this](TObject* Sender) { AddRemovePopupDeActivateHide(Sender); });
  }
  TOptionSelectorWindow* window = DropDownWindow();
  TAdvCustomToolBar* toolBar = window ? window->AdvToolBar() : nullptr;
  FAddAndRemovePopup->SetAdvToolBar(toolBar);
  if (toolBar)
    FAddAndRemovePopup->Fill(toolBar, toolBar->CurrentToolBarStyler()->CurrentAdvMenuStyler(), toolBar->CaptionText(),
                             AddRemoveEntries(toolBar));
  else
    FAddAndRemovePopup->Fill(nullptr, nullptr, String(), {});
  if (window) window->SetHideOnDeActivate(false);

  TCustomForm* form = FAddAndRemovePopup->PopupForm();
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const TRect& item = FAddAndRemoveBtn.BRect();
  TPoint p = ClientToScreen(TPoint(item.right, item.top));
  if (p.y + form->Height() + 2 > work.bottom) p.y = work.bottom - form->Height() - 2;
  if (p.x + form->Width() > work.right) p.x = ClientToScreen(TPoint(item.left, 0)).x - form->Width();
  form->SetBounds(p.x, p.y, form->Width(), form->Height());
  form->SetVisible(true);
}

void TControlSelectorPanel::HideAddRemovePopup() {
  if (!FAddAndRemovePopup || !FAddAndRemovePopup->PopupForm()->Visible()) return;
  FAddAndRemovePopup->ResetPanel();
  HideNested(FAddAndRemovePopup->PopupForm());
}

void TControlSelectorPanel::AddRemovePopupHide(TObject*) {
  if (IsDestroying()) return;
  if (TOptionSelectorWindow* window = DropDownWindow()) window->SetHideOnDeActivate(true);
  FAddAndRemoveBtnDown = false;
  Invalidate();
}

void TControlSelectorPanel::AddRemovePopupDeActivateHide(TObject*) {
  if (IsDestroying()) return;
  HideDropDown();
  FAddAndRemoveBtnDown = FAddAndRemoveBtnHot = false;
  Invalidate();
}

// ---------------------------------------------------------------------------
// The options entry

int TControlSelectorPanel::OptionsMenuWidth() {
  int widest = 0;
  TMenuItem* root = FOptionsMenu->Items();
  HWND list = PopupList.Window();
  for (int i = 0; i < root->Count(); ++i) {
    TMenuItem* item = root->Items(i);
    if (!item->Visible()) continue;
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_MENU;
    mis.itemID = item->Command();
    mis.itemWidth = 10;
    mis.itemHeight = 10;
    SendMessageW(list, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    widest = Max(widest, static_cast<int>(mis.itemWidth));
  }
  if (widest == 0) return 0;
  // The menu window is wider than its entries: the system adds the room of
  // a check mark to drawn entries, and the menu has a frame.
  return widest + GetSystemMetrics(SM_CXMENUCHECK) + 2 * GetSystemMetrics(SM_CXEDGE);
}

void TControlSelectorPanel::ShowCustomizeOptions() {
  TAdvCustomToolBar* toolBar = AdvToolBar();
  if (!toolBar || (!FOptionsMenu && !FCustomizer)) return;
  if (FShowAddAndRemoveBtn) HideAddRemovePopup();

  int w = 0;
  if (FOptionsMenu) {
    w = OptionsMenuWidth();
  } else {
    if (!FCustomizeOptionWindow) {
      FCustomizeOptionWindow = TOptionSelectorWindow::CreateDropDown(
          this, toolBar, 100, 40, [this](TObject* Sender) { CustomizeOptionWindowHide(Sender); });
      FCustomizeOptionPanel = new TCustomizeOption(FCustomizeOptionWindow);
      FCustomizeOptionPanel->SetParent(FCustomizeOptionWindow);
    }
    FCustomizeOptionWindow->SetAdvToolBar(toolBar);
    FCustomizeOptionPanel->SetAdvToolBar(toolBar);
    FCustomizeOptionPanel->SetCustomizer(FCustomizer);
    FCustomizeOptionPanel->SetCustomizeText(FCustomizer->CustomizeText() + L" " + toolBar->CaptionText());
    FCustomizeOptionPanel->UpdateSize();
    FCustomizeOptionWindow->SetOptionsPanel(FCustomizeOptionPanel);
    FCustomizeOptionWindow->SetWindowSize();
    w = FCustomizeOptionWindow->Width();
  }

  const TRect& item = FOptionsBtn.BRect();
  TPoint p = ClientToScreen(TPoint(item.right, item.top));
  int limit = Screen->Width();
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (HMONITOR monitor = MonitorFromPoint(POINT{p.x, p.y}, MONITOR_DEFAULTTONEAREST);
      monitor && GetMonitorInfoW(monitor, &info))
    limit = info.rcMonitor.right;
  if (p.x + w > limit) p = ClientToScreen(TPoint(item.left - w, item.top));

  TOptionSelectorWindow* window = DropDownWindow();
  if (window) window->SetHideOnDeActivate(false);
  if (FOptionsMenu) {
    // The timer watches for the pointer reaching "Add or Remove Buttons"
    // while the menu is open.
    if (FShowAddAndRemoveBtn) FTimer->SetEnabled(true);
    try {
      FOptionsMenu->Popup(p.x, p.y);
    } catch (...) {
      FTimer->SetEnabled(false);
      if (window) window->SetHideOnDeActivate(true);
      throw;
    }
    FOptionsBtnHot = FOptionsBtnDown = false;
    FTimer->SetEnabled(false);
    if (!(FShowAddAndRemoveBtn && PointerIn(FAddAndRemoveBtn))) HideDropDown();
  } else {
    FCustomizeOptionWindow->SetBounds(p.x, p.y, FCustomizeOptionWindow->Width(), FCustomizeOptionWindow->Height());
    FCustomizeOptionWindow->Show();
  }
  if (window) window->SetHideOnDeActivate(true);
  Invalidate();
}

void TControlSelectorPanel::TimerTick(TObject*) {
  TPoint p = ScreenToClient(Screen->CursorPos());
  if (!PtInRect(&FAddAndRemoveBtn.BRect(), p)) return;
  FTimer->SetEnabled(false);
  // A click of our own closes the open menu; the next move over the entry
  // opens its pop-up.
  LPARAM at = MAKELPARAM(p.x, p.y);
  PostMessageW(Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(Handle(), WM_LBUTTONUP, MK_LBUTTON, at);
}

void TControlSelectorPanel::CustomizeOptionWindowHide(TObject*) {
  if (!FInternalHiding && !IsDestroying()) HideDropDown();
}

// ---------------------------------------------------------------------------
// TCustomizeOption

TCustomizeOption::TCustomizeOption(TComponent* AOwner) : TOptionSelectorPanel(AOwner) {}

void TCustomizeOption::SetCustomizer(IToolBarCustomizer* Value) {
  if (FCustomizer == Value) return;
  if (FCustomizer) FCustomizer->CustomizerComponent()->RemoveFreeNotification(this);
  FCustomizer = Value;
  if (Value) Value->CustomizerComponent()->FreeNotification(this);
}

void TCustomizeOption::Notification(TComponent* AComponent, TOperation Operation) {
  TOptionSelectorPanel::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && FCustomizer && AComponent == FCustomizer->CustomizerComponent())
    FCustomizer = nullptr;
}

void TCustomizeOption::UpdateSize() {
  TBitmap bitmap(1, 1);
  bitmap.Canvas()->Font()->Assign(Font());
  int text = bitmap.Canvas()->TextWidth(FCustomizeText);
  SetBounds(Left(), Top(), text + 2 * FMarginX + 12, 25);
}

TRect TCustomizeOption::GetButtonRect() { return TRect(FMarginX, FMarginY, Width() - FMarginX, Height() - FMarginY); }

void TCustomizeOption::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_MOUSELEAVE) {
    TOptionSelectorPanel::Dispatch(Message);
    if (FCustomizeBtnHot || FCustomizeBtnDown) {
      FCustomizeBtnHot = FCustomizeBtnDown = false;
      Invalidate();
    }
    return;
  }
  TOptionSelectorPanel::Dispatch(Message);
}

void TCustomizeOption::MouseMove(TShiftState Shift, int X, int Y) {
  TOptionSelectorPanel::MouseMove(Shift, X, Y);
  TRect r = GetButtonRect();
  TPoint p(X, Y);
  if (PtInRect(&r, p)) {
    if (!FCustomizeBtnHot && !Shift.Contains(TShiftStateItem::ssLeft)) {
      FCustomizeBtnHot = FCustomizeBtnDown = true;
      Invalidate();
    }
  } else if (FCustomizeBtnHot) {
    FCustomizeBtnHot = FCustomizeBtnDown = false;
    Invalidate();
  }
}

void TCustomizeOption::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TOptionSelectorPanel::MouseDown(Button, Shift, X, Y);
  TRect r = GetButtonRect();
  TPoint p(X, Y);
  if (PtInRect(&r, p) && !FCustomizeBtnDown) {
    FCustomizeBtnHot = FCustomizeBtnDown = true;
    Invalidate();
  }
}

void TCustomizeOption::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TOptionSelectorPanel::MouseUp(Button, Shift, X, Y);
  TRect r = GetButtonRect();
  TPoint p(X, Y);
  if (!FCustomizeBtnDown || !PtInRect(&r, p)) return;
  FCustomizeBtnHot = FCustomizeBtnDown = false;
  Invalidate();
  if (auto* window = dynamic_cast<TOptionSelectorWindow*>(FOwner)) window->Hide();
  TAdvCustomToolBar* toolBar = AdvToolBar();
  if (toolBar && FCustomizer) FCustomizer->ShowCustomizer(toolBar);
}

void TCustomizeOption::Paint() {
  TOptionSelectorPanel::Paint();
  TAdvCustomToolBar* toolBar = AdvToolBar();
  if (!toolBar) return;
  TCustomAdvToolBarStyler* styler = toolBar->CurrentToolBarStyler();
  TColor from = clNone, to = clNone, text;
  if (toolBar->Menu() && styler->AdvMenuStyler()) {
    TRootItem* root = styler->AdvMenuStyler()->RootItem();
    text = root->SelectedTextColor();
    if (FCustomizeBtnDown) {
      from = root->SelectedColor(), to = root->SelectedColorTo();
    } else if (FCustomizeBtnHot) {
      from = root->HoverColor(), to = root->HoverColorTo(), text = root->HoverTextColor();
    }
  } else {
    AdvToolBar::TButtonAppearance* a = styler->ButtonAppearance();
    text = a->CaptionTextColor();
    if (FCustomizeBtnDown) {
      from = a->ColorDown(), to = a->ColorDownTo(), text = a->CaptionTextColorDown();
    } else if (FCustomizeBtnHot) {
      from = a->ColorHot(), to = a->ColorHotTo(), text = a->CaptionTextColorHot();
    }
  }
  TRect r = GetButtonRect();
  FillEntry(Canvas(), r, from, to);
  r.Inflate(-4, -4);
  DrawEntryText(Canvas(), r, FCustomizeText, text);
}
