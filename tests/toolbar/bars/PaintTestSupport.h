// Helpers of the toolbar painting tests: bitmaps of one colour, bitmap and
// colour comparison.
#pragma once

#include <memory>

#include "base/Graphics.h"

// A 32-bit W x H bitmap filled with Color.
std::unique_ptr<TBitmap> FilledBitmap(int W, int H, TColor Color);
// Every pixel of A equals the one of B (same size).
bool SameBitmaps(TBitmap* A, TBitmap* B);
// Each channel within Tolerance.
bool Near(TColor A, TColor B, int Tolerance = 3);
// The smallest rectangle holding every pixel of Bitmap that is not Background
// (empty when there is none).
TRect PaintedBox(TBitmap* Bitmap, TColor Background);
