#include "ui/toolbar/bars/ToolBarPaint.h"

#include <memory>

#include "base/FileStreams.h"
#include "base/Forms.h"
#include "base/ImgList.h"
#include "ui/controls/buttons/GlowButtonAppearance.h"
#include "ui/controls/buttons/GlowButtonHelpers.h"
#include "ui/toolbar/runtime/ThemeBinding.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

namespace {

TGPRectF RectF(const TRect& R, int ExtraHeight) {
  return TGPRectF{float(R.left), float(R.top), float(R.Width()), float(R.Height() + ExtraHeight)};
}

// One vertical gradient from Top to Bottom filling Box.
void FillVertical(TGPGraphics* g, const TGPRectF& Box, ARGB Top, ARGB Bottom) {
  if (Box.Width <= 0 || Box.Height <= 0) return;
  TGPLinearGradientBrush brush(Box, Top, Bottom, LinearGradientModeVertical);
  g->FillRectangle(&brush, Box);
}

void FillVertical(HDC DC, const TGPRectF& Box, ARGB Top, ARGB Bottom) {
  TGPGraphics g(DC);
  FillVertical(&g, Box, Top, Bottom);
}

// The graphics a "graphics or canvas" routine draws on.
class TTarget {
 public:
  TTarget(TGPGraphics* Graphics, TCanvas* Canvas) : FGraphics(Graphics) {
    if (!FGraphics && Canvas) {
      FOwned.reset(new TGPGraphics(Canvas->Handle()));
      FOwned->SetSmoothingMode(SmoothingModeAntiAlias);
      FGraphics = FOwned.get();
    }
  }
  TGPGraphics* Get() const { return FGraphics; }

 private:
  TGPGraphics* FGraphics;
  std::unique_ptr<TGPGraphics> FOwned;
};

// A GDI+ font family for Name, "Arial" when GDI+ does not know it.
std::unique_ptr<TGPFontFamily> FamilyOf(const String& Name) {
  std::unique_ptr<TGPFontFamily> f(new TGPFontFamily(Name));
  Status s = f->GetLastStatus();
  if (s == FontFamilyNotFound || s == FontStyleNotFound) f.reset(new TGPFontFamily(L"Arial"));
  return f;
}

int GdipStyleBits(TFont* Font, bool WithStrikeOut) {
  TFontStyles st = Font->Style();
  int bits = (st.Contains(TFontStyle::fsBold) ? 1 : 0) | (st.Contains(TFontStyle::fsItalic) ? 2 : 0) |
             (st.Contains(TFontStyle::fsUnderline) ? 4 : 0);
  if (WithStrikeOut && st.Contains(TFontStyle::fsStrikeOut)) bits |= 8;
  return bits;
}

StringAlignment AlignmentOf(TAlignment A) {
  switch (A) {
    case TAlignment::taLeftJustify: return StringAlignmentNear;
    case TAlignment::taRightJustify: return StringAlignmentFar;
    default: return StringAlignmentCenter;
  }
}

UINT DrawTextAlignment(TAlignment A) {
  switch (A) {
    case TAlignment::taRightJustify: return DT_RIGHT;
    case TAlignment::taCenter: return DT_CENTER;
    default: return 0;
  }
}

void SetRenderingHint(TGPGraphics* g, TAntiAlias AntiAlias) {
  if (AntiAlias == TAntiAlias::aaClearType)
    g->SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
  else if (AntiAlias == TAntiAlias::aaAntiAlias)
    g->SetTextRenderingHint(TextRenderingHintAntiAlias);
}

TRect RoundedBox(const TGPRectF& B) {
  return TRect(int(Round(B.X)), int(Round(B.Y)), int(Round(B.X + B.Width)), int(Round(B.Y + B.Height)));
}

int RoundI(long double V) { return static_cast<int>(Round(V)); }

// The text without accelerator marks ("&&" is one "&"), and the index in it
// of the marked character (-1 for none; the last mark wins).
String StripAccelerator(const String& Text, int& Marked) {
  String out;
  Marked = -1;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] != L'&') {
      out += Text[i];
      continue;
    }
    if (i + 1 >= Text.size()) break;
    if (Text[i + 1] != L'&') Marked = static_cast<int>(out.size());
    out += Text[i + 1];
    ++i;
  }
  return out;
}

// The layout's text box on glass: an outlined path of the text.
void FillTextPath(TGPGraphics* g, const String& Text, TGPFontFamily* Family, int Style, float EmSize,
                  const TGPRectF& Layout, TGPStringFormat* Format, ARGB Color) {
  TGPGraphicsPath path;
  path.AddString(Text, -1, Family, Style, EmSize, Layout, Format);
  TGPSolidBrush brush(Color);
  g->FillPath(&brush, &path);
}

// Measures Text with GDI's DrawText word-wrapped from the layout's rounded
// top-left corner; the box grows to what the text needs.
TGPRectF MeasureGdi(HDC DC, const TGPRectF& Layout, const String& Text) {
  TRect r(RoundI(Layout.X), RoundI(Layout.Y), RoundI(Layout.X) + 2, RoundI(Layout.Y));
  DrawTextW(DC, Text.c_str(), static_cast<int>(Text.size()), &r, DT_CALCRECT | DT_WORDBREAK);
  return TGPRectF{float(r.left), float(r.top), float(r.Width()), float(r.Height())};
}

// The text format of the word-wrapped text routines.
void PrepareFormat(TGPStringFormat& Format, TAlignment Alignment) {
  Format.SetAlignment(AlignmentOf(Alignment));
  Format.SetLineAlignment(StringAlignmentCenter);
  Format.SetHotkeyPrefix(HotkeyPrefixShow);
  Format.SetTrimming(StringTrimmingNone);
}

}  // namespace

// ---------------------------------------------------------------------------
// Alpha fills

void DrawAlphaGradient(HDC DC, const TRect& R, TColor Color, BYTE AlphaTop, BYTE AlphaBottom) {
  FillVertical(DC, RectF(R, 1), ArgbFromColor(AlphaTop, Color), ArgbFromColor(AlphaBottom, Color));
}

void DrawTwoColorAlphaGradient(HDC DC, const TRect& R, TColor ColorTop, TColor ColorBottom, BYTE AlphaTop,
                               BYTE AlphaBottom) {
  FillVertical(DC, RectF(R, 1), ArgbFromColor(AlphaTop, ColorTop), ArgbFromColor(AlphaBottom, ColorBottom));
}

void DrawAlphaGradientFrame(HDC DC, const TRect& R, TColor Color, TColor BorderColor) {
  TGPGraphics g(DC);
  TGPRectF box = RectF(R, 1);
  FillVertical(&g, box, ArgbFromColor(150, Color), ArgbFromColor(200, Color));
  TGPPen pen(ArgbFromColor(255, BorderColor), 1.0f);
  g.DrawRectangle(&pen, box.X, box.Y - 1, box.Width, box.Height);
}

void DrawAlphaFade(HDC DC, const TRect& R, TColor Color) {
  BYTE r = BYTE(Color), gr = BYTE(Color >> 8), b = BYTE(Color >> 16);
  FillVertical(DC, RectF(R, 0), ComposeArgb(5, r, gr, b), ComposeArgb(130, r, gr, b));
}

void DrawGlowBackground(HDC DC, const TRect& R) {
  FillVertical(DC, RectF(R, 0), ComposeArgb(8, 255, 255, 100), ComposeArgb(128, 255, 255, 100));
}

void DrawAlphaGradientFadeRight(HDC DC, const TRect& R, TColor Color, BYTE AlphaTop, BYTE AlphaBottom) {
  TGPGraphics g(DC);
  float top = float(R.top), height = float(R.Height() + 1);
  FillVertical(&g, TGPRectF{float(R.left), top, float(R.Width() - 40), height}, ArgbFromColor(AlphaTop, Color),
               ArgbFromColor(AlphaBottom, Color));
  int aTop = AlphaTop, aBottom = AlphaBottom;
  for (int i = 0; i < 18; ++i) {
    FillVertical(&g, TGPRectF{float(R.right - 40 + 2 * i), top, 2.0f, height}, ArgbFromColor(BYTE(aTop), Color),
                 ArgbFromColor(BYTE(aBottom), Color));
    aTop = aTop < 10 ? 0 : aTop - 10;
    aBottom = aBottom < 12 ? 0 : aBottom - 12;
  }
}

// ---------------------------------------------------------------------------
// Paths and lines

void DrawPathLine(TGPGraphics* Graphics, TGPPen* Pen, int X, int Y, int Width, int Height) {
  TGPGraphicsPath path;
  path.AddLine(float(X), float(Y), float(X + Width), float(Y + Height));
  path.CloseFigure();
  Graphics->DrawPath(Pen, &path);
}

void DrawArcPath(TGPGraphics* Graphics, TGPPen* Pen, int X, int Y, int Width, int Height, float StartAngle,
                 float SweepAngle, bool Close) {
  TGPGraphicsPath path;
  path.AddArc(float(X), float(Y), float(Width), float(Height), StartAngle, SweepAngle);
  if (Close) path.CloseFigure();
  Graphics->DrawPath(Pen, &path);
}

void DrawRoundRectPath(TGPGraphics* Graphics, TGPPen* Pen, int X, int Y, int Width, int Height, int Radius) {
  GlowButton::StrokeRoundedPath(Graphics, Pen, float(X), float(Y), float(Width), float(Height), float(Radius));
}

void DrawRectPath(TGPGraphics* Graphics, TGPPen* Pen, int X, int Y, int Width, int Height) {
  float x = float(X), y = float(Y), r = float(X + Width), b = float(Y + Height);
  TGPGraphicsPath path;
  path.AddLine(x, y, r, y);
  path.AddLine(r, y, r, b);
  path.AddLine(r, b, x, b);
  path.AddLine(x, b, x, y);
  path.CloseFigure();
  Graphics->DrawPath(Pen, &path);
}

void DrawRectGdip(TGPGraphics* Graphics, TCanvas* Canvas, TColor Color, const TRect& R) {
  TTarget t(Graphics, Canvas);
  if (!t.Get()) return;
  TGPPen pen(ColorToARGB(Color), 1.0f);
  DrawRectPath(t.Get(), &pen, R.left, R.top, R.right, R.bottom);
}

void DrawDownArrowGdip(TGPGraphics* Graphics, TCanvas* Canvas, TColor Color, TPoint P) {
  TTarget t(Graphics, Canvas);
  if (!t.Get()) return;
  float x = float(P.x), y = float(P.y);
  TGPPen pen(ColorToARGB(Color), 1.0f);
  TGPGraphicsPath path;
  path.AddLine(x, y, x + 5, y);
  path.AddLine(x + 1, y + 1, x + 4, y + 1);
  path.AddLine(x + 2, y + 2, x + 2, y + 2);
  path.CloseFigure();
  t.Get()->DrawPath(&pen, &path);
}

void DrawLineGdip(HDC DC, TColor Color, float X, float Y, float DX, float DY) {
  TGPGraphics g(DC);
  TGPPen pen(ColorToARGB(Color), 1.0f);
  g.DrawLine(&pen, X, Y, X + DX, Y + DY);
}

void DrawQATFrame(HDC DC, const TRect& R) {
  TGPGraphics g(DC);
  if (GetGlobalWin7ScenicRibbon()) {
    float x1 = float(R.left + RoundI(22.0L * DPIFactor)), x2 = float(R.right - 3);
    float top = float(R.top + 7);
    {
      TGPPen light(ComposeArgb(100, 255, 255, 255), 3.0f);
      g.DrawLine(&light, x1, top, x1, float(R.bottom - 4));
      g.DrawLine(&light, x2, top, x2, float(R.bottom - 4));
    }
    TGPPen dark(ArgbFromColor(150, 0x706A63), 1.0f);
    g.DrawLine(&dark, x1, top, x1, float(R.bottom - 6));
    g.DrawLine(&dark, x2, top, x2, float(R.bottom - 6));
    return;
  }
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  TGPPen pen(ComposeArgb(200, 128, 128, 128), 1.5f);
  int m = R.top + R.Height() / 2;
  TGPGraphicsPath path;
  path.AddLine(float(R.left), float(R.top), float(R.right - 10), float(R.top));
  TGPPoint right[3] = {{R.right - 15, R.top - 4}, {R.right, m}, {R.right - 15, R.bottom + 4}};
  path.AddCurve(right, 3, 1.0f);
  path.AddLine(float(R.right - 10), float(R.bottom), float(R.left + 12), float(R.bottom));
  TGPPoint left[3] = {{R.left + 12, R.bottom}, {R.left + 10, m - 2}, {R.left + 2, R.top}};
  path.AddCurve(left, 3, 1.0f);
  path.CloseFigure();
  g.DrawPath(&pen, &path);
}

// ---------------------------------------------------------------------------
// GDI helpers

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Count, const TRect& R, bool Horizontal) {
  TRect r = R;
  if (Horizontal)
    --r.right;
  else
    --r.bottom;
  GlowButton::DrawStepGradient(Canvas, FromColor, ToColor, Count, r, Horizontal);
}

void Draw3DBar(TCanvas* Canvas, TPoint P1, TPoint P2, bool Raised, bool Vertical) {
  TColor first = Raised ? clWhite : clBtnShadow, second = Raised ? clBtnShadow : clWhite;
  Canvas->Pen()->SetColor(first);
  if (Vertical) {
    Canvas->MoveTo(P1.x - 1, P1.y - 1);
    Canvas->LineTo(P2.x - 1, P2.y);
    Canvas->LineTo(P2.x + 1, P2.y);
    Canvas->Pen()->SetColor(second);
    Canvas->MoveTo(P2.x + 1, P2.y);
    Canvas->LineTo(P2.x + 1, P1.y);
    Canvas->LineTo(P2.x - 1, P1.y);
  } else {
    Canvas->MoveTo(P1.x - 1, P1.y + 1);
    Canvas->LineTo(P1.x - 1, P1.y - 1);
    Canvas->LineTo(P2.x + 1, P2.y - 1);
    Canvas->Pen()->SetColor(second);
    Canvas->MoveTo(P2.x + 1, P2.y - 1);
    Canvas->LineTo(P2.x + 1, P2.y + 1);
    Canvas->LineTo(P1.x, P1.y + 1);
  }
}

void DrawVerticalCaption(TCanvas* Canvas, const String& Text, TPoint P) {
  int marked = -1;
  String shown = StripAccelerator(Text, marked);
  Canvas->TextOut(P.x, P.y, shown);
  if (marked < 0) return;
  int h = Canvas->TextHeight(shown);
  int w1 = Canvas->TextWidth(shown.substr(0, static_cast<size_t>(marked)));
  int w2 = Canvas->TextWidth(shown.substr(static_cast<size_t>(marked), 1));
  Canvas->Pen()->SetColor(Canvas->Font()->Color());
  Canvas->MoveTo(P.x - h + 1, P.y + w1);
  Canvas->LineTo(P.x - h + 1, P.y + w1 + w2);
}

void DrawSplitBackground(TCanvas* Canvas, const TRect& R, int TopHeight, TColor TopColor, TColor TopColorTo,
                         TColor BottomColor, TColor BottomColorTo, TColor BorderColor, int Rounding) {
  TRect top(R.left, R.top, R.right, R.top + TopHeight + 1);
  TRect bottom(R.left, R.top + TopHeight, R.right, R.bottom);
  if (TopColor != clNone && BottomColor == clNone && BottomColorTo == clNone) top = R;
  auto band = [Canvas](const TRect& B, TColor From, TColor To) {
    if (From == clNone) return;
    if (To != clNone) {
      DrawGradient(Canvas, From, To, 40, B, false);
    } else {
      Canvas->Brush()->SetColor(From);
      Canvas->FillRect(B);
    }
  };
  band(top, TopColor, TopColorTo);
  band(bottom, BottomColor, BottomColorTo);
  if (BorderColor == clNone) return;
  TGPGraphics g(Canvas->Handle());
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  TGPPen pen(ColorToARGB(BorderColor), 1.0f);
  if (Rounding > 0)
    DrawRoundRectPath(&g, &pen, R.left, R.top, R.Width() - 1, R.Height() - 1, Rounding);
  else
    DrawRectPath(&g, &pen, R.left, R.top, R.Width() - 1, R.Height() - 1);
}

// ---------------------------------------------------------------------------
// Glass text

void DrawThemeGlowText(HDC DC, const String& Text, int Length, const TRect& R, HTHEME Theme, DWORD Flags,
                       TColor Color, int GlowSize) {
  DTTOPTS options{};
  options.dwSize = sizeof(options);
  options.dwFlags = DTT_TEXTCOLOR | DTT_GLOWSIZE | DTT_COMPOSITED;
  options.crText = static_cast<COLORREF>(ColorToRGB(Color));
  options.iGlowSize = GlowSize;
  RECT r = R;
  // The platform's window style gives part 1, state 1 for the caption text.
  ThemeBinding::DrawThemeTextEx(Theme, DC, 1, 1, Text.c_str(), Length, Flags, &r, &options);
}

void DrawOnGlass(HWND Wnd, HDC Target, const TRect& R, bool ScaledFont,
                 const std::function<void(HDC Section, HTHEME Theme)>& Draw) {
  HTHEME theme = ThemeBinding::OpenThemeData(Wnd, L"CompositedWindow::Window");
  if (!theme) return;
  HDC mem = CreateCompatibleDC(Target);
  if (mem) {
    int w = R.Width(), h = R.Height();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = w > 0 && h > 0 ? CreateDIBSection(Target, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (dib) {
      HGDIOBJ oldBitmap = SelectObject(mem, dib);
      HFONT font = nullptr;
      HGDIOBJ oldFont = nullptr;
      LOGFONTW lf{};
      if (ThemeBinding::GetThemeSysFont(theme, 801, lf) == S_OK) {
        if (ScaledFont)
          lf.lfHeight = static_cast<LONG>(Round(lf.lfHeight * 96.0L / ScreenLogPixelsX * DPIFactor));
        font = CreateFontIndirectW(&lf);
        oldFont = SelectObject(mem, font);
      }
      Draw(mem, theme);
      BitBlt(Target, R.left, R.top, w, h, mem, 0, 0, SRCCOPY);
      SelectObject(mem, oldBitmap);
      if (font) {
        SelectObject(mem, oldFont);
        DeleteObject(font);
      }
      DeleteObject(dib);
    }
    DeleteDC(mem);
  }
  ThemeBinding::CloseThemeData(theme);
}

void DrawGlowText(TWinControl* Control, const String& Text, const TRect& TextRect, bool WithQATFrame,
                  const TRect& QATRect, TColor BackColor, bool WithGradient) {
  HWND wnd = Control->Handle();
  HDC dc = GetDC(wnd);
  DrawOnGlass(wnd, dc, TextRect, false, [&](HDC mem, HTHEME theme) {
    if (BackColor != clNone) DrawGlowBackground(mem, TextRect);
    if (WithGradient) DrawAlphaGradient(mem, TextRect, clWhite, 0, 20);
    if (WithQATFrame) DrawQATFrame(mem, QATRect);
    DrawThemeGlowText(mem, Text, static_cast<int>(Text.size()), TRect(4, TextRect.top + 6, TextRect.Width(),
                      TextRect.Height()), theme, DT_VCENTER | DT_EXPANDTABS | DT_END_ELLIPSIS);
  });
  ReleaseDC(wnd, dc);
}

// ---------------------------------------------------------------------------
// Pictures

namespace {
// Draws the picture held in Bytes at P; KeyPixel (or none) picks the colour
// made transparent.
void DrawPictureBytes(TGPGraphics* g, TPoint P, TMemoryStream& Bytes, bool UseKey, bool KeyBottomLeft) {
  IStream* stream = nullptr;
  switch (CreateGlobalStream(Bytes.Memory(), static_cast<size_t>(Bytes.Size()), &stream)) {
    case TGlobalStreamResult::gsOk: break;
    case TGlobalStreamResult::gsNoMemory: throw Exception(L"Could not allocate memory for image");
    default: return;
  }
  {
    std::unique_ptr<TGPImage> image(new TGPImage(stream));
    if (UseKey && (KeyBottomLeft || image->GetFormat() != ifPNG)) {
      LARGE_INTEGER zero{};
      stream->Seek(zero, STREAM_SEEK_SET, nullptr);
      std::unique_ptr<TGPBitmap> bitmap(new TGPBitmap(stream));
      int w = int(image->GetWidth()), h = int(image->GetHeight());
      ARGB key = 0;
      bitmap->GetPixel(0, KeyBottomLeft ? h - 1 : 0, key);
      key = ComposeArgb(255, ArgbRed(key), ArgbGreen(key), ArgbBlue(key));
      std::unique_ptr<TGPImageAttributes> attributes(new TGPImageAttributes());
      attributes->SetColorKey(key, key, ColorAdjustTypeDefault);
      g->DrawImage(image.get(), TGPRectF{float(P.x), float(P.y), float(w), float(h)}, 0, 0, float(w), float(h),
                   UnitPixel, attributes.get());
    } else {
      g->DrawImage(image.get(), P.x, P.y);
    }
  }
  stream->Release();
}
}  // namespace

void DrawGraphicGdip(TGPGraphics* Graphics, TCanvas* Canvas, TPoint P, TGraphic* Graphic, bool ColorKey) {
  TTarget t(Graphics, Canvas);
  if (!t.Get() || !Graphic) return;
  TMemoryStream bytes;
  Graphic->SaveToStream(&bytes);
  DrawPictureBytes(t.Get(), P, bytes, ColorKey, false);
}

void DrawImageListGdip(TGPGraphics* Graphics, TCanvas* Canvas, TPoint P, TCustomImageList* ImageList,
                       int ImageIndex, bool Enabled) {
  if (!ImageList || ImageIndex < 0) return;
  TTarget t(Graphics, Canvas);
  if (!t.Get()) return;
  TBitmap bitmap(ImageList->Width(), ImageList->Height(), TPixelFormat::pf24bit);
  ImageList->Draw(bitmap.Canvas(), 0, 0, ImageIndex, Enabled);
  TMemoryStream bytes;
  bitmap.SaveToStream(&bytes);
  DrawPictureBytes(t.Get(), P, bytes, true, true);
}

// ---------------------------------------------------------------------------
// Text

bool IsScalableScreenFont(TCanvas* Canvas) {
  if (!Canvas) return false;
  TEXTMETRICW tm{};
  if (!GetTextMetricsW(Canvas->Handle(), &tm)) return false;
  if ((tm.tmPitchAndFamily & TMPF_VECTOR) == 0 || (tm.tmPitchAndFamily & TMPF_DEVICE) != 0) return false;
  return Screen->Fonts()->IndexOf(Canvas->Font()->Name()) >= 0;
}

void DrawTextEllipsis(TCanvas* Canvas, TAlignment Alignment, UINT Format, const TRect& R, const String& Text,
                      TFont* Font, bool Enabled, bool Draw, TAntiAlias AntiAlias, bool Ellipsis, bool WordWrap,
                      TRect& Bounds) {
  Bounds = TRect(0, 0, 0, 0);
  if (Text.empty()) return;
  Canvas->Font()->SetName(Font->Name());
  if (AntiAlias == TAntiAlias::aaNone || !IsScalableScreenFont(Canvas)) {
    Bounds = TRect(0, 0, 1000, 100);
    Canvas->TextRect(Bounds, Text, DT_CALCRECT | DT_SINGLELINE);
    if (Draw) {
      TRect r = R;
      Canvas->TextRect(r, Text, Format);
    }
    return;
  }
  TGPGraphics g(Canvas->Handle());
  std::unique_ptr<TGPFontFamily> family = FamilyOf(Font->Name());
  TGPFont font(family.get(), float(Font->Size()), GdipStyleBits(Font, true), UnitPoint);
  g.SetSmoothingMode(SmoothingModeAntiAlias);
  TGPRectF layout = RectF(R, 0);
  TGPRectF wide = layout;
  wide.Width = 1000;
  TGPStringFormat format;
  format.SetAlignment(AlignmentOf(Alignment));
  format.SetLineAlignment(StringAlignmentCenter);
  format.SetHotkeyPrefix(HotkeyPrefixShow);
  TGPSolidBrush brush(ColorToARGB(Enabled ? Font->Color() : clGray));
  SetRenderingHint(&g, AntiAlias);
  TGPRectF box{};
  g.MeasureString(Text, -1, &font, (!Draw || (WordWrap && !Ellipsis)) ? layout : wide, &format, box);
  Bounds = RoundedBox(box);
  if (!Draw) return;
  String shown = Text;
  if (box.Width > layout.Width && (Ellipsis || !WordWrap)) {
    String suffix = Ellipsis ? L"..." : L"";
    for (size_t n = 0; n <= Text.size(); ++n) {
      g.MeasureString(shown + suffix, -1, &font, wide, &format, box);
      if (box.Width <= layout.Width || shown.empty()) break;
      shown.pop_back();
    }
    shown += suffix;
  }
  g.DrawString(shown, -1, &font, layout, &format, &brush);
}

namespace {
// What the word-wrapped text routines share: the graphics on the DC, the
// font (its family "Arial" when GDI+ does not know it), the layout, the
// text colour and brush, the string format, and the measured box.
struct TTextJob {
  TGPGraphics G;
  std::unique_ptr<TGPFontFamily> Family;
  TGPFont Font;
  TGPRectF Layout;
  TColor TextColor;
  TGPSolidBrush Brush;
  TGPStringFormat Format;

  TTextJob(HDC DC, TAlignment Alignment, const TRect& R, TFont* AFont, bool Enabled, bool GlassDraw,
           TAntiAlias AntiAlias)
      : G(DC),
        Family(FamilyOf(AFont->Name())),
        Font(Family.get(), float(AFont->Size()), GdipStyleBits(AFont, false), UnitPoint),
        Layout(RectF(R, 0)),
        TextColor(Enabled ? AFont->Color() : clGray),
        Brush(ColorToARGB(TextColor)) {
    if (!GlassDraw) G.SetSmoothingMode(SmoothingModeAntiAlias);
    PrepareFormat(Format, Alignment);
    SetRenderingHint(&G, AntiAlias);
  }
  // GDI+'s measure, or GDI's on MeasureDC for plain text.
  TRect Measure(const String& Text, TAntiAlias AntiAlias, HDC MeasureDC) {
    TGPRectF box{};
    if (AntiAlias != TAntiAlias::aaNone)
      G.MeasureString(Text, -1, &Font, Layout, &Format, box);
    else
      box = MeasureGdi(MeasureDC, Layout, Text);
    return RoundedBox(box);
  }
};
}  // namespace

void DrawTextGdip(TCanvas* Canvas, TAlignment Alignment, const TRect& R, const String& Text, TFont* Font,
                  bool Enabled, bool Draw, TAntiAlias AntiAlias, bool GlassBitmap, TColor GlassBackColor, bool Glass,
                  TRect& Bounds) {
  Bounds = TRect(0, 0, 0, 0);
  if (Text.empty()) return;
  if (AntiAlias == TAntiAlias::aaNone) {
    Canvas->Font()->Assign(Font);
    Canvas->Font()->SetColor(Enabled ? Font->Color() : clGray);
  }
  TTextJob job(Canvas->Handle(), Alignment, R, Font, Enabled, Glass && Draw, AntiAlias);
  Bounds = job.Measure(Text, AntiAlias, Canvas->Handle());
  if (!Draw) return;
  const TGPRectF& layout = job.Layout;
  UINT flags = DT_SINGLELINE | DT_VCENTER | DrawTextAlignment(Alignment);
  if (Glass && GlassBitmap) {
    TBitmap bitmap(RoundI(layout.Width), RoundI(layout.Height));
    TCanvas* bc = bitmap.Canvas();
    if (GlassBackColor != clNone) {
      bc->Brush()->SetColor(GlassBackColor);
      bc->FillRect(TRect(0, 0, bitmap.Width(), bitmap.Height()));
    }
    bc->Font()->Assign(Font);
    bc->Font()->SetColor(job.TextColor);
    bc->Brush()->SetStyle(TBrushStyle::bsClear);
    TRect r(0, 0, bitmap.Width(), bitmap.Height());
    bc->TextRect(r, Text, flags);
    DrawGraphicGdip(&job.G, nullptr, TPoint{RoundI(layout.X) + 2, RoundI(layout.Y) + 1}, &bitmap, true);
  } else if (Glass) {
    job.G.SetSmoothingMode(SmoothingModeHighQuality);
    long double em = (Font->Size() + (DPIFactor == 1.0f ? 3 : 2)) * static_cast<long double>(DPIFactor);
    FillTextPath(&job.G, Text, job.Family.get(), 0, float(em), layout, &job.Format,
                 ColorToARGB(BlendColor(job.TextColor, clWhite, 60)));
    FillTextPath(&job.G, Text, job.Family.get(), 0, float(em), layout, &job.Format, ColorToARGB(job.TextColor));
  } else if (AntiAlias != TAntiAlias::aaNone) {
    job.G.DrawString(Text, -1, &job.Font, layout, &job.Format, &job.Brush);
  } else {
    Canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    TRect r(RoundI(layout.X), RoundI(layout.Y), RoundI(layout.X) + RoundI(layout.Width),
            RoundI(layout.Y) + RoundI(layout.Height));
    Canvas->TextRect(r, Text, flags);
  }
}

void DrawTextGdipDC(HDC DC, TAlignment Alignment, const TRect& R, const String& Text, TFont* Font, bool Enabled,
                    bool Draw, TAntiAlias AntiAlias, TColor GlowColor, bool Glass, TRect& Bounds) {
  Bounds = TRect(0, 0, 0, 0);
  if (Text.empty()) return;
  TTextJob job(DC, Alignment, R, Font, Enabled, Glass && Draw, AntiAlias);
  {
    HGDIOBJ old = SelectObject(DC, Font->Handle());
    Bounds = job.Measure(Text, AntiAlias, DC);
    SelectObject(DC, old);
  }
  if (!Draw) return;
  if (Glass) {
    job.G.SetSmoothingMode(SmoothingModeHighQuality);
    float em = float((Font->Size() + 2) * static_cast<long double>(DPIFactor));
    TGPRectF lower = job.Layout;
    lower.Y += 1;
    FillTextPath(&job.G, Text, job.Family.get(), 1, em, lower, &job.Format, ColorToARGB(DarkenColor(GlowColor, 35)));
    FillTextPath(&job.G, Text, job.Family.get(), 1, em, job.Layout, &job.Format, ColorToARGB(job.TextColor));
  } else {
    job.G.DrawString(Text, -1, &job.Font, job.Layout, &job.Format, &job.Brush);
  }
}

int GetTextWidthGdip(TCanvas* Canvas, const String& Text, TFont* Font, TAntiAlias AntiAlias) {
  TRect bounds;
  DrawTextGdipDC(Canvas->Handle(), TAlignment::taLeftJustify, TRect(0, 0, 1000, 100), Text, Font, true, false,
                 AntiAlias, clNone, false, bounds);
  return bounds.right - bounds.left;
}

// ---------------------------------------------------------------------------
// Appearances

void ClearGlowButtonAppearance(TGlowButtonAppearance* Appearance) {
  if (!Appearance) return;
  Appearance->SetBorderColor(clNone);
  Appearance->SetBorderColorHot(clNone);
  Appearance->SetBorderColorDown(clNone);
  Appearance->SetColor(clNone);
  Appearance->SetColorTo(clNone);
  Appearance->SetColorDown(clNone);
  Appearance->SetColorDownTo(clNone);
  Appearance->SetColorHot(clNone);
  Appearance->SetColorHotTo(clNone);
  Appearance->SetColorMirror(clNone);
  Appearance->SetColorMirrorTo(clNone);
  Appearance->SetColorMirrorHot(clNone);
  Appearance->SetColorMirrorHotTo(clNone);
  Appearance->SetColorMirrorDown(clNone);
  Appearance->SetColorMirrorDownTo(clNone);
  Appearance->SetColorDisabled(clNone);
  Appearance->SetColorDisabledTo(clNone);
}
