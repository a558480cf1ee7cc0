// The Office-style status bar: a row of panels (or one simple text) painted
// in a styler's colours, a 100 ms timer for clocks, lock keys, animations
// and blinking text, a size grip, button panels, links in HTML text and
// per-panel Office hints.
#pragma once

#include "base/Controls.h"
#include "base/HintAction.h"
#include "ui/controls/statusbar/AdvOfficeStatusBarStylers.h"
#include "ui/controls/statusbar/AdvOfficeStatusPanels.h"
#include "ui/controls/statusbar/OfficeHintWindow.h"
#include "ui/draw/GdiPlus.h"
#include "ui/draw/HtmlRender.h"

class TPictureContainer;
class TCustomImageList;
class TCustomForm;

// Web (http, https) and mail links, which the shell opens.
bool IsShellLink(const String& Anchor);

// A form whose frame is drawn by itself; the bar only asks whether its form
// is one.
class ISizeableFrameForm {
 public:
  static constexpr GUID IID = {0xA7E8D091, 0x0327, 0x446D, {0x83, 0xD6, 0x70, 0x69, 0x76, 0x0B, 0x33, 0x20}};

 protected:
  ~ISizeableFrameForm() = default;
};

// How the bar learns about the ribbon form it may sit on. The ribbon
// library fills this in; until then no form is a ribbon form.
struct TStatusBarRibbonLink {
  // Whether Form is a ribbon form.
  bool (*IsRibbonForm)(TWinControl* Form) = nullptr;
  // For a ribbon pager among the form's children: true, with the caption
  // text colour of the pager's current toolbar styler.
  bool (*PagerCaptionTextColor)(TControl* Control, TColor& Color) = nullptr;
};
void SetStatusBarRibbonLink(const TStatusBarRibbonLink& Link);
const TStatusBarRibbonLink& StatusBarRibbonLink();

// Carries the Office hint of the panel under the mouse to the hint window.
class TDummyHintControl : public TControl, public IOfficeHintControl {
  VANTREL_CLASS(TDummyHintControl)
 public:
  explicit TDummyHintControl(TComponent* AOwner);
  TAdvHintInfo* OfficeHint() const override { return FOfficeHint; }
  void SetOfficeHint(TAdvHintInfo* Value) { FOfficeHint->Assign(Value); }

 private:
  TOwned<TAdvHintInfo> FOfficeHint;
};

enum class TURLStyle { usUnderline, usNone };

using TPanelClick = std::function<void(TObject* Sender, int PanelIndex)>;
using TAnchorClick = std::function<void(TObject* Sender, const String& Anchor)>;
using TDrawPanelEvent =
    std::function<void(TAdvOfficeStatusBar* StatusBar, TAdvOfficeStatusPanel* Panel, const TRect& Rect)>;

class TAdvOfficeStatusBar : public TCustomControl, public IKelTones, public IActionTarget {
  VANTREL_CLASS(TAdvOfficeStatusBar)
 public:
  explicit TAdvOfficeStatusBar(TComponent* AOwner);

  // Panels
  TAdvOfficeStatusPanels* Panels() const { return FPanels; }
  // Takes every setting of the given panels.
  void SetPanels(TAdvOfficeStatusPanels* Value);
  // The panel whose hit rectangle holds X (both edges), -1 for none.
  int GetPanel(int X);
  // (Left, 1, Right, Height - 1) of a panel; (-1, -1, -1, -1) for none.
  TRect GetPanelRect(int Index);
  // The rectangle the panel is painted in.
  TRect GetPanelPaintRect(int Index);
  int GetSplitterAt(int X);
  int IndexOfPanel(TAdvOfficeStatusPanel* Panel) const;
  bool IsFirstPanel(TAdvOfficeStatusPanel* Panel) const { return IndexOfPanel(Panel) == 0; }
  bool IsLastPanel(TAdvOfficeStatusPanel* Panel) const;
  void InvalidatePanel(int Index);
  // Sizes the panels with AutoSize to their content.
  void AutoSizePanels();

  // Styling
  TCustomAdvOfficeStatusBarStyler* Styler() const { return FOfficeStatusBarStyler; }
  void SetStyler(TCustomAdvOfficeStatusBarStyler* Value);
  // The styler whose colours are painted.
  TCustomAdvOfficeStatusBarStyler* CurrentStyler() const { return FCurrentOfficeStatusBarStyler; }
  TCustomAdvOfficeStatusBarStyler* InternalStyler() const { return FInternalOfficeStatusBarStyler; }
  // Paints with the internal styler again (Styler keeps its value).
  void RemoveStyler();
  // Repaints the whole bar.
  void StylerChanged(int Kind);
  // Flat look: the styler's panels take the tones, frame and splitters go.
  void SetColorTones(const TColorTones& ATones) override;
  bool Metro() const { return FMetro; }

  // Properties
  const String& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const String& Value);
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool Value);
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value);
  bool ShowSplitter() const { return FShowSplitter; }
  void SetShowSplitter(bool Value);
  int StretchPanel() const { return FStretchPanel; }
  // Taken only from -1 to Count - 1.
  void SetStretchPanel(int Value);
  TAntiAlias AntiAlias() const { return FAntiAlias; }
  void SetAntiAlias(TAntiAlias Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* DisabledImages() const { return FDisabledImages; }
  void SetDisabledImages(TCustomImageList* Value);
  TPictureContainer* PictureContainer() const { return FContainer; }
  void SetPictureContainer(TPictureContainer* Value);
  TColor URLColor() const { return FURLColor; }
  void SetURLColor(TColor Value) { FURLColor = Value; }
  TURLStyle URLStyle() const { return FURLStyle; }
  void SetURLStyle(TURLStyle Value) { FURLStyle = Value; }
  bool UseSystemFont() const { return FUseSystemFont; }
  // Switching it on turns ParentFont off; switching ParentFont on turns it
  // off.
  void SetUseSystemFont(bool Value);
  bool AutoHint() const { return FAutoHint; }
  void SetAutoHint(bool Value) { FAutoHint = Value; }
  bool AnchorHint() const { return FAnchorHint; }
  void SetAnchorHint(bool Value) { FAnchorHint = Value; }
  String Version() const { return L"1.6.2.1"; }
  void SetVersion(const String&) {}

  // State
  int TimerCount() const { return FTimerCount; }
  int HotPanelIndex() const { return FHotPanelIndex; }
  int DownPanelIndex() const { return FDownPanelIndex; }
  // The identifier of the panel timer while the window exists, else 0.
  UINT_PTR TimerID() const { return FTimerID; }
  bool IsSizeGripVisible();
  virtual bool IsFormSizeable();
  // The timer's work on the panels.
  virtual void UpdateStatusBar();
  virtual bool DoHint();

  // The link and its title under a point; both empty for none.
  void GetAnchorAt(int X, int Y, String& Anchor, String& Title);

  // With AutoHint and no OnHint handler, a hint action's text goes to the
  // simple text (in simple mode or without panels) or the first panel.
  // The application offers its hint actions here (base/HintAction.h).
  bool ExecuteAction(TBasicAction* Action) override;

  // Mirrors the panels: the last comes first, with its displayed width.
  void FlipChildren(bool AllLevels);
  void ChangeScale(int M, int D) override;
  void Loaded() override;

  void Dispatch(TMessage& Message) override;

  // The layouts of the panels' markup, kept from paint to paint.
  THtmlLayoutCache& HtmlCache() { return FHtmlCache; }

  TPanelClick OnPanelClick;
  TPanelClick OnPanelRightClick;
  TPanelClick OnPanelDblClick;
  TAnchorClick OnAnchorClick;
  TAnchorClick OnAnchorEnter;
  TAnchorClick OnAnchorExit;
  TDrawPanelEvent OnDrawPanel;
  TNotifyEvent OnHint;

 protected:
  void Destroy() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Paint() override;
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Paints one panel into Rect.
  virtual void DrawPanel(TAdvOfficeStatusPanel* Panel, const TRect& Rect);
  void DrawPanelBackground(TAdvOfficeStatusPanel* Panel, const TRect& R);
  void DrawSizeGrip(const TRect& R);
  void DrawAllPanels();
  void DrawSimplePanel();
  void PanelsChanged(TObject* Sender);

 private:
  OfficeStatusBar::TVistaBackground* AppearanceOf(TAdvOfficeStatusPanel* Panel) const;
  // Where a panel's HTML text is drawn, for painting and link hit tests.
  TRect HTMLTextRect(TAdvOfficeStatusPanel* Panel, TRect R, TAlignment A);
  // The background rectangle of a panel painted into Rect: inside the
  // styler's frame, one pixel wider on each side in flat mode.
  TRect PanelBackgroundRect(const TRect& Rect) const;
  // The sum of the widths of all panels but the stretch panel.
  int OtherPanelsWidth() const;
  // The inner rectangle of a panel painted into Rect (after the frame, the
  // flat-mode widening, the 2-pixel insets and the grip).
  TRect PanelContentRect(TAdvOfficeStatusPanel* Panel, const TRect& Rect);
  TAlignment EffectiveAlignment(TAdvOfficeStatusPanel* Panel) const;
  // The layout rectangles of the paint pass.
  void PaintLayout(std::vector<TRect>& Rects);
  TRect SimpleTextRect();
  void ApplySystemFont();
  void SetHotPanel(int Index);
  void SetDownPanel(int Index, int Y);
  // Web and mail links go to the shell, any other to OnAnchorClick.
  void FollowLink(const String& Anchor);
  void CancelPanelHint();
  void DoHintShow(TMessage& Message);
  void HitTest(TMessage& Message);

  TCustomAdvOfficeStatusBarStyler* FInternalOfficeStatusBarStyler = nullptr;
  TCustomAdvOfficeStatusBarStyler* FOfficeStatusBarStyler = nullptr;
  TCustomAdvOfficeStatusBarStyler* FCurrentOfficeStatusBarStyler = nullptr;
  TAdvOfficeStatusPanels* FPanels = nullptr;
  String FSimpleText;
  TCursor FOldCursor = crDefault;
  bool FSimplePanel = false;
  bool FSizeGrip = true;
  bool FUseSystemFont = true;
  bool FAutoHint = false;
  bool FShowSplitter = true;
  bool FAnchorHint = false;
  TColor FURLColor = clBlue;
  TURLStyle FURLStyle = TURLStyle::usUnderline;
  UINT_PTR FTimerID = 0;
  int FTimerCount = 0;
  TCustomImageList* FImages = nullptr;
  TCustomImageList* FDisabledImages = nullptr;
  int FMousePanel = -1;
  String FAnchor;
  TPictureContainer* FContainer = nullptr;
  int FHotPanelIndex = -1;
  int FDownPanelIndex = -1;
  TDummyHintControl* FDummyHintControl = nullptr;
  TAntiAlias FAntiAlias = TAntiAlias::aaClearType;
  int FStretchPanel = -1;
  TPoint FHitTest;
  int FSizePanel = -1;
  int FSizeDownX = 0;
  int FSizeWidth = 0;
  bool FMetro = false;
  int FDTHeight = 19;
  THtmlLayoutCache FHtmlCache;
};
