#include "ui/draw/KelStyle.h"

#include <cmath>
#include <limits>

#include "base/Graphics.h"

namespace {
TColor Darken(TColor Color, int Percent) {
  auto c = static_cast<uint32_t>(ColorToRGB(Color));
  TColor out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    int64_t v = Round(((c >> shift) & 0xFF) * (100.0 - Percent) / 100.0);
    out |= static_cast<TColor>(Min<int64_t>(v, 255) << shift);
  }
  return out;
}

bool (*gVistaSource)() = nullptr;
}  // namespace

void MetroColorTones(bool Light, TColor Color, TColor, TColorTones& Tones) {
  Tones.Background = {Light ? clWhite : clBlack, Color, Light ? clBlack : clWhite};
  Tones.Foreground = {0xC0C0C0, 0xC0C0C0, clBlack};
  Tones.Selected = {Color, Color, clWhite};
  TColor hover = Darken(Color, 20);
  Tones.Hover = {hover, hover, clWhite};
  Tones.Disabled = {0xC0C0C0, 0x808080, 0x808080};
}

void ClearColorTones(TColorTones& Tones) {
  for (TColorTone* t : {&Tones.Background, &Tones.Foreground, &Tones.Selected, &Tones.Hover, &Tones.Disabled})
    *t = {clNone, clNone, clNone};
}

bool ColorTonesEmpty(const TColorTones& Tones) {
  return Tones.Background.BrushColor == clNone && Tones.Background.BorderColor == clNone &&
         Tones.Background.TextColor == clNone;
}

bool IsVistaOrLater() {
  if (gVistaSource) return gVistaSource();
  HMODULE k = GetModuleHandleW(L"kernel32");
  return k && GetProcAddress(k, "GetLocaleInfoEx") != nullptr;
}

void SetIsVistaOrLaterSource(bool (*Source)()) { gVistaSource = Source; }

String GetSystemFontName() { return IsVistaOrLater() ? L"Segoe UI" : L"Tahoma"; }

void RGBToHSV(double Red, double Green, double Blue, double& Hue, double& Saturation, double& Value) {
  Value = Max(Red, Max(Green, Blue));
  double m = Min(Red, Min(Green, Blue));
  double delta = Value - m;
  Saturation = Value == 0 ? 0 : delta / Value;
  if (Saturation == 0) {
    Hue = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  if (Red == Value)
    Hue = (Green - Blue) * 60 / delta;
  else if (Green == Value)
    Hue = (Blue - Red) * 60 / delta + 120;
  else
    Hue = (Red - Green) * 60 / delta + 240;
  if (Hue < 0) Hue += 360;
}

void HSVtoRGB(double Hue, double Saturation, double Value, double& Red, double& Green, double& Blue) {
  if (Saturation == 0) {
    if (!std::isnan(Hue)) throw Exception(L"HSVtoRGB: S = 0 and H has a value");
    Red = Green = Blue = Value;
    return;
  }
  double h = Hue == 360 ? 0 : Hue;
  h /= 60;
  int i = static_cast<int>(Trunc(h));
  double f = h - i;
  double p = Value * (1 - Saturation);
  double q = Value * (1 - Saturation * f);
  double t = Value * (1 - Saturation * (1 - f));
  switch (i) {
    case 0: Red = Value, Green = t, Blue = p; break;
    case 1: Red = q, Green = Value, Blue = p; break;
    case 2: Red = p, Green = Value, Blue = t; break;
    case 3: Red = p, Green = q, Blue = Value; break;
    case 4: Red = t, Green = p, Blue = Value; break;
    case 5: Red = Value, Green = p, Blue = q; break;
    default: break;
  }
}

TColor ChangeColorBrightness(TColor Color, int Percent) {
  auto c = static_cast<uint32_t>(ColorToRGB(Color));
  // The bytes go in from the top down and come back the same way, so the
  // colour's own byte order is kept.
  double h, s, v;
  RGBToHSV((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF, h, s, v);
  if (v < 255) {
    v = v + v * Percent / 100;
    if (v > 255) v = 255;
  } else {
    s = s + s * Percent / 100;
    // Taking all the saturation away (-100 percent or more) leaves the grey
    // of that value, not a grey that still has a hue.
    if (s <= 0) {
      s = 0;
      h = std::numeric_limits<double>::quiet_NaN();
    }
  }
  double a = 0, b = 0, d = 0;
  HSVtoRGB(h, s, v, a, b, d);
  // Each channel within 0..255: a saturation pushed past 1 must not wrap a
  // channel round to a pale colour.
  auto channel = [](double x) { return static_cast<TColor>(Max<int64_t>(0, Min<int64_t>(255, Round(x)))); };
  return (channel(a) << 16) | (channel(b) << 8) | channel(d);
}
