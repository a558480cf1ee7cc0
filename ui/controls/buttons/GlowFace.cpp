#include "ui/controls/buttons/GlowFace.h"

#include <memory>

#include "base/Forms.h"
#include "base/ImgList.h"
#include "base/Lists.h"
#include "ui/draw/GdipPicture.h"
#include "ui/draw/KelStyle.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

using namespace GlowButton;

namespace {

// The library-wide switch that greys image-list glyphs by saturation; on,
// and nothing changes it.
constexpr bool kImageListSaturation = true;

bool IsSideLayout(TButtonLayout L) {
  return L == TButtonLayout::blGlyphLeft || L == TButtonLayout::blGlyphRight ||
         L == TButtonLayout::blGlyphLeftAdjusted || L == TButtonLayout::blGlyphRightAdjusted;
}

int RoundI(long double v) { return static_cast<int>(Round(v)); }

// One half of the face: a solid fill, then a linear gradient or a radial
// glow from the middle of the outer edge.
void FillFaceHalf(TGPGraphics* g, const TRect& Q, TColor First, TColor Second, TGDIPGradient Gradient, bool Upper) {
  if (Second == clNone)
    Second = First;
  else if (First == clNone)
    First = Second;
  int QL = Q.left, QT = Q.top, QW = Q.Width(), QH = Q.Height();
  {
    TGPSolidBrush solid(ColorToARGB(Upper ? First : Second));
    g->FillRectangle(&solid, float(QL), float(QT), float(QW), float(QH));
  }
  TGPGraphicsPath ellipse;
  ellipse.AddEllipse(float(QL), float(Upper ? QT - QH / 2 + 2 : QT), float(QW), float(QH));
  if (Gradient == TGDIPGradient::ggRadial) {
    TGPPathGradientBrush brush(&ellipse);
    if (Upper) {
      brush.SetCenterPoint(TGPPointF{float(QL + QW / 2), float(QT)});
      brush.SetCenterColor(ColorToARGB(Second));
      ARGB surround = ColorToARGB(First);
      int n = 1;
      brush.SetSurroundColors(&surround, n);
    } else {
      brush.SetCenterPoint(TGPPointF{float(QL + QW / 2), float(Q.bottom)});
      brush.SetCenterColor(ColorToARGB(First));
      ARGB surround = ColorToARGB(Second);
      int n = 1;
      brush.SetSurroundColors(&surround, n);
    }
    g->FillRectangle(&brush, float(QL), float(QT), float(QW), float(QH));
  } else {
    LinearGradientMode mode = Gradient == TGDIPGradient::ggVertical          ? LinearGradientModeVertical
                              : Gradient == TGDIPGradient::ggDiagonalForward ? LinearGradientModeForwardDiagonal
                                                                             : LinearGradientModeBackwardDiagonal;
    TGPLinearGradientBrush brush(TGPRectF{float(QL), float(QT), float(QW), float(QH)}, ColorToARGB(First),
                                 ColorToARGB(Second), mode);
    g->FillRectangle(&brush, float(QL), float(QT), float(QW), float(QH));
  }
}

// A GDI+ font family for a name, "Arial" when GDI+ does not know it.
std::unique_ptr<TGPFontFamily> MakeFamily(const String& Name) {
  std::unique_ptr<TGPFontFamily> f(new TGPFontFamily(Name));
  Status s = f->GetLastStatus();
  if (s == FontFamilyNotFound || s == FontStyleNotFound) f.reset(new TGPFontFamily(L"Arial"));
  return f;
}

int GdipStyle(TFont* Font) {
  TFontStyles st = Font->Style();
  return (st.Contains(TFontStyle::fsBold) ? 1 : 0) | (st.Contains(TFontStyle::fsItalic) ? 2 : 0) |
         (st.Contains(TFontStyle::fsUnderline) ? 4 : 0);
}

// Replaces every backslash-n (either case) by Replacement.
String ReplaceLineBreakMarks(const String& S, const String& Replacement) {
  String out;
  for (size_t i = 0; i < S.size(); ++i) {
    if (S[i] == L'\\' && i + 1 < S.size() && (S[i + 1] == L'n' || S[i + 1] == L'N')) {
      out += Replacement;
      ++i;
    } else {
      out += S[i];
    }
  }
  return out;
}

bool HasLineBreakMark(const String& S) {
  for (size_t i = 0; i + 1 < S.size(); ++i)
    if (S[i] == L'\\' && (S[i + 1] == L'n' || S[i + 1] == L'N')) return true;
  return false;
}

String JoinLines(TStrings* Lines, bool TrailingBreak) {
  String s;
  if (!Lines) return s;
  for (int i = 0; i < Lines->Count(); ++i) {
    s += Lines->Strings(i);
    if (TrailingBreak || i + 1 < Lines->Count()) s += L"\r\n";
  }
  return s;
}

bool IsTrueTypeFont(TCanvas* Canvas, TFont* Font) {
  Canvas->Font()->SetName(Font->Name());
  Canvas->TextHeight(L"0");  // selects the font
  TEXTMETRICW tm{};
  if (!GetTextMetricsW(Canvas->Handle(), &tm)) return false;
  if (!(tm.tmPitchAndFamily & TMPF_TRUETYPE)) return false;
  return Screen && Screen->Fonts()->IndexOf(Font->Name()) >= 0;
}

bool OnGlassQuickAccessToolBar(TControl* Control) {
  return Control && Control->Parent() && Control->Parent()->ClassName() == L"TAdvQuickAccessToolBar";
}

}  // namespace

void PaintGlowFace(const TGlowFaceParams& P, TGlowFaceResult& Result) {
  Result = TGlowFaceResult{};
  TCanvas* canvas = P.Canvas;
  int L = P.R.left, T = P.R.top, Rt = P.R.right, B = P.R.bottom;
  int H = B - T;
  int AW = RoundI(static_cast<long double>(GetDPIFactor()) * 14.0L);
  int r = P.Rounded ? 3 : 0;
  using BL = TButtonLayout;

  // 1. The drop-down part and the main part.
  TRect DR, M(L, T, Rt, B);
  if (P.DropDownPosition == TDropDownPosition::dpRight) {
    DR = TRect(Rt - AW, T, Rt, B);
    if (P.DropDownButton) M.right = Rt - AW;
  } else {
    DR = TRect(L, B - AW, Rt, B);
    if (P.DropDownButton && P.DropDownSplit) M.bottom = B - AW;
  }

  // 2. Mirror colours.
  TColor color = P.Color, colorTo = P.ColorTo, mirror = P.ColorMirror, mirrorTo = P.ColorMirrorTo;
  if (mirror == clNone && mirrorTo == clNone) mirrorTo = color;
  if (mirror == clNone) mirror = color;

  // 3.
  TGPGraphics g(canvas->Handle());

  // 4. Background.
  bool face = !P.NoFace || P.DroppedDown || P.DownChecked;
  if (face) {
    int HalfH = H / 2;
    if (P.DropDownButton && P.HotOrDown && P.DropDownSplit) {
      TRect U1, U2, A1, A2;
      bool right = P.DropDownPosition == TDropDownPosition::dpRight;
      if (right) {
        U1 = TRect(L, T + HalfH - 1, Rt - AW, B);
        U2 = TRect(L, T, Rt - AW, B - HalfH);
        A1 = TRect(Rt - AW, T, Rt, B - HalfH);
        A2 = TRect(Rt - AW, T + HalfH - 1, Rt, B);
      } else {
        int HM = (H - AW) / 2;
        U1 = TRect(L, T + HM - 1, Rt, B - AW);
        U2 = TRect(L, T, Rt, B - AW - HM);
        A1 = TRect(L, B - AW, Rt, B);
      }
      auto dark = [](TColor c) { return AdjustColor(c, -10); };
      if (P.HotPart == 2) {
        FillFaceHalf(&g, U1, mirrorTo, mirror, P.GradientMirror, false);
        FillFaceHalf(&g, U2, color, colorTo, P.Gradient, true);
        if (!P.TransparentHover) {
          FillFaceHalf(&g, A1, dark(color), dark(colorTo), P.Gradient, true);
          if (right) FillFaceHalf(&g, A2, dark(mirrorTo), dark(mirror), P.GradientMirror, false);
        }
      } else {
        if (!P.TransparentHover) {
          FillFaceHalf(&g, U1, dark(mirrorTo), dark(mirror), P.GradientMirror, false);
          FillFaceHalf(&g, U2, dark(color), dark(colorTo), P.Gradient, true);
        }
        FillFaceHalf(&g, A1, color, colorTo, TGDIPGradient::ggRadial, true);
        if (right) FillFaceHalf(&g, A2, mirrorTo, mirror, P.GradientMirror, false);
      }
    } else {
      FillFaceHalf(&g, TRect(L, T + HalfH - 1, Rt, B), mirrorTo, mirror, P.GradientMirror, false);
      FillFaceHalf(&g, TRect(L, T, Rt, B - HalfH), color, colorTo, P.Gradient, true);
    }
  }

  // 5.
  g.SetSmoothingMode(SmoothingModeAntiAlias);

  // 6. Border.
  if (face && P.Bordered && (!P.NoBorderDefault || P.MouseEnter || P.DroppedDown)) {
    bool hotOrChecked = P.MouseEnter || P.DownChecked;
    switch (P.Position) {
      case TButtonPosition::bpStandalone: DrawRoundedOutline(&g, P.BorderColor, L, T, Rt - 1, B - 1, r); break;
      case TButtonPosition::bpLeft: DrawLeftButtonBorder(&g, P.BorderColor, L, T, Rt - 1, B - 1, r); break;
      case TButtonPosition::bpMiddle:
        DrawMiddleButtonBorder(&g, P.BorderColor, L, T, Rt - 1, B - 1, r, hotOrChecked);
        break;
      case TButtonPosition::bpRight:
        DrawRightButtonBorder(&g, P.BorderColor, L, T, Rt - 1, B - 1, r, hotOrChecked);
        break;
    }
  }

  // 7. Focus.
  if (P.FocusBorder) {
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    DrawRoundedOutline(&g, P.BorderColorFocused, L + 1, T + 1, Rt - 3, B - 3, r);
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    DrawFocusDots(&g, 0x808080, L + 2, T + 2, Rt - 5, B - 5, r);
  }

  // 8. Margins of the adjusted layouts, in the drawing pass.
  if (!P.Measuring) {
    if (P.Layout == BL::blGlyphLeftAdjusted) L += P.MarginHorz;
    if (P.Layout == BL::blGlyphTopAdjusted) T += P.MarginVert;
  }

  // 9. Glyph size, caption and notes.
  bool forced = P.ForcedGlyphSize.cx > 0 && P.ForcedGlyphSize.cy > 0;
  int GW = 0, GH = 0;
  TBitmap* gb = P.GlyphBitmap;
  bool glyphBitmap = gb && !gb->Empty() && gb->Width() >= 2 && gb->Height() >= 2;
  bool picture = P.Picture && !P.Picture->Empty();
  if (picture && P.Picture->Width() == 0) P.Picture->GetImageSizes();
  if (glyphBitmap) {
    GW = gb->Width();
    GH = gb->Height();
    if (forced) GW = P.ForcedGlyphSize.cx, GH = P.ForcedGlyphSize.cy;
  } else if (picture) {
    GW = P.Picture->Width();
    GH = P.Picture->Height();
    if (forced) GW = P.ForcedGlyphSize.cx, GH = P.ForcedGlyphSize.cy;
  } else if (P.ImageIndex >= 0 && P.Images) {
    GW = P.Images->Width();
    GH = P.Images->Height();
  }
  bool hasCaption = !P.Caption.empty() || !P.WideCaption.empty();
  if (P.DefaultCaptionDrawing && hasCaption) {
    if (GW > 0 && IsSideLayout(P.Layout)) GW += P.Spacing;
    if (GH > 0 && (P.Layout == BL::blGlyphTop || P.Layout == BL::blGlyphTopAdjusted)) GH += P.Spacing;
  }
  Result.Size = TSize(GW, GH);

  int FW = Rt - L, FH = B - T;
  int GX = 0, GY = 0;
  if (hasCaption || P.Measuring) {
    // 1. The text.
    String caption = P.Caption;
    if (HasLineBreakMark(caption)) caption = ReplaceLineBreakMarks(caption, forced ? L" " : L"\n\r");
    String text = caption.empty() ? P.WideCaption : caption;
    if (P.Measuring && text.empty()) text = L"!";
    // 2. The text path.
    bool trueType = IsTrueTypeFont(canvas, P.Font);
    // 3.
    std::unique_ptr<TGPFontFamily> family = MakeFamily(P.Font->Name());
    std::unique_ptr<TGPFontFamily> notesFamily = MakeFamily(P.NotesFont ? P.NotesFont->Name() : P.Font->Name());
    TGPFont font(family.get(), float(P.Font->Size()), GdipStyle(P.Font), UnitPoint);
    // 4.
    FW = M.right - L;
    FH = M.bottom - T;
    TGPRectF LR{float(L), float(T), float(FW), float(FH)};
    if (P.Measuring) {
      TSizeConstraints* c = P.Control ? P.Control->Constraints() : nullptr;
      LR.Width = float(c && c->MaxWidth() ? c->MaxWidth() : 4096);
      LR.Height = float(c && c->MaxHeight() ? c->MaxHeight() : 4096);
    }
    // 5. String format and brush.
    TGPStringFormat format(P.WordWrap ? 0 : StringFormatFlagsNoWrap, 0);
    format.SetAlignment(P.Layout == BL::blGlyphLeftAdjusted    ? StringAlignmentNear
                        : P.Layout == BL::blGlyphRightAdjusted ? StringAlignmentFar
                                                               : StringAlignmentCenter);
    format.SetLineAlignment(P.Layout == BL::blGlyphTopAdjusted      ? StringAlignmentNear
                            : P.Layout == BL::blGlyphBottomAdjusted ? StringAlignmentFar
                                                                    : StringAlignmentCenter);
    format.SetHotkeyPrefix(GetHidePrefixFlag(P.Control) == 0 || P.AlwaysShowAccel ? HotkeyPrefixShow
                                                                                  : HotkeyPrefixHide);
    format.SetTrimming(P.Trimming);
    TGPSolidBrush textBrush(ColorToARGB(P.Enabled ? P.Font->Color() : 0x808080));
    if (P.AntiAlias == TAntiAlias::aaClearType)
      g.SetTextRenderingHint(P.IsOnGlassQAT ? TextRenderingHintAntiAlias : TextRenderingHintClearTypeGridFit);
    else if (P.AntiAlias == TAntiAlias::aaAntiAlias)
      g.SetTextRenderingHint(TextRenderingHintAntiAlias);
    // 6.
    bool gdip = P.AntiAlias != TAntiAlias::aaNone && trueType;
    String notes = JoinLines(P.Notes, true);
    TGPRectF TB{0, 0, 0, 0}, NB{0, 0, 0, 0};
    TRect TR;
    std::unique_ptr<TGPFont> notesFont;
    if (P.NotesFont) notesFont.reset(new TGPFont(notesFamily.get(), float(P.NotesFont->Size()),
                                                 GdipStyle(P.NotesFont), UnitPoint));
    if (gdip) {
      // 7.
      TGPRectF LR2 = LR;
      if (IsSideLayout(P.Layout)) LR2.Width -= P.Spacing;
      g.MeasureString(text, -1, &font, LR2, &format, TB);
      if (GW > 0) LR.Width -= GW + P.Spacing;
      if (!notes.empty() && notesFont) g.MeasureString(notes, -1, notesFont.get(), LR, &format, NB);
      if (!IsSideLayout(P.Layout))
        Result.Size = TSize(Max(RoundI(TB.Width) + P.Spacing, GW + P.Spacing), RoundI(TB.Height) + GH);
      else
        Result.Size = TSize(Max(RoundI(TB.Width), RoundI(NB.Width)) + GW + P.Spacing,
                            Max(RoundI(TB.Height) + P.Spacing + RoundI(NB.Height), GH + P.Spacing));
    } else {
      // 8.
      canvas->Font()->Assign(P.Font);
      TR = TRect(RoundI(LR.X), RoundI(LR.Y), RoundI(LR.X) + 2, 0);
      UINT flags = DT_CALCRECT | (P.AlwaysShowAccel ? 0 : GetHidePrefixFlag(P.Control));
      if (P.WordWrap) {
        TR.right = TR.left + RoundI(LR.Width);
        flags |= DT_WORDBREAK;
      } else {
        flags |= DT_SINGLELINE;
      }
      int TH = canvas->TextRect(TR, text, flags);
      TB.Width = float(TR.right - TR.left);
      TB.Height = float(TH - TR.top);
      if (!notes.empty() && P.NotesFont) {
        canvas->Font()->Assign(P.NotesFont);
        String joined = JoinLines(P.Notes, false);
        TRect NR(RoundI(LR.X), RoundI(LR.Y), RoundI(LR.X) + RoundI(LR.Width) - GW - P.MarginHorz, 65535);
        int nh = canvas->TextRect(NR, joined, DT_CALCRECT | (P.WordWrap ? DT_WORDBREAK : 0));
        NB.Height = float(nh);
        NB.Width = float(NR.right - NR.left);
      }
      TB.X = float(TR.left);
      int tw = RoundI(TB.Width), th = RoundI(TB.Height), nw = RoundI(NB.Width), nh = RoundI(NB.Height);
      switch (P.Layout) {
        case BL::blGlyphLeft:
          Result.Size = TSize(tw + GW + P.Spacing, Max(th + P.Spacing + nh, GH + P.Spacing));
          break;
        case BL::blGlyphTop: case BL::blGlyphBottom: case BL::blGlyphTopAdjusted: case BL::blGlyphBottomAdjusted:
          Result.Size = TSize(Max(tw + P.Spacing, GW + P.Spacing), th + GH + P.Spacing);
          break;
        case BL::blGlyphRight: case BL::blGlyphRightAdjusted:
          Result.Size = TSize(tw + GW + P.Spacing, Max(th + P.Spacing, GH + P.Spacing));
          break;
        case BL::blGlyphLeftAdjusted:
          Result.Size = TSize(Max(tw, nw) + GW + P.Spacing, Max(th + P.Spacing + nh, GH + P.Spacing));
          break;
      }
    }

    if (!P.Measuring) {
      // 9. Placement.
      int lx = L, ly = T, lw = FW, lh = FH;
      int centredX = L + Max(0, (FW - GW) / 2), middleY = T + Max(0, (FH - GH) / 2);
      switch (P.Layout) {
        case BL::blGlyphLeft:
          lx = L + GW + 2;
          lw = FW - GW - 2;
          if (gdip)
            GX = RoundI(TB.X - GW / 2);
          else
            GX = (P.DropDownButton ? (Rt - 10 - TR.right - GW) / 2 : (Rt - TR.right - GW) / 2) - 2;
          GX = Max(GX, 2);
          GY = middleY;
          break;
        case BL::blGlyphTop:
          ly = T + GH;
          lh = FH - 2 - GH;
          GX = centredX;
          GY = T + Max(0, (RoundI(lh - TB.Height) / 2) / 2);
          if (!gdip) GY -= 4;
          GY = Max(GY, 2);
          break;
        case BL::blGlyphRight: case BL::blGlyphRightAdjusted:
          lx = 2;
          lw = FW - 4 - GW;
          if (P.Layout == BL::blGlyphRightAdjusted) {
            GX = FW - GW - 2;
          } else {
            GX = Max(0, RoundI(lw - TB.Width) / 2) + RoundI(TB.Width) + 4;
            if (GX > FW - GW) GX = FW - GW - 2;
          }
          GX += P.Spacing;
          GY = middleY;
          break;
        case BL::blGlyphBottom:
          ly = 2;
          lh = FH - 2 - GH;
          GX = centredX;
          GY = Max(0, RoundI(lh - TB.Height) / 2) + RoundI(TB.Height + (gdip ? 2 : 5));
          if (GY > FH - GH) GY = FH - GH - 2;
          break;
        case BL::blGlyphLeftAdjusted:
          lx = L + 2 + GW;
          lw = FW - 2 - GW - P.MarginHorz;
          GX = Max(RoundI(TB.X - GW / 2), 2);
          GY = middleY;
          break;
        case BL::blGlyphTopAdjusted:
          ly = T + GH;
          lh = FH - 2 - GH;
          GX = centredX;
          GY = Max(T, 2);
          break;
        case BL::blGlyphBottomAdjusted:
          ly = 2;
          lh = gdip ? FH - 2 - GH : FH - 4 - GH;
          GX = centredX;
          if (gdip) {
            GY = Max(0, FH / 2) + RoundI(TB.Height + 2);
            if (GY > FH - GH) GY = FH - GH - 2;
          } else {
            GY = FH - GH - 2;
          }
          break;
      }
      LR = TGPRectF{float(lx), float(ly), float(lw), float(lh)};
      if (P.OverlappedText) LR = TGPRectF{float(P.R.left), float(P.R.top), float(P.R.right), float(P.R.bottom)};
      // 10. The glyph bitmap under overlapped text.
      if (P.OverlappedText && P.DefaultPicDrawing && glyphBitmap) canvas->Draw(GX, GY, gb);

      if (P.DefaultCaptionDrawing) {
        bool stackedNotes =
            P.Layout == BL::blGlyphTop || P.Layout == BL::blGlyphBottom || P.Layout == BL::blGlyphTopAdjusted;
        if (gdip) {
          // 11.
          if (!notes.empty()) {
            format.SetLineAlignment(StringAlignmentNear);
            LR.Y = LR.Y + (LR.Height - RoundI(TB.Height) - RoundI(NB.Height)) / 2;
            if (stackedNotes) LR.Y += GH;
          }
          LR.X -= 1;
          g.DrawString(text, -1, &font, LR, &format, &textBrush);
          if (!notes.empty() && notesFont) {
            LR.Y += RoundI(TB.Height);
            TGPSolidBrush notesBrush(ColorToARGB(P.NotesFont->Color()));
            g.DrawString(notes, -1, notesFont.get(), LR, &format, &notesBrush);
          }
        } else {
          // 12.
          TRect TR1(RoundI(LR.X), RoundI(LR.Y), RoundI(LR.X) + RoundI(LR.Width), RoundI(LR.Y) + RoundI(LR.Height));
          canvas->Brush()->SetStyle(TBrushStyle::bsClear);
          UINT flags = P.WordWrap ? DT_WORDBREAK : DT_SINGLELINE;
          switch (P.Layout) {
            case BL::blGlyphLeft: flags |= notes.empty() ? (DT_CENTER | DT_VCENTER) : DT_CENTER; break;
            case BL::blGlyphTop: case BL::blGlyphTopAdjusted: flags |= DT_CENTER; break;
            case BL::blGlyphRight: case BL::blGlyphBottom: flags |= DT_CENTER | DT_VCENTER; break;
            case BL::blGlyphLeftAdjusted:
              TR1.left += 2;
              if (notes.empty())
                flags |= DT_VCENTER;
              else
                TR1.top = (TR1.bottom - TR1.top - RoundI(TB.Height) - RoundI(NB.Height)) / 2;
              break;
            case BL::blGlyphRightAdjusted: flags |= DT_RIGHT | DT_VCENTER; break;
            case BL::blGlyphBottomAdjusted: flags |= DT_CENTER | DT_BOTTOM; break;
          }
          TRect TR2 = TR1;
          canvas->Font()->Assign(P.Font);
          if (!P.Enabled) canvas->Font()->SetColor(0x808080);
          if (P.WordWrap) {
            TRect m = TR1;
            int CH = canvas->TextRect(m, text, flags | DT_CALCRECT);
            if (!notes.empty() && (P.Layout == BL::blGlyphLeft || P.Layout == BL::blGlyphLeftAdjusted)) {
              TRect n = TR1;
              CH += canvas->TextRect(n, Trim(notes), flags | DT_CALCRECT);
            }
            switch (P.Layout) {
              case BL::blGlyphLeft: case BL::blGlyphLeftAdjusted: case BL::blGlyphRight: case BL::blGlyphBottom:
              case BL::blGlyphRightAdjusted:
                TR2.top = (TR2.bottom - TR2.top - CH) / 2;
                break;
              case BL::blGlyphTop: TR2.top = GY + GH; break;
              case BL::blGlyphBottomAdjusted: TR2.top = TR2.bottom - CH; break;
              case BL::blGlyphTopAdjusted: break;
            }
          }
          flags |= GetHidePrefixFlag(P.Control);
          if (P.AlwaysShowAccel) flags &= ~static_cast<UINT>(DT_HIDEPREFIX);
          canvas->TextRect(TR2, text, flags);
          if (!notes.empty() && P.NotesFont) {
            TR2.top += RoundI(TB.Height);
            TR2.bottom = TR2.top + RoundI(NB.Height);
            canvas->Font()->Assign(P.NotesFont);
            canvas->TextRect(TR2, notes, flags);
          }
        }
      }
      // 13.
      if (P.Layout == BL::blGlyphLeftAdjusted) GX += P.MarginHorz;
    }
  }
  Result.GlyphPos = TPoint(GX, GY);
  Result.GlyphSize = TSize(GW, GH);
  if (P.Measuring) return;

  // 10. The glyph.
  if (P.DefaultPicDrawing && !P.OverlappedText) {
    if (P.DropDownButton) {
      if (P.DropDownPosition == TDropDownPosition::dpBottom)
        FH -= 8;
      else
        FW -= 12;
    }
    auto centred = [&](int w, int h) { return TPoint(L + Max(0, (FW - w) / 2), T + Max(0, (FH - h) / 2)); };
    if (glyphBitmap) {
      if (!forced) {
        TPoint p = hasCaption ? TPoint(GX, GY) : centred(GW, GH);
        canvas->Draw(p.x, p.y, gb);
      } else {
        gb->SetTransparent(true);
        TPoint p = hasCaption ? TPoint(GX, GY) : centred(P.ForcedGlyphSize.cx, P.ForcedGlyphSize.cy);
        canvas->StretchDraw(Bounds(p.x, p.y, P.ForcedGlyphSize.cx, P.ForcedGlyphSize.cy), gb);
      }
    } else if (picture) {
      if (!forced) {
        if (hasCaption) {
          DrawPictureAt(&g, TPoint(GX, GY), P.Picture, FW, FH);
        } else if (P.Icon && !P.Icon->Empty()) {
          TPoint p = centred(GW, GH);
          DrawIconEx(canvas->Handle(), p.x, p.y, P.Icon->Handle(), GW, GH, 0, nullptr, DI_NORMAL);
        } else {
          DrawPictureAt(&g, centred(GW, GH), P.Picture, FW, FH);
        }
      } else {
        TPoint p = hasCaption ? TPoint(GX, GY) : centred(P.ForcedGlyphSize.cx, P.ForcedGlyphSize.cy);
        DrawPictureInRect(&g, canvas, Bounds(p.x, p.y, P.ForcedGlyphSize.cx, P.ForcedGlyphSize.cy), P.Picture);
      }
    } else if (P.ImageIndex != -1 && P.Images) {
      TPoint p = hasCaption ? TPoint(GX, GY) : centred(P.Images->Width(), P.Images->Height());
      if (OnGlassQuickAccessToolBar(P.Control) &&
          (P.IsOnGlassQAT || (GetGlobalTabGlass() && GetGlobalWin7ScenicRibbon()))) {
        DrawImageListGlyph(&g, p, P.Images, hasCaption ? true : P.ImageEnabled, P.ImageIndex);
      } else if (!P.ImageEnabled && !P.DisabledImages && IsVistaOrLater() && kImageListSaturation) {
        DrawImageListSaturated(canvas->Handle(), P.Images, P.ImageIndex, p.x, p.y);
      } else if (P.ImageEnabled || !P.DisabledImages) {
        P.Images->Draw(canvas, p.x, p.y, P.ImageIndex, P.ImageEnabled);
      } else {
        P.DisabledImages->Draw(canvas, p.x, p.y, P.ImageIndex, true);
      }
    }
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  }

  // 11. Split line and arrow.
  if (P.DropDownButton) {
    if ((P.HotOrDown || GetDrawSplitLineAlways()) && P.DropDownSplit) {
      canvas->Pen()->SetColor(ColorToRGB(P.BorderColor));
      if (P.DropDownPosition == TDropDownPosition::dpRight) {
        canvas->MoveTo(DR.left, DR.top);
        canvas->LineTo(DR.left, DR.bottom);
      } else {
        canvas->MoveTo(DR.left, DR.top);
        canvas->LineTo(DR.right, DR.top);
      }
    }
    int ax = P.DropDownDirection == TDropDownDirection::ddDown ? DR.left + (DR.Width() - 3) / 2
                                                                : DR.left + (DR.Width() - 5) / 2;
    int ay = DR.top + (DR.Height() - 3) / 2 + 1;
    TColor arrow = P.Enabled ? 0 : 0x808080;
    if (P.IsOnGlassQAT || (GetGlobalTabGlass() && GetGlobalWin7ScenicRibbon()))
      DrawGlassDropDownArrow(canvas, TPoint(ax, ay), arrow);
    else
      DrawDropDownArrow(canvas, TPoint(ax, ay), arrow, P.DropDownDirection);
  }
}
