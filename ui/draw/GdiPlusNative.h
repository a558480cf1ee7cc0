// Private to the GDI+ wrapper's sources: the platform's GDI+ declarations
// and the access to each wrapper's native handle.
#pragma once

#include <objbase.h>
#include <propidl.h>

#include <gdiplus.h>

#include "ui/draw/GdiPlus.h"

namespace GP = Gdiplus;

// The status rule: a failure is kept, a success leaves the kept status.
inline Status Keep(Status& Field, GP::GpStatus Result) {
  auto s = static_cast<Status>(Result);
  if (s != Ok) Field = s;
  return s;
}

// The length a text call passes on: a length beyond the text would make
// GDI+ read past it, so it stops at the text's end (-1 stays: up to the end).
inline int GdipTextLength(const String& Text, int Length) {
  return Length > static_cast<int>(Text.size()) ? static_cast<int>(Text.size()) : Length;
}

struct GdipNative {
  static GP::GpGraphics* Of(const TGPGraphics* o) { return o ? static_cast<GP::GpGraphics*>(o->nativeGraphics) : nullptr; }
  static GP::GpPen* Of(const TGPPen* o) { return o ? static_cast<GP::GpPen*>(o->nativePen) : nullptr; }
  static GP::GpBrush* Of(const TGPBrush* o) { return o ? static_cast<GP::GpBrush*>(o->nativeBrush) : nullptr; }
  static GP::GpFontFamily* Of(const TGPFontFamily* o) { return o ? static_cast<GP::GpFontFamily*>(o->nativeFamily) : nullptr; }
  static GP::GpFont* Of(const TGPFont* o) { return o ? static_cast<GP::GpFont*>(o->nativeFont) : nullptr; }
  static GP::GpFontCollection* Of(const TGPFontCollection* o) {
    return o ? static_cast<GP::GpFontCollection*>(o->nativeFontCollection) : nullptr;
  }
  static GP::GpStringFormat* Of(const TGPStringFormat* o) {
    return o ? static_cast<GP::GpStringFormat*>(o->nativeFormat) : nullptr;
  }
  static GP::GpPath* Of(const TGPGraphicsPath* o) { return o ? static_cast<GP::GpPath*>(o->nativePath) : nullptr; }
  static GP::GpRegion* Of(const TGPRegion* o) { return o ? static_cast<GP::GpRegion*>(o->nativeRegion) : nullptr; }
  static GP::GpMatrix* Of(const TGPMatrix* o) { return o ? static_cast<GP::GpMatrix*>(o->nativeMatrix) : nullptr; }
  static GP::GpImage* Of(const TGPImage* o) { return o ? static_cast<GP::GpImage*>(o->nativeImage) : nullptr; }
  static GP::GpImageAttributes* Of(const TGPImageAttributes* o) {
    return o ? static_cast<GP::GpImageAttributes*>(o->nativeImageAttr) : nullptr;
  }
};
