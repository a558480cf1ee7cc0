// The toolbar container: a windowed item of a toolbar that groups other
// controls (glow buttons, toolbar items, any control) inside a thin frame
// with an optional caption set into its top line, like a group box. It
// shows its parent's background, keeps its children inside its Margins,
// hands its toolbar's key hook to the glow buttons it holds and passes the
// styler's glow-button colours on to them. With ParentStyler on, the frame
// takes Line3D and LineColor from the styler's ContainerAppearance.
#pragma once

#include "ui/draw/HintInfo.h"
#include "ui/toolbar/bars/AdvToolBar.h"

class TAdvToolBarContainer : public TCustomControl {
  VANTREL_CLASS(TAdvToolBarContainer)
 public:
  explicit TAdvToolBarContainer(TComponent* AOwner);

  void Loaded() override;
  // A toolbar as the new Parent binds the container to it.
  void SetParent(TWinControl* AParent) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

  TAdvCustomToolBar* AdvToolBar() const { return FAdvToolBar; }
  // Every toolbar item among the children gets the toolbar; with a
  // toolbar, every glow button among them its key hook.
  void SetAdvToolBar(TAdvCustomToolBar* Value);
  // Each glow button takes the styler's glow colours; with a styler that
  // follows a style, each child with a style takes that style.
  void ApplyStyler();
  // Children that lie partly outside the Margins move in.
  void ConstrainControls();

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  TGradientBackground* Color() const { return FColor; }
  void SetColor(TGradientBackground* Value);
  TColor LineColor() const { return FLineColor; }
  void SetLineColor(TColor Value);
  bool Line3D() const { return FLine3D; }
  void SetLine3D(bool Value);
  bool ParentStyler() const { return FParentStyler; }
  void SetParentStyler(bool Value);
  // 0 to 14; other values are ignored.
  int Margins() const { return FMargins; }
  void SetMargins(int Value);
  TAdvHintInfo* OfficeHint() const { return FOfficeHint; }
  void SetOfficeHint(TAdvHintInfo* Value) { FOfficeHint->Assign(Value); }
  // The frame's distance from the client edges.
  int FrameMargin() const { return FMargin; }

 protected:
  void Paint() override;
  void AdjustClientRect(TRect& Rect) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;

 private:
  void ControlChange(TControl* AControl, bool Inserting);
  void ColorChanged(TObject* Sender);
  // The frame settings in effect: the container's or its styler's.
  void FrameSettings(bool& Line3D, TColor& LineColor);
  void LinkGlowButton(TAdvCustomGlowButton* Button);

  TAdvCustomToolBar* FAdvToolBar = nullptr;
  bool FParentStyler = true;
  bool FLine3D = true;
  String FCaption;
  TColor FLineColor = clBtnShadow;
  TOwned<TGradientBackground> FColor;
  int FMargin = 2;
  TOwned<TAdvHintInfo> FOfficeHint;
  int FMargins = 0;
  bool FInternalUpdating = false;
};

