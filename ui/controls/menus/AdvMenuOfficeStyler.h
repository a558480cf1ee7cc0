// The Office menu styler: a menu styler with 23 built-in colour sets, an
// option that follows the Windows XP colour scheme, and the library's
// style interface.
#pragma once

#include "ui/controls/menus/AdvMenuStylers.h"
#include "ui/draw/KelStyle.h"

enum class TOfficeStyle {
  osOffice2003Blue, osOffice2003Silver, osOffice2003Olive, osOfficeXP, osOffice2007Luna, osOffice2007Obsidian,
  osCustom, osOffice2007Silver, osVista, osWhidbey, osWindows7, osTerminal, osOffice2010Blue, osOffice2010Silver,
  osOffice2010Black, osWindows8, osOffice2013White, osOffice2013LightGray, osOffice2013Gray, osWindows10,
  osOffice2016White, osOffice2016Gray, osOffice2016Black
};

class TAdvMenuOfficeStyler : public TCustomAdvMenuStyler, public IKelStyle {
  VANTREL_CLASS(TAdvMenuOfficeStyler)
 public:
  // A hidden child window of the styler's nearest windowed owner that
  // reports the system's theme changes.
  class TNotifierWindow : public TWinControl {
    VANTREL_CLASS(TNotifierWindow)
   public:
    explicit TNotifierWindow(TComponent* AOwner);
    TNotifyEvent OnThemeChange;
    void WndProc(TMessage& Message) override;
  };

  explicit TAdvMenuOfficeStyler(TComponent* AOwner);

  TOfficeStyle Style() const { return FStyle; }
  // Fills the appearance objects with the style's colours; what the style
  // does not set keeps its value.
  void SetStyle(TOfficeStyle Value);
  bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool Value);
  // With AutoThemeAdapt: the Office 2003 style of the XP colour scheme.
  void AdaptToTheme();
  TNotifierWindow* NotifierWindow() const { return FNotifierWindow; }

  // IKelStyle: the library style mapped onto ours; tsCustom changes nothing.
  void SetComponentStyle(TKelStyle AStyle) override;

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TOfficeStyle FStyle = TOfficeStyle::osOffice2003Blue;
  bool FAutoThemeAdapt = false;
  TNotifierWindow* FNotifierWindow = nullptr;
};

// 1 for the XP scheme "NormalColor", 2 for "HomeStead", 3 for "Metallic"
// (exactly so), else (or without themes) 0. Loads the visual-styles library
// on each call.
int GetXPColorScheme();
// Test seam: answers whether a visual style is active and, if so, its
// colour scheme's name, in place of the platform (nullptr restores it).
using TThemeSchemeQuery = bool (*)(String& SchemeName);
void SetThemeSchemeSource(TThemeSchemeQuery Source);
