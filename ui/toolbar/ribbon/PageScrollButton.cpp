#include "ui/toolbar/ribbon/PageScrollButton.h"

#include "ui/controls/buttons/GlowButtonHelpers.h"
#include "ui/draw/GdiPlus.h"
#include "ui/toolbar/bars/ButtonFaces.h"
#include "ui/toolbar/bars/SmallGlowButtons.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

TAdvPageScrollButton::TAdvPageScrollButton(TComponent* AOwner) : TCustomControl(AOwner) {
  SetSmallGlowButtonDefaults(this);
  FAppearance = new TGlowButtonAppearance();
  FAppearance->OnChange = [this](TObject*) { Invalidate(); };
}

void TAdvPageScrollButton::SetScrollArrow(TScrollArrow Value) {
  FScrollArrow = Value;
  Invalidate();
}

void TAdvPageScrollButton::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  Invalidate();
}

void TAdvPageScrollButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
      TCustomControl::Dispatch(Message);
      if (IsDesigning() || FMouseEnter) return;
      FMouseEnter = true;
      if (Enabled()) Invalidate();
      return;
    case CM_MOUSELEAVE:
      TCustomControl::Dispatch(Message);
      if (IsDesigning() || !FMouseEnter) return;
      FMouseEnter = false;
      if (Enabled()) Invalidate();
      return;
    default:
      TCustomControl::Dispatch(Message);
  }
}

void TAdvPageScrollButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || !Enabled() || IsDesigning()) return;
  if (FRepeatClick) {
    if (!FRepeatTimer) FRepeatTimer = new TTimer(this);
    FRepeatTimer->SetOnTimer([this](TObject* Sender) { RepeatTimerTick(Sender); });
    FRepeatTimer->SetInterval(static_cast<unsigned>(FInitRepeatPause));
    FRepeatTimer->SetEnabled(true);
  }
  FMouseDown = true;
  if (Enabled()) Invalidate();
}

void TAdvPageScrollButton::RepeatTimerTick(TObject*) {
  FRepeatTimer->SetInterval(static_cast<unsigned>(FRepeatPause));
  if (!FMouseDown || !MouseCapture()) return;
  try {
    Click();
  } catch (...) {
    FRepeatTimer->SetEnabled(false);
    throw;
  }
}

void TAdvPageScrollButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (IsDesigning()) return;
  Invalidate();
  FMouseDown = false;
  if (Enabled()) Click();
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

void TAdvPageScrollButton::PaintParentPart(HDC DC, const TRect& Clip) {
  int saved = SaveDC(DC);
  IntersectClipRect(DC, Clip.left, Clip.top, Clip.right, Clip.bottom);
  GlowButton::PaintParentBackground(this, DC);
  RestoreDC(DC, saved);
}

void TAdvPageScrollButton::Paint() {
  TCanvas* canvas = Canvas();
  HDC dc = canvas->Handle();
  TRect r = ClientRect();
  bool seeThrough = FTransparent && !FMouseEnter;
  if (seeThrough) PaintParentPart(dc, r);

  TGlowStateColors c = GlowStateColors(FAppearance, Enabled(), FMouseDown, FMouseEnter);
  TColor border = c.Border;
  if (FButtonPosition != TButtonPosition::bpStandalone && FMouseDown) border = FAppearance->BorderColor();

  bool glass = GetGlobalTabGlass();
  DrawGlowButtonFace(canvas, r, c.Color, c.ColorTo, c.Mirror, c.MirrorTo, border, c.Gradient, c.GradientMirror, false,
                     seeThrough && !FMouseDown, FMouseEnter, glass ? TButtonPosition::bpStandalone : FButtonPosition,
                     true, !glass);

  // The arrow: a solid triangle 2c - 1 pixels high.
  if (FScrollArrow == TScrollArrow::saLeft || FScrollArrow == TScrollArrow::saRight) {
    canvas->Pen()->SetColor(BlendColor(clBlack, border, 50));
    canvas->Pen()->SetWidth(1);
    int c = static_cast<int>(Round(3.0L * DPIPixelsPerInch / 96.0L));
    int d = c / 2, cx = Width() / 2, y0 = Height() / 2 - c + 1;
    for (int i = 0; i < c; ++i) {
      int x = FScrollArrow == TScrollArrow::saLeft ? cx + d - i : cx + i - d;
      canvas->MoveTo(x, y0 + i);
      canvas->LineTo(x, y0 + 2 * c - i - 1);
    }
  }

  // The outer corners show the parent again.
  if (!FParent || seeThrough || FButtonPosition == TButtonPosition::bpMiddle) return;
  int w = r.Width(), h = r.Height();
  bool left = FButtonPosition != TButtonPosition::bpRight, right = FButtonPosition != TButtonPosition::bpLeft;
  TBitmap under(w, h);
  GlowButton::PaintParentBackground(this, under.Canvas()->Handle());
  HDC src = under.Canvas()->Handle();
  auto copy = [dc, src](int X, int Y) { BitBlt(dc, X, Y, 1, 1, src, X, Y, SRCCOPY); };
  if (left) {
    copy(0, 0);
    copy(0, h - 1);
  }
  if (right) {
    copy(w - 1, 0);
    copy(w - 1, h - 1);
  }
}
