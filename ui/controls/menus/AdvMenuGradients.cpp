#include "ui/controls/menus/AdvMenuGradients.h"

#include "ui/controls/menus/AdvMenuUtil.h"
#include "ui/controls/menus/AdvMenus.h"

namespace {

struct Channels {
  int R, G, B;
};

Channels Split(TColor C) {
  BYTE r, g, b;
  SplitColor(C, r, g, b);
  return {r, g, b};
}

TColor Pack(const Channels& c) {
  return PackColor(static_cast<BYTE>(c.R), static_cast<BYTE>(c.G), static_cast<BYTE>(c.B));
}

// From + Delta x I div N per channel (truncating toward zero).
Channels Step(const Channels& From, const Channels& Delta, int I, int N) {
  return {From.R + Delta.R * I / N, From.G + Delta.G * I / N, From.B + Delta.B * I / N};
}

void Fill(TCanvas* Canvas, const TRect& R, TColor Color) {
  Canvas->Brush()->SetColor(Color);
  Canvas->FillRect(R);
}

void Frame(TCanvas* Canvas, const TRect& R, TColor Color) {
  Canvas->Brush()->SetColor(Color);
  Canvas->FrameRect(R);
}

}  // namespace

void DrawGradientRect(TCanvas* Canvas, const TRect& R, TColor From, TColor To, TGradientDirection Direction) {
  if (To == clNone) To = From;
  if (From == To) {
    Fill(Canvas, R, From);
    return;
  }
  if (R.Height() <= 0) return;
  Channels f = Split(From), t = Split(To);
  Channels d{t.R - f.R, t.G - f.G, t.B - f.B};
  TPen* pen = Canvas->Pen();
  pen->SetWidth(1);
  pen->SetStyle(TPenStyle::psSolid);
  if (Direction == TGradientDirection::gdVertical) {
    int n = R.Height();
    for (int y = R.top; y < R.bottom; ++y) {
      pen->SetColor(Pack(Step(f, d, y - R.top, n)));
      Canvas->MoveTo(R.left, y);
      Canvas->LineTo(R.left + R.Width(), y);
    }
  } else {
    int n = R.Width();
    for (int x = R.left; x < R.right; ++x) {
      pen->SetColor(Pack(Step(f, d, x - R.left, n)));
      Canvas->MoveTo(x, R.top);
      Canvas->LineTo(x, R.bottom);
    }
  }
}

void DrawGradientPart(TCanvas* Canvas, const TRect& Full, const TRect& Clip, TColor Color, TColor ColorTo,
                      TGradientDirection Direction) {
  TRect c;
  if (!IntersectRect(&c, &Clip, &Full) || c.Width() <= 0 || c.Height() <= 0) return;
  TColor to = ColorTo == clNone ? Color : ColorTo;
  int d, s, e;
  if (Direction == TGradientDirection::gdHorizontal) {
    d = Full.Width();
    s = c.left - Full.left;
    e = c.right - Full.left;
  } else {
    d = Full.Height();
    s = c.top - Full.top;
    e = c.bottom - Full.top;
  }
  Channels f = Split(Color), t = Split(to);
  Channels delta{t.R - f.R, t.G - f.G, t.B - f.B};
  DrawGradientRect(Canvas, c, Pack(Step(f, delta, s, d)), Pack(Step(f, delta, e, d)), Direction);
}

void DrawGradientBox(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TGradientDirection Direction,
                     TColor Border, bool Fill) {
  if (Fill && Color != clNone) DrawGradientRect(Canvas, R, Color, ColorTo, Direction);
  if (Border != clNone) Frame(Canvas, R, Border);
}

void DrawMirrorGradientBox(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor Mirror,
                           TColor MirrorTo, TGradientDirection Direction, TColor Border, bool Fill) {
  if (Fill && Color != clNone) {
    if (Mirror == clNone) {
      DrawGradientRect(Canvas, R, Color, ColorTo, Direction);
    } else {
      int half = R.Height() / 2;
      DrawGradientRect(Canvas, TRect(R.left, R.top, R.right, R.top + half), Color, ColorTo, Direction);
      DrawGradientRect(Canvas, TRect(R.left, R.top + half, R.right, R.bottom), Mirror, MirrorTo, Direction);
    }
  }
  if (Border != clNone) Frame(Canvas, R, Border);
}

void DrawGradientBand(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TGradientDirection Direction,
                      TGradientType Type, int GW, int Margin) {
  if (ColorTo == clNone) ColorTo = Color;
  using T = TGradientType;
  if (Direction == TGradientDirection::gdVertical) {
    R.top += Margin;
    R.bottom -= Margin;
    if (Type == T::gtBoth) GW *= 2;
    if (GW >= R.Height()) {
      GW = R.Height();
    } else if (Type == T::gtLeft) {
      Fill(Canvas, TRect(R.left, R.top, R.right, R.bottom - GW), ColorTo);
    } else if (Type == T::gtRight) {
      Fill(Canvas, TRect(R.left, R.top + GW, R.right, R.bottom), ColorTo);
    } else {
      Fill(Canvas, TRect(R.left, R.top + GW / 2, R.right, R.bottom - GW / 2), Color);
    }
    if (GW <= 0) return;
    auto v = TGradientDirection::gdVertical;
    if (Type == T::gtLeft) {
      DrawGradientRect(Canvas, TRect(R.left, R.bottom - GW, R.right, R.bottom), ColorTo, Color, v);
    } else if (Type == T::gtRight) {
      DrawGradientRect(Canvas, TRect(R.left, R.top, R.right, R.top + GW), Color, ColorTo, v);
    } else {
      DrawGradientRect(Canvas, TRect(R.left, R.top, R.right, R.top + GW / 2), ColorTo, Color, v);
      DrawGradientRect(Canvas, TRect(R.left, R.bottom - GW / 2, R.right, R.bottom), Color, ColorTo, v);
    }
  } else {
    R.left += Margin;
    R.right -= Margin;
    if (GW >= R.Width()) {
      GW = R.Width();
    } else if (Type == T::gtLeft) {
      Fill(Canvas, TRect(R.left + GW, R.top, R.right, R.bottom), ColorTo);
    } else if (Type == T::gtRight) {
      Fill(Canvas, TRect(R.left, R.top, R.right - GW, R.bottom), ColorTo);
    } else {
      Fill(Canvas, TRect(R.left + GW / 2, R.top, R.right - GW / 2, R.bottom), Color);
    }
    if (GW <= 0) return;
    auto h = TGradientDirection::gdHorizontal;
    if (Type == T::gtLeft) {
      DrawGradientRect(Canvas, TRect(R.left, R.top, R.left + GW, R.bottom), Color, ColorTo, h);
    } else if (Type == T::gtRight) {
      DrawGradientRect(Canvas, TRect(R.right - GW, R.top, R.right, R.bottom), ColorTo, Color, h);
    } else {
      DrawGradientRect(Canvas, TRect(R.left, R.top, R.left + GW / 2, R.bottom), ColorTo, Color, h);
      DrawGradientRect(Canvas, TRect(R.right - GW / 2, R.top, R.right, R.bottom), Color, ColorTo, h);
    }
  }
}

void DrawBackgroundPicture(TCanvas* Canvas, TRect R, TBackground* Background, bool WithGradient) {
  R.left += Background->MarginX();
  R.right -= Background->MarginX();
  R.top += Background->MarginY();
  R.bottom -= Background->MarginY();
  TBitmap* work = Background->Bitmap();
  work->SetSize(Max<LONG>(R.Width(), 0), Max<LONG>(R.Height(), 0));
  if (work->Empty()) return;
  TCanvas* wc = work->Canvas();
  TRect all(0, 0, work->Width(), work->Height());
  bool hasPicture = Background->HasImage();
  TGraphic* picture = hasPicture ? Background->Image()->Graphic() : nullptr;
  using P = TBackgroundPosition;
  P pos = Background->Position();
  auto* bmp = dynamic_cast<TBitmap*>(picture);
  bool transparentBitmap = bmp && bmp->Transparent();
  if (WithGradient && (!hasPicture || (pos != P::bpTiled && pos != P::bpStretched) || transparentBitmap)) {
    DrawGradientRect(wc, all, Background->Color(), Background->ColorTo(), Background->GradientDirection());
  } else {
    // What an earlier picture left in the work bitmap must not show through.
    wc->Brush()->SetColor(clWhite);
    wc->FillRect(all);
  }
  if (hasPicture) {
    int pw = picture->Width(), ph = picture->Height();
    if (pos == P::bpTiled) {
      if (pw >= 1 && ph >= 1)
        for (int y = 0; y < work->Height(); y += ph)
          for (int x = 0; x < work->Width(); x += pw) wc->Draw(x, y, picture);
    } else if (pos == P::bpStretched) {
      wc->StretchDraw(all, picture);
    } else if (pos == P::bpXY) {
      wc->Draw(Background->OffsetX(), Background->OffsetY(), picture);
    } else {
      int x, y;
      Background->CalcPicturePosition(all, x, y);
      wc->Draw(x, y, picture);
    }
  }
  Canvas->Draw(R.left, R.top, work);
}

// ---------------------------------------------------------------------------
// Side bar

void DrawSideBarCaption(IAdvMenu* Menu, TCanvas* Canvas, const TRect& S) {
  TSideBar* bar = Menu->GetCurrentMenuStyler()->SideBar();
  Canvas->Font()->Assign(bar->Font());
  int angle = bar->Direction() == TDirection::dDownToUp ? 90 : -90;
  HFONT rotated = CreateRotatedFont(Canvas->Font(), angle);
  HDC dc = Canvas->Handle();
  HGDIOBJ oldFont = SelectObject(dc, rotated);
  const String& text = bar->Caption();
  SIZE e{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &e);
  int x = S.left + static_cast<int>(Round((bar->Size() - e.cy) / 2.0 - 0.5));
  SetBkMode(dc, TRANSPARENT);
  RECT clip = S;
  clip.bottom += 1;
  int h = S.Height();
  bool down = bar->Direction() == TDirection::dDownToUp;
  int y;
  switch (bar->Alignment()) {
    case TAlignment::taCenter:
      y = static_cast<int>(Round((h + e.cx) / 2.0 - 0.5));
      break;
    case TAlignment::taRightJustify:
      y = down ? bar->OffsetY() + e.cx : h - bar->OffsetY();
      break;
    default:
      y = down ? h - bar->OffsetY() : bar->OffsetY() + e.cx;
      break;
  }
  bool fromBottom = (bar->Alignment() == TAlignment::taLeftJustify && down) ||
                    (bar->Alignment() == TAlignment::taRightJustify && !down);
  if (fromBottom && bar->Image()->HasImage() &&
      (bar->Image()->Position() == TBackgroundPosition::bpBottomLeft ||
       bar->Image()->Position() == TBackgroundPosition::bpBottomRight))
    y -= bar->Image()->Image()->Height();
  if (!down) {
    y -= e.cx;
    x += e.cy + 1;
  }
  y += S.top;
  int depth = bar->Depth();
  auto out = [&](int X, int Y, TColor Color) {
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Color)));
    ExtTextOutW(dc, X, Y, ETO_CLIPPED, &clip, text.c_str(), static_cast<UINT>(text.size()), nullptr);
  };
  if (ColorToRGB(bar->HighlightColor()) != clNone) out(x - depth, y + depth, bar->HighlightColor());
  if (bar->ShadowColor() != clNone) out(x + depth, y - depth, bar->ShadowColor());
  out(x, y, bar->Font()->Color());
  SelectObject(dc, oldFont);
  DeleteObject(rotated);
  SetBkMode(dc, OPAQUE);
}

void DrawSideBarBorder(IAdvMenu* Menu, TCanvas* Canvas, TRect S) {
  TSideBar* bar = Menu->GetCurrentMenuStyler()->SideBar();
  if (bar->BorderColor() == clNone) return;
  if (bar->Position() == TSideBarPosition::spLeft)
    S.right -= bar->SplitterWidth();
  else
    S.left += bar->SplitterWidth();
  Frame(Canvas, S, bar->BorderColor());
}

void DrawSideBarSplitter(IAdvMenu* Menu, TCanvas* Canvas, const TRect& S) {
  TSideBar* bar = Menu->GetCurrentMenuStyler()->SideBar();
  if (bar->SplitterColor() == clNone) return;
  TRect b(S.left, S.top, S.left + bar->SplitterWidth(), S.bottom);
  if (bar->Position() == TSideBarPosition::spLeft) b.Offset(S.Width() - bar->SplitterWidth(), 0);
  DrawGradientBand(Canvas, b, bar->SplitterColor(), bar->SplitterColorTo(), TGradientDirection::gdVertical,
                   bar->SplitterGradientType(), bar->SplitterGradientWidth(), bar->SplitterMargin());
}
