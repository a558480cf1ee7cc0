#include "base/Graphics.h"

#include <atomic>
#include <cstring>

TColor ColorToRGB(TColor Color) {
  if (Color < 0) return static_cast<TColor>(GetSysColor(Color & 0xFF));
  return Color;
}

int ScreenPixelsPerInch() {
  static int ppi = [] {
    HDC dc = GetDC(nullptr);
    int v = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    return v > 0 ? v : 96;
  }();
  return ppi;
}

BYTE SystemFontQuality() {
  // Quality and tick of the last read, packed so that threads read both
  // at once.
  static std::atomic<uint64_t> last{0};
  const DWORD now = GetTickCount();
  uint64_t v = last.load(std::memory_order_relaxed);
  if (v != 0 && now - static_cast<DWORD>(v) <= 1000) return static_cast<BYTE>(v >> 32);
  BOOL on = FALSE;
  UINT type = 0;
  SystemParametersInfoW(SPI_GETFONTSMOOTHING, 0, &on, 0);
  SystemParametersInfoW(SPI_GETFONTSMOOTHINGTYPE, 0, &type, 0);
  const BYTE q = !on ? NONANTIALIASED_QUALITY
                     : (type == FE_FONTSMOOTHINGCLEARTYPE ? CLEARTYPE_QUALITY : ANTIALIASED_QUALITY);
  last.store((uint64_t(q) << 32) | now, std::memory_order_relaxed);
  return q;
}

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------
// TFont

TFont::TFont() : FName(L"Tahoma"), FPixelsPerInch(ScreenPixelsPerInch()) {
  FHeight = -MulDiv(8, FPixelsPerInch, 72);
}

TFont::~TFont() {
  if (FHandle) DeleteObject(FHandle);
}

void TFont::Modified() {
  if (FHandle) {
    DeleteObject(FHandle);
    FHandle = nullptr;
  }
  Changed();
}

void TFont::Assign(TPersistent* Source) {
  if (auto* f = dynamic_cast<TFont*>(Source)) {
    if (f == this) return;
    FName = f->FName;
    // The size in points is what carries over between resolutions.
    FHeight = f->FPixelsPerInch == FPixelsPerInch ? f->FHeight : -MulDiv(f->Size(), FPixelsPerInch, 72);
    FStyle = f->FStyle;
    FColor = f->FColor;
    FCharset = f->FCharset;
    FPitch = f->FPitch;
    FOrientation = f->FOrientation;
    FQuality = f->FQuality;
    Modified();
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TFont::SetName(const String& Value) {
  if (Value.empty() || Value == FName) return;
  FName = Value;
  Modified();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, FPixelsPerInch, 72)); }

void TFont::SetHeight(int Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  Modified();
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Modified();
}

void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();  // the colour is not part of the handle
}

void TFont::SetCharset(BYTE Value) {
  if (Value == FCharset) return;
  FCharset = Value;
  Modified();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == FPitch) return;
  FPitch = Value;
  Modified();
}

void TFont::SetOrientation(int Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  Modified();
}

void TFont::SetQuality(TFontQuality Value) {
  if (Value == FQuality) return;
  FQuality = Value;
  Modified();
}

LOGFONTW TFont::MakeLogFont() const {
  LOGFONTW lf{};
  lf.lfHeight = FHeight;
  lf.lfEscapement = FOrientation;
  lf.lfOrientation = FOrientation;
  lf.lfWeight = FStyle.Contains(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = FStyle.Contains(TFontStyle::fsItalic);
  lf.lfUnderline = FStyle.Contains(TFontStyle::fsUnderline);
  lf.lfStrikeOut = FStyle.Contains(TFontStyle::fsStrikeOut);
  lf.lfCharSet = FCharset;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  static const BYTE qualities[] = {DEFAULT_QUALITY,         DRAFT_QUALITY,          PROOF_QUALITY,
                                   NONANTIALIASED_QUALITY,  ANTIALIASED_QUALITY,    CLEARTYPE_QUALITY,
                                   CLEARTYPE_NATURAL_QUALITY};
  lf.lfQuality = qualities[static_cast<int>(FQuality)];
  lf.lfPitchAndFamily = FPitch == TFontPitch::fpFixed      ? FIXED_PITCH
                        : FPitch == TFontPitch::fpVariable ? VARIABLE_PITCH
                                                           : DEFAULT_PITCH;
  wcsncpy(lf.lfFaceName, FName.c_str(), LF_FACESIZE - 1);
  return lf;
}

HFONT TFont::Handle() {
  // The default quality is made the system's smoothing: the same look, and
  // selecting the font does not look the setting up again each time. A
  // changed setting makes the font anew.
  const bool byDefault = FQuality == TFontQuality::fqDefault;
  if (FHandle && byDefault && FHandleQuality != SystemFontQuality()) Modified();
  if (!FHandle) {
    LOGFONTW lf = MakeLogFont();
    if (byDefault) lf.lfQuality = SystemFontQuality();
    FHandleQuality = lf.lfQuality;
    FHandle = CreateFontIndirectW(&lf);
  }
  return FHandle;
}

void TFont::SetHandle(HFONT Value) {
  LOGFONTW lf{};
  if (!Value || !GetObjectW(Value, sizeof(lf), &lf)) return;
  FName = lf.lfFaceName;
  FHeight = lf.lfHeight;
  TFontStyles st;
  if (lf.lfWeight >= FW_BOLD) st.Include(TFontStyle::fsBold);
  if (lf.lfItalic) st.Include(TFontStyle::fsItalic);
  if (lf.lfUnderline) st.Include(TFontStyle::fsUnderline);
  if (lf.lfStrikeOut) st.Include(TFontStyle::fsStrikeOut);
  FStyle = st;
  FCharset = lf.lfCharSet;
  FOrientation = lf.lfOrientation;
  Modified();
}

// ---------------------------------------------------------------------------
// TPen and TBrush

TPen::~TPen() {
  if (FHandle) DeleteObject(FHandle);
}

void TPen::Modified() {
  if (FHandle) {
    DeleteObject(FHandle);
    FHandle = nullptr;
  }
  Changed();
}

void TPen::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TPen*>(Source)) {
    if (p == this) return;
    FColor = p->FColor;
    FWidth = p->FWidth;
    FStyle = p->FStyle;
    FMode = p->FMode;
    Modified();
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TPen::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Modified();
}

void TPen::SetWidth(int Value) {
  if (Value < 0 || Value == FWidth) return;
  FWidth = Value;
  Modified();
}

void TPen::SetStyle(TPenStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Modified();
}

void TPen::SetMode(TPenMode Value) {
  if (Value == FMode) return;
  FMode = Value;
  Changed();
}

HPEN TPen::Handle() {
  if (!FHandle) {
    static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    FHandle = CreatePen(styles[static_cast<int>(FStyle)], FWidth, static_cast<COLORREF>(ColorToRGB(FColor)));
  }
  return FHandle;
}

TBrush::~TBrush() {
  if (FHandle) DeleteObject(FHandle);
}

void TBrush::Modified() {
  if (FHandle) {
    DeleteObject(FHandle);
    FHandle = nullptr;
  }
  Changed();
}

void TBrush::Assign(TPersistent* Source) {
  if (auto* b = dynamic_cast<TBrush*>(Source)) {
    if (b == this) return;
    FColor = b->FColor;
    FStyle = b->FStyle;
    FBitmap = b->FBitmap;
    Modified();
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TBrush::SetColor(TColor Value) {
  if (Value == FColor && FStyle != TBrushStyle::bsClear) return;
  FColor = Value;
  if (FStyle == TBrushStyle::bsClear) FStyle = TBrushStyle::bsSolid;
  Modified();
}

void TBrush::SetBitmap(TBitmap* Value) {
  if (Value == FBitmap) return;
  FBitmap = Value;
  Modified();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Modified();
}

HBRUSH TBrush::Handle() {
  if (!FHandle && FBitmap && !FBitmap->Empty()) FHandle = CreatePatternBrush(FBitmap->Handle());
  if (!FHandle) {
    COLORREF c = static_cast<COLORREF>(ColorToRGB(FColor));
    switch (FStyle) {
      case TBrushStyle::bsSolid:
        FHandle = CreateSolidBrush(c);
        break;
      case TBrushStyle::bsClear:
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
      default: {
        static const int hatches[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
        FHandle = CreateHatchBrush(hatches[static_cast<int>(FStyle)], c);
      }
    }
  }
  return FHandle;
}

// ---------------------------------------------------------------------------
// TCanvas

TCanvas::TCanvas() : FFont(new TFont), FPen(new TPen), FBrush(new TBrush) {
  InitializeCriticalSection(&FLock);
  FFont->OnChange = [this](TObject*) {
    if (FSelected & rsFont) {
      SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
      FSelected &= ~rsFont;
    }
  };
  FPen->OnChange = [this](TObject*) {
    if (FSelected & rsPen) {
      SelectObject(FHandle, GetStockObject(BLACK_PEN));
      FSelected &= ~rsPen;
    }
  };
  FBrush->OnChange = [this](TObject*) {
    if (FSelected & rsBrush) {
      SelectObject(FHandle, GetStockObject(HOLLOW_BRUSH));
      FSelected &= ~rsBrush;
    }
  };
}

TCanvas::~TCanvas() {
  SetHandle(nullptr);
  FFont->Free();
  FPen->Free();
  FBrush->Free();
  DeleteCriticalSection(&FLock);
}

void TCanvas::DeselectHandles() {
  if (FHandle && FSelected) {
    if (FSelected & rsFont) SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
    if (FSelected & rsPen) SelectObject(FHandle, GetStockObject(BLACK_PEN));
    if (FSelected & rsBrush) SelectObject(FHandle, GetStockObject(HOLLOW_BRUSH));
  }
  FSelected = 0;
}

HDC TCanvas::Handle() {
  if (!FHandle) CreateHandle();
  return FHandle;
}

void TCanvas::SetHandle(HDC Value) {
  if (Value == FHandle) return;
  DeselectHandles();
  FHandle = Value;
}

void TCanvas::RequiredState(int Items) {
  if (!FHandle) CreateHandle();
  if (!FHandle) throw EInvalidOperation(L"Canvas does not allow drawing");
  if ((Items & rsFont) && !(FSelected & rsFont)) {
    SelectObject(FHandle, FFont->Handle());
    SetTextColor(FHandle, static_cast<COLORREF>(ColorToRGB(FFont->Color())));
    FSelected |= rsFont;
  }
  if ((Items & rsPen) && !(FSelected & rsPen)) {
    SelectObject(FHandle, FPen->Handle());
    static const int rops[] = {R2_BLACK,       R2_WHITE,       R2_NOP,        R2_NOT,     R2_COPYPEN, R2_NOTCOPYPEN,
                               R2_MERGEPENNOT, R2_MASKPENNOT,  R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN, R2_NOTMERGEPEN,
                               R2_MASKPEN,     R2_NOTMASKPEN,  R2_XORPEN,     R2_NOTXORPEN};
    SetROP2(FHandle, rops[static_cast<int>(FPen->Mode())]);
    FSelected |= rsPen;
  }
  if ((Items & rsBrush) && !(FSelected & rsBrush)) {
    SelectObject(FHandle, FBrush->Handle());
    FSelected |= rsBrush;
  }
  if (Items & (rsFont | rsBrush)) {
    // Text background follows the brush.
    if (FBrush->Style() == TBrushStyle::bsClear) {
      SetBkMode(FHandle, TRANSPARENT);
    } else {
      SetBkMode(FHandle, OPAQUE);
      SetBkColor(FHandle, static_cast<COLORREF>(ColorToRGB(FBrush->Color())));
    }
  }
  if (Items & rsFont) SetTextColor(FHandle, static_cast<COLORREF>(ColorToRGB(FFont->Color())));
}

void TCanvas::FillRect(const TRect& Rect) {
  RequiredState(rsHandle | rsBrush);
  if (FBrush->Style() != TBrushStyle::bsClear) ::FillRect(FHandle, &Rect, FBrush->Handle());
}

void TCanvas::FrameRect(const TRect& Rect) {
  RequiredState(rsHandle | rsBrush);
  ::FrameRect(FHandle, &Rect, FBrush->Handle());
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  RequiredState(rsHandle | rsPen | rsBrush);
  ::Rectangle(FHandle, X1, Y1, X2, Y2);
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  RequiredState(rsHandle | rsPen | rsBrush);
  ::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  RequiredState(rsHandle | rsPen | rsBrush);
  ::Ellipse(FHandle, X1, Y1, X2, Y2);
}

void TCanvas::MoveTo(int X, int Y) {
  RequiredState(rsHandle);
  ::MoveToEx(FHandle, X, Y, nullptr);
  FPenPos = TPoint(X, Y);
}

void TCanvas::LineTo(int X, int Y) {
  RequiredState(rsHandle | rsPen | rsBrush);
  ::LineTo(FHandle, X, Y);
  FPenPos = TPoint(X, Y);
}

void TCanvas::TextOut(int X, int Y, const String& Text) {
  RequiredState(rsHandle | rsFont | rsBrush);
  ::TextOutW(FHandle, X, Y, Text.c_str(), static_cast<int>(Text.size()));
  SIZE sz{};
  GetTextExtentPoint32W(FHandle, Text.c_str(), static_cast<int>(Text.size()), &sz);
  FPenPos = TPoint(X + sz.cx, Y);
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const String& Text) {
  RequiredState(rsHandle | rsFont | rsBrush);
  UINT options = ETO_CLIPPED;
  if (FBrush->Style() != TBrushStyle::bsClear) options |= ETO_OPAQUE;
  ::ExtTextOutW(FHandle, X, Y, options, &Rect, Text.c_str(), static_cast<UINT>(Text.size()), nullptr);
}

int TCanvas::TextRect(TRect& Rect, const String& Text, UINT Flags) {
  RequiredState(rsHandle | rsFont | rsBrush);
  return ::DrawTextW(FHandle, Text.c_str(), static_cast<int>(Text.size()), &Rect, Flags);
}

TSize TCanvas::TextExtent(const String& Text) {
  RequiredState(rsHandle | rsFont);
  SIZE sz{};
  ::GetTextExtentPoint32W(FHandle, Text.c_str(), static_cast<int>(Text.size()), &sz);
  return TSize(sz);
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  RequiredState(rsHandle);
  Graphic->Draw(this, Bounds(X, Y, Graphic->Width(), Graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  RequiredState(rsHandle);
  Graphic->Draw(this, Rect);
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
  RequiredState(rsHandle | rsBrush);
  ::DrawFocusRect(FHandle, &Rect);
}

TColor TCanvas::Pixels(int X, int Y) {
  RequiredState(rsHandle);
  COLORREF c = ::GetPixel(FHandle, X, Y);
  return c == CLR_INVALID ? clNone : static_cast<TColor>(c);
}

void TCanvas::SetPixels(int X, int Y, TColor Value) {
  RequiredState(rsHandle | rsPen | rsBrush);
  ::SetPixel(FHandle, X, Y, static_cast<COLORREF>(ColorToRGB(Value)));
}

TRect TCanvas::ClipRect() {
  RequiredState(rsHandle);
  RECT r{};
  ::GetClipBox(FHandle, &r);
  return TRect(r);
}

// ---------------------------------------------------------------------------
// TGraphic

void TGraphic::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Changed();
}

void TGraphic::Changed() {
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------
// TBitmap

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle() {
  if (FDC) return;
  FDC = CreateCompatibleDC(nullptr);
  if (FBitmap->FHandle) FOldBitmap = SelectObject(FDC, FBitmap->FHandle);
  SetHandle(FDC);
}

void TBitmapCanvas::FreeContext() {
  if (!FDC) return;
  SetHandle(nullptr);
  if (FOldBitmap) SelectObject(FDC, FOldBitmap);
  FOldBitmap = nullptr;
  DeleteDC(FDC);
  FDC = nullptr;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int AWidth, int AHeight, TPixelFormat Format) : FPixelFormat(Format) { SetSize(AWidth, AHeight); }

TBitmap::~TBitmap() {
  if (FCanvas) FCanvas->Free();
  FCanvas = nullptr;
  FreeImage();
}

void TBitmap::FreeImage() {
  if (FCanvas) FCanvas->FreeContext();
  if (FHandle) DeleteObject(FHandle);
  FHandle = nullptr;
  FBits = nullptr;
}

int TBitmap::BitCount() const {
  switch (FPixelFormat) {
    case TPixelFormat::pf1bit: return 1;
    case TPixelFormat::pf4bit: return 4;
    case TPixelFormat::pf8bit: return 8;
    case TPixelFormat::pf15bit:
    case TPixelFormat::pf16bit: return 16;
    case TPixelFormat::pf24bit: return 24;
    default: return 32;
  }
}

int TBitmap::RowBytes() const { return ((FWidth * BitCount() + 31) / 32) * 4; }

void TBitmap::Allocate(int AWidth, int AHeight, TPixelFormat Format, HDC CopyFrom, int CopyW, int CopyH) {
  HBITMAP handle = nullptr;
  void* bits = nullptr;
  FPixelFormat = Format;
  if (AWidth > 0 && AHeight > 0) {
    struct {
      BITMAPINFOHEADER h;
      RGBQUAD colors[256];
    } bi{};
    bi.h.biSize = sizeof(BITMAPINFOHEADER);
    bi.h.biWidth = AWidth;
    bi.h.biHeight = -AHeight;
    bi.h.biPlanes = 1;
    int bc = 32;
    FWidth = AWidth;  // BitCount depends only on the format
    bc = BitCount();
    bi.h.biBitCount = static_cast<WORD>(bc);
    bi.h.biCompression = BI_RGB;
    if (bc == 1) {
      bi.colors[1] = RGBQUAD{255, 255, 255, 0};
      bi.h.biClrUsed = 2;
    } else if (bc <= 8) {
      int n = 1 << bc;
      for (int i = 0; i < n; ++i) {
        BYTE v = static_cast<BYTE>(i * 255 / (n - 1));
        bi.colors[i] = RGBQUAD{v, v, v, 0};
      }
      bi.h.biClrUsed = static_cast<DWORD>(n);
    }
    handle = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!handle) throw EOutOfResources(L"Out of system resources");
    if (bc != 1) {
      // New pixels are white, as a fresh canvas is.
      std::memset(bits, 0xFF, static_cast<size_t>(((AWidth * bc + 31) / 32) * 4) * static_cast<size_t>(AHeight));
    }
    if (CopyFrom && CopyW > 0 && CopyH > 0) {
      HDC dc = CreateCompatibleDC(nullptr);
      HGDIOBJ old = SelectObject(dc, handle);
      BitBlt(dc, 0, 0, CopyW, CopyH, CopyFrom, 0, 0, SRCCOPY);
      SelectObject(dc, old);
      DeleteDC(dc);
    }
  }
  FHandle = handle;
  FBits = bits;
  FWidth = handle ? AWidth : 0;
  FHeight = handle ? AHeight : 0;
}

void TBitmap::SetSize(int AWidth, int AHeight) {
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  if (AWidth == FWidth && AHeight == FHeight && FHandle) return;
  if (AWidth == FWidth && AHeight == FHeight && !FHandle && (AWidth == 0 || AHeight == 0)) return;
  HBITMAP oldHandle = FHandle;
  int oldW = FWidth, oldH = FHeight;
  HDC oldDC = nullptr;
  HGDIOBJ prev = nullptr;
  if (FCanvas) FCanvas->FreeContext();
  if (oldHandle) {
    oldDC = CreateCompatibleDC(nullptr);
    prev = SelectObject(oldDC, oldHandle);
  }
  FHandle = nullptr;
  Allocate(AWidth, AHeight, FPixelFormat, oldDC, Min(oldW, AWidth), Min(oldH, AHeight));
  if (oldDC) {
    SelectObject(oldDC, prev);
    DeleteDC(oldDC);
    DeleteObject(oldHandle);
  }
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == FPixelFormat) return;
  if (Value == TPixelFormat::pfDevice || Value == TPixelFormat::pfCustom) Value = TPixelFormat::pf32bit;
  HBITMAP oldHandle = FHandle;
  int w = FWidth, h = FHeight;
  if (FCanvas) FCanvas->FreeContext();
  HDC oldDC = nullptr;
  HGDIOBJ prev = nullptr;
  if (oldHandle) {
    oldDC = CreateCompatibleDC(nullptr);
    prev = SelectObject(oldDC, oldHandle);
  }
  FHandle = nullptr;
  Allocate(w, h, Value, oldDC, w, h);
  FPixelFormat = Value;
  if (oldDC) {
    SelectObject(oldDC, prev);
    DeleteDC(oldDC);
    DeleteObject(oldHandle);
  }
  Changed();
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) FCanvas = new TBitmapCanvas(this);
  return FCanvas;
}

HBITMAP TBitmap::Handle() {
  GdiFlush();
  return FHandle;
}

void TBitmap::SetHandle(HBITMAP Value) {
  if (!Value) {
    FreeImage();
    FWidth = FHeight = 0;
    Changed();
    return;
  }
  BITMAP bm{};
  GetObjectW(Value, sizeof(bm), &bm);
  TPixelFormat fmt = bm.bmBitsPixel == 1 ? TPixelFormat::pf1bit
                     : bm.bmBitsPixel == 24 ? TPixelFormat::pf24bit
                                            : TPixelFormat::pf32bit;
  FreeImage();
  HDC src = CreateCompatibleDC(nullptr);
  HGDIOBJ prev = SelectObject(src, Value);
  Allocate(bm.bmWidth, bm.bmHeight, fmt, src, bm.bmWidth, bm.bmHeight);
  SelectObject(src, prev);
  DeleteDC(src);
  DeleteObject(Value);
  Changed();
}

void* TBitmap::ScanLine(int Y) {
  if (!FBits || Y < 0 || Y >= FHeight) return nullptr;
  GdiFlush();
  return static_cast<BYTE*>(FBits) + static_cast<size_t>(Y) * static_cast<size_t>(RowBytes());
}

void TBitmap::Assign(TPersistent* Source) {
  if (auto* b = dynamic_cast<TBitmap*>(Source)) {
    if (b == this) return;
    FreeImage();
    HDC src = nullptr;
    HGDIOBJ prev = nullptr;
    if (b->FHandle) {
      if (b->FCanvas) b->FCanvas->FreeContext();
      src = CreateCompatibleDC(nullptr);
      prev = SelectObject(src, b->FHandle);
    }
    Allocate(b->FWidth, b->FHeight, b->FPixelFormat, src, b->FWidth, b->FHeight);
    if (src) {
      SelectObject(src, prev);
      DeleteDC(src);
    }
    FTransparent = b->FTransparent;
    FTransparentColor = b->FTransparentColor;
    FTransparentMode = b->FTransparentMode;
    Changed();
    return;
  }
  TGraphic::Assign(Source);
}

TColor TBitmap::TransparentColor() {
  if (FTransparentMode == TTransparentMode::tmFixed && FTransparentColor != clDefault) return FTransparentColor;
  if (Empty()) return clDefault;
  // Automatic: white for a monochrome picture, whose black pixels are its
  // ink (drawn in the font colour); else the bottom-left pixel.
  if (Monochrome()) return clWhite;
  return Canvas()->Pixels(0, FHeight - 1) & 0xFFFFFF;
}

void TBitmap::SetTransparentColor(TColor Value) {
  if (Value == FTransparentColor) return;
  FTransparentColor = Value;
  if (Value == clDefault)
    FTransparentMode = TTransparentMode::tmAuto;
  else
    FTransparentMode = TTransparentMode::tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == FTransparentMode) return;
  if (Value == TTransparentMode::tmAuto) FTransparentColor = clDefault;
  FTransparentMode = Value;
  Changed();
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
  HDC dst = ACanvas->Handle();
  HDC src = Canvas()->Handle();
  if (FTransparent && Monochrome() && FBits) {
    // The pixels that are not the transparent colour take the canvas's font
    // colour; the picture's own palette would otherwise decide.
    GdiFlush();
    RGBQUAD pal[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    GetDIBColorTable(src, 0, 2, pal);
    COLORREF clear = static_cast<COLORREF>(TransparentColor() & 0xFFFFFF);
    COLORREF ink = static_cast<COLORREF>(ColorToRGB(ACanvas->Font()->Color()) & 0xFFFFFF);
    COLORREF key = ink == RGB(255, 0, 255) ? RGB(0, 255, 0) : RGB(255, 0, 255);
    auto dibValue = [](COLORREF c) { return static_cast<uint32_t>((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c)); };
    TBitmap tmp(FWidth, FHeight, TPixelFormat::pf32bit);
    for (int y = 0; y < FHeight; ++y) {
      auto* in = static_cast<const BYTE*>(ScanLine(y));
      auto* out = static_cast<uint32_t*>(tmp.ScanLine(y));
      for (int x = 0; x < FWidth; ++x) {
        const RGBQUAD& q = pal[(in[x >> 3] >> (7 - (x & 7))) & 1];
        COLORREF c = RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
        out[x] = dibValue(c == clear ? key : ink);
      }
    }
    TransparentBlt(dst, Rect.left, Rect.top, Rect.Width(), Rect.Height(), tmp.Canvas()->Handle(), 0, 0, FWidth, FHeight,
                   key);
  } else if (FTransparent) {
    UINT key = static_cast<UINT>(ColorToRGB(TransparentColor()));
    TransparentBlt(dst, Rect.left, Rect.top, Rect.Width(), Rect.Height(), src, 0, 0, FWidth, FHeight, key);
  } else if (Monochrome()) {
    // Monochrome pictures take the target's text and background colours.
    StretchBlt(dst, Rect.left, Rect.top, Rect.Width(), Rect.Height(), src, 0, 0, FWidth, FHeight, SRCCOPY);
  } else {
    int oldMode = SetStretchBltMode(dst, COLORONCOLOR);
    StretchBlt(dst, Rect.left, Rect.top, Rect.Width(), Rect.Height(), src, 0, 0, FWidth, FHeight, SRCCOPY);
    SetStretchBltMode(dst, oldMode);
  }
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const String& ResName) {
  HANDLE h = LoadImageW(Instance, ResName.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (!h) throw EResNotFound(L"Resource %s not found", {ResName});
  SetHandle(static_cast<HBITMAP>(h));
}

void TBitmap::LoadFromResourceID(HINSTANCE Instance, int ResID) {
  HANDLE h = LoadImageW(Instance, MAKEINTRESOURCEW(ResID), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (!h) throw EResNotFound(L"Resource %d not found", {ResID});
  SetHandle(static_cast<HBITMAP>(h));
}

// ---------------------------------------------------------------------------
// TIcon

TIcon::~TIcon() {
  if (FHandle) DestroyIcon(FHandle);
}

void TIcon::Assign(TPersistent* Source) {
  if (auto* i = dynamic_cast<TIcon*>(Source)) {
    if (i == this) return;
    SetHandle(i->FHandle ? CopyIcon(i->FHandle) : nullptr);
    return;
  }
  TGraphic::Assign(Source);
}

int TIcon::Width() const {
  if (FWidth) return FWidth;
  if (!FHandle) return 0;
  ICONINFO ii{};
  int w = GetSystemMetrics(SM_CXICON);
  if (GetIconInfo(FHandle, &ii)) {
    BITMAP bm{};
    if (ii.hbmColor && GetObjectW(ii.hbmColor, sizeof(bm), &bm)) w = bm.bmWidth;
    else if (ii.hbmMask && GetObjectW(ii.hbmMask, sizeof(bm), &bm)) w = bm.bmWidth;
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
    if (ii.hbmMask) DeleteObject(ii.hbmMask);
  }
  return w;
}

int TIcon::Height() const {
  if (FHeight) return FHeight;
  if (!FHandle) return 0;
  ICONINFO ii{};
  int h = GetSystemMetrics(SM_CYICON);
  if (GetIconInfo(FHandle, &ii)) {
    BITMAP bm{};
    if (ii.hbmColor && GetObjectW(ii.hbmColor, sizeof(bm), &bm)) h = bm.bmHeight;
    else if (ii.hbmMask && GetObjectW(ii.hbmMask, sizeof(bm), &bm)) h = bm.bmHeight / 2;
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
    if (ii.hbmMask) DeleteObject(ii.hbmMask);
  }
  return h;
}

void TIcon::SetHandle(HICON Value) {
  if (Value == FHandle) return;
  if (FHandle) DestroyIcon(FHandle);
  FHandle = Value;
  FWidth = FHeight = 0;
  Changed();
}

HICON TIcon::ReleaseHandle() {
  HICON h = FHandle;
  FHandle = nullptr;
  return h;
}

void TIcon::LoadFromResourceName(HINSTANCE Instance, const String& ResName) {
  HANDLE h = LoadImageW(Instance, ResName.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE);
  if (!h) throw EResNotFound(L"Resource %s not found", {ResName});
  SetHandle(static_cast<HICON>(h));
}

void TIcon::LoadFromResourceID(HINSTANCE Instance, int ResID) {
  HANDLE h = LoadImageW(Instance, MAKEINTRESOURCEW(ResID), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE);
  if (!h) throw EResNotFound(L"Resource %d not found", {ResID});
  SetHandle(static_cast<HICON>(h));
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (!FHandle) return;
  DrawIconEx(ACanvas->Handle(), Rect.left, Rect.top, FHandle, Rect.Width(), Rect.Height(), 0, nullptr, DI_NORMAL);
}
