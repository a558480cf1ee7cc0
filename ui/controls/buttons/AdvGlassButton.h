// The glass button: a push button drawn as tinted glass (an outline, a
// half-transparent face in BackColor, a shine over the upper half, a glow
// while pressed, an optional background symbol) with a caption and an
// optional picture. A plain, check or exclusive-group button with a
// keyboard-access hint.
#pragma once

#include "base/ActnList.h"
#include "base/ExtCtrls.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/controls/buttons/GlassDraw.h"

class TAdvCustomGlassButton;

enum class TAdvToolButtonStyle { tasButton, tasCheck };

using TCustomBackgroundSymbolEvent =
    std::function<void(TObject* Sender, const TRect& ARect, TGPGraphics* AGraphics)>;

// Down follows the action's Checked and GroupIndex its GroupIndex, each
// while the two are equal.
class TAdvGlassButtonActionLink : public TControlActionLink {
  VANTREL_CLASS(TAdvGlassButtonActionLink)
 public:
  explicit TAdvGlassButtonActionLink(TObject* AClient);
  bool IsCheckedLinked() override;
  bool IsGroupIndexLinked() override;
  void SetChecked(bool Value) override;
  void SetGroupIndex(int Value) override;

 protected:
  TAdvCustomGlassButton* FClient;
};

class TAdvCustomGlassButton : public TCustomControl {
  VANTREL_CLASS(TAdvCustomGlassButton)
 public:
  explicit TAdvCustomGlassButton(TComponent* AOwner);

  void Click() override;
  void Loaded() override;
  void Dispatch(TMessage& Message) override;

  // Draws the button in its state onto a canvas of its size.
  virtual void DrawButton(TCanvas* ACanvas);
  virtual int GetVersionNr() { return 0x01030003; }
  String Version() { return TAdvCustomGlowButton::VersionText(GetVersionNr()); }
  void SetVersion(const String&) {}
  void ShowShortCutHint();
  void HideShortCutHint();

  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  TAntiAlias AntiAlias() const { return FAntiAlias; }
  void SetAntiAlias(TAntiAlias Value);
  TColor BackColor() const { return FBackColor; }
  void SetBackColor(TColor Value);
  TColor BackgroundColor() const { return FBackgroundColor; }
  void SetBackgroundColor(TColor Value);
  TBackGroundSymbol BackGroundSymbol() const { return FBackGroundSymbol; }
  void SetBackGroundSymbol(TBackGroundSymbol Value);
  TColor BackGroundSymbolColor() const { return FBackGroundSymbolColor; }
  void SetBackGroundSymbolColor(TColor Value);
  TButtonDirection ButtonDirection() const { return FButtonDirection; }
  void SetButtonDirection(TButtonDirection Value);
  TButtonShape ButtonShape() const { return FButtonShape; }
  void SetButtonShape(TButtonShape Value);
  int CornerRadius() const { return FCornerRadius; }
  // Negative values are ignored; while designing, at most half the height.
  void SetCornerRadius(int Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  TColor ForeColor() const { return FForeColor; }
  void SetForeColor(TColor Value);
  bool ForceTransparent() const { return FForceTransparent; }
  void SetForceTransparent(bool Value);
  TColor GlowColor() const { return FGlowColor; }
  void SetGlowColor(TColor Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  TColor InnerBorderColor() const { return FInnerBorderColor; }
  void SetInnerBorderColor(TColor Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  TAdvHintInfo* OfficeHint() const { return FOfficeHint; }
  void SetOfficeHint(TAdvHintInfo* Value) { FOfficeHint->Assign(Value); }
  TColor OuterBorderColor() const { return FOuterBorderColor; }
  void SetOuterBorderColor(TColor Value);
  TGDIPPicture* Picture() const { return FIPicture; }
  void SetPicture(TGDIPPicture* Value);
  TGDIPPicture* PictureDown() const { return FIPictureDown; }
  void SetPictureDown(TGDIPPicture* Value) { FIPictureDown->Assign(Value); }
  TGDIPPicture* PictureDisabled() const { return FIPictureDisabled; }
  void SetPictureDisabled(TGDIPPicture* Value);
  TColor ShineColor() const { return FShineColor; }
  void SetShineColor(TColor Value);
  const String& ShortCutHint() const { return FShortCutHintText; }
  void SetShortCutHint(const String& Value);
  TShortCutHintPos ShortCutHintPos() const { return FShortCutHintPos; }
  void SetShortCutHintPos(TShortCutHintPos Value);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  bool ShowFocusRect() const { return FShowFocusRect; }
  void SetShowFocusRect(bool Value);
  TAdvToolButtonStyle Style() const { return FStyle; }
  void SetStyle(TAdvToolButtonStyle Value) { FStyle = Value; }
  TAdvButtonState State() const { return FState; }
  bool MouseInControl() const { return FMouseInControl; }
  TShortCutHintWindow* ShortCutHintWindow() const { return FShortCutHint; }
  // The un-hot timer's check, as one of its ticks makes it.
  void UnHotTimerTick(TObject* Sender);
  bool UnHotTimerRunning() const { return FUnHotTimer->Enabled(); }

  TCustomBackgroundSymbolEvent OnCustomBackgroundSymbol;

 protected:
  void Destroy() override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void KeyPress(wchar_t& Key) override;
  TControlActionLinkClass GetActionLinkClass() override;
  void ActionChange(TObject* Sender, bool CheckDefaults) override;
  virtual void DoCustomBackgroundSymbol(TGPGraphics* AGraphics, const TRect& ARect);
  void PaintGlassShape(TGPGraphics* Graphics);

 private:
  friend class TAdvGlassButtonActionLink;
  void KeyClick();
  void UpdateExclusive();
  void ButtonPressed(TMessage& Message);
  // The down and group fields for the shared group logic.
  ButtonGroup::TMember GroupMember();
  void MouseEnter();
  void MouseLeave();
  void TrackPointer();
  void LButtonUp(TMessage& Message);
  void PaintParentBackground(HDC DC);
  void ComposeSiblings(TCanvas* ACanvas);

  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  bool FMouseInControl = false;
  TAdvToolButtonStyle FStyle = TAdvToolButtonStyle::tasButton;
  TAdvButtonState FState = TAdvButtonState::absUp;
  bool FMouseDownInControl = false;
  bool FDragging = false;
  TTimer* FUnHotTimer = nullptr;
  bool FInitialDown = false;
  TOwned<TAdvHintInfo> FOfficeHint;
  TOwned<TGDIPPicture> FIPictureDown;
  TOwned<TGDIPPicture> FIPictureDisabled;
  TOwned<TGDIPPicture> FIPicture;
  TShortCutHintWindow* FShortCutHint = nullptr;
  TShortCutHintPos FShortCutHintPos = TShortCutHintPos::shpTop;
  String FShortCutHintText;
  TColor FBackColor = clBlack;
  TColor FForeColor = clWhite;
  TColor FInnerBorderColor = clBlack;
  TColor FOuterBorderColor = clWhite;
  TColor FShineColor = clWhite;
  TColor FGlowColor = 0xFFBD8D;
  TButtonLayout FLayout = TButtonLayout::blGlyphLeft;
  TAntiAlias FAntiAlias = TAntiAlias::aaClearType;
  bool FShowCaption = true;
  bool FShowFocusRect = false;
  bool FActive = false;
  int FCornerRadius = 4;
  TBackGroundSymbol FBackGroundSymbol = TBackGroundSymbol::bsNone;
  TColor FBackGroundSymbolColor = clWhite;
  TButtonShape FButtonShape = TButtonShape::btsRectangle;
  TButtonDirection FButtonDirection = TButtonDirection::bdRight;
  bool FForceTransparent = false;
  TColor FBackgroundColor = clNone;
};

class TAdvGlassButton : public TAdvCustomGlassButton {
  VANTREL_CLASS(TAdvGlassButton)
 public:
  using TAdvCustomGlassButton::TAdvCustomGlassButton;
};
