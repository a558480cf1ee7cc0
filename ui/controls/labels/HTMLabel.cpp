#include "ui/controls/labels/HTMLabel.h"

#include <memory>

#include "base/Forms.h"
#include "base/Hints.h"
#include "ui/controls/buttons/AdvGlowButton.h"
#include "ui/controls/labels/LabelMarkup.h"
#include "ui/draw/HtmlHelpers.h"
#include "ui/draw/HtmlRender.h"
#include "ui/draw/HtmlText.h"
#include "ui/draw/PictureContainer.h"


THTMLabel::THTMLabel(TComponent* AOwner) : TCustomLabel(AOwner) {
  FMarkup = new TLabelMarkup(this, [this] { Invalidate(); });
  SetBounds(FLeft, FTop, 120, FHeight);
  FText.clear();
  SetAutoSize(false);
  SetTransparent(true);
  // A label placed in a designer starts with a sample text.
  if (IsDesigning() && (!Owner() || !Owner()->IsLoading())) HTMLText()->Add(L"Kel <b>HTML</b> label " + Name());
}

String THTMLabel::Version() { return TAdvCustomGlowButton::VersionText(GetVersionNr()); }

void THTMLabel::Loaded() {
  TCustomLabel::Loaded();
  FText.clear();
  SetAutoSizing(FAutoSizing);
}

void THTMLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomLabel::Notification(AComponent, Operation);
  if (FMarkup) FMarkup->Notification(AComponent, Operation);
}

// ---------------------------------------------------------------------------
// Setters

#define HTMLABEL_SETTER(Type, Name)       \
  void THTMLabel::Set##Name(Type Value) { \
    if (F##Name == Value) return;         \
    F##Name = Value;                      \
    Invalidate();                         \
  }
HTMLABEL_SETTER(TColor, ShadowColor)
HTMLABEL_SETTER(int, ShadowOffset)
HTMLABEL_SETTER(TColor, URLColor)
HTMLABEL_SETTER(TColor, ColorTo)
HTMLABEL_SETTER(TColor, BorderColor)
HTMLABEL_SETTER(TGradientType, GradientType)
HTMLABEL_SETTER(int, LineSpacing)
HTMLABEL_SETTER(int, LineWidth)
HTMLABEL_SETTER(TVAlignment, VAlignment)
HTMLABEL_SETTER(bool, Ellipsis)
#undef HTMLABEL_SETTER

#define HTMLABEL_ALWAYS(Type, Name)       \
  void THTMLabel::Set##Name(Type Value) { \
    F##Name = Value;                      \
    Invalidate();                         \
  }
HTMLABEL_ALWAYS(TBevelCut, BevelInner)
HTMLABEL_ALWAYS(TBevelCut, BevelOuter)
HTMLABEL_ALWAYS(int, BevelWidth)
HTMLABEL_ALWAYS(int, BorderWidth)
HTMLABEL_ALWAYS(TBorderStyleKind, BorderStyle)
#undef HTMLABEL_ALWAYS

void THTMLabel::SetAutoSizeType(TAutoSizeType Value) {
  FAutoSizeType = Value;
  SetAutoSizing(FAutoSizing);
}

void THTMLabel::SetAutoSizing(bool Value) {
  FAutoSizing = Value;
  if (!IsLoading() && Value && (FAutoSizeType != TAutoSizeType::asVertical || FVAlignment == TVAlignment::tvaTop)) {
    if (FAlign == TAlign::alLeft || FAlign == TAlign::alRight) SetWidth(6);
    if (FAlign == TAlign::alTop || FAlign == TAlign::alBottom) SetHeight(6);
  }
  Invalidate();
}

void THTMLabel::SetHTMLText(TStrings* Value) {
  // The lines joined by the markup rule, so that words of two lines do not
  // run together.
  SetJoinedMarkup(HTMLText(), Value);
  HTMLChanged();
}

void THTMLabel::HilightText(const String& HiText, bool DoCase) {
  String r;
  InsertMarkTags(HTMLText()->Text(), HiText, L"hi", r, DoCase);
  HTMLText()->SetText(r);
}

void THTMLabel::MarkText(const String& HiText, bool DoCase) {
  String r;
  InsertMarkTags(HTMLText()->Text(), HiText, L"e", r, DoCase);
  HTMLText()->SetText(r);
}

void THTMLabel::UnHilightText() {
  String r;
  RemoveMarkTags(HTMLText()->Text(), L"hi", r);
  HTMLText()->SetText(r);
}

void THTMLabel::UnMarkText() {
  String r;
  RemoveMarkTags(HTMLText()->Text(), L"e", r);
  HTMLText()->SetText(r);
}

String THTMLabel::GetMarkup() { return FMarkup->Markup(); }

String THTMLabel::Text() { return HtmlToPlainText(GetMarkup()); }

// ---------------------------------------------------------------------------
// Rendering

bool THTMLabel::RenderMarkup(TCanvas* ACanvas, const TRect& R, int X, int Y, int HoverLink, bool CheckOnly,
                             bool Print, int ShadowOffset, bool HoverOption, TColor URLColor, TColor HoverColor,
                             TColor HoverFontColor, TColor ShadowColor, String& Anchor, String& Title, int& Index,
                             TRect& AnchorRect) {
  THtmlRenderParams p = FMarkup->RenderParams(ACanvas, GetMarkup(), R, X, Y);
  p.HoverLink = HoverLink;
  p.ShadowOffset = ShadowOffset;
  p.CheckOnly = CheckOnly;
  p.Print = Print;
  p.Blink = false;
  p.Hover = HoverOption;
  p.WordWrap = !FEllipsis;
  p.URLColor = URLColor;
  p.HoverColor = HoverColor;
  p.HoverFontColor = HoverFontColor;
  p.ShadowColor = ShadowColor;
  p.LineSpacing = FLineSpacing;
  THtmlRenderResult r;
  r.HoverRect = AnchorRect;
  bool over = RenderHtml(p, r);
  FXSize = r.XSize;
  FYSize = r.YSize;
  if (over) {
    Anchor = r.AnchorVal;
    Title = r.FocusAnchor;
    AnchorRect = r.HoverRect;
  }
  Index = r.MouseLink;
  return over;
}

TSize THTMLabel::HTMLSize() { return GetSizeWithMaxWidth(4096); }

TSize THTMLabel::GetSizeWithMaxWidth(int AMaxWidth) {
  TBitmap b(1, 1);
  b.Canvas()->Font()->Assign(Font());
  String a, t;
  int i = -1;
  TRect ar;
  RenderMarkup(b.Canvas(), TRect(0, 0, AMaxWidth, 4096), -1, -1, -1, true, false, FShadowOffset, FHover, FURLColor,
               FHoverColor, FHoverFontColor, FShadowColor, a, t, i, ar);
  return TSize(FXSize, FYSize);
}

void THTMLabel::HTMLPrint(TCanvas* ACanvas, TRect R) {
  String a, t;
  int i = -1;
  TRect ar;
  if (FVAlignment != TVAlignment::tvaTop) {
    RenderMarkup(ACanvas, R, 0, 0, -1, true, true, 1, false, FURLColor, clNone, clNone, clGray, a, t, i, ar);
    if (FVAlignment == TVAlignment::tvaCenter)
      R.top += (R.Height() - FYSize) / 2;
    else
      R.top = R.bottom - FYSize;
  }
  RenderMarkup(ACanvas, R, 0, 0, -1, false, true, 1, false, FURLColor, clNone, clNone, clGray, a, t, i, ar);
}

void THTMLabel::Paint() {
  TRect client = ClientRect();
  if (client.IsEmpty()) return;
  FText.clear();
  TRect R = client;
  int steps = R.Width() / 4;
  std::unique_ptr<TBitmap> buffer;
  TCanvas* c = Canvas();
  bool lineType = FGradientType == TGradientType::gtBottomLine || FGradientType == TGradientType::gtCenterLine ||
                  FGradientType == TGradientType::gtTopLine;
  if (!Transparent()) {
    buffer = std::make_unique<TBitmap>(client.Width(), client.Height());
    c = buffer->Canvas();
    if (FColorTo == clNone || lineType) {
      c->Brush()->SetColor(Color());
      c->FillRect(R);
    } else {
      DrawSteppedGradient(c, Color(), FColorTo, FGradientType == TGradientType::gtFullHorizontal, R, steps);
    }
  }
  if (lineType) {
    TRect band = R;
    if (FGradientType == TGradientType::gtBottomLine)
      band.top = band.bottom - FLineWidth;
    else if (FGradientType == TGradientType::gtCenterLine)
      band.top += (band.Height() - FLineWidth) / 2, band.bottom = band.top + FLineWidth;
    else
      band.bottom = band.top + FLineWidth;
    DrawSteppedGradient(c, Color(), FColorTo, true, band, steps);
  }
  c->Font()->Assign(Font());
  if (FMarkup->Updating()) return;

  if (FBevelOuter != TBevelCut::bvNone) {
    bool lowered = FBevelOuter == TBevelCut::bvLowered;
    Frame3D(c, R, lowered ? clBtnShadow : clBtnHighlight, lowered ? clBtnHighlight : clBtnShadow, FBevelWidth);
  }
  Frame3D(c, R, Color(), Color(), FBorderWidth);
  if (FBevelInner != TBevelCut::bvNone) {
    bool lowered = FBevelInner == TBevelCut::bvLowered;
    Frame3D(c, R, lowered ? clBtnShadow : clBtnHighlight, lowered ? clBtnHighlight : clBtnShadow, FBevelWidth);
  }
  int a = 0;
  if (FBorderStyle == TBorderStyleKind::bsSingle && FBorderWidth > 0 && FBorderColor != clNone) {
    a = (FBorderWidth + 1) / 2;
    int b = FBorderWidth / 2;
    c->Pen()->SetColor(FBorderColor);
    c->Pen()->SetWidth(FBorderWidth);
    c->MoveTo(R.left - a, R.top - a);
    c->LineTo(R.right + b, R.top - a);
    c->LineTo(R.right + b, R.bottom + b);
    c->LineTo(R.left - a, R.bottom + b);
    c->LineTo(R.left - a, R.top - a);
    c->Pen()->SetWidth(1);
  }
  if (FBevelOuter != TBevelCut::bvNone || FBevelInner != TBevelCut::bvNone) R.Inflate(-FBevelWidth, -FBevelWidth);
  if (FBorderStyle == TBorderStyleKind::bsSingle) R.Inflate(-a, -a);

  bool vertical = FAutoSizeType == TAutoSizeType::asVertical || FAutoSizeType == TAutoSizeType::asBoth;
  bool horizontal = FAutoSizeType == TAutoSizeType::asHorizontal || FAutoSizeType == TAutoSizeType::asBoth;
  bool alignNoneLR = FAlign == TAlign::alNone || FAlign == TAlign::alLeft || FAlign == TAlign::alRight;
  bool alignNoneTB = FAlign == TAlign::alNone || FAlign == TAlign::alTop || FAlign == TAlign::alBottom;
  TVAlignment eff = FAutoSizing && vertical ? TVAlignment::tvaTop : FVAlignment;
  if (FAutoSizing) {
    if (alignNoneLR && horizontal) R.right += 65535;
    if (alignNoneTB && vertical) R.bottom += 65535;
  }
  TPoint cur = Screen ? ScreenToClient(Screen->CursorPos()) : TPoint();
  String an, ti;
  int idx = -1;
  TRect ar;
  int tw = 0, th = 0;
  if (FAutoSizing || eff != TVAlignment::tvaTop) {
    RenderMarkup(c, R, cur.x, cur.y, FHoverHyperLink, true, false, FShadowOffset, FHover, FURLColor, FHoverColor,
                 FHoverFontColor, FShadowColor, an, ti, idx, ar);
    tw = FXSize;
    th = FYSize;
  }
  bool resized = false;
  if (FAutoSizing) {
    if (FVAlignment == TVAlignment::tvaCenter) R.top += 3;
    if (FVAlignment == TVAlignment::tvaBottom) R.top += 6;
    if (FBorderStyle == TBorderStyleKind::bsSingle) {
      tw += 2 * FBorderWidth;
      th += 2 * FBorderWidth;
    }
    if (alignNoneTB && vertical && FHeight != th + 6) {
      SetHeight(th + 6);
      resized = true;
    }
    if (alignNoneLR && horizontal && FWidth != tw + 6) {
      SetWidth(tw + 6);
      resized = true;
    }
  }
  if (eff == TVAlignment::tvaCenter)
    R.top += (R.Height() - th) / 2;
  else if (eff == TVAlignment::tvaBottom)
    R.top = R.bottom - th;
  RenderMarkup(c, R, cur.x, cur.y, FHoverHyperLink, false, false, FShadowOffset, FHover, FURLColor, FHoverColor,
               FHoverFontColor, FShadowColor, an, ti, idx, ar);
  if (buffer) Canvas()->Draw(0, 0, buffer.get());
  if (resized && OnNewSize) OnNewSize(this, FWidth, FHeight);
}

// ---------------------------------------------------------------------------
// Mouse and hints

String THTMLabel::IsAnchor(int X, int Y, bool Title) {
  TRect R = ClientRect();
  if (FBevelOuter != TBevelCut::bvNone || FBevelInner != TBevelCut::bvNone) R.Inflate(-FBevelWidth, -FBevelWidth);
  R.Inflate(-FBorderWidth, -FBorderWidth);
  TBitmap b(1, 1);
  TCanvas* c = b.Canvas();
  c->Font()->Assign(Font());
  String an, ti;
  int idx = -1;
  TRect ar(-1, -1, -1, -1);
  if (FVAlignment != TVAlignment::tvaTop) {
    RenderMarkup(c, R, -1, -1, -1, true, false, FShadowOffset, false, clWhite, clNone, clNone, clNone, an, ti, idx, ar);
    if (FYSize < R.Height()) {
      if (FVAlignment == TVAlignment::tvaCenter)
        R.top += (R.Height() - FYSize) / 2;
      else
        R.top = R.bottom - FYSize;
    }
  }
  ar = TRect(-1, -1, -1, -1);
  an.clear();
  ti.clear();
  bool over = RenderMarkup(c, R, X, Y, -1, true, false, FShadowOffset, false, clWhite, clNone, clNone, clNone, an,
                           ti, idx, ar);
  FHoverHyperLink = over ? idx : -1;
  if (!over) return String();
  FCurrHoverRect = ar;
  if (Title && !ti.empty()) return ti;
  return an;
}

void THTMLabel::InvalidateOnParent(const TRect& R) {
  if (!FParent || !FParent->HandleAllocated()) return;
  TRect r = R;
  r.Offset(FLeft, FTop);
  InvalidateRect(FParent->Handle(), &r, TRUE);
}

void THTMLabel::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomLabel::MouseMove(Shift, X, Y);
  TRect previous = FCurrHoverRect;
  String anchor = IsAnchor(X, Y, false);
  if (!anchor.empty()) {
    if ((anchor != FAnchor || FCurrHoverRect != previous || FOldHoverHyperLink == -1) && FHover &&
        previous.left != -1)
      InvalidateOnParent(previous);
    if (Cursor() == crDefault || anchor != FAnchor || FHoverHyperLink != FOldHoverHyperLink) {
      if (FAnchorHint && Application) Application->CancelHint();
      SetCursor(crHandPoint);
      if (OnAnchorEnter) OnAnchorEnter(this, anchor);
      if (FHover) InvalidateOnParent(FCurrHoverRect.left == -1 ? ClientRect() : previous);
    }
    FAnchor = anchor;
    FOldHoverHyperLink = FHoverHyperLink;
    if (FHover) InvalidateOnParent(FCurrHoverRect);
  } else if (Cursor() == crHandPoint) {
    SetCursor(crDefault);
    if (OnAnchorExit) OnAnchorExit(this, String());
    if (FHover) InvalidateOnParent(previous.left == -1 ? ClientRect() : previous);
    FAnchor.clear();
    FCurrHoverRect = TRect();
    FOldHoverHyperLink = -1;
    if (FHover) InvalidateOnParent(FCurrHoverRect);
  }
}

void THTMLabel::DoAnchorClick(const String& Anchor) {
  if (OnAnchorClick) OnAnchorClick(this, Anchor);
}

void THTMLabel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomLabel::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  String anchor = IsAnchor(X, Y, false);
  if (anchor.empty()) return;
  DoAnchorClick(anchor);
  // Only web and mail links go to the shell; other anchors are the event's.
  OpenLinkAnchor(anchor);
}

void THTMLabel::HintShow(TMessage& Message) {
  auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
  Message.Result = 0;
  if (!info) return;
  String anchor;
  if (FAnchorHint) {
    anchor = IsAnchor(info->CursorPos.x, info->CursorPos.y, true);
    if (!anchor.empty()) {
      if (OnAnchorHint) OnAnchorHint(this, anchor);
      TPoint p = ClientToScreen(info->CursorPos);
      info->HintPos = TPoint(p.x + 10, p.y - 10);
      info->HintStr = anchor;
    }
  }
  if (FHintShowFull && (anchor.empty() || !FAnchorHint)) info->HintStr = FHTMLHint ? GetMarkup() : Text();
}

void THTMLabel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSELEAVE:
      if (FHover && FHoverHyperLink != -1) InvalidateOnParent(FCurrHoverRect);
      FHoverHyperLink = -1;
      TCustomLabel::Dispatch(Message);
      return;
    case CM_HINTSHOW:
      HintShow(Message);
      return;
    case CM_DIALOGCHAR:
      if (FocusControl() && Enabled() && ShowAccelChar() &&
          GlowButton::IsAccel(static_cast<wchar_t>(Message.WParam), HTMLText()->Text())) {
        if (FocusControl()->CanFocus()) FocusControl()->SetFocus();
        Message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TCustomLabel::Dispatch(Message);
}
