// Status bar stylers: the panel appearance (normal, hot and pressed colours
// of a two-part gradient, text colours and style), the styler base that
// keeps its bars and asks them to repaint on every change, and the Office
// styler with 24 built-in colour sets that can follow the Office theme.
#pragma once

#include "base/Controls.h"
#include "ui/draw/KelStyle.h"
#include "ui/draw/OfficeTheme.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

// The status bar keeps its own appearance and notifier window classes;
// the toolbar and menu stylers have namesakes of their own.
namespace OfficeStatusBar {

class TVistaBackground : public TPersistent {
  VANTREL_CLASS(TVistaBackground)
 public:
  TVistaBackground();
  // From another TVistaBackground: every colour and Steps directly, then
  // TextStyle through its setter (one OnChange).
  void Assign(TPersistent* Source) override;

  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  TColor BorderColorHot() const { return FBorderColorHot; }
  void SetBorderColorHot(TColor Value);
  TColor BorderColorDown() const { return FBorderColorDown; }
  void SetBorderColorDown(TColor Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  TColor ColorHot() const { return FColorHot; }
  void SetColorHot(TColor Value) { FColorHot = Value; }
  TColor ColorHotTo() const { return FColorHotTo; }
  void SetColorHotTo(TColor Value) { FColorHotTo = Value; }
  TColor ColorDown() const { return FColorDown; }
  void SetColorDown(TColor Value);
  TColor ColorDownTo() const { return FColorDownTo; }
  void SetColorDownTo(TColor Value);
  TColor ColorMirror() const { return FColorMirror; }
  void SetColorMirror(TColor Value);
  TColor ColorMirrorTo() const { return FColorMirrorTo; }
  void SetColorMirrorTo(TColor Value);
  TColor ColorMirrorHot() const { return FColorMirrorHot; }
  void SetColorMirrorHot(TColor Value) { FColorMirrorHot = Value; }
  TColor ColorMirrorHotTo() const { return FColorMirrorHotTo; }
  void SetColorMirrorHotTo(TColor Value) { FColorMirrorHotTo = Value; }
  TColor ColorMirrorDown() const { return FColorMirrorDown; }
  void SetColorMirrorDown(TColor Value);
  TColor ColorMirrorDownTo() const { return FColorMirrorDownTo; }
  void SetColorMirrorDownTo(TColor Value);
  // Kept for the form; painting always uses 128 gradient steps.
  int Steps() const { return FSteps; }
  void SetSteps(int Value);
  TColor TextColor() const { return FTextColor; }
  void SetTextColor(TColor Value);
  TColor TextColorHot() const { return FTextColorHot; }
  void SetTextColorHot(TColor Value) { FTextColorHot = Value; }
  TColor TextColorDown() const { return FTextColorDown; }
  void SetTextColorDown(TColor Value);
  TFontStyles TextStyle() const { return FTextStyle; }
  void SetTextStyle(TFontStyles Value);

  TNotifyEvent OnChange;

 private:
  // Stores a changed value and fires OnChange.
  void Store(TColor& Field, TColor Value);
  void Changed();

  int FSteps = 64;
  TColor FColor = clWhite, FColorTo = clWhite;
  TColor FColorMirror = clSilver, FColorMirrorTo = clWhite;
  TColor FBorderColor = clNone;
  TColor FTextColor = clBlack;
  TFontStyles FTextStyle;
  TColor FColorHot = clWhite, FColorHotTo = clWhite;
  TColor FColorMirrorHot = clSilver, FColorMirrorHotTo = clWhite;
  TColor FBorderColorHot = clGray;
  TColor FTextColorHot = clBlack;
  TColor FColorDown = clWhite, FColorDownTo = clWhite;
  TColor FColorMirrorDown = clSilver, FColorMirrorDownTo = clWhite;
  TColor FBorderColorDown = clGray;
  TColor FTextColorDown = clBlack;
};

// A hidden window that hears the system's theme change (794) and the Office
// theme notifier's message (2993). Without a windowed parent it is a hidden
// top-level window, so that it still receives broadcasts.
class TNotifierWindow : public TWinControl {
  VANTREL_CLASS(TNotifierWindow)
 public:
  using TWinControl::TWinControl;
  TNotifyEvent OnThemeChange;

 protected:
  void WndProc(TMessage& Message) override;
  void CreateParams(TCreateParams& Params) override;
};

}  // namespace OfficeStatusBar

class TCustomAdvOfficeStatusBarStyler : public TComponent {
  VANTREL_CLASS(TCustomAdvOfficeStatusBarStyler)
 public:
  explicit TCustomAdvOfficeStatusBarStyler(TComponent* AOwner);

  // Every bar added hears each change (added twice, it repaints twice).
  void AddControl(TControl* Bar);
  void RemoveControl(TControl* Bar);
  // The bars as added.
  TDbgList* ControlList() const { return FControlList; }
  // Asks every attached status bar to repaint.
  void Change(int Kind);

  void Assign(TPersistent* Source) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Applies the installed Office theme where a styler follows it; nothing in
  // the base.
  virtual void ThemeChanged() {}
  bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
  virtual void SetAutoThemeAdapt(bool Value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  OfficeStatusBar::TVistaBackground* PanelAppearanceLight() const { return FPanelAppearanceLight; }
  void SetPanelAppearanceLight(OfficeStatusBar::TVistaBackground* Value) { FPanelAppearanceLight->Assign(Value); }
  OfficeStatusBar::TVistaBackground* PanelAppearanceDark() const { return FPanelAppearanceDark; }
  void SetPanelAppearanceDark(OfficeStatusBar::TVistaBackground* Value) { FPanelAppearanceDark->Assign(Value); }

 protected:
  void Destroy() override;
  void AppearanceChanged(TObject* Sender) { Change(1); }

  bool FAutoThemeAdapt = false;
  TColor FBorderColor = 0x825A3B;

 private:
  TOwned<TDbgList> FControlList;
  TOwned<OfficeStatusBar::TVistaBackground> FPanelAppearanceLight;
  TOwned<OfficeStatusBar::TVistaBackground> FPanelAppearanceDark;
};

// The built-in colour sets, in the order of TKelStyle.
enum class TOfficeStatusBarStyle : uint8_t {
  psOffice2003Blue, psOffice2003Silver, psOffice2003Olive, psOffice2003Classic, psOffice2007Luna,
  psOffice2007Obsidian, psWindowsXP, psWhidbey, psCustom, psOffice2007Silver, psWindowsVista, psWindows7,
  psTerminal, psOffice2010Blue, psOffice2010Silver, psOffice2010Black, psWindows8, psOffice2013White,
  psOffice2013LightGray, psOffice2013Gray, psWindows10, psOffice2016White, psOffice2016Gray, psOffice2016Black
};

class TAdvOfficeStatusBarOfficeStyler : public TCustomAdvOfficeStatusBarStyler, public IKelStyleEx {
  VANTREL_CLASS(TAdvOfficeStatusBarOfficeStyler)
 public:
  explicit TAdvOfficeStatusBarOfficeStyler(TComponent* AOwner);

  TOfficeStatusBarStyle Style() const { return FOfficeStatusBarStyle; }
  void SetStyle(TOfficeStatusBarStyle Value) { SetOfficeStatusBarStyle(Value, clNone); }
  // Applies a colour set unless it is the current one; AppColor tints the
  // hot and pressed colours of psOffice2016White.
  void SetOfficeStatusBarStyle(TOfficeStatusBarStyle AStyle, TColor AppColor);
  void SetAutoThemeAdapt(bool Value) override;
  // The theme last applied by the adaptation.
  TOfficeTheme OldOfficeTheme() const { return FOldOfficeTheme; }
  OfficeStatusBar::TNotifierWindow* NotifierWindow() const { return FNotifierWnd; }

  void SetComponentStyle(TKelStyle AStyle) override;
  void SetComponentStyleAndAppColor(TKelStyle AStyle, TColor AAppColor) override;

  void Loaded() override;
  // With AutoThemeAdapt on, applies the colour set of the installed Office
  // theme when it differs from the one last applied.
  void ThemeChanged() override;

 protected:
  void Destroy() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void ApplyStyle(TOfficeStatusBarStyle AStyle, TColor AppColor);
  // Registers the notifier window with the Office theme notifier, or takes
  // it off again.
  void RegisterNotifierWindow(bool Register);
  TThemeNotifier* FThemeNotifier = nullptr;
  TOfficeTheme FOldOfficeTheme = TOfficeTheme::otUnknown;
  OfficeStatusBar::TNotifierWindow* FNotifierWnd = nullptr;
  TOfficeStatusBarStyle FOfficeStatusBarStyle = TOfficeStatusBarStyle::psOffice2003Blue;
};
