// The update's pictures, drawn in code: the login dialog's banner and the
// wizard's billboard.
#pragma once

#include "base/Graphics.h"

// A blue band with a padlock and "Update server" in white.
void DrawLoginBanner(TBitmap* Bitmap, int Width, int Height);
// A tall picture of a box receiving a downward arrow on a soft gradient,
// with Title written across the bottom.
void DrawUpdateBillboard(TBitmap* Bitmap, int Width, int Height, const String& Title);
