// The pager coloured from a tone set: SetColorTones switches it into the
// flat mode, SetOfficeTones colours it for the Office 2013/2016 and Windows
// 8 styles. While tones are on, painting, tab measuring and the pager's own
// buttons read the pager's own appearances instead of the styler's.
#include "ui/toolbar/bars/ToolBarPaint.h"
#include "ui/toolbar/ribbon/AdvPage.h"
#include "ui/toolbar/ribbon/AdvQuickAccessToolBar.h"
#include "ui/toolbar/ribbon/AdvToolBarForm.h"
#include "ui/toolbar/ribbon/AdvToolBarPager.h"
#include "ui/toolbar/ribbon/CaptionLayer.h"

namespace {
struct TBeingSet {
  bool& Flag;
  explicit TBeingSet(bool& F) : Flag(F) { Flag = true; }
  ~TBeingSet() { Flag = false; }
};

TAdvToolBarForm* RibbonFormOf(TWinControl* Parent) { return dynamic_cast<TAdvToolBarForm*>(Parent); }

// Tones wait while loading, and while a ribbon form holds its own back until
// it has loaded.
bool TonesHeldBack(TWinControl* Parent) {
  TAdvToolBarForm* form = RibbonFormOf(Parent);
  return form && form->TonesDeferred();
}

// The quick access toolbar in the tones' colours, laid out again.
void ToneQAT(TWinControl* Control, TColor Color, const TColorTones& Tones) {
  auto* qat = dynamic_cast<TAdvCustomQuickAccessToolBar*>(Control);
  if (!qat) return;
  qat->SetColor(Color);
  qat->Update();
  qat->ApplyColorTones(Tones);
}
}  // namespace

void TAdvToolBarPager::MakeOwnAppearances() {
  if (!FPageAppearance) FPageAppearance = new TVistaPageBackground();
  if (!FTabAppearance) FTabAppearance = new TTabAppearance();
  if (!FGlowButtonAppearance) FGlowButtonAppearance = new TGlowButtonAppearance();
  if (!FPageGlowButtonAppearance) FPageGlowButtonAppearance = new TGlowButtonAppearance();
  if (!FToolBarAppearance) FToolBarAppearance = new TToolBarAppearance();
  if (!FCaptionAppearance) FCaptionAppearance = new TCaptionAppearance();
  if (!FGroupAppearance) FGroupAppearance = new TGroupAppearance();
}

void TAdvToolBarPager::SetMetroMode() {
  if (FMetro) return;
  FOldAeroVista = FIsAeroVista;
  SetAeroVista(false);
  FMetro = FItones = true;
  FTabRoundEdges = FShow3D = FShadow = false;
  SetDoubleBuffered(true);
  FUseCaptionLayer = false;
  if (FCaptionLayer) FCaptionLayer->SetVisible(false);
  RemoveWindowRegion();
  TControlStyle style = ControlStyle();
  style.Exclude(TControlStyleItem::csParentBackground);
  SetControlStyle(style);
}

void TAdvToolBarPager::RevertMetroMode() {
  if (!FMetro) return;
  FItones = FMetro = false;
  SetAeroVista(FOldAeroVista);
  FUseCaptionLayer = true;
  PlaceCaptionLayer();
  FTabRoundEdges = FShow3D = FShadow = true;
  SetDoubleBuffered(true);
  UpdateOwnButtons(true);
  if (FIsAeroVista) {
    TControlStyle style = ControlStyle();
    style.Include(TControlStyleItem::csParentBackground);
    SetControlStyle(style);
  }
  if (TAdvToolBarForm* form = RibbonFormOf(Parent())) form->RevertMetroMode();
  for (int i = 0; i < AdvPageCount(); ++i) AdvPages(i)->ClearColorTones();
  if (auto* w = dynamic_cast<TWinControl*>(FindApplicationButton()); w && w->HandleAllocated())
    SendMessageW(w->Handle(), WM_TBSETMETRO, 0, 0);
  if (HandleAllocated()) RecreateWnd();
}

void TAdvToolBarPager::AfterTonesSet() {
  PlaceAllPages();
  UpdateOwnButtons(true);
  ResetTabLayout();
  FitTabs();
  for (int i = 0; i < AdvPageCount(); ++i) AdvPages(i)->ApplyColorTones();
  Invalidate();
  if (TAdvPage* page = ActivePage()) page->Invalidate();
  SetWidth(Width() - 1);
  SetWidth(Width() + 1);
}

void TAdvToolBarPager::SetColorTones(const TColorTones& T) {
  if (FItonesBeingSet || IsLoading() || TonesHeldBack(Parent())) return;
  TBeingSet guard(FItonesBeingSet);
  SetMetroMode();
  MakeOwnAppearances();
  TVistaPageBackground* page = FPageAppearance;
  page->SetColor(T.Background.BrushColor);
  page->SetBorderColor(T.Foreground.BorderColor);
  page->SetColorTo(clNone), page->SetColorMirror(clNone), page->SetColorMirrorTo(clNone);
  FCaptionAppearance->SetCaptionColor(T.Background.BrushColor);
  FCaptionAppearance->SetCaptionTextColor(T.Background.TextColor);
  TTabAppearance* tab = FTabAppearance;
  tab->ClearColors();
  tab->BackGround()->SetColor(T.Selected.BrushColor);
  tab->BackGround()->SetColorTo(clNone);
  tab->SetColor(tab->BackGround()->Color());
  tab->SetTextColor(T.Background.TextColor);
  tab->SetColorSelected(T.Background.BrushColor);
  tab->SetBorderColorSelected(T.Background.BrushColor);
  tab->SetTextColorSelected(T.Background.TextColor);
  tab->SetColorHot(T.Hover.BrushColor);
  tab->SetBorderColorHot(T.Hover.BorderColor);
  tab->SetTextColorHot(T.Hover.TextColor);
  tab->SetColorDisabled(T.Disabled.BrushColor);
  tab->SetBorderColorDisabled(T.Disabled.BorderColor);
  tab->SetTextColorDisabled(T.Disabled.TextColor);
  tab->SetBorderColorSelectedHot(tab->BorderColorSelected());
  FToolBarAppearance->Color()->SetColor(T.Background.BrushColor);
  FToolBarAppearance->Color()->SetColorTo(clNone);
  FToolBarAppearance->ColorHot()->SetColor(clNone);
  FToolBarAppearance->ColorHot()->SetColorTo(clNone);
  FToolBarAppearance->SetBorderColor(T.Foreground.BorderColor);
  FToolBarCaptionTextColor = T.Background.TextColor;
  TGlowButtonAppearance* glow = FGlowButtonAppearance;
  ClearGlowButtonAppearance(glow);
  glow->SetColor(T.Background.BrushColor), glow->SetColorMirror(T.Background.BrushColor);
  glow->SetColorHot(T.Hover.BrushColor), glow->SetColorMirrorHot(T.Hover.BrushColor);
  glow->SetBorderColorHot(T.Hover.BorderColor), glow->SetTextColorHot(T.Hover.TextColor);
  glow->SetColorDown(T.Selected.BrushColor), glow->SetColorMirrorDown(T.Selected.BrushColor);
  glow->SetBorderColorDown(T.Selected.BorderColor), glow->SetTextColorDown(T.Selected.TextColor);
  ClearGlowButtonAppearance(FPageGlowButtonAppearance);
  FPageGlowButtonAppearance->Assign(glow);
  FGroupAppearance->SetColor(T.Selected.BrushColor);
  FGroupAppearance->SetColorTo(clNone), FGroupAppearance->SetColorMirror(clNone);
  FGroupAppearance->SetColorMirrorTo(clNone);
  FGroupAppearance->SetTextColor(T.Selected.TextColor);
  SetColor(T.Background.BrushColor);
  ToneQAT(FQuickAccessToolBar, T.Background.BrushColor, T);
  if (TAdvToolBarForm* form = RibbonFormOf(Parent())) {
    form->SetColorTones(T);
    form->SetToneBorderWidth(2);
  }
  if (auto* w = dynamic_cast<TWinControl*>(FindApplicationButton()); w && w->HandleAllocated())
    SendMessageW(w->Handle(), WM_TBSETMETRO, 1, 0);
  AfterTonesSet();
}

void TAdvToolBarPager::SetOfficeTones(const TOfficeTones& O, TGroupStyle GroupStyle) {
  if (FItonesBeingSet || IsLoading() || TonesHeldBack(Parent()) || !O.App) return;
  TAppColor* app = O.App;
  TColorTones b = O.Buttons;
  b.Hover = {app->HoverColor(), app->HoverBorderColor(), app->HoverTextColor()};
  b.Selected = {app->SelectedColor(), app->SelectedBorderColor(), app->SelectedTextColor()};
  TBeingSet guard(FItonesBeingSet);
  FOffice2013 = true;
  FGroupStyle = GroupStyle;
  if (GroupStyle == TGroupStyle::gsOffice2013) {
    FMetro = false;
    SetMetroMode();
  } else {
    RevertMetroMode();
    FItones = true;
    SetGlobalWin7ScenicRibbon(true);
    FShow3D = FShadow = false;
    SetDoubleBuffered(true);
  }
  MakeOwnAppearances();
  TVistaPageBackground* page = FPageAppearance;
  page->SetColor(O.Tab.Background.BrushColor);
  page->SetBorderColor(b.Foreground.BorderColor);
  page->SetColorTo(clNone), page->SetColorMirror(clNone), page->SetColorMirrorTo(clNone);
  FCaptionAppearance->SetCaptionColor(O.Pager.Background.BrushColor);
  FCaptionAppearance->SetCaptionTextColor(O.Pager.Background.TextColor);
  FTabRoundEdges = false;
  TTabAppearance* tab = FTabAppearance;
  tab->ClearColors();
  tab->BackGround()->SetColor(O.Pager.Background.BrushColor);
  tab->BackGround()->SetColorTo(clNone);
  tab->SetColor(tab->BackGround()->Color());
  tab->SetTextColor(O.Tab.Background.TextColor);
  tab->SetColorSelected(O.Tab.Background.BrushColor);
  tab->SetBorderColorSelected(O.Tab.Selected.BorderColor);
  tab->SetColorHot(O.Tab.Hover.BrushColor);
  tab->SetColorHotTo(clNone);
  tab->SetBorderColorHot(O.Tab.Hover.BorderColor);
  tab->SetTextColorHot(GroupStyle == TGroupStyle::gsOffice2013 ? app->AppButtonColor() : O.Tab.Hover.TextColor);
  tab->SetTextColorSelected(GroupStyle == TGroupStyle::gsOffice2016 ? O.Tab.Selected.TextColor : tab->TextColorHot());
  tab->SetColorDisabled(O.Tab.Disabled.BrushColor);
  tab->SetBorderColorDisabled(O.Tab.Disabled.BorderColor);
  tab->SetTextColorDisabled(O.Tab.Disabled.TextColor);
  tab->SetBorderColorSelectedHot(tab->BorderColorSelected());
  FToolBarAppearance->Color()->SetColor(O.Tab.Background.BrushColor);
  FToolBarAppearance->Color()->SetColorTo(clNone);
  FToolBarAppearance->ColorHot()->SetColor(clNone);
  FToolBarAppearance->ColorHot()->SetColorTo(clNone);
  FToolBarAppearance->SetBorderColor(b.Foreground.BorderColor);
  FToolBarCaptionTextColor = clGray;
  TGlowButtonAppearance* glow = FGlowButtonAppearance;
  ClearGlowButtonAppearance(glow);
  glow->SetColor(O.Tab.Background.BrushColor);
  glow->SetColorMirror(b.Background.BrushColor);
  glow->SetColorHot(app->HoverColor()), glow->SetColorMirrorHot(app->HoverColor());
  glow->SetBorderColorHot(app->HoverBorderColor()), glow->SetTextColorHot(app->HoverTextColor());
  glow->SetColorDown(app->SelectedColor()), glow->SetColorMirrorDown(app->SelectedColor());
  glow->SetColorChecked(app->SelectedColor());
  glow->SetColorCheckedTo(clNone), glow->SetColorMirrorChecked(clNone), glow->SetColorMirrorCheckedTo(clNone);
  glow->SetBorderColorDown(app->SelectedBorderColor()), glow->SetBorderColorChecked(app->SelectedBorderColor());
  glow->SetTextColorDown(app->SelectedTextColor());
  ClearGlowButtonAppearance(FPageGlowButtonAppearance);
  FPageGlowButtonAppearance->Assign(glow);
  SetColor(b.Background.BrushColor);
  ToneQAT(FQuickAccessToolBar, O.Pager.Background.BrushColor, b);
  const bool office = GroupStyle == TGroupStyle::gsOffice2013 || GroupStyle == TGroupStyle::gsOffice2016;
  if (TAdvToolBarForm* form = RibbonFormOf(Parent()); form && office) {
    form->SetColorTones(b);
    form->SetThickBorder(false);
    form->SetBorderClr(app->AppButtonColor());
    form->SetToneBorderWidth(2);
    form->SetOffice2013(true);
  }
  if (office) {
    MetroTones.Background.BrushColor = O.Tab.Background.BrushColor;
    MetroTones.Background.BorderColor = O.Tab.Background.BrushColor;
    MetroTones.Background.TextColor = clBlack;
    MetroTones.Hover = {app->HoverColor(), app->HoverBorderColor(), app->HoverTextColor()};
    MetroTones.Selected = {app->SelectedColor(), app->SelectedBorderColor(), app->SelectedTextColor()};
  }
  Office2013Tones.Background.BrushColor = app->AppButtonColor();
  Office2013Tones.Background.TextColor = app->TextColor();
  Office2013Tones.Hover.BrushColor = app->AppButtonHoverColor();
  Office2013Tones.Hover.BorderColor = app->HoverBorderColor();
  Office2013Tones.Selected.BrushColor = app->AppButtonColor();
  Office2013Tones.Selected.TextColor = app->SelectedTextColor();
  Office2013Tones.Selected.BorderColor = app->SelectedBorderColor();
  if (auto* w = dynamic_cast<TWinControl*>(FindApplicationButton()); w && w->HandleAllocated())
    SendMessageW(w->Handle(), WM_TBSETOFFICE2013, 1, 0);
  AfterTonesSet();
}
