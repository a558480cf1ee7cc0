#include "ui/toolbar/stylers/StylerProperties.h"

#include <string>
#include <type_traits>
#include <unordered_map>

#include "ui/toolbar/stylers/ToolBarOfficeStyler.h"

namespace {

using S = TAdvToolBarOfficeStyler;
using K = TStylerValueKind;

// One property: Pfx is its key's prefix, Obj the path from the styler to the
// object that holds it (with its trailing "->"; empty for the styler's own).
#define P(Kind, Pfx, Obj, Name)                                                              \
  TStylerProperty {                                                                         \
    Pfx #Name, K::Kind, [](S* s) -> int32_t { return static_cast<int32_t>(s->Obj Name()); }, \
        [](S* s, int32_t v) {                                                                \
          s->Obj Set##Name(static_cast<std::remove_cvref_t<decltype(s->Obj Name())>>(v));    \
        },                                                                                   \
        nullptr, nullptr                                                                     \
  }

// A font's colour, style and size (and its name, with FONT4).
#define FONT3(Pfx, Font)                                                                                    \
  P(Color, Pfx, Font->, Color),                                                                             \
      TStylerProperty{Pfx "Style", K::FontStyle,                                                            \
                      [](S* s) -> int32_t { return static_cast<int32_t>(s->Font->Style().Bits()); },        \
                      [](S* s, int32_t v) { s->Font->SetStyle(TFontStyles::FromBits(static_cast<uint32_t>(v) & 15)); }, \
                      nullptr, nullptr},                                                                    \
      P(Integer, Pfx, Font->, Size)
#define FONT4(Pfx, Font)                                                                          \
  FONT3(Pfx, Font), TStylerProperty {                                                             \
    Pfx "Name", K::FontName, nullptr, nullptr, [](S* s) -> String { return s->Font->Name(); },    \
        [](S* s, const String& v) { s->Font->SetName(v); }                                        \
  }
// A two-colour gradient.
#define GRAD4(Pfx, Obj) \
  P(Color, Pfx, Obj, Color), P(Color, Pfx, Obj, ColorTo), P(Direction, Pfx, Obj, Direction), P(Integer, Pfx, Obj, Steps)
#define MIRROR4(Pfx, Obj) \
  P(Color, Pfx, Obj, Color), P(Color, Pfx, Obj, ColorTo), P(Color, Pfx, Obj, ColorMirror), P(Color, Pfx, Obj, ColorMirrorTo)
#define CAPTION8(Pfx, Obj)                                                                                  \
  P(Color, Pfx, Obj, CaptionColor), P(Color, Pfx, Obj, CaptionColorTo), P(Color, Pfx, Obj, CaptionTextColor), \
      P(Color, Pfx, Obj, CaptionBorderColor), P(Color, Pfx, Obj, CaptionColorHot),                          \
      P(Color, Pfx, Obj, CaptionColorHotTo), P(Color, Pfx, Obj, CaptionTextColorHot),                       \
      P(Color, Pfx, Obj, CaptionBorderColorHot)
#define GLOW35(Pfx, Obj)                                                                                      \
  P(Color, Pfx, Obj, BorderColor), P(Color, Pfx, Obj, BorderColorHot), P(Color, Pfx, Obj, BorderColorDown),   \
      P(Color, Pfx, Obj, BorderColorChecked), P(Color, Pfx, Obj, BorderColorDisabled), P(Color, Pfx, Obj, Color), \
      P(Color, Pfx, Obj, ColorTo), P(Color, Pfx, Obj, ColorChecked), P(Color, Pfx, Obj, ColorCheckedTo),      \
      P(Color, Pfx, Obj, ColorDisabled), P(Color, Pfx, Obj, ColorDisabledTo), P(Color, Pfx, Obj, ColorDown),  \
      P(Color, Pfx, Obj, ColorDownTo), P(Color, Pfx, Obj, ColorHot), P(Color, Pfx, Obj, ColorHotTo),          \
      P(Color, Pfx, Obj, ColorMirror), P(Color, Pfx, Obj, ColorMirrorTo), P(Color, Pfx, Obj, ColorMirrorHot), \
      P(Color, Pfx, Obj, ColorMirrorHotTo), P(Color, Pfx, Obj, ColorMirrorDown),                              \
      P(Color, Pfx, Obj, ColorMirrorDownTo), P(Color, Pfx, Obj, ColorMirrorChecked),                          \
      P(Color, Pfx, Obj, ColorMirrorCheckedTo), P(Color, Pfx, Obj, ColorMirrorDisabled),                      \
      P(Color, Pfx, Obj, ColorMirrorDisabledTo), P(Gradient, Pfx, Obj, Gradient),                             \
      P(Gradient, Pfx, Obj, GradientMirror), P(Gradient, Pfx, Obj, GradientHot),                              \
      P(Gradient, Pfx, Obj, GradientMirrorHot), P(Gradient, Pfx, Obj, GradientDown),                          \
      P(Gradient, Pfx, Obj, GradientMirrorDown), P(Gradient, Pfx, Obj, GradientChecked),                      \
      P(Gradient, Pfx, Obj, GradientMirrorChecked), P(Gradient, Pfx, Obj, GradientDisabled),                  \
      P(Gradient, Pfx, Obj, GradientMirrorDisabled)
#define TAB22(Pfx, Obj)                                                                                        \
  P(Color, Pfx, Obj, BorderColor), P(Color, Pfx, Obj, BorderColorHot), P(Color, Pfx, Obj, BorderColorSelected), \
      P(Color, Pfx, Obj, BorderColorSelectedHot), P(Color, Pfx, Obj, BorderColorDown),                         \
      P(Color, Pfx, Obj, BorderColorDisabled), P(Color, Pfx, Obj, Color), P(Color, Pfx, Obj, ColorTo),         \
      P(Color, Pfx, Obj, ColorSelected), P(Color, Pfx, Obj, ColorSelectedTo), P(Color, Pfx, Obj, ColorDisabled), \
      P(Color, Pfx, Obj, ColorDisabledTo), P(Color, Pfx, Obj, ColorHot), P(Color, Pfx, Obj, ColorHotTo),       \
      P(Color, Pfx, Obj, ColorMirror), P(Color, Pfx, Obj, ColorMirrorTo), P(Color, Pfx, Obj, ColorMirrorHot),  \
      P(Color, Pfx, Obj, ColorMirrorHotTo), P(Color, Pfx, Obj, ColorMirrorSelected),                           \
      P(Color, Pfx, Obj, ColorMirrorSelectedTo), P(Color, Pfx, Obj, ColorMirrorDisabled),                      \
      P(Color, Pfx, Obj, ColorMirrorDisabledTo)
#define TAB18(Pfx, Obj)                                                                                        \
  P(Gradient, Pfx, Obj, Gradient), P(Gradient, Pfx, Obj, GradientMirror), P(Gradient, Pfx, Obj, GradientHot),  \
      P(Gradient, Pfx, Obj, GradientMirrorHot), P(Gradient, Pfx, Obj, GradientSelected),                       \
      P(Gradient, Pfx, Obj, GradientMirrorSelected), P(Gradient, Pfx, Obj, GradientDisabled),                  \
      P(Gradient, Pfx, Obj, GradientMirrorDisabled), P(Color, Pfx, Obj, TextColor),                            \
      P(Color, Pfx, Obj, TextColorHot), P(Color, Pfx, Obj, TextColorSelected),                                 \
      P(Color, Pfx, Obj, TextColorDisabled), P(Color, Pfx, Obj, ShadowColor), P(Color, Pfx, Obj, HighLightColor), \
      P(Color, Pfx, Obj, HighLightColorHot), P(Color, Pfx, Obj, HighLightColorSelected),                       \
      P(Color, Pfx, Obj, HighLightColorSelectedHot), P(Color, Pfx, Obj, HighLightColorDown)

const std::vector<TStylerProperty>& FileTable() {
  static const std::vector<TStylerProperty> table = {
      P(Boolean, "", , AutoThemeAdapt),
      P(Color, "ButtonAppearance.", ButtonAppearance()->, Color),
      P(Color, "ButtonAppearance.", ButtonAppearance()->, ColorTo),
      P(Color, "ButtonAppearance.", ButtonAppearance()->, ColorChecked),
      P(Color, "ButtonAppearance.", ButtonAppearance()->, ColorCheckedTo),
      P(Color, "ButtonAppearance.", ButtonAppearance()->, ColorDown),
      P(Color, "ButtonAppearance.", ButtonAppearance()->, ColorDownTo),
      P(Color, "ButtonAppearance.", ButtonAppearance()->, ColorHot),
      P(Color, "ButtonAppearance.", ButtonAppearance()->, ColorHotTo),
      P(Color, "ButtonAppearance.", ButtonAppearance()->, CaptionTextColor),
      P(Color, "ButtonAppearance.", ButtonAppearance()->, CaptionTextColorHot),
      P(Color, "ButtonAppearance.", ButtonAppearance()->, CaptionTextColorDown),
      P(Color, "ButtonAppearance.", ButtonAppearance()->, CaptionTextColorChecked),
      P(Direction, "ButtonAppearance.", ButtonAppearance()->, GradientDirection),
      P(Direction, "ButtonAppearance.", ButtonAppearance()->, GradientDirectionHot),
      P(Direction, "ButtonAppearance.", ButtonAppearance()->, GradientDirectionDown),
      P(Direction, "ButtonAppearance.", ButtonAppearance()->, GradientDirectionChecked),
      P(Color, "ButtonAppearance.", ButtonAppearance()->, BorderColor),
      P(Color, "ButtonAppearance.", ButtonAppearance()->, BorderDownColor),
      P(Color, "ButtonAppearance.", ButtonAppearance()->, BorderHotColor),
      P(Color, "ButtonAppearance.", ButtonAppearance()->, BorderCheckedColor),
      FONT4("ButtonAppearance.CaptionFont.", ButtonAppearance()->CaptionFont()),
      GRAD4("Color.", Color()->),
      MIRROR4("Color.Mirror.", Color()->Mirror()->),
      GRAD4("DockColor.", DockColor()->),
      FONT4("Font.", Font()),
      P(GripStyle, "", , DragGripStyle),
      P(Color, "", , RightHandleColor),
      P(Color, "", , RightHandleColorHot),
      P(Color, "", , RightHandleColorTo),
      P(Color, "", , RightHandleColorHotTo),
      P(Color, "", , RightHandleColorDown),
      P(Color, "", , RightHandleColorDownTo),
      P(Color, "", , FloatingWindowBorderColor),
      P(Integer, "", , FloatingWindowBorderWidth),
      CAPTION8("CaptionAppearance.", CaptionAppearance()->),
      P(Color, "", , BorderColor),
      P(Color, "", , BorderColorHot),
      GRAD4("ColorHot.", ColorHot()->),
      MIRROR4("ColorHot.Mirror.", ColorHot()->Mirror()->),
      FONT3("CaptionFont.", CaptionFont()),
      P(Color, "ContainerAppearance.", ContainerAppearance()->, LineColor),
      P(Boolean, "ContainerAppearance.", ContainerAppearance()->, Line3D),
      GLOW35("GlowButtonAppearance.", GlowButtonAppearance()->),
      P(Color, "PagerCaption.", PagerCaption()->, BorderColor),
      P(Color, "PagerCaption.", PagerCaption()->, Color),
      P(Color, "PagerCaption.", PagerCaption()->, ColorTo),
      P(Color, "PagerCaption.", PagerCaption()->, ColorMirror),
      P(Color, "PagerCaption.", PagerCaption()->, ColorMirrorTo),
      P(Gradient, "PagerCaption.", PagerCaption()->, Gradient),
      P(Gradient, "PagerCaption.", PagerCaption()->, GradientMirror),
      P(Integer, "PagerCaption.", PagerCaption()->, Steps),
      P(Color, "PagerCaption.", PagerCaption()->, TextColor),
      FONT4("PagerCaption.Font.", PagerCaption()->Font()),
      GRAD4("TabAppearance.BackGround.", TabAppearance()->BackGround()->),
      TAB22("TabAppearance.", TabAppearance()->),
      FONT4("TabAppearance.Font.", TabAppearance()->Font()),
      TAB18("TabAppearance.", TabAppearance()->),
      P(Color, "PageAppearance.", PageAppearance()->, BorderColor),
      P(Color, "PageAppearance.", PageAppearance()->, Color),
      P(Color, "PageAppearance.", PageAppearance()->, ColorTo),
      P(Color, "PageAppearance.", PageAppearance()->, ColorMirror),
      P(Color, "PageAppearance.", PageAppearance()->, ColorMirrorTo),
      P(Color, "PageAppearance.", PageAppearance()->, ShadowColor),
      P(Gradient, "PageAppearance.", PageAppearance()->, Gradient),
      P(Gradient, "PageAppearance.", PageAppearance()->, GradientMirror),
      P(Integer, "PageAppearance.", PageAppearance()->, Steps),
      P(Color, "GroupAppearance.", GroupAppearance()->, BorderColor),
      P(Color, "GroupAppearance.", GroupAppearance()->, Color),
      P(Color, "GroupAppearance.", GroupAppearance()->, ColorTo),
      P(Color, "GroupAppearance.", GroupAppearance()->, ColorMirror),
      P(Color, "GroupAppearance.", GroupAppearance()->, ColorMirrorTo),
      FONT4("GroupAppearance.Font.", GroupAppearance()->Font()),
      P(Gradient, "GroupAppearance.", GroupAppearance()->, Gradient),
      P(Gradient, "GroupAppearance.", GroupAppearance()->, GradientMirror),
      P(Color, "GroupAppearance.", GroupAppearance()->, TextColor),
      CAPTION8("GroupAppearance.CaptionAppearance.", GroupAppearance()->CaptionAppearance()->),
      P(Color, "GroupAppearance.PageAppearance.", GroupAppearance()->PageAppearance()->, BorderColor),
      P(Color, "GroupAppearance.PageAppearance.", GroupAppearance()->PageAppearance()->, Color),
      P(Color, "GroupAppearance.PageAppearance.", GroupAppearance()->PageAppearance()->, ColorTo),
      P(Color, "GroupAppearance.PageAppearance.", GroupAppearance()->PageAppearance()->, ColorMirror),
      P(Color, "GroupAppearance.PageAppearance.", GroupAppearance()->PageAppearance()->, ColorMirrorTo),
      P(Gradient, "GroupAppearance.PageAppearance.", GroupAppearance()->PageAppearance()->, Gradient),
      P(Gradient, "GroupAppearance.PageAppearance.", GroupAppearance()->PageAppearance()->, GradientMirror),
      P(Integer, "GroupAppearance.PageAppearance.", GroupAppearance()->PageAppearance()->, Steps),
      TAB22("GroupAppearance.TabAppearance.", GroupAppearance()->TabAppearance()->),
      FONT4("GroupAppearance.TabAppearance.Font.", GroupAppearance()->TabAppearance()->Font()),
      TAB18("GroupAppearance.TabAppearance.", GroupAppearance()->TabAppearance()->),
      P(Color, "GroupAppearance.ToolBarAppearance.", GroupAppearance()->ToolBarAppearance()->, BorderColor),
      P(Color, "GroupAppearance.ToolBarAppearance.", GroupAppearance()->ToolBarAppearance()->, BorderColorHot),
      GRAD4("GroupAppearance.ToolBarAppearance.Color.", GroupAppearance()->ToolBarAppearance()->Color()->),
      GRAD4("GroupAppearance.ToolBarAppearance.ColorHot.", GroupAppearance()->ToolBarAppearance()->ColorHot()->),
      GLOW35("CompactGlowButtonAppearance.", CompactGlowButtonAppearance()->),
      P(Color, "QATAppearance.", QATAppearance()->, BorderColor),
      P(Color, "QATAppearance.", QATAppearance()->, Color),
      P(Color, "QATAppearance.", QATAppearance()->, ColorTo),
      P(Color, "QATAppearance.", QATAppearance()->, FullSizeBorderColor),
      P(Color, "QATAppearance.", QATAppearance()->, FullSizeColor),
      P(Color, "QATAppearance.", QATAppearance()->, FullSizeColorTo),
      P(Integer, "QATAppearance.", QATAppearance()->, Steps),
      P(Color, "", , FormBorderColor),
  };
  return table;
}

// Written by the built-in styles, not carried by the file.
const std::vector<TStylerProperty>& ExtraTable() {
  static const std::vector<TStylerProperty> table = {
      P(Color, "PagerCaption.", PagerCaption()->, TextColorExtended),
      P(Color, "", , SysButtonColor),
      P(Boolean, "", , RoundEdges),
      P(Boolean, "", , UseBevel),
      P(Integer, "", , Bevel),
      P(Color, "PageAppearance.", PageAppearance()->, HighLightColor),
      P(Color, "GroupAppearance.PageAppearance.", GroupAppearance()->PageAppearance()->, ShadowColor),
      P(Color, "GroupAppearance.PageAppearance.", GroupAppearance()->PageAppearance()->, HighLightColor),
      P(Color, "GlowButtonAppearance.", GlowButtonAppearance()->, TextColor),
      P(Color, "GlowButtonAppearance.", GlowButtonAppearance()->, TextColorHot),
      P(Color, "GlowButtonAppearance.", GlowButtonAppearance()->, TextColorDown),
      P(Color, "GlowButtonAppearance.", GlowButtonAppearance()->, TextColorChecked),
      P(Color, "CompactGlowButtonAppearance.", CompactGlowButtonAppearance()->, TextColor),
      P(Color, "CompactGlowButtonAppearance.", CompactGlowButtonAppearance()->, TextColorHot),
      P(Color, "CompactGlowButtonAppearance.", CompactGlowButtonAppearance()->, TextColorDown),
      P(Color, "CompactGlowButtonAppearance.", CompactGlowButtonAppearance()->, TextColorChecked),
  };
  return table;
}

#undef P
#undef FONT3
#undef FONT4
#undef GRAD4
#undef MIRROR4
#undef CAPTION8
#undef GLOW35
#undef TAB22
#undef TAB18

}  // namespace

const std::vector<TStylerProperty>& ThemeFileProperties() { return FileTable(); }

const TStylerProperty* FindStylerProperty(std::string_view Key) {
  static const std::unordered_map<std::string_view, const TStylerProperty*> byKey = [] {
    std::unordered_map<std::string_view, const TStylerProperty*> m;
    for (const auto* t : {&FileTable(), &ExtraTable()})
      for (const TStylerProperty& p : *t) m.emplace(p.Key, &p);
    return m;
  }();
  auto it = byKey.find(Key);
  return it == byKey.end() ? nullptr : it->second;
}
