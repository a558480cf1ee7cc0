#include "ui/controls/statusbar/AdvOfficeStatusBarPaint.h"

#include <map>

#include "ui/toolbar/runtime/ToolBarRuntime.h"

namespace OfficeStatusBar {

namespace {
struct TRgb {
  int R, G, B;
};
TRgb Channels(TColor C) {
  auto c = static_cast<uint32_t>(ColorToRGB(C));
  return {static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF)};
}
}  // namespace

void FillColorRect(TCanvas* Canvas, const TRect& R, TColor Color) {
  Canvas->Brush()->SetColor(Color);
  Canvas->FillRect(R);
}

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect& R, int Steps) {
  if (Steps == 0) Steps = 1;
  TRgb from = Channels(FromColor), to = Channels(ToColor);
  double dr = static_cast<double>(to.R - from.R) / Steps;
  double dg = static_cast<double>(to.G - from.G) / Steps;
  double db = static_cast<double>(to.B - from.B) / Steps;
  double d = static_cast<double>(Horizontal ? R.Width() : R.Height()) / Steps;
  int band = static_cast<int>(Round(d));
  for (int n = 0; n < Steps; ++n) {
    int r = from.R + static_cast<int>(Round(n * dr));
    int g = from.G + static_cast<int>(Round(n * dg));
    int b = from.B + static_cast<int>(Round(n * db));
    TColor c = static_cast<TColor>(RGB(r, g, b));
    int offset = static_cast<int>(Round(n * d) % 65536);
    Canvas->Pen()->SetColor(c);
    Canvas->Brush()->SetColor(c);
    if (Horizontal) {
      Canvas->FillRect(TRect(R.left + offset, R.top, R.left + offset + band + 1, R.bottom));
    } else if (R.Width() > 1) {
      Canvas->FillRect(TRect(R.left, R.top + offset, R.right, R.top + offset + band + 1));
    } else {
      Canvas->MoveTo(R.left, R.top + offset);
      Canvas->LineTo(R.right, R.top + offset + band + 1);
    }
  }
}

void DrawVistaGradient(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor ColorMirror,
                       TColor ColorMirrorTo, bool Vertical, TColor BorderColor, bool Background) {
  if (Background && Color != clNone) {
    if (ColorMirror == clNone) {
      DrawGradient(Canvas, Color, ColorTo, !Vertical, R, 128);
    } else if (Vertical) {
      int mid = R.top + R.Height() / 2;
      DrawGradient(Canvas, Color, ColorTo, false, TRect(R.left, R.top, R.right, mid), 128);
      DrawGradient(Canvas, ColorMirror, ColorMirrorTo, false, TRect(R.left, mid, R.right, R.bottom), 128);
    } else {
      int mid = R.left + R.Width() / 2;
      DrawGradient(Canvas, Color, ColorTo, true, TRect(R.left, R.top, mid, R.bottom), 128);
      DrawGradient(Canvas, ColorMirror, ColorMirrorTo, true, TRect(mid, R.top, R.right, R.bottom), 128);
    }
  }
  if (BorderColor != clNone) {
    Canvas->Brush()->SetColor(BorderColor);
    Canvas->FrameRect(R);
  }
}

// ---------------------------------------------------------------------------
// Text

namespace {
int CALLBACK FoundFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM Found) {
  *reinterpret_cast<bool*>(Found) = true;
  return 0;
}

// Whether the system lists a font family of this name; asked once per name.
bool FontListed(HDC DC, const String& Name) {
  static std::map<String, bool> known;
  auto it = known.find(Name);
  if (it != known.end()) return it->second;
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(lf.lfFaceName, Name.c_str(), LF_FACESIZE - 1);
  bool found = false;
  EnumFontFamiliesExW(DC, &lf, FoundFamily, reinterpret_cast<LPARAM>(&found), 0);
  known[Name] = found;
  return found;
}
}  // namespace

bool IsTrueTypeFont(TCanvas* Canvas) {
  if (!Canvas) return false;
  HDC dc = Canvas->Handle();
  SelectObject(dc, Canvas->Font()->Handle());
  TEXTMETRICW tm{};
  if (!GetTextMetricsW(dc, &tm)) return false;
  if (!(tm.tmPitchAndFamily & TMPF_VECTOR) || (tm.tmPitchAndFamily & TMPF_DEVICE)) return false;
  return FontListed(dc, Canvas->Font()->Name());
}

void CropFirstDirectory(String& Dir) {
  if (Dir.empty()) return;
  if (Dir == L"\\") {
    Dir.clear();
    return;
  }
  bool leading = Dir[0] == L'\\';
  if (leading) Dir.erase(0, 1);
  if (!Dir.empty() && Dir[0] == L'.') Dir.erase(0, Min<size_t>(4, Dir.size()));
  size_t p = Dir.find(L'\\');
  if (p != String::npos)
    Dir = L"...\\" + Dir.substr(p + 1);
  else
    Dir.clear();
  if (leading) Dir = L"\\" + Dir;
}

String ShortenPath(const String& Text, TCanvas* Canvas, int MaxWidth) {
  String result = Text;
  size_t slash = Text.rfind(L'\\');
  String dir = slash == String::npos ? String() : Text.substr(0, slash + 1);
  String name = slash == String::npos ? Text : Text.substr(slash + 1);
  String drive;
  if (dir.size() >= 2 && dir[1] == L':') {
    drive = dir.substr(0, 2);
    dir.erase(0, 2);
  }
  while (!dir.empty() || !drive.empty()) {
    if (Canvas->TextWidth(result) <= MaxWidth) break;
    if (dir == L"\\...\\") {
      drive.clear();
      dir = L"...\\";
    } else if (!dir.empty()) {
      CropFirstDirectory(dir);
    } else {
      drive.clear();
    }
    result = drive + dir + name;
  }
  return result;
}

void DrawGDIPText(TCanvas* Canvas, TAlignment Alignment, UINT Format, const TRect& Rect, const String& Text,
                  TFont* Font, bool Enabled, bool Draw, TAntiAlias AntiAlias, bool Dots, TRect& TextRect) {
  TextRect = TRect(0, 0, 0, 0);
  if (Text.empty()) return;
  Canvas->Font()->SetName(Font->Name());
  if (AntiAlias == TAntiAlias::aaNone || !IsTrueTypeFont(Canvas)) {
    TextRect = TRect(0, 0, 1000, 100);
    Canvas->TextRect(TextRect, Text, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    if (Draw) {
      TRect r = Rect;
      Canvas->TextRect(r, Text, Format);
    }
    return;
  }
  String text = Text;
  if (Format & DT_PATH_ELLIPSIS) text = ShortenPath(text, Canvas, Rect.Width());
  HDC dc = Canvas->Handle();
  TGPGraphics g(dc);
  TGPFontFamily family(Font->Name());
  TGPFont font(&family, static_cast<float>(Font->Size()), 0, UnitPoint);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  g.SetTextRenderingHint(AntiAlias == TAntiAlias::aaClearType ? TextRenderingHintClearTypeGridFit
                                                               : TextRenderingHintAntiAlias);
  TGPStringFormat format(0, LANG_NEUTRAL);
  format.SetAlignment(Alignment == TAlignment::taRightJustify ? StringAlignmentFar
                      : Alignment == TAlignment::taCenter    ? StringAlignmentCenter
                                                             : StringAlignmentNear);
  format.SetLineAlignment(StringAlignmentCenter);
  format.SetHotkeyPrefix(HotkeyPrefixNone);
  TGPSolidBrush brush(ColorToARGB(Enabled ? Font->Color() : clGray));
  TGPRectF layout = BuildRectF(static_cast<float>(Rect.left), static_cast<float>(Rect.top),
                               static_cast<float>(Rect.Width()), static_cast<float>(Rect.Height()));
  TGPRectF wide = layout;
  wide.Width = 1000;
  auto measure = [&](const String& s, const TGPRectF& box) {
    TGPRectF bounds{0, 0, 0, 0};
    g.MeasureString(s, -1, &font, box, &format, bounds);
    return bounds;
  };
  TGPRectF box = measure(text, Draw ? wide : layout);
  TextRect = TRect(static_cast<LONG>(Round(box.X)), static_cast<LONG>(Round(box.Y)),
                   static_cast<LONG>(Round(box.X) + Round(box.Width)),
                   static_cast<LONG>(Round(box.Y) + Round(box.Height)));
  if (!Draw) return;
  if (box.Width > layout.Width) {
    String suffix = Dots ? L"..." : L"";
    while (!text.empty() && measure(text + suffix, wide).Width > layout.Width) text.pop_back();
    text += suffix;
  }
  g.DrawString(text, -1, &font, layout, &format, &brush);
}

// ---------------------------------------------------------------------------
// The progress gauge

namespace {

// Fills a part with a pair: a gradient mirrored at the middle, or flat.
void FillPart(TCanvas* Canvas, const TRect& P, TColor C, TColor CT, const TGaugeSettings& S) {
  if (S.ShowGradient) {
    int mid = P.top + (P.bottom - P.top) / 2;
    DrawGradient(Canvas, CT, C, false, TRect(P.left, P.top, P.right, mid), S.Steps);
    DrawGradient(Canvas, C, CT, false, TRect(P.left, mid, P.right, P.bottom), S.Steps);
  } else {
    FillColorRect(Canvas, P, C);
  }
}

// Cuts 2-pixel gaps every 9 pixels into a painted part: the background
// colour, or with none the picture that was there before (Saved holds the
// canvas area from SavedOrigin on).
void DrawGaugeBlockGaps(TCanvas* Canvas, const TRect& Part, const TGaugeSettings& S, HDC Saved,
                        const TPoint& SavedOrigin) {
  TRect g(Part.left + 8, Part.top, Part.left + 10, Part.bottom + 1);
  int count = Part.right / 9 + 1;
  for (int i = 0; i < count; ++i) {
    if (g.right < Part.right) {
      if (S.BackgroundColor == clNone) {
        BitBlt(Canvas->Handle(), g.left, g.top, g.Width(), g.Height(), Saved, g.left - SavedOrigin.x,
               g.top - SavedOrigin.y, SRCCOPY);
      } else {
        Canvas->FillRect(g);
      }
    }
    g.Offset(9, 0);
  }
}

}  // namespace

void DrawGauge(TCanvas* Canvas, TRect R, int Percent, const TGaugeSettings& S) {
  if (R.right <= R.left || R.bottom <= R.top) return;
  // The picture under the gauge, for block gaps without a background.
  const TPoint origin = R.TopLeft();
  HDC canvasDC = Canvas->Handle();
  HDC saved = CreateCompatibleDC(canvasDC);
  HBITMAP savedBmp = CreateCompatibleBitmap(canvasDC, R.Width(), R.Height());
  HGDIOBJ oldBmp = SelectObject(saved, savedBmp);
  BitBlt(saved, 0, 0, R.Width(), R.Height(), canvasDC, R.left, R.top, SRCCOPY);

  int W = R.Width();
  Canvas->Brush()->SetColor(S.BackgroundColor);
  int V = S.ShowPercentage ? Percent : -1;
  if (S.ShowBorder) {
    Canvas->Pen()->SetColor(S.BorderColor);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(TPenStyle::psSolid);
    R.Inflate(-1, -1);
  } else {
    Canvas->Pen()->SetColor(S.BackgroundColor);
  }
  if (S.BackgroundColor != clNone) {
    Canvas->Rectangle(R);
  } else if (S.ShowBorder) {
    Canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    Canvas->Rectangle(R);
  }
  W -= 2;
  if (S.ShowBorder) W -= 2;

  // The bar never reaches past the gauge: above 100 percent it is full.
  const int shown = Min(Percent, 100);
  auto gaps = [&](TRect P) {
    Canvas->Brush()->SetColor(S.BackgroundColor);
    DrawGaugeBlockGaps(Canvas, P, S, saved, origin);
  };
  if (Percent > 0) {
    if (!S.Stacked) {
      TColor c = S.Level0Color, ct = S.Level0ColorTo;
      if (Percent >= 100) {
        c = S.Level3Color, ct = S.Level3ColorTo;
      } else if (Percent >= S.Level2Perc) {
        c = S.Level2Color, ct = S.Level2ColorTo;
      } else if (Percent >= S.Level1Perc) {
        c = S.Level1Color, ct = S.Level1ColorTo;
      }
      if (S.CompletionSmooth) {
        TRect P(R.left + 1, R.top + 1, R.left + 1 + static_cast<LONG>(Round(shown / 100.0 * W)), R.bottom - 2);
        FillPart(Canvas, P, c, ct, S);
      } else {
        TRect P(R.left + 2, R.top + 2, R.left + static_cast<LONG>(Round(shown * W / 100.0)), R.bottom - 3);
        FillPart(Canvas, P, c, ct, S);
        gaps(P);
      }
    } else {
      auto part = [&](int Left, int Width) { return TRect(Left, R.top + 1, Left + Width, R.bottom - 2); };
      auto finish = [&](TRect P) {
        if (S.CompletionSmooth) return;
        P.top += 1;
        P.bottom -= 1;
        gaps(P);
      };
      int w1 = static_cast<int>(Round((shown < S.Level1Perc ? shown : S.Level1Perc) / 100.0 * W));
      TRect p1 = part(R.left + 1, w1);
      FillPart(Canvas, p1, S.Level0Color, S.Level0ColorTo, S);
      finish(p1);
      int w2 = 0;
      if (shown >= S.Level1Perc) {
        w2 = static_cast<int>(Round(((shown < S.Level2Perc ? shown : S.Level2Perc) - S.Level1Perc) / 100.0 * W));
        TRect p2 = part(p1.right, w2);
        FillPart(Canvas, p2, S.Level1Color, S.Level1ColorTo, S);
        finish(p2);
        if (shown >= S.Level2Perc) {
          int w3 = shown == 100 ? static_cast<int>(Round(static_cast<double>(W - (w1 + w2))))
                                : static_cast<int>(Round((shown - S.Level2Perc) / 100.0 * W));
          TRect p3 = part(p2.right, w3);
          if (S.ShowGradient)
            FillPart(Canvas, p3, S.Level2Color, S.Level2ColorTo, S);
          else
            FillColorRect(Canvas, p3, S.Level3Color);
          finish(p3);
        }
      }
    }
  }

  // The number or the text, centred.
  String text;
  if (V == -1) {
    text = S.Text;
  } else {
    text = S.Prefix + (S.IsPercent ? IntToStr(V) + L"%" : IntToStr(S.Position)) + S.Suffix;
  }
  if (!text.empty()) {
    if (S.Font && S.Font != Canvas->Font()) Canvas->Font()->Assign(S.Font);
    Canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    int x = R.left + R.Width() / 2 - Canvas->TextWidth(text) / 2;
    int y = R.top + R.Height() / 2 - Canvas->TextHeight(text) / 2;
    Canvas->TextOut(x, y, text);
  }

  SelectObject(saved, oldBmp);
  DeleteObject(savedBmp);
  DeleteDC(saved);
}

}  // namespace OfficeStatusBar
