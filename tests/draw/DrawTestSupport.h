// Helpers of the drawing tests: pictures of each file format made in
// memory, and pixel probes with a tolerance.
#pragma once

#include <string>

#include "base/Graphics.h"

// A PNG file of W x H pixels of one colour (0x00BBGGRR), written by hand.
std::string MakePng(int W, int H, TColor Color);
// A GIF file of one colour, written by hand (uncompressed LZW codes).
std::string MakeGif(int W, int H, TColor Color);
// A BMP file through TBitmap.
std::string MakeBmp(int W, int H, TColor Color);
// A picture of W x H pixels of one colour encoded by GDI+'s encoder for the
// MIME type ("image/jpeg", "image/gif", "image/tiff", "image/png",
// "image/bmp"); empty when there is no such encoder.
std::string EncodeWithGdiplus(const wchar_t* MimeType, int W, int H, TColor Color);
// An enhanced metafile, and a placeable Windows metafile (96 units to the
// inch), of a W x H rectangle of one colour.
std::string MakeEmf(int W, int H, TColor Color);
std::string MakePlaceableWmf(int W, int H, TColor Color);
// Channel-wise distance of two colours (the largest of the three).
int ColorDistance(TColor A, TColor B);
