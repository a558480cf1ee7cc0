// Drawing routines of the status bar: gradients, one line of text through
// GDI+ or GDI with its ellipsis rules, path shortening, and the progress
// gauge of progress panels.
#pragma once

#include "base/Controls.h"
#include "ui/draw/GdiPlus.h"

namespace OfficeStatusBar {

// Steps bands (0 counts as 1) from FromColor to ToColor, left to right
// (Horizontal) or top to bottom; adjacent bands overlap by one pixel.
void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect& R, int Steps);
// A two-part gradient of 128 steps per part: Color to ColorTo, then
// ColorMirror to ColorMirrorTo (one gradient over all when ColorMirror is
// clNone); nothing when Background is off or Color is clNone. Then a frame
// in BorderColor unless that is clNone.
void DrawVistaGradient(TCanvas* Canvas, const TRect& R, TColor Color, TColor ColorTo, TColor ColorMirror,
                       TColor ColorMirrorTo, bool Vertical, TColor BorderColor, bool Background);
void FillColorRect(TCanvas* Canvas, const TRect& R, TColor Color);

// A vector font that the system lists (not a device font).
bool IsTrueTypeFont(TCanvas* Canvas);
// Removes the first folder of a folder part: "\a\b\" gives "\...\b\".
void CropFirstDirectory(String& Dir);
// Shortens a path from its first folder on ("C:\...\c\file.txt") until it
// fits MaxWidth or only the file name is left.
String ShortenPath(const String& Text, TCanvas* Canvas, int MaxWidth);

// One line of text in Rect. With an anti-aliased choice and a TrueType font
// through GDI+: regular style, vertically centred, aligned by Alignment,
// in the font's colour (grey when not Enabled), cut character by character
// until it fits, with "..." when Dots is on; DT_PATH_ELLIPSIS shortens a
// path first. Otherwise through DrawText with Format. Draw off measures
// only. TextRect receives the measured box ((0, 0, 0, 0) for no text).
void DrawGDIPText(TCanvas* Canvas, TAlignment Alignment, UINT Format, const TRect& Rect, const String& Text,
                  TFont* Font, bool Enabled, bool Draw, TAntiAlias AntiAlias, bool Dots, TRect& TextRect);

enum class TGaugeOrientation { goHorizontal, goVertical };

struct TGaugeSettings {
  TColor Level0Color, Level0ColorTo;
  TColor Level1Color, Level1ColorTo;
  TColor Level2Color, Level2ColorTo;
  TColor Level3Color, Level3ColorTo;
  int Level1Perc, Level2Perc;
  TColor BorderColor;
  bool ShowBorder, Stacked, ShowPercentage;
  TFont* Font;
  bool CompletionSmooth, ShowGradient;
  int Steps;
  int Position;
  TColor BackgroundColor;
  TGaugeOrientation Orientation;
  bool IsPercent;
  String Suffix, Prefix, Text;
};

// A horizontal progress gauge in R: background, optional frame, a bar in
// the colour of the level reached (or the levels side by side), in blocks
// or continuous, and the centred number or text. A bar never reaches past
// the gauge, whatever the percentage.
void DrawGauge(TCanvas* Canvas, TRect R, int Percent, const TGaugeSettings& Settings);

}  // namespace OfficeStatusBar
