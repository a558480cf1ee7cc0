// Small stateless routines of the HTML-subset engine: colour names and hex
// colours, stepped gradients, rotated fonts, system icons, printing of
// bitmaps, right-to-left drawing flags and text helpers.
#pragma once

#include <cstdint>

#include "base/BiDi.h"
#include "base/Graphics.h"

// The colour of a lower-case "cl" name ("clred", "clbtnface"...); 0 for any
// other text. The comparison is exact: callers lower-case first.
TColor ColorFromName(const String& Name);
// "#RRGGBB" as R + G * 256 + B * 65536; a pair shorter than two characters
// counts 0.
TColor ColorFromHex(const String& Text);
// Two upper-case hexadecimal digits as a byte; 0 for a text shorter than two.
uint8_t HexPairToByte(const String& Text);

// A gradient of Steps bands (0 counts as 1) from FromColor towards ToColor,
// left to right when Horizontal, else top to bottom; the bands overlap by up
// to a pixel. DrawGradientBands then outlines the rectangle in OutlineColor
// unless that is clNone.
void DrawSteppedGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect& R,
                         int Steps);
void DrawGradientBands(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, const TRect& R, int Steps,
                       TColor OutlineColor);

// Rotates the canvas font by Angle degrees counter-clockwise; the unrotated
// setting is kept in Kept for RestoreRotatedFont.
void SelectRotatedFont(TCanvas* Canvas, int Angle, int& Kept);
void RestoreRotatedFont(TCanvas* Canvas, int Kept);

// The system icon for Source: a whole number is an index into the system
// image list; another text names a file or folder (an existing one is asked
// for its own icon, a missing one gets the icon of its extension). Size
// receives the list's icon size. With Draw the icon is drawn at (X, Y); with
// Print it is drawn through a bitmap stretched by Scale.
void DrawSystemIcon(TCanvas* Canvas, int X, int Y, TSize& Size, double Scale, bool Print, bool Draw, bool Large,
                    const String& Source);
bool IsDirectory(const String& Path);
// True for a path beyond this machine's own disks: a network share
// ("\\server\share", "//server/share"), the device and raw namespaces
// ("\\.\", "\\?\"), a drive letter mapped to a share, or a DOS device name
// ("CON", "NUL", "COM1", "LPT1", "AUX", "PRN", with any extension, in any
// folder). Markup comes from outside, so its image sources never open such
// paths.
bool IsNetworkOrDevicePath(const String& Path);
// Copies the bitmap's device-independent bits stretched into R of the canvas.
void StretchBitmapToRect(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap);

// On a right-to-left locale: bdRightToLeft toggles right alignment and every
// mode but bdLeftToRight adds right-to-left reading. Elsewhere unchanged.
UINT BiDiDrawFlags(UINT Flags, TBiDiMode BiDiMode);

// Position (from 1) of Sub in Text after locale-aware upper-casing; 0 when
// absent.
int PosNoCase(const String& Sub, const String& Text);
// Case-sensitive position, also stored in Position.
int PosAt(const String& Sub, const String& Text, int& Position);
// Replaces the first occurrence of Find (ignoring case); true when it did.
bool ReplaceFirstNoCase(const String& Find, const String& Replacement, String& Text);
// Leading blanks, an optional sign, decimal digits or hexadecimal after "$"
// or "0x", up to the first other character; 0 when nothing reads. Values
// beyond the 32-bit range stop at its ends.
int StrToIntLoose(const String& Text);
