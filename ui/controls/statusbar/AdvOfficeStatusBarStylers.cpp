#include "ui/controls/statusbar/AdvOfficeStatusBarStylers.h"

#include "ui/controls/statusbar/AdvOfficeStatusBar.h"

namespace OfficeStatusBar {

// ---------------------------------------------------------------------------
// TVistaBackground

TVistaBackground::TVistaBackground() = default;

void TVistaBackground::Changed() {
  if (OnChange) OnChange(this);
}

void TVistaBackground::Store(TColor& Field, TColor Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TVistaBackground::SetBorderColor(TColor Value) { Store(FBorderColor, Value); }
void TVistaBackground::SetBorderColorHot(TColor Value) { FBorderColorHot = Value; }
void TVistaBackground::SetBorderColorDown(TColor Value) { Store(FBorderColorDown, Value); }
void TVistaBackground::SetColor(TColor Value) { Store(FColor, Value); }
void TVistaBackground::SetColorTo(TColor Value) { Store(FColorTo, Value); }
void TVistaBackground::SetColorDown(TColor Value) { Store(FColorDown, Value); }
void TVistaBackground::SetColorDownTo(TColor Value) { Store(FColorDownTo, Value); }
void TVistaBackground::SetColorMirror(TColor Value) { Store(FColorMirror, Value); }
void TVistaBackground::SetColorMirrorTo(TColor Value) { Store(FColorMirrorTo, Value); }
void TVistaBackground::SetColorMirrorDown(TColor Value) { Store(FColorMirrorDown, Value); }
void TVistaBackground::SetColorMirrorDownTo(TColor Value) { Store(FColorMirrorDownTo, Value); }
void TVistaBackground::SetTextColor(TColor Value) { Store(FTextColor, Value); }
void TVistaBackground::SetTextColorDown(TColor Value) { Store(FTextColorDown, Value); }

void TVistaBackground::SetSteps(int Value) {
  if (FSteps == Value) return;
  FSteps = Value;
  Changed();
}

void TVistaBackground::SetTextStyle(TFontStyles Value) {
  FTextStyle = Value;
  Changed();
}

void TVistaBackground::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TVistaBackground*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FSteps = s->FSteps;
  FColor = s->FColor;
  FColorTo = s->FColorTo;
  FColorMirror = s->FColorMirror;
  FColorMirrorTo = s->FColorMirrorTo;
  FColorHot = s->FColorHot;
  FColorHotTo = s->FColorHotTo;
  FColorMirrorHot = s->FColorMirrorHot;
  FColorMirrorHotTo = s->FColorMirrorHotTo;
  FColorDown = s->FColorDown;
  FColorDownTo = s->FColorDownTo;
  FColorMirrorDown = s->FColorMirrorDown;
  FColorMirrorDownTo = s->FColorMirrorDownTo;
  FBorderColor = s->FBorderColor;
  FBorderColorHot = s->FBorderColorHot;
  FBorderColorDown = s->FBorderColorDown;
  FTextColor = s->FTextColor;
  FTextColorHot = s->FTextColorHot;
  FTextColorDown = s->FTextColorDown;
  SetTextStyle(s->FTextStyle);
}

// ---------------------------------------------------------------------------
// TNotifierWindow

void TNotifierWindow::WndProc(TMessage& Message) {
  if ((Message.Msg == WM_THEMECHANGED || Message.Msg == WM_OFFICETHEMECHANGE) && OnThemeChange) OnThemeChange(this);
  TWinControl::WndProc(Message);
}

void TNotifierWindow::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style &= ~WS_VISIBLE;
  if (!Params.WndParent) Params.Style = (Params.Style & ~WS_CHILD) | WS_POPUP;
}

}  // namespace OfficeStatusBar

using OfficeStatusBar::TVistaBackground;

// ---------------------------------------------------------------------------
// TCustomAdvOfficeStatusBarStyler

TCustomAdvOfficeStatusBarStyler::TCustomAdvOfficeStatusBarStyler(TComponent* AOwner)
    : TComponent(AOwner),
      FControlList(new TDbgList),
      FPanelAppearanceLight(new TVistaBackground),
      FPanelAppearanceDark(new TVistaBackground) {
  FPanelAppearanceLight->OnChange = [this](TObject* s) { AppearanceChanged(s); };
  FPanelAppearanceDark->OnChange = [this](TObject* s) { AppearanceChanged(s); };
}

void TCustomAdvOfficeStatusBarStyler::Destroy() {
  FPanelAppearanceLight->OnChange = nullptr;
  FPanelAppearanceDark->OnChange = nullptr;
  TComponent::Destroy();
}

void TCustomAdvOfficeStatusBarStyler::AddControl(TControl* Bar) { FControlList->Add(Bar); }

void TCustomAdvOfficeStatusBarStyler::RemoveControl(TControl* Bar) {
  int i = FControlList->IndexOf(Bar);
  if (i >= 0) FControlList->Delete(i);
}

void TCustomAdvOfficeStatusBarStyler::Change(int Kind) {
  // A repaint may change the list (a bar taking another styler): walk a copy
  // and skip bars that have left meanwhile.
  TDbgList list;
  list.AssignList(FControlList);
  for (int i = 0; i < list.Count(); ++i) {
    auto* c = static_cast<TControl*>(list.GetItemsEx(i));
    if (FControlList->IndexOf(c) < 0) continue;
    if (auto* bar = dynamic_cast<TAdvOfficeStatusBar*>(c)) bar->StylerChanged(Kind);
  }
}

void TCustomAdvOfficeStatusBarStyler::SetBorderColor(TColor Value) {
  if (FBorderColor == Value) return;
  FBorderColor = Value;
  Change(1);
}

void TCustomAdvOfficeStatusBarStyler::SetAutoThemeAdapt(bool Value) {
  if (FAutoThemeAdapt == Value) return;
  FAutoThemeAdapt = Value;
  ThemeChanged();
}

void TCustomAdvOfficeStatusBarStyler::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TCustomAdvOfficeStatusBarStyler*>(Source);
  if (!s) {
    TComponent::Assign(Source);
    return;
  }
  SetAutoThemeAdapt(s->FAutoThemeAdapt);
  FPanelAppearanceLight->Assign(s->FPanelAppearanceLight);
  FPanelAppearanceDark->Assign(s->FPanelAppearanceDark);
  SetBorderColor(s->FBorderColor);
}

void TCustomAdvOfficeStatusBarStyler::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && !IsDestroying()) {
    int i;
    while ((i = FControlList->IndexOf(AComponent)) >= 0) FControlList->Delete(i);
  }
}

// ---------------------------------------------------------------------------
// The built-in colour sets

namespace {

using S = TOfficeStatusBarStyle;
// A value a style leaves as it is.
constexpr TColor K = 0x2FFFFFFF;
constexpr TColor N = clNone;
constexpr TColor Wh = clWhite;
constexpr TColor Bk = clBlack;

struct TNormalSet {
  TColor Border, Color, ColorTo, Mirror, MirrorTo, Text, TextHot, TextDown;
};
struct TStateSet {
  TColor Hot[4];
  TColor BorderHot;
  TColor Down[4];
  TColor BorderDown;
};
struct TStyleRow {
  TColor BarBorder;
  TNormalSet Light, Dark;
};

const TStyleRow kRows[24] = {
    /* 2003Blue */ {0xE4AE88, {0xE3B28D, 0xFADDC6, 0xE2A982, 0xE2A982, 0xE2A982, Bk, Bk, Bk},
                    {N, 0xD38355, 0x9C430F, 0x9C430F, 0x9C430F, Wh, Wh, Wh}},
    /* 2003Silver */ {0xB39698, {N, 0xF7F3F3, 0xE6D8D8, 0xE6D8D8, 0xE6D8D8, Bk, K, K},
                      {N, 0xE6D8D8, 0xB79B9D, 0xB79B9D, 0xB79B9D, Wh, Wh, Wh}},
    /* 2003Olive */ {0x8CC0B1, {N, 0xCFF0EA, 0x90C3B5, 0x90C3B5, 0x90C3B5, Bk, Bk, Bk},
                     {N, 0x81BFAE, 0x4D846E, 0x4D846E, 0x4D846E, Wh, K, K}},
    /* 2003Classic */ {0xC9D1D5, {N, Wh, 0xC9D1D5, N, N, Bk, Bk, Bk}, {N, clGray, clGray, N, N, Wh, Wh, Wh}},
    /* 2007Luna */ {0xB07D56, {N, 0xF9E6D7, 0xF8DCC7, 0xF5D0B3, 0xF7E0CD, 0x612009, Bk, Bk},
                    {N, 0xF8DCC5, 0xF5B687, 0xEAB690, 0xC29574, 0x612009, 0x612009, 0x612009}},
    /* 2007Obsidian */ {0x414141, {N, 0x414141, 0x30302F, 0x30302F, 0x4C4C4C, Wh, Wh, Wh},
                        {N, 0xA19F9E, 0x635F5E, 0x635F5E, 0x534D4B, Wh, Wh, Wh}},
    /* WindowsXP */ {clSilver, {N, clBtnFace, clBtnFace, clBtnFace, clBtnFace, Bk, Bk, Bk},
                     {N, Wh, clBtnFace, clBtnFace, clBtnFace, Bk, Bk, Bk}},
    /* Whidbey */ {0xA8C0C0, {N, 0xF5F9FA, 0xA8C0C0, N, N, Bk, Bk, Bk}, {N, 0xEBEEEF, 0x7E9898, N, N, Bk, K, K}},
    /* Custom */ {},
    /* 2007Silver */ {0x766A61, {N, 0xEBE8E7, 0xC7BBB5, 0xB7B0AA, 0xCEC9C7, 0x2A2623, Bk, Bk},
                      {N, 0xEBE8E7, 0xC7BBB6, 0xBAB4AE, 0xAFABA5, 0x2A2623, 0x612009, 0x612009}},
    /* WindowsVista */ {0xFCF2DA, {N, Wh, Wh, N, N, Bk, Bk, Bk}, {N, 0xFBEDD3, 0xFBEDD3, N, N, Bk, Bk, Bk}},
    /* Windows7 */ {0x919191, {0xEDEDF1, 0xEDEDF1, 0xEDEDF1, N, N, Bk, Bk, Bk},
                    {0xEDEDF1, 0xEDEDF1, 0xEDEDF1, N, N, Bk, Bk, Bk}},
    /* Terminal */ {clGray, {clGray, clBtnFace, clBtnFace, clBtnFace, clBtnFace, Bk, Bk, Bk},
                    {clGray, clSilver, clSilver, clSilver, clSilver, Bk, Bk, Bk}},
    /* 2010Blue */ {0xA78F79, {N, 0xFDF6EF, 0xF0DAC7, N, N, 0x73391F, 0x73391F, 0x73391F},
                    {N, 0xF6E8DC, 0xA78F79, N, N, 0x73391F, 0x73391F, 0x73391F}},
    /* 2010Silver */ {0xA39A93, {N, Wh, 0xEDE5E0, N, N, Bk, Bk, Bk}, {N, 0xEEEAE6, 0xA39A93, N, N, Bk, Bk, Bk}},
    /* 2010Black */ {0x2C2C2C, {N, 0xBFBFBF, 0x919191, N, N, Bk, Bk, Bk}, {N, 0x4B4B4B, 0x323232, N, N, Bk, Bk, Bk}},
    /* Windows8 */ {0xDCDBDA, {N, Wh, Wh, Wh, Wh, Bk, Bk, Bk},
                    {0xDCDBDA, 0xF7F6F5, 0xF7F6F5, 0xF7F6F5, 0xF7F6F5, Bk, Bk, Bk}},
    /* 2013White */ {0xD4D4D4, {N, Wh, Wh, N, N, Bk, Bk, Bk}, {0xD4D4D4, 0xEEEEEE, 0xEEEEEE, N, N, Bk, Bk, Bk}},
    /* 2013LightGray */ {0xC6C6C6, {N, 0xFAFAFA, 0xFAFAFA, N, N, Bk, Bk, Bk},
                         {0xC6C6C6, 0xF6F6F6, 0xF6F6F6, N, N, Bk, Bk, Bk}},
    /* 2013Gray */ {0xABABAB, {N, 0xF3F3F3, 0xF3F3F3, N, N, Bk, Bk, Bk},
                    {0xABABAB, 0xE5E5E5, 0xE5E5E5, N, N, Bk, Bk, Bk}},
    /* Windows10 */ {0xDCDBDA, {N, Wh, Wh, Wh, Wh, Bk, Bk, Bk},
                     {0xDCDBDA, 0xF7F6F5, 0xF7F6F5, 0xF7F6F5, 0xF7F6F5, Bk, Bk, Bk}},
    /* 2016White */ {Wh, {N, Wh, Wh, N, N, Bk, Bk, Bk}, {N, Wh, Wh, N, N, Wh, Wh, Wh}},
    /* 2016Gray */ {0x444444, {N, 0x6A6A6A, 0x6A6A6A, N, N, Wh, Wh, Wh}, {N, 0x595959, 0x595959, N, N, Wh, Wh, Wh}},
    /* 2016Black */ {0x444444, {0x444444, 0x2D2D2D, 0x2D2D2D, N, N, Wh, Wh, Wh},
                     {0x463F3F, 0x252525, 0x252525, N, N, Wh, Wh, Wh}},
};

constexpr TStateSet kOffice2003(TColor BorderDown) {
  return {{0xD4FBFF, 0x63C4F7, 0x63C4F7, 0x63C4F7}, clGray, {0x8CE1FA, 0x1D9AEF, 0x1D9AEF, 0x1D9AEF}, BorderDown};
}
constexpr TStateSet kOffice2007{{0xFBFFFF, 0xC0F0FF, 0x6BD8FF, 0xA0E6FC}, 0x99CEDB,
                                {0x77B4F7, 0x459AF9, 0x1982F8, 0x03AEFF}, 0x45667B};
constexpr TStateSet kOffice2010{{0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD}, 0x58CAF1,
                                {0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF}, 0x308AC2};
constexpr TStateSet kWindows8{{0xF7EFE8, 0xF7EFE8, 0xF7EFE8, 0xF7EFE8}, 0xF9CEA4,
                              {0xF7E0C9, 0xF7E0C9, 0xF7E0C9, 0xF7E0C9}, 0xE4A262};
constexpr TStateSet kOffice2013{{0xFCF0E4, 0xFCF0E4, 0xFCF0E4, 0xFCF0E4}, 0xEAB47E,
                                {0xFCE2C8, 0xFCE2C8, 0xFCE2C8, 0xFCE2C8}, 0xE59D56};
constexpr TStateSet Uniform(TColor Hot, TColor BorderHot, TColor Down, TColor BorderDown) {
  return {{Hot, Hot, Hot, Hot}, BorderHot, {Down, Down, Down, Down}, BorderDown};
}

// The hot and pressed colours of the light (first) and the dark appearance.
void StateSets(S Style, TColor AppColor, TStateSet& Light, TStateSet& Dark) {
  switch (Style) {
    case S::psOffice2003Blue: Light = Dark = kOffice2003(0x9C430F); return;
    case S::psOffice2003Silver: Light = Dark = kOffice2003(0xB79B9D); return;
    case S::psOffice2003Olive: Light = Dark = kOffice2003(0x4D846E); return;
    case S::psWhidbey: Light = Dark = kOffice2003(clBlack); return;
    case S::psOffice2003Classic:
      Light = {{0xD2BDB6, 0xD2BDB6, 0xD2BDB6, 0xD2BDB6}, clGray, {0xE2B598, 0xE2B598, N, N}, clBlack};
      Dark = {{0xD2BDB6, 0xD2BDB6, N, N}, clGray, {0xE2B598, 0xE2B598, N, N}, clBlack};
      return;
    case S::psOffice2007Luna:
    case S::psOffice2007Obsidian:
    case S::psOffice2007Silver: Light = Dark = kOffice2007; return;
    case S::psWindowsXP:
      Light = Dark = {{0xEFD3C6, 0xEFD3C6, N, N}, clGray, {0xB59284, 0xB59284, N, N}, clBlack};
      return;
    case S::psWindowsVista:
      Light = Dark = {{0xFFFDF9, 0xFFFAF0, 0xFFFAF0, 0xFFFDF9}, 0xFEDF9A, {0xFEF9F0, 0xFDF0D7, 0xFDF0D7, 0xFEF9F0},
                      clHighlight};
      return;
    case S::psWindows7:
      Light = {{0xEDEDF1, 0xEDEDF1, N, N}, 0xD7D7D7, {0xEDEDF1, 0xEDEDF1, N, N}, 0xEDEDF1};
      Dark = {{0xEDEDF1, 0xEDEDF1, N, N}, 0xEDEDF1, {0xEDEDF1, 0xEDEDF1, N, N}, 0xEDEDF1};
      return;
    case S::psTerminal: Light = Dark = Uniform(clGray, clSilver, clHighlight, clGray); return;
    case S::psOffice2010Blue:
    case S::psOffice2010Silver:
    case S::psOffice2010Black: Light = Dark = kOffice2010; return;
    case S::psWindows8:
    case S::psWindows10: Light = Dark = kWindows8; return;
    case S::psOffice2013White:
    case S::psOffice2013LightGray:
    case S::psOffice2013Gray: Light = Dark = kOffice2013; return;
    case S::psOffice2016White: {
      TColor hot = ChangeColorBrightness(AppColor, -10);
      Light = Uniform(hot, hot, ChangeColorBrightness(AppColor, 20), ChangeColorBrightness(AppColor, 20));
      Dark = Uniform(hot, hot, ChangeColorBrightness(clWhite, 20), ChangeColorBrightness(clWhite, 20));
      return;
    }
    case S::psOffice2016Gray: Light = Dark = Uniform(0xB2B2B2, 0xB2B2B2, 0x444444, 0x444444); return;
    case S::psOffice2016Black: Light = Dark = Uniform(0x5E5E5E, 0x5E5E5E, 0x444444, 0x444444); return;
    case S::psCustom: return;
  }
}

void Put(void (TVistaBackground::*Setter)(TColor), TVistaBackground* A, TColor Value) {
  if (Value != K) (A->*Setter)(Value);
}

void ApplyTo(TVistaBackground* A, const TNormalSet& N, const TStateSet& St) {
  Put(&TVistaBackground::SetBorderColor, A, N.Border);
  Put(&TVistaBackground::SetColor, A, N.Color);
  Put(&TVistaBackground::SetColorTo, A, N.ColorTo);
  Put(&TVistaBackground::SetColorMirror, A, N.Mirror);
  Put(&TVistaBackground::SetColorMirrorTo, A, N.MirrorTo);
  Put(&TVistaBackground::SetTextColor, A, N.Text);
  Put(&TVistaBackground::SetTextColorHot, A, N.TextHot);
  Put(&TVistaBackground::SetTextColorDown, A, N.TextDown);
  A->SetColorHot(St.Hot[0]);
  A->SetColorHotTo(St.Hot[1]);
  A->SetColorMirrorHot(St.Hot[2]);
  A->SetColorMirrorHotTo(St.Hot[3]);
  A->SetBorderColorHot(St.BorderHot);
  A->SetColorDown(St.Down[0]);
  A->SetColorDownTo(St.Down[1]);
  A->SetColorMirrorDown(St.Down[2]);
  A->SetColorMirrorDownTo(St.Down[3]);
  A->SetBorderColorDown(St.BorderDown);
}

S StyleOfTheme(TOfficeTheme Theme, bool& Known) {
  using T = TOfficeTheme;
  Known = true;
  switch (Theme) {
    case T::ot2003Blue: return S::psOffice2003Blue;
    case T::ot2003Silver: return S::psOffice2003Silver;
    case T::ot2003Olive: return S::psOffice2003Olive;
    case T::ot2003Classic: return S::psOffice2003Classic;
    case T::ot2007Blue: return S::psOffice2007Luna;
    case T::ot2007Silver: return S::psOffice2007Silver;
    case T::ot2007Black: return S::psOffice2007Obsidian;
    case T::ot2010Blue: return S::psOffice2010Blue;
    case T::ot2010Silver: return S::psOffice2010Silver;
    case T::ot2010Black: return S::psOffice2010Black;
    case T::ot2013White: return S::psOffice2013White;
    case T::ot2013Silver: return S::psOffice2013LightGray;
    case T::ot2013Gray: return S::psOffice2013Gray;
    case T::ot2016White: return S::psOffice2016White;
    case T::ot2016Gray: return S::psOffice2016Gray;
    case T::ot2016Black: return S::psOffice2016Black;
    case T::otUnknown: break;
  }
  Known = false;
  return S::psCustom;
}

// The nearest owner in the chain that is a windowed control.
TWinControl* WindowedOwner(TComponent* C) {
  for (TComponent* o = C ? C->Owner() : nullptr; o; o = o->Owner())
    if (auto* w = dynamic_cast<TWinControl*>(o)) return w;
  return nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------
// TAdvOfficeStatusBarOfficeStyler

TAdvOfficeStatusBarOfficeStyler::TAdvOfficeStatusBarOfficeStyler(TComponent* AOwner)
    : TCustomAdvOfficeStatusBarStyler(AOwner) {
  FNotifierWnd = new OfficeStatusBar::TNotifierWindow(this);
  FNotifierWnd->SetVisible(false);
  FNotifierWnd->SetParent(WindowedOwner(this));
  FNotifierWnd->OnThemeChange = [this](TObject*) { ThemeChanged(); };
  SetStyle(S::psWindowsXP);
  SetStyle(S::psOffice2003Blue);
}

void TAdvOfficeStatusBarOfficeStyler::SetOfficeStatusBarStyle(TOfficeStatusBarStyle AStyle, TColor AppColor) {
  if (AStyle == FOfficeStatusBarStyle) return;
  FOfficeStatusBarStyle = AStyle;
  ApplyStyle(AStyle, AppColor);
  Change(1);
}

void TAdvOfficeStatusBarOfficeStyler::ApplyStyle(TOfficeStatusBarStyle AStyle, TColor AppColor) {
  if (AStyle == S::psCustom) return;
  const TStyleRow& row = kRows[static_cast<int>(AStyle)];
  TStateSet light{}, dark{};
  StateSets(AStyle, AppColor, light, dark);
  SetBorderColor(row.BarBorder);
  ApplyTo(PanelAppearanceLight(), row.Light, light);
  ApplyTo(PanelAppearanceDark(), row.Dark, dark);
}

void TAdvOfficeStatusBarOfficeStyler::SetComponentStyle(TKelStyle AStyle) {
  SetStyle(static_cast<TOfficeStatusBarStyle>(AStyle));
}

void TAdvOfficeStatusBarOfficeStyler::SetComponentStyleAndAppColor(TKelStyle AStyle, TColor AAppColor) {
  SetOfficeStatusBarStyle(static_cast<TOfficeStatusBarStyle>(AStyle), AAppColor);
}

void TAdvOfficeStatusBarOfficeStyler::ThemeChanged() {
  if (!FAutoThemeAdapt || IsDesigning() || IsLoading()) return;
  TOfficeTheme theme = GetOfficeTheme();
  if (theme == FOldOfficeTheme) return;
  FOfficeStatusBarStyle = S::psCustom;
  bool known = false;
  S style = StyleOfTheme(theme, known);
  if (known) SetStyle(style);
  FOldOfficeTheme = theme;
}

void TAdvOfficeStatusBarOfficeStyler::SetAutoThemeAdapt(bool Value) {
  if (FAutoThemeAdapt == Value) return;
  TCustomAdvOfficeStatusBarStyler::SetAutoThemeAdapt(Value);
  if (Value) {
    FOldOfficeTheme = TOfficeTheme::otUnknown;
    ThemeChanged();
  }
  if (IsDesigning() || IsLoading() || !FNotifierWnd->HandleAllocated()) return;
  RegisterNotifierWindow(FAutoThemeAdapt);
}

void TAdvOfficeStatusBarOfficeStyler::RegisterNotifierWindow(bool Register) {
  if (Register) {
    TThemeNotifier* n = GetThemeNotifier(WindowedOwner(this));
    n->RegisterWindow(FNotifierWnd->Handle());
    if (n != FThemeNotifier) {
      FThemeNotifier = n;
      n->FreeNotification(this);
    }
  } else if (FThemeNotifier && FNotifierWnd->HandleAllocated()) {
    FThemeNotifier->UnRegisterWindow(FNotifierWnd->Handle());
  }
}

void TAdvOfficeStatusBarOfficeStyler::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomAdvOfficeStatusBarStyler::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FThemeNotifier) FThemeNotifier = nullptr;
}

void TAdvOfficeStatusBarOfficeStyler::Destroy() {
  // The notifier must not go on sending to a window that is gone.
  if (FNotifierWnd) RegisterNotifierWindow(false);
  TCustomAdvOfficeStatusBarStyler::Destroy();
}

void TAdvOfficeStatusBarOfficeStyler::Loaded() {
  TCustomAdvOfficeStatusBarStyler::Loaded();
  if (IsDesigning()) return;
  ThemeChanged();
  if (FAutoThemeAdapt) RegisterNotifierWindow(true);
}
