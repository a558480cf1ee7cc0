// The Office toolbar styler: the styler a window places for its toolbars
// and ribbon pager. It applies one of 25 built-in styles, follows the Office
// theme when asked to, answers the library's style interface, and saves its
// colours to a theme file and loads them back.
#pragma once

#include "ui/draw/OfficeTheme.h"
#include "ui/toolbar/stylers/ToolBarStyler.h"

enum class TToolBarStyle : uint8_t {
  bsOffice2003Blue, bsOffice2003Silver, bsOffice2003Olive, bsOffice2003Classic, bsOffice2007Luna,
  bsOffice2007Obsidian, bsWindowsXP, bsWhidbeyStyle, bsCustom, bsOffice2007Silver, bsOfficeXP, bsWindowsVista,
  bsWindows7, bsTerminal, bsOffice2010Blue, bsOffice2010Silver, bsOffice2010Black, bsWindows8,
  bsOffice2013White, bsOffice2013LightGray, bsOffice2013Gray, bsWindows10, bsOffice2016White,
  bsOffice2016Gray, bsOffice2016Black
};
constexpr int ToolBarStyleCount = 25;

namespace AdvToolBar {

// A hidden window that hears the system's theme change (WM_THEMECHANGED)
// and the Office theme notifier's message (2993). Without a windowed parent
// it is a hidden top-level window (a message-only one would miss the
// system's broadcast).
class TNotifierWindow : public TWinControl {
  VANTREL_CLASS(TNotifierWindow)
 public:
  using TWinControl::TWinControl;
  TNotifyEvent OnThemeChange;

 protected:
  void WndProc(TMessage& Message) override;
  void CreateParams(TCreateParams& Params) override;
};

}  // namespace AdvToolBar

// Each of red, green and blue (system colours resolved) moved by Percent of
// itself, rounded halves to even, kept at 0 or above, low 8 bits kept.
TColor ShiftColor(TColor Color, int Percent);
// Exchanges the low and high bytes; bits 24 to 31 are dropped.
TColor SwapRedBlue(TColor Value);
// With Apply set, the font's name becomes the system's ("Segoe UI" from
// Windows Vista on, else "Tahoma"); the size stays.
void ApplySystemFontName(TFont* Font, bool Apply);

class TAdvToolBarOfficeStyler : public TCustomAdvToolBarStyler, public IKelStyleEx {
  VANTREL_CLASS(TAdvToolBarOfficeStyler)
 public:
  // Starts with Style bsCustom and the base defaults (placed in the
  // designer: the colours of bsWindowsXP overlaid by bsOffice2003Blue).
  explicit TAdvToolBarOfficeStyler(TComponent* AOwner);

  TToolBarStyle Style() const { return FToolBarStyle; }
  // Writes the style's whole colour scheme, also for the current style.
  virtual void SetStyle(TToolBarStyle Value);
  // On: the style of the installed Office theme at once, and the notifier
  // window registered with the theme notifier; off: unregistered.
  void SetAutoThemeAdapt(bool Value) override;
  void ReapplyStyle() override { SetStyle(FToolBarStyle); }
  void TonePager(IToolBarStylerPager* Pager) override;
  // Runs the current style again with the current AppColor.
  void UpdateAppColors();
  // With AutoThemeAdapt on (not while loading or designing): when the Office
  // theme differs from the one last adapted to, applies its style (an
  // unknown theme only sets Style to bsCustom).
  void AdaptToOfficeTheme();
  TOfficeTheme OldOfficeTheme() const { return FOldOfficeTheme; }
  AdvToolBar::TNotifierWindow* NotifierWindow() const { return FNotifierWnd; }

  // IKelStyleEx: the style of the same name (tsCustom changes nothing); a
  // colour other than clNone first becomes the application button colour,
  // with a hover colour 30 % darker (or lighter, for a dark colour).
  void SetComponentStyle(TKelStyle AStyle) override;
  void SetComponentStyleAndAppColor(TKelStyle AStyle, TColor AAppColor) override;

  // The theme file. Saving raises "Cannot Create " + name when the file
  // cannot be made. Loading reads and checks the whole file first and
  // changes nothing when it is unreadable ("Cannot open file " + name) or
  // corrupt (ECorruptThemeFile, naming the line).
  void SaveToFile(const String& FileName);
  void LoadFromFile(const String& FileName);

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void Destroy() override;

 private:
  // Registers the notifier window's handle with the shared theme notifier,
  // or takes it off again.
  void RegisterNotifierWindow(bool Register);
  // The parts of SetStyle: the gradient styles' table and closing steps, and
  // the flat styles.
  void ApplyGradientStyle(TToolBarStyle Style, IToolBarStylerPager* Pager);
  void ApplyFlatStyle(TToolBarStyle Style, IToolBarStylerPager* Pager);
  // A flat style's tones for the pager (and the application colours they
  // take).
  void GivePagerFlatTones(TToolBarStyle Style, IToolBarStylerPager* Pager);

  TOfficeTheme FOldOfficeTheme = TOfficeTheme::otUnknown;
  bool FDesignTime = false;
  AdvToolBar::TNotifierWindow* FNotifierWnd = nullptr;  // owned as a component
  TThemeNotifier* FThemeNotifier = nullptr;
  bool FRegistered = false;
  TToolBarStyle FToolBarStyle = TToolBarStyle::bsCustom;
};
