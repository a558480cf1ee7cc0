#include "base/Colors.h"

#include "base/SysUtils.h"

namespace {

struct TColorIdent {
  TColor Color;
  const wchar_t* Ident;
};

const TColorIdent kIdents[] = {
    {clBlack, L"clBlack"},
    {clMaroon, L"clMaroon"},
    {clGreen, L"clGreen"},
    {clOlive, L"clOlive"},
    {clNavy, L"clNavy"},
    {clPurple, L"clPurple"},
    {clTeal, L"clTeal"},
    {clGray, L"clGray"},
    {clSilver, L"clSilver"},
    {clRed, L"clRed"},
    {clLime, L"clLime"},
    {clYellow, L"clYellow"},
    {clBlue, L"clBlue"},
    {clFuchsia, L"clFuchsia"},
    {clAqua, L"clAqua"},
    {clWhite, L"clWhite"},
    {clMoneyGreen, L"clMoneyGreen"},
    {clSkyBlue, L"clSkyBlue"},
    {clCream, L"clCream"},
    {clMedGray, L"clMedGray"},
    {clNone, L"clNone"},
    {clDefault, L"clDefault"},
    {clScrollBar, L"clScrollBar"},
    {clBackground, L"clBackground"},
    {clActiveCaption, L"clActiveCaption"},
    {clInactiveCaption, L"clInactiveCaption"},
    {clMenu, L"clMenu"},
    {clWindow, L"clWindow"},
    {clWindowFrame, L"clWindowFrame"},
    {clMenuText, L"clMenuText"},
    {clWindowText, L"clWindowText"},
    {clCaptionText, L"clCaptionText"},
    {clActiveBorder, L"clActiveBorder"},
    {clInactiveBorder, L"clInactiveBorder"},
    {clAppWorkSpace, L"clAppWorkSpace"},
    {clHighlight, L"clHighlight"},
    {clHighlightText, L"clHighlightText"},
    {clBtnFace, L"clBtnFace"},
    {clBtnShadow, L"clBtnShadow"},
    {clGrayText, L"clGrayText"},
    {clBtnText, L"clBtnText"},
    {clInactiveCaptionText, L"clInactiveCaptionText"},
    {clBtnHighlight, L"clBtnHighlight"},
    {cl3DDkShadow, L"cl3DDkShadow"},
    {cl3DLight, L"cl3DLight"},
    {clInfoText, L"clInfoText"},
    {clInfoBk, L"clInfoBk"},
    {clHotLight, L"clHotLight"},
    {clGradientActiveCaption, L"clGradientActiveCaption"},
    {clGradientInactiveCaption, L"clGradientInactiveCaption"},
    {clMenuHighlight, L"clMenuHighlight"},
    {clMenuBar, L"clMenuBar"},
};
static_assert(std::size(kIdents) == 52);

}  // namespace

bool ColorToIdent(TColor Color, String& Ident) {
  for (const TColorIdent& e : kIdents)
    if (e.Color == Color) {
      Ident = e.Ident;
      return true;
    }
  return false;
}

bool IdentToColor(const String& Ident, TColor& Color) {
  for (const TColorIdent& e : kIdents)
    if (SameText(Ident, e.Ident)) {
      Color = e.Color;
      return true;
    }
  return false;
}

String ColorToString(TColor Color) {
  String ident;
  if (ColorToIdent(Color, ident)) return ident;
  return L"$" + IntToHex(Color, 8);
}

bool TryStringToColor(const String& S, TColor& Color) {
  if (IdentToColor(S, Color)) return true;
  // Integer texts only: "0x" is not a colour text.
  if (S.find(L'x') != String::npos || S.find(L'X') != String::npos) return false;
  int v;
  if (!TryStrToInt(S, v)) return false;
  Color = v;
  return true;
}

TColor StringToColor(const String& S) {
  TColor c;
  if (!TryStringToColor(S, c)) throw EConvertError(L"'%s' is not a valid colour", {S});
  return c;
}
