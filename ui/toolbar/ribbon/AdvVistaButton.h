// TAdvVistaButton: the small windowless button of the quick access toolbar
// (its overflow chevron and its customize button). It paints a glow face
// only while it is hot, pressed, held down by its user or disabled, and one
// of a few fixed glyphs: a small left or right arrow, a double right arrow
// (filled with GDI+ on glass, drawn with lines elsewhere) or the customize
// glyph (a bar over a downward triangle). Its user sets Down while a pop-up
// it opened shows. Releasing any mouse button over an enabled button, or
// after pressing on it, fires OnClick; there is no click repeat.
#pragma once

#include "ui/controls/buttons/GlowButtonAppearance.h"
#include "ui/controls/buttons/GlowFace.h"
#include "ui/toolbar/ribbon/PageScrollButton.h"

enum class TArrowStyle { asSingle, asDouble, asWithLine };

class TAdvVistaButton : public TGraphicControl {
  VANTREL_CLASS(TAdvVistaButton)
 public:
  // 22 x 23, captures the mouse and takes double clicks but fires its
  // clicks itself; Tahoma.
  explicit TAdvVistaButton(TComponent* AOwner);

  // The face's colours; a change repaints.
  TGlowButtonAppearance* Appearance() const { return FAppearance; }
  // Standalone: its face has the whole border.
  TButtonPosition ButtonPosition() const { return FButtonPosition; }
  TScrollArrow ScrollArrow() const { return FScrollArrow; }
  void SetScrollArrow(TScrollArrow Value);
  TArrowStyle ArrowStyle() const { return FArrowStyle; }
  void SetArrowStyle(TArrowStyle Value);
  // Shows the pressed colours (while a pop-up of the button is open).
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  // Off: a down or disabled face is filled.
  bool Transparent() const { return FTransparent; }
  bool MouseInside() const { return FMouseEnter; }
  bool MouseIsDown() const { return FMouseDown; }
  // On the glass of a quick access toolbar, or of the tabs in the scenic
  // look.
  bool IsOnGlass();

  void Dispatch(TMessage& Message) override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void MouseEntered();
  void MouseLeft();
  void PaintDoubleArrow();
  void PaintCustomizeGlyph();

  bool FMouseEnter = false;
  TOwned<TGlowButtonAppearance> FAppearance;
  bool FTransparent = false;
  TButtonPosition FButtonPosition = TButtonPosition::bpStandalone;
  bool FMouseDown = false;
  TScrollArrow FScrollArrow = TScrollArrow::saLeft;
  TArrowStyle FArrowStyle = TArrowStyle::asSingle;
  bool FDown = false;
};
