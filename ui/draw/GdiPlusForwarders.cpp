// Written by tools/gen_gdiplus.py from its table: edit the table, not this file.
#include "ui/draw/GdiPlusNative.h"

using namespace Gdiplus::DllExports;

// TGPGraphics
Status TGPGraphics::Flush(FlushIntention intention) {
  return static_cast<Status>(GdipFlush(static_cast<GP::GpGraphics*>(nativeGraphics), (GP::FlushIntention)intention));
}
Status TGPGraphics::Clear(ARGB color) {
  return Keep(lastResult, GdipGraphicsClear(static_cast<GP::GpGraphics*>(nativeGraphics), color));
}
HDC TGPGraphics::GetHDC() {
  HDC r{};
  Keep(lastResult, GdipGetDC(static_cast<GP::GpGraphics*>(nativeGraphics), &r));
  return static_cast<HDC>(r);
}
Status TGPGraphics::ReleaseHDC(HDC hdc) {
  return Keep(lastResult, GdipReleaseDC(static_cast<GP::GpGraphics*>(nativeGraphics), hdc));
}
Status TGPGraphics::SetTextRenderingHint(TextRenderingHint newMode) {
  return Keep(lastResult, GdipSetTextRenderingHint(static_cast<GP::GpGraphics*>(nativeGraphics), (GP::TextRenderingHint)newMode));
}
TextRenderingHint TGPGraphics::GetTextRenderingHint() {
  GP::TextRenderingHint r{};
  Keep(lastResult, GdipGetTextRenderingHint(static_cast<GP::GpGraphics*>(nativeGraphics), &r));
  return static_cast<TextRenderingHint>(r);
}
Status TGPGraphics::SetSmoothingMode(int smoothingMode) {
  return Keep(lastResult, GdipSetSmoothingMode(static_cast<GP::GpGraphics*>(nativeGraphics), (GP::SmoothingMode)smoothingMode));
}
int TGPGraphics::GetSmoothingMode() {
  GP::SmoothingMode r{};
  Keep(lastResult, GdipGetSmoothingMode(static_cast<GP::GpGraphics*>(nativeGraphics), &r));
  return static_cast<int>(r);
}
Status TGPGraphics::SetCompositingQuality(int compositingQuality) {
  return Keep(lastResult, GdipSetCompositingQuality(static_cast<GP::GpGraphics*>(nativeGraphics), (GP::CompositingQuality)compositingQuality));
}
int TGPGraphics::GetCompositingQuality() {
  GP::CompositingQuality r{};
  Keep(lastResult, GdipGetCompositingQuality(static_cast<GP::GpGraphics*>(nativeGraphics), &r));
  return static_cast<int>(r);
}
Status TGPGraphics::SetTransform(TGPMatrix* matrix) {
  return Keep(lastResult, GdipSetWorldTransform(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(matrix)));
}
Status TGPGraphics::ResetTransform() {
  return Keep(lastResult, GdipResetWorldTransform(static_cast<GP::GpGraphics*>(nativeGraphics)));
}
Status TGPGraphics::MultiplyTransform(TGPMatrix* matrix, MatrixOrder order) {
  return Keep(lastResult, GdipMultiplyWorldTransform(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(matrix), (GP::MatrixOrder)order));
}
Status TGPGraphics::TranslateTransform(float dx, float dy, MatrixOrder order) {
  return Keep(lastResult, GdipTranslateWorldTransform(static_cast<GP::GpGraphics*>(nativeGraphics), dx, dy, (GP::MatrixOrder)order));
}
Status TGPGraphics::RotateTransform(float angle, MatrixOrder order) {
  return Keep(lastResult, GdipRotateWorldTransform(static_cast<GP::GpGraphics*>(nativeGraphics), angle, (GP::MatrixOrder)order));
}
Status TGPGraphics::ScaleTransform(float sx, float sy, MatrixOrder order) {
  return Keep(lastResult, GdipScaleWorldTransform(static_cast<GP::GpGraphics*>(nativeGraphics), sx, sy, (GP::MatrixOrder)order));
}
Status TGPGraphics::DrawLine(TGPPen* pen, float x1, float y1, float x2, float y2) {
  return Keep(lastResult, GdipDrawLine(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(pen), x1, y1, x2, y2));
}
Status TGPGraphics::DrawLine(TGPPen* pen, const TGPPointF& pt1, const TGPPointF& pt2) {
  return Keep(lastResult, GdipDrawLine(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(pen), pt1.X, pt1.Y, pt2.X, pt2.Y));
}
Status TGPGraphics::DrawRectangle(TGPPen* pen, float x, float y, float width, float height) {
  return Keep(lastResult, GdipDrawRectangle(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(pen), x, y, width, height));
}
Status TGPGraphics::DrawRectangle(TGPPen* pen, const TGPRectF& rect) {
  return Keep(lastResult, GdipDrawRectangle(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(pen), rect.X, rect.Y, rect.Width, rect.Height));
}
Status TGPGraphics::DrawEllipse(TGPPen* pen, float x, float y, float width, float height) {
  return Keep(lastResult, GdipDrawEllipse(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(pen), x, y, width, height));
}
Status TGPGraphics::DrawEllipse(TGPPen* pen, const TGPRectF& rect) {
  return Keep(lastResult, GdipDrawEllipse(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(pen), rect.X, rect.Y, rect.Width, rect.Height));
}
Status TGPGraphics::DrawEllipse(TGPPen* pen, int x, int y, int width, int height) {
  return Keep(lastResult, GdipDrawEllipseI(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(pen), x, y, width, height));
}
Status TGPGraphics::DrawEllipse(TGPPen* pen, const TGPRect& rect) {
  return Keep(lastResult, GdipDrawEllipseI(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(pen), rect.X, rect.Y, rect.Width, rect.Height));
}
Status TGPGraphics::DrawArc(TGPPen* pen, float x, float y, float width, float height, float startAngle, float sweepAngle) {
  return Keep(lastResult, GdipDrawArc(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(pen), x, y, width, height, startAngle, sweepAngle));
}
Status TGPGraphics::DrawArc(TGPPen* pen, const TGPRectF& rect, float startAngle, float sweepAngle) {
  return Keep(lastResult, GdipDrawArc(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(pen), rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle));
}
Status TGPGraphics::DrawBezier(TGPPen* pen, float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4) {
  return Keep(lastResult, GdipDrawBezier(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(pen), x1, y1, x2, y2, x3, y3, x4, y4));
}
Status TGPGraphics::DrawBezier(TGPPen* pen, const TGPPointF& pt1, const TGPPointF& pt2, const TGPPointF& pt3, const TGPPointF& pt4) {
  return Keep(lastResult, GdipDrawBezier(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(pen), pt1.X, pt1.Y, pt2.X, pt2.Y, pt3.X, pt3.Y, pt4.X, pt4.Y));
}
Status TGPGraphics::DrawBeziers(TGPPen* pen, const TGPPointF* points, int count) {
  return Keep(lastResult, GdipDrawBeziers(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(pen), (const GP::GpPointF*)points, count));
}
Status TGPGraphics::DrawPath(TGPPen* pen, TGPGraphicsPath* path) {
  return Keep(lastResult, GdipDrawPath(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(pen), GdipNative::Of(path)));
}
Status TGPGraphics::FillRectangle(TGPBrush* brush, float x, float y, float width, float height) {
  return Keep(lastResult, GdipFillRectangle(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(brush), x, y, width, height));
}
Status TGPGraphics::FillRectangle(TGPBrush* brush, const TGPRectF& rect) {
  return Keep(lastResult, GdipFillRectangle(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(brush), rect.X, rect.Y, rect.Width, rect.Height));
}
Status TGPGraphics::FillEllipse(TGPBrush* brush, float x, float y, float width, float height) {
  return Keep(lastResult, GdipFillEllipse(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(brush), x, y, width, height));
}
Status TGPGraphics::FillEllipse(TGPBrush* brush, const TGPRectF& rect) {
  return Keep(lastResult, GdipFillEllipse(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(brush), rect.X, rect.Y, rect.Width, rect.Height));
}
Status TGPGraphics::FillEllipse(TGPBrush* brush, int x, int y, int width, int height) {
  return Keep(lastResult, GdipFillEllipseI(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(brush), x, y, width, height));
}
Status TGPGraphics::FillEllipse(TGPBrush* brush, const TGPRect& rect) {
  return Keep(lastResult, GdipFillEllipseI(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(brush), rect.X, rect.Y, rect.Width, rect.Height));
}
Status TGPGraphics::FillPolygon(TGPBrush* brush, const TGPPointF* points, int count, FillMode fillMode) {
  return Keep(lastResult, GdipFillPolygon(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(brush), (const GP::GpPointF*)points, count, (GP::FillMode)fillMode));
}
Status TGPGraphics::FillPolygon(TGPBrush* brush, const TGPPoint* points, int count, FillMode fillMode) {
  return Keep(lastResult, GdipFillPolygonI(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(brush), (const GP::GpPoint*)points, count, (GP::FillMode)fillMode));
}
Status TGPGraphics::FillPath(TGPBrush* brush, TGPGraphicsPath* path) {
  return Keep(lastResult, GdipFillPath(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(brush), GdipNative::Of(path)));
}
Status TGPGraphics::DrawImage(TGPImage* image, float x, float y, float width, float height) {
  return Keep(lastResult, GdipDrawImageRect(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(image), x, y, width, height));
}
Status TGPGraphics::DrawImage(TGPImage* image, int x, int y) {
  return Keep(lastResult, GdipDrawImageI(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(image), x, y));
}
Status TGPGraphics::DrawImage(TGPImage* image, const TGPRectF& destRect, float srcx, float srcy, float srcwidth, float srcheight, Unit_ srcUnit, TGPImageAttributes* imageAttributes, void* callback, void* callbackData) {
  return Keep(lastResult, GdipDrawImageRectRect(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(image), destRect.X, destRect.Y, destRect.Width, destRect.Height, srcx, srcy, srcwidth, srcheight, (GP::Unit)srcUnit, GdipNative::Of(imageAttributes), (GP::DrawImageAbort)callback, callbackData));
}
Status TGPGraphics::SetClip(TGPRegion* region, CombineMode combineMode) {
  return Keep(lastResult, GdipSetClipRegion(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(region), (GP::CombineMode)combineMode));
}
Status TGPGraphics::SetClip(TGPGraphicsPath* path, CombineMode combineMode) {
  return Keep(lastResult, GdipSetClipPath(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(path), (GP::CombineMode)combineMode));
}
Status TGPGraphics::ExcludeClip(const TGPRectF& rect) {
  return Keep(lastResult, GdipSetClipRect(static_cast<GP::GpGraphics*>(nativeGraphics), rect.X, rect.Y, rect.Width, rect.Height, GP::CombineModeExclude));
}
Status TGPGraphics::ExcludeClip(TGPRegion* region) {
  return Keep(lastResult, GdipSetClipRegion(static_cast<GP::GpGraphics*>(nativeGraphics), GdipNative::Of(region), GP::CombineModeExclude));
}
Status TGPGraphics::ResetClip() {
  return Keep(lastResult, GdipResetClip(static_cast<GP::GpGraphics*>(nativeGraphics)));
}

// TGPPen
Status TGPPen::SetBrush(TGPBrush* brush) {
  return Keep(lastResult, GdipSetPenBrushFill(static_cast<GP::GpPen*>(nativePen), GdipNative::Of(brush)));
}
int TGPPen::GetPenType() {
  GP::PenType r{};
  Keep(lastResult, GdipGetPenFillType(static_cast<GP::GpPen*>(nativePen), &r));
  return static_cast<int>(r);
}
Status TGPPen::SetDashStyle(DashStyle dashStyle) {
  return Keep(lastResult, GdipSetPenDashStyle(static_cast<GP::GpPen*>(nativePen), (GP::DashStyle)dashStyle));
}
DashStyle TGPPen::GetDashStyle() {
  GP::DashStyle r{};
  Keep(lastResult, GdipGetPenDashStyle(static_cast<GP::GpPen*>(nativePen), &r));
  return static_cast<DashStyle>(r);
}
Status TGPPen::SetEndCap(int endCap) {
  return Keep(lastResult, GdipSetPenEndCap(static_cast<GP::GpPen*>(nativePen), (GP::LineCap)endCap));
}

// TGPHatchBrush
HatchStyle TGPHatchBrush::GetHatchStyle() {
  GP::HatchStyle r{};
  Keep(lastResult, GdipGetHatchStyle(static_cast<GP::GpHatch*>(nativeBrush), &r));
  return static_cast<HatchStyle>(r);
}
Status TGPHatchBrush::GetForegroundColor(ARGB& color) {
  return Keep(lastResult, GdipGetHatchForegroundColor(static_cast<GP::GpHatch*>(nativeBrush), &color));
}
Status TGPHatchBrush::GetBackgroundColor(ARGB& color) {
  return Keep(lastResult, GdipGetHatchBackgroundColor(static_cast<GP::GpHatch*>(nativeBrush), &color));
}

// TGPTextureBrush
Status TGPTextureBrush::ResetTransform() {
  return Keep(lastResult, GdipResetTextureTransform(static_cast<GP::GpTexture*>(nativeBrush)));
}
Status TGPTextureBrush::TranslateTransform(float dx, float dy, MatrixOrder order) {
  return Keep(lastResult, GdipTranslateTextureTransform(static_cast<GP::GpTexture*>(nativeBrush), dx, dy, (GP::MatrixOrder)order));
}
Status TGPTextureBrush::ScaleTransform(float sx, float sy, MatrixOrder order) {
  return Keep(lastResult, GdipScaleTextureTransform(static_cast<GP::GpTexture*>(nativeBrush), sx, sy, (GP::MatrixOrder)order));
}
Status TGPTextureBrush::RotateTransform(float angle, MatrixOrder order) {
  return Keep(lastResult, GdipRotateTextureTransform(static_cast<GP::GpTexture*>(nativeBrush), angle, (GP::MatrixOrder)order));
}
Status TGPTextureBrush::SetWrapMode(WrapMode wrapMode) {
  return Keep(lastResult, GdipSetTextureWrapMode(static_cast<GP::GpTexture*>(nativeBrush), (GP::WrapMode)wrapMode));
}
WrapMode TGPTextureBrush::GetWrapMode() {
  GP::WrapMode r{};
  Keep(lastResult, GdipGetTextureWrapMode(static_cast<GP::GpTexture*>(nativeBrush), &r));
  return static_cast<WrapMode>(r);
}

// TGPLinearGradientBrush
Status TGPLinearGradientBrush::SetGammaCorrection(bool useGammaCorrection) {
  return Keep(lastResult, GdipSetLineGammaCorrection(static_cast<GP::GpLineGradient*>(nativeBrush), useGammaCorrection));
}

// TGPPathGradientBrush
Status TGPPathGradientBrush::SetCenterPoint(const TGPPointF& point) {
  return Keep(lastResult, GdipSetPathGradientCenterPoint(static_cast<GP::GpPathGradient*>(nativeBrush), (const GP::GpPointF*)&point));
}
Status TGPPathGradientBrush::SetCenterPoint(const TGPPoint& point) {
  return Keep(lastResult, GdipSetPathGradientCenterPointI(static_cast<GP::GpPathGradient*>(nativeBrush), (const GP::GpPoint*)&point));
}
Status TGPPathGradientBrush::GetCenterPoint(TGPPointF& point) {
  return Keep(lastResult, GdipGetPathGradientCenterPoint(static_cast<GP::GpPathGradient*>(nativeBrush), (GP::GpPointF*)&point));
}
Status TGPPathGradientBrush::GetCenterPoint(TGPPoint& point) {
  return Keep(lastResult, GdipGetPathGradientCenterPointI(static_cast<GP::GpPathGradient*>(nativeBrush), (GP::GpPoint*)&point));
}
int TGPPathGradientBrush::GetPointCount() {
  INT r{};
  Keep(lastResult, GdipGetPathGradientPointCount(static_cast<GP::GpPathGradient*>(nativeBrush), &r));
  return static_cast<int>(r);
}
Status TGPPathGradientBrush::SetGammaCorrection(bool useGammaCorrection) {
  return Keep(lastResult, GdipSetPathGradientGammaCorrection(static_cast<GP::GpPathGradient*>(nativeBrush), useGammaCorrection));
}
Status TGPPathGradientBrush::SetWrapMode(WrapMode wrapMode) {
  return Keep(lastResult, GdipSetPathGradientWrapMode(static_cast<GP::GpPathGradient*>(nativeBrush), (GP::WrapMode)wrapMode));
}

// TGPStringFormat
Status TGPStringFormat::SetAlignment(StringAlignment align) {
  return Keep(lastError, GdipSetStringFormatAlign(static_cast<GP::GpStringFormat*>(nativeFormat), (GP::StringAlignment)align));
}
StringAlignment TGPStringFormat::GetAlignment() {
  GP::StringAlignment r{};
  Keep(lastError, GdipGetStringFormatAlign(static_cast<GP::GpStringFormat*>(nativeFormat), &r));
  return static_cast<StringAlignment>(r);
}
Status TGPStringFormat::SetLineAlignment(StringAlignment align) {
  return Keep(lastError, GdipSetStringFormatLineAlign(static_cast<GP::GpStringFormat*>(nativeFormat), (GP::StringAlignment)align));
}
StringAlignment TGPStringFormat::GetLineAlignment() {
  GP::StringAlignment r{};
  Keep(lastError, GdipGetStringFormatLineAlign(static_cast<GP::GpStringFormat*>(nativeFormat), &r));
  return static_cast<StringAlignment>(r);
}
Status TGPStringFormat::SetFormatFlags(int flags) {
  return Keep(lastError, GdipSetStringFormatFlags(static_cast<GP::GpStringFormat*>(nativeFormat), flags));
}
int TGPStringFormat::GetFormatFlags() {
  INT r{};
  Keep(lastError, GdipGetStringFormatFlags(static_cast<GP::GpStringFormat*>(nativeFormat), &r));
  return static_cast<int>(r);
}
Status TGPStringFormat::SetTrimming(StringTrimming trimming) {
  return Keep(lastError, GdipSetStringFormatTrimming(static_cast<GP::GpStringFormat*>(nativeFormat), (GP::StringTrimming)trimming));
}
StringTrimming TGPStringFormat::GetTrimming() {
  GP::StringTrimming r{};
  Keep(lastError, GdipGetStringFormatTrimming(static_cast<GP::GpStringFormat*>(nativeFormat), &r));
  return static_cast<StringTrimming>(r);
}
Status TGPStringFormat::SetHotkeyPrefix(HotkeyPrefix hotkeyPrefix) {
  return Keep(lastError, GdipSetStringFormatHotkeyPrefix(static_cast<GP::GpStringFormat*>(nativeFormat), hotkeyPrefix));
}
HotkeyPrefix TGPStringFormat::GetHotkeyPrefix() {
  INT r{};
  Keep(lastError, GdipGetStringFormatHotkeyPrefix(static_cast<GP::GpStringFormat*>(nativeFormat), &r));
  return static_cast<HotkeyPrefix>(r);
}

// TGPGraphicsPath
Status TGPGraphicsPath::AddLine(const TGPPointF& pt1, const TGPPointF& pt2) {
  return Keep(lastResult, GdipAddPathLine(static_cast<GP::GpPath*>(nativePath), pt1.X, pt1.Y, pt2.X, pt2.Y));
}
Status TGPGraphicsPath::AddLine(float x1, float y1, float x2, float y2) {
  return Keep(lastResult, GdipAddPathLine(static_cast<GP::GpPath*>(nativePath), x1, y1, x2, y2));
}
Status TGPGraphicsPath::AddLines(const TGPPoint* points, int count) {
  return Keep(lastResult, GdipAddPathLine2I(static_cast<GP::GpPath*>(nativePath), (const GP::GpPoint*)points, count));
}
Status TGPGraphicsPath::AddRectangle(const TGPRectF& rect) {
  return Keep(lastResult, GdipAddPathRectangle(static_cast<GP::GpPath*>(nativePath), rect.X, rect.Y, rect.Width, rect.Height));
}
Status TGPGraphicsPath::AddRectangle(const TGPRect& rect) {
  return Keep(lastResult, GdipAddPathRectangleI(static_cast<GP::GpPath*>(nativePath), rect.X, rect.Y, rect.Width, rect.Height));
}
Status TGPGraphicsPath::AddArc(const TGPRectF& rect, float startAngle, float sweepAngle) {
  return Keep(lastResult, GdipAddPathArc(static_cast<GP::GpPath*>(nativePath), rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle));
}
Status TGPGraphicsPath::AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle) {
  return Keep(lastResult, GdipAddPathArc(static_cast<GP::GpPath*>(nativePath), x, y, width, height, startAngle, sweepAngle));
}
Status TGPGraphicsPath::AddEllipse(const TGPRectF& rect) {
  return Keep(lastResult, GdipAddPathEllipse(static_cast<GP::GpPath*>(nativePath), rect.X, rect.Y, rect.Width, rect.Height));
}
Status TGPGraphicsPath::AddEllipse(float x, float y, float width, float height) {
  return Keep(lastResult, GdipAddPathEllipse(static_cast<GP::GpPath*>(nativePath), x, y, width, height));
}
Status TGPGraphicsPath::AddPie(const TGPRectF& rect, float startAngle, float sweepAngle) {
  return Keep(lastResult, GdipAddPathPie(static_cast<GP::GpPath*>(nativePath), rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle));
}
Status TGPGraphicsPath::AddPie(float x, float y, float width, float height, float startAngle, float sweepAngle) {
  return Keep(lastResult, GdipAddPathPie(static_cast<GP::GpPath*>(nativePath), x, y, width, height, startAngle, sweepAngle));
}
Status TGPGraphicsPath::AddPolygon(const TGPPointF* points, int count) {
  return Keep(lastResult, GdipAddPathPolygon(static_cast<GP::GpPath*>(nativePath), (const GP::GpPointF*)points, count));
}
Status TGPGraphicsPath::AddPolygon(const TGPPoint* points, int count) {
  return Keep(lastResult, GdipAddPathPolygonI(static_cast<GP::GpPath*>(nativePath), (const GP::GpPoint*)points, count));
}
Status TGPGraphicsPath::AddCurve(const TGPPointF* points, int count) {
  return Keep(lastResult, GdipAddPathCurve(static_cast<GP::GpPath*>(nativePath), (const GP::GpPointF*)points, count));
}
Status TGPGraphicsPath::AddCurve(const TGPPoint* points, int count) {
  return Keep(lastResult, GdipAddPathCurveI(static_cast<GP::GpPath*>(nativePath), (const GP::GpPoint*)points, count));
}
Status TGPGraphicsPath::AddCurve(const TGPPoint* points, int count, float tension) {
  return Keep(lastResult, GdipAddPathCurve2I(static_cast<GP::GpPath*>(nativePath), (const GP::GpPoint*)points, count, tension));
}
Status TGPGraphicsPath::AddBezier(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4) {
  return Keep(lastResult, GdipAddPathBezier(static_cast<GP::GpPath*>(nativePath), x1, y1, x2, y2, x3, y3, x4, y4));
}
Status TGPGraphicsPath::AddString(const String& string_, int length, TGPFontFamily* family, int style, float emSize, const TGPRectF& layoutRect, TGPStringFormat* format) {
  return Keep(lastResult, GdipAddPathString(static_cast<GP::GpPath*>(nativePath), string_.c_str(), GdipTextLength(string_, length), GdipNative::Of(family), style, emSize, (const GP::RectF*)&layoutRect, GdipNative::Of(format)));
}
Status TGPGraphicsPath::CloseFigure() {
  return Keep(lastResult, GdipClosePathFigure(static_cast<GP::GpPath*>(nativePath)));
}
Status TGPGraphicsPath::Reset() {
  return Keep(lastResult, GdipResetPath(static_cast<GP::GpPath*>(nativePath)));
}
int TGPGraphicsPath::GetPointCount() {
  INT r{};
  Keep(lastResult, GdipGetPointCount(static_cast<GP::GpPath*>(nativePath), &r));
  return static_cast<int>(r);
}
Status TGPGraphicsPath::GetPathPoints(TGPPointF* points, int count) {
  return Keep(lastResult, GdipGetPathPoints(static_cast<GP::GpPath*>(nativePath), (GP::GpPointF*)points, count));
}
Status TGPGraphicsPath::GetPathTypes(BYTE* types, int count) {
  return Keep(lastResult, GdipGetPathTypes(static_cast<GP::GpPath*>(nativePath), types, count));
}
Status TGPGraphicsPath::GetBounds(TGPRectF& bounds, TGPMatrix* matrix, TGPPen* pen) {
  return Keep(lastResult, GdipGetPathWorldBounds(static_cast<GP::GpPath*>(nativePath), (GP::GpRectF*)&bounds, GdipNative::Of(matrix), GdipNative::Of(pen)));
}

// TGPRegion
Status TGPRegion::Exclude(TGPGraphicsPath* path) {
  return Keep(lastResult, GdipCombineRegionPath(static_cast<GP::GpRegion*>(nativeRegion), GdipNative::Of(path), GP::CombineModeExclude));
}
Status TGPRegion::Union(TGPRegion* region) {
  return Keep(lastResult, GdipCombineRegionRegion(static_cast<GP::GpRegion*>(nativeRegion), GdipNative::Of(region), GP::CombineModeUnion));
}

// TGPMatrix
Status TGPMatrix::GetElements(TMatrixArray& m) {
  return Keep(lastResult, GdipGetMatrixElements(static_cast<GP::GpMatrix*>(nativeMatrix), m));
}
Status TGPMatrix::SetElements(float m11, float m12, float m21, float m22, float dx, float dy) {
  return Keep(lastResult, GdipSetMatrixElements(static_cast<GP::GpMatrix*>(nativeMatrix), m11, m12, m21, m22, dx, dy));
}
Status TGPMatrix::Multiply(TGPMatrix* matrix, MatrixOrder order) {
  return Keep(lastResult, GdipMultiplyMatrix(static_cast<GP::GpMatrix*>(nativeMatrix), GdipNative::Of(matrix), (GP::MatrixOrder)order));
}
Status TGPMatrix::Translate(float offsetX, float offsetY, MatrixOrder order) {
  return Keep(lastResult, GdipTranslateMatrix(static_cast<GP::GpMatrix*>(nativeMatrix), offsetX, offsetY, (GP::MatrixOrder)order));
}
Status TGPMatrix::Scale(float scaleX, float scaleY, MatrixOrder order) {
  return Keep(lastResult, GdipScaleMatrix(static_cast<GP::GpMatrix*>(nativeMatrix), scaleX, scaleY, (GP::MatrixOrder)order));
}
Status TGPMatrix::Rotate(float angle, MatrixOrder order) {
  return Keep(lastResult, GdipRotateMatrix(static_cast<GP::GpMatrix*>(nativeMatrix), angle, (GP::MatrixOrder)order));
}
Status TGPMatrix::Shear(float shearX, float shearY, MatrixOrder order) {
  return Keep(lastResult, GdipShearMatrix(static_cast<GP::GpMatrix*>(nativeMatrix), shearX, shearY, (GP::MatrixOrder)order));
}
Status TGPMatrix::Invert() {
  return Keep(lastResult, GdipInvertMatrix(static_cast<GP::GpMatrix*>(nativeMatrix)));
}
Status TGPMatrix::TransformPoints(TGPPointF* pts, int count) {
  return Keep(lastResult, GdipTransformMatrixPoints(static_cast<GP::GpMatrix*>(nativeMatrix), (GP::GpPointF*)pts, count));
}
Status TGPMatrix::TransformPoints(TGPPoint* pts, int count) {
  return Keep(lastResult, GdipTransformMatrixPointsI(static_cast<GP::GpMatrix*>(nativeMatrix), (GP::GpPoint*)pts, count));
}
Status TGPMatrix::TransformVectors(TGPPointF* pts, int count) {
  return Keep(lastResult, GdipVectorTransformMatrixPoints(static_cast<GP::GpMatrix*>(nativeMatrix), (GP::GpPointF*)pts, count));
}
Status TGPMatrix::TransformVectors(TGPPoint* pts, int count) {
  return Keep(lastResult, GdipVectorTransformMatrixPointsI(static_cast<GP::GpMatrix*>(nativeMatrix), (GP::GpPoint*)pts, count));
}
bool TGPMatrix::IsInvertible() {
  BOOL r{};
  Keep(lastResult, GdipIsMatrixInvertible(static_cast<GP::GpMatrix*>(nativeMatrix), &r));
  return static_cast<bool>(r);
}
bool TGPMatrix::IsIdentity() {
  BOOL r{};
  Keep(lastResult, GdipIsMatrixIdentity(static_cast<GP::GpMatrix*>(nativeMatrix), &r));
  return static_cast<bool>(r);
}

// TGPImage
int TGPImage::GetPixelFormat() {
  GP::PixelFormat r{};
  Keep(lastResult, GdipGetImagePixelFormat(static_cast<GP::GpImage*>(nativeImage), &r));
  return static_cast<int>(r);
}
Status TGPImage::Save(const String& filename, const CLSID* clsidEncoder, const EncoderParameters* encoderParams) {
  return Keep(lastResult, GdipSaveImageToFile(static_cast<GP::GpImage*>(nativeImage), filename.c_str(), clsidEncoder, (const GP::EncoderParameters*)encoderParams));
}
Status TGPImage::Save(IStream* stream, const CLSID* clsidEncoder, const EncoderParameters* encoderParams) {
  return Keep(lastResult, GdipSaveImageToStream(static_cast<GP::GpImage*>(nativeImage), stream, clsidEncoder, (const GP::EncoderParameters*)encoderParams));
}
Status TGPImage::RotateFlip(RotateFlipType rotateFlipType) {
  return Keep(lastResult, GdipImageRotateFlip(static_cast<GP::GpImage*>(nativeImage), (GP::RotateFlipType)rotateFlipType));
}

// TGPBitmap
Status TGPBitmap::GetHBITMAP(ARGB colorBackground, HBITMAP& hbmReturn) {
  return Keep(lastResult, GdipCreateHBITMAPFromBitmap(static_cast<GP::GpBitmap*>(nativeImage), &hbmReturn, colorBackground));
}
Status TGPBitmap::GetPixel(int x, int y, ARGB& color) {
  return Keep(lastResult, GdipBitmapGetPixel(static_cast<GP::GpBitmap*>(nativeImage), x, y, &color));
}
Status TGPBitmap::SetPixel(int x, int y, ARGB color) {
  return Keep(lastResult, GdipBitmapSetPixel(static_cast<GP::GpBitmap*>(nativeImage), x, y, color));
}

// TGPImageAttributes
Status TGPImageAttributes::SetToIdentity(ColorAdjustType type_) {
  return Keep(lastResult, GdipSetImageAttributesToIdentity(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorAdjustType)type_));
}
Status TGPImageAttributes::Reset(ColorAdjustType type_) {
  return Keep(lastResult, GdipResetImageAttributes(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorAdjustType)type_));
}
Status TGPImageAttributes::SetColorMatrix(const ColorMatrix& colorMatrix, ColorMatrixFlags mode, ColorAdjustType type_) {
  return Keep(lastResult, GdipSetImageAttributesColorMatrix(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorAdjustType)type_, TRUE, (const GP::ColorMatrix*)&colorMatrix, nullptr, (GP::ColorMatrixFlags)mode));
}
Status TGPImageAttributes::ClearColorMatrix(ColorAdjustType type_) {
  return Keep(lastResult, GdipSetImageAttributesColorMatrix(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorAdjustType)type_, FALSE, nullptr, nullptr, GP::ColorMatrixFlagsDefault));
}
Status TGPImageAttributes::SetColorMatrices(const ColorMatrix& colorMatrix, const ColorMatrix& grayMatrix, ColorMatrixFlags mode, ColorAdjustType type_) {
  return Keep(lastResult, GdipSetImageAttributesColorMatrix(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorAdjustType)type_, TRUE, (const GP::ColorMatrix*)&colorMatrix, (const GP::ColorMatrix*)&grayMatrix, (GP::ColorMatrixFlags)mode));
}
Status TGPImageAttributes::ClearColorMatrices(ColorAdjustType type_) {
  return Keep(lastResult, GdipSetImageAttributesColorMatrix(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorAdjustType)type_, FALSE, nullptr, nullptr, GP::ColorMatrixFlagsDefault));
}
Status TGPImageAttributes::SetThreshold(float threshold, ColorAdjustType type_) {
  return Keep(lastResult, GdipSetImageAttributesThreshold(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorAdjustType)type_, TRUE, threshold));
}
Status TGPImageAttributes::ClearThreshold(ColorAdjustType type_) {
  return Keep(lastResult, GdipSetImageAttributesThreshold(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorAdjustType)type_, FALSE, 0.0f));
}
Status TGPImageAttributes::SetGamma(float gamma, ColorAdjustType type_) {
  return Keep(lastResult, GdipSetImageAttributesGamma(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorAdjustType)type_, TRUE, gamma));
}
Status TGPImageAttributes::ClearGamma(ColorAdjustType type_) {
  return Keep(lastResult, GdipSetImageAttributesGamma(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorAdjustType)type_, FALSE, 0.0f));
}
Status TGPImageAttributes::SetNoOp(ColorAdjustType type_) {
  return Keep(lastResult, GdipSetImageAttributesNoOp(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorAdjustType)type_, TRUE));
}
Status TGPImageAttributes::ClearNoOp(ColorAdjustType type_) {
  return Keep(lastResult, GdipSetImageAttributesNoOp(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorAdjustType)type_, FALSE));
}
Status TGPImageAttributes::SetColorKey(ARGB colorLow, ARGB colorHigh, ColorAdjustType type_) {
  return Keep(lastResult, GdipSetImageAttributesColorKeys(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorAdjustType)type_, TRUE, colorLow, colorHigh));
}
Status TGPImageAttributes::ClearColorKey(ColorAdjustType type_) {
  return Keep(lastResult, GdipSetImageAttributesColorKeys(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorAdjustType)type_, FALSE, 0, 0));
}
Status TGPImageAttributes::SetOutputChannel(ColorChannelFlags channelFlags, ColorAdjustType type_) {
  return Keep(lastResult, GdipSetImageAttributesOutputChannel(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorAdjustType)type_, TRUE, (GP::ColorChannelFlags)channelFlags));
}
Status TGPImageAttributes::ClearOutputChannel(ColorAdjustType type_) {
  return Keep(lastResult, GdipSetImageAttributesOutputChannel(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorAdjustType)type_, FALSE, GP::ColorChannelFlagsLast));
}
Status TGPImageAttributes::SetOutputChannelColorProfile(const String& colorProfileFilename, ColorAdjustType type_) {
  return Keep(lastResult, GdipSetImageAttributesOutputChannelColorProfile(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorAdjustType)type_, TRUE, colorProfileFilename.c_str()));
}
Status TGPImageAttributes::ClearOutputChannelColorProfile(ColorAdjustType type_) {
  return Keep(lastResult, GdipSetImageAttributesOutputChannelColorProfile(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorAdjustType)type_, FALSE, nullptr));
}
Status TGPImageAttributes::SetRemapTable(UINT mapSize, const ColorMap* map, ColorAdjustType type_) {
  return Keep(lastResult, GdipSetImageAttributesRemapTable(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorAdjustType)type_, TRUE, mapSize, (const GP::ColorMap*)map));
}
Status TGPImageAttributes::ClearRemapTable(ColorAdjustType type_) {
  return Keep(lastResult, GdipSetImageAttributesRemapTable(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorAdjustType)type_, FALSE, 0, nullptr));
}
Status TGPImageAttributes::SetBrushRemapTable(UINT mapSize, const ColorMap* map) {
  return Keep(lastResult, GdipSetImageAttributesRemapTable(static_cast<GP::GpImageAttributes*>(nativeImageAttr), GP::ColorAdjustTypeBrush, TRUE, mapSize, (const GP::ColorMap*)map));
}
Status TGPImageAttributes::ClearBrushRemapTable() {
  return Keep(lastResult, GdipSetImageAttributesRemapTable(static_cast<GP::GpImageAttributes*>(nativeImageAttr), GP::ColorAdjustTypeBrush, FALSE, 0, nullptr));
}
Status TGPImageAttributes::SetWrapMode(WrapMode wrap, ARGB color, bool clamp) {
  return Keep(lastResult, GdipSetImageAttributesWrapMode(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::WrapMode)wrap, color, clamp));
}
Status TGPImageAttributes::GetAdjustedPalette(ColorPalette* colorPalette, ColorAdjustType colorAdjustType) {
  return Keep(lastResult, GdipGetImageAttributesAdjustedPalette(static_cast<GP::GpImageAttributes*>(nativeImageAttr), (GP::ColorPalette*)colorPalette, (GP::ColorAdjustType)colorAdjustType));
}
