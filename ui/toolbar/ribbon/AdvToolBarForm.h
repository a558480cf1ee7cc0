// TAdvToolBarForm: the form that carries a ribbon pager as a direct child
// and gives it a caption of its own, in one of three looks:
// - glass (Aero): a sizeable frame whose caption the desktop window manager
//   draws, the client area extended over it so the pager's caption lies on
//   glass;
// - the borderless ribbon frame without glass: no caption of its own, a
//   1-pixel border in the styler's form border colour, its own hit testing
//   for moving and sizing; the pager's caption buttons stand in for the
//   system ones;
// - flat tones (Office 2013/2016 and Metro looks): borderless with a drop
//   shadow, a border in the tone colour and an optional size grip.
// It also swaps a dock panel and a ribbon, keeps the window manager's drop
// shadow behind it, and answers the registered messages "TBSetMetro",
// "TBRevertMetro", "TBSetOffice2013" and "TBFUpdateContextMenu".
//
// Sources: AdvToolBarForm.cpp (model, properties, glass and tone modes,
// switching), AdvToolBarFormFrame.cpp (window procedure and frame
// messages), AdvToolBarFormPaint.cpp (border, size grip, erasing).
#pragma once

#include <dwmapi.h>

#include "base/Forms.h"
#include "ui/draw/KelStyle.h"

class TAdvToolBarPager;
class TAdvDockPanel;

class TAdvToolBarForm : public TForm, public IKelTones {
  VANTREL_CLASS(TAdvToolBarForm)
 public:
  explicit TAdvToolBarForm(TComponent* AOwner);
  // A form made without its stored layout (its tone border is 0 wide).
  static TAdvToolBarForm* CreateNew(TComponent* AOwner);

  // -------------------------------------------------------------------------
  // Properties

  // On: the ribbon frame (glass or borderless); off: a plain form.
  bool SubclassAsRibbon() const { return FSubClassAsRibbon; }
  void SetSubclassAsRibbon(bool Value);
  bool NoDropShadow() const { return FNoDropShadow; }
  void SetNoDropShadow(bool Value) { FNoDropShadow = Value; }
  bool SingleBorder() const { return FSingleBorder; }
  void SetSingleBorder(bool Value);
  bool ThickBorder() const { return FThickBorder; }
  void SetThickBorder(bool Value);
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value);
  TColor SizeGripColor() const { return FSizeGripColor; }
  void SetSizeGripColor(TColor Value);
  bool AutoScale() const { return FAutoScale; }
  void SetAutoScale(bool Value);

  bool IsAeroVista() const { return FIsAeroVista; }
  // The flat tones look is on.
  bool Itones() const { return FItones; }
  // Set by the pager for the Office 2013/2016 group styles.
  bool Office2013() const { return FOffice2013; }
  void SetOffice2013(bool Value) { FOffice2013 = Value; }
  // The tone border's colour and the width of its side lines (the pager
  // sets them).
  TColor BorderClr() const { return FBorderClr; }
  void SetBorderClr(TColor Value) { FBorderClr = Value; }
  int ToneBorderWidth() const { return FBorderWidth; }
  void SetToneBorderWidth(int Value) { FBorderWidth = Value; }
  // The colour tones wait for the end of loading.
  bool TonesDeferred() const { return FDoSetMetro; }
  // The window manager's drop-shadow window found for the form, or none.
  HWND SysShadowHandle() const { return FSysShadowHandle; }

  // -------------------------------------------------------------------------
  // Modes and their tests

  // The flat look in the tones' colours; while loading it waits until the
  // form has loaded.
  void SetColorTones(const TColorTones& ATones) override;
  // Leaves the flat look and gives the frame back what it had.
  void RevertMetroMode();
  // Follows the system's glass availability (the first child pager hears
  // it too).
  void UpdateAeroVista();
  void ApplySingleBorder();
  // The tone mode's drop shadow directly behind the form.
  void UpdateShadowOrder();
  bool IsMaximizedGlass();
  bool IsSingleBorderActive();
  bool IsFullyMaximized();
  // The height the tabs add to the glass (-1 without glass tabs).
  int GetTabGlassExtra();
  // The glass frame's top margin.
  int GlassTopHeight();
  // The first child pager, or nullptr.
  TAdvToolBarPager* FirstPager();

  // -------------------------------------------------------------------------
  // Ribbon and dock panel

  void SwitchFromDockPanelToRibbon(TAdvDockPanel* ADockPanel, TAdvToolBarPager* ARibbon);
  void SwitchFromRibbonToDockPanel(TAdvToolBarPager* ARibbon, TAdvDockPanel* ADockPanel);
  void InitRibbonAndDockPanel(TAdvToolBarPager* ARibbon, TAdvDockPanel* ADockPanel);
  void InitDockPanelAndRibbon(TAdvDockPanel* ADockPanel, TAdvToolBarPager* ARibbon);

  void Loaded() override;
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  TCanvas* Canvas() { return FCanvas; }

 protected:
  void Destroy() override;
  void CreateParams(TCreateParams& Params) override;
  void Activate() override;
  void AdjustClientRect(TRect& Rect) override;
  void PaintWindow(HDC DC) override;
  virtual void Paint();
  void GlassFrameChanged() override;

 private:
  void Init(int BorderWidth);
  void SetMetroMode();
  void ExtendGlass();
  // The messages of the glass frame, offered to the window manager first.
  LRESULT DwmFrameMessage(TMessage& Message, bool& CallDefault);
  void UpdateContextMenuClick();
  void RecreateAfterComposition();
  void SizeChanged(TMessage& Message);
  void MinMaxInfo(TMessage& Message);
  void HitTest(TMessage& Message);
  void WindowPosChanging(TMessage& Message);
  void ActivateMessage(TMessage& Message);
  void NCLButtonDown(TMessage& Message);
  void EraseBackground(TMessage& Message);
  // Follows the user's own moves: a form dragged with its top near the top
  // of the work area is maximized when the drag ends.
  void TrackUserMove(const TMessage& Message);
  void DrawSizeGrip();
  TRect WorkAreaOfParent();

  bool FIsAeroVista = false;
  bool FDestroying = false;
  TWindowState FOldWndState = TWindowState::wsNormal;
  bool FActivated = false;
  bool FCreated = true;
  bool FIsWin7 = false;
  bool FInternalActivate = false;
  bool FSubClassAsRibbon = true;
  bool FNoDropShadow = false;
  int FMaxY = 0, FMaxX = 0;
  bool FUpdatingSize = false;
  bool FDoNotSizeWindow = false;
  bool FSwitchingOnXP = false;
  bool FSingleBorder = false;
  TFormBorderStyle FInitBorderStyle = TFormBorderStyle::bsSizeable;
  bool FThickBorder = false;
  bool FItones = false;
  bool FOffice2013 = false;
  bool FItonesBeingSet = false;
  bool FOldGlassFrameEnble = false;
  int FOldBorderWidth = 0;
  TFormBorderStyle FOldBorderStyle = TFormBorderStyle::bsSizeable;
  bool FOldAeroVista = false;
  TColor FBorderClr = clGray;
  TColor FSizeGripColor = 0xF2BC00;
  bool FSizeGrip = false;
  HWND FSysShadowHandle = nullptr;
  bool FDoSetMetro = false;
  int FBorderWidth = 2;
  bool FAutoScale = false;
  // A move loop of the user's runs, and the form has moved in it.
  bool FInMoveLoop = false;
  bool FMovedInLoop = false;
  TOwned<TCanvas> FCanvas;
};

// For the ribbon form's tests: how the form clicks its own caption when
// the window manager has to refresh the system menu of a maximized glass
// form (nullptr: mouse_event). Only points on the form's own window reach
// it.
using TSynthesizedClick = void (*)(HWND Form, POINT ScreenPoint);
void SetSynthesizedClickSink(TSynthesizedClick Sink);
