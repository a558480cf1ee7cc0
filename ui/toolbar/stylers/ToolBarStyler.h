// The toolbar styler base: the shared colour and font source of dock panels,
// toolbars and the ribbon pager. It owns one of each appearance object, the
// glow-button colour sets of normal and compact toolbars, fonts, background
// and grip images and an internal menu styler; controls register with it and
// hear every change as a numbered kind (StylerReceiver.h).
#pragma once

#include "base/Controls.h"
#include "base/ExtCtrls.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"
#include "ui/toolbar/stylers/RibbonAppearances.h"
#include "ui/toolbar/stylers/StylerReceiver.h"

class TCustomAdvMenuStyler;

enum class TBackGroundDisplay : uint8_t { bdTile, bdCenter, bdStretch };
enum class TDragGripStyle : uint8_t { dsDots, dsSingleLine, dsDoubleLine, dsFlatDots, dsNone };

class TCustomAdvToolBarStyler : public TComponent {
  VANTREL_CLASS(TCustomAdvToolBarStyler)
 public:
  explicit TCustomAdvToolBarStyler(TComponent* AOwner);

  // Registration. AddControl appends (nil is ignored; a control added twice
  // hears each change twice) and asks to hear of the control's end;
  // RemoveControl takes out the first entry. A control that is freed leaves
  // the list entirely.
  void AddControl(TCustomControl* AControl);
  void RemoveControl(TCustomControl* AControl);
  // The registered controls, in registration order; nullptr once the styler
  // is being freed.
  TDbgList* ControlList() const { return FControlList; }
  // The first registered pager, or nullptr.
  IToolBarStylerPager* FindPager() const;

  // The broadcast: nothing while being freed, loading or inside an update
  // bracket; else each registered, named receiver in order.
  void StylerChanged(int Kind);
  // Broadcasts kind 2.
  void UpdateStyle() { StylerChanged(StylerChange::Style); }
  void BeginUpdate() { ++FUpdateCount; }
  // Never below 0; broadcasts nothing.
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }
  // Remembers Code as the style last given to pagers and sets the glass and
  // scenic flags of each registered pager once.
  void UpdatePagerGlass(TKelStyle Code);

  // Only another toolbar styler: its menu styler (into the current one,
  // when it has one), Color, DockColor, the background, Font, the grip,
  // images, floating-window border, CaptionAppearance, FormBorderColor,
  // ButtonAppearance, shadow and 3D, each through its setter.
  void Assign(TPersistent* Source) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  virtual void SetAutoThemeAdapt(bool Value) { FAutoThemeAdapt = Value; }
  // Applies the current style again; nothing here.
  virtual void ReapplyStyle() {}
  // A pager that joins the styler takes the tones of its style (a flat
  // style's, or none); nothing here.
  virtual void TonePager(IToolBarStylerPager* Pager) {}

  // The style code of the applied built-in style (tsOffice2003Blue until
  // one is applied); toolbars and pagers pass it on unless it is tsCustom.
  TKelStyle KelStyle() const { return FKelStyle; }
  // The code last handed to UpdatePagerGlass.
  TKelStyle NewKelStyle() const { return FNewKelStyle; }

  TAppColor* AppColor() const { return FAppColor; }
  void SetAppColor(TAppColor* Value) { FAppColor->Assign(Value); }
  TCustomAdvMenuStyler* AdvMenuStyler() const { return FAdvMenuStyler; }
  // Kind 6. The styler hears when the menu styler is freed and falls back to
  // its internal one.
  void SetAdvMenuStyler(TCustomAdvMenuStyler* Value);
  // The menu styler in effect: the assigned one, else the internal one.
  TCustomAdvMenuStyler* CurrentAdvMenuStyler() const { return FCurrentAdvMenuStyler; }
  TCustomAdvMenuStyler* InternalAdvMenuStyler() const { return FInternalAdvMenuStyler; }
  bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
  TBitmap* BackGround() const { return FBackGround; }
  void SetBackGround(TBitmap* Value);
  bool BackGroundTransparent() const { return FBackGroundTransparent; }
  void SetBackGroundTransparent(bool Value);
  TBackGroundDisplay BackGroundDisplay() const { return FBackGroundDisplay; }
  void SetBackGroundDisplay(TBackGroundDisplay Value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { Store(FBorderColor, Value, StylerChange::Style); }
  TColor BorderColorHot() const { return FBorderColorHot; }
  void SetBorderColorHot(TColor Value) { Store(FBorderColorHot, Value, StylerChange::Style); }
  AdvToolBar::TButtonAppearance* ButtonAppearance() const { return FButtonAppearance; }
  void SetButtonAppearance(AdvToolBar::TButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
  TCaptionAppearance* CaptionAppearance() const { return FCaptionAppearance; }
  void SetCaptionAppearance(TCaptionAppearance* Value) { FCaptionAppearance->Assign(Value); }
  TFont* CaptionFont() const { return FCaptionFont; }
  void SetCaptionFont(TFont* Value);
  TContainerAppearance* ContainerAppearance() const { return FContainerAppearance; }
  void SetContainerAppearance(TContainerAppearance* Value) { FContainerAppearance->Assign(Value); }
  TVistaGradientBackground* Color() const { return FColor; }
  void SetColor(TVistaGradientBackground* Value) { FColor->Assign(Value); }
  TVistaGradientBackground* ColorHot() const { return FColorHot; }
  void SetColorHot(TVistaGradientBackground* Value) { FColorHot->Assign(Value); }
  TGlowButtonAppearance* CompactGlowButtonAppearance() const { return FCompactGlowButtonAppearance; }
  void SetCompactGlowButtonAppearance(TGlowButtonAppearance* Value) { FCompactGlowButtonAppearance->Assign(Value); }
  TGlowButtonAppearance* GlowButtonAppearance() const { return FGlowButtonAppearance; }
  void SetGlowButtonAppearance(TGlowButtonAppearance* Value) { FGlowButtonAppearance->Assign(Value); }
  TGradientBackground* DockColor() const { return FDockColor; }
  void SetDockColor(TGradientBackground* Value) { FDockColor->Assign(Value); }
  TDragGripStyle DragGripStyle() const { return FDragGripStyle; }
  void SetDragGripStyle(TDragGripStyle Value);
  TBitmap* DragGripImage() const { return FDragGripImage; }
  void SetDragGripImage(TBitmap* Value);
  TColor FloatingWindowBorderColor() const { return FFloatingWindowBorderColor; }
  void SetFloatingWindowBorderColor(TColor Value) { Store(FFloatingWindowBorderColor, Value, StylerChange::Style); }
  int FloatingWindowBorderWidth() const { return FFloatingWindowBorderWidth; }
  void SetFloatingWindowBorderWidth(int Value);
  TFont* Font() const { return FFont; }
  void SetFont(TFont* Value);
  TGroupAppearance* GroupAppearance() const { return FGroupAppearance; }
  void SetGroupAppearance(TGroupAppearance* Value) { FGroupAppearance->Assign(Value); }
  TTabAppearance* TabAppearance() const { return FTabAppearance; }
  void SetTabAppearance(TTabAppearance* Value) { FTabAppearance->Assign(Value); }
  TVistaPageBackground* PageAppearance() const { return FPageAppearance; }
  void SetPageAppearance(TVistaPageBackground* Value) { FPageAppearance->Assign(Value); }
  TVistaTextBackground* PagerCaption() const { return FPagerCaption; }
  void SetPagerCaption(TVistaTextBackground* Value) { FPagerCaption->Assign(Value); }
  TQATAppearance* QATAppearance() const { return FQATAppearance; }
  void SetQATAppearance(TQATAppearance* Value) { FQATAppearance->Assign(Value); }
  TBitmap* RightHandleImage() const { return FRightHandleImage; }
  void SetRightHandleImage(TBitmap* Value);
  TColor RightHandleColor() const { return FRightHandleColor; }
  void SetRightHandleColor(TColor Value) { Store(FRightHandleColor, Value, StylerChange::Style); }
  TColor RightHandleColorTo() const { return FRightHandleColorTo; }
  void SetRightHandleColorTo(TColor Value) { Store(FRightHandleColorTo, Value, StylerChange::Style); }
  TColor RightHandleColorHot() const { return FRightHandleColorHot; }
  void SetRightHandleColorHot(TColor Value) { Store(FRightHandleColorHot, Value, StylerChange::Style); }
  TColor RightHandleColorHotTo() const { return FRightHandleColorHotTo; }
  void SetRightHandleColorHotTo(TColor Value) { Store(FRightHandleColorHotTo, Value, StylerChange::Style); }
  TColor RightHandleColorDown() const { return FRightHandleColorDown; }
  void SetRightHandleColorDown(TColor Value) { Store(FRightHandleColorDown, Value, StylerChange::Style); }
  TColor RightHandleColorDownTo() const { return FRightHandleColorDownTo; }
  void SetRightHandleColorDownTo(TColor Value) { Store(FRightHandleColorDownTo, Value, StylerChange::Style); }
  bool SystemFont() const { return FSystemFont; }
  // Turned on: Font and CaptionFont's name become the system's again.
  void SetSystemFont(bool Value);
  bool RoundEdges() const { return FRoundEdges; }
  // Broadcasts kind 2 also for the same value.
  void SetRoundEdges(bool Value);
  bool UseBevel() const { return FUseBevel; }
  void SetUseBevel(bool Value);
  TColor FormBorderColor() const { return FFormBorderColor; }
  void SetFormBorderColor(TColor Value) { FFormBorderColor = Value; }
  TColor SysButtonColor() const { return FSysButtonColor; }
  void SetSysButtonColor(TColor Value) { Store(FSysButtonColor, Value, StylerChange::PagerCaption); }
  // Set only by the built-in styles; no property.
  TBevelCut Bevel() const { return FBevel; }
  void SetBevel(TBevelCut Value);
  bool ShowShadow() const { return FShowShadow; }
  void SetShowShadow(bool Value);
  bool Show3D() const { return FShow3D; }
  void SetShow3D(bool Value);
  // No background fill or bitmap; always False.
  bool Transparent() const { return FTransparent; }
  // The quick access band's left curve is a pixel wider.
  bool QatSharpCurve() const { return FQatSharpCurve; }

 protected:
  void Destroy() override;
  // Gives up the styler on each dock panel and pager that uses it.
  void DetachControls();
  void Store(TColor& Field, TColor Value, int Kind);

  TKelStyle FKelStyle = TKelStyle::tsOffice2003Blue;
  TKelStyle FNewKelStyle = TKelStyle::tsOffice2003Blue;
  bool FAutoThemeAdapt = false;
  bool FQatSharpCurve = false;

 private:
  TOwned<TAppColor> FAppColor;
  TOwned<TDbgList> FControlList;
  TOwned<TBitmap> FBackGround;
  bool FBackGroundTransparent = true;
  TBackGroundDisplay FBackGroundDisplay = TBackGroundDisplay::bdTile;
  TOwned<TFont> FFont;
  TDragGripStyle FDragGripStyle = TDragGripStyle::dsDots;
  TOwned<TBitmap> FDragGripImage;
  TOwned<TBitmap> FRightHandleImage;
  bool FTransparent = false;
  bool FRoundEdges = true;
  TColor FRightHandleColor = 0x9E9E9E;
  TColor FRightHandleColorTo = clBlack;
  TColor FRightHandleColorHot = 0xD2BDB6;
  TColor FRightHandleColorHotTo = clBlack;
  TColor FRightHandleColorDown = 0x76C1FF;
  TColor FRightHandleColorDownTo = 0x2DA0FF;
  TColor FFloatingWindowBorderColor = 0x6D6D6D;
  int FFloatingWindowBorderWidth = 2;
  TOwned<TCaptionAppearance> FCaptionAppearance;
  TBevelCut FBevel = TBevelCut::bvNone;
  TOwned<TVistaGradientBackground> FColor;
  TOwned<TGradientBackground> FDockColor;
  TOwned<AdvToolBar::TButtonAppearance> FButtonAppearance;
  TCustomAdvMenuStyler* FInternalAdvMenuStyler = nullptr;  // owned as a component
  TCustomAdvMenuStyler* FAdvMenuStyler = nullptr;
  TCustomAdvMenuStyler* FCurrentAdvMenuStyler = nullptr;
  TColor FBorderColor = clNone;
  TColor FBorderColorHot = clNone;
  TOwned<TVistaGradientBackground> FColorHot;
  TOwned<TFont> FCaptionFont;
  TOwned<TContainerAppearance> FContainerAppearance;
  TOwned<TGlowButtonAppearance> FGlowButtonAppearance;
  TOwned<TGlowButtonAppearance> FCompactGlowButtonAppearance;
  TOwned<TVistaTextBackground> FPagerCaption;
  TOwned<TTabAppearance> FTabAppearance;
  TOwned<TVistaPageBackground> FPageAppearance;
  TOwned<TGroupAppearance> FGroupAppearance;
  TOwned<TQATAppearance> FQATAppearance;
  bool FUseBevel = false;
  bool FSystemFont = true;
  TColor FFormBorderColor = 0x808080;
  TColor FSysButtonColor = clBlack;
  bool FShowShadow = true;
  bool FShow3D = true;
  int FUpdateCount = 0;
};
