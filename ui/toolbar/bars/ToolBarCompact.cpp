// A toolbar as a ribbon group: the sizing steps that switch up to three of
// its glow buttons between the large, label and glyph layouts, and the
// compact form, in which the group shows one large button that drops its
// items down in a compact window holding a clone of the group.
#include <memory>

#include "base/Forms.h"
#include "base/ImgList.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/toolbar/bars/AdvToolBar.h"
#include "ui/toolbar/bars/CompactWindow.h"
#include "ui/toolbar/bars/ToolBarHosts.h"

namespace {

TAdvCustomGlowButton* GlowAt(TDbgList* List, int Index) {
  if (Index < 0 || Index >= List->Count()) return nullptr;
  return dynamic_cast<TAdvCustomGlowButton*>(static_cast<TControl*>(List->Items(Index)));
}

bool CanShrinkGlowButton(TAdvCustomGlowButton* B, TButtonSizeState S) {
  return B && B->AutoSize() && B->ButtonSizeState() == S && B->MinButtonSizeState() < S;
}

bool CanGrowGlowButton(TAdvCustomGlowButton* B, TButtonSizeState S) {
  return B && B->AutoSize() && B->ButtonSizeState() == S && B->ButtonSizeState() < B->MaxButtonSizeState();
}

// The button's width in State: set (Apply) or only worked out.
int WidthIn(TAdvCustomGlowButton* B, TButtonSizeState State, bool Apply) {
  TSize size{};
  if (Apply) {
    B->SetButtonSizeState(State);
    if (B->HandleAllocated()) return B->Width();
    // A button without a window (in a hidden drop-down) sizes itself only
    // when it first paints: it takes its measured width now.
    B->CalcButtonSize(State, size);
    B->SetWidth(size.cx);
    return B->Width();
  }
  B->CalcButtonSize(State, size);
  return size.cx;
}

// Sets two flags for the duration of a step and puts them back after.
struct TKeepFlags {
  bool &A, &B;
  bool OldA, OldB;
  TKeepFlags(bool& a, bool& b) : A(a), B(b), OldA(a), OldB(b) { A = B = true; }
  ~TKeepFlags() { A = OldA, B = OldB; }
};

}  // namespace

// ---------------------------------------------------------------------------
// Sizing steps

int TAdvCustomToolBar::ShrinkButtons(TButtonSizeState& Target, bool Apply) {
  if (!FAutoPositionControls || !FAutoSize || !OnPageOrCompactWindow() || FCompact) return 0;
  int gain = 0;
  bool took = false;
  {
    TKeepFlags keep(FInternalControlPositioning, FInternalControlUpdation);
    TDbgList* seq = FSeqControlList;
    BuildSequenceList(seq, true);
    // Large to label: two or three neighbours become one column.
    for (int i = seq->Count() - 1; i >= 1 && !took; --i) {
      if (!CanShrinkGlowButton(GlowAt(seq, i), TButtonSizeState::bsLarge) ||
          !CanShrinkGlowButton(GlowAt(seq, i - 1), TButtonSizeState::bsLarge))
        continue;
      int total = 0, largest = 0;
      for (int j = i; j >= 0 && j >= i - 2; --j) {
        TAdvCustomGlowButton* b = GlowAt(seq, j);
        if (!CanShrinkGlowButton(b, TButtonSizeState::bsLarge)) break;
        total += b->Width();
        largest = Max<int>(largest, WidthIn(b, TButtonSizeState::bsLabel, Apply));
      }
      Target = TButtonSizeState::bsLabel;
      gain = total - largest;
      took = true;
    }
    // Label to glyph: one column of up to three.
    for (int i = seq->Count() - 1; i >= 1 && !took; --i) {
      if (!CanShrinkGlowButton(GlowAt(seq, i), TButtonSizeState::bsLabel) ||
          !CanShrinkGlowButton(GlowAt(seq, i - 1), TButtonSizeState::bsLabel))
        continue;
      int left = GlowAt(seq, i)->Left(), oldWidth = 0, newWidth = 0;
      for (int j = i; j >= 0 && j >= i - 2; --j) {
        TAdvCustomGlowButton* b = GlowAt(seq, j);
        if (!CanShrinkGlowButton(b, TButtonSizeState::bsLabel) || b->Left() != left) break;
        oldWidth = Max<int>(oldWidth, b->Width());
        newWidth = Max<int>(newWidth, WidthIn(b, TButtonSizeState::bsGlyph, Apply));
      }
      Target = TButtonSizeState::bsGlyph;
      gain = oldWidth - newWidth;
      took = true;
    }
  }
  if (Apply && took) PositionControls(true);
  // The signed gain: a step that widens the group gains nothing.
  return gain;
}

int TAdvCustomToolBar::GrowButtons(TButtonSizeState& Target, bool Apply) {
  if (!FAutoPositionControls || !FAutoSize || !OnPageOrCompactWindow() || FCompact) return 0;
  int cost = 0;
  bool took = false;
  {
    TKeepFlags keep(FInternalControlPositioning, FInternalControlUpdation);
    TDbgList* seq = FSeqControlList;
    BuildSequenceList(seq, true);
    // Glyph to label: one column.
    for (int i = seq->Count() - 1; i >= 1 && !took; --i) {
      if (!CanGrowGlowButton(GlowAt(seq, i), TButtonSizeState::bsGlyph) ||
          !CanGrowGlowButton(GlowAt(seq, i - 1), TButtonSizeState::bsGlyph))
        continue;
      int left = GlowAt(seq, i)->Left(), oldWidth = 0, newWidth = 0;
      for (int j = i; j >= 0 && j >= i - 2; --j) {
        TAdvCustomGlowButton* b = GlowAt(seq, j);
        if (!CanGrowGlowButton(b, TButtonSizeState::bsGlyph) || b->Left() != left) break;
        oldWidth = Max<int>(oldWidth, b->Width());
        newWidth = Max<int>(newWidth, WidthIn(b, TButtonSizeState::bsLabel, Apply));
      }
      Target = TButtonSizeState::bsLabel;
      cost = newWidth - oldWidth;
      took = true;
    }
    // Label to large: the column's buttons side by side.
    for (int i = seq->Count() - 1; i >= 1 && !took; --i) {
      if (!CanGrowGlowButton(GlowAt(seq, i), TButtonSizeState::bsLabel) ||
          !CanGrowGlowButton(GlowAt(seq, i - 1), TButtonSizeState::bsLabel))
        continue;
      int oldWidth = 0, sum = 0;
      for (int j = i; j >= 0 && j >= i - 2; --j) {
        TAdvCustomGlowButton* b = GlowAt(seq, j);
        if (!CanGrowGlowButton(b, TButtonSizeState::bsLabel)) break;
        oldWidth = Max<int>(oldWidth, b->Width());
        sum += WidthIn(b, TButtonSizeState::bsLarge, Apply);
      }
      Target = TButtonSizeState::bsLarge;
      cost = sum - oldWidth;
      took = true;
    }
  }
  if (Apply && took) PositionControls(true);
  return cost;
}

void TAdvCustomToolBar::ShrinkToSmallest() {
  TButtonSizeState target;
  for (int n = 0; n < 100 && ShrinkButtons(target, true) > 0; ++n) {
  }
}

void TAdvCustomToolBar::GrowToLargest() {
  TButtonSizeState target;
  for (int n = 0; n < 100 && GrowButtons(target, true) > 0; ++n) {
  }
}

// ---------------------------------------------------------------------------
// Widths

int TAdvCustomToolBar::GetFullWidth() {
  if (!FCompact || !PageOf(this) || !FSelfClone) return Width();
  if (FOldAutoPosition && FOldAutoSize && !FCompactSmallest) {
    FSelfClone->FAutoPositionControls = true;
    FSelfClone->FAutoSize = true;
    FSelfClone->ShrinkToSmallest();
    FSelfClone->FAutoPositionControls = false;
    FSelfClone->FAutoSize = false;
    FCompactSmallest = true;
  }
  return FSelfClone->Width();
}

int TAdvCustomToolBar::GetCompactWidth() {
  if (!PageOf(this)) return Width();
  if (!FCompactBtn || FCompactCaption.empty()) return FCompactMinWidth;
  TSize size{};
  FCompactBtn->CalcButtonSize(TButtonSizeState::bsLarge, size);
  return Max<int>(FCompactMinWidth, size.cx);
}

// ---------------------------------------------------------------------------
// The compact form

void TAdvCustomToolBar::SetCompact(bool Value) {
  if (Value == FCompact || !PageOf(this)) return;
  if (Value) {
    SwitchCompact(true);
    FCompactMode = true;
  } else {
    FCompactMode = false;
    SwitchCompact(false);
  }
  PageOf(this)->PageGroupsChanged();
}

void TAdvCustomToolBar::SwitchCompact(bool Value) {
  if (Value == FCompact || !PageOf(this) || !FPropertiesLoaded || FCompactMode) return;
  if (Value)
    EnterCompact();
  else
    LeaveCompact();
}

void TAdvCustomToolBar::EnterCompact() {
  FCompactChanging = true;
  FOldAutoPosition = FAutoPositionControls;
  FOldAutoSize = FAutoSize;
  FOldAutoArrangeButtons = FAutoArrangeButtons;
  SetAutoPositionControls(false);
  SetAutoSize(false);
  SetAutoArrangeButtons(false);
  auto* window = static_cast<TCompactWindow*>(FCompactWindow);
  if (!window) {
    window = new TCompactWindow(this);
    FCompactWindow = window;
    if (!Name().empty()) window->SetName(Name() + L"_CompactWindow");
    window->SetParent(this);
    window->SetBorderIcons({});
    window->SetBorderStyle(TFormBorderStyle::bsNone);
    window->SetFormStyle(TFormStyle::fsStayOnTop);
    window->SetVisible(false);
    window->SetBounds(0, 0, 30, 30);
    window->OnCloseQuery = OnCompactCloseQuery;
    if (TCustomForm* form = GetParentForm(this)) window->Font()->Assign(form->Font());
  }
  if (!FSelfClone) {
    auto* clone = new TAdvCustomToolBar(window);
    if (!Name().empty()) clone->SetName(Name() + L"_SelfClone");
    clone->SetParent(window);
    clone->FSelfClone = this;
    if (OnDblClick) clone->OnDblClick = OnDblClick;
    if (OnKeyPress) clone->OnKeyPress = OnKeyPress;
    if (OnKeyDown) clone->OnKeyDown = OnKeyDown;
    if (OnKeyUp) clone->OnKeyUp = OnKeyUp;
    FSelfClone = clone;
  }
  window->SetAdvToolBar(FSelfClone);
  window->SetWindowSize();
  UpdateSelfClone(true);
  SetWidth(GetCompactWidth());

  auto* button = new TAdvGlowButton(this);
  FCompactBtn = button;
  button->SetParent(this);
  button->SetFocusType(TFocusType::ftNone);
  button->Picture()->Assign(FICompactPicture);
  if (FICompactPicture->Empty() && FImages && FCompactImageIndex >= 0) SetCompactButtonImage();
  button->SetCaption(FCompactCaption);
  button->SetWideCaption(FWideCompactCaption);
  button->SetLayout(TButtonLayout::blGlyphTop);
  button->SetBounds(0, 0, GetCompactWidth(), Height());
  button->SetVisible(true);
  button->Appearance()->Assign(FCurrentToolBarStyler->CompactGlowButtonAppearance());
  IToolBarPager* pager = GetOwnerPager();
  if (pager && pager->PagerTonesActive()) {
    if (TGlowButtonAppearance* own = pager->PagerGlowButtonAppearance()) {
      TGlowButtonAppearance* a = button->Appearance();
      a->SetColor(own->Color()), a->SetColorHot(own->ColorHot()), a->SetColorHotTo(own->ColorHotTo());
      a->SetColorMirrorHot(own->ColorMirrorHot()), a->SetColorMirrorHotTo(own->ColorMirrorHotTo());
      a->SetBorderColorHot(own->BorderColorHot());
      a->SetColorTo(clNone), a->SetColorMirror(clNone), a->SetColorMirrorTo(clNone);
      a->SetColorCheckedTo(clNone), a->SetColorMirrorChecked(clNone), a->SetColorMirrorCheckedTo(clNone);
      if (!a->SystemFont()) button->Font()->SetColor(a->TextColor());
    }
    button->SetRounded(false);
  }
  button->SetDropDownButton(true);
  button->SetDropDownPosition(TDropDownPosition::dpBottom);
  button->SetDropDownSplit(false);
  button->SetOfficeHint(FOfficeHint);
  button->OnClick = [this](TObject* Sender) { CompactButtonClick(Sender); };
  button->SetStyle(TAdvButtonStyle::bsCheck);
  button->SetShortCutHint(FCompactShortCutHint);
  button->SetShortCutHintPos(TShortCutHintPos::shpBelowBottomCenter);
  SetWidth(GetCompactWidth());
  FCompactChanging = false;
  FCompact = true;
}

void TAdvCustomToolBar::SetCompactButtonImage() {
  if (!FCompactBtn) return;
  if (auto* list = dynamic_cast<TImageList*>(FImages)) {
    FCompactBtn->SetImages(list);
    FCompactBtn->SetImageIndex(FCompactImageIndex);
    FCompactBtn->Picture()->Assign(nullptr);
    return;
  }
  TBitmap bitmap(FImages->Width(), FImages->Height(), TPixelFormat::pf24bit);
  bitmap.Canvas()->Brush()->SetColor(clWhite);
  bitmap.Canvas()->FillRect(TRect(0, 0, bitmap.Width(), bitmap.Height()));
  TCustomImageList* source = !Enabled() && FDisabledImages ? FDisabledImages : FImages;
  source->Draw(bitmap.Canvas(), 0, 0, FCompactImageIndex, true);
  bitmap.SetTransparentColor(clWhite);
  TMemoryStream stream;
  bitmap.SaveToStream(&stream);
  stream.SetPosition(0);
  FCompactBtn->Picture()->LoadFromStream(&stream);
  FCompactBtn->SetImageIndex(-1);
}

void TAdvCustomToolBar::LeaveCompact() {
  if (FCompactWindow) FCompactWindow->Hide();
  FCompactChanging = true;
  TDbgList order;
  if (FSelfClone) order.AssignList(FSelfClone->FATBControls);
  SetWidth(GetFullWidth());
  if (FSelfClone) SetShowCaption(FSelfClone->ShowCaption());
  SetAutoPositionControls(false);
  SetAutoSize(false);
  SetAutoArrangeButtons(false);
  if (FCompactBtn) {
    TAdvGlowButton* b = FCompactBtn;
    FCompactBtn = nullptr;
    b->Free();
  }
  if (FSelfClone) {
    while (FSelfClone->ControlCount() > 0) {
      TControl* c = FSelfClone->Controls(0);
      auto* glow = dynamic_cast<TAdvCustomGlowButton*>(c);
      bool down = glow && glow->Down();
      int left = c->Left(), top = c->Top();
      c->SetParent(this);
      if (glow) {
        if (FToolBarStyler) {
          glow->Appearance()->SetSystemFont(FToolBarStyler->GlowButtonAppearance()->SystemFont());
          glow->Font()->SetColor(glow->Appearance()->SystemFont() ? clWindowText : glow->Appearance()->TextColor());
        }
        glow->SetDown(false);
        glow->SetDown(down);
      }
      c->SetBounds(left, top, c->Width(), c->Height());
    }
  }
  if (FATBControls->Count() == order.Count()) FATBControls->AssignList(&order);
  if (FCompactWindow) {
    FSelfClone->SetToolBarStyler(nullptr);
    TAdvCustomToolBar* clone = FSelfClone;
    TCustomForm* window = FCompactWindow;
    FSelfClone = nullptr;
    FCompactWindow = nullptr;
    clone->Free();
    window->Free();
  }
  FCompact = false;
  SetAutoPositionControls(FOldAutoPosition);
  SetAutoSize(FOldAutoSize);
  SetAutoArrangeButtons(FOldAutoArrangeButtons);
  FCompactChanging = false;
}

void TAdvCustomToolBar::UpdateSelfClone(bool MoveItems) {
  TAdvCustomToolBar* clone = FSelfClone;
  if (!clone) return;
  clone->SetToolBarStyler(FToolBarStyler);
  clone->FAutoPositionControls = false;
  clone->FAutoSize = false;
  clone->SetAutoArrangeButtons(false);
  clone->SetAllowFloating(FAllowFloating);
  clone->SetAutoOptionMenu(FAutoOptionMenu);
  clone->SetToolBarCaption(FCaption);
  clone->SetCaptionFont(FCaptionFont);
  clone->SetCaptionHeight(FCaptionHeight);
  clone->SetCaptionPosition(FCaptionPosition);
  clone->SetCaptionAlignment(FCaptionAlignment);
  clone->SetShowRightHandle(FShowRightHandle);
  clone->SetShowClose(FShowClose);
  clone->SetShowOptionIndicator(FShowOptionIndicator);
  clone->SetEnabled(Enabled());
  clone->SetImages(FImages);
  clone->SetDisabledImages(FDisabledImages);
  clone->SetShowHint(ShowHint());
  clone->Font()->Assign(Font());
  clone->SetOptionMenu(FOptionMenu);
  IToolBarPage* page = PageOf(this);
  IToolBarPager* pager = page ? page->PageParentPager() : nullptr;
  if (FParentOptionPicture && pager) {
    clone->SetOptionPicture(pager->PagerOptionPicture());
    clone->SetOptionDisabledPicture(pager->PagerOptionDisabledPicture());
  } else {
    clone->SetOptionPicture(FIOptionPicture);
    clone->SetOptionDisabledPicture(FIOptionDisabledPicture);
  }
  clone->SetParentOptionPicture(false);
  clone->OnOptionClick = OnOptionClick;
  if (!MoveItems) return;
  TDbgList order;
  order.AssignList(FATBControls);
  clone->SetBounds(clone->Left(), clone->Top(), Width(), Height());
  clone->SetShowCaption(FShowCaption);
  SetShowCaption(false);
  for (int i = ControlCount() - 1; i >= 0; --i) {
    TControl* c = Controls(i);
    if (IsClass(c, L"TCompactWindow")) continue;
    auto* glow = dynamic_cast<TAdvGlowButton*>(c);
    bool down = glow && glow->Down();
    int left = c->Left(), top = c->Top();
    c->SetParent(clone);
    c->SetBounds(left, top, c->Width(), c->Height());
    if (glow && FToolBarStyler) {
      bool systemFont = FToolBarStyler->GlowButtonAppearance()->SystemFont();
      glow->Appearance()->SetSystemFont(systemFont);
      glow->Font()->SetColor(systemFont ? clWindowText : FToolBarStyler->GlowButtonAppearance()->TextColor());
      glow->SetDown(down);
    }
  }
  if (clone->FATBControls->Count() == order.Count()) clone->FATBControls->AssignList(&order);
  if (!clone->FCtrlVisList) clone->FCtrlVisList = new TDbgList();
  clone->FCtrlVisList->Clear();
  for (int i = 0; i < clone->FATBControls->Count(); ++i)
    clone->FCtrlVisList->Add(static_cast<TControl*>(clone->FATBControls->Items(i))->Visible() ? clone : nullptr);
}

void TAdvCustomToolBar::CompactButtonClick(TObject* Sender) {
  if (!FCompact || !FCompactWindow) return;
  auto* window = static_cast<TCompactWindow*>(FCompactWindow);
  window->SetScaled(false);
  window->SetPixelsPerInch(DPIPixelsPerInch);
  bool onPage = PageOf(this) != nullptr;
  if (FSelfClone && FOldAutoPosition && FOldAutoSize && onPage && FCompactSmallest) {
    FSelfClone->BuildSequenceList(FSelfClone->FSeqControlList, true);
    FSelfClone->FAutoPositionControls = FOldAutoPosition;
    FSelfClone->FAutoSize = FOldAutoSize;
    FSelfClone->GrowToLargest();
    FCompactSmallest = false;
  }
  if (FSelfClone && FOldAutoPosition && onPage) {
    TDbgList* vis = FSelfClone->FCtrlVisList;
    bool changed = !vis || vis->Count() != FSelfClone->FATBControls->Count();
    for (int i = 0; !changed && i < vis->Count(); ++i)
      changed = (vis->Items(i) != nullptr) != static_cast<TControl*>(FSelfClone->FATBControls->Items(i))->Visible();
    if (changed) {
      if (!vis) FSelfClone->FCtrlVisList = vis = new TDbgList();
      vis->Clear();
      for (int i = 0; i < FSelfClone->FATBControls->Count(); ++i)
        vis->Add(static_cast<TControl*>(FSelfClone->FATBControls->Items(i))->Visible() ? FSelfClone : nullptr);
      bool old = FSelfClone->FAutoPositionControls;
      FSelfClone->FAutoPositionControls = true;
      FSelfClone->PositionControls(FOldAutoSize);
      FSelfClone->FAutoPositionControls = old;
    }
  }
  TPoint p = Parent() ? Parent()->ClientToScreen(TPoint(Left(), Top() + Height() + 1)) : TPoint(Left(), Top());
  RECT work{};
  HMONITOR monitor = MonitorFromPoint(p, MONITOR_DEFAULTTONULL);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (monitor && GetMonitorInfoW(monitor, &info))
    work = info.rcWork;
  else
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  if (TCustomForm* form = GetParentForm(this)) window->Font()->Assign(form->Font());
  window->SetDropDownButton(dynamic_cast<TAdvGlowButton*>(static_cast<TObject*>(Sender)));
  if (FSelfClone) {
    bool old = FSelfClone->FAutoSize;
    FSelfClone->FAutoSize = true;
    FSelfClone->AutoSizeToolBar();
    FSelfClone->FAutoSize = old;
  }
  window->SetWindowSize();
  if (p.x + window->Width() > work.right && p.x < work.right) p.x = work.right - window->Width();
  int w = window->Width(), h = window->Height();
  window->SetBounds(p.x, p.y, 1, 1);
  DoCompactShow();
  window->SetVisible(true);
  window->SetBounds(p.x, p.y, w, h);
  window->SetRoundRegion();
}

void TAdvCustomToolBar::HideCompactWindow() {
  if (FCompact && FCompactWindow && FCompactWindow->Visible()) FCompactWindow->Hide();
}

void TAdvCustomToolBar::PostCompactWindowHide() {
  if (HandleAllocated()) PostMessageW(Handle(), WM_TBCOMPACTWINHIDE, 0, 0);
}

void TAdvCustomToolBar::NotifyCompactClosed() {
  if (IsDesigning()) return;
  if (IToolBarPage* page = PageOf(this)) {
    IToolBarPager* pager = page->PageParentPager();
    if (!pager) pager = page->PageMinimizedWindowPager();
    if (pager) pager->PagerCompactClosed(FCompactBtn);
    return;
  }
  if (IsClass(FParent, L"TCompactWindow") && FSelfClone)
    if (IToolBarPage* page = PageOf(FSelfClone))
      if (IToolBarPager* pager = page->PageParentPager()) pager->PagerCompactClosed(FSelfClone->FCompactBtn);
}

void TAdvCustomToolBar::UpdateControlsVisibility() {
  if (FInternalControlPositioning || !FCompact || !FSelfClone || IsLoading() || IsDesigning()) return;
  if (!FOldAutoPosition || !FOldAutoSize || !PageOf(this)) return;
  if (FCompactChanging || FSelfClone->FCompactChanging || !FCompactSmallest) return;
  FSelfClone->BuildSequenceList(FSelfClone->FSeqControlList, true);
  FSelfClone->FAutoPositionControls = FOldAutoPosition;
  FSelfClone->FAutoSize = FOldAutoSize;
  if (FParent && FParent->HandleAllocated()) SendMessageW(FParent->Handle(), WM_SIZE, 0, 0);
}

void TAdvCustomToolBar::UpdateCompactButtonAppearance() {
  if (FCompact && FCompactBtn && FCurrentToolBarStyler)
    FCompactBtn->Appearance()->Assign(FCurrentToolBarStyler->CompactGlowButtonAppearance());
}

void TAdvCustomToolBar::SetCompactCaption(const String& Value) {
  if (FCompactCaption == Value) return;
  FCompactCaption = Value;
  if (FCompactBtn && FCompactBtn->Caption() != Value) FCompactBtn->SetCaption(Value);
}

void TAdvCustomToolBar::CompactPictureChanged() {
  if (FCompact && FCompactBtn) FCompactBtn->Picture()->Assign(FICompactPicture);
  Invalidate();
}

void TAdvCustomToolBar::SetCompactImageIndex(int Value) {
  if (FCompactImageIndex == Value) return;
  FCompactImageIndex = Value;
  if (FCompact && FCompactBtn && PageOf(this) && !IsLoading() && !IsDesigning()) {
    if (!FICompactPicture->Empty() || !FImages || Value < 0) {
      if (Value < 0) FCompactBtn->SetImageIndex(Value);
    } else {
      SetCompactButtonImage();
    }
  }
  Invalidate();
}

void TAdvCustomToolBar::SetOnCompactCloseQuery(TCloseQueryEvent Value) {
  OnCompactCloseQuery = Value;
  if (FCompact && FCompactWindow) FCompactWindow->OnCloseQuery = Value;
}
