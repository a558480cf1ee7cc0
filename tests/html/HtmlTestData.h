// Picture bytes and files for the engine's tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/Graphics.h"

struct TGifFrame {
  int Delay;  // hundredths of a second
  int Left;
  int Top;
};

// A GIF of a W x H screen whose frames are one red pixel each at their
// position, each with a graphic control extension unless WithControl is
// false.
std::string GifBytes(int W, int H, const std::vector<TGifFrame>& Frames, bool WithControl = true);
// A BMP file of one colour; its bottom-left pixel (the colour that drawing
// makes transparent) may differ.
std::string BmpBytes(int W, int H, TColor Color, TColor BottomLeft = clNone);
// Writes the bytes to a file in the temporary folder; returns its path.
String TempFile(const String& Name, const std::string& Bytes);
// A bitmap filled white.
std::unique_ptr<TBitmap> WhiteBitmap(int W, int H);
