// Colour conversion, record builders, the saving quality block, the shared
// drawing flags and the text additions of TGPGraphics.
#include "ui/draw/GdiPlusNative.h"

// Our enumerations carry GDI+'s numbers.
static_assert(PropertyNotSupported == static_cast<int>(GP::PropertyNotSupported));
static_assert(HatchStyleSolidDiamond == static_cast<int>(GP::HatchStyleSolidDiamond));
static_assert(HatchStyleTotal == 53 && Rotate270FlipX == static_cast<int>(GP::Rotate270FlipX));
static_assert(TextRenderingHintClearTypeGridFit == static_cast<int>(GP::TextRenderingHintClearTypeGridFit));
static_assert(ColorAdjustTypeAny == static_cast<int>(GP::ColorAdjustTypeAny));

// The records go to GDI+ as they are: their layout is the platform's.
static_assert(sizeof(TGPPointF) == sizeof(GP::PointF) && sizeof(TGPPoint) == sizeof(GP::Point));
static_assert(sizeof(TGPRectF) == sizeof(GP::RectF) && sizeof(TGPRect) == sizeof(GP::Rect));
static_assert(sizeof(EncoderParameter) == sizeof(GP::EncoderParameter));
static_assert(sizeof(EncoderParameters) == sizeof(GP::EncoderParameters));
static_assert(offsetof(EncoderParameters, Parameter) == offsetof(GP::EncoderParameters, Parameter));
static_assert(sizeof(ColorMatrix) == sizeof(GP::ColorMatrix) && sizeof(ColorMap) == sizeof(GP::ColorMap));

ARGB ComposeArgb(BYTE Alpha, BYTE Red, BYTE Green, BYTE Blue) {
  return (ARGB(Alpha) << 24) | (ARGB(Red) << 16) | (ARGB(Green) << 8) | ARGB(Blue);
}

ARGB OpaqueArgb(BYTE Red, BYTE Green, BYTE Blue) { return ComposeArgb(255, Red, Green, Blue); }

ARGB ArgbFromColor(BYTE Alpha, TColor Color) {
  auto c = static_cast<uint32_t>(ColorToRGB(Color));
  return ComposeArgb(Alpha, static_cast<BYTE>(c), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c >> 16));
}

ARGB OpaqueArgbFromColor(TColor Color) { return ArgbFromColor(255, Color); }

TGPPoint BuildPoint(int x, int y) { return TGPPoint{x, y}; }

TGPRectF BuildRectF(float x, float y, float width, float height) { return TGPRectF{x, y, width, height}; }

void BuildQualityParameters(int quality, EncoderParameters& Block, ULONG& Quality) {
  static const GUID kEncoderQuality = {0x1d5be4b5, 0xfa4a, 0x452d, {0x9c, 0xdd, 0x5d, 0xb3, 0x51, 0x05, 0xe7, 0xeb}};
  Quality = static_cast<ULONG>(quality < 0 ? 0 : quality > 100 ? 100 : quality);
  Block = EncoderParameters{};
  Block.Count = 1;
  Block.Parameter[0].Guid = kEncoderQuality;
  Block.Parameter[0].NumberOfValues = 1;
  Block.Parameter[0].Type = 4;  // 32-bit integers
  Block.Parameter[0].Value = &Quality;
}

namespace {
bool gWin7ScenicRibbon = false;
bool gIsWin8 = false;
bool gIsWin10 = false;
bool gTabGlass = false;
}  // namespace

void SetGlobalWin7ScenicRibbon(bool Value) { gWin7ScenicRibbon = Value; }
bool GetGlobalWin7ScenicRibbon() { return gWin7ScenicRibbon; }
void SetGlobalIsWin8(bool Value) { gIsWin8 = Value; }
bool GetGlobalIsWin8() { return gIsWin8; }
void SetGlobalIsWin10(bool Value) { gIsWin10 = Value; }
void SetGlobalTabGlass(bool Value) { gTabGlass = Value; }
bool GetGlobalTabGlass() { return gTabGlass; }
void ResetGlobalDrawingFlags() { gWin7ScenicRibbon = gIsWin8 = gIsWin10 = gTabGlass = false; }

// ---------------------------------------------------------------------------
// Text

TGPFont* TGPGraphics::MakeFont(TFont* AFont) {
  auto* family = new TGPFontFamily(AFont->Name());
  Status s = family->GetLastStatus();
  if (s == FontFamilyNotFound || s == FontStyleNotFound) {
    delete family;
    family = new TGPFontFamily(L"Arial");
  }
  TFontStyles st = AFont->Style();
  int style = (st.Contains(TFontStyle::fsBold) ? 1 : 0) | (st.Contains(TFontStyle::fsItalic) ? 2 : 0) |
              (st.Contains(TFontStyle::fsUnderline) ? 4 : 0) | (st.Contains(TFontStyle::fsStrikeOut) ? 8 : 0);
  auto* font = new TGPFont(family, static_cast<float>(AFont->Size()), style, UnitPoint);
  delete family;
  return font;
}

int TGPGraphics::TextWidth(const String& string_, TFont* font) {
  TGPFont* f = MakeFont(font);
  TGPRectF box{0, 0, 0, 0};
  MeasureString(string_, static_cast<int>(string_.size()), f, TGPRectF{0, 0, 10000, 10000}, box);
  delete f;
  return static_cast<int>(Round(double(box.Width)));
}

int TGPGraphics::TextHeight(const String& string_, TFont* font) {
  TGPFont* f = MakeFont(font);
  TGPRectF box{0, 0, 0, 0};
  MeasureString(string_, static_cast<int>(string_.size()), f, TGPRectF{0, 0, 10000, 10000}, box);
  delete f;
  return static_cast<int>(Round(double(box.Height)));
}

int TGPGraphics::DrawText(const String& string_, int len, TRect& rect, TFont* font, UINT style, TColor bkColor) {
  TGPFont* f = MakeFont(font);
  bool calc = (style & DT_CALCRECT) != 0;
  if (calc || bkColor != clNone) {
    // GDI+ measures a little wider than the text draws; bigger fonts more.
    int size = font->Size();
    int c = 2;
    if (size >= 9) c = 2 + static_cast<int>(Round((size - 8) / 1.5));
    // A trailing blank is not measured: stand an "i" in for it.
    String copy = string_;
    if (copy.size() > 1 && copy.back() == L' ') copy.back() = L'i';
    TGPRectF layout{float(rect.left), float(rect.top), float(rect.right - rect.left + 1000),
                    float(rect.bottom - rect.top)};
    TGPRectF box{0, 0, 0, 0};
    MeasureString(copy, len, f, layout, nullptr, box);
    rect.right = rect.left + static_cast<LONG>(Round(double(box.Width) - c));
    rect.bottom = rect.top + static_cast<LONG>(Round(double(box.Height)));
    if (bkColor != clNone) {
      TGPSolidBrush brush(OpaqueArgbFromColor(bkColor));
      FillRectangle(&brush, float(rect.left + 1), float(rect.top), box.Width - c + 1, box.Height);
    }
  }
  if (!calc) {
    TGPSolidBrush brush(OpaqueArgbFromColor(font->Color()));
    DrawString(string_, len, f, TGPPointF{float(rect.left), float(rect.top)}, &brush);
  }
  delete f;
  return rect.bottom - rect.top;
}
