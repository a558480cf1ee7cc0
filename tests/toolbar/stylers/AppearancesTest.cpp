#include <gtest/gtest.h>

#include <functional>

#include "ui/draw/KelStyle.h"
#include "ui/toolbar/runtime/ToolBarRuntime.h"
#include "ui/toolbar/stylers/RibbonAppearances.h"

using AdvToolBar::TButtonAppearance;
using AdvToolBar::TGradientDirection;
using AdvToolBar::TVistaBackground;
using G = TGDIPGradient;

namespace {

// How a setter treats its value: stored when it differs and notified once
// (Rule), stored silently (Plain), or stored and notified every time
// (Always).
enum class Notify { Rule, Plain, Always };

// One setter: the first value, then the same value again, then another.
template <class T, class V, class B1, class B2>
void CheckSetter(const char* Name, void (B1::*Set)(V), V (B2::*Get)() const, V Initial, V Other, Notify How) {
  SCOPED_TRACE(Name);
  T obj;
  int changes = 0;
  obj.OnChange = [&](TObject* s) {
    EXPECT_EQ(s, &obj);
    ++changes;
  };
  EXPECT_EQ((obj.*Get)(), Initial) << "initial value";
  (obj.*Set)(Initial);
  EXPECT_EQ(changes, How == Notify::Always ? 1 : 0) << "same value";
  (obj.*Set)(Other);
  EXPECT_EQ((obj.*Get)(), Other);
  EXPECT_EQ(changes, How == Notify::Always ? 2 : How == Notify::Rule ? 1 : 0) << "other value";
}

#define ROW(T, Prop, Init, Other, How) \
  [] { CheckSetter<T>(#T "." #Prop, &T::Set##Prop, &T::Prop, Init, Other, Notify::How); }

const TColor Nn = clNone;
const TGradientDirection Hz = TGradientDirection::gdHorizontal, Vt = TGradientDirection::gdVertical;

}  // namespace

TEST(ToolBarAppearances, EverySetterKeepsItsRuleAndStartsAtItsDefault) {
  const std::function<void()> rows[] = {
      ROW(TButtonAppearance, Color, Nn, 1, Rule),
      ROW(TButtonAppearance, ColorTo, Nn, 1, Rule),
      ROW(TButtonAppearance, ColorChecked, 0xD8D5D4, 1, Rule),
      ROW(TButtonAppearance, ColorCheckedTo, Nn, 1, Rule),
      ROW(TButtonAppearance, ColorDown, 0xB59285, 1, Rule),
      ROW(TButtonAppearance, ColorDownTo, Nn, 1, Rule),
      ROW(TButtonAppearance, ColorHot, 0xD2BDB6, 1, Rule),
      ROW(TButtonAppearance, ColorHotTo, Nn, 1, Rule),
      ROW(TButtonAppearance, CaptionTextColor, clBlack, 1, Rule),
      ROW(TButtonAppearance, CaptionTextColorHot, clBlack, 1, Rule),
      ROW(TButtonAppearance, CaptionTextColorDown, clBlack, 1, Rule),
      ROW(TButtonAppearance, CaptionTextColorChecked, clBlack, 1, Rule),
      ROW(TButtonAppearance, GradientDirection, Vt, Hz, Rule),
      ROW(TButtonAppearance, GradientDirectionHot, Vt, Hz, Plain),
      ROW(TButtonAppearance, GradientDirectionDown, Vt, Hz, Plain),
      ROW(TButtonAppearance, GradientDirectionChecked, Vt, Hz, Plain),
      ROW(TButtonAppearance, BorderColor, Nn, 1, Rule),
      ROW(TButtonAppearance, BorderDownColor, 0x6A240A, 1, Plain),
      ROW(TButtonAppearance, BorderHotColor, 0x6A240A, 1, Plain),
      ROW(TButtonAppearance, BorderCheckedColor, 0x6A240A, 1, Rule),
      ROW(TGradientBackground, Color, clWhite, 1, Always),
      ROW(TGradientBackground, ColorTo, clBtnFace, 1, Always),
      ROW(TGradientBackground, Direction, Hz, Vt, Always),
      ROW(TGradientBackground, Steps, 64, 128, Always),
      ROW(TVistaGradientBackground, Steps, 64, 128, Always),
      ROW(TMirrorGradient, Color, clWhite, 1, Rule),
      ROW(TMirrorGradient, ColorTo, clBtnFace, 1, Rule),
      ROW(TMirrorGradient, ColorMirror, 0xEDD9C8, 1, Rule),
      ROW(TMirrorGradient, ColorMirrorTo, 0xFFF4E3, 1, Rule),
      ROW(TContainerAppearance, LineColor, clBtnShadow, 1, Rule),
      ROW(TContainerAppearance, Line3D, true, false, Rule),
      ROW(TCaptionAppearance, CaptionColor, clGray, 1, Rule),
      ROW(TCaptionAppearance, CaptionColorTo, Nn, 1, Rule),
      ROW(TCaptionAppearance, CaptionTextColor, clWhite, 1, Rule),
      ROW(TCaptionAppearance, CaptionBorderColor, Nn, 1, Rule),
      ROW(TCaptionAppearance, CaptionColorHot, Nn, 1, Rule),
      ROW(TCaptionAppearance, CaptionColorHotTo, Nn, 1, Rule),
      ROW(TCaptionAppearance, CaptionTextColorHot, clWhite, 1, Rule),
      ROW(TCaptionAppearance, CaptionBorderColorHot, Nn, 1, Rule),
      ROW(TToolBarAppearance, BorderColor, Nn, 1, Rule),
      ROW(TToolBarAppearance, BorderColorHot, Nn, 1, Rule),
      ROW(TQATAppearance, BorderColor, clGray, 1, Rule),
      ROW(TQATAppearance, Color, clWhite, 1, Rule),
      ROW(TQATAppearance, ColorTo, clSilver, 1, Rule),
      ROW(TQATAppearance, FullSizeBorderColor, clGray, 1, Rule),
      ROW(TQATAppearance, FullSizeColor, 0xC59F81, 1, Rule),
      ROW(TQATAppearance, FullSizeColorTo, 0xE3B28D, 1, Rule),
      ROW(TQATAppearance, Steps, 64, 65, Rule),
      ROW(TAppColor, AppButtonColor, 0xC67200, 1, Rule),
      ROW(TAppColor, AppButtonHoverColor, 0xFFAC3C, 1, Rule),
      ROW(TAppColor, TextColor, clWhite, 1, Rule),
      ROW(TAppColor, HoverColor, 0xF7E6CD, 1, Rule),
      ROW(TAppColor, HoverTextColor, clBlack, 1, Rule),
      ROW(TAppColor, HoverBorderColor, 0xE7BE7A, 1, Rule),
      ROW(TAppColor, SelectedColor, 0xE7BE7A, 1, Rule),
      ROW(TAppColor, SelectedTextColor, clBlack, 1, Rule),
      ROW(TAppColor, SelectedBorderColor, 0xE7BE7A, 1, Rule),
  };
  for (const auto& row : rows) row();
}

TEST(RibbonAppearances, EverySetterKeepsItsRuleAndStartsAtItsDefault) {
  const std::function<void()> rows[] = {
      ROW(TTabAppearance, BorderColor, clBtnFace, 1, Rule),
      ROW(TTabAppearance, BorderColorHot, clBlue, 1, Plain),
      ROW(TTabAppearance, BorderColorSelected, clBtnFace, 1, Rule),
      ROW(TTabAppearance, BorderColorSelectedHot, Nn, 1, Rule),
      ROW(TTabAppearance, BorderColorDisabled, Nn, 1, Rule),
      ROW(TTabAppearance, BorderColorDown, Nn, 1, Rule),
      ROW(TTabAppearance, Color, clBtnFace, 1, Rule),
      ROW(TTabAppearance, ColorTo, clWhite, 1, Rule),
      ROW(TTabAppearance, ColorSelected, clWhite, 1, Rule),
      ROW(TTabAppearance, ColorSelectedTo, clBtnFace, 1, Rule),
      ROW(TTabAppearance, ColorDisabled, Nn, 1, Rule),
      ROW(TTabAppearance, ColorDisabledTo, Nn, 1, Rule),
      ROW(TTabAppearance, ColorHot, clYellow, 1, Rule),
      ROW(TTabAppearance, ColorHotTo, Nn, 1, Rule),
      ROW(TTabAppearance, ColorMirror, clWhite, 1, Rule),
      ROW(TTabAppearance, ColorMirrorTo, clWhite, 1, Rule),
      ROW(TTabAppearance, ColorMirrorHot, Nn, 1, Rule),
      ROW(TTabAppearance, ColorMirrorHotTo, Nn, 1, Rule),
      ROW(TTabAppearance, ColorMirrorSelected, clWhite, 1, Rule),
      ROW(TTabAppearance, ColorMirrorSelectedTo, clWhite, 1, Rule),
      ROW(TTabAppearance, ColorMirrorDisabled, Nn, 1, Rule),
      ROW(TTabAppearance, ColorMirrorDisabledTo, Nn, 1, Rule),
      ROW(TTabAppearance, Gradient, G::ggVertical, G::ggRadial, Rule),
      ROW(TTabAppearance, GradientMirror, G::ggVertical, G::ggRadial, Rule),
      ROW(TTabAppearance, GradientHot, G::ggVertical, G::ggRadial, Rule),
      ROW(TTabAppearance, GradientMirrorHot, G::ggVertical, G::ggRadial, Rule),
      ROW(TTabAppearance, GradientSelected, G::ggVertical, G::ggRadial, Rule),
      ROW(TTabAppearance, GradientMirrorSelected, G::ggVertical, G::ggRadial, Rule),
      ROW(TTabAppearance, GradientDisabled, G::ggVertical, G::ggRadial, Rule),
      ROW(TTabAppearance, GradientMirrorDisabled, G::ggVertical, G::ggRadial, Rule),
      ROW(TTabAppearance, TextColor, clBlue, 1, Rule),
      ROW(TTabAppearance, TextColorHot, clBlue, 1, Rule),
      ROW(TTabAppearance, TextColorSelected, clBlue, 1, Rule),
      ROW(TTabAppearance, TextColorDisabled, clWhite, 1, Rule),
      ROW(TTabAppearance, ShadowColor, 0xE8C7AE, 1, Plain),
      ROW(TTabAppearance, HighLightColor, 0xFFFABF, 1, Plain),
      ROW(TTabAppearance, HighLightColorHot, 0xFDF4ED, 1, Plain),
      ROW(TTabAppearance, HighLightColorSelected, 0x63CCF8, 1, Plain),
      ROW(TTabAppearance, HighLightColorSelectedHot, 0xBDFFFF, 1, Plain),
      ROW(TTabAppearance, HighLightColorDown, 0xFFFBD0, 1, Plain),
      ROW(TVistaBackground, BorderColor, clGray, 1, Rule),
      ROW(TVistaBackground, Color, clWhite, 1, Rule),
      ROW(TVistaBackground, ColorTo, clWhite, 1, Rule),
      ROW(TVistaBackground, ColorMirror, clSilver, 1, Rule),
      ROW(TVistaBackground, ColorMirrorTo, clWhite, 1, Rule),
      ROW(TVistaBackground, Gradient, G::ggVertical, G::ggRadial, Rule),
      ROW(TVistaBackground, GradientMirror, G::ggVertical, G::ggRadial, Rule),
      ROW(TVistaBackground, Steps, 64, 65, Rule),
      ROW(TVistaPageBackground, ShadowColor, 0xC4AA96, 1, Plain),
      ROW(TVistaPageBackground, HighLightColor, 0xFDF9CE, 1, Plain),
      ROW(TVistaPageBackground, ColorMirror, clSilver, 1, Rule),
      ROW(TVistaTextBackground, TextColor, clBlue, 1, Rule),
      ROW(TVistaTextBackground, TextColorExtended, clGray, 1, Rule),
      ROW(TVistaTextBackground, BorderColor, clGray, 1, Rule),
      ROW(TGroupAppearance, Background, clInfoBk, 1, Rule),
      ROW(TGroupAppearance, BorderColor, 0xA3B8AC, 1, Rule),
      ROW(TGroupAppearance, Color, clWhite, 1, Rule),
      ROW(TGroupAppearance, ColorTo, clWhite, 1, Rule),
      ROW(TGroupAppearance, ColorMirror, clSilver, 1, Rule),
      ROW(TGroupAppearance, ColorMirrorTo, clWhite, 1, Rule),
      ROW(TGroupAppearance, Gradient, G::ggVertical, G::ggRadial, Rule),
      ROW(TGroupAppearance, GradientMirror, G::ggVertical, G::ggRadial, Rule),
      ROW(TGroupAppearance, TextColor, clBlue, 1, Rule),
  };
  for (const auto& row : rows) row();
}

#undef ROW

namespace {
struct VistaSource {
  bool Vista;
  const wchar_t* Name;
  int Size;
};
bool gVista = true;
bool VistaAnswer() { return gVista; }

// Runs Body with IsVistaOrLater answering Vista.
template <class F>
void WithVista(bool Vista, F Body) {
  gVista = Vista;
  SetIsVistaOrLaterSource(&VistaAnswer);
  Body();
  SetIsVistaOrLaterSource(nullptr);
}
}  // namespace

TEST(ToolBarAppearances, SystemFontBringsBackTheSystemsFontAndTurningItOffKeepsTheFont) {
  const VistaSource cases[] = {{true, L"Segoe UI", 9}, {false, L"Tahoma", 8}};
  for (const VistaSource& c : cases) {
    WithVista(c.Vista, [&] {
      TButtonAppearance b;
      TVistaTextBackground caption;
      TTabAppearance tab;
      TGroupAppearance group;
      TFont* fonts[] = {b.CaptionFont(), caption.Font(), tab.Font(), group.Font()};
      int changes = 0;
      b.OnChange = caption.OnChange = tab.OnChange = group.OnChange = [&](TObject*) { ++changes; };
      std::function<void(bool)> systemFont[] = {[&](bool v) { b.SetSystemFont(v); },
                                                [&](bool v) { caption.SetSystemFont(v); },
                                                [&](bool v) { tab.SetSystemFont(v); },
                                                [&](bool v) { group.SetSystemFont(v); }};
      for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        fonts[i]->SetName(L"Arial");
        fonts[i]->SetSize(12);
        systemFont[i](false);
        EXPECT_EQ(fonts[i]->Name(), L"Arial");
        EXPECT_EQ(fonts[i]->Size(), 12);
        systemFont[i](true);
        EXPECT_EQ(fonts[i]->Name(), c.Name);
        EXPECT_EQ(fonts[i]->Size(), c.Size);
      }
      EXPECT_EQ(changes, 0);
      TButtonAppearance fresh;
      EXPECT_EQ(fresh.CaptionFont()->Name(), c.Name);
      EXPECT_EQ(fresh.CaptionFont()->Size(), c.Size);
    });
  }
}

TEST(ToolBarAppearances, CaptionFontIsCopiedInAndAlwaysNotifies) {
  TButtonAppearance b;
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  TFont f;
  f.SetName(L"Courier New");
  TFont* owned = b.CaptionFont();
  b.SetCaptionFont(&f);
  b.SetCaptionFont(&f);
  EXPECT_EQ(b.CaptionFont(), owned);
  EXPECT_EQ(owned->Name(), L"Courier New");
  EXPECT_EQ(changes, 2);
}

TEST(RibbonAppearances, TabFontIsEightPointUntilAScreenAboveNinetySixIsMeasured) {
  const struct {
    bool Vista;
    int Ppi;
    int Size;
  } cases[] = {{true, 96, 8}, {true, 120, 9}, {false, 96, 8}, {false, 144, 9}};
  for (const auto& c : cases) {
    WithVista(c.Vista, [&] {
      DPIPixelsPerInch = c.Ppi;
      TTabAppearance tab;
      EXPECT_EQ(tab.Font()->Size(), c.Size) << c.Ppi;
      EXPECT_TRUE(tab.Font()->Style().Empty());
      TVistaTextBackground caption;
      EXPECT_EQ(caption.Font()->Size(), 8);
      ResetToolBarRuntime();
    });
  }
}

namespace {
// Assign from an object of another class: Refused raises the conversion
// error naming both classes; otherwise nothing changes.
struct ForeignCase {
  const wchar_t* Target;
  std::function<void(TPersistent*)> AssignTo;
  bool Refused;
};
template <class T>
ForeignCase Foreign(bool Refused) {
  return {T::StaticClassName(), [](TPersistent* s) {
            T t;
            t.Assign(s);
          },
          Refused};
}
}  // namespace

TEST(Appearances, AssignFromAnotherClassIsIgnoredOrRefusedByClass) {
  const ForeignCase cases[] = {
      Foreign<TButtonAppearance>(false),    Foreign<TGradientBackground>(false),
      Foreign<TVistaGradientBackground>(false), Foreign<TAppColor>(false),
      Foreign<TTabAppearance>(false),       Foreign<TMirrorGradient>(true),
      Foreign<TContainerAppearance>(true),  Foreign<TCaptionAppearance>(true),
      Foreign<TToolBarAppearance>(true),    Foreign<TQATAppearance>(true),
      Foreign<TVistaBackground>(true),      Foreign<TVistaPageBackground>(true),
      Foreign<TVistaTextBackground>(true),  Foreign<TGroupAppearance>(true),
  };
  TStringList other;
  for (const ForeignCase& c : cases) {
    SCOPED_TRACE(WideToAnsi(c.Target));
    if (!c.Refused) {
      EXPECT_NO_THROW(c.AssignTo(&other));
      continue;
    }
    try {
      c.AssignTo(&other);
      ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), L"Cannot assign a TStringList to a " + String(c.Target));
    }
  }
}

TEST(ToolBarAppearances, AssignCopiesItsListAndKeepsTheRest) {
  TButtonAppearance a, b;
  a.SetColorHot(1);
  a.SetBorderHotColor(2);
  a.SetBorderCheckedColor(3);
  a.SetGradientDirection(Hz);
  a.SetGradientDirectionHot(Hz);
  a.SetCaptionTextColorChecked(4);
  a.CaptionFont()->SetName(L"Arial");
  a.SetSystemFont(false);
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  b.Assign(&a);
  EXPECT_EQ(b.ColorHot(), 1);
  EXPECT_EQ(b.BorderHotColor(), 2);
  EXPECT_EQ(b.BorderCheckedColor(), 3);
  EXPECT_EQ(b.GradientDirection(), Hz);
  EXPECT_EQ(b.CaptionTextColorChecked(), 4);
  EXPECT_EQ(b.GradientDirectionHot(), Vt);
  EXPECT_NE(b.CaptionFont()->Name(), L"Arial");
  EXPECT_TRUE(b.SystemFont());
  EXPECT_EQ(changes, 0);

  TAppColor c1, c2;
  c1.SetHoverBorderColor(5);
  c1.SetSelectedBorderColor(6);
  c2.Assign(&c1);
  EXPECT_EQ(c2.HoverBorderColor(), 0xE7BE7A);
  EXPECT_EQ(c2.SelectedBorderColor(), 6);

  TQATAppearance q1, q2;
  q1.SetSteps(7);
  q1.SetFullSizeColorTo(8);
  q1.SetFullSizeBorderColor(9);
  changes = 0;
  q2.OnChange = [&](TObject*) { ++changes; };
  q2.Assign(&q1);
  EXPECT_EQ(q2.Steps(), 64);
  EXPECT_EQ(q2.FullSizeColorTo(), 8);
  EXPECT_EQ(q2.FullSizeBorderColor(), 9);
  EXPECT_EQ(changes, 1);

  TCaptionAppearance k1, k2;
  k1.SetCaptionColor(1);
  k1.SetCaptionColorHotTo(2);
  k1.SetCaptionTextColorHot(3);
  changes = 0;
  k2.OnChange = [&](TObject*) { ++changes; };
  k2.Assign(&k1);
  EXPECT_EQ(k2.CaptionColor(), 1);
  EXPECT_EQ(changes, 2);

  TVistaGradientBackground v1, v2;
  TGradientBackground plain;
  v1.Mirror()->SetColorMirror(10);
  v1.SetSteps(11);
  v2.Assign(&v1);
  EXPECT_EQ(v2.Mirror()->ColorMirror(), 10);
  EXPECT_EQ(v2.Steps(), 11);
  plain.SetColor(12);
  v2.Assign(&plain);
  EXPECT_EQ(v2.Color(), 12);
  EXPECT_EQ(v2.Mirror()->ColorMirror(), 10);
}

TEST(ToolBarAppearances, ToolBarAppearanceGradientsDoNotReachItsOwner) {
  TToolBarAppearance t;
  EXPECT_EQ(t.ColorHot()->Color(), clNone);
  EXPECT_EQ(t.ColorHot()->ColorTo(), clNone);
  EXPECT_EQ(t.Color()->Color(), clWhite);
  EXPECT_EQ(t.Color()->ColorTo(), clBtnFace);
  EXPECT_EQ(t.Color()->Steps(), 64);
  EXPECT_EQ(t.Color()->Direction(), Hz);
  int changes = 0;
  t.OnChange = [&](TObject*) { ++changes; };
  t.Color()->SetColorTo(1);
  t.ColorHot()->SetColor(2);
  EXPECT_EQ(changes, 0);

  TVistaGradientBackground v;
  v.OnChange = [&](TObject*) { ++changes; };
  v.Mirror()->SetColor(3);
  EXPECT_EQ(changes, 0);
}

TEST(RibbonAppearances, NestedChangesReachTheOwnerExceptInsideToolBarGradients) {
  TTabAppearance tab;
  int tabChanges = 0;
  tab.OnChange = [&](TObject* s) {
    EXPECT_EQ(s, &tab);
    ++tabChanges;
  };
  tab.BackGround()->SetColor(1);
  EXPECT_EQ(tabChanges, 1);

  TGroupAppearance group;
  int changes = 0;
  group.OnChange = [&](TObject* s) {
    EXPECT_EQ(s, &group);
    ++changes;
  };
  const std::pair<const char*, std::function<void()>> steps[] = {
      {"tab", [&] { group.TabAppearance()->SetColorHot(1); }},
      {"tab background", [&] { group.TabAppearance()->BackGround()->SetColor(1); }},
      {"page", [&] { group.PageAppearance()->SetColor(1); }},
      {"caption", [&] { group.CaptionAppearance()->SetCaptionColor(1); }},
      {"toolbar", [&] { group.ToolBarAppearance()->SetBorderColor(1); }},
  };
  for (const auto& [name, step] : steps) {
    changes = 0;
    step();
    EXPECT_EQ(changes, 1) << name;
  }
  changes = 0;
  group.ToolBarAppearance()->Color()->SetColor(1);
  group.ToolBarAppearance()->ColorHot()->SetColor(1);
  EXPECT_EQ(changes, 0);
}

TEST(RibbonAppearances, ClearColorsEmptiesEveryColourSilently) {
  TTabAppearance tab;
  tab.SetGradient(G::ggRadial);
  tab.SetSystemFont(false);
  tab.Font()->SetName(L"Arial");
  int changes = 0;
  tab.OnChange = [&](TObject*) { ++changes; };
  tab.ClearColors();
  const TColor colours[] = {tab.BorderColor(), tab.BorderColorHot(), tab.BorderColorSelected(),
                            tab.BorderColorSelectedHot(), tab.BorderColorDisabled(), tab.BorderColorDown(),
                            tab.Color(), tab.ColorTo(), tab.ColorSelected(), tab.ColorSelectedTo(),
                            tab.ColorDisabled(), tab.ColorDisabledTo(), tab.ColorHot(), tab.ColorHotTo(),
                            tab.ColorMirror(), tab.ColorMirrorTo(), tab.ColorMirrorHot(), tab.ColorMirrorHotTo(),
                            tab.ColorMirrorSelected(), tab.ColorMirrorSelectedTo(), tab.ColorMirrorDisabled(),
                            tab.ColorMirrorDisabledTo(), tab.TextColor(), tab.TextColorHot(),
                            tab.TextColorSelected(), tab.TextColorDisabled(), tab.ShadowColor(),
                            tab.HighLightColor(), tab.HighLightColorHot(), tab.HighLightColorSelected(),
                            tab.HighLightColorSelectedHot(), tab.HighLightColorDown()};
  for (size_t i = 0; i < std::size(colours); ++i) EXPECT_EQ(colours[i], clNone) << i;
  EXPECT_EQ(tab.Gradient(), G::ggRadial);
  EXPECT_FALSE(tab.SystemFont());
  EXPECT_EQ(tab.Font()->Name(), L"Arial");
  EXPECT_EQ(tab.BackGround()->Color(), clWhite);
  EXPECT_EQ(changes, 0);
}

TEST(RibbonAppearances, AssignCopiesItsListAndNotifiesOnlyThroughSetters) {
  TTabAppearance a, b;
  a.SetBorderColorHot(1);
  a.SetHighLightColorDown(2);
  a.SetTextColor(3);
  a.SetTextColorHot(4);
  a.SetGradientMirrorDisabled(G::ggRadial);
  a.BackGround()->SetSteps(5);
  a.Font()->SetName(L"Arial");
  a.SetSystemFont(false);
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  b.Assign(&a);
  EXPECT_EQ(b.BorderColorHot(), 1);
  EXPECT_EQ(b.HighLightColorDown(), 2);
  EXPECT_EQ(b.TextColorHot(), 4);
  EXPECT_EQ(b.GradientMirrorDisabled(), G::ggRadial);
  EXPECT_EQ(b.BackGround()->Steps(), 5);
  EXPECT_EQ(b.Font()->Name(), L"Arial");
  EXPECT_TRUE(b.SystemFont());
  EXPECT_EQ(changes, 2);

  TVistaPageBackground page;
  page.SetColor(6);
  page.SetSteps(7);
  page.SetShadowColor(8);
  page.SetGradientMirror(G::ggRadial);
  TVistaTextBackground caption;
  caption.SetTextColor(9);
  caption.Font()->SetName(L"Arial");
  caption.Assign(&page);
  EXPECT_EQ(caption.Color(), 6);
  EXPECT_EQ(caption.Steps(), 7);
  EXPECT_EQ(caption.GradientMirror(), G::ggRadial);
  EXPECT_EQ(caption.TextColor(), 9);
  EXPECT_EQ(caption.Font()->Name(), L"Arial");
  TVistaPageBackground back;
  back.Assign(&caption);
  EXPECT_EQ(back.ShadowColor(), 8);

  TGroupAppearance g1, g2;
  g1.SetBackground(1);
  g1.SetSteps(2);
  g1.SetGradient(G::ggRadial);
  g1.TabAppearance()->SetColorHot(3);
  g1.ToolBarAppearance()->Color()->SetColor(4);
  g1.SetSystemFont(false);
  changes = 0;
  g2.OnChange = [&](TObject*) { ++changes; };
  g2.Assign(&g1);
  EXPECT_EQ(g2.Background(), 1);
  EXPECT_EQ(g2.Steps(), 2);
  EXPECT_EQ(g2.Gradient(), G::ggRadial);
  EXPECT_EQ(g2.TabAppearance()->ColorHot(), 3);
  EXPECT_EQ(g2.ToolBarAppearance()->Color()->Color(), 4);
  EXPECT_TRUE(g2.SystemFont());
  EXPECT_EQ(changes, 1);
}
