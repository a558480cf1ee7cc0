#!/usr/bin/env python3
"""Writes the mechanical GDI+ forwarders from the table below.

Each forwarder calls one flat-API function and applies the status rule.
Output (committed): ui/draw/GdiPlusForwarders.inc (the declarations, one
macro per class, expanded inside the class) and
ui/draw/GdiPlusForwarders.cpp (the definitions).
  python3 tools/gen_gdiplus.py          rewrite both files
  python3 tools/gen_gdiplus.py --check  fail when they are out of date

Table lines:
  @Class NativeType handleField statusField
  S  Name(params) :: call        returns the status, keeps a failure
  N  Name(params) :: call        returns the status, keeps nothing
  R  Type[/FlatType] Name(params) :: call
                                 a getter: the call writes r (of FlatType,
                                 default Type); keeps a failure; returns r
In calls, H is the object's own native handle, N(x) the native handle of
the wrapper x (nullptr for nullptr), GP:: the platform's GDI+ namespace.
"""
import os
import re
import sys

TABLE = r"""
@TGPGraphics GpGraphics nativeGraphics lastResult
N Flush(FlushIntention intention = FlushIntentionFlush) :: GdipFlush(H, (GP::FlushIntention)intention)
S Clear(ARGB color) :: GdipGraphicsClear(H, color)
R HDC GetHDC() :: GdipGetDC(H, &r)
S ReleaseHDC(HDC hdc) :: GdipReleaseDC(H, hdc)
S SetTextRenderingHint(TextRenderingHint newMode) :: GdipSetTextRenderingHint(H, (GP::TextRenderingHint)newMode)
R TextRenderingHint/GP::TextRenderingHint GetTextRenderingHint() :: GdipGetTextRenderingHint(H, &r)
S SetSmoothingMode(int smoothingMode) :: GdipSetSmoothingMode(H, (GP::SmoothingMode)smoothingMode)
R int/GP::SmoothingMode GetSmoothingMode() :: GdipGetSmoothingMode(H, &r)
S SetCompositingQuality(int compositingQuality) :: GdipSetCompositingQuality(H, (GP::CompositingQuality)compositingQuality)
R int/GP::CompositingQuality GetCompositingQuality() :: GdipGetCompositingQuality(H, &r)
S SetTransform(TGPMatrix* matrix) :: GdipSetWorldTransform(H, N(matrix))
S ResetTransform() :: GdipResetWorldTransform(H)
S MultiplyTransform(TGPMatrix* matrix, MatrixOrder order = MatrixOrderPrepend) :: GdipMultiplyWorldTransform(H, N(matrix), (GP::MatrixOrder)order)
S TranslateTransform(float dx, float dy, MatrixOrder order = MatrixOrderPrepend) :: GdipTranslateWorldTransform(H, dx, dy, (GP::MatrixOrder)order)
S RotateTransform(float angle, MatrixOrder order = MatrixOrderPrepend) :: GdipRotateWorldTransform(H, angle, (GP::MatrixOrder)order)
S ScaleTransform(float sx, float sy, MatrixOrder order = MatrixOrderPrepend) :: GdipScaleWorldTransform(H, sx, sy, (GP::MatrixOrder)order)
S DrawLine(TGPPen* pen, float x1, float y1, float x2, float y2) :: GdipDrawLine(H, N(pen), x1, y1, x2, y2)
S DrawLine(TGPPen* pen, const TGPPointF& pt1, const TGPPointF& pt2) :: GdipDrawLine(H, N(pen), pt1.X, pt1.Y, pt2.X, pt2.Y)
S DrawRectangle(TGPPen* pen, float x, float y, float width, float height) :: GdipDrawRectangle(H, N(pen), x, y, width, height)
S DrawRectangle(TGPPen* pen, const TGPRectF& rect) :: GdipDrawRectangle(H, N(pen), rect.X, rect.Y, rect.Width, rect.Height)
S DrawEllipse(TGPPen* pen, float x, float y, float width, float height) :: GdipDrawEllipse(H, N(pen), x, y, width, height)
S DrawEllipse(TGPPen* pen, const TGPRectF& rect) :: GdipDrawEllipse(H, N(pen), rect.X, rect.Y, rect.Width, rect.Height)
S DrawEllipse(TGPPen* pen, int x, int y, int width, int height) :: GdipDrawEllipseI(H, N(pen), x, y, width, height)
S DrawEllipse(TGPPen* pen, const TGPRect& rect) :: GdipDrawEllipseI(H, N(pen), rect.X, rect.Y, rect.Width, rect.Height)
S DrawArc(TGPPen* pen, float x, float y, float width, float height, float startAngle, float sweepAngle) :: GdipDrawArc(H, N(pen), x, y, width, height, startAngle, sweepAngle)
S DrawArc(TGPPen* pen, const TGPRectF& rect, float startAngle, float sweepAngle) :: GdipDrawArc(H, N(pen), rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle)
S DrawBezier(TGPPen* pen, float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4) :: GdipDrawBezier(H, N(pen), x1, y1, x2, y2, x3, y3, x4, y4)
S DrawBezier(TGPPen* pen, const TGPPointF& pt1, const TGPPointF& pt2, const TGPPointF& pt3, const TGPPointF& pt4) :: GdipDrawBezier(H, N(pen), pt1.X, pt1.Y, pt2.X, pt2.Y, pt3.X, pt3.Y, pt4.X, pt4.Y)
S DrawBeziers(TGPPen* pen, const TGPPointF* points, int count) :: GdipDrawBeziers(H, N(pen), (const GP::GpPointF*)points, count)
S DrawPath(TGPPen* pen, TGPGraphicsPath* path) :: GdipDrawPath(H, N(pen), N(path))
S FillRectangle(TGPBrush* brush, float x, float y, float width, float height) :: GdipFillRectangle(H, N(brush), x, y, width, height)
S FillRectangle(TGPBrush* brush, const TGPRectF& rect) :: GdipFillRectangle(H, N(brush), rect.X, rect.Y, rect.Width, rect.Height)
S FillEllipse(TGPBrush* brush, float x, float y, float width, float height) :: GdipFillEllipse(H, N(brush), x, y, width, height)
S FillEllipse(TGPBrush* brush, const TGPRectF& rect) :: GdipFillEllipse(H, N(brush), rect.X, rect.Y, rect.Width, rect.Height)
S FillEllipse(TGPBrush* brush, int x, int y, int width, int height) :: GdipFillEllipseI(H, N(brush), x, y, width, height)
S FillEllipse(TGPBrush* brush, const TGPRect& rect) :: GdipFillEllipseI(H, N(brush), rect.X, rect.Y, rect.Width, rect.Height)
S FillPolygon(TGPBrush* brush, const TGPPointF* points, int count, FillMode fillMode = FillModeAlternate) :: GdipFillPolygon(H, N(brush), (const GP::GpPointF*)points, count, (GP::FillMode)fillMode)
S FillPolygon(TGPBrush* brush, const TGPPoint* points, int count, FillMode fillMode = FillModeAlternate) :: GdipFillPolygonI(H, N(brush), (const GP::GpPoint*)points, count, (GP::FillMode)fillMode)
S FillPath(TGPBrush* brush, TGPGraphicsPath* path) :: GdipFillPath(H, N(brush), N(path))
S DrawImage(TGPImage* image, float x, float y, float width, float height) :: GdipDrawImageRect(H, N(image), x, y, width, height)
S DrawImage(TGPImage* image, int x, int y) :: GdipDrawImageI(H, N(image), x, y)
S DrawImage(TGPImage* image, const TGPRectF& destRect, float srcx, float srcy, float srcwidth, float srcheight, Unit_ srcUnit, TGPImageAttributes* imageAttributes = nullptr, void* callback = nullptr, void* callbackData = nullptr) :: GdipDrawImageRectRect(H, N(image), destRect.X, destRect.Y, destRect.Width, destRect.Height, srcx, srcy, srcwidth, srcheight, (GP::Unit)srcUnit, N(imageAttributes), (GP::DrawImageAbort)callback, callbackData)
S SetClip(TGPRegion* region, CombineMode combineMode = CombineModeReplace) :: GdipSetClipRegion(H, N(region), (GP::CombineMode)combineMode)
S SetClip(TGPGraphicsPath* path, CombineMode combineMode = CombineModeReplace) :: GdipSetClipPath(H, N(path), (GP::CombineMode)combineMode)
S ExcludeClip(const TGPRectF& rect) :: GdipSetClipRect(H, rect.X, rect.Y, rect.Width, rect.Height, GP::CombineModeExclude)
S ExcludeClip(TGPRegion* region) :: GdipSetClipRegion(H, N(region), GP::CombineModeExclude)
S ResetClip() :: GdipResetClip(H)

@TGPPen GpPen nativePen lastResult
S SetBrush(TGPBrush* brush) :: GdipSetPenBrushFill(H, N(brush))
R int/GP::PenType GetPenType() :: GdipGetPenFillType(H, &r)
S SetDashStyle(DashStyle dashStyle) :: GdipSetPenDashStyle(H, (GP::DashStyle)dashStyle)
R DashStyle/GP::DashStyle GetDashStyle() :: GdipGetPenDashStyle(H, &r)
S SetEndCap(int endCap) :: GdipSetPenEndCap(H, (GP::LineCap)endCap)

@TGPHatchBrush GpHatch nativeBrush lastResult
R HatchStyle/GP::HatchStyle GetHatchStyle() :: GdipGetHatchStyle(H, &r)
S GetForegroundColor(ARGB& color) :: GdipGetHatchForegroundColor(H, &color)
S GetBackgroundColor(ARGB& color) :: GdipGetHatchBackgroundColor(H, &color)

@TGPTextureBrush GpTexture nativeBrush lastResult
S ResetTransform() :: GdipResetTextureTransform(H)
S TranslateTransform(float dx, float dy, MatrixOrder order = MatrixOrderPrepend) :: GdipTranslateTextureTransform(H, dx, dy, (GP::MatrixOrder)order)
S ScaleTransform(float sx, float sy, MatrixOrder order = MatrixOrderPrepend) :: GdipScaleTextureTransform(H, sx, sy, (GP::MatrixOrder)order)
S RotateTransform(float angle, MatrixOrder order = MatrixOrderPrepend) :: GdipRotateTextureTransform(H, angle, (GP::MatrixOrder)order)
S SetWrapMode(WrapMode wrapMode) :: GdipSetTextureWrapMode(H, (GP::WrapMode)wrapMode)
R WrapMode/GP::WrapMode GetWrapMode() :: GdipGetTextureWrapMode(H, &r)

@TGPLinearGradientBrush GpLineGradient nativeBrush lastResult
S SetGammaCorrection(bool useGammaCorrection) :: GdipSetLineGammaCorrection(H, useGammaCorrection)

@TGPPathGradientBrush GpPathGradient nativeBrush lastResult
S SetCenterPoint(const TGPPointF& point) :: GdipSetPathGradientCenterPoint(H, (const GP::GpPointF*)&point)
S SetCenterPoint(const TGPPoint& point) :: GdipSetPathGradientCenterPointI(H, (const GP::GpPoint*)&point)
S GetCenterPoint(TGPPointF& point) :: GdipGetPathGradientCenterPoint(H, (GP::GpPointF*)&point)
S GetCenterPoint(TGPPoint& point) :: GdipGetPathGradientCenterPointI(H, (GP::GpPoint*)&point)
R int/INT GetPointCount() :: GdipGetPathGradientPointCount(H, &r)
S SetGammaCorrection(bool useGammaCorrection) :: GdipSetPathGradientGammaCorrection(H, useGammaCorrection)
S SetWrapMode(WrapMode wrapMode) :: GdipSetPathGradientWrapMode(H, (GP::WrapMode)wrapMode)

@TGPStringFormat GpStringFormat nativeFormat lastError
S SetAlignment(StringAlignment align) :: GdipSetStringFormatAlign(H, (GP::StringAlignment)align)
R StringAlignment/GP::StringAlignment GetAlignment() :: GdipGetStringFormatAlign(H, &r)
S SetLineAlignment(StringAlignment align) :: GdipSetStringFormatLineAlign(H, (GP::StringAlignment)align)
R StringAlignment/GP::StringAlignment GetLineAlignment() :: GdipGetStringFormatLineAlign(H, &r)
S SetFormatFlags(int flags) :: GdipSetStringFormatFlags(H, flags)
R int/INT GetFormatFlags() :: GdipGetStringFormatFlags(H, &r)
S SetTrimming(StringTrimming trimming) :: GdipSetStringFormatTrimming(H, (GP::StringTrimming)trimming)
R StringTrimming/GP::StringTrimming GetTrimming() :: GdipGetStringFormatTrimming(H, &r)
S SetHotkeyPrefix(HotkeyPrefix hotkeyPrefix) :: GdipSetStringFormatHotkeyPrefix(H, hotkeyPrefix)
R HotkeyPrefix/INT GetHotkeyPrefix() :: GdipGetStringFormatHotkeyPrefix(H, &r)

@TGPGraphicsPath GpPath nativePath lastResult
S AddLine(const TGPPointF& pt1, const TGPPointF& pt2) :: GdipAddPathLine(H, pt1.X, pt1.Y, pt2.X, pt2.Y)
S AddLine(float x1, float y1, float x2, float y2) :: GdipAddPathLine(H, x1, y1, x2, y2)
S AddLines(const TGPPoint* points, int count) :: GdipAddPathLine2I(H, (const GP::GpPoint*)points, count)
S AddRectangle(const TGPRectF& rect) :: GdipAddPathRectangle(H, rect.X, rect.Y, rect.Width, rect.Height)
S AddRectangle(const TGPRect& rect) :: GdipAddPathRectangleI(H, rect.X, rect.Y, rect.Width, rect.Height)
S AddArc(const TGPRectF& rect, float startAngle, float sweepAngle) :: GdipAddPathArc(H, rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle)
S AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle) :: GdipAddPathArc(H, x, y, width, height, startAngle, sweepAngle)
S AddEllipse(const TGPRectF& rect) :: GdipAddPathEllipse(H, rect.X, rect.Y, rect.Width, rect.Height)
S AddEllipse(float x, float y, float width, float height) :: GdipAddPathEllipse(H, x, y, width, height)
S AddPie(const TGPRectF& rect, float startAngle, float sweepAngle) :: GdipAddPathPie(H, rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle)
S AddPie(float x, float y, float width, float height, float startAngle, float sweepAngle) :: GdipAddPathPie(H, x, y, width, height, startAngle, sweepAngle)
S AddPolygon(const TGPPointF* points, int count) :: GdipAddPathPolygon(H, (const GP::GpPointF*)points, count)
S AddPolygon(const TGPPoint* points, int count) :: GdipAddPathPolygonI(H, (const GP::GpPoint*)points, count)
S AddCurve(const TGPPointF* points, int count) :: GdipAddPathCurve(H, (const GP::GpPointF*)points, count)
S AddCurve(const TGPPoint* points, int count) :: GdipAddPathCurveI(H, (const GP::GpPoint*)points, count)
S AddCurve(const TGPPoint* points, int count, float tension) :: GdipAddPathCurve2I(H, (const GP::GpPoint*)points, count, tension)
S AddBezier(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4) :: GdipAddPathBezier(H, x1, y1, x2, y2, x3, y3, x4, y4)
S AddString(const String& string_, int length, TGPFontFamily* family, int style, float emSize, const TGPRectF& layoutRect, TGPStringFormat* format) :: GdipAddPathString(H, string_.c_str(), GdipTextLength(string_, length), N(family), style, emSize, (const GP::RectF*)&layoutRect, N(format))
S CloseFigure() :: GdipClosePathFigure(H)
S Reset() :: GdipResetPath(H)
R int/INT GetPointCount() :: GdipGetPointCount(H, &r)
S GetPathPoints(TGPPointF* points, int count) :: GdipGetPathPoints(H, (GP::GpPointF*)points, count)
S GetPathTypes(BYTE* types, int count) :: GdipGetPathTypes(H, types, count)
S GetBounds(TGPRectF& bounds, TGPMatrix* matrix = nullptr, TGPPen* pen = nullptr) :: GdipGetPathWorldBounds(H, (GP::GpRectF*)&bounds, N(matrix), N(pen))

@TGPRegion GpRegion nativeRegion lastResult
S Exclude(TGPGraphicsPath* path) :: GdipCombineRegionPath(H, N(path), GP::CombineModeExclude)
S Union(TGPRegion* region) :: GdipCombineRegionRegion(H, N(region), GP::CombineModeUnion)

@TGPMatrix GpMatrix nativeMatrix lastResult
S GetElements(TMatrixArray& m) :: GdipGetMatrixElements(H, m)
S SetElements(float m11, float m12, float m21, float m22, float dx, float dy) :: GdipSetMatrixElements(H, m11, m12, m21, m22, dx, dy)
S Multiply(TGPMatrix* matrix, MatrixOrder order = MatrixOrderPrepend) :: GdipMultiplyMatrix(H, N(matrix), (GP::MatrixOrder)order)
S Translate(float offsetX, float offsetY, MatrixOrder order = MatrixOrderPrepend) :: GdipTranslateMatrix(H, offsetX, offsetY, (GP::MatrixOrder)order)
S Scale(float scaleX, float scaleY, MatrixOrder order = MatrixOrderPrepend) :: GdipScaleMatrix(H, scaleX, scaleY, (GP::MatrixOrder)order)
S Rotate(float angle, MatrixOrder order = MatrixOrderPrepend) :: GdipRotateMatrix(H, angle, (GP::MatrixOrder)order)
S Shear(float shearX, float shearY, MatrixOrder order = MatrixOrderPrepend) :: GdipShearMatrix(H, shearX, shearY, (GP::MatrixOrder)order)
S Invert() :: GdipInvertMatrix(H)
S TransformPoints(TGPPointF* pts, int count = 1) :: GdipTransformMatrixPoints(H, (GP::GpPointF*)pts, count)
S TransformPoints(TGPPoint* pts, int count = 1) :: GdipTransformMatrixPointsI(H, (GP::GpPoint*)pts, count)
S TransformVectors(TGPPointF* pts, int count = 1) :: GdipVectorTransformMatrixPoints(H, (GP::GpPointF*)pts, count)
S TransformVectors(TGPPoint* pts, int count = 1) :: GdipVectorTransformMatrixPointsI(H, (GP::GpPoint*)pts, count)
R bool/BOOL IsInvertible() :: GdipIsMatrixInvertible(H, &r)
R bool/BOOL IsIdentity() :: GdipIsMatrixIdentity(H, &r)

@TGPImage GpImage nativeImage lastResult
R int/GP::PixelFormat GetPixelFormat() :: GdipGetImagePixelFormat(H, &r)
S Save(const String& filename, const CLSID* clsidEncoder, const EncoderParameters* encoderParams = nullptr) :: GdipSaveImageToFile(H, filename.c_str(), clsidEncoder, (const GP::EncoderParameters*)encoderParams)
S Save(IStream* stream, const CLSID* clsidEncoder, const EncoderParameters* encoderParams = nullptr) :: GdipSaveImageToStream(H, stream, clsidEncoder, (const GP::EncoderParameters*)encoderParams)
S RotateFlip(RotateFlipType rotateFlipType) :: GdipImageRotateFlip(H, (GP::RotateFlipType)rotateFlipType)

@TGPBitmap GpBitmap nativeImage lastResult
S GetHBITMAP(ARGB colorBackground, HBITMAP& hbmReturn) :: GdipCreateHBITMAPFromBitmap(H, &hbmReturn, colorBackground)
S GetPixel(int x, int y, ARGB& color) :: GdipBitmapGetPixel(H, x, y, &color)
S SetPixel(int x, int y, ARGB color) :: GdipBitmapSetPixel(H, x, y, color)

@TGPImageAttributes GpImageAttributes nativeImageAttr lastResult
S SetToIdentity(ColorAdjustType type_ = ColorAdjustTypeDefault) :: GdipSetImageAttributesToIdentity(H, (GP::ColorAdjustType)type_)
S Reset(ColorAdjustType type_ = ColorAdjustTypeDefault) :: GdipResetImageAttributes(H, (GP::ColorAdjustType)type_)
S SetColorMatrix(const ColorMatrix& colorMatrix, ColorMatrixFlags mode = ColorMatrixFlagsDefault, ColorAdjustType type_ = ColorAdjustTypeDefault) :: GdipSetImageAttributesColorMatrix(H, (GP::ColorAdjustType)type_, TRUE, (const GP::ColorMatrix*)&colorMatrix, nullptr, (GP::ColorMatrixFlags)mode)
S ClearColorMatrix(ColorAdjustType type_ = ColorAdjustTypeDefault) :: GdipSetImageAttributesColorMatrix(H, (GP::ColorAdjustType)type_, FALSE, nullptr, nullptr, GP::ColorMatrixFlagsDefault)
S SetColorMatrices(const ColorMatrix& colorMatrix, const ColorMatrix& grayMatrix, ColorMatrixFlags mode = ColorMatrixFlagsDefault, ColorAdjustType type_ = ColorAdjustTypeDefault) :: GdipSetImageAttributesColorMatrix(H, (GP::ColorAdjustType)type_, TRUE, (const GP::ColorMatrix*)&colorMatrix, (const GP::ColorMatrix*)&grayMatrix, (GP::ColorMatrixFlags)mode)
S ClearColorMatrices(ColorAdjustType type_ = ColorAdjustTypeDefault) :: GdipSetImageAttributesColorMatrix(H, (GP::ColorAdjustType)type_, FALSE, nullptr, nullptr, GP::ColorMatrixFlagsDefault)
S SetThreshold(float threshold, ColorAdjustType type_ = ColorAdjustTypeDefault) :: GdipSetImageAttributesThreshold(H, (GP::ColorAdjustType)type_, TRUE, threshold)
S ClearThreshold(ColorAdjustType type_ = ColorAdjustTypeDefault) :: GdipSetImageAttributesThreshold(H, (GP::ColorAdjustType)type_, FALSE, 0.0f)
S SetGamma(float gamma, ColorAdjustType type_ = ColorAdjustTypeDefault) :: GdipSetImageAttributesGamma(H, (GP::ColorAdjustType)type_, TRUE, gamma)
S ClearGamma(ColorAdjustType type_ = ColorAdjustTypeDefault) :: GdipSetImageAttributesGamma(H, (GP::ColorAdjustType)type_, FALSE, 0.0f)
S SetNoOp(ColorAdjustType type_ = ColorAdjustTypeDefault) :: GdipSetImageAttributesNoOp(H, (GP::ColorAdjustType)type_, TRUE)
S ClearNoOp(ColorAdjustType type_ = ColorAdjustTypeDefault) :: GdipSetImageAttributesNoOp(H, (GP::ColorAdjustType)type_, FALSE)
S SetColorKey(ARGB colorLow, ARGB colorHigh, ColorAdjustType type_ = ColorAdjustTypeDefault) :: GdipSetImageAttributesColorKeys(H, (GP::ColorAdjustType)type_, TRUE, colorLow, colorHigh)
S ClearColorKey(ColorAdjustType type_ = ColorAdjustTypeDefault) :: GdipSetImageAttributesColorKeys(H, (GP::ColorAdjustType)type_, FALSE, 0, 0)
S SetOutputChannel(ColorChannelFlags channelFlags, ColorAdjustType type_ = ColorAdjustTypeDefault) :: GdipSetImageAttributesOutputChannel(H, (GP::ColorAdjustType)type_, TRUE, (GP::ColorChannelFlags)channelFlags)
S ClearOutputChannel(ColorAdjustType type_ = ColorAdjustTypeDefault) :: GdipSetImageAttributesOutputChannel(H, (GP::ColorAdjustType)type_, FALSE, GP::ColorChannelFlagsLast)
S SetOutputChannelColorProfile(const String& colorProfileFilename, ColorAdjustType type_ = ColorAdjustTypeDefault) :: GdipSetImageAttributesOutputChannelColorProfile(H, (GP::ColorAdjustType)type_, TRUE, colorProfileFilename.c_str())
S ClearOutputChannelColorProfile(ColorAdjustType type_ = ColorAdjustTypeDefault) :: GdipSetImageAttributesOutputChannelColorProfile(H, (GP::ColorAdjustType)type_, FALSE, nullptr)
S SetRemapTable(UINT mapSize, const ColorMap* map, ColorAdjustType type_ = ColorAdjustTypeDefault) :: GdipSetImageAttributesRemapTable(H, (GP::ColorAdjustType)type_, TRUE, mapSize, (const GP::ColorMap*)map)
S ClearRemapTable(ColorAdjustType type_ = ColorAdjustTypeDefault) :: GdipSetImageAttributesRemapTable(H, (GP::ColorAdjustType)type_, FALSE, 0, nullptr)
S SetBrushRemapTable(UINT mapSize, const ColorMap* map) :: GdipSetImageAttributesRemapTable(H, GP::ColorAdjustTypeBrush, TRUE, mapSize, (const GP::ColorMap*)map)
S ClearBrushRemapTable() :: GdipSetImageAttributesRemapTable(H, GP::ColorAdjustTypeBrush, FALSE, 0, nullptr)
S SetWrapMode(WrapMode wrap, ARGB color = 0xFF000000, bool clamp = false) :: GdipSetImageAttributesWrapMode(H, (GP::WrapMode)wrap, color, clamp)
S GetAdjustedPalette(ColorPalette* colorPalette, ColorAdjustType colorAdjustType) :: GdipGetImageAttributesAdjustedPalette(H, (GP::ColorPalette*)colorPalette, (GP::ColorAdjustType)colorAdjustType)
"""

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
INC = os.path.join(ROOT, "ui", "draw", "GdiPlusForwarders.inc")
CPP = os.path.join(ROOT, "ui", "draw", "GdiPlusForwarders.cpp")
BANNER = "// Written by tools/gen_gdiplus.py from its table: edit the table, not this file.\n"


def split_params(params):
    out, depth, cur = [], 0, ""
    for ch in params:
        if ch in "(<":
            depth += 1
        elif ch in ")>":
            depth -= 1
        if ch == "," and depth == 0:
            out.append(cur.strip())
            cur = ""
        else:
            cur += ch
    if cur.strip():
        out.append(cur.strip())
    return out


def strip_defaults(params):
    return ", ".join(p.split("=")[0].strip() for p in split_params(params))


def parse():
    classes, order = {}, []
    current = None
    for raw in TABLE.strip().splitlines():
        line = raw.strip()
        if not line:
            continue
        if line.startswith("@"):
            name, native, field, status = line[1:].split()
            current = {"name": name, "native": native, "field": field, "status": status, "rows": []}
            classes[name] = current
            order.append(name)
            continue
        m = re.match(r"^(S|N|R)\s+(?:(\S+)\s+)?(\w+)\((.*)\)\s*::\s*(.+)$", line)
        if not m or (m.group(1) == "R") != (m.group(2) is not None):
            sys.exit("bad table line: " + line)
        kind, rtype, name, params, call = m.groups()
        current["rows"].append((kind, rtype, name, params, call))
    return [classes[n] for n in order]


def generate():
    classes = parse()
    inc = [BANNER, "// The forwarders' declarations, one macro per class.\n#pragma once\n"]
    cpp = [BANNER, '#include "ui/draw/GdiPlusNative.h"\n\nusing namespace Gdiplus::DllExports;\n']
    for c in classes:
        decls = []
        cpp.append("\n// %s\n" % c["name"])
        handle = "static_cast<GP::%s*>(%s)" % (c["native"], c["field"])
        for kind, rtype, name, params, call in c["rows"]:
            body_call = re.sub(r"\bH\b", handle, call)
            body_call = re.sub(r"\bN\(", "GdipNative::Of(", body_call)
            if kind == "R":
                ret, _, flat = rtype.partition("/")
                flat = flat or ret
                decls.append("  %s %s(%s);" % (ret, name, params))
                cpp.append("%s %s::%s(%s) {\n  %s r{};\n  Keep(%s, %s);\n  return static_cast<%s>(r);\n}\n"
                           % (ret, c["name"], name, strip_defaults(params), flat, c["status"], body_call, ret))
            else:
                decls.append("  Status %s(%s);" % (name, params))
                if kind == "S":
                    cpp.append("Status %s::%s(%s) {\n  return Keep(%s, %s);\n}\n"
                               % (c["name"], name, strip_defaults(params), c["status"], body_call))
                else:
                    cpp.append("Status %s::%s(%s) {\n  return static_cast<Status>(%s);\n}\n"
                               % (c["name"], name, strip_defaults(params), body_call))
        inc.append("\n#define GDIP_FORWARDERS_%s \\\n%s\n" % (c["name"], " \\\n".join(decls)))
    return "".join(inc), "".join(cpp)


def main():
    inc, cpp = generate()
    if "--check" in sys.argv:
        stale = [p for p, text in ((INC, inc), (CPP, cpp)) if not os.path.exists(p) or open(p).read() != text]
        if stale:
            sys.exit("out of date (run tools/gen_gdiplus.py): " + ", ".join(stale))
        print("GDI+ forwarders are up to date")
        return
    for path, text in ((INC, inc), (CPP, cpp)):
        with open(path, "w") as f:
            f.write(text)


if __name__ == "__main__":
    main()
