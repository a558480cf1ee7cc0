// The pager's bitmaps, by their names ("ATBHELP_BTN", "OPTIONIND_PIC" ...):
// the help button, the expand and collapse sets, the MDI glyphs on scenic
// glass and the option indicator. Each lies on a key colour that fills its
// bottom-left pixel.
#pragma once

#include "base/Graphics.h"

class TGDIPPicture;

// Raises EResNotFound for a name that is not one of them.
void LoadRibbonBitmap(TBitmap* Bitmap, const String& Name);
// The bitmap handed to Picture as a bitmap stream.
void LoadRibbonPicture(TGDIPPicture* Picture, const String& Name);
