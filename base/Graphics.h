// GDI drawing objects: font, pen, brush, the canvas that draws with them,
// and the graphics (bitmap, icon) that a canvas can draw.
#pragma once

#include "base/Object.h"

// Resolves a system colour (0xFF0000nn) to its RGB value; others pass
// unchanged.
TColor ColorToRGB(TColor Color);

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = Set<TFontStyle>;
enum class TFontPitch { fpDefault, fpVariable, fpFixed };
enum class TFontQuality {
  fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType, fqClearTypeNatural
};
enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum class TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen,
  pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

// The screen's logical pixels per inch (LOGPIXELSY), read once.
int ScreenPixelsPerInch();
// The system's font smoothing as an explicit font quality (non-antialiased,
// antialiased or ClearType), read again at most once a second.
BYTE SystemFontQuality();

class TGraphicsObject : public TPersistent {
  VANTREL_CLASS(TGraphicsObject)
 public:
  TNotifyEvent OnChange;

 protected:
  virtual void Changed();
};

class TFont : public TGraphicsObject {
  VANTREL_CLASS(TFont)
 public:
  TFont();
  ~TFont() override;
  void Assign(TPersistent* Source) override;

  const String& Name() const { return FName; }
  void SetName(const String& Value);
  // Size in points; Height in pixels (negative: character height).
  int Size() const;
  void SetSize(int Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  BYTE Charset() const { return FCharset; }
  void SetCharset(BYTE Value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  // Tenths of a degree; escapement and orientation alike.
  int Orientation() const { return FOrientation; }
  void SetOrientation(int Value);
  TFontQuality Quality() const { return FQuality; }
  void SetQuality(TFontQuality Value);
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }

  HFONT Handle();
  // Takes the attributes of an existing font; the handle stays the caller's.
  void SetHandle(HFONT Value);
  LOGFONTW MakeLogFont() const;

 private:
  void Modified();
  String FName;
  int FHeight;
  TFontStyles FStyle;
  TColor FColor = clWindowText;
  BYTE FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = TFontPitch::fpDefault;
  int FOrientation = 0;
  TFontQuality FQuality = TFontQuality::fqDefault;
  int FPixelsPerInch;
  HFONT FHandle = nullptr;
  BYTE FHandleQuality = DEFAULT_QUALITY;  // the quality FHandle was made with
};

class TPen : public TGraphicsObject {
  VANTREL_CLASS(TPen)
 public:
  ~TPen() override;
  void Assign(TPersistent* Source) override;
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode Value);
  HPEN Handle();

 private:
  void Modified();
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = TPenStyle::psSolid;
  TPenMode FMode = TPenMode::pmCopy;
  HPEN FHandle = nullptr;
};

class TBitmap;

class TBrush : public TGraphicsObject {
  VANTREL_CLASS(TBrush)
 public:
  ~TBrush() override;
  void Assign(TPersistent* Source) override;
  TColor Color() const { return FColor; }
  // Setting a colour on a clear brush makes it solid.
  void SetColor(TColor Value);
  // bsClear keeps the colour.
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle Value);
  // A picture that the brush tiles instead of its colour; the brush refers
  // to it (nullptr: back to the colour).
  TBitmap* Bitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* Value);
  HBRUSH Handle();

 private:
  void Modified();
  TColor FColor = clWhite;
  TBrushStyle FStyle = TBrushStyle::bsSolid;
  TBitmap* FBitmap = nullptr;
  HBRUSH FHandle = nullptr;
};

class TGraphic;
class TStream;

class TCanvas : public TPersistent {
  VANTREL_CLASS(TCanvas)
 public:
  TCanvas();
  ~TCanvas() override;

  // The device context; canvases that own one make it on demand.
  HDC Handle();
  // Attaches a device context of someone else's (nullptr detaches); the font,
  // pen and brush are taken out of the old one first.
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  TFont* Font() { return FFont; }
  TPen* Pen() { return FPen; }
  TBrush* Brush() { return FBrush; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }

  void FillRect(const TRect& Rect);
  void FrameRect(const TRect& Rect);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& Rect) { Rectangle(Rect.left, Rect.top, Rect.right, Rect.bottom); }
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void MoveTo(int X, int Y);
  // Draws to (X, Y), end point excluded.
  void LineTo(int X, int Y);
  TPoint PenPos() const { return FPenPos; }
  void TextOut(int X, int Y, const String& Text);
  // Text clipped to Rect, starting at (X, Y).
  void TextRect(const TRect& Rect, int X, int Y, const String& Text);
  // Text laid out by DrawText with DT_ flags; with DT_CALCRECT Rect receives the size.
  int TextRect(TRect& Rect, const String& Text, UINT Flags);
  TSize TextExtent(const String& Text);
  int TextWidth(const String& Text) { return TextExtent(Text).cx; }
  int TextHeight(const String& Text) { return TextExtent(Text).cy; }
  void Draw(int X, int Y, TGraphic* Graphic);
  void StretchDraw(const TRect& Rect, TGraphic* Graphic);
  void DrawFocusRect(const TRect& Rect);
  TColor Pixels(int X, int Y);
  void SetPixels(int X, int Y, TColor Value);
  TRect ClipRect();

  // Serialises drawing from several threads.
  void Lock() { EnterCriticalSection(&FLock); }
  void Unlock() { LeaveCriticalSection(&FLock); }

 protected:
  // Called when Handle() finds none; canvases that own a DC create it here.
  virtual void CreateHandle() {}
  // Takes the font, pen and brush out of the DC (before it goes).
  void DeselectHandles();
  enum RequiredItem { rsHandle = 1, rsFont = 2, rsPen = 4, rsBrush = 8 };
  void RequiredState(int Items);

 private:
  HDC FHandle = nullptr;
  TFont* FFont;
  TPen* FPen;
  TBrush* FBrush;
  TPoint FPenPos;
  int FSelected = 0;
  CRITICAL_SECTION FLock;
};

enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum class TTransparentMode { tmAuto, tmFixed };

// A picture that can draw itself on a canvas.
class TGraphic : public TPersistent {
  VANTREL_CLASS(TGraphic)
 public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int Value) = 0;
  virtual void SetHeight(int Value) = 0;
  virtual bool Empty() const = 0;
  bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  TNotifyEvent OnChange;

  // The picture in its file format. The defaults raise EInvalidGraphic.
  virtual void LoadFromStream(TStream* Stream);
  virtual void SaveToStream(TStream* Stream);
  // Through a file stream (EFOpenError / EFCreateError naming the file).
  virtual void LoadFromFile(const String& FileName);
  virtual void SaveToFile(const String& FileName);
  // A new graphic of the same class holding a copy; nullptr for a class that
  // cannot copy itself.
  virtual TGraphic* Clone() const { return nullptr; }

 protected:
  friend class TCanvas;
  virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
  virtual void Changed();
  bool FTransparent = false;
};

class TBitmap;

class TBitmapCanvas : public TCanvas {
  VANTREL_CLASS(TBitmapCanvas)
 public:
  explicit TBitmapCanvas(TBitmap* Bitmap) : FBitmap(Bitmap) {}
  ~TBitmapCanvas() override;
  // Frees the memory DC; the next drawing makes it again.
  void FreeContext();

 protected:
  void CreateHandle() override;

 private:
  TBitmap* FBitmap;
  HDC FDC = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
};

// A device-independent bitmap (a DIB section, top-down rows).
class TBitmap : public TGraphic {
  VANTREL_CLASS(TBitmap)
 public:
  TBitmap();
  TBitmap(int AWidth, int AHeight, TPixelFormat Format = TPixelFormat::pf32bit);
  ~TBitmap() override;
  void Assign(TPersistent* Source) override;

  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  void SetWidth(int Value) override { SetSize(Value, FHeight); }
  void SetHeight(int Value) override { SetSize(FWidth, Value); }
  // Keeps the part of the old picture that still fits.
  void SetSize(int AWidth, int AHeight);
  bool Empty() const override { return FWidth == 0 || FHeight == 0; }
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat Value);
  bool Monochrome() const { return FPixelFormat == TPixelFormat::pf1bit; }

  TCanvas* Canvas();
  HBITMAP Handle();
  // Takes over a bitmap handle (any kind); the picture becomes a copy of it
  // and the handle is deleted.
  void SetHandle(HBITMAP Value);
  // Row Y of the pixels (top row 0); nullptr when empty.
  void* ScanLine(int Y);
  int RowBytes() const;

  TColor TransparentColor();
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);

  void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
  void LoadFromResourceID(HINSTANCE Instance, int ResID);
  // A BMP file: uncompressed 1, 4, 8, 16, 24 or 32 bits (or bit fields).
  // Saving writes the picture's own format, rows top-down.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  TGraphic* Clone() const override;

 protected:
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

 private:
  friend class TBitmapCanvas;
  void Allocate(int AWidth, int AHeight, TPixelFormat Format, HDC CopyFrom, int CopyW, int CopyH);
  void FreeImage();
  int BitCount() const;

  HBITMAP FHandle = nullptr;
  void* FBits = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  TPixelFormat FPixelFormat = TPixelFormat::pf32bit;
  TBitmapCanvas* FCanvas = nullptr;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = TTransparentMode::tmAuto;
};

class TIcon : public TGraphic {
  VANTREL_CLASS(TIcon)
 public:
  ~TIcon() override;
  void Assign(TPersistent* Source) override;
  int Width() const override;
  int Height() const override;
  void SetWidth(int Value) override { FWidth = Value; }
  void SetHeight(int Value) override { FHeight = Value; }
  bool Empty() const override { return FHandle == nullptr; }
  HICON Handle() const { return FHandle; }
  // Takes ownership of the icon.
  void SetHandle(HICON Value);
  // Gives the handle away; the icon becomes empty.
  HICON ReleaseHandle();
  void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
  void LoadFromResourceID(HINSTANCE Instance, int ResID);
  // An ICO file: loading takes the image nearest the system icon size;
  // saving writes one 32-bit image with its mask.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  TGraphic* Clone() const override;

 protected:
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

 private:
  HICON FHandle = nullptr;
  int FWidth = 0;
  int FHeight = 0;
};
