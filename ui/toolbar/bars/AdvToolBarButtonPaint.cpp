// How a toolbar button paints itself: the background of the button part and
// of the drop-down part in the colours of its state, the border, the frame
// of an open menu, the arrow, the glyph with its hover shade and the caption,
// laid out across or (turned a quarter) along vertical toolbars.
#include <algorithm>

#include "ui/toolbar/bars/AdvToolBarButton.h"
#include "ui/toolbar/bars/ButtonFaces.h"
#include "ui/toolbar/bars/ToolBarPaint.h"

namespace {

bool IsSet(TColor C) { return C != clNone; }

void Fill(TCanvas* C, bool Glass, TColor From, TColor To, const TRect& R, AdvToolBar::TGradientDirection D) {
  if (R.Width() <= 0 || R.Height() <= 0) return;
  if (Glass) {
    DrawVerticalGradientGdip(nullptr, C, From, IsSet(To) ? To : From, R);
    return;
  }
  if (IsSet(To)) {
    DrawGradient(C, From, To, 40, R, D == AdvToolBar::TGradientDirection::gdHorizontal);
    return;
  }
  C->Brush()->SetStyle(TBrushStyle::bsSolid);
  C->Brush()->SetColor(From);
  C->Pen()->SetColor(From);
  C->Rectangle(R);
}


// The colour sets of an appearance, as a state takes them.
void TakeDown(TButtonStateColors& k, AdvToolBar::TButtonAppearance* a) {
  k.Fill = a->ColorDown();
  k.FillTo = a->ColorDownTo();
  k.Border = a->BorderDownColor();
  k.Caption = a->CaptionTextColorDown();
  k.Direction = a->GradientDirectionDown();
  k.DropFill = a->ColorHot();
  k.DropFillTo = a->ColorHotTo();
}

void TakeHot(TButtonStateColors& k, AdvToolBar::TButtonAppearance* a) {
  k.Fill = a->ColorHot();
  k.FillTo = a->ColorHotTo();
  k.Border = a->BorderHotColor();
  k.Caption = a->CaptionTextColorHot();
  k.Direction = a->GradientDirectionHot();
  k.DropFill = k.Fill;
  k.DropFillTo = k.FillTo;
}

void TakeChecked(TButtonStateColors& k, AdvToolBar::TButtonAppearance* a) {
  k.Fill = a->ColorChecked();
  k.FillTo = a->ColorCheckedTo();
  k.Border = a->BorderCheckedColor();
  k.Caption = a->CaptionTextColorChecked();
  k.Direction = a->GradientDirectionChecked();
  k.DropFill = k.Fill;
  k.DropFillTo = k.FillTo;
}

}  // namespace

void TAdvCustomToolBarButton::Paint() {
  ButtonGroup::PaintState(GroupMember(), FDragging);
  TAdvCustomToolBarControl::Paint();
  DrawButtonBackground(Canvas());
  if (IsDesigning() && FImageIndex < 0 && !(FShowCaption && !Caption().empty()) && FGlyph->Empty() &&
      !(FPicture->Graphic() && !FPicture->Graphic()->Empty())) {
    TCanvas* c = Canvas();
    c->Pen()->SetStyle(TPenStyle::psDot);
    c->Pen()->SetColor(static_cast<TColor>(0xFF0000));
    c->Brush()->SetStyle(TBrushStyle::bsClear);
    c->Rectangle(0, 0, FWidth - 1, FHeight - 1);
    c->Pen()->SetStyle(TPenStyle::psSolid);
  }
}

bool TAdvCustomToolBarButton::PaintsVertical() const { return IsRotated(); }

bool TAdvCustomToolBarButton::PressedLook() const {
  bool hot = FHot || FPropHot;
  return (FState == TAdvButtonState::absDown && FStyle != TAdvToolButtonStyle::tasCheck) ||
         (FState == TAdvButtonState::absExclusive && hot) || FMouseDownInControl;
}

void TAdvCustomToolBarButton::DisabledStateColors(TButtonStateColors& K) {
  AdvToolBar::TButtonAppearance* own = FAppearance;
  if (!FTransparent) {
    K.Fill = own->Color();
    K.FillTo = own->ColorTo();
    K.Border = own->BorderColor();
  }
  K.Caption = own->CaptionTextColor();
  K.Direction = own->GradientDirection();
  if (!FGlyphDisabled->Empty()) K.Glyph = FGlyphDisabled;
  K.DropFill = K.Fill;
  K.DropFillTo = K.FillTo;
}

void TAdvCustomToolBarButton::GetStateColors(TButtonStateColors& k) {
  TCustomAdvToolBarStyler* styler = CurrentStyler();
  AdvToolBar::TButtonAppearance* own = FAppearance;
  AdvToolBar::TButtonAppearance* src = FParentStyler && styler ? styler->ButtonAppearance() : own;
  auto pick = [&k](TBitmap* G) {
    if (!G->Empty()) k.Glyph = G;
  };
  bool hot = FHot || FPropHot;
  bool pressed = PressedLook();
  bool latched = (FState == TAdvButtonState::absExclusive && !pressed) ||
                 (FStyle == TAdvToolButtonStyle::tasCheck && FState == TAdvButtonState::absDown);
  if (FState == TAdvButtonState::absDisabled || !FEnabled) {
    DisabledStateColors(k);
  } else if (FState == TAdvButtonState::absDropDown) {
    k.Caption = src->CaptionTextColor();
  } else if (latched) {
    TakeChecked(k, src);
    pick(FGlyphChecked);
  } else if (pressed) {
    TakeDown(k, src);
    pick(FGlyphDown);
  } else if (hot) {
    TakeHot(k, src);
    pick(FGlyphHot);
  } else {
    if (!FTransparent) {
      k.Fill = own->Color();
      k.FillTo = own->ColorTo();
      k.Border = own->BorderColor();
    }
    k.Caption = src->CaptionTextColor();
    k.Direction = own->GradientDirection();
    k.DropFill = k.Fill;
    k.DropFillTo = k.FillTo;
  }
}

void TAdvCustomToolBarButton::DrawDropArrow(TCanvas* ACanvas, const TRect& d, bool Vertical, bool Glass, TColor Arrow) {
  if (!Vertical) {
    int x = d.left + (d.Width() - 5) / 2, y = d.top + (d.Height() - 3) / 2 + 2;
    if (Glass) {
      DrawDownArrowGdip(nullptr, ACanvas, Arrow, TPoint(x, y));
    } else {
      ACanvas->Pen()->SetColor(Arrow);
      for (int i = 0; i < 3; ++i) {
        ACanvas->MoveTo(x + i, y + i);
        ACanvas->LineTo(x + 5 - i, y + i);
      }
    }
    return;
  }
  int x = d.left + (d.Width() - 3) / 2 + 2 + (FPosition == TDockAlign::daLeft ? 1 : 0);
  int y = d.top + (d.Height() - 5) / 2 + 1;
  ACanvas->Pen()->SetColor(Arrow);
  for (int i = 0; i < 3; ++i) {
    int cx = FPosition == TDockAlign::daRight ? x - i : x + i;
    ACanvas->MoveTo(cx, y + i);
    ACanvas->LineTo(cx, y + 5 - i);
  }
}

void TAdvCustomToolBarButton::DrawButtonBackground(TCanvas* ACanvas) {
  TRect client = ClientRect();
  TRect part = client;
  bool vertical = PaintsVertical();
  TRect drop = vertical ? TRect(client.left, client.bottom - FDropDownSectWidth, client.right, client.bottom)
                        : TRect(client.right - FDropDownSectWidth, client.top, client.right, client.bottom);
  if (FDropDownButton) {
    if (vertical)
      part.bottom = drop.top;
    else
      part.right = drop.left;
  }
  TButtonStateColors k;
  k.Glyph = FGlyph->Empty() ? nullptr : FGlyph.Get();
  GetStateColors(k);
  bool hot = FHot || FPropHot;

  bool glass = InGlassMode();
  if (IsSet(k.Fill)) {
    if (FDropDownButton) Fill(ACanvas, glass, IsSet(k.DropFill) ? k.DropFill : k.Fill, k.DropFillTo, client, k.Direction);
    Fill(ACanvas, glass, k.Fill, k.FillTo, part, k.Direction);
  }
  if (IsSet(k.Border)) {
    ACanvas->Brush()->SetStyle(TBrushStyle::bsClear);
    ACanvas->Pen()->SetColor(k.Border);
    auto frame = [&](const TRect& R, bool Inset) {
      if (glass)
        DrawRectGdip(nullptr, ACanvas, k.Border,
                     Inset ? TRect(R.left, R.top, R.right - 1, R.bottom - 1) : R);
      else
        ACanvas->Rectangle(R);
    };
    if (FDropDownButton && FDropDownSplit) frame(client, true);
    if (!FDropDownButton || FDropDownSplit)
      frame(part, true);
    else
      frame(TRect(part.left, part.top, client.right, part.bottom), false);
  }
  if (FMenuSel && FDropDownSplit) {
    ACanvas->Pen()->SetColor(static_cast<TColor>(0x800000));
    if (vertical) {
      ACanvas->MoveTo(part.left, drop.bottom - 1);
      ACanvas->LineTo(part.left, part.top);
      ACanvas->LineTo(part.right - 1, part.top);
      ACanvas->LineTo(part.right - 1, drop.bottom);
    } else {
      ACanvas->MoveTo(client.left, client.bottom - 1);
      ACanvas->LineTo(client.left, client.top);
      ACanvas->LineTo(client.right - 1, client.top);
      ACanvas->LineTo(client.right - 1, client.bottom);
    }
  }
  TColor arrow = clBlack;
  if (glass && FAdvQuickAccessToolBar && !FAdvQuickAccessToolBar->QATFullSize() && FEnabled &&
      FState == TAdvButtonState::absUp && !hot) {
    TCustomForm* form = GetParentForm(this);
    while (form && form->Parent()) form = GetParentForm(form->Parent());
    if (form && form->WindowState() == TWindowState::wsMaximized) {
      k.Caption = clWhite;
      arrow = clWhite;
    }
  }
  if (FDropDownButton) DrawDropArrow(ACanvas, drop, vertical, glass, arrow);
  DrawButton(ACanvas, part, k.Glyph, k.Caption);
}

void TAdvCustomToolBarButton::DrawButton(TCanvas* ACanvas, TRect ARect, TBitmap* AGlyph, TColor CaptionColor) {
  String caption = Caption();
  bool showCaption = FShowCaption && !caption.empty();
  bool vertical = IsRotated();
  bool glass = InGlassMode();
  ACanvas->Font()->Assign(MeasuringFont());
  int tw = 0, th = 0;
  if (showCaption) {
    TRect m(0, 0, 1000, 100);
    ACanvas->TextRect(m, caption, DT_SINGLELINE | DT_CALCRECT);
    tw = m.Width();
    th = m.Height();
  }
  int sp = tw >= 1 && th >= 1 ? FSpacing : 0;

  TCustomImageList* list = nullptr;
  int index = -1;
  ImagesAndIndex(list, index);
  bool disabledList = false;
  if (!FEnabled)
    if (TCustomImageList* d = OwnerDisabledImages()) {
      list = d;
      disabledList = true;
    }
  TGraphic* graphic = nullptr;
  int W = 0, H = 0;
  bool useList = index >= 0 && list;
  if (useList) {
    W = list->Width();
    H = list->Height();
  } else if (!AGlyph || AGlyph->Empty()) {
    TPicture* p = !FEnabled && FPictureDisabled->Graphic() && !FPictureDisabled->Graphic()->Empty()
                      ? FPictureDisabled.Get()
                      : FPicture.Get();
    if (p->Graphic() && !p->Graphic()->Empty()) graphic = p->Graphic();
  } else {
    graphic = AGlyph;
  }
  if (graphic) {
    W = graphic->Width();
    H = graphic->Height();
  }

  // Glyph and caption places, across the part or along it.
  int gx, gy;
  TRect tr;
  UINT fmt = DT_SINGLELINE;
  int cw = ARect.Width(), bh = FHeight;
  TPoint start;
  if (!vertical) {
    switch (FGlyphPosition) {
      case TToolGlyphPosition::gpLeft:
        gx = (cw - tw - W - sp) / 2;
        gy = (bh - H) / 2;
        tr = TRect(gx + W + sp, ARect.top, ARect.right - ARect.left, ARect.bottom);
        fmt |= DT_LEFT | DT_VCENTER;
        break;
      case TToolGlyphPosition::gpTop:
        gx = (cw - W) / 2;
        gy = (bh - th - H - sp) / 2;
        tr = TRect(0, gy + H + sp, cw, ARect.bottom);
        fmt |= DT_CENTER | DT_TOP;
        break;
      case TToolGlyphPosition::gpRight:
        gx = (cw - W) - (cw - tw - W - sp) / 2;
        gy = (bh - H) / 2;
        tr = TRect((cw - tw - W - sp) / 2, ARect.top, gx - sp, ARect.bottom);
        fmt |= DT_RIGHT | DT_VCENTER;
        break;
      default:
        gx = (cw - W) / 2;
        gy = (bh - H) - (bh - th - H - sp) / 2;
        tr = TRect(0, gy - sp - th, cw, gy);
        fmt |= DT_CENTER | DT_VCENTER;
        break;
    }
    if (!FAutoSize && gx < 0) {
      tr.left += -gx + 1;
      gx = 1;
      fmt |= DT_END_ELLIPSIS;
      if (tr.left < 0) {
        tr.left = 1;
        fmt = DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS;
      }
    }
    gx += ARect.left;
    tr.Offset(ARect.left, 0);
  } else {
    // Turned a quarter clockwise: gpLeft puts the glyph above the caption,
    // gpTop right of it, gpRight below it, gpBottom left of it.
    int ch = ARect.Height(), bw = FWidth;
    switch (FGlyphPosition) {
      case TToolGlyphPosition::gpLeft:
        gy = (ch - tw - H - sp) / 2;
        gx = (bw - W) / 2;
        tr = TRect(0, gy + H + sp, bw, gy + H + sp + tw);
        break;
      case TToolGlyphPosition::gpTop:
        gy = (ch - H) / 2;
        gx = (bw - W) - (bw - th - W - sp) / 2;
        tr = TRect((bw - th - W - sp) / 2, (ch - tw) / 2, gx - sp, (ch - tw) / 2 + tw);
        break;
      case TToolGlyphPosition::gpRight:
        gy = (ch - H) - (ch - tw - H - sp) / 2;
        gx = (bw - W) / 2;
        tr = TRect(0, gy - sp - tw, bw, gy - sp);
        break;
      default:
        gy = (ch - H) / 2;
        gx = (bw - th - W - sp) / 2;
        tr = TRect(gx + W + sp, (ch - tw) / 2, bw, (ch - tw) / 2 + tw);
        break;
    }
    // The text runs down from its start point and lies left of it.
    start = TPoint(tr.left + (tr.Width() + th) / 2, tr.top);
    if (!FAutoSize && gy < 0) {
      tr.top += -gy + 1;
      start.y += -gy + 1;
      gy = 1;
      fmt |= DT_END_ELLIPSIS;
      if (start.y < 0) start.y = 1;
    }
    gy += ARect.top;
  }
  if (FDrawPosition->Enabled()) {
    gx = FDrawPosition->ImageX();
    gy = FDrawPosition->ImageY();
    tr = TRect(FDrawPosition->TextX(), FDrawPosition->TextY(), FWidth, FHeight);
    fmt = DT_SINGLELINE | DT_LEFT | DT_TOP | DT_END_ELLIPSIS;
  }

  // Shade and glyph.
  bool idle = FState == TAdvButtonState::absUp && !FMouseDownInControl;
  if (FMouseInControl && (FHot || FPropHot) && FShaded && FEnabled && idle && !glass && (useList || graphic)) {
    if (FGlyphShade->Empty() || FShadedForGlyph == useList) GenerateShade();
    if (!FGlyphShade->Empty()) {
      FGlyphShade->SetTransparentMode(TTransparentMode::tmAuto);
      FGlyphShade->SetTransparent(true);
      ACanvas->Draw(gx + 2, gy + 2, FGlyphShade);
    }
  }
  if (useList) {
    if (glass)
      DrawImageListGdip(nullptr, ACanvas, TPoint(gx, gy), list, index, FEnabled || disabledList);
    else
      list->Draw(ACanvas, gx, gy, index, FEnabled || disabledList);
  } else if (graphic) {
    if (glass) {
      DrawGraphicGdip(nullptr, ACanvas, TPoint(gx, gy), graphic, true);
    } else {
      if (auto* b = dynamic_cast<TBitmap*>(graphic)) b->SetTransparentMode(TTransparentMode::tmAuto);
      graphic->SetTransparent(true);
      ACanvas->Draw(gx, gy, graphic);
    }
  }

  // Caption.
  if (!showCaption) return;
  ACanvas->Font()->Assign(MeasuringFont());
  ACanvas->Font()->SetColor(CaptionColor);
  ACanvas->Brush()->SetStyle(TBrushStyle::bsClear);
  if (vertical) {
    ACanvas->Font()->SetOrientation(FRotateDirection == TRotateDirection::rdNormal ? -900 : 900);
    TPoint p = start;
    if (FRotateDirection == TRotateDirection::rdReverse) p = TPoint(tr.left + (tr.Width() - th) / 2, tr.bottom - 2);
    p.y += ARect.top;
    if (!FEnabled) {
      ACanvas->Font()->SetColor(clBtnHighlight);
      DrawVerticalCaption(ACanvas, caption, TPoint(p.x + 1, p.y + 1));
      ACanvas->Font()->SetColor(clBtnShadow);
      DrawVerticalCaption(ACanvas, caption, TPoint(p.x - 1, p.y - 1));
    } else {
      DrawVerticalCaption(ACanvas, caption, p);
    }
    ACanvas->Font()->SetOrientation(0);
    return;
  }
  if (!FEnabled) {
    TRect shifted = tr;
    shifted.Offset(1, 1);
    ACanvas->Font()->SetColor(clBtnHighlight);
    ACanvas->TextRect(shifted, caption, fmt);
    ACanvas->Font()->SetColor(clBtnShadow);
    ACanvas->TextRect(tr, caption, fmt);
    return;
  }
  if (glass && !FAdvQuickAccessToolBar->QATFullSize()) {
    TRect bounds;
    TAlignment al = fmt & DT_RIGHT ? TAlignment::taRightJustify
                    : fmt & DT_CENTER ? TAlignment::taCenter
                                      : TAlignment::taLeftJustify;
    DrawTextEllipsis(ACanvas, al, fmt, tr, caption, ACanvas->Font(), true, true, TAntiAlias::aaClearType, true, false,
                     bounds);
    return;
  }
  ACanvas->TextRect(tr, caption, fmt);
}

// ---------------------------------------------------------------------------
// Menu buttons

namespace {

AdvToolBar::TGradientDirection ToolBarDirection(TGradientDirection MenuDirection) {
  return MenuDirection == TGradientDirection::gdHorizontal ? AdvToolBar::TGradientDirection::gdHorizontal
                                                           : AdvToolBar::TGradientDirection::gdVertical;
}

}  // namespace

TRootItem* TAdvToolBarMenuButton::MenuBarRootItem() const {
  if (!FAdvToolBar || !FAdvToolBar->Menu() || !FParentStyler) return nullptr;
  TCustomAdvToolBarStyler* s = CurrentStyler();
  return s && s->CurrentAdvMenuStyler() ? s->CurrentAdvMenuStyler()->RootItem() : nullptr;
}

void TAdvToolBarMenuButton::GetStateColors(TButtonStateColors& k) {
  if (FState == TAdvButtonState::absDisabled || !FEnabled) {
    DisabledStateColors(k);
    return;
  }
  TRootItem* root = MenuBarRootItem();
  TCustomAdvToolBarStyler* styler = CurrentStyler();
  AdvToolBar::TButtonAppearance* own = FAppearance;
  AdvToolBar::TButtonAppearance* src = FParentStyler && styler ? styler->ButtonAppearance() : own;
  auto pick = [&k](TBitmap* G) {
    if (!G->Empty()) k.Glyph = G;
  };
  bool hot = FHot || FPropHot;
  if (PressedLook() || FState == TAdvButtonState::absDropDown) {
    if (root) {
      k.Fill = root->SelectedColor();
      k.FillTo = root->SelectedColorTo();
      k.Caption = root->SelectedTextColor();
      k.Border = root->SelectedBorderColor();
      k.Direction = ToolBarDirection(root->SelectedGradientDirection());
      k.DropFill = root->HoverColor();
      k.DropFillTo = root->HoverColorTo();
    } else {
      TakeDown(k, src);
    }
    pick(FGlyphDown);
    return;
  }
  if (FState == TAdvButtonState::absExclusive) {
    // Latched colours are always the button's own.
    TakeChecked(k, own);
    pick(FGlyphChecked);
  } else if (hot) {
    if (root) {
      k.Fill = root->HoverColor();
      k.FillTo = root->HoverColorTo();
      k.Caption = root->HoverTextColor();
      k.Border = root->HoverBorderColor();
      k.Direction = ToolBarDirection(root->HoverGradientDirection());
    } else {
      TakeHot(k, src);
    }
    pick(FGlyphHot);
  } else if (root) {
    k.Caption = root->Font()->Color();
    if (!FTransparent) {
      k.Fill = root->Color();
      k.FillTo = root->ColorTo();
      k.Border = own->BorderColor();
      k.Direction = ToolBarDirection(root->GradientDirection());
    }
  } else {
    k.Caption = own->CaptionTextColor();
    if (!FTransparent) {
      k.Fill = own->Color();
      k.FillTo = own->ColorTo();
      k.Border = own->BorderColor();
      k.Direction = own->GradientDirection();
    }
  }
  k.DropFill = k.Fill;
  k.DropFillTo = k.FillTo;
}

void TAdvToolBarMenuButton::DrawDropArrow(TCanvas* ACanvas, const TRect& d, bool Vertical, bool Glass, TColor Arrow) {
  if (!Vertical) {
    TAdvCustomToolBarButton::DrawDropArrow(ACanvas, d, Vertical, Glass, Arrow);
    return;
  }
  // Always pointing left on a vertical toolbar: columns at x, x - 1, x - 2.
  int x = d.left + (d.Width() - 3) / 2 + 1, y = d.top + (d.Height() - 5) / 2;
  ACanvas->Pen()->SetColor(Arrow);
  for (int i = 0; i < 3; ++i) {
    ACanvas->MoveTo(x - i, y + i);
    ACanvas->LineTo(x - i, y + 5 - i);
  }
}
