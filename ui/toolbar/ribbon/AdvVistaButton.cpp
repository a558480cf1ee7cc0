#include "ui/toolbar/ribbon/AdvVistaButton.h"

#include <memory>

#include "ui/draw/GdiPlus.h"
#include "ui/toolbar/bars/ButtonFaces.h"
#include "ui/toolbar/bars/SmallGlowButtons.h"
#include "ui/toolbar/bars/ToolBarHosts.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

namespace {
// A right-pointing solid triangle: its base the column x = Base from Y - E
// to Y + E, its tip at (Tip, Y).
void FillRightTriangle(TGPGraphics* Graphics, TGPBrush* Brush, float Base, float Tip, float Y, float E) {
  TGPGraphicsPath path;
  path.AddLine(Base, Y - E + 1, Base, Y + E - 1);
  path.AddLine(Base, Y + E, Tip, Y);
  path.AddLine(Tip, Y, Base, Y - E);
  path.CloseFigure();
  Graphics->FillPath(Brush, &path);
}
}  // namespace

TAdvVistaButton::TAdvVistaButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetSmallGlowButtonDefaults(this);
  FAppearance = new TGlowButtonAppearance();
  FAppearance->OnChange = [this](TObject*) { Invalidate(); };
}

void TAdvVistaButton::SetScrollArrow(TScrollArrow Value) {
  FScrollArrow = Value;
  Invalidate();
}

void TAdvVistaButton::SetArrowStyle(TArrowStyle Value) {
  if (FArrowStyle == Value) return;
  FArrowStyle = Value;
  Invalidate();
}

void TAdvVistaButton::SetDown(bool Value) {
  if (FDown == Value) return;
  FDown = Value;
  Invalidate();
}

bool TAdvVistaButton::IsOnGlass() {
  if (auto* qat = dynamic_cast<IQuickAccessToolBar*>(Parent())) return qat->QATGlass();
  return GetGlobalTabGlass() && GetGlobalWin7ScenicRibbon();
}

// ---------------------------------------------------------------------------
// Mouse

void TAdvVistaButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    // The base would only fire OnMouseEnter and OnMouseLeave; they fire here
    // once the button's state follows the pointer.
    case CM_MOUSEENTER:
      MouseEntered();
      return;
    case CM_MOUSELEAVE:
      MouseLeft();
      return;
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    default:
      TGraphicControl::Dispatch(Message);
  }
}

void TAdvVistaButton::MouseEntered() {
  if (IsDesigning() || FMouseEnter) return;
  FMouseEnter = true;
  if (Enabled() && !FDown) Invalidate();
  if (OnMouseEnter) OnMouseEnter(this);
}

void TAdvVistaButton::MouseLeft() {
  if (IsDesigning() || !FMouseEnter) return;
  FMouseEnter = false;
  if (Enabled() && !FDown) Invalidate();
  auto* qat = dynamic_cast<IQuickAccessToolBar*>(Parent());
  if (OnMouseLeave) OnMouseLeave(this);
  if (qat && qat->QATGlass()) qat->QATInvalidateRefButton();
}

void TAdvVistaButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || !Enabled() || IsDesigning()) return;
  FMouseDown = true;
  Invalidate();
}

void TAdvVistaButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (IsDesigning()) return;
  Invalidate();
  FMouseDown = false;
  if (Enabled()) Click();
}

// ---------------------------------------------------------------------------
// Painting

void TAdvVistaButton::Paint() {
  TCanvas* canvas = Canvas();
  bool pressed = FMouseDown || FDown;
  TGlowStateColors c = GlowStateColors(FAppearance, Enabled(), pressed, FMouseEnter);
  if (FButtonPosition != TButtonPosition::bpStandalone && FMouseDown) c.Border = FAppearance->BorderColor();
  // An idle button shows only its glyph.
  if (!Enabled() || pressed || FMouseEnter)
    DrawGlowButtonFace(canvas, ClientRect(), c.Color, c.ColorTo, c.Mirror, c.MirrorTo, c.Border, c.Gradient,
                       c.GradientMirror, false, FTransparent && !FMouseEnter && !FMouseDown, FMouseEnter,
                       FButtonPosition, true, true);

  TColor glyph = BlendColor(clBlack, c.Border, 50);
  canvas->Pen()->SetStyle(TPenStyle::psSolid);
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetColor(glyph);
  int cx = Width() / 2, cy = Height() / 2;
  auto column = [canvas](int X, int Y1, int Y2) {
    canvas->MoveTo(X, Y1);
    canvas->LineTo(X, Y2);
  };
  switch (FScrollArrow) {
    case TScrollArrow::saLeft:
      canvas->SetPixels(cx - 1, cy, glyph);
      column(cx, cy - 1, cy + 2);
      column(cx + 1, cy - 2, cy + 3);
      break;
    case TScrollArrow::saRight:
      if (FArrowStyle == TArrowStyle::asSingle) {
        column(cx - 1, cy - 2, cy + 3);
        column(cx, cy - 1, cy + 2);
        canvas->SetPixels(cx + 1, cy, glyph);
      } else if (FArrowStyle == TArrowStyle::asDouble) {
        PaintDoubleArrow();
      }
      break;
    case TScrollArrow::saBottom:
      PaintCustomizeGlyph();
      break;
    default:
      break;
  }
}

void TAdvVistaButton::PaintDoubleArrow() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  r.left += 1;
  r.top += 6;
  long double w = r.right - r.left, h = r.bottom - r.top;
  int e = static_cast<int>(Round(3.0L * DPIPixelsPerInch / 96.0L));
  int x0 = static_cast<int>(Round((w - 2 * e - 1) / 2.0L + e));
  int y0 = static_cast<int>(Round((h - 2 * e + 1) / 2.0L + (2 * e - 1) / 2.0L));
  if (IsOnGlass()) {
    TGPGraphics graphics(canvas->Handle());
    TGPSolidBrush black(OpaqueArgb(0, 0, 0));
    FillRightTriangle(&graphics, &black, float(x0 - e), float(x0), float(y0), float(e));
    FillRightTriangle(&graphics, &black, float(x0 + 1), float(x0 + e + 1), float(y0), float(e));
    return;
  }
  canvas->Pen()->SetColor(clBlack);
  for (int i = 0; i < e; ++i) {
    canvas->MoveTo(x0 - e + 1 + i, y0 - e + 1 + i);
    canvas->LineTo(x0 - e + 1 + i, y0 + e - i);
    canvas->MoveTo(x0 + 2 + i, y0 - e + 1 + i);
    canvas->LineTo(x0 + 2 + i, y0 + e - i);
  }
}

void TAdvVistaButton::PaintCustomizeGlyph() {
  TRect r = ClientRect();
  r.left += 1;
  r.bottom -= 4;
  float rt = float(r.right), b = float(r.bottom);
  TGPGraphics graphics(Canvas()->Handle());
  TGPPen dark(ComposeArgb(200, 0, 0, 0), 1);
  graphics.DrawLine(&dark, rt - 10, b - 9, rt - 5, b - 9);
  TGPGraphicsPath triangle;
  triangle.AddLine(rt - 10, b - 6, rt - 4, b - 6);
  triangle.AddLine(rt - 4, b - 6, rt - 7, b - 3);
  triangle.CloseFigure();
  TGPSolidBrush black(OpaqueArgb(0, 0, 0));
  graphics.FillPath(&black, &triangle);
  TGPPen light(ComposeArgb(200, 255, 255, 255), 1);
  graphics.DrawLine(&light, rt - 10, b - 8, rt - 5, b - 8);
  TGPGraphicsPath under;
  under.AddLine(rt - 10, b - 5, rt - 7, b - 2);
  under.AddLine(rt - 7, b - 2, rt - 5, b - 5);
  graphics.DrawPath(&light, &under);
}
