// The pager's own buttons: minimize, maximize and close in its caption bar
// when it stands in for a form's caption, the active MDI child's three
// buttons right of the tabs, the help button and the expand/collapse button
// at the right end of the tab row; and the state the pager keeps between
// runs (collapsed, quick access toolbar below).
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/draw/KelStyle.h"
#include "ui/toolbar/bars/ButtonFaces.h"
#include "ui/toolbar/bars/LayoutStore.h"
#include "ui/toolbar/ribbon/AdvQuickAccessToolBar.h"
#include "ui/toolbar/ribbon/AdvToolBarPager.h"
#include "ui/toolbar/ribbon/PagerHints.h"
#include "ui/toolbar/ribbon/RibbonBitmaps.h"
#include "ui/toolbar/stylers/ToolBarAppearances.h"

TAdvToolBarPager* PagerHoldingMDIForm();

// The side of a caption button: 16 at 96 dpi, growing by half the scaled
// surplus.
int PagerCaptionButtonSize() {
  int r = static_cast<int>(Round((static_cast<long double>(DPIFactor) - 1) * 16));
  return Max<int>(16, 16 + r / 2);
}

namespace {

constexpr TColor kKeyColor = 0xFF00FF;  // magenta: the pictures' transparent colour

int RoundI(long double V) { return static_cast<int>(Round(V)); }

void FreeButton(TAdvGlowButton*& Button) {
  TAdvGlowButton* b = Button;
  Button = nullptr;
  if (b) b->Free();
}

void SetButtonHint(TAdvGlowButton* Button, const String& Hint) {
  if (!Button) return;
  Button->SetHint(Hint);
  Button->SetShowHint(!Hint.empty());
}

// A glyph drawn on the key colour and handed to Picture as a bitmap stream.
void DrawGlyphPicture(TGDIPPicture* Picture, int Size, const std::function<void(TCanvas*, const TRect&)>& Glyph) {
  int side = Max<int>(1, Size - 2);
  TBitmap bitmap(side, side, TPixelFormat::pf24bit);
  TCanvas* c = bitmap.Canvas();
  c->Brush()->SetColor(kKeyColor);
  c->FillRect(TRect(0, 0, side, side));
  Glyph(c, TRect(0, 0, Size, Size));
  TMemoryStream stream;
  bitmap.SaveToStream(&stream);
  stream.SetPosition(0);
  Picture->LoadFromStream(&stream);
}

// A 14 x 14 glyph on the key colour, added to the MDI buttons' image list.
void AddMDIGlyph(TImageList* List, const std::function<void(TCanvas*, const TRect&)>& Glyph) {
  TBitmap bitmap(14, 14, TPixelFormat::pf24bit);
  TCanvas* c = bitmap.Canvas();
  c->Brush()->SetColor(kKeyColor);
  c->FillRect(TRect(0, 0, 14, 14));
  Glyph(c, TRect(0, 0, 14, 14));
  List->AddMasked(&bitmap, kKeyColor);
}

bool HasIcon(TCustomForm* Form, TBorderIcon Icon) { return Form && Form->BorderIcons().Contains(Icon); }

// Minimizes every visible top-level form of the program that has a frame
// (pop-ups without a border, such as the floating ribbon, stay as they are).
void MinimizeApplication(TCustomForm* Fallback) {
  bool any = false;
  if (Screen)
    for (int i = Screen->FormCount() - 1; i >= 0; --i) {
      TCustomForm* f = Screen->Forms(i);
      if (!f || f->Parent() || !f->Visible() || f->FormStyle() == TFormStyle::fsMDIChild ||
          f->BorderStyle() == TFormBorderStyle::bsNone || f->WindowState() == TWindowState::wsMinimized)
        continue;
      f->SetWindowState(TWindowState::wsMinimized);
      any = true;
    }
  if (!any && Fallback) Fallback->SetWindowState(TWindowState::wsMinimized);
}

}  // namespace

// ---------------------------------------------------------------------------
// Making and styling

TAdvGlowButton* TAdvToolBarPager::MakeOwnButton(int Size, const String& Hint, TNotifyEvent Click) {
  auto* b = new TAdvGlowButton(this);
  b->SetBounds(0, 0, Size, Size);
  b->SetTransparent(true);
  b->SetCaption(L"");
  b->SetFocusType(TFocusType::ftNone);
  SetButtonHint(b, Hint);
  b->OnClick = std::move(Click);
  b->SetParent(this);
  return b;
}

void TAdvToolBarPager::ApplyGlowAppearance(TAdvGlowButton* Button) {
  if (!Button || !FGlowButtonAppearance) return;
  Button->Appearance()->Assign(FGlowButtonAppearance);
  Button->SetRounded(false);
  Button->Font()->SetName(GetSystemFontName());
}

void TAdvToolBarPager::StyleOwnButton(TAdvGlowButton* Button) {
  if (!Button) return;
  if (FItones && FGlowButtonAppearance)
    ApplyGlowAppearance(Button);
  else if (FCurrentToolBarStyler)
    Button->Appearance()->Assign(FCurrentToolBarStyler->GlowButtonAppearance());
}

void TAdvToolBarPager::SetCloseButtonHotColors(TAdvGlowButton* Button) {
  if (!Button) return;
  TGlowButtonAppearance* a = Button->Appearance();
  a->SetColorHot(RGB(255, 132, 131));
  a->SetColorHotTo(RGB(255, 132, 131));
  a->SetColorMirrorHot(RGB(241, 115, 115));
  a->SetColorMirrorHotTo(RGB(227, 97, 98));
  a->SetBorderColorHot(RGB(155, 61, 61));
  a->SetColorDown(RGB(255, 102, 102));
  a->SetColorDownTo(RGB(255, 102, 102));
  a->SetColorMirrorDown(RGB(255, 102, 102));
  a->SetColorMirrorDownTo(RGB(255, 102, 102));
  a->SetBorderColorDown(RGB(137, 54, 54));
}

void TAdvToolBarPager::SetHints(TPagerHints* Value) {
  FHints->Assign(Value);
  HintsChanged(FHints);
}

void TAdvToolBarPager::HintsChanged(TObject*) {
  SetButtonHint(FCaptionCloseBtn, FHints->MDICloseBtnHint());
  SetButtonHint(FCaptionMinBtn, FHints->MDIMinimizeBtnHint());
  SetButtonHint(FCaptionMaxBtn, FHints->MDIMaximizeBtnHint());
  SetButtonHint(FMDICloseBtn, FHints->MDICloseBtnHint());
  SetButtonHint(FMDIMinBtn, FHints->MDIMinimizeBtnHint());
  SetButtonHint(FMDIMaxBtn, FHints->MDIMaximizeBtnHint());
  SetButtonHint(FHelpBtn, FHints->HelpBtnHint());
}

void TAdvToolBarPager::UpdateOwnButtons(bool RefreshPictures) {
  UpdateCaptionButtons(RefreshPictures);
  UpdateMDIButtons(RefreshPictures);
  UpdateHelpButton();
  UpdateExpandCollapseButton();
}

void TAdvToolBarPager::RestyleOwnButtons(int Kind) {
  if (IsDestroying()) return;
  if (FToolBarStyler) {
    for (TAdvGlowButton* b : {FCaptionMinBtn, FCaptionMaxBtn, FCaptionCloseBtn, FHelpBtn, FExpCollapsBtn, FMDIMinBtn,
                              FMDIMaxBtn, FMDICloseBtn}) {
      if (!b) continue;
      b->Appearance()->Assign(FToolBarStyler->GlowButtonAppearance());
      if (b == FCaptionCloseBtn && !FIsAeroVista && FIsWin7) SetCloseButtonHotColors(b);
      b->Invalidate();
    }
  }
  if (Kind == StylerChange::PagerCaption) UpdateCaptionButtons(true);
  UpdateHelpButton();
  UpdateExpandCollapseButton();
}

// ---------------------------------------------------------------------------
// Caption buttons

void TAdvToolBarPager::UpdateCaptionButtons(bool RefreshPictures) {
  if (IsDestroying() || FUpdatingCaptionButtons) return;
  FUpdatingCaptionButtons = true;
  struct TDone {
    bool& Flag;
    ~TDone() { Flag = false; }
  } done{FUpdatingCaptionButtons};

  if (!FCaption->Visible() || FCaptionButtons.Empty()) {
    if (FCaptionCloseBtn || FCaptionMinBtn || FCaptionMaxBtn) FCaption->SetRightIndent(FOldCapRightIndent);
    FreeButton(FCaptionCloseBtn);
    FreeButton(FCaptionMinBtn);
    FreeButton(FCaptionMaxBtn);
    return;
  }
  int s = PagerCaptionButtonSize();
  if (!FCaptionCloseBtn) {
    FOldCapRightIndent = FCaption->RightIndent();
    FCaptionCloseBtn = MakeOwnButton(s, FHints->MDICloseBtnHint(), [this](TObject* B) { CaptionCloseClick(B); });
  }
  if (!FCaptionMinBtn)
    FCaptionMinBtn = MakeOwnButton(s, FHints->MDIMinimizeBtnHint(), [this](TObject* B) { CaptionMinClick(B); });
  if (!FCaptionMaxBtn)
    FCaptionMaxBtn = MakeOwnButton(s, FHints->MDIMaximizeBtnHint(), [this](TObject* B) { CaptionMaxClick(B); });

  for (TAdvGlowButton* b : {FCaptionCloseBtn, FCaptionMinBtn, FCaptionMaxBtn}) StyleOwnButton(b);
  if (!FIsAeroVista && FIsWin7) SetCloseButtonHotColors(FCaptionCloseBtn);

  int inset = GetPageInset();
  int top = GetCaptionRect().top + inset + (FItones ? 4 : 0);
  int closeLeft = Width() - inset - s - 2;
  FCaptionCloseBtn->SetBounds(closeLeft, top, s, s);
  FCaptionMaxBtn->SetBounds(closeLeft - 2 - s, top, s, s);
  FCaptionMinBtn->SetBounds(closeLeft - 2 * (s + 2), top, s, s);

  if (FIsAeroVista)
    FCaption->SetRightIndent(GetCaptionButtonsRect().Width());
  else
    FCaption->SetRightIndent(Max<int>(FCaption->RightIndent(), Width() - FCaptionMinBtn->Left()));

  if (RefreshPictures && FCurrentToolBarStyler) {
    TColor glyph = FItones && FTabAppearance ? FTabAppearance->TextColor() : FCurrentToolBarStyler->SysButtonColor();
    TColor hot = FCaptionCloseBtn->Appearance()->TextColorHot();
    bool restore = false;
    TCustomForm* form = ParentForm();
    if (form) restore = form->WindowState() != TWindowState::wsNormal;
    for (bool isHot : {false, true}) {
      TColor colour = isHot ? hot : glyph;
      auto pick = [isHot](TAdvGlowButton* b) { return isHot ? b->HotPicture() : b->Picture(); };
      DrawGlyphPicture(pick(FCaptionCloseBtn), s, [&](TCanvas* c, const TRect& r) { DrawCloseGlyph(c, r, colour, 2); });
      if (form)
        DrawGlyphPicture(pick(FCaptionMaxBtn), s, [&](TCanvas* c, const TRect& r) {
          if (restore)
            DrawRestoreGlyph(c, r, colour);
          else
            DrawMaximizeGlyph(c, r, colour);
        });
      DrawGlyphPicture(pick(FCaptionMinBtn), s, [&](TCanvas* c, const TRect& r) { DrawMinimizeGlyph(c, r, colour); });
    }
  }

  bool closeOn = FCaptionButtons.Contains(TCaptionButton::cbClose);
  bool minOn = FCaptionButtons.Contains(TCaptionButton::cbMinimize);
  bool maxOn = FCaptionButtons.Contains(TCaptionButton::cbMaximize);
  FCaptionCloseBtn->SetVisible(!FIsAeroVista && closeOn);
  FCaptionMinBtn->SetVisible(!FIsAeroVista && minOn);
  FCaptionMaxBtn->SetVisible(!FIsAeroVista && (maxOn || minOn));
  FCaptionCloseBtn->SetEnabled(closeOn);
  FCaptionMinBtn->SetEnabled(minOn);
  FCaptionMaxBtn->SetEnabled(maxOn);
  if (!IsDesigning()) {
    FCaptionCloseBtn->BringToFront();
    FCaptionMinBtn->BringToFront();
    FCaptionMaxBtn->BringToFront();
  }
}

void TAdvToolBarPager::CaptionCloseClick(TObject* Sender) {
  if (OnCloseButtonClick) {
    OnCloseButtonClick(Sender);
    return;
  }
  if (TCustomForm* form = ParentForm()) form->Close();
}

void TAdvToolBarPager::CaptionMaxClick(TObject* Sender) {
  if (OnMaxButtonClick) {
    OnMaxButtonClick(Sender);
    return;
  }
  TCustomForm* form = ParentForm();
  if (!form) return;
  if (form->WindowState() != TWindowState::wsNormal) {
    form->SetWindowState(TWindowState::wsNormal);
  } else {
    FCaptionClickXY = TPoint(-1, -1);
    form->SetWindowState(TWindowState::wsMaximized);
  }
  UpdateCaptionButtons(true);
}

void TAdvToolBarPager::CaptionMinClick(TObject* Sender) {
  if (OnMinButtonClick) {
    OnMinButtonClick(Sender);
    return;
  }
  TCustomForm* form = ParentForm();
  if (FMinimizeApp)
    MinimizeApplication(form);
  else if (form)
    form->SetWindowState(TWindowState::wsMinimized);
}

// ---------------------------------------------------------------------------
// MDI child buttons

void TAdvToolBarPager::CheckMDIChild() {
  if (IsDesigning() || IsDestroying()) return;
  TCustomForm* form = ParentForm();
  FMDIChildForm = FAutoMDIButtons && form ? form->ActiveMDIChild() : nullptr;
  bool visible = FMDIChildForm && FMDIChildForm->WindowState() == TWindowState::wsMaximized;
  if (visible == FMDIButtonsVisible) return;
  FMDIButtonsVisible = visible;
  UpdateMDIButtons(true);
  UpdateHelpButton();
  UpdateExpandCollapseButton();
}

void TAdvToolBarPager::UpdateMDIButtons(bool RefreshPictures) {
  if (IsDesigning() || IsDestroying()) return;
  TCustomForm* form = ParentForm();
  TCustomForm* child = form ? form->ActiveMDIChild() : nullptr;
  bool show = FMDIButtonsVisible && FAutoMDIButtons && form && !form->BorderIcons().Empty() &&
              (!child || child->WindowState() == TWindowState::wsMaximized);
  if (!show) {
    for (TAdvGlowButton* b : {FMDICloseBtn, FMDIMinBtn, FMDIMaxBtn})
      if (b) b->SetVisible(false);
    return;
  }
  int w = FMDIButtonsWidth;
  if (!FMDICloseBtn) FMDICloseBtn = MakeOwnButton(w, FHints->MDICloseBtnHint(), [this](TObject* B) { MDICloseClick(B); });
  if (!FMDIMinBtn) FMDIMinBtn = MakeOwnButton(w, FHints->MDIMinimizeBtnHint(), [this](TObject* B) { MDIMinClick(B); });
  if (!FMDIMaxBtn) FMDIMaxBtn = MakeOwnButton(w, FHints->MDIMaximizeBtnHint(), [this](TObject* B) { MDIMaxClick(B); });
  for (TAdvGlowButton* b : {FMDICloseBtn, FMDIMinBtn, FMDIMaxBtn}) StyleOwnButton(b);

  TRect r = GetMDIButtonsRect();
  int top = r.top + (r.Height() - FMDICloseBtn->Height()) / 2 - 4;
  FMDIMinBtn->SetBounds(r.left, top, w, w);
  FMDIMaxBtn->SetBounds(FMDIMinBtn->Left() + w + FMDIButtonsSpace, top, w, w);
  FMDICloseBtn->SetBounds(FMDIMaxBtn->Left() + w + FMDIButtonsSpace, top, w, w);

  if (RefreshPictures && FCurrentToolBarStyler) {
    if (GetGlobalWin7ScenicRibbon() && IsGlassActive(true)) {
      for (TAdvGlowButton* b : {FMDICloseBtn, FMDIMinBtn, FMDIMaxBtn}) b->SetImages(nullptr);
      LoadRibbonPicture(FMDICloseBtn->Picture(), L"ATBECCLOSE");
      if (child) LoadRibbonPicture(FMDIMaxBtn->Picture(), L"ATBECMAX");
      LoadRibbonPicture(FMDIMinBtn->Picture(), L"ATBECMIN");
    } else {
      if (!FMDIBtnImages) {
        FMDIBtnImages = new TImageList(this, 14, 14);
        FMDIBtnImages->SetColorDepth(TColorDepth::cd24Bit);
        FMDIBtnImages->SetMasked(true);
        FMDIBtnImages->SetDrawingStyle(TDrawingStyle::dsTransparent);
      }
      TColor colour = FCurrentToolBarStyler->PagerCaption()->TextColor();
      FMDIBtnImages->Clear();
      // Always three images, so that each button's index stays its own.
      AddMDIGlyph(FMDIBtnImages, [&](TCanvas* c, const TRect& g) { DrawCloseGlyph(c, g, colour, 2); });
      AddMDIGlyph(FMDIBtnImages, [&](TCanvas* c, const TRect& g) { DrawRestoreGlyph(c, g, colour); });
      AddMDIGlyph(FMDIBtnImages, [&](TCanvas* c, const TRect& g) { DrawMinimizeGlyph(c, g, colour); });
      int index = 0;
      for (TAdvGlowButton* b : {FMDICloseBtn, FMDIMaxBtn, FMDIMinBtn}) {
        b->Picture()->Assign(nullptr);
        b->SetImages(FMDIBtnImages);
        b->SetImageIndex(index++);
      }
    }
  }
  for (TAdvGlowButton* b : {FMDICloseBtn, FMDIMinBtn, FMDIMaxBtn}) b->SetVisible(true);
  FMDICloseBtn->SetEnabled(HasIcon(child, TBorderIcon::biSystemMenu));
  FMDIMinBtn->SetEnabled(HasIcon(child, TBorderIcon::biMinimize));
  FMDIMaxBtn->SetEnabled(HasIcon(child, TBorderIcon::biMaximize));
  FMDICloseBtn->BringToFront();
  FMDIMinBtn->BringToFront();
  FMDIMaxBtn->BringToFront();
}

void TAdvToolBarPager::MDICloseClick(TObject*) {
  TCustomForm* form = ParentForm();
  FMDIChildForm = form ? form->ActiveMDIChild() : nullptr;
  if (!FMDIChildForm || !FMDIButtonsVisible || FMDIChildForm->WindowState() != TWindowState::wsMaximized) return;
  FMDIChildForm->Close();
  CheckMDIChild();
  UpdateMDIButtons(false);
}

void TAdvToolBarPager::MDIMaxClick(TObject*) {
  TCustomForm* form = ParentForm();
  FMDIChildForm = form ? form->ActiveMDIChild() : nullptr;
  if (!FMDIChildForm || FMDIChildForm->WindowState() != TWindowState::wsMaximized ||
      !HasIcon(FMDIChildForm, TBorderIcon::biMaximize))
    return;
  FMDIChildForm->SetWindowState(TWindowState::wsNormal);
  UpdateMDIButtons(false);
}

void TAdvToolBarPager::MDIMinClick(TObject*) {
  TCustomForm* form = ParentForm();
  FMDIChildForm = form ? form->ActiveMDIChild() : nullptr;
  if (!FMDIChildForm || FMDIChildForm->WindowState() != TWindowState::wsMaximized ||
      !HasIcon(FMDIChildForm, TBorderIcon::biMinimize))
    return;
  FMDIChildForm->SetWindowState(TWindowState::wsMinimized);
}

// ---------------------------------------------------------------------------
// Help and expand/collapse

void TAdvToolBarPager::UpdateHelpButton() {
  if (IsDestroying()) return;
  if (!FShowHelpButton) {
    FreeButton(FHelpBtn);
    return;
  }
  int a = RoundI(20.0L * DPIFactor);
  if (!FHelpBtn)
    FHelpBtn = MakeOwnButton(a, FHints->HelpBtnHint(), [this](TObject*) {
      if (OnHelpClick) OnHelpClick(this);
    });
  if (FHelpButtonPicture->Empty()) {
    const wchar_t* name = DPIFactor >= 2 ? L"ATBHELPHD_BTN"
                          : (GetGlobalWin7ScenicRibbon() && IsGlassActive(true)) || FGroupStyle != TGroupStyle::gsClassic
                              ? L"ATBHELP_BTN2"
                              : L"ATBHELP_BTN";
    LoadRibbonPicture(FHelpBtn->Picture(), name);
  } else {
    FHelpBtn->Picture()->Assign(FHelpButtonPicture);
  }
  StyleOwnButton(FHelpBtn);
  TRect r = GetHelpButtonRect();
  FHelpBtn->SetBounds(r.left, r.top, r.Width(), r.Height());
  FHelpBtn->BringToFront();
}

void TAdvToolBarPager::UpdateExpandCollapseButton() {
  if (IsDestroying()) return;
  if (!FShowExpandCollapsButton) {
    FreeButton(FExpCollapsBtn);
    return;
  }
  if (!FExpCollapsBtn) {
    FExpCollapsBtn = MakeOwnButton(RoundI(20.0L * DPIFactor), L"", [](TObject*) {});
    FExpCollapsBtn->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
      ExpandCollapseBtnMouseUp(Sender, Button, Shift, X, Y);
    };
  }
  StyleOwnButton(FExpCollapsBtn);
  UpdateExpandCollapseButtonPicture();
  TRect r = GetExpandCollapseButtonRect();
  FExpCollapsBtn->SetBounds(r.left, r.top, r.Width(), r.Height());
  FExpCollapsBtn->BringToFront();
}

void TAdvToolBarPager::UpdateExpandCollapseButtonPicture() {
  if (!FExpCollapsBtn || IsDestroying()) return;
  // The row: HD, the flat group styles', or the classic one; within it the
  // pin, up or down.
  int state = FloatingRibbonShowing() ? 2 : FExpanded ? 0 : 1;
  static const wchar_t* const kRows[3][3] = {
      {L"ATBECUP_BTN", L"ATBECDOWN_BTN", L"ATBECNCH_BTN"},
      {L"ATBECUPF_BTN", L"ATBECDOWNF_BTN", L"ATBECNCHF_BTN"},
      {L"ATBECUPHD_BTN", L"ATBECDOWNHD_BTN", L"ATBECNCHHD_BTN"},
  };
  int row = DPIFactor >= 2 ? 2 : FGroupStyle != TGroupStyle::gsClassic ? 1 : 0;
  LoadRibbonPicture(FExpCollapsBtn->Picture(), kRows[row][state]);
  FExpCollapsBtn->Invalidate();
}

void TAdvToolBarPager::ExpandCollapseBtnMouseUp(TObject* Sender, TMouseButton Button, TShiftState, int X, int Y) {
  // Only a left button released over the button counts.
  auto* b = static_cast<TAdvGlowButton*>(Sender);
  if (Button != TMouseButton::mbLeft || X < 0 || Y < 0 || X >= b->Width() || Y >= b->Height()) return;
  if (!FExpanded && FloatingRibbonShowing()) return;
  SetExpanded(!FExpanded);
}

// ---------------------------------------------------------------------------
// Saved state

void TAdvToolBarPager::SaveState() {
  if (!FPersistence->Enabled()) return;
  // The quick access toolbar's place is kept while it is hidden, and when it
  // went before the pager, as it was last set.
  auto* qat = dynamic_cast<TAdvCustomQuickAccessToolBar*>(FQuickAccessToolBar);
  bool below = qat ? qat->FullSize() : FShowQATBelow;
  SaveRibbonState(FPersistence, !FExpanded, below);
}

void TAdvToolBarPager::LoadState() {
  if (!FPersistence->Enabled()) return;
  bool minimized = !FExpanded, below = ShowQATBelow();
  LoadRibbonState(FPersistence, minimized, below);
  if (minimized) Collaps();
  if (below) SetShowQATBelow(true);
}
