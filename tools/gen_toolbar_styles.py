#!/usr/bin/env python3
"""Writes ui/toolbar/stylers/ToolBarStyleTable.inc: what each gradient style
of the Office toolbar styler writes, property by property, in order.

Two styles are known in full: bsOffice2003Blue and bsOffice2007Luna. Every
other gradient style is known by a few characteristic values (its toolbar
and dock gradients, border, grip, corners, floating border, bevel and glow
colour, and some constants of its own). The rest of its colours is derived
once, here, by one rule, and the result is kept as the table:

  The style belongs to a family with a reference style: the Office 2003
  family (2003 Silver, Olive and Classic, Windows XP, Office XP, Whidbey,
  Terminal) follows bsOffice2003Blue; the Office 2007 family (2007 Obsidian
  and Silver, Windows Vista, Windows 7, the Office 2010 styles) follows
  bsOffice2007Luna. Each property the reference writes is either a palette
  colour (a tint of the reference's bar: backgrounds, borders, pages, tabs'
  selected fills, the pager caption, the quick access toolbar) or an accent
  (the orange hot, pressed and checked states, texts, highlights, system
  colours). Accents are taken as they are. A palette colour is re-tinted
  in HSV: its hue becomes the hue of the style's bar, its saturation and
  value are scaled by the ratios of the style's bar to the reference's bar
  (the bar being the mean of Color.Color and Color.ColorTo; clBtnFace counts
  as 0xF0F0F0), each clamped to its range and rounded halves to even.

Run it after changing the data below; `--check` fails when the committed
file differs from what it would write.
"""
import colorsys
import os
import sys

OUT = os.path.join(os.path.dirname(__file__), "..", "ui", "toolbar", "stylers", "ToolBarStyleTable.inc")

clNone, clHighlight, clBtnFace, clWhite, clBlack = 0x1FFFFFFF, 0xFF00000D, 0xFF00000F, 0xFFFFFF, 0x000000
NAMES = {clNone: "clNone", clHighlight: "clHighlight", clBtnFace: "clBtnFace"}
gdHorizontal, gdVertical = 0, 1
ggRadial, ggVertical = 0, 1
dsDots, dsSingleLine, dsNone = 0, 1, 4
bvNone, bvRaised = 0, 2

# The order in which a gradient style writes. "@Compact" copies the glow
# colour set into the compact one.
ORDER = """
Color.Color Color.ColorTo Color.Direction Color.Steps
DockColor.ColorTo DockColor.Color DockColor.Direction DockColor.Steps
RightHandleColor RightHandleColorTo RightHandleColorHot RightHandleColorHotTo RightHandleColorDown RightHandleColorDownTo
CaptionAppearance.CaptionColor CaptionAppearance.CaptionColorTo CaptionAppearance.CaptionBorderColor
CaptionAppearance.CaptionColorHot CaptionAppearance.CaptionColorHotTo CaptionAppearance.CaptionTextColor
CaptionAppearance.CaptionTextColorHot CaptionAppearance.CaptionBorderColorHot
ButtonAppearance.Color ButtonAppearance.ColorTo ButtonAppearance.ColorDown ButtonAppearance.ColorDownTo
ButtonAppearance.ColorHot ButtonAppearance.ColorHotTo ButtonAppearance.ColorChecked ButtonAppearance.ColorCheckedTo
ButtonAppearance.CaptionTextColor ButtonAppearance.CaptionTextColorHot ButtonAppearance.CaptionTextColorDown
ButtonAppearance.CaptionTextColorChecked ButtonAppearance.BorderDownColor ButtonAppearance.BorderHotColor
ButtonAppearance.BorderCheckedColor
FloatingWindowBorderColor FloatingWindowBorderWidth RoundEdges DragGripStyle Bevel UseBevel
GlowButtonAppearance.Color GlowButtonAppearance.ColorTo GlowButtonAppearance.ColorMirror
GlowButtonAppearance.ColorMirrorTo GlowButtonAppearance.BorderColor GlowButtonAppearance.Gradient
GlowButtonAppearance.GradientMirror GlowButtonAppearance.BorderColorChecked
GlowButtonAppearance.ColorDisabled GlowButtonAppearance.ColorDisabledTo GlowButtonAppearance.ColorMirrorDisabled
GlowButtonAppearance.ColorMirrorDisabledTo GlowButtonAppearance.BorderColorDisabled
@Compact
CompactGlowButtonAppearance.ColorHot CompactGlowButtonAppearance.ColorHotTo CompactGlowButtonAppearance.ColorMirrorHot
CompactGlowButtonAppearance.ColorMirrorHotTo CompactGlowButtonAppearance.BorderColorHot
CompactGlowButtonAppearance.ColorDown CompactGlowButtonAppearance.ColorDownTo CompactGlowButtonAppearance.ColorMirrorDown
CompactGlowButtonAppearance.ColorMirrorDownTo CompactGlowButtonAppearance.BorderColorDown
CompactGlowButtonAppearance.ColorChecked CompactGlowButtonAppearance.ColorCheckedTo
CompactGlowButtonAppearance.ColorMirrorChecked CompactGlowButtonAppearance.ColorMirrorCheckedTo
CompactGlowButtonAppearance.BorderColorChecked
CompactGlowButtonAppearance.GradientHot CompactGlowButtonAppearance.GradientMirrorHot
CompactGlowButtonAppearance.GradientDown CompactGlowButtonAppearance.GradientMirrorDown
CompactGlowButtonAppearance.GradientChecked CompactGlowButtonAppearance.GradientMirrorChecked
PagerCaption.TextColor PagerCaption.TextColorExtended SysButtonColor
GroupAppearance.TextColor GroupAppearance.Color GroupAppearance.ColorTo GroupAppearance.ColorMirror
GroupAppearance.ColorMirrorTo GroupAppearance.Gradient GroupAppearance.GradientMirror GroupAppearance.BorderColor
GroupAppearance.TabAppearance.Color GroupAppearance.TabAppearance.ColorTo GroupAppearance.TabAppearance.ColorMirror
GroupAppearance.TabAppearance.ColorMirrorTo GroupAppearance.TabAppearance.BorderColorDown
GroupAppearance.TabAppearance.ColorHot GroupAppearance.TabAppearance.ColorHotTo GroupAppearance.TabAppearance.ColorMirrorHot
GroupAppearance.TabAppearance.ColorMirrorHotTo GroupAppearance.TabAppearance.Gradient
GroupAppearance.TabAppearance.GradientMirror GroupAppearance.TabAppearance.ColorSelected
GroupAppearance.TabAppearance.ColorSelectedTo GroupAppearance.TabAppearance.ColorMirrorSelected
GroupAppearance.TabAppearance.ColorMirrorSelectedTo GroupAppearance.TabAppearance.TextColorSelected
GroupAppearance.TabAppearance.BorderColorSelected GroupAppearance.TabAppearance.BorderColorSelectedHot
GroupAppearance.TabAppearance.BorderColorHot GroupAppearance.TabAppearance.BorderColor
GroupAppearance.TabAppearance.TextColor GroupAppearance.TabAppearance.TextColorHot
GroupAppearance.TabAppearance.ColorDisabled GroupAppearance.TabAppearance.ColorDisabledTo
GroupAppearance.TabAppearance.ColorMirrorDisabled GroupAppearance.TabAppearance.ColorMirrorDisabledTo
GroupAppearance.TabAppearance.ShadowColor GroupAppearance.TabAppearance.HighLightColor
GroupAppearance.TabAppearance.HighLightColorHot GroupAppearance.TabAppearance.HighLightColorSelected
GroupAppearance.TabAppearance.HighLightColorSelectedHot GroupAppearance.TabAppearance.HighLightColorDown
GroupAppearance.PageAppearance.Color GroupAppearance.PageAppearance.ColorTo GroupAppearance.PageAppearance.ColorMirror
GroupAppearance.PageAppearance.ColorMirrorTo GroupAppearance.PageAppearance.BorderColor
GroupAppearance.PageAppearance.Gradient GroupAppearance.PageAppearance.GradientMirror
GroupAppearance.PageAppearance.ShadowColor GroupAppearance.PageAppearance.HighLightColor
GroupAppearance.ToolBarAppearance.Color.Color GroupAppearance.ToolBarAppearance.Color.ColorTo
GroupAppearance.ToolBarAppearance.ColorHot.Color GroupAppearance.ToolBarAppearance.ColorHot.ColorTo
GroupAppearance.ToolBarAppearance.BorderColor GroupAppearance.ToolBarAppearance.BorderColorHot
GroupAppearance.CaptionAppearance.CaptionColor GroupAppearance.CaptionAppearance.CaptionColorTo
GroupAppearance.CaptionAppearance.CaptionColorHot GroupAppearance.CaptionAppearance.CaptionColorHotTo
GroupAppearance.CaptionAppearance.CaptionTextColor GroupAppearance.CaptionAppearance.CaptionTextColorHot
GroupAppearance.CaptionAppearance.CaptionBorderColor GroupAppearance.CaptionAppearance.CaptionBorderColorHot
TabAppearance.BackGround.Color TabAppearance.BackGround.ColorTo TabAppearance.BackGround.Direction
TabAppearance.Color TabAppearance.ColorTo TabAppearance.ColorMirror TabAppearance.ColorMirrorTo
TabAppearance.BorderColorDown
TabAppearance.BorderColor TabAppearance.BorderColorDisabled TabAppearance.BorderColorHot
TabAppearance.BorderColorSelected TabAppearance.BorderColorSelectedHot
TabAppearance.TextColor TabAppearance.TextColorHot TabAppearance.TextColorSelected TabAppearance.TextColorDisabled
TabAppearance.ColorSelected TabAppearance.ColorSelectedTo TabAppearance.ColorMirrorSelected
TabAppearance.ColorMirrorSelectedTo TabAppearance.ColorDisabled TabAppearance.ColorDisabledTo
TabAppearance.ColorMirrorDisabled TabAppearance.ColorMirrorDisabledTo TabAppearance.ColorHot TabAppearance.ColorHotTo
TabAppearance.ColorMirrorHot TabAppearance.ColorMirrorHotTo
TabAppearance.Gradient TabAppearance.GradientDisabled TabAppearance.GradientHot TabAppearance.GradientMirrorDisabled
TabAppearance.GradientMirrorHot TabAppearance.GradientMirrorSelected TabAppearance.GradientSelected
TabAppearance.ShadowColor TabAppearance.HighLightColor TabAppearance.HighLightColorSelected
TabAppearance.HighLightColorSelectedHot TabAppearance.HighLightColorDown TabAppearance.HighLightColorHot
Color.Mirror.Color Color.Mirror.ColorTo Color.Mirror.ColorMirror Color.Mirror.ColorMirrorTo
BorderColor
ColorHot.Color ColorHot.ColorTo ColorHot.Mirror.Color ColorHot.Mirror.ColorTo ColorHot.Mirror.ColorMirror
ColorHot.Mirror.ColorMirrorTo ColorHot.Direction
BorderColorHot
PageAppearance.BorderColor PageAppearance.Color PageAppearance.ColorTo PageAppearance.ColorMirror
PageAppearance.ColorMirrorTo PageAppearance.Gradient PageAppearance.GradientMirror PageAppearance.ShadowColor
PageAppearance.HighLightColor
PagerCaption.Color PagerCaption.ColorTo PagerCaption.ColorMirror PagerCaption.ColorMirrorTo PagerCaption.BorderColor
PagerCaption.Gradient PagerCaption.GradientMirror
QATAppearance.Color QATAppearance.ColorTo QATAppearance.BorderColor QATAppearance.FullSizeColor
QATAppearance.FullSizeColorTo QATAppearance.FullSizeBorderColor
""".split()

# bsOffice2003Blue, every property its style writes (the orange glow states
# are the shared step of every Office 2003 look, not listed here).
BLUE = {
    "Color.Color": 0xFDEADA, "Color.ColorTo": 0xE4AE88, "Color.Direction": gdVertical, "Color.Steps": 64,
    "DockColor.Color": 0xF5BFA0, "DockColor.ColorTo": 0xFADAC4, "DockColor.Direction": gdHorizontal,
    "DockColor.Steps": 128,
    "RightHandleColor": 0xF1A675, "RightHandleColorTo": 0x913500, "RightHandleColorHot": 0xD3F8FF,
    "RightHandleColorHotTo": 0x76C1FF, "RightHandleColorDown": 0x087FE8, "RightHandleColorDownTo": 0x7CDAF7,
    "CaptionAppearance.CaptionColor": clHighlight, "CaptionAppearance.CaptionColorTo": clHighlight,
    "CaptionAppearance.CaptionBorderColor": clHighlight, "CaptionAppearance.CaptionColorHot": 0xCCF4FF,
    "CaptionAppearance.CaptionColorHotTo": 0x91D0FF, "CaptionAppearance.CaptionTextColor": 0xFFFFFF,
    "CaptionAppearance.CaptionTextColorHot": 0x000000,
    "ButtonAppearance.Color": 0xFDEADA, "ButtonAppearance.ColorTo": 0xE4AE88, "ButtonAppearance.ColorDown": 0x4E91FE,
    "ButtonAppearance.ColorDownTo": 0x91D3FF, "ButtonAppearance.ColorHot": 0xCCF4FF,
    "ButtonAppearance.ColorHotTo": 0x91D0FF, "ButtonAppearance.ColorChecked": 0x8CD5FF,
    "ButtonAppearance.ColorCheckedTo": 0x58AFFF, "ButtonAppearance.CaptionTextColor": 0,
    "ButtonAppearance.CaptionTextColorHot": 0, "ButtonAppearance.CaptionTextColorDown": 0,
    "ButtonAppearance.CaptionTextColorChecked": 0, "ButtonAppearance.BorderDownColor": 0x800000,
    "ButtonAppearance.BorderHotColor": 0x800000, "ButtonAppearance.BorderCheckedColor": 0x800000,
    "FloatingWindowBorderColor": 0x913500, "FloatingWindowBorderWidth": 2, "RoundEdges": 1, "DragGripStyle": dsDots,
    "Bevel": bvNone, "UseBevel": 0,
    "GlowButtonAppearance.Color": 0xEEDBC8, "GlowButtonAppearance.ColorTo": 0xF6DDC9,
    "GlowButtonAppearance.ColorMirror": 0xEDD4C0, "GlowButtonAppearance.ColorMirrorTo": 0xF7E1D0,
    "GlowButtonAppearance.BorderColor": 0xE0B99B, "GlowButtonAppearance.Gradient": ggVertical,
    "GlowButtonAppearance.GradientMirror": ggVertical,
    "GroupAppearance.TextColor": 0, "GroupAppearance.Color": 0xFDEADA, "GroupAppearance.ColorTo": 0xF1DECC,
    "GroupAppearance.ColorMirror": 0xF1DECC, "GroupAppearance.ColorMirrorTo": 0xFDEADA,
    "GroupAppearance.Gradient": ggVertical, "GroupAppearance.GradientMirror": ggVertical,
    "GroupAppearance.BorderColor": 0xC2C2C2,
    "GroupAppearance.TabAppearance.ColorHot": 0xCCF4FF, "GroupAppearance.TabAppearance.ColorHotTo": 0xCCF4FF,
    "GroupAppearance.TabAppearance.ColorMirrorHot": 0xCCF4FF,
    "GroupAppearance.TabAppearance.ColorMirrorHotTo": 0x91D0FF,
    "GroupAppearance.TabAppearance.Gradient": ggVertical, "GroupAppearance.TabAppearance.GradientMirror": ggVertical,
    "GroupAppearance.TabAppearance.ColorSelected": 0x9EDFFB,
    "GroupAppearance.TabAppearance.ColorSelectedTo": 0xBAE8FC,
    "GroupAppearance.TabAppearance.ColorMirrorSelected": 0xBAE8FC,
    "GroupAppearance.TabAppearance.ColorMirrorSelectedTo": 0xD4F1FD,
    "GroupAppearance.TabAppearance.TextColorSelected": 0,
    "GroupAppearance.TabAppearance.BorderColorSelected": 0xA0BFCC,
    "GroupAppearance.TabAppearance.BorderColorSelectedHot": 0xA0BFCC,
    "GroupAppearance.TabAppearance.BorderColorHot": clHighlight, "GroupAppearance.TabAppearance.BorderColor": clHighlight,
    "GroupAppearance.TabAppearance.TextColor": 0, "GroupAppearance.TabAppearance.TextColorHot": 0,
    "GroupAppearance.PageAppearance.Color": 0xD6F2FE, "GroupAppearance.PageAppearance.ColorTo": 0xF9F9F9,
    "GroupAppearance.PageAppearance.ColorMirror": 0xF9F9F9, "GroupAppearance.PageAppearance.ColorMirrorTo": 0xF9F9F9,
    "GroupAppearance.PageAppearance.BorderColor": 0xC2C2C2, "GroupAppearance.PageAppearance.Gradient": ggVertical,
    "GroupAppearance.PageAppearance.GradientMirror": ggVertical,
    "GroupAppearance.ToolBarAppearance.Color.Color": 0xECF8FD,
    "GroupAppearance.ToolBarAppearance.Color.ColorTo": 0xF9F9F9,
    "GroupAppearance.ToolBarAppearance.ColorHot.Color": 0xEEF4F5,
    "GroupAppearance.ToolBarAppearance.ColorHot.ColorTo": 0xFDFBFA,
    "GroupAppearance.ToolBarAppearance.BorderColor": 0xCCD1D3,
    "GroupAppearance.ToolBarAppearance.BorderColorHot": 0xC7C7C7,
    "GroupAppearance.CaptionAppearance.CaptionColor": 0xF2DAC2,
    "GroupAppearance.CaptionAppearance.CaptionColorTo": 0xF0D9C1,
    "GroupAppearance.CaptionAppearance.CaptionColorHot": 0xFFE0C8,
    "GroupAppearance.CaptionAppearance.CaptionColorHotTo": 0xFFEDD6,
    "GroupAppearance.CaptionAppearance.CaptionTextColor": 0,
    "GroupAppearance.CaptionAppearance.CaptionTextColorHot": 0,
    "TabAppearance.BackGround.Color": 0xE4AE88, "TabAppearance.BackGround.ColorTo": 0xFADAC4,
    "TabAppearance.BorderColor": clNone, "TabAppearance.BorderColorDisabled": clNone,
    "TabAppearance.BorderColorHot": clHighlight, "TabAppearance.BorderColorSelected": 0x000000,
    "TabAppearance.BorderColorSelectedHot": 0x60CCF9, "TabAppearance.TextColor": 0, "TabAppearance.TextColorHot": 0,
    "TabAppearance.TextColorSelected": 0, "TabAppearance.TextColorDisabled": 0x808080,
    "TabAppearance.ColorSelected": 0xFCDCC4, "TabAppearance.ColorSelectedTo": 0xFAF1E9,
    "TabAppearance.ColorMirrorSelected": 0xFAF1E9, "TabAppearance.ColorMirrorSelectedTo": 0xF6EAE0,
    "TabAppearance.ColorDisabled": 0xFFFFFF, "TabAppearance.ColorDisabledTo": 0xC0C0C0,
    "TabAppearance.ColorMirrorDisabled": 0xFFFFFF, "TabAppearance.ColorMirrorDisabledTo": 0xC0C0C0,
    "TabAppearance.ColorHot": 0xCCF4FF, "TabAppearance.ColorHotTo": 0xCCF4FF, "TabAppearance.ColorMirrorHot": 0xCCF4FF,
    "TabAppearance.ColorMirrorHotTo": 0x91D0FF,
    "TabAppearance.Gradient": ggVertical, "TabAppearance.GradientDisabled": ggVertical,
    "TabAppearance.GradientHot": ggVertical, "TabAppearance.GradientMirrorDisabled": ggVertical,
    "TabAppearance.GradientMirrorHot": ggVertical, "TabAppearance.GradientMirrorSelected": ggVertical,
    "TabAppearance.GradientSelected": ggVertical,
    "TabAppearance.ShadowColor": 0xA3673F, "TabAppearance.HighLightColor": 0xFFFABF,
    "TabAppearance.HighLightColorSelected": 0x63CCF8, "TabAppearance.HighLightColorSelectedHot": 0xBDFFFF,
    "TabAppearance.HighLightColorDown": 0xFFFBD0, "TabAppearance.HighLightColorHot": 0xFDF4ED,
    "Color.Mirror.Color": 0xFADAC4, "Color.Mirror.ColorTo": 0xFADAC4, "Color.Mirror.ColorMirror": 0xF9D2B9,
    "Color.Mirror.ColorMirrorTo": 0xFCE1CE,
    "BorderColor": 0xE0C7AD,
    "ColorHot.Color": 0xFFF1E6, "ColorHot.ColorTo": 0xFAEADE, "ColorHot.Mirror.Color": 0xFBE2D2,
    "ColorHot.Mirror.ColorTo": 0xFBE2D2, "ColorHot.Mirror.ColorMirror": 0xFBDCC8,
    "ColorHot.Mirror.ColorMirrorTo": 0xFDE7D7, "ColorHot.Direction": gdVertical,
    "BorderColorHot": 0xE0C7AD,
    "PageAppearance.BorderColor": 0xE3B28D, "PageAppearance.Color": 0xFADAC4, "PageAppearance.ColorTo": 0xFADAC4,
    "PageAppearance.ColorMirror": 0xF9D2B9, "PageAppearance.ColorMirrorTo": 0xFDE8D7,
    "PageAppearance.Gradient": ggVertical, "PageAppearance.GradientMirror": ggVertical,
    "PageAppearance.ShadowColor": 0xCD9D7A, "PageAppearance.HighLightColor": 0xFDF9CE,
    "PagerCaption.Color": 0xE4AE88, "PagerCaption.ColorTo": 0xE4AE88, "PagerCaption.ColorMirror": 0xE4AE88,
    "PagerCaption.ColorMirrorTo": 0xE4AE88, "PagerCaption.BorderColor": 0xF0CAAE,
    "PagerCaption.Gradient": ggVertical, "PagerCaption.GradientMirror": ggVertical,
    "QATAppearance.Color": 0xFDEADA, "QATAppearance.ColorTo": 0xE4AE88, "QATAppearance.BorderColor": 0x913500,
    "QATAppearance.FullSizeColor": 0xE4AE88, "QATAppearance.FullSizeColorTo": 0xE4AE88,
    "QATAppearance.FullSizeBorderColor": 0xE4AE88,
}

# bsOffice2007Luna: where it differs from bsOffice2003Blue.
LUNA = dict(BLUE)
for k in ("Color.Steps", "CaptionAppearance.CaptionBorderColor"):
    del LUNA[k]
LUNA.update({
    "RightHandleColor": 0xDFD2C5, "RightHandleColorTo": 0xE0C7AD, "FloatingWindowBorderColor": 0xE3B28D,
    "FloatingWindowBorderWidth": 1, "DragGripStyle": dsNone, "BorderColor": 0xD7C8B7, "SysButtonColor": 0xB99A82,
    "PagerCaption.Color": 0xECE7E2, "PagerCaption.ColorTo": 0xEDE5DE, "PagerCaption.ColorMirror": 0xECE1D8,
    "PagerCaption.ColorMirrorTo": 0xEFEBDF, "PagerCaption.TextColor": 0xAA6A3E,
    "PagerCaption.TextColorExtended": 0x797069,
    "GlowButtonAppearance.BorderColorChecked": 0x45667B,
    "CompactGlowButtonAppearance.ColorHot": 0xF7F7EF, "CompactGlowButtonAppearance.ColorHotTo": 0xF7E7D6,
    "CompactGlowButtonAppearance.ColorMirrorHot": 0xF7EAC3, "CompactGlowButtonAppearance.ColorMirrorHotTo": 0xF7E7D6,
    "CompactGlowButtonAppearance.BorderColorHot": 0xE7D6B5,
    "CompactGlowButtonAppearance.ColorDown": 0xDEC6AD, "CompactGlowButtonAppearance.ColorChecked": 0xDEC6AD,
    "CompactGlowButtonAppearance.ColorDownTo": 0xCEAD8C, "CompactGlowButtonAppearance.ColorCheckedTo": 0xCEAD8C,
    "CompactGlowButtonAppearance.ColorMirrorDown": 0xFFD6B5, "CompactGlowButtonAppearance.ColorMirrorChecked": 0xFFD6B5,
    "CompactGlowButtonAppearance.ColorMirrorDownTo": 0xC69473,
    "CompactGlowButtonAppearance.ColorMirrorCheckedTo": 0xC69473,
    "CompactGlowButtonAppearance.BorderColorDown": 0xB7A38E, "CompactGlowButtonAppearance.BorderColorChecked": 0xB7A38E,
    "CompactGlowButtonAppearance.GradientHot": ggVertical, "CompactGlowButtonAppearance.GradientMirrorHot": ggVertical,
    "CompactGlowButtonAppearance.GradientDown": ggVertical, "CompactGlowButtonAppearance.GradientMirrorDown": ggVertical,
    "CompactGlowButtonAppearance.GradientChecked": ggVertical,
    "CompactGlowButtonAppearance.GradientMirrorChecked": ggVertical,
    "Color.Color": 0xEDD8C7, "Color.ColorTo": 0xF6E9D9, "Color.Mirror.Color": 0xF3E5DA,
    "Color.Mirror.ColorTo": 0xF0DED0, "Color.Mirror.ColorMirror": 0xEDD9C8, "Color.Mirror.ColorMirrorTo": 0xFBEDDC,
    "DockColor.Color": 0xEDD8C7, "DockColor.ColorTo": 0xFAF1E9,
    "ColorHot.Mirror.Color": 0xFDEFE5, "ColorHot.Mirror.ColorTo": 0xFCF0E7, "ColorHot.Mirror.ColorMirror": 0xFBE9DB,
    "ColorHot.Mirror.ColorMirrorTo": 0xFBEDDC,
    "CaptionAppearance.CaptionColor": 0xF2DAC2, "CaptionAppearance.CaptionColorTo": 0xF0D9C1,
    "CaptionAppearance.CaptionColorHot": 0xFFE0C8, "CaptionAppearance.CaptionColorHotTo": 0xFFEDD6,
    "CaptionAppearance.CaptionTextColor": 0xAA6A3E, "CaptionAppearance.CaptionTextColorHot": 0xAA6A3E,
    "ButtonAppearance.Color": 0xCFF0EA, "ButtonAppearance.ColorTo": 0x8CC0B1,
    "ButtonAppearance.BorderDownColor": 0x385D3F, "ButtonAppearance.BorderHotColor": 0x385D3F,
    "ButtonAppearance.BorderCheckedColor": 0x385D3F,
    "GroupAppearance.TextColor": 0x8B4215, "GroupAppearance.Color": 0xF1DECC, "GroupAppearance.ColorTo": 0xD8E2E1,
    "GroupAppearance.ColorMirror": 0xD8E2E1, "GroupAppearance.ColorMirrorTo": 0xA5E1E9,
    "GroupAppearance.TabAppearance.ColorHot": 0xDDE5E4, "GroupAppearance.TabAppearance.ColorHotTo": 0xFFDEC5,
    "GroupAppearance.TabAppearance.ColorMirrorHot": 0xD5DFDD,
    "GroupAppearance.TabAppearance.ColorMirrorHotTo": 0xA3D3E1,
    "GroupAppearance.TabAppearance.Gradient": ggRadial, "GroupAppearance.TabAppearance.GradientMirror": ggRadial,
    "GroupAppearance.TabAppearance.TextColorSelected": 0x8B4215, "GroupAppearance.TabAppearance.TextColor": 0x8B4215,
    "GroupAppearance.TabAppearance.TextColorHot": 0x8B4215,
    "GroupAppearance.TabAppearance.BorderColorHot": 0xA0BFCC, "GroupAppearance.TabAppearance.BorderColor": 0xA0BFCC,
    "GroupAppearance.TabAppearance.ShadowColor": 0xE8C7AE,
    "GroupAppearance.TabAppearance.HighLightColor": 0xFFFABF,
    "GroupAppearance.TabAppearance.HighLightColorHot": 0xFDF4ED,
    "GroupAppearance.TabAppearance.HighLightColorSelected": 0x63CCF8,
    "GroupAppearance.TabAppearance.HighLightColorSelectedHot": 0xBDFFFF,
    "GroupAppearance.TabAppearance.HighLightColorDown": 0xFFFBD0,
    "GroupAppearance.PageAppearance.ShadowColor": 0xC4AA96, "GroupAppearance.PageAppearance.HighLightColor": 0xFDF9CE,
    "GroupAppearance.CaptionAppearance.CaptionTextColor": 0xAA6A3E,
    "GroupAppearance.CaptionAppearance.CaptionTextColorHot": 0xAA6A3E,
    "TabAppearance.BackGround.Color": 0xFFDBBF, "TabAppearance.BackGround.ColorTo": clNone,
    "TabAppearance.BorderColorHot": 0xEABC99, "TabAppearance.BorderColorSelected": 0xE3B28D,
    "TabAppearance.TextColor": 0x8B4215, "TabAppearance.TextColorHot": 0x8B4215,
    "TabAppearance.TextColorSelected": 0x8B4215, "TabAppearance.ColorSelected": 0xFEF6F0,
    "TabAppearance.ColorHot": 0xDDE5E4, "TabAppearance.ColorHotTo": 0xFFDEC5, "TabAppearance.ColorMirrorHot": 0xD5DFDD,
    "TabAppearance.ColorMirrorHotTo": 0xA3D3E1, "TabAppearance.GradientHot": ggRadial,
    "TabAppearance.ShadowColor": 0xE8C7AE,
    "PageAppearance.Color": 0xF3E5DA, "PageAppearance.ColorTo": 0xF0DED0, "PageAppearance.ColorMirror": 0xEDD9C8,
    "PageAppearance.ColorMirrorTo": 0xFFF4E3, "PageAppearance.ShadowColor": 0xC4AA96,
    "QATAppearance.Color": 0xF4E7DE, "QATAppearance.ColorTo": 0xEED8C9, "QATAppearance.BorderColor": 0xD5B39A,
    "QATAppearance.FullSizeColor": 0xEDCDB2, "QATAppearance.FullSizeColorTo": 0xEAC5AA,
    "QATAppearance.FullSizeBorderColor": 0xCDA17E,
})

# Palette colours: tints of the reference's bar, re-tinted for each style.
PALETTE_COMMON = """
RightHandleColor RightHandleColorTo FloatingWindowBorderColor BorderColorHot
GlowButtonAppearance.ColorTo GlowButtonAppearance.ColorMirror GlowButtonAppearance.ColorMirrorTo
Color.Mirror.Color Color.Mirror.ColorTo Color.Mirror.ColorMirror Color.Mirror.ColorMirrorTo
ColorHot.Color ColorHot.ColorTo ColorHot.Mirror.Color ColorHot.Mirror.ColorTo ColorHot.Mirror.ColorMirror
ColorHot.Mirror.ColorMirrorTo
ButtonAppearance.Color ButtonAppearance.ColorTo
GroupAppearance.Color GroupAppearance.ColorTo GroupAppearance.ColorMirror GroupAppearance.ColorMirrorTo
GroupAppearance.BorderColor
GroupAppearance.CaptionAppearance.CaptionColor GroupAppearance.CaptionAppearance.CaptionColorTo
GroupAppearance.CaptionAppearance.CaptionColorHot GroupAppearance.CaptionAppearance.CaptionColorHotTo
TabAppearance.BackGround.Color TabAppearance.BackGround.ColorTo
TabAppearance.ColorSelected TabAppearance.ColorSelectedTo TabAppearance.ColorMirrorSelected
TabAppearance.ColorMirrorSelectedTo TabAppearance.ShadowColor
PageAppearance.BorderColor PageAppearance.Color PageAppearance.ColorTo PageAppearance.ColorMirror
PageAppearance.ColorMirrorTo PageAppearance.ShadowColor
PagerCaption.Color PagerCaption.ColorTo PagerCaption.ColorMirror PagerCaption.ColorMirrorTo PagerCaption.BorderColor
QATAppearance.Color QATAppearance.ColorTo QATAppearance.BorderColor QATAppearance.FullSizeColor
QATAppearance.FullSizeColorTo QATAppearance.FullSizeBorderColor
""".split()
# In the Office 2007 family the texts, captions and compact glow states are
# tinted too.
PALETTE_2007 = PALETTE_COMMON + """
PagerCaption.TextColor PagerCaption.TextColorExtended CaptionAppearance.CaptionColor CaptionAppearance.CaptionColorTo
CaptionAppearance.CaptionTextColor CaptionAppearance.CaptionTextColorHot
GroupAppearance.TextColor GroupAppearance.TabAppearance.TextColor GroupAppearance.TabAppearance.TextColorHot
GroupAppearance.TabAppearance.TextColorSelected GroupAppearance.CaptionAppearance.CaptionTextColor
GroupAppearance.CaptionAppearance.CaptionTextColorHot TabAppearance.TextColor TabAppearance.TextColorHot
TabAppearance.TextColorSelected TabAppearance.BorderColorHot TabAppearance.BorderColorSelected
CompactGlowButtonAppearance.ColorHot CompactGlowButtonAppearance.ColorHotTo CompactGlowButtonAppearance.ColorMirrorHot
CompactGlowButtonAppearance.ColorMirrorHotTo CompactGlowButtonAppearance.BorderColorHot
CompactGlowButtonAppearance.ColorDown CompactGlowButtonAppearance.ColorDownTo CompactGlowButtonAppearance.ColorMirrorDown
CompactGlowButtonAppearance.ColorMirrorDownTo CompactGlowButtonAppearance.BorderColorDown
CompactGlowButtonAppearance.ColorChecked CompactGlowButtonAppearance.ColorCheckedTo
CompactGlowButtonAppearance.ColorMirrorChecked CompactGlowButtonAppearance.ColorMirrorCheckedTo
CompactGlowButtonAppearance.BorderColorChecked
""".split()

# The characteristic values of each derived style: bar (Color, ColorTo),
# dock (Color, ColorTo), border (None: not written), grip, round edges,
# floating border width, bevel, use bevel, glow (Color, BorderColor).
CHAR = {
    "bsOffice2003Silver": (0xECE2E1, 0xB39698, 0xE6D8D8, 0xF7F3F3, 0xF7F3F3, dsDots, 1, 2, bvNone, 0, 0xE6E9E2, 0x927476),
    "bsOffice2003Olive": (0xCFF0EA, 0x8CC0B1, 0xAADADA, 0xE4F1F2, 0x8CC0B1, dsDots, 1, 2, bvNone, 0, 0xCFF0EA, 0x8CC0B1),
    "bsOffice2003Classic": (0xFFFFFF, 0xC9D1D5, 0xD2BDB6, 0xD2BDB6, None, dsDots, 1, 2, bvNone, 0, 0xFFFFFF, 0x000000),
    "bsOffice2007Obsidian": (0xC5BBB4, 0xECECE5, 0xCFC6C1, 0xC5BBB4, 0xB4B0AE, dsNone, 1, 1, bvNone, 0, 0xDFDED6, 0xC0BCB2),
    "bsWindowsXP": (clBtnFace, clBtnFace, clBtnFace, clBtnFace, 0x808080, dsSingleLine, 0, 2, bvRaised, 1, 0xFFFFFF, 0xB9D8DC),
    "bsWhidbeyStyle": (0xF5F9FA, 0xA8C0C0, 0xD7E5E5, 0xE7F2F3, 0xC0C0C0, dsDots, 1, 2, bvNone, 0, 0xFFFFFF, 0x99A8AC),
    "bsOffice2007Silver": (0xE7DCD5, 0xF4F4EE, 0xE5D7D7, 0xF7F3F3, 0x939291, dsNone, 1, 1, bvNone, 0, 0xF3F3F1, 0xCAC7C6),
    "bsWindowsVista": (0xFDF8F1, 0xFCEFD5, 0xFCEFD5, 0xFCEFD5, 0xFCF2DA, dsDots, 1, 2, bvNone, 0, 0xFDF8F1, 0xFDDE99),
    "bsWindows7": (0xDBC9BA, 0xDBC9BA, 0xDBC9BA, 0xDBC9BA, 0xDBC9BA, dsDots, 1, 2, bvNone, 0, 0xFBF8F6, 0xD2BEB0),
    "bsTerminal": (clBtnFace, clBtnFace, clBtnFace, clBtnFace, 0x808080, dsDots, 1, 2, bvNone, 0, clBtnFace, 0x808080),
    "bsOffice2010Blue": (0xFDF6EF, 0xF0DAC7, 0xF0DAC7, 0xFDF6EF, 0xC7B29F, dsDots, 1, 2, bvNone, 0, 0xFDF6EF, 0xC7B29F),
    "bsOffice2010Silver": (0xFFFFFF, 0xEDE5E0, 0xEDE5E0, 0xFFFFFF, None, dsDots, 1, 2, bvNone, 0, 0xFFFFFF, 0xD2CDC8),
    "bsOffice2010Black": (0xBFBFBF, 0x919191, 0x919191, 0xBFBFBF, 0x6D6D6D, dsDots, 1, 2, bvNone, 0, 0xBFBFBF, 0x6D6D6D),
}
FAMILY_2003 = ["bsOffice2003Silver", "bsOffice2003Olive", "bsOffice2003Classic", "bsWindowsXP", "bsWhidbeyStyle",
               "bsTerminal"]
FAMILY_2007 = ["bsOffice2007Obsidian", "bsOffice2007Silver", "bsWindowsVista", "bsWindows7", "bsOffice2010Blue",
               "bsOffice2010Silver", "bsOffice2010Black"]
OFFICE2010 = ["bsOffice2010Blue", "bsOffice2010Silver", "bsOffice2010Black"]
SYS_BUTTON = {"bsOffice2007Obsidian": 0xB3A69C, "bsOffice2007Silver": 0xA59180}

# Who leaves what unwritten.
SKIP = {
    "Color.Steps": ["bsOffice2007Luna", "bsOffice2007Obsidian", "bsOffice2007Silver"],
    "RightHandleColorDown": ["bsOffice2003Silver", "bsOffice2003Olive"],
    "RightHandleColorDownTo": ["bsOffice2003Silver", "bsOffice2003Olive"],
    "CaptionAppearance.CaptionBorderColor": ["bsOffice2007Luna", "bsOffice2007Obsidian"],
    "ButtonAppearance.BorderHotColor": ["bsWindowsXP"],
    "ButtonAppearance.BorderDownColor": ["bsWindowsXP"],
    "ButtonAppearance.BorderCheckedColor": ["bsOffice2003Classic", "bsWindowsXP", "bsWhidbeyStyle"],
    "TabAppearance.HighLightColor": ["bsWindowsVista", "bsTerminal"] + OFFICE2010,
}
GLOW_CHECKED_BY = ["bsOffice2007Luna", "bsOffice2007Obsidian", "bsWindowsXP", "bsOffice2007Silver", "bsWindows7",
                   "bsTerminal"] + OFFICE2010
GROUP_TAB_SHADES_BY = ["bsOffice2007Luna", "bsOffice2007Obsidian", "bsWindowsXP", "bsWindows7"]
GROUP_PAGE_SHADES_BY = ["bsOffice2007Luna", "bsOffice2007Obsidian", "bsWindows7"]
GROUP_TAB_SHADES = ["GroupAppearance.TabAppearance." + k for k in
                    ("ShadowColor", "HighLightColor", "HighLightColorHot", "HighLightColorSelected",
                     "HighLightColorSelectedHot", "HighLightColorDown")]
GROUP_PAGE_SHADES = ["GroupAppearance.PageAppearance.ShadowColor", "GroupAppearance.PageAppearance.HighLightColor"]


def rgb(c):
    if c == clBtnFace:
        c = 0xF0F0F0
    return (c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF)


def bar_hsv(first, second):
    a, b = rgb(first), rgb(second)
    return colorsys.rgb_to_hsv(*[(x + y) / 2 / 255 for x, y in zip(a, b)])


def retint(c, ref, style):
    if c in (clNone, clHighlight, clBtnFace) or c > 0xFFFFFF:
        return c
    h, s, v = colorsys.rgb_to_hsv(*[x / 255 for x in rgb(c)])
    sr = style[1] / ref[1] if ref[1] else 0
    vr = style[2] / ref[2] if ref[2] else 0
    r, g, b = colorsys.hsv_to_rgb(style[0], min(1.0, s * sr), min(1.0, v * vr))
    return round(r * 255) | (round(g * 255) << 8) | (round(b * 255) << 16)


def derive(name, ref, palette):
    ch = CHAR[name]
    ref_bar = bar_hsv(ref["Color.Color"], ref["Color.ColorTo"])
    style_bar = bar_hsv(ch[0], ch[1])
    d = {k: (retint(v, ref_bar, style_bar) if k in palette else v) for k, v in ref.items()}
    d.update({"Color.Color": ch[0], "Color.ColorTo": ch[1], "DockColor.Color": ch[2], "DockColor.ColorTo": ch[3],
              "DragGripStyle": ch[5], "RoundEdges": ch[6], "FloatingWindowBorderWidth": ch[7], "Bevel": ch[8],
              "UseBevel": ch[9], "GlowButtonAppearance.Color": ch[10], "GlowButtonAppearance.BorderColor": ch[11]})
    d["Color.Steps"] = 64
    if ch[4] is None:
        d.pop("BorderColor", None)
    else:
        d["BorderColor"] = ch[4]
    return d


def styles():
    out = {"bsOffice2003Blue": dict(BLUE), "bsOffice2007Luna": dict(LUNA)}
    for n in FAMILY_2003:
        out[n] = derive(n, BLUE, PALETTE_COMMON)
    for n in FAMILY_2007:
        out[n] = derive(n, LUNA, PALETTE_2007)
        if n not in ("bsOffice2007Silver",):
            for k in [k for k in out[n] if k.startswith("CompactGlowButtonAppearance.")]:
                del out[n][k]
        if n not in ("bsOffice2007Obsidian",):
            out[n]["CaptionAppearance.CaptionBorderColor"] = out[n]["PageAppearance.BorderColor"]
        if n in SYS_BUTTON:
            out[n]["SysButtonColor"] = SYS_BUTTON[n]
        elif not n.startswith("bsOffice2007"):
            for k in ("SysButtonColor", "PagerCaption.TextColor", "PagerCaption.TextColorExtended"):
                out[n].pop(k, None)
    for n, d in out.items():
        for k, who in SKIP.items():
            if n in who:
                d.pop(k, None)
        if n in GLOW_CHECKED_BY:
            d.setdefault("GlowButtonAppearance.BorderColorChecked",
                         0x45667B if n in FAMILY_2007 or n == "bsOffice2007Luna" else d["GlowButtonAppearance.BorderColor"])
        else:
            d.pop("GlowButtonAppearance.BorderColorChecked", None)
        if n in GROUP_TAB_SHADES_BY:
            for k in GROUP_TAB_SHADES:
                d.setdefault(k, LUNA[k])
        else:
            for k in GROUP_TAB_SHADES:
                d.pop(k, None)
        if n in GROUP_PAGE_SHADES_BY:
            for k in GROUP_PAGE_SHADES:
                d.setdefault(k, LUNA[k])
        else:
            for k in GROUP_PAGE_SHADES:
                d.pop(k, None)
    # Office 2010: the group's own, tab, page, caption and toolbar colours
    # come at the end of the style (in code); the caption's hot border is set.
    for n in OFFICE2010:
        d = out[n]
        for k in [k for k in d if k.startswith("GroupAppearance.")]:
            del d[k]
        d["CaptionAppearance.CaptionBorderColorHot"] = CHAR[n][11]
        d.pop("TabAppearance.TextColorDisabled", None)
    # Obsidian's own touches.
    out["bsOffice2007Obsidian"]["TabAppearance.BackGround.Direction"] = gdVertical
    # Windows 7, scenic set: disabled glow colours, tabs without a fill of
    # their own, bordered group captions.
    w7 = out["bsWindows7"]
    w7.update({"GlowButtonAppearance.ColorDisabled": clNone, "GlowButtonAppearance.ColorDisabledTo": clNone,
               "GlowButtonAppearance.ColorMirrorDisabled": clNone, "GlowButtonAppearance.ColorMirrorDisabledTo": clNone,
               "GlowButtonAppearance.BorderColorDisabled": 0x808080})
    for pfx in ("TabAppearance.", "GroupAppearance.TabAppearance."):
        for k in ("Color", "ColorTo", "ColorMirror", "ColorMirrorTo"):
            w7[pfx + k] = clNone
        w7[pfx + "BorderColorDown"] = w7["TabAppearance.BorderColorSelected"]
    for k in ("ColorDisabled", "ColorDisabledTo", "ColorMirrorDisabled", "ColorMirrorDisabledTo"):
        w7["GroupAppearance.TabAppearance." + k] = clNone
    w7["GroupAppearance.CaptionAppearance.CaptionBorderColor"] = w7["GroupAppearance.PageAppearance.BorderColor"]
    w7["GroupAppearance.CaptionAppearance.CaptionBorderColorHot"] = w7["GroupAppearance.PageAppearance.BorderColor"]
    # Windows 7 beside a pager that is not scenic: its second set.
    w7b = {k: v for k, v in w7.items()
           if not k.startswith("GlowButtonAppearance.") or not ("Disabled" in k)}
    for pfx in ("TabAppearance.", "GroupAppearance.TabAppearance."):
        for k in ("Color", "ColorTo", "ColorMirror", "ColorMirrorTo", "BorderColorDown"):
            w7b.pop(pfx + k, None)
    for k in ("ColorDisabled", "ColorDisabledTo", "ColorMirrorDisabled", "ColorMirrorDisabledTo"):
        w7b.pop("GroupAppearance.TabAppearance." + k, None)
    for k in ("CaptionBorderColor", "CaptionBorderColorHot"):
        w7b.pop("GroupAppearance.CaptionAppearance." + k, None)
    w7b.update({"Color.Color": 0xFCEBDC, "Color.ColorTo": 0xFCDBC1, "DockColor.Color": 0xFCDBC1,
                "DockColor.ColorTo": 0xFCDBC1, "BorderColor": 0xCEA27D, "GlowButtonAppearance.Color": 0xFFFFFF,
                "GlowButtonAppearance.BorderColor": 0xE0B99B})
    out["bsWindows7Classic"] = w7b
    return out


def value(v):
    if v in NAMES:
        return NAMES[v]
    return "0x%06X" % v if v > 255 else str(v)


def render():
    st = styles()
    order = ["bsOffice2003Blue", "bsOffice2003Silver", "bsOffice2003Olive", "bsOffice2003Classic",
             "bsOffice2007Luna", "bsOffice2007Obsidian", "bsWindowsXP", "bsWhidbeyStyle", "bsOffice2007Silver",
             "bsWindowsVista", "bsWindows7", "bsWindows7Classic", "bsTerminal", "bsOffice2010Blue",
             "bsOffice2010Silver", "bsOffice2010Black"]
    lines = ["// Written by tools/gen_toolbar_styles.py from its data: edit the script, not this file.",
             "// What each gradient style writes, in order; \"@Compact\" copies the glow colour set",
             "// into the compact one. bsWindows7Classic is bsWindows7 beside a pager that is not",
             "// drawn the scenic way.", ""]
    for n in order:
        d = st[n]
        lines.append("const TStyleValue k%s[] = {" % n[2:])
        for k in ORDER:
            if k == "@Compact":
                lines.append('    {"@Compact", 0},')
            elif k in d:
                lines.append('    {"%s", %s},' % (k, value(d[k])))
        unknown = set(d) - set(ORDER)
        if unknown:
            raise SystemExit("not in ORDER: %s" % sorted(unknown))
        lines.append("};")
    return "\n".join(lines) + "\n"


def main():
    text = render()
    if "--check" in sys.argv:
        with open(OUT, encoding="utf-8") as f:
            if f.read() != text:
                print("ToolBarStyleTable.inc is not what tools/gen_toolbar_styles.py writes", file=sys.stderr)
                return 1
        return 0
    with open(OUT, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
