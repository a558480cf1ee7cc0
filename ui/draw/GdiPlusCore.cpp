// GDI+ start-up, the wrappers' memory, their constructors and destructors,
// and the operations that do more than forward one call.
#include <cstring>
#include <new>
#include <vector>

#include "ui/draw/GdiPlusNative.h"

using namespace Gdiplus::DllExports;

// ---------------------------------------------------------------------------
// Start-up

namespace {
GP::GdiplusStartupInput gInput;
GP::GdiplusStartupOutput gOutput;
ULONG_PTR gStartupToken = 0;
ULONG_PTR gHookToken = 0;
TGdiplusPlatform gPlatform;

int Startup(ULONG_PTR* Token) {
  if (gPlatform.Startup) return gPlatform.Startup(Token, &gInput, &gOutput);
  return GP::GdiplusStartup(Token, &gInput, &gOutput);
}

DWORD MajorVersion() {
  if (gPlatform.MajorVersion) return gPlatform.MajorVersion();
  OSVERSIONINFOW vi{};
  vi.dwOSVersionInfoSize = sizeof(vi);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExW(&vi);
#pragma GCC diagnostic pop
  return vi.dwMajorVersion;
}
}  // namespace

void SetGdiplusPlatform(const TGdiplusPlatform& Platform) { gPlatform = Platform; }
ULONG_PTR GdiplusStartupToken() { return gStartupToken; }
ULONG_PTR GdiplusHookToken() { return gHookToken; }

void InitGdiplusUnit() {
  gInput.GdiplusVersion = 1;
  gInput.DebugEventCallback = nullptr;
  gInput.SuppressBackgroundThread = static_cast<BOOL>(-1);
  gInput.SuppressExternalCodecs = FALSE;
  gOutput.NotificationHook = nullptr;
  gOutput.NotificationUnhook = nullptr;
  Startup(&gStartupToken);  // a failure shows at the first allocation
  // Systems before Vista run GDI+'s background work through the hook.
  if (MajorVersion() <= 5 && gOutput.NotificationHook) gOutput.NotificationHook(&gHookToken);
}

void FiniGdiplusUnit() {
  if (MajorVersion() <= 5 && gOutput.NotificationUnhook) gOutput.NotificationUnhook(gHookToken);
  if (gPlatform.Shutdown)
    gPlatform.Shutdown(gStartupToken);
  else
    GP::GdiplusShutdown(gStartupToken);
}

void* TGdiplusBase::operator new(size_t Size) {
  auto alloc = [](size_t n) { return gPlatform.Alloc ? gPlatform.Alloc(n) : GdipAlloc(n); };
  void* block = alloc(Size);
  if (!block) {
    // GDI+ is not running (an object made before the unit start or after
    // its end): start it once more and ask again.
    Startup(&gStartupToken);
    block = alloc(Size);
  }
  if (!block) throw std::bad_alloc();
  std::memset(block, 0, Size);
  return block;
}

void TGdiplusBase::operator delete(void* Block) {
  if (Block) GdipFree(Block);
}

// ---------------------------------------------------------------------------
// TGPGraphics

TGPGraphics::TGPGraphics(HDC hdc) {
  GP::GpGraphics* g = nullptr;
  lastResult = static_cast<Status>(GdipCreateFromHDC(hdc, &g));
  nativeGraphics = g;
}

TGPGraphics::TGPGraphics(TGPImage* image) {
  if (!image) return;
  GP::GpGraphics* g = nullptr;
  lastResult = static_cast<Status>(GdipGetImageGraphicsContext(GdipNative::Of(image), &g));
  nativeGraphics = g;
}

TGPGraphics::~TGPGraphics() {
  if (nativeGraphics) GdipDeleteGraphics(static_cast<GP::GpGraphics*>(nativeGraphics));
}

Status TGPGraphics::GetLastStatus() {
  Status s = lastResult;
  lastResult = Ok;
  return s;
}

Status TGPGraphics::DrawImageRect(TGPImage* image, const TGPRectF& ARect) {
  return DrawImage(image, static_cast<float>(Round(double(ARect.X))), static_cast<float>(Round(double(ARect.Y))),
                   static_cast<float>(Round(double(ARect.Width))), static_cast<float>(Round(double(ARect.Height))));
}

Status TGPGraphics::MeasureString(const String& string_, int length, TGPFont* font, const TGPRectF& layoutRect,
                                  TGPStringFormat* stringFormat, TGPRectF& boundingBox, int* codepointsFitted,
                                  int* linesFilled) {
  GP::RectF box;
  Status s = Keep(lastResult, GdipMeasureString(GdipNative::Of(this), string_.c_str(), GdipTextLength(string_, length),
                                                GdipNative::Of(font), reinterpret_cast<const GP::RectF*>(&layoutRect),
                                                GdipNative::Of(stringFormat), &box, codepointsFitted, linesFilled));
  boundingBox = TGPRectF{box.X, box.Y, box.Width, box.Height};
  return s;
}

Status TGPGraphics::MeasureString(const String& string_, int length, TGPFont* font, const TGPPointF& origin,
                                  TGPStringFormat* stringFormat, TGPRectF& boundingBox) {
  return MeasureString(string_, length, font, TGPRectF{origin.X, origin.Y, 0, 0}, stringFormat, boundingBox);
}

Status TGPGraphics::MeasureString(const String& string_, int length, TGPFont* font, const TGPRectF& layoutRect,
                                  TGPRectF& boundingBox) {
  return MeasureString(string_, length, font, layoutRect, nullptr, boundingBox);
}

Status TGPGraphics::DrawString(const String& string_, int length, TGPFont* font, const TGPRectF& layoutRect,
                               TGPStringFormat* stringFormat, TGPBrush* brush) {
  std::vector<wchar_t> text(string_.size() + 1, L'\0');
  std::memcpy(text.data(), string_.data(), string_.size() * sizeof(wchar_t));
  return Keep(lastResult, GdipDrawString(GdipNative::Of(this), text.data(), GdipTextLength(string_, length),
                                         GdipNative::Of(font), reinterpret_cast<const GP::RectF*>(&layoutRect),
                                         GdipNative::Of(stringFormat), GdipNative::Of(brush)));
}

Status TGPGraphics::DrawString(const AnsiString& string_, int length, TGPFont* font, const TGPRectF& layoutRect,
                               TGPStringFormat* stringFormat, TGPBrush* brush) {
  String wide = AnsiToWide(length < 0 ? string_ : string_.substr(0, static_cast<size_t>(length)));
  return DrawString(wide, length < 0 ? -1 : static_cast<int>(wide.size()), font, layoutRect, stringFormat, brush);
}

Status TGPGraphics::DrawString(const String& string_, int length, TGPFont* font, const TGPPointF& origin,
                               TGPStringFormat* stringFormat, TGPBrush* brush) {
  return DrawString(string_, length, font, TGPRectF{origin.X, origin.Y, 0, 0}, stringFormat, brush);
}

Status TGPGraphics::DrawString(const String& string_, int length, TGPFont* font, const TGPPointF& origin,
                               TGPBrush* brush) {
  return DrawString(string_, length, font, TGPRectF{origin.X, origin.Y, 0, 0}, nullptr, brush);
}

// ---------------------------------------------------------------------------
// Pens and brushes

TGPPen::TGPPen(ARGB color, float width) {
  GP::GpPen* p = nullptr;
  lastResult = static_cast<Status>(GdipCreatePen1(color, width, GP::UnitWorld, &p));
  nativePen = p;
}

TGPPen::TGPPen(TGPBrush* brush, float width) {
  GP::GpPen* p = nullptr;
  lastResult = static_cast<Status>(GdipCreatePen2(GdipNative::Of(brush), width, GP::UnitWorld, &p));
  nativePen = p;
}

TGPPen::~TGPPen() {
  if (nativePen) GdipDeletePen(static_cast<GP::GpPen*>(nativePen));
}

TGPBrush* TGPPen::GetBrush() {
  TGPBrush* brush = nullptr;
  switch (GetPenType()) {
    case 0: brush = new TGPSolidBrush(); break;
    case 1: brush = new TGPHatchBrush(); break;
    case 2: brush = new TGPTextureBrush(); break;
    case 3: brush = new TGPBrush(); break;
    case 4: brush = new TGPLinearGradientBrush(); break;
    default: return nullptr;
  }
  GP::GpBrush* native = nullptr;
  Keep(lastResult, GdipGetPenBrushFill(static_cast<GP::GpPen*>(nativePen), &native));
  brush->SetNativeBrush(native);
  return brush;
}

TGPBrush::~TGPBrush() {
  if (nativeBrush) GdipDeleteBrush(static_cast<GP::GpBrush*>(nativeBrush));
}

TGPSolidBrush::TGPSolidBrush(ARGB color) {
  GP::GpSolidFill* b = nullptr;
  lastResult = static_cast<Status>(GdipCreateSolidFill(color, &b));
  nativeBrush = b;
}

TGPHatchBrush::TGPHatchBrush(HatchStyle hatchStyle, ARGB foreColor, ARGB backColor) {
  GP::GpHatch* b = nullptr;
  lastResult = static_cast<Status>(GdipCreateHatchBrush(static_cast<GP::HatchStyle>(hatchStyle), foreColor, backColor, &b));
  nativeBrush = b;
}

#define TEXTURE_CTOR(call)                                  \
  GP::GpTexture* b = nullptr;                               \
  lastResult = static_cast<Status>(call);                   \
  nativeBrush = b;

TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrapMode) {
  TEXTURE_CTOR(GdipCreateTexture(GdipNative::Of(image), static_cast<GP::WrapMode>(wrapMode), &b))
}
TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrapMode, const TGPRectF& r) {
  TEXTURE_CTOR(GdipCreateTexture2(GdipNative::Of(image), static_cast<GP::WrapMode>(wrapMode), r.X, r.Y, r.Width, r.Height, &b))
}
TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrapMode, const TGPRect& r) {
  TEXTURE_CTOR(GdipCreateTexture2I(GdipNative::Of(image), static_cast<GP::WrapMode>(wrapMode), r.X, r.Y, r.Width, r.Height, &b))
}
TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrapMode, float x, float y, float w, float h) {
  TEXTURE_CTOR(GdipCreateTexture2(GdipNative::Of(image), static_cast<GP::WrapMode>(wrapMode), x, y, w, h, &b))
}
TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrapMode, int x, int y, int w, int h) {
  TEXTURE_CTOR(GdipCreateTexture2I(GdipNative::Of(image), static_cast<GP::WrapMode>(wrapMode), x, y, w, h, &b))
}
TGPTextureBrush::TGPTextureBrush(TGPImage* image, const TGPRectF& r, TGPImageAttributes* ia) {
  TEXTURE_CTOR(GdipCreateTextureIA(GdipNative::Of(image), GdipNative::Of(ia), r.X, r.Y, r.Width, r.Height, &b))
}
TGPTextureBrush::TGPTextureBrush(TGPImage* image, const TGPRect& r, TGPImageAttributes* ia) {
  TEXTURE_CTOR(GdipCreateTextureIAI(GdipNative::Of(image), GdipNative::Of(ia), r.X, r.Y, r.Width, r.Height, &b))
}
#undef TEXTURE_CTOR

TGPImage* TGPTextureBrush::GetImage() {
  GP::GpImage* image = nullptr;
  Keep(lastResult, GdipGetTextureImage(static_cast<GP::GpTexture*>(nativeBrush), &image));
  return new TGPImage(image, lastResult);
}

#define LINE_CTOR(call)                                     \
  GP::GpLineGradient* b = nullptr;                          \
  lastResult = static_cast<Status>(call);                   \
  nativeBrush = b;

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPointF& p1, const TGPPointF& p2, ARGB c1, ARGB c2) {
  LINE_CTOR(GdipCreateLineBrush(reinterpret_cast<const GP::GpPointF*>(&p1), reinterpret_cast<const GP::GpPointF*>(&p2),
                                c1, c2, GP::WrapModeTile, &b))
}
TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPPoint& p1, const TGPPoint& p2, ARGB c1, ARGB c2) {
  LINE_CTOR(GdipCreateLineBrushI(reinterpret_cast<const GP::GpPoint*>(&p1), reinterpret_cast<const GP::GpPoint*>(&p2),
                                 c1, c2, GP::WrapModeTile, &b))
}
TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& r, ARGB c1, ARGB c2, LinearGradientMode mode) {
  LINE_CTOR(GdipCreateLineBrushFromRect(reinterpret_cast<const GP::GpRectF*>(&r), c1, c2,
                                        static_cast<GP::LinearGradientMode>(mode), GP::WrapModeTile, &b))
}
TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& r, ARGB c1, ARGB c2, LinearGradientMode mode) {
  LINE_CTOR(GdipCreateLineBrushFromRectI(reinterpret_cast<const GP::GpRect*>(&r), c1, c2,
                                         static_cast<GP::LinearGradientMode>(mode), GP::WrapModeTile, &b))
}
TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& r, ARGB c1, ARGB c2, float angle, bool scalable) {
  LINE_CTOR(GdipCreateLineBrushFromRectWithAngle(reinterpret_cast<const GP::GpRectF*>(&r), c1, c2, angle, scalable,
                                                 GP::WrapModeTile, &b))
}
TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRect& r, ARGB c1, ARGB c2, float angle, bool scalable) {
  LINE_CTOR(GdipCreateLineBrushFromRectWithAngleI(reinterpret_cast<const GP::GpRect*>(&r), c1, c2, angle, scalable,
                                                  GP::WrapModeTile, &b))
}
#undef LINE_CTOR

Status TGPLinearGradientBrush::SetInterpolationColors(const ARGB* presetColors, const float* blendPositions,
                                                      int count) {
  if (count <= 0) return lastResult = InvalidParameter;
  return Keep(lastResult, GdipSetLinePresetBlend(static_cast<GP::GpLineGradient*>(nativeBrush), presetColors,
                                                 blendPositions, count));
}

TGPPathGradientBrush::TGPPathGradientBrush(TGPGraphicsPath* path) {
  GP::GpPathGradient* b = nullptr;
  lastResult = static_cast<Status>(GdipCreatePathGradientFromPath(GdipNative::Of(path), &b));
  nativeBrush = b;
}

Status TGPPathGradientBrush::SetCenterColor(ARGB color) {
  Keep(lastResult, GdipSetPathGradientCenterColor(static_cast<GP::GpPathGradient*>(nativeBrush), color));
  return lastResult;
}

Status TGPPathGradientBrush::GetCenterColor(ARGB& Color) {
  Keep(lastResult, GdipGetPathGradientCenterColor(static_cast<GP::GpPathGradient*>(nativeBrush), &Color));
  return lastResult;
}

Status TGPPathGradientBrush::GetSurroundColors(ARGB* colors, int& count) {
  if (!colors) return lastResult = InvalidParameter;
  auto* b = static_cast<GP::GpPathGradient*>(nativeBrush);
  INT n = 0;
  Keep(lastResult, GdipGetPathGradientSurroundColorCount(b, &n));
  if (lastResult != Ok) return lastResult;
  if (count < n || n <= 0) return lastResult = InsufficientBuffer;
  Keep(lastResult, GdipGetPathGradientSurroundColorsWithCount(b, colors, &n));
  if (lastResult == Ok) count = n;
  return lastResult;
}

Status TGPPathGradientBrush::SetSurroundColors(const ARGB* colors, int& count) {
  int points = GetPointCount();
  if (!colors || points <= 0 || count > points) return lastResult = InvalidParameter;
  INT n = count;
  Keep(lastResult, GdipSetPathGradientSurroundColorsWithCount(static_cast<GP::GpPathGradient*>(nativeBrush), colors, &n));
  if (lastResult == Ok) count = n;
  return lastResult;
}

Status TGPPathGradientBrush::SetInterpolationColors(const ARGB* presetColors, const float* blendPositions, int count) {
  if (!presetColors || count <= 0) return lastResult = InvalidParameter;
  return Keep(lastResult, GdipSetPathGradientPresetBlend(static_cast<GP::GpPathGradient*>(nativeBrush), presetColors,
                                                         blendPositions, count));
}

// ---------------------------------------------------------------------------
// Fonts and string formats

TGPFontFamily::TGPFontFamily(const String& name, TGPFontCollection* fontCollection) {
  GP::GpFontFamily* f = nullptr;
  lastResult = static_cast<Status>(GdipCreateFontFamilyFromName(name.c_str(), GdipNative::Of(fontCollection), &f));
  nativeFamily = f;
}

TGPFontFamily::TGPFontFamily(void* nativeOrig, Status status) : nativeFamily(nativeOrig), lastResult(status) {}

TGPFontFamily::~TGPFontFamily() {
  if (nativeFamily) GdipDeleteFontFamily(static_cast<GP::GpFontFamily*>(nativeFamily));
}

namespace {
TGPFontFamily* Generic(TGPFontFamily*& cache, GP::GpStatus(WINGDIPAPI* get)(GP::GpFontFamily**)) {
  if (!cache) {
    GP::GpFontFamily* f = nullptr;
    get(&f);
    cache = new TGPFontFamily(f, Ok);
  }
  return cache;
}
TGPFontFamily* gSansSerif = nullptr;
TGPFontFamily* gSerif = nullptr;
TGPFontFamily* gMonospace = nullptr;
}  // namespace

TGPFontFamily* TGPFontFamily::GenericSansSerif() { return Generic(gSansSerif, GdipGetGenericFontFamilySansSerif); }
TGPFontFamily* TGPFontFamily::GenericSerif() { return Generic(gSerif, GdipGetGenericFontFamilySerif); }
TGPFontFamily* TGPFontFamily::GenericMonospace() { return Generic(gMonospace, GdipGetGenericFontFamilyMonospace); }

TGPFont::TGPFont(TGPFontFamily* family, float emSize, int style, Unit_ unit_) {
  GP::GpFont* f = nullptr;
  lastResult = static_cast<Status>(GdipCreateFont(GdipNative::Of(family), emSize, style, static_cast<GP::Unit>(unit_), &f));
  nativeFont = f;
}

TGPFont::TGPFont(void* font, Status status) : nativeFont(font), lastResult(status) {}

TGPFont::TGPFont(const String& familyName, float emSize, TFontStyles style, Unit_ unit_,
                 TGPFontCollection* fontCollection) {
  int bits = (style.Contains(TFontStyle::fsBold) ? 1 : 0) | (style.Contains(TFontStyle::fsItalic) ? 2 : 0) |
             (style.Contains(TFontStyle::fsUnderline) ? 4 : 0) | (style.Contains(TFontStyle::fsStrikeOut) ? 8 : 0);
  auto* family = new TGPFontFamily(familyName, fontCollection);
  GP::GpFont* f = nullptr;
  lastResult = static_cast<Status>(GdipCreateFont(GdipNative::Of(family), emSize, bits, static_cast<GP::Unit>(unit_), &f));
  if (lastResult != Ok) {
    f = nullptr;
    lastResult = static_cast<Status>(GdipCreateFont(GdipNative::Of(TGPFontFamily::GenericSansSerif()), emSize, bits,
                                                    static_cast<GP::Unit>(unit_), &f));
  }
  nativeFont = f;
  delete family;
}

TGPFont::~TGPFont() {
  if (nativeFont) GdipDeleteFont(static_cast<GP::GpFont*>(nativeFont));
}

TGPStringFormat::TGPStringFormat(int formatFlags, LANGID language) {
  GP::GpStringFormat* f = nullptr;
  lastError = static_cast<Status>(GdipCreateStringFormat(formatFlags, language, &f));
  nativeFormat = f;
}

TGPStringFormat::TGPStringFormat(TGPStringFormat* format) {
  GP::GpStringFormat* f = nullptr;
  lastError = static_cast<Status>(GdipCloneStringFormat(GdipNative::Of(format), &f));
  nativeFormat = f;
}

TGPStringFormat::TGPStringFormat(void* clonedStringFormat, Status status)
    : nativeFormat(clonedStringFormat), lastError(status) {}

TGPStringFormat::~TGPStringFormat() {
  if (nativeFormat) GdipDeleteStringFormat(static_cast<GP::GpStringFormat*>(nativeFormat));
}

// ---------------------------------------------------------------------------
// Paths and regions

TGPGraphicsPath::TGPGraphicsPath(FillMode fillMode) {
  GP::GpPath* p = nullptr;
  lastResult = static_cast<Status>(GdipCreatePath(static_cast<GP::FillMode>(fillMode), &p));
  nativePath = p;
}

TGPGraphicsPath::TGPGraphicsPath(const TGPPointF* points, const BYTE* types, int count, FillMode fillMode) {
  GP::GpPath* p = nullptr;
  lastResult = static_cast<Status>(GdipCreatePath2(reinterpret_cast<const GP::GpPointF*>(points), types, count,
                                                   static_cast<GP::FillMode>(fillMode), &p));
  nativePath = p;
}

TGPGraphicsPath::~TGPGraphicsPath() {
  if (nativePath) GdipDeletePath(static_cast<GP::GpPath*>(nativePath));
}

Status TGPGraphicsPath::AddBezier(const TGPPoint& pt1, const TGPPoint& pt2, const TGPPoint& pt3, const TGPPoint& pt4) {
  return AddBezier(float(pt1.X), float(pt1.Y), float(pt2.X), float(pt2.Y), float(pt3.X), float(pt3.Y), float(pt4.X),
                   float(pt4.Y));
}

Status TGPGraphicsPath::AddBezier(const TGPPointF& pt1, const TGPPointF& pt2, const TGPPointF& pt3,
                                  const TGPPointF& pt4) {
  return AddBezier(pt1.X, pt1.Y, pt2.X, pt2.Y, pt3.X, pt3.Y, pt4.X, pt4.Y);
}

Status TGPGraphicsPath::AddString(const String& string_, int length, TGPFontFamily* family, int style, float emSize,
                                  const TGPPointF& origin, TGPStringFormat* format) {
  return AddString(string_, length, family, style, emSize, TGPRectF{origin.X, origin.Y, 0, 0}, format);
}

TGPRegion::TGPRegion(const TGPRectF& rect) {
  GP::GpRegion* r = nullptr;
  lastResult = static_cast<Status>(GdipCreateRegionRect(reinterpret_cast<const GP::GpRectF*>(&rect), &r));
  nativeRegion = r;
}

TGPRegion::TGPRegion(TGPGraphicsPath* path) {
  GP::GpRegion* r = nullptr;
  lastResult = static_cast<Status>(GdipCreateRegionPath(GdipNative::Of(path), &r));
  nativeRegion = r;
}

TGPRegion::~TGPRegion() {
  if (nativeRegion) GdipDeleteRegion(static_cast<GP::GpRegion*>(nativeRegion));
}

// ---------------------------------------------------------------------------
// TGPMatrix

TGPMatrix::TGPMatrix() {
  GP::GpMatrix* m = nullptr;
  lastResult = static_cast<Status>(GdipCreateMatrix(&m));
  nativeMatrix = m;
}

TGPMatrix::TGPMatrix(float m11, float m12, float m21, float m22, float dx, float dy) {
  GP::GpMatrix* m = nullptr;
  lastResult = static_cast<Status>(GdipCreateMatrix2(m11, m12, m21, m22, dx, dy, &m));
  nativeMatrix = m;
}

TGPMatrix::TGPMatrix(const TGPRectF& rect, const TGPPointF* dstplg) {
  GP::GpMatrix* m = nullptr;
  lastResult = static_cast<Status>(GdipCreateMatrix3(reinterpret_cast<const GP::GpRectF*>(&rect),
                                                     reinterpret_cast<const GP::GpPointF*>(dstplg), &m));
  nativeMatrix = m;
}

TGPMatrix::TGPMatrix(const TGPRect& rect, const TGPPoint* dstplg) {
  GP::GpMatrix* m = nullptr;
  lastResult = static_cast<Status>(GdipCreateMatrix3I(reinterpret_cast<const GP::GpRect*>(&rect),
                                                      reinterpret_cast<const GP::GpPoint*>(dstplg), &m));
  nativeMatrix = m;
}

TGPMatrix::~TGPMatrix() {
  if (nativeMatrix) GdipDeleteMatrix(static_cast<GP::GpMatrix*>(nativeMatrix));
}

TGPMatrix* TGPMatrix::Clone() {
  GP::GpMatrix* m = nullptr;
  Keep(lastResult, GdipCloneMatrix(static_cast<GP::GpMatrix*>(nativeMatrix), &m));
  if (lastResult != Ok) return nullptr;
  return new TGPMatrix(static_cast<void*>(m));
}

float TGPMatrix::OffsetX() {
  TMatrixArray m;
  return GetElements(m) == Ok ? m[4] : 0.0f;
}

float TGPMatrix::OffsetY() {
  TMatrixArray m;
  return GetElements(m) == Ok ? m[5] : 0.0f;
}

Status TGPMatrix::Reset() { return SetElements(1, 0, 0, 1, 0, 0); }

Status TGPMatrix::RotateAt(float angle, const TGPPointF& center, MatrixOrder order) {
  if (order == MatrixOrderAppend) {
    Translate(-center.X, -center.Y, order);
    Rotate(angle, order);
    return Translate(center.X, center.Y, order);
  }
  Translate(center.X, center.Y, order);
  Rotate(angle, order);
  return Translate(-center.X, -center.Y, order);
}

Status TGPMatrix::GetLastStatus() {
  Status s = lastResult;
  lastResult = Ok;
  return s;
}

// ---------------------------------------------------------------------------
// Images

TGPImage::TGPImage(const String& filename, bool useEmbeddedColorManagement) {
  GP::GpImage* i = nullptr;
  lastResult = static_cast<Status>(useEmbeddedColorManagement ? GdipLoadImageFromFileICM(filename.c_str(), &i)
                                                              : GdipLoadImageFromFile(filename.c_str(), &i));
  nativeImage = i;
}

TGPImage::TGPImage(IStream* stream, bool useEmbeddedColorManagement) {
  GP::GpImage* i = nullptr;
  lastResult = static_cast<Status>(useEmbeddedColorManagement ? GdipLoadImageFromStreamICM(stream, &i)
                                                              : GdipLoadImageFromStream(stream, &i));
  nativeImage = i;
}

TGPImage::~TGPImage() {
  if (nativeImage) GdipDisposeImage(static_cast<GP::GpImage*>(nativeImage));
}

UINT TGPImage::GetWidth() {
  UINT w = 0;
  if (Keep(lastResult, GdipGetImageWidth(static_cast<GP::GpImage*>(nativeImage), &w)) != Ok) return 0;
  return w;
}

UINT TGPImage::GetHeight() {
  UINT h = 0;
  if (Keep(lastResult, GdipGetImageHeight(static_cast<GP::GpImage*>(nativeImage), &h)) != Ok) return 0;
  return h;
}

int TGPImage::GetPixelDepth() { return (GetPixelFormat() >> 8) & 0xFF; }
bool TGPImage::HasAlphaChannel() { return (GetPixelFormat() & 0x40000) != 0; }
bool TGPImage::HasPalette() { return (GetPixelFormat() & 0x10000) != 0; }

TGPImageFormat TGPImage::GetFormat() {
  // GDI+'s published image-format identifiers differ in their first part
  // only: b96b3caa (MemoryBMP) up to b96b3cb5 (Icon).
  GUID g{};
  if (Keep(lastResult, GdipGetImageRawFormat(static_cast<GP::GpImage*>(nativeImage), &g)) != Ok) return ifUndefined;
  static const BYTE tail[8] = {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e};
  if (g.Data2 != 0x0728 || g.Data3 != 0x11d3 || std::memcmp(g.Data4, tail, 8) != 0) return ifUndefined;
  switch (g.Data1) {
    case 0xb96b3caa: return ifMemoryBMP;
    case 0xb96b3cab: return ifBMP;
    case 0xb96b3cac: return ifEMF;
    case 0xb96b3cad: return ifWMF;
    case 0xb96b3cae: return ifJPEG;
    case 0xb96b3caf: return ifPNG;
    case 0xb96b3cb0: return ifGIF;
    case 0xb96b3cb1: return ifTIFF;
    case 0xb96b3cb2: return ifEXIF;
    case 0xb96b3cb5: return ifIcon;
    default: return ifUndefined;
  }
}

TGPImage* TGPImage::GetThumbnailImage(UINT thumbWidth, UINT thumbHeight, void* callback, void* callbackData) {
  GP::GpImage* thumb = nullptr;
  Keep(lastResult, GdipGetImageThumbnail(static_cast<GP::GpImage*>(nativeImage), thumbWidth, thumbHeight, &thumb,
                                         reinterpret_cast<GP::GetThumbnailImageAbort>(callback), callbackData));
  return new TGPImage(thumb, lastResult);
}

Status TGPImage::SaveAdd(TGPImage* newImage, const EncoderParameters* encoderParams) {
  if (!newImage) return lastResult = InvalidParameter;
  return Keep(lastResult, GdipSaveAddImage(static_cast<GP::GpImage*>(nativeImage), GdipNative::Of(newImage),
                                           reinterpret_cast<const GP::EncoderParameters*>(encoderParams)));
}

TGPBitmap::TGPBitmap(IStream* stream, bool useEmbeddedColorManagement) {
  GP::GpBitmap* b = nullptr;
  lastResult = static_cast<Status>(useEmbeddedColorManagement ? GdipCreateBitmapFromStreamICM(stream, &b)
                                                              : GdipCreateBitmapFromStream(stream, &b));
  nativeImage = b;
}

TGPBitmap::TGPBitmap(int width, int height, int format) {
  GP::GpBitmap* b = nullptr;
  lastResult = static_cast<Status>(GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, &b));
  nativeImage = b;
}

TGPBitmap::TGPBitmap(void* nativeBitmap) { nativeImage = nativeBitmap; }

TGPBitmap* TGPBitmap::FromStream(IStream* stream, bool useEmbeddedColorManagement) {
  return new TGPBitmap(stream, useEmbeddedColorManagement);
}

TGPImageAttributes::TGPImageAttributes() {
  GP::GpImageAttributes* a = nullptr;
  lastResult = static_cast<Status>(GdipCreateImageAttributes(&a));
  nativeImageAttr = a;
}

TGPImageAttributes::~TGPImageAttributes() {
  if (nativeImageAttr) GdipDisposeImageAttributes(static_cast<GP::GpImageAttributes*>(nativeImageAttr));
}

TGPImageAttributes* TGPImageAttributes::Clone() {
  GP::GpImageAttributes* a = nullptr;
  Keep(lastResult, GdipCloneImageAttributes(static_cast<GP::GpImageAttributes*>(nativeImageAttr), &a));
  return new TGPImageAttributes(a, lastResult);
}

Status TGPImageAttributes::GetLastStatus() {
  Status s = lastResult;
  lastResult = Ok;
  return s;
}
