#include "ui/controls/buttons/GlowButtonHelpers.h"

#include <commctrl.h>

#include <memory>

#include "base/FileStreams.h"
#include "base/ImgList.h"
#include "ui/draw/GdiPlus.h"
#include "ui/draw/GdipPicture.h"
#include "base/PictureHeader.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"

namespace GlowButton {

namespace {
int gGlowInterval = 20;
bool gDrawSplitLineAlways = false;
}  // namespace

int GetGlowInterval() { return gGlowInterval; }
void SetGlowInterval(int Value) { gGlowInterval = Value; }
bool GetDrawSplitLineAlways() { return gDrawSplitLineAlways; }
void SetDrawSplitLineAlways(bool Value) { gDrawSplitLineAlways = Value; }
void ResetGlowButtonGlobals() {
  gGlowInterval = 20;
  gDrawSplitLineAlways = false;
}

void ReplaceImageList(TComponent* Client, TCustomImageList*& Field, TChangeLink* Link, TCustomImageList* Value) {
  if (Field) {
    Field->UnRegisterChanges(Link);
    Field->RemoveFreeNotification(Client);
  }
  Field = Value;
  if (Value) {
    Value->RegisterChanges(Link);
    Value->FreeNotification(Client);
  }
}

bool IsAccel(wchar_t Ch, const String& Text) {
  for (size_t i = 0; i + 1 < Text.size(); ++i) {
    if (Text[i] != L'&') continue;
    if (Text[i + 1] == L'&') {
      ++i;
      continue;
    }
    wchar_t a[2] = {Ch, 0}, b[2] = {Text[i + 1], 0};
    CharUpperW(a);
    CharUpperW(b);
    return a[0] == b[0];
  }
  return false;
}

namespace {
int Channel(TColor c, int shift) { return (static_cast<uint32_t>(c) >> shift) & 0xFF; }
TColor Pack(int r, int g, int b) { return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16)); }

int AdjustChannel(int c, int p) {
  if (c == 0) return Max(p, 0);
  return static_cast<int>(Round(static_cast<long double>(c) * Min(100 + p, 100) / 100.0L));
}
}  // namespace

TColor AdjustColorChannels(TColor Color, int PercentRed, int PercentGreen, int PercentBlue) {
  TColor c = ColorToRGB(Color);
  return Pack(AdjustChannel(Channel(c, 0), PercentRed), AdjustChannel(Channel(c, 8), PercentGreen),
              AdjustChannel(Channel(c, 16), PercentBlue));
}

TColor AdjustColor(TColor Color, int Percent) { return AdjustColorChannels(Color, Percent, Percent, Percent); }

TColor BlendColor(TColor C1, TColor C2, int Percent) {
  if (Percent >= 100) return C1;
  if (Percent <= 0) return C2;
  if (C1 == clNone) return C2;
  if (C2 == clNone) return C1;
  long double f = Percent / 100.0L;
  TColor a = ColorToRGB(C1), b = ColorToRGB(C2);
  auto mix = [&](int shift) {
    return static_cast<int>(Min<int64_t>(255, Round(f * Channel(a, shift) + (1 - f) * Channel(b, shift))));
  };
  return Pack(mix(0), mix(8), mix(16));
}

UINT GetHidePrefixFlag(TControl* Control) {
  if (!Control) return 0;
  while (Control->Parent()) Control = Control->Parent();
  LRESULT state = Control->Perform(WM_QUERYUISTATE, 0, 0);
  return (state & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0;
}

float GetDPIFactor() { return DPIFactor; }

int DropDownPartWidth() { return static_cast<int>(Round(static_cast<long double>(GetDPIFactor()) * 14.0L)); }

void DrawStepGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& R,
                      bool Horizontal) {
  if (Steps == 0) Steps = 1;
  TColor from = ColorToRGB(FromColor), to = ColorToRGB(ToColor);
  long double dr = (Channel(to, 0) - Channel(from, 0)) / static_cast<long double>(Steps);
  long double dg = (Channel(to, 8) - Channel(from, 8)) / static_cast<long double>(Steps);
  long double db = (Channel(to, 16) - Channel(from, 16)) / static_cast<long double>(Steps);
  long double band = (Horizontal ? R.Width() : R.Height()) / static_cast<long double>(Steps);
  for (int i = 0; i < Steps; ++i) {
    TColor c = Pack(Channel(from, 0) + static_cast<int>(Round(i * dr)), Channel(from, 8) + static_cast<int>(Round(i * dg)),
                    Channel(from, 16) + static_cast<int>(Round(i * db)));
    Canvas->Pen()->SetColor(c);
    Canvas->Brush()->SetColor(c);
    int offset = static_cast<int>(Round(i * band));
    int size = static_cast<int>(Round(band));
    if (Horizontal)
      Canvas->Rectangle(R.left + offset, R.top, R.left + offset + size + 1, R.bottom);
    else
      Canvas->Rectangle(R.left, R.top + offset, R.right, R.top + offset + size + 1);
  }
}

void StrokeRoundedPath(TGPGraphics* g, TGPPen* pen, float X, float Y, float W, float H, float r) {
  TGPGraphicsPath path;
  path.AddLine(X + r, Y, X + W - 2 * r, Y);
  path.AddArc(X + W - 2 * r, Y, 2 * r, 2 * r, 270, 90);
  path.AddLine(X + W, Y + r, X + W, Y + H - 2 * r);
  path.AddArc(X + W - 2 * r, Y + H - 2 * r, 2 * r, 2 * r, 0, 90);
  path.AddLine(X + W - 2 * r, Y + H, X + r, Y + H);
  path.AddArc(X, Y + H - 2 * r, 2 * r, 2 * r, 90, 90);
  path.AddLine(X, Y + H - 2 * r, X, Y + r);
  path.AddArc(X, Y, 2 * r, 2 * r, 180, 90);
  path.CloseFigure();
  g->DrawPath(pen, &path);
}

namespace {
void JointLine(TGPGraphics* g, TColor Color, float X, float Y1, float Y2) {
  TGPPen pen(ColorToARGB(Color), 1.0f);
  TGPGraphicsPath path;
  path.AddLine(X, Y1, X, Y2);
  g->DrawPath(&pen, &path);
}

// The left joint of a middle or right button.
void LeftJoint(TGPGraphics* g, TColor Color, int X, int Y, int H, bool HotOrChecked) {
  if (HotOrChecked)
    JointLine(g, AdjustColor(Color, -5), float(X), float(Y), float(Y + H));
  else
    JointLine(g, AdjustColor(0xFFFFFF, -10), float(X), float(Y + 2), float(Y + H - 2));
}
}  // namespace

void DrawRoundedOutline(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius) {
  TGPPen pen(ColorToARGB(Color), 1.0f);
  if (Radius > 0)
    StrokeRoundedPath(Graphics, &pen, float(X), float(Y), float(W), float(H), float(Radius));
  else
    Graphics->DrawRectangle(&pen, float(X), float(Y), float(W), float(H));
}

void DrawFocusDots(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius) {
  TGPPen pen(ColorToARGB(Color), 1.0f);
  pen.SetDashStyle(DashStyleDot);
  StrokeRoundedPath(Graphics, &pen, float(X), float(Y), float(W), float(H), float(Radius));
}

void DrawLeftButtonBorder(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius) {
  float x = float(X), y = float(Y), w = float(W), h = float(H), r = float(Radius);
  {
    TGPPen pen(ColorToARGB(Color), 1.0f);
    TGPGraphicsPath path;
    path.AddLine(x + w, y + h, x + r, y + h);
    path.AddArc(x, y + h - 2 * r, 2 * r, 2 * r, 90, 90);
    path.AddLine(x, y + h - 2 * r, x, y + r);
    path.AddArc(x, y, 2 * r, 2 * r, 180, 90);
    path.AddLine(x + r, y, x + w, y);
    Graphics->DrawPath(&pen, &path);
  }
  if (GetGlobalWin7ScenicRibbon())
    JointLine(Graphics, AdjustColor(Color, -5), x + w, y + 2, y + h - 2);
  else
    JointLine(Graphics, AdjustColor(Color, -5), x + w, y, y + h);
}

void DrawMiddleButtonBorder(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int /*Radius*/,
                            bool HotOrChecked) {
  float x = float(X), y = float(Y), w = float(W), h = float(H);
  {
    TGPPen pen(ColorToARGB(Color), 1.0f);
    TGPGraphicsPath bottom, top;
    bottom.AddLine(x - 1, y + h, x + w, y + h);
    Graphics->DrawPath(&pen, &bottom);
    top.AddLine(x - 1, y, x + w, y);
    Graphics->DrawPath(&pen, &top);
  }
  if (GetGlobalWin7ScenicRibbon())
    JointLine(Graphics, AdjustColor(Color, -5), x + w, y + 2, y + h - 2);
  else
    JointLine(Graphics, AdjustColor(Color, -5), x + w, y, y + h);
  LeftJoint(Graphics, Color, X, Y, H, HotOrChecked);
}

void DrawRightButtonBorder(TGPGraphics* Graphics, TColor Color, int X, int Y, int W, int H, int Radius,
                           bool HotOrChecked) {
  float x = float(X), y = float(Y), w = float(W), h = float(H), r = float(Radius);
  {
    TGPPen pen(ColorToARGB(Color), 1.0f);
    TGPGraphicsPath path;
    path.AddLine(x, y, x + w - 2 * r, y);
    path.AddArc(x + w - 2 * r, y, 2 * r, 2 * r, 270, 90);
    path.AddLine(x + w, y + r, x + w, y + h - 2 * r);
    path.AddArc(x + w - 2 * r, y + h - 2 * r, 2 * r, 2 * r, 0, 90);
    path.AddLine(x + w, y + h, x, y + h);
    Graphics->DrawPath(&pen, &path);
  }
  LeftJoint(Graphics, Color, X, Y, H, HotOrChecked);
}

void DrawDropDownArrow(TCanvas* Canvas, TPoint P, TColor Color, TDropDownDirection Direction) {
  int c = static_cast<int>(Round(static_cast<long double>(GetDPIFactor()) * 3.0L));
  P.x -= (c - 3) / 2;
  P.y -= (c - 3) / 2;
  Canvas->Pen()->SetColor(Color);
  for (int i = 0; i < c; ++i) {
    switch (Direction) {
      case TDropDownDirection::ddDown:
        Canvas->MoveTo(P.x + i, P.y + i);
        Canvas->LineTo(P.x + 2 * c - i - 1, P.y + i);
        break;
      case TDropDownDirection::ddRight:
        Canvas->MoveTo(P.x + i, P.y + i);
        Canvas->LineTo(P.x + i, P.y + 2 * c - i - 1);
        break;
      case TDropDownDirection::ddUp:
        Canvas->MoveTo(P.x + c - 1 - i, P.y + i);
        Canvas->LineTo(P.x + c + i, P.y + i);
        break;
    }
  }
}

void DrawGlassDropDownArrow(TCanvas* Canvas, TPoint P, TColor Color) {
  int c = static_cast<int>(Round(static_cast<long double>(GetDPIFactor()) * 3.0L));
  P.x += 3 - c;
  P.y += 3 - c;
  TGPGraphics g(Canvas->Handle());
  TGPGraphicsPath path;
  for (int i = 0; i < c; ++i)
    path.AddLine(float(P.x + i), float(P.y + i), float(P.x + 2 * c - i - 1), float(P.y + i));
  path.CloseFigure();
  TGPPen pen(ComposeArgb(200, static_cast<BYTE>(Color), static_cast<BYTE>(Color >> 8), static_cast<BYTE>(Color >> 16)),
             1.0f);
  g.DrawPath(&pen, &path);
}

// ---------------------------------------------------------------------------
// Pictures

namespace {
// The bytes of Stream as a GDI+ image; nullptr when the COM stream cannot be
// made or filled. No memory for it raises.
struct TTransferredImage {
  IStream* Stream = nullptr;
  std::unique_ptr<TGPImage> Image;
  ~TTransferredImage() {
    Image.reset();
    if (Stream) Stream->Release();
  }
};

bool TransferPicture(TMemoryStream* Data, TTransferredImage& Out, bool AsBitmap = false) {
  // No decoder sees data whose header does not fit it.
  TPictureHeader header;
  String error;
  if (!ReadPictureHeader(static_cast<const uint8_t*>(Data->Memory()), static_cast<size_t>(Data->Size()), header, error))
    return false;
  switch (CreateGlobalStream(Data->Memory(), static_cast<size_t>(Data->Size()), &Out.Stream)) {
    case TGlobalStreamResult::gsOk: break;
    case TGlobalStreamResult::gsNoMemory: throw Exception(L"Could not allocate memory for image");
    default: return false;
  }
  if (AsBitmap)
    Out.Image.reset(new TGPBitmap(Out.Stream));
  else
    Out.Image.reset(new TGPImage(Out.Stream));
  return Out.Image->GetLastStatus() == Ok;
}

// Draws the part (0, 0, W, H) of Image at (X, Y) in pixels, keying the
// bitmap's bottom-left pixel to transparent when Key.
void DrawCut(TGPGraphics* Graphics, TGPImage* Image, int X, int Y, int W, int H, bool Key) {
  std::unique_ptr<TGPImageAttributes> attr;
  if (Key) {
    ARGB px = 0;
    static_cast<TGPBitmap*>(Image)->GetPixel(0, static_cast<int>(Image->GetHeight()) - 1, px);
    px |= 0xFF000000u;
    attr.reset(new TGPImageAttributes);
    attr->SetColorKey(px, px);
  }
  Graphics->DrawImage(Image, TGPRectF{float(X), float(Y), float(W), float(H)}, 0, 0, float(W), float(H), UnitPixel,
                      attr.get());
}
}  // namespace

void DrawPictureInRect(TGPGraphics* Graphics, TCanvas* Canvas, const TRect& R, TGDIPPicture* Picture) {
  if (!Picture || Picture->Empty()) return;
  TMemoryStream data;
  Picture->SaveToStream(&data);
  TTransferredImage t;
  if (!TransferPicture(&data, t)) return;
  if (t.Image->GetFormat() == ifBMP) {
    TBitmap bmp;
    data.SetPosition(0);
    bmp.LoadFromStream(&data);
    bmp.SetTransparentMode(TTransparentMode::tmAuto);
    bmp.SetTransparent(true);
    Canvas->StretchDraw(R, &bmp);
  } else {
    Graphics->DrawImage(t.Image.get(), float(R.left), float(R.top), float(R.Width()), float(R.Height()));
  }
}

int ClampSize(int A, int B) { return (A > 0 && A < B) ? A : B; }

void DrawPictureAt(TGPGraphics* Graphics, TPoint P, TGDIPPicture* Picture, int MaxWidth, int MaxHeight) {
  if (!Picture || Picture->Empty()) return;
  TMemoryStream data;
  Picture->SaveToStream(&data);
  TTransferredImage t;
  if (!TransferPicture(&data, t, true)) return;
  int w = static_cast<int>(t.Image->GetWidth()), h = static_cast<int>(t.Image->GetHeight());
  // Cut to the maxima, never scaled.
  DrawCut(Graphics, t.Image.get(), P.x, P.y, ClampSize(MaxWidth, w), ClampSize(MaxHeight, h),
          t.Image->GetFormat() == ifBMP);
}

void DrawImageListGlyph(TGPGraphics* Graphics, TPoint P, TCustomImageList* Images, bool Enabled, int Index) {
  if (!Images || Index < 0 || !Graphics) return;
  TMemoryStream data;
  bool isIcon = false;
  if (Images->ColorDepth() == TColorDepth::cd32Bit) {
    Images->SetDrawingStyle(TDrawingStyle::dsTransparent);
    TIcon icon;
    if (Images->GetIcon(Index, &icon) && icon.Handle()) {
      icon.SaveToStream(&data);
      isIcon = true;
    }
  }
  if (!isIcon) {
    TBitmap bmp(Images->Width(), Images->Height(),
                Images->ColorDepth() == TColorDepth::cd32Bit ? TPixelFormat::pf32bit : TPixelFormat::pf24bit);
    if (Enabled)
      Images->Draw(bmp.Canvas(), 0, 0, Index, true);
    else
      DrawImageListSaturated(bmp.Canvas()->Handle(), Images, Index, 0, 0);
    bmp.SaveToStream(&data);
  }
  TTransferredImage t;
  if (!TransferPicture(&data, t, true)) return;
  int w = static_cast<int>(t.Image->GetWidth()), h = static_cast<int>(t.Image->GetHeight());
  DrawCut(Graphics, t.Image.get(), P.x, P.y, w, h, !isIcon);
}

void DrawImageListSaturated(HDC DC, TCustomImageList* Images, int Index, int X, int Y) {
  // The platform's record with its own size: a record of another size is
  // refused (or its state ignored) on 64-bit systems.
  IMAGELISTDRAWPARAMS p{};
  p.cbSize = sizeof(p);
  p.himl = Images->Handle();
  p.i = Index;
  p.hdcDst = DC;
  p.x = X;
  p.y = Y;
  // No background colour: the image's mask keeps what lies under it (a
  // zeroed record would fill the masked part black).
  p.rgbBk = CLR_NONE;
  p.rgbFg = CLR_DEFAULT;
  p.fStyle = ILD_TRANSPARENT;
  p.fState = ILS_SATURATE;
  ImageList_DrawIndirect(&p);
}

}  // namespace GlowButton

void GlowButton::PaintParentBackground(TControl* Control, HDC DC) {
  TWinControl* parent = Control->Parent();
  if (!parent) return;
  int saved = SaveDC(DC);
  OffsetWindowOrgEx(DC, Control->Left(), Control->Top(), nullptr);
  parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
  // A parent that paints itself paints its graphic children too; another
  // (a form, a plain container) only gives them.
  if (dynamic_cast<TCustomControl*>(parent))
    parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  else
    TWinCtrl::PaintCtrls(parent, DC, nullptr);
  RestoreDC(DC, saved);
}

void TWinCtrl::PaintCtrls(TWinControl* Control, HDC DC, TControl* First) {
  if (Control) Control->PaintControls(DC, First);
}
