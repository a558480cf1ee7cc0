// The quick access toolbar's model: its control lists, size and placing,
// the overflow into the chevron drop-down and back, the customize button,
// the styler and tones, images, key tips and the hints of disabled
// controls.
#include "ui/toolbar/ribbon/AdvQuickAccessToolBar.h"

#include "base/Hints.h"
#include "ui/toolbar/bars/AdvToolBarButton.h"
#include "ui/toolbar/bars/ControlSelectorPanel.h"
#include "ui/toolbar/ribbon/AdvToolBarPager.h"
#include "ui/toolbar/ribbon/AdvVistaButton.h"
#include "ui/toolbar/ribbon/CaptionLayer.h"
#include "ui/toolbar/runtime/KeyTipKeys.h"

namespace {
bool Scenic() { return GetGlobalWin7ScenicRibbon(); }
bool TabGlassScenic() { return GetGlobalTabGlass() && GetGlobalWin7ScenicRibbon(); }

// Runs Action with Flag set, putting it back also when Action throws.
template <class F>
void Guarded(bool& Flag, F Action) {
  bool old = Flag;
  Flag = true;
  try {
    Action();
  } catch (...) {
    Flag = old;
    throw;
  }
  Flag = old;
}

}  // namespace

// ---------------------------------------------------------------------------
// Construction and destruction

TAdvCustomQuickAccessToolBar::TAdvCustomQuickAccessToolBar(TComponent* AOwner) : TCustomControl(AOwner) {
  FIsAeroVista = IsAeroAvailable(this) && !IsDesigning();
  TControlStyle style = ControlStyle();
  style.Include(TControlStyleItem::csAcceptsControls);
  style.Exclude(TControlStyleItem::csOpaque);
  if (FIsAeroVista) style.Include(TControlStyleItem::csParentBackground);
  SetControlStyle(style);
  OSVERSIONINFOW version = GetVersionExInfo();
  FIsWin7 = version.dwMajorVersion > 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion > 0);
  FAppIconAlphaBlended = !FIsWin7;
  FCtrlList = new TDbgList();
  FHiddenCtrlList = new TDbgList();
  if (!FIsAeroVista) {
    SetDoubleBuffered(true);
  } else {
    FRefGlowButton = new TAdvGlowButton(this);
    FRefGlowButton->SetParent(this);
    FRefGlowButton->SetBounds(1, 1, 1, 1);
    FRefGlowButton->SetTabStop(false);
    FRefGlowButton->SetTransparent(true);
  }
}

void TAdvCustomQuickAccessToolBar::Destroy() {
  FHintCtrl = nullptr;
  if (FDropDownPopupMenu) FDropDownPopupMenu->RemoveFreeNotification(this);
  if (FImages) FImages->RemoveFreeNotification(this);
  if (FDisabledImages) FDisabledImages->RemoveFreeNotification(this);
  FDropDownPopupMenu = nullptr;
  FImages = FDisabledImages = nullptr;
  TCustomControl::Destroy();
}

TAdvToolBarPager* TAdvCustomQuickAccessToolBar::Pager() const { return dynamic_cast<TAdvToolBarPager*>(Parent()); }

bool TAdvCustomQuickAccessToolBar::IsOfficeFlatStyle() {
  TAdvToolBarPager* pager = Pager();
  return pager && pager->Itones() &&
         (pager->GroupStyle() == TGroupStyle::gsOffice2013 || pager->GroupStyle() == TGroupStyle::gsOffice2016);
}

bool TAdvCustomQuickAccessToolBar::IsOwnControl(TControl* Control) const {
  return Control && (Control == FScrollButton || Control == FCustomizeButton || Control == FRefGlowButton ||
                     Control == FOverflowWindow || Control == FOverflowWindowPanel);
}

TCustomAdvToolBarStyler* TAdvCustomQuickAccessToolBar::GetToolBarStyler() {
  TAdvToolBarPager* pager = Pager();
  return pager ? pager->CurrentToolBarStyler() : nullptr;
}

void TAdvCustomQuickAccessToolBar::SetParent(TWinControl* AParent) {
  if (AParent && !dynamic_cast<TAdvToolBarPager*>(AParent)) throw Exception(L"Invalid Parent");
  if (FIsAeroVista && !IsDesigning() && Parent() && AParent &&
      !(AParent->Parent() && AParent->Parent()->ClassName() == L"TAdvToolBarForm")) {
    FIsAeroVista = false;
    TControlStyle style = ControlStyle();
    style.Exclude(TControlStyleItem::csParentBackground);
    SetControlStyle(style);
    SetDoubleBuffered(true);
  }
  TCustomControl::SetParent(AParent);
}

void TAdvCustomQuickAccessToolBar::Loaded() {
  TCustomControl::Loaded();
  UpdateAppButton();
  UpdateControlList();
  UpdateSize();
  UpdateControlsPos(false);
  ArrangeQATControls();
  ApplyStylerToControls();
}

void TAdvCustomQuickAccessToolBar::Update() {
  TCustomControl::Update();
  UpdateAppButton();
  UpdateControlList();
  UpdateSize();
  UpdateControlsPos(false);
  ArrangeQATControls();
  ApplyStylerToControls();
}

void TAdvCustomQuickAccessToolBar::Relayout() {
  UpdateControlList();
  UpdateSize();
  UpdateControlsPos(false);
  ArrangeQATControls();
}

void TAdvCustomQuickAccessToolBar::AlignControls(TControl* AControl, TRect& Rect) {
  TCustomControl::AlignControls(AControl, Rect);
  if (FInternalUpdatingControlPos || IsDestroying()) return;
  Relayout();
}

void TAdvCustomQuickAccessToolBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (IsDestroying()) return;
  UpdateSize();
  ArrangeQATControls();
}

// ---------------------------------------------------------------------------
// Controls

TControl* TAdvCustomQuickAccessToolBar::ControlListItem(int Index) const {
  return static_cast<TControl*>(FCtrlList->GetItemsEx(Index));
}

TControl* TAdvCustomQuickAccessToolBar::HiddenItem(int Index) const {
  return static_cast<TControl*>(FHiddenCtrlList->GetItemsEx(Index));
}

void TAdvCustomQuickAccessToolBar::AddToolBarControl(TControl* AControl) {
  if (!AControl || AControl->Parent() == this) return;
  AControl->SetParent(this);
  if (IsDesigning()) AControl->SetLeft(Width());
}

void TAdvCustomQuickAccessToolBar::RemoveControl(TControl* AControl) {
  if (!AControl) return;
  if (AControl->Parent() == this) TCustomControl::RemoveControl(AControl);
  if (AControl == FHintCtrl) FHintCtrl = nullptr;
  if (IsDestroying() || FInternalUpdatingControlPos) return;
  int i = FHiddenCtrlList->IndexOf(AControl);
  if (i >= 0) {
    FHiddenCtrlList->Delete(i);
    if (FOverflowWindowPanel && AControl->Parent() == FOverflowWindowPanel) FOverflowWindowPanel->RemoveControl(AControl);
  }
  if (AControl == FApp || IsOwnControl(AControl)) return;
  // The row closes up once the control has left.
  Relayout();
}

void TAdvCustomQuickAccessToolBar::Clear() {
  if (IsDestroying()) return;
  auto keep = [this](TControl* c) { return IsOwnControl(c) || c == FApp; };
  Guarded(FInternalUpdatingControlPos, [&] {
    for (int i = ControlCount() - 1; i >= 0; --i) {
      if (i >= ControlCount()) continue;
      TControl* c = Controls(i);
      if (keep(c)) continue;
      FHiddenCtrlList->Remove(c);
      c->Free();
    }
    FCtrlList->Clear();
    while (FHiddenCtrlList->Count() > 0) {
      auto* c = static_cast<TControl*>(FHiddenCtrlList->Items(FHiddenCtrlList->Count() - 1));
      FHiddenCtrlList->Delete(FHiddenCtrlList->Count() - 1);
      if (keep(c)) continue;
      try {
        c->Free();
      } catch (const Exception&) {
        // A control that fails to go is left to its owner.
      }
    }
  });
  if (FShowCustomizeOption) {
    SetShowCustomizeOption(false);
    SetShowCustomizeOption(true);
  }
  Relayout();
}

void TAdvCustomQuickAccessToolBar::BeginUpdate() {
  // Counted whatever the visibility, so that a toolbar hidden within the
  // bracket still lays itself out when it ends.
  ++FUpdateCount;
  if (FUpdateCount == 1 && HandleAllocated() && IsWindowVisible(Handle())) {
    SendMessageW(Handle(), WM_SETREDRAW, 0, 0);
    FRedrawOff = true;
  }
}

void TAdvCustomQuickAccessToolBar::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  if (FUpdateCount > 0) return;
  if (FRedrawOff) {
    FRedrawOff = false;
    // Redraw on again would show a window that was hidden meanwhile.
    if (HandleAllocated() && Visible()) {
      SendMessageW(Handle(), WM_SETREDRAW, 1, 0);
      InvalidateRect(Handle(), nullptr, FALSE);
    }
  }
  Relayout();
}

void TAdvCustomQuickAccessToolBar::BuildControlList() {
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible() && !IsDesigning()) continue;
    if (IsOwnControl(c) || dynamic_cast<TAppIconGlowButton*>(c) || IsHidden(c)) continue;
    int at = -1;
    for (int j = 0; j < FCtrlList->Count(); ++j)
      if (ControlListItem(j)->Left() > c->Left()) {
        at = j;
        break;
      }
    if (at < 0)
      FCtrlList->Add(c);
    else
      FCtrlList->Insert(at, c);
  }
}

void TAdvCustomQuickAccessToolBar::PurgeControlList() {
  auto lives = [this](TControl* c) {
    TWinControl* p = c->Parent();
    return p == this || (FOverflowWindowPanel && p == FOverflowWindowPanel);
  };
  for (int i = FCtrlList->Count() - 1; i >= 0; --i)
    if (!lives(ControlListItem(i))) FCtrlList->Delete(i);
  // A hidden control that left the drop-down (freed there, say) is no
  // longer ours to bring back.
  if (FInternalUpdatingControlPos) return;
  for (int i = FHiddenCtrlList->Count() - 1; i >= 0; --i)
    if (!lives(HiddenItem(i))) FHiddenCtrlList->Delete(i);
}

void TAdvCustomQuickAccessToolBar::UpdateControlList() {
  FCtrlList->Clear();
  BuildControlList();
  PurgeControlList();
}

void TAdvCustomQuickAccessToolBar::ControlInserted(TControl* Control) {
  if (auto* item = dynamic_cast<TAdvCustomToolBarControl*>(Control)) {
    item->SetAdvQuickAccessToolBar(this);
    if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(Control)) b->SetOffSet(1);
    item->AdjustSize();
  }
  if (auto* glow = dynamic_cast<TAdvCustomGlowButton*>(Control)) {
    TCustomAdvToolBarStyler* styler = GetToolBarStyler();
    if (styler && !IsLoading() && !glow->IsDestroying()) glow->Appearance()->Assign(styler->GlowButtonAppearance());
    if (!IsDesigning() && !glow->IsDestroying()) {
      glow->FOnInternalClick = [this](TObject* Sender) { ControlClicked(Sender); };
      glow->FOnInternalDropDown = [this](TObject* Sender) { ControlClicked(Sender); };
      glow->FInternalIsOnGlassQAT = FIsAeroVista;
    }
  }
  Relayout();
}

void TAdvCustomQuickAccessToolBar::ControlClicked(TObject*) { HideOverflowWindow(); }

void TAdvCustomQuickAccessToolBar::QATItemsChanged() {
  if (FInternalUpdatingControlPos || IsDestroying()) return;
  Relayout();
}

int TAdvCustomQuickAccessToolBar::QATButtonAreaHeight() { return GetControlsRect().Height(); }

// ---------------------------------------------------------------------------
// Geometry

TRect TAdvCustomQuickAccessToolBar::GetBarRect() {
  TRect r = ClientRect();
  if (FFullSize) return r;
  if (Scenic() || IsOfficeFlatStyle()) {
    r.top += 1;
    r.right += 1;
    r.left -= 1;
  } else {
    r.right -= FButtonWidth + FButtonGap;
    r.top += 3;
  }
  return r;
}

int TAdvCustomQuickAccessToolBar::GetLeftOffset() {
  if (FFullSize) return 4;
  if (TabGlassScenic() || IsOfficeFlatStyle()) return 11;
  return Height() / 2 + 2;
}

int TAdvCustomQuickAccessToolBar::GetRightMargin() {
  if (FFullSize) return 4;
  if (TabGlassScenic() || IsOfficeFlatStyle()) return 5;
  return 12;
}

TRect TAdvCustomQuickAccessToolBar::GetControlsRect() {
  TRect r = GetBarRect();
  r.left = GetLeftOffset();
  r.right -= GetRightMargin();
  r.bottom -= 1;
  return r;
}

int TAdvCustomQuickAccessToolBar::GetNeededWidth() {
  int w = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if ((c->Visible() || IsDesigning()) && !IsOwnControl(c) && !IsHidden(c)) w += c->Width();
  }
  for (int i = 0; i < HiddenCount(); ++i)
    if (!IsOwnControl(HiddenItem(i))) w += HiddenItem(i)->Width();
  return w + GetLeftOffset() + GetRightMargin() + FButtonWidth + FButtonGap;
}

TRect TAdvCustomQuickAccessToolBar::GetScrollButtonRect() { return TRect(Width() - FButtonWidth, 1, Width(), Height()); }

int TAdvCustomQuickAccessToolBar::GetVisibleButtonCount() {
  int n = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!(c->Visible() || IsDesigning()) || c == FApp || c == FRefGlowButton) continue;
    String name = c->ClassName();
    if (name == L"TAdvToolBarButton" || name == L"TAdvToolBarMenuButton" || name == L"TAdvGlowButton" ||
        name == L"TAdvGlowMenuButton")
      ++n;
  }
  return n;
}

// ---------------------------------------------------------------------------
// Size, placing, overflow

void TAdvCustomQuickAccessToolBar::UpdateSize() {
  TAdvToolBarPager* pager = Pager();
  if (FInternalUpdatingSize || !pager || IsDestroying()) return;
  TRect r = pager->GetQATRect();
  // No place yet (the pager has not taken the toolbar in, or shows no
  // caption): the toolbar keeps its size rather than collapsing to none,
  // from which its height would never come back.
  if (r.Height() <= 0) return;
  Guarded(FInternalUpdatingSize, [&] {
    if (FFullSize) {
      SetBounds(r.left, r.top, Max<int>(r.Width(), GetMinWidth()), r.Height());
    } else if (pager->Caption()->Visible()) {
      int w = Max<int>(GetMinWidth(), Min<int>(GetNeededWidth(), r.Width()));
      SetBounds(r.left, r.top, w, r.Height());
      if (!IsDesigning())
        for (int i = 0; i < pager->ControlCount(); ++i)
          if (auto* layer = dynamic_cast<TCaptionLayer*>(pager->Controls(i)); layer && layer->Visible())
            layer->Invalidate();
    }
  });
}

void TAdvCustomQuickAccessToolBar::UpdateControlsPos(bool Resize) {
  if (FInternalUpdatingControlPos || IsLoading() || FUpdateCount > 0 || IsDestroying()) return;
  TRect r = GetControlsRect();
  bool scenicOrFlat = Scenic() || IsOfficeFlatStyle();
  int x = r.left;
  if (scenicOrFlat && !FFullSize) x += static_cast<int>(Round(16.0L * DPIFactor));
  Guarded(FInternalUpdatingControlPos, [&] {
    for (int i = 0; i < FCtrlList->Count(); ++i) {
      TControl* c = ControlListItem(i);
      int top = IsHidden(c) ? -c->Height() - 2 : r.top + (r.Height() - c->Height()) / 2;
      c->SetBounds(x, top, c->Width(), c->Height());
      x += c->Width();
    }
    for (int i = 0; i < HiddenCount(); ++i) {
      TControl* c = HiddenItem(i);
      if (c->Parent() == this) c->SetTop(-c->Height() - 2);
    }
    if (FCustomizeButton && FCustomizeButton->Visible() && HiddenCount() == 0) {
      int left = FFullSize ? x : scenicOrFlat ? GetScrollButtonRect().left : Width() - FCustomizeButton->Width();
      FCustomizeButton->SetBounds(left, r.top, FCustomizeButton->Width(), r.Height());
    }
    if (FScrollButton && FScrollButton->Visible() && HiddenCount() > 0) {
      int left = FFullSize ? x : GetScrollButtonRect().left;
      FScrollButton->SetBounds(left, r.top, FScrollButton->Width(), r.Height());
    }
  });
  if (Resize) UpdateSize();
}

void TAdvCustomQuickAccessToolBar::ArrangeQATControls() {
  TAdvToolBarPager* pager = Pager();
  if (!pager || FUpdateCount > 0 || FInternalUpdatingControlPos || FInternalUpdatingSize || IsLoading() ||
      IsDestroying())
    return;
  if ((Scenic() || IsOfficeFlatStyle()) && FApp) FApp->SetVisible(pager->Caption()->Visible());
  TRect r = GetControlsRect();
  if (TabGlassScenic() || IsOfficeFlatStyle()) r.right -= FButtonWidth;
  int first = -1;
  for (int i = 0; i < FCtrlList->Count(); ++i) {
    TControl* c = ControlListItem(i);
    if (c->Left() + c->Width() > r.right) {
      first = i;
      break;
    }
  }
  if (first >= 0) {
    Guarded(FInternalUpdatingControlPos, [&] {
      if (!(FScrollButton && FScrollButton->Visible())) ShowScrollButton(true);
      // The newly hidden controls go in front of those hidden before, in
      // row order.
      for (int i = FCtrlList->Count() - 1; i >= first; --i) {
        void* c = FCtrlList->Items(i);
        FCtrlList->Delete(i);
        if (FHiddenCtrlList->Count() == 0)
          FHiddenCtrlList->Add(c);
        else
          FHiddenCtrlList->Insert(0, c);
      }
      if (FCustomizeButton && FCustomizeButton->Visible() && FCustomizeButton->Parent() == this)
        FCustomizeButton->SetVisible(false);
    });
  } else {
    if (HiddenCount() == 0) return;
    int x = r.left;
    if (FCtrlList->Count() > 0) {
      TControl* last = ControlListItem(FCtrlList->Count() - 1);
      x = last->Left() + last->Width();
    }
    int free = r.right - x;
    int before = HiddenCount();
    Guarded(FInternalUpdatingControlPos, [&] {
      for (int n = 0; n < before && free > 0 && HiddenCount() > 0; ++n) {
        TControl* c = HiddenItem(0);
        if (free < c->Width()) break;
        if (c->Parent() != this) {
          c->SetParent(this);
          c->SetLeft(x);
          x += c->Width();
        }
        free -= c->Width();
        FHiddenCtrlList->Delete(0);
      }
      if (HiddenCount() == 0) {
        if (FScrollButton && FScrollButton->Visible()) ShowScrollButton(false);
        if (FShowCustomizeOption &&
            (!FCustomizeButton || FCustomizeButton->Parent() != this || !FCustomizeButton->Visible())) {
          FShowCustomizeOption = false;
          SetShowCustomizeOption(true);
        }
      }
    });
    if (HiddenCount() == before) return;
  }
  UpdateControlList();
  // What moved between the row and the hidden list is placed at once.
  UpdateControlsPos(false);
}

void TAdvCustomQuickAccessToolBar::SetFullSize(bool Value) {
  if (FFullSize == Value) return;
  FFullSize = Value;
  UpdateControlList();
  UpdateSize();
  UpdateControlsPos(false);
  ArrangeQATControls();
  UpdateControlsPos(false);
  UpdateAppButton();
}

// ---------------------------------------------------------------------------
// Overflow drop-down

void TAdvCustomQuickAccessToolBar::ShowScrollButton(bool Value) {
  bool shown = FScrollButton && FScrollButton->Visible();
  if (Value == shown) return;
  if (!Value) {
    FScrollButton->SetVisible(false);
    return;
  }
  if (!FScrollButton) {
    auto* b = new TAdvVistaButton(this);
    FScrollButton = b;
    b->SetArrowStyle(TArrowStyle::asDouble);
    b->SetScrollArrow(TScrollArrow::saRight);
    b->SetVisible(false);
    b->SetParent(this);
    b->SetBounds(0, 0, FButtonWidth, Height());
    b->OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
      ScrollButtonMouseDown(Sender, Button, Shift, X, Y);
    };
  }
  TRect place = GetScrollButtonRect();
  FScrollButton->SetBounds(place.left, place.top, FScrollButton->Width(), FScrollButton->Height());
  if (TCustomAdvToolBarStyler* styler = GetToolBarStyler())
    FScrollButton->Appearance()->Assign(styler->GlowButtonAppearance());
  FScrollButton->SetVisible(true);
}

void TAdvCustomQuickAccessToolBar::ScrollButtonMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  FScrollButton->SetDown(true);
  ShowOverflowWindow();
}

void TAdvCustomQuickAccessToolBar::OverflowWindowHide(TObject*) {
  if (FScrollButton) FScrollButton->SetDown(false);
}

void TAdvCustomQuickAccessToolBar::UpdateOverflowWindow() {
  if (IsDesigning()) return;
  if (!FOverflowWindow)
    FOverflowWindow = TOptionSelectorWindow::CreateDropDown(this, this, 10, 10,
                                                            [this](TObject* Sender) { OverflowWindowHide(Sender); });
  if (!FOverflowWindowPanel) {
    FOverflowWindowPanel = new TControlSelectorPanel(FOverflowWindow);
    FOverflowWindowPanel->SetParent(FOverflowWindow);
    FOverflowWindowPanel->SetAdvQuickAccessToolBar(this);
  }
  TControlSelectorPanel* panel = FOverflowWindowPanel;
  panel->SetShowAddAndRemoveBtn(false);
  panel->SetOptionsMenu(nullptr);
  panel->SetTextAutoOptionMenu(L"");
  panel->SetTextOptionMenu(L"");
  panel->SetCustomizer(nullptr);
  panel->SetAdvToolBar(nullptr);
  if (TCustomAdvToolBarStyler* styler = GetToolBarStyler()) {
    AdvToolBar::TButtonAppearance* b = styler->ButtonAppearance();
    panel->SetItemColorHot(b->ColorHot());
    panel->SetItemColorHotTo(b->ColorHotTo());
    panel->SetItemColorDown(b->ColorDown());
    panel->SetItemColorDownTo(b->ColorDownTo());
    panel->SetItemTextColor(b->CaptionTextColor());
    panel->SetItemTextColorHot(b->CaptionTextColorHot());
    panel->SetItemTextColorDown(b->CaptionTextColorDown());
    panel->SetWindowBorderColor(styler->QATAppearance()->FullSizeBorderColor());
    panel->SetColor(styler->TabAppearance()->BackGround()->Color());
    panel->SetColorTo(styler->TabAppearance()->BackGround()->Color());
  }
  FOverflowWindow->SetOptionsPanel(panel);
  panel->ClearControlList();
  Guarded(FInternalUpdatingControlPos, [&] {
    for (int i = 0; i < HiddenCount(); ++i) panel->AddControl(HiddenItem(i));
    if (FShowCustomizeOption && FCustomizeButton) {
      panel->AddControl(FCustomizeButton);
      FCustomizeButton->SetVisible(true);
    }
  });
  panel->ArrangeControls();
  FOverflowWindow->SetWindowSize();
}

void TAdvCustomQuickAccessToolBar::ShowOverflowWindow(int X, int Y, bool AtPosition) {
  UpdateOverflowWindow();
  if (!FOverflowWindow || !FOverflowWindowPanel) return;
  if (!AtPosition) {
    TPoint p(Left() + Width() - 12, Top() + Height() + 1);
    if (Parent()) p = Parent()->ClientToScreen(p);
    X = p.x;
    Y = p.y;
  }
  RECT area{};
  HMONITOR monitor = MonitorFromPoint(POINT{X, Y}, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{sizeof(info)};
  if (monitor && GetMonitorInfoW(monitor, &info))
    area = info.rcWork;
  else
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  int w = FOverflowWindow->Width(), h = FOverflowWindow->Height();
  if (area.bottom < h + Y + 2) Y = area.bottom - h - 2;
  if (area.right < w + X) X = area.right - w;
  if (FOverflowWindowPanel->IsEmpty()) return;
  // Shown at no size first, so that it never flashes where it was.
  FOverflowWindow->SetBounds(X, Y, 0, 0);
  FOverflowWindow->SetVisible(true);
  FOverflowWindow->SetBounds(X, Y, w, h);
}

void TAdvCustomQuickAccessToolBar::HideOverflowWindow() {
  if (FOverflowWindow && FOverflowWindow->Visible()) FOverflowWindow->Hide();
}

// ---------------------------------------------------------------------------
// Customize button

void TAdvCustomQuickAccessToolBar::SetCustomizeHint(const String& Value) {
  FCustomizeHint = Value;
  if (FCustomizeButton) FCustomizeButton->SetHint(Value);
}

void TAdvCustomQuickAccessToolBar::SetShowCustomizeOption(bool Value) {
  if (FShowCustomizeOption == Value) return;
  FShowCustomizeOption = Value;
  if (Value) {
    if (FCustomizeButton) {
      FCustomizeButton->SetVisible(false);
      FCustomizeButton->SetBounds(FCustomizeButton->Left(), FCustomizeButton->Top(), FButtonWidth, Height());
    } else {
      auto* b = new TAdvVistaButton(this);
      FCustomizeButton = b;
      b->SetArrowStyle(TArrowStyle::asWithLine);
      b->SetScrollArrow(TScrollArrow::saBottom);
      b->SetVisible(false);
      b->SetBounds(0, 0, FButtonWidth, Height());
      b->OnClick = [this](TObject* Sender) { CustomizeButtonClick(Sender); };
      b->SetHint(FCustomizeHint);
    }
    if (FCustomizeButton->Parent() != this) FCustomizeButton->SetParent(this);
    if (TCustomAdvToolBarStyler* styler = GetToolBarStyler())
      FCustomizeButton->Appearance()->Assign(styler->GlowButtonAppearance());
    FCustomizeButton->SetVisible(true);
  } else if (FCustomizeButton) {
    FCustomizeButton->SetVisible(false);
    FCustomizeButton->SetBounds(FCustomizeButton->Left(), FCustomizeButton->Top(), 0, 0);
  }
  UpdateSize();
  UpdateControlsPos(false);
  ArrangeQATControls();
}

void TAdvCustomQuickAccessToolBar::CustomizeButtonClick(TObject*) {
  if (OnCustomizeClick) OnCustomizeClick(this);
  if (!FDropDownPopupMenu || !FCustomizeButton || !FCustomizeButton->Parent()) return;
  TAdvVistaButton* b = FCustomizeButton;
  TPoint p = b->Parent()->ClientToScreen(TPoint(b->Left(), b->Top() + b->Height()));
  b->SetDown(true);
  FDropDownPopupMenu->Popup(p.x, p.y);
  if (!FCustomizeButton) return;
  b->SetDown(false);
  // The pointer has most likely left it while the menu was open.
  if (b->MouseInside()) b->Perform(CM_MOUSELEAVE);
  if (b->Enabled()) b->Invalidate();
}

void TAdvCustomQuickAccessToolBar::SetDropDownPopupMenu(TPopupMenu* Value) {
  if (FDropDownPopupMenu == Value) return;
  if (FDropDownPopupMenu) FDropDownPopupMenu->RemoveFreeNotification(this);
  FDropDownPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

// ---------------------------------------------------------------------------
// Styler, tones, glass

void TAdvCustomQuickAccessToolBar::ApplyStylerToControls() {
  TCustomAdvToolBarStyler* styler = GetToolBarStyler();
  if (!styler) return;
  auto* stylerStyle = dynamic_cast<IKelStyle*>(styler);
  auto apply = [&](TControl* c) {
    if (auto* glow = dynamic_cast<TAdvCustomGlowButton*>(c)) {
      glow->Appearance()->Assign(styler->GlowButtonAppearance());
    } else if (auto* k = dynamic_cast<IKelStyle*>(c)) {
      if (stylerStyle && styler->KelStyle() != TKelStyle::tsCustom) k->SetComponentStyle(styler->KelStyle());
    }
  };
  for (int i = 0; i < ControlCount(); ++i) apply(Controls(i));
  for (int i = 0; i < HiddenCount(); ++i) apply(HiddenItem(i));
  if (FCustomizeButton) FCustomizeButton->Appearance()->Assign(styler->GlowButtonAppearance());
}

void TAdvCustomQuickAccessToolBar::ApplyStylerChange(int Kind) {
  if (Kind == 0 || Kind == StylerChange::Ribbon || Kind == StylerChange::PagerCaption || Kind == StylerChange::QuickAccess)
    Invalidate();
  if (Kind == 0 || Kind == StylerChange::Style || Kind == StylerChange::GlowButtons) ApplyStylerToControls();
}

void TAdvCustomQuickAccessToolBar::ApplyColorTones(const TColorTones& Tones) {
  TAdvToolBarPager* pager = Pager();
  if (ColorTonesEmpty(Tones) || !pager || !pager->Itones()) return;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* glow = dynamic_cast<TAdvCustomGlowButton*>(Controls(i))) glow->SetColorTones(Tones);
  for (int i = 0; i < HiddenCount(); ++i)
    if (auto* glow = dynamic_cast<TAdvCustomGlowButton*>(HiddenItem(i))) glow->SetColorTones(Tones);
  if (HiddenCount() > 0 && FScrollButton && FScrollButton->Visible()) {
    TGlowButtonAppearance* a = FScrollButton->Appearance();
    a->SetColor(Tones.Background.BrushColor);
    a->SetColorMirror(Tones.Background.BrushColor);
    a->SetBorderColor(Tones.Background.BorderColor);
    a->SetColorHot(Tones.Hover.BrushColor);
    a->SetColorMirrorHot(Tones.Hover.BrushColor);
    a->SetBorderColorHot(Tones.Hover.BorderColor);
    a->SetTextColorHot(Tones.Hover.TextColor);
    a->SetColorDown(Tones.Selected.BrushColor);
    a->SetColorMirrorDown(Tones.Selected.BrushColor);
    a->SetBorderColorDown(Tones.Selected.BorderColor);
    a->SetTextColorDown(Tones.Selected.TextColor);
    for (auto set : {&TGlowButtonAppearance::SetColorTo, &TGlowButtonAppearance::SetColorMirrorTo,
                     &TGlowButtonAppearance::SetColorHotTo, &TGlowButtonAppearance::SetColorMirrorHotTo,
                     &TGlowButtonAppearance::SetColorDownTo, &TGlowButtonAppearance::SetColorMirrorDownTo})
      (a->*set)(clNone);
  }
}

void TAdvCustomQuickAccessToolBar::SetAeroVista(bool Value) {
  if ((IsDesigning() && Value) || Value == FIsAeroVista) return;
  FIsAeroVista = Value;
  TControlStyle style = ControlStyle();
  if (Value)
    style.Include(TControlStyleItem::csParentBackground);
  else
    style.Exclude(TControlStyleItem::csParentBackground);
  SetControlStyle(style);
  SetDoubleBuffered(!Value);
}

// ---------------------------------------------------------------------------
// Images

void TAdvCustomQuickAccessToolBar::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) {
    Value->FreeNotification(this);
    // Sized by the difference to the list it was last sized for, so that
    // taking the images away and giving them back keeps the height.
    if (FSizedImageHeight > 0) SetHeight(Height() + Value->Height() - FSizedImageHeight);
    FSizedImageHeight = Value->Height();
  }
  auto resize = [this](bool Shades) {
    Guarded(FInternalUpdatingControlPos, [&] {
      for (int i = 0; i < FCtrlList->Count(); ++i)
        if (auto* item = dynamic_cast<TAdvCustomToolBarControl*>(ControlListItem(i))) {
          item->AdjustSize();
          if (auto* b = dynamic_cast<TAdvCustomToolBarButton*>(item); b && Shades) b->GenerateShade();
        }
    });
  };
  resize(false);
  UpdateControlsPos(true);
  if (Value) resize(true);
  Invalidate();
}

void TAdvCustomQuickAccessToolBar::SetDisabledImages(TCustomImageList* Value) {
  if (FDisabledImages == Value) return;
  if (FDisabledImages) FDisabledImages->RemoveFreeNotification(this);
  FDisabledImages = Value;
  if (Value) Value->FreeNotification(this);
  for (int i = 0; i < FCtrlList->Count(); ++i)
    if (auto* item = dynamic_cast<TAdvCustomToolBarControl*>(ControlListItem(i))) item->AdjustSize();
  Invalidate();
}

void TAdvCustomQuickAccessToolBar::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FImages) {
    FImages = nullptr;
    Invalidate();
  }
  if (AComponent == FDisabledImages) {
    FDisabledImages = nullptr;
    Invalidate();
  }
  if (AComponent == FDropDownPopupMenu) FDropDownPopupMenu = nullptr;
  if (AComponent == FHintCtrl) FHintCtrl = nullptr;
  if (AComponent == FOverflowWindow) {
    FOverflowWindow = nullptr;
    FOverflowWindowPanel = nullptr;
  }
  if (AComponent == FOverflowWindowPanel) FOverflowWindowPanel = nullptr;
  if (AComponent == FScrollButton) FScrollButton = nullptr;
  if (AComponent == FCustomizeButton) FCustomizeButton = nullptr;
  if (AComponent == FApp) FApp = nullptr;
  if (AComponent == FRefGlowButton) FRefGlowButton = nullptr;
}

// ---------------------------------------------------------------------------
// Key tips

void TAdvCustomQuickAccessToolBar::ShowShortCutHints() {
  for (int i = 0; i < FCtrlList->Count(); ++i) {
    auto* b = dynamic_cast<TAdvCustomGlowButton*>(ControlListItem(i));
    if (b && b->Enabled() && b->Visible() && b->Parent() == this) b->ShowShortCutHint();
  }
}

void TAdvCustomQuickAccessToolBar::HideShortCutHints() {
  for (int i = 0; i < FCtrlList->Count(); ++i)
    if (auto* b = dynamic_cast<TAdvCustomGlowButton*>(ControlListItem(i))) b->HideShortCutHint();
}

bool TAdvCustomQuickAccessToolBar::HandleShortCutHintKey(const String& Text, int& PartialCount) {
  // A copy: a click may change the row.
  std::vector<TAdvCustomGlowButton*> buttons;
  for (int i = 0; i < FCtrlList->Count(); ++i)
    if (auto* b = dynamic_cast<TAdvCustomGlowButton*>(ControlListItem(i))) buttons.push_back(b);
  for (TAdvCustomGlowButton* b : buttons) {
    const String& tip = b->ShortCutHint();
    if (tip.empty()) continue;
    if (KeyTipEquals(tip, Text)) {
      if (b->Enabled() && b->Visible()) {
        b->SetFocus();
        b->Invalidate();
        b->InvokeClick();
      }
      RestorePagerFocus();
      return true;
    }
    if (KeyTipStartsWith(tip, Text))
      ++PartialCount;
    else
      b->HideShortCutHint();
  }
  return false;
}

void TAdvCustomQuickAccessToolBar::RestorePagerFocus() {
  if (IsDesigning()) return;
  if (TAdvToolBarPager* pager = Pager()) pager->RestoreFocus();
}

// ---------------------------------------------------------------------------
// Messages

void TAdvCustomQuickAccessToolBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      if (!FIsAeroVista || FFullSize) TCustomControl::Dispatch(Message);
      Message.Result = 1;
      return;
    case CM_CONTROLCHANGE: {
      TCustomControl::Dispatch(Message);
      auto* c = reinterpret_cast<TControl*>(Message.WParam);
      // Removals are laid out in RemoveControl, once the control has left.
      if (!Message.LParam || FInternalUpdatingControlPos || !c || c == FOverflowWindow ||
          c == FOverflowWindowPanel || c == FRefGlowButton || IsDestroying())
        return;
      ControlInserted(c);
      return;
    }
    case CM_VISIBLECHANGED: {
      TCustomControl::Dispatch(Message);
      if (IsDestroying()) return;
      TAdvToolBarPager* pager = Pager();
      if (Visible()) {
        FVisibleChanged = true;
        BeginUpdate();
        EndUpdate();
        if (FVisibleChanged && FUpdateCount <= 0 && pager && !IsDesigning()) RepaintGlowButtons();
        FVisibleChanged = false;
      }
      if (pager && !IsDesigning() && FFullSize) pager->QATVisibleChanged();
      return;
    }
    case CM_HINTSHOW: {
      TCustomControl::Dispatch(Message);
      auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
      TAdvToolBarPager* pager = Pager();
      if (!info || !pager || !pager->ShowDisabledControlsHint() || IsDesigning() || !FHintCtrl) return;
      if ((info->HintStr.empty() || info->HintStr == Hint()) && !FHintCtrl->Enabled() && FHintCtrl->ShowHint()) {
        info->HintStr = FHintCtrl->Hint();
        info->HintControl = FHintCtrl;
      }
      return;
    }
    default:
      TCustomControl::Dispatch(Message);
  }
}

void TAdvCustomQuickAccessToolBar::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  TAdvToolBarPager* pager = Pager();
  if (!pager || !pager->ShowDisabledControlsHint() || IsDesigning()) return;
  TControl* c = ControlAtPos(TPoint(X, Y), true, true);
  if (c == FHintCtrl) return;
  FHintCtrl = c;
  if (Application) Application->CancelHint();
}

void TAdvCustomQuickAccessToolBar::RepaintGlowButtons() {
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* b = dynamic_cast<TAdvCustomGlowButton*>(Controls(i)); b && b->Visible()) {
      b->Repaint();
      b->Invalidate();
    }
  if (Parent()) Parent()->Invalidate();
}

void TAdvCustomQuickAccessToolBar::InvalidateRefButton() {
  if (FRefGlowButton) {
    FRefGlowButton->Invalidate();
    return;
  }
  for (int i = 0; i < ControlCount(); ++i)
    if (!dynamic_cast<TAdvVistaButton*>(Controls(i))) {
      Controls(i)->Invalidate();
      return;
    }
}
