#include "ui/toolbar/bars/AdvToolBarContainer.h"

#include <algorithm>

#include "ui/controls/buttons/GlowButtonHelpers.h"
#include "ui/toolbar/bars/AdvToolBarButton.h"

TAdvToolBarContainer::TAdvToolBarContainer(TComponent* AOwner)
    : TCustomControl(AOwner), FColor(new TGradientBackground), FOfficeHint(new TAdvHintInfo) {
  FControlStyle.Exclude(TControlStyleItem::csOpaque);
  FControlStyle.Include(TControlStyleItem::csAcceptsControls);
  SetDoubleBuffered(true);
  FColor->OnChange = [this](TObject* Sender) { ColorChanged(Sender); };
}

void TAdvToolBarContainer::Loaded() {
  TCustomControl::Loaded();
  ApplyStyler();
  Invalidate();
}

void TAdvToolBarContainer::SetParent(TWinControl* AParent) {
  TCustomControl::SetParent(AParent);
  if (auto* t = dynamic_cast<TAdvCustomToolBar*>(AParent)) SetAdvToolBar(t);
}

void TAdvToolBarContainer::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FAdvToolBar) FAdvToolBar = nullptr;
}

void TAdvToolBarContainer::LinkGlowButton(TAdvCustomGlowButton* Button) {
  if (!FAdvToolBar) return;
  TAdvCustomToolBar* toolBar = FAdvToolBar;
  Button->FOnInternalKeyDown = [toolBar](TObject* Sender, WORD& Key, TShiftState Shift) {
    toolBar->GlowButtonKeyDown(Sender, Key, Shift);
  };
}

void TAdvToolBarContainer::SetAdvToolBar(TAdvCustomToolBar* Value) {
  if (FAdvToolBar == Value) return;
  if (FAdvToolBar) FAdvToolBar->RemoveFreeNotification(this);
  FAdvToolBar = Value;
  if (Value) Value->FreeNotification(this);
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (auto* item = dynamic_cast<TAdvCustomToolBarControl*>(c)) item->FAdvToolBar = Value;
    if (auto* g = dynamic_cast<TAdvCustomGlowButton*>(c); g && Value) LinkGlowButton(g);
  }
  Invalidate();
}

void TAdvToolBarContainer::ApplyStyler() {
  if (!FAdvToolBar) return;
  TCustomAdvToolBarStyler* styler = FAdvToolBar->CurrentToolBarStyler();
  if (!styler) return;
  TKelStyle style = styler->KelStyle();
  bool styled = dynamic_cast<IKelStyle*>(styler) && style != TKelStyle::tsCustom;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (auto* g = dynamic_cast<TAdvGlowButton*>(c)) g->Appearance()->Assign(styler->GlowButtonAppearance());
    if (!styled) continue;
    if (auto* item = dynamic_cast<IKelStyle*>(c)) item->SetComponentStyle(style);
  }
}

// ---------------------------------------------------------------------------
// Messages

void TAdvToolBarContainer::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_CONTROLCHANGE:
      TCustomControl::Dispatch(Message);
      ControlChange(reinterpret_cast<TControl*>(Message.WParam), Message.LParam != 0);
      return;
    case CM_MOUSEENTER:
      TCustomControl::Dispatch(Message);
      Invalidate();
      return;
    case WM_ERASEBKGND:
      TCustomControl::Dispatch(Message);
      Message.Result = 1;
      return;
    default:
      TCustomControl::Dispatch(Message);
  }
}

void TAdvToolBarContainer::ControlChange(TControl* AControl, bool Inserting) {
  if (!Inserting || !AControl) return;
  if (auto* g = dynamic_cast<TAdvCustomGlowButton*>(AControl)) LinkGlowButton(g);
  if (auto* item = dynamic_cast<TAdvCustomToolBarControl*>(AControl)) item->FAdvToolBar = FAdvToolBar;
  if (!IsDesigning()) return;
  // A control dropped in at design time goes after the others.
  int right = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (Controls(i) != AControl) right = std::max(right, Controls(i)->Left() + Controls(i)->Width());
  if (right > 0 && right < Width()) AControl->SetLeft(right);
}

void TAdvToolBarContainer::AdjustClientRect(TRect& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  Rect.left += FMargins;
  Rect.top += FMargins;
  Rect.right -= FMargins;
  Rect.bottom -= FMargins;
}

void TAdvToolBarContainer::AlignControls(TControl* AControl, TRect& Rect) {
  TCustomControl::AlignControls(AControl, Rect);
  ConstrainControls();
}

void TAdvToolBarContainer::ConstrainControls() {
  if (FInternalUpdating) return;
  FInternalUpdating = true;
  try {
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      if (c->Left() < FMargins) c->SetLeft(FMargins);
      if (c->Top() < FMargins) c->SetTop(FMargins);
      if (c->Left() + c->Width() > Width() - FMargins) c->SetLeft(Width() - FMargins - c->Width());
      if (c->Top() + c->Height() > Height() - FMargins) c->SetTop(Height() - FMargins - c->Height());
    }
  } catch (...) {
    FInternalUpdating = false;
    throw;
  }
  FInternalUpdating = false;
}

// ---------------------------------------------------------------------------
// Properties

void TAdvToolBarContainer::SetCaption(const String& Value) {
  FCaption = Value;
  Invalidate();
}

void TAdvToolBarContainer::SetColor(TGradientBackground* Value) {
  FColor->Assign(Value);
  ColorChanged(FColor);
}

void TAdvToolBarContainer::ColorChanged(TObject*) {
  TCustomControl::SetColor(FColor->Color());
  Invalidate();
}

void TAdvToolBarContainer::SetLineColor(TColor Value) {
  FLineColor = Value;
  Invalidate();
}

void TAdvToolBarContainer::SetLine3D(bool Value) {
  FLine3D = Value;
  Invalidate();
}

void TAdvToolBarContainer::SetParentStyler(bool Value) {
  FParentStyler = Value;
  Invalidate();
}

void TAdvToolBarContainer::SetMargins(int Value) {
  if (Value < 0 || Value > 14 || Value == FMargins) return;
  FMargins = Value;
  ConstrainControls();
}

// ---------------------------------------------------------------------------
// Painting

void TAdvToolBarContainer::FrameSettings(bool& Line3D, TColor& LineColor) {
  Line3D = FLine3D;
  LineColor = FLineColor;
  if (!FParentStyler || !FAdvToolBar || !FAdvToolBar->CurrentToolBarStyler()) return;
  TContainerAppearance* look = FAdvToolBar->CurrentToolBarStyler()->ContainerAppearance();
  Line3D = look->Line3D();
  LineColor = look->LineColor();
}

void TAdvToolBarContainer::Paint() {
  TRect client = ClientRect();
  TCanvas* canvas = Canvas();
  // What lies behind the container: its parent's background and face.
  {
    TBitmap background(std::max<int>(1, client.Width()), std::max<int>(1, client.Height()));
    GlowButton::PaintParentBackground(this, background.Canvas()->Handle());
    canvas->Draw(0, 0, &background);
  }

  bool line3D = false;
  TColor lineColor = clNone;
  FrameSettings(line3D, lineColor);
  if (lineColor == clNone) return;

  const int r = client.right, b = client.bottom, m = FMargin, y = m + 2;
  // Without a caption the gap is empty: the top line runs from 0.
  int gapFrom = 0, gapTo = 0;
  if (!FCaption.empty()) {
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    canvas->Font()->Assign(Font());
    canvas->Font()->SetColor(clBlack);
    TRect textRect(10, 0, r, b);
    canvas->TextRect(textRect, FCaption, DT_SINGLELINE);
    TRect measured(10, 0, r, b);
    canvas->TextRect(measured, FCaption, DT_SINGLELINE | DT_CALCRECT);
    gapFrom = 9;
    gapTo = 11 + measured.Width();
  }

  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  canvas->Pen()->SetStyle(TPenStyle::psSolid);
  canvas->Pen()->SetWidth(1);
  // The top line at Y from Left, leaving the caption's gap.
  auto topLine = [&](int Left, int Y, int Right) {
    canvas->MoveTo(Left, Y);
    if (gapTo > 0) {
      canvas->LineTo(gapFrom, Y);
      canvas->MoveTo(gapTo, Y);
    }
    canvas->LineTo(Right, Y);
  };
  canvas->Pen()->SetColor(lineColor);
  topLine(0, y, r - m);
  canvas->MoveTo(0, y);
  canvas->LineTo(0, b - m);
  canvas->LineTo(r - m, b - m);
  canvas->LineTo(r - m, y);
  if (!line3D) return;
  // The etched look: white lines one pixel inside the dark ones.
  canvas->Pen()->SetColor(clWhite);
  topLine(1, y + 1, r - m);
  canvas->MoveTo(1, y + 1);
  canvas->LineTo(1, b - m);
  canvas->MoveTo(1, b - m + 1);
  canvas->LineTo(r - m + 1, b - m + 1);
  canvas->MoveTo(r - m + 1, b - m + 1);
  canvas->LineTo(r - m + 1, y);
}
