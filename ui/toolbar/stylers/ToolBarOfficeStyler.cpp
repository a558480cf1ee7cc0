#include "ui/toolbar/stylers/ToolBarOfficeStyler.h"

#include <algorithm>

#include "ui/draw/KelStyle.h"

// ---------------------------------------------------------------------------
// Colour helpers

TColor ShiftColor(TColor Color, int Percent) {
  const TColor rgb = ColorToRGB(Color);
  auto shift = [Percent](int c) {
    int64_t v = Round(c + static_cast<double>(c * Percent) / 100.0);
    return static_cast<uint32_t>(std::max<int64_t>(v, 0)) & 0xFF;
  };
  const uint32_t r = shift(GetRValue(rgb)), g = shift(GetGValue(rgb)), b = shift(GetBValue(rgb));
  return static_cast<TColor>(r | (g << 8) | (b << 16));
}

TColor SwapRedBlue(TColor Value) {
  const uint32_t v = static_cast<uint32_t>(Value);
  return static_cast<TColor>(((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF));
}

void ApplySystemFontName(TFont* Font, bool Apply) {
  if (Apply) Font->SetName(GetSystemFontName());
}

// ---------------------------------------------------------------------------
// TNotifierWindow

namespace AdvToolBar {

void TNotifierWindow::WndProc(TMessage& Message) {
  if ((Message.Msg == WM_THEMECHANGED || Message.Msg == WM_OFFICETHEMECHANGE) && OnThemeChange) OnThemeChange(this);
  TWinControl::WndProc(Message);
}

void TNotifierWindow::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style &= ~WS_VISIBLE;
  if (!Params.WndParent) Params.Style = (Params.Style & ~WS_CHILD) | WS_POPUP;
}

}  // namespace AdvToolBar

// ---------------------------------------------------------------------------
// TAdvToolBarOfficeStyler

namespace {

// The nearest owner in the chain that is a windowed control.
TWinControl* WindowedOwner(TComponent* C) {
  for (TComponent* o = C ? C->Owner() : nullptr; o; o = o->Owner())
    if (auto* w = dynamic_cast<TWinControl*>(o)) return w;
  return nullptr;
}

bool StyleOfTheme(TOfficeTheme Theme, TToolBarStyle& Style) {
  using T = TOfficeTheme;
  using S = TToolBarStyle;
  static const std::pair<T, S> map[] = {
      {T::ot2003Blue, S::bsOffice2003Blue},       {T::ot2003Silver, S::bsOffice2003Silver},
      {T::ot2003Olive, S::bsOffice2003Olive},     {T::ot2003Classic, S::bsOffice2003Classic},
      {T::ot2007Blue, S::bsOffice2007Luna},       {T::ot2007Silver, S::bsOffice2007Silver},
      {T::ot2007Black, S::bsOffice2007Obsidian},  {T::ot2010Blue, S::bsOffice2010Blue},
      {T::ot2010Silver, S::bsOffice2010Silver},   {T::ot2010Black, S::bsOffice2010Black},
      {T::ot2013White, S::bsOffice2013White},     {T::ot2013Silver, S::bsOffice2013LightGray},
      {T::ot2013Gray, S::bsOffice2013Gray},       {T::ot2016White, S::bsOffice2016White},
      {T::ot2016Gray, S::bsOffice2016Gray},       {T::ot2016Black, S::bsOffice2016Black},
  };
  for (const auto& [theme, style] : map)
    if (theme == Theme) {
      Style = style;
      return true;
    }
  return false;
}

TToolBarStyle StyleOfKelStyle(TKelStyle K) {
  using S = TToolBarStyle;
  static const S map[] = {
      S::bsOffice2003Blue,   S::bsOffice2003Silver,  S::bsOffice2003Olive,    S::bsOffice2003Classic,
      S::bsOffice2007Luna,   S::bsOffice2007Obsidian, S::bsWindowsXP,         S::bsWhidbeyStyle,
      S::bsCustom,           S::bsOffice2007Silver,  S::bsWindowsVista,       S::bsWindows7,
      S::bsTerminal,         S::bsOffice2010Blue,    S::bsOffice2010Silver,   S::bsOffice2010Black,
      S::bsWindows8,         S::bsOffice2013White,   S::bsOffice2013LightGray, S::bsOffice2013Gray,
      S::bsWindows10,        S::bsOffice2016White,   S::bsOffice2016Gray,     S::bsOffice2016Black,
  };
  return map[static_cast<int>(K)];
}

}  // namespace

TAdvToolBarOfficeStyler::TAdvToolBarOfficeStyler(TComponent* AOwner) : TCustomAdvToolBarStyler(AOwner) {
  FNotifierWnd = new AdvToolBar::TNotifierWindow(this);
  FNotifierWnd->SetVisible(false);
  FNotifierWnd->SetParent(WindowedOwner(this));
  FNotifierWnd->OnThemeChange = [this](TObject*) { AdaptToOfficeTheme(); };
  FDesignTime = IsDesigning() && !(Owner() && (Owner()->IsLoading()));
  if (FDesignTime) {
    SetStyle(TToolBarStyle::bsWindowsXP);
    SetStyle(TToolBarStyle::bsOffice2003Blue);
  }
}

void TAdvToolBarOfficeStyler::Destroy() {
  // The notifier's watch thread must not go on sending to a window that is
  // about to go.
  RegisterNotifierWindow(false);
  TCustomAdvToolBarStyler::Destroy();
}

void TAdvToolBarOfficeStyler::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomAdvToolBarStyler::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FThemeNotifier) {
    FThemeNotifier = nullptr;
    FRegistered = false;
  }
  if (AComponent == FNotifierWnd) FNotifierWnd = nullptr;
}

void TAdvToolBarOfficeStyler::RegisterNotifierWindow(bool Register) {
  if (Register) {
    if (!FNotifierWnd) return;
    TThemeNotifier* n = GetThemeNotifier(FNotifierWnd);
    n->RegisterWindow(FNotifierWnd->Handle());
    FRegistered = true;
    if (n != FThemeNotifier) {
      FThemeNotifier = n;
      n->FreeNotification(this);
    }
  } else if (FRegistered && FThemeNotifier && FNotifierWnd && FNotifierWnd->HandleAllocated()) {
    FThemeNotifier->UnRegisterWindow(FNotifierWnd->Handle());
    FRegistered = false;
  }
}

void TAdvToolBarOfficeStyler::Loaded() {
  TCustomAdvToolBarStyler::Loaded();
  if (!IsDesigning()) {
    AdaptToOfficeTheme();
    if (FAutoThemeAdapt) RegisterNotifierWindow(true);
  }
  using S = TToolBarStyle;
  const S style = FToolBarStyle;
  if (style == S::bsWindows8 || style == S::bsOffice2013White || style == S::bsOffice2013LightGray ||
      style == S::bsOffice2013Gray) {
    FToolBarStyle = S::bsCustom;
    SetStyle(style);
  }
}

void TAdvToolBarOfficeStyler::SetAutoThemeAdapt(bool Value) {
  if (FAutoThemeAdapt == Value) return;
  TCustomAdvToolBarStyler::SetAutoThemeAdapt(Value);
  if (Value) {
    FOldOfficeTheme = TOfficeTheme::otUnknown;
    AdaptToOfficeTheme();
  }
  if (IsDesigning() || IsLoading() || !FNotifierWnd || !FNotifierWnd->HandleAllocated()) return;
  RegisterNotifierWindow(Value);
}

void TAdvToolBarOfficeStyler::AdaptToOfficeTheme() {
  if (!FAutoThemeAdapt || IsDesigning() || IsLoading()) return;
  const TOfficeTheme theme = GetOfficeTheme();
  if (theme == FOldOfficeTheme) return;
  FToolBarStyle = TToolBarStyle::bsCustom;
  TToolBarStyle style;
  if (StyleOfTheme(theme, style)) SetStyle(style);
  FOldOfficeTheme = theme;
}

void TAdvToolBarOfficeStyler::UpdateAppColors() {
  const TToolBarStyle style = FToolBarStyle;
  FToolBarStyle = TToolBarStyle::bsCustom;
  SetStyle(style);
}

void TAdvToolBarOfficeStyler::SetComponentStyle(TKelStyle AStyle) { SetComponentStyleAndAppColor(AStyle, clNone); }

void TAdvToolBarOfficeStyler::SetComponentStyleAndAppColor(TKelStyle AStyle, TColor AAppColor) {
  if (AAppColor != clNone) {
    AppColor()->SetAppButtonColor(AAppColor);
    const TColor rgb = ColorToRGB(AAppColor);
    const bool light = GetRValue(rgb) > 127 || GetGValue(rgb) > 127 || GetBValue(rgb) > 127;
    AppColor()->SetAppButtonHoverColor(ShiftColor(AAppColor, light ? -30 : 30));
  }
  if (AStyle == TKelStyle::tsCustom) return;
  SetStyle(StyleOfKelStyle(AStyle));
}
