// The GDI+ wrapper: one class per kind of GDI+ object, each owning one
// native object made through the flat API of gdiplus.dll, plus the records,
// enumerations, colour helpers and text additions that go with them.
//
// Status rule: every operation returns the status GDI+ gave it; a status
// other than Ok is also kept in the object (a later success does not clear
// it). Constructors keep the creating call's status. Nothing here raises for
// a GDI+ failure. Wrappers live in GDI+'s own memory and are freed with
// delete, as a rule within the paint call that made them.
#pragma once

#include <objidl.h>

#include <cstdint>

#include "base/Graphics.h"

// ---------------------------------------------------------------------------
// Enumerations, with GDI+'s own names and numbers

enum Status {
  Ok, GenericError, InvalidParameter, OutOfMemory, ObjectBusy, InsufficientBuffer, NotImplemented,
  Win32Error, WrongState, Aborted, FileNotFound, ValueOverflow, AccessDenied, UnknownImageFormat,
  FontFamilyNotFound, FontStyleNotFound, NotTrueTypeFont, UnsupportedGdiplusVersion, GdiplusNotInitialized,
  PropertyNotFound, PropertyNotSupported
};
enum FillMode { FillModeAlternate, FillModeWinding };
enum Unit_ { UnitWorld, UnitDisplay, UnitPixel, UnitPoint, UnitInch, UnitDocument, UnitMillimeter };
enum HatchStyle {
  HatchStyleHorizontal, HatchStyleVertical, HatchStyleForwardDiagonal, HatchStyleBackwardDiagonal, HatchStyleCross,
  HatchStyleDiagonalCross, HatchStyle05Percent, HatchStyle10Percent, HatchStyle20Percent, HatchStyle25Percent,
  HatchStyle30Percent, HatchStyle40Percent, HatchStyle50Percent, HatchStyle60Percent, HatchStyle70Percent,
  HatchStyle75Percent, HatchStyle80Percent, HatchStyle90Percent, HatchStyleLightDownwardDiagonal,
  HatchStyleLightUpwardDiagonal, HatchStyleDarkDownwardDiagonal, HatchStyleDarkUpwardDiagonal,
  HatchStyleWideDownwardDiagonal, HatchStyleWideUpwardDiagonal, HatchStyleLightVertical, HatchStyleLightHorizontal,
  HatchStyleNarrowVertical, HatchStyleNarrowHorizontal, HatchStyleDarkVertical, HatchStyleDarkHorizontal,
  HatchStyleDashedDownwardDiagonal, HatchStyleDashedUpwardDiagonal, HatchStyleDashedHorizontal,
  HatchStyleDashedVertical, HatchStyleSmallConfetti, HatchStyleLargeConfetti, HatchStyleZigZag, HatchStyleWave,
  HatchStyleDiagonalBrick, HatchStyleHorizontalBrick, HatchStyleWeave, HatchStylePlaid, HatchStyleDivot,
  HatchStyleDottedGrid, HatchStyleDottedDiamond, HatchStyleShingle, HatchStyleTrellis, HatchStyleSphere,
  HatchStyleSmallGrid, HatchStyleSmallCheckerBoard, HatchStyleLargeCheckerBoard, HatchStyleOutlinedDiamond,
  HatchStyleSolidDiamond, HatchStyleTotal
};
enum DashStyle { DashStyleSolid, DashStyleDash, DashStyleDot, DashStyleDashDot, DashStyleDashDotDot, DashStyleCustom };
enum WrapMode { WrapModeTile, WrapModeTileFlipX, WrapModeTileFlipY, WrapModeTileFlipXY, WrapModeClamp };
enum LinearGradientMode {
  LinearGradientModeHorizontal, LinearGradientModeVertical, LinearGradientModeForwardDiagonal,
  LinearGradientModeBackwardDiagonal
};
enum CombineMode {
  CombineModeReplace, CombineModeIntersect, CombineModeUnion, CombineModeXor, CombineModeExclude,
  CombineModeComplement
};
enum MatrixOrder { MatrixOrderPrepend, MatrixOrderAppend };
enum ColorMatrixFlags { ColorMatrixFlagsDefault, ColorMatrixFlagsSkipGrays, ColorMatrixFlagsAltGray };
enum ColorChannelFlags {
  ColorChannelFlagsC, ColorChannelFlagsM, ColorChannelFlagsY, ColorChannelFlagsK, ColorChannelFlagsLast
};
enum TextRenderingHint {
  TextRenderingHintSystemDefault, TextRenderingHintSingleBitPerPixelGridFit, TextRenderingHintSingleBitPerPixel,
  TextRenderingHintAntiAliasGridFit, TextRenderingHintAntiAlias, TextRenderingHintClearTypeGridFit
};
enum StringAlignment { StringAlignmentNear, StringAlignmentCenter, StringAlignmentFar };
enum StringTrimming {
  StringTrimmingNone, StringTrimmingCharacter, StringTrimmingWord, StringTrimmingEllipsisCharacter,
  StringTrimmingEllipsisWord, StringTrimmingEllipsisPath
};
enum HotkeyPrefix { HotkeyPrefixNone, HotkeyPrefixShow, HotkeyPrefixHide };
enum FlushIntention { FlushIntentionFlush, FlushIntentionSync };
enum RotateFlipType {
  RotateNoneFlipNone, Rotate90FlipNone, Rotate180FlipNone, Rotate270FlipNone, RotateNoneFlipX, Rotate90FlipX,
  Rotate180FlipX, Rotate270FlipX
};
enum ColorAdjustType {
  ColorAdjustTypeDefault, ColorAdjustTypeBitmap, ColorAdjustTypeBrush, ColorAdjustTypePen, ColorAdjustTypeText,
  ColorAdjustTypeCount, ColorAdjustTypeAny
};

// The library's own choices.
enum TGPImageFormat { ifUndefined, ifMemoryBMP, ifBMP, ifEMF, ifWMF, ifJPEG, ifPNG, ifGIF, ifTIFF, ifEXIF, ifIcon };
// Text smoothing of menus, buttons, toolbars and the status bar.
enum class TAntiAlias { aaNone, aaClearType, aaAntiAlias };

// Smoothing modes, pixel formats and string format flags travel as plain
// integers with GDI+'s values; the ones the controls use:
constexpr int SmoothingModeDefault = 0;
constexpr int SmoothingModeHighSpeed = 1;
constexpr int SmoothingModeHighQuality = 2;
constexpr int SmoothingModeNone = 3;
constexpr int SmoothingModeAntiAlias = 4;
#ifndef PixelFormat32bppARGB
#define PixelFormat24bppRGB 0x00021808
#define PixelFormat32bppRGB 0x00022009
#define PixelFormat32bppARGB 0x0026200A  // 2498570
#endif
constexpr int StringFormatFlagsNoWrap = 0x00001000;
constexpr int StringFormatFlagsNoClip = 0x00004000;
constexpr int StringFormatFlagsMeasureTrailingSpaces = 0x00000800;

// ---------------------------------------------------------------------------
// Value records, laid out as the flat API takes them

using ARGB = DWORD;  // 0xAARRGGBB
using PARGB = ARGB*;

struct TGPPointF { float X, Y; };
struct TGPPoint { int X, Y; };
struct TGPRectF { float X, Y, Width, Height; };
struct TGPRect { int X, Y, Width, Height; };
using TMatrixArray = float[6];  // m11, m12, m21, m22, dx, dy

struct EncoderParameter {
  GUID Guid;
  ULONG NumberOfValues;
  ULONG Type;
  void* Value;
};
struct EncoderParameters {
  UINT Count;
  EncoderParameter Parameter[1];
};
struct ColorMap {
  ARGB oldColor;
  ARGB newColor;
};
struct ColorMatrix {
  float m[5][5];
};
struct ColorPalette {
  UINT Flags;
  UINT Count;
  ARGB Entries[1];
};

// ---------------------------------------------------------------------------
// Start-up

// The unit's start and end (in the program's unit table): GDI+ runs from
// one to the other.
void InitGdiplusUnit();
void FiniGdiplusUnit();

// What the unit asks of the platform; tests replace parts of it (nullptr
// members keep the real call).
struct TGdiplusPlatform {
  // GdiplusStartup(token, input, output) and GdiplusShutdown(token).
  int(WINAPI* Startup)(ULONG_PTR* Token, const void* Input, void* Output) = nullptr;
  void(WINAPI* Shutdown)(ULONG_PTR Token) = nullptr;
  // The system's major version (GetVersionExW).
  DWORD (*MajorVersion)() = nullptr;
  // GdipAlloc; under wine it answers before GDI+ runs, so the on-demand
  // start is tested through this seam.
  void*(WINAPI* Alloc)(size_t Size) = nullptr;
};
void SetGdiplusPlatform(const TGdiplusPlatform& Platform);
// The tokens the unit holds: start-up token and notification-hook token.
ULONG_PTR GdiplusStartupToken();
ULONG_PTR GdiplusHookToken();

class TGdiplusBase {
 public:
  virtual ~TGdiplusBase() = default;
  // Instances live in GDI+'s memory; when GDI+ gives none (not running), it
  // is started again once and asked again.
  static void* operator new(size_t Size);
  static void operator delete(void* Block);

 protected:
  TGdiplusBase() = default;
  TGdiplusBase(const TGdiplusBase&) = delete;
  TGdiplusBase& operator=(const TGdiplusBase&) = delete;
};

class TGPGraphics;
class TGPPen;
class TGPBrush;
class TGPFontFamily;
class TGPFont;
class TGPFontCollection;
class TGPStringFormat;
class TGPGraphicsPath;
class TGPRegion;
class TGPMatrix;
class TGPImage;
class TGPBitmap;
class TGPImageAttributes;
struct GdipNative;

#include "ui/draw/GdiPlusForwarders.inc"

class TGPRegion : public TGdiplusBase {
 public:
  explicit TGPRegion(const TGPRectF& rect);
  explicit TGPRegion(TGPGraphicsPath* path);
  ~TGPRegion() override;
  GDIP_FORWARDERS_TGPRegion

 protected:
  friend struct GdipNative;
  void* nativeRegion = nullptr;
  Status lastResult = Ok;
};

class TGPFontCollection : public TGdiplusBase {
 public:
  TGPFontCollection() = default;

 protected:
  friend struct GdipNative;
  void* nativeFontCollection = nullptr;
  Status lastResult = Ok;
};

class TGPFontFamily : public TGdiplusBase {
 public:
  TGPFontFamily() = default;
  explicit TGPFontFamily(const String& name, TGPFontCollection* fontCollection = nullptr);
  TGPFontFamily(void* nativeOrig, Status status);
  ~TGPFontFamily() override;
  // One cached family per kind, made on first request and never freed.
  static TGPFontFamily* GenericSansSerif();
  static TGPFontFamily* GenericSerif();
  static TGPFontFamily* GenericMonospace();
  Status GetLastStatus() const { return lastResult; }

 protected:
  friend struct GdipNative;
  void* nativeFamily = nullptr;
  Status lastResult = Ok;
};

class TGPFont : public TGdiplusBase {
 public:
  TGPFont(TGPFontFamily* family, float emSize, int style = 0, Unit_ unit_ = UnitPoint);
  TGPFont(void* font, Status status);
  // In the named family, falling back to the generic sans-serif family.
  TGPFont(const String& familyName, float emSize, TFontStyles style = {}, Unit_ unit_ = UnitPoint,
          TGPFontCollection* fontCollection = nullptr);
  ~TGPFont() override;
  Status GetLastStatus() const { return lastResult; }

 protected:
  friend struct GdipNative;
  void* nativeFont = nullptr;
  Status lastResult = Ok;
};

class TGPStringFormat : public TGdiplusBase {
 public:
  explicit TGPStringFormat(int formatFlags = 0, LANGID language = LANG_NEUTRAL);
  // A clone of format (nil clones a nil handle and keeps GDI+'s failure).
  explicit TGPStringFormat(TGPStringFormat* format);
  TGPStringFormat(void* clonedStringFormat, Status status);
  ~TGPStringFormat() override;
  Status GetLastStatus() const { return lastError; }
  GDIP_FORWARDERS_TGPStringFormat

 protected:
  friend struct GdipNative;
  void* nativeFormat = nullptr;
  Status lastError = Ok;
};

class TGPMatrix : public TGdiplusBase {
 public:
  TGPMatrix();
  TGPMatrix(float m11, float m12, float m21, float m22, float dx, float dy);
  TGPMatrix(const TGPRectF& rect, const TGPPointF* dstplg);
  TGPMatrix(const TGPRect& rect, const TGPPoint* dstplg);
  ~TGPMatrix() override;
  // A new matrix with the same elements, or nullptr when cloning failed.
  TGPMatrix* Clone();
  float OffsetX();
  float OffsetY();
  Status Reset();
  Status RotateAt(float angle, const TGPPointF& center, MatrixOrder order = MatrixOrderPrepend);
  Status GetLastStatus();
  GDIP_FORWARDERS_TGPMatrix

 protected:
  friend struct GdipNative;
  explicit TGPMatrix(void* nativeMatrix_) : nativeMatrix(nativeMatrix_) {}
  void* nativeMatrix = nullptr;
  Status lastResult = Ok;
};

class TGPImageAttributes : public TGdiplusBase {
 public:
  TGPImageAttributes();
  ~TGPImageAttributes() override;
  TGPImageAttributes* Clone();
  Status GetLastStatus();
  GDIP_FORWARDERS_TGPImageAttributes

 protected:
  friend struct GdipNative;
  TGPImageAttributes(void* imageAttr, Status status) : nativeImageAttr(imageAttr), lastResult(status) {}
  void* nativeImageAttr = nullptr;
  Status lastResult = Ok;
};

class TGPImage : public TGdiplusBase {
 public:
  explicit TGPImage(const String& filename, bool useEmbeddedColorManagement = false);
  explicit TGPImage(IStream* stream, bool useEmbeddedColorManagement = false);
  TGPImage(void* nativeImage_, Status status) : nativeImage(nativeImage_), lastResult(status) {}
  ~TGPImage() override;
  // 0 when the image cannot be read.
  UINT GetWidth();
  UINT GetHeight();
  int GetPixelDepth();
  bool HasAlphaChannel();
  bool HasPalette();
  TGPImageFormat GetFormat();
  // A new image around the thumbnail, carrying this image's stored status.
  TGPImage* GetThumbnailImage(UINT thumbWidth, UINT thumbHeight, void* callback = nullptr,
                              void* callbackData = nullptr);
  Status SaveAdd(TGPImage* newImage, const EncoderParameters* encoderParams);
  Status GetLastStatus() const { return lastResult; }
  GDIP_FORWARDERS_TGPImage

 protected:
  friend struct GdipNative;
  TGPImage() = default;
  void* nativeImage = nullptr;
  Status lastResult = Ok;
};

class TGPBitmap : public TGPImage {
 public:
  explicit TGPBitmap(IStream* stream, bool useEmbeddedColorManagement = false);
  TGPBitmap(int width, int height, int format = PixelFormat32bppARGB);
  explicit TGPBitmap(void* nativeBitmap);
  static TGPBitmap* FromStream(IStream* stream, bool useEmbeddedColorManagement = false);
  GDIP_FORWARDERS_TGPBitmap
};

class TGPBrush : public TGdiplusBase {
 public:
  // No native object: the status reads NotImplemented.
  TGPBrush() : lastResult(NotImplemented) {}
  TGPBrush(void* nativeBrush_, Status status) : nativeBrush(nativeBrush_), lastResult(status) {}
  ~TGPBrush() override;
  Status GetLastStatus() const { return lastResult; }

 protected:
  friend struct GdipNative;
  friend class TGPPen;
  void SetNativeBrush(void* Value) { nativeBrush = Value; }
  void* nativeBrush = nullptr;
  Status lastResult = Ok;
};

class TGPSolidBrush : public TGPBrush {
 public:
  explicit TGPSolidBrush(ARGB color);
  TGPSolidBrush() : TGPBrush(nullptr, Ok) {}
};

class TGPHatchBrush : public TGPBrush {
 public:
  TGPHatchBrush(HatchStyle hatchStyle, ARGB foreColor, ARGB backColor = 0xFF000000);
  TGPHatchBrush() : TGPBrush(nullptr, Ok) {}
  GDIP_FORWARDERS_TGPHatchBrush
};

class TGPTextureBrush : public TGPBrush {
 public:
  TGPTextureBrush(TGPImage* image, WrapMode wrapMode = WrapModeTile);
  TGPTextureBrush(TGPImage* image, WrapMode wrapMode, const TGPRectF& dstRect);
  TGPTextureBrush(TGPImage* image, WrapMode wrapMode, const TGPRect& dstRect);
  TGPTextureBrush(TGPImage* image, WrapMode wrapMode, float dstX, float dstY, float dstWidth, float dstHeight);
  TGPTextureBrush(TGPImage* image, WrapMode wrapMode, int dstX, int dstY, int dstWidth, int dstHeight);
  TGPTextureBrush(TGPImage* image, const TGPRectF& dstRect, TGPImageAttributes* imageAttributes = nullptr);
  TGPTextureBrush(TGPImage* image, const TGPRect& dstRect, TGPImageAttributes* imageAttributes = nullptr);
  TGPTextureBrush() : TGPBrush(nullptr, Ok) {}
  // A new image around the brush's image, carrying the brush's status.
  TGPImage* GetImage();
  GDIP_FORWARDERS_TGPTextureBrush
};

class TGPLinearGradientBrush : public TGPBrush {
 public:
  // Every one tiles (WrapModeTile); color1 lies at the gradient's start.
  TGPLinearGradientBrush(const TGPPointF& point1, const TGPPointF& point2, ARGB color1, ARGB color2);
  TGPLinearGradientBrush(const TGPPoint& point1, const TGPPoint& point2, ARGB color1, ARGB color2);
  TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2, LinearGradientMode mode);
  TGPLinearGradientBrush(const TGPRect& rect, ARGB color1, ARGB color2, LinearGradientMode mode);
  TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2, float angle, bool isAngleScalable = false);
  TGPLinearGradientBrush(const TGPRect& rect, ARGB color1, ARGB color2, float angle, bool isAngleScalable = false);
  TGPLinearGradientBrush() : TGPBrush() {}
  // A count of 0 or less is InvalidParameter, without asking GDI+.
  Status SetInterpolationColors(const ARGB* presetColors, const float* blendPositions, int count);
  GDIP_FORWARDERS_TGPLinearGradientBrush
};

class TGPPathGradientBrush : public TGPBrush {
 public:
  explicit TGPPathGradientBrush(TGPGraphicsPath* path);
  // Both answer the brush's stored status after the call.
  Status SetCenterColor(ARGB color);
  Status GetCenterColor(ARGB& Color);
  // colors holds count entries; count receives the number fetched or used.
  Status GetSurroundColors(ARGB* colors, int& count);
  Status SetSurroundColors(const ARGB* colors, int& count);
  Status SetInterpolationColors(const ARGB* presetColors, const float* blendPositions, int count);
  GDIP_FORWARDERS_TGPPathGradientBrush
};

class TGPPen : public TGdiplusBase {
 public:
  TGPPen(ARGB color, float width = 1.0f);
  TGPPen(TGPBrush* brush, float width = 1.0f);
  ~TGPPen() override;
  // A new wrapper (the caller's) around the pen's brush; nullptr for an
  // unknown fill type.
  TGPBrush* GetBrush();
  Status GetLastStatus() const { return lastResult; }
  GDIP_FORWARDERS_TGPPen

 protected:
  friend struct GdipNative;
  void* nativePen = nullptr;
  Status lastResult = Ok;
};

class TGPGraphicsPath : public TGdiplusBase {
 public:
  explicit TGPGraphicsPath(FillMode fillMode = FillModeAlternate);
  TGPGraphicsPath(const TGPPointF* points, const BYTE* types, int count, FillMode fillMode = FillModeAlternate);
  explicit TGPGraphicsPath(void* nativePath_) : nativePath(nativePath_) {}
  ~TGPGraphicsPath() override;
  Status GetLastStatus() const { return lastResult; }
  Status AddBezier(const TGPPoint& pt1, const TGPPoint& pt2, const TGPPoint& pt3, const TGPPoint& pt4);
  Status AddBezier(const TGPPointF& pt1, const TGPPointF& pt2, const TGPPointF& pt3, const TGPPointF& pt4);
  Status AddString(const String& string_, int length, TGPFontFamily* family, int style, float emSize,
                   const TGPPointF& origin, TGPStringFormat* format);
  GDIP_FORWARDERS_TGPGraphicsPath

 protected:
  friend struct GdipNative;
  void* nativePath = nullptr;
  Status lastResult = Ok;
};

class TGPGraphics : public TGdiplusBase {
 public:
  explicit TGPGraphics(HDC hdc);
  // On an image; a nil image leaves the handle nil with status Ok.
  explicit TGPGraphics(TGPImage* image);
  static TGPGraphics* FromImage(TGPImage* image) { return new TGPGraphics(image); }
  ~TGPGraphics() override;
  Status GetLastStatus();

  Status DrawImage(TGPImage* image, const TGPRectF& rect) {
    return DrawImage(image, rect.X, rect.Y, rect.Width, rect.Height);
  }
  // Integers converted to floats.
  Status DrawImageRect(TGPImage* image, int x, int y, int w, int h) {
    return DrawImage(image, float(x), float(y), float(w), float(h));
  }
  // Each of the four values rounded to the nearest integer first.
  Status DrawImageRect(TGPImage* image, const TGPRectF& ARect);

  // length -1: up to the end of the text.
  Status MeasureString(const String& string_, int length, TGPFont* font, const TGPRectF& layoutRect,
                       TGPStringFormat* stringFormat, TGPRectF& boundingBox, int* codepointsFitted = nullptr,
                       int* linesFilled = nullptr);
  Status MeasureString(const String& string_, int length, TGPFont* font, const TGPPointF& origin,
                       TGPStringFormat* stringFormat, TGPRectF& boundingBox);
  Status MeasureString(const String& string_, int length, TGPFont* font, const TGPRectF& layoutRect,
                       TGPRectF& boundingBox);
  Status DrawString(const String& string_, int length, TGPFont* font, const TGPRectF& layoutRect,
                    TGPStringFormat* stringFormat, TGPBrush* brush);
  Status DrawString(const AnsiString& string_, int length, TGPFont* font, const TGPRectF& layoutRect,
                    TGPStringFormat* stringFormat, TGPBrush* brush);
  Status DrawString(const String& string_, int length, TGPFont* font, const TGPPointF& origin,
                    TGPStringFormat* stringFormat, TGPBrush* brush);
  Status DrawString(const String& string_, int length, TGPFont* font, const TGPPointF& origin, TGPBrush* brush);

  // Text drawing additions (ui/draw/GdiPlusText.cpp).
  // A GDI+ font for a platform font (face, points, style), falling back to
  // "Arial" for a face GDI+ does not know. The caller owns it.
  TGPFont* MakeFont(TFont* AFont);
  int TextWidth(const String& string_, TFont* font);
  int TextHeight(const String& string_, TFont* font);
  // Like the system's DrawText, rendered by GDI+: of Style only DT_CALCRECT
  // counts (measure only). Returns the height.
  int DrawText(const String& string_, int len, TRect& rect, TFont* font, UINT style, TColor bkColor);

  GDIP_FORWARDERS_TGPGraphics

 protected:
  friend struct GdipNative;
  void* nativeGraphics = nullptr;
  Status lastResult = Ok;
};

// ---------------------------------------------------------------------------
// Colours (stateless). System colours are resolved first where a rule says.

ARGB ComposeArgb(BYTE Alpha, BYTE Red, BYTE Green, BYTE Blue);
ARGB OpaqueArgb(BYTE Red, BYTE Green, BYTE Blue);
ARGB OpaqueArgbFromColor(TColor Color);
ARGB ArgbFromColor(BYTE Alpha, TColor Color);
inline BYTE ArgbAlpha(ARGB c) { return static_cast<BYTE>(c >> 24); }
inline BYTE ArgbRed(ARGB c) { return static_cast<BYTE>(c >> 16); }
inline BYTE ArgbGreen(ARGB c) { return static_cast<BYTE>(c >> 8); }
inline BYTE ArgbBlue(ARGB c) { return static_cast<BYTE>(c); }

TGPPoint BuildPoint(int x, int y);
TGPRectF BuildRectF(float x, float y, float width, float height);

// Fills Block for saving with a quality of 0..100 (clamped). Quality is
// where the value lives: keep it beside the block while the block is used.
void BuildQualityParameters(int quality, EncoderParameters& Block, ULONG& Quality);

// Drawing flags shared by the painters, all false at start.
void SetGlobalWin7ScenicRibbon(bool Value);
bool GetGlobalWin7ScenicRibbon();
void SetGlobalIsWin8(bool Value);
bool GetGlobalIsWin8();
void SetGlobalIsWin10(bool Value);
void SetGlobalTabGlass(bool Value);
bool GetGlobalTabGlass();
// Puts the four flags back to false (tests).
void ResetGlobalDrawingFlags();
