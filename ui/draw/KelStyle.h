// The style interface of the styled controls: the style enumeration, colour
// tones, the three interfaces a control answers to, and the colour
// routines they share.
#pragma once

#include "base/Object.h"

// The library's named looks, in this order (0 to 23).
enum class TKelStyle : uint8_t {
  tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic, tsOffice2007Luna,
  tsOffice2007Obsidian, tsWindowsXP, tsWhidbey, tsCustom, tsOffice2007Silver, tsWindowsVista, tsWindows7,
  tsTerminal, tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black, tsWindows8, tsOffice2013White,
  tsOffice2013LightGray, tsOffice2013Gray, tsWindows10, tsOffice2016White, tsOffice2016Gray, tsOffice2016Black
};

struct TColorTone {
  TColor BrushColor;
  TColor BorderColor;
  TColor TextColor;
};

struct TColorTones {
  TColorTone Background;
  TColorTone Foreground;
  TColorTone Selected;
  TColorTone Hover;
  TColorTone Disabled;
};
static_assert(sizeof(TColorTone) == 12 && sizeof(TColorTones) == 60);

// Interfaces, asked for with Supports(object, pointer).
class IKelStyle {
 public:
  static constexpr GUID IID = {0x11AC2DDC, 0xC087, 0x4298, {0xAB, 0x6E, 0xEA, 0x1B, 0x50, 0x17, 0x51, 0x1B}};
  virtual void SetComponentStyle(TKelStyle AStyle) = 0;

 protected:
  ~IKelStyle() = default;
};

class IKelStyleEx : public IKelStyle {
 public:
  static constexpr GUID IID = {0x037BA87F, 0x7CBD, 0x4FDD, {0x85, 0x4E, 0x2B, 0x3F, 0x0B, 0xCC, 0x06, 0xAE}};
  virtual void SetComponentStyleAndAppColor(TKelStyle AStyle, TColor AAppColor) = 0;

 protected:
  ~IKelStyleEx() = default;
};

class IKelTones {
 public:
  static constexpr GUID IID = {0x1F492643, 0x6699, 0x4F25, {0x8B, 0x34, 0x32, 0x33, 0xFA, 0x73, 0x50, 0x36}};
  virtual void SetColorTones(const TColorTones& ATones) = 0;

 protected:
  ~IKelTones() = default;
};

// Fills all fifteen colours of the flat look: light (white background) or
// dark, with Color for borders and selection and 20 % darker for hover.
// SecondColor is accepted and not read.
void MetroColorTones(bool Light, TColor Color, TColor SecondColor, TColorTones& Tones);
void ClearColorTones(TColorTones& Tones);
// True when the Background tone's three colours are all clNone.
bool ColorTonesEmpty(const TColorTones& Tones);

// Windows Vista or later: kernel32 exports GetLocaleInfoEx. Tests may
// replace the answer (nullptr restores the test).
bool IsVistaOrLater();
void SetIsVistaOrLaterSource(bool (*Source)());
// "Segoe UI" from Vista on, else "Tahoma".
String GetSystemFontName();

// The hexcone model, hue in degrees (NaN for greys), channels 0 to 255.
void RGBToHSV(double Red, double Green, double Blue, double& Hue, double& Saturation, double& Value);
// Raises Exception "HSVtoRGB: S = 0 and H has a value" for a grey with a hue.
void HSVtoRGB(double Hue, double Saturation, double Value, double& Red, double& Green, double& Blue);
// Brighter (or darker for a negative Percent) through HSV: the value grows,
// or for a full value the saturation. Each channel is kept in 0..255.
TColor ChangeColorBrightness(TColor Color, int Percent);
