// The pager's painting: the styler's background picture, the caption bar
// with its text (a document name before " - " in its own colour), the strip
// behind the tabs with the tab-group strips, every tab in its state with
// its glow, and the shadow of the active page.
#include <memory>

#include "ui/toolbar/bars/ButtonFaces.h"
#include "ui/toolbar/bars/ToolBarPaint.h"
#include "ui/toolbar/ribbon/AdvPage.h"
#include "ui/toolbar/ribbon/AdvToolBarPager.h"

namespace {
const TRect kNone(-1, -1, -1, -1);
int RoundI(long double V) { return static_cast<int>(Round(V)); }

void Line(TCanvas* Canvas, TColor Color, int X1, int Y1, int X2, int Y2) {
  Canvas->Pen()->SetColor(Color);
  Canvas->Pen()->SetWidth(1);
  Canvas->MoveTo(X1, Y1);
  Canvas->LineTo(X2, Y2);
}

// A font scaled to the toolbar library's factor: from the font's own pixels
// per inch to 96 first when Own.
void ScaleFont(TFont* Font, bool Own) {
  int size = Own ? RoundI(Font->Size() * 96.0L / Font->PixelsPerInch() * DPIFactor)
                 : RoundI(Font->Size() * static_cast<long double>(DPIFactor));
  Font->SetSize(size);
}

// The colours of one tab face.
struct TTabFace {
  TColor Color = clNone, ColorTo = clNone, Mirror = clNone, MirrorTo = clNone, Border = clNone;
  TGDIPGradient Gradient = TGDIPGradient::ggVertical, GradientMirror = TGDIPGradient::ggVertical;
  TColor Text = clNone, HighLight = clNone;
  bool Draw = true;
};

void HotSet(TCustomTabAppearance* A, TTabFace& F) {
  F.Color = A->ColorHot(), F.ColorTo = A->ColorHotTo(), F.Mirror = A->ColorMirrorHot(),
  F.MirrorTo = A->ColorMirrorHotTo();
  F.Gradient = A->GradientHot(), F.GradientMirror = A->GradientMirrorHot();
}

// Each colour of the face blended from the hot colours toward To by Step.
void BlendFace(TCustomTabAppearance* A, TTabFace& F, TColor To, TColor ToTo, TColor ToMirror, TColor ToMirrorTo,
               int Step) {
  F.Color = BlendColor(A->ColorHot(), To, Step);
  F.ColorTo = BlendColor(A->ColorHotTo(), ToTo, Step);
  F.Mirror = BlendColor(A->ColorMirrorHot(), ToMirror, Step);
  F.MirrorTo = BlendColor(A->ColorMirrorHotTo(), ToMirrorTo, Step);
}
}  // namespace

void TAdvToolBarPager::Paint() {
  if (FUpdateCount > 0) return;
  CheckMDIChild();
  TCustomControl::Paint();
  FFirstRun = false;
  DrawBackGroundPicture();
  if (!FUseCaptionLayer) DrawGlassCaptionText(nullptr);
  DrawCaptionBar();
  DrawTabsBackground();
  DrawPageShadow();
  TCustomForm* form = ParentForm();
  if (ParentIsRibbonForm() && !IsVistaOrLater() && form && form->WindowState() != TWindowState::wsMaximized) {
    TCanvas* c = Canvas();
    TColor border = FCurrentToolBarStyler->FormBorderColor();
    Line(c, border, 0, 1, 0, 0);
    Line(c, border, 0, 0, 2, 0);
    Line(c, border, Width() - 2, 0, Width() - 1, 0);
    Line(c, border, Width() - 1, 0, Width() - 1, 2);
  }
}

void TAdvToolBarPager::DrawBackGroundPicture() {
  TBitmap* picture = FCurrentToolBarStyler->BackGround();
  if (!picture || picture->Empty()) return;
  TCanvas* c = Canvas();
  switch (FCurrentToolBarStyler->BackGroundDisplay()) {
    case TBackGroundDisplay::bdTile:
      for (int y = 1; y < Height() - 2; y += picture->Height())
        for (int x = 1; x < Width() - 2; x += picture->Width()) c->Draw(x, y, picture);
      break;
    case TBackGroundDisplay::bdCenter:
      c->Draw((Width() - picture->Width()) / 2, (Height() - picture->Height()) / 2, picture);
      break;
    case TBackGroundDisplay::bdStretch: {
      TRect r = ClientRect();
      r.Inflate(-2, -2);
      c->StretchDraw(r, picture);
      break;
    }
  }
}

void TAdvToolBarPager::DrawPageShadow() {
  TAdvPage* page = ActivePage();
  TColor shadow = FCurrentToolBarStyler->PageAppearance()->ShadowColor();
  if (!page || (FIsAeroVista && IsGlassActive(true) && GetGlobalWin7ScenicRibbon()) || shadow == clNone ||
      !GetShowShadow())
    return;
  TCanvas* c = Canvas();
  TRect p = page->BoundsRect();
  TColor under = c->Pixels(p.left, p.bottom + 1);
  Line(c, DarkenColor(shadow, -15), p.left + 4, p.bottom, p.right, p.bottom);
  c->Pen()->SetColor(DarkenColor(under, 10));
  c->LineTo(p.right, p.top + 4);
  Line(c, DarkenColor(shadow, -20), p.left + 5, p.bottom + 1, p.right + 1, p.bottom + 1);
  c->Pen()->SetColor(DarkenColor(under, 5));
  c->LineTo(p.right + 1, p.top + 5);
}

// ---------------------------------------------------------------------------
// Caption bar

TRect TAdvToolBarPager::CaptionTextBox(bool& Groups) {
  TRect x = GetCaptionRect();
  Groups = false;
  x.left += FHideState ? 5 : FCaption->Indent();
  if (FHideState) return x;
  if (FQuickAccessToolBar && FQuickAccessToolBar->Visible() && !FShowQATBelow)
    x.left = GetQATRect().left + FQuickAccessToolBar->Width();
  x.right -= FCaption->RightIndent();
  int right = -1;
  for (int g = 0; g < FTabGroups->Count(); ++g) {
    bool visible, complete;
    TRect r = GetTabGroupRect(g, visible, complete);
    if (visible) right = Max<int>(right, r.right);
  }
  if (right >= 0) {
    x.left = right;
    Groups = true;
  }
  return x;
}

TRect TAdvToolBarPager::GetCaptionTextRect(TAlignment& Alignment) {
  bool groups = false;
  TRect x = CaptionTextBox(groups);
  Alignment = FHideState || !groups ? TAlignment::taLeftJustify : TAlignment::taCenter;
  if (!groups && !FHideState && !(GetGlobalWin7ScenicRibbon() && !IsGlassActive(true))) {
    TFont font;
    font.Assign(FCurrentToolBarStyler->PagerCaption()->Font());
    ScaleFont(&font, true);
    TBitmap measure(1, 1);
    const String& text = FCaption->Caption().empty() ? FCaption->WideCaption() : FCaption->Caption();
    int w = GetTextWidthGdip(measure.Canvas(), text, &font, FAntiAlias);
    int middle = Width() / 2 - w / 2;
    if (middle > x.left) x.left = middle;
  }
  return x;
}

void TAdvToolBarPager::DrawCaptionBar() {
  if (!FCaption->Visible()) return;
  if (FItones) {
    DrawCaptionBarFlat();
    return;
  }
  if (FIsAeroVista) return;  // the glass caption text takes its place
  TRect cr = GetCaptionRect();
  TBitmap bitmap(cr.Width(), cr.Height());
  TCanvas* bc = bitmap.Canvas();
  TVistaTextBackground* pc = FCurrentToolBarStyler->PagerCaption();
  DrawButtonFace(bc, TRect(0, 0, cr.Width(), cr.Height() + 1), pc->Color(), pc->ColorTo(), pc->ColorMirror(),
                 pc->ColorMirrorTo(), pc->BorderColor(), pc->Gradient(), pc->GradientMirror(), false);
  // The text box.
  bool groups = false;
  TRect x = CaptionTextBox(groups);
  x.Offset(-cr.left, -cr.top);
  TFont font;
  font.Assign(pc->Font());
  font.SetColor(pc->TextColor());
  ScaleFont(&font, true);
  bc->Font()->Assign(&font);
  bc->Brush()->SetStyle(TBrushStyle::bsClear);
  String text = FCaption->Caption();
  bool wide = text.empty();
  if (wide) text = FCaption->WideCaption();
  TAlignment alignment = FHideState ? TAlignment::taLeftJustify : TAlignment::taCenter;
  TRect bounds;
  auto measure = [&](const String& S) {
    TRect b;
    DrawTextGdip(bc, TAlignment::taLeftJustify, TRect(0, 0, 1000, 100), S, &font, true, false, FAntiAlias, false,
                 clNone, false, b);
    return b.Width();
  };
  if (!FHideState && !groups) {
    int free = x.Width() - measure(text);
    if (x.left + free / 2 > x.left) x.left += free / 2;
    alignment = TAlignment::taLeftJustify;
  }
  size_t split = wide ? text.find(L"-") : text.find(L" - ");
  if (split != String::npos) {
    String first = wide ? text.substr(0, split + 1) : text.substr(0, split);
    String rest = wide ? text.substr(split + 1) : text.substr(split);
    if (groups && !FHideState) {
      int free = x.Width() - measure(text);
      if (free > 0) x.left += free / 2;
    }
    TFont extended;
    extended.Assign(&font);
    extended.SetColor(pc->TextColorExtended());
    bc->Font()->Assign(&extended);
    TRect firstBox = x;
    firstBox.right -= measure(L"W...");
    DrawTextEllipsis(bc, TAlignment::taLeftJustify, DT_SINGLELINE | DT_VCENTER | DT_PATH_ELLIPSIS, firstBox, first,
                     &extended, true, true, FAntiAlias, true, false, bounds);
    x.left += wide ? bounds.Width() : bounds.Width() - 3;
    bc->Font()->Assign(&font);
    DrawTextGdip(bc, TAlignment::taLeftJustify, x, rest, &font, true, true, FAntiAlias, false, clNone, false, bounds);
  } else {
    DrawTextGdip(bc, alignment, x, text, &font, true, true, FAntiAlias, false, clNone, false, bounds);
  }
  Canvas()->Draw(cr.left, cr.top, &bitmap);
}

void TAdvToolBarPager::DrawCaptionBarFlat() {
  if (!FCaptionAppearance || !FTabAppearance) return;
  TCanvas* c = Canvas();
  TRect client = ClientRect();
  c->Brush()->SetColor(FCaptionAppearance->CaptionColor());
  c->FillRect(client);
  if (!FOffice2013 || GetGlobalWin7ScenicRibbon()) {
    c->Brush()->SetColor(FTabAppearance->BackGround()->Color());
    c->FillRect(TRect(client.left, client.top, client.right + 1, client.top + 3));
  } else {
    Line(c, FTabAppearance->TextColorSelected(), client.left, client.top, client.right, client.top);
  }
  if (FCaption->Caption().empty()) return;
  TRect cr = GetCaptionRect();
  TBitmap bitmap(cr.Width(), Max<int>(1, cr.Height() - 3));
  TCanvas* bc = bitmap.Canvas();
  bc->Brush()->SetColor(FCaptionAppearance->CaptionColor());
  bc->FillRect(TRect(0, 0, bitmap.Width(), bitmap.Height()));
  TAlignment alignment;
  TRect x = GetCaptionTextRect(alignment);
  if (FQuickAccessToolBar && FQuickAccessToolBar->Visible() && !FShowQATBelow) x.left += 8;
  x.Offset(-cr.left, -cr.top - 3);
  TFont font;
  font.Assign(FCurrentToolBarStyler->PagerCaption()->Font());
  font.SetColor(FTabAppearance->TextColor());
  ScaleFont(&font, true);
  TRect bounds;
  DrawTextGdip(bc, FOffice2013 ? TAlignment::taCenter : TAlignment::taLeftJustify, x, FCaption->Caption(), &font,
               true, true, FAntiAlias, false, clNone, false, bounds);
  c->Draw(cr.left, cr.top + 3, &bitmap);
}

// ---------------------------------------------------------------------------
// Tab strip

void TAdvToolBarPager::FillTabBackground(TCanvas* Canvas, const TRect& R) {
  TGradientBackground* bg = CurrentTabAppearance()->BackGround();
  if (bg->Color() != clNone && bg->ColorTo() != clNone) {
    DrawGradient(Canvas, bg->Color(), bg->ColorTo(), bg->Steps(), R,
                 bg->Direction() == AdvToolBar::TGradientDirection::gdVertical);
  } else {
    Canvas->Brush()->SetColor(bg->Color());
    TRect r = R;
    if (FItones) ++r.top;
    Canvas->FillRect(r);
  }
}

void TAdvToolBarPager::DrawTabsBackground() {
  TCanvas* c = Canvas();
  TRect r = GetTabsArea();
  r.bottom = ClientRect().bottom;
  bool glass = IsGlassActive(true);
  if (FIsAeroVista) {
    r.left -= 1;
    r.right += 1;
    r.top = glass ? FTabSettings->Height() - 1 : 0;
  }
  bool shadedGlass = FIsAeroVista && FTabSettings->Glass() && !IsDesigning() && GetGlobalWin7ScenicRibbon() &&
                     FIsWin7 && FTabBackGroundShaded;
  if (!shadedGlass) FillTabBackground(c, r);
  TGradientBackground* bg = CurrentTabAppearance()->BackGround();
  if (!FItones && FCaption->Visible()) {
    if (FIsAeroVista) {
      Line(c, clBlack, r.left, r.top, r.left, r.bottom);
      Line(c, clBlack, r.left, r.top + 1, r.right, r.top + 1);
      Line(c, clBlack, r.right - 1, r.top + 1, r.right - 1, r.bottom);
    } else {
      Line(c, BlendColor(clWhite, bg->Color(), 70), r.left, r.top + 1, r.right, r.top + 1);
    }
  }
  DrawTabGroupStrips();
  if (FIsAeroVista && glass && GetGlobalWin7ScenicRibbon() && FTabBackGroundShaded) {
    int t = r.top - FTabSettings->Height() + 1;
    TColor tint = FToolBarStyler && FToolBarStyler->NewKelStyle() == TKelStyle::tsOffice2010Black
                      ? static_cast<TColor>(71 | (73 << 8) | (76 << 16))
                      : clWhite;
    DrawAlphaGradientFadeRight(c->Handle(), TRect(r.left + 1, t, r.right, t + FTabSettings->Height() - 2), tint,
                               180, 0);
  }
  for (int i = 0; i < AdvPageCount(); ++i) DrawTab(i);
}

void TAdvToolBarPager::DrawTabGroupStrips() {
  if (FHideState) return;
  TCanvas* c = Canvas();
  TRect area = GetTabsArea();
  TCustomTabAppearance* a = CurrentTabAppearance();
  bool scrolled = FTabScroller->Position() >= 1;
  bool office = FGroupStyle == TGroupStyle::gsOffice2013 || FGroupStyle == TGroupStyle::gsOffice2016;
  for (int g = 0; g < FTabGroups->Count(); ++g) {
    TTabGroupItem* item = FTabGroups->Items(g);
    bool visible, complete;
    TRect gr = GetTabGroupRect(g, visible, complete);
    if (!visible) continue;
    if (FGroupStyle == TGroupStyle::gsWindows8) --gr.left;
    TGroupAppearance* ga = item->DefaultAppearance() ? FCurrentToolBarStyler->GroupAppearance() : item->GroupAppearance();
    if (FItones && !office && FGroupAppearance && item->DefaultAppearance()) ga = FGroupAppearance;
    TColor color = ga->Color(), colorTo = ga->ColorTo(), mirror = ga->ColorMirror(), mirrorTo = ga->ColorMirrorTo();
    TColor text = ga->TextColor();
    if (office) {
      colorTo = mirror = mirrorTo = clNone;
      if (item->DefaultAppearance()) text = ga->Color();
    } else if (FGroupStyle == TGroupStyle::gsWindows8) {
      text = clBlack;
    }
    TRect f = gr;
    f.bottom = area.top + (FGroupStyle == TGroupStyle::gsWindows8 ? 2 : 0);
    if (office) {
      DrawButtonFace(c, TRect(gr.left, 1, gr.right, 4), ga->Color(), clNone, clNone, clNone, clNone,
                     TGDIPGradient::ggVertical, TGDIPGradient::ggVertical, false);
      DrawButtonFace(c, TRect(gr.left, 4, gr.right, gr.bottom), ga->Background(), clNone, clNone, clNone, clNone,
                     TGDIPGradient::ggVertical, TGDIPGradient::ggVertical, false);
      f = TRect(gr.left, 4, gr.right, area.top + 2);
    } else if (FIsAeroVista) {
      f.top += 8;
    } else {
      f.top += FGroupStyle == TGroupStyle::gsClassic ? 8 : 4;
      if (!scrolled)
        DrawButtonFace(c, f, color, colorTo, mirror, mirrorTo, clNone, ga->Gradient(), ga->GradientMirror(), false);
    }
    if (!scrolled) {
      if ((IsGlassActive(false) && FIsAeroVista) || FGroupStyle == TGroupStyle::gsWindows8) {
        HDC dc = c->Handle();
        if (FGroupStyle != TGroupStyle::gsWindows8)
          DrawAlphaGradient(dc, TRect(gr.left, f.bottom, gr.right, gr.bottom - 20), mirrorTo, 1, 90);
        TColor outer = BlendColor(mirrorTo, clWhite, 20);
        DrawAlphaGradient(dc, TRect(gr.left, f.bottom, gr.left + 1, gr.bottom - 8), outer, 1, 255);
        DrawAlphaGradient(dc, TRect(gr.right, f.bottom, gr.right + 1, gr.bottom - 8), outer, 1, 255);
        DrawAlphaGradient(dc, TRect(gr.left + 1, f.bottom, gr.left + 2, gr.bottom - 8), ga->BorderColor(), 50, 255);
        DrawAlphaGradient(dc, TRect(gr.right - 1, f.bottom, gr.right, gr.bottom - 8), ga->BorderColor(), 50, 255);
      } else {
        TColor pen = BlendColor(mirrorTo, clBlack, 80);
        if (FGroupStyle == TGroupStyle::gsClassic) {
          Line(c, pen, gr.left, f.bottom, gr.right, f.bottom);
          TColor top = FCurrentToolBarStyler->PagerCaption()->Color();
          DrawGradient(c, top, ga->BorderColor(), 40, TRect(gr.left, gr.top + 6, gr.left + 1, f.bottom + 1), false);
          DrawGradient(c, top, ga->BorderColor(), 40, TRect(gr.right - 1, gr.top + 6, gr.right, f.bottom + 2), false);
        }
        bool scrollable = FTabScroller->Max() > 0;
        if (!(GetGlobalWin7ScenicRibbon() && scrollable) && !FOffice2013) {
          DrawGradient(c, ga->BorderColor(), a->BackGround()->Color(), 40,
                       TRect(gr.left, f.bottom, gr.left + 1, gr.bottom), false);
          if (complete)
            DrawGradient(c, ga->BorderColor(), a->BackGround()->Color(), 40,
                         TRect(gr.right - 1, f.bottom, gr.right, gr.bottom), false);
        }
      }
    }
    // The group's caption.
    TRect t(f.left + 3, f.top, f.right, f.bottom);
    TFont font;
    font.Assign(ga->Font());
    font.SetColor(text);
    TCustomImageList* list = nullptr;
    bool greyed = false;
    int x = 0;
    if (!scrolled && TabGroupImagePlace(item, &font, f, t.left, x, list, greyed)) {
      list->Draw(c, x, f.top + (f.Height() - list->Height()) / 2, item->ImageIndex(), !greyed);
      t.left = x + list->Width() + 3;
    }
    if (!FIsAeroVista && !scrolled) {
      c->Brush()->SetStyle(TBrushStyle::bsClear);
      TRect bounds;
      const String& caption = item->Caption().empty() ? item->WideCaption() : item->Caption();
      DrawTextEllipsis(c, item->CaptionAlignment(), DT_SINGLELINE | DT_VCENTER | DT_PATH_ELLIPSIS, t, caption, &font,
                       true, true, FAntiAlias, true, false, bounds);
    }
  }
}

bool TAdvToolBarPager::TabGroupImagePlace(TTabGroupItem* Item, TFont* Font, const TRect& F, int Left, int& X,
                                           TCustomImageList*& List, bool& Greyed) {
  if (!(FImages || FDisabledImages) || Item->ImageIndex() < 0) return false;
  List = Enabled() ? FImages : FDisabledImages;
  Greyed = false;
  if (!List) {
    List = FImages;
    Greyed = !Enabled();
  }
  if (!List) return false;
  TCanvas* c = Canvas();
  c->Font()->Assign(Font);
  TRect calc(0, 0, 1000, 100);
  const String& caption = Item->Caption();
  c->TextRect(calc, caption, DT_CALCRECT | DT_SINGLELINE);
  int w = calc.Width() + static_cast<int>(caption.size());
  X = Left;
  if (Item->CaptionAlignment() == TAlignment::taRightJustify)
    X = F.right - List->Width() - w - 6;
  else if (Item->CaptionAlignment() == TAlignment::taCenter)
    X = F.left + (F.Width() - List->Width() - w - 3) / 2;
  X = Max<int>(X, Left);
  return true;
}

void TAdvToolBarPager::DrawGlassCaptionText(TCustomControl* Layer) {
  if (!FIsAeroVista || IsDesigning() || !FCaption->Visible()) return;
  // The target: the caption layer, or the pager's own caption rectangle.
  TCustomControl* target = Layer ? Layer : this;
  const TRect tr = Layer ? Layer->ClientRect() : GetCaptionRect();
  const int offset = Layer ? Layer->Left() : 0;
  const bool glass = IsGlassActive(false), glassCaption = IsGlassActive(true);
  const bool scenic = GetGlobalWin7ScenicRibbon();
  DrawOnGlass(target->Handle(), target->Canvas()->Handle(), tr, true, [&](HDC dc, HTHEME theme) {
    // Section coordinates from target coordinates.
    auto local = [&](TRect r) {
      r.Offset(-tr.left, -tr.top);
      return r;
    };
    const DWORD textFlags = DT_VCENTER | DT_EXPANDTABS | DT_END_ELLIPSIS;
    if (!FHideState) {
      if (glassCaption && scenic && FTabBackGroundShaded)
        DrawAlphaGradient(dc, local(TRect(tr.left, tr.bottom - 25, tr.right - 35, tr.bottom)), clWhite, 15, 0);
      const bool scrolled = FTabScroller->Position() >= 1;
      const bool canScroll = FTabScroller->Max() > 0;
      const int limit = Width() - (FIsWin7 ? 110 : 102);
      const int tabsTop = GetTabsArea().top;
      for (int g = 0; g < FTabGroups->Count(); ++g) {
        TTabGroupItem* item = FTabGroups->Items(g);
        bool visible, complete;
        TRect gr = GetTabGroupRect(g, visible, complete);
        if (!visible) continue;
        gr.Offset(-offset, 0);
        gr.right = Min<int>(gr.right, limit);
        gr.top = tr.top + 5;
        gr.bottom = tabsTop;
        TGroupAppearance* ga =
            item->DefaultAppearance() ? FCurrentToolBarStyler->GroupAppearance() : item->GroupAppearance();
        const TColor mirrorTo = ga->ColorMirrorTo();
        if (!scrolled) {
          if (glass) {
            gr.top -= 2;
            DrawAlphaGradient(dc, local(TRect(gr.left, 1, gr.right, 5)), mirrorTo, 255, 255);
            TRect s = local(gr);
            DrawAlphaGradient(dc, s, mirrorTo, 80, 200);
            const TColor outer = BlendColor(mirrorTo, clWhite, 20);
            const float h = static_cast<float>(s.Height());
            DrawLineGdip(dc, outer, s.left, s.top, 0, h);
            DrawLineGdip(dc, outer, s.right - 1, s.top, 0, h);
            DrawLineGdip(dc, ga->BorderColor(), s.left + 1, s.top, 0, h);
            DrawLineGdip(dc, ga->BorderColor(), s.right - 2, s.top, 0, h);
          } else if (scenic) {
            DrawAlphaGradientFrame(dc, local(TRect(gr.left, gr.top - 3, gr.right, gr.bottom - 3)), ga->Color(),
                                   ga->BorderColor());
          } else {
            DrawAlphaFade(dc, local(gr), mirrorTo);
          }
        }
        // The group's caption.
        TRect t(gr.left + 3, gr.top + 3, gr.right, gr.bottom);
        TFont font;
        font.Assign(ga->Font());
        font.SetColor(ga->TextColor());
        TCustomImageList* list = nullptr;
        bool greyed = false;
        int x = 0;
        if (TabGroupImagePlace(item, &font, gr, t.left, x, list, greyed)) t.left = x + list->Width() + 3;
        const String& caption = item->Caption().empty() ? item->WideCaption() : item->Caption();
        if (caption.empty()) continue;
        if (glass) {
          if (scrolled) continue;
          font.SetSize(font.Size() + 1);
          TRect bounds;
          DrawTextGdipDC(dc, TAlignment::taCenter, local(t), caption, &font, true, true, FAntiAlias,
                         ga->BorderColor(), true, bounds);
        } else if (!canScroll) {
          DWORD flags = textFlags;
          if (item->CaptionAlignment() == TAlignment::taRightJustify)
            flags |= DT_RIGHT;
          else if (item->CaptionAlignment() == TAlignment::taCenter)
            flags |= DT_CENTER;
          TRect box = local(TRect(t.left + 3, t.top - 2, t.right, t.bottom));
          DrawThemeGlowText(dc, caption, static_cast<int>(caption.size()), box, theme, flags, clWindowText, 12);
        }
      }
    }
    // The pager's caption.
    TAlignment alignment;
    TRect box = GetCaptionTextRect(alignment);
    box.left += 8 - offset;
    box.right += -offset - 105 + (FHideState ? 0 : FCaption->RightIndent());
    box.top += FIsWin8 ? 4 : 6;
    if (IsMaximizedShadedGlass()) box.top += 5;
    const String& text = FCaption->Caption().empty() ? FCaption->WideCaption() : FCaption->Caption();
    if (!text.empty())
      DrawThemeGlowText(dc, text, static_cast<int>(text.size()), local(box), theme, textFlags, clWindowText, 12);
  });
}

bool TAdvToolBarPager::ShowTabSeparator(int Index) {
  return FCurrentTabSpacing <= FTabSettings->MinSpacing() && FCurrentTabLeftMargin <= FTabSettings->LeftMargin() &&
         FCurrentTabRightMargin <= FTabSettings->RightMargin() && Index >= 0 && Index < AdvPageCount() &&
         Index != FirstVisibleTab();
}

void TAdvToolBarPager::DrawTab(int Index) {
  if (Index < 0 || Index >= AdvPageCount() || FTabSettings->Height() <= 0) return;
  TRect r = GetTabRect(Index);
  TRect tabs = GetTabsRect();
  if (r == kNone || r.right <= tabs.left || r.left >= tabs.right) return;
  TAdvPage* page = AdvPages(Index);
  int group = TabGroupOfTab(Index);
  TTabGroupItem* item = group >= 0 ? FTabGroups->Items(group) : nullptr;
  TGroupAppearance* ga = nullptr;
  if (item) ga = item->DefaultAppearance() ? FCurrentToolBarStyler->GroupAppearance() : item->GroupAppearance();
  bool glass = IsGlassActive(true);
  TCustomTabAppearance* a = CurrentTabAppearance();
  bool ownFont = a != FCurrentToolBarStyler->TabAppearance();
  if (ga && FGroupStyle == TGroupStyle::gsClassic) a = ga->TabAppearance();

  // A tab cut by the tab rectangle's edges is drawn off screen first.
  bool clipped = r.left < tabs.left || r.right > tabs.right;
  std::unique_ptr<TBitmap> offscreen;
  TCanvas* c = Canvas();
  if (clipped) {
    offscreen.reset(new TBitmap(Width(), Height()));
    c = offscreen->Canvas();
    TRect area = GetTabsArea();
    area.bottom = ClientRect().bottom;
    FillTabBackground(c, area);
  }
  TRect s(Max<int>(r.left, tabs.left), r.top, Min<int>(r.right, tabs.right), r.bottom);

  if (ShowTabSeparator(Index) && !clipped) {
    TColor border = CurrentTabAppearance()->BorderColorSelected();
    DrawGradient(c, BlendColor(CurrentTabAppearance()->BackGround()->Color(), border, 60), border, 40,
                 TRect(r.left - 2, r.top + 1, r.left - 1, r.bottom), false);
  }

  // The face's colours by state.
  TTabFace f;
  bool selected = Index == FActivePageIndex && (FExpanded || FloatingRibbonShowing());
  bool hot = Index == FHotPageIndex;
  bool hoverGlow = page->FTimer && page->FGlowState == TGlowState::gsHover;
  bool pushGlow = page->FTimer && page->FGlowState == TGlowState::gsPush;
  TGradientBackground* bg = CurrentTabAppearance()->BackGround();
  TColor bgTo = bg->ColorTo() != clNone ? bg->ColorTo() : bg->Color();
  if (selected) {
    f.Color = a->ColorSelected(), f.ColorTo = a->ColorSelectedTo(), f.Mirror = a->ColorMirrorSelected(),
    f.MirrorTo = a->ColorMirrorSelectedTo();
    f.Border = hot ? a->BorderColorSelectedHot() : a->BorderColorSelected();
    f.Gradient = a->GradientSelected(), f.GradientMirror = a->GradientMirrorSelected();
    f.Text = a->TextColorSelected();
    f.HighLight = hot ? a->HighLightColorSelectedHot() : a->HighLightColor();
    if (pushGlow) {
      f.Color = BlendColor(a->ColorSelected(), a->ColorHot(), page->FStepPush);
      f.ColorTo = BlendColor(a->ColorSelectedTo(), a->ColorHotTo(), page->FStepPush);
      f.Mirror = BlendColor(a->ColorMirrorSelected(), a->ColorMirrorHot(), page->FStepPush);
      f.MirrorTo = BlendColor(a->ColorMirrorSelectedTo(), a->ColorMirrorHotTo(), page->FStepPush);
    }
    if (hoverGlow) f.Border = BlendColor(a->BorderColorSelectedHot(), a->BorderColorSelected(), page->FStepHover);
    if (FDownPageIndex == Index && !IsDesigning()) {
      f.Border = a->BorderColorDown();
      f.HighLight = a->HighLightColorDown();
    }
  } else if (hot) {
    HotSet(a, f);
    f.Border = a->BorderColorHot();
    f.Text = a->TextColorHot();
    f.HighLight = a->HighLightColorHot();
    if (hoverGlow) {
      if (FShowNonSelectedTabs)
        BlendFace(a, f, a->Color(), a->ColorTo(), a->ColorMirror(), a->ColorMirrorTo(), page->FStepHover);
      else
        BlendFace(a, f, bg->Color(), bgTo, bg->Color(), bgTo, page->FStepHover);
    }
  } else if (FShowNonSelectedTabs && !page->TabEnabled()) {
    f.Color = a->ColorDisabled(), f.ColorTo = a->ColorDisabledTo(), f.Mirror = a->ColorMirrorDisabled(),
    f.MirrorTo = a->ColorMirrorDisabledTo();
    f.Border = a->BorderColorDisabled();
    f.Gradient = a->GradientDisabled(), f.GradientMirror = a->GradientMirrorDisabled();
    f.Text = a->TextColorDisabled();
  } else if (FShowNonSelectedTabs) {
    f.Color = a->Color(), f.ColorTo = a->ColorTo(), f.Mirror = a->ColorMirror(), f.MirrorTo = a->ColorMirrorTo();
    f.Border = a->BorderColor();
    f.Gradient = a->Gradient(), f.GradientMirror = a->GradientMirror();
    f.Text = a->TextColor();
    if (hoverGlow) BlendFace(a, f, a->Color(), a->ColorTo(), a->ColorMirror(), a->ColorMirrorTo(), page->FStepHover);
  } else {
    f.Draw = hoverGlow;
    f.Text = page->TabEnabled() ? a->TextColor() : a->TextColorDisabled();
    f.Gradient = a->GradientHot(), f.GradientMirror = a->GradientMirrorHot();
    if (hoverGlow) {
      BlendFace(a, f, bg->Color(), bgTo, bg->Color(), bgTo, page->FStepHover);
      f.Border = BlendColor(a->BorderColorHot(), bg->Color(), page->FStepHover);
    }
  }
  bool focusedActive = Focused() && Index == FActivePageIndex;
  if (focusedActive) {
    HotSet(a, f);
    f.Border = a->BorderColorSelectedHot();
    f.Text = a->TextColorHot();
    f.HighLight = a->HighLightColorSelected();
    f.Draw = true;
  }
  // The colours of the tab's group.
  if (ga && (selected || hot || focusedActive)) {
    if (FGroupStyle == TGroupStyle::gsWindows8 && selected) {
      f.Border = ga->Color();
    } else if (FGroupStyle == TGroupStyle::gsOffice2013 || FGroupStyle == TGroupStyle::gsOffice2016) {
      if (hot && !selected) {
        f.Color = ga->Color();
        f.Border = ga->Background();
      }
      f.Text = ga->Color();
    }
  }

  if (f.Draw) {
    DrawButtonFace(c, r, f.Color, f.ColorTo, f.Mirror, f.MirrorTo, f.Border, f.Gradient, f.GradientMirror,
                   FTabRoundEdges);
    if (FTabRoundEdges) {
      bool lastOfGroup = item && item->TabIndexEnd() == Index;
      c->SetPixels(r.left, r.top, c->Pixels(r.left - 1, r.top - 1));
      c->SetPixels(r.left + 1, r.top, c->Pixels(r.left + 1, r.top - 1));
      c->SetPixels(r.left, r.top + 1, c->Pixels(r.left - 1, r.top));
      TColor right = lastOfGroup ? c->Pixels(r.left - 1, r.top - 1) : c->Pixels(r.right + 1, r.top);
      c->SetPixels(r.right - 1, r.top, right);
      c->SetPixels(r.right - 2, r.top, right);
      c->SetPixels(r.right - 1, r.top + 1, right);
    }
    if (GetShow3D())
      Line(c, BlendColor(clWhite, f.Color, focusedActive || hoverGlow ? 20 : 50), r.left + 3, r.top + 3,
           r.right - 3, r.top + 3);
    TColor shadow = FCurrentToolBarStyler->TabAppearance()->ShadowColor();
    if (shadow != clNone && !glass && GetShowShadow()) {
      Line(c, shadow, r.right, r.top + 3, r.right, r.bottom - 4);
      if (!(item && item->TabIndexEnd() == Index))
        Line(c, BlendColor(shadow, bg->Color(), 40), r.right + 1, r.top + 4, r.right + 1, r.bottom - 4);
    }
    if (GetShow3D() && f.HighLight != clNone && !glass) {
      Line(c, BlendColor(f.Color, f.Border, 80), r.left + 3, r.top + 1, r.right - 3, r.top + 1);
      Line(c, f.HighLight, r.left + 1, r.top + 3, r.left + 1, r.bottom - 5);
      Line(c, f.HighLight, r.right - 2, r.top + 3, r.right - 2, r.bottom - 5);
    }
  }

  // Image and caption.
  TRect cap(r.left + FCurrentTabLeftMargin, r.top, r.right - 2, r.bottom);
  if (item) cap.left = r.left + item->TabCurrentExtraXMargin() + FCurrentGroupTabLeftMargin;
  if ((FImages || FDisabledImages) && page->ImageIndex() >= 0) {
    TCustomImageList* list = page->TabEnabled() ? FImages : FDisabledImages;
    bool greyed = false;
    if (!list) {
      list = FImages;
      greyed = !page->TabEnabled();
    }
    if (list) {
      list->Draw(c, cap.left, r.top + (r.Height() - list->Height()) / 2, page->ImageIndex(), !greyed);
      cap.left += list->Width() + 2;
    }
  }
  TFont font;
  font.Assign(a->Font());
  ScaleFont(&font, ownFont);
  font.SetColor(f.Text);
  TAntiAlias aa = glass && FAntiAlias == TAntiAlias::aaNone ? TAntiAlias::aaAntiAlias : FAntiAlias;
  if (glass && GetGlobalWin7ScenicRibbon()) cap.bottom -= 4;
  // The text is laid out in the tab's whole measured width and cut to the
  // caption area, so that a cut tab loses the end of its caption instead of
  // wrapping it.
  int client = 0;
  int full = MeasureTabWidth(Index, client) - (item ? FCurrentGroupTabLeftMargin : FCurrentTabLeftMargin);
  TRect text(cap.left, cap.top, Max<int>(cap.right, cap.left + full), cap.bottom);
  int saved = SaveDC(c->Handle());
  IntersectClipRect(c->Handle(), cap.left, cap.top, cap.right, cap.bottom);
  c->Brush()->SetStyle(TBrushStyle::bsClear);
  TRect bounds;
  // The text colour already tells a disabled tab.
  DrawTextGdip(c, TAlignment::taLeftJustify, text, page->TabText(), &font, true, true, aa, false, clNone, glass,
               bounds);
  RestoreDC(c->Handle(), saved);

  if (clipped) BitBlt(Canvas()->Handle(), s.left, s.top, s.Width(), s.Height(), c->Handle(), s.left, s.top, SRCCOPY);
}
